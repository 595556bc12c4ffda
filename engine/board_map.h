// A 10 × 10 map indexed (x, y) like the board: 1..9 used, row and column 0 always zero.
// Two extra cells of padding on every side keep any stray neighbour read inside the
// array: such reads see 0 (empty / not covered) instead of another square's value.
#pragma once

#include <array>
#include <cassert>

namespace fudo {

template <class T>
class BoardMap {
public:
    static constexpr int kLow = -2;
    static constexpr int kHigh = 11;
    static constexpr int kSpan = kHigh - kLow + 1;

    static constexpr bool inRange(int x, int y) {
        return x >= kLow && x <= kHigh && y >= kLow && y <= kHigh;
    }

    constexpr T& operator()(int x, int y) {
        assert(inRange(x, y));
        return v_[index(x, y)];
    }
    constexpr const T& operator()(int x, int y) const {
        assert(inRange(x, y));
        return v_[index(x, y)];
    }

    // Value at (x, y), or 0 when (x, y) lies outside even the padding.
    constexpr T at(int x, int y) const { return inRange(x, y) ? v_[index(x, y)] : T{}; }

    // Sets every square 1..9 × 1..9 (the padding is never written).
    constexpr void fillBoard(T value) {
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) v_[index(x, y)] = value;
    }

    friend constexpr bool operator==(const BoardMap&, const BoardMap&) = default;

private:
    static constexpr int index(int x, int y) { return (x - kLow) * kSpan + (y - kLow); }
    std::array<T, kSpan * kSpan> v_{};
};

}  // namespace fudo
