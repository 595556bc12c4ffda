// Where the evaluation graph puts each position and which move a click on it means: move
// number across, the evaluation from ▲'s side up (clamped; mates at the edges).
#pragma once

#include <algorithm>
#include <cmath>

#include "search/types.h"

namespace fudo::analysis {

struct グラフ尺度 {
    double left = 0, top = 0, width = 1, height = 1;  // the plotting area
    int 手数 = 0;                                      // moves of the game (positions 0 .. 手数)
    static constexpr int 上限 = 2000;                  // evaluations beyond it are drawn at it

    double x(int ply) const { return left + (手数 > 0 ? width * ply / 手数 : width / 2); }
    double y(int 評価値) const {
        const int v = std::clamp(評価値, -上限, 上限);
        return top + height / 2 - (height / 2) * v / 上限;
    }
    // The position nearest to a point across the graph (clicks beside it reach the ends).
    int 手数at(double px) const {
        if (手数 <= 0 || width <= 0) return 0;
        const double t = (px - left) / width * 手数;
        return std::clamp(static_cast<int>(std::lround(t)), 0, 手数);
    }
};

}  // namespace fudo::analysis
