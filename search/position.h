// The strong engine's own compact position: a padded mailbox, both hands, the side to
// move, the two fixed kings, a Zobrist key and the material balance kept up to date by
// make/unmake. Built from a snapshot of the game's state.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "search/types.h"

namespace fudo {
class Game;
}

namespace fudo::search {

// The game's state the engine needs, copied on the game's thread: codes as the game keeps
// them ([x][y], 1..9), hands by kind 1..7, who is to move and how many moves the move
// list holds (500 ends the game as a draw).
struct Snapshot {
    std::array<std::array<int, 10>, 10> ban{};
    std::array<int, 8> sitaMochi{}, ueMochi{};
    Color toMove = Upper;
    int movesPlayed = 0;
    // A game against the computer ends when the game's mate test finds the upper king
    // mated after a lower move (see dropsCannotBlock); between two persons only a taken
    // king ends it.
    bool upperMateEndsGame = true;
};

// The game's position with the given army to move.
Snapshot snapshotOf(const Game& game, Color toMove);

// Game code of a piece and back (0 for empty / not a piece).
int gameCode(Piece p);
Piece pieceOfCode(int code);

// What make() must remember to undo a move.
struct Undo {
    Piece captured = Empty;
    std::uint64_t key = 0, handKey = 0;
    int material = 0;
};

class Position {
public:
    // False when the snapshot is not a position the engine can search (a king missing,
    // two kings of one army, an unknown code, a bad hand count).
    bool set(const Snapshot& s);

    Piece at(Square s) const { return board_[s]; }
    int hand(Color c, int type) const { return hand_[c][type]; }
    Color sideToMove() const { return side_; }
    Square king(Color c) const { return king_[c]; }
    std::uint64_t key() const { return key_ + handKey_; }
    int movesPlayed() const { return movesPlayed_; }
    // Material from the lower army's view (board and hands).
    int material() const { return material_; }
    // True when column x (1..9) holds an unpromoted pawn of colour c.
    bool pawnOnFile(Color c, int x) const { return pawnFiles_[c] & (1u << x); }

    void make(Move m, Undo& u);
    void unmake(Move m, const Undo& u);
    // Passes the turn (for tests of the key only).
    void flipSide();

    // True when a piece of colour `by` attacks square s (kings do not attack: they never move).
    bool attacked(Square s, Color by) const;
    // Attackers of s of each colour, kings excluded.
    void attackCounts(Square s, int count[2]) const;
    // The side to move's king is attacked.
    bool inCheck() const { return attacked(king_[side_], ~side_); }
    // The side to move can take the other king now.
    bool canTakeKing() const { return attacked(king_[~side_], side_); }

    // The key recomputed from scratch, and a check of every kept quantity against the board.
    std::uint64_t computeKey() const;
    bool consistent() const;

    std::string sfen() const;
    // The position as the game would hold it.
    Snapshot snapshot() const;

private:
    void put(Square s, Piece p);
    void remove(Square s);

    std::array<Piece, SquareCount> board_{};
    std::array<std::array<int, 8>, 2> hand_{};
    std::array<Square, 2> king_{};
    std::array<std::uint32_t, 2> pawnFiles_{};
    std::array<std::array<int, 10>, 2> pawnCount_{};
    Color side_ = Upper;
    std::uint64_t key_ = 0;      // board and side, by XOR
    std::uint64_t handKey_ = 0;  // hands, by addition
    int material_ = 0;
    int movesPlayed_ = 0;
};

// Directions from a square: index 0..7 in the order N NE E SE S SW W NW (N toward row 1).
constexpr int Directions[8] = {-16, -15, 1, 17, 16, 15, -1, -17};

// Zobrist keys.
struct Zobrist {
    std::uint64_t psq[PieceSlots][SquareCount];
    std::uint64_t hand[2][8];
    std::uint64_t side;
};
extern const Zobrist kZobrist;
inline const Zobrist& zobrist() { return kZobrist; }

// Piece values for the material balance (board and hand), set by the evaluation's weights.
struct MaterialValues {
    int board[TypeCount];
    int hand[8];
};
extern MaterialValues gMaterial;
inline MaterialValues& materialValues() { return gMaterial; }

}  // namespace fudo::search
