// What must hold of a game after any input: piece codes, hands and their totals, the
// number of pieces, the move list's counters, the side to move, both kings in a game, and
// the shown position equal to the move list replayed from the opening. And legal moves
// found at random, so that random input gets games somewhere.
#pragma once

#include <array>
#include <random>
#include <string>

#include "engine/game.h"
#include "files/record_file.h"

namespace fudo::test {

// A board with both hands, for positions replayed outside the game.
struct Position {
    IntMap ban;
    std::array<int, 8> sita{}, ue{};
};

// The opening with every move of a list applied as 進 applies it: the game's list up to
// KIFU_NOW, or a record's whole list.
Position replay(const Game& g);
Position replay(const 棋譜データ& d);

// The differences between a replayed position and a board with hands, or empty.
std::string compare(const Position& p, const IntMap& ban, const std::array<int, 8>& sita,
                    const std::array<int, 8>& ue, const char* what);

// The first invariant the game breaks, or empty.
std::string checkInvariants(const Game& g);

// A random legal move or drop of the side to move, found with the game's own legality
// check: a source square or stand cell (fx, fy) and a destination. False when none was hit.
bool randomLegalMove(Game& g, std::mt19937& rng, int& fx, int& fy, int& tx, int& ty);

}  // namespace fudo::test
