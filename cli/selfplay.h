// Self-play: whole games in which the computer's search plays both armies. The upper army
// is the computer of the game (com_ban); for the lower army the position is turned by 180°
// into a scratch game, searched there, and the chosen move is turned back and played on
// the real board the way the board input plays a person's move. The real game's move list
// therefore holds the whole game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/record_file.h"

namespace fudo::cli {

struct SelfplayGame {
    enum class Winner { Lower, Upper, Draw } winner = Winner::Draw;
    std::string reason;     // how it ended
    int moves = 0;          // moves in the move list
    std::string finalSfen;  // position at the end
    bool piecesOk = true;   // 40 pieces after every move
    std::string fault;      // first consistency fault seen, if any
    std::vector<std::string> samples;  // positions with the upper army to move
    棋譜データ record;                  // the whole game as a record file holds it
};

struct SelfplayOptions {
    int upperLevel = 3;
    int lowerLevel = 3;
    int upperStep = 0;       // level 4's strength step per army; 0: full
    int lowerStep = 0;
    int randomOpening = -1;  // lower army's random opening moves; -1: 2..4 from the seed
    int sampleEvery = 0;     // keep every n-th position with the upper army to move; 0: none
    double upperSeconds = 0.2;  // thinking time of an army at level 4
    double lowerSeconds = 0.2;
    int handicap = 0;        // grade 0..10: the upper army's pieces taken away by "△"
};

// Plays one game from the opening position; the seed picks the random opening moves.
SelfplayGame playSelfplayGame(std::uint64_t seed, const SelfplayOptions& options);

}  // namespace fudo::cli
