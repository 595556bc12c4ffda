// Check, mate and the end of a game. A king never moves, so an attacked king is saved only
// by a piece put between (a drop) or by a move that takes the attack away.
#include <cstdlib>
#include <string>

#include "engine/game.h"

namespace fudo {

int Game::詰めかMAN() {
    const int kx = SITA_OU_X, ky = SITA_OU_Y;
    if (UE_SEIRYOKU.at(kx, ky) == 0) return 0;

    bool tryMoves = SITA_MOCHI_SU <= 0;
    if (!tryMoves) {
        for (int x = 1; x <= 9 && !tryMoves; ++x) {
            for (int y = 1; y <= 9 && !tryMoves; ++y) {
                const int mark = UE_OUTE(x, y);
                if (mark == 9 && std::abs(x - kx) < 2 && std::abs(y - ky) < 2) {
                    tryMoves = true;  // a checker next to the king cannot be blocked
                } else if (mark == 1) {
                    const int saved = BAN(x, y);
                    const bool onlyPawns = SITA_MOCHI_SU == SITA_MOCHI[1];
                    const bool placed = !(onlyPawns && 移動チェック(11, 3, x, y, -HU) == 0);
                    if (placed) BAN(x, y) = -HU;
                    for (int cx = 1; cx <= 9 && !tryMoves; ++cx)
                        for (int cy = 1; cy <= 9 && !tryMoves; ++cy)
                            if (UE_OUTE(cx, cy) == 9 && 移動チェック(cx, cy, kx, ky, BAN(cx, cy)) == 1)
                                tryMoves = true;
                    if (placed) BAN(x, y) = saved;
                }
            }
        }
        if (!tryMoves) return 0;  // every checking line can be blocked by a drop
    }

    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = BAN(x, y);
            if (code < -SYA_NARI || code > -HU) continue;
            for (int x2 = 1; x2 <= 9; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if ((x2 == x && y2 == y) || UE_OUTE(x2, y2) <= 0) continue;
                    if (移動チェック(x, y, x2, y2, code) != 1) continue;
                    const int kept = BAN(x2, y2);
                    BAN(x2, y2) = code;
                    BAN(x, y) = KARA;
                    const int reaches = 詰めかMAN_COM移動();
                    BAN(x, y) = code;
                    BAN(x2, y2) = kept;
                    if (reaches == 0) return 0;
                }
        }
    return 1;
}

int Game::詰めかCOM() {
    const int kx = UE_OU_X, ky = UE_OU_Y;
    if (SITA_SEIRYOKU.at(kx, ky) == 0) return 0;

    bool tryMoves = UE_MOCHI_SU <= 0;
    if (!tryMoves) {
        for (int x = 1; x <= 9 && !tryMoves; ++x) {
            for (int y = 1; y <= 9 && !tryMoves; ++y) {
                const int mark = SITA_OUTE(x, y);
                if (mark == 9 && std::abs(x - kx) < 2 && std::abs(y - ky) < 2) {
                    tryMoves = true;
                } else if (mark == 1) {
                    const int saved = BAN(x, y);
                    const bool onlyPawns = UE_MOCHI_SU == UE_MOCHI[1];
                    const bool placed = !(onlyPawns && 移動チェック(-1, 1, x, y, HU) == 0);
                    if (placed) BAN(x, y) = HU;
                    for (int cx = 1; cx <= 9 && !tryMoves; ++cx)
                        for (int cy = 1; cy <= 9 && !tryMoves; ++cy)
                            if (SITA_OUTE(cx, cy) == 9 && 移動チェック(cx, cy, kx, ky, BAN(cx, cy)) == 1)
                                tryMoves = true;
                    if (placed) BAN(x, y) = saved;
                }
            }
        }
        if (!tryMoves) return 0;
    }

    // Each trial reply is surveyed; the maps are read live, so after the first trial
    // SITA_OUTE is the one that trial's survey left.
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = BAN(x, y);
            if (code < HU || code > SYA_NARI) continue;
            for (int x2 = 1; x2 <= 9; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if ((x2 == x && y2 == y) || SITA_OUTE(x2, y2) <= 0) continue;
                    if (移動チェック(x, y, x2, y2, code) != 1) continue;
                    const int kept = BAN(x2, y2);
                    BAN(x2, y2) = code;
                    BAN(x, y) = KARA;
                    勢力調査();
                    BAN(x, y) = code;
                    BAN(x2, y2) = kept;
                    if (SITA_SEIRYOKU.at(kx, ky) == 0) return 0;
                }
        }
    return 1;
}

