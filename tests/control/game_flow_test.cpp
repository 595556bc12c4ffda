// The flow aids: a finished game stays on the board to be looked over, a losing move is
// played only after a question, check is marked and said, and notices go to the status
// line instead of boxes. With the aids off the boxes of the other tests hold.
#include <functional>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "tests/control/control_support.h"

namespace fudo::test {
namespace {

class GameFlow : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        g.補助.案内 = true;
    }
    // Every box shown was one of these questions.
    void expectOnlyBoxes(const std::set<std::string>& allowed) const {
        for (const Shown& s : rig.dialogs.shown) EXPECT_TRUE(allowed.count(s.text)) << "box: " << s.text;
    }
};

constexpr const char* kKingQuestion = "王を動かすと負けです。指しますか？";
constexpr const char* kTakenQuestion = "王が取られます。指しますか？";

// The new player's path: pick the king (told why it cannot move), move it anyway after a
// question, read why the game is lost, look the game over, and start again; no other box.
TEST_F(GameFlow, LosingByMovingTheKingIsExplainedAndTheGameKept) {
    g.SENTE_Click();
    EXPECT_EQ(rig.host.statusLine, "MANの番です");
    click(g, 5, 9);
    EXPECT_EQ(rig.host.statusLine, "王は動かせません。動かすと負けです");

    rig.dialogs.script = {Answer::No};
    click(g, 5, 8);
    EXPECT_EQ(shownCount(rig.dialogs, kKingQuestion, "確認"), 1);
    EXPECT_EQ(g.BAN(5, 9), -OU) << "No plays nothing";
    EXPECT_EQ(g.KIFU_LAST, 0);
    EXPECT_EQ(g.SENTAKU, 0);
    EXPECT_FALSE(g.終局.終わった());

    rig.dialogs.script = {Answer::Yes};
    move(g, 5, 9, 5, 8);
    EXPECT_EQ(g.終局, (終局状態{終局理由::王を動かした, g.COM_SENGO}));
    EXPECT_EQ(rig.host.gameOvers, 1);
    EXPECT_EQ(rig.host.statusLine, "王を動かしたので負けです");
    EXPECT_EQ(rig.canvas.textsEqual("×").size(), 1u) << "the red cross as before";
    // The finished game stays: position, list and turn; nothing asks to go on or quits.
    EXPECT_EQ(g.BAN(5, 8), -OU);
    EXPECT_EQ(g.KIFU_LAST, 1);
    EXPECT_NE(g.TEBAN, 0);
    EXPECT_EQ(rig.host.quits, 0);
    EXPECT_FALSE(g.Timer1_Enabled);
    expectOnlyBoxes({kKingQuestion});

    // Looked over: back and forward; the board itself takes no move.
    g.REPLAY_Click();
    EXPECT_EQ(g.KIFU_NOW, 0);
    EXPECT_EQ(g.BAN(5, 9), -OU);
    g.AFTER_Click();
    EXPECT_EQ(g.KIFU_NOW, 1);
    EXPECT_EQ(g.BAN(5, 8), -OU);
    move(g, 7, 7, 7, 6);
    EXPECT_EQ(g.拒否, 拒否理由::終局後);
    EXPECT_EQ(g.KIFU_LAST, 1);
    // Nor is the losing move taken back.
    g.待った_Click();
    EXPECT_EQ(g.拒否, 拒否理由::待ったできない);
    EXPECT_EQ(g.BAN(5, 8), -OU);
    EXPECT_TRUE(g.終局.終わった());
    expectOnlyBoxes({kKingQuestion});

    // And a new game from the opening.
    g.SENTE_Click();
    EXPECT_FALSE(g.終局.終わった());
    EXPECT_EQ(g.KIFU_LAST, 0);
    EXPECT_EQ(g.BAN(5, 9), -OU);
}

