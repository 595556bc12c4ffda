// Start-up of the window and the opening position.
#include <cmath>

#include "engine/game.h"

namespace fudo {

void Game::Form_Load() {
    初期化_サウンド(host_.windowHandle());
    SOUND_SONOTA = 読込_サウンド("その他.wav", 3);
    SOUND_KINSI = 読込_サウンド("禁止.wav", 3);
    SOUND_KOMAOTO = 読込_サウンド("駒打音.wav", 3);
    SOUND_KAVELU = 読込_サウンド("Kavelu.wav", 3);
    SOUND_BGM = 読込_サウンド("BGM.wav", 1);

    KIFU_MODE = 0;
    SIDOU_FLAG = 0;
    KIFU_LAST = 0;
    COM_LEVEL = 3;
    MENU.LEVEL1 = MENU.LEVEL2 = false;
    MENU.LEVEL3 = true;

    TE_SENTE = +1;
    TE_GOTE = -1;
    MAN_SENGO = -1;
    COM_SENGO = +1;

    読込_環境設定ファイル();
    初期設定();
    host_.menuChanged();
}

void Game::初期設定() {
    HANDE_LEVEL = 0;
    HANDE_FLAG = 0;
    TAIKYOKU_MODE = MODE_MAN;
    SYOUSYA = 0;
    終局 = {};
    詰み手 = 0;
    TEBAN = 0;
    KIFU_NOW = 0;
    // The list of the game just left must not be replayed into the next one; reading a
    // record sets its own length after this.
    KIFU_LAST = 0;
    TESU = 0;
    HANTEN_FLAG = 0;
    Timer1_Enabled = false;
    対局時間 = {};
    警告秒 = -1;
    走る時計 = 0;
    COM_JIKAN = 0;
    MAN_JIKAN = 0;
    SAIKAI_MATI = 0;
    KIFU_MODE = 0;
    HYOUJI_BYOU = 0;
    TITLE_E = DORADAV2;
    KIFU_KOMA_ATO[0] = 10;
    SENTAKU = 0;

    for (int k = 1; k <= 7; ++k) SITA_MOCHI[k] = UE_MOCHI[k] = 0;
    BAN.fillBoard(KARA);

    for (int x = 1; x <= 9; ++x) {
        BAN(x, 7) = -HU;
        BAN(x, 3) = HU;
    }
    BAN(1, 9) = BAN(9, 9) = -KYOU;
    BAN(2, 9) = BAN(8, 9) = -KEI;
    BAN(3, 9) = BAN(7, 9) = -GIN;
    BAN(4, 9) = BAN(6, 9) = -KIN;
    BAN(2, 8) = -KAKU;
    BAN(8, 8) = -SYA;
    BAN(5, 9) = SITA_OU_MAE;

    BAN(1, 1) = BAN(9, 1) = KYOU;
    BAN(2, 1) = BAN(8, 1) = KEI;
    BAN(3, 1) = BAN(7, 1) = GIN;
    BAN(4, 1) = BAN(6, 1) = KIN;
    BAN(8, 2) = KAKU;
    BAN(2, 2) = SYA;
    BAN(5, 1) = UE_OU_MAE;

    SITA_MOCHI_SU = 0;
    UE_MOCHI_SU = 0;
    for (int k = 1; k <= 7; ++k) {
        if (SITA_MOCHI[k] > 0) SITA_MOCHI_SU += SITA_MOCHI[k];
        if (UE_MOCHI[k] > 0) UE_MOCHI_SU += UE_MOCHI[k];
    }

    画面_再描画();
}

void Game::座標から桝(double X, double Y, int& col, int& row) {
    // Clicks can come from anywhere; clamp far-away points before the cast.
    auto cell = [](double v, double origin, double size) {
        if (!std::isfinite(v)) return -1000;
        const double c = std::floor((v - origin) / size);
        if (c < -1000) return -1000;
        if (c > 1000) return 1000;
        return static_cast<int>(c);
    };
    col = cell(X, BAN_X0, MASU_W);
    row = cell(Y, BAN_Y0, MASU_H);
}

}  // namespace fudo
