#include "search/tt.h"

namespace fudo::search {

namespace {

// Move in bits 0..17, score 18..33, depth 34..41, bound 42..43, age 44..51.
std::uint64_t pack(const TTEntry& e) {
    return std::uint64_t(e.move & 0x3ffff) | std::uint64_t(std::uint16_t(e.score)) << 18 |
           std::uint64_t(std::uint8_t(e.depth)) << 34 | std::uint64_t(e.bound & 3) << 42 | std::uint64_t(e.age) << 44;
}

TTEntry unpack(std::uint64_t d) {
    TTEntry e;
    e.move = Move(d & 0x3ffff);
    e.score = std::int16_t(std::uint16_t(d >> 18));
    e.depth = std::int8_t(std::uint8_t(d >> 34));
    e.bound = std::uint8_t((d >> 42) & 3);
    e.age = std::uint8_t(d >> 44);
    return e;
}

}  // namespace

TranspositionTable::TranspositionTable(std::size_t megabytes) {
    std::size_t count = 1;
    while (count * 2 * sizeof(Bucket) <= megabytes * 1024 * 1024) count *= 2;
    buckets_ = std::make_unique<Bucket[]>(count);
    mask_ = count - 1;
}

void TranspositionTable::clear() {
    for (std::size_t i = 0; i <= mask_; ++i)
        for (Slot& s : buckets_[i].e) {
            s.check.store(0, std::memory_order_relaxed);
            s.data.store(0, std::memory_order_relaxed);
        }
    age_ = 0;
}

bool TranspositionTable::probe(std::uint64_t key, TTEntry& out) const {
    const Bucket& b = buckets_[key & mask_];
    for (const Slot& s : b.e) {
        const std::uint64_t d = s.data.load(std::memory_order_relaxed);
        if ((s.check.load(std::memory_order_relaxed) ^ d) != key) continue;
        const TTEntry e = unpack(d);
        if (e.bound == BoundNone) continue;
        out = e;
        return true;
    }
    return false;
}

void TranspositionTable::store(std::uint64_t key, Move move, int score, int depth, Bound bound) {
    Bucket& b = buckets_[key & mask_];
    Slot* slot = nullptr;
    TTEntry old;
    for (Slot& s : b.e) {
        const std::uint64_t d = s.data.load(std::memory_order_relaxed);
        const TTEntry e = unpack(d);
        if ((s.check.load(std::memory_order_relaxed) ^ d) == key && e.bound != BoundNone) {
            slot = &s;
            old = e;
            break;
        }
    }
    if (!slot) {
        // Replace the shallowest entry, older searches counting as shallower.
        int worst = 1 << 30;
        for (Slot& s : b.e) {
            const TTEntry e = unpack(s.data.load(std::memory_order_relaxed));
            const int value = e.bound == BoundNone ? -1000 : e.depth - 8 * std::uint8_t(age_ - e.age);
            if (value < worst) {
                worst = value;
                slot = &s;
            }
        }
    } else if (move == NoMove) {
        move = old.move;  // keep the old move when none is given
    }
    TTEntry e;
    e.move = move;
    e.score = std::int16_t(score);
    e.depth = std::int8_t(depth < -100 ? -100 : depth > 127 ? 127 : depth);
    e.bound = bound;
    e.age = age_;
    const std::uint64_t d = pack(e);
    slot->data.store(d, std::memory_order_relaxed);
    slot->check.store(key ^ d, std::memory_order_relaxed);
}

}  // namespace fudo::search
