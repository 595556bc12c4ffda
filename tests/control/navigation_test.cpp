// Position navigation: back and forward through the move list (in a game and in record
// mode), back to the opening position, and turning the board.
#include <functional>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "tests/control/control_support.h"
#include "tests/support/invariants.h"

namespace fudo::test {
namespace {

using Navigation = ControlTest;

// A two-person game of eight moves with a promotion that captures, a capture of a
// promoted piece, drops from both stands and a promotion with a capture at the end.
struct Step {
    int fx, fy, tx, ty;
    bool promote;
    double think;  // seconds on the clock before the move
};
constexpr Step kGame[] = {
    {3, 7, 3, 6, false, 4},   // pawn
    {7, 3, 7, 4, false, 6},   // pawn
    {2, 8, 8, 2, true, 3},    // bishop takes bishop and promotes
    {7, 1, 8, 2, false, 8},   // silver takes the promoted bishop
    {11, 8, 5, 5, false, 2},  // bishop dropped from the lower stand (row 8)
    {-1, 2, 5, 4, false, 5},  // bishop dropped from the upper stand (row 2)
    {9, 7, 9, 6, false, 1},   // pawn
    {5, 4, 8, 7, true, 7},    // bishop takes a pawn and promotes
};
constexpr int kMoves = static_cast<int>(std::size(kGame));

class NavigationGame : public Navigation {
protected:
    std::vector<Position> after;  // after[i]: the position after move i

