// Board input driven by clicks in twips: picks, destinations, promotion by the right
// button, drops from both stands, refusals, resuming, and the end of a game.
#include <cfloat>
#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/control/control_support.h"
#include "tests/files/game_state.h"
#include "tests/support/invariants.h"

namespace fudo::test {
namespace {

class BoardInput : public ControlTest {
protected:
    // Every board square and stand cell shows its plain outline again.
    void expectNoOutlinesLeft() const {
        for (int x = -1; x <= 11; ++x)
            for (int y = 1; y <= 9; ++y) {
                const int o = rig.canvas.lastOutlineAt(x, y);
                EXPECT_TRUE(o == -1 || o == 色_緑) << x << "," << y << ": " << o;
            }
    }
};

TEST_F(BoardInput, WithoutAGameEveryClickIsRefused) {
    const Position before = positionOf(g);
    const int clicks[][2] = {{7, 7}, {5, 9}, {11, 3}, {-1, 1}, {20, 20}, {-5, -5}};
    for (auto& c : clicks) click(g, c[0], c[1]);
    EXPECT_EQ(shownCount(rig.dialogs, "「対局」で始めて下さい", "開始"), 6);
    EXPECT_EQ(refusals(), 6);
    EXPECT_EQ(positionOf(g), before);
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(g.TEBAN, 0);
}

// A refused click names its reason, from a real position, in Game::拒否 and on the status
// line; the next accepted click clears both.
TEST(BoardInputReasons, ARefusedClickSaysWhyUntilTheNextAcceptedClick) {
    using R = 拒否理由;
    const auto pawnInHand = [](Game& g) { g.SITA_MOCHI[1] = 1, g.SITA_MOCHI_SU = 1; };
    const auto emptyWith = [](std::function<void(Game&)> f) {
        return [f](Game& g) { clearBoard(g), f(g); };
    };
    const struct {
        const char* what;
        std::function<void(Game&)> setup;  // before the game starts; the kings are added
        bool start;
        std::vector<std::pair<int, int>> clicks;  // the last one is refused
        R reason;
        int sounds;  // refusal sounds of the Parts' own handling
    } cases[] = {
        {"no game", nullptr, false, {{7, 7}}, R::対局前, 1},
        {"upper pawn", nullptr, true, {{3, 3}}, R::相手の駒, 0},
        {"upper stand", [](Game& g) { g.UE_MOCHI[1] = 1, g.UE_MOCHI_SU = 1; }, true, {{-1, 7}}, R::相手の駒, 0},
        {"empty square", nullptr, true, {{5, 5}}, R::駒がない, 0},
        {"lance not held", nullptr, true, {{11, 4}}, R::持駒がない, 0},
        {"pawn two steps", nullptr, true, {{7, 7}, {7, 5}}, R::動けない, 1},
        {"lance over a pawn", nullptr, true, {{1, 9}, {1, 6}}, R::間に駒, 1},
        {"bishop over a pawn", nullptr, true, {{2, 8}, {5, 5}}, R::間に駒, 1},
        {"second pawn", pawnInHand, true, {{11, 3}, {7, 5}}, R::二歩, 1},
        {"pawn onto a piece", pawnInHand, true, {{11, 3}, {3, 3}}, R::駒の上, 1},
        {"pawn on row 1", emptyWith(pawnInHand), true, {{11, 3}, {3, 1}}, R::行き所なし, 1},
        {"knight on row 2", emptyWith([](Game& g) { g.SITA_MOCHI[3] = 1, g.SITA_MOCHI_SU = 1; }), true,
         {{11, 5}, {4, 2}}, R::行き所なし, 1},
        {"unpromoted pawn to row 1", emptyWith([](Game& g) { g.BAN(3, 2) = -HU; }), true, {{3, 2}, {3, 1}},
         R::成り必須, 1},
    };
    std::set<std::string> texts;
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        Rig rig;
        loadWithSounds(rig);
        Game& g = rig.game;
        if (c.setup) c.setup(g);
        if (c.start) g.START_Click();
        const Position before = positionOf(g);
        rig.sound.calls.clear();
        for (auto [x, y] : c.clicks) click(g, x, y);
        EXPECT_EQ(g.拒否, c.reason);
        const std::string text(Game::拒否の文(c.reason));
        EXPECT_FALSE(text.empty());
        EXPECT_EQ(rig.host.statusLine, text);
        EXPECT_EQ(rig.sound.count("dsPlay", g.SOUND_KINSI), c.sounds);
        EXPECT_EQ(positionOf(g), before);
        EXPECT_EQ(g.KIFU_NOW, 0);
        texts.insert(text);

        if (!c.start) g.START_Click();
        click(g, 5, 9);  // the own king: a pick, or a new pick in place of the pending one
        EXPECT_EQ(g.SENTAKU, 1);
        EXPECT_EQ(g.拒否, R::なし);
        EXPECT_EQ(rig.host.statusLine, "");
    }
    EXPECT_EQ(texts.size(), 10u) << "each reason reads differently";
}

TEST_F(BoardInput, EveryClickPutsTheRecordControlsAway) {
    startTwoPersons();
    rig.host.drive = rig.host.folder = rig.host.file = true;
    rig.host.saveControls = true;
    rig.host.boxes[1] = "名前";
    click(g, 20, 20);
    EXPECT_FALSE(rig.host.drive || rig.host.folder || rig.host.file);
    EXPECT_FALSE(rig.host.saveControls);
    EXPECT_EQ(rig.host.boxes[1], "");
}

TEST_F(BoardInput, RecordModeAsksForForwardAndNoTwiceLeavesIt) {
    g.KIFU_MODE = 1;
    g.TEBAN = g.TE_SENTE;
    const Position before = positionOf(g);

    rig.dialogs.script = {Answer::Yes};
    click(g, 7, 7);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, "棋譜を '進 'で進めて下さい");
    EXPECT_EQ(rig.dialogs.shown[0].title, "棋譜");
    EXPECT_EQ(rig.dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(g.KIFU_MODE, 1);
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(refusals(), 0);
    EXPECT_EQ(g.拒否, 拒否理由::棋譜再生中);
    EXPECT_EQ(rig.host.statusLine, "棋譜の再生中です");

    // いいえ alone keeps the record: a second question's first answer keeps it too.
    rig.dialogs.shown.clear();
    rig.dialogs.script = {Answer::No};
    click(g, 7, 7);
    ASSERT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_EQ(rig.dialogs.shown[1].text, "棋譜の再生を続けますか？");
    EXPECT_EQ(rig.dialogs.shown[1].buttons, Buttons::YesNo);
    EXPECT_EQ(g.KIFU_MODE, 1);
    EXPECT_NE(g.TEBAN, 0);
    EXPECT_EQ(refusals(), 0);

    rig.dialogs.script = {Answer::No, Answer::No};
    click(g, 7, 7);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(g.KIFU_MODE, 0);
    EXPECT_EQ(g.TEBAN, 0);
    EXPECT_EQ(positionOf(g), before);
}

TEST_F(BoardInput, TwoClicksMoveAPawnAndPassTheTurn) {
    startTwoPersons();
    click(g, 7, 7);
    EXPECT_EQ(g.SENTAKU, 1);
    EXPECT_EQ(rig.canvas.lastOutlineAt(7, 7), 色_明赤);
    click(g, 7, 6);

    EXPECT_EQ(g.BAN(7, 6), -HU);
    EXPECT_EQ(g.BAN(7, 7), KARA);
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(g.TEBAN, g.TE_GOTE);
    EXPECT_EQ(g.TESU, 1);
    ASSERT_EQ(g.KIFU_NOW, 1);
    EXPECT_EQ(g.KIFU_LAST, 1);
    EXPECT_EQ(g.KIFU_MOTO_X[1], 7);
    EXPECT_EQ(g.KIFU_MOTO_Y[1], 7);
    EXPECT_EQ(g.KIFU_SAKI_X[1], 7);
    EXPECT_EQ(g.KIFU_SAKI_Y[1], 6);
    EXPECT_EQ(g.KIFU_KOMA[1], -HU);
    EXPECT_EQ(g.KIFU_KOMA_ATO[1], -HU);
    EXPECT_EQ(g.KIFU_TORI[1], 0);
    EXPECT_EQ(pieceSounds(), 1);
    EXPECT_EQ(refusals(), 0);
    EXPECT_TRUE(rig.dialogs.shown.empty());  // a running game is not "resumed"
    // The move text of the lower player: file 3, rank 6, pawn.
    EXPECT_TRUE(rig.canvas.hasText("３"));
    EXPECT_TRUE(rig.canvas.hasText("六"));
    EXPECT_TRUE(rig.canvas.hasText("歩"));
    EXPECT_EQ(rig.canvas.lastOutlineAt(7, 7), 色_緑);
}

TEST_F(BoardInput, PieceOfTheOtherSideShowsItsReachButIsNotPicked) {
    guidanceOn();
    startTwoPersons();
    click(g, 3, 3);  // an upper pawn while the lower player is to move
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(rig.canvas.lastOutlineAt(3, 3), 色_白);
    EXPECT_EQ(rig.canvas.lastOutlineAt(3, 4), 色_白);  // where that pawn could go
    click(g, 3, 4);
    EXPECT_EQ(g.BAN(3, 3), HU);
    EXPECT_EQ(g.BAN(3, 4), KARA);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.TEBAN, g.TE_SENTE);
    expectNoOutlinesLeft();
}

