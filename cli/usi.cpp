// The USI session: commands in, answers out, the search on a thread of its own.
#include "cli/usi.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <istream>
#include <vector>

#include "cli/level4.h"
#include "search/strength.h"
#include "notation/sfen.h"
#include "search/movegen.h"

namespace fudo::cli {

namespace {

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r')) ++i;
        size_t j = i;
        while (j < s.size() && s[j] != ' ' && s[j] != '\t' && s[j] != '\r') ++j;
        if (j > i) out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

// A whole number, perhaps negative, of at most 15 digits.
bool number(std::string_view s, long long& out) {
    const bool negative = !s.empty() && s[0] == '-';
    if (negative) s.remove_prefix(1);
    if (s.empty() || s.size() > 15) return false;
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = negative ? -v : v;
    return true;
}

double steady() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

constexpr const char* kStartpos = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";

}  // namespace

bool parseUsiPosition(std::string_view text, search::Snapshot& out, std::string& error) {
    const std::vector<std::string_view> w = words(text);
    size_t i = 0;
    std::string sfen;
    if (i < w.size() && w[i] == "startpos") {
        sfen = kStartpos;
        ++i;
    } else if (i < w.size() && w[i] == "sfen") {
        for (++i; i < w.size() && w[i] != "moves"; ++i) sfen += std::string(w[i]) + ' ';
    } else {
        error = "position needs startpos or sfen";
        return false;
    }
    Position board;
    if (!parseSfen(sfen, board, error) || !checkPieceCounts(board, error)) return false;
    search::Color side;
    int moveNumber;
    sfenSideAndNumber(sfen, side, moveNumber);
    search::Position pos;
    if (!pos.set(snapshotOf(board, side, moveNumber - 1))) {
        error = "the position cannot be played (kings)";
        return false;
    }
    if (i < w.size()) {
        if (w[i] != "moves") {
            error = "unexpected " + std::string(w[i]);
            return false;
        }
        for (++i; i < w.size(); ++i) {
            const search::Move m = search::parseUsi(w[i]);
            search::Move moves[search::MaxMoves];
            const int n = search::generateMoves(pos, moves, search::GenMode::All);
            bool allowed = false;
            for (int k = 0; k < n && !allowed; ++k) allowed = moves[k] == m;
            // A move may leave its own king attacked (it then loses); one that takes a king
            // ends the game, so nothing can follow it.
            if (!allowed || (!search::isDrop(m) && search::typeOf(pos.at(search::toOf(m))) == search::King)) {
                error = "move " + std::string(w[i]) + " is not allowed here";
                return false;
            }
            search::Undo u;
            pos.make(m, u);
        }
    }
    out = pos.snapshot();
    // Between two players only a taken king ends the game.
    out.upperMateEndsGame = false;
    return true;
}

namespace {

constexpr long long kMaxMs = 1000000000;  // about eleven days

// A go value: a whole number from lo to hi; anything else is named in `problems` and left
// out (a number too big for its field would mean a search without an end).
bool goValue(std::string_view key, std::string_view text, long long lo, long long hi, long long& out,
             std::vector<std::string>& problems) {
    bool ok = !text.empty();
    long long v = 0;
    for (char c : text) {
        ok = ok && c >= '0' && c <= '9' && v <= hi;
        if (ok) v = v * 10 + (c - '0');
    }
    if (!ok || v < lo || v > hi) {
        problems.push_back("go " + std::string(key) + ' ' + std::string(text) + " is not a whole number from " +
                           std::to_string(lo) + " to " + std::to_string(hi) + "; ignored");
        return false;
    }
    out = v;
    return true;
}

}  // namespace

GoCommand parseGoCommand(std::string_view args, search::Color side) {
    GoCommand go;
    search::Limits& limits = go.limits;
    const std::vector<std::string_view> w = words(args);
    const bool lower = side == search::Lower;
    bool clock = false;  // the side to move's time was given, even if 0
    for (size_t i = 0; i < w.size(); ++i) {
        const std::string_view k = w[i];
        if (k == "infinite") {
            go.infinite = true;
            continue;
        }
        if (k == "ponder") {
            go.ponder = true;
            continue;
        }
        if (k == "mate") {
            go.mate = true;
            if (i + 1 < w.size()) ++i;  // its time, or infinite
            continue;
        }
        const bool known = k == "movetime" || k == "depth" || k == "nodes" || k == "btime" || k == "wtime" ||
                           k == "binc" || k == "winc" || k == "byoyomi";
        if (!known) {
            go.problems.push_back("go: unknown word " + std::string(k) + "; ignored");
            continue;
        }
        if (i + 1 >= w.size()) {
            go.problems.push_back("go " + std::string(k) + " needs a value; ignored");
            break;
        }
        const std::string_view text = w[++i];
        long long v;
        if (k == "movetime") {
            if (goValue(k, text, 1, kMaxMs, v, go.problems)) limits.seconds = double(v) / 1000;
        } else if (k == "depth") {
            if (goValue(k, text, 1, 64, v, go.problems)) limits.depth = int(v);
        } else if (k == "nodes") {
            if (goValue(k, text, 1, 1000000000000000LL, v, go.problems)) limits.nodes = std::uint64_t(v);
        } else if (!goValue(k, text, 0, kMaxMs, v, go.problems)) {
            // A clock value that cannot be used.
        } else if (k == (lower ? "btime" : "wtime")) {
            limits.clockTime = double(v) / 1000;
            clock = true;
        } else if (k == (lower ? "binc" : "winc")) {
            limits.increment = double(v) / 1000;
        } else if (k == "byoyomi") {
            limits.byoyomi = double(v) / 1000;
        }
    }
    // No time left and none to come: answer at once rather than think without an end.
    if (clock && limits.clockTime <= 0 && limits.byoyomi <= 0 && limits.increment <= 0) limits.clockTime = 0.001;
    const bool limited = limits.depth || limits.nodes || limits.seconds > 0 || limits.clockTime > 0 ||
                         limits.byoyomi > 0 || limits.increment > 0;
    if (!limited && !go.infinite && !go.mate) {
        limits.seconds = kDefaultGoMs / 1000.0;
        go.problems.push_back("go without a limit thinks " + std::to_string(kDefaultGoMs) +
                              " ms (go infinite thinks until stop)");
    }
    return go;
}

search::Limits parseGo(std::string_view args, search::Color side) { return parseGoCommand(args, side).limits; }

UsiSession::UsiSession(std::ostream& out, int threads, std::size_t hashMegabytes, int step)
    : out_(out), hashMegabytes_(hashMegabytes), threads_(threads), step_(step) {
    std::string error;
    havePosition_ = parseUsiPosition("startpos", position_, error);
}

UsiSession::~UsiSession() { stopSearch(); }

void UsiSession::say(const std::string& line) {
    std::lock_guard<std::mutex> lock(outMutex_);
    out_ << line << '\n';
    out_.flush();
}

void UsiSession::wait() {
    if (searcher_.joinable()) searcher_.join();
}

void UsiSession::release() {
    {
        std::lock_guard<std::mutex> lock(holdMutex_);
        held_ = false;
        pondering_ = false;
    }
    holdChanged_.notify_all();
}

void UsiSession::finish() {
    bool unlimited;
    {
        std::lock_guard<std::mutex> lock(holdMutex_);
        unlimited = held_;
    }
    if (unlimited) stopSearch();
    wait();
}

void UsiSession::stopSearch() {
    stop_.store(true);
    release();
    wait();
}

void UsiSession::ensureEngine() {
    if (!engine_) {
        engine_ = std::make_unique<search::Engine>(hashMegabytes_);
        engine_->setThreads(threads_);
    }
}

void UsiSession::setOption(const std::vector<std::string_view>& w) {
    // setoption name <name> value <value>
    std::string_view name, value;
    for (size_t i = 1; i + 1 < w.size(); ++i) {
        if (w[i] == "name") name = w[i + 1];
        if (w[i] == "value") value = w[i + 1];
    }
    const std::string n(name);
    if (name == "USI_Ponder") {
        if (value == "true" || value == "false")
            ponderOption_ = value == "true";
        else
            say("info string option USI_Ponder needs true or false");
        return;
    }
    const bool hash = name == "USI_Hash" || name == "Hash";
    long long lo, hi;
    if (hash) lo = 1, hi = 4096;
    else if (name == "Threads") lo = 1, hi = 64;
    else if (name == "Step") lo = 0, hi = search::StepCount;
    else {
        say("info string unknown option " + n);
        return;
    }
    long long v;
    if (!number(value, v)) {
        say("info string option " + n + " needs a number");
        return;
    }
    if (v < lo || v > hi) {
        const long long used = std::clamp(v, lo, hi);
        say("info string option " + n + " " + std::to_string(v) + " is out of range " + std::to_string(lo) + ".." +
            std::to_string(hi) + "; " + std::to_string(used) + " used");
        v = used;
    }
    stopSearch();
    if (hash) {
        hashMegabytes_ = std::size_t(v);
        engine_.reset();
    } else if (name == "Threads") {
        threads_ = int(v);
        if (engine_) engine_->setThreads(threads_);
    } else {
        step_ = int(v);
    }
}

void UsiSession::go(std::string_view args) {
    stopSearch();
    ensureEngine();
    if (!havePosition_) {
        say("bestmove resign");
        return;
    }
    const GoCommand go = parseGoCommand(args, position_.toMove);
    for (const std::string& p : go.problems) say("info string " + p);
    if (go.mate) {
        say("info string go mate is not offered; go with a time limit searches mates too");
        say("checkmate notimplemented");
        return;
    }
    search::Snapshot snapshot = position_;
    if (snapshot.movesPlayed >= 500) {
        // The game is drawn: it has no next move. A move is still named, searched as the last
        // one, for a manager that asks regardless.
        say("info string draw: 500 moves have been played");
        snapshot.movesPlayed = 499;
    }
    {
        std::lock_guard<std::mutex> lock(holdMutex_);
        held_ = go.infinite || go.ponder;
        pondering_ = go.ponder;
    }
    stop_.store(false);
    const double started = steady();
    if (go.ponder) {
        // The clock of the search stands still while it ponders: its budget starts at ponderhit.
        ponderhitAt_.store(-1);
        engine_->setClock([this, started] {
            const double hit = ponderhitAt_.load();
            return hit < 0 ? started : started + (steady() - hit);
        });
    } else {
        engine_->setClock({});
    }
    searcher_ = std::thread([this, limits = go.limits, snapshot, started] {
        bool printed = false;
        const auto line = [this, &printed, started](const search::Info& i) {
            printed = true;
            search::Info shown = i;
            shown.seconds = steady() - started;  // pondering included
            say(usiInfoLine(shown));
        };
        const search::Result r = step_ ? search::bestMoveAtStep(*engine_, snapshot, step_, limits, games_, stop_, line)
                                       : engine_->bestMove(snapshot, limits, stop_, line);
        // A move found without a whole iteration (a king to take, time too short) still
        // gets its line, the move at least; a lost position only its resignation.
        if (!printed && r.best != search::NoMove && !r.losing) {
            search::Info i = r.info;
            if (i.pvLength == 0) i.pv[i.pvLength++] = r.best;
            line(i);
        }
        {
            // go infinite and go ponder answer only when told to.
            std::unique_lock<std::mutex> lock(holdMutex_);
            holdChanged_.wait(lock, [this] { return !held_; });
        }
        std::string answer = r.best == search::NoMove || r.losing ? "bestmove resign" : "bestmove " + search::usi(r.best);
        if (ponderOption_ && !r.losing && r.info.pvLength >= 2 && r.info.pv[0] == r.best)
            answer += " ponder " + search::usi(r.info.pv[1]);
        say(answer);
    });
}

bool UsiSession::command(std::string_view line) {
    const std::vector<std::string_view> w = words(line);
    if (w.empty()) return true;
    const std::string_view cmd = w[0];
    const std::string_view rest = line.substr(std::min(line.size(), size_t(cmd.data() - line.data()) + cmd.size()));
    if (cmd == "usi") {
        say("id name Fudo Shogi LEVEL4");
        say("id author the Fudo Shogi developers");
        say("option name USI_Hash type spin default 64 min 1 max 4096");
        say("option name USI_Ponder type check default false");
        say("option name Threads type spin default 1 min 1 max 64");
        say("option name Step type spin default " + std::to_string(step_) + " min 0 max " +
            std::to_string(search::StepCount));
        say("usiok");
    } else if (cmd == "isready") {
        ensureEngine();
        say("readyok");
    } else if (cmd == "setoption") {
        setOption(w);
    } else if (cmd == "usinewgame") {
        stopSearch();
        ensureEngine();
        engine_->clear();
        ++games_;
    } else if (cmd == "position") {
        stopSearch();
        std::string error;
        search::Snapshot s;
        if (parseUsiPosition(rest, s, error)) {
            position_ = s;
            havePosition_ = true;
        } else {
            havePosition_ = false;
            say("info string " + error);
        }
    } else if (cmd == "go") {
        go(rest);
    } else if (cmd == "stop") {
        stopSearch();
    } else if (cmd == "ponderhit") {
        // The move pondered on was played: the search goes on, now on its own time.
        bool pondering;
        {
            std::lock_guard<std::mutex> lock(holdMutex_);
            pondering = pondering_;
        }
        if (pondering) {
            ponderhitAt_.store(steady());
            release();
        }
    } else if (cmd == "gameover") {
        stopSearch();
    } else if (cmd == "quit") {
        stopSearch();
        return false;
    } else {
        say("info string unknown command " + std::string(cmd));
    }
    return true;
}

int runUsi(std::istream& in, std::ostream& out, int threads, std::size_t hashMegabytes, int step) {
    UsiSession session(out, threads, hashMegabytes, step);
    for (std::string line; std::getline(in, line);)
        if (!session.command(line)) return 0;
    // The input ended: a search with a limit still runs to it and answers.
    session.finish();
    return 0;
}

}  // namespace fudo::cli