    void SetUp() override {
        Navigation::SetUp();
        startTwoPersons();
        after.push_back(positionOf(g));
        for (const Step& s : kGame) {
            rig.host.time += s.think;
            g.Timer1_Timer();
            move(g, s.fx, s.fy, s.tx, s.ty, s.promote);
            ASSERT_EQ(g.KIFU_NOW, static_cast<int>(after.size()));
            after.push_back(positionOf(g));
        }
        ASSERT_EQ(g.BAN(8, 7), KAKU_NARI);
        ASSERT_EQ(g.UE_MOCHI[1], 1);
        rig.dialogs.clear();
        rig.sound.calls.clear();
        rig.canvas.clear();
    }
    // Side to move after i moves of a game that the lower player began.
    int sideAfter(int i) const { return i % 2 == 0 ? g.TE_SENTE : g.TE_GOTE; }
};

TEST_F(NavigationGame, BackAndForwardRetraceTheGame) {
    for (int i = kMoves; i >= 1; --i) {
        SCOPED_TRACE("back over move " + std::to_string(i));
        g.REPLAY_Click();
        EXPECT_EQ(positionOf(g), after[i - 1]);
        EXPECT_EQ(g.KIFU_NOW, i - 1);
        EXPECT_EQ(g.TESU, i - 1);
        EXPECT_EQ(g.TEBAN, sideAfter(i - 1));
        EXPECT_DOUBLE_EQ(g.MAN_JIKAN, g.KIFU_MAN_JIKAN_MAE[i]);
        EXPECT_DOUBLE_EQ(g.COM_JIKAN, g.KIFU_COM_JIKAN_MAE[i]);
        EXPECT_EQ(g.SAIKAI_MATI, 1);
        EXPECT_FALSE(g.Timer1_Enabled);
    }
    EXPECT_EQ(g.KIFU_LAST, kMoves);  // stepping back keeps the later moves
    EXPECT_EQ(pieceSounds(), kMoves);
    EXPECT_EQ(refusals(), 0);

    for (int i = 1; i <= kMoves; ++i) {
        SCOPED_TRACE("forward over move " + std::to_string(i));
        g.AFTER_Click();
        EXPECT_EQ(positionOf(g), after[i]);
        EXPECT_EQ(g.KIFU_NOW, i);
        EXPECT_EQ(g.TESU, i);
        EXPECT_EQ(g.TEBAN, sideAfter(i));
        EXPECT_DOUBLE_EQ(g.MAN_JIKAN, g.KIFU_MAN_JIKAN[i]);
        EXPECT_DOUBLE_EQ(g.COM_JIKAN, g.KIFU_COM_JIKAN[i]);
    }
    EXPECT_EQ(pieceSounds(), 2 * kMoves);
    EXPECT_EQ(refusals(), 0);
    // The clocks really moved: before and after differ for every move of this game.
    for (int i = 1; i <= kMoves; ++i) EXPECT_NE(g.KIFU_MAN_JIKAN_MAE[i], g.KIFU_MAN_JIKAN[i]);
}

TEST_F(NavigationGame, StepsOverPromotionsCapturesAndDrops) {
    // Move 8: the promoted bishop goes back unpromoted, the pawn comes back out of the hand.
    g.REPLAY_Click();
    EXPECT_EQ(g.BAN(5, 4), KAKU);
    EXPECT_EQ(g.BAN(8, 7), -HU);
    EXPECT_EQ(g.UE_MOCHI[1], 0);
    g.REPLAY_Click();  // move 7
    // Move 6: the dropped bishop goes back onto the upper stand, which is repainted.
    g.REPLAY_Click();
    EXPECT_EQ(g.BAN(5, 4), KARA);
    EXPECT_EQ(g.UE_MOCHI[6], 1);
    EXPECT_EQ(rig.canvas.lastPictureAt(-1, 2), KAKU);
    // Move 5: the same for the lower stand.
    g.REPLAY_Click();
    EXPECT_EQ(g.BAN(5, 5), KARA);
    EXPECT_EQ(g.SITA_MOCHI[6], 1);
    EXPECT_EQ(rig.canvas.lastPictureAt(11, 8), -KAKU);
    // Move 4: the captured promoted bishop returns promoted and leaves the upper hand.
    g.REPLAY_Click();
    EXPECT_EQ(g.BAN(8, 2), -KAKU_NARI);
    EXPECT_EQ(g.BAN(7, 1), GIN);
    EXPECT_EQ(g.UE_MOCHI[6], 0);
    EXPECT_EQ(g.UE_MOCHI_SU, 0);
    // Move 3: the promoting bishop returns unpromoted to its square.
    g.REPLAY_Click();
    EXPECT_EQ(g.BAN(2, 8), -KAKU);
    EXPECT_EQ(g.BAN(8, 2), KAKU);
    EXPECT_EQ(g.SITA_MOCHI[6], 0);
    EXPECT_EQ(g.SITA_MOCHI_SU, 0);

    g.AFTER_Click();  // move 3: the capture puts an unpromoted bishop in the lower hand
    EXPECT_EQ(g.BAN(8, 2), -KAKU_NARI);
    EXPECT_EQ(g.SITA_MOCHI[6], 1);
    g.AFTER_Click();  // move 4: the promoted bishop is captured as a bishop
    EXPECT_EQ(g.UE_MOCHI[6], 1);
    EXPECT_EQ(g.UE_MOCHI_SU, 1);
    g.AFTER_Click();  // move 5: the drop leaves the lower stand
    EXPECT_EQ(g.SITA_MOCHI[6], 0);
    EXPECT_EQ(g.SITA_MOCHI_SU, 0);
    EXPECT_EQ(rig.canvas.lastPictureAt(11, 8), KARA);
    EXPECT_EQ(g.BAN(5, 5), -KAKU);
}

// 待った between two persons takes back one move at a time, clocks and hands included,
// leaves the game running at once (no click needed to resume) and forgets the moves;
// at the start, after the end, while paused and in record mode it is refused.
TEST_F(NavigationGame, TakingBackUndoesMovesAndPlaysOn) {
    for (int i = kMoves; i > kMoves - 3; --i) {
        const double man = g.KIFU_MAN_JIKAN_MAE[i], com = g.KIFU_COM_JIKAN_MAE[i];
        g.待った_Click();
        EXPECT_EQ(positionOf(g), after[i - 1]) << i;
        EXPECT_EQ(g.KIFU_NOW, i - 1);
        EXPECT_EQ(g.KIFU_LAST, i - 1);
        EXPECT_EQ(g.TEBAN, sideAfter(i - 1));
        EXPECT_EQ(g.SAIKAI_MATI, 0);
        EXPECT_EQ(g.MAN_JIKAN, man);
        EXPECT_EQ(g.COM_JIKAN, com);
    }
    EXPECT_EQ(refusals(), 0);
    EXPECT_TRUE(rig.dialogs.shown.empty()) << "no box, no resume question";
    // The game goes on from there with the side to move.
    const Step& s = kGame[kMoves - 3];
    move(g, s.fx, s.fy, s.tx, s.ty, s.promote);
    EXPECT_EQ(g.KIFU_NOW, kMoves - 2);
    EXPECT_EQ(positionOf(g), after[kMoves - 2]);
    // Paused by 戻: refused, like a finished game.
    g.REPLAY_Click();
    rig.sound.calls.clear();
    const Position paused = positionOf(g);
    g.待った_Click();
    EXPECT_EQ(positionOf(g), paused);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(g.拒否, 拒否理由::待ったできない);
    g.初期設定();
    g.待った_Click();
    EXPECT_EQ(refusals(), 2);
}

TEST_F(NavigationGame, AReadRecordIsReplayedToItsEndAndBack) {
    // What reading a record of this game leaves: the opening position, record mode, the
    // whole list with nothing played.
    g.初期設定();
    g.KIFU_MODE = 1;
    g.TAIKYOKU_MODE = MODE_MAN;
    g.TEBAN = g.TE_SENTE;
    g.KIFU_LAST = kMoves;
    rig.sound.calls.clear();
    rig.dialogs.clear();
    // A record carries both players' totals before and after every move.
    for (int i = 1; i <= kMoves; ++i) {
        g.KIFU_MAN_JIKAN_MAE[i] = 10 * i;
        g.KIFU_MAN_JIKAN[i] = 10 * i + 3;
        g.KIFU_COM_JIKAN_MAE[i] = 100 * i;
        g.KIFU_COM_JIKAN[i] = 100 * i + 7;
    }

    for (int i = 1; i <= kMoves; ++i) {
        g.AFTER_Click();
        EXPECT_EQ(positionOf(g), after[i]) << "move " << i;
        EXPECT_DOUBLE_EQ(g.MAN_JIKAN, 10 * i + 3);
        EXPECT_DOUBLE_EQ(g.COM_JIKAN, 100 * i + 7);
    }
    EXPECT_TRUE(rig.dialogs.shown.empty());
    g.AFTER_Click();
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, "終わり");
    EXPECT_EQ(rig.dialogs.shown[0].title, "進む");
    EXPECT_EQ(refusals(), 0);
    EXPECT_EQ(positionOf(g), after[kMoves]);

