// Small file helpers shared by the record file and the settings file: UTF-8 names as
// paths, reading a whole file with a size limit, and replacing a file so that a failed
// write never leaves a half-written file behind.
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

// Writes bytes as the whole new contents of path: into a temporary file in the same
// folder first, then renamed over path. On failure path is untouched and the result is a
// Japanese description of the failure.
std::optional<std::string> 書込_ファイル置換(const std::filesystem::path& path,
                                             std::string_view bytes);

// Whether an existing file may be written over: nullopt for a writable file or a new
// name, else a Japanese reason (a file without any write permission counts as
// read-only, also for a user whom the system would let write it).
std::optional<std::string> 検査_上書き(const std::filesystem::path& path);

// Japanese description of an errno value.
std::string 説明_エラー(int err);

}  // namespace fudo
