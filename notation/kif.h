// KIF (柿木形式), the record format Japanese shogi programs read and write: a header of
// "key：value" lines, the start position (手合割 or a board diagram), then one numbered line
// per move "手数 指手(移動元) (消費時間/累計)" and the end. ".kif" is Shift_JIS (CP932),
// ".kifu" UTF-8; both with CR LF.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "notation/game_record.h"

namespace fudo {

// The record as KIF text (UTF-8, CR LF).
std::string 書式_KIF(const 対局記録& r);

// The bytes of a ".kif" (CP932) or ".kifu" (UTF-8) file; nullopt and a reason when a name
// holds a character Shift_JIS lacks or a line break.
std::optional<std::string> 符号化_KIF(const 対局記録& r, bool utf8, std::string* reason = nullptr);

// Reads the main line of a KIF file in either encoding; comments, bookmarks and variations
// are skipped. Every move is checked against the game's rules.
記録読込結果 解析_KIF(std::string_view bytes);

}  // namespace fudo
