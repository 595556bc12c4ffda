// The USI session: commands in, answers out, the search on a thread of its own.
#include "cli/usi.h"

#include <algorithm>
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

bool number(std::string_view s, long long& out) {
    if (s.empty() || s.size() > 15) return false;
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    out = v;
    return true;
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

search::Limits parseGo(std::string_view args, search::Color side) {
    search::Limits limits;
    const std::vector<std::string_view> w = words(args);
    const bool lower = side == search::Lower;
    for (size_t i = 0; i + 1 < w.size(); ++i) {
        long long v;
        if (!number(w[i + 1], v)) continue;
        const std::string_view k = w[i];
        if (k == "movetime") limits.seconds = double(v) / 1000;
        else if (k == "depth") limits.depth = int(std::min(v, 64LL));
        else if (k == "nodes") limits.nodes = std::uint64_t(v);
        else if (k == (lower ? "btime" : "wtime")) limits.clockTime = double(v) / 1000;
        else if (k == (lower ? "binc" : "winc")) limits.increment = double(v) / 1000;
        else if (k == "byoyomi") limits.byoyomi = double(v) / 1000;
    }
    return limits;
}

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

void UsiSession::finish() {
    if (unlimited_) stop_.store(true);
    wait();
}

void UsiSession::stopSearch() {
    stop_.store(true);
    wait();
}

void UsiSession::ensureEngine() {
    if (!engine_) {
        engine_ = std::make_unique<search::Engine>(hashMegabytes_);
        engine_->setThreads(threads_);
    }
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
        say("option name Threads type spin default 1 min 1 max 64");
        say("option name Step type spin default " + std::to_string(step_) + " min 0 max " +
            std::to_string(search::StepCount));
        say("usiok");
    } else if (cmd == "isready") {
        ensureEngine();
        say("readyok");
    } else if (cmd == "setoption") {
        // setoption name <name> value <value>
        std::string_view name, value;
        for (size_t i = 1; i + 1 < w.size(); ++i) {
            if (w[i] == "name") name = w[i + 1];
            if (w[i] == "value") value = w[i + 1];
        }
        long long v;
        if (!number(value, v)) {
            say("info string option " + std::string(name) + " needs a number");
        } else if (name == "USI_Hash" || name == "Hash") {
            stopSearch();
            hashMegabytes_ = std::size_t(std::clamp(v, 1LL, 4096LL));
            engine_.reset();
        } else if (name == "Threads") {
            stopSearch();
            threads_ = int(std::clamp(v, 1LL, 64LL));
            if (engine_) engine_->setThreads(threads_);
        } else if (name == "Step") {
            stopSearch();
            step_ = int(std::clamp(v, 0LL, (long long)search::StepCount));
        } else {
            say("info string unknown option " + std::string(name));
        }
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
        stopSearch();
        ensureEngine();
        if (!havePosition_) {
            say("bestmove resign");
            return true;
        }
        const search::Limits limits = parseGo(rest, position_.toMove);
        unlimited_ = !limits.depth && !limits.nodes && limits.seconds <= 0 && limits.clockTime <= 0 && limits.byoyomi <= 0;
        stop_.store(false);
        searcher_ = std::thread([this, limits, snapshot = position_] {
            bool printed = false;
            const auto line = [this, &printed](const search::Info& i) {
                printed = true;
                say(usiInfoLine(i));
            };
            const search::Result r = step_ ? search::bestMoveAtStep(*engine_, snapshot, step_, limits, games_, stop_, line)
                                           : engine_->bestMove(snapshot, limits, stop_, line);
            // A move found without a whole iteration (a king to take, time too short) still
            // gets its line; a lost position only its resignation.
            if (!printed && r.best != search::NoMove && !r.losing) say(usiInfoLine(r.info));
            say(r.best == search::NoMove || r.losing ? "bestmove resign" : "bestmove " + search::usi(r.best));
        });
    } else if (cmd == "stop") {
        stopSearch();
    } else if (cmd == "ponderhit" || cmd == "gameover") {
        // No pondering; a game's end needs nothing.
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
