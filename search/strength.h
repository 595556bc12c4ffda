// Strength steps between level 3 and full level 4: the strong engine held back by a depth
// and node cap, a choice among near-equal root moves and now and then a shallower look.
#pragma once

#include <atomic>
#include <cstdint>

#include "search/search.h"

namespace fudo::search {

struct Step {
    int depth;            // deepest iteration
    std::uint64_t nodes;  // node budget per move
    int margin;           // centipawns: root moves this close to the best may be played
    int temperature;      // centipawns: how fast a worse move's chance falls off
    int missPercent;      // share of moves searched only to missDepth (tactics missed)
    int missDepth;
    int elo;              // measured, against level 3 (the ladder table)
    int eloError;         // half its 95% interval
};

constexpr int StepCount = 11;
// 1..StepCount, weakest first.
const Step& strengthStep(int step);
// Measured strength of full level 4 against level 3, for the same table.
int level4Elo();

// The move of a step: the engine searched under the step's caps (and the given limits, the
// tighter of each), then one of the moves within the step's margin, drawn by `seed` and
// the position so that the same seed replays the same game. One thread is used.
Result bestMoveAtStep(Engine& engine, const Snapshot& snapshot, int step, Limits limits, std::uint64_t seed,
                      const std::atomic<bool>& stop, const InfoSink& sink = {});

// The next step to suggest after a game against a step: up after a win, down after a
// loss (level 3 is below step 1, full level 4 above the last); the same after a draw.
// Steps are 1..StepCount, 0 is level 3 and StepCount + 1 full level 4.
int suggestedStep(int step, int result /* +1 win, 0 draw, -1 loss */);

}  // namespace fudo::search
