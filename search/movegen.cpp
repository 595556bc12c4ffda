#include "search/movegen.h"

#include <cstdlib>

#include "search/attack_tables.h"

namespace fudo::search {

namespace {

// Rows where colour c's pieces may promote, and the rows where a piece could never move
// again unpromoted (forced promotion, no drop).
constexpr bool inZone(Color c, int y) { return c == Lower ? y <= 3 : y >= 7; }
constexpr bool deadRow(Color c, int type, int y) {
    const int r = c == Lower ? y : 10 - y;  // rows from the far edge, 1 = last
    if (type == Pawn || type == Lance) return r == 1;
    if (type == Knight) return r <= 2;
    return false;
}

template <bool CapturesOnly>
int generateBoardMoves(const Position& pos, Move* out, GenMode mode) {
    const AttackTables& at = attackTables();
    const Color us = pos.sideToMove();
    int n = 0;
    auto add = [&](Square from, Square to, int type) {
        const int fy = rowOf(from), ty = rowOf(to);
        const bool mayPromote = canPromote(type) &&
                                (inZone(us, ty) || ((type == Silver || type == Bishop || type == Rook) && inZone(us, fy)));
        if (!mayPromote) {
            out[n++] = makeMove(from, to, false);
            return;
        }
        out[n++] = makeMove(from, to, true);
        if (deadRow(us, type, ty)) return;
        if (mode == GenMode::Search && (type == Pawn || type == Bishop || type == Rook)) return;
        out[n++] = makeMove(from, to, false);
    };
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            const Square from = square(x, y);
            const Piece p = pos.at(from);
            if (p == Empty || colorOf(p) != us) continue;
            const int type = typeOf(p);
            if (type == King) continue;
            if (type == Knight) {
                for (int d : at.knightTo[us]) {
                    const Square to = from + d;
                    const Piece q = pos.at(to);
                    if (q == Wall || (q != Empty && colorOf(q) == us)) continue;
                    if (CapturesOnly && q == Empty) continue;
                    add(from, to, type);
                }
                continue;
            }
            for (int j = 0; j < 8; ++j) {
                const std::uint8_t kind = at.moves[p][j];
                if (!kind) continue;
                const int d = Directions[j];
                Square to = from + d;
                while (true) {
                    const Piece q = pos.at(to);
                    if (q == Wall || (q != Empty && colorOf(q) == us)) break;
                    if (!CapturesOnly || q != Empty) add(from, to, type);
                    if (q != Empty || !(kind & SlideAttack)) break;
                    to += d;
                }
            }
        }
    }
    return n;
}

}  // namespace

int generateMoves(const Position& pos, Move* out, GenMode mode) {
    int n = generateBoardMoves<false>(pos, out, mode);
    const Color us = pos.sideToMove();
    int types[7];
    int count = 0;
    for (int t = Rook; t >= Pawn; --t)
        if (pos.hand(us, t) > 0) types[count++] = t;
    if (count == 0) return n;
    for (int y = 1; y <= 9; ++y) {
        for (int x = 1; x <= 9; ++x) {
            const Square to = square(x, y);
            if (pos.at(to) != Empty) continue;
            for (int i = 0; i < count; ++i) {
                const int t = types[i];
                if (deadRow(us, t, y)) continue;
                if (t == Pawn && pos.pawnOnFile(us, x)) continue;
                out[n++] = makeDrop(t, to);
            }
        }
    }
    return n;
}

int generateCaptures(const Position& pos, Move* out) {
    return generateBoardMoves<true>(pos, out, GenMode::Search);
}

bool isLegal(Position& pos, Move m, bool inCheck) {
    const Color us = pos.sideToMove();
    const Square k = pos.king(us);
    if (isDrop(m)) {
        // A drop cannot uncover a line; it matters only when the king is attacked.
        if (!inCheck) return true;
    } else {
        // Off every line through the king and not in check: nothing can be uncovered.
        const Square from = fromOf(m);
        const int dx = fileOf(from) - fileOf(k), dy = rowOf(from) - rowOf(k);
        const bool aligned = dx == 0 || dy == 0 || std::abs(dx) == std::abs(dy);
        if (!aligned && !inCheck) return true;
    }
    Undo u;
    pos.make(m, u);
    const bool ok = !pos.attacked(k, ~us);
    pos.unmake(m, u);
    return ok;
}

