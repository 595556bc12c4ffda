// The commands that start, resume and leave games, the headings, the about box and the
// ways to end the program; and whole games against the computer played by clicks.
#include <functional>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "tests/control/control_support.h"
#include "tests/support/invariants.h"

namespace fudo::test {
namespace {

using GameCommands = ControlTest;

Position openingWithKings() {
    Rig r;
    r.game.初期設定();
    r.game.BAN(5, 9) = -OU;
    r.game.BAN(5, 1) = OU;
    return positionOf(r.game);
}

// Ops painted after the last full redraw: what a retained canvas still shows of them.
std::vector<DrawOp> sinceLastRedraw(const RecordingCanvas& c) {
    std::vector<DrawOp> out;
    for (auto& op : c.ops) {
        if (op.kind == DrawOp::FullRedraw) out.clear();
        else out.push_back(op);
    }
    return out;
}

bool levelShownAfterLastRedraw(const RecordingCanvas& c) {
    for (auto& op : sinceLastRedraw(c))
        if (op.kind == DrawOp::Text && op.text == "LEVEL") return true;
    return false;
}

// The three cells of the level display are covered by the background after the redraw.
bool levelCoveredAfterLastRedraw(const RecordingCanvas& c, int background) {
    const auto ops = sinceLastRedraw(c);
    for (int x = -2; x <= 0; ++x) {
        bool covered = false;
        for (auto& op : ops) {
            if (op.kind == DrawOp::Picture && op.x == x && op.y == 0 && op.code == background)
                covered = true;
            if (op.kind == DrawOp::Text && op.text == "LEVEL") covered = false;
        }
        if (!covered) return false;
    }
    return true;
}

TEST_F(GameCommands, SenteFromIdleLetsThePersonMoveFirst) {
    g.SENTE_Click();
    EXPECT_EQ(positionOf(g), openingWithKings());
    EXPECT_EQ(g.BAN(5, 9), -OU);
    EXPECT_EQ(g.BAN(5, 1), OU);
    EXPECT_EQ(g.SITA_OU_X, 5);
    EXPECT_EQ(g.SITA_OU_Y, 9);
    EXPECT_EQ(g.TITLE_E, DIRUVID);
    EXPECT_EQ(plays(g.SOUND_KAVELU), 1);
    ASSERT_EQ(rig.host.waits.size(), 1u);
    EXPECT_DOUBLE_EQ(rig.host.waits[0], 0.5);
    EXPECT_EQ(g.TAIKYOKU_MODE, MODE_COM);
    EXPECT_EQ(g.TEBAN, +1);
    EXPECT_EQ(g.MAN_SENGO, +1);
    EXPECT_EQ(g.COM_SENGO, -1);
    EXPECT_EQ(g.TESU, 0);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.SAIKAI_MATI, 0);
    EXPECT_TRUE(g.Timer1_Enabled);
    EXPECT_DOUBLE_EQ(g.JIKAN_START, rig.host.time);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, "MANの番です");
    EXPECT_EQ(rig.dialogs.shown[0].title, " ");
    EXPECT_TRUE(levelShownAfterLastRedraw(rig.canvas));
}

TEST_F(GameCommands, GoteFromIdleLeavesTheComputersFirstMoveMade) {
    g.GOTE_Click();
    EXPECT_EQ(g.TEBAN, -1);
    EXPECT_EQ(g.MAN_SENGO, -1);
    EXPECT_EQ(g.COM_SENGO, +1);
    EXPECT_EQ(g.TAIKYOKU_MODE, MODE_COM);
    ASSERT_EQ(g.KIFU_NOW, 1);
    EXPECT_EQ(g.KIFU_LAST, 1);
    EXPECT_EQ(g.TESU, 1);
    EXPECT_GE(g.KIFU_KOMA[1], HU);
    // Exactly the computer's move changed the opening position.
    Position expected = openingWithKings();
    expected.ban(g.KIFU_MOTO_X[1], g.KIFU_MOTO_Y[1]) = KARA;
    expected.ban(g.KIFU_SAKI_X[1], g.KIFU_SAKI_Y[1]) = g.KIFU_KOMA_ATO[1];
    EXPECT_EQ(positionOf(g), expected);
    EXPECT_EQ(plays(g.SOUND_KAVELU), 1);
    EXPECT_TRUE(levelShownAfterLastRedraw(rig.canvas));
}

