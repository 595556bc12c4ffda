// Round trips through KIF, KIFU and CSA: self-play games at mixed levels (500-move draws
// among them) and random walks from handicap grades, written and read back, give the same
// move lines, and stepping through the read record with 進 passes every position that a
// plain model of the original moves passes.
#include <gtest/gtest.h>

#include <random>

#include "cli/headless.h"
#include "cli/selfplay.h"
#include "notation/csa.h"
#include "notation/kif.h"
#include "notation/record_io.h"
#include "tests/notation/exchange_samples.h"

namespace fudo::test {
namespace {

struct Format {
    const char* name;
    記録読込結果 (*roundTrip)(const 対局記録&);
};

const Format kFormats[] = {
    {"KIF", [](const 対局記録& r) {
         auto bytes = 符号化_KIF(r, false);
         return bytes ? 解析_KIF(*bytes) : 記録読込結果{false, {}, "not encodable", {}};
     }},
    {"KIFU", [](const 対局記録& r) {
         auto bytes = 符号化_KIF(r, true);
         return bytes ? 解析_KIF(*bytes) : 記録読込結果{false, {}, "not encodable", {}};
     }},
    {"CSA", [](const 対局記録& r) {
         auto bytes = 符号化_CSA(r);
         return bytes ? 解析_CSA(*bytes) : 記録読込結果{false, {}, "not encodable", {}};
     }},
};

// A KIF move text ("７六歩(77)", "同　銀(31)", "２二角不成(88)", "５五角打") read into
// Western notation, given the previous move's destination and whether this move captures.
std::string westernOfKif(std::string_view kif, std::string& previous, bool captures) {
    static const std::pair<std::string_view, std::string_view> pieces[] = {
        {"成香", "+L"}, {"成桂", "+N"}, {"成銀", "+S"}, {"歩", "P"}, {"と", "+P"}, {"香", "L"}, {"桂", "N"},
        {"銀", "S"},    {"金", "G"},    {"角", "B"},    {"馬", "+B"}, {"飛", "R"}, {"龍", "+R"}, {"玉", "K"}};
    static const std::string_view digits[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９"};
    static const std::string_view ranks[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九"};
    std::string to;
    auto eat = [&kif](std::string_view w) {
        if (!kif.starts_with(w)) return false;
        kif.remove_prefix(w.size());
        return true;
    };
    if (eat("同")) {
        eat("　");
        to = previous;
    } else {
        for (int i = 0; i < 9; ++i)
            if (eat(digits[i])) to += char('1' + i);
        for (int i = 0; i < 9; ++i)
            if (eat(ranks[i])) to += char('a' + i);
    }
    previous = to;
    std::string out;
    for (const auto& [ja, en] : pieces)
        if (eat(ja)) {
            out = en;
            break;
        }
    if (eat("打")) return out + "*" + to;
    const char mark = eat("成") ? '+' : eat("不成") ? '=' : 0;
    if (kif.size() != 4) return "?";  // "(ff)"
    out += std::string{kif[1], char('a' + kif[2] - '1')} + (captures ? "x" : "-") + to;
    return mark ? out + mark : out;
}

// Checks one game in every format; returns false after the first failure so that one bad
// game does not flood the output.
bool roundTrips(const 対局記録& original, const std::string& label) {
    // Every position of the original, by the plain model.
    std::vector<模型局面> positions{模型_開始(original.手合)};
    for (const 棋譜手& m : original.棋譜.手) {
        positions.push_back(positions.back());
        模型_指す(positions.back(), m);
    }
    // The move list's two notations name the same moves.
    const auto kif = 表記_KIF手順(original), western = 表記_英語手順(original);
    std::string previous;
    for (std::size_t i = 0; i < kif.size(); ++i)
        if (western[i] != westernOfKif(kif[i], previous, original.棋譜.手[i].TORI != 0)) {
            ADD_FAILURE() << label << ": move " << i + 1 << " is " << kif[i] << " but " << western[i];
            return false;
        }
    for (const Format& f : kFormats) {
        const std::string where = label + " " + f.name;
        const 記録読込結果 back = f.roundTrip(original);
        if (!back.ok) {
            ADD_FAILURE() << where << ": refused: " << back.error;
            return false;
        }
        const 対局記録& r = back.記録;
        if (r.棋譜.手 != original.棋譜.手 || r.手合 != original.手合 ||
            r.上手先手 != original.上手先手 || r.棋譜.上手名 != original.棋譜.上手名 ||
            r.棋譜.下手名 != original.棋譜.下手名 || r.棋譜.対局名 != original.棋譜.対局名) {
            ADD_FAILURE() << where << ": the record read back differs ("
                          << r.棋譜.手.size() << " of " << original.棋譜.手.size() << " moves)";
            for (std::size_t i = 0; i < std::min(r.棋譜.手.size(), original.棋譜.手.size()); ++i)
                if (!(r.棋譜.手[i] == original.棋譜.手[i])) {
                    ADD_FAILURE() << "first difference at move " << i + 1 << ": "
                                  << 書式_棋譜行(r.棋譜.手[i]) << " vs " << 書式_棋譜行(original.棋譜.手[i]);
                    break;
                }
            return false;
        }
        // Step through the read record the way the window does.
        auto h = cli::newHeadless();
        取込_対局記録(h->game, r);
        if (h->game.KIFU_MODE != 1 || !(模型_盤面(h->game) == positions[0])) {
            ADD_FAILURE() << where << ": record mode does not start at the start position";
            return false;
        }
        for (std::size_t i = 1; i < positions.size(); ++i) {
            h->game.AFTER_Click();
            if (h->game.KIFU_NOW != static_cast<int>(i) || !(模型_盤面(h->game) == positions[i])) {
                ADD_FAILURE() << where << ": position after move " << i << " differs";
                return false;
            }
        }
    }
    return true;
}

TEST(ExchangeRoundTrip, SelfPlayGamesAtMixedLevels) {
    int games = 0, draws = 0, longest = 0, kingTaken = 0;
    for (int n = 0; n < 120; ++n) {
        cli::SelfplayOptions o;
        o.upperLevel = 1 + n % 3;
        o.lowerLevel = 1 + (n / 3) % 3;
        const cli::SelfplayGame played = cli::playSelfplayGame(7919u * static_cast<unsigned>(n) + 11u, o);
        const 対局記録 r = 作成_対局記録(played.record);
        ASSERT_EQ(検査_対局記録(r), "") << "game " << n;
        ++games;
        longest = std::max(longest, played.moves);
        if (played.moves >= KIFU_MAX) ++draws;
        if (!r.棋譜.手.empty() && std::abs(r.棋譜.手.back().TORI) == OU) ++kingTaken;
        if (!roundTrips(r, "self-play game " + std::to_string(n))) return;
    }
    // The sample must hold the cases that matter, or the property says little.
    EXPECT_GE(draws, 5) << "500-move draws";
    EXPECT_GE(kingTaken, 5) << "games ended by a taken king";
    EXPECT_EQ(longest, KIFU_MAX);
    EXPECT_EQ(games, 120);
}

TEST(ExchangeRoundTrip, RandomGamesFromEveryHandicapGradeEitherSideFirst) {
    std::mt19937_64 rng(20261207);
    int upperFirst = 0, full = 0, handicaps = 0;
    for (int n = 0; n < 80; ++n) {
        const int grade = n % 4 == 0 ? 0 : static_cast<int>(rng() % 21) - 10;
        const bool first = rng() % 2 == 0;
        const int length = n % 5 == 0 ? KIFU_MAX : 1 + static_cast<int>(rng() % 200);
        const 対局記録 r = ランダム対局(rng, grade, first, length);
        ASSERT_EQ(検査_対局記録(r), "") << "game " << n;
        upperFirst += first;
        handicaps += grade != 0;
        full += static_cast<int>(r.棋譜.手.size()) == KIFU_MAX;
        if (!roundTrips(r, "random game " + std::to_string(n) + " (grade " + std::to_string(grade) + ")"))
            return;
    }
    EXPECT_GE(upperFirst, 20);
    EXPECT_GE(handicaps, 30);
    EXPECT_GE(full, 10);
}

}  // namespace
}  // namespace fudo::test
