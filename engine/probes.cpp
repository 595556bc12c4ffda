// Evaluation probes: small board queries for the computer's evaluation. Two run once at the
// start of the computer's turn and leave a map behind (pinned human pieces, squares for a
// human bishop drop); the others answer for one candidate, after it has been made on the
// board and the influence maps have been rebuilt.
#include <algorithm>
#include <cstdlib>

#include "engine/game.h"

namespace fudo {

namespace {

// Computer line pieces that can pin a human piece to its king.
constexpr bool 上直進駒(int c) {
    return c == KYOU || c == KAKU || c == KAKU_NARI || c == SYA || c == SYA_NARI;
}

}  // namespace

// 調査_移動不可駒 (pinned human pieces): a human piece is pinned when, with its square
// emptied, some computer lance, bishop, rook or their promoted forms reaches the human
// king. The king's own square is emptied like any other.
void Game::調査_移動不可駒() {
    // The computer's line pieces do not change while one square is emptied: list them once.
    int lx[81], ly[81];
    int n = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (上直進駒(BAN(x, y))) {
                lx[n] = x;
                ly[n] = y;
                ++n;
            }
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            SITA_IDOU_FUKA(x, y) = 0;
            const int c = BAN(x, y);
            if (c > -10) continue;
            BAN(x, y) = KARA;
            for (int i = 0; i < n; ++i) {
                if (移動チェック(lx[i], ly[i], SITA_OU_X, SITA_OU_Y, BAN(lx[i], ly[i])) == 1) {
                    SITA_IDOU_FUKA(x, y) = 1;
                    break;
                }
            }
            BAN(x, y) = c;
        }
    }
}

// 調査_持角狙座標 (squares for a human bishop drop): empty squares the computer does not hold
// (or holds once, right beside its king) from which a human bishop would attack that king.
void Game::調査_持角狙座標() {
    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            SITA_KAKU_NERAI(x, y) = 0;
            if (BAN(x, y) != KARA) continue;
            const int u = UE_SEIRYOKU(x, y);
            const bool held = !(u == 0 || (u == 1 && std::abs(x - UE_OU_X) < 2 &&
                                           std::abs(y - UE_OU_Y) < 2));
            if (held) continue;
            if (移動チェック(x, y, UE_OU_X, UE_OU_Y, -KAKU) == 1) SITA_KAKU_NERAI(x, y) = 1;
        }
    }
}

// 調査_移動可場所数 (number of safe destinations): legal destinations of the piece from
// (x, y) that the opponent does not cover.
int Game::調査_移動可場所数(int x, int y, int koma) const {
    const IntMap& cover = koma >= 10 ? SITA_SEIRYOKU : UE_SEIRYOKU;
    int n = 0;
    for (int x2 = 1; x2 <= 9; ++x2)
        for (int y2 = 1; y2 <= 9; ++y2)
            if (cover(x2, y2) == 0 && 移動チェック(x, y, x2, y2, koma) == 1) ++n;
    return n;
}

// 調査_自守駒MAN_直進駒 (held from below by a human straight mover): with (x, y) emptied,
// does the first human lance, rook or dragon below it in the column reach it? A computer
// piece on the way ends the look; other human pieces are passed over.
int Game::調査_自守駒MAN_直進駒(int x, int y) {
    const int saved = BAN(x, y);
    BAN(x, y) = KARA;
    int result = 0;
    for (int r = y + 1; r <= 9; ++r) {
        const int c = BAN(x, r);
        if (c >= 10) break;
        if (c == -KYOU || c == -SYA || c == -SYA_NARI) {
            result = 移動チェック(x, r, x, y, c) == 1 ? 1 : 0;
            break;
        }
    }
    BAN(x, y) = saved;
    return result;
}

// 調査_周辺状況 (crowding): minus one per neighbour holding a computer bishop, rook, their
// promoted forms or the king.
int Game::調査_周辺状況(int x, int y) const {
    int n = 0;
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            const int nx = x + dx, ny = y + dy;
            if (nx < 1 || nx > 9 || ny < 1 || ny > 9) continue;
            if (BAN(nx, ny) >= 800) --n;
        }
    }
    return n;
}

// 調査_香狙い (a pawn that prepares a lance): the pawn on (x, y), attacked first by a human
// bishop or rook, stands under a square the computer holds alone; a lance on the pawn's
// square would then reach the first piece below it, worth its value.
int Game::調査_香狙い(int x, int y) const {
    if (!(y > 6 && UE_SEIRYOKU(x, y - 1) > 0 && SITA_SEIRYOKU(x, y - 1) == 0 &&
          SITA_KOUGEKI_KOMA(x, y) >= -901 && SITA_KOUGEKI_KOMA(x, y) <= -800))
        return 0;
    for (int r = y + 1; r <= 9; ++r) {
        if (BAN(x, r) == KARA) continue;
        if (移動チェック(x, y, x, r, KYOU) == 1) return std::abs(BAN(x, r));
        return 0;
    }
    return 0;
}

