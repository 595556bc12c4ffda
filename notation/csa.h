// CSA, the record format of computer shogi (version 2.2): "V2.2", the players "N+"/"N-",
// "$" information, the start ("PI" or the rows "P1".."P9" and the side to move), one move
// per line ("+7776FU") each followed by its seconds ("T12"), and the end ("%TORYO", …).
// Written in Shift_JIS (CP932) with CR LF; read in Shift_JIS or UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "notation/game_record.h"

namespace fudo {

// The record as CSA text (UTF-8, CR LF).
std::string 書式_CSA(const 対局記録& r);

// The bytes of a ".csa" file (CP932); nullopt and a reason when a name cannot be written.
std::optional<std::string> 符号化_CSA(const 対局記録& r, std::string* reason = nullptr);

// Reads a CSA file in either encoding; comments are skipped and every move is checked
// against the game's rules.
記録読込結果 解析_CSA(std::string_view bytes);

}  // namespace fudo