bool isPseudoLegal(const Position& pos, Move m) {
    const Color us = pos.sideToMove();
    const Square to = toOf(m);
    if (to >= SquareCount) return false;
    const Piece target = pos.at(to);
    if (target == Wall) return false;
    if (isDrop(m)) {
        const int t = dropTypeOf(m);
        if (isPromotion(m) || t < Pawn || t > Rook || target != Empty || pos.hand(us, t) == 0) return false;
        if (deadRow(us, t, rowOf(to))) return false;
        return !(t == Pawn && pos.pawnOnFile(us, fileOf(to)));
    }
    const Square from = fromOf(m);
    if (from >= SquareCount) return false;
    const Piece p = pos.at(from);
    if (p == Empty || p == Wall || colorOf(p) != us || typeOf(p) == King) return false;
    if (target != Empty && colorOf(target) == us) return false;
    // Reachable?
    const AttackTables& at = attackTables();
    const int type = typeOf(p);
    bool reach = false;
    if (type == Knight) {
        reach = to == from + at.knightTo[us][0] || to == from + at.knightTo[us][1];
    } else {
        const int dx = fileOf(to) - fileOf(from), dy = rowOf(to) - rowOf(from);
        if ((dx == 0 || dy == 0 || std::abs(dx) == std::abs(dy)) && (dx || dy)) {
            const int step = (dx > 0) - (dx < 0) + 16 * ((dy > 0) - (dy < 0));
            int j = 0;
            while (Directions[j] != step) ++j;
            const std::uint8_t kind = at.moves[p][j];
            if (kind) {
                if (from + step == to) {
                    reach = true;
                } else if (kind & SlideAttack) {
                    Square s = from + step;
                    while (s != to && pos.at(s) == Empty) s += step;
                    reach = s == to;
                }
            }
        }
    }
    if (!reach) return false;
    const int fy = rowOf(from), ty = rowOf(to);
    const bool mayPromote =
        canPromote(type) && (inZone(us, ty) || ((type == Silver || type == Bishop || type == Rook) && inZone(us, fy)));
    if (isPromotion(m)) return mayPromote;
    if (deadRow(us, type, ty)) return false;
    return !(mayPromote && (type == Pawn || type == Bishop || type == Rook));
}

bool dropsCannotBlock(const Position& pos, Color c) {
    int total = 0;
    for (int t = Pawn; t <= Rook; ++t) total += pos.hand(c, t);
    if (total == 0 || total != pos.hand(c, Pawn)) return false;
    const AttackTables& at = attackTables();
    const Square k = pos.king(c);
    for (int i = 0; i < 8; ++i) {
        const int d = Directions[i];
        Square s = k + d;
        while (pos.at(s) == Empty) s += d;
        const Piece p = pos.at(s);
        if (p == Wall || colorOf(p) == c || !(at.dir[p][i] & SlideAttack) || s == k + d) continue;
        for (Square b = k + d; b != s; b += d)
            if (deadRow(c, Pawn, rowOf(b)) || pos.pawnOnFile(c, fileOf(b))) return true;
    }
    return false;
}

std::string usi(Move m) {
    if (m == NoMove) return "none";
    static const char kDrop[8] = {0, 'P', 'L', 'N', 'S', 'G', 'B', 'R'};
    auto sq = [](Square s) {
        std::string r;
        r += char('0' + (10 - fileOf(s)));
        r += char('a' + rowOf(s) - 1);
        return r;
    };
    std::string out;
    if (isDrop(m)) {
        out += kDrop[dropTypeOf(m)];
        out += '*';
    } else {
        out += sq(fromOf(m));
    }
    out += sq(toOf(m));
    if (isPromotion(m)) out += '+';
    return out;
}

Move parseUsi(std::string_view t) {
    auto sq = [](char f, char r) -> Square {
        if (f < '1' || f > '9' || r < 'a' || r > 'i') return NoSquare;
        return square(10 - (f - '0'), r - 'a' + 1);
    };
    if (t.size() == 4 && t[1] == '*') {
        static const std::string_view kDrop = "?PLNSGBR";
        const auto k = kDrop.find(t[0]);
        const Square to = sq(t[2], t[3]);
        if (k == std::string_view::npos || k == 0 || to == NoSquare) return NoMove;
        return makeDrop(int(k), to);
    }
    if (t.size() != 4 && !(t.size() == 5 && t[4] == '+')) return NoMove;
    const Square from = sq(t[0], t[1]), to = sq(t[2], t[3]);
    if (from == NoSquare || to == NoSquare) return NoMove;
    return makeMove(from, to, t.size() == 5);
}

}  // namespace fudo::search