TEST_F(BoardInput, OwnPieceAsDestinationChangesThePickSilently) {
    startTwoPersons();
    click(g, 7, 7);
    click(g, 8, 8);  // the own rook
    EXPECT_EQ(g.SENTAKU, 1);
    EXPECT_EQ(g.SENTAKU_X, 8);
    EXPECT_EQ(g.SENTAKU_Y, 8);
    EXPECT_EQ(g.SENTAKU_KOMA, -SYA);
    EXPECT_EQ(rig.canvas.lastOutlineAt(7, 7), 色_緑);
    EXPECT_EQ(rig.canvas.lastOutlineAt(8, 8), 色_明赤);
    EXPECT_TRUE(rig.sound.calls.empty());
    click(g, 7, 8);
    EXPECT_EQ(g.BAN(7, 8), -SYA);
    EXPECT_EQ(g.BAN(8, 8), KARA);
    EXPECT_EQ(g.BAN(7, 7), -HU);
}

TEST_F(BoardInput, IllegalDestinationIsRefusedAndDropsThePick) {
    startTwoPersons();
    const Position before = positionOf(g);
    move(g, 7, 7, 7, 5);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(positionOf(g), before);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.TESU, 0);
    EXPECT_EQ(g.TEBAN, g.TE_SENTE);
    // The next click on an empty square picks nothing and moves nothing.
    click(g, 7, 5);
    EXPECT_EQ(positionOf(g), before);
}

// Every command that changes the position drops the pick; should one survive anyway, it
// must not conjure a piece onto the board.
TEST_F(BoardInput, AStalePickMovesNothing) {
    startTwoPersons();
    g.SENTAKU = 1;
    g.SENTAKU_X = 5;
    g.SENTAKU_Y = 5;  // an empty square
    g.SENTAKU_KOMA = -SYA;
    const Position before = positionOf(g);
    click(g, 5, 4);
    EXPECT_EQ(positionOf(g), before);
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(g.拒否, 拒否理由::選び直し);

    g.SENTAKU = 1;  // a stand kind the hand does not hold
    g.SENTAKU_X = 11;
    g.SENTAKU_Y = 9;
    click(g, 5, 5);
    EXPECT_EQ(positionOf(g), before);
}

