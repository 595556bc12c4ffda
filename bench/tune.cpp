// Tuning the strong engine by self-play: the engine with changed evaluation weights plays
// the engine with the shipped weights, each opening twice with the armies exchanged.
// Usage: fudo_tune GAMES MOVETIME_MS name=value...  (names: the fields of EvalWeights);
// FUDO_TUNE_SEED picks another set of openings.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "engine/constants.h"
#include "search/movegen.h"
#include "search/search.h"

using namespace fudo;
using namespace fudo::search;

namespace {

bool setWeight(EvalWeights& w, const std::string& name, int v) {
    struct Field {
        const char* name;
        int EvalWeights::*p;
    };
    static const Field fields[] = {
        {"ringAttack", &EvalWeights::ringAttack}, {"ringOverload", &EvalWeights::ringOverload},
        {"dropMate", &EvalWeights::dropMate},     {"dropCheck", &EvalWeights::dropCheck},
        {"knightDrop", &EvalWeights::knightDrop}, {"openLine", &EvalWeights::openLine},
        {"nearEnemy", &EvalWeights::nearEnemy},   {"nearGuard", &EvalWeights::nearGuard},
        {"tempo", &EvalWeights::tempo},           {"dangerGrowth", &EvalWeights::dangerGrowth},
    };
    for (const Field& f : fields)
        if (name == f.name) {
            w.*(f.p) = v;
            return true;
        }
    return false;
}

Snapshot opening() {
    Snapshot s;
    const int back[10] = {0, KYOU, KEI, GIN, KIN, OU, KIN, GIN, KEI, KYOU};
    for (int x = 1; x <= 9; ++x) {
        s.ban[x][1] = back[x];
        s.ban[x][9] = -back[x];
        s.ban[x][3] = HU;
        s.ban[x][7] = -HU;
    }
    s.ban[8][2] = KAKU;
    s.ban[2][2] = SYA;
    s.ban[2][8] = -KAKU;
    s.ban[8][8] = -SYA;
    s.toMove = Lower;
    return s;
}

// +1 when `first` (playing the lower army) wins, -1 when it loses, 0 for a draw.
int play(Engine& lower, Engine& upper, std::uint64_t seed, double seconds) {
    Position pos;
    pos.set(opening());
    std::mt19937_64 rng(seed);
    std::atomic<bool> stop{false};
    Limits limits;
    limits.seconds = seconds;
    for (int ply = 0; ply < 500; ++ply) {
        if (pos.canTakeKing()) return pos.sideToMove() == Lower ? 1 : -1;
        Move m;
        if (ply < 4) {
            // Random opening moves, the same for both games of a pair.
            Move moves[MaxMoves];
            const int n = generateMoves(pos, moves, GenMode::Search);
            Move legal[MaxMoves];
            int k = 0;
            for (int i = 0; i < n; ++i)
                if (isLegal(pos, moves[i], false) && !isDrop(moves[i])) legal[k++] = moves[i];
            m = legal[rng() % k];
        } else {
            const Result r = (pos.sideToMove() == Lower ? lower : upper).bestMove(pos.snapshot(), limits, stop);
            if (r.best == NoMove || r.losing) return pos.sideToMove() == Lower ? -1 : 1;
            m = r.best;
        }
        Undo u;
        pos.make(m, u);
    }
    return 0;
}

// The search's switches, 0 or 1.
bool setSwitch(Options& o, const std::string& name, int v) {
    struct Field {
        const char* name;
        bool Options::*p;
    };
    static const Field fields[] = {
        {"nullMove", &Options::nullMove}, {"lateMoveReductions", &Options::lateMoveReductions},
        {"pruning", &Options::pruning},   {"aspiration", &Options::aspiration},
        {"qsearchPruning", &Options::qsearchPruning}, {"mateByDrop", &Options::mateByDrop},
    };
    for (const Field& f : fields)
        if (name == f.name) {
            o.*(f.p) = v != 0;
            return true;
        }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: fudo_tune GAMES MOVETIME_MS name=value...\n");
        return 2;
    }
    const int games = std::atoi(argv[1]);
    const double seconds = std::atof(argv[2]) / 1000;
    Engine base(16), variant(16);
    for (int i = 3; i < argc; ++i) {
        const char* eq = std::strchr(argv[i], '=');
        const std::string name(argv[i], static_cast<size_t>(eq ? eq - argv[i] : 0));
        if (eq && setSwitch(variant.options(), name, std::atoi(eq + 1))) continue;
        if (!eq || !setWeight(variant.options().weights, name, std::atoi(eq + 1))) {
            std::fprintf(stderr, "fudo_tune: bad weight %s\n", argv[i]);
            return 2;
        }
    }
    const char* seedText = std::getenv("FUDO_TUNE_SEED");
    const std::uint64_t offset = 1000 + (seedText ? std::strtoull(seedText, nullptr, 10) : 0);
    int wins = 0, losses = 0, draws = 0;
    for (int g = 0; g < games; ++g) {
        base.clear();
        variant.clear();
        const std::uint64_t seed = offset + std::uint64_t(g / 2);
        const int r = g % 2 == 0 ? play(variant, base, seed, seconds) : -play(base, variant, seed, seconds);
        (r > 0 ? wins : r < 0 ? losses : draws) += 1;
        std::printf("game %d: %s\n", g + 1, r > 0 ? "variant" : r < 0 ? "base" : "draw");
        std::fflush(stdout);
    }
    std::printf("variant %d, base %d, draws %d\n", wins, losses, draws);
    return 0;
}
