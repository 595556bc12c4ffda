// Move legality: the movement rules of shogi and the drop rules the game enforces.
// Nothing here looks at attacks on the king: leaving one's own king attacked is allowed.
// One body answers both questions: whether a move is legal (the computer asks this in its
// search) and, for the board input, why it is not.
#include <cstdlib>

#include "engine/game.h"

namespace fudo {
namespace {

using R = 拒否理由;

// Rook lines (diagonal = false) or bishop lines from (fx, fy) to (tx, ty).
[[gnu::always_inline]] inline R 直線判定(const Game& g, int fx, int fy, int tx, int ty, bool diagonal) {
    if (diagonal) {
        if (std::abs(tx - fx) != std::abs(ty - fy)) return R::動けない;
        const int sx = tx > fx ? 1 : -1;
        const int sy = ty > fy ? 1 : -1;
        for (int x = fx + sx, y = fy + sy; x != tx; x += sx, y += sy)
            if (g.BAN(x, y) != KARA) return R::間に駒;
        return R::なし;
    }
    if (fx == tx) {
        const int step = ty > fy ? 1 : -1;
        for (int y = fy + step; y != ty; y += step)
            if (g.BAN(tx, y) != KARA) return R::間に駒;
        return R::なし;
    }
    if (fy == ty) {
        const int step = tx > fx ? 1 : -1;
        for (int x = fx + step; x != tx; x += step)
            if (g.BAN(x, ty) != KARA) return R::間に駒;
        return R::なし;
    }
    return R::動けない;
}

constexpr R 可否(bool ok) { return ok ? R::なし : R::動けない; }

[[gnu::always_inline]] inline R 判定(const Game& g, int fx, int fy, int tx, int ty, int koma) {
    if (tx < 1 || tx > 9 || ty < 1 || ty > 9) return R::盤外;
    if (fx == tx && fy == ty) return R::同じ桝;
    const int dest = g.BAN(tx, ty);
    if (koma >= 10) {
        if (dest >= 10) return R::自分の駒;
    } else if (dest <= -10) {
        return R::自分の駒;
    }

    const bool drop = fx == 11 || fx == -1;
    if (drop) {
        if (dest != KARA) return R::駒の上;
        if (koma == -HU && g.NIFU_SITA[tx] == 1) return R::二歩;
        if (koma == HU && g.NIFU_UE[tx] == 1) return R::二歩;
        switch (koma) {
        case GIN: case -GIN: case KIN: case -KIN:
        case KAKU: case -KAKU: case SYA: case -SYA:
            return R::なし;
        default:
            break;  // pawn, lance and knight: the last-rank rules below
        }
    } else if (fx < 1 || fx > 9 || fy < 1 || fy > 9) {
        return R::動けない;  // a source that is neither a square nor a stand cannot move
    }

    const int dx = tx - fx;
    const int dy = ty - fy;
    const int adx = std::abs(dx);
    const int ady = std::abs(dy);
    constexpr R 行き所なし = R::行き所なし;
    switch (koma) {
    case HU:
        if (fx > 0) return 可否(dx == 0 && dy == 1);
        return ty != 9 ? R::なし : 行き所なし;
    case -HU:
        if (fx != 11) return 可否(dx == 0 && dy == -1);
        return ty != 1 ? R::なし : 行き所なし;
    case KYOU:
        if (fx == -1) return ty != 9 ? R::なし : 行き所なし;
        if (dx != 0 || dy <= 0) return R::動けない;
        for (int y = fy + 1; y <= ty - 1; ++y)
            if (g.BAN(tx, y) != KARA) return R::間に駒;
        return R::なし;
    case -KYOU:
        if (fx == 11) return ty != 1 ? R::なし : 行き所なし;
        if (dx != 0 || dy >= 0) return R::動けない;
        for (int y = fy - 1; y >= ty + 1; --y)
            if (g.BAN(tx, y) != KARA) return R::間に駒;
        return R::なし;
    case KEI:
        if (fx == -1) return ty <= 7 ? R::なし : 行き所なし;
        return 可否(dy == 2 && adx == 1);
    case -KEI:
        if (fx == 11) return ty >= 3 ? R::なし : 行き所なし;
        return 可否(dy == -2 && adx == 1);
    case GIN:
        return 可否(adx <= 1 && (dy == 1 || (dy == -1 && dx != 0)));
    case -GIN:
        return 可否(adx <= 1 && (dy == -1 || (dy == 1 && dx != 0)));
    case KIN: case HU_NARI: case KYOU_NARI: case KEI_NARI: case GIN_NARI:
        return 可否((adx <= 1 && (dy == 0 || dy == 1)) || (dx == 0 && dy == -1));
    case -KIN: case -HU_NARI: case -KYOU_NARI: case -KEI_NARI: case -GIN_NARI:
        return 可否((adx <= 1 && (dy == 0 || dy == -1)) || (dx == 0 && dy == 1));
    case KAKU: case -KAKU:
        return 直線判定(g, fx, fy, tx, ty, true);
    case KAKU_NARI: case -KAKU_NARI:
        if (adx <= 1 && ady <= 1) return R::なし;
        return 直線判定(g, fx, fy, tx, ty, true);
    case SYA: case -SYA:
        return 直線判定(g, fx, fy, tx, ty, false);
    case SYA_NARI: case -SYA_NARI:
        if (adx <= 1 && ady <= 1) return R::なし;
        return 直線判定(g, fx, fy, tx, ty, false);
    case OU: case -OU:
        return 可否(adx <= 1 && ady <= 1);
    default:
        return R::動けない;
    }
}

}  // namespace

int Game::移動チェック(int fx, int fy, int tx, int ty, int koma) const {
    return 判定(*this, fx, fy, tx, ty, koma) == R::なし ? 1 : 0;
}

拒否理由 Game::移動判定(int fx, int fy, int tx, int ty, int koma) const {
    return 判定(*this, fx, fy, tx, ty, koma);
}

int Game::移動チェック飛車(int fx, int fy, int tx, int ty) const {
    return 直線判定(*this, fx, fy, tx, ty, false) == R::なし ? 1 : 0;
}

int Game::移動チェック角(int fx, int fy, int tx, int ty) const {
    return 直線判定(*this, fx, fy, tx, ty, true) == R::なし ? 1 : 0;
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
