// Board evaluation on small positions whose scores are worked out by hand. Unless a test
// says otherwise the computer's king stands on (1, 1) and the person's on (5, 9), far from
// the action, so that only the terms under test contribute. Terms of levels 2 and 3 are
// isolated as the difference between two levels on the same candidate.
#include "tests/engine/search_fixture.h"

namespace fudo::test {
namespace {

class Evaluation : public SearchFixture {
protected:
    void kings() {
        put(1, 1, OU);
        put(5, 9, -OU);
    }
};

// ------------------------------------------------------------------ reserved results

TEST_F(Evaluation, CapturingTheHumanKingScores9999AtEveryLevel) {
    kings();
    put(5, 5, SYA);
    startTurn();
    for (int level = 1; level <= 3; ++level) EXPECT_EQ(move(5, 5, 5, 9, level), 9999_pt);
}

TEST_F(Evaluation, MovingTheComputerKingScoresMinus9999) {
    kings();
    startTurn();
    EXPECT_EQ(move(1, 1, 2, 1, 3), Score(-9999));
    EXPECT_EQ(move(1, 1, 2, 2, 1), Score(-9999));
}

TEST_F(Evaluation, LeavingTheComputerKingAttackedScoresMinus9998) {
    put(5, 1, OU);
    put(5, 2, KIN);
    put(5, 7, -SYA);
    put(1, 9, -OU);
    startTurn();
    EXPECT_EQ(move(5, 2, 4, 2, 3), Score(-9998)) << "the gold no longer blocks the rook";
    EXPECT_NE(move(5, 2, 5, 3, 3), Score(-9998)) << "the gold still blocks";
}

TEST_F(Evaluation, CheckerNextToTheKingCoveredOnlyByTheKingIsDecisive) {
    kings();
    give(false, 5);
    startTurn();
    EXPECT_EQ(drop(5, 5, 8, 1), 9998_pt);
}

// Mate: the knight on (4, 7) checks, the person's gold can take a piece on (5, 8) but not
// the knight, and the king never moves.
TEST_F(Evaluation, MateScores9998ButMinus9998WhenAPawnMates) {
    kings();
    put(4, 9, -KIN);
    put(4, 7, KEI);
    startTurn();
    EXPECT_EQ(drop(4, 5, 8, 1), 9998_pt) << "silver drop mates";
    EXPECT_EQ(drop(1, 5, 8, 1), Score(-9998)) << "pawn drop mates";
    put(5, 7, HU);
    startTurn();
    EXPECT_EQ(move(5, 7, 5, 8, 3), Score(-9998)) << "a moved pawn mates too";
}

// ------------------------------------------------------------------ level 1

TEST_F(Evaluation, QuietMoveScoresZeroAtLevelOneAndGainsTheRowApproachAtLevelTwo) {
    kings();
    put(5, 3, KIN);
    startTurn();
    EXPECT_EQ(move(5, 3, 5, 4, 1), 0_pt);
    // Distance before 6 > row distance after 5: +0.1; nothing else applies.
    EXPECT_EQ(move(5, 3, 5, 4, 2), 0.1_pt);
    EXPECT_EQ(move(5, 3, 5, 4, 3), 0.1_pt);
}

TEST_F(Evaluation, ApproachAlongTheColumnDistanceGainsOne) {
    kings();
    put(1, 8, KIN);
    startTurn();
    EXPECT_EQ(move(1, 8, 2, 8, 1), 0_pt);
    EXPECT_EQ(move(1, 8, 2, 8, 2), 1_pt);
}

TEST_F(Evaluation, DropCostsFivePromotionGainsTen) {
    kings();
    put(5, 6, GIN);
    give(false, 5);
    startTurn();
    EXPECT_EQ(drop(5, 3, 5, 1), Score(-5));
    EXPECT_EQ(move(5, 6, 5, 7, 1, GIN_NARI), 10_pt);
    EXPECT_EQ(move(5, 6, 5, 7, 1), 0_pt);
}

// ------------------------------------------------------------------ level 2

// The silver on (5, 7) takes (4, 8), (5, 8) and (6, 8) from the king's five escape squares:
// +3; the row approach +0.1; level 3 takes 0.1 from a silver moving straight forward.
TEST_F(Evaluation, TakingEscapeSquaresFromTheHumanKing) {
    kings();
    put(5, 6, GIN);
    startTurn();
    EXPECT_EQ(g.SITA_OU_NIGE_SU, 5);
    EXPECT_EQ(move(5, 6, 5, 7, 2, GIN_NARI), 13.1_pt);
    EXPECT_EQ(move(5, 6, 5, 7, 3, GIN_NARI), 13.1_pt);
    EXPECT_EQ(move(5, 6, 5, 7, 2), 3.1_pt);
    EXPECT_EQ(move(5, 6, 5, 7, 3), 3.0_pt);
}

// A gold dropped where a pawn takes it: level 1 counts the drop (-5) and the hanging gold
// (-110, and the exchange 10 - 110); level 2 adds the drop penalty -(110 + 50).
TEST_F(Evaluation, UndefendedDropOnAnAttackedSquare) {
    kings();
    put(5, 6, -HU);
    give(false, 5);
    startTurn();
    EXPECT_EQ(drop(5, 5, 5, 1), Score(-215));
    EXPECT_EQ(drop(5, 5, 5, 2), Score(-375));
    EXPECT_EQ(drop(5, 5, 5, 3), Score(-375));
}

// The silver takes a silver that a gold defends, with a lance behind it: cheaper than the
// attacker, so the capture counts; no exchange loss.
TEST_F(Evaluation, CaptureCountsWhenTheCapturerIsCheaperThanTheAttacker) {
    kings();
    put(5, 2, KYOU);
    put(5, 4, GIN);
    put(5, 5, -GIN);
    put(5, 6, -KIN);
    startTurn();
    EXPECT_EQ(move(5, 4, 5, 5, 1), 0_pt);
    EXPECT_EQ(move(5, 4, 5, 5, 2), 100.1_pt);
    EXPECT_EQ(move(5, 4, 5, 5, 3), 100.0_pt);
}

// The same capture when a pawn defends: no gain, and the exchange loss 10 - 100 is counted
// both by the dangers (level 1) and by the destination's safety (level 2).
TEST_F(Evaluation, ExchangeLossIsSubtractedIndependentlyOfTheCapture) {
    kings();
    put(5, 2, KYOU);
    put(5, 4, GIN);
    put(5, 5, -GIN);
    put(5, 6, -HU);
    startTurn();
    EXPECT_EQ(move(5, 4, 5, 5, 1), Score(-90));
    EXPECT_EQ(move(5, 4, 5, 5, 2), -179.9_pt);
    EXPECT_EQ(move(5, 4, 5, 5, 3), Score(-180));
}

TEST_F(Evaluation, SafeCaptureOfAPromotedPawnEarnsFiftyMore) {
    kings();
    put(5, 4, KIN);
    put(5, 5, -HU_NARI);
    startTurn();
    EXPECT_EQ(move(5, 4, 5, 5, 1), 0_pt);
    EXPECT_EQ(move(5, 4, 5, 5, 2), 61.1_pt);
}

// The gold on (5, 7) is pinned by the lance on (5, 2): a silver that attacks a square the
// gold alone covers earns the gold's value (the lance still stands where it attacked from).
TEST_F(Evaluation, AttackingAPinnedDefenderEarnsItsValue) {
    kings();
    put(5, 2, KYOU);
    put(5, 7, -KIN);
    put(6, 8, -GIN);
    put(3, 5, GIN);
    startTurn();
    EXPECT_EQ(g.SITA_IDOU_FUKA(5, 7), 1);
    const Score l1 = move(3, 5, 4, 6, 1);
    EXPECT_EQ(move(3, 5, 4, 6, 2) - l1, 110.1_pt);
}

TEST_F(Evaluation, PieceInFrontOfTheHumanEdgeLanceLosesATenth) {
    put(9, 1, OU);
    put(5, 9, -OU);
    put(1, 9, -KYOU);
    put(1, 7, -HU);
    give(false, 5);
    startTurn();
    EXPECT_EQ(drop(5, 1, 5, 2) - drop(5, 1, 5, 1), -0.1_pt);
    EXPECT_EQ(drop(5, 2, 5, 2) - drop(5, 2, 5, 1), 0_pt) << "not on an edge column";
}

// ------------------------------------------------------------------ level 3

TEST_F(Evaluation, PawnMoveDefendedByAGold) {
    kings();
    put(5, 4, HU);
    put(4, 4, KIN);
    startTurn();
    EXPECT_EQ(move(5, 4, 5, 5, 3) - move(5, 4, 5, 5, 2), 0.5_pt);  // -0.1 + 0.6
}

TEST_F(Evaluation, PawnMoveFacingAHumanPawnReturnsEarly) {
    kings();
    put(5, 4, HU);
    put(5, 6, -HU);
    startTurn();
    EXPECT_EQ(move(5, 4, 5, 5, 3) - move(5, 4, 5, 5, 2), -5.1_pt);  // -0.1, then return S - 5
}

TEST_F(Evaluation, PawnDropBlockingARookOnItsFile) {
    kings();
    put(5, 8, -SYA);
    put(4, 4, KIN);
    give(false, 1);
    startTurn();
    EXPECT_EQ(drop(1, 5, 5, 3) - drop(1, 5, 5, 2), 120_pt);
}

TEST_F(Evaluation, KnightTermsAndLanceMoveWithoutCapture) {
    kings();
    put(4, 3, KEI);
    put(1, 3, KYOU);
    startTurn();
    EXPECT_EQ(move(4, 3, 5, 5, 3) - move(4, 3, 5, 5, 2), -0.1_pt);
    EXPECT_EQ(move(1, 3, 1, 4, 3) - move(1, 3, 1, 4, 2), -0.9_pt);

    put(5, 7, -KIN);  // covers (5, 6) in front and both (4, 7) and (6, 7)
    startTurn();
    EXPECT_EQ(move(4, 3, 5, 5, 3) - move(4, 3, 5, 5, 2), -2.1_pt);
}

TEST_F(Evaluation, GoldDropOnRowSixCountsAsDiagonallyForward) {
    kings();
    give(false, 5);
    startTurn();
    EXPECT_EQ(drop(5, 5, 6, 3) - drop(5, 5, 6, 2), -0.5_pt);
    EXPECT_EQ(drop(5, 5, 5, 3) - drop(5, 5, 5, 2), 0_pt);
}

// A rook that safely lines up with the human king two squares away, with room to move.
TEST_F(Evaluation, RookBesideTheHumanKingGainsAHundred) {
    kings();
    put(4, 9, -GIN);
    put(3, 3, SYA);
    startTurn();
    EXPECT_EQ(move(3, 3, 3, 9, 3) - move(3, 3, 3, 9, 2), 100_pt);
}

TEST_F(Evaluation, HorseNextToTheKingCountsTheCrowding) {
    put(2, 2, OU);
    put(5, 9, -OU);
    put(4, 5, KAKU_NARI);
    put(1, 3, SYA);
    startTurn();
    // (2, 3) touches the king on (2, 2) and the rook on (1, 3): -2.
    EXPECT_EQ(move(4, 5, 2, 3, 3) - move(4, 5, 2, 3, 2), Score(-2));
}

}  // namespace
}  // namespace fudo::test
