// Orientation of a record: which side of the board is ▲ (先手, "+", "b", the bottom side of
// KIF, CSA and SFEN), who moved first, and how a square of the board is turned into a square
// of the record. Every reader, writer, the SFEN and the move list take it from here.
//
// An even game is written with the first mover as ▲: when the upper side moved first the
// board is turned by 180°. A handicap game is laid out as such records are: the side that
// gave the pieces at the top as △ (上手), moving first; when the lower side gave them, the
// board is turned.
#pragma once

namespace fudo {

class Game;

struct 記録の向き {
    bool 回転 = false;     // the board is turned: ▲ is the upper side
    bool 上手先手 = false;  // the upper side moved first

    // From the handicap grade (-10..10) and who moved first.
    static 記録の向き 作成(int 手合, bool 上手先手);
    // From the grade, the turn of the board a file was read in, and whether ▲ is to move at
    // its start. An even game is written back with its first mover as ▲.
    static 記録の向き 読込(int 手合, bool 回転, bool 先手番);

    // ▲ moved first (else △ did, as the giver of a handicap does).
    bool 先手から() const { return 上手先手 == 回転; }
    // The sign of ▲'s piece codes in the game.
    int 先手側() const { return 回転 ? 1 : -1; }
    // A piece code of the game (or the side value of a mover) belongs to ▲.
    bool 先手の駒(int code) const { return code != 0 && (code > 0) == 回転; }
    // File and rank of the record for a square (x, y) of the game, and back: the same turn.
    void 記録座標(int x, int y, int& f, int& r) const {
        f = 回転 ? x : 10 - x;
        r = 回転 ? 10 - y : y;
    }
    void 盤座標(int f, int r, int& x, int& y) const { 記録座標(f, r, x, y); }
    // A code of the game as a code of the record (▲ positive) and back.
    int 記録の駒(int code) const { return 回転 ? code : -code; }
};

// Who moved first in the game: its first move, or before any, the side that starts.
bool 上手が先手か(const Game& g);
// The orientation of the game on the board: its handicap grade and its first mover.
記録の向き 向き(const Game& g);

}  // namespace fudo
