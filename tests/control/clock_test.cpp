#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

TEST(Clock, ElapsedSecondsAcrossMidnight) {
    EXPECT_DOUBLE_EQ(Game::調査_経過秒(86399.5, 0.5), 1.0);
    EXPECT_DOUBLE_EQ(Game::調査_経過秒(10, 12.5), 2.5);
}

TEST(Clock, Formatting) {
    EXPECT_EQ(Game::調査_時間秒追加結果(0), "00:00:00");
    EXPECT_EQ(Game::調査_時間秒追加結果(59.9), "00:00:59");
    EXPECT_EQ(Game::調査_時間秒追加結果(60), "00:01:00");
    EXPECT_EQ(Game::調査_時間秒追加結果(3599), "00:59:59");
    EXPECT_EQ(Game::調査_時間秒追加結果(3600), "01:00:00");
    EXPECT_EQ(Game::調査_時間秒追加結果(3725.4), "01:02:05");
    EXPECT_EQ(Game::調査_時間秒追加結果(359999), "99:59:59");
    EXPECT_EQ(Game::調査_時間秒追加結果(360000), ":00:00");
    EXPECT_EQ(Game::変換_数字から文字(7), "07");
    EXPECT_EQ(Game::変換_数字から文字(42), "42");
    EXPECT_EQ(Game::変換_数字から文字(123), "");
}

TEST(Clock, TickShowsTheRunningTotalOncePerSecond) {
    Rig rig;
    Game& g = rig.game;
    g.MENU.KEIKA = true;
    g.TEBAN = g.MAN_SENGO = -1;
    g.COM_SENGO = 1;
    g.MAN_JIKAN = 65;
    g.JIKAN_START = rig.host.time;
    g.Timer1_Enabled = true;
    rig.canvas.clear();
    rig.host.time += 0.4;
    g.Timer1_Timer();
    EXPECT_EQ(rig.canvas.count(DrawOp::Text), 0) << "same whole second as shown";
    rig.host.time += 1.0;
    g.Timer1_Timer();
    auto t = rig.canvas.textsEqual("00:01:06");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_DOUBLE_EQ(t[1].x, 13);
    EXPECT_DOUBLE_EQ(t[1].y, 9.2);
    EXPECT_EQ(t[1].code, 色_白);
    EXPECT_NEAR(g.KONKAI_JIKAN, 1.4, 1e-9);

    g.Timer1_Enabled = false;
    rig.canvas.clear();
    rig.host.time += 5;
    g.Timer1_Timer();
    EXPECT_TRUE(rig.canvas.ops.empty());
    EXPECT_NEAR(g.KONKAI_JIKAN, 1.4, 1e-9) << "a stopped clock keeps its last value";
}

// The menu option turns the display and the running clock on and off during a game.
TEST(Clock, TheOptionStartsAndStopsTheDisplay) {
    Rig rig;
    Game& g = rig.game;
    rig.load();
    if (g.MENU.KEIKA) g.KEIKA_Click();
    g.START_Click();
    ASSERT_FALSE(g.Timer1_Enabled);
    g.MAN_JIKAN = 30;
    g.COM_JIKAN = 90;
    for (int round = 0; round < 2; ++round) {
        rig.canvas.clear();
        g.KEIKA_Click();
        EXPECT_TRUE(g.MENU.KEIKA);
        EXPECT_TRUE(g.Timer1_Enabled);
        ASSERT_EQ(rig.canvas.textsEqual("00:00:30").size(), 2u);
        EXPECT_DOUBLE_EQ(rig.canvas.textsEqual("00:00:30")[1].x, 13);
        ASSERT_EQ(rig.canvas.textsEqual("00:01:30").size(), 2u);
        EXPECT_DOUBLE_EQ(rig.canvas.textsEqual("00:01:30")[1].x, -1.6);
        g.JIKAN_START = rig.host.time;
        rig.host.time += 2 + round;
        g.Timer1_Timer();
        EXPECT_EQ(rig.canvas.textsEqual(round == 0 ? "00:00:32" : "00:00:33").size(), 2u)
            << "the running total of the lower player";

        rig.canvas.clear();
        g.KEIKA_Click();
        EXPECT_FALSE(g.MENU.KEIKA);
        EXPECT_FALSE(g.Timer1_Enabled);
        for (int x : {13, 14, 15, -2, -1, 0}) EXPECT_EQ(rig.canvas.lastPictureAt(x, 9), g.HAIKEI_NOW) << x;
        rig.canvas.clear();
        rig.host.time += 2;
        g.Timer1_Timer();
        EXPECT_TRUE(rig.canvas.ops.empty());
    }
    EXPECT_GE(rig.host.menuChanges, 4);
}

TEST(Clock, NothingIsDrawnWithTheOptionOff) {
    Rig rig;
    Game& g = rig.game;
    g.MENU.KEIKA = false;
    rig.canvas.clear();
    g.描画_所有時間(g.MAN_SENGO, 30);
    g.描画_所有時間(g.COM_SENGO, 30);
    EXPECT_TRUE(rig.canvas.ops.empty());
    g.MENU.KEIKA = true;
    g.描画_所有時間(g.COM_SENGO, 30);
    auto t = rig.canvas.textsEqual("00:00:30");
    ASSERT_EQ(t.size(), 2u);
    EXPECT_DOUBLE_EQ(t[1].x, -1.6);
    EXPECT_EQ(rig.canvas.lastOutlineAt(1, 9), 色_緑);
}

}  // namespace
}  // namespace fudo::test
