// The play aids on the board: the last move's tint, the guidance tints, the king in check
// and the turn mark.
// Each square remembers its tint, so an update paints only the squares that change.
#include "engine/game.h"

namespace fudo {
namespace {

bool 盤上(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }

// The turn mark's place: under the lower player's clock on the right, under the upper
// player's on the left, in the row below the clocks.
constexpr int 下の手番 = 1, 上の手番 = 2;
constexpr double 手番の行 = 10.1;

}  // namespace

Tint Game::桝の印(int x, int y) const {
    if (補助.指導 && 指導印(x, y) != Tint::None) return 指導印(x, y);
    const int c = BAN(x, y);
    if (補助.案内 && (c == OU || c == -OU) && TEBAN != 0 && KIFU_MODE == 0) {
        // A mated king: the computer's after the person's mate ended the game; the king
        // of the side to move while an announced mate stands.
        const bool 上の詰み = c == OU && 終局.理由 == 終局理由::詰み && KIFU_NOW == KIFU_LAST;
        const bool 告げた詰み = 詰み手 != 0 && 詰み手 == KIFU_NOW && (c < 0 ? MAN_SENGO : COM_SENGO) == TEBAN;
        if (上の詰み || 告げた詰み) return Tint::Mated;
        if (王が狙われている(c > 0 ? 1 : -1)) return Tint::Check;
    }
    if (補助.最終手 && KIFU_NOW >= 1 && KIFU_NOW <= KIFU_MAX) {
        const int n = KIFU_NOW;
        if (KIFU_SAKI_X[n] == x && KIFU_SAKI_Y[n] == y) return Tint::LastTo;
        // A drop has no source square on the board.
        if (KIFU_MOTO_X[n] == x && KIFU_MOTO_Y[n] == y && 盤上(x, y)) return Tint::LastFrom;
    }
    return Tint::None;
}

void Game::描画_盤の印() {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            // Any other painting of a square leaves it untinted (see 描画_絵).
            const Tint t = 桝の印(x, y);
            if (t == 表示印(x, y)) continue;
            if (t == Tint::None) {
                描画_絵(BAN(x, y), x, y);
            } else {
                double sx = x, sy = y;
                画面の桝(sx, sy);
                canvas_.tintedPicture(視点反転 ? -BAN(x, y) : BAN(x, y), sx, sy, t);
                表示印(x, y) = t;
            }
            // The picture covers its own outline's top and left lines, and the right and
            // bottom lines of the squares to its left and above: all are drawn again.
            描画_桝輪郭(表示輪郭(x, y), x, y);
            if (x > 1) 描画_桝輪郭(表示輪郭(x - 1, y), x - 1, y);
            if (y > 1) 描画_桝輪郭(表示輪郭(x, y - 1), x, y - 1);
        }
}

void Game::描画_手番() {
    int want = 0;
    if (補助.手番 && TEBAN != 0 && KIFU_MODE == 0 && !終局.終わった()) {
        const int place = 画面の下(TEBAN) ? 下の手番 : 上の手番;
        want = place * 2 + (TEBAN == TE_SENTE ? 0 : 1);
    }
    if (want == 手番表示) return;
    if (手番表示 != 0) {
        const int from = 手番表示 / 2 == 下の手番 ? 13 : -2;
        for (int x = from; x <= from + 2; ++x) 描画_絵(HAIKEI_NOW, x, 10);
    }
    手番表示 = want;
    if (want == 0) return;
    // ▲ for the first player, △ for the second, as records write them.
    const std::string_view text = want % 2 == 0 ? "▲手番" : "△手番";
    const double x = want / 2 == 下の手番 ? 13.0 : -1.6;
    描画_数値(x + 0.1, 手番の行 + 0.1, text, 色_黒, 0, 14);
    描画_数値(x, 手番の行, text, 色_黄, 0, 14);
}

void Game::描画_補助() {
    描画_盤の印();
    描画_手番();
}

}  // namespace fudo
