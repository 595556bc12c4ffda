// Strength levels and the handicap ladder.
#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

class Levels : public ::testing::Test {
protected:
    Rig rig;
    Game& g = rig.game;

    void SetUp() override {
        g.初期設定();
        g.SOUND_KOMAOTO = 31;
        g.SOUND_KINSI = 32;
        rig.canvas.clear();
    }
    int ticks() const { return g.MENU.LEVEL1 + g.MENU.LEVEL2 + g.MENU.LEVEL3; }
    bool levelDrawn() const { return rig.canvas.hasText("LEVEL"); }
    int pieces(bool upper) const {
        int n = 0;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int c = g.BAN(x, y);
                if (upper ? c >= 10 : c <= -10) ++n;
            }
        return n;
    }
};

TEST_F(Levels, LevelMenuKeepsExactlyOneTick) {
    g.LEVEL1_Click();
    EXPECT_EQ(g.COM_LEVEL, 1);
    EXPECT_TRUE(g.MENU.LEVEL1);
    EXPECT_EQ(ticks(), 1);
    // The old level display is painted over.
    EXPECT_EQ(rig.canvas.lastPictureAt(-2, 0), g.HAIKEI_NOW);
    EXPECT_EQ(rig.canvas.lastPictureAt(0, 0), g.HAIKEI_NOW);

    g.LEVEL2_Click();
    EXPECT_EQ(g.COM_LEVEL, 2);
    EXPECT_TRUE(g.MENU.LEVEL2);
    EXPECT_EQ(ticks(), 1);

    g.LEVEL3_Click();
    EXPECT_EQ(g.COM_LEVEL, 3);
    EXPECT_TRUE(g.MENU.LEVEL3);
    EXPECT_EQ(ticks(), 1);

    g.レベル_設定(7);
    EXPECT_EQ(g.COM_LEVEL, 3) << "unchanged";
    EXPECT_EQ(ticks(), 0);
}

TEST_F(Levels, LevelDisplayIsRedrawnOnlyInAGameAgainstTheComputer) {
    g.LEVEL2_Click();
    EXPECT_FALSE(levelDrawn());
    g.TAIKYOKU_MODE = MODE_COM;
    g.LEVEL1_Click();
    EXPECT_TRUE(levelDrawn());
}

TEST_F(Levels, OneStepDownAndBackUp) {
    ASSERT_EQ(g.BAN(2, 8), -KAKU);
    g.LEBEL_DOWN_Click();
    EXPECT_EQ(g.HANDE_LEVEL, -1);
    EXPECT_EQ(g.BAN(2, 8), KARA) << "the human's bishop is removed";
    EXPECT_TRUE(rig.canvas.hasText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級"));
    EXPECT_EQ(rig.canvas.lastPictureAt(2, 8), KARA);
    EXPECT_EQ(rig.sound.count("dsPlay", 31), 1);
    EXPECT_EQ(g.HANDE_FLAG, 1);

    g.LBEL_UP_Click();
    EXPECT_EQ(g.HANDE_LEVEL, 0);
    EXPECT_EQ(g.BAN(2, 8), -KAKU) << "put back";
    EXPECT_TRUE(rig.canvas.hasText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"));
    EXPECT_EQ(rig.canvas.lastPictureAt(2, 8), -KAKU);
}

TEST_F(Levels, TenStepsUpLeaveTheComputerKingAndPawns) {
    for (int i = 0; i < 10; ++i) g.LBEL_UP_Click();
    EXPECT_EQ(g.HANDE_LEVEL, 10);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const int c = g.BAN(x, y);
            if (c >= 10) {
                EXPECT_EQ(c, HU) << x << "," << y;
            }
        }
    EXPECT_EQ(g.BAN(5, 1), UE_OU_MAE);
    EXPECT_EQ(pieces(true), 9);
    EXPECT_EQ(pieces(false), 19) << "the human side is whole";
    EXPECT_TRUE(rig.canvas.hasText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:12級"));

    const auto before = g.BAN;
    g.HANDE_FLAG = 0;
    g.LBEL_UP_Click();
    EXPECT_EQ(g.HANDE_LEVEL, 10);
    EXPECT_EQ(g.BAN, before);
    EXPECT_EQ(g.HANDE_FLAG, 1) << "set even when nothing changed";

    // Back down the whole ladder to the human's weakest grade, and up again to even.
    for (int i = 0; i < 20; ++i) g.LEBEL_DOWN_Click();
    EXPECT_EQ(g.HANDE_LEVEL, -10);
    EXPECT_EQ(pieces(true), 19);
    EXPECT_EQ(pieces(false), 9);
    EXPECT_TRUE(rig.canvas.hasText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:名人"));
    for (int i = 0; i < 10; ++i) g.LBEL_UP_Click();
    EXPECT_EQ(g.HANDE_LEVEL, 0);
    EXPECT_EQ(pieces(true), 19);
    EXPECT_EQ(pieces(false), 19);
}

TEST_F(Levels, HandicapIsRefusedAfterAMoveInReplayAndOnAReversedBoard) {
    struct Case {
        const char* reason;
        void (*arrange)(Game&);
    };
    const Case cases[] = {
        {"棋譜ﾓｰﾄﾞではできません", [](Game& x) { x.KIFU_MODE = 1; }},
        {"対局途中ではできません", [](Game& x) { x.KIFU_NOW = 1; }},
        {"反転後ではできません", [](Game& x) { x.HANTEN_FLAG = 1; }},
    };
    for (const Case& c : cases) {
        g.初期設定();
        g.KIFU_LAST = 5;
        c.arrange(g);
        rig.dialogs.clear();
        rig.sound.calls.clear();
        const auto before = g.BAN;
        g.LBEL_UP_Click();
        g.LEBEL_DOWN_Click();
        ASSERT_EQ(rig.dialogs.shown.size(), 2u) << c.reason;
        EXPECT_EQ(rig.dialogs.shown[0].text, std::string(c.reason) + "\n\n局面→最初にして下さい");
        EXPECT_EQ(rig.dialogs.shown[0].title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
        EXPECT_EQ(rig.sound.count("dsPlay", 32), 2);
        EXPECT_EQ(g.BAN, before);
        EXPECT_EQ(g.HANDE_LEVEL, 0);
        EXPECT_EQ(g.HANDE_FLAG, 0);
        EXPECT_EQ(g.KIFU_LAST, 5) << "a refused press keeps the stored moves";
    }
}

TEST_F(Levels, AcceptedPressForgetsTheStoredMovesAndHidesTheRecordControls) {
    g.KIFU_LAST = 12;
    rig.host.drive = rig.host.folder = rig.host.file = true;
    g.LBEL_UP_Click();
    EXPECT_EQ(g.KIFU_LAST, 0);
    EXPECT_FALSE(rig.host.drive || rig.host.folder || rig.host.file);
}

}  // namespace
}  // namespace fudo::test
