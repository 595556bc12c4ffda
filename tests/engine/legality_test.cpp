#include <gtest/gtest.h>

#include "tests/support/empty_board.h"

namespace fudo::test {
namespace {

using Legality = EmptyBoard;

TEST_F(Legality, DestinationOffTheBoardIsRefusedForEveryPiece) {
    for (int code : {HU, KYOU, KEI, GIN, KIN, KAKU, SYA, OU, KAKU_NARI, SYA_NARI}) {
        for (int side : {1, -1}) {
            g.BAN(5, 5) = side * code;
            for (auto [tx, ty] : {std::pair{0, 5}, {10, 5}, {5, 0}, {5, 10}})
                EXPECT_EQ(g.移動チェック(5, 5, tx, ty, side * code), 0) << code << " to " << tx << "," << ty;
        }
    }
}

TEST_F(Legality, PawnDropsFollowTheTwoPawnRule) {
    g.BAN(3, 7) = -HU;
    g.BAN(4, 7) = -HU_NARI;
    g.調査_2歩フラグ設定();
    EXPECT_EQ(g.NIFU_SITA[3], 1);
    EXPECT_EQ(g.NIFU_SITA[4], 0) << "promoted pawns do not count";
    EXPECT_EQ(g.移動チェック(11, 3, 3, 5, -HU), 0);
    EXPECT_EQ(g.移動チェック(11, 3, 4, 5, -HU), 1);
    EXPECT_EQ(g.移動チェック(11, 3, 4, 1, -HU), 0) << "no pawn drop on the last row";

    g.BAN(6, 3) = HU;
    g.調査_2歩フラグ設定();
    EXPECT_EQ(g.移動チェック(-1, 1, 6, 5, HU), 0);
    EXPECT_EQ(g.移動チェック(-1, 1, 7, 5, HU), 1);
    EXPECT_EQ(g.移動チェック(-1, 1, 7, 9, HU), 0);
}

TEST_F(Legality, LastRankDropRules) {
    EXPECT_EQ(g.移動チェック(-1, 3, 5, 8, KEI), 0);
    EXPECT_EQ(g.移動チェック(-1, 3, 5, 9, KEI), 0);
    EXPECT_EQ(g.移動チェック(-1, 3, 5, 7, KEI), 1);
    EXPECT_EQ(g.移動チェック(11, 5, 5, 2, -KEI), 0);
    EXPECT_EQ(g.移動チェック(11, 5, 5, 3, -KEI), 1);
    EXPECT_EQ(g.移動チェック(11, 4, 5, 1, -KYOU), 0);
    EXPECT_EQ(g.移動チェック(-1, 2, 5, 9, KYOU), 0);
    EXPECT_EQ(g.移動チェック(11, 9, 5, 1, -SYA), 1) << "a rook drop is legal on any empty square";
    EXPECT_EQ(g.移動チェック(-1, 1, 5, 9, SYA), 1);
    g.BAN(5, 5) = HU;
    EXPECT_EQ(g.移動チェック(11, 9, 5, 5, -SYA), 0) << "drops need an empty square";
}

TEST_F(Legality, LancesAndLinePiecesCannotJump) {
    g.BAN(5, 9) = -KYOU;
    g.BAN(5, 5) = -HU;
    EXPECT_EQ(g.移動チェック(5, 9, 5, 4, -KYOU), 0);
    EXPECT_EQ(g.移動チェック(5, 9, 5, 6, -KYOU), 1);
    g.BAN(5, 5) = HU;
    EXPECT_EQ(g.移動チェック(5, 9, 5, 5, -KYOU), 1) << "capture at the end of a free line";
    EXPECT_EQ(g.移動チェック(5, 9, 5, 4, -KYOU), 0);
    EXPECT_EQ(g.移動チェック(5, 9, 5, 10, -KYOU), 0);

    g.BAN(1, 1) = SYA;
    g.BAN(1, 4) = -GIN;
    EXPECT_EQ(g.移動チェック(1, 1, 1, 4, SYA), 1);
    EXPECT_EQ(g.移動チェック(1, 1, 1, 5, SYA), 0);
    EXPECT_EQ(g.移動チェック(1, 1, 2, 2, SYA), 0);
    EXPECT_EQ(g.移動チェック(1, 1, 2, 2, SYA_NARI), 1);
    g.BAN(9, 9) = -KAKU;
    g.BAN(7, 7) = HU;
    EXPECT_EQ(g.移動チェック(9, 9, 7, 7, -KAKU), 1);
    EXPECT_EQ(g.移動チェック(9, 9, 6, 6, -KAKU), 0);
    EXPECT_EQ(g.移動チェック(9, 9, 9, 8, -KAKU), 0);
    EXPECT_EQ(g.移動チェック(9, 9, 9, 8, -KAKU_NARI), 1);
}

TEST_F(Legality, StepPiecesMoveByTheirPatterns) {
    // Upper pieces move towards row 9, lower pieces towards row 1.
    EXPECT_EQ(g.移動チェック(5, 5, 5, 6, HU), 1);
    EXPECT_EQ(g.移動チェック(5, 5, 5, 4, HU), 0);
    EXPECT_EQ(g.移動チェック(5, 5, 5, 4, -HU), 1);
    EXPECT_EQ(g.移動チェック(5, 5, 4, 7, KEI), 1);
    EXPECT_EQ(g.移動チェック(5, 5, 6, 3, -KEI), 1);
    EXPECT_EQ(g.移動チェック(5, 5, 5, 3, -KEI), 0);
    EXPECT_EQ(g.移動チェック(5, 5, 5, 4, GIN), 0) << "silver has no straight back step";
    EXPECT_EQ(g.移動チェック(5, 5, 4, 4, GIN), 1);
    EXPECT_EQ(g.移動チェック(5, 5, 4, 5, GIN), 0);
    EXPECT_EQ(g.移動チェック(5, 5, 4, 6, -GIN), 1);
    EXPECT_EQ(g.移動チェック(5, 5, 5, 6, -GIN), 0);
    for (int code : {KIN, HU_NARI, KYOU_NARI, KEI_NARI, GIN_NARI}) {
        EXPECT_EQ(g.移動チェック(5, 5, 4, 6, code), 1);
        EXPECT_EQ(g.移動チェック(5, 5, 4, 4, code), 0);
        EXPECT_EQ(g.移動チェック(5, 5, 5, 4, code), 1);
        EXPECT_EQ(g.移動チェック(5, 5, 4, 4, -code), 1);
        EXPECT_EQ(g.移動チェック(5, 5, 4, 6, -code), 0);
    }
    EXPECT_EQ(g.移動チェック(5, 5, 6, 6, -OU), 1);
    EXPECT_EQ(g.移動チェック(5, 5, 5, 5, -OU), 0);
    g.BAN(6, 6) = -KIN;
    EXPECT_EQ(g.移動チェック(5, 5, 6, 6, -OU), 0) << "own piece on the destination";
    EXPECT_EQ(g.移動チェック(5, 5, 6, 6, GIN), 1);
}

// The reason of each refusal, for both sides; a legal move has none.
TEST_F(Legality, EveryRefusalNamesTheCheckThatMadeIt) {
    using R = 拒否理由;
    g.BAN(5, 9) = -KYOU;
    g.BAN(5, 6) = HU;
    g.BAN(1, 1) = SYA;
    g.BAN(1, 4) = KIN;
    g.BAN(9, 9) = -KAKU_NARI;
    g.BAN(7, 7) = -HU;
    g.BAN(3, 3) = HU;
    g.調査_2歩フラグ設定();
    const struct {
        int fx, fy, tx, ty, koma;
        R reason;
    } cases[] = {
        {5, 9, 5, 0, -KYOU, R::盤外},        {5, 9, 5, 9, -KYOU, R::同じ桝},
        {5, 9, 5, 7, -KYOU, R::なし},        {5, 9, 5, 6, -KYOU, R::なし},
        {5, 9, 5, 5, -KYOU, R::間に駒},      {5, 9, 4, 8, -KYOU, R::動けない},
        {1, 1, 1, 4, SYA, R::自分の駒},      {1, 1, 1, 6, SYA, R::間に駒},
        {1, 1, 5, 1, SYA, R::なし},          {1, 1, 2, 2, SYA, R::動けない},
        {9, 9, 8, 8, -KAKU_NARI, R::なし},   {9, 9, 6, 6, -KAKU_NARI, R::間に駒},
        {9, 9, 9, 7, -KAKU_NARI, R::動けない}, {9, 9, 7, 7, -KAKU_NARI, R::自分の駒},
        {11, 3, 7, 5, -HU, R::二歩},         {-1, 1, 3, 7, HU, R::二歩},
        {11, 3, 6, 5, -HU, R::なし},         {11, 3, 6, 1, -HU, R::行き所なし},
        {-1, 1, 6, 9, HU, R::行き所なし},    {11, 4, 6, 1, -KYOU, R::行き所なし},
        {-1, 2, 6, 9, KYOU, R::行き所なし},  {11, 5, 6, 2, -KEI, R::行き所なし},
        {-1, 3, 6, 8, KEI, R::行き所なし},   {-1, 3, 6, 7, KEI, R::なし},
        {11, 9, 5, 6, -SYA, R::駒の上},      {11, 9, 1, 4, -SYA, R::駒の上},
        {11, 5, 3, 2, -KEI, R::行き所なし},  {12, 5, 3, 5, -GIN, R::動けない},
    };
    for (auto& c : cases) {
        const R r = g.移動判定(c.fx, c.fy, c.tx, c.ty, c.koma);
        EXPECT_EQ(r, c.reason) << c.koma << " " << c.fx << "," << c.fy << " to " << c.tx << "," << c.ty;
        EXPECT_EQ(g.移動チェック(c.fx, c.fy, c.tx, c.ty, c.koma), r == R::なし ? 1 : 0);
    }
}

TEST_F(Legality, MovesNeedingPromotion) {
    EXPECT_EQ(Game::移動後チェック(2, -KEI), 0);
    EXPECT_EQ(Game::移動後チェック(3, -KEI), 1);
    EXPECT_EQ(Game::移動後チェック(1, -HU), 0);
    EXPECT_EQ(Game::移動後チェック(1, -KYOU), 0);
    EXPECT_EQ(Game::移動後チェック(9, HU), 0);
    EXPECT_EQ(Game::移動後チェック(8, KEI), 0);
    EXPECT_EQ(Game::移動後チェック(7, KEI), 1);
    EXPECT_EQ(Game::移動後チェック(1, -HU_NARI), 1);
    EXPECT_EQ(Game::移動後チェック(1, -GIN), 1);
}

}  // namespace
}  // namespace fudo::test