TEST_F(GameCommands, SenteInTheMiddleAtThePersonsTurnMakesHimFirst) {
    g.GOTE_Click();
    const Position p = positionOf(g);
    rig.dialogs.clear();
    g.SENTE_Click();
    EXPECT_EQ(positionOf(g), p);
    EXPECT_EQ(g.MAN_SENGO, g.TE_SENTE);
    EXPECT_EQ(g.COM_SENGO, g.TE_GOTE);
    EXPECT_EQ(g.TEBAN, g.TE_SENTE);
    EXPECT_EQ(g.KIFU_NOW, 1);
    EXPECT_EQ(g.TESU, 1);
    EXPECT_EQ(shownCount(rig.dialogs, "MANの番です", "対局"), 1);
    // The person plays on from there and the computer answers.
    move(g, 7, 7, 7, 6);
    EXPECT_EQ(g.KIFU_NOW, 3);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
}

TEST_F(GameCommands, SenteInTheMiddleAtTheComputersTurnLetsTheComputerMove) {
    g.SENTE_Click();
    move(g, 7, 7, 7, 6);
    g.REPLAY_Click();
    ASSERT_EQ(g.TEBAN, g.COM_SENGO);
    ASSERT_EQ(g.SAIKAI_MATI, 1);
    g.SENTE_Click();
    EXPECT_EQ(g.KIFU_NOW, 2);
    EXPECT_EQ(g.KIFU_LAST, 2);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
    EXPECT_EQ(g.SAIKAI_MATI, 1);  // not cleared after the computer's turn
}

TEST_F(GameCommands, GoteInTheMiddleAtThePersonsTurnKeepsTheSides) {
    g.SENTE_Click();
    move(g, 7, 7, 7, 6);
    g.AFTER_Click();  // refused at the last move, but it pauses the game
    ASSERT_EQ(g.SAIKAI_MATI, 1);
    const Position p = positionOf(g);
    rig.dialogs.clear();
    g.GOTE_Click();
    EXPECT_EQ(positionOf(g), p);
    EXPECT_EQ(g.MAN_SENGO, +1);
    EXPECT_EQ(g.COM_SENGO, -1);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
    EXPECT_EQ(g.SAIKAI_MATI, 0);
    EXPECT_EQ(g.KIFU_NOW, 2);
    EXPECT_EQ(g.KIFU_LAST, 2);
    EXPECT_EQ(shownCount(rig.dialogs, "MANの番です", "対局"), 1);
}

TEST_F(GameCommands, StartInTheMiddleOfAComputerGameKeepsPositionTurnAndSides) {
    g.GOTE_Click();
    const Position p = positionOf(g);
    rig.dialogs.clear();
    g.START_Click();
    EXPECT_EQ(positionOf(g), p);
    EXPECT_EQ(g.TEBAN, -1);
    EXPECT_EQ(g.MAN_SENGO, -1);
    EXPECT_EQ(g.COM_SENGO, +1);
    EXPECT_EQ(g.TAIKYOKU_MODE, MODE_MAN);
    EXPECT_EQ(shownCount(rig.dialogs, "後手の番です", " "), 1);
    EXPECT_TRUE(levelCoveredAfterLastRedraw(rig.canvas, g.HAIKEI_NOW));

    // From now on both sides are moved by clicks.
    move(g, 7, 7, 7, 6);
    EXPECT_EQ(g.KIFU_NOW, 2);
    EXPECT_EQ(g.TEBAN, g.COM_SENGO);
    int x = 1;
    while (x < 9 && !(g.BAN(x, 3) == HU && g.BAN(x, 4) == KARA)) ++x;
    move(g, x, 3, x, 4);
    EXPECT_EQ(g.KIFU_NOW, 3);
    EXPECT_EQ(g.BAN(x, 4), HU);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
}

TEST_F(GameCommands, StartFromIdleIsATwoPersonGameWithTheLowerPlayerFirst) {
    g.START_Click();
    EXPECT_EQ(positionOf(g), openingWithKings());
    EXPECT_EQ(g.TAIKYOKU_MODE, MODE_MAN);
    EXPECT_EQ(g.TEBAN, +1);
    EXPECT_EQ(g.MAN_SENGO, +1);
    EXPECT_EQ(g.COM_SENGO, -1);
    EXPECT_EQ(g.TITLE_E, DIRUVID);
    EXPECT_EQ(g.SAIKAI_MATI, 0);
    EXPECT_EQ(plays(g.SOUND_KAVELU), 1);
    EXPECT_EQ(shownCount(rig.dialogs, "先手の番です", " "), 1);
    EXPECT_TRUE(g.Timer1_Enabled);  // the elapsed-time option is ticked by default
    EXPECT_TRUE(levelCoveredAfterLastRedraw(rig.canvas, g.HAIKEI_NOW));
}

