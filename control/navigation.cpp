// Moving through the game: back to the opening position (最初), one move back (戻) or
// forward (進) in the move list, and turning the board through 180 degrees (反転).
// Stepping pauses a game; the next click on the board resumes it from the shown position.
#include <algorithm>
#include <array>
#include <utility>

#include "engine/game.h"

namespace fudo {
namespace {

bool 盤上(int x, int y) { return x >= 1 && x <= 9 && y >= 1 && y <= 9; }

bool 駒か(int c) { return 駒種類(c) != 0 || c == OU || c == -OU; }

// The board holds code c there; outside a game the kings stand as their pre-game codes.
bool 盤の駒が一致(const Game& g, int x, int y, int c) {
    const int b = g.BAN(x, y);
    return b == c || (c == -OU && b == SITA_OU_MAE) || (c == OU && b == UE_OU_MAE);
}

// The board and the hands alone: enough to try a take-back before it is made.
struct 盤と持駒 {
    IntMap BAN;
    std::array<int, 8> SITA_MOCHI, UE_MOCHI;
    int SITA_MOCHI_SU, UE_MOCHI_SU;
    explicit 盤と持駒(const Game& g)
        : BAN(g.BAN), SITA_MOCHI(g.SITA_MOCHI), UE_MOCHI(g.UE_MOCHI), SITA_MOCHI_SU(g.SITA_MOCHI_SU),
          UE_MOCHI_SU(g.UE_MOCHI_SU) {}
};

// Adds d pieces of c's kind to the hand of c's side. A king has no kind: only the
// total moves, as it does when a king is captured.
template <class P>
void 持駒を加える(P& p, int c, int d) {
    const int kind = 駒種類(c);
    if (c <= -HU) {
        if (kind != 0) p.SITA_MOCHI[kind] += d;
        p.SITA_MOCHI_SU += d;
    } else if (c >= HU) {
        if (kind != 0) p.UE_MOCHI[kind] += d;
        p.UE_MOCHI_SU += d;
    }
}

template <class P>
bool 持駒がある(const P& p, int c) {
    const int kind = 駒種類(c);
    if (c <= -HU) return kind == 0 ? p.SITA_MOCHI_SU > 0 : p.SITA_MOCHI[kind] > 0;
    return kind == 0 ? p.UE_MOCHI_SU > 0 : p.UE_MOCHI[kind] > 0;
}

// The lower king's square follows the king wherever a step puts it.
void 置く(Game& g, int x, int y, int c) {
    g.BAN(x, y) = c;
    if (c == -OU) {
        g.SITA_OU_X = x;
        g.SITA_OU_Y = y;
    }
}

// Entry i fits the shown position as the next move: its squares are on the board, a
// drop's stand holds the piece, and the board holds what the entry says. A list read
// from a file or left from an earlier position must not corrupt the board or the hands.
bool 進められる(const Game& g, int i) {
    if (i < 1 || i > KIFU_MAX) return false;
    const int fx = g.KIFU_MOTO_X[i], fy = g.KIFU_MOTO_Y[i];
    const int tx = g.KIFU_SAKI_X[i], ty = g.KIFU_SAKI_Y[i];
    const int c = g.KIFU_KOMA_ATO[i], t = g.KIFU_TORI[i];
    if (!盤上(tx, ty) || !駒か(c) || (t != 0 && !駒か(t))) return false;
    // The entry's mover must be the side to move, or the sides' turns fall out of step.
    if ((c < 0 ? g.MAN_SENGO : g.COM_SENGO) != g.TEBAN) return false;
    if (!盤の駒が一致(g, tx, ty, t)) return false;
    if (fx >= 1 && fx <= 9) return 盤上(fx, fy) && 盤の駒が一致(g, fx, fy, g.KIFU_KOMA[i]);
    if (fx == 11) return c <= -HU && 駒種類(c) != 0 && 持駒がある(g, c);
    if (fx == -1) return c >= HU && 駒種類(c) != 0 && 持駒がある(g, c);
    return false;
}

// Entry i fits position p as the move just made.
bool 戻せる(const Game& g, const 盤と持駒& p, int i) {
    if (i < 1 || i > KIFU_MAX) return false;
    const int fx = g.KIFU_MOTO_X[i], fy = g.KIFU_MOTO_Y[i];
    const int tx = g.KIFU_SAKI_X[i], ty = g.KIFU_SAKI_Y[i];
    const int c = g.KIFU_KOMA_ATO[i], t = g.KIFU_TORI[i];
    if (!盤上(tx, ty) || !駒か(c) || !駒か(g.KIFU_KOMA[i]) || (t != 0 && !駒か(t))) return false;
    if (p.BAN(tx, ty) != c) return false;
    if (t != 0 && !持駒がある(p, -t)) return false;
    if (fx >= 1 && fx <= 9) return 盤上(fx, fy) && p.BAN(fx, fy) == KARA;
    if (fx == 11) return c <= -HU && 駒種類(c) != 0;
    if (fx == -1) return c >= HU && 駒種類(c) != 0;
    return false;
}

// Entry i taken back on p, as 戻 takes it back on the game (which 戻せる allowed).
void 戻す(const Game& g, 盤と持駒& p, int i) {
    const int fx = g.KIFU_MOTO_X[i], fy = g.KIFU_MOTO_Y[i], t = g.KIFU_TORI[i];
    if (fx >= 1 && fx <= 9)
        p.BAN(fx, fy) = g.KIFU_KOMA[i];
    else
        持駒を加える(p, g.KIFU_KOMA_ATO[i], +1);
    if (t != 0) 持駒を加える(p, -t, -1);
    p.BAN(g.KIFU_SAKI_X[i], g.KIFU_SAKI_Y[i]) = t;
}

// Entries from..to, the last first, can be taken back one after the other: each is tried
// on the position the ones after it leave (a reply may have retaken the moved piece).
bool 続けて戻せる(const Game& g, int from, int to) {
    盤と持駒 p(g);
    for (int n = to; n >= from; --n) {
        if (!戻せる(g, p, n)) return false;
        戻す(g, p, n);
    }
    return true;
}

// Stepping pauses the game. Under a time control the turn under way keeps running: its
// side is remembered, and the clocks keep the game's totals.
void 止めずに止める(Game& g) {
    if (g.SAIKAI_MATI == 0 && g.走る時計 == 0 && g.時計を止めずに進む()) g.走る時計 = g.TEBAN;
    g.SAIKAI_MATI = 1;
}

void 記録欄を隠す(Game& g) {
    g.描画_可視(false, false, false);
    g.描画_棋譜_IO(1);
}

}  // namespace

void Game::CANCEL_Click() {
    // In a record 最初 is its first position: the record stays, to be stepped through again.
    if (KIFU_MODE == 1 && TEBAN != TE_NASI) {
        記録の最初へ();
        return;
    }
    初期設定();
    効果音(SOUND_KOMAOTO);
}

void Game::記録の最初へ() {
    if (KIFU_NOW < 1) {
        効果音(SOUND_KINSI);
        return;
    }
    while (KIFU_NOW >= 1 && 戻せる(*this, 盤と持駒(*this), KIFU_NOW)) REPLAY_Click();
}

void Game::AFTER_Click() {
    記録欄を隠す(*this);
    if (TEBAN == TE_NASI) {
        効果音(SOUND_KINSI);
        // With the flow aids the status line says it, as for a click on the board.
        if (補助.案内) {
            拒否を知らせる(拒否理由::対局前);
            host_.setStatusLine("F2 で対局を始めます");
        } else {
            dialogs_.message("「対局」で始めて下さい", "開始", Buttons::OK);
        }
        return;
    }
    止めずに止める(*this);
    if (KIFU_NOW >= KIFU_LAST) {
        if (KIFU_MODE == 1) {
            お知らせ("終わり", "進む");
        } else {
            効果音(SOUND_KINSI);
            お知らせ("できません", "進む");
        }
        return;
    }
    if (!進められる(*this, KIFU_NOW + 1)) {
        効果音(SOUND_KINSI);
        お知らせ("できません", "進む");
        return;
    }

    SENTAKU = 0;
    if (走る時計 == 0) Timer1_Enabled = false;
    描画_将棋盤桝();
    KIFU_NOW += 1;
    TESU += 1;
    描画_手数(TESU);
    const int i = KIFU_NOW;
    const int fx = KIFU_MOTO_X[i], fy = KIFU_MOTO_Y[i];
    const int tx = KIFU_SAKI_X[i], ty = KIFU_SAKI_Y[i];
    const int c = KIFU_KOMA_ATO[i];

    if (fx >= 1 && fx <= 9) {
        BAN(fx, fy) = KARA;
        描画_絵(KARA, fx, fy);
        描画_桝輪郭(色_緑, fx, fy);
    } else {
        持駒を加える(*this, c, -1);
    }
    置く(*this, tx, ty, c);
    // The capturer is the other side: its hand gains the captured piece's kind.
    if (KIFU_TORI[i] != 0) 持駒を加える(*this, -KIFU_TORI[i], +1);

    if (走る時計 == 0) {
        COM_JIKAN = KIFU_COM_JIKAN[i];
        描画_所有時間(COM_SENGO, COM_JIKAN);
        MAN_JIKAN = KIFU_MAN_JIKAN[i];
        描画_所有時間(MAN_SENGO, MAN_JIKAN);
    }

    // For a drop the source is a stand cell, which the stands' redraw paints again.
    描画_絵(KARA, fx, fy);
    描画_桝輪郭(色_緑, fx, fy);
    描画_絵(c, tx, ty);
    描画_桝輪郭(色_緑, tx, ty);
    描画_自持盤();
    描画_敵持盤();
    効果音(SOUND_KOMAOTO);
    描画_移動結果(c > 0 ? COM_SENGO : MAN_SENGO, tx, ty, c, 色_白, fx, fy);
    TEBAN = -TEBAN;
    描画_手数(TESU);
}

void Game::REPLAY_Click() {
    記録欄を隠す(*this);
    止めずに止める(*this);
    if (KIFU_NOW < 1 || !戻せる(*this, 盤と持駒(*this), KIFU_NOW)) {
        効果音(SOUND_KINSI);
        お知らせ("できません", "戻る");
        return;
    }

    SENTAKU = 0;
    if (走る時計 == 0) Timer1_Enabled = false;
    描画_将棋盤桝();
    const int i = KIFU_NOW;
    const int fx = KIFU_MOTO_X[i], fy = KIFU_MOTO_Y[i];
    const int tx = KIFU_SAKI_X[i], ty = KIFU_SAKI_Y[i];
    const int t = KIFU_TORI[i];

    if (fx >= 1 && fx <= 9) {
        // The piece as it was before the move, unpromoted if it promoted.
        置く(*this, fx, fy, KIFU_KOMA[i]);
        描画_絵(KIFU_KOMA[i], fx, fy);
        描画_桝輪郭(色_緑, fx, fy);
    } else {
        持駒を加える(*this, KIFU_KOMA_ATO[i], +1);
    }
    if (t != 0) 持駒を加える(*this, -t, -1);

    if (走る時計 == 0) {
        COM_JIKAN = KIFU_COM_JIKAN_MAE[i];
        描画_所有時間(COM_SENGO, COM_JIKAN);
        MAN_JIKAN = KIFU_MAN_JIKAN_MAE[i];
        描画_所有時間(MAN_SENGO, MAN_JIKAN);
    }

    置く(*this, tx, ty, t);
    描画_自持盤();
    描画_敵持盤();
    描画_絵(KARA, tx, ty);
    描画_桝輪郭(色_緑, tx, ty);
    if (t != 0) {
        描画_絵(t, tx, ty);
        描画_桝輪郭(色_緑, tx, ty);
    }
    効果音(SOUND_KOMAOTO);
    消去_移動結果(KIFU_KOMA[i] > 0 ? COM_SENGO : MAN_SENGO);

    KIFU_NOW -= 1;
    TESU -= 1;
    TEBAN = -TEBAN;
    描画_手数(TESU);
}

void Game::REVERSE_Click() {
    if (KIFU_MODE == 1) {
        効果音(SOUND_KINSI);
        dialogs_.message("棋譜ﾓｰﾄﾞではできません", "反転", Buttons::OK);
        return;
    }
    HANTEN_FLAG = 1;
    SENTAKU = 0;

    // Each piece changes sides; empty squares and the pre-game kings only change place.
    const IntMap 元 = BAN;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = 元(x, y);
            置く(*this, 10 - x, 10 - y, (c <= -HU || c >= HU) ? -c : c);
        }
    for (int k = 1; k <= 7; ++k) std::swap(SITA_MOCHI[k], UE_MOCHI[k]);
    std::swap(SITA_MOCHI_SU, UE_MOCHI_SU);

