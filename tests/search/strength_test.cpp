// The strength steps over the shipped corpus: the near-equal root moves the search reports,
// the step's choice among them, its repeatability, and how the steps' moves compare when
// full level 4 judges them; the ladder's rungs and the next one suggested after a game.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>
#include <sstream>

#include "cli/bench_corpus.h"
#include "cli/level4.h"
#include "cli/usi.h"
#include "notation/sfen.h"
#include "tests/cli/run_cli.h"
#include "engine/ladder.h"
#include "search/movegen.h"
#include "search/strength.h"
#include "tests/support/fakes.h"

namespace fudo::search {
namespace {

std::vector<Snapshot> corpusSnapshots(size_t count) {
    std::vector<::fudo::Position> corpus;
    std::string error;
    EXPECT_TRUE(cli::loadCorpus(FUDO_DEFAULT_CORPUS, corpus, error)) << error;
    std::vector<Snapshot> out;
    for (size_t i = 0; i < corpus.size() && out.size() < count; ++i) out.push_back(cli::snapshotOf(corpus[i], Upper, 40));
    return out;
}

bool legal(const Snapshot& s, Move m) {
    Position pos;
    if (!pos.set(s)) return false;
    Move moves[MaxMoves];
    const int n = generateMoves(pos, moves, GenMode::Search);
    for (int i = 0; i < n; ++i)
        if (moves[i] == m) return isLegal(pos, m, pos.inCheck());
    return false;
}

TEST(Strength, NearBestMovesAreExactAndWithinTheMargin) {
    std::atomic<bool> stop{false};
    int listedSeveral = 0;
    for (const Snapshot& s : corpusSnapshots(30)) {
        Engine plain(4), widened(4);
        Limits limits;
        limits.depth = 3;
        const Result a = plain.bestMove(s, limits, stop);
        EXPECT_TRUE(a.nearBest.empty()) << "no margin, no list";
        widened.options().rootMargin = 40;
        const Result b = widened.bestMove(s, limits, stop);
        // A king to take or no move that keeps the king: answered before any search.
        if (b.losing || b.info.score == MateScore - 1) continue;
        ASSERT_FALSE(b.nearBest.empty());
        EXPECT_EQ(b.nearBest.front().move, b.best);
        EXPECT_EQ(b.nearBest.front().score, b.info.score);
        std::set<Move> seen;
        for (size_t i = 0; i < b.nearBest.size(); ++i) {
            const auto& m = b.nearBest[i];
            EXPECT_TRUE(legal(s, m.move));
            EXPECT_TRUE(seen.insert(m.move).second) << "each move once";
            EXPECT_GT(m.score, b.info.score - 40);
            if (i > 0) {
                EXPECT_LE(m.score, b.nearBest[i - 1].score);
            }
        }
        listedSeveral += b.nearBest.size() > 1;
    }
    EXPECT_GT(listedSeveral, 5) << "middle games have near-equal moves";
}

TEST(Strength, AStepChoosesAmongNearEqualMovesRepeatably) {
    std::atomic<bool> stop{false};
    int differs = 0;
    for (const Snapshot& s : corpusSnapshots(25)) {
        for (int step = 1; step <= StepCount; step += 2) {
            Engine e1(4), e2(4), e3(4);
            const Result first = bestMoveAtStep(e1, s, step, {}, 7, stop);
            const Result again = bestMoveAtStep(e2, s, step, {}, 7, stop);
            const Result other = bestMoveAtStep(e3, s, step, {}, 8, stop);
            ASSERT_NE(first.best, NoMove);
            EXPECT_TRUE(legal(s, first.best));
            EXPECT_EQ(first.best, again.best) << "the same seed, the same move";
            EXPECT_LE(first.info.depth, strengthStep(step).depth);
            EXPECT_LE(first.info.nodes, strengthStep(step).nodes + 1024) << "the budget is read every 1024 nodes";
            differs += first.best != other.best;
            // The engine is left as it was found.
            EXPECT_EQ(e1.options().rootMargin, 0);
        }
    }
    EXPECT_GT(differs, 3) << "another seed sometimes plays another move";
}

// The caller's limits only ever tighten a step: looser ones leave its depth and node caps,
// so a step searches no deeper under a match's --depth or a USI "go depth" than alone.
TEST(Strength, CapsHoldUnderLooserLimits) {
    std::atomic<bool> stop{false};
    Limits loose;
    loose.depth = 40;
    loose.nodes = 50'000'000;
    loose.seconds = 60;
    for (const Snapshot& s : corpusSnapshots(6)) {
        for (int step = 1; step <= StepCount; ++step) {
            Engine e(4);
            e.setThreads(2);
            const Result r = bestMoveAtStep(e, s, step, loose, 3, stop);
            EXPECT_EQ(e.threads(), 2) << "a step searches on one thread and gives the others back";
            EXPECT_LE(r.info.depth, strengthStep(step).depth) << "step " << step;
            EXPECT_LE(r.info.nodes, strengthStep(step).nodes + 1024) << "step " << step;
            EXPECT_TRUE(legal(s, r.best));
        }
    }
}

// A step's shallow looks come as often as its table says: none for a step that never misses,
// a few for one that seldom does, about half for one that misses half its moves.
TEST(Strength, ShallowLooksComeAtTheStepsRate) {
    std::atomic<bool> stop{false};
    const auto positions = corpusSnapshots(20);
    for (int step = 1; step <= 4; ++step) {
        const Step& st = strengthStep(step);
        int shallow = 0, moves = 0;
        for (const Snapshot& s : positions) {
            for (std::uint64_t seed = 1; seed <= 4; ++seed) {
                Engine e(4);
                const Result r = bestMoveAtStep(e, s, step, {}, seed, stop);
                if (r.losing || std::abs(r.info.score) >= MateBound) continue;
                ++moves;
                shallow += r.info.depth <= st.missDepth && st.missDepth < st.depth;
            }
        }
        ASSERT_GT(moves, 40);
        const double share = 100.0 * shallow / moves;
        EXPECT_NEAR(share, st.missDepth < st.depth ? st.missPercent : 0, 15) << "step " << step;
    }
}

// A mate in one is played by every step, whatever the seed: no other move is near it.
TEST(Strength, EveryStepTakesAMateInOne) {
    std::atomic<bool> stop{false};
    // The upper side checks the king, which can neither step away nor be shielded, with a
    // gold from its hand or its pawn promoting; quieter moves let the lower pawn move, and
    // mate later.
    for (const char* sfen : {"4k4/9/9/9/P8/9/4p4/9/4K4 w g 1", "4k4/9/9/9/P8/9/4p4/9/4K4 w - 1"}) {
        ::fudo::Position p;
        std::string error;
        ASSERT_TRUE(parseSfen(sfen, p, error)) << error;
        const Snapshot s = cli::snapshotOf(p, Upper, 40);
        for (int step = 1; step <= StepCount; ++step) {
            for (std::uint64_t seed = 1; seed <= 6; ++seed) {
                Engine e(4);
                const Result r = bestMoveAtStep(e, s, step, {}, seed, stop);
                Position after;
                ASSERT_TRUE(after.set(s));
                Undo u;
                after.make(r.best, u);
                Move moves[MaxMoves];
                const int n = generateMoves(after, moves, GenMode::Search);
                int replies = 0;
                for (int i = 0; i < n; ++i) replies += isLegal(after, moves[i], after.inCheck());
                EXPECT_EQ(replies, 0) << sfen << " step " << step << " seed " << seed << ": " << usi(r.best);
            }
        }
    }
}

// Over many draws a step plays its best move more often than the worst one it may play,
// and never one outside its margin.
TEST(Strength, BetterMovesAreDrawnMoreOften) {
    std::atomic<bool> stop{false};
    int best = 0, worst = 0, middle = 0, draws = 0, positions = 0;
    for (const Snapshot& s : corpusSnapshots(12)) {
        const int step = 1;
        Engine judge(4);
        Limits limits;
        limits.depth = strengthStep(step).depth;
        limits.nodes = strengthStep(step).nodes;
        judge.setThreads(1);
        judge.options().rootMargin = strengthStep(step).margin;
        const Result all = judge.bestMove(s, limits, stop);
        if (all.nearBest.size() < 3 || all.losing || std::abs(all.info.score) >= MateBound) continue;
        ++positions;
        std::map<Move, int> scoreOf;
        for (const auto& m : all.nearBest) scoreOf[m.move] = m.score;
        for (std::uint64_t seed = 1; seed <= 30; ++seed) {
            Engine e(4);
            const Result r = bestMoveAtStep(e, s, step, {}, seed, stop);
            // The first look of step 1 is its only one: the same search, so the same list.
            ASSERT_TRUE(scoreOf.count(r.best)) << usi(r.best);
            best += r.best == all.nearBest.front().move;
            worst += r.best == all.nearBest.back().move;
            ++draws;
        }
    }
    middle = draws - best - worst;
    ASSERT_GT(positions, 3);
    EXPECT_GT(best, worst * 3 / 2) << best << " against " << worst;
    // Not always the best: the step wanders; and not only the ends of the list.
    EXPECT_GT(draws - best, draws / 10) << best << " of " << draws;
    EXPECT_GT(middle, draws / 10) << middle << " of " << draws;
}

// Every step is its own: deeper or wider or surer than the one below, so the table's top
// row is reachable and not a copy of the one below it.
TEST(Strength, StepsRiseAndTheTopOneIsChoosableEverywhere) {
    for (int step = 2; step <= StepCount; ++step) {
        const Step& a = strengthStep(step - 1);
        const Step& b = strengthStep(step);
        EXPECT_TRUE(b.depth > a.depth || b.nodes > a.nodes || b.margin < a.margin || b.missPercent < a.missPercent)
            << step;
        EXPECT_GT(b.elo, a.elo) << step;
    }
    // The command line takes the top step and nothing above it.
    const std::string sfen = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1";
    const cli::Outcome top = cli::run({"bestmove", "--step", std::to_string(StepCount), sfen});
    EXPECT_EQ(top.code, 0) << top.err;
    const cli::Outcome above = cli::run({"bestmove", "--step", std::to_string(StepCount + 1), sfen});
    EXPECT_NE(above.code, 0);
    // Over USI: the Step option takes the top step, and a search under it goes no deeper
    // than the top step's cap but deeper than the one below it.
    std::ostringstream out;
    cli::UsiSession session(out);
    session.command("setoption name Step value " + std::to_string(StepCount));
    session.command("usi");
    EXPECT_NE(out.str().find("option name Step type spin default " + std::to_string(StepCount) + " "),
              std::string::npos)
        << out.str();
    out.str("");
    session.command("isready");
    session.command("position sfen 3gkg3/4p4/9/9/9/9/9/4P4/3GKG3 b - 1");
    session.command("go depth 30");
    session.wait();
    int deepest = 0;
    for (const std::string& l : cli::lines(out.str()))
        if (l.starts_with("info depth ")) deepest = std::max(deepest, std::stoi(l.substr(11)));
    EXPECT_EQ(deepest, strengthStep(StepCount).depth) << out.str();
    EXPECT_GT(deepest, strengthStep(StepCount - 1).depth);
}

// Over USI each usinewgame draws a step's choices afresh, and within a game the same position
// gets the same move, as a match replays.
TEST(Strength, UsiNewGameDrawsAStepsChoicesAfresh) {
    std::ostringstream out;
    cli::UsiSession session(out);
    session.command("setoption name Step value 1");
    session.command("isready");
    auto bestmove = [&] {
        out.str("");
        session.command("position startpos");
        session.command("go depth 5");
        session.wait();
        const auto l = cli::lines(out.str());
        return l.empty() ? std::string() : l.back();
    };
    std::set<std::string> firsts;
    for (int game = 0; game < 8; ++game) {
        session.command("usinewgame");
        const std::string first = bestmove();
        ASSERT_TRUE(first.starts_with("bestmove ")) << first;
        EXPECT_EQ(bestmove(), first) << "the same game, the same choice";
        firsts.insert(first);
    }
    EXPECT_GE(firsts.size(), 2u);
}

// After a game against a step: one rung up for a win, down for a loss, the same for a draw,
// from level 3 (0) to full level 4 (StepCount + 1), and no further.
TEST(Strength, SuggestedStepClimbsTheWholeLadder) {
    for (int step = 0; step <= StepCount + 1; ++step) {
        EXPECT_EQ(suggestedStep(step, 0), step);
        EXPECT_EQ(suggestedStep(step, 1), std::min(step + 1, StepCount + 1));
        EXPECT_EQ(suggestedStep(step, -1), std::max(step - 1, 0));
    }
}

// Full level 4 judges the weakest and the strongest step's moves: the strongest agrees with
// it more often and loses less.
TEST(Strength, UpperStepsLoseLessByLevel4sJudgement) {
    std::vector<::fudo::Position> corpus;
    std::string error;
    ASSERT_TRUE(cli::loadCorpus(FUDO_DEFAULT_CORPUS, corpus, error)) << error;
    corpus.resize(30);
    const cli::StepAudit low = cli::auditStep(corpus, 1, 4, 2);
    const cli::StepAudit high = cli::auditStep(corpus, StepCount, 4, 2);
    EXPECT_EQ(low.moves, high.moves);
    EXPECT_GT(high.bestMoves, low.bestMoves);
    EXPECT_LT(high.meanLoss, low.meanLoss);
    EXPECT_LE(high.pawnLosses, low.pawnLosses);
}

TEST(Ladder, RungsAndTheNextOneSuggested) {
    test::Rig rig;
    Game& g = rig.game;
    EXPECT_EQ(段の数(), 3 + StepCount + 1);
    EXPECT_EQ(段の名前(2), "LEVEL3");
    EXPECT_EQ(段の名前(3), "LEVEL4-1");
    EXPECT_EQ(段の名前(2 + StepCount), "LEVEL4-" + std::to_string(StepCount));
    EXPECT_EQ(段の名前(段の数() - 1), "LEVEL4");
    int elo = 1;
    EXPECT_FALSE(段の強さ(0, elo));
    EXPECT_TRUE(段の強さ(2, elo));
    EXPECT_EQ(elo, 0) << "level 3 is the table's zero";

    g.TAIKYOKU_MODE = MODE_COM;
    g.MAN_SENGO = 1;
    g.COM_SENGO = -1;
    struct Case {
        int level, step, winner;
        int next;  // -1: none
    };
    const Case cases[] = {
        {3, 0, 1, 3},                  // beat level 3: step 1
        {4, 1, -1, 2},                 // lost to step 1: level 3
        {4, StepCount, 1, 3 + StepCount},  // beat the last step: full level 4
        {4, 0, 1, -1},                 // beat full level 4: nothing above
        {1, 0, -1, -1},                // lost to level 1: nothing below
        {2, 0, 0, -1},                 // a draw: no suggestion
        {4, 3, -1, 4},                 // lost to step 3: step 2
    };
    for (const Case& c : cases) {
        g.COM_LEVEL = c.level;
        g.COM_STEP = c.step;
        g.終局 = {c.winner ? 終局理由::詰み : 終局理由::手数上限, c.winner};
        EXPECT_EQ(次の段(g), c.next) << c.level << '-' << c.step << " winner " << c.winner;
    }
    g.終局 = {};
    EXPECT_EQ(次の段(g), -1) << "a game still running";
    g.終局 = {終局理由::詰み, 1};
    g.TAIKYOKU_MODE = MODE_MAN;
    EXPECT_EQ(次の段(g), -1) << "between two persons";

    // Choosing a step is level 4 held to it; a level forgets it.
    g.段階_Click(2);
    EXPECT_EQ(g.COM_LEVEL, 4);
    EXPECT_EQ(g.COM_STEP, 2);
    EXPECT_EQ(現在の段(g), 4);
    g.LEVEL4_Click();
    EXPECT_EQ(g.COM_STEP, 0);
    EXPECT_EQ(現在の段(g), 段の数() - 1);
}

}  // namespace
}  // namespace fudo::search