    for (int i = kMoves; i >= 1; --i) {
        g.REPLAY_Click();
        EXPECT_DOUBLE_EQ(g.MAN_JIKAN, 10 * i);
        EXPECT_DOUBLE_EQ(g.COM_JIKAN, 100 * i);
    }
    EXPECT_EQ(positionOf(g), after[0]);
    rig.dialogs.clear();
    g.REPLAY_Click();
    EXPECT_EQ(shownCount(rig.dialogs, "できません", "戻る"), 1);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(positionOf(g), after[0]);
    EXPECT_EQ(g.KIFU_MODE, 1);
}

TEST_F(NavigationGame, StartInARecordGoesToItsFirstPositionAndKeepsIt) {
    g.初期設定();
    g.KIFU_MODE = 1;
    g.TAIKYOKU_MODE = MODE_MAN;
    g.TEBAN = g.TE_SENTE;
    g.KIFU_LAST = kMoves;
    for (int shown : {kMoves, 3, 1}) {
        SCOPED_TRACE(shown);
        while (g.KIFU_NOW < shown) g.AFTER_Click();
        ASSERT_EQ(positionOf(g), after[shown]);
        rig.dialogs.clear();
        g.CANCEL_Click();
        // Nothing asked, nothing lost: the first position with the whole record to step through.
        EXPECT_TRUE(rig.dialogs.shown.empty());
        EXPECT_EQ(g.KIFU_MODE, 1);
        EXPECT_EQ(g.KIFU_LAST, kMoves);
        EXPECT_EQ(g.KIFU_NOW, 0);
        EXPECT_EQ(positionOf(g), after[0]);
    }
    // Already there: a refusal's sound, and still the record.
    rig.sound.calls.clear();
    g.CANCEL_Click();
    EXPECT_EQ(g.KIFU_MODE, 1);
    EXPECT_EQ(positionOf(g), after[0]);
    for (int i = 1; i <= kMoves; ++i) g.AFTER_Click();
    EXPECT_EQ(positionOf(g), after[kMoves]);
}

TEST_F(NavigationGame, ASavedGameReadBackIsReplayedMoveByMove) {
    rig.host.boxes[1] = "ナビ";
    g.Command1_Click();
    ASSERT_EQ(shownCount(rig.dialogs, "棋譜を書き込みました", "  "), 1);
    g.File1_Click("ナビ.棋譜");
    ASSERT_EQ(g.KIFU_MODE, 1);
    ASSERT_EQ(g.KIFU_LAST, kMoves);
    rig.dialogs.clear();
    for (int i = 1; i <= kMoves; ++i) {
        g.AFTER_Click();
        EXPECT_EQ(positionOf(g), after[i]) << "move " << i;
        EXPECT_DOUBLE_EQ(g.MAN_JIKAN, g.KIFU_MAN_JIKAN[i]);
    }
    g.AFTER_Click();
    EXPECT_EQ(shownCount(rig.dialogs, "終わり", "進む"), 1);
    EXPECT_EQ(rig.dialogs.shown.size(), 1u);
}

TEST_F(NavigationGame, RefusalsAtBothEndsOfAGame) {
    g.AFTER_Click();
    EXPECT_EQ(shownCount(rig.dialogs, "できません", "進む"), 1);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(g.SAIKAI_MATI, 1);
    EXPECT_EQ(positionOf(g), after[kMoves]);
    EXPECT_EQ(g.KIFU_NOW, kMoves);
}

TEST_F(NavigationGame, AMoveAfterSteppingBackOverwritesTheRestOfTheList) {
    g.REPLAY_Click();
    g.REPLAY_Click();
    g.REPLAY_Click();  // back to after move 5: the upper player is to move
    ASSERT_EQ(g.TEBAN, g.TE_GOTE);
    rig.dialogs.clear();
    click(g, 20, 20);
    EXPECT_EQ(shownCount(rig.dialogs, "後手の番です", "対局"), 1);
    EXPECT_EQ(g.SAIKAI_MATI, 0);

    move(g, 1, 3, 1, 4);
    EXPECT_EQ(g.KIFU_NOW, 6);
    EXPECT_EQ(g.KIFU_LAST, 6);
    EXPECT_EQ(g.KIFU_MOTO_X[6], 1);
    EXPECT_EQ(g.KIFU_SAKI_Y[6], 4);
    const Position p = positionOf(g);
    rig.dialogs.clear();
    g.AFTER_Click();
    EXPECT_EQ(shownCount(rig.dialogs, "できません", "進む"), 1);
    EXPECT_EQ(positionOf(g), p);
    g.REPLAY_Click();
    EXPECT_EQ(positionOf(g), after[5]);
}

// "最初" gives the list up, so no start command can replay the old moves into a new game.
TEST_F(NavigationGame, StartReturnsToTheOpeningAndGivesTheListUp) {
    g.CANCEL_Click();
    EXPECT_EQ(positionOf(g), after[0]);
    EXPECT_EQ(g.BAN(5, 9), SITA_OU_MAE);
    EXPECT_EQ(g.TEBAN, 0);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.KIFU_LAST, 0);
    EXPECT_EQ(pieceSounds(), 1);
    EXPECT_TRUE(rig.dialogs.shown.empty());

