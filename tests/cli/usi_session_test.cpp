// Scripted USI sessions that read every line a GUI reads: the info lines' scores and lines,
// bestmove under each kind of go, go infinite and go ponder held until stop or ponderhit,
// the draw after 500 moves, and the options' ranges.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/usi.h"
#include "search/strength.h"

namespace fudo::cli {
namespace {

using namespace std::chrono_literals;

// What the session prints, line by line, readable while its search thread writes.
class Transcript : public std::streambuf {
public:
    std::vector<std::string> lines() {
        std::lock_guard<std::mutex> lock(m_);
        return lines_;
    }
    // The index of the first line from `from` on that satisfies `match`, waiting for it up to
    // `limit` (only a fault makes the wait run out); -1 if none came.
    int waitFor(const std::function<bool(const std::string&)>& match, size_t from = 0,
                std::chrono::seconds limit = 20s) {
        std::unique_lock<std::mutex> lock(m_);
        int found = -1;
        changed_.wait_for(lock, limit, [&] {
            for (size_t i = from; i < lines_.size(); ++i)
                if (match(lines_[i])) {
                    found = int(i);
                    return true;
                }
            return false;
        });
        return found;
    }
    size_t size() {
        std::lock_guard<std::mutex> lock(m_);
        return lines_.size();
    }

protected:
    int overflow(int c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        {
            std::lock_guard<std::mutex> lock(m_);
            if (c == '\n') {
                lines_.push_back(partial_);
                partial_.clear();
            } else {
                partial_ += char(c);
            }
        }
        changed_.notify_all();
        return c;
    }

private:
    std::mutex m_;
    std::condition_variable changed_;
    std::vector<std::string> lines_;
    std::string partial_;
};

bool startsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }
bool isBestmove(const std::string& l) { return startsWith(l, "bestmove "); }
bool isInfoLine(const std::string& l) { return startsWith(l, "info depth "); }

// One session and its transcript.
struct Script {
    Transcript t;
    std::ostream out{&t};
    UsiSession session{out};

