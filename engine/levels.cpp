// Strength levels and handicap. The level switches groups of evaluation terms; the
// handicap grade removes pieces from the opening position, one step of the ladder per
// press of "△" (weaker computer side) or "▽" (weaker human side).
#include <algorithm>

#include "engine/game.h"
#include "search/strength.h"

namespace fudo {

namespace {

struct 段 {
    int code, x, y;
};

// Step 1..10 of the ladder: the computer's piece removed for a positive grade...
constexpr 段 COM段[11] = {{0, 0, 0},     {KAKU, 8, 2}, {SYA, 2, 2}, {KYOU, 9, 1},
                          {KYOU, 1, 1},  {KEI, 8, 1},  {KEI, 2, 1}, {GIN, 7, 1},
                          {GIN, 3, 1},   {KIN, 6, 1},  {KIN, 4, 1}};
// ...and the human's piece removed for a negative grade.
constexpr 段 MAN段[11] = {{0, 0, 0},      {-KAKU, 2, 8}, {-SYA, 8, 8}, {-KYOU, 1, 9},
                          {-KYOU, 9, 9},  {-KEI, 2, 9},  {-KEI, 8, 9}, {-GIN, 3, 9},
                          {-GIN, 7, 9},   {-KIN, 4, 9},  {-KIN, 6, 9}};

}  // namespace

void Game::レベル_設定(int level) {
    MENU.LEVEL1 = MENU.LEVEL2 = MENU.LEVEL3 = MENU.LEVEL4 = false;
    if (level >= 1 && level <= 4) {
        MENU.LEVEL1 = level == 1;
        MENU.LEVEL2 = level == 2;
        MENU.LEVEL3 = level == 3;
        MENU.LEVEL4 = level == 4;
        COM_LEVEL = level;
    }
    host().menuChanged();
    if (TAIKYOKU_MODE == MODE_COM) 描画_レベル(COM_LEVEL);
}

namespace {
// The level commands cover the old level display before setting the new level.
void レベル選択(Game& g, int level, int step = 0) {
    for (int x = -2; x <= 0; ++x) g.描画_絵(g.HAIKEI_NOW, x, 0);
    g.COM_STEP = step;
    g.レベル_設定(level);
}
}  // namespace

void Game::LEVEL1_Click() { レベル選択(*this, 1); }
void Game::LEVEL2_Click() { レベル選択(*this, 2); }
void Game::LEVEL3_Click() { レベル選択(*this, 3); }
void Game::LEVEL4_Click() { レベル選択(*this, 4); }
void Game::段階_Click(int step) { レベル選択(*this, 4, std::clamp(step, 0, search::StepCount)); }

namespace {

// Why a handicap cannot be changed now: message number of 描画_メッセージ, or 0.
int ハンデ拒否理由(const Game& g) {
    if (g.KIFU_MODE == 1) return 1;   // a record is being replayed
    if (g.KIFU_NOW > 0) return 2;     // a move has been made
    if (g.HANTEN_FLAG == 1) return 3; // the board is reversed
    return 0;
}

}  // namespace

void Game::LBEL_UP_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
    if (const int n = ハンデ拒否理由(*this)) {
        効果音(SOUND_KINSI);
        描画_メッセージ(n);
        return;
    }
    KIFU_LAST = 0;
    if (HANDE_LEVEL < 10) {
        HANDE_LEVEL += 1;
        描画_ハンデレベル(HANDE_LEVEL);
        const int g = HANDE_LEVEL;
        // Grade g <= 0 puts back the human's piece of step 1 - g; g >= 1 removes the
        // computer's piece of step g.
        const 段& s = g <= 0 ? MAN段[1 - g] : COM段[g];
        const int code = g <= 0 ? s.code : KARA;
        BAN(s.x, s.y) = code;
        描画_絵(code, s.x, s.y);
        描画_桝輪郭(色_緑, s.x, s.y);
        効果音(SOUND_KOMAOTO);
    }
    HANDE_FLAG = 1;
}

void Game::LEBEL_DOWN_Click() {
    描画_可視(false, false, false);
    描画_棋譜_IO(1);
    if (const int n = ハンデ拒否理由(*this)) {
        効果音(SOUND_KINSI);
        描画_メッセージ(n);
        return;
    }
    KIFU_LAST = 0;
    if (HANDE_LEVEL > -10) {
        HANDE_LEVEL -= 1;
        描画_ハンデレベル(HANDE_LEVEL);
        const int g = HANDE_LEVEL;
        // Grade g >= 0 puts back the computer's piece of step g + 1; g <= -1 removes the
        // human's piece of step -g.
        const 段& s = g >= 0 ? COM段[g + 1] : MAN段[-g];
        const int code = g >= 0 ? s.code : KARA;
        BAN(s.x, s.y) = code;
        描画_絵(code, s.x, s.y);
        描画_桝輪郭(色_緑, s.x, s.y);
        効果音(SOUND_KOMAOTO);
    }
    HANDE_FLAG = 1;
}

}  // namespace fudo