    g.AFTER_Click();
    EXPECT_EQ(shownCount(rig.dialogs, "「対局」で始めて下さい", "開始"), 1);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(g.SAIKAI_MATI, 0);
    EXPECT_EQ(positionOf(g), after[0]);

    for (auto start : {&Game::START_Click, &Game::SENTE_Click}) {
        g.CANCEL_Click();
        std::invoke(start, g);
        rig.dialogs.clear();
        g.AFTER_Click();
        EXPECT_EQ(shownCount(rig.dialogs, "できません", "進む"), 1);
        EXPECT_EQ(g.KIFU_NOW, 0);
        EXPECT_EQ(positionOf(g), after[0]);
    }
}

TEST_F(NavigationGame, TwoReversalsRestoreThePositionWithTheListGivenUp) {
    const int teban = g.TEBAN;
    g.REVERSE_Click();
    EXPECT_NE(positionOf(g), after[kMoves]);
    EXPECT_EQ(g.TEBAN, -teban);
    g.REVERSE_Click();
    EXPECT_EQ(positionOf(g), after[kMoves]);
    EXPECT_EQ(g.TEBAN, teban);
    EXPECT_EQ(g.HANTEN_FLAG, 1);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.KIFU_LAST, 0);
    EXPECT_EQ(g.TESU, kMoves);
    EXPECT_EQ(g.SITA_OU_X, 5);
    EXPECT_EQ(g.SITA_OU_Y, 9);
    EXPECT_EQ(pieceSounds(), 2);

    rig.dialogs.clear();
    g.REPLAY_Click();
    g.AFTER_Click();
    EXPECT_EQ(shownCount(rig.dialogs, "できません", "戻る"), 1);
    EXPECT_EQ(shownCount(rig.dialogs, "できません", "進む"), 1);
    EXPECT_EQ(positionOf(g), after[kMoves]);
}

