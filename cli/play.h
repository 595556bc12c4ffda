// A whole game against the computer in a terminal: the person's moves are read in USI
// notation and played as two clicks on the board, so one Game object goes through exactly
// the procedures of a game in the window from the first move to the last.
#pragma once

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/headless.h"
#include "notation/sfen.h"
#include "engine/game.h"

namespace fudo::cli {

struct PlayOptions {
    int level = 3;
    bool second = false;  // the computer moves first, as after 後手
    int handicap = 0;     // grade: > 0 takes the computer's pieces away, < 0 the person's
    bool scores = false;
    bool board = false;
    std::string record;   // record file written at the end; empty: none
    int step = 0;         // level 4's strength step; 0: full
};

// A person's move in USI notation as the two clicks that make it on the board: the pick
// (a square, or the lower stand's row for a drop) and the destination.
struct UsiClicks {
    int fx = 0, fy = 0, tx = 0, ty = 0;
    bool promote = false;  // the destination is clicked with the right button
};

// "7g7f", "8h2b+" or "P*5e" from the lower player's view (file 1 on the right, rank a at
// the top); nullopt for anything else.
std::optional<UsiClicks> parseUsiClicks(std::string_view usi);

// The move-list entry n in USI notation (either side's move).
std::string usiOfEntry(const Game& game, int n);

// Board and hands of a game, as SFEN holds them.
Position positionOf(const Game& game);

// The position before move-list entry n was played, from the position after it.
Position positionBefore(const Position& after, const Game& game, int n);

// A text diagram: the upper side's hand, the board with file and rank labels and the
// upper side's pieces marked 'v', then the lower side's hand.
std::string boardDiagram(const Position& pos);

class PlaySession {
public:
    // The game is started (handicap, level, then 先手 or 後手) by start().
    PlaySession(const PlayOptions& options, std::ostream& out);
    ~PlaySession();
    PlaySession(const PlaySession&) = delete;
    PlaySession& operator=(const PlaySession&) = delete;

    // Sets the game up as the window's commands do; with `second` the computer's first
    // move is printed. False when the level cannot be set.
    bool start();
    // One input line. False once the game is over and no more lines are wanted.
    bool feed(std::string_view line);
    bool over() const { return over_; }

    Game& game();

private:
    struct Ports;
    void playClicks(const UsiClicks& m);
    void dropPick();
    void report(int before);
    std::string endReason();
    void printBoard(const Position& pos);

    PlayOptions options_;
    std::ostream& out_;
    std::unique_ptr<Ports> ports_;
    std::string scoreLines_;
    ScoreLines scorePrinter_{scoreLines_};
    bool over_ = false;
};

// The play command: the session over the input's lines, then the record, if asked for.
// 0 when the game ended or the input ran out; kExitBadInput when the record cannot be
// written.
int runPlay(const PlayOptions& options, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace fudo::cli
