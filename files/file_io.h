// Small file helpers shared by every file the program reads or writes: UTF-8 names as
// paths, reading a whole file with a size limit, and writing one so that a failed write
// never leaves a half-written file behind and nothing but the named file changes.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace fudo {

// A path from UTF-8 text, and back.
std::filesystem::path パス_UTF8(std::string_view utf8);
std::string 文字列_パス(const std::filesystem::path& path);

// Outcome of reading a whole file.
struct ファイル内容 {
    bool ok = false;
    bool missing = false;  // no such file (not an error for the callers that allow it)
    std::string bytes;
    std::string error;     // Japanese description when !ok && !missing
};

// Reads a regular file of at most maxBytes bytes. Folders, devices and larger files fail.
ファイル内容 読込_ファイル(const std::filesystem::path& path, std::size_t maxBytes);

// A file to write, checked before the work that fills it. A regular file (or a new name) is
// replaced in one step: written into a temporary file in its folder, then renamed over it,
// with its permissions kept; a symbolic link is followed and its target replaced. A pipe or
// a character device (a terminal, /dev/null) is written straight into. Anything else (a
// folder, a block device, a socket) is refused, and so is a read-only file.
class 出力ファイル {
public:
    explicit 出力ファイル(std::filesystem::path path);
    ~出力ファイル();
    出力ファイル(const 出力ファイル&) = delete;
    出力ファイル& operator=(const 出力ファイル&) = delete;

    // Empty when the file may be written, else a Japanese reason.
    const std::string& 拒否() const { return 拒否_; }
    // A pipe or a character device.
    bool ストリーム() const { return ストリーム_; }
    // The file that is written: the target of the links for a regular file.
    const std::filesystem::path& 実体() const { return 実体_; }
    // Whether path names this very file (another name or link of it included).
    bool 同じファイル(const std::filesystem::path& path) const;

    // Writes bytes as the whole new contents (a regular file), or into the stream, which
    // stays open for the next call. A pipe that nobody reads is refused unless wait is
    // true, which waits for its reader. nullopt on success, else a Japanese reason; on
    // failure a regular file is left as it was.
    std::optional<std::string> 書込(std::string_view bytes, bool wait = false);

private:
    std::filesystem::path 名前_;
    std::filesystem::path 実体_;
    std::string 拒否_;
    bool ストリーム_ = false;
    bool パイプ_ = false;
    bool 既存_ = false;
    unsigned long long 装置_ = 0, 番号_ = 0;
    unsigned 許可_ = 0;
    int fd_ = -1;  // the open stream
};

// Writes bytes as the whole new contents of path through 出力ファイル (a pipe without a
// reader is refused). On failure path is untouched and the result is a Japanese reason.
std::optional<std::string> 書込_ファイル置換(const std::filesystem::path& path,
                                             std::string_view bytes);

// Japanese description of an errno value.
std::string 説明_エラー(int err);

}  // namespace fudo
