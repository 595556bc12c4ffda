// The strong engine (level 4) from the command line: one position searched with USI-style
// progress lines, and its timing over the bench corpus.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "notation/sfen.h"
#include "search/search.h"

namespace fudo::cli {

// A parsed position for the engine: the army to move and the moves already played.
search::Snapshot snapshotOf(const Position& pos, search::Color toMove, int movesPlayed);

// The side-to-move letter ('b' lower, 'w' upper; the upper army when absent) and the move
// number (1 when absent) of an SFEN text already accepted by parseSfen.
void sfenSideAndNumber(std::string_view sfen, search::Color& side, int& moveNumber);

// "info depth … seldepth … score … nodes … nps … time … pv …" for one iteration, no newline.
std::string usiInfoLine(const search::Info& info);

// "info depth … seldepth … score cp … nodes … nps … time … pv …" after every iteration,
// then "bestmove <move>" ("bestmove resign" when there is none).
// With a step, level 4 is held to that strength step (search/strength.h).
std::string level4Output(const search::Snapshot& snapshot, const search::Limits& limits, int step = 0);

struct Level4Bench {
    std::vector<int> depths;  // depth reached per position
    std::uint64_t nodes = 0;
    double seconds = 0;     // by the clock on the wall
    double cpuSeconds = 0;  // by the thread's own processor time (the machine may be shared)
    // Over every search's best move, score and node count: the same numbers mean the same
    // search. Meaningful only with a depth limit (a time limit makes the counts vary).
    std::uint64_t signature = 14695981039346656037ull;
    int medianDepth() const;
};

// Searches every position for the given time (or depth) with a fresh table each; with
// cpuClock the time is the thread's processor time, so a busy machine does not shorten it.
Level4Bench runLevel4Bench(const std::vector<Position>& corpus, const search::Limits& limits, bool cpuClock = false);

// A step's moves judged by full level 4: over every position and seed, the step's move
// against level 4's own best, both scored by a level 4 search at `depth`.
struct StepAudit {
    int moves = 0;
    int pawnLosses = 0;  // moves that lose more than a pawn's worth (taken: board and hand)
    int bestMoves = 0;   // moves level 4 would have played too
    double meanLoss = 0; // centipawns, a mate counted as 2000
};
StepAudit auditStep(const std::vector<Position>& corpus, int step, int depth, int seeds);
// What a pawn is worth when it is taken: its board value and its value in hand.
int pawnWorth();

// The search's signature over the corpus at a fixed depth, one thread.
std::uint64_t level4Signature(const std::vector<Position>& corpus, int depth);

}  // namespace fudo::cli
