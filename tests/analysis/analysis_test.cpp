// The review of a game: fixed positions and a short game searched to fixed depths (so the
// results are the same on any machine), the marks, the graph's mapping from clicks to
// moves, and the review kept through a KIF file as the comments other programs read.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "analysis/comments.h"
#include "analysis/graph_scale.h"
#include "notation/kif.h"
#include "notation/record_io.h"
#include "tests/cli/run_cli.h"
#include "tests/notation/exchange_samples.h"

namespace fudo::analysis {
namespace {

using search::Color;

// ▲７六歩 △３四歩 ▲７八銀 (leaves the bishop on 88 to be taken for nothing) △８八角成.
対局記録 角損の対局() {
    対局記録 r;
    r.棋譜.下手名 = "先手";
    r.棋譜.上手名 = "後手";
    r.棋譜.手 = {
        {3, 7, 3, 6, -HU, -HU, 0, 0, 0, 0, 0},
        {7, 3, 7, 4, HU, HU, 0, 0, 0, 0, 0},
        {3, 9, 3, 8, -GIN, -GIN, 0, 0, 0, 0, 0},
        {8, 2, 2, 8, KAKU_NARI, KAKU, -KAKU, 0, 0, 0, 0},
    };
    return r;
}

search::Limits 深さ(int d) {
    search::Limits l;
    l.depth = d;
    return l;
}

棋譜解析 解析(const 対局記録& r, int depth) {
    search::Engine engine(8);
    std::atomic<bool> stop{false};
    return 解析する(r, engine, 深さ(depth), stop);
}

TEST(Analysis, FixedPositionsByDepth) {
    const 対局記録 r = 角損の対局();
    ASSERT_EQ(検査_対局記録(r), "");
    const 局面列 ps = 作成_局面列(r);
    ASSERT_EQ(ps.局面.size(), 5u);
    EXPECT_EQ(ps.先手, Color::Lower);

    for (int depth : {2, 3, 4}) {
        SCOPED_TRACE(depth);
        std::vector<int> seen;
        search::Engine engine(8);
        std::atomic<bool> stop{false};
        const 棋譜解析 a = 解析する(r, engine, 深さ(depth), stop,
                                    [&](int ply, const 局面評価&) { seen.push_back(ply); });
        EXPECT_EQ(seen, (std::vector<int>{4, 3, 2, 1, 0}));  // from the end back
        ASSERT_TRUE(a.完了());
        for (const 局面評価& e : a.局面) {
            EXPECT_EQ(e.深さ, depth);
            EXPECT_FALSE(e.読み筋.empty());
            EXPECT_FALSE(詰みか(e.評価値));
        }
        // The opening is level; after ▲７八銀 △ wins a bishop, and the evaluation says so
        // from ▲'s side both before and after △ takes it.
        EXPECT_LT(std::abs(a.局面[0].評価値), 300);
        EXPECT_LT(a.局面[3].評価値, -500);
        EXPECT_LT(a.局面[4].評価値, -500);
        // The best move after ▲７八銀 is the capture, and its line starts with it in words.
        EXPECT_EQ(読み筋表記(r, 3, {a.局面[3].読み筋.front()}), "△８八角成(22)");
        // ▲７八銀 is the blunder; ▲ gets the only mark of weight.
        EXPECT_GE(a.印列[2], 印::悪手);
        EXPECT_TRUE(a.先手の手[2]);
        EXPECT_LE(a.印列[0], 印::疑問手);
        EXPECT_EQ(a.印列[3], 印::なし);
        const 棋譜解析::集計 c = a.集計する();
        EXPECT_EQ(c.数[1][1] + c.数[1][2], 0);
        EXPECT_GE(c.数[0][1] + c.数[0][2], 1);
        // A depth-limited search is the same search every time.
        const 棋譜解析 again = 解析(r, depth);
        for (std::size_t i = 0; i < a.局面.size(); ++i) {
            EXPECT_EQ(again.局面[i].評価値, a.局面[i].評価値);
            EXPECT_EQ(again.局面[i].読み筋, a.局面[i].読み筋);
        }
    }

    // The same position seen with ▲ as the other army: the sign turns, nothing else.
    search::Engine engine(8);
    std::atomic<bool> stop{false};
    const 局面評価 lower = 局面を解析(ps.局面[3], Color::Lower, engine, 深さ(3), stop);
    engine.clear();
    std::vector<int> depths;
    const 局面評価 upper = 局面を解析(ps.局面[3], Color::Upper, engine, 深さ(3), stop,
                                      [&](const 局面評価& e) { depths.push_back(e.深さ); });
    EXPECT_EQ(lower.評価値, -upper.評価値);
    EXPECT_EQ(depths, (std::vector<int>{1, 2, 3}));

    // A king that can be taken at once: a won game for the side to move, in one ply.
    search::Snapshot s;
    s.ban[5][9] = -OU;
    s.ban[5][1] = OU;
    s.ban[5][2] = -KIN;
    s.toMove = Color::Lower;
    s.movesPlayed = 30;
    engine.clear();
    const 局面評価 win = 局面を解析(s, Color::Lower, engine, 深さ(2), stop);
    EXPECT_TRUE(詰みか(win.評価値));
    EXPECT_GT(win.評価値, 0);
    EXPECT_EQ(詰み手数(win.評価値), 1);
    ASSERT_FALSE(win.読み筋.empty());
    EXPECT_EQ(search::toOf(win.読み筋.front()), search::square(5, 1));
}

TEST(Analysis, TheBestMoveFoundIsNeverMarked) {
    // ▲７八銀 with both of its positions searched and a steep fall after it: marked, unless
    // the search before it named that very move; the gold's step to the same square is
    // another move.
    const 対局記録 r = 角損の対局();
    const search::Move silver = search::makeMove(search::square(3, 9), search::square(3, 8), false);
    const search::Move gold = search::makeMove(search::square(4, 9), search::square(3, 8), false);
    for (auto [line, marked] : {std::pair{std::vector<search::Move>{}, true}, {{gold}, true}, {{silver, gold}, false}}) {
        棋譜解析 a;
        a.局面.resize(5);
        for (局面評価& e : a.局面) e.済 = true;
        a.局面[3].評価値 = a.局面[4].評価値 = -2000;
        a.局面[2].読み筋 = line;
        印を付ける(r, a);
        EXPECT_EQ(a.印列[2], marked ? 印::大悪手 : 印::なし) << line.size();
        EXPECT_EQ(a.集計する().数[0][2], marked ? 1 : 0);
        // The same through the record's comments: the line read back names the move.
        対局記録 kept = r;
        注釈を付ける(kept, a);
        EXPECT_EQ(注釈から(kept).印列, a.印列);
    }
    // Of two golds that reach one square, the move is the one from its own square.
    const search::Snapshot start = 作成_局面列(r).局面[0];
    const 棋譜手 leftGold{4, 9, 5, 8, -KIN, -KIN, 0, 0, 0, 0, 0};
    EXPECT_TRUE(同じ手か(start, leftGold, search::makeMove(search::square(4, 9), search::square(5, 8), false)));
    EXPECT_FALSE(同じ手か(start, leftGold, search::makeMove(search::square(6, 9), search::square(5, 8), false)));
    EXPECT_FALSE(同じ手か(start, leftGold, search::NoMove));
    // Reviewed at depth 3, △'s capture is the best move and stays unmarked; so does every
    // move a search named as its best.
    const 棋譜解析 a = 解析(r, 3);
    ASSERT_FALSE(a.局面[3].読み筋.empty());
    EXPECT_TRUE(同じ手か(作成_局面列(r).局面[3], r.棋譜.手[3], a.局面[3].読み筋.front()));
    EXPECT_EQ(a.印列[3], 印::なし);
    std::mt19937_64 rng(5);
    for (int game = 0; game < 6; ++game) {
        const 対局記録 g = test::ランダム対局(rng, 0, game % 2, 12);
        const 棋譜解析 b = 解析(g, 2);
        const 局面列 ps = 作成_局面列(g);
        for (std::size_t i = 0; i < b.印列.size(); ++i)
            if (!b.局面[i].読み筋.empty() && 同じ手か(ps.局面[i], g.棋譜.手[i], b.局面[i].読み筋.front())) {
                EXPECT_EQ(b.印列[i], 印::なし) << game << " " << i;
            }
    }
}

TEST(Analysis, AMateAfterForcedRepliesCountsTheirPlies) {
    // The upper army's one move is a pawn's step; then a gold dropped in front of the upper
    // king, which never moves and has nothing to take it with, ends the game: ▲ (the lower
    // army) wins two plies from here, △ when ▲ is the upper army.
    search::Snapshot s;
    s.ban[5][9] = -OU;
    s.ban[5][1] = OU;
    s.ban[9][3] = HU;
    s.sitaMochi[5] = 1;
    s.toMove = Color::Upper;
    s.movesPlayed = 30;
    search::Engine engine(8);
    std::atomic<bool> stop{false};
    for (Color sente : {Color::Lower, Color::Upper}) {
        engine.clear();
        const 局面評価 e = 局面を解析(s, sente, engine, 深さ(4), stop);
        ASSERT_TRUE(詰みか(e.評価値)) << e.評価値;
        EXPECT_EQ(e.評価値 > 0, sente == Color::Lower);
        EXPECT_EQ(詰み手数(e.評価値), 2);
        ASSERT_GE(e.読み筋.size(), 2u);
        EXPECT_EQ(search::toOf(e.読み筋[0]), search::square(9, 4));
        EXPECT_TRUE(search::isDrop(e.読み筋[1]));
    }
    // The lower army's one move leaves the upper army, a king alone, with no move at all:
    // the game is over there, won by the lower army.
    search::Snapshot last;
    last.ban[5][9] = -OU;
    last.ban[5][1] = OU;
    last.ban[1][7] = -HU;
    last.toMove = Color::Lower;
    last.movesPlayed = 30;
    for (Color sente : {Color::Lower, Color::Upper}) {
        engine.clear();
        const 局面評価 e = 局面を解析(last, sente, engine, 深さ(4), stop);
        ASSERT_TRUE(詰みか(e.評価値)) << e.評価値;
        EXPECT_EQ(e.評価値 > 0, sente == Color::Lower);
        ASSERT_FALSE(e.読み筋.empty());
        EXPECT_EQ(search::toOf(e.読み筋[0]), search::square(1, 6));
    }
}

TEST(Analysis, ATwoPersonGameIsReviewedUnderItsOwnMateRule) {
    // The upper king checked along row 1 with only a pawn in hand, where column 3 holds an
    // upper pawn: the game against the computer ends there, a game between two persons
    // goes on with the pawn dropped between.
    search::Snapshot s;
    s.ban[5][9] = -OU;
    s.ban[5][1] = OU;
    s.ban[2][1] = -SYA;
    s.ban[3][4] = HU;
    s.ban[4][4] = HU_NARI;
    s.ueMochi[1] = 1;
    s.toMove = Color::Upper;
    s.movesPlayed = 40;
    for (bool com : {true, false}) {
        SCOPED_TRACE(com);
        対局記録 r = 角損の対局();
        r.対COM = com;
        const 局面列 ps = 作成_局面列(r);
        for (const search::Snapshot& p : ps.局面) EXPECT_EQ(p.upperMateEndsGame, com);
        s.upperMateEndsGame = ps.局面.back().upperMateEndsGame;
        search::Engine engine(8);
        std::atomic<bool> stop{false};
        const 局面評価 e = 局面を解析(s, Color::Lower, engine, 深さ(2), stop);
        // Against the computer the upper army has lost on the spot (its king is taken next);
        // between two persons it drops the pawn between and lasts a move longer.
        ASSERT_TRUE(詰みか(e.評価値) && e.評価値 > 0) << e.評価値;
        EXPECT_EQ(詰み手数(e.評価値), com ? 1 : 2);
        ASSERT_FALSE(e.読み筋.empty());
        EXPECT_EQ(search::isDrop(e.読み筋.front()), !com);
    }
}

TEST(Analysis, AHeldReviewSearchesOnlyWhatItHadNot) {
    const 対局記録 r = 角損の対局();
    棋譜解析 done = 解析(r, 2);
    done.局面[2] = {};
    const 局面評価 kept = done.局面[4];
    std::vector<int> seen;
    search::Engine engine(8);
    std::atomic<bool> stop{false};
    const 棋譜解析 a = 解析を続ける(r, done, engine, 深さ(2), stop, [&](int ply, const 局面評価&) { seen.push_back(ply); });
    EXPECT_EQ(seen, std::vector<int>{2});
    EXPECT_TRUE(a.完了());
    EXPECT_EQ(a.局面[4].評価値, kept.評価値);
    EXPECT_EQ(a.局面[4].読み筋, kept.読み筋);
    EXPECT_EQ(a.印列, 解析(r, 2).印列);
}

TEST(Analysis, MarksFollowTheMoversFallInWinningChances) {
    // A fall for the mover is a fall of ▲'s chance when ▲ moved, a rise when △ did.
    std::mt19937 rng(7);
    for (int k = 0; k < 2000; ++k) {
        const int a = static_cast<int>(rng() % 6001) - 3000, b = static_cast<int>(rng() % 6001) - 3000;
        EXPECT_EQ(判定_印(a, b, true), 判定_印(-a, -b, false));
        if (b >= a) { EXPECT_EQ(判定_印(a, b, true), 印::なし); }
        // A larger fall never gets a lighter mark.
        EXPECT_GE(判定_印(a, b - 300, true), 判定_印(a, b, true));
    }
    EXPECT_EQ(判定_印(0, 0, true), 印::なし);
    EXPECT_EQ(判定_印(search::MateScore - 3, -search::MateScore + 5, true), 印::大悪手);
    EXPECT_EQ(判定_印(2500, 2000, true), 印::なし);  // still winning: a small fall in chances
    EXPECT_EQ(勝率(search::MateScore), 100.0);
    EXPECT_EQ(勝率(0), 50.0);
}

TEST(Analysis, RandomGamesReplayAndEndSettled) {
    // The engine's view of each position is the record replayed by a plain model; every
    // position of a finished random game gets a verdict, the last one the game's result.
    std::mt19937_64 rng(11);
    int firstMovers[2] = {};
    for (int game = 0; game < 12; ++game) {
        SCOPED_TRACE(game);
        const int grade = game % 3 == 0 ? static_cast<int>(rng() % 21) - 10 : 0;
        const 対局記録 r = test::ランダム対局(rng, grade, rng() % 2, 6 + static_cast<int>(rng() % 20));
        const 局面列 ps = 作成_局面列(r);
        ASSERT_EQ(ps.局面.size(), r.棋譜.手.size() + 1);
        test::模型局面 m = test::模型_開始(grade);
        for (std::size_t i = 0; i < ps.局面.size(); ++i) {
            const search::Snapshot& s = ps.局面[i];
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y) ASSERT_EQ(s.ban[x][y], m.ban[x][y]);
            EXPECT_EQ(s.sitaMochi, m.sita);
            EXPECT_EQ(s.ueMochi, m.ue);
            EXPECT_EQ(s.movesPlayed, static_cast<int>(i));
            if (i < r.棋譜.手.size()) {
                EXPECT_EQ(s.toMove == Color::Upper, r.棋譜.手[i].KOMA > 0);
                test::模型_指す(m, r.棋譜.手[i]);
            }
        }
        const 棋譜解析 a = 解析(r, 1);
        ASSERT_TRUE(a.完了());
        // An even game's first move is ▲'s; in a handicap game the giver of the pieces is △.
        if (!r.棋譜.手.empty()) {
            const bool upperFirst = r.棋譜.手.front().KOMA > 0;
            EXPECT_EQ(a.先手の手[0], grade == 0 || upperFirst != (grade > 0)) << grade << " " << upperFirst;
            ++firstMovers[a.先手の手[0]];
        }
        const 終局情報 end = 調査_終局(r);
        if (end.result == 終局情報::結果::先手勝ち) { EXPECT_EQ(a.局面.back().評価値, search::MateScore); }
        if (end.result == 終局情報::結果::後手勝ち) { EXPECT_EQ(a.局面.back().評価値, -search::MateScore); }
        // Every line the engine gave can be worded (moves the record holds).
        for (std::size_t i = 0; i + 1 < a.局面.size(); ++i)
            if (!a.局面[i].読み筋.empty()) { EXPECT_FALSE(読み筋表記(r, static_cast<int>(i), a.局面[i].読み筋).empty()); }
    }
    // Handicap games begun by their givers: △ moved first.
    for (int grade : {4, -4, 10, -10}) {
        const 対局記録 r = test::ランダム対局(rng, grade, grade > 0, 6);
        ASSERT_FALSE(r.棋譜.手.empty());
        const 棋譜解析 a = 解析(r, 1);
        EXPECT_FALSE(a.先手の手[0]) << grade;
        ++firstMovers[a.先手の手[0]];
    }
    EXPECT_GT(firstMovers[0], 0);
    EXPECT_GT(firstMovers[1], 0);
}

TEST(Analysis, LinesReadBackFromCommentsAreTheSameMoves) {
    // Lines of random games (captures, 同, promotions, drops, both first movers, handicaps)
    // written into the comments come back as the moves that word them the same way.
    std::mt19937_64 rng(23);
    int moves = 0, same = 0;
    for (int game = 0; game < 10; ++game) {
        SCOPED_TRACE(game);
        const int grade = game % 3 == 0 ? static_cast<int>(rng() % 21) - 10 : 0;
        対局記録 r = test::ランダム対局(rng, grade, rng() % 2, 10 + static_cast<int>(rng() % 20));
        const 棋譜解析 a = 解析(r, 3);
        注釈を付ける(r, a);
        const 棋譜解析 b = 注釈から(r);
        for (std::size_t i = 0; i < a.局面.size(); ++i) {
            const std::string written = 読み筋表記(r, static_cast<int>(i), a.局面[i].読み筋);
            EXPECT_EQ(読み筋表記(r, static_cast<int>(i), b.局面[i].読み筋), written) << i;
            EXPECT_EQ(b.局面[i].読み筋.empty(), written.empty()) << i;
            moves += static_cast<int>(b.局面[i].読み筋.size());
            for (std::size_t j = 1; j < b.局面[i].読み筋.size(); ++j) same += written.find("同") != std::string::npos;
        }
    }
    EXPECT_GT(moves, 200);
    EXPECT_GT(same, 0);
    // Another program's spacing and 不成 read the same; a word that is no move there ends
    // the line.
    対局記録 r = 角損の対局();
    r.注釈 = {{"#読み筋=▲７六歩(77) △３四歩(33) ▲２二角不成(88) △同　銀(31) ▲９九飛(28)"}};
    const 棋譜解析 b = 注釈から(r);
    EXPECT_EQ(読み筋表記(r, 0, b.局面[0].読み筋), "▲７六歩(77)△３四歩(33)▲２二角不成(88)△同　銀(31)");
    r.注釈 = {{"#読み筋=７六歩(77)"}, {"#読み筋=△３四歩(33)", "#評価値=12"}};
    const 棋譜解析 c = 注釈から(r);
    EXPECT_TRUE(c.局面[0].読み筋.empty());
    ASSERT_EQ(c.局面[1].読み筋.size(), 1u);
    EXPECT_EQ(search::toOf(c.局面[1].読み筋[0]), search::square(7, 4));
}

TEST(Analysis, GraphMapsClicksToMoves) {
    for (int moves : {0, 1, 7, 120, 500}) {
        for (double width : {50.0, 333.5, 1200.0}) {
            グラフ尺度 g{12, 4, width, 80, moves};
            // Each position's own column maps back to it, and so does a click half a step
            // short of the next; clicks outside the plot reach the first and last.
            for (int p = 0; p <= moves; ++p) {
                EXPECT_EQ(g.手数at(g.x(p)), p);
                if (moves > 0 && p < moves) { EXPECT_EQ(g.手数at(g.x(p) + 0.49 * width / moves), p); }
            }
            EXPECT_EQ(g.手数at(-100), 0);
            EXPECT_EQ(g.手数at(12 + width + 100), moves);
            // Moves run left to right, evaluations bottom (△) to top (▲), clamped.
            if (moves > 0) { EXPECT_LT(g.x(0), g.x(moves)); }
            EXPECT_LT(g.y(500), g.y(0));
            EXPECT_EQ(g.y(0), 4 + 40);
            EXPECT_EQ(g.y(search::MateScore), 4);
            EXPECT_EQ(g.y(-search::MateScore), 84);
            EXPECT_EQ(g.y(グラフ尺度::上限 + 1), g.y(search::MateScore));
        }
    }
}

TEST(Analysis, CommentsRoundTripThroughKif) {
    対局記録 r = 角損の対局();
    const 棋譜解析 a = 解析(r, 3);
    // Another program's note on move 2 stays; a second review replaces the first.
    r.注釈 = {{}, {}, {"感想：ここは自然"}};
    注釈を付ける(r, a);
    注釈を付ける(r, a);
    for (bool utf8 : {true, false}) {
        SCOPED_TRACE(utf8);
        const auto bytes = 符号化_KIF(r, utf8);
        ASSERT_TRUE(bytes);
        const 記録読込結果 back = 解析_KIF(*bytes);
        ASSERT_TRUE(back.ok) << back.error;
        EXPECT_EQ(back.記録.注釈, r.注釈);
        const 棋譜解析 b = 注釈から(back.記録);
        ASSERT_TRUE(b.完了());
        for (std::size_t i = 0; i < a.局面.size(); ++i) {
            EXPECT_EQ(b.局面[i].評価値, a.局面[i].評価値);
            EXPECT_EQ(b.局面[i].深さ, a.局面[i].深さ);
            EXPECT_EQ(b.局面[i].ノード数, a.局面[i].ノード数);
            // The line comes back as moves: the best move and the arrow with it.
            EXPECT_EQ(b.局面[i].読み筋, a.局面[i].読み筋) << i;
        }
        EXPECT_EQ(b.印列, a.印列);
    }
    // The lines as other programs write them, after the move they belong to.
    const std::string text = *符号化_KIF(r, true);
    const std::string move3 = "   3 ７八銀(79)";
    const std::size_t at = text.find(move3);
    ASSERT_NE(at, std::string::npos);
    const std::string after = text.substr(at, text.find("   4 ", at) - at);
    EXPECT_NE(after.find("\r\n*後手"), std::string::npos) << after;
    EXPECT_NE(after.find("\r\n*#評価値=-"), std::string::npos) << after;
    EXPECT_NE(after.find("\r\n*#読み筋=△８八角成(22)"), std::string::npos) << after;
    EXPECT_NE(after.find("\r\n*#深さ=3\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find("\r\n*#エンジン="), std::string::npos) << after;
    EXPECT_EQ(text.find("感想"), text.find("*感想") + 1);

    // A mate is written as a mate, and read back as one.
    局面評価 mate;
    mate.済 = true;
    mate.評価値 = -(search::MateScore - 7);
    const auto lines = 注釈行(r, 1, mate);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "#詰み=後手勝ち:7手");
    対局記録 m = 角損の対局();
    m.注釈 = {{}, lines};
    EXPECT_EQ(注釈から(m).局面[1].評価値, mate.評価値);
}

TEST(Analysis, CommandLineKnowsTheAnswers) {
    // ▲７六歩 △３四歩 ▲２二角成 △同飛 (the recapture, the best move) ▲５五角打 (at the rook)
    // △９四歩 (leaves the rook to it) ▲２二角成 (takes it, the best move).
    対局記録 r;
    r.棋譜.下手名 = "先手";
    r.棋譜.上手名 = "後手";
    r.棋譜.手 = {
        {3, 7, 3, 6, -HU, -HU, 0, 0, 0, 0, 0},
        {7, 3, 7, 4, HU, HU, 0, 0, 0, 0, 0},
        {2, 8, 8, 2, -KAKU_NARI, -KAKU, KAKU, 0, 0, 0, 0},
        {2, 2, 8, 2, SYA, SYA, -KAKU_NARI, 0, 0, 0, 0},
        {11, 8, 5, 5, -KAKU, -KAKU, 0, 0, 0, 0, 0},
        {1, 3, 1, 4, HU, HU, 0, 0, 0, 0, 0},
        {5, 5, 8, 2, -KAKU_NARI, -KAKU, SYA, 0, 0, 0, 0},
    };
    ASSERT_EQ(検査_対局記録(r), "");
    const auto dir = std::filesystem::temp_directory_path() / "fudo-analysis-answers";
    std::filesystem::create_directories(dir);
    const auto in = dir / "rook.kifu";
    std::ofstream(in, std::ios::binary) << *符号化_KIF(r, true);
    const cli::Outcome o = cli::run({"analyse", in.string(), "--movetime", "60", "--threads", "1"});
    std::filesystem::remove_all(dir);
    ASSERT_EQ(o.code, 0) << o.err;
    auto line = [&](int n) {
        char head[16];
        std::snprintf(head, sizeof head, "\n%4d ", n);
        const std::size_t at = o.out.find(head);
        return at == std::string::npos ? std::string() : o.out.substr(at + 1, o.out.find('\n', at + 1) - at - 1);
    };
    // The recaptures and the capture of the rook carry no mark; the capture is the best move,
    // and no move the review names as its best is marked.
    EXPECT_NE(line(7).find("best ▲２二角成(55)"), std::string::npos) << o.out;
    for (int n : {3, 4, 7}) EXPECT_EQ(line(n).find('?'), std::string::npos) << o.out;
    for (int n = 1; n <= 7; ++n) {
        const std::string l = line(n);
        const std::size_t best = l.find("best ");
        ASSERT_NE(best, std::string::npos) << o.out;
        const std::string played = l.substr(5, l.find(' ', 5) - 5);
        const std::string named = l.substr(best + 5, l.find(' ', best + 5) - best - 5);
        if (played == named) { EXPECT_EQ(l.find('?'), std::string::npos) << o.out; }
    }
    EXPECT_NE(line(7).find("best ▲２二角成(55)"), std::string::npos) << o.out;
    // Leaving the rook to the bishop (for the bishop back) is △'s mistake, counted on △'s
    // line; ▲ is ahead after it.
    EXPECT_TRUE(line(6).ends_with("疑問手") || line(6).ends_with("悪手")) << o.out;
    EXPECT_NE(line(6).find(" +"), std::string::npos) << o.out;
    EXPECT_EQ(o.out.find("△後手: 疑問手 ?! 0, 悪手 ? 0, 大悪手 ?? 0"), std::string::npos) << o.out;
}

TEST(Analysis, CommandLineReviewsARecord) {
    const auto dir = std::filesystem::temp_directory_path() / "fudo-analysis-test";
    std::filesystem::create_directories(dir);
    const auto in = dir / "game.kifu", outKif = dir / "reviewed.kif";
    対局記録 r = 角損の対局();
    std::ofstream(in, std::ios::binary) << *符号化_KIF(r, true);

    const cli::Outcome o = cli::run({"analyse", in.string(), "--movetime", "20", "--threads", "1", "--output",
                                     outKif.string()});
    ASSERT_EQ(o.code, 0) << o.err;
    // A line per move with its number, the move and the best move; a summary per side.
    for (const char* s : {"   1 ▲７六歩(77)", "   2 △３四歩(33)", "   3 ▲７八銀(79)", "   4 △８八角成(22)",
                          "best △８八角成(22)", "▲先手: 疑問手 ?! ", "△後手: 疑問手 ?! 0, 悪手 ? 0, 大悪手 ?? 0"})
        EXPECT_NE(o.out.find(s), std::string::npos) << s << "\n" << o.out;
    const 記録読込結果 back = 読込_記録(outKif);
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_TRUE(注釈から(back.記録).完了());
    EXPECT_EQ(back.記録.棋譜.手, r.棋譜.手);

    // What cannot be read is refused as the import refuses it, and nothing is written.
    std::ofstream(dir / "bad.kif", std::ios::binary) << "手合割：平手\r\n   1 ７六歩(99)\r\n";
    const cli::Outcome bad = cli::run({"analyse", (dir / "bad.kif").string(), "-o", (dir / "x.kif").string()});
    EXPECT_EQ(bad.code, cli::kExitBadInput);
    EXPECT_EQ(bad.err, cli::run({"import", (dir / "bad.kif").string()}).err);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.kif"));
    EXPECT_EQ(cli::run({"analyse", in.string(), "--output", (dir / "x.csa").string()}).code, cli::kExitBadInput);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace fudo::analysis