TEST_F(BoardInput, ForcedPromotionWantsTheRightButtonAndKeepsThePick) {
    clearBoard(g);
    g.BAN(3, 2) = -HU;
    startTwoPersons();

    move(g, 3, 2, 3, 1);
    EXPECT_EQ(shownCount(rig.dialogs, "マウスの右をクリックして下さい", "成り"), 1);
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(g.SENTAKU, 1);
    EXPECT_EQ(g.BAN(3, 2), -HU);
    EXPECT_EQ(g.BAN(3, 1), KARA);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.TESU, 0);

    rightClick(g, 3, 1);
    EXPECT_EQ(g.BAN(3, 1), -HU_NARI);
    EXPECT_EQ(g.BAN(3, 2), KARA);
    ASSERT_EQ(g.KIFU_NOW, 1);
    EXPECT_EQ(g.KIFU_KOMA[1], -HU);
    EXPECT_EQ(g.KIFU_KOMA_ATO[1], -HU_NARI);
    EXPECT_EQ(g.TESU, 1);
    EXPECT_EQ(g.TEBAN, g.TE_GOTE);
}

TEST_F(BoardInput, RightButtonPromotesOnlyWherePromotionIsPossible) {
    clearBoard(g);
    g.BAN(7, 7) = -HU;
    g.BAN(2, 4) = -GIN;
    g.BAN(8, 4) = -GIN;
    g.BAN(9, 2) = KIN;
    g.BAN(1, 2) = KIN;
    startTwoPersons();

    move(g, 7, 7, 7, 6, true);  // outside the zone: a plain move
    EXPECT_EQ(g.BAN(7, 6), -HU);
    EXPECT_EQ(g.KIFU_KOMA_ATO[1], -HU);
    move(g, 9, 2, 9, 3, true);  // a gold never promotes
    EXPECT_EQ(g.BAN(9, 3), KIN);
    move(g, 2, 4, 2, 3, true);  // entering the zone, right button: promoted
    EXPECT_EQ(g.BAN(2, 3), -GIN_NARI);
    EXPECT_EQ(g.KIFU_KOMA[3], -GIN);
    EXPECT_EQ(g.KIFU_KOMA_ATO[3], -GIN_NARI);
    move(g, 1, 2, 1, 3);
    move(g, 8, 4, 8, 3);  // left button: stays a silver
    EXPECT_EQ(g.BAN(8, 3), -GIN);
    EXPECT_EQ(g.KIFU_KOMA_ATO[5], -GIN);
    EXPECT_EQ(g.KIFU_NOW, 5);
    EXPECT_EQ(refusals(), 0);
}

// With the promotion aid a left click asks where the piece may promote (at the square as
// the screen shows it), promotes where it must, and asks nothing elsewhere; Cancel keeps
// the pick. (Without the aid the classic tests above hold: the core starts with it off.)
TEST_F(BoardInput, ThePromotionQuestionAsksOnlyWherePromotionIsAChoice) {
    for (const bool turned : {false, true}) {
        SCOPED_TRACE(turned);
        g.初期設定();
        clearBoard(g);
        g.BAN(3, 2) = -HU;   // must promote on row 1
        g.BAN(7, 4) = -GIN;  // may promote on row 3
        g.BAN(2, 4) = -GIN;
        g.BAN(6, 6) = -HU;   // outside the zone
        g.BAN(9, 2) = KIN;
        g.BAN(1, 2) = KIN;
        g.BAN(9, 1) = KIN;
        g.補助.成り確認 = true;
        if (g.視点反転 != turned) g.盤を回す_Click();
        startTwoPersons();
        auto at = [&](int x, int y) { return turned ? std::pair{10 - x, 10 - y} : std::pair{x, y}; };
        auto mv = [&](int fx, int fy, int tx, int ty) {
            click(g, at(fx, fy).first, at(fx, fy).second);
            click(g, at(tx, ty).first, at(tx, ty).second);
        };
        rig.dialogs.promotionAnswers = {Dialogs::Promotion::Cancel, Dialogs::Promotion::Promote,
                                        Dialogs::Promotion::Plain};
        mv(7, 4, 7, 3);
        ASSERT_EQ(rig.dialogs.promotionAsks.size(), 1u);
        EXPECT_EQ(rig.dialogs.promotionAsks[0].promoted, -GIN_NARI);
        EXPECT_EQ(rig.dialogs.promotionAsks[0].plain, -GIN);
        EXPECT_EQ(std::pair(rig.dialogs.promotionAsks[0].x, rig.dialogs.promotionAsks[0].y), at(7, 3));
        EXPECT_EQ(g.SENTAKU, 1) << "cancelled: the pick stays";
        EXPECT_EQ(g.KIFU_NOW, 0);
        click(g, at(7, 3).first, at(7, 3).second);
        EXPECT_EQ(g.BAN(7, 3), -GIN_NARI);
        mv(9, 2, 9, 3);
        mv(2, 4, 2, 3);
        EXPECT_EQ(g.BAN(2, 3), -GIN);
        mv(1, 2, 1, 3);
        mv(3, 2, 3, 1);  // forced: promoted without a question or a box
        EXPECT_EQ(g.BAN(3, 1), -HU_NARI);
        mv(9, 1, 8, 1);
        mv(6, 6, 6, 5);
        EXPECT_EQ(g.BAN(6, 5), -HU);
        EXPECT_EQ(rig.dialogs.promotionAsks.size(), 3u);
        EXPECT_EQ(shownCount(rig.dialogs, "マウスの右をクリックして下さい", "成り"), 0);
        EXPECT_EQ(g.KIFU_NOW, 7);
        rig.dialogs.promotionAsks.clear();
    }
}

// With the aid a click on the picked piece (on the board or a stand) lets it go; without
// it the piece is picked again, as always.
TEST_F(BoardInput, AClickOnThePickedPieceLetsItGoOnlyWithTheAid) {
    for (const bool aid : {true, false}) {
        SCOPED_TRACE(aid);
        g.初期設定();
        g.補助.選択解除 = aid;
        g.SITA_MOCHI[1] = 1;
        g.SITA_MOCHI_SU = 1;
        g.BAN(7, 7) = KARA;
        startTwoPersons();
        click(g, 2, 7);
        ASSERT_EQ(g.SENTAKU, 1);
        click(g, 2, 7);
        EXPECT_EQ(g.SENTAKU, aid ? 0 : 1);
        EXPECT_EQ(refusals(), 0);
        if (!aid) click(g, 5, 5);  // an illegal destination drops the pick
        click(g, 11, 3);  // the pawn in hand
        ASSERT_EQ(g.SENTAKU, 1);
        click(g, 11, 3);
        EXPECT_EQ(g.SENTAKU, aid ? 0 : 1);
        EXPECT_EQ(g.選択を解く(), !aid);
        EXPECT_EQ(g.SENTAKU, 0);
        EXPECT_FALSE(g.選択を解く()) << "nothing picked";
        EXPECT_EQ(g.KIFU_NOW, 0);
    }
}

