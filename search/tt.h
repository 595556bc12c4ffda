// Transposition table: buckets of four 16-byte entries, allocated once when the engine is
// made; a new search only ages the entries.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "search/types.h"

namespace fudo::search {

enum Bound : std::uint8_t { BoundNone = 0, BoundUpper = 1, BoundLower = 2, BoundExact = 3 };

struct TTEntry {
    Move move = NoMove;
    std::int16_t score = 0;
    std::int8_t depth = 0;
    std::uint8_t bound = BoundNone;
    std::uint8_t age = 0;
};

// Shared by every search thread without locks: an entry is two 64-bit words, the key
// XOR the packed data and the data, so a half-written entry fails the key check instead
// of being read torn.
class TranspositionTable {
public:
    explicit TranspositionTable(std::size_t megabytes);

    // The entry for the key, if there is one.
    bool probe(std::uint64_t key, TTEntry& out) const;
    void store(std::uint64_t key, Move move, int score, int depth, Bound bound);
    void newSearch() { ++age_; }
    void clear();

private:
    struct Slot {
        std::atomic<std::uint64_t> check{0}, data{0};
    };
    struct Bucket {
        Slot e[4];
    };
    std::unique_ptr<Bucket[]> buckets_;
    std::size_t mask_ = 0;
    std::uint8_t age_ = 0;
};

// Mate scores are stored as distances from the node, not from the root.
inline int scoreToTT(int s, int ply) { return s >= MateBound ? s + ply : s <= -MateBound ? s - ply : s; }
inline int scoreFromTT(int s, int ply) { return s >= MateBound ? s - ply : s <= -MateBound ? s + ply : s; }

}  // namespace fudo::search
