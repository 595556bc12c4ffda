// The clock: each player's accumulated thinking time, shown as hh:mm:ss beside the bottom
// row of the board while the elapsed-time option (経過時間) is ticked.
#include <cmath>
#include <string>

#include "engine/game.h"

namespace fudo {

void Game::Timer1_Timer() {
    if (!Timer1_Enabled) return;
    KONKAI_JIKAN = 調査_経過秒(JIKAN_START, host_.now());
    const int whole = static_cast<int>(std::floor(KONKAI_JIKAN));
    if (whole == HYOUJI_BYOU) return;
    HYOUJI_BYOU = whole;
    if (TEBAN == COM_SENGO) 描画_所有時間(COM_SENGO, KONKAI_JIKAN + COM_JIKAN);
    else if (TEBAN == MAN_SENGO) 描画_所有時間(MAN_SENGO, KONKAI_JIKAN + MAN_JIKAN);
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
    if (!MENU.KEIKA) return;
    const std::string text = 調査_時間秒追加結果(seconds);
    消去_所有時間(side);
    if (side == MAN_SENGO) {
        描画_数値(13.1, 9.3, text, 色_黒, 0, 12);
        描画_数値(13, 9.2, text, 色_白, 0, 12);
    } else if (side == COM_SENGO) {
        描画_数値(-1.5, 9.3, text, 色_黒, 0, 12);
        描画_数値(-1.6, 9.2, text, 色_白, 0, 12);
        描画_桝輪郭(色_緑, 1, 9);
    }
}

void Game::消去_所有時間(int side) {
    if (side == MAN_SENGO) {
        for (int x = 13; x <= 15; ++x) 描画_絵(HAIKEI_NOW, x, 9);
    } else if (side == COM_SENGO) {
        for (int x = -2; x <= 0; ++x) 描画_絵(HAIKEI_NOW, x, 9);
    }
}

void Game::KEIKA_Click() {
    if (MENU.KEIKA) {
        MENU.KEIKA = false;
        Timer1_Enabled = false;
        消去_所有時間(MAN_SENGO);
        消去_所有時間(COM_SENGO);
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