// Turning the view changes what the screen shows, never the game: a click on the screen
// cell (10 - x, 10 - y) reaches the square (x, y), pieces show turned, the stands, the
// labels, the clocks and the last moves change places, and turning again restores all.
TEST_F(BoardInput, TurningTheViewTurnsTheScreenOnly) {
    g.MENU.KEIKA = true;
    g.SITA_MOCHI[5] = 2;
    g.SITA_MOCHI_SU = 2;
    startTwoPersons();
    move(g, 3, 7, 3, 6);
    g.MAN_JIKAN = 65;
    g.COM_JIKAN = 3725;
    const GameState before = snapshot(g);
    rig.canvas.clear();
    g.盤を回す_Click();
    EXPECT_TRUE(g.視点反転);
    EXPECT_TRUE(differences(before, snapshot(g)).empty());
    EXPECT_EQ(rig.canvas.lastPictureAt(10 - 3, 10 - 6), HU) << "a lower pawn shows at the top, facing down";
    EXPECT_EQ(rig.canvas.lastPictureAt(10 - 5, 10 - 1), -OU);
    EXPECT_EQ(rig.canvas.lastPictureAt(-1, 10 - (5 + 2)), 持駒コード[5]) << "the lower gold in hand, top left";
    auto textAt = [&](std::string_view t) { return rig.canvas.textsEqual(t).empty() ? -99.0 : rig.canvas.textsEqual(t).back().x; };
    EXPECT_DOUBLE_EQ(textAt("00:01:05"), -1.6) << "the lower clock is on the left now";
    EXPECT_DOUBLE_EQ(textAt("01:02:05"), 13);
    double file1 = -99;  // where the file label 1 is written along the top
    for (const DrawOp& t : rig.canvas.textsEqual(" 1 "))
        if (t.y == 0.4) file1 = t.x;
    EXPECT_DOUBLE_EQ(file1, 1.1) << "the files count from the left";
    // Clicks: the upper pawn is picked and moved where the screen shows it, at the bottom.
    click(g, 10 - 7, 10 - 3);
    EXPECT_EQ(g.SENTAKU, 1);
    EXPECT_EQ(g.SENTAKU_X, 7);
    EXPECT_EQ(g.SENTAKU_Y, 3);
    click(g, 10 - 7, 10 - 4);
    EXPECT_EQ(g.BAN(7, 4), HU);
    EXPECT_EQ(rig.canvas.lastPictureAt(3, 6), -HU) << "facing up";
    g.盤を回す_Click();
    EXPECT_FALSE(g.視点反転);
    EXPECT_EQ(rig.canvas.lastPictureAt(7, 4), HU);
    EXPECT_DOUBLE_EQ(textAt("00:01:05"), 13);
}

TEST_F(BoardInput, AButtonOtherThanLeftOrRightCountsAsLeft) {
    clearBoard(g);
    g.BAN(3, 2) = -HU;
    startTwoPersons();
    click(g, 3, 2);
    click(g, 3, 1, 4);  // a middle button must not leave an unpromoted pawn on row 1
    EXPECT_EQ(g.BAN(3, 2), -HU);
    EXPECT_EQ(g.BAN(3, 1), KARA);
    EXPECT_EQ(shownCount(rig.dialogs, "マウスの右をクリックして下さい", "成り"), 1);
}

TEST_F(BoardInput, StandClicksPickOnlyKindsTheHandHolds) {
    clearBoard(g);
    g.SITA_MOCHI[1] = 1;  // a pawn in the lower hand
    g.UE_MOCHI[7] = 1;    // a rook in the upper hand
    g.SITA_MOCHI_SU = g.UE_MOCHI_SU = 1;
    startTwoPersons();

    click(g, 11, 1);
    click(g, 11, 2);
    click(g, 11, 4);  // lance: none held
    EXPECT_EQ(g.SENTAKU, 0);
    click(g, 11, 3);
    EXPECT_EQ(g.SENTAKU, 1);
    EXPECT_EQ(g.SENTAKU_KOMA, -HU);
    EXPECT_EQ(rig.canvas.lastOutlineAt(11, 3), 色_明赤);

    click(g, 5, 5);  // the drop
    EXPECT_EQ(g.BAN(5, 5), -HU);
    EXPECT_EQ(g.SITA_MOCHI[1], 0);
    EXPECT_EQ(g.SITA_MOCHI_SU, 0);
    EXPECT_EQ(g.KIFU_MOTO_X[1], 11);
    EXPECT_EQ(g.KIFU_MOTO_Y[1], 3);
    EXPECT_EQ(g.TEBAN, g.TE_GOTE);

    click(g, -1, 2);  // bishop row: none held
    EXPECT_EQ(g.SENTAKU, 0);
    click(g, -1, 1);
    EXPECT_EQ(g.SENTAKU, 1);
    EXPECT_EQ(g.SENTAKU_KOMA, SYA);
    EXPECT_EQ(rig.canvas.lastOutlineAt(-1, 1), 色_明赤);
}