TEST_F(Navigation, RefusalsWithoutAGameAndInRecordMode) {
    const Position opening = positionOf(g);
    rig.host.drive = rig.host.folder = rig.host.file = rig.host.saveControls = true;
    g.AFTER_Click();
    EXPECT_FALSE(rig.host.drive || rig.host.folder || rig.host.file || rig.host.saveControls);
    EXPECT_EQ(shownCount(rig.dialogs, "「対局」で始めて下さい", "開始"), 1);
    EXPECT_EQ(g.SAIKAI_MATI, 0);  // the no-game check comes first
    g.REPLAY_Click();
    EXPECT_EQ(shownCount(rig.dialogs, "できません", "戻る"), 1);
    EXPECT_EQ(g.SAIKAI_MATI, 1);  // back sets it before its check
    EXPECT_EQ(refusals(), 2);

    g.KIFU_MODE = 1;
    g.TEBAN = g.TE_SENTE;
    g.AFTER_Click();  // a record without moves
    EXPECT_EQ(shownCount(rig.dialogs, "終わり", "進む"), 1);
    EXPECT_EQ(refusals(), 2);
    g.REVERSE_Click();
    EXPECT_EQ(shownCount(rig.dialogs, "棋譜ﾓｰﾄﾞではできません", "反転"), 1);
    EXPECT_EQ(refusals(), 3);
    EXPECT_EQ(g.HANTEN_FLAG, 0);
    EXPECT_EQ(positionOf(g), opening);
    EXPECT_EQ(pieceSounds(), 0);
}

// Before any game → refuses like a click on the board: with the flow aids on it says so on
// the status line, as ← does, and opens no box.
TEST_F(Navigation, ForwardBeforeAnyGameUsesTheStatusLineWithTheFlowAids) {
    g.補助.案内 = true;
    const Position opening = positionOf(g);
    g.AFTER_Click();
    EXPECT_TRUE(rig.dialogs.shown.empty()) << rig.dialogs.shown[0].text;
    EXPECT_EQ(rig.host.statusLine, "F2 で対局を始めます");
    EXPECT_EQ(g.拒否, 拒否理由::対局前);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(g.SAIKAI_MATI, 0);
    g.REPLAY_Click();
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.host.statusLine, "できません");
    EXPECT_EQ(refusals(), 2);
    EXPECT_EQ(positionOf(g), opening);
}

// 待った against the computer takes back the person's move and the reply together, also when
// the reply retook the piece just moved: ▲7六歩 △7四歩 ▲7五歩 △同歩.
TEST_F(Navigation, TakingBackAnExchangeWithTheComputer) {
    g.LEVEL3_Click();
    g.SENTE_Click();
    const Position opening = positionOf(g);
    move(g, 7, 7, 7, 6);
    ASSERT_EQ(g.KIFU_NOW, 2);
    ASSERT_EQ(g.BAN(7, 4), HU) << "the computer answers 7四歩";
    const Position beforeExchange = positionOf(g);
    const double man = g.MAN_JIKAN, com = g.COM_JIKAN;
    move(g, 7, 6, 7, 5);
    ASSERT_EQ(g.KIFU_NOW, 4);
    ASSERT_EQ(g.BAN(7, 5), HU) << "the computer retakes with its pawn";
    ASSERT_EQ(g.KIFU_TORI[4], -HU);
    rig.sound.calls.clear();
    rig.dialogs.clear();

    g.待った_Click();
    EXPECT_EQ(refusals(), 0);
    EXPECT_EQ(g.拒否, 拒否理由::なし);
    EXPECT_EQ(positionOf(g), beforeExchange);
    EXPECT_EQ(g.KIFU_NOW, 2);
    EXPECT_EQ(g.KIFU_LAST, 2);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
    EXPECT_EQ(g.MAN_JIKAN, man);
    EXPECT_EQ(g.COM_JIKAN, com);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    g.待った_Click();
    EXPECT_EQ(positionOf(g), opening);
    EXPECT_EQ(g.KIFU_NOW, 0);
    g.待った_Click();
    EXPECT_EQ(refusals(), 1) << "nothing left to take back";
    EXPECT_EQ(positionOf(g), opening);

    // A list whose person's move does not fit (as a damaged session could give) is refused
    // whole: the reply is not taken back alone.
    move(g, 7, 7, 7, 6);
    ASSERT_EQ(g.KIFU_NOW, 2);
    const Position played = positionOf(g);
    g.KIFU_KOMA_ATO[1] = -KIN;
    g.待った_Click();
    EXPECT_EQ(refusals(), 2);
    EXPECT_EQ(g.拒否, 拒否理由::待ったできない);
    EXPECT_EQ(positionOf(g), played);
    EXPECT_EQ(g.KIFU_NOW, 2);
}

