#include <gtest/gtest.h>

#include "tests/support/empty_board.h"

namespace fudo::test {
namespace {

using Moves = EmptyBoard;

TEST_F(Moves, CapturedPiecesGoIntoTheHandUnpromoted) {
    g.BAN(5, 5) = -GIN;
    g.BAN(5, 4) = SYA_NARI;
    g.駒移動(5, 5, 5, 4, -GIN);
    EXPECT_EQ(g.SITA_MOCHI[7], 1);
    EXPECT_EQ(g.SITA_MOCHI_SU, 1);
    EXPECT_EQ(g.BAN(5, 4), -GIN);
    EXPECT_EQ(g.BAN(5, 5), KARA);

    g.BAN(5, 3) = KAKU;
    g.駒移動(5, 3, 5, 4, KAKU_NARI);  // the upper side takes the silver back, promoting
    EXPECT_EQ(g.UE_MOCHI[4], 1);
    EXPECT_EQ(g.UE_MOCHI_SU, 1);
    EXPECT_EQ(g.BAN(5, 4), KAKU_NARI);
}

TEST_F(Moves, CapturingAKingRecordsTheWinnerButAddsNoPiece) {
    g.MAN_SENGO = -1;
    g.COM_SENGO = 1;
    g.BAN(5, 1) = OU;
    g.BAN(5, 2) = -KIN;
    g.駒移動(5, 2, 5, 1, -KIN);
    EXPECT_EQ(g.SYOUSYA, -1);
    EXPECT_EQ(g.SITA_MOCHI_SU, 1);
    for (int k = 1; k <= 7; ++k) EXPECT_EQ(g.SITA_MOCHI[k], 0);

    g.SYOUSYA = 0;
    g.BAN(5, 9) = -OU;
    g.BAN(5, 8) = KIN;
    g.駒移動(5, 8, 5, 9, KIN);
    EXPECT_EQ(g.SYOUSYA, 1);
    EXPECT_EQ(g.UE_MOCHI_SU, 1);
}

TEST_F(Moves, DropsTakeFromTheRightHand) {
    g.SITA_MOCHI[3] = 2;  // two knights, stand row 5
    g.SITA_MOCHI_SU = 2;
    g.駒移動(11, 5, 4, 4, -KEI);
    EXPECT_EQ(g.SITA_MOCHI[3], 1);
    EXPECT_EQ(g.SITA_MOCHI_SU, 1);
    EXPECT_EQ(g.BAN(4, 4), -KEI);

    g.UE_MOCHI[6] = 1;  // upper drops name the kind
    g.UE_MOCHI_SU = 1;
    g.駒移動(-1, 6, 6, 6, KAKU);
    EXPECT_EQ(g.UE_MOCHI[6], 0);
    EXPECT_EQ(g.UE_MOCHI_SU, 0);
    EXPECT_EQ(g.BAN(6, 6), KAKU);
}

TEST_F(Moves, MovingTheLowerKingUpdatesItsSquareOnly) {
    g.BAN(5, 9) = -OU;
    g.SITA_OU_X = 5;
    g.SITA_OU_Y = 9;
    g.駒移動(5, 9, 4, 8, -OU);
    EXPECT_EQ(g.SITA_OU_X, 4);
    EXPECT_EQ(g.SITA_OU_Y, 8);
    g.UE_OU_X = 5;
    g.UE_OU_Y = 1;
    g.BAN(5, 1) = OU;
    g.駒移動(5, 1, 5, 2, OU);
    EXPECT_EQ(g.UE_OU_X, 5);
    EXPECT_EQ(g.UE_OU_Y, 1) << "only the survey keeps the upper king's square";
}

TEST_F(Moves, MoveRedrawsSourceAndDestination) {
    g.BAN(7, 7) = -HU;
    rig.canvas.clear();
    g.駒移動(7, 7, 7, 6, -HU);
    EXPECT_EQ(rig.canvas.lastPictureAt(7, 7), KARA);
    EXPECT_EQ(rig.canvas.lastPictureAt(7, 6), -HU);
    EXPECT_EQ(rig.canvas.lastOutlineAt(7, 6), 色_緑);
}

TEST_F(Moves, PromotionZones) {
    EXPECT_EQ(g.調査_駒成(5, 3, 5, 4, -GIN), 1) << "leaving the zone";
    EXPECT_EQ(g.NARI_KOMA, -GIN_NARI);
    EXPECT_EQ(g.調査_駒成(5, 2, 5, 1, -KIN), 0);
    EXPECT_EQ(g.調査_駒成(11, 3, 5, 3, -HU), 0) << "drops never promote";
    EXPECT_EQ(g.調査_駒成(5, 4, 5, 3, -HU), 1);
    EXPECT_EQ(g.NARI_KOMA, -HU_NARI);
    EXPECT_EQ(g.調査_駒成(5, 5, 5, 4, -HU), 0);
    EXPECT_EQ(g.調査_駒成(2, 8, 8, 2, KAKU), 1) << "an upper bishop leaving its zone";
    EXPECT_EQ(g.NARI_KOMA, KAKU_NARI);
    EXPECT_EQ(g.調査_駒成(5, 6, 5, 7, KEI), 1);
    EXPECT_EQ(g.調査_駒成(5, 5, 5, 6, KEI), 0);
    EXPECT_EQ(g.調査_駒成(5, 8, 5, 9, HU_NARI), 0) << "promoted pieces do not promote again";
    EXPECT_EQ(g.調査_駒成(5, 1, 5, 2, OU), 0);
}

TEST_F(Moves, MoveListIsOverwrittenAfterSteppingBack) {
    g.BAN(5, 5) = HU;
    for (int i = 0; i < 3; ++i) g.手順保存(7, 7, 7, 6, -HU, -HU, 0, 1, 0, 0);
    EXPECT_EQ(g.KIFU_NOW, 3);
    EXPECT_EQ(g.KIFU_LAST, 3);
    g.KIFU_NOW = 1;  // stepped back to move 1
    g.手順保存(5, 6, 5, 5, -KIN, -KIN, 4, 9, 2, 3);
    EXPECT_EQ(g.KIFU_NOW, 2);
    EXPECT_EQ(g.KIFU_LAST, 2);
    EXPECT_EQ(g.KIFU_MOTO_X[2], 5);
    EXPECT_EQ(g.KIFU_KOMA[2], -KIN);
    EXPECT_EQ(g.KIFU_TORI[2], HU) << "the piece standing on the destination before the move";
    EXPECT_EQ(g.KIFU_MAN_JIKAN_MAE[2], 4);
    EXPECT_EQ(g.KIFU_MAN_JIKAN[2], 9);
    EXPECT_EQ(g.KIFU_COM_JIKAN_MAE[2], 2);
    EXPECT_EQ(g.KIFU_COM_JIKAN[2], 3);
}

TEST_F(Moves, AFullMoveListIsNeverWrittenPast) {
    for (int i = 0; i < KIFU_MAX + 5; ++i) g.手順保存(7, 7, 7, 6, -HU, -HU, 0, 0, 0, 0);
    EXPECT_EQ(g.KIFU_NOW, KIFU_MAX);
    EXPECT_EQ(g.KIFU_LAST, KIFU_MAX);
}

}  // namespace
}  // namespace fudo::test
