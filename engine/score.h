// Exact evaluation scores in tenths, so that equal scores compare equal and ties fall to
// the first candidate met. The evaluation only ever adds tenths (0.1, 0.5, 0.6, 0.9) and
// halves (0.5 × a count, a code / 2), all of which tenths hold exactly.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace fudo {

class Score {
public:
    constexpr Score() = default;
    // Whole points: Score(10) is 10.0.
    constexpr explicit Score(int units) : t_(units * 10) {}
    static constexpr Score tenths(int t) { Score s; s.t_ = t; return s; }

    constexpr int tenths() const { return t_; }

    constexpr Score& operator+=(Score o) { t_ += o.t_; return *this; }
    constexpr Score& operator-=(Score o) { t_ -= o.t_; return *this; }
    constexpr Score& operator+=(int units) { t_ += units * 10; return *this; }
    constexpr Score& operator-=(int units) { t_ -= units * 10; return *this; }
    friend constexpr Score operator+(Score a, Score b) { return tenths(a.t_ + b.t_); }
    friend constexpr Score operator-(Score a, Score b) { return tenths(a.t_ - b.t_); }
    friend constexpr Score operator+(Score a, int units) { return tenths(a.t_ + units * 10); }
    friend constexpr Score operator-(Score a, int units) { return tenths(a.t_ - units * 10); }
    constexpr Score operator-() const { return tenths(-t_); }
    friend constexpr auto operator<=>(Score, Score) = default;
    friend constexpr bool operator==(Score, Score) = default;
    friend constexpr bool operator==(Score a, int units) { return a.t_ == units * 10; }
    friend constexpr bool operator>=(Score a, int units) { return a.t_ >= units * 10; }

    // "-9998.0", "10.5", "-0.1", "0.0": exactly one decimal.
    std::string str() const {
        const int a = t_ < 0 ? -t_ : t_;
        char buf[24];
        std::snprintf(buf, sizeof buf, "%s%d.%d", t_ < 0 ? "-" : "", a / 10, a % 10);
        return buf;
    }

private:
    std::int32_t t_ = 0;
};

// 0.1_pt, 0.5_pt, 2_pt: literals in points, held as tenths.
consteval Score operator""_pt(long double v) {
    const long double t = v * 10.0L;
    return Score::tenths(static_cast<int>(t + (t >= 0 ? 0.5L : -0.5L)));
}
consteval Score operator""_pt(unsigned long long v) { return Score(static_cast<int>(v)); }

}  // namespace fudo
