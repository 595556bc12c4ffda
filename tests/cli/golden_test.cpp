// The computer's search against expected outputs worked out independently: for each
// position of tests/data/golden/bestmove-levelN.txt, every evaluation line and the chosen
// move of `bestmove --level N --scores` must match.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/headless.h"
#include "notation/sfen.h"

namespace fudo::cli {
namespace {

struct GoldenCase {
    std::string sfen;
    std::vector<std::string> lines;
};

std::vector<GoldenCase> readGolden(const std::string& path) {
    std::vector<GoldenCase> cases;
    std::ifstream in(path);
    std::string line;
    bool open = false;
    while (std::getline(in, line)) {
        if (line.starts_with("#")) continue;
        if (line.starts_with("position ")) {
            cases.push_back({line.substr(9), {}});
            open = true;
        } else if (line.empty()) {
            open = false;
        } else if (open) {
            cases.back().lines.push_back(line);
        }
    }
    return cases;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) out.push_back(line);
    return out;
}

// The first difference with two lines of context, or "" when equal.
std::string firstDifference(const std::vector<std::string>& want, const std::vector<std::string>& got) {
    const size_t n = std::max(want.size(), got.size());
    for (size_t i = 0; i < n; ++i) {
        const std::string* w = i < want.size() ? &want[i] : nullptr;
        const std::string* g = i < got.size() ? &got[i] : nullptr;
        if (w && g && *w == *g) continue;
        std::ostringstream d;
        d << "first difference at output line " << i + 1 << ":\n";
        for (size_t k = i >= 2 ? i - 2 : 0; k < i; ++k) d << "    " << want[k] << '\n';
        d << "  - " << (w ? *w : "<no line>") << "   (expected)\n";
        d << "  + " << (g ? *g : "<no line>") << "   (got)\n";
        for (size_t k = i + 1; k < std::min(n, i + 3); ++k) {
            d << "    expected " << (k < want.size() ? want[k] : "<none>") << " | got "
              << (k < got.size() ? got[k] : "<none>") << '\n';
        }
        return d.str();
    }
    return "";
}

class Golden : public ::testing::TestWithParam<int> {};

TEST_P(Golden, EveryEvaluationAndChoiceMatches) {
    const int level = GetParam();
    const auto cases =
        readGolden(std::string(FUDO_TEST_DATA_DIR) + "/golden/bestmove-level" + std::to_string(level) + ".txt");
    ASSERT_EQ(cases.size(), 60u);
    int mismatches = 0;
    for (const GoldenCase& c : cases) {
        Position pos;
        std::string error;
        ASSERT_TRUE(parseSfen(c.sfen, pos, error)) << c.sfen << ": " << error;
        const auto got = splitLines(bestmoveOutput(pos, level, true));
        const std::string diff = firstDifference(c.lines, got);
        if (!diff.empty()) {
            ++mismatches;
            ADD_FAILURE() << "level " << level << ", position " << c.sfen << "\n" << diff;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Levels, Golden, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace fudo::cli
