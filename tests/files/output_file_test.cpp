// The one writer of every file: regular files replaced in one step, links followed, pipes
// and devices written into, everything else refused, in a temporary folder of real files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "files/file_io.h"

namespace fudo {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

mode_t kindOf(const fs::path& p) {
    struct stat st{};
    return ::lstat(p.c_str(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

// Every name under the folder with its kind, to show that nothing but the target changed.
std::set<std::string> listing(const fs::path& folder, const std::string& prefix = "") {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::string name = prefix + e.path().filename().string();
        out.insert(name + ":" + std::to_string(kindOf(e.path())));
        if (kindOf(e.path()) == S_IFDIR) out.merge(listing(e.path(), name + "/"));
    }
    return out;
}

class OutputFile : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("fudo-output-" + std::to_string(::getpid()));
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir / "sub");
    }
    void TearDown() override { fs::remove_all(dir); }
    void put(const fs::path& p, const std::string& text, mode_t mode = 0644) {
        std::ofstream(p, std::ios::binary) << text;
        ::chmod(p.c_str(), mode);
    }
};

// A reader of a pipe on a thread of its own: everything written until the last writer closes.
struct PipeReader {
    std::string got;
    std::thread thread;
    explicit PipeReader(const fs::path& fifo) {
        thread = std::thread([this, fifo] {
            const int fd = ::open(fifo.c_str(), O_RDONLY);
            if (fd < 0) return;
            char buf[4096];
            for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) got.append(buf, static_cast<std::size_t>(n));
            ::close(fd);
        });
    }
    std::string finish() {
        thread.join();
        return got;
    }
};

