#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

TEST(Startup, OpeningPositionAndStateAfterLoad) {
    Rig rig;
    rig.load();
    Game& g = rig.game;
    EXPECT_EQ(g.TEBAN, 0);
    EXPECT_EQ(g.MAN_SENGO, -1);
    EXPECT_EQ(g.COM_SENGO, 1);
    EXPECT_EQ(g.COM_LEVEL, 3);
    EXPECT_TRUE(g.MENU.LEVEL3);
    EXPECT_FALSE(g.MENU.LEVEL1 || g.MENU.LEVEL2);
    EXPECT_EQ(g.BAN(5, 9), SITA_OU_MAE);
    EXPECT_EQ(g.BAN(5, 1), UE_OU_MAE);
    EXPECT_EQ(g.SITA_MOCHI_SU + g.UE_MOCHI_SU, 0);
    EXPECT_EQ(g.TITLE_E, DORADAV2);
    // The lower rook stands on file 2, the lower bishop on file 8.
    EXPECT_EQ(g.BAN(8, 8), -SYA);
    EXPECT_EQ(g.BAN(2, 8), -KAKU);
    EXPECT_EQ(g.BAN(2, 2), SYA);
    EXPECT_EQ(g.BAN(8, 2), KAKU);
    for (int x = 1; x <= 9; ++x) {
        EXPECT_EQ(g.BAN(x, 7), -HU);
        EXPECT_EQ(g.BAN(x, 3), HU);
    }
    EXPECT_EQ(g.駒総数(), 40);
}

TEST(Startup, InitialSettingGivesTheMoveListUp) {
    Rig rig;
    Game& g = rig.game;
    g.KIFU_LAST = 7;
    g.KIFU_NOW = 3;
    g.TEBAN = 1;
    g.HANDE_LEVEL = 4;
    g.MAN_SENGO = 1;
    g.初期設定();
    EXPECT_EQ(g.KIFU_LAST, 0) << "no later game may replay it";
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.TEBAN, 0);
    EXPECT_EQ(g.HANDE_LEVEL, 0);
    EXPECT_EQ(g.MAN_SENGO, 1) << "side values are left to the start commands";
    EXPECT_EQ(g.KIFU_KOMA_ATO[0], 10);
    EXPECT_EQ(rig.canvas.count(DrawOp::FullRedraw), 1);
}

TEST(Startup, PointsMapToCellsRoundingDown) {
    int c = 0, r = 0;
    Game::座標から桝(1049, 714, c, r);
    EXPECT_EQ(c, -1);
    EXPECT_EQ(r, 0);
    Game::座標から桝(1545, 715, c, r);
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 1);
    Game::座標から桝(555, 100, c, r);
    EXPECT_EQ(c, -1);
    EXPECT_EQ(r, 0);
    Game::座標から桝(-1e300, 1e300, c, r);  // far away stays far away, without overflow
    EXPECT_LT(c, -1);
    EXPECT_GT(r, 11);
}

}  // namespace
}  // namespace fudo::test
