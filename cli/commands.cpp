#include "cli/commands.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string_view>

#include "cli/analyse.h"
#include "cli/bench_corpus.h"
#include "cli/headless.h"
#include "cli/play.h"
#include "cli/level4.h"
#include "cli/match.h"
#include "cli/output_file.h"
#include "cli/usi.h"
#include "cli/record_commands.h"
#include "cli/selfplay.h"
#include "notation/sfen.h"
#include "files/file_io.h"
#include "files/record_file.h"
#include "notation/record_io.h"
#include "search/strength.h"

namespace fudo::cli {

namespace {

// What --help prints; the manual page fudo-cli(1) carries the same synopses and option
// texts (a test compares them).
struct CommandHelp {
    std::string_view name;
    std::string_view synopsis;  // after "fudo-cli "
    std::string_view summary;
    std::string_view options;   // "  --opt ARG\n      text\n" per option
};

constexpr CommandHelp kCommands[] = {
    {"bestmove", "bestmove [--level N] [--step K] [--scores] [--movetime MS] [--depth N] SFEN",
     "Prints the move the computer chooses in the position SFEN, with the computer to move.",
     "  --level N\n"
     "      The computer's level, 1 to 4 (default 3). Level 4 plays the side SFEN names and\n"
     "      prints a USI info line after every iteration of its search.\n"
     "  --step K\n"
     "      Level 4 held to strength step K, 1 (weakest) to 11; implies --level 4.\n"
     "  --scores\n"
     "      First prints every candidate move with its score (levels 1 to 3).\n"
     "  --movetime MS\n"
     "      Level 4's thinking time in milliseconds (default 1000).\n"
     "  --depth N\n"
     "      Level 4 searches N plies deep, 1 to 64, with no time limit unless --movetime\n"
     "      is given too.\n"},
    {"selfplay",
     "selfplay --games N [--seed S] [--upper-level A] [--lower-level B] [--upper-step K] [--lower-step K] "
     "[--sample K] [--record FILE] "
     "[--movetime MS] [--upper-movetime MS] [--lower-movetime MS] [--handicap G]",
     "Plays whole games of the computer against itself and prints how each ended.",
     "  --games N\n"
     "      Number of games, 1 to 1000000.\n"
     "  --seed S\n"
     "      Seed of the random opening moves (default 1); the same seed plays the same games.\n"
     "  --upper-level A\n"
     "      Level of the upper side, 1 to 4 (default 3).\n"
     "  --lower-level B\n"
     "      Level of the lower side, 1 to 4 (default 3).\n"
     "  --upper-step K\n"
     "      The upper side plays level 4 held to strength step K, 1 to 11.\n"
     "  --lower-step K\n"
     "      The lower side plays level 4 held to strength step K, 1 to 11.\n"
     "  --sample K\n"
     "      Also prints every K-th position with the upper side to move, as SFEN.\n"
     "  --record FILE\n"
     "      Writes each game as a .棋譜 record file; with several games, FILE-n for game n (a pipe\n"
     "      or a device takes them one after another).\n"
     "  --movetime MS\n"
     "      Thinking time of a level 4 side in milliseconds (default 200).\n"
     "  --upper-movetime MS\n"
     "      The same for the upper side only.\n"
     "  --lower-movetime MS\n"
     "      The same for the lower side only.\n"
     "  --handicap G\n"
     "      Takes the upper side's pieces of handicap grade G, 0 to 10, away before the game.\n"},
    {"replay", "replay FILE [--move N]",
     "Reads a record file (.棋譜, .kif, .kifu or .csa) the way the game does and prints its position as SFEN.",
     "  --move N\n"
     "      The position after move N (default: after the last move).\n"},
    {"bench", "bench [--level N] [--step K] [--positions FILE] [--repeat R] [--movetime MS] [--depth N] [--cpu-time]",
     "Times the computer's search over a corpus of positions and prints its signature.",
     "  --level N\n"
     "      The computer's level, 1 to 4 (default 3). Level 4 prints nodes per second and\n"
     "      the depth its search reaches.\n"
     "  --step K\n"
     "      Judges strength step K's moves (R seeds a position) by level 4 searching --depth\n"
     "      plies (default 5): how many lose more than a pawn's worth, and the mean loss.\n"
     "  --positions FILE\n"
     "      The corpus, one SFEN a line (default: the corpus installed with the game).\n"
     "  --repeat R\n"
     "      Searches each position R times, 1 to 1000 (default 3).\n"
     "  --movetime MS\n"
     "      Level 4's time per position in milliseconds (default 1000).\n"
     "  --depth N\n"
     "      Level 4 searches each position N plies deep instead, and prints the signature of\n"
     "      its search.\n"
     "  --cpu-time\n"
     "      Level 4's time is the processor time of its thread, not the time on the wall.\n"},
    {"play", "play [--level N] [--step K] [--second] [--handicap G] [--scores] [--board] [--record FILE]",
     "Plays a game against the computer, reading your moves in USI from standard input (7g7f, 8h2b+, "
     "P*5e, resign, quit).",
     "  --level N\n"
     "      The computer's level, 1 to 4 (default 3).\n"
     "  --step K\n"
     "      Level 4 held to strength step K, 1 (weakest) to 11; implies --level 4.\n"
     "  --second\n"
     "      The computer moves first.\n"
     "  --handicap G\n"
     "      Handicap grade, -10 to 10: G > 0 takes G of the computer's pieces away, G < 0 -G of yours.\n"
     "  --scores\n"
     "      Before each move of the computer, prints every candidate move with its score (levels 1\n"
     "      to 3).\n"
     "  --board\n"
     "      Prints the board and both hands after each move; v marks the computer's pieces.\n"
     "  --record FILE\n"
     "      Writes the game as a .棋譜 record file at the end; the file is checked before the game.\n"},
    {"export", "export FILE [--kif | --kifu | --csa] [--output OUT]",
     "Writes the game of the record file FILE (.棋譜) in KIF (Shift JIS), KIFU (KIF in UTF-8) or CSA.",
     "  --kif\n"
     "      KIF in Shift JIS, the format most shogi programs read.\n"
     "  --kifu\n"
     "      KIF in UTF-8.\n"
     "  --csa\n"
     "      CSA, the format of computer shogi.\n"
     "  --output OUT\n"
     "      The file to write (also -o OUT; default: FILE with the format's extension). Its suffix\n"
     "      .kif, .kifu or .csa chooses the format; - is standard output.\n"},
    {"import", "import FILE [--output OUT]",
     "Reads a KIF, KIFU or CSA file, checks every move under the game's rules and prints how many it holds.",
     "  --output OUT\n"
     "      Also writes the game as OUT (also -o OUT) in the format its suffix names: .棋譜, .kif,\n"
     "      .kifu or .csa (.棋譜 for any other name; - is standard output). A handicap start\n"
     "      cannot be written as .棋譜.\n"},
    {"usi", "usi [--threads N] [--hash MB] [--step K]",
     "Runs level 4 as a USI engine on standard input and output, under this game's rule.",
     "  --threads N\n"
     "      Search threads at the start, 1 to 64 (default 1; the Threads option changes it).\n"
     "  --hash MB\n"
     "      Hash table size in megabytes at the start, 1 to 4096 (default 64; USI_Hash changes it).\n"
     "  --step K\n"
     "      Plays strength step K, 1 (weakest) to 11, instead of full level 4 (the Step option\n"
     "      changes it; 0 is full strength).\n"},
    {"match",
     "match --engine CMD --games N [--movetime MS] [--seed S] [--threads T] [--level N] [--step K] [--depth N] "
     "[--nodes N] [--opening-plies K] [--hash MB] [--margin MS] [--sfen SFEN]",
     "Plays the computer against a USI engine that knows this game's rule and prints wins, draws, losses "
     "and an Elo estimate.",
     "  --engine CMD\n"
     "      The other engine's command line, run by the shell.\n"
     "  --games N\n"
     "      Number of games, 1 to 100000, played in pairs: each opening twice, sides swapped (an odd\n"
     "      count plays the last opening once).\n"
     "  --movetime MS\n"
     "      Both sides' time per move in milliseconds (default 200).\n"
     "  --seed S\n"
     "      Seed of the random opening moves (default 1).\n"
     "  --threads T\n"
     "      The computer's search threads, 1 to 64 (default 1).\n"
     "  --level N\n"
     "      The computer's level, 1 to 4 (default 4).\n"
     "  --step K\n"
     "      Level 4 held to strength step K, 1 (weakest) to 11, within the time per move.\n"
     "  --depth N\n"
     "      Level 4 searches N plies deep instead of by time, 1 to 64.\n"
     "  --nodes N\n"
     "      Level 4 searches N nodes instead of by time.\n"
     "  --opening-plies K\n"
     "      Random moves that open each pair of games, 0 to 20 (default 2).\n"
     "  --hash MB\n"
     "      The computer's hash table in megabytes, 1 to 4096 (default 64).\n"
     "  --margin MS\n"
     "      The other engine's grace beyond its time per move, 0 to 60000 ms (default 1000); a\n"
     "      later answer loses on time.\n"
     "  --sfen SFEN\n"
     "      Starts every game from this position instead of the usual one.\n"},
    {"analyse", "analyse FILE [--movetime MS] [--threads T] [--output OUT.kif]",
     "Reviews a record (.棋譜, .kif, .kifu or .csa) with level 4: each move's evaluation from ▲'s side, "
     "the best move and a mark on the moves that lost ground, then a summary per side.",
     "  --movetime MS\n"
     "      Thinking time per position in milliseconds, 1 to 3600000 (default 200).\n"
     "  --threads T\n"
     "      Search threads, 1 to 64 (default 1).\n"
     "  --output OUT.kif\n"
     "      Also writes the record as KIF (.kif Shift JIS, .kifu UTF-8) with the review as\n"
     "      comments other shogi programs read (also -o OUT; - writes .kif to standard output).\n"},
    // Commands still to come are added here and to fudo-cli(1).
};

void printUsage(std::ostream& out) {
    const char* lead = "usage: ";
    for (const CommandHelp& c : kCommands) {
        out << lead << "fudo-cli " << c.synopsis << '\n';
        lead = "       ";
    }
    out << "       fudo-cli COMMAND --help\n\n";
    for (const CommandHelp& c : kCommands) out << "  " << c.name << ": " << c.summary << '\n';
}

void printCommandHelp(const CommandHelp& c, std::ostream& out) {
    out << "usage: fudo-cli " << c.synopsis << "\n\n" << c.summary << "\n\noptions:\n" << c.options;
}

// Walks the words of one command: options with a value, flags, positional words.
class Words {
public:
    Words(const std::vector<std::string>& args, std::ostream& err) : args_(args), err_(err) {}

