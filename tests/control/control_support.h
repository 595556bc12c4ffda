// Helpers shared by the game-control tests: clicks on cells, position snapshots and a rig
// whose sound buffers have distinct handles, so that each effect can be counted.
#pragma once

#include <array>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "engine/game.h"
#include "tests/support/fakes.h"

namespace fudo::test {

// Twips of the centre of cell (x, y).
inline double cellX(int x) { return 1050 + 495 * x + 247; }
inline double cellY(int y) { return 100 + 615 * y + 307; }

inline void click(Game& g, int x, int y, int button = 左ボタン) {
    g.Form_MouseDown(button, 0, cellX(x), cellY(y));
}
inline void rightClick(Game& g, int x, int y) { click(g, x, y, 右ボタン); }

// A move by two left clicks (or a right click on the destination).
inline void move(Game& g, int fx, int fy, int tx, int ty, bool promote = false) {
    click(g, fx, fy);
    click(g, tx, ty, promote ? 右ボタン : 左ボタン);
}

// Board and hands. The pre-game king codes count as the kings, so that a replayed record
// (whose kings stand as 8 and 9) compares equal to the game it came from.
struct Position {
    IntMap ban;
    std::array<int, 8> sita{}, ue{};
    int sitaSu = 0, ueSu = 0;
    bool operator==(const Position&) const = default;
};

inline Position positionOf(const Game& g) {
    Position p;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            int c = g.BAN(x, y);
            if (c == SITA_OU_MAE) c = -OU;
            if (c == UE_OU_MAE) c = OU;
            p.ban(x, y) = c;
        }
    p.sita = g.SITA_MOCHI;
    p.ue = g.UE_MOCHI;
    p.sitaSu = g.SITA_MOCHI_SU;
    p.ueSu = g.UE_MOCHI_SU;
    return p;
}

// Writes the five wave files (any non-empty content serves the fake library) and starts
// the game up, so that every sound buffer gets its own handle.
inline void loadWithSounds(Rig& rig) {
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "Kavelu.wav", "BGM.wav"}) {
        std::ofstream f(rig.host.sounds / name, std::ios::binary);
        f << "RIFF-test-" << name;
    }
    rig.load();
    rig.dialogs.clear();
    rig.sound.calls.clear();
    rig.canvas.clear();
}

// Dialogs shown with the given text and title.
inline int shownCount(const ScriptedDialogs& d, std::string_view text, std::string_view title) {
    int n = 0;
    for (auto& s : d.shown)
        if (s.text == text && s.title == title) ++n;
    return n;
}

// Base fixture: a started-up game with distinct sound handles.
class ControlTest : public ::testing::Test {
protected:
    Rig rig;
    Game& g = rig.game;
    // Moves held when "続けますか？" was asked: the answer Yes gives the list up.
    int listAtEnd = -1;

    void SetUp() override {
        loadWithSounds(rig);
        rig.dialogs.onShow = [this](const Shown& s) {
            if (s.text == "続けますか？") listAtEnd = g.KIFU_LAST;
        };
        ASSERT_NE(g.SOUND_KINSI, 0);
        ASSERT_NE(g.SOUND_KOMAOTO, 0);
        ASSERT_NE(g.SOUND_KINSI, g.SOUND_KOMAOTO);
    }
    int plays(std::int32_t buffer) const { return rig.sound.count("dsPlay", buffer); }
    int refusals() const { return plays(g.SOUND_KINSI); }
    int pieceSounds() const { return plays(g.SOUND_KOMAOTO); }
    void guidanceOn() {
        g.SIDOU_FLAG = 1;
        g.SIDOU_COLOR = 色_白;
    }
    // A two-person game on the position set up so far (the kings go to (5, 9) and (5, 1)).
    void startTwoPersons() {
        g.START_Click();
        rig.dialogs.clear();
        rig.sound.calls.clear();
        rig.canvas.clear();
    }
};

}  // namespace fudo::test
