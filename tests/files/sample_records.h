// Short sample games as record moves, shared by the record tests.
#pragma once

#include <vector>

#include "files/record_file.h"

namespace fudo::test {

// The lower player moves first: a capture of a promoted piece, a promotion, drops from both
// hands (the upper drop written the way the computer writes it: the kind), and times of
// every width.
inline std::vector<棋譜手> lowerFirstMoves() {
    return {
        {3, 7, 3, 6, -10, -10, 0, 0, 3, 0, 0},
        {7, 3, 7, 4, 10, 10, 0, 3, 3, 0, 12},
        {2, 8, 8, 2, -801, -800, 800, 3, 1234, 12, 12},
        {7, 1, 8, 2, 100, 100, -801, 1234, 1234, 12, 10000},
        {11, 8, 5, 5, -800, -800, 0, 1234, 99999, 10000, 10000},
        {-1, 6, 5, 4, 800, 800, 0, 99999, 99999, 10000, 10001},
        {3, 6, 3, 5, -10, -10, 0, 99999, 99999, 10001, 10001},
    };
}

// The upper player (the computer) moves first.
inline std::vector<棋譜手> upperFirstMoves() {
    return {
        {7, 3, 7, 4, 10, 10, 0, 0, 0, 0, 5},
        {3, 7, 3, 6, -10, -10, 0, 0, 8, 5, 5},
        {8, 2, 2, 8, 801, 800, -800, 8, 8, 5, 9},
        {3, 9, 2, 8, -100, -100, 801, 8, 20, 9, 9},
    };
}

}  // namespace fudo::test
