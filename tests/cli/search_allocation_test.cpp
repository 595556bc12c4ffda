// The computer's search allocates nothing: every candidate's survey and evaluation works
// on the fixed-size state of the game. Counted by replacing the global allocation
// functions of this test program; only the thread that switches counting on is counted.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include <atomic>

#include "cli/bench_corpus.h"
#include "cli/headless.h"
#include "cli/level4.h"

// The replacements below pair malloc with free by design; GCC's check cannot see that
// once they are inlined into the test.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {
thread_local bool gCounting = false;
thread_local long gAllocations = 0;
}  // namespace

void* operator new(std::size_t n) {
    if (gCounting) ++gAllocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return ::operator new(n); }
// The nothrow forms too (std::stable_sort's buffer), so that every delete meets a new of ours.
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    if (gCounting) ++gAllocations;
    return std::malloc(n ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& t) noexcept { return ::operator new(n, t); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace fudo::cli {
namespace {

TEST(SearchAllocation, NoAllocationWhileSearchingTheCorpus) {
    // The counter sees allocations at all.
    gAllocations = 0;
    gCounting = true;
    auto* probe = new std::string(100, 'x');
    gCounting = false;
    delete probe;
    ASSERT_GE(gAllocations, 1);

    std::vector<Position> corpus;
    std::string error;
    ASSERT_TRUE(loadCorpus(FUDO_DEFAULT_CORPUS, corpus, error)) << error;
    for (int level = 1; level <= 3; ++level) {
        for (const Position& pos : corpus) {
            auto h = headlessAt(pos, level);
            h->game.勢力調査();
            (void)h->game.詰めかCOM();
            h->game.com_ban_開始();
            gAllocations = 0;
            gCounting = true;
            const 探索結果 r = h->game.com_ban_探索();
            gCounting = false;
            EXPECT_TRUE(r.found);
            EXPECT_EQ(gAllocations, 0) << "level " << level;
        }
    }
}

// The strong engine allocates its table and per-ply arrays once, with the engine: a whole
// search, tens of thousands of nodes, allocates nothing.
TEST(SearchAllocation, StrongEngineAllocatesNothingWhileSearching) {
    std::vector<Position> corpus;
    std::string error;
    ASSERT_TRUE(loadCorpus(FUDO_DEFAULT_CORPUS, corpus, error)) << error;
    search::Engine engine(4);
    std::atomic<bool> stop{false};
    search::Limits limits;
    limits.depth = 4;
    std::uint64_t nodes = 0;
    for (size_t i = 0; i < corpus.size(); i += 10) {
        const search::Snapshot snap = snapshotOf(corpus[i], search::Upper, 40);
        gAllocations = 0;
        gCounting = true;
        const search::Result r = engine.bestMove(snap, limits, stop);
        gCounting = false;
        EXPECT_NE(r.best, search::NoMove);
        EXPECT_EQ(gAllocations, 0) << "position " << i;
        nodes += r.info.nodes;
    }
    EXPECT_GT(nodes, 10000u);
}

}  // namespace
}  // namespace fudo::cli