// Games against the computer with random moves of the person, taken back pair by pair to
// the opening: each 待った gives exactly the position before the person's move, whatever the
// replies captured.
TEST_F(Navigation, TakingBackAGameAgainstTheComputerRetracesItPairByPair) {
    int exchanges = 0, played = 0;
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        g.初期設定();
        g.LEVEL3_Click();
        g.SENTE_Click();
        std::mt19937 rng(seed);
        std::vector<Position> before;
        for (int i = 0; i < 10 && !g.終局.終わった() && g.TEBAN == g.MAN_SENGO; ++i) {
            std::vector<LegalMove> moves;
            for (const LegalMove& m : legalMoves(g, -1))
                if (!m.king() && !m.takesKing() && !m.mustPromote && !g.王が取られる手か(m.fx, m.fy, m.tx, m.ty, m.koma))
                    moves.push_back(m);
            if (moves.empty()) break;  // mated: taken back from here
            const LegalMove m = moves[std::uniform_int_distribution<size_t>(0, moves.size() - 1)(rng)];
            before.push_back(positionOf(g));
            const int n = g.KIFU_NOW;
            move(g, m.fx, m.fy, m.tx, m.ty);
            if (g.終局.終わった() || g.KIFU_NOW != n + 2) {
                before.pop_back();
                break;
            }
            // The reply took the piece just moved.
            if (g.KIFU_SAKI_X[n + 2] == m.tx && g.KIFU_SAKI_Y[n + 2] == m.ty) ++exchanges;
        }
        // A game the computer won (and the answer Yes gave up) is not taken back.
        if (g.終局.終わった() || g.TEBAN != g.MAN_SENGO) continue;
        ++played;
        ASSERT_FALSE(before.empty());
        rig.sound.calls.clear();
        while (!before.empty()) {
            g.待った_Click();
            EXPECT_EQ(positionOf(g), before.back()) << "at move " << g.KIFU_NOW;
            EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
            before.pop_back();
        }
        EXPECT_EQ(g.KIFU_NOW, 0);
        EXPECT_EQ(refusals(), 0);
    }
    EXPECT_GE(played, 3);
    EXPECT_GT(exchanges, 0) << "no game had an exchange to take back";
}

TEST_F(Navigation, ForwardAndBackPauseTheGame) {
    startTwoPersons();
    move(g, 7, 7, 7, 6);
    click(g, 3, 3);
    ASSERT_EQ(g.SENTAKU, 1);
    ASSERT_TRUE(g.Timer1_Enabled);
    g.REPLAY_Click();
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(g.SAIKAI_MATI, 1);
    EXPECT_FALSE(g.Timer1_Enabled);
    click(g, 20, 20);  // resumes
    click(g, 7, 7);
    ASSERT_EQ(g.SENTAKU, 1);
    g.Timer1_Enabled = true;
    g.AFTER_Click();
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(g.SAIKAI_MATI, 1);
    EXPECT_FALSE(g.Timer1_Enabled);
}

