// Painting the board, the stands of pieces in hand, the background and the guidance
// outlines. Everything goes through the Canvas in cell coordinates.
#include "engine/game.h"

namespace fudo {

namespace {
// Codes that have a picture: pieces of both sides, the empty square, the titles, the
// background tiles and the pre-game kings. Anything else (±111 for one) paints nothing.
bool hasPicture(int code) { return (code >= 0 && code <= 9) || code == DIRUVID_SUMI || 正しい駒コード(code); }

// The board square at exactly cell (x, y), if it is one.
bool 盤の桝(double x, double y, int& ix, int& iy) {
    ix = int(x);
    iy = int(y);
    return ix == x && iy == y && ix >= 1 && ix <= 9 && iy >= 1 && iy <= 9;
}

// A cell that turns with the view: a board square or a cell of either stand.
bool 回る桝(double x, double y) {
    const int ix = int(x), iy = int(y);
    if (ix != x || iy != y) return false;
    return (ix >= 1 && ix <= 9 && iy >= 1 && iy <= 9) || (ix == 11 && iy >= 3 && iy <= 9) ||
           (ix == -1 && iy >= 1 && iy <= 7);
}
}  // namespace

void Game::画面の桝(double& x, double& y) const {
    // Turned through 180 degrees the board maps onto itself and each stand onto the other.
    if (!視点反転 || !回る桝(x, y)) return;
    x = 10 - x;
    y = 10 - y;
}

void Game::描画_絵(int code, double x, double y) {
    if (!hasPicture(code)) return;
    int ix, iy;
    if (盤の桝(x, y, ix, iy)) 表示印(ix, iy) = Tint::None;
    double sx = x, sy = y;
    画面の桝(sx, sy);
    // A turned piece faces the other way: it is drawn as the other side's.
    if (視点反転 && (sx != x || sy != y) && 正しい駒コード(code)) code = -code;
    canvas_.picture(code, sx, sy);
}

void Game::描画_桝輪郭(int colour, double x, double y) {
    int ix, iy;
    if (盤の桝(x, y, ix, iy)) 表示輪郭(ix, iy) = colour;
    画面の桝(x, y);
    canvas_.outline(colour, x, y);
}

void Game::描画_画面の桝輪郭(int colour, int x, int y) {
    double gx = x, gy = y;
    画面の桝(gx, gy);  // the same turn leads back
    描画_桝輪郭(colour, gx, gy);
}

void Game::描画_将棋盤桝() {
    // Guidance tints go with the outlines they accompany.
    bool tinted = false;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (指導印(x, y) != Tint::None) {
                指導印(x, y) = Tint::None;
                tinted = true;
            }
    if (tinted) 描画_盤の印();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) 描画_桝輪郭(色_緑, x, y);
}

void Game::描画_盤() {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            描画_絵(BAN(x, y), x, y);
            描画_桝輪郭(色_緑, x, y);
        }
}

namespace {
// The column right of a stand's cells, where the counts stand, for the stand shown at the
// bottom right (12) or at the top left (0) of the screen.
int 数の列(bool bottom) { return bottom ? 12 : 0; }
}  // namespace

void Game::描画_自持盤() {
    // Turned, this stand shows at the top left: its cells go there with the board's turn,
    // and the counts beside them.
    const int cx = 数の列(!視点反転);
    for (int k = 1; k <= 7; ++k) {
        const int y = k + 2, sy = 視点反転 ? 10 - y : y;
        描画_絵(KARA, 11, y);
        描画_絵(HAIKEI_NOW, cx, sy);
        描画_桝輪郭(色_緑, 11, y);
        if (SITA_MOCHI[k] > 0) {
            描画_絵(-持駒コード[k], 11, y);
            描画_桝輪郭(色_緑, 11, y);
            描画_数値(cx + 0.1, sy + 0.3, SITA_MOCHI[k], 色_黒, 0, 14);
            描画_数値(cx, sy + 0.2, SITA_MOCHI[k], 色_明赤, 0, 14);
        }
    }
}

void Game::描画_敵持盤() {
    const int cx = 数の列(視点反転);
    for (int y = 1; y <= 7; ++y) {
        const int k = 8 - y, sy = 視点反転 ? 10 - y : y;
        描画_絵(KARA, -1, y);
        描画_絵(HAIKEI_NOW, cx, sy);
        描画_桝輪郭(色_緑, -1, y);
        if (UE_MOCHI[k] > 0) {
            描画_絵(持駒コード[k], -1, y);
            描画_桝輪郭(色_緑, -1, y);
            描画_数値(cx + 0.1, sy + 0.3, UE_MOCHI[k], 色_黒, 0, 14);
            描画_数値(cx, sy + 0.2, UE_MOCHI[k], 色_明赤, 0, 14);
        }
    }
}

void Game::描画_背景(int code) {
    for (int x = -3; x <= 28; ++x)
        for (int y = -2; y <= 17; ++y)
            if (x < 1 || x > 9 || y < 1 || y > 9) 描画_絵(code, x, y);
}

void Game::描画_移動可能桝色(int sx, int sy, int colour, int koma) {
    描画_将棋盤桝();
    if (SIDOU_FLAG == 0) return;
    // Green clears the guidance; any other colour shows it, tinted when that aid is on.
    // A king's squares are then tinted as losing and get no inviting outline.
    const bool tints = 補助.指導 && colour != 色_緑;
    const bool king = koma == OU || koma == -OU;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (移動チェック(sx, sy, x, y, koma) == 1) {
                if (tints) 指導印(x, y) = king ? Tint::Losing : Tint::Reach;
                if (!(tints && king)) 描画_桝輪郭(colour, x, y);
            }
    if (tints) 描画_盤の印();
}

void Game::画面_再描画() {
    canvas_.beginFullRedraw();
    描画_背景(HAIKEI_NOW);
    描画_桝_数値();
    描画_自持盤();
    描画_敵持盤();
    描画_盤();
    描画_所有時間(COM_SENGO, COM_JIKAN);
    描画_所有時間(MAN_SENGO, MAN_JIKAN);
    if (TAIKYOKU_MODE == MODE_COM) 描画_レベル(COM_LEVEL);
    if (HANDE_FLAG == 1) 描画_ハンデレベル(HANDE_LEVEL);
    描画_絵(題の絵(), 11.1, 0);
    // The marks were painted over with everything else.
    指導印 = {};
    手番表示 = 0;
    描画_補助();
}

}  // namespace fudo
