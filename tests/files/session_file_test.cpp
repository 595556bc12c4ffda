// The session file: games in every state survive the round trip field by field, a
// restored game against the computer plays on exactly as the original does, and faulty
// files are refused without touching the game.
#include <algorithm>
#include <fstream>
#include <functional>
#include <random>
#include <set>

#include <gtest/gtest.h>

#include "files/session_file.h"
#include "search/strength.h"
#include "tests/control/control_support.h"
#include "tests/files/game_state.h"
#include "tests/support/invariants.h"

namespace fudo::test {
namespace {

// Members a session does not carry: the pick and the clock's host time belong to the
// moment; the options, the font and the sound handles to the program.
const std::set<std::string> kNotCarried = {"SENTAKU_X", "SENTAKU_Y", "SENTAKU_KOMA", "JIKAN_START",
                                           "SIDOU_FLAG", "SIDOU_COLOR", "HAIKEI_NOW", "FONT_BOLD",
                                           "SOUND_DS", "SOUND_SONOTA", "SOUND_KINSI", "SOUND_KOMAOTO",
                                           "SOUND_KAVELU", "SOUND_BGM", "MENU", "持ち時間設定"};

// A snapshot without the move list's entries past its end, which nothing reads.
GameState held(const Game& g) {
    GameState s = snapshot(g);
    for (auto* row : {&s.KIFU_MOTO_X, &s.KIFU_MOTO_Y, &s.KIFU_SAKI_X, &s.KIFU_SAKI_Y, &s.KIFU_KOMA,
                      &s.KIFU_KOMA_ATO, &s.KIFU_TORI})
        std::fill(row->begin() + g.KIFU_LAST + 1, row->end(), 0);
    for (auto* row : {&s.KIFU_MAN_JIKAN_MAE, &s.KIFU_MAN_JIKAN, &s.KIFU_COM_JIKAN_MAE, &s.KIFU_COM_JIKAN})
        std::fill(row->begin() + g.KIFU_LAST + 1, row->end(), 0.0);
    return s;
}

std::vector<std::string> carriedDifferences(const Game& a, const Game& b) {
    std::vector<std::string> out;
    for (const std::string& d : differences(held(a), held(b)))
        if (!kNotCarried.count(d)) out.push_back(d);
    return out;
}

std::string join(const std::vector<std::string>& v) {
    std::string s;
    for (auto& x : v) s += x + " ";
    return s;
}

class SessionFile : public ControlTest {
protected:
    // A second game, started up the same way, to restore into.
    Rig other;
    Game& h = other.game;
    void SetUp() override {
        ControlTest::SetUp();
        loadWithSounds(other);
    }
    // Plays a random legal board move of the side to move that neither moves nor takes a
    // king nor must promote.
    void playSomeMove(std::mt19937& rng) {
        std::vector<LegalMove> moves;
        for (const LegalMove& m : legalMoves(g, g.TEBAN == g.MAN_SENGO ? -1 : 1))
            if (!m.drop() && !m.king() && !m.takesKing() && !m.mustPromote) moves.push_back(m);
        ASSERT_FALSE(moves.empty());
        const LegalMove m = moves[std::uniform_int_distribution<size_t>(0, moves.size() - 1)(rng)];
        move(g, m.fx, m.fy, m.tx, m.ty);
    }
};

// Each state is written, read into a fresh game, and compared member by member.
TEST_F(SessionFile, EveryKindOfGameSurvivesTheRoundTrip) {
    rig.dialogs.defaultYesNo = Answer::Yes;
    std::string atComputersTurn;
    rig.host.onMoveMade = [&] { atComputersTurn = セッション文字列(g); };
    const struct {
        const char* what;
        std::function<void()> setUp;
        bool kept = true;  // offered back at the next start
    } cases[] = {
        {"two persons, mid-game",
         [&] {
             startTwoPersons();
             std::mt19937 rng(5);
             for (int i = 0; i < 9; ++i) {
                 rig.host.time += 3 + i;
                 g.Timer1_Timer();
                 playSomeMove(rng);
             }
         }},
        {"against the computer, stepped back",
         [&] {
             g.SENTE_Click();
             move(g, 7, 7, 7, 6);
             move(g, 3, 7, 3, 6);
             g.REPLAY_Click();
             g.REPLAY_Click();
         }},
        {"record mode",
         [&] {
             startTwoPersons();
             move(g, 7, 7, 7, 6);
             move(g, 3, 3, 3, 4);
             // Saved through the record controls and read back, then one move forward.
             g.KIFU_WRITE_Click();
             rig.host.setTextBox(1, "記録");
             g.Command1_Click();
             g.File1_Click("記録.棋譜");
             ASSERT_EQ(g.KIFU_MODE, 1);
             g.AFTER_Click();
         },
         false},
        {"handicap, computer first",
         [&] {
             g.LBEL_UP_Click();
             g.LBEL_UP_Click();
             g.GOTE_Click();
             move(g, 3, 7, 3, 6);
         }},
        {"reversed",
         [&] {
             startTwoPersons();
             move(g, 7, 7, 7, 6);
             g.REVERSE_Click();
             g.START_Click();
             move(g, 3, 7, 3, 6);
         }},
        {"a step of level 4, after its reply",
         [&] {
             g.段階_Click(2);
             g.SENTE_Click();
             move(g, 7, 7, 7, 6);
             ASSERT_EQ(g.KIFU_LAST, 2) << "the step replied";
         }},
        {"level 1, computer to move",
         [&] {
             g.LEVEL1_Click();
             g.SENTE_Click();
             move(g, 2, 7, 2, 6);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        g.初期設定();
        atComputersTurn.clear();
        c.setUp();
        ASSERT_EQ(保存する対局か(g), c.kept);
        std::string error;
        bool unfinished = !c.kept;
        ASSERT_TRUE(検査_セッション(セッション文字列(g), error, &unfinished)) << error;
        EXPECT_EQ(unfinished, c.kept);
        ASSERT_TRUE(読込_セッション(h, セッション文字列(g), error)) << error;
        EXPECT_EQ(join(carriedDifferences(g, h)), "");
        EXPECT_EQ(h.SENTAKU, 0);
        EXPECT_EQ(セッション文字列(h), セッション文字列(g));
    }
    // The last case saved the game as the computer was about to think.
    ASSERT_FALSE(atComputersTurn.empty());
    std::string error;
    ASSERT_TRUE(読込_セッション(h, atComputersTurn, error)) << error;
    EXPECT_EQ(h.TEBAN, h.COM_SENGO);
    EXPECT_EQ(h.COM_LEVEL, 1);
    EXPECT_TRUE(h.MENU.LEVEL1 && !h.MENU.LEVEL3);
    const int before = h.KIFU_LAST;
    other.canvas.clear();
    再開_セッション(h);
    EXPECT_EQ(h.KIFU_LAST, before + 1) << "the computer moved at once";
    // The redraw shows the move number and the person's last move as well.
    EXPECT_TRUE(other.canvas.hasText("手目"));
    EXPECT_TRUE(other.canvas.hasText(Game::文字列変換(h.KIFU_KOMA_ATO[before])));
    EXPECT_EQ(h.TEBAN, h.MAN_SENGO);
    EXPECT_EQ(join(carriedDifferences(g, h)), "") << "and as it did in the original game";
}

// A game restored mid-way answers every later move exactly as the original: the maps the
// computer carries between turns travel with it.
TEST_F(SessionFile, ARestoredGameAgainstTheComputerPlaysOnExactly) {
    for (int level : {1, 2, 3}) {
        SCOPED_TRACE(level);
        g.初期設定();
        g.レベル_設定(level);
        g.SENTE_Click();
        std::mt19937 rng(level);
        for (int i = 0; i < 4 && g.TEBAN != 0; ++i) playSomeMove(rng);
        ASSERT_NE(g.TEBAN, 0);
        std::string error;
        h.初期設定();
        other.host.time += 3600;  // the program that restores has run for an hour: not the player's time
        ASSERT_TRUE(読込_セッション(h, セッション文字列(g), error)) << error;
        再開_セッション(h);
        for (int i = 0; i < 6 && g.TEBAN != 0; ++i) {
            const int n = g.KIFU_LAST + 1;  // the person's next move, then the computer's answer
            for (Rig* r : {&rig, &other}) {  // the person thinks for two seconds
                r->host.time += 2;
                r->game.Timer1_Timer();
            }
            playSomeMove(rng);
            move(h, g.KIFU_MOTO_X[n], g.KIFU_MOTO_Y[n], g.KIFU_SAKI_X[n], g.KIFU_SAKI_Y[n]);
            ASSERT_EQ(join(carriedDifferences(g, h)), "") << "after move " << n;
        }
    }
}

// A game kept in the middle of a turn and resumed later records the same times as the
// same game played without a break: the turn's seconds before the break count, the break
// does not. The clock is injected; the window's ticks come between the moves, and a
// person reads each check box for a while.
TEST_F(SessionFile, AResumedGameRecordsTheTimesOfAnUnbrokenOne) {
    for (const bool keika : {true, false})
        for (int level : {1, 3}) {
            SCOPED_TRACE(testing::Message() << "keika " << keika << " level " << level);
            for (Game* x : {&g, &h})
                if (x->MENU.KEIKA != keika) x->KEIKA_Click();
            rig.dialogs.onShow = [this](const auto&) { rig.host.time += 2.5; };
            other.dialogs.onShow = [this](const auto&) { other.host.time += 2.5; };
            g.初期設定();
            g.レベル_設定(level);
            g.SENTE_Click();
            std::mt19937 rng(level + 7);
            auto think = [](Rig& r, double s) {
                for (double t = 0; t < s; t += 0.75) {
                    r.host.time += 0.75;
                    r.game.Timer1_Timer();
                }
            };
            for (int i = 0; i < 5 && g.TEBAN != 0; ++i) {
                think(rig, 3 + i);
                playSomeMove(rng);
            }
            ASSERT_NE(g.TEBAN, 0);
            think(rig, 4);  // the break comes in the middle of the person's turn
            std::string error;
            h.初期設定();
            other.host.time = rig.host.time + 86000;
            ASSERT_TRUE(読込_セッション(h, セッション文字列(g), error)) << error;
            再開_セッション(h);
            double counted = 0;
            for (int i = 0; i < 8 && g.TEBAN != 0 && !g.終局.終わった(); ++i) {
                const int n = g.KIFU_LAST + 1;
                think(rig, 6 + i);
                think(other, 6 + i);
                playSomeMove(rng);
                move(h, g.KIFU_MOTO_X[n], g.KIFU_MOTO_Y[n], g.KIFU_SAKI_X[n], g.KIFU_SAKI_Y[n]);
                ASSERT_EQ(h.KIFU_LAST, g.KIFU_LAST);
                for (int k = 1; k <= g.KIFU_LAST; ++k) {
                    SCOPED_TRACE(k);
                    EXPECT_NEAR(h.KIFU_MAN_JIKAN[k], g.KIFU_MAN_JIKAN[k], 1e-6);
                    EXPECT_NEAR(h.KIFU_COM_JIKAN[k], g.KIFU_COM_JIKAN[k], 1e-6);
                    EXPECT_NEAR(h.KIFU_MAN_JIKAN_MAE[k], g.KIFU_MAN_JIKAN_MAE[k], 1e-6);
                    EXPECT_NEAR(h.KIFU_COM_JIKAN_MAE[k], g.KIFU_COM_JIKAN_MAE[k], 1e-6);
                }
                EXPECT_NEAR(h.MAN_JIKAN, g.MAN_JIKAN, 1e-6);
                EXPECT_NEAR(h.COM_JIKAN, g.COM_JIKAN, 1e-6);
                counted = std::max(counted, g.MAN_JIKAN);
            }
            if (keika) {
                EXPECT_GT(counted, 40) << "the person's times were counted";
            }
            rig.dialogs.onShow = nullptr;
            other.dialogs.onShow = nullptr;
        }
}

// Faulty texts are refused with a reason and leave the game exactly as it was.
TEST_F(SessionFile, FaultyTextsAreRefusedAndChangeNothing) {
    startTwoPersons();
    move(g, 7, 7, 7, 6);
    const std::string good = セッション文字列(g);
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string s = good;
        const auto at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? s : s.replace(at, from.size(), to);
    };
    std::vector<std::pair<std::string, std::string>> texts = {
        {"empty", ""},
        {"not JSON", "前回の対局"},
        {"an array", "[1,2,3]"},
        {"another format", replaced("fudo-shogi-session", "fudo-shogi-settings")},
        {"another version", replaced("\"version\":1", "\"version\":2")},
        {"no state", R"({"format":"fudo-shogi-session","version":1})"},
        {"a field missing", replaced("\"TEBAN\":", "\"TEBAM\":")},
        {"a string for a number", replaced("\"COM_LEVEL\":3", "\"COM_LEVEL\":\"3\"")},
        {"a level out of range", replaced("\"COM_LEVEL\":3", "\"COM_LEVEL\":7")},
        {"a step out of range", replaced("\"COM_STEP\":0", "\"COM_STEP\":" + std::to_string(search::StepCount + 1))},
        {"a step as text", replaced("\"COM_STEP\":0", "\"COM_STEP\":\"2\"")},
        {"a king off the board", replaced("\"SITA_OU_X\":5", "\"SITA_OU_X\":12")},
        {"a fractional count", replaced("\"TESU\":1", "\"TESU\":1.5")},
        {"place past the list", replaced("\"KIFU_NOW\":1", "\"KIFU_NOW\":2")},
        {"the same sides", replaced("\"COM_SENGO\":-1", "\"COM_SENGO\":1")},
        {"an endless clock", replaced("\"MAN_JIKAN\":0", "\"MAN_JIKAN\":1e300")},
        {"a negative clock", replaced("\"COM_JIKAN\":0", "\"COM_JIKAN\":-1")},
        {"a piece code unknown", replaced("\"BAN\":[0", "\"BAN\":[12345")},
        {"a piece on the padding", replaced("\"BAN\":[0", "\"BAN\":[10")},
        {"a short map", replaced("\"BAN\":[0,", "\"BAN\":[")},
        {"a hand too large", replaced("\"SITA_MOCHI\":[0,0", "\"SITA_MOCHI\":[0,19")},
        {"a piece from nowhere", replaced("\"SITA_MOCHI\":[0,0", "\"SITA_MOCHI\":[0,1")},
        {"a move list of the wrong length", replaced("\"KIFU_TORI\":[0,", "\"KIFU_TORI\":[")},
        {"an unknown time control", replaced("\"TIME_CONTROL\":[0", "\"TIME_CONTROL\":[9")},
        {"a short time control", replaced("\"TIME_CONTROL\":[0,", "\"TIME_CONTROL\":[")},
        {"a turn before its start", replaced("\"TURN_ELAPSED\":", "\"TURN_ELAPSED\":-1")},
    };
    // Every cut of the good text.
    for (size_t n = 0; n < good.size(); n += 97) texts.push_back({"cut at " + std::to_string(n), good.substr(0, n)});
    for (const auto& [what, text] : texts) {
        SCOPED_TRACE(what);
        const GameState before = snapshot(h);
        std::string error;
        EXPECT_FALSE(検査_セッション(text, error));
        EXPECT_FALSE(error.empty());
        EXPECT_FALSE(読込_セッション(h, text, error));
        EXPECT_EQ(join(differences(before, snapshot(h))), "");
    }
    std::string error;
    EXPECT_TRUE(検査_セッション(good, error)) << error;
    // Files of before the steps carry none: full strength.
    h.COM_STEP = 5;
    EXPECT_TRUE(読込_セッション(h, replaced("\"COM_STEP\":0,", ""), error)) << error;
    EXPECT_EQ(h.COM_STEP, 0);
}

// A session file kept elsewhere behind a link is written there; the link stays.
TEST_F(SessionFile, ALinkedSessionFileIsWrittenAtItsTarget) {
    startTwoPersons();
    move(g, 7, 7, 7, 6);
    std::filesystem::create_directories(rig.root / "elsewhere");
    std::filesystem::create_symlink("elsewhere/kept.json", rig.root / "session.json");
    ASSERT_TRUE(書込_セッション(g, rig.root / "session.json"));
    EXPECT_TRUE(std::filesystem::is_symlink(rig.root / "session.json"));
    std::string text;
    ASSERT_TRUE(読込_セッションファイル(rig.root / "elsewhere" / "kept.json", text));
    EXPECT_EQ(text, セッション文字列(g));
}

// Written through a temporary file; a folder that cannot take it gives false and leaves
// nothing behind; only files of a sensible size are read.
TEST_F(SessionFile, FilesAreWrittenWholeAndReadBack) {
    startTwoPersons();
    move(g, 7, 7, 7, 6);
    const auto file = rig.root / "session.json";
    ASSERT_TRUE(書込_セッション(g, file));
    EXPECT_FALSE(std::filesystem::exists(rig.root / "session.json.tmp"));
    std::string text, error;
    ASSERT_TRUE(読込_セッションファイル(file, text));
    EXPECT_EQ(text, セッション文字列(g));
    move(g, 3, 3, 3, 4);
    ASSERT_TRUE(書込_セッション(g, file));  // replaces the older one
    ASSERT_TRUE(読込_セッションファイル(file, text));
    ASSERT_TRUE(読込_セッション(h, text, error)) << error;
    EXPECT_EQ(h.KIFU_LAST, 2);

    EXPECT_FALSE(書込_セッション(g, rig.root / "no-such-folder" / "session.json"));
    EXPECT_FALSE(読込_セッションファイル(rig.root / "missing.json", text));
    {
        std::ofstream big(rig.root / "big.json", std::ios::binary);
        big << std::string(5 << 20, ' ');
    }
    EXPECT_FALSE(読込_セッションファイル(rig.root / "big.json", text));
}

TEST_F(SessionFile, OnlyUnfinishedGamesAreKept) {
    EXPECT_FALSE(保存する対局か(g)) << "no game";
    startTwoPersons();
    EXPECT_FALSE(保存する対局か(g)) << "a game with no move yet";
    move(g, 7, 7, 7, 6);
    EXPECT_TRUE(保存する対局か(g));
    g.REPLAY_Click();
    EXPECT_TRUE(保存する対局か(g)) << "stepped back to the start, paused";
    rig.dialogs.defaultYesNo = Answer::Yes;
    move(g, 5, 9, 5, 8);  // a king move loses: the game is over
    EXPECT_EQ(g.TEBAN, 0);
    EXPECT_FALSE(保存する対局か(g));
    g.初期設定();
    startTwoPersons();
    move(g, 7, 7, 7, 6);
    g.REVERSE_Click();
    ASSERT_EQ(g.KIFU_LAST, 0);
    EXPECT_TRUE(保存する対局か(g)) << "moves made, the list emptied by a reversal";

    // A record being replayed is no game to continue, wherever it stands; played on from
    // the position shown, it becomes one.
    g.初期設定();
    startTwoPersons();
    move(g, 7, 7, 7, 6);
    move(g, 3, 3, 3, 4);
    g.KIFU_WRITE_Click();
    rig.host.setTextBox(1, "再生");
    g.Command1_Click();
    g.File1_Click("再生.棋譜");
    ASSERT_EQ(g.KIFU_MODE, 1);
    for (int i = 0; i <= 2; ++i) {
        EXPECT_FALSE(保存する対局か(g)) << "a record at move " << g.KIFU_NOW;
        bool unfinished = true;
        std::string error;
        ASSERT_TRUE(検査_セッション(セッション文字列(g), error, &unfinished)) << error;
        EXPECT_FALSE(unfinished) << "a record at move " << g.KIFU_NOW << " offered back";
        g.AFTER_Click();
    }
    g.START_Click();
    ASSERT_EQ(g.KIFU_MODE, 0);
    EXPECT_TRUE(保存する対局か(g)) << "played on from the record";
}

// The window may close, or the program end, while the boxes that end a game are open:
// what is kept then must say that the game is over, and nothing may play on from it.
TEST_F(SessionFile, AFinishedGameIsNeverOfferedBack) {
    std::string atTheBox;
    rig.dialogs.onShow = [&](const Shown& s) {
        if (s.text != "続けますか？") return;
        EXPECT_FALSE(保存する対局か(g)) << "kept as a game to continue";
        atTheBox = セッション文字列(g);
    };
    rig.dialogs.defaultYesNo = Answer::No;
    g.SENTE_Click();
    move(g, 7, 7, 7, 6);
    ASSERT_EQ(g.TEBAN, g.MAN_SENGO);
    move(g, 5, 9, 5, 8);  // the person moves the own king and loses
    ASSERT_FALSE(atTheBox.empty());
    EXPECT_EQ(g.終局, (終局状態{終局理由::王を動かした, g.COM_SENGO}));

    std::string error;
    bool unfinished = true;
    ASSERT_TRUE(検査_セッション(atTheBox, error, &unfinished)) << error;
    EXPECT_FALSE(unfinished) << "offered back as unfinished";
    ASSERT_TRUE(読込_セッション(h, atTheBox, error)) << error;
    EXPECT_EQ(h.終局, g.終局);
    const int moves = h.KIFU_LAST;
    再開_セッション(h);
    click(h, 3, 7);
    click(h, 3, 6);
    EXPECT_EQ(h.KIFU_LAST, moves) << "a move was played on a finished game";
    EXPECT_EQ(h.拒否, 拒否理由::終局後);
    h.SENTE_Click();
    EXPECT_EQ(h.KIFU_LAST, 0) << "a start command begins a new game";
    EXPECT_FALSE(h.終局.終わった());

    // A file of an older version says only who took a king.
    // Each field written as "NAME":value, followed by a comma.
    auto without = [](std::string text, const std::string& key) {
        const auto at = text.find("\"" + key + "\":");
        if (at != std::string::npos) text.erase(at, text.find(',', at) + 1 - at);
        return text;
    };
    std::string old = without(without(atTheBox, "END_REASON"), "END_WINNER");
    ASSERT_EQ(old.find("END_"), std::string::npos);
    ASSERT_TRUE(検査_セッション(old, error, &unfinished)) << error;
    EXPECT_TRUE(unfinished) << "nothing says that it ended";
    const auto taker = old.find("\"SYOUSYA\":0");
    ASSERT_NE(taker, std::string::npos);
    old.replace(taker, 11, "\"SYOUSYA\":1");
    ASSERT_TRUE(検査_セッション(old, error, &unfinished)) << error;
    EXPECT_FALSE(unfinished);
}

}  // namespace
}  // namespace fudo::test
