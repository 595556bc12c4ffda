#include "search/tt.h"

namespace fudo::search {

TranspositionTable::TranspositionTable(std::size_t megabytes) {
    std::size_t count = 1;
    while (count * 2 * sizeof(Bucket) <= megabytes * 1024 * 1024) count *= 2;
    buckets_ = std::make_unique<Bucket[]>(count);
    mask_ = count - 1;
}

void TranspositionTable::clear() {
    for (std::size_t i = 0; i <= mask_; ++i) buckets_[i] = Bucket{};
    age_ = 0;
}

const TTEntry* TranspositionTable::probe(std::uint64_t key) const {
    const Bucket& b = buckets_[key & mask_];
    const auto k32 = std::uint32_t(key >> 32);
    for (const TTEntry& e : b.e)
        if (e.key32 == k32 && e.bound != BoundNone) return &e;
    return nullptr;
}

void TranspositionTable::store(std::uint64_t key, Move move, int score, int depth, Bound bound) {
    Bucket& b = buckets_[key & mask_];
    const auto k32 = std::uint32_t(key >> 32);
    TTEntry* slot = nullptr;
    for (TTEntry& e : b.e)
        if (e.key32 == k32 && e.bound != BoundNone) {
            slot = &e;
            break;
        }
    if (!slot) {
        // Replace the shallowest entry, older searches counting as shallower.
        int worst = 1 << 30;
        for (TTEntry& e : b.e) {
            const int value = e.bound == BoundNone ? -1000 : e.depth - 8 * std::uint8_t(age_ - e.age);
            if (value < worst) {
                worst = value;
                slot = &e;
            }
        }
    } else if (move == NoMove) {
        move = slot->move;  // keep the old move when none is given
    }
    slot->key32 = k32;
    slot->move = move;
    slot->score = std::int16_t(score);
    slot->depth = std::int8_t(depth < -100 ? -100 : depth > 127 ? 127 : depth);
    slot->bound = bound;
    slot->age = age_;
}

}  // namespace fudo::search
