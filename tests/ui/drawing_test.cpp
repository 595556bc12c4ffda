#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

class Drawing : public ::testing::Test {
protected:
    Rig rig;
    Game& g = rig.game;
    RecordingCanvas& c = rig.canvas;
};

TEST_F(Drawing, PicturesOnlyForKnownCodes) {
    c.clear();
    g.描画_絵(KIN_NARI, 3, 3);
    g.描画_絵(-KIN_NARI, 3, 3);
    g.描画_絵(12345, 3, 3);
    EXPECT_EQ(c.count(DrawOp::Picture), 0);
    g.描画_絵(KARA, 3, 3);
    g.描画_絵(SITA_OU_MAE, 5, 9);
    g.描画_絵(HAIKEI_RENGA, 0, 0);
    EXPECT_EQ(c.count(DrawOp::Picture), 3);
}

TEST_F(Drawing, FullRedrawPaintsEverythingInOrder) {
    g.初期設定();
    g.HAIKEI_NOW = HAIKEI_TATAMI;
    g.MENU.KEIKA = true;
    g.TAIKYOKU_MODE = MODE_COM;
    g.HANDE_FLAG = 1;
    g.HANDE_LEVEL = -2;
    c.clear();
    g.画面_再描画();
    ASSERT_FALSE(c.ops.empty());
    EXPECT_EQ(c.ops.front().kind, DrawOp::FullRedraw);
    EXPECT_EQ(c.lastPictureAt(-3, -2), HAIKEI_TATAMI);
    EXPECT_EQ(c.lastPictureAt(28, 17), HAIKEI_TATAMI);
    EXPECT_EQ(c.lastPictureAt(5, 9), SITA_OU_MAE);
    EXPECT_EQ(c.lastPictureAt(11.1, 0), DORADAV2);
    EXPECT_TRUE(c.hasText("LEVEL"));
    EXPECT_TRUE(c.hasText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段"));
    EXPECT_TRUE(c.hasText("00:00:00"));
    EXPECT_TRUE(g.FONT_BOLD);
    // The board covers 81 cells; the background never paints them.
    for (auto& op : c.ops) {
        if (op.kind == DrawOp::Picture && op.code == HAIKEI_TATAMI) {
            EXPECT_FALSE(op.x >= 1 && op.x <= 9 && op.y >= 1 && op.y <= 9);
        }
    }
}

TEST_F(Drawing, CoordinateLabels) {
    c.clear();
    g.描画_桝_数値();
    // Files 9..1 from left to right, ranks 一..九 from the top, yellow over black.
    auto nine = c.textsEqual(" 9 ");
    ASSERT_EQ(nine.size(), 2u);
    EXPECT_EQ(nine[1].x, 1.1);
    EXPECT_EQ(nine[1].code, 色_黄);
    EXPECT_EQ(nine[0].code, 色_黒);
    auto one = c.textsEqual("一");
    ASSERT_EQ(one.size(), 2u);
    EXPECT_DOUBLE_EQ(one[1].y, 1.3);
    EXPECT_EQ(c.textsEqual("九")[1].x, 10.1);
}

TEST_F(Drawing, StandsShowCountsInLightRedWithShadow) {
    g.SITA_MOCHI[1] = 3;
    g.UE_MOCHI[7] = 1;
    c.clear();
    g.描画_自持盤();
    g.描画_敵持盤();
    EXPECT_EQ(c.lastPictureAt(11, 3), -HU);
    EXPECT_EQ(c.lastPictureAt(11, 4), KARA);
    EXPECT_EQ(c.lastPictureAt(-1, 1), SYA);
    auto three = c.textsEqual(" 3 ");
    ASSERT_EQ(three.size(), 2u);
    EXPECT_EQ(three[0].code, 色_黒);
    EXPECT_DOUBLE_EQ(three[0].x, 12.1);
    EXPECT_EQ(three[1].code, 色_明赤);
    EXPECT_DOUBLE_EQ(three[1].y, 3.2);
    EXPECT_EQ(three[1].size, 14);
}

TEST_F(Drawing, MoveGuidanceOutlinesReachableSquaresOnlyWhenOn) {
    clearBoard(g);
    g.BAN(5, 5) = -KIN;
    c.clear();
    g.描画_移動可能桝色(5, 5, 色_白, -KIN);
    EXPECT_EQ(c.count(DrawOp::Outline), 81) << "only the plain outlines";
    g.SIDOU_FLAG = 1;
    c.clear();
    g.描画_移動可能桝色(5, 5, 色_白, -KIN);
    int white = 0;
    for (auto& op : c.ops)
        if (op.kind == DrawOp::Outline && op.code == 色_白) ++white;
    EXPECT_EQ(white, 6);
    EXPECT_EQ(c.lastOutlineAt(5, 4), 色_白);
    EXPECT_EQ(c.lastOutlineAt(4, 6), 色_緑);
}

TEST_F(Drawing, TextConversions) {
    EXPECT_EQ(Game::文字列変換(7), "７");
    EXPECT_EQ(Game::文字列変換(1006), "六");
    EXPECT_EQ(Game::文字列変換(-HU), "歩");
    EXPECT_EQ(Game::文字列変換(SYA_NARI), "飛成");
    EXPECT_EQ(Game::文字列変換(0), "");
    EXPECT_EQ(Game::文字列変換(1010), "");
    EXPECT_EQ(Game::文字列変換(KIN_NARI), "");
}

TEST_F(Drawing, MoveNumberStaysRightAligned) {
    auto xOf = [&](int n) {
        c.clear();
        g.描画_手数(n);
        char buf[16];
        std::snprintf(buf, sizeof buf, " %d ", n);
        return c.textsEqual(buf).at(1).x;
    };
    EXPECT_GT(xOf(9), xOf(10));
    EXPECT_GT(xOf(10), xOf(100));
    EXPECT_TRUE(c.hasText("手目"));
}

// The counter as the game has always drawn it: the number right-aligned, "手目" a little
// higher beside it, each over its shadow.
TEST_F(Drawing, TheMoveCounterKeepsItsClassicLayout) {
    struct Want {
        double x, y;
        const char* text;
        int colour, size;
    };
    const std::pair<int, std::vector<Want>> cases[] = {
        {7, {{13.3, 4.4, " 7 ", 色_黒, 12}, {13.2, 4.3, " 7 ", 色_明赤, 12}, {13.9, 4.2, "手目", 色_黒, 10}, {13.8, 4.1, "手目", 色_白, 10}}},
        {123, {{13.1, 4.4, " 123 ", 色_黒, 12}, {13.0, 4.3, " 123 ", 色_明赤, 12}, {13.9, 4.2, "手目", 色_黒, 10}, {13.8, 4.1, "手目", 色_白, 10}}},
    };
    for (const auto& [n, want] : cases) {
        c.clear();
        g.描画_手数(n, 色_明赤);
        std::vector<DrawOp> texts;
        for (const DrawOp& o : c.ops)
            if (o.kind == DrawOp::Text) texts.push_back(o);
        ASSERT_EQ(texts.size(), want.size());
        for (std::size_t i = 0; i < want.size(); ++i) {
            EXPECT_NEAR(texts[i].x, want[i].x, 1e-9) << n << " " << i;
            EXPECT_NEAR(texts[i].y, want[i].y, 1e-9) << n << " " << i;
            EXPECT_EQ(texts[i].text, want[i].text);
            EXPECT_EQ(texts[i].code, want[i].colour);
            EXPECT_EQ(texts[i].size, want[i].size);
        }
    }
}

TEST_F(Drawing, LastMoveTextOnEachSide) {
    g.MAN_SENGO = -1;
    g.COM_SENGO = 1;
    c.clear();
    g.描画_移動結果(-1, 3, 6, -HU, 色_白);
    auto f = c.textsEqual("７");
    ASSERT_EQ(f.size(), 2u);
    EXPECT_DOUBLE_EQ(f[1].x, 13.4);
    EXPECT_DOUBLE_EQ(f[1].y, 3.4);
    EXPECT_DOUBLE_EQ(c.textsEqual("六").at(1).x, 13.8);
    EXPECT_DOUBLE_EQ(c.textsEqual("歩").at(1).x, 14.4);
    c.clear();
    g.描画_移動結果(1, 7, 3, KAKU_NARI, 色_白);
    EXPECT_DOUBLE_EQ(c.textsEqual("角成").at(1).x, -0.6);
    EXPECT_DOUBLE_EQ(c.textsEqual("角成").at(1).y, 8.4);
    c.clear();
    g.描画_移動結果(0, 7, 3, KAKU_NARI, 色_白);
    EXPECT_EQ(c.count(DrawOp::Text), 0);
}

// A record's names stay on the screen when the view turns, each on its player's side.
TEST_F(Drawing, TurningTheViewKeepsARecordsNamesOnTheirSides) {
    g.KIFU_MODE = 1;
    g.棋譜見出し = {"名人戦", "上の人", "下の人"};
    const double top = (100.0 - BAN_Y0) / MASU_H, bottom = (6350.0 - BAN_Y0) / MASU_H;
    for (bool turned : {true, false}) {
        c.clear();
        g.盤を回す_Click();
        ASSERT_EQ(g.視点反転, turned);
        ASSERT_EQ(c.textsEqual("上の人").size(), 1u) << turned;
        ASSERT_EQ(c.textsEqual("下の人").size(), 1u) << turned;
        EXPECT_DOUBLE_EQ(c.textsEqual("上の人")[0].y, turned ? bottom : top);
        EXPECT_DOUBLE_EQ(c.textsEqual("下の人")[0].y, turned ? top : bottom);
        EXPECT_TRUE(c.hasText("名人戦"));
    }
    // Outside a record there are no names to draw.
    g.KIFU_MODE = 0;
    c.clear();
    g.盤を回す_Click();
    EXPECT_FALSE(c.hasText("上の人"));
}

// The level caption names the strength step played, and is the classic one without a step.
TEST_F(Drawing, TheLevelCaptionNamesTheStep) {
    g.TAIKYOKU_MODE = MODE_COM;
    for (int step = 0; step <= 11; ++step) {
        g.COM_STEP = step;
        c.clear();
        g.描画_レベル(4);
        const auto white = [&](const std::string& t) {
            const auto all = c.textsEqual(t);
            return std::count_if(all.begin(), all.end(), [](const DrawOp& o) { return o.code == 色_白; });
        };
        EXPECT_EQ(white("LEVEL"), 1) << step;
        if (step == 0) {
            EXPECT_EQ(white(" 4 "), 1);
            EXPECT_DOUBLE_EQ(c.textsEqual("LEVEL").at(1).x, -1.5);
        } else {
            EXPECT_EQ(white("4-" + std::to_string(step)), 1) << step;
            EXPECT_FALSE(c.hasText(" 4 ")) << step;
            // Within the tiles the level commands paint over first.
            for (const DrawOp& o : c.ops) EXPECT_GE(o.x, -2.0);
        }
        // Every text over its shadow.
        EXPECT_EQ(c.count(DrawOp::Text), 4);
    }
    g.COM_STEP = 0;
    c.clear();
    g.描画_レベル(3);
    EXPECT_EQ(c.textsEqual(" 3 ").size(), 2u);
}

// The last move's parts tell the piece as it stood and a promotion left open, so that a
// window can word it as the move list does.
TEST_F(Drawing, TheLastMoveTellsThePieceBeforeAndADeclinedPromotion) {
    struct Parts : RecordingCanvas {
        std::vector<MoveParts> moves;
        void moveText(double x, double y, const MoveParts& m, int colour, bool bold) override {
            moves.push_back(m);
            Canvas::moveText(x, y, m, colour, bold);
        }
    } parts;
    Game h(parts, rig.dialogs, rig.host, nullptr);
    h.MAN_SENGO = -1;
    h.COM_SENGO = 1;
    struct Case {
        int fx, fy, tx, ty, before, after;
        bool declined;
    };
    const Case cases[] = {
        {2, 8, 8, 2, -KAKU, -KAKU_NARI, false},  // promoted
        {5, 4, 5, 3, -GIN, -GIN, true},          // into the zone, left plain
        {5, 2, 5, 1, -GIN, -GIN, true},          // a silver may stay plain on the last rank
        {4, 6, 4, 5, -GIN, -GIN, false},         // outside the zone
        {5, 2, 5, 1, -HU, -HU_NARI, false},      // a pawn must promote there
        {3, 4, 3, 3, -KIN, -KIN, false},         // a gold never promotes
        {11, 1, 5, 3, -GIN, -GIN, false},        // a drop
    };
    for (const Case& k : cases) {
        h.KIFU_NOW = 1;
        h.KIFU_MOTO_X[1] = k.fx;
        h.KIFU_MOTO_Y[1] = k.fy;
        h.KIFU_SAKI_X[1] = k.tx;
        h.KIFU_SAKI_Y[1] = k.ty;
        h.KIFU_KOMA[1] = k.before;
        h.KIFU_KOMA_ATO[1] = k.after;
        h.KIFU_TORI[1] = 0;
        h.NARI_KOMA = 777;  // an answer kept by the board input
        parts.moves.clear();
        h.描画_移動結果(-1, k.tx, k.ty, k.after, 色_白);
        ASSERT_EQ(parts.moves.size(), 2u);
        const MoveParts& m = parts.moves.back();
        EXPECT_EQ(m.before, k.before) << k.fx << k.fy;
        EXPECT_EQ(m.piece, k.after);
        EXPECT_EQ(m.declined, k.declined) << k.fx << k.fy << " " << k.before;
        EXPECT_EQ(h.NARI_KOMA, 777);
    }
}

// A finished game left on the board shows the finished plaque, at once and after a redraw;
// a new game shows the plaque of a game in play.
TEST_F(Drawing, AFinishedGameLeftOnTheBoardShowsItsOwnPlaque) {
    g.補助.案内 = true;
    g.TITLE_E = DIRUVID;
    g.画面_再描画();
    EXPECT_EQ(c.lastPictureAt(11.1, 0), DIRUVID);
    c.clear();
    g.終了("あなた", 終局理由::詰み, g.MAN_SENGO);
    EXPECT_EQ(c.lastPictureAt(11.1, 0), DIRUVID_SUMI);
    g.画面_再描画();
    EXPECT_EQ(c.lastPictureAt(11.1, 0), DIRUVID_SUMI);
    g.終局 = {};
    g.画面_再描画();
    EXPECT_EQ(c.lastPictureAt(11.1, 0), DIRUVID);
    // Outside a game the plain plaque, whatever the last game did.
    g.TITLE_E = DORADAV2;
    g.終局 = {終局理由::詰み, 1};
    g.画面_再描画();
    EXPECT_EQ(c.lastPictureAt(11.1, 0), DORADAV2);
}

TEST_F(Drawing, HandicapCaptionsAndRefusalMessage) {
    c.clear();
    g.描画_ハンデレベル(0);
    EXPECT_TRUE(c.hasText("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級"));
    c.clear();
    g.描画_ハンデレベル(11);
    EXPECT_EQ(c.count(DrawOp::Text), 0);
    g.描画_メッセージ(2);
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, "対局途中ではできません\n\n局面→最初にして下さい");
    EXPECT_EQ(rig.dialogs.shown[0].title, "ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定");
    g.描画_メッセージ(9);
    EXPECT_EQ(rig.dialogs.shown[1].text, "\n\n局面→最初にして下さい");
}

}  // namespace
}  // namespace fudo::test
