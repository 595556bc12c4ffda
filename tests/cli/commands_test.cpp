// The command lines of fudo-cli, run in-process.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/bench_corpus.h"
#include "search/strength.h"
#include "cli/commands.h"
#include "cli/level4.h"
#include "tests/cli/run_cli.h"
#include "cli/selfplay.h"

namespace fudo::cli {
namespace {

int lineCount(const std::string& s) {
    int n = 0;
    for (char c : s) n += c == '\n';
    return n;
}

TEST(Commands, BadInputGetsOneLineOnStderrAndExitCodeTwo) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"bestmove"},
        {"bestmove", "--level"},
        {"bestmove", "--level", "5", "4k4/9/9/9/9/9/9/9/4K4 w - 1"},
        {"bestmove", "--level", "4", "--scores", "4k4/9/9/9/9/9/9/9/4K4 w - 1"},
        {"bestmove", "--level", "4", "--movetime", "0", "4k4/9/9/9/9/9/9/9/4K4 w - 1"},
        {"bestmove", "--level", "x", "4k4/9/9/9/9/9/9/9/4K4 w - 1"},
        {"bestmove", "--depth", "2", "4k4/9/9/9/9/9/9/9/4K4 w - 1"},
        {"bestmove", "4k4/9/9/9/9/9/9/9/4K5 w - 1"},
        {"bestmove", "9/9/9/9/9/9/9/9/4K4 w - 1"},
        {"bestmove", "4k4/9/9/9/9/9/9/9/4K4 w Q 1"},
        {"selfplay"},
        {"selfplay", "--games", "0"},
        {"selfplay", "--games", "-3"},
        {"selfplay", "--games", "2", "--upper-level", "0"},
        {"selfplay", "--games", "2", "--fast"},
        {"bench", "--positions", "/nonexistent/positions.sfen"},
        {"bench", "--repeat", "many"},
        {"bestmove", "--step", "0", "4k4/9/9/9/9/9/9/9/4K4 w - 1"},
        {"bestmove", "--step", std::to_string(search::StepCount + 1), "4k4/9/9/9/9/9/9/9/4K4 w - 1"},
        {"bestmove", "--level", "3", "--step", "2", "4k4/9/9/9/9/9/9/9/4K4 w - 1"},
        {"selfplay", "--games", "1", "--upper-step", "2", "--upper-level", "3"},
        {"play", "--level", "2", "--step", "1"},
        {"usi", "--step", std::to_string(search::StepCount + 3)},
        {"match", "--engine", "true", "--games", "2", "--level", "3", "--step", "1"},
    };
    for (const auto& args : bad) {
        const Outcome r = run(args);
        std::string joined;
        for (auto& a : args) joined += a + " ";
        EXPECT_EQ(r.code, kExitBadInput) << joined;
        EXPECT_EQ(lineCount(r.err), 1) << joined << "-> " << r.err;
        EXPECT_TRUE(r.out.empty()) << joined;
    }
}

TEST(Commands, BestmoveWithAndWithoutScores) {
    // The lone computer king on 5a: five king moves, all -9999; the first wins.
    const Outcome plain = run({"bestmove", "4k4/9/9/9/9/9/9/9/4K4 w - 1"});
    EXPECT_EQ(plain.code, 0);
    EXPECT_EQ(plain.out, "bestmove 5a6a\n");
    const Outcome scores = run({"bestmove", "--scores", "--level", "1", "4k4/9/9/9/9/9/9/9/4K4", "w", "-", "1"});
    EXPECT_EQ(scores.code, 0);
    EXPECT_EQ(scores.out,
              "5a6a -9999.0\n5a6b -9999.0\n5a5b -9999.0\n5a4a -9999.0\n5a4b -9999.0\nbestmove 5a6a\n");
}

// A step is level 4 held back: the same seed plays the same game, and its moves and its
// search's info lines keep within the step's depth.
TEST(Commands, StepsInBestmoveSelfplayAndPlay) {
    const std::string start = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1";
    for (int step = 1; step <= search::StepCount; ++step) {
        const Outcome r = run({"bestmove", "--step", std::to_string(step), start});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_TRUE(r.out.find("\nbestmove ") != std::string::npos && !r.out.ends_with("resign\n")) << r.out;
        std::istringstream text(r.out);
        for (std::string l; std::getline(text, l);)
            if (l.starts_with("info depth ")) {
                EXPECT_LE(std::stoi(l.substr(11)), search::strengthStep(step).depth) << l;
            }
    }
    const std::vector<std::string> games = {"selfplay", "--games", "2", "--seed", "3", "--upper-step", "1",
                                            "--lower-step", "4"};
    const Outcome a = run(games), b = run(games);
    ASSERT_EQ(a.code, 0) << a.out;
    EXPECT_EQ(a.out.substr(0, a.out.rfind("moves in")), b.out.substr(0, b.out.rfind("moves in")));
    EXPECT_NE(a.out.find("upper level 4, lower level 4"), std::string::npos) << a.out;

    std::istringstream moves("7g7f\n2g2f\nquit\n");
    std::ostringstream out, err;
    EXPECT_EQ(runCommand({"play", "--step", "3", "--second"}, moves, out, err), 0) << err.str();
    // The computer's first move and its two replies.
    const std::string played = out.str();
    size_t replies = 0;
    for (size_t at = 0; (at = played.find("bestmove ", at)) != std::string::npos; ++at) ++replies;
    EXPECT_EQ(replies, 3u) << played;
}

