// The strength ladder as a player climbs it: the rungs from level 1 through the steps of
// level 4 to full level 4, and the rung to suggest after a game against the computer.
#pragma once

#include <string>

#include "engine/game.h"

namespace fudo {

// Rungs, weakest first: 0..2 levels 1 to 3, 3..2+StepCount the steps, then full level 4.
int 段の数();
// The computer's rung now.
int 現在の段(const Game& g);
// "LEVEL3", "LEVEL4-2", "LEVEL4".
std::string 段の名前(int rung);
// Elo over level 3 as measured (the ladder table); levels 1 and 2 are not measured: 0 and
// false.
bool 段の強さ(int rung, int& elo);

// After a game against the computer that has ended: the rung to try next, one up after a
// win and one down after a loss; -1 for a draw, a game not against the computer or still
// running, or no rung beyond.
int 次の段(const Game& g);

}  // namespace fudo
