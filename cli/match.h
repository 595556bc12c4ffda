// Matches between the computer and an outside USI engine that plays this game's rule:
// paired openings with sides swapped, the game's own move checks as the referee, and the
// score with an Elo estimate.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "search/search.h"

namespace fudo::cli {

// An engine in a child process, spoken to over its standard input and output.
class UsiProcess {
public:
    UsiProcess() = default;
    ~UsiProcess();
    UsiProcess(const UsiProcess&) = delete;
    UsiProcess& operator=(const UsiProcess&) = delete;

    // Runs the command through /bin/sh; false when it cannot be started.
    bool start(const std::string& command);
    bool send(const std::string& line);
    // The next line, waiting at most `seconds`; false on timeout or end of output.
    bool readLine(std::string& line, double seconds);
    // Reads until a line starting with `prefix`; false on timeout or end of output.
    bool waitFor(const std::string& prefix, double seconds, std::string& line);
    // True once the engine has closed its output (it ended or crashed).
    bool ended() const { return ended_; }
    void stop();

private:
    int pid_ = -1, in_ = -1, out_ = -1;
    bool ended_ = false;
    std::string buffer_;
};

struct MatchOptions {
    std::string engine;         // the outside engine's command line
    int games = 2;              // an odd count plays the last opening once
    int movetimeMs = 200;       // both sides' time per move
    int marginMs = 1000;        // the other engine's grace beyond movetime before it loses on time
    std::string sfen;           // the start position; empty: the usual one
    std::uint64_t seed = 1;     // picks the openings
    int openingPlies = 2;       // random moves before the engines take over
    int level = 4;              // our side: 1 to 4
    int step = 0;               // level 4 held to a strength step, 1..search::StepCount; 0: full
    int threads = 1;            // our side's search threads (level 4)
    std::size_t hashMegabytes = 64;
    search::Limits limits;      // our side's limits (level 4); movetime when all zero
};

struct GameResult {
    enum class Outcome { Win, Draw, Loss } outcome = Outcome::Draw;  // for our side
    bool weAreLower = true;  // the lower army moves first (b in SFEN)
    int plies = 0;
    std::string reason;
    std::vector<std::string> moves;  // USI, the opening's included
};

struct MatchScore {
    int wins = 0, draws = 0, losses = 0;
    int games() const { return wins + draws + losses; }
    double score() const;    // 0..1
    double elo() const;      // from our side's view
    double eloError() const; // half the 95% interval
};

// Plays the match; every game and the running score are printed as they end. False when
// the outside engine cannot be started or does not answer `usi`/`isready`.
bool runMatch(const MatchOptions& options, std::ostream& out, std::ostream& err, MatchScore& score);

// The score line: "W wins, D draws, L losses in N games (score S%), Elo E ± X"; when every
// game was won (lost) the Elo has no upper (lower) end, and the line gives its 95% bound.
std::string scoreLine(const MatchScore& score);

}  // namespace fudo::cli
