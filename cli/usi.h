// The strong engine as a USI engine: one session reads commands line by line and answers
// on an output stream; `go` searches on a thread of its own so that `stop` can end it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "search/search.h"

namespace fudo::cli {

// A position given in USI: "startpos" or "sfen <4 fields>", then optionally "moves …".
// False, with the reason, when the text or a move is not acceptable under the game's rules.
bool parseUsiPosition(std::string_view text, search::Snapshot& out, std::string& error);

// A `go` command read for the side to move: movetime, depth, nodes, btime/wtime, binc/winc,
// byoyomi, infinite, ponder, mate. Every go ends by itself unless it says infinite or
// ponder: a value that cannot be used is named in `problems` and left out, and a go left
// with no limit thinks for kDefaultGoMs.
struct GoCommand {
    search::Limits limits;
    bool infinite = false;  // until stop
    bool ponder = false;    // on the opponent's time: until ponderhit (then timed) or stop
    bool mate = false;      // a mate search, which this engine does not offer
    std::vector<std::string> problems;  // one `info string` each
};
constexpr int kDefaultGoMs = 1000;
GoCommand parseGoCommand(std::string_view args, search::Color side);
// Its limits alone.
search::Limits parseGo(std::string_view args, search::Color side);

class UsiSession {
public:
    // step: 0 full level 4, 1..search::StepCount a strength step (the Step option changes it).
    explicit UsiSession(std::ostream& out, int threads = 1, std::size_t hashMegabytes = 64, int step = 0);
    ~UsiSession();
    UsiSession(const UsiSession&) = delete;
    UsiSession& operator=(const UsiSession&) = delete;

    // One command line; false after `quit`.
    bool command(std::string_view line);
    // Waits until a running search has printed its bestmove.
    void wait();
    // The same, but a search without a limit is stopped first.
    void finish();

private:
    void say(const std::string& line);
    void stopSearch();
    void ensureEngine();
    void go(std::string_view args);
    void setOption(const std::vector<std::string_view>& w);
    // Lets a search that must not answer yet (infinite, pondering) print its bestmove.
    void release();

    std::ostream& out_;
    std::mutex outMutex_;
    std::unique_ptr<search::Engine> engine_;
    std::size_t hashMegabytes_ = 64;
    int threads_ = 1;
    int step_ = 0;
    std::uint64_t games_ = 0;  // seeds a step's choices: each game its own
    search::Snapshot position_;
    bool havePosition_ = false;
    std::atomic<bool> ponderOption_{false};  // USI_Ponder: bestmove names the reply it expects
    std::atomic<bool> stop_{false};
    // While held, a finished search keeps its bestmove back (go infinite, go ponder).
    std::mutex holdMutex_;
    std::condition_variable holdChanged_;
    bool held_ = false;
    bool pondering_ = false;
    // When ponderhit came (steady seconds); below 0 while the search ponders: its clock
    // stands still until then, so its time budget counts from ponderhit.
    std::atomic<double> ponderhitAt_{-1};
    std::thread searcher_;
};

// The usi command: a session over the lines of `in` until `quit` or the end of the input.
int runUsi(std::istream& in, std::ostream& out, int threads = 1, std::size_t hashMegabytes = 64, int step = 0);

}  // namespace fudo::cli