int Game::詰めかMAN_COM移動() const {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int code = BAN(x, y);
            if (code >= 10 && 移動チェック(x, y, SITA_OU_X, SITA_OU_Y, code) == 1) return 1;
        }
    return 0;
}

int Game::調査_自王逃道() {
    int n = 0;
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) continue;
            const int x = SITA_OU_X + dx, y = SITA_OU_Y + dy;
            if (x < 1 || x > 9 || y < 1 || y > 9) continue;
            if (BAN(x, y) == KARA && UE_SEIRYOKU(x, y) == 0) {
                OU_NIGE_MASU(x, y) = 1;
                ++n;
            }
        }
    return n;
}

namespace {

// With the flow aids: the finished game stays on the board and the host offers what comes
// next. The side to move follows the list (a losing king move left the mover on turn), so
// that 戻 and 進 walk the finished game like any other.
void ゲームを残す(Game& g) {
    g.Timer1_Enabled = false;
    g.SENTAKU = 0;
    if (g.KIFU_NOW >= 1 && g.KIFU_NOW <= KIFU_MAX) g.TEBAN = g.KIFU_KOMA_ATO[g.KIFU_NOW] < 0 ? g.COM_SENGO : g.MAN_SENGO;
    g.描画_絵(g.題の絵(), 11.1, 0);
    g.host().setStatusLine(g.終局の文());
    g.host().gameOver();
}

}  // namespace

void Dialogs::gameEnd(std::string_view winner) {
    std::string text(winner);
    text += "の勝ちです";
    message(text, "終了", Buttons::OK);
}

void Game::終了(std::string_view winner, 終局理由 reason, int winnerSide) {
    // Recorded before any box: whatever happens while a box is open (the window closed,
    // the program ended), the game is known to be over.
    終局 = {reason, winnerSide};
    if (補助.案内) {
        // The game stays on the board to be looked over; the host offers what comes next.
        ゲームを残す(*this);
        return;
    }
    dialogs_.gameEnd(winner);
    再ゲーム確認();
}

void Game::再ゲーム確認() {
    if (dialogs_.message("続けますか？", "再ゲーム", Buttons::YesNo) == Answer::Yes) {
        初期設定();
    } else {
        プログラム終了();
    }
}

void Game::プログラム終了() {
    終了処理();
    終了要求 = true;
    host_.quit();
}

int Game::手数上限() {
    if (TEBAN == 0 || KIFU_NOW < KIFU_MAX) return 0;
    終局 = {終局理由::手数上限, 0};
    if (補助.案内) {
        ゲームを残す(*this);
        return 1;
    }
    dialogs_.message("500手に達したので引き分けです", "終了", Buttons::OK);
    再ゲーム確認();
    return 1;
}

void Game::終了処理() {
    if (sound_) {
        sound_->dsFree(SOUND_SONOTA);
        sound_->dsFree(SOUND_KINSI);
        sound_->dsFree(SOUND_KOMAOTO);
        sound_->dsFree(SOUND_KAVELU);
        sound_->dsFree(SOUND_BGM);
    }
    SOUND_SONOTA = SOUND_KINSI = SOUND_KOMAOTO = SOUND_KAVELU = SOUND_BGM = 0;
    終了_サウンド();
}

void Game::待ち時間(double seconds) { host_.wait(seconds); }

}  // namespace fudo