TEST_F(GameCommands, StartWithoutTheElapsedTimeOptionLeavesTheClockStopped) {
    g.MENU.KEIKA = false;
    g.START_Click();
    EXPECT_FALSE(g.Timer1_Enabled);
    EXPECT_DOUBLE_EQ(g.JIKAN_START, rig.host.time);
}

TEST_F(GameCommands, EveryStartCommandLeavesRecordMode) {
    for (auto start : {&Game::START_Click, &Game::SENTE_Click, &Game::GOTE_Click}) {
        g.KIFU_MODE = 1;
        std::invoke(start, g);
        EXPECT_EQ(g.KIFU_MODE, 0);
    }
}

TEST_F(GameCommands, AfterAFinishedGameSenteStartsFromTheOpening) {
    rig.dialogs.defaultYesNo = Answer::Yes;
    g.START_Click();
    move(g, 7, 7, 7, 6);
    move(g, 5, 1, 4, 2);  // the upper king moves: the game is over
    ASSERT_EQ(g.TEBAN, 0);
    g.SENTE_Click();
    EXPECT_EQ(positionOf(g), openingWithKings());
    EXPECT_EQ(g.TESU, 0);
    EXPECT_EQ(g.KIFU_LAST, 0);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
}

// Starting on from a position before the list's end ends the list there, so that "進" has
// nothing of the old moves to replay: after 戻, and after a reversal (where the move number
// runs on while the list starts again).
TEST_F(GameCommands, StartingOnFromAnEarlierPositionDropsTheMovesAfterIt) {
    for (auto start : {&Game::SENTE_Click, &Game::GOTE_Click, &Game::START_Click})
        for (bool reverse : {true, false}) {
            SCOPED_TRACE(reverse ? "reversed" : "stepped back");
            g.初期設定();
            g.START_Click();
            move(g, 7, 7, 7, 6);
            move(g, 3, 3, 3, 4);
            move(g, 2, 7, 2, 6);
            reverse ? g.REVERSE_Click() : g.REPLAY_Click();
            ASSERT_EQ(g.TEBAN, g.MAN_SENGO);
            const int shown = g.KIFU_NOW;
            std::invoke(start, g);
            EXPECT_EQ(g.KIFU_LAST, shown);
            const Position p = positionOf(g);
            rig.dialogs.clear();
            g.AFTER_Click();
            EXPECT_EQ(shownCount(rig.dialogs, "できません", "進む"), 1);
            EXPECT_EQ(positionOf(g), p);
        }
}

class EndingTheProgram : public GameCommands {
protected:
    void expectEnded() {
        const std::int32_t buffers[] = {before[0], before[1], before[2], before[3], before[4]};
        std::vector<std::int32_t> freed;
        for (auto& c : rig.sound.calls)
            if (c.name == "dsFree") freed.push_back(c.a);
        EXPECT_EQ(freed, std::vector<std::int32_t>(std::begin(buffers), std::end(buffers)));
        EXPECT_EQ(rig.sound.count("dsTerminate", 7), 1);
        EXPECT_EQ(rig.host.quits, 1);
        EXPECT_TRUE(rig.dialogs.shown.empty());
    }
    void SetUp() override {
        GameCommands::SetUp();
        g.SENTE_Click();
        rig.dialogs.clear();
        rig.sound.calls.clear();
        before[0] = g.SOUND_SONOTA;
        before[1] = g.SOUND_KINSI;
        before[2] = g.SOUND_KOMAOTO;
        before[3] = g.SOUND_KAVELU;
        before[4] = g.SOUND_BGM;
    }
    std::int32_t before[5] = {};
};

TEST_F(EndingTheProgram, Owari) {
    g.OWARI_Click();
    expectEnded();
}

TEST_F(EndingTheProgram, ClosingTheWindow) {
    g.Form_Unload();
    expectEnded();
}

TEST_F(EndingTheProgram, EscButNoOtherKey) {
    for (int key : {13, 32, int('a'), int('q'), 26, 28, 0, -27, 27 + 256}) g.Form_KeyPress(key);
    EXPECT_EQ(rig.host.quits, 0);
    EXPECT_TRUE(rig.sound.calls.empty());
    g.Form_KeyPress(KEY_ESC);
    expectEnded();
}

