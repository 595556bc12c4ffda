// Positions in SFEN, the standard shogi position notation, and moves in USI notation, in
// the computer's view that the command-line tool uses (the window's oriented SFEN of the
// shown position is in notation/record_io.h).
//
// SFEN: uppercase letters are the lower side (the person, negative codes), lowercase the
// upper side (the computer, positive codes); ranks a..i are rows 1..9 from the top; the
// file digit is 10 - x; '+' before a letter is the promoted form; hands like "2P3pB" with
// uppercase counted in SITA_MOCHI. The side-to-move and move-number fields are checked for
// form and otherwise ignored: the computer always plays the upper side.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/game.h"

namespace fudo {

struct Position {
    std::array<std::array<int, 10>, 10> ban{};  // [x][y], 1..9 used
    std::array<int, 8> sitaMochi{};             // lower hand by kind 1..7
    std::array<int, 8> ueMochi{};               // upper hand
    int sitaOuX = 0, sitaOuY = 0, ueOuX = 0, ueOuY = 0;
};

// Parses an SFEN position (board, then optionally side to move, hands and move number; a
// leading "sfen" word is allowed). On failure returns false and a one-line reason.
bool parseSfen(std::string_view text, Position& out, std::string& error);

// False, with a reason naming the kind, when the board (promoted pieces included) and both
// hands hold more pieces of a kind than a set: a search given a 39th pawn would play it.
// parseSfen reads such positions (the evaluation is tested on them); the commands that take
// a position to play refuse them.
bool checkPieceCounts(const Position& pos, std::string& error);

// The position of a game as SFEN, with the given side letter and move number.
std::string toSfen(const Game& game, char side = 'w', int moveNumber = 1);

// Puts a parsed position on a game: board, hands and their totals, both kings' squares.
// Nothing else is touched.
void setPosition(Game& game, const Position& pos);

// A candidate of the search in USI notation: "7g7f", "8c8g+" (played promoted), "P*5e".
std::string usiMove(const 候補手& m);

}  // namespace fudo
