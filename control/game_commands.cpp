// Menu commands that start, resume and leave games, and the ways to close the program.
// A start command never resets the position: it plays on from what is shown.
#include "engine/game.h"

namespace fudo {
namespace {

// Shows the computer level for a game against the computer, or covers its place with the
// background for two persons.
void レベル表示(Game& g, bool COM対局) {
    if (COM対局) {
        g.描画_レベル(g.COM_LEVEL);
    } else {
        for (int x = -2; x <= 0; ++x) g.描画_絵(g.HAIKEI_NOW, x, 0);
    }
}

// The kings take their squares for the whole game in place of the pre-game codes; the
// screen is redrawn with the in-game title and the start is announced. The full redraw
// paints over the level display drawn before it (and draws the level of the mode that
// is ending), so the display of the new mode is drawn again after it.
void 対局画面を用意(Game& g, bool COM対局) {
    g.拒否を消す();  // a reason given before the game no longer applies
    g.BAN(5, 9) = -OU;
    g.BAN(5, 1) = OU;
    g.SITA_OU_X = 5;
    g.SITA_OU_Y = 9;
    g.TITLE_E = DIRUVID;
    g.画面_再描画();
    レベル表示(g, COM対局);
    g.canvas().refresh();
    g.効果音(g.SOUND_KAVELU);
    g.待ち時間(0.5);
}

// What SENTE and GOTE share before they decide who is to move.
void COM対局の準備(Game& g, bool 時刻を記録) {
    g.描画_棋譜読込み部分消去();
    レベル表示(g, true);
    対局画面を用意(g, true);
    g.SENTAKU = 0;
    g.TAIKYOKU_MODE = MODE_COM;
    g.KIFU_MODE = 0;
    // The list ends at the position shown. KIFU_NOW rather than TESU: after a reversal
    // the move number runs on while the list starts again from 0, and a stale end would
    // let "進" replay moves of the position before the reversal.
    g.KIFU_LAST = g.KIFU_NOW;
    if (時刻を記録) g.JIKAN_START = g.host().now();
    g.Timer1_Enabled = true;
}

bool 新しい対局(const Game& g) { return g.TEBAN == 0 || g.TESU == 0; }

bool 王か(int c) { return c == OU || c == -OU || c == SITA_OU_MAE || c == UE_OU_MAE; }

bool 王の升(int x, int y) { return x == 5 && (y == 9 || y == 1); }

// A game is played on only where no king has been taken or moved: a king stands nowhere
// but on its own square, which holds nothing else, and no hand holds a king. A record
// replayed up to the move that took or moved a king ends elsewhere, and a start command
// there would write a king over another piece or add a second one.
bool 王が定位置(const Game& g) {
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = g.BAN(x, y);
            if (王の升(x, y) ? (c != KARA && !王か(c)) : 王か(c)) return false;
        }
    int sita = 0, ue = 0;
    for (int k = 1; k <= 7; ++k) {
        sita += g.SITA_MOCHI[k];
        ue += g.UE_MOCHI[k];
    }
    return g.SITA_MOCHI_SU == sita && g.UE_MOCHI_SU == ue;
}

bool 開始を拒否(Game& g) {
    if (王が定位置(g)) return false;
    g.効果音(g.SOUND_KINSI);
    g.dialogs().message("王が元の位置にない局面からは対局できません", "開始", Buttons::OK);
    return true;
}

}  // namespace

void Game::見出し_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
}

void Game::SENTE_Click() {
    // A finished game is never played on: the start command begins a new one.
    if (終局.終わった()) 初期設定();
    if (開始を拒否(*this)) return;
    if (新しい対局(*this)) 持ち時間を始める();
    COM対局の準備(*this, true);
    if (新しい対局(*this)) {
        MAN_SENGO = TE_SENTE;
        COM_SENGO = TE_GOTE;
        TEBAN = MAN_SENGO;
        お知らせ("MANの番です", " ");
    } else if (TEBAN == MAN_SENGO) {
        MAN_SENGO = TE_SENTE;
        COM_SENGO = TE_GOTE;
        TEBAN = TE_SENTE;
        お知らせ("MANの番です", "対局");
    } else if (TEBAN == COM_SENGO) {
        // The computer's turn ends with the person to move; the pause flag stays.
        com_ban();
        return;
    }
    SAIKAI_MATI = 0;
}

void Game::GOTE_Click() {
    if (終局.終わった()) 初期設定();
    if (開始を拒否(*this)) return;
    if (新しい対局(*this)) 持ち時間を始める();
    COM対局の準備(*this, false);
    if (新しい対局(*this)) {
        MAN_SENGO = TE_GOTE;
        COM_SENGO = TE_SENTE;
        TEBAN = TE_SENTE;
        com_ban();
    } else if (TEBAN == MAN_SENGO) {
        お知らせ("MANの番です", "対局");
        SAIKAI_MATI = 0;
    } else if (TEBAN == COM_SENGO) {
        com_ban();
    }
}

void Game::START_Click() {
    if (終局.終わった()) 初期設定();
    if (開始を拒否(*this)) return;
    if (新しい対局(*this)) 持ち時間を始める();
    描画_棋譜読込み部分消去();
    レベル表示(*this, false);
    対局画面を用意(*this, false);
    JIKAN_START = host_.now();
    if (時計を動かす()) Timer1_Enabled = true;
    TAIKYOKU_MODE = MODE_MAN;
    // As for a game against the computer: a record becomes the game played on from the
    // position shown, and the list ends there.
    KIFU_MODE = 0;
    KIFU_LAST = KIFU_NOW;
    if (新しい対局(*this)) {
        MAN_SENGO = TE_SENTE;
        COM_SENGO = TE_GOTE;
        TEBAN = MAN_SENGO;
        お知らせ("先手の番です", " ");
    } else if (TEBAN == TE_SENTE) {
        お知らせ("先手の番です", " ");
    } else if (TEBAN == TE_GOTE) {
        お知らせ("後手の番です", " ");
    }
    SAIKAI_MATI = 0;
}

void Game::持ち時間を始める() {
    対局時間 = 持ち時間設定;
    警告秒 = -1;
    走る時計 = 0;
    // A new game's record starts at its first move.
    棋譜開始日時.clear();
}

void Game::OWARI_Click() { プログラム終了(); }

void Game::Form_Unload() { プログラム終了(); }

void Game::Form_KeyPress(int key) {
    if (key == KEY_ESC) プログラム終了();
}

void Game::VER_Click() {
    効果音(SOUND_SONOTA);
    dialogs_.message(
        "不動将棋 (Fudō Shogi)\n"
        "バージョン 1.0.0\n"
        "王は動かない将棋：自分の王を動かした方が負けです。\n"
        "MIT License",
        "その他", Buttons::OK, Icon::Information);
}

}  // namespace fudo
