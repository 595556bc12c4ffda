// Carrying a move out and writing it to the move list.
#include "engine/game.h"

namespace fudo {

void Game::駒移動(int fx, int fy, int tx, int ty, int koma) {
    const int dest = BAN(tx, ty);
    if (dest <= -10) {
        UE_MOCHI_SU += 1;
        駒取得(dest);
        描画_敵持盤();
    } else if (dest >= 10) {
        SITA_MOCHI_SU += 1;
        駒取得(dest);
        描画_自持盤();
    }

    描画_絵(KARA, fx, fy);
    描画_桝輪郭(色_緑, fx, fy);

    BAN(tx, ty) = koma;
    if (koma == -OU) {
        SITA_OU_X = tx;
        SITA_OU_Y = ty;
    }

    if (fx == -1) {
        // Upper drops name the hand kind; a stray value outside 1..7 takes nothing.
        UE_MOCHI_SU -= 1;
        if (fy >= 1 && fy <= 7) UE_MOCHI[fy] -= 1;
        描画_敵持盤();
    } else if (fx == 11) {
        SITA_MOCHI_SU -= 1;
        if (fy >= 3 && fy <= 9) SITA_MOCHI[fy - 2] -= 1;
        描画_自持盤();
    } else if (fx >= 1 && fx <= 9 && fy >= 1 && fy <= 9) {
        BAN(fx, fy) = KARA;
    }

    描画_絵(koma, tx, ty);
    描画_桝輪郭(色_緑, tx, ty);
    描画_桝輪郭(色_緑, tx, ty);
}

void Game::駒取得(int code) {
    if (code == OU) {
        SYOUSYA = MAN_SENGO;
        return;
    }
    if (code == -OU) {
        SYOUSYA = COM_SENGO;
        return;
    }
    const int kind = 駒種類(code);
    if (kind == 0) return;
    if (code >= 10) SITA_MOCHI[kind] += 1;
    else if (code <= -10) UE_MOCHI[kind] += 1;
}

int Game::調査_駒成(int fx, int fy, int tx, int ty, int koma) {
    (void)tx;
    if (fx == -1 || fx == 11) return 0;
    bool may = false;
    switch (koma) {
    case -HU: case -KYOU: case -KEI: may = ty <= 3; break;
    case -GIN: case -KAKU: case -SYA: may = ty <= 3 || fy <= 3; break;
    case HU: case KYOU: case KEI: may = ty >= 7; break;
    case GIN: case KAKU: case SYA: may = ty >= 7 || fy >= 7; break;
    default: return 0;
    }
    if (!may) return 0;
    NARI_KOMA = koma > 0 ? koma + 1 : koma - 1;
    return 1;
}

void Game::手順保存(int fx, int fy, int tx, int ty, int koma, int placed, double manBefore,
                    double manAfter, double comBefore, double comAfter) {
    // The list holds 500 moves and a game ends when it is full (see 手数上限); a stray
    // call beyond that writes nothing rather than past the arrays.
    if (KIFU_NOW < 0 || KIFU_NOW >= KIFU_MAX) return;
    const int n = ++KIFU_NOW;
    KIFU_MOTO_X[n] = fx;
    KIFU_MOTO_Y[n] = fy;
    KIFU_SAKI_X[n] = tx;
    KIFU_SAKI_Y[n] = ty;
    KIFU_KOMA[n] = koma;
    KIFU_KOMA_ATO[n] = placed;
    KIFU_TORI[n] = BAN.at(tx, ty);
    KIFU_MAN_JIKAN_MAE[n] = manBefore;
    KIFU_MAN_JIKAN[n] = manAfter;
    KIFU_COM_JIKAN_MAE[n] = comBefore;
    KIFU_COM_JIKAN[n] = comAfter;
    KIFU_LAST = n;
    // A game's record is dated by its first move.
    if (n == 1 && KIFU_MODE == 0 && 棋譜開始日時.empty()) 棋譜開始日時 = host_.dateTime();
}

}  // namespace fudo
