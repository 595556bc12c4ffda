#include <gtest/gtest.h>

#include "files/session_file.h"
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
    // 待った: both moves go with their time, and the turn under way goes on: its 9.75
    // seconds are not given back.
    g.待った_Click();
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.KIFU_LAST, 0);
    EXPECT_EQ(g.MAN_JIKAN, 0);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
    EXPECT_EQ(lowerClock(), "秒読み 1");
    think(0.25);
    EXPECT_FALSE(g.終局.終わった()) << "ten seconds are still in time";
    think(0.25);
    EXPECT_EQ(g.終局.理由, 終局理由::時間切れ);
    EXPECT_EQ(g.終局.勝者, g.COM_SENGO);
    EXPECT_TRUE(rig.dialogs.wasShown("時間切れです"));
    EXPECT_EQ(lowerClock(), "秒読み 0") << "the loser's clock shows nothing left";

    // Two persons, sudden death in a minute: the second player runs out.
    g.終了要求 = false;
    g.初期設定();
    g.持ち時間設定 = {持ち時間方式::切れ負け, 60, 0, 0};
    g.START_Click();
    think(30);
    move(g, 7, 7, 7, 6);
    think(10);
    // The option switched on and off redraws both clocks: the waiting side's stands, and
    // the clock of the side to move keeps running.
    g.KEIKA_Click();
    g.KEIKA_Click();
    EXPECT_EQ(lowerClock(), "00:00:30");
    EXPECT_TRUE(g.Timer1_Enabled);
    think(49.75);
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

// A rig for played games under a time control: the person's thinking passes on the
// injected clock in quarter seconds, ticked as the window ticks.
struct TimedRig {
    Rig rig;
    Game& g = rig.game;
    TimedRig() {
        loadWithSounds(rig);
        if (g.MENU.KEIKA) g.KEIKA_Click();
        rig.dialogs.defaultYesNo = Answer::No;  // "続けますか？": the finished game stays
    }
    void think(double seconds) {
        for (double t = 0; t < seconds - 1e-9; t += 0.25) {
            rig.host.time += 0.25;
            g.Timer1_Timer();
        }
    }
    std::string clockAt(double x) {
        for (auto it = rig.canvas.ops.rbegin(); it != rig.canvas.ops.rend(); ++it)
            if (it->kind == DrawOp::Text && it->x == x && it->y == 9.2) return it->text;
        return {};
    }
    std::string lowerClock() { return clockAt(13); }
    std::string kif() {
        const auto k = 符号化_KIF(作成_対局記録(g, g.KIFU_LAST), true);
        return k ? *k : std::string();
    }
};

