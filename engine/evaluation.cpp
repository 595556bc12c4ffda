// Board evaluation (盤評価): scores one candidate of the computer after it has been made on
// the board and the influence maps rebuilt. It is not a material count: it adds up what
// this move achieves or risks, mostly around its destination and the human king. Level 1
// stops after the first group of terms, level 2 adds the second, level 3 the piece terms
// (evaluation_level3.cpp).
#include <cstdlib>

#include "engine/game.h"

namespace fudo {

Score Game::盤評価(int captured, int koma, int fx, int fy, int tx, int ty) {
    const int hx = SITA_OU_X, hy = SITA_OU_Y;
    Score S;

    // ---------------------------------------------------------------- every level
    if (captured == -OU) return Score(9999);
    if (koma == OU) return Score(-9999);
    if (SITA_SEIRYOKU(UE_OU_X, UE_OU_Y) >= 1) return Score(-9998);

    if (UE_SEIRYOKU(hx, hy) > 0) {
        const bool besideKing = std::abs(hx - tx) < 2 && std::abs(hy - ty) < 2;
        // A checker next to the king that only the king can take: decisive.
        if (besideKing && SITA_SEIRYOKU(tx, ty) == 1) return Score(9998);
        // Mate, except by a pawn (moved or dropped), which loses.
        if (詰めかMAN() == 1) return koma == HU ? Score(-9998) : Score(9998);
        if (SITA_KOUGEKI_KOMA(tx, ty) == -OU && UE_SEIRYOKU(tx, ty) > 0) S += 100;
        if (besideKing && tx != hx && ty != hy && SITA_SEIRYOKU(tx, ty) <= 2 &&
            UE_MAMORI_KOMA(tx, ty) == SYA_NARI &&
            (UE_MAMORI_X(tx, ty) == hx || UE_MAMORI_Y(tx, ty) == hy))
            S += 900;
        if (SITA_SEIRYOKU(tx, ty) == 0) S += 10;
    }

    if (fx < 0)
        S -= 5;
    else if (koma > IDOU_KOMA)
        S += 10;

    S += 盤評価_COM危険座標(koma, tx, ty);
    if (COM_LEVEL < 2) return S;

    // ---------------------------------------------------------------- levels 2 and 3
    // Coming nearer to the human king.
    if (std::abs(tx - hx) > std::abs(ty - hy)) {
        if (KYORI_MAE > std::abs(tx - hx)) S += 1;
    } else {
        if (KYORI_MAE > std::abs(ty - hy)) S += 0.1_pt;
    }

    // Attacking a human piece that is pinned to its king and cannot take back.
    {
        const int ax = SITA_KOUGEKI_X(tx, ty), ay = SITA_KOUGEKI_Y(tx, ty);
        const int sd = SITA_SEIRYOKU(tx, ty);
        const bool fewDefenders =
            sd == 1 || (sd == 2 && UE_SEIRYOKU(hx, hy) > 0 && UE_SEIRYOKU(tx, ty) > 0);
        const bool notLinedUp = (ax == hx && tx != hx) || (ay == hy && ty != hy) ||
                                (ax != hx && ay != hy && (tx == hx || ty == hy));
        if (SITA_SEIRYOKU(ax, ay) > 0 && SITA_IDOU_FUKA(ax, ay) == 1 && fewDefenders &&
            notLinedUp && 移動チェック(tx, ty, ax, ay, IDOU_KOMA) == 1) {
            if (fx < 0) {
                S += std::abs(BAN(ax, ay));
            } else if (BAN(UE_KOUGEKI_X_MAE(ax, ay), UE_KOUGEKI_Y_MAE(ax, ay)) != KARA) {
                S += std::abs(BAN(ax, ay));
            }
        }
    }

    // Safety of the destination.
    if (SITA_SEIRYOKU(tx, ty) == 0) {
        if (koma != KAKU && koma != KAKU_NARI && koma != OU && koma != HU)
            S -= 盤評価_自角注意_COM(tx, ty, koma);
        if (koma == KYOU || (koma >= 800 && koma <= 901) ||
            (std::abs(hx - tx) < 3 && std::abs(hy - ty) < 3)) {
            const int n = 調査_自王逃道();
            if (SITA_OU_NIGE_SU > n) S += SITA_OU_NIGE_SU - n;
        }
    } else if (UE_SEIRYOKU(tx, ty) > 0) {
        // Attacked and defended.
        if ((SITA_MOCHI[4] > 0 || SITA_MOCHI[5] > 0) && 1 < tx && tx < 9) {
            const int l = BAN(tx - 1, ty), r = BAN(tx + 1, ty);
            const bool rookLeft = (l == -SYA || l == -SYA_NARI) && r == OU;
            const bool rookRight = (r == -SYA || r == -SYA_NARI) && l == OU;
            if (rookLeft || rookRight) S -= koma;
        }
        const int a = std::abs(SITA_KOUGEKI_KOMA(tx, ty));
        if (koma > a) S += a - koma;  // the expected loss of the exchange
        if (SITA_KOUGEKI_KOMA(tx, ty) == -OU && ty < hy && UE_SEIRYOKU(tx, ty) > 0) S += koma;
    } else {
        // Attacked and not defended.
        if (fx < 0) S -= koma + 50;
    }

    // A piece on the edge file in front of a human lance that still stands at home.
    if (BAN(tx, 9) == -KYOU && (tx == 1 || tx == 9) && koma != KYOU && koma != SYA &&
        koma != SYA_NARI && fx != tx)
        S -= 0.1_pt;

    // Captures.
    if (captured != KARA) {
        if (SITA_SEIRYOKU(tx, ty) > 0) {
            bool gain;
            if (UE_SEIRYOKU(tx, ty) > 0)
                gain = koma < std::abs(SITA_KOUGEKI_KOMA(tx, ty));
            else if (SITA_SEIRYOKU_MAE(fx, fy) == 0)
                gain = false;  // the piece was safe where it stood
            else
                gain = 調査_移動可場所数(fx, fy, koma) == 0;
            if (gain) S += std::abs(captured);
        } else {
            S += std::abs(captured);
            if (captured == -HU_NARI || captured == -KYOU_NARI || captured == -KEI_NARI) S += 50;
        }
    }
    if (COM_LEVEL < 3) return S;

    return 盤評価_駒別(S, captured, koma, fx, fy, tx, ty);
}

}  // namespace fudo