// Two persons: a move that leaves the own king to be taken asks first, for either side;
// check is said on the status line and tinted on the king; taking the king ends the game
// with the winner and the reason in words.
TEST_F(GameFlow, ChecksAndMovesThatLeaveTheKingToBeTaken) {
    clearBoard(g);
    g.BAN(5, 8) = -KIN;  // shields the lower king from the rook
    g.BAN(5, 5) = SYA;
    g.BAN(9, 4) = -SYA;
    g.BAN(1, 3) = HU;
    g.START_Click();
    EXPECT_EQ(rig.host.statusLine, "先手の番です");
    rig.dialogs.clear();

    // A safe move asks nothing and gives check.
    move(g, 9, 4, 5, 4);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(rig.host.statusLine, "王手");
    EXPECT_TRUE(g.王が狙われている(+1));
    EXPECT_EQ(g.桝の印(5, 1), Tint::Check);
    EXPECT_EQ(g.桝の印(5, 9), Tint::None);

    // The upper side leaves its king in check: asked, and played on Yes exactly as before.
    rig.dialogs.script = {Answer::Yes};
    move(g, 1, 3, 1, 4);
    EXPECT_EQ(shownCount(rig.dialogs, kTakenQuestion, "確認"), 1);
    EXPECT_EQ(g.BAN(1, 4), HU);
    EXPECT_EQ(g.KIFU_LAST, 2);

    // The gold steps aside and lays the lower king open: No keeps the position.
    rig.dialogs.clear();
    rig.dialogs.script = {Answer::No};
    move(g, 5, 8, 4, 8);
    EXPECT_EQ(shownCount(rig.dialogs, kTakenQuestion, "確認"), 1);
    EXPECT_EQ(g.BAN(5, 8), -KIN);
    EXPECT_EQ(g.KIFU_LAST, 2);

    // Taking the king ends it; the words say who and why.
    rig.dialogs.clear();
    move(g, 5, 4, 5, 1);
    EXPECT_EQ(g.終局, (終局状態{終局理由::王を取った, g.TE_SENTE}));
    EXPECT_EQ(rig.host.statusLine, "先手が王を取りました。先手の勝ちです");
    EXPECT_EQ(rig.host.gameOvers, 1);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(g.桝の印(5, 1), Tint::None) << "no king left there to tint";
    // The finished game is kept as it ended: the last move is not taken back.
    g.待った_Click();
    EXPECT_EQ(g.拒否, 拒否理由::待ったできない);
    EXPECT_EQ(g.BAN(5, 1), -SYA);
    EXPECT_TRUE(g.終局.終わった());
}

// Every way a game ends has its own words, in both kinds of game; a mate announced by the
// computer marks the person's king until the position moves on.
TEST_F(GameFlow, EveryEndHasItsWordsAndTheMatedKingIsMarked) {
    std::set<std::string> words;
    for (int mode : {MODE_COM, MODE_MAN})
        for (終局理由 r : {終局理由::王を動かした, 終局理由::王を取った, 終局理由::詰み, 終局理由::投了, 終局理由::時間切れ})
            for (int winner : {+1, -1}) {
                g.TAIKYOKU_MODE = mode;
                g.終局 = {r, winner};
                const std::string w = g.終局の文();
                EXPECT_FALSE(w.empty());
                words.insert(w);
            }
    g.終局 = {終局理由::手数上限, 0};
    EXPECT_EQ(g.終局の文(), "500手で引き分けです");
    EXPECT_GE(words.size(), 16u) << "winner and reason both change the words";

    g.終局 = {};
    clearBoard(g);
    g.BAN(5, 8) = KIN;  // next to the lower king: check
    g.START_Click();
    EXPECT_EQ(g.桝の印(5, 9), Tint::Check);
    g.詰み手 = g.KIFU_NOW = 1;
    EXPECT_EQ(g.桝の印(5, 9), Tint::Mated);
    g.KIFU_NOW = 2;
    EXPECT_EQ(g.桝の印(5, 9), Tint::Check);
    // The aid off: no king marks at all.
    g.補助.案内 = false;
    EXPECT_EQ(g.桝の印(5, 9), Tint::None);
}

