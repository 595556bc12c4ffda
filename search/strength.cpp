// Strength steps: their settings, measured strength, and the move a step plays.
#include "search/strength.h"

#include <algorithm>
#include <cmath>

namespace fudo::search {

namespace {

// Weaker steps see less, miss more and wander further among moves they judge nearly as
// good; none plays a move its own search finds losing more than its margin (under a pawn),
// and the quiescence search at every leaf keeps it from leaving a piece to be taken.
// elo/eloError: the ladder table's chained Elo over level 3 (scripts/ladder.sh, 300 games
// a match at 200 ms a move, three runs summed); to be measured again when the search changes.
constexpr Step kSteps[StepCount] = {
    {1, 2000, 90, 70, 0, 1, 191, 46},
    {2, 3000, 80, 40, 50, 1, 293, 62},
    {2, 5000, 65, 32, 5, 1, 378, 74},
    {3, 6000, 55, 28, 55, 2, 545, 86},
    {3, 10000, 40, 20, 15, 2, 645, 96},
    {4, 20000, 25, 12, 40, 3, 798, 105},
    {5, 35000, 15, 8, 10, 4, 1005, 115},
    {6, 45000, 12, 7, 10, 5, 1194, 124},
    {7, 60000, 10, 6, 10, 6, 1308, 131},
    {8, 100000, 8, 5, 10, 7, 1409, 137},
    {9, 100000, 5, 4, 0, 6, 1499, 143},
};
// At 200 ms a move on one thread; the window's level 4 thinks a second on every core.
constexpr int kLevel4Elo = 1614;

std::uint64_t mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

}  // namespace

const Step& strengthStep(int step) { return kSteps[std::clamp(step, 1, StepCount) - 1]; }

int level4Elo() { return kLevel4Elo; }

Result bestMoveAtStep(Engine& engine, const Snapshot& snapshot, int step, Limits limits, std::uint64_t seed,
                      const std::atomic<bool>& stop, const InfoSink& sink) {
    const Step& s = strengthStep(step);
    Position pos;
    std::uint64_t r = mix(seed ^ mix(pos.set(snapshot) ? pos.key() : 0) ^ std::uint64_t(snapshot.movesPlayed));
    const bool miss = s.missPercent > 0 && int(r % 100) < s.missPercent;
    r = mix(r);
    const int depth = miss ? s.missDepth : s.depth;
    limits.depth = limits.depth ? std::min(limits.depth, depth) : depth;
    limits.nodes = limits.nodes ? std::min(limits.nodes, s.nodes) : s.nodes;

    const int threads = engine.threads();
    const int margin = engine.options().rootMargin;
    engine.setThreads(1);
    engine.options().rootMargin = s.margin;
    Result result = engine.bestMove(snapshot, limits, stop, sink);
    engine.options().rootMargin = margin;
    engine.setThreads(threads);

    // A mate found, a king to take, or a search cut short before its choice was made: the
    // best move as it stands.
    const auto& near = result.nearBest;
    if (near.size() < 2 || near.front().move != result.best || std::abs(result.info.score) >= MateBound ||
        result.losing)
        return result;
    std::vector<double> weight;
    double total = 0;
    for (const Result::RootScore& m : near) {
        weight.push_back(std::exp(-double(near.front().score - m.score) / std::max(1, s.temperature)));
        total += weight.back();
    }
    double x = double(r >> 11) / double(1ull << 53) * total;
    size_t pick = 0;
    while (pick + 1 < near.size() && x >= weight[pick]) x -= weight[pick++];
    if (pick > 0) {
        result.best = near[pick].move;
        result.info.score = near[pick].score;
        result.info.pv[0] = result.best;
        result.info.pvLength = 1;
    }
    return result;
}

int suggestedStep(int step, int result) {
    return std::clamp(step + (result > 0 ? 1 : result < 0 ? -1 : 0), 0, StepCount + 1);
}

}  // namespace fudo::search