// 調査_桂狙い (a pawn that prepares a knight fork): for each side, a free and unguarded
// knight square two rows up, with a human bishop, rook or king two columns away on the
// pawn's row that is not the pawn's attacker.
int Game::調査_桂狙い(int x, int y) const {
    int result = 0;
    if (!(SITA_KOUGEKI_KOMA(x, y) >= -901 && SITA_KOUGEKI_KOMA(x, y) <= -800 && y > 5))
        return 0;
    if (x > 2 && BAN(x - 1, y - 2) == KARA && SITA_SEIRYOKU(x - 1, y - 2) == 0 &&
        BAN(x - 2, y) <= -800 && SITA_KOUGEKI_X(x, y) != x - 2)
        result += std::abs(BAN(x - 2, y));
    if (x < 8 && BAN(x + 1, y - 2) == KARA && SITA_SEIRYOKU(x + 1, y - 2) == 0 &&
        BAN(x + 2, y) <= -800 && SITA_KOUGEKI_X(x, y) != x + 2)
        result += std::abs(BAN(x + 2, y));
    return result;
}

// 盤評価_自角注意_COM (beware a human bishop): the first marked bishop square on a free
// diagonal (or next to) the moved piece decides: the piece's value when a human bishop or
// horse on the board, or a bishop in hand, can reach that square; otherwise 0.
int Game::盤評価_自角注意_COM(int x, int y, int koma) const {
    for (int sx = 1; sx <= 9; ++sx) {
        for (int sy = 1; sy <= 9; ++sy) {
            if (SITA_KAKU_NERAI(sx, sy) != 1) continue;
            if (移動チェック(x, y, sx, sy, -KAKU) != 1 && 移動チェック(x, y, sx, sy, -KAKU_NARI) != 1)
                continue;
            for (int bx = 1; bx <= 9; ++bx) {
                for (int by = 1; by <= 9; ++by) {
                    const int c = BAN(bx, by);
                    if ((c == -KAKU || c == -KAKU_NARI) && 移動チェック(bx, by, sx, sy, c) == 1)
                        return koma;
                }
            }
            if (SITA_MOCHI[6] > 0 && 移動チェック(-1, 10, sx, sy, -KAKU) == 1) return koma;
            return 0;
        }
    }
    return 0;
}

