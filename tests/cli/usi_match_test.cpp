// The engine as a USI process, driven by scripts of commands (the match runner's tests are
// in match_test.cpp).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/match.h"
#include "cli/usi.h"
#include "tests/cli/run_cli.h"

namespace fudo::cli {
namespace {

// Every "info … pv …" line's moves and the bestmove follow the position legally (the
// position parser refuses any move the rules do not allow), and depths rise by one.
void expectLegalSearchOutput(const std::string& position, const std::vector<std::string>& out) {
    ASSERT_FALSE(out.empty());
    int depth = 0;
    for (const std::string& l : out) {
        if (!l.starts_with("info depth ")) continue;
        const int d = std::stoi(l.substr(11));
        EXPECT_GE(d, depth) << l;
        depth = d;
        const auto pv = l.find(" pv");
        ASSERT_NE(pv, std::string::npos) << l;
        search::Snapshot s;
        std::string error;
        const std::string withMoves = position + (position.find(" moves") == std::string::npos ? " moves" : "");
        EXPECT_TRUE(parseUsiPosition(withMoves + l.substr(pv + 3), s, error)) << l << ": " << error;
    }
    const std::string& last = out.back();
    ASSERT_TRUE(last.starts_with("bestmove ")) << last;
    search::Snapshot s;
    std::string error;
    const std::string withMoves = position + (position.find(" moves") == std::string::npos ? " moves " : " ");
    EXPECT_TRUE(parseUsiPosition(withMoves + last.substr(9), s, error)) << last << ": " << error;
}

TEST(Usi, ProtocolScript) {
    std::ostringstream out;
    UsiSession session(out);
    auto take = [&out] {
        const std::string text = out.str();
        out.str("");
        return lines(text);
    };

    ASSERT_TRUE(session.command("usi"));
    auto l = take();
    ASSERT_FALSE(l.empty());
    EXPECT_TRUE(l.front().starts_with("id name "));
    EXPECT_EQ(l.back(), "usiok");
    EXPECT_NE(std::find(l.begin(), l.end(), "option name Threads type spin default 1 min 1 max 64"), l.end());
    session.command("setoption name USI_Hash value 8");
    session.command("isready");
    EXPECT_EQ(take(), std::vector<std::string>{"readyok"});
    session.command("usinewgame");

    // Fixed depth, from the opening after two moves, on one thread and on three.
    for (const char* threads : {"1", "3"}) {
        SCOPED_TRACE(threads);
        session.command(std::string("setoption name Threads value ") + threads);
        session.command("position startpos moves 7g7f 3c3d");
        session.command("go depth 4");
        session.wait();
        l = take();
        expectLegalSearchOutput("startpos moves 7g7f 3c3d", l);
        EXPECT_TRUE(l[l.size() - 2].starts_with("info depth 4 ")) << l[l.size() - 2];
    }

    // Nodes, a clock for the side to move (lower: btime), and byoyomi alone end by themselves.
    for (const char* go : {"go nodes 3000", "go btime 300 wtime 100000 binc 0 winc 0", "go btime 0 wtime 0 byoyomi 100"}) {
        SCOPED_TRACE(go);
        session.command("position sfen lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1");
        session.command(go);
        session.wait();
        expectLegalSearchOutput("sfen lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1", take());
    }

    // Infinite until stopped: one bestmove, after the stop.
    session.command("position startpos");
    session.command("go infinite");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    session.command("stop");
    l = take();
    expectLegalSearchOutput("startpos", l);
    EXPECT_EQ(std::count_if(l.begin(), l.end(), [](const std::string& s) { return s.starts_with("bestmove"); }), 1);

    // Mated (a gold held by a pawn), and nothing to move: resign.
    for (const char* sfen : {"4k4/9/9/9/9/P8/4p4/4g4/4K4 b - 1", "4K4/9/9/9/9/9/9/pp7/kp7 w - 1"}) {
        session.command(std::string("position sfen ") + sfen);
        session.command("go depth 3");
        session.wait();
        l = take();
        ASSERT_FALSE(l.empty());
        EXPECT_EQ(l.back(), "bestmove resign") << sfen;
    }
    // A king that can be taken is taken.
    session.command("position sfen 4k4/9/9/9/9/9/9/4r4/4K4 w - 1");
    session.command("go depth 3");
    session.wait();
    l = take();
    ASSERT_EQ(l.size(), 2u);
    EXPECT_TRUE(l[0].starts_with("info depth 1 ")) << l[0];
    EXPECT_TRUE(l[1].starts_with("bestmove 5h5i")) << l[1];

    // Broken input: a line each, and no move from a position that is not there.
    for (const char* bad : {"position startpos moves 5i5h", "position startpos moves 7g7f 7g7f",
                            "position sfen 9/9/9/9/9/9/9/9/9 b - 1", "position nowhere", "frobnicate"}) {
        session.command(bad);
        l = take();
        ASSERT_EQ(l.size(), 1u) << bad;
        EXPECT_TRUE(l[0].starts_with("info string ")) << bad;
    }
    session.command("go depth 2");
    session.wait();
    EXPECT_EQ(take(), std::vector<std::string>{"bestmove resign"});
    EXPECT_FALSE(session.command("quit"));
}

TEST(Usi, CommandReadsItsInputToTheEnd) {
    // The whole process loop through runCommand: a limited search still answers after the
    // input ends; an endless one is stopped by the end of the input.
    for (const char* go : {"go depth 3", "go infinite"}) {
        std::istringstream in(std::string("usi\nisready\nposition startpos moves 2g2f\n") + go + "\n");
        std::ostringstream out, err;
        EXPECT_EQ(runCommand({"usi", "--threads", "2", "--hash", "4"}, in, out, err), 0);
        const auto l = lines(out.str());
        expectLegalSearchOutput("startpos moves 2g2f", l);
        EXPECT_TRUE(err.str().empty());
    }
}

TEST(Usi, GoReadsTheClockOfTheSideToMove) {
    const search::Limits lower = parseGo("btime 60000 wtime 1000 binc 2000 winc 10 byoyomi 500", search::Lower);
    EXPECT_DOUBLE_EQ(lower.clockTime, 60.0);
    EXPECT_DOUBLE_EQ(lower.increment, 2.0);
    EXPECT_DOUBLE_EQ(lower.byoyomi, 0.5);
    const search::Limits upper = parseGo("btime 60000 wtime 1000 binc 2000 winc 10 byoyomi 500", search::Upper);
    EXPECT_DOUBLE_EQ(upper.clockTime, 1.0);
    EXPECT_DOUBLE_EQ(upper.increment, 0.01);
    const search::Limits fixed = parseGo("movetime 250 depth 7 nodes 12345", search::Upper);
    EXPECT_DOUBLE_EQ(fixed.seconds, 0.25);
    EXPECT_EQ(fixed.depth, 7);
    EXPECT_EQ(fixed.nodes, 12345u);
    const search::Limits none = parseGo("infinite", search::Lower);
    EXPECT_EQ(search::timeBudget(none).hard, 0.0);
}

}  // namespace
}  // namespace fudo::cli