    // Sends the lines; returns where the answers start.
    size_t send(std::initializer_list<std::string> commands) {
        const size_t from = t.size();
        for (const std::string& c : commands) session.command(c);
        return from;
    }
    // The lines from `from` to the bestmove, which must come by itself.
    std::vector<std::string> untilBestmove(size_t from) {
        const int at = t.waitFor(isBestmove, from);
        if (at < 0) {
            ADD_FAILURE() << "no bestmove came by itself";
            session.command("stop");
            return {};
        }
        const std::vector<std::string> all = t.lines();
        return {all.begin() + long(from), all.begin() + at + 1};
    }
};

// A field of an info line: the word after `key`.
std::string field(const std::string& line, const std::string& key) {
    std::istringstream in(line);
    for (std::string w; in >> w;)
        if (w == key) {
            in >> w;
            return w;
        }
    return "";
}
std::string score(const std::string& line) {
    const auto at = line.find(" score ");
    if (at == std::string::npos) return "";
    const auto end = line.find(" nodes ", at);
    return line.substr(at + 7, end - at - 7);
}
std::vector<std::string> pvOf(const std::string& line) {
    std::vector<std::string> out;
    const auto at = line.find(" pv");
    if (at == std::string::npos) return out;
    std::istringstream in(line.substr(at + 3));
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// Moves played legally from a position (the parser refuses any move the rules do not allow).
bool legal(const std::string& position, const std::vector<std::string>& moves) {
    std::string text = position.substr(position.find(' ') + 1);  // without "position"
    if (text.find(" moves") == std::string::npos) text += " moves";
    for (const std::string& m : moves) text += ' ' + m;
    search::Snapshot s;
    std::string error;
    return parseUsiPosition(text, s, error);
}

// What a GUI checks of a search's answer: info lines in the usual order with rising depths
// and legal lines, no line after the bestmove's, a legal bestmove (and ponder move).
void expectWellFormed(const std::string& position, const std::vector<std::string>& out) {
    ASSERT_FALSE(out.empty());
    int depth = 0;
    for (const std::string& l : out) {
        if (!isInfoLine(l)) continue;
        const char* order[] = {" depth ", " seldepth ", " score ", " nodes ", " nps ", " time ", " pv"};
        size_t at = 0;
        for (const char* w : order) {
            const size_t next = l.find(w, at);
            EXPECT_NE(next, std::string::npos) << w << " in " << l;
            at = next == std::string::npos ? at : next;
        }
        const int d = std::stoi(field(l, "depth"));
        EXPECT_GE(d, depth) << l;
        depth = d;
        const std::string s = score(l);
        EXPECT_TRUE(startsWith(s, "cp ") || startsWith(s, "mate ")) << l;
        EXPECT_FALSE(pvOf(l).empty()) << l;
        EXPECT_TRUE(legal(position, pvOf(l))) << l;
    }
    const std::string& last = out.back();
    ASSERT_TRUE(isBestmove(last)) << last;
    std::istringstream in(last.substr(9));
    std::vector<std::string> moves;
    std::string w;
    in >> w;
    moves.push_back(w);
    if (in >> w) {
        EXPECT_EQ(w, "ponder") << last;
        in >> w;
        moves.push_back(w);
    }
    if (moves.front() != "resign") {
        EXPECT_TRUE(legal(position, moves)) << last;
    }
}

std::vector<std::string> infoStrings(const std::vector<std::string>& out) {
    std::vector<std::string> s;
    for (const std::string& l : out)
        if (startsWith(l, "info string ")) s.push_back(l.substr(12));
    return s;
}
bool mentions(const std::vector<std::string>& strings, const std::string& text) {
    for (const std::string& s : strings)
        if (s.find(text) != std::string::npos) return true;
    return false;
}

const std::string kStart = "position startpos";
// The lower army (b) drops a gold beside the upper king: mate in one either way round.
const std::string kLowerMates = "position sfen 4k4/9/9/9/9/9/9/9/4K4 b G 1";
const std::string kUpperMates = "position sfen 4k4/9/9/9/9/9/9/9/4K4 w g 1";
// The side to move can only push a pawn; the other then drops its gold: mated in two.
const std::string kUpperMated = "position sfen 4k4/9/9/9/p8/9/9/9/4K4 w G 1";
const std::string kLowerMated = "position sfen 4k4/9/9/9/9/8P/9/9/4K4 b g 1";
// A rook and a bishop up, with no mate at one ply.
const std::string kAhead = "position sfen 3gkg3/3ppp3/9/9/9/9/3PPP3/1B5R1/3GKG3 b RB 1";
const std::string kBehind = "position sfen 3gkg3/3ppp3/9/9/9/9/3PPP3/1B5R1/3GKG3 w RB 1";

TEST(UsiSession, EveryGoEndsByItselfAndNamesWhatItCannotUse) {
    struct Case {
        std::string go;
        std::vector<std::string> named;  // in the info strings
    };
    const Case cases[] = {
        // The side to move (b) has no time left and nothing to come: it answers at once.
        {"go btime 0 wtime 60000", {}},
        {"go btime 0 wtime 0 byoyomi 0 binc 0 winc 0", {}},
        {"go depth 0 nodes 0 movetime -5", {"go depth 0", "go nodes 0", "go movetime -5", "go without a limit"}},
        {"go movetime 1e3 depth 99999999999999999999 btime 99999999999999999999",
         {"go movetime 1e3", "go depth 99999999999999999999", "go btime 99999999999999999999", "go without a limit"}},
        {"go", {"go without a limit"}},
        {"go movetime", {"go movetime needs a value", "go without a limit"}},
        {"go depth 2 banana", {"unknown word banana"}},
    };
    for (const Case& c : cases) {
        Script s;
        const size_t from = s.send({kStart, c.go});
        const std::vector<std::string> out = s.untilBestmove(from);
        SCOPED_TRACE(c.go);
        expectWellFormed(kStart, out);
        if (out.empty()) continue;
        const std::vector<std::string> said = infoStrings(out);
        for (const std::string& n : c.named) EXPECT_TRUE(mentions(said, n)) << n;
        if (c.named.empty()) {
            EXPECT_TRUE(said.empty()) << said.front();
        }
        EXPECT_NE(out.back(), "bestmove resign");
    }
}

TEST(UsiSession, BestmoveUnderEachKindOfGo) {
    const std::string middle = "position startpos moves 7g7f 3c3d 8h2b+ 3a2b 2g2f 8b4b";
    const std::string gos[] = {
        "go movetime 200",
        "go depth 3",
        "go nodes 5000",
        "go btime 1000 wtime 1000",
        "go btime 0 wtime 0 byoyomi 200",
        "go btime 0 wtime 0 binc 300 winc 300",
        "go btime 3000 wtime 100 byoyomi 0",
    };
    for (const std::string& position : {kStart, middle})
        for (const std::string& go : gos) {
            SCOPED_TRACE(position + " / " + go);
            Script s;
            const std::vector<std::string> out = s.untilBestmove(s.send({position, go}));
            expectWellFormed(position, out);
            if (out.empty()) continue;
            EXPECT_TRUE(infoStrings(out).empty());
            EXPECT_NE(out.back(), "bestmove resign");
            EXPECT_GE(out.size(), 2u) << "an info line before the bestmove";
            for (const std::string& l : out)
                if (isInfoLine(l)) {
                    if (go == "go depth 3") {
                        EXPECT_LE(std::stoi(field(l, "depth")), 3) << l;
                    }
                    // The budget is read every 1024 nodes.
                    if (go == "go nodes 5000") {
                        EXPECT_LE(std::stoull(field(l, "nodes")), 5000u + 1024u) << l;
                    }
                }
        }
}

TEST(UsiSession, InfiniteAndPonderAnswerOnlyWhenTold) {
    // A mate in one: the search is over at once, but the answer waits for stop or ponderhit.
    for (const std::string go : {"go infinite", "go ponder", "go ponder btime 0 wtime 0 byoyomi 100"}) {
        SCOPED_TRACE(go);
        Script s;
        s.send({"setoption name USI_Ponder value true"});
        const size_t from = s.send({kLowerMates, go});
        const int mate = s.t.waitFor([](const std::string& l) { return isInfoLine(l) && score(l) == "mate 1"; }, from);
        ASSERT_GE(mate, 0);
        ASSERT_FALSE(pvOf(s.t.lines()[size_t(mate)]).empty());
        std::this_thread::sleep_for(200ms);
        EXPECT_LT(s.t.waitFor(isBestmove, from, 0s), 0) << "answered before being told";
        const bool hit = go != "go infinite";
        s.send({hit ? "ponderhit" : "stop"});
        const std::vector<std::string> out = s.untilBestmove(from);
        expectWellFormed(kLowerMates, out);
        ASSERT_FALSE(out.empty());
        EXPECT_EQ(out.back(), "bestmove " + pvOf(s.t.lines()[size_t(mate)]).front());
    }
    // ponderhit and stop with nothing to answer say nothing.
    Script s;
    const size_t from = s.send({kStart, "ponderhit", "stop"});
    EXPECT_EQ(s.t.size(), from);
}

TEST(UsiSession, PonderThinksOnTheOpponentsTimeUntilPonderhit) {
    Script s;
    s.send({"usi"});
    const std::vector<std::string> usi = s.t.lines();
    EXPECT_NE(std::find(usi.begin(), usi.end(), "option name USI_Ponder type check default false"), usi.end());
    s.send({"setoption name USI_Ponder value true", "isready"});
    // 100 ms a move once the move pondered on is played; until then it thinks on.
    const size_t from = s.send({kStart, "go ponder btime 0 wtime 0 byoyomi 100"});
    const int late = s.t.waitFor(
        [](const std::string& l) { return isInfoLine(l) && std::stoi(field(l, "time")) >= 400; }, from);
    ASSERT_GE(late, 0) << "the pondering search stopped at its move's time";
    EXPECT_LT(s.t.waitFor(isBestmove, from, 0s), 0);
    s.send({"ponderhit"});
    const std::vector<std::string> out = s.untilBestmove(from);
    expectWellFormed(kStart, out);
    ASSERT_FALSE(out.empty());
    // The bestmove names the reply it expects: its line's second move.
    std::string lastInfo;
    for (const std::string& l : out)
        if (isInfoLine(l)) lastInfo = l;
    const std::vector<std::string> pv = pvOf(lastInfo);
    ASSERT_GE(pv.size(), 2u) << lastInfo;
    EXPECT_EQ(out.back(), "bestmove " + pv[0] + " ponder " + pv[1]);

    // The opponent played another move: stop, then the real search.
    const size_t again = s.send({kStart + " moves " + pv[0] + " " + pv[1], "go ponder"});
    ASSERT_GE(s.t.waitFor(isInfoLine, again), 0);
    s.send({"stop"});
    expectWellFormed(kStart + " moves " + pv[0] + " " + pv[1], s.untilBestmove(again));

    // Without USI_Ponder the bestmove is the move alone.
    s.send({"setoption name USI_Ponder value false"});
    const std::vector<std::string> plain = s.untilBestmove(s.send({kStart, "go depth 4"}));
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain.back().find(" ponder "), std::string::npos) << plain.back();
}

TEST(UsiSession, InfoScoresAreTheSideToMovesView) {
    struct Case {
        std::string position, go, score;
    };
    const Case cases[] = {
        {kLowerMates, "go depth 3", "mate 1"}, {kUpperMates, "go depth 3", "mate 1"},
        {kUpperMated, "go depth 3", "mate -2"}, {kLowerMated, "go depth 3", "mate -2"},
        {kAhead, "go depth 1", "cp +"},        {kBehind, "go depth 1", "cp -"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        Script s;
        const std::vector<std::string> out = s.untilBestmove(s.send({c.position, c.go}));
        expectWellFormed(c.position, out);
        ASSERT_GE(out.size(), 2u);
        const std::string& info = out[out.size() - 2];
        ASSERT_TRUE(isInfoLine(info)) << info;
        std::string got = score(info);
        if (c.score == "cp +" && startsWith(got, "cp ") && std::stoi(got.substr(3)) > 300) got = "cp +";
        if (c.score == "cp -" && startsWith(got, "cp -") && std::stoi(got.substr(3)) < -300) got = "cp -";
        EXPECT_EQ(got, c.score) << info;
        ASSERT_FALSE(pvOf(info).empty()) << info;
        EXPECT_EQ(out.back(), "bestmove " + pvOf(info).front());
    }
    // A king to take is taken at once, with its line.
    Script s;
    const std::string take = "position sfen 4k4/4R4/9/9/9/9/9/9/4K4 b - 1";
    const std::vector<std::string> out = s.untilBestmove(s.send({take, "go movetime 1000"}));
    ASSERT_EQ(out.size(), 2u) << (out.empty() ? "" : out.front());
    EXPECT_EQ(score(out[0]), "mate 1") << out[0];
    EXPECT_TRUE(startsWith(out.back(), "bestmove 5b5a")) << out.back();
}

TEST(UsiSession, AfterFiveHundredMovesItSaysTheDraw) {
    // Move number 501: 500 moves have been played, the game is a draw. A GUI that still
    // asks gets a move, not a resignation.
    const std::string over = "position sfen 4k4/9/9/9/9/9/9/9/4K4 b G 501";
    Script s;
    std::vector<std::string> out = s.untilBestmove(s.send({over, "go movetime 1000"}));
    expectWellFormed(over, out);
    ASSERT_FALSE(out.empty());
    EXPECT_TRUE(mentions(infoStrings(out), "draw: 500 moves"));
    EXPECT_NE(out.back(), "bestmove resign");
    int infos = 0;
    for (const std::string& l : out)
        if (isInfoLine(l)) {
            ++infos;
            EXPECT_EQ(score(l), "cp 0") << l;
        }
    EXPECT_EQ(infos, 1) << "no deeper look can change a draw";

    // At move number 500 the move asked for is the last one: no draw is said yet.
    const std::string last = "position sfen 4k4/9/9/9/9/9/9/9/4K4 b G 500";
    out = s.untilBestmove(s.send({last, "go movetime 1000"}));
    expectWellFormed(last, out);
    EXPECT_TRUE(infoStrings(out).empty());
}

TEST(UsiSession, OptionsOutOfRangeAreNamedAndHeldToTheirRange) {
    const std::string top = std::to_string(search::StepCount);
    struct Case {
        std::string set, named;  // named: "" when the value is taken as it is
    };
    const Case cases[] = {
        {"Threads value 0", "option Threads 0 is out of range 1..64; 1 used"},
        {"Threads value 65", "option Threads 65 is out of range 1..64; 64 used"},
        {"USI_Hash value 0", "option USI_Hash 0 is out of range 1..4096; 1 used"},
        {"Step value " + std::to_string(search::StepCount + 1),
         "option Step " + std::to_string(search::StepCount + 1) + " is out of range 0.." + top + "; " + top + " used"},
        {"Step value -1", "option Step -1 is out of range 0.." + top + "; 0 used"},
        {"USI_Ponder value maybe", "option USI_Ponder needs true or false"},
        {"Threads value two", "option Threads needs a number"},
        {"Colour value 3", "unknown option Colour"},
        {"Threads value 2", ""},
        {"USI_Hash value 16", ""},
        {"USI_Ponder value true", ""},
        {"Step value " + top, ""},
        {"Step value 0", ""},
    };
    for (const Case& c : cases) {
        Script s;
        const size_t from = s.send({"setoption name " + c.set});
        const std::vector<std::string> said = infoStrings(s.t.lines());
        SCOPED_TRACE(c.set);
        if (c.named.empty()) {
            EXPECT_EQ(s.t.size(), from) << s.t.lines().back();
        } else {
            ASSERT_EQ(said.size(), 1u);
            EXPECT_EQ(said.front(), c.named);
        }
    }
    // The top step is offered and played: its depth cap holds the search.
    Script s;
    s.send({"setoption name Step value " + top, "usi"});
    const std::vector<std::string> usi = s.t.lines();
    EXPECT_NE(std::find(usi.begin(), usi.end(), "option name Step type spin default " + top + " min 0 max " + top),
              usi.end());
    const std::vector<std::string> out = s.untilBestmove(s.send({kStart, "go depth 30"}));
    expectWellFormed(kStart, out);
    for (const std::string& l : out)
        if (isInfoLine(l)) {
            EXPECT_LE(std::stoi(field(l, "depth")), search::strengthStep(search::StepCount).depth) << l;
        }
}

TEST(UsiSession, GoMateIsRefusedWithTheProtocolsWord) {
    Script s;
    const size_t from = s.send({kLowerMates, "go mate 1000"});
    const int at = s.t.waitFor([](const std::string& l) { return startsWith(l, "checkmate "); }, from);
    ASSERT_GE(at, 0);
    EXPECT_EQ(s.t.lines()[size_t(at)], "checkmate notimplemented");
    // The session goes on.
    expectWellFormed(kLowerMates, s.untilBestmove(s.send({"go depth 2"})));
}

}  // namespace
}  // namespace fudo::cli