// Quitting closes the window, which ends the program a second time: nothing is freed twice.
TEST_F(EndingTheProgram, TwiceFreesEachBufferOnce) {
    g.OWARI_Click();
    g.Form_Unload();
    for (auto b : before) EXPECT_EQ(rig.sound.count("dsFree", b), 1);
    EXPECT_EQ(rig.sound.count("dsTerminate", 7), 1);
}

TEST_F(GameCommands, HeadingsOnlyPutTheRecordControlsAway) {
    g.KIFU_READ_Click();
    rig.host.saveControls = true;
    rig.host.boxes[2] = "対局名";
    const Position p = positionOf(g);
    g.見出し_Click();
    EXPECT_FALSE(rig.host.drive || rig.host.folder || rig.host.file);
    EXPECT_FALSE(rig.host.saveControls);
    EXPECT_EQ(rig.host.boxes[2], "");
    EXPECT_EQ(positionOf(g), p);
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

TEST_F(GameCommands, TheAboutBoxNamesGameVersionRuleAndLicence) {
    g.VER_Click();
    EXPECT_EQ(plays(g.SOUND_SONOTA), 1);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    const Shown& s = rig.dialogs.shown[0];
    EXPECT_EQ(s.title, "その他");
    EXPECT_EQ(s.buttons, Buttons::OK);
    EXPECT_NE(s.text.find("不動将棋"), std::string::npos);
    EXPECT_NE(s.text.find("1.0.0"), std::string::npos);
    EXPECT_NE(s.text.find("王は動かない"), std::string::npos);
    EXPECT_NE(s.text.find("MIT License"), std::string::npos);
}

// --------------------------------------------------------------------------- whole games

// Plays random legal moves by clicks until the game ends; checks the game after every
// exchange. Returns the number of the person's moves.
int playToTheEnd(Rig& rig, std::mt19937& rng) {
    Game& g = rig.game;
    int moves = 0;
    for (int turn = 0; turn < 200; ++turn) {
        // Any legal move of the lower side; a king only when nothing else can move (moving one loses).
        std::vector<LegalMove> candidates, kings;
        for (const LegalMove& m : legalMoves(g, -1)) (m.king() ? kings : candidates).push_back(m);
        if (candidates.empty()) candidates = kings;
        EXPECT_FALSE(candidates.empty());
        if (candidates.empty()) return moves;
        std::uniform_int_distribution<size_t> pick(0, candidates.size() - 1);
        std::uniform_int_distribution<int> coin(0, 1);
        const LegalMove m = candidates[pick(rng)];
        const int n = g.KIFU_NOW;
        rig.host.time += 3;
        g.Timer1_Timer();
        click(g, m.fx, m.fy);
        click(g, m.tx, m.ty, m.mustPromote || coin(rng) ? 右ボタン : 左ボタン);
        rig.canvas.clear();
        ++moves;
        if (g.TEBAN == 0) return moves;
        EXPECT_EQ(g.KIFU_NOW, n + 2);
        EXPECT_EQ(g.TESU, g.KIFU_NOW);
        EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
        EXPECT_EQ(g.駒総数(), 40);
        EXPECT_GE(g.KIFU_KOMA[n + 2], HU);
        EXPECT_EQ(checkInvariants(g), "");
        if (::testing::Test::HasFailure()) return moves;
    }
    return moves;
}

bool someoneWon(const ScriptedDialogs& d) {
    return shownCount(d, "あなたの勝ちです", "終了") + shownCount(d, "ｺﾝﾋﾟｭｰﾀの勝ちです", "終了") == 1;
}

TEST_F(GameCommands, AWholeGameAgainstTheComputerIsPlayedByClicks) {
    rig.dialogs.defaultYesNo = Answer::Yes;
    std::mt19937 rng(11);
    g.SENTE_Click();
    const int moves = playToTheEnd(rig, rng);
    EXPECT_GT(moves, 0);
    EXPECT_EQ(g.TEBAN, 0);
    EXPECT_TRUE(someoneWon(rig.dialogs));
    EXPECT_EQ(shownCount(rig.dialogs, "続けますか？", "再ゲーム"), 1);
}

TEST_F(GameCommands, AWholeGameMovingSecondIsPlayedByClicks) {
    rig.dialogs.defaultYesNo = Answer::Yes;
    std::mt19937 rng(5);
    g.GOTE_Click();
    const int moves = playToTheEnd(rig, rng);
    EXPECT_GT(moves, 0);
    EXPECT_EQ(g.TEBAN, 0);
    EXPECT_TRUE(someoneWon(rig.dialogs));
}

}  // namespace
}  // namespace fudo::test
