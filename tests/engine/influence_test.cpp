#include <gtest/gtest.h>

#include "tests/support/empty_board.h"

namespace fudo::test {
namespace {

using Influence = EmptyBoard;

TEST_F(Influence, TwoLoneKingsCoverOnlyTheirNeighbours) {
    g.BAN(5, 9) = -OU;
    g.BAN(5, 1) = OU;
    g.勢力調査();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            const bool nearLower = std::abs(x - 5) <= 1 && std::abs(y - 9) <= 1 && !(x == 5 && y == 9);
            const bool nearUpper = std::abs(x - 5) <= 1 && std::abs(y - 1) <= 1 && !(x == 5 && y == 1);
            EXPECT_EQ(g.SITA_SEIRYOKU(x, y), nearLower ? 1 : 0) << x << "," << y;
            EXPECT_EQ(g.UE_SEIRYOKU(x, y), nearUpper ? 1 : 0) << x << "," << y;
            EXPECT_EQ(g.SITA_MAMORI_KOMA(x, y), 999);
            EXPECT_EQ(g.UE_MAMORI_KOMA(x, y), 999);
            EXPECT_EQ(g.SITA_KOUGEKI_KOMA(x, y), -999);
            EXPECT_EQ(g.UE_KOUGEKI_KOMA(x, y), 999);
            EXPECT_EQ(g.SITA_OUTE(x, y), 0);
            EXPECT_EQ(g.UE_OUTE(x, y), 0);
        }
    EXPECT_EQ(g.SITA_OU_X, 5);
    EXPECT_EQ(g.SITA_OU_Y, 9);
    EXPECT_EQ(g.UE_OU_X, 5);
    EXPECT_EQ(g.UE_OU_Y, 1);
}

TEST_F(Influence, LineThroughTheOpposingKing) {
    g.BAN(5, 5) = -SYA;
    g.BAN(5, 2) = OU;
    g.BAN(5, 1) = HU;
    g.勢力調査();
    EXPECT_EQ(g.SITA_OUTE(5, 4), 1);
    EXPECT_EQ(g.SITA_OUTE(5, 3), 1);
    EXPECT_EQ(g.SITA_OUTE(5, 5), 9);
    EXPECT_EQ(g.SITA_SEIRYOKU(5, 2), 1);
    EXPECT_EQ(g.SITA_SEIRYOKU(5, 1), 1) << "the king does not stop the line";
    EXPECT_EQ(g.SITA_KOUGEKI_KOMA(5, 1), -SYA);
    EXPECT_EQ(g.SITA_KOUGEKI_X(5, 1), 5);
    EXPECT_EQ(g.SITA_KOUGEKI_Y(5, 1), 5);
    EXPECT_EQ(g.SITA_SEIRYOKU(4, 5), 1);
    EXPECT_EQ(g.SITA_SEIRYOKU(5, 9), 1);
}

TEST_F(Influence, LineEndsOnItsOwnPieceWhichCountsAsDefended) {
    g.BAN(1, 9) = -KYOU;
    g.BAN(1, 6) = -GIN;
    g.勢力調査();
    EXPECT_EQ(g.SITA_SEIRYOKU(1, 7), 1);
    EXPECT_EQ(g.SITA_SEIRYOKU(1, 6), 1);
    EXPECT_EQ(g.SITA_MAMORI_KOMA(1, 6), -KYOU);
    EXPECT_EQ(g.SITA_SEIRYOKU(1, 4), 0) << "nothing beyond the own piece (the silver covers 1,5 only)";
}

TEST_F(Influence, DoubleCheckMarksBothCheckers) {
    g.BAN(5, 1) = OU;
    g.BAN(5, 6) = -KYOU;
    g.BAN(9, 5) = -KAKU;
    g.勢力調査();
    EXPECT_EQ(g.SITA_OUTE(5, 6), 9);
    EXPECT_EQ(g.SITA_OUTE(9, 5), 9);
    for (int y = 2; y <= 5; ++y) EXPECT_EQ(g.SITA_OUTE(5, y), 1);
    EXPECT_EQ(g.SITA_OUTE(8, 4), 1);
    EXPECT_EQ(g.SITA_OUTE(7, 3), 1);
    EXPECT_EQ(g.SITA_OUTE(6, 2), 1);
}

TEST_F(Influence, KnightCheckMarksTheKingSquareToo) {
    g.BAN(3, 5) = -KEI;
    g.BAN(2, 3) = OU;
    g.勢力調査();
    EXPECT_EQ(g.SITA_OUTE(3, 5), 9);
    EXPECT_EQ(g.SITA_OUTE(2, 3), 9);

    clearBoard(g);
    g.BAN(4, 5) = KEI;
    g.BAN(5, 7) = -OU;
    g.勢力調査();
    EXPECT_EQ(g.UE_OUTE(4, 5), 9);
    EXPECT_EQ(g.UE_OUTE(5, 7), 9);
}

TEST_F(Influence, PiecesOnTheLastRowsCoverNothingForward) {
    g.BAN(2, 2) = -KEI;
    g.BAN(4, 1) = -KEI;
    g.BAN(6, 8) = KEI;
    g.BAN(8, 9) = KEI;
    g.BAN(3, 1) = -HU;
    g.BAN(7, 9) = HU;
    g.勢力調査();
    int total = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) total += g.SITA_SEIRYOKU(x, y) + g.UE_SEIRYOKU(x, y);
    EXPECT_EQ(total, 0);

    clearBoard(g);
    g.BAN(5, 9) = GIN;
    g.勢力調査();
    EXPECT_EQ(g.UE_SEIRYOKU(4, 8), 1);
    EXPECT_EQ(g.UE_SEIRYOKU(6, 8), 1);
    total = 0;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) total += g.UE_SEIRYOKU(x, y);
    EXPECT_EQ(total, 2);
}

