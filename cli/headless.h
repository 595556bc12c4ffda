// The game without a window: the null ports, and the computer's search run on a position
// given from outside.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "notation/sfen.h"
#include "engine/game.h"
#include "engine/null_ports.h"

namespace fudo::cli {

using fudo::NullCanvas;
using fudo::NullDialogs;
using fudo::NullHost;

// A game wired to null ports and no sound library. Large: make it with newHeadless().
struct Headless {
    NullCanvas canvas;
    NullDialogs dialogs;
    NullHost host;
    Game game{canvas, dialogs, host, nullptr};
};

std::unique_ptr<Headless> newHeadless();

// Sets up a fresh game on the position (every map at its start-up value, the two-pawn
// flags clear) with the computer at the given level.
std::unique_ptr<Headless> headlessAt(const Position& pos, int level);

// The computer's turn on the position the game holds, as it runs after a person's move:
// the survey, the mate test of the computer's king (its answer is not used), the start of
// the turn and the search. Nothing is played.
探索結果 searchPosition(Game& game);

// The score lines of `bestmove --scores`: one "<move> <score>" line per evaluation, in
// the order of the search, appended to a string.
class ScoreLines : public 探索観察者 {
public:
    explicit ScoreLines(std::string& out) : out_(out) {}
    void evaluated(const 候補手& m, Score s) override;

private:
    std::string& out_;
};

// The output of `bestmove`: with scores, one "<move> <score>" line per evaluation in the
// order of the search; always last "bestmove <move>" or "bestmove none". Lines end in '\n'.
std::string bestmoveOutput(const Position& pos, int level, bool scores);

// FNV-1a over every evaluation and every chosen move: a fingerprint of the behaviour.
class Signature : public 探索観察者 {
public:
    std::uint64_t value = 14695981039346656037ull;
    std::uint64_t evaluations = 0;
    void evaluated(const 候補手& m, Score s) override;
    void chosen(const 探索結果& r);

private:
    void mix(std::int64_t v);
};

}  // namespace fudo::cli
