// Move generation by the game's own rules: every piece move and drop its legality check
// accepts, with forced promotion, the two-pawn rule and no drop where a piece could never
// move again. Kings are never moved (moving one's king loses at once).
#pragma once

#include <string>
#include <string_view>

#include "search/position.h"

namespace fudo::search {

enum class GenMode {
    All,     // every move the rules allow, both choices of every optional promotion
    Search,  // without the non-promotions of pawn, bishop and rook (promoting loses nothing)
};

// Moves of the side to move that the rules allow, own king left attacked or not.
// Returns the count written to out (room for MaxMoves).
int generateMoves(const Position& pos, Move* out, GenMode mode);
// Captures only (the kind of the search's quiescence), promoting as in GenMode::Search.
int generateCaptures(const Position& pos, Move* out);

// The move does not leave the mover's king attacked. The move must come from a generator;
// inCheck tells whether that king is attacked now.
bool isLegal(Position& pos, Move m, bool inCheck);
// The move is one generateMoves(pos, ·, Search) could give (for moves from the table or
// the killers).
bool isPseudoLegal(const Position& pos, Move m);

// The game's own mate test differs from "no move keeps the king" in one way: when every
// piece in hand is a pawn, a drop counts as a block only if a pawn may be dropped on every
// empty square between a checking piece and the king. True when that makes the drops of
// colour c useless against the check it is in.
bool dropsCannotBlock(const Position& pos, Color c);

// The move in USI notation ("7g7f", "8h2b+", "G*5b") with files 10 - x and ranks a..i.
std::string usi(Move m);
// Parses USI; NoMove when it does not parse (legality not checked).
Move parseUsi(std::string_view text);

}  // namespace fudo::search