TEST_F(BoardInput, UpperDropFromRowTwoIsRecordedAndPlayedAsABishop) {
    g.UE_MOCHI[6] = 1;
    g.UE_MOCHI_SU = 1;
    startTwoPersons();
    move(g, 7, 7, 7, 6);
    move(g, -1, 2, 5, 5);
    EXPECT_EQ(g.BAN(5, 5), KAKU);
    EXPECT_EQ(g.UE_MOCHI[6], 0);
    EXPECT_EQ(g.UE_MOCHI_SU, 0);
    ASSERT_EQ(g.KIFU_NOW, 2);
    EXPECT_EQ(g.KIFU_MOTO_X[2], -1);
    EXPECT_EQ(g.KIFU_MOTO_Y[2], 6) << "the kind, as the computer's drops are recorded";
    EXPECT_EQ(g.KIFU_KOMA[2], KAKU);
    EXPECT_EQ(g.KIFU_KOMA_ATO[2], KAKU);
    EXPECT_EQ(g.TEBAN, g.TE_SENTE);
}

// A pick from the stand of the side not to move would let the player to move drop his
// opponent's piece. It is shown like an opponent's piece on the board instead.
TEST_F(BoardInput, TheOtherSidesStandShowsItsReachButPicksNothing) {
    guidanceOn();
    g.UE_MOCHI[6] = 1;
    g.UE_MOCHI_SU = 1;
    startTwoPersons();
    const Position before = positionOf(g);

    click(g, -1, 2);
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(rig.canvas.lastOutlineAt(-1, 2), 色_白);
    EXPECT_EQ(rig.canvas.lastOutlineAt(5, 5), 色_白);  // a bishop could be dropped there
    click(g, 5, 5);
    EXPECT_EQ(positionOf(g), before);
    EXPECT_EQ(g.KIFU_NOW, 0);
    expectNoOutlinesLeft();

    // A pending pick of one's own is given up as well.
    click(g, 7, 7);
    ASSERT_EQ(g.SENTAKU, 1);
    click(g, -1, 2);
    EXPECT_EQ(g.SENTAKU, 0);
    click(g, 5, 5);
    EXPECT_EQ(positionOf(g), before);
    EXPECT_EQ(g.TEBAN, g.TE_SENTE);

    // The same for the lower stand while the upper player is to move.
    g.SITA_MOCHI[1] = 1;
    g.SITA_MOCHI_SU = 1;
    move(g, 7, 7, 7, 6);
    const Position mid = positionOf(g);
    click(g, 11, 3);
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_EQ(rig.canvas.lastOutlineAt(11, 3), 色_白);
    click(g, 5, 5);
    EXPECT_EQ(positionOf(g), mid);
    EXPECT_EQ(g.TEBAN, g.TE_GOTE);
}

TEST_F(BoardInput, TheOtherSidesStandIsNotPickedAgainstTheComputerEither) {
    g.UE_MOCHI[6] = 1;
    g.UE_MOCHI_SU = 1;
    g.SENTE_Click();
    const Position before = positionOf(g);
    move(g, -1, 2, 5, 5);
    EXPECT_EQ(positionOf(g), before);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
}

TEST_F(BoardInput, AClickOffTheBoardClearsTheColouringButKeepsThePick) {
    guidanceOn();
    startTwoPersons();
    click(g, 7, 7);
    ASSERT_EQ(rig.canvas.lastOutlineAt(7, 6), 色_白);
    click(g, 20, 3);
    EXPECT_EQ(g.SENTAKU, 1);
    EXPECT_EQ(rig.canvas.lastOutlineAt(7, 7), 色_緑);
    EXPECT_EQ(rig.canvas.lastOutlineAt(7, 6), 色_緑);
    click(g, 7, 6);
    EXPECT_EQ(g.BAN(7, 6), -HU);
}

// The square a single "×" was drawn over (its text starts a little above and left of the
// square); (0, 0) for none or several.
std::pair<int, int> crossedSquare(const RecordingCanvas& c) {
    const auto crosses = c.textsEqual("×");
    if (crosses.size() != 1) return {0, 0};
    return {static_cast<int>(std::lround(crosses[0].x)), static_cast<int>(std::lround(crosses[0].y))};
}

TEST_F(BoardInput, MovingOwnKingLosesAgainstTheComputer) {
    g.SENTE_Click();
    rig.dialogs.clear();
    rig.dialogs.script = {Answer::Yes};
    move(g, 5, 9, 5, 8);

    EXPECT_EQ(crossedSquare(rig.canvas), std::pair(5, 8));
    EXPECT_GE(refusals(), 1);
    EXPECT_EQ(shownCount(rig.dialogs, "ｺﾝﾋﾟｭｰﾀの勝ちです", "終了"), 1);
    EXPECT_EQ(shownCount(rig.dialogs, "続けますか？", "再ゲーム"), 1);
    // The computer did not answer; Yes went back to the opening position and gave the
    // list up.
    EXPECT_EQ(listAtEnd, 1);
    EXPECT_EQ(g.KIFU_LAST, 0);
    EXPECT_EQ(g.TEBAN, 0);
    EXPECT_EQ(g.BAN(5, 9), SITA_OU_MAE);
    EXPECT_EQ(rig.host.quits, 0);
}

TEST_F(BoardInput, MovingOwnKingAndAnsweringNoEndsTheProgram) {
    g.SENTE_Click();
    const std::int32_t buffers[] = {g.SOUND_SONOTA, g.SOUND_KINSI, g.SOUND_KOMAOTO,
                                    g.SOUND_KAVELU, g.SOUND_BGM};
    rig.dialogs.script = {Answer::No};
    move(g, 5, 9, 4, 8);
    EXPECT_EQ(rig.host.quits, 1);
    for (auto b : buffers) EXPECT_EQ(rig.sound.count("dsFree", b), 1);
}

TEST_F(BoardInput, MovingOwnKingLosesInATwoPersonGame) {
    startTwoPersons();
    move(g, 5, 9, 6, 8);
    EXPECT_EQ(crossedSquare(rig.canvas), std::pair(6, 8));
    EXPECT_EQ(shownCount(rig.dialogs, "後手の勝ちです", "終了"), 1);
    EXPECT_EQ(g.TEBAN, 0);

    startTwoPersons();
    move(g, 7, 7, 7, 6);
    move(g, 5, 1, 5, 2);
    EXPECT_EQ(crossedSquare(rig.canvas), std::pair(5, 2));
    EXPECT_EQ(shownCount(rig.dialogs, "先手の勝ちです", "終了"), 1);
}

