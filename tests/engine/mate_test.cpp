#include <gtest/gtest.h>

#include "tests/support/empty_board.h"

namespace fudo::test {
namespace {

class Mate : public EmptyBoard {
protected:
    void hand(bool lower, int kind, int n) {
        (lower ? g.SITA_MOCHI : g.UE_MOCHI)[kind] += n;
        (lower ? g.SITA_MOCHI_SU : g.UE_MOCHI_SU) += n;
    }
    int manMated() {
        g.勢力調査();
        return g.詰めかMAN();
    }
    int comMated() {
        g.勢力調査();
        return g.詰めかCOM();
    }
};

TEST_F(Mate, AdjacentCheckerMustBeCapturedByANonKingPiece) {
    g.BAN(5, 9) = -OU;
    g.BAN(5, 8) = KIN;
    g.BAN(5, 6) = HU;  // protects nothing relevant; the gold is unprotected
    EXPECT_EQ(manMated(), 1) << "free squares around do not help: a king never moves";
    g.BAN(4, 9) = -KIN;  // can capture the gold
    EXPECT_EQ(manMated(), 0);
}

TEST_F(Mate, DistantRookIsBlockedByADrop) {
    g.BAN(5, 9) = -OU;
    g.BAN(5, 6) = SYA;
    EXPECT_EQ(manMated(), 1);
    hand(true, 5, 1);  // a gold in hand
    EXPECT_EQ(manMated(), 0);
}

TEST_F(Mate, PawnOnlyHandAndTheTwoPawnRule) {
    g.BAN(5, 9) = -OU;
    g.BAN(5, 7) = SYA;  // one block square, (5, 8)
    g.BAN(5, 3) = -HU;  // an unpromoted lower pawn already in column 5
    hand(true, 1, 2);
    g.調査_2歩フラグ設定();
    EXPECT_EQ(manMated(), 1);
    g.BAN(5, 3) = -HU_NARI;
    g.調査_2歩フラグ設定();
    EXPECT_EQ(manMated(), 0);
}

TEST_F(Mate, AdjacentCheckerRulesOutBlockingTheOtherLine) {
    g.BAN(5, 9) = -OU;
    g.BAN(4, 8) = KIN;   // adjacent checker, which the silver can take
    g.BAN(5, 5) = SYA;   // distant checker: a drop on column 5 would block it
    g.BAN(3, 9) = -GIN;
    hand(true, 5, 1);
    EXPECT_EQ(manMated(), 1);
    g.BAN(5, 5) = KARA;
    EXPECT_EQ(manMated(), 0) << "taking the only checker parries";
}

TEST_F(Mate, TwoCheckersOneBlockableIsStillMate) {
    g.BAN(5, 9) = -OU;
    g.BAN(5, 5) = KYOU;  // distant checker, blockable
    g.BAN(7, 7) = KAKU;  // distant checker on the diagonal, blockable at (6, 8)
    hand(true, 4, 1);
    EXPECT_EQ(manMated(), 1) << "one drop cannot block both lines";
    g.BAN(5, 5) = KARA;
    EXPECT_EQ(manMated(), 0);
}

TEST_F(Mate, PieceMovesThatBlockOrCapture) {
    g.BAN(5, 9) = -OU;
    g.BAN(5, 5) = SYA;
    g.BAN(4, 7) = -KIN;  // can step to (5, 7) between
    EXPECT_EQ(manMated(), 0);
    g.BAN(4, 7) = KARA;
    g.BAN(8, 8) = -GIN;  // reaches no square of the check
    EXPECT_EQ(manMated(), 1);
    g.BAN(6, 6) = -GIN;  // steps to (5, 5): captures the rook
    EXPECT_EQ(manMated(), 0);
}

TEST_F(Mate, NotAttackedIsNotMated) {
    g.BAN(5, 9) = -OU;
    g.BAN(5, 1) = OU;
    EXPECT_EQ(manMated(), 0);
    EXPECT_EQ(comMated(), 0);
}

TEST_F(Mate, ComputerKingMateUsesASurveyPerTrial) {
    g.BAN(5, 1) = OU;
    g.BAN(5, 4) = -SYA;
    EXPECT_EQ(comMated(), 1);
    g.BAN(4, 2) = KIN;  // can step between to (5, 2)
    EXPECT_EQ(comMated(), 0);
    g.BAN(4, 2) = KARA;
    hand(false, 1, 1);
    g.調査_2歩フラグ設定();
    EXPECT_EQ(comMated(), 0) << "a pawn drop on (5, 2) or (5, 3) blocks";
    g.BAN(5, 8) = HU;  // two-pawn rule now forbids it
    g.調査_2歩フラグ設定();
    EXPECT_EQ(comMated(), 1);
}

TEST_F(Mate, EscapeSquaresOfTheLowerKing) {
    g.BAN(5, 9) = -OU;
    for (int x = 4; x <= 6; ++x) g.BAN(x, 8) = -HU;
    g.BAN(4, 9) = -KIN;
    g.BAN(6, 9) = -KIN;
    g.勢力調査();
    EXPECT_EQ(g.調査_自王逃道(), 0);

    clearBoard(g);
    g.BAN(5, 5) = -OU;
    g.BAN(5, 2) = SYA;  // covers column 5: (5, 4) and (5, 6) but (5, 6) is behind the king
    g.勢力調査();
    g.OU_NIGE_MASU.fillBoard(0);
    EXPECT_EQ(g.調査_自王逃道(), 6);
    EXPECT_EQ(g.OU_NIGE_MASU(4, 4), 1);
    EXPECT_EQ(g.OU_NIGE_MASU(5, 4), 0);
    EXPECT_EQ(g.OU_NIGE_MASU(5, 6), 0);
}

TEST_F(Mate, EndOfGameAsksToContinue) {
    g.TEBAN = 1;
    rig.dialogs.script = {Answer::Yes};
    g.終了("あなた", 終局理由::詰み, g.MAN_SENGO);
    ASSERT_GE(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.dialogs.shown[0].text, "あなたの勝ちです");
    EXPECT_EQ(rig.dialogs.shown[0].title, "終了");
    EXPECT_EQ(rig.dialogs.shown[1].text, "続けますか？");
    EXPECT_EQ(rig.dialogs.shown[1].title, "再ゲーム");
    EXPECT_EQ(g.TEBAN, 0) << "Yes sets the opening position again";
    EXPECT_EQ(g.BAN(5, 9), SITA_OU_MAE);
    EXPECT_EQ(rig.host.quits, 0);

    g.SOUND_KINSI = 5;
    rig.dialogs.script = {Answer::No};
    g.終了("ｺﾝﾋﾟｭｰﾀ", 終局理由::王を取った, g.COM_SENGO);
    EXPECT_EQ(rig.host.quits, 1);
    EXPECT_EQ(rig.sound.count("dsFree", 5), 1);
}

}  // namespace
}  // namespace fudo::test

namespace fudo::test {
namespace {

TEST(MoveLimit, AFullMoveListEndsTheGameAsADraw) {
    Rig rig;
    Game& g = rig.game;
    g.TEBAN = 1;
    g.KIFU_NOW = KIFU_MAX - 1;
    EXPECT_EQ(g.手数上限(), 0);
    g.KIFU_NOW = KIFU_MAX;
    rig.dialogs.script = {Answer::Yes};
    EXPECT_EQ(g.手数上限(), 1);
    EXPECT_EQ(rig.dialogs.shown.at(0).text, "500手に達したので引き分けです");
    EXPECT_EQ(g.TEBAN, 0);
}

}  // namespace
}  // namespace fudo::test