TEST_F(Navigation, ReversingExchangesTheArmiesAndTheHands) {
    clearBoard(g);
    g.BAN(8, 8) = -SYA;
    g.BAN(3, 4) = GIN_NARI;
    g.BAN(5, 9) = SITA_OU_MAE;
    g.BAN(5, 1) = UE_OU_MAE;
    g.SITA_MOCHI[1] = 2;
    g.SITA_MOCHI_SU = 2;
    g.UE_MOCHI[7] = 1;
    g.UE_MOCHI_SU = 1;
    g.REVERSE_Click();
    EXPECT_EQ(g.BAN(2, 2), SYA);
    EXPECT_EQ(g.BAN(8, 8), KARA);
    EXPECT_EQ(g.BAN(7, 6), -GIN_NARI);
    EXPECT_EQ(g.BAN(3, 4), KARA);
    // The pre-game kings only change places.
    EXPECT_EQ(g.BAN(5, 1), SITA_OU_MAE);
    EXPECT_EQ(g.BAN(5, 9), UE_OU_MAE);
    EXPECT_EQ(g.UE_MOCHI[1], 2);
    EXPECT_EQ(g.UE_MOCHI_SU, 2);
    EXPECT_EQ(g.SITA_MOCHI[1], 0);
    EXPECT_EQ(g.SITA_MOCHI[7], 1);
    EXPECT_EQ(g.SITA_MOCHI_SU, 1);
    EXPECT_EQ(g.HANTEN_FLAG, 1);
    EXPECT_EQ(g.TEBAN, 0);
    EXPECT_EQ(pieceSounds(), 1);
    EXPECT_GE(rig.canvas.count(DrawOp::FullRedraw), 1);
}

TEST_F(Navigation, ReversingTheOpeningGivesTheSamePictureWithTheArmiesExchanged) {
    IntMap expected = g.BAN;
    expected(5, 1) = SITA_OU_MAE;
    expected(5, 9) = UE_OU_MAE;
    g.REVERSE_Click();
    EXPECT_TRUE(g.BAN == expected);
    EXPECT_EQ(g.BAN(2, 2), SYA);
    EXPECT_EQ(g.BAN(8, 8), -SYA);
    EXPECT_EQ(g.BAN(5, 1), SITA_OU_MAE);
}

