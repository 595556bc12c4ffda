// The session file: the whole state of an unfinished game as JSON, so that a game outlives
// the program. The window writes it after every move and when the program ends (through a
// temporary file and a rename) and offers it back at start-up.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/game.h"

namespace fudo {

// A game worth keeping: one is running with moves played (a record being replayed is not).
bool 保存する対局か(const Game& g);

// The state as JSON text: the board, the hands, the move list and the place in it, the
// clocks, the level, the handicap, the reversal, the mode, the side to move, and the maps
// the computer carries from one turn to the next.
std::string セッション文字列(const Game& g);

// Writes the state to `file` through a temporary file beside it; false when that fails.
bool 書込_セッション(const Game& g, const std::filesystem::path& file);

// Checks JSON text without touching a game: true when it holds a state this game can take.
// On a fault (not JSON, another format or version, a field missing, of the wrong kind or
// out of range, or a position that cannot be) `error` says which.
// `unfinished`, if given, tells whether the state is a game worth offering back.
bool 検査_セッション(std::string_view text, std::string& error, bool* unfinished = nullptr);

// Puts the state into the game, all or nothing (a faulty text leaves the game as it was).
bool 読込_セッション(Game& g, std::string_view text, std::string& error);

// Reads a session file whole; false when it cannot be read or is implausibly large.
bool 読込_セッションファイル(const std::filesystem::path& file, std::string& text);

// After a restored state: the window drawn afresh and, if the computer is to move in a
// running game, its move.
void 再開_セッション(Game& g);

}  // namespace fudo