TEST(Commands, BestmoveNoneWhenNothingCanMove) {
    // The computer's king on 9i walled in by its own pawns, which cannot move either.
    const Outcome r = run({"bestmove", "4K4/9/9/9/9/9/9/pp7/kp7 w - 1"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "bestmove none\n");
    // Level 4 gives up instead where every move loses: mated by a gold held by a pawn, and
    // with nothing at all that could move.
    for (const char* sfen : {"4k4/9/9/9/9/P8/4p4/4g4/4K4 b - 1", "4K4/9/9/9/9/9/9/pp7/kp7 w - 1"}) {
        const Outcome l4 = run({"bestmove", "--level", "4", "--depth", "3", sfen});
        EXPECT_EQ(l4.code, 0) << l4.err;
        EXPECT_TRUE(l4.out.ends_with("\nbestmove resign\n")) << sfen << ": " << l4.out;
    }
}

TEST(Commands, SelfplayReportsEveryGame) {
    const Outcome r = run({"selfplay", "--games", "2", "--seed", "5", "--upper-level", "1", "--lower-level", "2"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("game 1: "), std::string::npos);
    EXPECT_NE(r.out.find("game 2: "), std::string::npos);
    EXPECT_NE(r.out.find("faults 0"), std::string::npos);
    EXPECT_EQ(r.out.find("FAULT"), std::string::npos);
}

// Whole games keep every piece and end properly; the same seed plays the same game.
TEST(Selfplay, GamesKeepFortyPiecesAndRepeatFromTheirSeed) {
    for (int upper = 1; upper <= 3; ++upper) {
        SelfplayOptions o;
        o.upperLevel = upper;
        o.lowerLevel = 4 - upper;
        o.sampleEvery = 10;
        const SelfplayGame a = playSelfplayGame(42 + upper, o);
        EXPECT_TRUE(a.piecesOk) << a.fault;
        EXPECT_TRUE(a.fault.empty()) << a.fault;
        EXPECT_GT(a.moves, 0);
        EXPECT_LE(a.moves, KIFU_MAX);
        if (a.winner == SelfplayGame::Winner::Draw) {
            EXPECT_EQ(a.reason, "move list full");
        }
        for (const std::string& s : a.samples) {
            Position p;
            std::string error;
            EXPECT_TRUE(parseSfen(s, p, error)) << s << ": " << error;
        }
        const SelfplayGame b = playSelfplayGame(42 + upper, o);
        EXPECT_EQ(a.finalSfen, b.finalSfen);
        EXPECT_EQ(a.moves, b.moves);
    }
}

TEST(Bench, CorpusLoadsAndTimesEverySearch) {
    std::vector<Position> corpus;
    std::string error;
    ASSERT_TRUE(loadCorpus(FUDO_DEFAULT_CORPUS, corpus, error)) << error;
    EXPECT_GE(corpus.size(), 40u);
    std::vector<Position> few(corpus.begin(), corpus.begin() + 3);
    const BenchResult r = runBench(few, 3, 2);
    EXPECT_EQ(r.micros.size(), 6u);
    EXPECT_GT(r.candidates, 0u);
    EXPECT_LE(r.median(), r.percentile(99));
    EXPECT_EQ(r.signature, corpusSignature(few, 3)) << "timing does not change the behaviour";
}

// The behaviour of the computer over the shipped corpus. A change of these numbers is a
// change of the computer's play and must be explained in the commit.
TEST(Bench, SignatureOfTheShippedCorpusIsPinned) {
    std::vector<Position> corpus;
    std::string error;
    ASSERT_TRUE(loadCorpus(FUDO_DEFAULT_CORPUS, corpus, error)) << error;
    EXPECT_EQ(corpusSignature(corpus, 1), 16867644211786769503ull);
    EXPECT_EQ(corpusSignature(corpus, 2), 2113692639036204013ull);
    EXPECT_EQ(corpusSignature(corpus, 3), 8810732341535442955ull);
    // Level 4: best move, score and node count of a fixed-depth search of every position
    // (fudo-cli bench --level 4 --depth 4 prints it).
    EXPECT_EQ(level4Signature(corpus, 4), 5580557283716910835ull);
}

}  // namespace
}  // namespace fudo::cli
