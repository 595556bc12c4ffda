// Basic types of the strong engine: colours, piece types, squares of a padded mailbox and
// 32-bit moves. Nothing here knows about Game; position.h converts.
#pragma once

#include <cstdint>

namespace fudo::search {

// The lower army (negative codes, moves toward row 1) and the upper army (positive codes,
// moves toward row 9).
enum Color : int { Lower = 0, Upper = 1 };
constexpr Color operator~(Color c) { return Color(c ^ 1); }

// Piece types. 1..7 are also the hand kinds of the game (歩 香 桂 銀 金 角 飛).
enum PieceType : int {
    NoType = 0,
    Pawn = 1, Lance, Knight, Silver, Gold, Bishop, Rook, King,
    ProPawn, ProLance, ProKnight, ProSilver, Horse, Dragon,
    TypeCount
};

// A square's content: type | colour << 4, 0 empty, Wall outside the board.
using Piece = std::uint8_t;
constexpr Piece Empty = 0;
constexpr Piece Wall = 0x80;
constexpr Piece makePiece(Color c, int t) { return Piece(t | (c << 4)); }
constexpr int typeOf(Piece p) { return p & 15; }
constexpr Color colorOf(Piece p) { return Color((p >> 4) & 1); }
constexpr int PieceSlots = 32;

constexpr bool canPromote(int t) { return t >= Pawn && t <= Rook && t != Gold; }
constexpr int promoted(int t) { return t <= Silver ? t + 8 : t + 7; }  // Pawn..Silver, Bishop, Rook
// The kind a captured piece becomes in hand.
constexpr int unpromoted(int t) { return t >= ProPawn && t <= ProSilver ? t - 8 : t >= Horse ? t - 7 : t; }

// Squares: x + 16 * (y + 2), x 1..9 from the left, y 1..9 from the top; two rows of walls
// above and below for knights, and columns 0, 10..15 are walls.
using Square = int;
constexpr int SquareCount = 16 * 14;
constexpr Square square(int x, int y) { return x + 16 * (y + 2); }
constexpr int fileOf(Square s) { return s & 15; }
constexpr int rowOf(Square s) { return (s >> 4) - 2; }
constexpr Square NoSquare = 0;

// Moves: to | from << 8 | promote << 16 | drop << 17; a drop keeps the dropped type in
// the from field. 0 is no move (square 0 is a wall).
using Move = std::uint32_t;
constexpr Move NoMove = 0;
constexpr Move PromoteFlag = 1u << 16;
constexpr Move DropFlag = 1u << 17;
constexpr Move makeMove(Square from, Square to, bool promote) {
    return Move(to) | Move(from) << 8 | (promote ? PromoteFlag : 0);
}
constexpr Move makeDrop(int type, Square to) { return Move(to) | Move(type) << 8 | DropFlag; }
constexpr Square toOf(Move m) { return Square(m & 0xff); }
constexpr Square fromOf(Move m) { return Square((m >> 8) & 0xff); }
constexpr int dropTypeOf(Move m) { return int((m >> 8) & 0xff); }
constexpr bool isDrop(Move m) { return (m & DropFlag) != 0; }
constexpr bool isPromotion(Move m) { return (m & PromoteFlag) != 0; }

// Scores in centipawn-like units from the side to move's view.
constexpr int Infinite = 32000;
constexpr int MateScore = 31000;
constexpr int MateBound = MateScore - 1000;  // beyond this a score is a mate in n
constexpr int MaxPly = 128;
constexpr int MaxMoves = 1024;  // generous: drops, both promotion choices

}  // namespace fudo::search
