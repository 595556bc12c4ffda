// A game on an empty board for the computer player's tests: place pieces, start the
// computer's turn, and score single candidates the way the search does.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/support/fakes.h"

namespace fudo::test {

// Collects every evaluation of a search.
struct Evaluations : 探索観察者 {
    struct Line {
        候補手 m;
        Score s;
    };
    std::vector<Line> lines;
    void evaluated(const 候補手& m, Score s) override { lines.push_back({m, s}); }
};

class SearchFixture : public ::testing::Test {
protected:
    Rig rig;
    Game& g = rig.game;

    void SetUp() override {
        clearBoard(g);
        g.TAIKYOKU_MODE = MODE_COM;
        g.MAN_SENGO = -1;
        g.COM_SENGO = +1;
        g.TEBAN = g.COM_SENGO;
    }

    // Puts a piece; the kings' squares follow their kings.
    void put(int x, int y, int code) {
        g.BAN(x, y) = code;
        if (code == -OU) g.SITA_OU_X = x, g.SITA_OU_Y = y;
        if (code == OU) g.UE_OU_X = x, g.UE_OU_Y = y;
    }
    void give(bool lower, int kind, int n = 1) {
        (lower ? g.SITA_MOCHI : g.UE_MOCHI)[kind] += n;
        (lower ? g.SITA_MOCHI_SU : g.UE_MOCHI_SU) += n;
    }

    // What happens before the computer's search: the survey after the person's move, then
    // the start of the turn (copies, probes).
    void startTurn() {
        g.勢力調査();
        g.com_ban_開始();
    }

    // Scores a board move as the search does (placed = the code put on the destination,
    // 0 for the moving piece itself), at the given level; the board is restored.
    Score move(int fx, int fy, int tx, int ty, int level, int placed = 0) {
        g.COM_LEVEL = level;
        g.IDOU_KOMA = g.BAN(fx, fy);
        g.KYORI_MAE = std::max(std::abs(fx - g.SITA_OU_X), std::abs(fy - g.SITA_OU_Y));
        const int captured = g.BAN(tx, ty);
        const int piece = placed ? placed : g.IDOU_KOMA;
        g.BAN(fx, fy) = KARA;
        g.BAN(tx, ty) = piece;
        g.勢力調査();
        const Score s = g.盤評価(captured, piece, fx, fy, tx, ty);
        g.BAN(tx, ty) = captured;
        g.BAN(fx, fy) = g.IDOU_KOMA;
        return s;
    }

    // Scores a drop of hand kind k as the search does; KYORI_MAE is whatever the last board
    // candidate left, here given.
    Score drop(int kind, int tx, int ty, int level, int kyoriMae = 0) {
        g.COM_LEVEL = level;
        g.IDOU_KOMA = 持駒コード[kind];
        g.KYORI_MAE = kyoriMae;
        g.BAN(tx, ty) = g.IDOU_KOMA;
        g.勢力調査();
        const Score s = g.盤評価(KARA, g.IDOU_KOMA, -1, kind, tx, ty);
        g.BAN(tx, ty) = KARA;
        return s;
    }
};

}  // namespace fudo::test