TEST_F(Navigation, ReversingTurnsTheHandicapGradeToo) {
    g.HANDE_FLAG = 1;
    g.HANDE_LEVEL = 3;
    g.REVERSE_Click();
    EXPECT_EQ(g.HANDE_LEVEL, -3);
    EXPECT_TRUE(rig.canvas.hasText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段"));
}

TEST_F(Navigation, AfterReversingTheArmyToMovePlaysFromTheOtherSide) {
    startTwoPersons();
    g.REVERSE_Click();
    EXPECT_EQ(g.TEBAN, g.COM_SENGO);
    move(g, 3, 3, 3, 4);  // the former lower pawn of (7, 7)
    EXPECT_EQ(g.BAN(3, 4), HU);
    EXPECT_EQ(g.KIFU_NOW, 1);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
}

// Records end with a king captured or moved; in record mode the kings stand as their
// pre-game codes, and stepping over those moves must still work. No start command plays
// on from there: it would write a king over the capturer or beside the moved king.
void expectNoStartFrom(Game& g, ScriptedDialogs& dialogs) {
    const Position p = positionOf(g);
    for (auto start : {&Game::START_Click, &Game::SENTE_Click, &Game::GOTE_Click}) {
        dialogs.clear();
        std::invoke(start, g);
        EXPECT_EQ(shownCount(dialogs, "王が元の位置にない局面からは対局できません", "開始"), 1);
        EXPECT_EQ(positionOf(g), p);
        EXPECT_EQ(g.KIFU_MODE, 1);
        EXPECT_EQ(g.駒総数(), 40);
    }
}

TEST_F(Navigation, ARecordEndingWithAKingCaptureIsReplayed) {
    rig.dialogs.defaultYesNo = Answer::Yes;
    startTwoPersons();
    move(g, 3, 7, 3, 6);
    move(g, 7, 3, 7, 4);
    move(g, 2, 8, 7, 3);
    move(g, 1, 3, 1, 4);
    move(g, 7, 3, 5, 1);  // takes the king
    ASSERT_EQ(g.TEBAN, 0);
    ASSERT_EQ(listAtEnd, 5);
    rig.sound.calls.clear();

    g.KIFU_MODE = 1;  // as reading the game's record leaves it
    g.KIFU_LAST = 5;
    g.TEBAN = g.TE_SENTE;
    for (int i = 0; i < 5; ++i) g.AFTER_Click();
    EXPECT_EQ(g.KIFU_NOW, 5);
    EXPECT_EQ(g.BAN(5, 1), -KAKU);
    EXPECT_EQ(g.SITA_MOCHI_SU, 1);  // a king counts in the total only
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(g.SITA_MOCHI[k], 0);
    EXPECT_EQ(refusals(), 0);
    expectNoStartFrom(g, rig.dialogs);
    g.REPLAY_Click();
    EXPECT_EQ(g.BAN(5, 1), OU);
    EXPECT_EQ(g.BAN(7, 3), -KAKU);
    EXPECT_EQ(g.SITA_MOCHI_SU, 0);

    // One move before the end the game can be played on, without the capture.
    g.START_Click();
    EXPECT_EQ(g.BAN(5, 1), OU);
    EXPECT_EQ(g.KIFU_LAST, 4);
    EXPECT_EQ(g.TEBAN, g.TE_SENTE);
    EXPECT_EQ(refusals(), 3);
}

TEST_F(Navigation, StepsOverAKingMoveFollowTheLowerKing) {
    rig.dialogs.defaultYesNo = Answer::Yes;
    startTwoPersons();
    move(g, 5, 9, 5, 8);
    ASSERT_EQ(g.TEBAN, 0);
    g.KIFU_MODE = 1;
    g.KIFU_LAST = 1;
    g.TEBAN = g.TE_SENTE;
    g.AFTER_Click();
    EXPECT_EQ(g.BAN(5, 8), -OU);
    EXPECT_EQ(g.BAN(5, 9), KARA);
    EXPECT_EQ(g.SITA_OU_Y, 8);
    expectNoStartFrom(g, rig.dialogs);
    g.REPLAY_Click();
    EXPECT_EQ(g.BAN(5, 9), -OU);
    EXPECT_EQ(g.BAN(5, 8), KARA);
    EXPECT_EQ(g.SITA_OU_X, 5);
    EXPECT_EQ(g.SITA_OU_Y, 9);
}

// A list from a file or from an earlier position must never corrupt the board or the
// hands: an entry that does not fit the shown position is refused.
TEST_F(Navigation, EntriesThatDoNotFitThePositionAreNotReplayed) {
    startTwoPersons();
    const std::vector<std::function<void(Game&)>> corrupt = {
        [](Game& g) { g.KIFU_KOMA[1] = -KYOU; },                           // not what stands there
        [](Game& g) { g.KIFU_SAKI_X[1] = 50; },                            // off the board
        [](Game& g) { g.KIFU_SAKI_Y[1] = 0; },
        [](Game& g) { g.KIFU_MOTO_Y[1] = 0; },
        [](Game& g) { g.KIFU_MOTO_X[1] = 10; },                            // neither board nor stand
        [](Game& g) { g.KIFU_MOTO_X[1] = 11; g.KIFU_MOTO_Y[1] = 3; },      // drop from an empty hand
        [](Game& g) { g.KIFU_KOMA_ATO[1] = 12345; },                       // no piece
        [](Game& g) { g.KIFU_TORI[1] = HU; },                              // nothing there to take
        [](Game& g) {                                                       // the side not to move
            g.KIFU_MOTO_X[1] = g.KIFU_SAKI_X[1] = 3;
            g.KIFU_MOTO_Y[1] = 3;
            g.KIFU_SAKI_Y[1] = 4;
            g.KIFU_KOMA[1] = g.KIFU_KOMA_ATO[1] = HU;
        },
    };
    const Position p = positionOf(g);
    for (size_t k = 0; k < corrupt.size(); ++k) {
        g.KIFU_LAST = 1;
        g.KIFU_NOW = 0;
        g.KIFU_MOTO_X[1] = 7;
        g.KIFU_MOTO_Y[1] = 7;
        g.KIFU_SAKI_X[1] = 7;
        g.KIFU_SAKI_Y[1] = 6;
        g.KIFU_KOMA[1] = g.KIFU_KOMA_ATO[1] = -HU;
        g.KIFU_TORI[1] = 0;
        corrupt[k](g);
        rig.dialogs.clear();
        g.AFTER_Click();
        EXPECT_EQ(shownCount(rig.dialogs, "できません", "進む"), 1) << k;
        EXPECT_EQ(positionOf(g), p) << k;
        EXPECT_EQ(g.KIFU_NOW, 0) << k;
        EXPECT_EQ(g.TEBAN, g.TE_SENTE) << k;
    }

    move(g, 7, 7, 7, 6);
    const Position q = positionOf(g);
    g.KIFU_SAKI_X[1] = 0;
    rig.dialogs.clear();
    g.REPLAY_Click();
    EXPECT_EQ(shownCount(rig.dialogs, "できません", "戻る"), 1);
    EXPECT_EQ(positionOf(g), q);
    EXPECT_EQ(g.KIFU_NOW, 1);
}

}  // namespace
}  // namespace fudo::test
