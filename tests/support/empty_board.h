// A game wired to fakes with an empty board and empty hands, for positions built by hand.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace fudo::test {

class EmptyBoard : public ::testing::Test {
protected:
    Rig rig;
    Game& g = rig.game;
    void SetUp() override { clearBoard(g); }
};

}  // namespace fudo::test
