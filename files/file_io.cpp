#include "files/file_io.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

std::optional<std::string> 検査_上書き(const fs::path& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;  // a new file
    if (S_ISREG(st.st_mode) && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return "読み取り専用のファイルです";
    if (::access(path.c_str(), W_OK) != 0) return 説明_エラー(errno);
    return std::nullopt;
}

std::optional<std::string> 書込_ファイル置換(const fs::path& path, std::string_view bytes) {
    static std::atomic<unsigned> serial{0};
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();

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

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    // A full disk may only show at fsync or close.
    if (::fsync(fd) != 0 && errno != EINVAL) return fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail(errno);
    if (::rename(temp.c_str(), path.c_str()) != 0) return fail(errno);
    return std::nullopt;
}

}  // namespace fudo