// Two persons: a check that nothing can take or block is said and marked as mate, by the
// test of the game against the computer, for either king; only an aid, the game goes on
// and the maps the computer keeps are left as they were. A check that can be answered is
// only check.
TEST_F(GameFlow, TwoPersonsSeeMateMarkedAsAnAid) {
    struct Case {
        const char* what;
        std::function<void()> setUp;
        int fx, fy, tx, ty;  // the checking move, after one move of the lower side if upper
        bool mate;
    };
    const Case cases[] = {
        {"the lower rook mates the upper king", [&] { g.BAN(9, 5) = -SYA; }, 9, 5, 5, 5, true},
        {"a gold in the upper hand can block",
         [&] {
             g.BAN(9, 5) = -SYA;
             g.UE_MOCHI[2] = 1;
             g.UE_MOCHI_SU = 1;
         },
         9, 5, 5, 5, false},
        {"an upper silver can take the rook",
         [&] {
             g.BAN(9, 5) = -SYA;
             g.BAN(4, 4) = GIN;
         },
         9, 5, 5, 5, false},
        {"the upper rook mates the lower king", [&] { g.BAN(9, 5) = SYA; }, 9, 5, 5, 5, true},
        // A pawn drop would block, but the lower side has a pawn on that file.
        {"only a pawn in hand, and it would be a second pawn",
         [&] {
             g.BAN(9, 5) = SYA;
             g.BAN(5, 3) = -HU;
             g.SITA_MOCHI[1] = 1;
             g.SITA_MOCHI_SU = 1;
         },
         9, 5, 5, 5, true},
        {"only a pawn in hand, and it may be dropped",
         [&] {
             g.BAN(9, 5) = SYA;
             g.SITA_MOCHI[1] = 1;
             g.SITA_MOCHI_SU = 1;
         },
         9, 5, 5, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g.初期設定();
        clearBoard(g);
        g.BAN(1, 7) = -HU;  // a move for each side, away from the kings
        g.BAN(1, 3) = HU;
        c.setUp();
        g.START_Click();
        const bool upper = g.BAN(c.fx, c.fy) > 0;
        if (upper) move(g, 1, 7, 1, 6);
        const int king = upper ? -1 : +1;  // the side whose king is checked
        const int kingY = upper ? 9 : 1;
        const IntMap seiryoku = g.UE_SEIRYOKU, oute = g.SITA_OUTE, mamori = g.UE_MAMORI_X;
        const auto nifu = g.NIFU_SITA;
        rig.dialogs.clear();
        move(g, c.fx, c.fy, c.tx, c.ty);
        ASSERT_EQ(g.BAN(c.tx, c.ty), upper ? SYA : -SYA);
        ASSERT_TRUE(g.王が狙われている(king));
        EXPECT_EQ(rig.host.statusLine, c.mate ? "詰みです。次に王を取られます" : "王手");
        EXPECT_EQ(g.桝の印(5, kingY), c.mate ? Tint::Mated : Tint::Check);
        EXPECT_EQ(g.桝の印(5, 10 - kingY), Tint::None) << "the other king";
        EXPECT_FALSE(g.終局.終わった()) << "mate is an aid: the game goes on";
        EXPECT_TRUE(rig.dialogs.shown.empty());
        EXPECT_TRUE(g.UE_SEIRYOKU == seiryoku && g.SITA_OUTE == oute && g.UE_MAMORI_X == mamori)
            << "the survey's maps changed";
        EXPECT_EQ(g.NIFU_SITA, nifu);

        // The side in check plays on (asked, as its king is left to be taken); the mark goes.
        rig.dialogs.script = {Answer::Yes};
        if (upper)
            move(g, 1, 6, 1, 5);
        else
            move(g, 1, 3, 1, 4);
        EXPECT_EQ(g.KIFU_LAST, upper ? 3 : 2);
        EXPECT_NE(g.桝の印(5, kingY), Tint::Mated);
        // Taken back to the checking move: the mark comes back with it.
        g.待った_Click();
        EXPECT_EQ(g.桝の印(5, kingY), c.mate ? Tint::Mated : Tint::Check);
        // Taken back over it, another move there checks nothing: no mark of the old one.
        g.待った_Click();
        move(g, c.fx, c.fy, c.fx - 1, c.fy);
        ASSERT_EQ(g.BAN(c.fx - 1, c.fy), upper ? SYA : -SYA);
        EXPECT_EQ(g.桝の印(5, kingY), Tint::None);
        EXPECT_NE(rig.host.statusLine, "詰みです。次に王を取られます");
    }
}

// A full list ends the game as a draw on the board; notices of a resumed game and of a
// game without a start go to the status line.
TEST_F(GameFlow, DrawsAndNoticesNeedNoBox) {
    startTwoPersons();
    g.KIFU_NOW = g.KIFU_LAST = KIFU_MAX - 1;
    move(g, 7, 7, 7, 6);
    EXPECT_EQ(g.終局.理由, 終局理由::手数上限);
    EXPECT_EQ(rig.host.statusLine, "500手で引き分けです");
    EXPECT_EQ(rig.host.gameOvers, 1);
    EXPECT_NE(g.TEBAN, 0);

    g.初期設定();
    click(g, 7, 7);
    EXPECT_EQ(g.拒否, 拒否理由::対局前);
    EXPECT_EQ(rig.host.statusLine, "F2 で対局を始めます");

    startTwoPersons();
    move(g, 7, 7, 7, 6);
    g.REPLAY_Click();
    click(g, 3, 3);  // resumes, and the click still counts
    EXPECT_EQ(rig.host.statusLine, "相手の駒です");
    EXPECT_EQ(g.SAIKAI_MATI, 0);
    EXPECT_TRUE(rig.dialogs.shown.empty());
}

}  // namespace
}  // namespace fudo::test
