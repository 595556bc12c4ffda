// The computer's turn: scan order and ties, early stops, promotion choices, and playing the
// chosen move with its announcements.
#include "tests/engine/search_fixture.h"

namespace fudo::test {
namespace {

class Computer : public SearchFixture {
protected:
    Evaluations seen;

    探索結果 search(int level = 3) {
        g.COM_LEVEL = level;
        g.観察者 = &seen;
        g.勢力調査();
        g.com_ban_開始();
        探索結果 r = g.com_ban_探索();
        g.観察者 = nullptr;
        return r;
    }
    static bool same(const 候補手& a, int fx, int fy, int tx, int ty) {
        return a.fx == fx && a.fy == fy && a.tx == tx && a.ty == ty;
    }
};

TEST_F(Computer, EqualScoresGoToTheFirstCandidateInScanOrder) {
    put(5, 1, OU);
    put(5, 9, -OU);
    const 探索結果 r = search();
    // Only king moves, all -9999; the scan meets (4, 1) first.
    ASSERT_EQ(seen.lines.size(), 5u);
    for (auto& l : seen.lines) EXPECT_EQ(l.s, Score(-9999));
    ASSERT_TRUE(r.found);
    EXPECT_TRUE(same(r.best, 5, 1, 4, 1));
    EXPECT_TRUE(same(seen.lines[1].m, 5, 1, 4, 2)) << "destination rows inside destination columns";
}

TEST_F(Computer, ScanVisitsBoardMovesThenDropsInKindOrder) {
    put(9, 1, OU);
    put(5, 9, -OU);
    put(4, 9, -KIN);  // the golds keep every drop from checking decisively
    put(6, 9, -KIN);
    put(1, 1, KYOU);
    give(false, 5);
    give(false, 1);
    search();
    ASSERT_FALSE(seen.lines.empty());
    EXPECT_EQ(seen.lines.front().m.fx, 1) << "the lance on column 1 comes first";
    int lastSource = 0, lastKind = 0;
    bool inDrops = false;
    for (auto& l : seen.lines) {
        if (l.m.fx == -1) {
            inDrops = true;
            EXPECT_GE(l.m.fy, lastKind);
            lastKind = l.m.fy;
            EXPECT_EQ(l.m.placed, 持駒コード[l.m.fy]);
        } else {
            EXPECT_FALSE(inDrops) << "a board move after the drops";
            EXPECT_GE(l.m.fx * 10 + l.m.fy, lastSource);
            lastSource = l.m.fx * 10 + l.m.fy;
        }
    }
    EXPECT_EQ(lastKind, 5);
}

TEST_F(Computer, BestIsTheFirstStrictlyHighestScore) {
    // A small middle game: whatever the scores, the choice must be the first maximum.
    put(5, 1, OU);
    put(4, 1, KIN);
    put(6, 1, KIN);
    put(3, 3, HU);
    put(5, 3, HU);
    put(7, 3, HU);
    put(2, 2, SYA);
    put(8, 2, KAKU);
    put(5, 9, -OU);
    put(5, 7, -HU);
    put(3, 7, -HU);
    put(4, 9, -KIN);
    put(8, 8, -SYA);
    give(false, 1);
    const 探索結果 r = search();
    ASSERT_TRUE(r.found);
    size_t first = 0;
    for (size_t i = 1; i < seen.lines.size(); ++i)
        if (seen.lines[i].s > seen.lines[first].s) first = i;
    EXPECT_EQ(r.score, seen.lines[first].s);
    EXPECT_TRUE(same(r.best, seen.lines[first].m.fx, seen.lines[first].m.fy,
                     seen.lines[first].m.tx, seen.lines[first].m.ty));
}

TEST_F(Computer, CapturingTheHumanKingEndsTheSearchAtOnce) {
    put(9, 1, OU);
    put(5, 9, -OU);
    put(2, 2, KIN);
    put(5, 5, SYA);  // takes the king along the column
    put(9, 9, SYA);  // could take it along the row, later in the scan
    give(false, 7);
    const 探索結果 r = search();
    ASSERT_TRUE(r.found);
    EXPECT_TRUE(same(r.best, 5, 5, 5, 9));
    EXPECT_EQ(r.score, 9999_pt);
    EXPECT_TRUE(same(seen.lines.back().m, 5, 5, 5, 9)) << "nothing is evaluated after it";
    for (auto& l : seen.lines) EXPECT_NE(l.m.fx, -1) << "no drop is tried";
}

// A gold checking next to the king that only the king covers scores 9998; as a board move
// it does not stop the search, as a drop it does.
TEST_F(Computer, OnlyADropReaching9998StopsTheSearch) {
    put(1, 1, OU);
    put(5, 9, -OU);
    put(5, 7, KIN);
    put(9, 5, GIN);
    const 探索結果 r = search();
    ASSERT_TRUE(r.found);
    EXPECT_TRUE(same(r.best, 5, 7, 4, 8)) << "the first of the checks next to the king";
    EXPECT_EQ(r.score, 9998_pt);
    EXPECT_EQ(seen.lines.back().m.fx, 9) << "the silver's moves were still tried";

    seen.lines.clear();
    g.BAN(5, 7) = KARA;
    give(false, 5);
    give(false, 7);
    const 探索結果 d = search();
    EXPECT_TRUE(same(d.best, -1, 5, 4, 8));
    EXPECT_EQ(d.score, 9998_pt);
    EXPECT_TRUE(same(seen.lines.back().m, -1, 5, 4, 8)) << "nothing is tried after it";
}

TEST_F(Computer, NoDropPhaseWithAnEmptyHand) {
    put(5, 1, OU);
    put(5, 9, -OU);
    put(3, 3, HU);
    search();
    for (auto& l : seen.lines) EXPECT_NE(l.m.fx, -1);
}

// With the computer's king left in check by the rook whatever it does, every candidate
// scores -9998 (or -9999 for the king): the optional promotions tie.
class Promotion : public Computer {
protected:
    void SetUp() override {
        Computer::SetUp();
        put(9, 1, OU);
        put(9, 8, -SYA);
        put(5, 9, -OU);
    }
};

TEST_F(Promotion, SilverStaysUnpromotedOnEqualScores) {
    put(1, 6, GIN);
    const 探索結果 r = search();
    ASSERT_GE(seen.lines.size(), 2u);
    EXPECT_TRUE(same(seen.lines[0].m, 1, 6, 1, 7));
    EXPECT_EQ(seen.lines[0].m.placed, GIN) << "unpromoted first";
    EXPECT_EQ(seen.lines[1].m.placed, GIN_NARI);
    EXPECT_EQ(seen.lines[0].s, seen.lines[1].s);
    EXPECT_TRUE(same(r.best, 1, 6, 1, 7));
    EXPECT_EQ(r.best.placed, GIN);
}

TEST_F(Promotion, PawnBishopAndRookAlwaysPromote) {
    put(1, 6, HU);
    const 探索結果 r = search();
    EXPECT_TRUE(same(r.best, 1, 6, 1, 7));
    EXPECT_EQ(r.best.placed, HU_NARI);
    // From row 7 every move of a bishop or rook may promote.
    g.BAN(1, 6) = KARA;
    put(1, 7, KAKU);
    EXPECT_EQ(search().best.placed, KAKU_NARI);
    g.BAN(1, 7) = SYA;
    EXPECT_EQ(search().best.placed, SYA_NARI);
}

TEST_F(Promotion, PawnAndKnightOnTheLastRowsAreOnlyTriedPromoted) {
    put(1, 8, HU);
    search();
    ASSERT_FALSE(seen.lines.empty());
    EXPECT_TRUE(same(seen.lines[0].m, 1, 8, 1, 9));
    EXPECT_EQ(seen.lines[0].m.placed, HU_NARI);
    EXPECT_FALSE(same(seen.lines[1].m, 1, 8, 1, 9)) << "one evaluation only";

    seen.lines.clear();
    g.BAN(1, 8) = KARA;
    put(1, 6, KEI);
    search();
    ASSERT_FALSE(seen.lines.empty());
    EXPECT_TRUE(same(seen.lines[0].m, 1, 6, 2, 8));
    EXPECT_EQ(seen.lines[0].m.placed, KEI_NARI);
    EXPECT_NE(seen.lines[1].m.fx, 1) << "one evaluation only";
}

TEST_F(Computer, NoLegalMoveFindsNothing) {
    put(1, 9, OU);
    put(1, 8, HU);  // blocked by its own king
    put(2, 8, HU);  // blocked by the pawn below
    put(2, 9, HU);  // on the last row
    put(5, 1, -OU);
    EXPECT_FALSE(search().found);
    EXPECT_TRUE(seen.lines.empty());
}

// ------------------------------------------------------------------ playing the move

class ComputerTurn : public Computer {
protected:
    int boxesOverThinking = 0;  // boxes shown while "思考中" was still on the screen

