// Micro-benchmarks of the computer player's hot paths on fixed positions: the influence
// survey, one evaluation, and the whole search of a computer turn.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "cli/headless.h"
#include "files/session_file.h"
#include "notation/sfen.h"

namespace {

using namespace fudo;
using namespace fudo::cli;

// A quiet middle game, a sharp one with pieces in hand, and an opening.
const char* const kPositions[] = {
    "1ns1k1pn1/lrg3s2/pppppg1p1/6P1l/5p3/5P1PP/PPNGP4/2PSRS3/L1BGK2NL w b2p 38",
    "1n2k4/s1r1g2+N1/l3p+Ngp1/2pp4p/p8/2P3PGP/PP1+bP2P1/L1GS5/1N2K1S1L w RSL3Pb2p 48",
    "lnsgkgsnl/1r5b1/ppppppppp/9/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL w - 2",
};

std::unique_ptr<Headless> at(int index, int level) {
    Position p;
    std::string error;
    if (!parseSfen(kPositions[index], p, error)) std::abort();
    return headlessAt(p, level);
}

void BM_勢力調査(benchmark::State& state) {
    auto h = at(static_cast<int>(state.range(0)), 3);
    for (auto _ : state) {
        h->game.勢力調査();
        benchmark::DoNotOptimize(h->game.SITA_SEIRYOKU);
    }
}
BENCHMARK(BM_勢力調査)->DenseRange(0, 2);

// One evaluation of the first legal candidate, on the maps of its position.
void BM_盤評価(benchmark::State& state) {
    auto h = at(static_cast<int>(state.range(0)), 3);
    Game& g = h->game;
    g.勢力調査();
    g.com_ban_開始();
    // The first legal board move of the computer.
    int fx = 0, fy = 0, tx = 0, ty = 0;
    for (int x = 1; x <= 9 && !fx; ++x)
        for (int y = 1; y <= 9 && !fx; ++y)
            if (g.BAN(x, y) >= HU && g.BAN(x, y) != OU)
                for (int x2 = 1; x2 <= 9 && !fx; ++x2)
                    for (int y2 = 1; y2 <= 9 && !fx; ++y2)
                        if (g.移動チェック(x, y, x2, y2, g.BAN(x, y)) == 1) {
                            fx = x; fy = y; tx = x2; ty = y2;
                        }
    const int koma = g.BAN(fx, fy);
    const int captured = g.BAN(tx, ty);
    g.IDOU_KOMA = koma;
    g.BAN(fx, fy) = KARA;
    g.BAN(tx, ty) = koma;
    g.勢力調査();
    for (auto _ : state) benchmark::DoNotOptimize(g.盤評価(captured, koma, fx, fy, tx, ty));
}
BENCHMARK(BM_盤評価)->DenseRange(0, 2);

// The computer's whole decision: start of the turn and the search.
void BM_com_ban(benchmark::State& state) {
    auto h = at(static_cast<int>(state.range(0)), 3);
    Game& g = h->game;
    g.勢力調査();
    for (auto _ : state) {
        g.com_ban_開始();
        benchmark::DoNotOptimize(g.com_ban_探索());
    }
}
BENCHMARK(BM_com_ban)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// Keeping the game after a move: the whole state as JSON through a temporary file and a
// rename, in a game of 120 moves after the computer's turn (its maps filled).
void BM_セッション書込(benchmark::State& state) {
    auto h = at(1, 3);
    Game& g = h->game;
    g.勢力調査();
    g.com_ban_開始();
    for (int i = 1; i <= 120; ++i) {
        g.KIFU_MOTO_X[i] = 1 + i % 9, g.KIFU_MOTO_Y[i] = 1 + i % 7;
        g.KIFU_SAKI_X[i] = 1 + (i + 3) % 9, g.KIFU_SAKI_Y[i] = 1 + (i + 2) % 9;
        g.KIFU_KOMA[i] = g.KIFU_KOMA_ATO[i] = i % 2 ? -HU : GIN;
        g.KIFU_MAN_JIKAN[i] = g.KIFU_MAN_JIKAN_MAE[i] = 3.25 * i;
        g.KIFU_COM_JIKAN[i] = g.KIFU_COM_JIKAN_MAE[i] = 1.5 * i;
    }
    g.KIFU_NOW = g.KIFU_LAST = g.TESU = 120;
    g.TEBAN = g.MAN_SENGO;
    const auto file = std::filesystem::temp_directory_path() / ("fudo-bench-session-" + std::to_string(::getpid()) + ".json");
    for (auto _ : state)
        if (!書込_セッション(g, file)) state.SkipWithError("cannot write the session file");
    state.counters["bytes"] = double(std::filesystem::file_size(file));
    std::filesystem::remove(file);
}
BENCHMARK(BM_セッション書込)->Unit(benchmark::kMicrosecond);

}  // namespace
