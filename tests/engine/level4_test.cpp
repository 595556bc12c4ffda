// Level 4 inside the game: the menu tick, the computer's turn played by the strong engine
// through the usual procedures, stopping when the program ends, and the hint.
#include <gtest/gtest.h>

#include "search/position.h"
#include "search/strength.h"
#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

// A host that keeps the status line and counts the work it was given.
class StatusHost : public FakeHost {
public:
    std::string status;
    int works = 0;
    // Run before the next work, on the game's thread, as a window does meanwhile (Esc).
    std::function<void(const std::function<void()>& stop)> meanwhile;
    void setStatusLine(std::string_view s) override { status = std::string(s); }
    void runWork(const std::function<void()>& work, const std::function<void()>& tick,
                 const std::function<void()>& stop) override {
        ++works;
        if (meanwhile) std::exchange(meanwhile, {})(stop);
        Host::runWork(work, tick, stop);
    }
};

struct Level4 : ::testing::Test {
    RecordingCanvas canvas;
    ScriptedDialogs dialogs;
    StatusHost host;
    Game g{canvas, dialogs, host, nullptr};

    void SetUp() override {
        clearBoard(g);
        g.BAN(5, 9) = -OU;
        g.BAN(5, 1) = OU;
        g.SITA_OU_X = 5, g.SITA_OU_Y = 9, g.UE_OU_X = 5, g.UE_OU_Y = 1;
        g.TAIKYOKU_MODE = MODE_COM;
        g.MAN_SENGO = -1;
        g.COM_SENGO = +1;
        g.COM_LEVEL = 4;
        g.LEVEL4_秒 = 5;  // mates end the search long before
        dialogs.defaultYesNo = Answer::No;
    }
    void give(bool lower, int kind) {
        (lower ? g.SITA_MOCHI : g.UE_MOCHI)[kind] += 1;
        (lower ? g.SITA_MOCHI_SU : g.UE_MOCHI_SU) += 1;
    }
};

TEST_F(Level4, MenuTicksLevelFourAndTheDisplayShowsIt) {
    g.LEVEL4_Click();
    EXPECT_EQ(g.COM_LEVEL, 4);
    EXPECT_TRUE(g.MENU.LEVEL4);
    EXPECT_FALSE(g.MENU.LEVEL1 || g.MENU.LEVEL2 || g.MENU.LEVEL3);
    EXPECT_TRUE(canvas.hasText(" 4 ")) << "the level display";
    g.LEVEL3_Click();
    EXPECT_FALSE(g.MENU.LEVEL4);
    EXPECT_EQ(g.COM_LEVEL, 3);
}

TEST_F(Level4, ComputerPlaysTheEnginesMoveThroughTheUsualProcedures) {
    // Mate in one by a gold dropped on (5, 8); the lower pawns cover (4, 8) and (6, 8).
    g.BAN(4, 9) = -HU;
    g.BAN(6, 9) = -HU;
    give(false, 5);
    g.TEBAN = g.COM_SENGO;
    g.com_ban();
    EXPECT_EQ(host.works, 1);
    ASSERT_EQ(g.KIFU_NOW, 1);
    EXPECT_EQ(g.KIFU_MOTO_X[1], -1);
    EXPECT_EQ(g.KIFU_MOTO_Y[1], 5);
    EXPECT_EQ(g.KIFU_SAKI_X[1], 5);
    EXPECT_EQ(g.KIFU_SAKI_Y[1], 8);
    EXPECT_EQ(g.KIFU_KOMA_ATO[1], KIN);
    EXPECT_EQ(g.BAN(5, 8), KIN);
    EXPECT_EQ(g.UE_MOCHI[5], 0);
    EXPECT_TRUE(dialogs.wasShown("よし！!"));
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);

    // Next turn it takes the king with a promotion the move list records.
    g.BAN(5, 8) = KARA;
    g.BAN(5, 5) = SYA;
    g.TEBAN = g.COM_SENGO;
    g.com_ban();
    ASSERT_EQ(g.KIFU_NOW, 2);
    EXPECT_EQ(g.KIFU_KOMA[2], SYA);
    EXPECT_EQ(g.KIFU_KOMA_ATO[2], SYA_NARI);
    EXPECT_EQ(g.KIFU_TORI[2], -OU);
    EXPECT_TRUE(dialogs.wasShown("ｺﾝﾋﾟｭｰﾀの勝ちです"));
}

TEST_F(Level4, NothingIsPlayedOnceTheSearchIsStopped) {
    g.BAN(2, 2) = SYA;
    g.TEBAN = g.COM_SENGO;
    g.探索中止();
    g.com_ban();
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.BAN(2, 2), SYA);
    EXPECT_EQ(g.TEBAN, g.COM_SENGO);
}

TEST_F(Level4, AStopTheProgramOutlivesLeavesTheNextSearchAlone) {
    // Esc while the computer thinks, then the program goes on: the stopped turn plays
    // nothing, the next turn and the hint search as before.
    g.BAN(4, 9) = -HU;
    g.BAN(6, 9) = -HU;
    give(false, 5);
    g.TEBAN = g.COM_SENGO;
    host.meanwhile = [](const std::function<void()>& stop) { stop(); };
    g.com_ban();
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.TEBAN, g.COM_SENGO);
    g.com_ban();
    ASSERT_EQ(g.KIFU_NOW, 1) << "the next turn is played";
    EXPECT_EQ(g.BAN(5, 8), KIN);

    SetUp();
    g.BAN(4, 1) = HU;
    g.BAN(6, 1) = HU;
    give(true, 5);
    g.TEBAN = g.MAN_SENGO;
    host.meanwhile = [](const std::function<void()>& stop) { stop(); };
    g.ヒント_Click();
    g.ヒント_Click();
    EXPECT_EQ(host.status, "ヒント：５二金打");
}

