// fudo-cli match against engines run as child processes: our own usi command, and fake
// engines written as shell scripts (a fixed move, a slow one, one that crashes) that log
// every line they are sent, so the tests see what a real engine would be told.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/match.h"
#include "tests/cli/run_cli.h"

namespace fudo::cli {
namespace {

namespace fs = std::filesystem;

// A folder for one fake engine: its script, its log and its counter of searches.
class FakeEngine {
public:
    // `onGo` runs for each go, with $n the number of that go over every process of the test.
    explicit FakeEngine(const std::string& onGo) {
        static int made = 0;
        dir_ = fs::temp_directory_path() / ("fudo-match-" + std::to_string(getpid()) + "-" + std::to_string(made++));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(dir_ / "engine.sh") << "while read l; do echo \"$l\" >> log; case \"$l\" in\n"
                                             "usi) echo usiok;; isready) echo readyok;; quit) exit;;\n"
                                             "go*) n=$(( $(cat count 2>/dev/null || echo 0) + 1 )); echo $n > count; "
                                          << onGo << ";;\nesac; done\n";
    }
    ~FakeEngine() { fs::remove_all(dir_); }
    std::string command() const { return "cd '" + dir_.string() + "' && exec sh engine.sh"; }
    std::vector<std::string> log() const {
        std::ifstream in(dir_ / "log");
        std::stringstream text;
        text << in.rdbuf();
        return lines(text.str());
    }

private:
    fs::path dir_;
};

std::vector<std::string> linesWith(const std::vector<std::string>& all, const std::string& start) {
    std::vector<std::string> out;
    std::copy_if(all.begin(), all.end(), std::back_inserter(out), [&](const std::string& l) { return l.starts_with(start); });
    return out;
}

TEST(Match, ScoreAndElo) {
    const MatchScore even{30, 40, 30}, ahead{60, 20, 20}, behind{20, 20, 60};
    EXPECT_DOUBLE_EQ(even.score(), 0.5);
    EXPECT_NEAR(even.elo(), 0, 1e-9);
    EXPECT_GT(even.eloError(), 0);
    EXPECT_GT(ahead.elo(), 100);
    EXPECT_NEAR(ahead.elo(), -behind.elo(), 1e-9);
    // Four times the games, about half the error.
    const MatchScore more{240, 80, 80};
    EXPECT_NEAR(more.eloError() * 2, ahead.eloError(), ahead.eloError() * 0.1);
    EXPECT_EQ(scoreLine(even), "30 wins, 40 draws, 30 losses in 100 games (score 50.0%), Elo +0 ± " +
                                   std::to_string(int(std::lround(even.eloError()))));
    // Every game won or lost: a bound, not a number with no error; more games, a further bound.
    EXPECT_EQ(scoreLine({10, 0, 0}), "10 wins, 0 draws, 0 losses in 10 games (score 100.0%), Elo at least +140");
    EXPECT_EQ(scoreLine({0, 0, 10}), "0 wins, 0 draws, 10 losses in 10 games (score 0.0%), Elo at most -140");
    EXPECT_EQ(scoreLine({100, 0, 0}).find("± 0"), std::string::npos);
    EXPECT_NE(scoreLine({100, 0, 0}).find("Elo at least +570"), std::string::npos) << scoreLine({100, 0, 0});
}

TEST(Match, AgainstOurOwnUsiAndAgainstAnEngineThatBreaksTheRules) {
    // Our usi command as the other engine: both games of the pair end by the rules.
    const std::string self = std::string(FUDO_BINARY_DIR) + "/cli/fudo-cli usi";
    const Outcome r = run({"match", "--engine", self, "--games", "2", "--movetime", "20", "--depth", "2", "--seed", "5"});
    ASSERT_EQ(r.code, 0) << r.err;
    auto l = lines(r.out);
    ASSERT_EQ(l.size(), 3u) << r.out;
    EXPECT_TRUE(l[0].starts_with("game 1 (opening ")) << l[0];
    EXPECT_NE(l[0].find("we play first"), std::string::npos);
    EXPECT_NE(l[1].find("we play second"), std::string::npos);
    // The same opening for both games of the pair.
    EXPECT_EQ(l[0].substr(0, l[0].find(';')).substr(6), l[1].substr(0, l[1].find(';')).substr(6));
    EXPECT_NE(l[2].find("in 2 games"), std::string::npos) << l[2];

    // An engine that answers with a move no piece can make, or with its king: it loses
    // every game, whoever starts, and the reason says whose king.
    for (const char* move : {"9a9a", "5i5h", "5a5b", "G*5e"}) {
        FakeEngine broken(std::string("echo bestmove ") + move);
        const Outcome b = run({"match", "--engine", broken.command(), "--games", "2", "--depth", "1", "--opening-plies", "0"});
        ASSERT_EQ(b.code, 0) << b.err;
        l = lines(b.out);
        ASSERT_EQ(l.size(), 3u) << b.out;
        EXPECT_NE(l[2].find("2 wins, 0 draws, 0 losses in 2 games"), std::string::npos) << move << ": " << b.out;
        for (int i = 0; i < 2; ++i) {
            EXPECT_NE(l[i].find(": win, they "), std::string::npos) << l[i];
            // Refused at its first answer: after our one move, or before any when it starts.
            EXPECT_NE(l[i].find(i == 0 ? ", 1 moves;" : ", 0 moves;"), std::string::npos) << l[i];
            EXPECT_EQ(l[i].find(" its "), std::string::npos) << l[i];
        }
        if (std::string(move) == "9a9a") {
            EXPECT_NE(l[1].find("they played an illegal move 9a9a"), std::string::npos) << l[1];
        }
        // 5i is the king of the side that moves first; for the other side it is no piece of its own.
        if (std::string(move) == "5i5h") {
            EXPECT_NE(l[1].find("they moved their king (5i5h)"), std::string::npos) << l[1];
        }
        // Each game told to the engine, from its side.
        EXPECT_EQ(linesWith(broken.log(), "gameover"), (std::vector<std::string>{"gameover lose", "gameover lose"}));
    }

    // An engine that cannot be started is one clear line.
    const Outcome none = run({"match", "--engine", "exit 3", "--games", "2"});
    EXPECT_EQ(none.code, kExitBadInput);
    EXPECT_TRUE(none.out.empty());
    EXPECT_EQ(std::count(none.err.begin(), none.err.end(), '\n'), 1) << none.err;
}

// A gold dropped onto the king's head with a pawn behind it mates: whoever moves first wins,
// and the referee gives the game to that side, ours or theirs.
TEST(Match, TheRefereeGivesAMateToTheSideThatMated) {
    FakeEngine mater("echo 'bestmove G*5b'");
    const Outcome r = run({"match", "--engine", mater.command(), "--games", "3", "--depth", "2", "--opening-plies", "0",
                           "--sfen", "4k4/9/4P4/9/9/9/9/9/4K4 b G 1"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto l = lines(r.out);
    ASSERT_EQ(l.size(), 4u) << "three games asked, three played: " << r.out;
    EXPECT_NE(l[0].find("(opening none; we play first): win, we mated, 1 moves"), std::string::npos) << l[0];
    EXPECT_NE(l[1].find("(opening none; we play second): loss, they mated, 1 moves"), std::string::npos) << l[1];
    EXPECT_NE(l[2].find("we play first): win, we mated"), std::string::npos) << l[2];
    EXPECT_NE(l[3].find("2 wins, 0 draws, 1 losses in 3 games"), std::string::npos) << l[3];
    // What the engine was told: the start as SFEN, and each game's end from its side, each
    // followed by isready before the next usinewgame.
    const auto log = mater.log();
    EXPECT_EQ(linesWith(log, "position"), std::vector<std::string>{"position sfen 4k4/9/4P4/9/9/9/9/9/4K4 b G 1"});
    EXPECT_EQ(linesWith(log, "gameover"), (std::vector<std::string>{"gameover lose", "gameover win", "gameover lose"}));
    const std::vector<std::string> order(std::find(log.begin(), log.end(), "gameover lose"), log.end());
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order[1], "isready");
    EXPECT_EQ(order[2], "usinewgame");

    // The upper army to move first: its gold drop mates, so the engine wins the first game,
    // where it has that side.
    FakeEngine upper("echo 'bestmove G*5h'");
    const Outcome w = run({"match", "--engine", upper.command(), "--games", "2", "--depth", "2", "--opening-plies", "0",
                           "--sfen", "4k4/9/9/9/9/9/4p4/9/4K4 w g 1"});
    ASSERT_EQ(w.code, 0) << w.err;
    const auto lw = lines(w.out);
    ASSERT_EQ(lw.size(), 3u) << w.out;
    EXPECT_NE(lw[0].find("we play second): loss, they mated, 1 moves"), std::string::npos) << lw[0];
    EXPECT_NE(lw[1].find("we play first): win, we mated, 1 moves"), std::string::npos) << lw[1];

    // A start with no king to play for is refused before anything is played.
    const Outcome bad = run({"match", "--engine", mater.command(), "--games", "2", "--sfen", "9/9/9/9/9/9/9/9/9 b - 1"});
    EXPECT_EQ(bad.code, kExitBadInput);
    EXPECT_TRUE(bad.out.empty()) << bad.out;
    EXPECT_NE(bad.err.find("--sfen"), std::string::npos) << bad.err;
}

// The first search answers only after its time and the margin (a margin wide enough for a
// loaded machine's quick answers): a loss on time, and its late answer (resign) must not be
// read as the next game's move (an illegal one).
TEST(Match, ALateAnswerLosesOnTimeAndIsNotReadInTheNextGame) {
    FakeEngine slow("if [ $n = 1 ]; then sleep 2; echo 'bestmove resign'; else echo 'bestmove 9a9a'; fi");
    const Outcome r = run({"match", "--engine", slow.command(), "--games", "2", "--movetime", "50", "--margin", "700",
                           "--depth", "1", "--opening-plies", "0"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto l = lines(r.out);
    ASSERT_EQ(l.size(), 3u) << r.out;
    EXPECT_NE(l[0].find("win, they lost on time (no move within 750 ms)"), std::string::npos) << l[0];
    EXPECT_NE(l[1].find("win, they played an illegal move 9a9a"), std::string::npos) << l[1];
    // The cut-off search was stopped, and the engine was asked to be ready before the next game.
    const auto log = slow.log();
    const auto stop = std::find(log.begin(), log.end(), "stop");
    ASSERT_NE(stop, log.end());
    EXPECT_NE(std::find(stop, log.end(), "isready"), log.end());
    EXPECT_TRUE(r.err.empty()) << "not started again: it answered isready" << r.err;
}

// An engine that dies in its first search loses that game, is started again and plays on.
TEST(Match, AnEngineThatCrashesIsStartedAgain) {
    FakeEngine crashing("if [ $n = 1 ]; then exit 1; else echo 'bestmove resign'; fi");
    const Outcome r = run({"match", "--engine", crashing.command(), "--games", "2", "--depth", "1", "--opening-plies", "0"});
    ASSERT_EQ(r.code, 0) << r.err;
    const auto l = lines(r.out);
    ASSERT_EQ(l.size(), 3u) << r.out;
    EXPECT_NE(l[0].find("win, they stopped answering"), std::string::npos) << l[0];
    EXPECT_NE(l[1].find("win, they resigned"), std::string::npos) << l[1];
    EXPECT_NE(r.err.find("started again"), std::string::npos) << r.err;
    EXPECT_EQ(linesWith(crashing.log(), "usi").size(), 2u + 2u) << "usi and usinewgame, twice";
}

// A step draws its choices from the game: each new game of the match plays its own, so the
// games where we move first from the same start do not all open alike.
TEST(Match, EachGameOfAStepChoosesAfresh) {
    FakeEngine resigner("echo 'bestmove resign'");
    const Outcome r = run({"match", "--engine", resigner.command(), "--games", "12", "--step", "1", "--opening-plies", "0"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::set<std::string> firstMoves;
    for (const std::string& p : linesWith(resigner.log(), "position startpos moves ")) firstMoves.insert(p);
    EXPECT_EQ(linesWith(resigner.log(), "position startpos moves ").size(), 6u);
    EXPECT_GE(firstMoves.size(), 2u);
}

}  // namespace
}  // namespace fudo::cli