TEST_F(BoardInput, CapturingTheKingEndsATwoPersonGameWithoutTheCross) {
    clearBoard(g);
    g.BAN(5, 5) = -SYA;
    startTwoPersons();
    move(g, 5, 5, 5, 1);
    EXPECT_EQ(shownCount(rig.dialogs, "先手の勝ちです", "終了"), 1);
    EXPECT_TRUE(rig.canvas.textsEqual("×").empty());
    EXPECT_EQ(refusals(), 1);
    EXPECT_EQ(g.KIFU_TORI[1], OU);
    EXPECT_EQ(g.TEBAN, 0);

    clearBoard(g);
    g.BAN(5, 5) = SYA;
    g.BAN(1, 7) = -HU;
    startTwoPersons();
    move(g, 1, 7, 1, 6);
    move(g, 5, 5, 5, 9);
    EXPECT_EQ(shownCount(rig.dialogs, "後手の勝ちです", "終了"), 1);
    EXPECT_TRUE(rig.canvas.textsEqual("×").empty());
}

// Taking the computer's king, or mating it, wins at once: the computer does not answer,
// though a pawn of its own could still move.
TEST_F(BoardInput, CapturingOrMatingTheComputersKingWins) {
    struct Case { int fx, fy, tx, ty; };
    for (const Case& c : {Case{5, 5, 5, 1}, Case{4, 3, 5, 2}}) {
        SCOPED_TRACE(c.fx);
        clearBoard(g);
        g.BAN(5, 5) = -SYA;
        g.BAN(4, 3) = -KIN;
        g.BAN(6, 3) = -GIN;  // guards (5, 2)
        g.BAN(9, 4) = HU;
        g.SENTE_Click();
        rig.dialogs.clear();
        listAtEnd = -1;
        move(g, c.fx, c.fy, c.tx, c.ty);
        EXPECT_EQ(shownCount(rig.dialogs, "あなたの勝ちです", "終了"), 1);
        EXPECT_EQ(listAtEnd, 1);  // the computer did not move
        EXPECT_EQ(g.TEBAN, 0);
    }
}

TEST_F(BoardInput, TheComputerAnswersAMoveInsideTheClick) {
    g.SENTE_Click();
    rig.host.time += 9;
    g.Timer1_Timer();
    move(g, 7, 7, 7, 6);
    ASSERT_EQ(g.KIFU_NOW, 2);
    EXPECT_EQ(g.TESU, 2);
    EXPECT_GE(g.KIFU_KOMA[2], HU);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
    // The person's thinking time went into his total and into his move's entry.
    EXPECT_DOUBLE_EQ(g.KIFU_MAN_JIKAN_MAE[1], 0);
    EXPECT_DOUBLE_EQ(g.KIFU_MAN_JIKAN[1], 9);
    EXPECT_DOUBLE_EQ(g.MAN_JIKAN, 9);
}

// In a two-person game the turn time goes to the mover's total, but every entry of the
// list carries the times the way the board input writes them: the lower player's total
// before and after, the upper player's total unchanged.
TEST_F(BoardInput, TwoPersonClockAddsTheTurnTimeToTheMover) {
    startTwoPersons();
    ASSERT_TRUE(g.Timer1_Enabled);  // the elapsed-time option is ticked by default
    rig.host.time += 7;
    g.Timer1_Timer();
    move(g, 7, 7, 7, 6);
    EXPECT_DOUBLE_EQ(g.MAN_JIKAN, 7);
    EXPECT_DOUBLE_EQ(g.JIKAN_START, rig.host.time);
    rig.host.time += 5;
    g.Timer1_Timer();
    move(g, 3, 3, 3, 4);
    EXPECT_DOUBLE_EQ(g.MAN_JIKAN, 7);
    EXPECT_DOUBLE_EQ(g.COM_JIKAN, 5);
    EXPECT_DOUBLE_EQ(g.KIFU_MAN_JIKAN_MAE[1], 0);
    EXPECT_DOUBLE_EQ(g.KIFU_MAN_JIKAN[1], 7);
    EXPECT_DOUBLE_EQ(g.KIFU_MAN_JIKAN_MAE[2], 7);
    EXPECT_DOUBLE_EQ(g.KIFU_MAN_JIKAN[2], 12);
    EXPECT_DOUBLE_EQ(g.KIFU_COM_JIKAN_MAE[2], 0);
    EXPECT_DOUBLE_EQ(g.KIFU_COM_JIKAN[2], 0);
}

TEST_F(BoardInput, TheMoveThatFillsTheListEndsTheGameAsADraw) {
    rig.dialogs.defaultYesNo = Answer::Yes;
    startTwoPersons();
    g.KIFU_NOW = g.KIFU_LAST = KIFU_MAX - 1;
    move(g, 7, 7, 7, 6);
    EXPECT_EQ(listAtEnd, KIFU_MAX);
    EXPECT_EQ(shownCount(rig.dialogs, "500手に達したので引き分けです", "終了"), 1);
    EXPECT_EQ(g.TEBAN, 0);

    g.SENTE_Click();
    g.KIFU_NOW = g.KIFU_LAST = KIFU_MAX - 1;
    rig.dialogs.clear();
    move(g, 7, 7, 7, 6);
    EXPECT_EQ(listAtEnd, KIFU_MAX);  // the computer did not answer
    EXPECT_EQ(shownCount(rig.dialogs, "500手に達したので引き分けです", "終了"), 1);
    EXPECT_EQ(g.TEBAN, 0);
}

TEST_F(BoardInput, NoMoveIsPlayedPastAFullList) {
    rig.dialogs.defaultYesNo = Answer::No;  // end the program after the draw
    startTwoPersons();
    g.KIFU_NOW = g.KIFU_LAST = KIFU_MAX;  // e.g. stepped back and forward to the end
    const IntMap before = g.BAN;
    move(g, 7, 7, 7, 6);
    EXPECT_TRUE(g.BAN == before) << "the move is not played unrecorded";
    EXPECT_EQ(shownCount(rig.dialogs, "500手に達したので引き分けです", "終了"), 1);
    EXPECT_EQ(rig.host.quits, 1);
}

