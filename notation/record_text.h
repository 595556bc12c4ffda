// Text helpers shared by the KIF and CSA readers and writers: telling UTF-8 from Shift_JIS,
// splitting lines, and the marks this game leaves in its own files (comment lines that other
// programs skip) so that a record it wrote comes back exactly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fudo {

// The bytes of a record file as UTF-8 text with LF line ends: UTF-16 with a byte-order mark,
// UTF-8 (a byte-order mark dropped), else CP932 or EUC-JP, whichever reads as a record. Every
// CR is dropped. nullopt (and a reason) for bytes that are none of these, control
// characters, or a file over the size limit.
std::optional<std::string> 復号_記録(std::string_view bytes, std::string& reason);

// Lines without their CR LF or LF.
std::vector<std::string_view> 分割_行(std::string_view text);

// Columns a line takes in a fixed-width font: two for a character outside ASCII.
int 表示幅(std::string_view utf8);

// One-character name of a piece of either side (杏 圭 全 for the promoted lance, knight and
// silver), as board diagrams print it; "・" for anything else.
const char* 一字駒名(int code);

// The prefix of this game's own comment lines after the comment mark ("#" or "'"): hints
// for its reader and the moves that standard shogi cannot hold.
inline constexpr std::string_view 独自行 = "不動将棋：";

// Hint word of the first such line: the upper side moved first. (Files of earlier versions
// may also say "上手打=段"; their drops read the same, so it is no longer looked at.)
inline constexpr std::string_view 上手先手語 = "先手=上手";

}  // namespace fudo
