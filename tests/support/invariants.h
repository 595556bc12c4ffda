// What must hold of a game after any input: piece codes, hands and their totals, the
// number of pieces, the move list's counters, the side to move, both kings in a game, and
// the shown position equal to the move list replayed from the opening. And the legal moves
// of a side, so that random input gets games somewhere.
#pragma once

#include <array>
#include <random>
#include <string>
#include <vector>

#include "engine/game.h"
#include "files/record_file.h"

namespace fudo::test {

// A board with both hands, for positions replayed outside the game.
struct ReplayedPosition {
    IntMap ban;
    std::array<int, 8> sita{}, ue{};
};

// The opening with every move of a list applied as 進 applies it: the game's list up to
// KIFU_NOW, or a record's whole list.
ReplayedPosition replay(const Game& g);
ReplayedPosition replay(const 棋譜データ& d);

// The differences between a replayed position and a board with hands, or empty.
std::string compare(const ReplayedPosition& p, const IntMap& ban, const std::array<int, 8>& sita,
                    const std::array<int, 8>& ue, const char* what);

// The first invariant the game breaks, or empty.
std::string checkInvariants(const Game& g);

// A legal move or drop of one side, found with the game's own checks: the source square or
// the stand cell a click picks (the lower stand holds kind k at (11, k + 2), the upper at
// (-1, 8 - k)), the destination, the code moved and the code taken, and whether the piece
// may or must promote there.
struct LegalMove {
    int fx = 0, fy = 0, tx = 0, ty = 0;
    int koma = 0, taken = 0;
    bool mayPromote = false, mustPromote = false;
    bool drop() const { return fx == 11 || fx == -1; }
    bool king() const { return koma == OU || koma == -OU; }
    bool takesKing() const { return taken == OU || taken == -OU; }
};

// Every legal move and drop of `side` (-1 the lower, +1 the upper) on the game's board and
// hands, kings' moves and captures included; board moves first, by source and destination.
std::vector<LegalMove> legalMoves(const Game& g, int side);

// A random one of them for the side to move: a source square or stand cell (fx, fy) and a
// destination. False when there is none.
bool randomLegalMove(const Game& g, std::mt19937& rng, int& fx, int& fy, int& tx, int& ty);

}  // namespace fudo::test