TEST_F(BoardInput, TheComputersMoveThatFillsTheListEndsTheGame) {
    rig.dialogs.defaultYesNo = Answer::Yes;
    g.SENTE_Click();
    g.KIFU_NOW = g.KIFU_LAST = KIFU_MAX - 2;
    move(g, 7, 7, 7, 6);
    EXPECT_EQ(listAtEnd, KIFU_MAX) << "the computer answered with the 500th move";
    EXPECT_EQ(shownCount(rig.dialogs, "500手に達したので引き分けです", "終了"), 1);
    EXPECT_EQ(g.TEBAN, 0);
}

TEST_F(BoardInput, AClickResumesAPausedTwoPersonGame) {
    startTwoPersons();
    move(g, 7, 7, 7, 6);
    g.REPLAY_Click();
    ASSERT_EQ(g.SAIKAI_MATI, 1);
    ASSERT_FALSE(g.Timer1_Enabled);
    rig.dialogs.clear();
    rig.host.time += 100;
    click(g, 20, 20);
    EXPECT_EQ(shownCount(rig.dialogs, "先手の番です", "対局"), 1);
    EXPECT_EQ(g.SAIKAI_MATI, 0);
    EXPECT_DOUBLE_EQ(g.JIKAN_START, rig.host.time);
    EXPECT_TRUE(g.Timer1_Enabled);

    g.AFTER_Click();
    rig.dialogs.clear();
    g.MENU.KEIKA = false;
    click(g, 20, 20);
    EXPECT_EQ(shownCount(rig.dialogs, "後手の番です", "対局"), 1);
    EXPECT_FALSE(g.Timer1_Enabled);
}

TEST_F(BoardInput, AClickResumesAComputerGame) {
    g.SENTE_Click();
    move(g, 7, 7, 7, 6);
    ASSERT_EQ(g.KIFU_NOW, 2);

    // Back over the computer's move: the computer is to move and answers the next click.
    g.REPLAY_Click();
    ASSERT_EQ(g.TEBAN, g.COM_SENGO);
    rig.dialogs.clear();
    click(g, 20, 20);
    EXPECT_EQ(shownCount(rig.dialogs, "OKですか？", "再開(COM)"), 1);
    EXPECT_EQ(g.KIFU_NOW, 2);
    EXPECT_EQ(g.KIFU_LAST, 2);
    EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
    EXPECT_EQ(g.SAIKAI_MATI, 0);

    // Back over both moves: the person is to move and the click only resumes.
    g.REPLAY_Click();
    g.REPLAY_Click();
    ASSERT_EQ(g.TEBAN, g.MAN_SENGO);
    rig.dialogs.clear();
    click(g, 20, 20);
    EXPECT_EQ(shownCount(rig.dialogs, "MANの番です", "対局"), 1);
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.SAIKAI_MATI, 0);
    EXPECT_TRUE(g.Timer1_Enabled);
}

// --------------------------------------------------------------------------- any click

// Checks that the click that wrote entry n made a legal move of the side to move on the
// position `before`, and (when `after` is given) that it is the only change.
void expectLegalMove(const Position& before, int teban, int manSengo, const Game& g, int n,
                     const Position* after) {
    Rig scratch;
    Game& s = scratch.game;
    s.BAN = before.ban;
    s.SITA_MOCHI = before.sita;
    s.UE_MOCHI = before.ue;
    s.SITA_MOCHI_SU = before.sitaSu;
    s.UE_MOCHI_SU = before.ueSu;
    s.調査_2歩フラグ設定();

    const int fx = g.KIFU_MOTO_X[n], fy = g.KIFU_MOTO_Y[n];
    const int tx = g.KIFU_SAKI_X[n], ty = g.KIFU_SAKI_Y[n];
    const int koma = g.KIFU_KOMA[n], placed = g.KIFU_KOMA_ATO[n];
    SCOPED_TRACE("move " + std::to_string(n) + ": " + std::to_string(fx) + "," +
                 std::to_string(fy) + " -> " + std::to_string(tx) + "," + std::to_string(ty));
    EXPECT_EQ(koma <= -HU, teban == manSengo);
    EXPECT_EQ(s.移動チェック(fx, fy, tx, ty, koma), 1);
    EXPECT_EQ(g.KIFU_TORI[n], before.ban(tx, ty));
    int from = fy;
    if (fx == 11) {
        EXPECT_EQ(koma, -持駒コード[fy - 2]);
        EXPECT_GT(before.sita[fy - 2], 0);
    } else if (fx == -1) {
        EXPECT_EQ(koma, 持駒コード[8 - fy]);
        EXPECT_GT(before.ue[8 - fy], 0);
        from = 8 - fy;
    } else {
        EXPECT_EQ(before.ban(fx, fy), koma);
    }
    if (placed != koma) {
        EXPECT_EQ(s.調査_駒成(fx, fy, tx, ty, koma), 1);
        EXPECT_EQ(placed, s.NARI_KOMA);
    }
    EXPECT_EQ(Game::移動後チェック(ty, placed), 1);
    if (after) {
        s.駒移動(fx, from, tx, ty, placed);
        EXPECT_EQ(positionOf(s), *after);
    }
}

struct Click {
    int button;
    double X, Y;
};

Click randomClick(std::mt19937& rng) {
    static const double odd[] = {0.0, -1.0, 1049.999, 1050.0, 1544.9, 6000.0, 6495.0, 6990.0,
                                 714.9, 715.0, 6250.0, 6249.99, -1e12, 1e12, -1e300, 1e300,
                                 DBL_MAX, -DBL_MAX, DBL_MIN,
                                 std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(),
                                 std::numeric_limits<double>::quiet_NaN()};
    std::uniform_int_distribution<int> percent(0, 99);
    const int b = percent(rng);
    const int button = b < 60 ? 左ボタン : b < 95 ? 右ボタン : 4;
    const int kind = percent(rng);
    if (kind < 75) {
        std::uniform_int_distribution<int> cx(-2, 13), cy(-1, 11);
        return {button, cellX(cx(rng)), cellY(cy(rng))};
    }
    if (kind < 88) {
        std::uniform_real_distribution<double> any(-20000, 20000);
        return {button, any(rng), any(rng)};
    }
    std::uniform_int_distribution<int> o(0, std::size(odd) - 1);
    std::uniform_int_distribution<int> cy(-1, 11);
    return percent(rng) < 50 ? Click{button, odd[o(rng)], odd[o(rng)]}
                             : Click{button, odd[o(rng)], cellY(cy(rng))};
}

