#include "files/file_io.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fudo {

namespace fs = std::filesystem;

fs::path パス_UTF8(std::string_view utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string 文字列_パス(const fs::path& path) {
    const std::u8string s = path.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

std::string 説明_エラー(int err) {
    switch (err) {
    case EACCES:
    case EPERM: return "アクセスが許可されていません";
    case ENOENT: return "ファイルまたはフォルダがありません";
    case ENOTDIR: return "フォルダではありません";
    case EISDIR: return "同じ名前のフォルダがあります";
    case ENOSPC:
    case EDQUOT: return "ディスクに空きがありません";
    case EROFS: return "読み取り専用の場所です";
    case ENAMETOOLONG: return "ファイル名が長すぎます";
    case EIO: return "入出力エラーが起きました";
    case ELOOP: return "リンクが多すぎます";
    case EPIPE: return "読み手がパイプを閉じました";
    case EMFILE:
    case ENFILE: return "開いているファイルが多すぎます";
    default: return std::string("エラー: ") + std::strerror(err);
    }
}

ファイル内容 読込_ファイル(const fs::path& path, std::size_t maxBytes) {
    ファイル内容 r;
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) {
            r.missing = true;
            r.error = 説明_エラー(ENOENT);
        } else {
            r.error = 説明_エラー(errno);
        }
        return r;
    }
    if (!S_ISREG(st.st_mode)) {  // a folder, a pipe or a device would block or mislead
        r.error = "通常のファイルではありません";
        return r;
    }
    if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
        r.error = "ファイルが大きすぎます";
        return r;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        r.error = 説明_エラー(errno);
        return r;
    }
    std::string data;
    char chunk[8192];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            r.error = 説明_エラー(errno);
            ::close(fd);
            return r;
        }
        if (n == 0) break;
        data.append(chunk, static_cast<std::size_t>(n));
        if (data.size() > maxBytes) {  // the file grew since stat
            r.error = "ファイルが大きすぎます";
            ::close(fd);
            return r;
        }
    }
    ::close(fd);
    r.ok = true;
    r.bytes = std::move(data);
    return r;
}

namespace {

// The name a chain of symbolic links ends at (path itself when it is no link); empty, with
// err set, when a link cannot be read or the chain is too long.
fs::path リンク先(fs::path path, int& err) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st{};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::error_code ec;
        const fs::path to = fs::read_symlink(path, ec);
        if (ec) {
            err = ec.value();
            return {};
        }
        path = to.is_absolute() ? to : path.parent_path() / to;
    }
    err = ELOOP;
    return {};
}

// nullopt when a file may be created and renamed in folder, else the reason.
std::optional<std::string> 検査_フォルダ(const fs::path& file) {
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    struct stat st{};
    if (::stat(folder.c_str(), &st) != 0) return 説明_エラー(errno);
    if (!S_ISDIR(st.st_mode)) return 説明_エラー(ENOTDIR);
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return 説明_エラー(errno);
    return std::nullopt;
}

// Writes all of bytes to fd; 0 or the errno of the failure. A reader that has closed its
// end of a pipe gives EPIPE here rather than a signal that would end the program.
int 全部書く(int fd, std::string_view bytes) {
    sigset_t pipeSignal, old;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    sigset_t pending;
    sigpending(&pending);
    const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &old);
    int err = 0;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    if (err == EPIPE && !wasPending) {
        const timespec none{};
        while (sigtimedwait(&pipeSignal, nullptr, &none) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    return err;
}

}  // namespace

