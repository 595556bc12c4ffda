#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

class Drawing : public ::testing::Test {
protected:
    Rig rig;
    Game& g = rig.game;
    RecordingCanvas& c = rig.canvas;
};

TEST_F(Drawing, PicturesOnlyForKnownCodes) {
    c.clear();
    g.描画_絵(KIN_NARI, 3, 3);
    g.描画_絵(-KIN_NARI, 3, 3);
    g.描画_絵(12345, 3, 3);
    EXPECT_EQ(c.count(DrawOp::Picture), 0);
    g.描画_絵(KARA, 3, 3);
    g.描画_絵(SITA_OU_MAE, 5, 9);
    g.描画_絵(HAIKEI_RENGA, 0, 0);
    EXPECT_EQ(c.count(DrawOp::Picture), 3);
}

TEST_F(Drawing, FullRedrawPaintsEverythingInOrder) {
    g.初期設定();
    g.HAIKEI_NOW = HAIKEI_TATAMI;
    g.MENU.KEIKA = true;
    g.TAIKYOKU_MODE = MODE_COM;
    g.HANDE_FLAG = 1;
    g.HANDE_LEVEL = -2;
    c.clear();
    g.画面_再描画();
    ASSERT_FALSE(c.ops.empty());
    EXPECT_EQ(c.ops.front().kind, DrawOp::FullRedraw);
    EXPECT_EQ(c.lastPictureAt(-3, -2), HAIKEI_TATAMI);
    EXPECT_EQ(c.lastPictureAt(28, 17), HAIKEI_TATAMI);
    EXPECT_EQ(c.lastPictureAt(5, 9), SITA_OU_MAE);
    EXPECT_EQ(c.lastPictureAt(11.1, 0), DORADAV2);
    EXPECT_TRUE(c.hasText("LEVEL"));
    EXPECT_TRUE(c.hasText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"));
    EXPECT_TRUE(c.hasText("00:00:00"));
    EXPECT_TRUE(g.FONT_BOLD);
    // The board covers 81 cells; the background never paints them.
    for (auto& op : c.ops) {
        if (op.kind == DrawOp::Picture && op.code == HAIKEI_TATAMI) {
            EXPECT_FALSE(op.x >= 1 && op.x <= 9 && op.y >= 1 && op.y <= 9);
        }
    }
}

TEST_F(Drawing, CoordinateLabels) {
    c.clear();
    g.描画_桝_数値();
    // Files 9..1 from left to right, ranks 一..九 from the top, yellow over black.
    auto nine = c.textsEqual(" 9 ");
    ASSERT_EQ(nine.size(), 2u);
    EXPECT_EQ(nine[1].x, 1.1);
    EXPECT_EQ(nine[1].code, 色_黄);
    EXPECT_EQ(nine[0].code, 色_黒);
    auto one = c.textsEqual("一");
    ASSERT_EQ(one.size(), 2u);
    EXPECT_DOUBLE_EQ(one[1].y, 1.3);
    EXPECT_EQ(c.textsEqual("九")[1].x, 10.1);
}

TEST_F(Drawing, StandsShowCountsInLightRedWithShadow) {
    g.SITA_MOCHI[1] = 3;
    g.UE_MOCHI[7] = 1;
    c.clear();
    g.描画_自持盤();
    g.描画_敵持盤();
    EXPECT_EQ(c.lastPictureAt(11, 3), -HU);
    EXPECT_EQ(c.lastPictureAt(11, 4), KARA);
    EXPECT_EQ(c.lastPictureAt(-1, 1), SYA);
    auto three = c.textsEqual(" 3 ");
    ASSERT_EQ(three.size(), 2u);
    EXPECT_EQ(three[0].code, 色_黒);
    EXPECT_DOUBLE_EQ(three[0].x, 12.1);
    EXPECT_EQ(three[1].code, 色_明赤);
    EXPECT_DOUBLE_EQ(three[1].y, 3.2);
    EXPECT_EQ(three[1].size, 14);
}

TEST_F(Drawing, MoveGuidanceOutlinesReachableSquaresOnlyWhenOn) {
    clearBoard(g);
    g.BAN(5, 5) = -KIN;
    c.clear();
    g.描画_移動可能桝色(5, 5, 色_白, -KIN);
    EXPECT_EQ(c.count(DrawOp::Outline), 81) << "only the plain outlines";
    g.SIDOU_FLAG = 1;
    c.clear();
    g.描画_移動可能桝色(5, 5, 色_白, -KIN);
    int white = 0;
    for (auto& op : c.ops)
        if (op.kind == DrawOp::Outline && op.code == 色_白) ++white;
    EXPECT_EQ(white, 6);
    EXPECT_EQ(c.lastOutlineAt(5, 4), 色_白);
    EXPECT_EQ(c.lastOutlineAt(4, 6), 色_緑);
}

TEST_F(Drawing, TextConversions) {
    EXPECT_EQ(Game::文字列変換(7), "７");
    EXPECT_EQ(Game::文字列変換(1006), "六");
    EXPECT_EQ(Game::文字列変換(-HU), "歩");
    EXPECT_EQ(Game::文字列変換(SYA_NARI), "飛成");
    EXPECT_EQ(Game::文字列変換(0), "");
    EXPECT_EQ(Game::文字列変換(1010), "");
    EXPECT_EQ(Game::文字列変換(KIN_NARI), "");
}

TEST_F(Drawing, MoveNumberStaysRightAligned) {
    auto xOf = [&](int n) {
        c.clear();
        g.描画_手数(n);
        char buf[16];
        std::snprintf(buf, sizeof buf, " %d ", n);
        return c.textsEqual(buf).at(1).x;
    };
    EXPECT_GT(xOf(9), xOf(10));
    EXPECT_GT(xOf(10), xOf(100));
    EXPECT_TRUE(c.hasText("手目"));
}

TEST_F(Drawing, LastMoveTextOnEachSide) {
    g.MAN_SENGO = -1;
    g.COM_SENGO = 1;
    c.clear();
    g.描画_移動結果(-1, 3, 6, -HU, 色_白);
    auto f = c.textsEqual("７");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_DOUBLE_EQ(f[1].x, 13.4);
    EXPECT_DOUBLE_EQ(f[1].y, 3.4);
    EXPECT_DOUBLE_EQ(c.textsEqual("六").at(1).x, 13.8);
    EXPECT_DOUBLE_EQ(c.textsEqual("歩").at(1).x, 14.4);
    c.clear();
    g.描画_移動結果(1, 7, 3, KAKU_NARI, 色_白);
    EXPECT_DOUBLE_EQ(c.textsEqual("角成").at(1).x, -0.6);
    EXPECT_DOUBLE_EQ(c.textsEqual("角成").at(1).y, 8.4);
    c.clear();
    g.描画_移動結果(0, 7, 3, KAKU_NARI, 色_白);
    EXPECT_EQ(c.count(DrawOp::Text), 0);
}

TEST_F(Drawing, HandicapCaptionsAndRefusalMessage) {
    c.clear();
    g.描画_ハンデレベル(0);
    EXPECT_TRUE(c.hasText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"));
    c.clear();
    g.描画_ハンデレベル(11);
    EXPECT_EQ(c.count(DrawOp::Text), 0);
    g.描画_メッセージ(2);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, "対局途中ではできません\n\n局面→最初にして下さい");
    EXPECT_EQ(rig.dialogs.shown[0].title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
    g.描画_メッセージ(9);
    EXPECT_EQ(rig.dialogs.shown[1].text, "\n\n局面→最初にして下さい");
}

}  // namespace
}  // namespace fudo::test