    void SetUp() override {
        Computer::SetUp();
        g.SOUND_KOMAOTO = 31;
        g.SOUND_KINSI = 32;
        rig.dialogs.defaultYesNo = Answer::No;  // keep the final position on the board
        rig.dialogs.onShow = [this](const Shown&) { boxesOverThinking += thinkingShown() ? 1 : 0; };
    }
    void TearDown() override { EXPECT_EQ(boxesOverThinking, 0); }
    // The text is still seen unless all three cells it spans were painted over after it.
    bool thinkingShown() const {
        const auto& ops = rig.canvas.ops;
        std::size_t i = ops.size();
        while (i > 0 && !(ops[i - 1].kind == DrawOp::Text && ops[i - 1].text == "思考中")) --i;
        if (i == 0) return false;
        int covered = 0;
        for (int x = -2; x <= 0; ++x)
            for (std::size_t j = i; j < ops.size(); ++j)
                if (ops[j].kind == DrawOp::Picture && ops[j].x == x && ops[j].y == 8) {
                    ++covered;
                    break;
                }
        return covered < 3;
    }
    void turn() {
        g.勢力調査();
        g.com_ban();
    }
};

TEST_F(ComputerTurn, ThinkingIndicatorAndTheClock) {
    put(1, 1, OU);
    put(5, 9, -OU);
    put(3, 3, HU);
    g.KONKAI_JIKAN = 2.5;  // the last tick's value: the timer stays off without KEIKA
    g.COM_JIKAN = 10;
    rig.host.time = 500;
    turn();
    auto texts = rig.canvas.textsEqual("思考中");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].x, -1.5);
    EXPECT_EQ(texts[0].y, 8.5);
    EXPECT_EQ(texts[0].code, 色_黒);
    EXPECT_EQ(texts[1].x, -1.6);
    EXPECT_EQ(texts[1].y, 8.4);
    EXPECT_EQ(texts[0].size, 12);
    EXPECT_GE(rig.canvas.count(DrawOp::Refresh), 1);

