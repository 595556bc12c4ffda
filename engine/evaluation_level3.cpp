// Level-3 terms of the board evaluation, chosen by the piece placed on the destination.
// The computer moves towards row 9, so the square in front of (x, y) is (x, y + 1).
// A drop has fx = -1 and fy = the hand kind; the terms that compare rows or columns with
// the source compare with those values as they are.
#include <cstdlib>

#include "engine/game.h"

namespace fudo {

Score Game::盤評価_駒別(Score S, int captured, int koma, int fx, int fy, int tx, int ty) {
    const int hx = SITA_OU_X, hy = SITA_OU_Y;
    const bool drop = fx < 0;
    const int us = UE_SEIRYOKU(tx, ty);
    const int ss = SITA_SEIRYOKU(tx, ty);
    // Free to stay: nobody takes it, or only the king and the square is defended.
    const bool safeFromTaking = ss == 0 || (SITA_KOUGEKI_KOMA(tx, ty) == -OU && us > 0);
    const bool nearKingLine =
        (tx == hx || ty == hy) && std::abs(tx - hx) < 3 && std::abs(ty - hy) < 3;

    switch (koma) {
    case HU: {
        if (UE_MOCHI[2] > 0) S += 調査_香狙い(tx, ty);
        if (UE_MOCHI[3] > 0) S += 調査_桂狙い(tx, ty);
        if (ty < 9) {
            const int front = BAN(tx, ty + 1);
            if (front == KIN)
                S += 0.5_pt;
            else if (front == SYA)
                S -= 1;
            // A human piece in front that cannot escape.
            if (front < -10 && 調査_移動可場所数(tx, ty + 1, front) == 0) S += std::abs(front);
        }
        if (us > 0 && 1 < tx && tx < 9 && (BAN(tx + 1, ty) == SYA || BAN(tx - 1, ty) == SYA)) S -= 1;

        if (drop) {
            if (us > 0 && ty > 1 && BAN(tx, ty - 1) >= GIN && (SITA_MOCHI[1] > 0 || SITA_MOCHI[2] > 0))
                S += 6;
            if (BAN(2, 8) == -KAKU && tx == 2 && ty == 7 &&
                (SITA_SEIRYOKU(2, 7) == 0 || UE_SEIRYOKU(2, 7) > 0))
                S += 30;
            // The drop blocks a human rook or lance on its file.
            const int ax = SITA_KOUGEKI_X(tx, ty), ay = SITA_KOUGEKI_Y(tx, ty);
            if (!(UE_SEIRYOKU_MAE(ax, ay) > 0 && SITA_SEIRYOKU(ax, ay) == 0)) {
                const int a = SITA_KOUGEKI_KOMA(tx, ty);
                if (us > 0 && ax == tx && (a == -SYA || a == -KYOU) && ty < ay) return S + 120;
            }
            break;
        }

        S -= 0.1_pt;
        if (UE_MAMORI_KOMA(tx, ty) == KIN || UE_MAMORI_KOMA(tx, ty) == GIN) S += 0.6_pt;
        if (ty < 8) {
            if (UE_MAMORI_KOMA(tx, ty) == KYOU) {
                S += 1;
            } else if (UE_MAMORI_KOMA(tx, ty) == SYA && UE_MAMORI_X(tx, ty) == tx && us >= ss &&
                       UE_MAMORI_Y(tx, ty) < ty) {
                S += 2;
            }
            if (SITA_SEIRYOKU(tx, ty + 1) == 0 && BAN(tx, ty + 2) <= -30) S += 1;
        }
        if (ty < 7) {
            if (BAN(tx, ty + 1) == -HU && SITA_SEIRYOKU(tx, ty + 1) > 0) S -= 5;
            if (tx < 9 && BAN(tx + 1, ty) == KAKU) {
                S += 0.5_pt;
                if (BAN(tx + 1, ty + 2) == -HU) S += 5;
            }
            if (tx > 1) {
                if (tx == 7 && ty == 4 && BAN(8, 2) == KAKU) S += 10;
                if (BAN(tx - 1, ty) == KAKU) {
                    S += 0.5_pt;
                    if (BAN(tx - 1, ty + 2) == -HU) S += 5;
                }
            }
        }
        if (ty < 8) {
            if (captured <= -10 && UE_SEIRYOKU(fx, fy) == 1) {
                if (ty > 2 && SITA_KOUGEKI_KOMA(tx, ty) == -KYOU && BAN(tx, ty - 2) == KAKU)
                    S -= 5;
                else
                    S += 5;
            }
            if (captured == -HU &&
                (SITA_KOUGEKI_KOMA(tx, ty) == -KYOU || SITA_KOUGEKI_KOMA(tx, ty) == -SYA) &&
                UE_SEIRYOKU(fx, fy) < 2)
                S += 50;
            // A human piece right in front of the pawn.
            const int front = BAN(tx, ty + 1);
            if (front <= -10) {
                if (us > ss) return S + 1;
                if (front == -HU) return S - 5;
                if (us > 0) {
                    if (UE_SEIRYOKU_MAE(tx, ty + 1) > 0 && SITA_SEIRYOKU_MAE(tx, ty + 1) == 0)
                        return S - 1;
                    if (us >= ss) return S + 5;
                }
                if (us == 0 && ss == 0) return S + 1;
            }
        }
        break;
    }

    case HU_NARI:
        if (us >= ss) return S + 1;
        break;

    case KYOU:
        if (UE_MOCHI[3] > 0) S += 調査_桂狙い(tx, ty);
        if (drop) {
            if (ty < 8) {
                if (SITA_MOCHI[1] > 0 && SITA_SEIRYOKU(tx, ty + 1) > 0 && ss == 0) S -= 10;
                // Skewer: a valuable human piece in front and another behind it.
                if (BAN(tx, ty + 1) <= -20 && (ss == 0 || us >= ss)) {
                    for (int r = ty + 2; r <= 9; ++r) {
                        if (BAN(tx, r) == KARA) continue;
                        if (移動チェック(tx, ty + 1, tx, r, KYOU) == 1 && BAN(tx, r) < -20)
                            return S + std::abs(BAN(tx, r));
                        break;
                    }
                }
            }
        } else if (captured == KARA) {
            return S - 0.9_pt;
        }
        break;

    case KEI:
        S -= 0.1_pt;
        if (SITA_SEIRYOKU(tx, ty + 1) > 0) S -= 1;
        if (ty < 8 && 1 < tx && tx < 9) {
            if (SITA_SEIRYOKU(tx - 1, ty + 2) > 0 && SITA_SEIRYOKU(tx + 1, ty + 2) > 0) S -= 1;
            if (tx == 7 && ty == 3 && BAN(8, 4) == KAKU) return S - 5;
        }
        break;

    case GIN:
        if (ty > 1) {
            if (ty > fy) {
                if (fx == tx) S -= 0.1_pt;
                if (tx == 6 && ty == 2 && SITA_SEIRYOKU(6, 3) > 0) S += 5;
            }
            if (BAN(tx, ty - 1) == KEI) S -= 0.5_pt;
            if (tx == 7 && ty == 3 && BAN(8, 3) == HU && BAN(8, 5) == -HU) return S + 115;
        }
        break;

    case KIN:
        if (ty > fy && tx != fx) S -= 0.5_pt;  // diagonally forward
        if (ty == 4) {
            if (BAN(6, 4) == KAKU && SITA_SEIRYOKU(6, 4) > 0) return S - 5;
        } else if (ty == 2) {
            if (BAN(8, 3) == HU && BAN(8, 6) == -HU && tx == 7 && SITA_MAMORI_KOMA(8, 6) == -SYA)
                S += 10;
            if (SITA_MOCHI[6] > 0 && UE_SEIRYOKU_MAE(tx, ty + 1) == 0 && BAN(tx, ty + 1) >= 10) {
                S += 2;
                if (UE_SEIRYOKU_MAE(tx, ty + 2) == 1 && BAN(tx, ty + 2) == KAKU) return S + 125;
            }
        }
        break;

    case KAKU:
        S += 調査_周辺状況(tx, ty);
        if (captured == -KAKU) S += 900;
        if (ty < 9) {
            if (ty == 3 && tx == 9 && BAN(9, 4) == HU && BAN(9, 6) == -HU && BAN(9, 9) == -KYOU)
                S -= 10;
            if (ty == 3 && tx == 7 && BAN(8, 5) == -HU && SITA_MAMORI_KOMA(8, 5) == -SYA) S += 9;
            if (SITA_SEIRYOKU(tx, ty + 1) > 0) {
                if (調査_移動可場所数(tx, ty, KAKU) == 0) S -= 100;
                if (ty < 8 && BAN(tx, ty + 2) == -HU) S -= 1;
            }
        }
        if (fy == 3) {
            if (fx == 9 && BAN(9, 4) == HU && BAN(9, 6) == -HU && SITA_MAMORI_KOMA(9, 6) == -KYOU)
                return S + 10;
            if (fx == 7 && BAN(8, 5) == -HU && SITA_MAMORI_KOMA(8, 5) == -SYA &&
                UE_SEIRYOKU_MAE(8, 4) > UE_SEIRYOKU(8, 4))
                return S - 10;
        }
        break;

    case KAKU_NARI:
        S += 調査_周辺状況(tx, ty);
        break;

    case SYA:
        S += 調査_周辺状況(tx, ty);
        if (drop) {
            if (ty == 9 && BAN(tx, 8) == -GIN && 1 < tx && tx < 9 &&
                ((BAN(tx - 1, 9) != KARA && BAN(tx + 1, 8) == -KIN) ||
                 (BAN(tx + 1, 9) != KARA && BAN(tx - 1, 8) == -KIN)))
                return S - 1;
            break;
        }
        if (ss == 0 && tx == 3 && ty == 4 && BAN(3, 7) == -KAKU && BAN(3, 6) == -HU &&
            BAN(3, 5) == KARA)
            S += 7;
        if (ty < 8) {
            if (SITA_SEIRYOKU(tx, ty + 1) > 0) {
                S -= 1;
                if (BAN(tx, ty + 2) == -HU && fy == ty) S -= 5;
            }
            if (fy < 9 && BAN(8, fy + 1) == -HU && SITA_MAMORI_KOMA(8, fy + 1) == -SYA) {
                if (UE_SEIRYOKU(8, fy) < UE_SEIRYOKU_MAE(8, fy)) S -= 11;
                if (BAN(7, fy) == HU && ty != fy) S -= 11;
            }
            if (SITA_SEIRYOKU(fx, fy) == 0 && fx == 2 && fy == 2 && tx == 2 && ty == 3) S -= 1;
        }
        if (safeFromTaking) {
            if (調査_移動可場所数(tx, ty, SYA) <= 1) return S - 35;
            if (nearKingLine) return S + 100;
        }
        break;

    case SYA_NARI:
        S += 調査_周辺状況(tx, ty);
        if (BAN(tx, ty - 1) == -GIN && 1 < tx && tx < 9 &&
            ((BAN(tx - 1, ty) != KARA && BAN(tx + 1, ty - 1) == -KIN) ||
             (BAN(tx + 1, ty) != KARA && BAN(tx - 1, ty - 1) == -KIN)))
            S -= 10;
        if (fy == 9 && BAN(fx, 8) == -GIN) {
            if (fx > 1 && BAN(fx - 1, 8) == -KIN) S += 2;
            if (fx < 9 && BAN(fx + 1, 8) == -KIN) S += 2;
        }
        if (ty == 9 && BAN(tx, 8) <= -10) {
            if ((tx == 3 && BAN(4, 8) == -KIN && BAN(2, 9) <= -10) ||
                (tx == 7 && BAN(6, 8) == -KIN && BAN(8, 9) <= -10))
                S -= 150;
        }
        if (safeFromTaking && nearKingLine) return S + 100;
        break;

    default:
        break;  // promoted lance, knight or silver, gold never promoted: nothing more
    }
    return S;
}

}  // namespace fudo
