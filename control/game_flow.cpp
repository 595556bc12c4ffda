// The flow aids' words and tests: the end of a game in plain words, whether a king can be
// taken, and notices that go to the status line rather than into a box.
#include "engine/game.h"

namespace fudo {
namespace {

bool 盤上(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }

// The square of a side's king on the board; false when it is not there (taken).
bool 王の桝(const Game& g, int side, int& kx, int& ky) {
    const int king = side > 0 ? OU : -OU;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (g.BAN(x, y) == king) {
                kx = x;
                ky = y;
                return true;
            }
    return false;
}

}  // namespace

bool Game::王が狙われている(int side) const {
    int kx = 0, ky = 0;
    if (!王の桝(*this, side, kx, ky)) return false;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = BAN(x, y);
            const bool 相手 = side > 0 ? c <= -HU : c >= HU;
            if (相手 && 移動チェック(x, y, kx, ky, c) == 1) return true;
        }
    return false;
}

bool Game::王が取られる手か(int fx, int fy, int tx, int ty, int placed) {
    // Tried on the board itself and put back at once; the hands do not matter here.
    Game& g = *this;
    const int side = placed > 0 ? 1 : -1;
    const bool 盤から = 盤上(fx, fy);
    const int 元 = 盤から ? BAN(fx, fy) : 0, 先 = BAN(tx, ty);
    if (盤から) g.BAN(fx, fy) = KARA;
    g.BAN(tx, ty) = placed;
    const bool taken = 王が狙われている(side);
    g.BAN(tx, ty) = 先;
    if (盤から) g.BAN(fx, fy) = 元;
    return taken;
}

std::string Game::終局の文() const {
    const 終局状態& e = 終局;
    if (e.理由 == 終局理由::手数上限) return "500手で引き分けです";
    if (TAIKYOKU_MODE == MODE_COM) {
        const bool 人 = e.勝者 == MAN_SENGO;
        switch (e.理由) {
        case 終局理由::王を動かした:
            return 人 ? "コンピュータが王を動かしたので、あなたの勝ちです" : "王を動かしたので負けです";
        case 終局理由::王を取った:
            return 人 ? "王を取りました。あなたの勝ちです" : "王を取られました。コンピュータの勝ちです";
        case 終局理由::詰み: return "詰みです。あなたの勝ちです";
        case 終局理由::投了: return "コンピュータが投了しました。あなたの勝ちです";
        case 終局理由::時間切れ:
            return 人 ? "コンピュータの時間が切れました。あなたの勝ちです" : "時間が切れました。コンピュータの勝ちです";
        default: return 人 ? "あなたの勝ちです" : "ｺﾝﾋﾟｭｰﾀの勝ちです";
        }
    }
    const bool 先手 = e.勝者 == TE_SENTE;
    switch (e.理由) {
    case 終局理由::王を動かした:
        return 先手 ? "後手が王を動かしたので、先手の勝ちです" : "先手が王を動かしたので、後手の勝ちです";
    case 終局理由::王を取った: return 先手 ? "先手が王を取りました。先手の勝ちです" : "後手が王を取りました。後手の勝ちです";
    case 終局理由::時間切れ:
        return 先手 ? "後手の時間が切れました。先手の勝ちです" : "先手の時間が切れました。後手の勝ちです";
    default: return 先手 ? "先手の勝ちです" : "後手の勝ちです";
    }
}

void Game::お知らせ(std::string_view text, std::string_view title) {
    if (補助.案内) {
        // Leading blanks only centred the text in a box.
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        host_.setStatusLine(text);
    } else {
        dialogs_.message(text, title, Buttons::OK);
    }
}

}  // namespace fudo