// Every time control of the menu, played against the computer's strong search (held to its
// first step) that takes 3 seconds a reply while the person takes 22: each move is charged
// its own time in the list, the session and the KIF, and the KIF names the time control
// and the time of the first move.
TEST(Clock, EachMoveIsChargedItsOwnTimeUnderEveryTimeControl) {
    using K = 持ち時間方式;
    const struct {
        持ち時間 tc;
        const char* header;
    } controls[] = {
        {{K::秒読み, 600, 30, 0}, "持ち時間：各10分 秒読み30秒"},
        {{K::秒読み, 0, 30, 0}, "持ち時間：秒読み30秒"},
        {{K::フィッシャー, 300, 0, 10}, "持ち時間：各5分 1手ごとに10秒加算"},
        {{K::切れ負け, 600, 0, 0}, "持ち時間：各10分 切れ負け"},
        {{K::切れ負け, 180, 0, 0}, "持ち時間：各3分 切れ負け"},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.header);
        TimedRig t;
        Game& g = t.g;
        g.レベル_設定(4);
        g.COM_STEP = 1;
        t.rig.host.onWork = [&] { t.rig.host.time += 3; };
        g.持ち時間設定 = c.tc;
        g.SENTE_Click();
        EXPECT_TRUE(g.棋譜開始日時.empty()) << "no move, no date";
        t.think(22);
        t.rig.host.date = "2026/12/08 10:00:00";
        move(g, 7, 7, 7, 6);
        ASSERT_EQ(g.KIFU_NOW, 2) << "the computer answered";
        t.rig.host.date = "2026/12/08 10:05:00";
        t.think(22);
        move(g, 1, 7, 1, 6);
        ASSERT_EQ(g.KIFU_NOW, 4);
        ASSERT_FALSE(g.終局.終わった());
        for (int i : {1, 3}) EXPECT_NEAR(g.KIFU_MAN_JIKAN[i] - g.KIFU_MAN_JIKAN_MAE[i], 22, 1e-9) << i;
        for (int i : {2, 4}) EXPECT_NEAR(g.KIFU_COM_JIKAN[i] - g.KIFU_COM_JIKAN_MAE[i], 3, 1e-9) << i;
        EXPECT_NEAR(g.MAN_JIKAN, 44, 1e-9);
        EXPECT_NEAR(g.COM_JIKAN, 6, 1e-9);

        // The session holds the same times.
        Rig back;
        back.load();
        std::string error;
        ASSERT_TRUE(読込_セッション(back.game, セッション文字列(g), error)) << error;
        EXPECT_NEAR(back.game.KIFU_COM_JIKAN[4], 6, 1e-9);
        EXPECT_NEAR(back.game.KIFU_MAN_JIKAN[3], 44, 1e-9);
        EXPECT_NEAR(back.game.COM_JIKAN, 6, 1e-9);
        EXPECT_EQ(back.game.対局時間, c.tc);
        EXPECT_NEAR(back.host.time - back.game.JIKAN_START, 0, 1e-9) << "the person's turn has just begun";
        // Each total under its own name, as files of earlier versions have them.
        const std::string text = セッション文字列(g);
        EXPECT_NE(text.find("\"MAN_JIKAN\":44.0"), std::string::npos);
        EXPECT_NE(text.find("\"COM_JIKAN\":6.0"), std::string::npos);

        const std::string kif = t.kif();
        EXPECT_NE(kif.find(c.header), std::string::npos) << kif;
        EXPECT_NE(kif.find("開始日時：2026/12/08 10:00:00"), std::string::npos) << kif;
        EXPECT_NE(kif.find("( 0:22/00:00:22)"), std::string::npos) << kif;
        EXPECT_NE(kif.find("( 0:03/00:00:03)"), std::string::npos) << kif;
        EXPECT_NE(kif.find("( 0:03/00:00:06)"), std::string::npos) << kif;
        EXPECT_NE(kif.find("( 0:22/00:00:44)"), std::string::npos) << kif;

        // A new game is dated by its own first move.
        g.初期設定();
        g.SENTE_Click();
        EXPECT_EQ(作成_対局記録(g, 0).開始日時, "");
    }
    // No time control: no header.
    TimedRig t;
    t.g.持ち時間設定 = {};
    t.g.START_Click();
    move(t.g, 7, 7, 7, 6);
    EXPECT_EQ(t.kif().find("持ち時間"), std::string::npos);
}

// Stepping back and forth leaves the running turn alone: the byoyomi goes on counting
// while the moves are looked at, and runs out there as anywhere. A resume at an earlier
// position keeps the turn's seconds. The session keeps a paused game's running turn.
TEST(Clock, SteppingNeitherResetsNorPausesTheRunningTurn) {
    TimedRig t;
    Game& g = t.g;
    g.レベル_設定(1);
    g.持ち時間設定 = {持ち時間方式::秒読み, 0, 30, 0};
    g.SENTE_Click();
    t.think(5);
    move(g, 7, 7, 7, 6);
    ASSERT_EQ(g.KIFU_NOW, 2);
    t.think(26);
    EXPECT_EQ(t.lowerClock(), "秒読み 4");
    g.REPLAY_Click();
    g.AFTER_Click();
    g.REPLAY_Click();
    t.think(2);
    EXPECT_EQ(t.lowerClock(), "秒読み 2") << "the clock runs on while the moves are looked at";
    EXPECT_FALSE(g.終局.終わった());

    // The session keeps the paused turn: a restored game runs out on time too.
    Rig back;
    back.load();
    back.dialogs.defaultYesNo = Answer::No;
    std::string error;
    ASSERT_TRUE(読込_セッション(back.game, セッション文字列(g), error)) << error;
    back.host.time += 2.25;
    back.game.Timer1_Timer();
    EXPECT_EQ(back.game.終局.理由, 終局理由::時間切れ);

    t.think(2);
    EXPECT_FALSE(g.終局.終わった());
    t.think(0.25);
    EXPECT_EQ(g.終局.理由, 終局理由::時間切れ) << "the byoyomi ran out while the moves were looked at";
    EXPECT_EQ(g.終局.勝者, g.COM_SENGO);

    // Back two moves and resumed there: the list's totals of that position, and the turn
    // that ran meanwhile still the person's.
    TimedRig u;
    Game& h = u.g;
    h.レベル_設定(1);
    h.持ち時間設定 = {持ち時間方式::切れ負け, 600, 0, 0};
    h.SENTE_Click();
    u.think(5);
    move(h, 7, 7, 7, 6);
    u.think(7);
    move(h, 1, 7, 1, 6);
    ASSERT_EQ(h.KIFU_NOW, 4);
    u.think(4);
    h.REPLAY_Click();
    h.REPLAY_Click();
    u.think(3);
    EXPECT_EQ(u.lowerClock(), "00:09:41") << "600 - 12 - 7";
    click(h, 5, 5);  // the click on the board resumes the game
    ASSERT_EQ(h.SAIKAI_MATI, 0);
    move(h, 2, 7, 2, 6);
    ASSERT_EQ(h.KIFU_NOW, 4);
    EXPECT_NEAR(h.KIFU_MAN_JIKAN_MAE[3], 5, 1e-9);
    EXPECT_NEAR(h.KIFU_MAN_JIKAN[3], 12, 1e-9) << "the 7 seconds of the turn under way are kept";

    // Back to the computer's turn and resumed there: the person's seconds meanwhile are
    // the person's, and the computer's turn starts afresh.
    TimedRig v;
    Game& k = v.g;
    k.レベル_設定(1);
    k.持ち時間設定 = {持ち時間方式::切れ負け, 600, 0, 0};
    k.SENTE_Click();
    v.think(5);
    move(k, 7, 7, 7, 6);
    v.think(4);
    k.REPLAY_Click();
    ASSERT_EQ(k.TEBAN, k.COM_SENGO);
    v.think(3);
    click(k, 5, 5);
    ASSERT_EQ(k.KIFU_NOW, 2) << "the computer answered again";
    EXPECT_NEAR(k.MAN_JIKAN, 12, 1e-9);
    EXPECT_NEAR(k.KIFU_COM_JIKAN[2], 0, 1e-9);
}