TEST_F(Level4, AStepsChoiceIsDrawnFromTheSeedItsTurnBeganWith) {
    // Golds and silvers to move in many ways nearly as good; the weakest step wanders
    // among them by its seed.
    g.BAN(3, 3) = KIN;
    g.BAN(7, 3) = KIN;
    g.BAN(2, 4) = GIN;
    g.BAN(8, 4) = GIN;
    g.BAN(1, 7) = -HU;
    g.BAN(9, 7) = -HU;
    g.TEBAN = g.COM_SENGO;
    g.COM_STEP = 1;
    const search::Snapshot snap = search::snapshotOf(g, search::Upper);
    const std::atomic<bool> stop{false};
    const auto moveOf = [&snap, &stop](std::uint64_t seed) {
        search::Engine e{32};
        return search::bestMoveAtStep(e, snap, 1, {}, seed, stop).best;
    };
    const search::Move first = moveOf(1);
    std::uint64_t other = 2;
    while (other < 200 && moveOf(other) == first) ++other;
    ASSERT_LT(other, 200u) << "no seed draws another move";
    // The seed changes while the search runs (a new game asked meanwhile): the turn keeps
    // the seed it began with.
    g.段階_種 = 1;
    host.meanwhile = [this, other](const std::function<void()>&) { g.段階_種 = other; };
    g.com_ban();
    ASSERT_EQ(g.KIFU_NOW, 1);
    EXPECT_EQ(g.KIFU_SAKI_X[1], search::fileOf(search::toOf(first)));
    EXPECT_EQ(g.KIFU_SAKI_Y[1], search::rowOf(search::toOf(first)));
    EXPECT_EQ(g.KIFU_MOTO_X[1], search::fileOf(search::fromOf(first)));
    EXPECT_EQ(g.KIFU_MOTO_Y[1], search::rowOf(search::fromOf(first)));
}

TEST_F(Level4, HintShowsTheMoveAndPlaysNothing) {
    // The person (lower) mates with a gold dropped on (5, 2).
    g.BAN(4, 1) = HU;
    g.BAN(6, 1) = HU;
    give(true, 5);
    g.TEBAN = g.MAN_SENGO;
    const IntMap before = g.BAN;
    g.ヒント_Click();
    EXPECT_EQ(host.status, "ヒント：５二金打");
    EXPECT_EQ(canvas.lastOutlineAt(11, 7), 色_黄) << "the gold on the lower stand";
    EXPECT_EQ(canvas.lastOutlineAt(5, 2), 色_黄);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.SITA_MOCHI[5], 1);
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) EXPECT_EQ(g.BAN(x, y), before(x, y));
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);

    // The computer's next turn takes the outlines away.
    g.TEBAN = g.COM_SENGO;
    g.COM_LEVEL = 1;
    g.BAN(2, 2) = SYA;
    g.com_ban();
    EXPECT_EQ(canvas.lastOutlineAt(5, 2), 色_緑);

    // The same mate by the upper person of a two-person game: the upper stand shows the
    // gold in row 3, where a click picks it.
    SetUp();
    g.TAIKYOKU_MODE = MODE_MAN;
    g.BAN(4, 9) = -HU;
    g.BAN(6, 9) = -HU;
    give(false, 5);
    g.TEBAN = g.COM_SENGO;
    g.ヒント_Click();
    EXPECT_EQ(host.status, "ヒント：５八金打");
    EXPECT_EQ(g.ヒント_FX, -1);
    EXPECT_EQ(g.ヒント_FY, 3);
    EXPECT_EQ(canvas.lastOutlineAt(-1, 3), 色_黄);
}

TEST_F(Level4, HintSaysSoWhenEveryMoveLoses) {
    g.BAN(5, 8) = KIN;
    g.BAN(5, 7) = HU;
    g.BAN(1, 7) = -HU;
    g.TEBAN = g.MAN_SENGO;
    g.ヒント_Click();
    EXPECT_EQ(host.status, "ヒント：詰んでいます");
    EXPECT_EQ(g.ヒント_TX, 0) << "nothing outlined";
}

TEST_F(Level4, HintIsRefusedWithAReason) {
    struct Case {
        const char* what;
        void (*set)(Game&);
        const char* reason;
    };
    const Case cases[] = {
        {"no game", [](Game& g) { g.TEBAN = 0; }, "対局中ではないのでヒントは出せません"},
        {"record mode", [](Game& g) { g.KIFU_MODE = 1; g.TEBAN = g.MAN_SENGO; }, "棋譜ﾓｰﾄﾞではヒントは出せません"},
        {"the computer's turn", [](Game& g) { g.TEBAN = g.COM_SENGO; }, "ｺﾝﾋﾟｭｰﾀの番です"},
        {"a full move list", [](Game& g) { g.TEBAN = g.MAN_SENGO; g.KIFU_NOW = KIFU_MAX; }, "500手に達しています"},
    };
    for (const Case& c : cases) {
        SetUp();
        g.KIFU_MODE = 0;
        g.KIFU_NOW = 0;
        c.set(g);
        host.works = 0;
        g.ヒント_Click();
        EXPECT_EQ(host.status, c.reason) << c.what;
        EXPECT_EQ(host.works, 0) << c.what;
    }
}

}  // namespace
}  // namespace fudo::test