TEST_F(OutputFile, ARegularFileIsReplacedWholeKeepingItsPermissions) {
    put(dir / "a.kif", "old contents, longer than the new", 0600);
    const auto before = listing(dir);
    ASSERT_EQ(書込_ファイル置換(dir / "a.kif", "new"), std::nullopt);
    EXPECT_EQ(contents(dir / "a.kif"), "new");
    struct stat st{};
    ASSERT_EQ(::stat((dir / "a.kif").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u) << "a private record stays private";
    EXPECT_EQ(listing(dir), before) << "no temporary file is left";
    // A new name is created.
    ASSERT_EQ(書込_ファイル置換(dir / "sub" / "b.csa", "b"), std::nullopt);
    EXPECT_EQ(contents(dir / "sub" / "b.csa"), "b");
}

TEST_F(OutputFile, ALinkIsFollowedAndItsTargetReplaced) {
    put(dir / "real.kif", "old");
    // Relative links, read from the link's own folder, in a chain of two.
    fs::create_symlink("../real.kif", dir / "sub" / "link.kif");
    fs::create_symlink("sub/link.kif", dir / "link2.kif");
    const auto before = listing(dir);
    出力ファイル out(dir / "link2.kif");
    EXPECT_EQ(out.拒否(), "");
    EXPECT_FALSE(out.ストリーム());
    EXPECT_TRUE(out.同じファイル(dir / "real.kif"));
    EXPECT_EQ(fs::weakly_canonical(out.実体()), fs::weakly_canonical(dir / "real.kif"));
    ASSERT_EQ(out.書込("new"), std::nullopt);
    EXPECT_EQ(contents(dir / "real.kif"), "new");
    EXPECT_EQ(kindOf(dir / "link2.kif"), S_IFLNK);
    EXPECT_EQ(kindOf(dir / "sub" / "link.kif"), S_IFLNK);
    EXPECT_EQ(listing(dir), before);

    // The file is known under any of its names; a new name is no file yet.
    EXPECT_TRUE(出力ファイル(dir / "real.kif").同じファイル(dir / "sub" / "link.kif"));
    EXPECT_FALSE(出力ファイル(dir / "real.kif").同じファイル(dir / "other.kif"));
    EXPECT_FALSE(出力ファイル(dir / "new.kif").同じファイル(dir / "new.kif"));

    // A link to nothing yet creates its target.
    fs::create_symlink("made.kif", dir / "sub" / "dangling.kif");
    ASSERT_EQ(書込_ファイル置換(dir / "sub" / "dangling.kif", "made"), std::nullopt);
    EXPECT_EQ(kindOf(dir / "sub" / "dangling.kif"), S_IFLNK);
    EXPECT_EQ(contents(dir / "sub" / "made.kif"), "made");
}

TEST_F(OutputFile, APipeIsWrittenIntoAndStaysAPipe) {
    const fs::path fifo = dir / "p.kif";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // More than a pipe holds at once, in two writes into the one open stream.
    const std::string big(1 << 20, 'x');
    PipeReader reader(fifo);
    {
        出力ファイル out(fifo);
        EXPECT_EQ(out.拒否(), "");
        EXPECT_TRUE(out.ストリーム());
        EXPECT_EQ(out.書込(big, true), std::nullopt);
        EXPECT_EQ(out.書込("end", true), std::nullopt);
    }
    EXPECT_EQ(reader.finish(), big + "end");
    EXPECT_EQ(kindOf(fifo), S_IFIFO);

    // A reader already there and slower than the writer: the writer waits for it.
    {
        const int r = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
        ASSERT_GE(r, 0);
        std::string slow;
        std::thread drain([&] {
            char buf[512];
            for (int idle = 0; slow.size() < big.size() && idle < 20000;) {
                const ssize_t n = ::read(r, buf, sizeof buf);
                if (n > 0) {
                    slow.append(buf, static_cast<std::size_t>(n));
                    idle = 0;
                } else {
                    ++idle;
                }
                std::this_thread::sleep_for(std::chrono::microseconds(100));
            }
        });
        出力ファイル out(fifo);
        EXPECT_EQ(out.書込(big, true), std::nullopt);
        drain.join();
        ::close(r);
        EXPECT_EQ(slow.size(), big.size());
    }

    // Nobody reads: the window is not held, the pipe is refused.
    出力ファイル lonely(fifo);
    EXPECT_EQ(lonely.書込("x"), "読み手のいないパイプには書き込めません");
    EXPECT_EQ(kindOf(fifo), S_IFIFO);

    // A reader that goes away gives a reason, not the end of the program.
    const int r = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(r, 0);
    出力ファイル gone(fifo);
    EXPECT_EQ(gone.書込("first"), std::nullopt);
    ::close(r);
    EXPECT_EQ(gone.書込("second"), "読み手がパイプを閉じました");
}

TEST_F(OutputFile, ACharacterDeviceIsWrittenIntoDirectlyOrThroughALink) {
    fs::create_symlink("/dev/null", dir / "null.kif");
    for (const fs::path& p : {fs::path("/dev/null"), dir / "null.kif"}) {
        SCOPED_TRACE(p.string());
        出力ファイル out(p);
        EXPECT_EQ(out.拒否(), "");
        EXPECT_TRUE(out.ストリーム());
        EXPECT_EQ(out.書込("record"), std::nullopt);
    }
    EXPECT_EQ(kindOf("/dev/null"), S_IFCHR);
    EXPECT_EQ(kindOf(dir / "null.kif"), S_IFLNK);
    EXPECT_EQ(contents("/dev/null"), "");
}

TEST_F(OutputFile, AnythingElseIsRefusedBeforeTheWriteAndLeftAsItWas) {
    fs::create_directories(dir / "folder.kif");
    put(dir / "protected.kif", "kept", 0444);
    // A socket stands for every kind that is neither a file, a pipe nor a character device.
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string sock = (dir / "s.kif").string();
    ASSERT_LT(sock.size(), sizeof addr.sun_path);
    std::strcpy(addr.sun_path, sock.c_str());
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    fs::create_symlink("loop2.kif", dir / "loop1.kif");
    fs::create_symlink("loop1.kif", dir / "loop2.kif");
    const auto before = listing(dir);
    struct Case {
        fs::path path;
        std::string reason;
    };
    for (const Case& c : {Case{dir / "folder.kif", "フォルダには書き込めません"},
                          Case{dir / "s.kif", "通常のファイルでもパイプでも端末などの装置でもないので書き込めません"},
                          Case{dir / "protected.kif", "読み取り専用のファイルです"},
                          Case{dir / "loop1.kif", "リンクが多すぎます"},
                          Case{dir / "no-such-folder" / "x.kif", "ファイルまたはフォルダがありません"},
                          Case{"", "ファイル名がありません"}}) {
        SCOPED_TRACE(c.path.string());
        出力ファイル out(c.path);
        EXPECT_EQ(out.拒否(), c.reason) << "refused when checked, before any work";
        EXPECT_EQ(out.書込("x"), c.reason);
    }
    ::close(s);
    EXPECT_EQ(listing(dir), before);
    EXPECT_EQ(kindOf(dir / "s.kif"), S_IFSOCK);
    EXPECT_EQ(contents(dir / "protected.kif"), "kept");
}

}  // namespace
}  // namespace fudo
