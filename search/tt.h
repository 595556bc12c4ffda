// Transposition table: buckets of four 16-byte entries, allocated once when the engine is
// made; a new search only ages the entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "search/types.h"

namespace fudo::search {

enum Bound : std::uint8_t { BoundNone = 0, BoundUpper = 1, BoundLower = 2, BoundExact = 3 };

struct TTEntry {
    std::uint32_t key32 = 0;
    Move move = NoMove;
    std::int16_t score = 0;
    std::int8_t depth = 0;
    std::uint8_t bound = BoundNone;
    std::uint8_t age = 0;
};

class TranspositionTable {
public:
    explicit TranspositionTable(std::size_t megabytes);

    // The entry for the key, or null.
    const TTEntry* probe(std::uint64_t key) const;
    void store(std::uint64_t key, Move move, int score, int depth, Bound bound);
    void newSearch() { ++age_; }
    void clear();

private:
    struct Bucket {
        TTEntry e[4];
    };
    std::unique_ptr<Bucket[]> buckets_;
    std::size_t mask_ = 0;
    std::uint8_t age_ = 0;
};

// Mate scores are stored as distances from the node, not from the root.
inline int scoreToTT(int s, int ply) { return s >= MateBound ? s + ply : s <= -MateBound ? s - ply : s; }
inline int scoreFromTT(int s, int ply) { return s >= MateBound ? s - ply : s <= -MateBound ? s + ply : s; }

}  // namespace fudo::search
