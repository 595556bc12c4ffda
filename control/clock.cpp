// The clock: each player's accumulated thinking time, shown as hh:mm:ss beside the bottom
// row of the board while the elapsed-time option (経過時間) is ticked; under a time control
// the time each side has left, counting down, with a warning near the end and the loss
// when it runs out.
#include "control/clock.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/game.h"

namespace fudo {

時計の状態 時計を読む(const 持ち時間& tc, double used, int moves, double elapsed) {
    時計の状態 s;
    if (!tc.有効()) return s;
    double left = tc.本体 - used;
    if (tc.方式 == 持ち時間方式::フィッシャー) left += tc.加算 * moves;
    if (tc.方式 == 持ち時間方式::秒読み) {
        // Time spent in byoyomi is counted in the total too: the main time stays at 0.
        left = std::max(0.0, left);
        s.本体残り = left - elapsed;
        if (s.本体残り < 0) {
            s.秒読み中 = true;
            s.秒読み残り = tc.秒読み + s.本体残り;
            s.本体残り = 0;
            s.切れ = s.秒読み残り < 0;
            s.秒読み残り = std::max(0.0, s.秒読み残り);
        } else if (s.本体残り == 0 && tc.秒読み > 0) {
            s.秒読み中 = true;
            s.秒読み残り = tc.秒読み;
        }
        return s;
    }
    s.本体残り = left - elapsed;
    s.切れ = s.本体残り < 0;
    s.本体残り = std::max(0.0, s.本体残り);
    return s;
}

std::string 時計の文字(const 時計の状態& s) {
    // A clock that shows 0 has run out: the seconds left are rounded up.
    if (s.秒読み中) return "秒読み " + std::to_string(int(std::ceil(s.秒読み残り - 1e-9)));
    return Game::調査_時間秒追加結果(std::ceil(s.本体残り - 1e-9));
}

namespace {

// "10分", "1時間30分", "45秒", "2分30秒".
std::string 時間の文(double seconds) {
    const long t = std::lround(std::max(0.0, seconds));
    std::string out;
    if (t >= 3600) out += std::to_string(t / 3600) + "時間";
    if (t % 3600 >= 60) out += std::to_string(t % 3600 / 60) + "分";
    if (t % 60 != 0 || out.empty()) out += std::to_string(t % 60) + "秒";
    return out;
}

}  // namespace

std::string 持ち時間の文(const 持ち時間& tc) {
    switch (tc.方式) {
    case 持ち時間方式::なし: return {};
    case 持ち時間方式::秒読み:
        if (tc.本体 <= 0) return "秒読み" + 時間の文(tc.秒読み);
        return "各" + 時間の文(tc.本体) + " 秒読み" + 時間の文(tc.秒読み);
    case 持ち時間方式::フィッシャー: return "各" + 時間の文(tc.本体) + " 1手ごとに" + 時間の文(tc.加算) + "加算";
    case 持ち時間方式::切れ負け: return "各" + 時間の文(tc.本体) + " 切れ負け";
    }
    return {};
}

void Game::時計を描く() {
    if (!対局時間.有効()) return;
    描画_所有時間(COM_SENGO, COM_JIKAN);
    描画_所有時間(MAN_SENGO, MAN_JIKAN);
}

bool Game::時計を動かす() const { return MENU.KEIKA || 対局時間.有効(); }

int Game::着手数(int side) const {
    int n = 0;
    // While stepping the running turn's clock counts the moves of the game, not of the view.
    const int last = std::clamp(走る時計 != 0 ? KIFU_LAST : KIFU_NOW, 0, KIFU_MAX);
    for (int i = 1; i <= last; ++i)
        if (side == MAN_SENGO ? KIFU_KOMA[i] < 0 : KIFU_KOMA[i] > 0) ++n;
    return n;
}

時計の状態 Game::時計(int side) {
    if (終局.理由 == 終局理由::時間切れ && side != 終局.勝者 && 対局時間.有効()) {
        // The loser's clock stays at nothing, byoyomi included.
        時計の状態 out;
        out.秒読み中 = 対局時間.方式 == 持ち時間方式::秒読み && 対局時間.秒読み > 0;
        out.切れ = true;
        return out;
    }
    const double used = side == MAN_SENGO ? MAN_JIKAN : COM_JIKAN;
    const bool running = side == 時計の番() && Timer1_Enabled && !終局.終わった();
    const double elapsed = running ? 調査_経過秒(JIKAN_START, host_.now()) : 0;
    return 時計を読む(対局時間, used, 着手数(side), elapsed);
}

int Game::時計の番() const { return 走る時計 != 0 ? 走る時計 : TEBAN; }

bool Game::時計を止めずに進む() const {
    return 対局時間.有効() && TEBAN != 0 && KIFU_MODE == 0 && !終局.終わった();
}

void Game::止めた時計で再開() {
    const int live = 走る時計;
    走る時計 = 0;
    if (live == 0) return;
    const double now = host_.now();
    if (KIFU_NOW != KIFU_LAST) {
        // Resumed at an earlier position: the moves after it are taken back with their time.
        const int i = std::clamp(KIFU_NOW, 0, KIFU_MAX);
        MAN_JIKAN = i > 0 ? KIFU_MAN_JIKAN[i] : KIFU_MAN_JIKAN_MAE[1];
        COM_JIKAN = i > 0 ? KIFU_COM_JIKAN[i] : KIFU_COM_JIKAN_MAE[1];
    }
    if (TEBAN != live) {
        // The other side moves now: the turn that ran is charged to the side that had it.
        (live == MAN_SENGO ? MAN_JIKAN : COM_JIKAN) += 調査_経過秒(JIKAN_START, now);
        JIKAN_START = now;
    }
    KONKAI_JIKAN = 調査_経過秒(JIKAN_START, now);
    Timer1_Enabled = true;
}

void Game::時間切れ(int loser) {
    Timer1_Enabled = false;
    走る時計 = 0;
    // A hint given in time is no move to play any more.
    ヒント消去();
    const int winner = loser == MAN_SENGO ? COM_SENGO : MAN_SENGO;
    // Known before the clock is drawn, so that the loser's shows nothing left.
    終局 = {終局理由::時間切れ, winner};
    描画_所有時間(loser, 0);
    効果音(SOUND_KINSI);
    // With the flow aid the end panel says it; a box would only stand in the way.
    if (!補助.案内) dialogs_.message("時間切れです", "持ち時間", Buttons::OK);
    std::string_view name;
    if (TAIKYOKU_MODE == MODE_COM)
        name = winner == MAN_SENGO ? "あなた" : "ｺﾝﾋﾟｭｰﾀ";
    else
        name = winner == TE_SENTE ? "先手" : "後手";
    終了(name, 終局理由::時間切れ, winner);
}

bool Game::時間切れか() {
    if (!対局時間.有効() || TEBAN == 0 || KIFU_MODE != 0 || 終局.終わった()) return false;
    // A game paused by stepping is judged too: its turn goes on running.
    if (SAIKAI_MATI != 0 && 走る時計 == 0) return false;
    return 時計(時計の番()).切れ;
}

bool Game::時間を確かめる() {
    if (!対局時間.有効() || TEBAN == 0 || KIFU_MODE != 0 || 終局.終わった()) return false;
    if (SAIKAI_MATI != 0 && 走る時計 == 0) return false;
    const int side = 時計の番();
    const 時計の状態 s = 時計(side);
    if (s.切れ) {
        // The turn's seconds count in the total the record keeps.
        (side == MAN_SENGO ? MAN_JIKAN : COM_JIKAN) += KONKAI_JIKAN;
        時間切れ(side);
        return true;
    }
    // A beep at ten seconds left, then every second of the last five.
    const int left = int(std::ceil(s.猶予() - 1e-9));
    if (left != 警告秒 && ((left == 10 && 警告秒 > 10) || (left >= 1 && left <= 5))) 効果音(SOUND_SONOTA);
    警告秒 = left;
    return false;
}

bool Game::今の時間を確かめる() {
    if (!対局時間.有効() || !Timer1_Enabled) return false;
    KONKAI_JIKAN = 調査_経過秒(JIKAN_START, host_.now());
    return 時間を確かめる();
}

bool Game::時計を見る() {
    if (!Timer1_Enabled || !対局時間.有効() || TEBAN == 0 || 終局.終わった()) return false;
    const int side = 時計の番();
    描画_所有時間(side, 0);
    canvas_.refresh();
    if (TAIKYOKU_MODE == MODE_COM && side == COM_SENGO) return false;
    return 時間切れか();
}

void Game::Timer1_Timer() {
    if (!Timer1_Enabled) return;
    KONKAI_JIKAN = 調査_経過秒(JIKAN_START, host_.now());
    // Under a time control the running turn may belong to a game paused by stepping.
    const int side = 対局時間.有効() ? 時計の番() : TEBAN;
    // The computer's clock is judged after its move, not in the middle of its search.
    if (!(TAIKYOKU_MODE == MODE_COM && side == COM_SENGO) && 時間を確かめる()) return;
    const int whole = static_cast<int>(std::floor(KONKAI_JIKAN));
    if (whole == HYOUJI_BYOU) return;
    HYOUJI_BYOU = whole;
    if (side == COM_SENGO) 描画_所有時間(COM_SENGO, KONKAI_JIKAN + COM_JIKAN);
    else if (side == MAN_SENGO) 描画_所有時間(MAN_SENGO, KONKAI_JIKAN + MAN_JIKAN);
    canvas_.refresh();
}

double Game::調査_経過秒(double start, double now) {
    // A start later than now means the day changed at midnight during the turn.
    return start <= now ? now - start : now + 86400 - start;
}

std::string Game::調査_時間秒追加結果(double t) {
    double h = 0, r = t;
    if (t >= 3600) {
        h = std::floor(t / 3600);
        r = t - 3600 * h;
    }
    const double m = std::floor(r / 60);
    const double s = r - 60 * m;
    auto part = [](double v) {
        // Values too large for two digits print as nothing, like any three-digit number.
        return v >= 100 ? std::string() : 変換_数字から文字(static_cast<int>(std::floor(v)));
    };
    return part(h) + ":" + part(m) + ":" + part(s);
}

std::string Game::変換_数字から文字(int n) {
    std::string s = std::to_string(n);
    if (s.size() == 1) return "0" + s;
    if (s.size() == 2) return s;
    return {};
}

void Game::描画_所有時間(int side, double seconds) {
    // Under a time control the clocks always show what is left, ticked or not.
    if (!MENU.KEIKA && !対局時間.有効()) return;
    if (side != MAN_SENGO && side != COM_SENGO) return;
    std::string text;
    int colour = 色_白;
    if (対局時間.有効()) {
        const 時計の状態 s = 時計(side);
        text = 時計の文字(s);
        if (s.猶予() <= 10) colour = 色_黄;
    } else {
        text = 調査_時間秒追加結果(seconds);
    }
    消去_所有時間(side);
    // The side at the bottom of the screen has its clock on the right.
    if (画面の下(side)) {
        描画_数値(13.1, 9.3, text, 色_黒, 0, 12);
        描画_数値(13, 9.2, text, colour, 0, 12);
    } else {
        描画_数値(-1.5, 9.3, text, 色_黒, 0, 12);
        描画_数値(-1.6, 9.2, text, colour, 0, 12);
        描画_画面の桝輪郭(色_緑, 1, 9);
    }
}

void Game::消去_所有時間(int side) {
    if (side != MAN_SENGO && side != COM_SENGO) return;
    if (画面の下(side)) {
        for (int x = 13; x <= 15; ++x) 描画_絵(HAIKEI_NOW, x, 9);
    } else {
        for (int x = -2; x <= 0; ++x) 描画_絵(HAIKEI_NOW, x, 9);
    }
}

void Game::KEIKA_Click() {
    if (MENU.KEIKA) {
        MENU.KEIKA = false;
        Timer1_Enabled = false;
        消去_所有時間(MAN_SENGO);
        消去_所有時間(COM_SENGO);
        // A game under a time control keeps its clocks running and shown.
        if (対局時間.有効() && TEBAN != 0 && !終局.終わった()) {
            Timer1_Enabled = (SAIKAI_MATI == 0 || 走る時計 != 0) && !(TAIKYOKU_MODE == MODE_COM && 時計の番() == COM_SENGO);
            描画_所有時間(COM_SENGO, COM_JIKAN);
            描画_所有時間(MAN_SENGO, MAN_JIKAN);
        }
    } else {
        MENU.KEIKA = true;
        Timer1_Enabled = true;
        描画_所有時間(COM_SENGO, COM_JIKAN);
        描画_所有時間(MAN_SENGO, MAN_JIKAN);
    }
    host_.menuChanged();
    書込_環境設定ファイル();
}

}  // namespace fudo