TEST_F(Influence, UpperDefenderSquaresSurviveCodeOnlyDefenders) {
    // Silver met first (column 4) then pawn (column 5 is the defended piece's column).
    g.BAN(5, 5) = KIN;
    g.BAN(4, 4) = GIN;  // covers (5, 5) diagonally forward
    g.BAN(5, 4) = HU;   // covers (5, 5)
    g.勢力調査();
    EXPECT_EQ(g.UE_MAMORI_KOMA(5, 5), HU);
    EXPECT_EQ(g.UE_MAMORI_X(5, 5), 4);
    EXPECT_EQ(g.UE_MAMORI_Y(5, 5), 4);

    // Pawn alone: the square maps keep what an earlier survey left.
    g.BAN(4, 4) = KARA;
    g.UE_MAMORI_X(5, 5) = 7;
    g.UE_MAMORI_Y(5, 5) = 7;
    g.勢力調査();
    EXPECT_EQ(g.UE_MAMORI_KOMA(5, 5), HU);
    EXPECT_EQ(g.UE_MAMORI_X(5, 5), 7);
    EXPECT_EQ(g.UE_MAMORI_Y(5, 5), 7);
}

TEST_F(Influence, DefenderAndAttackerCodes) {
    g.BAN(5, 8) = -KIN;
    g.BAN(5, 9) = -OU;
    g.BAN(4, 9) = -HU;  // pawn covers (4, 8), not (5, 8)
    g.BAN(6, 9) = -HU;
    g.BAN(5, 7) = -HU;
    g.BAN(5, 6) = KYOU;
    g.勢力調査();
    EXPECT_EQ(g.SITA_MAMORI_KOMA(5, 8), -OU) << "the king is the most valuable defender";
    EXPECT_EQ(g.UE_KOUGEKI_KOMA(5, 7), KYOU);
    EXPECT_EQ(g.UE_KOUGEKI_X(5, 7), 5);
    EXPECT_EQ(g.UE_KOUGEKI_Y(5, 7), 6);
    EXPECT_EQ(g.SITA_KOUGEKI_KOMA(5, 6), -HU);
    EXPECT_EQ(g.SITA_KOUGEKI_Y(5, 6), 7);

    clearBoard(g);
    g.BAN(5, 5) = GIN;
    g.BAN(5, 6) = -HU;
    g.BAN(1, 5) = -SYA;  // met first, yet the pawn is cheaper
    g.勢力調査();
    EXPECT_EQ(g.SITA_SEIRYOKU(5, 5), 2);
    EXPECT_EQ(g.SITA_KOUGEKI_KOMA(5, 5), -HU) << "the cheapest attacker wins";
    EXPECT_EQ(g.SITA_KOUGEKI_X(5, 5), 5);
    EXPECT_EQ(g.SITA_KOUGEKI_Y(5, 5), 6);
}

TEST_F(Influence, FirstMetAttackerKeepsItsSquareOnATie) {
    g.BAN(5, 5) = GIN;
    g.BAN(4, 6) = -KIN;
    g.BAN(6, 6) = -KIN;
    g.勢力調査();
    EXPECT_EQ(g.SITA_KOUGEKI_KOMA(5, 5), -KIN);
    EXPECT_EQ(g.SITA_KOUGEKI_X(5, 5), 4);
    EXPECT_EQ(g.SITA_KOUGEKI_Y(5, 5), 6);
}

TEST_F(Influence, RecordCodesOfHorsesAndGoldMovers) {
    g.BAN(5, 5) = -KAKU_NARI;
    g.BAN(5, 4) = HU;
    g.BAN(4, 4) = HU;
    g.勢力調査();
    EXPECT_EQ(g.SITA_KOUGEKI_KOMA(5, 4), -KAKU_NARI);
    EXPECT_EQ(g.SITA_KOUGEKI_KOMA(4, 4), -KAKU);

    clearBoard(g);
    g.BAN(5, 5) = KAKU_NARI;
    g.BAN(5, 6) = -HU;
    g.BAN(5, 4) = GIN;
    g.勢力調査();
    EXPECT_EQ(g.UE_SEIRYOKU(5, 6), 1);
    EXPECT_EQ(g.UE_KOUGEKI_KOMA(5, 6), 999) << "a horse's straight steps are only counted";
    EXPECT_EQ(g.UE_MAMORI_KOMA(5, 4), 999);

    clearBoard(g);
    g.BAN(5, 5) = HU_NARI;
    g.BAN(5, 6) = GIN;
    g.BAN(3, 3) = -HU_NARI;
    g.BAN(3, 2) = -GIN;
    g.勢力調査();
    EXPECT_EQ(g.UE_MAMORI_KOMA(5, 6), KIN) << "upper gold movers record 110";
    EXPECT_EQ(g.SITA_MAMORI_KOMA(3, 2), -HU_NARI);
}

TEST_F(Influence, PreGameKingsContributeNothing) {
    g.BAN(5, 9) = SITA_OU_MAE;
    g.BAN(5, 1) = UE_OU_MAE;
    g.SITA_OU_X = g.SITA_OU_Y = g.UE_OU_X = g.UE_OU_Y = 0;
    g.勢力調査();
    EXPECT_EQ(g.SITA_SEIRYOKU(5, 8), 0);
    EXPECT_EQ(g.UE_SEIRYOKU(5, 2), 0);
    EXPECT_EQ(g.SITA_OU_X, 0);
    EXPECT_EQ(g.UE_OU_X, 0);
}

}  // namespace
}  // namespace fudo::test
