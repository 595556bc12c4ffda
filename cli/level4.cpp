#include "cli/level4.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "search/movegen.h"
#include "search/strength.h"

namespace fudo::cli {

search::Snapshot snapshotOf(const Position& pos, search::Color toMove, int movesPlayed) {
    search::Snapshot s;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) s.ban[x][y] = pos.ban[x][y];
    s.sitaMochi = pos.sitaMochi;
    s.ueMochi = pos.ueMochi;
    s.toMove = toMove;
    s.movesPlayed = movesPlayed;
    return s;
}

void sfenSideAndNumber(std::string_view text, search::Color& side, int& moveNumber) {
    side = search::Upper;
    moveNumber = 1;
    std::vector<std::string_view> fields;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        size_t j = i;
        while (j < text.size() && text[j] != ' ') ++j;
        if (j > i) fields.push_back(text.substr(i, j - i));
        i = j;
    }
    if (!fields.empty() && fields[0] == "sfen") fields.erase(fields.begin());
    if (fields.size() > 1) side = fields[1] == "b" ? search::Lower : search::Upper;
    if (fields.size() > 3) {
        int n = 0;
        for (char c : fields[3]) {
            if (c < '0' || c > '9' || n > 100000) return;
            n = n * 10 + (c - '0');
        }
        moveNumber = std::max(1, n);
    }
}

std::string usiInfoLine(const search::Info& info) {
    char buf[200];
    const double nps = info.seconds > 0 ? double(info.nodes) / info.seconds : 0;
    std::snprintf(buf, sizeof buf, "info depth %d seldepth %d score %s nodes %llu nps %.0f time %.0f pv", info.depth,
                  info.seldepth, search::usiScore(info.score).c_str(), static_cast<unsigned long long>(info.nodes), nps,
                  info.seconds * 1000);
    std::string out = buf;
    for (int i = 0; i < info.pvLength; ++i) out += ' ' + search::usi(info.pv[i]);
    return out;
}

std::string level4Output(const search::Snapshot& snapshot, const search::Limits& limits, int step) {
    std::string out;
    search::Engine engine;
    std::atomic<bool> stop{false};
    bool printed = false;
    auto line = [&out, &printed](const search::Info& info) {
        printed = true;
        out += usiInfoLine(info) + '\n';
    };
    const search::Result r = step ? search::bestMoveAtStep(engine, snapshot, step, limits, 1, stop, line)
                                  : engine.bestMove(snapshot, limits, stop, line);
    // A move found without a whole iteration (a king to take, no move keeps the king, time
    // too short) still gets its line.
    if (!printed) line(r.info);
    // When every move loses the king the engine still names one (the game must play
    // something); a USI reply gives up instead.
    out += "bestmove ";
    out += r.best == search::NoMove || r.losing ? std::string("resign") : search::usi(r.best);
    out += '\n';
    return out;
}

int Level4Bench::medianDepth() const {
    if (depths.empty()) return 0;
    std::vector<int> v = depths;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

namespace {
double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}
}  // namespace

Level4Bench runLevel4Bench(const std::vector<Position>& corpus, const search::Limits& limits, bool cpuClock) {
    Level4Bench b;
    search::Engine engine;
    if (cpuClock) engine.setClock(threadCpuSeconds);
    std::atomic<bool> stop{false};
    for (const Position& pos : corpus) {
        engine.clear();
        const double cpu0 = threadCpuSeconds();
        const auto wall0 = std::chrono::steady_clock::now();
        const search::Result r = engine.bestMove(snapshotOf(pos, search::Upper, 0), limits, stop);
        b.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
        b.cpuSeconds += threadCpuSeconds() - cpu0;
        b.depths.push_back(r.info.depth);
        b.nodes += r.info.nodes;
        for (const std::uint64_t v : {std::uint64_t(r.best), std::uint64_t(std::int64_t(r.info.score)), r.info.nodes})
            for (int i = 0; i < 8; ++i) b.signature = (b.signature ^ ((v >> (8 * i)) & 0xff)) * 1099511628211ull;
    }
    return b;
}

int pawnWorth() {
    const search::MaterialValues& mv = search::materialValues();
    return mv.board[search::Pawn] + mv.hand[search::Pawn];
}

StepAudit auditStep(const std::vector<Position>& corpus, int step, int depth, int seeds) {
    StepAudit a;
    search::Engine judge, player;
    std::atomic<bool> stop{false};
    search::Limits limits;
    limits.depth = depth;
    const auto capped = [](int score) { return std::clamp(score, -2000, 2000); };
    double total = 0;
    for (const Position& p : corpus) {
        const search::Snapshot snap = snapshotOf(p, search::Upper, 0);
        judge.clear();
        const search::Result best = judge.bestMove(snap, limits, stop);
        if (best.best == search::NoMove || best.losing) continue;
        for (int seed = 1; seed <= seeds; ++seed) {
            player.clear();
            const search::Result r = search::bestMoveAtStep(player, snap, step, {}, std::uint64_t(seed), stop);
            if (r.best == search::NoMove) continue;
            int loss = 0;
            if (r.best == best.best) {
                ++a.bestMoves;
            } else {
                search::Position pos;
                pos.set(snap);
                search::Undo u;
                pos.make(r.best, u);
                search::Limits reply = limits;
                reply.depth = std::max(1, depth - 1);
                judge.clear();
                const search::Result after = judge.bestMove(pos.snapshot(), reply, stop);
                loss = std::max(0, capped(best.info.score) + capped(after.info.score));
            }
            ++a.moves;
            total += loss;
            if (loss > pawnWorth()) ++a.pawnLosses;
        }
    }
    a.meanLoss = a.moves ? total / a.moves : 0;
    return a;
}

std::uint64_t level4Signature(const std::vector<Position>& corpus, int depth) {
    search::Limits limits;
    limits.depth = depth;
    return runLevel4Bench(corpus, limits).signature;
}

}  // namespace fudo::cli