    画面_再描画();
    描画_手数(TESU);
    if (HANDE_FLAG == 1) {
        HANDE_LEVEL = -HANDE_LEVEL;
        描画_ハンデレベル(HANDE_LEVEL);
    }
    効果音(SOUND_KOMAOTO);
    // The army that was to move is still to move; it now belongs to the other player.
    TEBAN = -TEBAN;
    // The list no longer fits the board.
    KIFU_NOW = 0;
    KIFU_LAST = 0;
}

void Game::待った_Click() {
    記録欄を隠す(*this);
    // Against the computer the person's move and the reply go together; between two
    // persons the last move alone. Only in a game under way whose moves are all here.
    const bool COM = TAIKYOKU_MODE == MODE_COM;
    const int back = COM ? 2 : 1;
    bool ok = TEBAN != 0 && KIFU_MODE == 0 && SAIKAI_MATI == 0 && !終局.終わった() && KIFU_NOW >= back &&
              KIFU_NOW <= KIFU_MAX;
    if (ok && COM) ok = TEBAN == MAN_SENGO && KIFU_KOMA[KIFU_NOW] > 0 && KIFU_KOMA[KIFU_NOW - 1] < 0;
    ok = ok && 続けて戻せる(*this, KIFU_NOW - back + 1, KIFU_NOW);
    if (!ok) {
        拒否を知らせる(拒否理由::待ったできない);
        効果音(SOUND_KINSI);
        return;
    }
    SENTAKU = 0;
    ヒント消去();
    for (int i = 0; i < back; ++i) REPLAY_Click();
    // Under a time control the moves taken back give back their time, and no more.
    const bool 時計は走る = 走る時計 != 0;
    止めた時計で再開();
    // The moves taken back are gone, and the game goes on at once from here.
    KIFU_LAST = KIFU_NOW;
    SAIKAI_MATI = 0;
    for (int n = std::max(1, KIFU_NOW - 1); n <= KIFU_NOW; ++n) {
        const int c = KIFU_KOMA_ATO[n];
        描画_移動結果(c > 0 ? COM_SENGO : MAN_SENGO, KIFU_SAKI_X[n], KIFU_SAKI_Y[n], c, 色_白, KIFU_MOTO_X[n],
                      KIFU_MOTO_Y[n]);
    }
    if (!時計は走る) {
        JIKAN_START = host_.now();
        KONKAI_JIKAN = 0;
        if (時計を動かす()) Timer1_Enabled = true;
    }
    描画_所有時間(COM_SENGO, COM_JIKAN);
    描画_所有時間(MAN_SENGO, MAN_JIKAN);
    拒否を消す();
}

void Game::盤を回す_Click() {
    視点反転 = !視点反転;
    // The pick is let go: its marks would be painted over.
    SENTAKU = 0;
    画面_再描画();
    描画_手数(TESU);
    for (int n = std::max(1, KIFU_NOW - 1); n <= KIFU_NOW && KIFU_NOW <= KIFU_MAX; ++n) {
        const int c = KIFU_KOMA_ATO[n], x = KIFU_SAKI_X[n], y = KIFU_SAKI_Y[n];
        if (x >= 1 && x <= 9 && y >= 1 && y <= 9 && c != KARA)
            描画_移動結果(c > 0 ? COM_SENGO : MAN_SENGO, x, y, c, 色_白, KIFU_MOTO_X[n], KIFU_MOTO_Y[n]);
    }
    if (HANDE_FLAG == 1) 描画_ハンデレベル(HANDE_LEVEL);
    // A record's names were painted over with everything else.
    if (KIFU_MODE == 1) 描画_棋譜見出し();
}

}  // namespace fudo