    EXPECT_EQ(g.KIFU_NOW, 1);
    EXPECT_EQ(g.KIFU_COM_JIKAN_MAE[1], 10);
    EXPECT_EQ(g.KIFU_COM_JIKAN[1], 12.5);
    EXPECT_EQ(g.COM_JIKAN, 12.5);
    EXPECT_EQ(g.TESU, 1);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
    EXPECT_FALSE(g.Timer1_Enabled);
    ASSERT_FALSE(rig.host.waits.empty());
    EXPECT_EQ(rig.host.waits.back(), 0.5);
    EXPECT_EQ(g.JIKAN_START, rig.host.time) << "the clock restarts after the wait";
    EXPECT_EQ(rig.sound.count("dsPlay", 31), 1);

    // With the elapsed-time display the clock runs again for the person.
    g.MENU.KEIKA = true;
    turn();
    EXPECT_TRUE(g.Timer1_Enabled);
}

TEST_F(ComputerTurn, DropIsRecordedWithItsKindAndCode) {
    put(1, 1, OU);
    put(5, 9, -OU);
    give(false, 4);  // a silver beside the lone king mates; (4, 8) comes first
    turn();
    EXPECT_EQ(g.KIFU_MOTO_X[1], -1);
    EXPECT_EQ(g.KIFU_MOTO_Y[1], 4);
    EXPECT_EQ(g.KIFU_KOMA[1], GIN);
    EXPECT_EQ(g.KIFU_KOMA_ATO[1], GIN);
    EXPECT_EQ(g.BAN(4, 8), GIN);
    EXPECT_EQ(g.UE_MOCHI[4], 0);
    EXPECT_TRUE(rig.dialogs.wasShown("よし！!"));
    EXPECT_FALSE(rig.dialogs.wasShown("   ** 王手 **"));
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO) << "a mate does not end the game";
}