// 盤評価_COM危険座標 (dangers for the computer): one pass over the board after the candidate
// scores the squares the human threatens near the computer king and in its camp, what the
// human's pieces in hand could do, the computer's attacked pieces, and the human pieces the
// candidate newly attacks; a move that attacks two or more unguarded targets earns the
// cheapest of them (a fork).
Score Game::盤評価_COM危険座標(int koma, int tx, int ty) {
    Score D;
    int forks = 0;
    int smallest = 9999;
    const bool 銀金持ち = SITA_MOCHI[4] > 0 || SITA_MOCHI[5] > 0;
    const bool forkSquareSafe = SITA_SEIRYOKU(tx, ty) == 0;

    for (int x = 1; x <= 9; ++x) {
        for (int y = 1; y <= 9; ++y) {
            const int c = BAN(x, y);
            const int ss = SITA_SEIRYOKU(x, y);
            const int us = UE_SEIRYOKU(x, y);

            if (c == KARA) {
                if (ss > 0) {
                    // (a) squares next to the computer king that the human covers.
                    if (std::abs(x - UE_OU_X) < 2 && std::abs(y - UE_OU_Y) < 2) {
                        D -= Score::tenths(5 * ss);
                        if (ss > 1 && us == 1) D -= 10;
                        if (銀金持ち) D -= 10;
                    }
                    // (b) squares of the computer's camp held by the human alone.
                    if (us == 0 && y < 4) {
                        D -= 0.1_pt;
                        if (調査_自守駒MAN_直進駒(x, y) == 1) D -= 10;
                    }
                    // (c) a human pawn about to enter the camp.
                    if (y < 4 && BAN(x, y + 1) == -HU && ss >= us) {
                        D -= 30;
                        if (調査_自守駒MAN_直進駒(x, y + 1) == 1) D -= 70;
                    }
                }
                if (SITA_MOCHI_SU > 0) {
                    // A lance drop here would skewer two computer pieces above it.
                    if (SITA_MOCHI[2] > 0 && y > 2 && BAN(x, y - 1) > 20 && (us == 0 || ss > 0)) {
                        for (int r = y - 2; r >= 1; --r) {
                            const int above = BAN(x, r);
                            if (above == KARA) continue;
                            if (above > 20) D -= Score::tenths(1000 + above * 5);
                            break;
                        }
                    }
                    // A knight drop here would fork two computer pieces.
                    if (SITA_MOCHI[3] > 0 && (us == 0 || ss > 0) && y > 2 && 1 < x && x < 9 &&
                        BAN(x - 1, y - 2) > 10 && BAN(x + 1, y - 2) > 10)
                        D -= 20;
                    // A silver or gold drop among crowded major pieces.
                    if (銀金持ち && us <= 1) {
                        if (調査_周辺状況(x, y) < -1) D -= 5;
                        if (us == 0 && 調査_周辺状況(x, y) < 0) {
                            D -= 1;
                            if (y < 4) D -= 10;
                        }
                    }
                    if (us == 0) {
                        if (y == 2 && BAN(x, 1) == KEI) D -= 5;
                        if (y < 4) D -= 0.1_pt;
                        // A silver drop here would fork two unguarded computer pieces.
                        if (SITA_MOCHI[4] > 0 && 1 < x && x < 9 && 1 < y && y < 9) {
                            if (BAN(x - 1, y - 1) >= 10 && BAN(x + 1, y + 1) >= 10 &&
                                UE_SEIRYOKU(x - 1, y - 1) == 0 && UE_SEIRYOKU(x + 1, y + 1) == 0)
                                D -= 20;
                            if (BAN(x - 1, y + 1) >= 10 && BAN(x + 1, y - 1) >= 10 &&
                                UE_SEIRYOKU(x - 1, y + 1) == 0 && UE_SEIRYOKU(x + 1, y - 1) == 0)
                                D -= 20;
                        }
                    }
                }
            } else if (c >= 10) {
                if (c == OU && y == 1 && SITA_SEIRYOKU(x, 2) > 0) {
                    D -= 50;
                    if (SITA_SEIRYOKU(x, 2) >= UE_SEIRYOKU(x, 2)) D -= 250;
                    if (銀金持ち) D -= 700;
                }
                if (c == HU && SITA_KOUGEKI_KOMA(x, y) == -SYA && SITA_MOCHI[1] > 0 && ss >= us &&
                    y < 9 && UE_SEIRYOKU(x, y + 1) == 1)
                    D -= 5;
                if (ss > 0) {
                    const int v = c;
                    const int a = std::abs(SITA_KOUGEKI_KOMA(x, y));
                    const int ax = SITA_KOUGEKI_X(x, y), ay = SITA_KOUGEKI_Y(x, y);
                    const bool attackerFree = SITA_IDOU_FUKA(ax, ay) == 0;
                    if (UE_MAMORI_KOMA(x, y) == OU && (ss > 1 || v > a)) D -= 100;
                    if (attackerFree && v > a) D += Score(a - v);
                    if (us > 0) {
                        if (attackerFree) {
                            if (ss > us && UE_MAMORI_KOMA(x, y) >= a) D -= v;
                            if (y <= 3 && us == ss && BAN(x, y + 1) != KARA &&
                                調査_自守駒MAN_直進駒(x, y + 1) == 1)
                                D -= v + std::abs(SITA_KOUGEKI_KOMA(x, y + 1));
                        }
                    } else {
                        D -= v;
                        if (y <= 3) D -= 10;
                        if (BAN_MAE(x, y) <= -10) D += std::abs(BAN_MAE(x, y));
                        if (y < 4 && (SITA_KOUGEKI_KOMA(x, y) == -HU || SITA_KOUGEKI_KOMA(x, y) == -KYOU))
                            D -= 20;
                    }
                }
            } else if (c <= -10) {
                // Human pieces the candidate newly attacks.
                if (UE_SEIRYOKU_MAE(x, y) == 0 && us > 0) {
                    if (std::abs(x - UE_OU_X) < 3 && std::abs(y - UE_OU_Y) < 3) D += 15;
                    if (c == -KEI && y > 2 && SITA_SEIRYOKU(x, y - 1) == 0) {
                        const int front = BAN(x, y - 1);
                        if (front == GIN || front == SYA_NARI || front == KAKU_NARI) D += 1;
                    }
                }
                // A human knight that may jump at a valuable computer piece.
                if (c == -KEI && y >= 5 && BAN(x, y - 4) >= 100) {
                    if (x > 1 && BAN(x - 1, y - 2) >= 0 && UE_SEIRYOKU(x - 1, y - 2) == 0) D -= 1;
                    if (x < 9 && BAN(x + 1, y - 2) >= 0 && UE_SEIRYOKU(x + 1, y - 2) == 0) D -= 1;
                }
                // A human line piece on the computer king's column.
                if ((c == -SYA || c == -SYA_NARI || c == -KYOU) && x == UE_OU_X) D -= 1;
                // Targets of the moved piece, for the fork bonus.
                if (forkSquareSafe && (ss == 0 || (x == SITA_OU_X && y == SITA_OU_Y)) &&
                    移動チェック(tx, ty, x, y, koma) == 1) {
                    D += 0.1_pt;
                    ++forks;
                    smallest = std::min(smallest, std::abs(c));
                }
            }
        }
    }
    if (forks > 1) D += smallest;
    return D;
}

}  // namespace fudo