// Mostly random clicks; while a piece is picked, often one of its legal destinations, so
// that games move on and end.
Click nextClick(const Game& g, std::mt19937& rng) {
    std::uniform_int_distribution<int> percent(0, 99);
    if (g.SENTAKU == 1 && percent(rng) < 60) {
        std::vector<std::pair<int, int>> dests;
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (g.移動チェック(g.SENTAKU_X, g.SENTAKU_Y, x, y, g.SENTAKU_KOMA) == 1)
                    dests.push_back({x, y});
        if (!dests.empty()) {
            std::uniform_int_distribution<size_t> d(0, dests.size() - 1);
            const auto [x, y] = dests[d(rng)];
            return {percent(rng) < 50 ? 左ボタン : 右ボタン, cellX(x), cellY(y)};
        }
    }
    return randomClick(rng);
}

TEST_F(BoardInput, ClicksAnywhereOnlyEverMakeLegalMovesInATwoPersonGame) {
    std::mt19937 rng(20240607);
    rig.dialogs.defaultYesNo = Answer::Yes;
    startTwoPersons();
    int moves = 0, games = 1;
    for (int i = 0; i < 6000; ++i) {
        const Position before = positionOf(g);
        const int teban = g.TEBAN, manSengo = g.MAN_SENGO, n = g.KIFU_NOW;
        const int refused = refusals();
        const Click c = nextClick(g, rng);
        g.Form_MouseDown(c.button, 0, c.X, c.Y);
        rig.canvas.clear();
        // A refusal sound always comes with a reason on the status line; a move never does
        // (a game ends only by a move here).
        const bool moved = g.KIFU_NOW != n || g.TEBAN == 0;
        if (refusals() > refused && !moved) {
            ASSERT_NE(g.拒否, 拒否理由::なし) << "click " << i;
            ASSERT_EQ(rig.host.statusLine, Game::拒否の文(g.拒否)) << "click " << i;
        }
        if (moved) {
            ASSERT_EQ(g.拒否, 拒否理由::なし) << "click " << i;
            ASSERT_EQ(rig.host.statusLine, "") << "click " << i;
        }
        ASSERT_EQ(checkInvariants(g), "") << "click " << i;

        if (g.TEBAN == 0) {
            // The game ended: by a move of a king or the capture of one.
            ASSERT_EQ(listAtEnd, n + 1) << "click " << i;
            const bool kingMoved = g.KIFU_KOMA[n + 1] == OU || g.KIFU_KOMA[n + 1] == -OU;
            const bool kingTaken = g.KIFU_TORI[n + 1] == OU || g.KIFU_TORI[n + 1] == -OU;
            EXPECT_TRUE(kingMoved || kingTaken);
            expectLegalMove(before, teban, manSengo, g, n + 1, nullptr);
            // Clicks with no game change nothing.
            const Position idle = positionOf(g);
            for (int k = 0; k < 20; ++k) {
                const Click d = randomClick(rng);
                g.Form_MouseDown(d.button, 0, d.X, d.Y);
            }
            EXPECT_EQ(positionOf(g), idle);
            rig.canvas.clear();
            startTwoPersons();
            ++games;
            continue;
        }
        const Position after = positionOf(g);
        if (g.KIFU_NOW == n) {
            ASSERT_EQ(after, before) << "click " << i;
            ASSERT_EQ(g.TEBAN, teban);
        } else {
            ASSERT_EQ(g.KIFU_NOW, n + 1) << "click " << i;
            expectLegalMove(before, teban, manSengo, g, n + 1, &after);
            EXPECT_EQ(g.TEBAN, -teban);
            ++moves;
        }
        ASSERT_EQ(g.駒総数(), 40);
        if (HasFailure()) break;
    }
    EXPECT_GT(moves, 300);
    EXPECT_GT(games, 3);
}

TEST_F(BoardInput, ClicksAnywhereOnlyEverMakeLegalMovesAgainstTheComputer) {
    std::mt19937 rng(7);
    rig.dialogs.defaultYesNo = Answer::Yes;
    g.SENTE_Click();
    int moves = 0;
    for (int i = 0; i < 1500; ++i) {
        const Position before = positionOf(g);
        const int teban = g.TEBAN, manSengo = g.MAN_SENGO, n = g.KIFU_NOW;
        const Click c = nextClick(g, rng);
        g.Form_MouseDown(c.button, 0, c.X, c.Y);
        rig.canvas.clear();
        ASSERT_EQ(checkInvariants(g), "") << "click " << i;
        if (g.KIFU_LAST == n && g.TEBAN != 0) {
            ASSERT_EQ(positionOf(g), before) << "click " << i;
            continue;
        }
        ASSERT_GE(g.TEBAN == 0 ? listAtEnd : g.KIFU_LAST, n + 1) << "click " << i;
        expectLegalMove(before, teban, manSengo, g, n + 1, nullptr);
        ++moves;
        if (g.TEBAN == 0) {
            g.SENTE_Click();
            continue;
        }
        // The computer answered inside the click.
        ASSERT_EQ(g.KIFU_NOW, n + 2) << "click " << i;
        EXPECT_GE(g.KIFU_KOMA[n + 2], HU);
        EXPECT_EQ(g.TEBAN, g.MAN_SENGO);
        EXPECT_EQ(g.駒総数(), 40);
        if (HasFailure()) break;
    }
    EXPECT_GT(moves, 40);
}

}  // namespace
}  // namespace fudo::test
