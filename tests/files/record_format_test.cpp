// The record file as bytes: move lines, header lines, Shift_JIS, and every way a file can
// be refused. No Game involved.
#include <gtest/gtest.h>

#include <string>

#include "engine/constants.h"
#include "files/record_file.h"
#include "files/sjis.h"
#include "tests/files/sample_records.h"

namespace fudo {
namespace {

std::string sjis(std::string_view utf8) { return 変換_UTF8からSJIS(utf8).value(); }

std::string fileWith(const std::vector<std::string>& moveLines, std::string_view headers =
                                                                    "game\r\nup\r\ndown\r\n") {
    std::string out(headers);
    for (const std::string& l : moveLines) out += l + "\r\n";
    return out;
}

std::string line(const 棋譜手& m) { return 書式_棋譜行(m); }

TEST(RecordLine, MatchesTheDocumentedColumns) {
    // The lower pawn from column 7, row 7 to row 6 as the first move, after 3 seconds.
    EXPECT_EQ(line({7, 7, 7, 6, -10, -10, 0, 0, 3, 0, 0}),
              " 7776 -10 -10   0    0    3    0    0");
    EXPECT_EQ(line({11, 3, 5, 5, -950, 801, -901, 0, 0, 0, 0}).substr(0, 17), "11355-950 801-901");
    EXPECT_EQ(line({-1, 7, 1, 1, 10, 10, 0, 0, 0, 0, 0}).substr(0, 5), "-1711");
    // Time widths: 1000..9999 keep one blank, 10000..99999 fill the field.
    EXPECT_EQ(line({1, 1, 1, 2, 10, 10, 0, 1000, 9999, 10000, 99999}).substr(17),
              " 1000 99991000099999");
    for (const 棋譜手& m : test::lowerFirstMoves()) EXPECT_EQ(line(m).size(), 37u);
}

TEST(RecordLine, TimesBeyondTheFieldAreCappedNotWidened) {
    const std::string l = line({1, 1, 1, 2, 10, 10, 0, 100000, 123456, 0, 5});
    ASSERT_EQ(l.size(), 37u);
    EXPECT_EQ(l.substr(17, 10), "9999999999");
}

TEST(RecordLine, ReadsBackEveryField) {
    for (const 棋譜手& m : test::lowerFirstMoves()) {
        棋譜手 back;
        std::string reason;
        ASSERT_TRUE(解析_棋譜行(line(m), back, reason)) << line(m) << ": " << reason;
        EXPECT_EQ(back, m) << line(m);
    }
}

TEST(RecordLine, RefusesWhatIsNotAMoveLine) {
    const std::string good = " 7776 -10 -10   0    0    3    0    0";
    auto with = [&](std::size_t at, std::string_view text) {
        std::string l = good;
        l.replace(at, text.size(), text);
        return l;
    };
    const std::pair<std::string, std::string_view> bad[] = {
        {good.substr(1), "36 characters"},
        {good + " ", "38 characters"},
        {with(0, "10"), "source column 10"},
        {with(0, " 0"), "source column 0"},
        {with(2, "0"), "source row 0"},
        {with(3, "0"), "destination column 0"},
        {with(4, "0"), "destination row 0"},
        {with(5, " -12"), "unknown piece code after the move"},
        {with(5, "-111"), "promoted gold"},
        {with(9, " -12"), "unknown moving piece"},
        {with(9, "   0"), "nothing moved"},
        {with(9, "   8"), "pre-game king code"},
        {with(5, " -11"), "promotion outside the zone (row 7 to row 6)"},
        {with(5, " -21"), "promoted into another kind"},
        {with(13, " -20"), "captured own piece"},
        {with(13, "  12"), "unknown captured code"},
        {with(17, "   -1"), "negative time"},
        {with(17, "  1 2"), "blank inside a number"},
        {with(17, "    x"), "letter in a field"},
        {with(17, "     "), "empty field"},
        {with(17, "  --1"), "two signs"},
        {with(30, "\t"), "tab"},
        {with(30, "\xff"), "byte outside ASCII"},
        {" 7777 -10 -10   0    0    3    0    0", "source equals destination"},
        {"11955 -10 -10   0    0    0    0    0", "lower drop: row 9 is the rook slot, not a pawn"},
        {"11355 -11 -11   0    0    0    0    0", "dropping a promoted piece"},
        {"11355  10  10   0    0    0    0    0", "lower hand dropping an upper piece"},
        {"11355 -10 -10  10    0    0    0    0", "drop onto a piece"},
        {"-1855  10  10   0    0    0    0    0", "upper stand row 8"},
        {"-1355  10  10   0    0    0    0    0", "upper drop: 3 is neither pawn's kind 1 nor row 7"},
        {"12355 -10 -10   0    0    0    0    0", "source column 12"},
    };
    for (const auto& [l, why] : bad) {
        棋譜手 m;
        std::string reason;
        EXPECT_FALSE(解析_棋譜行(l, m, reason)) << why << ": [" << l << "]";
        EXPECT_FALSE(reason.empty()) << why;
    }
    // Accepted for contrast: a capture of the other side's pawn, and both readings of an
    // upper drop's row (kind 1 for the computer, stand row 7 for a second person).
    棋譜手 m;
    std::string reason;
    EXPECT_TRUE(解析_棋譜行(with(13, "  10"), m, reason)) << reason;
    EXPECT_TRUE(解析_棋譜行("-1155  10  10   0    0    0    0    0", m, reason)) << reason;
    EXPECT_TRUE(解析_棋譜行("-1755  10  10   0    0    0    0    0", m, reason)) << reason;
}

TEST(RecordFile, RoundTripsHeadersAndEveryMove) {
    棋譜データ d;
    d.対局名 = "名人戦 第１局";
    d.上手名 = "ｺﾝﾋﾟｭｰﾀｰ";
    d.下手名 = "羽生　善治～";
    d.手 = test::lowerFirstMoves();
    const std::optional<std::string> bytes = 書式_棋譜(d);
    ASSERT_TRUE(bytes);
    // Shift_JIS on disk, CR LF after every line, nothing after the last move line.
    EXPECT_EQ(bytes->substr(0, 4), sjis("名人"));
    EXPECT_TRUE(bytes->ends_with("10001\r\n"));
    EXPECT_EQ(bytes->find('\n'), bytes->find("\r\n") + 1);
    const 棋譜読込結果 r = 解析_棋譜(*bytes);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.data, d);
}

TEST(RecordFile, HeaderTextsThatShiftJisLacksAreRefusedWhenWriting) {
    棋譜データ d;
    d.手 = test::lowerFirstMoves();
    std::string reason;
    d.上手名 = "Émile";
    EXPECT_FALSE(書式_棋譜(d, &reason));
    EXPECT_NE(reason.find("Shift_JIS"), std::string::npos);
    d.上手名 = "two\r\nlines";
    EXPECT_FALSE(書式_棋譜(d, &reason));
}

TEST(RecordFile, RefusesCorruptFilesWithTheLineAtFault) {
    std::vector<std::string> moves;
    for (const 棋譜手& m : test::lowerFirstMoves()) moves.push_back(line(m));

    struct Case { std::string bytes; std::string_view expect; };
    std::vector<Case> cases;
    auto moved = [&](std::size_t i, std::string l) {
        std::vector<std::string> v = moves;
        v[i] = std::move(l);
        return fileWith(v);
    };
    cases.push_back({moved(2, moves[2].substr(0, 30)), "6行目"});
    cases.push_back({moved(0, "abcdefghijklmnopqrstuvwxyz0123456789A"), "4行目"});
    cases.push_back({fileWith(moves, "game\r\n\x82\x20\r\ndown\r\n"), "2行目"});  // bad trail byte
    cases.push_back({fileWith(moves, "game\r\nup\r\nend\x82\r\n"), "3行目"});    // truncated
    cases.push_back({fileWith(moves, std::string("g\0me\r\nup\r\ndown\r\n", 16)), "1行目"});
    cases.push_back({fileWith(moves) + "\r\n", "11行目"});                      // blank line
    cases.push_back({moved(1, line({7, 5, 7, 4, 10, 10, 0, 3, 3, 0, 12})), "2手目"});  // empty source
    cases.push_back({moved(1, line({3, 6, 3, 5, -10, -10, 0, 3, 3, 0, 0})), "2手目"});  // same side twice
    cases.push_back({moved(4, line({11, 9, 5, 5, -900, -900, 0, 0, 0, 0, 0})), "5手目"});  // not in hand
    cases.push_back({moved(2, line({2, 8, 8, 2, -801, -800, 900, 0, 0, 0, 0})), "3手目"});  // wrong capture
    std::string garbage;
    for (int i = 0; i < 3000; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
    cases.push_back({garbage, "行目"});
    cases.push_back({std::string(棋譜ファイル最大 + 1, ' '), "大きすぎ"});

    for (const Case& c : cases) {
        const 棋譜読込結果 r = 解析_棋譜(c.bytes);
        EXPECT_FALSE(r.ok) << c.expect;
        EXPECT_NE(r.error.find("棋譜ﾌｧｲﾙを読み込めません"), std::string::npos) << r.error;
        EXPECT_NE(r.error.find(c.expect), std::string::npos) << r.error;
    }
}

TEST(RecordFile, MoreThan500MovesAreRefused) {
    // The two rooks stepping aside and back make a consistent game of any length.
    auto nth = [](int i) {
        const bool lower = i % 2 == 0;
        const bool out = (i / 2) % 2 == 0;
        return lower ? line({out ? 8 : 7, 8, out ? 7 : 8, 8, -900, -900, 0, 0, 0, 0, 0})
                     : line({out ? 2 : 3, 2, out ? 3 : 2, 2, 900, 900, 0, 0, 0, 0, 0});
    };
    std::vector<std::string> moves;
    for (int i = 0; i < KIFU_MAX; ++i) moves.push_back(nth(i));
    const 棋譜読込結果 full = 解析_棋譜(fileWith(moves));
    ASSERT_TRUE(full.ok) << full.error;
    EXPECT_EQ(full.data.手.size(), 500u);

    moves.push_back(nth(KIFU_MAX));
    const 棋譜読込結果 over = 解析_棋譜(fileWith(moves));
    EXPECT_FALSE(over.ok);
    EXPECT_NE(over.error.find("500手"), std::string::npos) << over.error;
}

TEST(RecordFile, FilesWithoutMovesHaveNoData) {
    for (std::string_view bytes : {std::string_view(""), std::string_view("a\r\nb\r\n"),
                                   std::string_view("a\r\nb\r\nc\r\n")}) {
        const 棋譜読込結果 r = 解析_棋譜(bytes);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, 棋譜データなし);
    }
}

TEST(RecordFile, LineEndsAreForgivingOnlyAtTheEnd) {
    std::vector<std::string> moves;
    for (const 棋譜手& m : test::lowerFirstMoves()) moves.push_back(line(m));
    std::string lf = "game\nup\ndown\n";
    for (const std::string& m : moves) lf += m + "\n";
    EXPECT_TRUE(解析_棋譜(lf).ok);  // LF alone, as an editor on Linux may save it
    std::string noFinalEnd = fileWith(moves);
    noFinalEnd.resize(noFinalEnd.size() - 2);
    EXPECT_TRUE(解析_棋譜(noFinalEnd).ok);
    // A bare CR inside a line is not a line end.
    std::string cr = fileWith(moves);
    cr.replace(cr.find("\r\n", 20), 2, "\r");
    EXPECT_FALSE(解析_棋譜(cr).ok);
}

TEST(FileName, StaysInsideTheChosenFolder) {
    std::string reason;
    EXPECT_EQ(検査_ファイル名("  対局１ ").value_or(""), "対局１");
    EXPECT_EQ(検査_ファイル名("\u3000game\u3000").value_or(""), "game");
    EXPECT_EQ(検査_ファイル名("a.b").value_or(""), "a.b");
    EXPECT_EQ(検査_ファイル名("x..y").value_or(""), "x..y");
    using namespace std::string_view_literals;
    for (std::string_view bad : {""sv, "   "sv, "\u3000"sv, "../x"sv, ".."sv, "."sv, "a/b"sv,
                                 "/etc/passwd"sv, "a\\b"sv, "a\nb"sv, "a\0b"sv, ".x"sv, " .x"sv}) {
        EXPECT_FALSE(検査_ファイル名(bad, &reason)) << bad;
        EXPECT_FALSE(reason.empty());
    }
}

TEST(ShiftJis, ConvertsBothWaysAndRefusesInvalidBytes) {
    const std::string text = "ﾌｧｲﾙ名 対局者：羽生善治 ①Ⅱ";
    const auto bytes = 変換_UTF8からSJIS(text);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(bytes->substr(0, 4), "\xcc\xa7\xb2\xd9");  // half-width katakana, one byte each
    EXPECT_EQ(変換_SJISからUTF8(*bytes).value_or(""), text);
    EXPECT_FALSE(変換_SJISからUTF8("\x82"));       // truncated double-byte character
    EXPECT_FALSE(変換_SJISからUTF8("\x81\x20"));   // invalid trail byte
    EXPECT_FALSE(変換_SJISからUTF8("\xa0"));       // unassigned single byte
    EXPECT_FALSE(変換_UTF8からSJIS("\xff\xfe"));   // not UTF-8
    EXPECT_FALSE(変換_UTF8からSJIS("😀"));
    EXPECT_EQ(文字数_UTF8("abc"), 3);
    EXPECT_EQ(文字数_UTF8("先手ﾌｧ"), 4);
}

}  // namespace
}  // namespace fudo
