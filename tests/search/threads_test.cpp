// The parallel search against the single-threaded one over the bench corpus: whatever the
// number of threads and however the search is bounded, the move and the line it reports
// are legal, a king that can be taken is taken, and a lost position stays lost.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "cli/bench_corpus.h"
#include "cli/level4.h"
#include "search/movegen.h"
#include "search/search.h"

namespace fudo::search {
namespace {

bool legalIn(Position& pos, Move m) {
    Move moves[MaxMoves];
    const int n = generateMoves(pos, moves, GenMode::All);
    const bool check = pos.inCheck();
    for (int i = 0; i < n; ++i)
        if (moves[i] == m) return isLegal(pos, m, check) || pos.canTakeKing();
    return false;
}

TEST(SearchThreads, EveryThreadCountPlaysLegalMovesOverTheCorpus) {
    std::vector<fudo::Position> corpus;
    std::string error;
    ASSERT_TRUE(cli::loadCorpus(FUDO_DEFAULT_CORPUS, corpus, error)) << error;
    std::atomic<bool> stop{false};
    Engine engines[3] = {Engine(4), Engine(4), Engine(4)};
    for (int t = 0; t < 3; ++t) engines[t].setThreads(t == 0 ? 1 : t == 1 ? 2 : 4);
    EXPECT_EQ(engines[2].threads(), 4);
    int searched = 0;
    for (size_t i = 0; i < corpus.size(); i += 6) {
        for (const Color side : {Upper, Lower}) {
            const Snapshot snap = cli::snapshotOf(corpus[i], side, 40);
            Limits limits;
            // Alternately a depth and a node budget.
            if (i % 12 == 0) limits.depth = 4;
            else limits.nodes = 20000;
            Result r[3];
            for (int t = 0; t < 3; ++t) {
                engines[t].clear();
                r[t] = engines[t].bestMove(snap, limits, stop);
            }
            for (int t = 0; t < 3; ++t) {
                SCOPED_TRACE("position " + std::to_string(i) + ", engine " + std::to_string(t));
                EXPECT_EQ(r[t].best == NoMove, r[0].best == NoMove);
                EXPECT_EQ(r[t].losing, r[0].losing);
                if (r[t].best == NoMove || r[t].losing) continue;
                Position pos;
                ASSERT_TRUE(pos.set(snap));
                const bool takesKing = pos.canTakeKing();
                ASSERT_TRUE(legalIn(pos, r[t].best)) << usi(r[t].best);
                if (takesKing) {
                    EXPECT_EQ(r[t].best, r[0].best) << "a king to take is taken";
                }
                // The line: each move legal after the ones before it.
                EXPECT_GE(r[t].info.pvLength, 1);
                EXPECT_EQ(r[t].info.pv[0], r[t].best);
                for (int k = 0; k < r[t].info.pvLength; ++k) {
                    const Move m = r[t].info.pv[k];
                    ASSERT_TRUE(legalIn(pos, m)) << "pv move " << k << ": " << usi(m);
                    if (!isDrop(m) && typeOf(pos.at(toOf(m))) == King) break;
                    Undo u;
                    pos.make(m, u);
                }
                EXPECT_TRUE(takesKing || r[t].info.nodes > 0);
                // Threads agree on whether a mate was found within the same depth.
                if (limits.depth && std::abs(r[0].info.score) >= MateBound) {
                    EXPECT_EQ(r[t].info.score > 0, r[0].info.score > 0);
                }
            }
            ++searched;
        }
    }
    EXPECT_GE(searched, 30);
}

}  // namespace
}  // namespace fudo::search
