// Move legality: the movement rules of shogi and the drop rules the game enforces.
// Nothing here looks at attacks on the king: leaving one's own king attacked is allowed.
#include <cstdlib>

#include "engine/game.h"

namespace fudo {

int Game::移動チェック(int fx, int fy, int tx, int ty, int koma) const {
    if (tx < 1 || tx > 9 || ty < 1 || ty > 9) return 0;
    if (fx == tx && fy == ty) return 0;
    const int dest = BAN(tx, ty);
    if (koma >= 10) {
        if (dest >= 10) return 0;
    } else if (dest <= -10) {
        return 0;
    }

    const bool drop = fx == 11 || fx == -1;
    if (drop) {
        if (dest != KARA) return 0;
        if (koma == -HU && NIFU_SITA[tx] == 1) return 0;
        if (koma == HU && NIFU_UE[tx] == 1) return 0;
        switch (koma) {
        case GIN: case -GIN: case KIN: case -KIN:
        case KAKU: case -KAKU: case SYA: case -SYA:
            return 1;
        default:
            break;  // pawn, lance and knight: the last-rank rules below
        }
    } else if (fx < 1 || fx > 9 || fy < 1 || fy > 9) {
        return 0;  // a source that is neither a square nor a stand cannot move
    }

    const int dx = tx - fx;
    const int dy = ty - fy;
    const int adx = std::abs(dx);
    const int ady = std::abs(dy);
    switch (koma) {
    case HU:
        return (fx > 0) ? (dx == 0 && dy == 1) : (ty != 9);
    case -HU:
        return (fx != 11) ? (dx == 0 && dy == -1) : (ty != 1);
    case KYOU:
        if (fx == -1) return ty != 9;
        if (dx != 0 || dy <= 0) return 0;
        for (int y = fy + 1; y <= ty - 1; ++y)
            if (BAN(tx, y) != KARA) return 0;
        return 1;
    case -KYOU:
        if (fx == 11) return ty != 1;
        if (dx != 0 || dy >= 0) return 0;
        for (int y = fy - 1; y >= ty + 1; --y)
            if (BAN(tx, y) != KARA) return 0;
        return 1;
    case KEI:
        if (fx == -1) return ty <= 7;
        return dy == 2 && adx == 1;
    case -KEI:
        if (fx == 11) return ty >= 3;
        return dy == -2 && adx == 1;
    case GIN:
        return adx <= 1 && (dy == 1 || (dy == -1 && dx != 0));
    case -GIN:
        return adx <= 1 && (dy == -1 || (dy == 1 && dx != 0));
    case KIN: case HU_NARI: case KYOU_NARI: case KEI_NARI: case GIN_NARI:
        return (adx <= 1 && (dy == 0 || dy == 1)) || (dx == 0 && dy == -1);
    case -KIN: case -HU_NARI: case -KYOU_NARI: case -KEI_NARI: case -GIN_NARI:
        return (adx <= 1 && (dy == 0 || dy == -1)) || (dx == 0 && dy == 1);
    case KAKU: case -KAKU:
        return 移動チェック角(fx, fy, tx, ty);
    case KAKU_NARI: case -KAKU_NARI:
        return (adx <= 1 && ady <= 1) || 移動チェック角(fx, fy, tx, ty);
    case SYA: case -SYA:
        return 移動チェック飛車(fx, fy, tx, ty);
    case SYA_NARI: case -SYA_NARI:
        return (adx <= 1 && ady <= 1) || 移動チェック飛車(fx, fy, tx, ty);
    case OU: case -OU:
        return adx <= 1 && ady <= 1;
    default:
        return 0;
    }
}

int Game::移動チェック飛車(int fx, int fy, int tx, int ty) const {
    if (fx == tx) {
        const int step = ty > fy ? 1 : -1;
        for (int y = fy + step; y != ty; y += step)
            if (BAN(tx, y) != KARA) return 0;
        return 1;
    }
    if (fy == ty) {
        const int step = tx > fx ? 1 : -1;
        for (int x = fx + step; x != tx; x += step)
            if (BAN(x, ty) != KARA) return 0;
        return 1;
    }
    return 0;
}

int Game::移動チェック角(int fx, int fy, int tx, int ty) const {
    if (std::abs(tx - fx) != std::abs(ty - fy)) return 0;
    const int sx = tx > fx ? 1 : -1;
    const int sy = ty > fy ? 1 : -1;
    for (int x = fx + sx, y = fy + sy; x != tx; x += sx, y += sy)
        if (BAN(x, y) != KARA) return 0;
    return 1;
}

int Game::移動後チェック(int toY, int koma) {
    switch (koma) {
    case HU: case KYOU: return toY == 9 ? 0 : 1;
    case KEI: return toY > 7 ? 0 : 1;
    case -HU: case -KYOU: return toY == 1 ? 0 : 1;
    case -KEI: return toY < 3 ? 0 : 1;
    default: return 1;
    }
}

void Game::調査_2歩フラグ設定() {
    for (int x = 1; x <= 9; ++x) {
        NIFU_SITA[x] = 0;
        NIFU_UE[x] = 0;
        for (int y = 1; y <= 9; ++y) {
            if (BAN(x, y) == -HU) NIFU_SITA[x] = 1;
            if (BAN(x, y) == HU) NIFU_UE[x] = 1;
        }
    }
}

}  // namespace fudo
