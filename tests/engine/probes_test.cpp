// Evaluation probes on small positions.
#include <set>
#include <utility>

#include "tests/engine/search_fixture.h"

namespace fudo::test {
namespace {

using Probes = SearchFixture;

std::set<std::pair<int, int>> marked(const IntMap& m) {
    std::set<std::pair<int, int>> out;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            if (m(x, y) != 0) out.insert({x, y});
    return out;
}

TEST_F(Probes, PinnedHumanPiecesAreMarkedAndTheBoardIsRestored) {
    put(5, 9, -OU);
    put(1, 1, OU);
    put(5, 2, KYOU);
    put(5, 7, -KIN);  // pinned by the lance
    put(1, 5, KAKU);
    put(3, 7, -GIN);  // pinned by the bishop along (2, 6), (3, 7), (4, 8)
    put(7, 7, -HU);   // not on any line
    put(6, 8, -KIN);  // next to the king, but no computer line piece behind it
    g.SITA_IDOU_FUKA(2, 2) = 1;  // stale mark from an earlier turn
    g.調査_移動不可駒();
    EXPECT_EQ(marked(g.SITA_IDOU_FUKA), (std::set<std::pair<int, int>>{{5, 7}, {3, 7}}));
    EXPECT_EQ(g.BAN(5, 7), -KIN);
    EXPECT_EQ(g.BAN(5, 9), -OU);
}

TEST_F(Probes, TheKingsOwnSquareIsMarkedWhenALinePieceAlreadyReachesIt) {
    put(5, 9, -OU);
    put(1, 1, OU);
    put(1, 9, SYA);
    g.調査_移動不可駒();
    EXPECT_EQ(g.SITA_IDOU_FUKA(5, 9), 1);
}

TEST_F(Probes, BishopDropSquaresLieOnOpenDiagonalsToTheComputerKing) {
    put(5, 1, OU);
    put(7, 3, KIN);  // blocks the right diagonal
    put(3, 2, HU);   // covers (3, 3) once, away from the king
    put(5, 9, -OU);
    g.勢力調査();
    g.調査_持角狙座標();
    // (4, 2) and (6, 2) are held once, by the king itself; (3, 3) is held away from it.
    EXPECT_EQ(marked(g.SITA_KAKU_NERAI),
              (std::set<std::pair<int, int>>{{4, 2}, {6, 2}, {2, 4}, {1, 5}}));
}

TEST_F(Probes, SafeDestinationsCount) {
    put(1, 1, OU);
    put(5, 9, -OU);
    put(5, 5, SYA);
    g.勢力調査();
    // 8 along the column (the king's square included) and 8 along the row, less (5, 8),
    // which the king covers.
    EXPECT_EQ(g.調査_移動可場所数(5, 5, SYA), 15);

    put(7, 7, -HU);
    put(7, 5, KIN);  // covers (7, 6), the pawn's only move
    g.勢力調査();
    EXPECT_EQ(g.調査_移動可場所数(7, 7, -HU), 0);
    g.BAN(7, 5) = KARA;
    g.勢力調査();
    EXPECT_EQ(g.調査_移動可場所数(7, 7, -HU), 1);
}

TEST_F(Probes, HeldFromBelowByAHumanStraightMover) {
    put(5, 5, HU);
    put(5, 9, -SYA);
    EXPECT_EQ(g.調査_自守駒MAN_直進駒(5, 5), 1);
    EXPECT_EQ(g.BAN(5, 5), HU) << "the square is restored";

    put(5, 7, -KIN);  // passed over, but it blocks the rook
    EXPECT_EQ(g.調査_自守駒MAN_直進駒(5, 5), 0);

    g.BAN(5, 7) = KARA;
    put(5, 8, GIN);  // a computer piece ends the look
    EXPECT_EQ(g.調査_自守駒MAN_直進駒(5, 5), 0);

    g.BAN(5, 8) = KARA;
    g.BAN(5, 9) = -KYOU;
    EXPECT_EQ(g.調査_自守駒MAN_直進駒(5, 5), 1);
    g.BAN(5, 9) = -GIN;  // no straight mover at all
    EXPECT_EQ(g.調査_自守駒MAN_直進駒(5, 5), 0);
}

TEST_F(Probes, CrowdingCountsComputerMajorPiecesAndTheKing) {
    put(4, 4, SYA);
    put(6, 6, OU);
    put(5, 4, KIN);    // not a major piece
    put(5, 6, -SYA);   // not the computer's
    EXPECT_EQ(g.調査_周辺状況(5, 5), -2);
    put(2, 2, KAKU_NARI);
    EXPECT_EQ(g.調査_周辺状況(1, 1), -1);
}

// The pawn on (5, 7) is attacked first by the rook on (5, 9); the gold holds (5, 6).
TEST_F(Probes, PawnPreparingALance) {
    put(1, 1, OU);
    put(1, 9, -OU);
    put(5, 7, HU);
    put(5, 9, -SYA);
    put(5, 5, KIN);
    g.勢力調査();
    EXPECT_EQ(g.調査_香狙い(5, 7), 900);
    g.BAN(5, 5) = KARA;
    g.勢力調査();
    EXPECT_EQ(g.調査_香狙い(5, 7), 0) << "(5, 6) is no longer held";
}

// Knight squares (4, 5) and (6, 5) are free; the bishop on (3, 7) and the king on (7, 7)
// stand two columns beside the pawn, which the rook attacks.
TEST_F(Probes, PawnPreparingAKnightFork) {
    put(1, 1, OU);
    put(5, 7, HU);
    put(5, 9, -SYA);
    put(3, 7, -KAKU);
    put(7, 7, -OU);
    g.勢力調査();
    EXPECT_EQ(g.調査_桂狙い(5, 7), 1750);
    g.BAN(5, 9) = -KYOU;  // the cheapest attacker is now a lance
    g.勢力調査();
    EXPECT_EQ(g.調査_桂狙い(5, 7), 0);
}

TEST_F(Probes, BewareOfABishopLooksAtTheFirstMarkedSquareOnly) {
    put(1, 1, OU);
    put(5, 9, -OU);
    put(1, 5, -KAKU);  // reaches (3, 3) through (2, 4), not (2, 2)
    g.勢力調査();
    g.調査_持角狙座標();
    ASSERT_EQ(g.SITA_KAKU_NERAI(2, 2), 1);
    ASSERT_EQ(g.SITA_KAKU_NERAI(3, 3), 1);

    put(3, 2, GIN);  // next to (2, 2) and (3, 3); (2, 2) comes first
    EXPECT_EQ(g.盤評価_自角注意_COM(3, 2, GIN), 0);
    g.BAN(3, 2) = KARA;

    put(4, 2, GIN);  // its first marked square is (3, 3)
    EXPECT_EQ(g.盤評価_自角注意_COM(4, 2, GIN), GIN);
}

TEST_F(Probes, BewareOfABishopInHand) {
    put(1, 1, OU);
    put(5, 9, -OU);
    put(9, 9, -KAKU);
    put(4, 4, KIN);  // stands between the bishop and (2, 2)
    g.勢力調査();
    g.調査_持角狙座標();
    EXPECT_EQ(g.盤評価_自角注意_COM(4, 4, KIN), 0);
    give(true, 6);
    EXPECT_EQ(g.盤評価_自角注意_COM(4, 4, KIN), KIN);
}

// ------------------------------------------------------------------ dangers

// The king on (5, 1) with (5, 2) covered by a pawn as often as by the king: -300, plus
// -0.5 for the covered square beside the king and -30 for the pawn about to enter.
// With a silver in hand: -1000, -10 more beside the king, and -0.1 for each of the 20
// unheld empty squares of rows 1..3.
TEST_F(Probes, DangersForTheKingOnRowOne) {
    put(5, 1, OU);
    put(1, 9, -OU);
    put(5, 3, -HU);
    put(9, 6, KIN);
    g.勢力調査();
    EXPECT_EQ(g.盤評価_COM危険座標(KIN, 9, 6), -330.5_pt);
    give(true, 4);
    EXPECT_EQ(g.盤評価_COM危険座標(KIN, 9, 6), -1042.5_pt);
}

// A knight on (5, 5) attacks the unguarded silver on (4, 7) and gold on (6, 7).
TEST_F(Probes, ForkEarnsATenthPerTargetAndTheCheapestTarget) {
    put(1, 1, OU);
    put(5, 9, -OU);
    put(5, 5, KEI);
    put(4, 7, -GIN);
    put(6, 7, -KIN);
    g.勢力調査();
    EXPECT_EQ(g.盤評価_COM危険座標(KEI, 5, 5), 100.2_pt);
    g.BAN(6, 7) = KARA;
    g.勢力調査();
    EXPECT_EQ(g.盤評価_COM危険座標(KEI, 5, 5), 0.1_pt) << "one target is no fork";
}

// The silver on (3, 2) newly attacks the pawn on (2, 3), within two squares of the king:
// +15, +0.1 as a single target; the pawn's cover of (2, 2) beside the king costs 0.5 and
// the pawn about to enter 30.
TEST_F(Probes, NewlyAttackedPieceNearTheComputerKing) {
    put(1, 1, OU);
    put(5, 9, -OU);
    put(3, 2, GIN);
    put(2, 3, -HU);
    g.勢力調査();
    EXPECT_EQ(g.盤評価_COM危険座標(GIN, 3, 2), -15.4_pt);
}

}  // namespace
}  // namespace fudo::test
