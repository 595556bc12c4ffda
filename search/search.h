// The strong engine's search: iterative deepening principal-variation search with a
// quiescence search on captures, a transposition table, hash-move / capture / killer /
// history ordering, check extensions, null move and late-move reductions, a time budget
// read from an injectable clock and an atomic stop flag. The caller runs bestMove on any
// thread and may set the flag from another; with more than one thread set, bestMove runs
// helpers of its own on a shared table (Lazy SMP) and joins them before it returns.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "search/evaluate.h"
#include "search/position.h"

namespace fudo::search {

// What bounds one search. With every field 0 it runs until the stop flag is set.
struct Limits {
    int depth = 0;            // deepest iteration; 0: no limit
    double seconds = 0;       // fixed thinking time (USI movetime); 0: none
    std::uint64_t nodes = 0;  // node budget; 0: no limit
    // A clock, used when seconds is 0: the side to move's remaining time, what it gains
    // after each move, and the byoyomi (time per move once the main time is spent).
    double clockTime = 0, increment = 0, byoyomi = 0;
};

// The time a search may take under the limits: it starts no iteration after `soft`
// seconds and stops at `hard` (0: no limit).
struct TimeBudget {
    double soft = 0, hard = 0;
};
TimeBudget timeBudget(const Limits& limits);

// What the search knows after each completed iteration, and at the end.
struct Info {
    int depth = 0;
    int seldepth = 0;
    int score = 0;            // side to move's view; mates as ±(MateScore - plies)
    std::uint64_t nodes = 0;
    double seconds = 0;
    int pvLength = 0;
    Move pv[MaxPly] = {};
};

struct Result {
    Move best = NoMove;   // NoMove: no move at all (or the position could not be searched)
    bool losing = false;  // every move leaves the king to be taken
    bool stopped = false; // the stop flag or the budget cut the last iteration short
    Info info;
    // With Options::rootMargin set: the root moves of the last completed iteration whose
    // exact score came within the margin of the best (the best among them).
    struct RootScore {
        Move move;
        int score;
    };
    std::vector<RootScore> nearBest;
};

// Seconds on a clock that only moves forward.
using Clock = std::function<double()>;
// Called after every completed iteration, on the searching thread.
using InfoSink = std::function<void(const Info&)>;

// Search switches, for measuring what each part is worth.
struct Options {
    bool nullMove = true;
    bool lateMoveReductions = true;
    bool pruning = true;          // reverse futility, razoring, futility and move-count pruning
    bool aspiration = true;       // narrow root windows from the previous iteration's score
    bool qsearchPruning = true;   // no hopeless or losing captures in the quiescence search
    bool mateByDrop = true;       // a drop that mates at once is seen without searching it
    int pollEvery = 1024;  // nodes between reads of the clock and the stop flag
    // Root moves within this many centipawns of the best get exact scores (Result::nearBest),
    // for a choice among near-equal moves; 0 searches the root as usual.
    int rootMargin = 0;
    EvalWeights weights = evalWeights();
};

class Engine {
public:
    explicit Engine(std::size_t hashMegabytes = 16);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // The best move for the side to move of the snapshot. `stop` may be set from any thread.
    Result bestMove(const Snapshot& snapshot, const Limits& limits, const std::atomic<bool>& stop,
                    const InfoSink& sink = {});
    // A clock other than the steady clock (tests drive time by hand).
    void setClock(Clock clock);
    Options& options();
    // Search threads, 1 or more (Lazy SMP). One thread searches exactly as before.
    void setThreads(int threads);
    int threads() const;
    // Forgets the table, killers and history (a new game).
    void clear();

private:
    struct Searcher;
    struct Shared;
    std::unique_ptr<Shared> s_;
};

// Score text in USI: "cp 123" or "mate 5" / "mate -4" (plies).
std::string usiScore(int score);

}  // namespace fudo::search