// The lance takes the pawn and checks; the gold can step between, so it is no mate.
TEST_F(ComputerTurn, CheckIsAnnounced) {
    put(1, 1, OU);
    put(5, 9, -OU);
    put(4, 9, -KIN);
    put(5, 6, -HU);
    put(5, 2, KYOU);
    turn();
    ASSERT_EQ(g.KIFU_SAKI_X[1], 5);
    ASSERT_EQ(g.KIFU_SAKI_Y[1], 6);
    EXPECT_TRUE(rig.dialogs.wasShown("   ** 王手 **"));
    EXPECT_FALSE(rig.dialogs.wasShown("よし！!"));
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 6), 色_白) << "the destination is outlined in white";
    EXPECT_TRUE(rig.canvas.hasText("香"));
}

TEST_F(ComputerTurn, CapturingTheKingEndsTheGameWithoutAMoveResult) {
    put(1, 1, OU);
    put(5, 9, -OU);
    put(5, 5, SYA);
    turn();
    EXPECT_TRUE(rig.dialogs.wasShown("ｺﾝﾋﾟｭｰﾀの勝ちです"));
    EXPECT_FALSE(rig.dialogs.wasShown("よし！!"));
    EXPECT_EQ(g.BAN(5, 9), SYA_NARI) << "a rook that may promote always does";
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 9), 色_緑) << "no white outline of a move result";
    EXPECT_EQ(rig.host.quits, 1);
}

TEST_F(ComputerTurn, MovingItsOwnKingLosesWithARedCross) {
    put(5, 1, OU);
    put(5, 9, -OU);
    turn();
    EXPECT_EQ(g.BAN(4, 1), OU);
    auto cross = rig.canvas.textsEqual("×");
    ASSERT_EQ(cross.size(), 1u);
    EXPECT_DOUBLE_EQ(cross[0].x, 3.8);
    EXPECT_DOUBLE_EQ(cross[0].y, 0.8);
    EXPECT_EQ(cross[0].code, 色_明赤);
    EXPECT_EQ(cross[0].size, 40);
    EXPECT_EQ(rig.sound.count("dsPlay", 32), 1);
    EXPECT_TRUE(rig.dialogs.wasShown("あなたの勝ちです"));
}

TEST_F(ComputerTurn, NoLegalMoveIsTheHumansWin) {
    put(1, 9, OU);
    put(1, 8, HU);
    put(2, 8, HU);
    put(2, 9, HU);
    put(5, 1, -OU);
    turn();
    EXPECT_EQ(g.KIFU_NOW, 0) << "nothing is recorded";
    EXPECT_TRUE(rig.dialogs.wasShown("あなたの勝ちです"));
}

}  // namespace
}  // namespace fudo::test
