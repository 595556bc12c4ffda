#include <gtest/gtest.h>

#include "notation/csa.h"
#include "notation/game_record.h"
#include "notation/kif.h"
#include "tests/control/control_support.h"

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

// What each kind of time control leaves a side, from its total, its moves and the turn.
TEST(Clock, TimeControlsLeaveWhatTheirRulesSay) {
    using K = 持ち時間方式;
    const 持ち時間 byo{K::秒読み, 60, 30, 0}, fischer{K::フィッシャー, 300, 0, 10}, sudden{K::切れ負け, 180, 0, 0};
    const struct {
        持ち時間 tc;
        double used;
        int moves;
        double elapsed;
        double main, byoyomi;
        bool inByoyomi, out;
        const char* text;
    } cases[] = {
        {byo, 50, 3, 5, 5, 0, false, false, "00:00:05"},
        {byo, 50, 3, 20, 0, 20, true, false, "秒読み 20"},
        {byo, 50, 3, 40.5, 0, 0, true, true, "秒読み 0"},
        {byo, 70, 4, 2.5, 0, 27.5, true, false, "秒読み 28"},  // in byoyomi since an earlier move
        {byo, 70, 4, 31, 0, 0, true, true, "秒読み 0"},
        {fischer, 305, 2, 16, 0, 0, false, true, "00:00:00"},
        {fischer, 20, 1, 0.4, 289.6, 0, false, false, "00:04:50"},
        {sudden, 179, 40, 1, 0, 0, false, false, "00:00:00"},
        {sudden, 179, 40, 1.01, 0, 0, false, true, "00:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.tc.方式) << " used " << c.used << " elapsed " << c.elapsed);
        const 時計の状態 s = 時計を読む(c.tc, c.used, c.moves, c.elapsed);
        EXPECT_NEAR(s.本体残り, c.main, 1e-9);
        EXPECT_NEAR(s.秒読み残り, c.byoyomi, 1e-9);
        EXPECT_EQ(s.秒読み中, c.inByoyomi);
        EXPECT_EQ(s.切れ, c.out);
        EXPECT_EQ(時計の文字(s), c.text);
    }
    EXPECT_FALSE(時計を読む({}, 1e6, 0, 1e6).切れ) << "no time control: never out";
}

// Games under a time control, on an injected clock ticked as the window ticks it: the
// clocks count down whether the elapsed-time option is ticked or not, beep near the end,
// and the side whose time runs out loses; 待った gives the time back with the moves.
TEST(Clock, GamesUnderATimeControlAreLostOnTime) {
    Rig rig;
    loadWithSounds(rig);
    Game& g = rig.game;
    if (g.MENU.KEIKA) g.KEIKA_Click();
    auto think = [&](double seconds) {
        for (double t = 0; t < seconds - 1e-9; t += 0.25) {
            rig.host.time += 0.25;
            g.Timer1_Timer();
        }
    };
    auto lowerClock = [&] {
        for (auto it = rig.canvas.ops.rbegin(); it != rig.canvas.ops.rend(); ++it)
            if (it->kind == DrawOp::Text && it->x == 13 && it->y == 9.2) return it->text;
        return std::string();
    };
    auto beeps = [&] { return rig.sound.count("dsPlay", g.SOUND_SONOTA); };
    rig.dialogs.defaultYesNo = Answer::No;  // "続けますか？": the finished game stays

    // Against the computer, 10 seconds of byoyomi a move and no main time.
    g.レベル_設定(1);
    g.持ち時間設定 = {持ち時間方式::秒読み, 0, 10, 0};
    g.SENTE_Click();
    ASSERT_TRUE(g.Timer1_Enabled) << "the clock runs with the option off";
    EXPECT_EQ(lowerClock(), "秒読み 10");
    rig.sound.calls.clear();
    think(8);
    EXPECT_EQ(lowerClock(), "秒読み 2");
    EXPECT_EQ(beeps(), 4) << "at 5, 4, 3 and 2 seconds left";
    move(g, 7, 7, 7, 6);
    ASSERT_EQ(g.KIFU_NOW, 2) << "the computer answered";
    EXPECT_NEAR(g.KIFU_MAN_JIKAN[1], 8, 1e-9);
    EXPECT_FALSE(g.終局.終わった());
    think(9.75);
    EXPECT_FALSE(g.終局.終わった());
    // 待った: both moves go, and the person's clock is as it was.
    g.待った_Click();
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.KIFU_LAST, 0);
    EXPECT_EQ(g.MAN_JIKAN, 0);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
    think(10);
    EXPECT_FALSE(g.終局.終わった()) << "ten seconds are still in time";
    think(0.25);
    EXPECT_EQ(g.終局.理由, 終局理由::時間切れ);
    EXPECT_EQ(g.終局.勝者, g.COM_SENGO);
    EXPECT_TRUE(rig.dialogs.wasShown("時間切れです"));

    // Two persons, sudden death in a minute: the second player runs out.
    g.終了要求 = false;
    g.初期設定();
    g.持ち時間設定 = {持ち時間方式::切れ負け, 60, 0, 0};
    g.START_Click();
    think(30);
    move(g, 7, 7, 7, 6);
    think(59.75);
    EXPECT_FALSE(g.終局.終わった());
    think(0.5);
    EXPECT_EQ(g.終局.理由, 終局理由::時間切れ);
    EXPECT_EQ(g.終局.勝者, g.TE_SENTE);
    // The record says how it ended, though the moves cannot.
    const auto kif = 符号化_KIF(作成_対局記録(g, g.KIFU_LAST), true);
    ASSERT_TRUE(kif);
    EXPECT_NE(kif->find("   2 切れ負け"), std::string::npos) << *kif;
    EXPECT_NE(kif->find("まで1手で先手の勝ち"), std::string::npos) << *kif;
    const auto csa = 符号化_CSA(作成_対局記録(g, g.KIFU_LAST));
    ASSERT_TRUE(csa);
    EXPECT_NE(csa->find("%TIME_UP"), std::string::npos) << *csa;

    // Fischer: ten seconds come back after each move.
    g.終了要求 = false;
    g.初期設定();
    g.持ち時間設定 = {持ち時間方式::フィッシャー, 300, 0, 10};
    g.START_Click();
    think(20);
    move(g, 7, 7, 7, 6);
    EXPECT_EQ(lowerClock(), "00:04:50");
    EXPECT_EQ(g.対局時間, g.持ち時間設定);
    // No time control: the elapsed time as always, nothing drawn with the option off.
    g.初期設定();
    g.持ち時間設定 = {};
    g.START_Click();
    EXPECT_FALSE(g.Timer1_Enabled);
    rig.canvas.clear();
    g.画面_再描画();
    EXPECT_EQ(lowerClock(), "");
}

}  // namespace
}  // namespace fudo::test
