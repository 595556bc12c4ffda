// Conversion between UTF-8 (all text in memory) and Shift_JIS (CP932, the code page of the
// record files and the settings file). Bytes that are not valid in the source encoding,
// or characters the target cannot represent, make the conversion fail: nothing is ever
// guessed or replaced.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fudo {

// UTF-8 text as CP932 bytes; nullopt when the text is not valid UTF-8 or holds a character
// that CP932 lacks (an emoji, an accented letter, ...).
std::optional<std::string> 変換_UTF8からSJIS(std::string_view utf8);

// CP932 bytes as UTF-8 text; nullopt for invalid or truncated CP932 sequences.
std::optional<std::string> 変換_SJISからUTF8(std::string_view sjis);

// Bytes in another encoding that iconv knows ("UTF-16", "EUC-JP") as UTF-8 text; nullopt
// for invalid or truncated sequences. A UTF-16 byte-order mark is consumed.
std::optional<std::string> 変換_UTF8へ(std::string_view bytes, const char* encoding);

// UTF-8 text in another encoding that iconv knows; nullopt when it cannot hold the text.
std::optional<std::string> 変換_UTF8から(std::string_view utf8, const char* encoding);

// Number of characters (code points) of UTF-8 text; invalid bytes count one each.
int 文字数_UTF8(std::string_view utf8);

}  // namespace fudo