    bool next() { return ++i_ < args_.size(); }
    const std::string& word() const { return args_[i_]; }

    // The value after the current option; false (with the error written) when missing.
    bool value(std::string_view& out) {
        if (i_ + 1 >= args_.size()) return fail("option " + word() + " needs a value");
        out = args_[++i_];
        return true;
    }
    bool number(long long lo, long long hi, long long& out) {
        const std::string name = word();
        std::string_view v;
        if (!value(v)) return false;
        if (!parseInt(v, lo, hi, out))
            return fail(name + " must be a number from " + std::to_string(lo) + " to " + std::to_string(hi));
        return true;
    }
    bool level(int& out, int highest = 4) {
        long long n;
        if (!number(1, highest, n)) return false;
        out = static_cast<int>(n);
        return true;
    }
    bool step(int& out) {
        long long n;
        if (!number(1, search::StepCount, n)) return false;
        out = static_cast<int>(n);
        return true;
    }
    std::ostream& errors() { return err_; }
    bool fail(const std::string& message) {
        err_ << "fudo-cli: " << message << '\n';
        return false;
    }

private:
    const std::vector<std::string>& args_;
    std::ostream& err_;
    size_t i_ = 0;  // args_[0] is the command
};

int bestmove(Words& w, std::ostream& out) {
    int level = 0, step = 0;
    bool scores = false;
    std::string sfen;
    search::Limits limits;
    bool limited = false;
    while (w.next()) {
        const std::string& a = w.word();
        long long n;
        if (a == "--scores") {
            scores = true;
        } else if (a == "--level") {
            if (!w.level(level)) return kExitBadInput;
        } else if (a == "--step") {
            if (!w.step(step)) return kExitBadInput;
        } else if (a == "--movetime") {
            if (!w.number(1, 3600000, n)) return kExitBadInput;
            limits.seconds = double(n) / 1000;
            limited = true;
        } else if (a == "--depth") {
            if (!w.number(1, 64, n)) return kExitBadInput;
            limits.depth = int(n);
            limited = true;
        } else if (a.starts_with("--")) {
            w.fail("unknown option " + a);
            return kExitBadInput;
        } else {
            // The position may come as one word or as its separate fields.
            if (!sfen.empty()) sfen += ' ';
            sfen += a;
        }
    }
    if (sfen.empty()) {
        w.fail("bestmove needs a position in SFEN");
        return kExitBadInput;
    }
    Position pos;
    std::string error;
    if (!parseSfen(sfen, pos, error)) {
        w.fail("bad SFEN: " + error);
        return kExitBadInput;
    }
    // Levels 1 to 3 answer any board they are given (their reference positions hold more than
    // a set); the search does not, so only it refuses such a position.
    std::string overSet;
    const bool withinSet = checkPieceCounts(pos, overSet);
    if (step && level && level != 4) {
        w.fail("--step belongs to --level 4");
        return kExitBadInput;
    }
    if (!level) level = step ? 4 : 3;
    if (!withinSet && level == 4) {
        w.fail("bad SFEN: " + overSet);
        return kExitBadInput;
    }
    if (!withinSet) w.errors() << "fudo-cli: note: " << overSet << '\n';
    if (level != 4) {
        if (limited) {
            w.fail("--movetime and --depth belong to --level 4");
            return kExitBadInput;
        }
        out << bestmoveOutput(pos, level, scores);
        return 0;
    }
    if (scores) {
        w.fail("--scores belongs to levels 1 to 3");
        return kExitBadInput;
    }
    // Level 4 plays the army the SFEN names; one second unless told otherwise.
    if (!limited) limits.seconds = 1.0;
    search::Color side;
    int number;
    sfenSideAndNumber(sfen, side, number);
    out << level4Output(snapshotOf(pos, side, number - 1), limits, step);
    return 0;
}

// The record file of game n: FILE itself for a single game, else FILE with "-n" before its
// extension.
std::string recordFile(const std::string& file, long long n, long long games) {
    if (games == 1) return file;
    const std::filesystem::path p = パス_UTF8(file);
    return 文字列_パス(p.parent_path() / パス_UTF8(文字列_パス(p.stem()) + "-" + std::to_string(n) + 文字列_パス(p.extension())));
}

int selfplay(Words& w, std::ostream& out) {
    long long games = -1, seed = 1;
    SelfplayOptions o;
    std::string recordPath;
    while (w.next()) {
        const std::string& a = w.word();
        long long n;
        bool ok;
        if (a == "--games") {
            ok = w.number(1, 1000000, games);
        } else if (a == "--seed") {
            ok = w.number(0, 999999999999LL, seed);
        } else if (a == "--upper-level") {
            ok = w.level(o.upperLevel);
        } else if (a == "--lower-level") {
            ok = w.level(o.lowerLevel);
        } else if (a == "--upper-step") {
            ok = w.step(o.upperStep);
            o.upperLevel = 4;
        } else if (a == "--lower-step") {
            ok = w.step(o.lowerStep);
            o.lowerLevel = 4;
        } else if (a == "--sample") {
            ok = w.number(1, 1000, n);
            o.sampleEvery = static_cast<int>(n);
        } else if (a == "--record") {
            std::string_view v;
            ok = w.value(v);
            recordPath = v;
        } else if (a == "--movetime" || a == "--upper-movetime" || a == "--lower-movetime") {
            ok = w.number(1, 3600000, n);
            if (a != "--lower-movetime") o.upperSeconds = double(n) / 1000;
            if (a != "--upper-movetime") o.lowerSeconds = double(n) / 1000;
        } else if (a == "--handicap") {
            ok = w.number(0, 10, n);
            o.handicap = static_cast<int>(n);
        } else {
            ok = w.fail("unknown option " + a);
        }
        if (!ok) return kExitBadInput;
    }
    if (games < 0) {
        w.fail("selfplay needs --games N");
        return kExitBadInput;
    }
    // A record holds moves from the opening position only, as with play.
    if (!recordPath.empty() && o.handicap != 0) {
        w.fail("--record cannot be used with --handicap");
        return kExitBadInput;
    }
    if ((o.upperStep && o.upperLevel != 4) || (o.lowerStep && o.lowerLevel != 4)) {
        w.fail("a step belongs to level 4");
        return kExitBadInput;
    }
    // The record's file is checked before the games: a pipe or a device takes every game in
    // turn, else each game gets its own file.
    Output record;
    const bool oneStream = !recordPath.empty() && 出力ファイル(パス_UTF8(recordPath)).ストリーム();
    if (!recordPath.empty() &&
        !openRecordOutput(record, oneStream ? recordPath : recordFile(recordPath, 1, games), w.errors()))
        return kExitBadInput;

    int won[3] = {0, 0, 0};  // lower, upper, draw
    int faults = 0;
    long long moves = 0;
    const auto t0 = std::chrono::steady_clock::now();
    for (long long n = 0; n < games; ++n) {
        const auto gameSeed = static_cast<std::uint64_t>(seed) * 1000003u + static_cast<std::uint64_t>(n);
        const SelfplayGame r = playSelfplayGame(gameSeed, o);
        const int who = r.winner == SelfplayGame::Winner::Lower ? 0 : r.winner == SelfplayGame::Winner::Upper ? 1 : 2;
        static const char* const kNames[3] = {"lower", "upper", "draw"};
        ++won[who];
        moves += r.moves;
        out << "game " << n + 1 << ": " << kNames[who] << " (" << r.reason << "), " << r.moves
            << " moves, final " << r.finalSfen << '\n';
        if (!r.piecesOk || !r.fault.empty()) {
            ++faults;
            out << "game " << n + 1 << ": FAULT " << r.fault << '\n';
        }
        for (const std::string& s : r.samples) out << "sample " << s << '\n';
        if (!recordPath.empty()) {
            Output next;
            if (n > 0 && !oneStream && !openRecordOutput(next, recordFile(recordPath, n + 1, games), w.errors()))
                return kExitBadInput;
            Output& to = n > 0 && !oneStream ? next : record;
            std::string reason;
            const auto bytes = 書式_棋譜(r.record, &reason);
            if (!bytes) {
                w.fail("cannot write " + to.name() + ": " + reason);
                return kExitBadInput;
            }
            if (!to.write(*bytes, out, w.errors())) return kExitBadInput;
        }
    }
    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    char line[256];
    std::snprintf(line, sizeof line,
                  "games %lld (upper level %d, lower level %d): lower %d, upper %d, draws %d; "
                  "%lld moves in %.2f s (%.3f ms per move); faults %d\n",
                  games, o.upperLevel, o.lowerLevel, won[0], won[1], won[2], moves, secs,
                  moves ? secs * 1e3 / static_cast<double>(moves) : 0.0, faults);
    out << line;
    return faults ? 1 : 0;
}

// A host whose file list shows the folder of the record being replayed.
class RecordHost : public NullHost {
public:
    explicit RecordHost(std::filesystem::path folder) : folder_(std::move(folder)) {}
    std::filesystem::path fileListFolder() override { return folder_; }

private:
    std::filesystem::path folder_;
};

// Reads a record file the way the window does and steps forward through it.
int replay(Words& w, std::ostream& out) {
    std::string file;
    long long moves = -1;
    while (w.next()) {
        const std::string& a = w.word();
        if (a == "--move") {
            if (!w.number(0, KIFU_MAX, moves)) return kExitBadInput;
        } else if (a.starts_with("--")) {
            w.fail("unknown option " + a);
            return kExitBadInput;
        } else if (file.empty()) {
            file = a;
        } else {
            w.fail("replay takes one record file");
            return kExitBadInput;
        }
    }
    if (file.empty()) {
        w.fail("replay needs a record file");
        return kExitBadInput;
    }
    // The same reader and checks as the window; the refusal is the window's message.
    const std::filesystem::path path(file);
    if (形式_拡張子(path)) return replayExchange(path, moves, out, w.errors());
    const 棋譜読込結果 r = 読込_棋譜(path);
    if (!r.ok) {
        std::string reason = r.error;
        for (char& c : reason)
            if (c == '\n') c = ' ';
        w.fail(path.string() + ": " + reason);
        return kExitBadInput;
    }
    const long long count = static_cast<long long>(r.data.手.size());
    if (moves > count) {
        w.fail("the record holds only " + std::to_string(count) + " moves");
        return kExitBadInput;
    }
    NullCanvas canvas;
    NullDialogs dialogs;
    RecordHost host(path.has_parent_path() ? path.parent_path() : std::filesystem::path("."));
    auto game = std::make_unique<Game>(canvas, dialogs, host, nullptr);
    game->File1_Click(path.filename().string());
    if (game->KIFU_MODE != 1 || game->KIFU_LAST != count) {
        w.fail(path.string() + ": the record could not be read");
        return kExitBadInput;
    }
    for (long long i = 0; i < (moves < 0 ? count : moves); ++i) game->AFTER_Click();
    out << 局面SFEN(*game) << '\n';
    return 0;
}

int bench(Words& w, std::ostream& out) {
    int level = 3, step = 0;
    long long repeat = 3;
    std::string path = defaultCorpusPath();
    search::Limits limits;
    limits.seconds = 1.0;
    bool cpuClock = false;
    while (w.next()) {
        const std::string& a = w.word();
        bool ok;
        long long n;
        if (a == "--movetime") {
            ok = w.number(1, 3600000, n);
            limits.seconds = double(n) / 1000;
        } else if (a == "--depth") {
            ok = w.number(1, 64, n);
            limits.depth = static_cast<int>(n);
            limits.seconds = 0;
        } else if (a == "--cpu-time") {
            ok = true;
            cpuClock = true;
        } else if (a == "--step") {
            ok = w.step(step);
        } else if (a == "--level") {
            ok = w.level(level);
        } else if (a == "--positions") {
            std::string_view v;
            ok = w.value(v);
            path = v;
        } else if (a == "--repeat") {
            ok = w.number(1, 1000, repeat);
        } else {
            ok = w.fail(a.starts_with("--") ? "unknown option " + a : "bench takes no word " + a);
        }
        if (!ok) return kExitBadInput;
    }
    std::vector<Position> corpus;
    std::string error;
    if (!loadCorpus(path, corpus, error)) {
        w.fail(error);
        return kExitBadInput;
    }
    if (step) {
        const int depth = limits.depth ? limits.depth : 5;
        const StepAudit a = auditStep(corpus, step, depth, int(repeat));
        char line[256];
        std::snprintf(line, sizeof line,
                      "step %d judged by level 4 at depth %d: %d moves, %d as level 4 (%.1f%%), %d lose more than "
                      "a pawn (%.1f%%), mean loss %.0f cp\n",
                      step, depth, a.moves, a.bestMoves, a.moves ? 100.0 * a.bestMoves / a.moves : 0.0, a.pawnLosses,
                      a.moves ? 100.0 * a.pawnLosses / a.moves : 0.0, a.meanLoss);
        out << line;
        return 0;
    }
    if (level == 4) {
        const Level4Bench b = runLevel4Bench(corpus, limits, cpuClock);
        std::vector<int> sorted = b.depths;
        std::sort(sorted.begin(), sorted.end());
        char line[512];
        std::snprintf(line, sizeof line,
                      "positions %zu, level 4, %s per position%s\n"
                      "nodes %llu in %.2f s, %.0f nodes/s; %.2f s of processor time, %.0f nodes/s\n"
                      "depth reached: median %d, min %d, max %d\n%s",
                      corpus.size(),
                      limits.depth ? ("depth " + std::to_string(limits.depth)).c_str()
                                   : (std::to_string(int(limits.seconds * 1000)) + " ms").c_str(),
                      cpuClock ? " of processor time" : "",
                      static_cast<unsigned long long>(b.nodes), b.seconds,
                      b.seconds > 0 ? double(b.nodes) / b.seconds : 0.0, b.cpuSeconds,
                      b.cpuSeconds > 0 ? double(b.nodes) / b.cpuSeconds : 0.0, b.medianDepth(), sorted.front(),
                      sorted.back(),
                      limits.depth ? ("signature " + std::to_string(b.signature) + "\n").c_str() : "");
        out << line;
        return 0;
    }
    const BenchResult r = runBench(corpus, level, static_cast<int>(repeat));
    char line[512];
    std::snprintf(line, sizeof line,
                  "positions %zu, level %d, searches %zu\n"
                  "median %.1f us, p99 %.1f us per search\n"
                  "candidates %llu, %.0f candidates/s\n"
                  "signature %llu\n",
                  corpus.size(), level, r.micros.size(), r.median(), r.percentile(99),
                  static_cast<unsigned long long>(r.candidates),
                  r.seconds > 0 ? static_cast<double>(r.candidates) / r.seconds : 0.0,
                  static_cast<unsigned long long>(r.signature));
    out << line;
    return 0;
}

int usiCommand(Words& w, std::istream& in, std::ostream& out) {
    int threads = 1, step = 0;
    long long hash = 64;
    while (w.next()) {
        const std::string& a = w.word();
        long long n;
        bool ok;
        if (a == "--threads") {
            ok = w.number(1, 64, n);
            threads = int(n);
        } else if (a == "--hash") {
            ok = w.number(1, 4096, hash);
        } else if (a == "--step") {
            ok = w.step(step);
        } else {
            ok = w.fail("unknown option " + a);
        }
        if (!ok) return kExitBadInput;
    }
    return runUsi(in, out, threads, std::size_t(hash), step);
}

int match(Words& w, std::ostream& out) {
    MatchOptions o;
    long long games = -1;
    while (w.next()) {
        const std::string& a = w.word();
        long long n;
        bool ok;
        if (a == "--engine") {
            std::string_view v;
            ok = w.value(v);
            o.engine = v;
        } else if (a == "--games") {
            ok = w.number(1, 100000, games);
        } else if (a == "--movetime") {
            ok = w.number(1, 3600000, n);
            o.movetimeMs = int(n);
        } else if (a == "--margin") {
            ok = w.number(0, 60000, n);
            o.marginMs = int(n);
        } else if (a == "--sfen") {
            std::string_view v;
            ok = w.value(v);
            o.sfen = v;
        } else if (a == "--seed") {
            ok = w.number(0, 999999999999LL, n);
            o.seed = std::uint64_t(n);
        } else if (a == "--threads") {
            ok = w.number(1, 64, n);
            o.threads = int(n);
        } else if (a == "--level") {
            ok = w.level(o.level);
        } else if (a == "--step") {
            ok = w.step(o.step);
        } else if (a == "--depth") {
            ok = w.number(1, 64, n);
            o.limits.depth = int(n);
        } else if (a == "--nodes") {
            ok = w.number(1, 999999999999LL, n);
            o.limits.nodes = std::uint64_t(n);
        } else if (a == "--opening-plies") {
            ok = w.number(0, 20, n);
            o.openingPlies = int(n);
        } else if (a == "--hash") {
            ok = w.number(1, 4096, n);
            o.hashMegabytes = std::size_t(n);
        } else {
            ok = w.fail("unknown option " + a);
        }
        if (!ok) return kExitBadInput;
    }
    if (o.engine.empty() || games < 0) {
        w.fail("match needs --engine CMD and --games N");
        return kExitBadInput;
    }
    if (o.level != 4 && (o.limits.depth || o.limits.nodes || o.threads != 1 || o.step)) {
        w.fail("--step, --depth, --nodes and --threads belong to --level 4");
        return kExitBadInput;
    }
    o.games = int(games);
    MatchScore score;
    if (!runMatch(o, out, w.errors(), score)) return kExitBadInput;
    out << "match against " << o.engine << ", " << o.movetimeMs << " ms a move: level " << o.level
        << (o.step ? "-" + std::to_string(o.step) : std::string()) << ' ' << scoreLine(score) << '\n';
    return 0;
}

int play(Words& w, std::istream& in, std::ostream& out, std::ostream& err) {
    PlayOptions o;
    bool levelGiven = false;
    while (w.next()) {
        const std::string& a = w.word();
        bool ok = true;
        if (a == "--level") {
            ok = w.level(o.level);
            levelGiven = true;
        } else if (a == "--step") {
            ok = w.step(o.step);
        } else if (a == "--second") {
            o.second = true;
        } else if (a == "--scores") {
            o.scores = true;
        } else if (a == "--board") {
            o.board = true;
        } else if (a == "--handicap") {
            std::string_view v;
            ok = w.value(v);
            const bool negative = ok && v.starts_with('-');
            long long n = 0;
            if (ok && (negative || v.starts_with('+'))) v.remove_prefix(1);
            if (ok && !parseInt(v, 0, 10, n)) ok = w.fail("--handicap must be a number from -10 to 10");
            o.handicap = static_cast<int>(negative ? -n : n);
        } else if (a == "--record") {
            std::string_view v;
            ok = w.value(v);
            o.record = v;
        } else if (a.starts_with("-")) {
            ok = w.fail("unknown option " + a);
        } else {
            ok = w.fail("unexpected " + a + " (moves are read from standard input)");
        }
        if (!ok) return kExitBadInput;
    }
    // A record holds moves from the opening position only, so the window refuses to save
    // a handicap game; refuse before the game rather than after it.
    if (o.step) {
        if (levelGiven && o.level != 4) {
            w.fail("--step belongs to --level 4");
            return kExitBadInput;
        }
        o.level = 4;
    }
    if (o.scores && o.level == 4) {
        w.fail("--scores belongs to levels 1 to 3");
        return kExitBadInput;
    }
    if (!o.record.empty() && o.handicap != 0) {
        w.fail("--record cannot be used with --handicap");
        return kExitBadInput;
    }
    return runPlay(o, in, out, err);
}

}  // namespace

// A whole decimal number within [lo, hi].
bool parseInt(std::string_view s, long long lo, long long hi, long long& out) {
    if (s.empty() || s.size() > 18) return false;
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    if (v < lo || v > hi) return false;
    out = v;
    return true;
}

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::istringstream none;
    return runCommand(args, none, out, err);
}

int runCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    if (args.empty()) {
        err << "fudo-cli: missing command (bestmove, selfplay, replay, bench, play, export, import, usi, match or analyse; --help "
               "for usage)\n";
        return kExitBadInput;
    }
    const std::string& cmd = args[0];
    const auto isHelp = [](const std::string& a) { return a == "--help" || a == "-h"; };
    if (isHelp(cmd) || cmd == "help") {
        // "help COMMAND" is the command's own help.
        if (cmd == "help" && args.size() == 2) {
            for (const CommandHelp& c : kCommands)
                if (c.name == args[1]) {
                    printCommandHelp(c, out);
                    return 0;
                }
        }
        printUsage(out);
        return 0;
    }
    for (const CommandHelp& c : kCommands)
        if (c.name == cmd && std::any_of(args.begin() + 1, args.end(), isHelp)) {
            printCommandHelp(c, out);
            return 0;
        }
    Words w(args, err);
    if (cmd == "bestmove") return bestmove(w, out);
    if (cmd == "selfplay") return selfplay(w, out);
    if (cmd == "bench") return bench(w, out);
    if (cmd == "replay") return replay(w, out);
    if (cmd == "play") return play(w, in, out, err);
    if (cmd == "export") return exportCommand(args, out, err);
    if (cmd == "import") return importCommand(args, out, err);
    if (cmd == "usi") return usiCommand(w, in, out);
    if (cmd == "match") return match(w, out);
    if (cmd == "analyse") return analyseCommand(args, out, err);
    w.fail("unknown command " + cmd + " (bestmove, selfplay, replay, bench, play, export, import, usi, match or analyse)");
    return kExitBadInput;
}

}  // namespace fudo::cli