// A question box in the person's turn does not stop the clock: answered after the time
// ran out, the move is not made and the game is lost on time.
TEST(Clock, TimeInAQuestionBoxCountsAndRunsOut) {
    TimedRig t;
    Game& g = t.g;
    g.補助.案内 = true;
    g.持ち時間設定 = {持ち時間方式::切れ負け, 60, 0, 0};
    g.START_Click();
    t.rig.sound.calls.clear();
    t.think(50);
    EXPECT_EQ(t.rig.sound.count("dsPlay", g.SOUND_SONOTA), 1) << "a beep at ten seconds left";
    t.rig.dialogs.defaultYesNo = Answer::Yes;  // "王を動かすと負けです。指しますか？"
    t.rig.dialogs.onShow = [&](const Shown& s) {
        if (s.title == "確認") t.rig.host.time += 15;
    };
    move(g, 5, 9, 5, 8);
    ASSERT_TRUE(t.rig.dialogs.wasShown("王を動かすと負けです。指しますか？"));
    EXPECT_EQ(g.終局.理由, 終局理由::時間切れ);
    EXPECT_EQ(g.KIFU_LAST, 0) << "the move is not made";
    EXPECT_EQ(t.lowerClock(), "00:00:00");
}

// The time running out during a hint's search ends the game on time, and no hint is drawn.
TEST(Clock, AHintIsNotShownOnAGameLostOnTime) {
    TimedRig t;
    Game& g = t.g;
    g.LEVEL4_秒 = 0.05;
    g.持ち時間設定 = {持ち時間方式::切れ負け, 60, 0, 0};
    g.SENTE_Click();
    t.think(59);
    t.rig.host.onWork = [&] { t.rig.host.time += 2; };
    g.ヒント_Click();
    EXPECT_EQ(g.終局.理由, 終局理由::時間切れ);
    EXPECT_EQ(g.ヒント_TX, 0);
    EXPECT_EQ(t.rig.host.statusLine.find("ヒント："), std::string::npos) << t.rig.host.statusLine;
    // In time, the hint is there.
    TimedRig u;
    u.g.LEVEL4_秒 = 0.05;
    u.g.持ち時間設定 = {持ち時間方式::切れ負け, 60, 0, 0};
    u.g.SENTE_Click();
    u.think(10);
    u.g.ヒント_Click();
    EXPECT_FALSE(u.g.終局.終わった());
    EXPECT_NE(u.g.ヒント_TX, 0);
    // The time then runs out: the hint's outline goes with the game.
    u.think(50.25);
    EXPECT_EQ(u.g.終局.理由, 終局理由::時間切れ);
    EXPECT_EQ(u.g.ヒント_TX, 0);
}

}  // namespace
}  // namespace fudo::test
