// Record files in the exchange formats as the window and the command-line tool use them:
// the format from the file name, reading and checking a file, writing one safely, putting a
// read record into the game (record mode, as a ".棋譜" file is read), and the SFEN of the
// shown position.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "notation/game_record.h"

namespace fudo {

enum class 記録形式 { KIF, KIFU, CSA };

// The format a file name asks for by its extension (".kif", ".kifu", ".csa", any case).
std::optional<記録形式> 形式_拡張子(const std::filesystem::path& path);

// Reads and checks a KIF, KIFU or CSA file; the reason names the move or line at fault.
記録読込結果 読込_記録(const std::filesystem::path& path);

// The bytes of the record in the format; nullopt with the Japanese reason when the record
// is empty, does not replay from its start, or cannot be written in the format.
std::optional<std::string> 書式_記録(const 対局記録& r, 記録形式 format, std::string* reason);

// Writes the record in the format: formatted first, then replaced in one step. nullopt on
// success, else a Japanese reason; on failure no file is changed. A move list that does not
// replay from its start is refused too.
std::optional<std::string> 書込_記録(const std::filesystem::path& path, const 対局記録& r,
                                     記録形式 format);

// Puts the record into the game in record mode; 進 then replays it.
void 取込_対局記録(Game& g, const 対局記録& r);

// The shown position in SFEN with the first mover as "b" (uppercase) at the bottom of the
// record's board, the side to move and the next move number.
std::string 局面SFEN(const Game& g);

}  // namespace fudo