出力ファイル::出力ファイル(fs::path path) : 名前_(std::move(path)) {
    if (名前_.empty()) {
        拒否_ = "ファイル名がありません";
        return;
    }
    struct stat st{};
    if (::stat(名前_.c_str(), &st) != 0) {
        if (errno != ENOENT) {
            拒否_ = 説明_エラー(errno);
            return;
        }
        // A new file, perhaps where a link points to nothing yet.
        int err = 0;
        実体_ = リンク先(名前_, err);
        if (実体_.empty()) {
            拒否_ = 説明_エラー(err);
            return;
        }
        if (auto why = 検査_フォルダ(実体_)) 拒否_ = *why;
        return;
    }
    既存_ = true;
    装置_ = st.st_dev;
    番号_ = st.st_ino;
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) {
        ストリーム_ = true;
        パイプ_ = S_ISFIFO(st.st_mode);
        実体_ = 名前_;  // opened through its links, which the system follows (also /dev/stdout's)
        if (::access(名前_.c_str(), W_OK) != 0) 拒否_ = 説明_エラー(errno);
        return;
    }
    if (S_ISDIR(st.st_mode)) {
        拒否_ = "フォルダには書き込めません";
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        拒否_ = "通常のファイルでもパイプでも端末などの装置でもないので書き込めません";
        return;
    }
    int err = 0;
    実体_ = リンク先(名前_, err);
    struct stat target{};
    if (実体_.empty() || ::lstat(実体_.c_str(), &target) != 0 || !S_ISREG(target.st_mode) ||
        target.st_dev != st.st_dev || target.st_ino != st.st_ino) {
        拒否_ = "リンクの先のファイルを確かめられません";
        return;
    }
    // Replacing by rename would go round a file the user protected.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        拒否_ = "読み取り専用のファイルです";
        return;
    }
    if (::access(実体_.c_str(), W_OK) != 0) {
        拒否_ = 説明_エラー(errno);
        return;
    }
    許可_ = st.st_mode & 07777;
    if (auto why = 検査_フォルダ(実体_)) 拒否_ = *why;
}

出力ファイル::~出力ファイル() {
    if (fd_ >= 0) ::close(fd_);
}

bool 出力ファイル::同じファイル(const fs::path& path) const {
    struct stat st{};
    return 既存_ && ::stat(path.c_str(), &st) == 0 && st.st_dev == 装置_ && st.st_ino == 番号_;
}

std::optional<std::string> 出力ファイル::書込(std::string_view bytes, bool wait) {
    if (!拒否_.empty()) return 拒否_;
    if (ストリーム_) {
        if (fd_ < 0) {
            // Without O_NONBLOCK a pipe nobody reads would hold the program for good.
            fd_ = ::open(名前_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
            if (fd_ < 0 && errno == ENXIO && パイプ_) {
                if (!wait) return "読み手のいないパイプには書き込めません";
                fd_ = ::open(名前_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
            }
            if (fd_ < 0) return 説明_エラー(errno);
            struct stat st{};
            if (::fstat(fd_, &st) != 0 || !(S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
                ::close(fd_);
                fd_ = -1;
                return "書き込む前にファイルの種類が変わりました";
            }
            const int flags = ::fcntl(fd_, F_GETFL);
            if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
        }
        if (const int err = 全部書く(fd_, bytes)) return 説明_エラー(err);
        return std::nullopt;
    }

    static std::atomic<unsigned> serial{0};
    const fs::path folder = 実体_.parent_path().empty() ? fs::path(".") : 実体_.parent_path();
    // The temporary file gets a fresh name; O_EXCL makes sure we never write through
    // someone else's file or link. Mode 0666 lets the umask decide, like any new file.
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        // Short and independent of the target's name, so a name near the length limit
        // still gets its temporary file.
        temp = folder / (".fudo-tmp-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) return 説明_エラー(errno);

    auto fail = [&](int err) -> std::optional<std::string> {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        return 説明_エラー(err);
    };

    // The replaced file keeps its permissions: a private record stays private.
    if (既存_ && ::fchmod(fd, 許可_) != 0) return fail(errno);
    if (const int err = 全部書く(fd, bytes)) return fail(err);
    // A full disk may only show at fsync or close.
    if (::fsync(fd) != 0 && errno != EINVAL) return fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail(errno);
    // What was checked must still stand there: a rename would replace a link or a folder's
    // entry put in its place since.
    struct stat now{};
    const bool present = ::lstat(実体_.c_str(), &now) == 0;
    if (present ? !S_ISREG(now.st_mode) : errno != ENOENT) {
        ::unlink(temp.c_str());
        return "書き込む前にファイルの種類が変わりました";
    }
    if (::rename(temp.c_str(), 実体_.c_str()) != 0) return fail(errno);
    return std::nullopt;
}

std::optional<std::string> 書込_ファイル置換(const fs::path& path, std::string_view bytes) {
    出力ファイル file(path);
    return file.書込(bytes);
}

}  // namespace fudo
