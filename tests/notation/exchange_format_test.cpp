// KIF and CSA: the move texts in both orientations, how a game that goes where standard
// shogi cannot is ended, what other programs write that the readers accept, and a table of
// malformed files that are refused with a reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "engine/constants.h"
#include "files/sjis.h"
#include "notation/csa.h"
#include "notation/kif.h"
#include "tests/files/sample_records.h"
#include "tests/support/malformed_records.h"

namespace fudo::test {
namespace {

対局記録 recordOf(std::vector<棋譜手> moves, bool upperFirst) {
    対局記録 r;
    r.棋譜.手 = std::move(moves);
    r.上手先手 = upperFirst;
    return r;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ExchangeFormat, MoveTextsReadTheSameWhicheverSideMovedFirst) {
    // The same opening seen from either side of the board: the upper side's first moves are
    // turned through 180 degrees, so both records read as a normal game.
    const std::vector<std::string> opening = {"７六歩(77)", "３四歩(33)", "２二角成(88)", "同　銀(31)"};
    auto lower = recordOf(lowerFirstMoves(), false);
    auto texts = 表記_KIF手順(lower);
    ASSERT_EQ(texts.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + 4), opening);
    EXPECT_EQ(texts[4], "５五角打");
    EXPECT_EQ(texts[5], "５四角打");
    EXPECT_EQ(texts[6], "７五歩(76)");
    EXPECT_EQ(表記_KIF手順(recordOf(upperFirstMoves(), true)), opening);
    // Western notation names the origin and marks captures and drops.
    const std::vector<std::string> western = {"P7g-7f", "P3c-3d", "B8hx2b+", "S3ax2b", "B*5e", "B*5d", "P7f-7e"};
    EXPECT_EQ(表記_英語手順(lower), western);
    EXPECT_EQ(表記_英語手順(recordOf(upperFirstMoves(), true)),
              std::vector<std::string>(western.begin(), western.begin() + 4));

    // A declined promotion says so; a move list that does not fit leaves blanks.
    auto declined = lowerFirstMoves();
    declined[2].KOMA_ATO = -KAKU;
    declined[3].TORI = -KAKU;
    texts = 表記_KIF手順(recordOf(declined, false));
    EXPECT_EQ(texts[2], "２二角不成(88)");
    EXPECT_EQ(texts[3], "同　銀(31)");
    EXPECT_EQ(表記_英語手順(recordOf(declined, false))[2], "B8hx2b=");
    auto broken = lowerFirstMoves();
    broken[1].MOTO_Y = 5;
    texts = 表記_KIF手順(recordOf(broken, false));
    EXPECT_EQ(texts[0], "７六歩(77)");
    EXPECT_TRUE(texts[1].empty() && texts[6].empty());
    texts = 表記_英語手順(recordOf(broken, false));
    EXPECT_TRUE(texts[0] == "P7g-7f" && texts[1].empty() && texts[6].empty());
    EXPECT_NE(検査_対局記録(recordOf(broken, false)), "");
}

// ▲７六歩 △３四歩 ▲３三角不成 (check) △１四歩 (leaves the king attacked) ▲５一角 (takes it).
std::vector<棋譜手> kingTakenGame() {
    return {
        {3, 7, 3, 6, -HU, -HU, 0, 0, 2, 0, 0},
        {7, 3, 7, 4, HU, HU, 0, 2, 2, 0, 5},
        {2, 8, 7, 3, -KAKU, -KAKU, 0, 2, 9, 5, 5},
        {1, 3, 1, 4, HU, HU, 0, 9, 9, 5, 3605},
        {7, 3, 5, 1, -KAKU, -KAKU, OU, 9, 10, 3605, 3605},
    };
}

TEST(ExchangeFormat, GamesBeyondStandardShogiEndWithTheTrueResultAndTheRule) {
    struct Case {
        const char* name;
        std::vector<棋譜手> moves;
        int written;                      // moves written as moves
        終局表記::種別 kind;
        const char* winner;
        std::vector<std::string> kif;     // lines the KIF holds
        std::vector<std::string> csa;     // lines the CSA holds
        int grade = 0;
    };
    // Two rooks walking to and fro fill the move list.
    std::vector<棋譜手> walk;
    for (int i = 0; i < KIFU_MAX; ++i) {
        const bool lower = i % 2 == 0, out = (i / 2) % 2 == 0;
        if (lower) walk.push_back({out ? 8 : 7, 8, out ? 7 : 8, 8, -SYA, -SYA, 0, 0, 0, 0, 0});
        else walk.push_back({out ? 2 : 3, 2, out ? 3 : 2, 2, SYA, SYA, 0, 0, 0, 0, 0});
    }
    const std::vector<Case> cases = {
        {"a moved king loses",
         {{3, 7, 3, 6, -HU, -HU, 0, 0, 1, 0, 0}, {5, 1, 5, 2, OU, OU, 0, 1, 1, 0, 4}},
         2, 終局表記::種別::反則勝ち, "先手",
         {"   2 ５二玉(51)   ( 0:04/00:00:04)", "   3 反則勝ち     ( 0:00/00:00:01)",
          "*不動将棋では玉は動けません。玉を動かした後手の負けです。", "まで2手で先手の勝ち"},
         {"-5152OU", "T4", "%-ILLEGAL_ACTION"}},
        {"a taken king: standard moves, then the rest in this game's comment lines",
         kingTakenGame(), 3, 終局表記::種別::反則負け, "先手",
         {"   3 ３三角(88)   ( 0:07/00:00:09)", "   4 反則負け     ( 0:00/00:00:05)",
          "#不動将棋：   4 ９四歩(93)   (60:00/01:00:05)", "#不動将棋：   5 ５一角(33)   ( 0:01/00:00:10)",
          "まで3手で先手の勝ち"},
         {"+8833KA", "T7", "%ILLEGAL_MOVE", "'不動将棋：-9394FU,T3600", "'不動将棋：+3351KA,T1"}},
        {"500 moves are a draw", walk, KIFU_MAX, 終局表記::種別::持将棋, "",
         {" 500 ８二飛(72)   ( 0:00/00:00:00)", " 501 持将棋", "*不動将棋では500手に達すると引き分けです。",
          "まで500手で持将棋"},
         {"%HIKIWAKE"}},
        // Ten pieces off: the upper side keeps its king and pawns. ▲'s pawn drop on ５二 leaves
        // the king nothing but a step away, so it mates here; in standard shogi the king steps
        // aside, so the drop is no 打ち歩詰め and is written as the winning move.
        {"a pawn drop mating a king that may not step away",
         {{1, 7, 1, 6, -HU, -HU, 0}, {5, 3, 5, 4, HU, HU, 0}, {1, 6, 1, 5, -HU, -HU, 0}, {5, 4, 5, 5, HU, HU, 0},
          {1, 5, 1, 4, -HU, -HU, 0}, {5, 5, 5, 6, HU, HU, 0}, {1, 4, 1, 3, -HU_NARI, -HU, HU},
          {5, 6, 5, 7, HU, HU, -HU}, {11, 3, 5, 2, -HU, -HU, 0}},
         9, 終局表記::種別::投了, "先手",
         {"   9 ５二歩打", "  10 投了", "*不動将棋では玉は動けないので、後手の玉は詰んでいます。", "まで9手で先手の勝ち"},
         {"+0052FU", "%TORYO"}, 10},
        {"a game stopped halfway", {lowerFirstMoves()[0]}, 1, 終局表記::種別::中断, "",
         {"   2 中断", "まで1手で中断"}, {"%CHUDAN"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        対局記録 r = recordOf(c.moves, false);
        r.手合 = c.grade;
        ASSERT_EQ(検査_対局記録(r), "");
        const 終局表記 e = 作成_終局表記(r);
        EXPECT_EQ(e.手数, c.written);
        EXPECT_EQ(e.kind, c.kind);
        EXPECT_EQ(e.勝者, c.winner);
        const std::string kif = 書式_KIF(r), csa = 書式_CSA(r);
        for (const std::string& line : c.kif) EXPECT_TRUE(has(kif, "\r\n" + line)) << line << "\n" << kif;
        for (const std::string& line : c.csa) EXPECT_TRUE(has(csa, "\r\n" + line + "\r\n")) << line << "\n" << csa;
        // Nothing beyond the standard part is a move line a standard reader would take.
        char moveLine[16];
        std::snprintf(moveLine, sizeof moveLine, "\r\n%4d ", c.written + 2);
        EXPECT_FALSE(has(kif, moveLine)) << moveLine;
    }
}

TEST(ExchangeFormat, ReadsWhatOtherProgramsWrite) {
    struct Case {
        const char* name;
        bool csa;
        std::string text;
        int moves, grade;
        bool upperFirst;
        const char* sente;
    };
    const std::vector<Case> cases = {
        {"ASCII digits, unpadded times, marks, 王 and 竜, comments, bookmarks, variations", false,
         "# comment\r\n開始日時:2020/01/02\r\n手合割:平手\r\n先手:甲\r\n後手:乙\r\n*opening comment\r\n"
         "1 ▲7六歩(77) (0:3/0:0:3)\r\n2 △3四歩(33)+ (0:5/0:0:5)\r\n&しおり\r\n3 2二角成(88)\r\n"
         "4 同 銀(31) (0:57/1:02)\r\n5 投了\r\nまで4手で後手の勝ち\r\n\r\n変化：2手\r\n2 8四歩(83)\r\n3 2六歩(27)\r\n",
         4, 0, false, "甲"},
        {"a byte-order mark and LF only; no end line", false,
         "\xEF\xBB\xBF手合割：平手\n手数----指手---------消費時間--\n   1 ５八玉(59)   ( 0:01/00:00:01)\n", 1, 0, false, ""},
        {"角落ち: the giver (△, the upper side here) moves first", false,
         "手合割：角落ち\r\n下手：下\r\n上手：上\r\n   1 ４二銀(31)\r\n   2 ７六歩(77)\r\n", 2, 1, true, "下"},
        {"a board diagram of 二枚落ち, △ to move", false,
         "後手の持駒：なし\r\n  ９ ８ ７ ６ ５ ４ ３ ２ １\r\n+---------------------------+\r\n"
         "|v香v桂v銀v金v玉v金v銀v桂v香|一\r\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|二\r\n"
         "|v歩v歩v歩v歩v歩v歩v歩v歩v歩|三\r\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|四\r\n"
         "| ・ ・ ・ ・ ・ ・ ・ ・ ・|五\r\n| ・ ・ ・ ・ ・ ・ ・ ・ ・|六\r\n"
         "| 歩 歩 歩 歩 歩 歩 歩 歩 歩|七\r\n| ・ 角 ・ ・ ・ ・ ・ 飛 ・|八\r\n"
         "| 香 桂 銀 金 玉 金 銀 桂 香|九\r\n+---------------------------+\r\n先手の持駒：なし\r\n後手番\r\n"
         "手数----指手---------消費時間--\r\n   1 ６二銀(71)\r\n",
         1, 2, true, ""},
        {"CSA with a board, commas, fractions of seconds and V2.1", true,
         "V2.1\r\nN+先\r\nN-後\r\nP1-KY-KE-GI-KI-OU-KI-GI-KE-KY\r\nP2 * -HI *  *  *  *  * -KA * \r\n"
         "P3-FU-FU-FU-FU-FU-FU-FU-FU-FU\r\nP4 *  *  *  *  *  *  *  *  * \r\nP5 *  *  *  *  *  *  *  *  * \r\n"
         "P6 *  *  *  *  *  *  *  *  * \r\nP7+FU+FU+FU+FU+FU+FU+FU+FU+FU\r\nP8 * +KA *  *  *  *  * +HI * \r\n"
         "P9+KY+KE+GI+KI+OU+KI+GI+KE+KY\r\nP+\r\nP-\r\n+\r\n+7776FU,T3.5\r\n-3334FU\r\nT2\r\n'comment\r\n%TORYO\r\n",
         2, 0, false, "先"},
        {"CSA from PI less two pieces, △ first", true,
         "V2.2\r\nPI82HI22KA\r\n-\r\n-3142GI\r\n+7776FU\r\n%CHUDAN\r\n", 2, 2, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool sjis : {false, true}) {
            std::string bytes = c.text;
            if (sjis) {
                if (bytes.starts_with("\xEF\xBB\xBF")) continue;
                auto converted = 変換_UTF8からSJIS(bytes);
                ASSERT_TRUE(converted);
                bytes = *converted;
            }
            const 記録読込結果 r = c.csa ? 解析_CSA(bytes) : 解析_KIF(bytes);
            ASSERT_TRUE(r.ok) << r.error;
            EXPECT_EQ(static_cast<int>(r.記録.棋譜.手.size()), c.moves);
            EXPECT_EQ(r.記録.手合, c.grade);
            EXPECT_EQ(r.記録.上手先手, c.upperFirst);
            EXPECT_EQ(r.記録.棋譜.下手名, c.sente);
            EXPECT_EQ(検査_対局記録(r.記録), "");
        }
    }
    // A handicap game is written as handicap records are laid out: the giver (here the
    // upper side, which moved first) stays at the top as △ and the diagram says 後手番.
    const 記録読込結果 kaku = 解析_KIF(cases[2].text);
    ASSERT_TRUE(kaku.ok);
    const std::string written = 書式_KIF(kaku.記録);
    EXPECT_TRUE(has(written, "\r\n|v香v桂v銀v金v玉v金v銀v桂v香|一\r\n| ・v飛 ・ ・ ・ ・ ・ ・ ・|二\r\n")) << written;
    EXPECT_TRUE(has(written, "\r\n後手番\r\n先手：下\r\n後手：上\r\n"));
    EXPECT_TRUE(has(written, "\r\n   1 ４二銀(31)"));
    const std::string csa = 書式_CSA(kaku.記録);
    EXPECT_TRUE(has(csa, "\r\nP2 * -HI *  *  *  *  *  *  * \r\n") && has(csa, "\r\n-\r\n-3142GI\r\n")) << csa;

    // The times of the first case: KIF's totals are kept.
    const 記録読込結果 r = 解析_KIF(cases[0].text);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.記録.棋譜.手[0].MAN_JIKAN, 3);
    EXPECT_EQ(r.記録.棋譜.手[1].COM_JIKAN, 5);
    EXPECT_EQ(r.記録.棋譜.手[2].MAN_JIKAN, 3) << "no time given: the total stays";
    EXPECT_EQ(r.記録.棋譜.手[3].COM_JIKAN, 62) << "a total without hours is minutes and seconds";
    EXPECT_EQ(r.記録.棋譜.上手名, "乙");
    EXPECT_EQ(r.記録.開始日時, "2020/01/02");
}

// What players bring from other programs, cut from real files: each must read to the moves
// the reference reader gives (or the moves before a king move), saying what it left out.
TEST(ExchangeFormat, RecordsFromOtherProgramsReadAsTheReferenceReaderReadsThem) {
    const std::string moves3 = "   1 ７六歩(77)   ( 0:02/00:00:02)\r\n   2 ３四歩(33)   ( 0:05/00:00:05)\r\n"
                               "   3 ２二角成(88) ( 0:06/00:00:08)\r\n   4 中断         ( 0:51/00:00:56)\r\nまで3手で中断\r\n";
    const std::string kfw = "#KIF version=2.0 encoding=Shift_JIS\r\n# ---- Kifu for Windows V7 V7.08 棋譜ファイル ----\r\n"
                            "開始日時：2014/10/12 14:46:51\r\n手合割：平手　　\r\n先手：羽生\r\n後手：gote\r\n"
                            "手数----指手---------消費時間--\r\n" + moves3;
    auto crcrlf = kfw;
    for (std::size_t at = crcrlf.find("\r\n"); at != std::string::npos; at = crcrlf.find("\r\n", at + 3))
        crcrlf.insert(at, "\r");
    auto encoded = [](const std::string& text, const char* to) { return *変換_UTF8から(text, to); };
    // 角落ち given as CSA piece lists: every piece of the opening but △'s bishop.
    std::string lists = "V2.2\r\nP-11KY21KE31GI41KI51OU61KI71GI81KE91KY82HI";
    for (int f = 1; f <= 9; ++f) lists += std::to_string(f) + "3FU";
    lists += "\r\nP+19KY29KE39GI49KI59OU69KI79GI89KE99KY28HI88KA";
    for (int f = 1; f <= 9; ++f) lists += std::to_string(f) + "7FU";
    lists += "\r\n-\r\n-3142GI,T1\r\n+7776FU,T2\r\n%TORYO\r\n";
    const std::string handicap = "先手：下手\r\n後手：上手\r\n手数----指手---------消費時間--\r\n"
                                 "   1 １四歩(13)\r\n   2 ７六歩(77)\r\n   3 中断\r\n";
    std::string kingGame = "手合割：平手\r\n手数----指手---------消費時間--\r\n   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n"
                           "   3 ６八玉(59)\r\n   4 ８四歩(83)\r\n   5 投了\r\n";
    struct Case {
        const char* name;
        bool csa;
        std::string bytes;
        int moves, grade;
        const char* note;  // a part of the reader's note; empty: no note
    };
    const std::vector<Case> cases = {
        {"header values padded with full-width blanks (Kifu for Windows), Shift_JIS", false,
         *変換_UTF8からSJIS(kfw), 3, 0, ""},
        {"CR CR LF line ends and a stray CR", false, *変換_UTF8からSJIS(crcrlf + "\r"), 3, 0, ""},
        {"EUC-JP", false, encoded(kfw, "EUC-JP"), 3, 0, ""},
        {"UTF-16 with a byte-order mark", false, encoded(kfw, "UTF-16"), 3, 0, ""},
        {"the variation mark after the time; the variations skipped", false,
         "手合割：平手\r\n   1 ７六歩(77)   ( 0:02/00:00:02)+\r\n   2 ３四歩(33)   ( 0:03/00:00:03)　+\r\n"
         "   3 投了\r\n\r\n変化：2手\r\n   2 ８四歩(83)   ( 0:01/00:00:01)\r\n\r\n変化：1手\r\n   1 ２六歩(27)\r\n",
         2, 0, "変化は読まずに本譜だけを読みました"},
        {"将棋倶楽部24's end line names the side", false,
         "手合割：平手\r\n1 ７六歩(77)    ( 0:01/00:00:01)\r\n2 先手 反則負け ( 0:22/00:04:53)\r\n", 1, 0, ""},
        {"トライ, 千日手, 入玉勝ち and 不戦敗 end the main line", false,
         "手合割：平手\r\n   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n   3 トライ\r\n   4 千日手\r\n   5 入玉勝ち\r\n   6 不戦敗\r\n",
         2, 0, ""},
        {"左五枚落ち is grade 5", false, "手合割：左五枚落ち\r\n" + handicap, 2, 5, ""},
        {"左七枚落ち is grade 7", false, "手合割：左七枚落ち\r\n" + handicap, 2, 7, ""},
        {"a CSA start given piece by piece", true, lists, 2, 1, ""},
        {"a standard game whose king moves: up to the king move, which ends it", false, kingGame, 3, 0,
         "3手目「６八玉(59)」(5行目): 王は動かないので、この手で終局です。後の1手は読みません"},
        {"a king move as the first of two moves", false,
         "手合割：平手\r\n手数----指手---------消費時間--\r\n   1 ５八玉(59)\r\n   2 ３四歩(33)\r\n", 1, 0,
         "1手目「５八玉(59)」(3行目): 王は動かないので、この手で終局です。後の1手は読みません"},
        {"CSA alike: 二枚落ち, the giver's king moves first", true,
         "V2.2\r\nPI82HI22KA\r\n-\r\n-5152OU\r\n+7776FU\r\n%TORYO\r\n", 1, 2,
         "1手目「５二玉(51)」(4行目): 王は動かないので、この手で終局です。後の1手は読みません"},
        {"no moves: the start position", false,
         "手合割：平手\r\n先手：甲\r\n後手：乙\r\n手数----指手---------消費時間--\r\n", 0, 0, ""},
        {"no moves after a handicap diagram", false,
         "手合割：角落ち\r\n手数----指手---------消費時間--\r\n", 0, 1, ""},
        {"CSA with no moves", true, "V2.2\r\nPI\r\n+\r\n%CHUDAN\r\n", 0, 0, ""},
        {"CSA statements with blanks before the commas", true,
         "V2.2\r\nN+a\r\nN-b\r\nPI\r\n+\r\n+7776FU  ,T0\r\n-3334FU  ,T1\r\n%TORYO\r\n", 2, 0, ""},
        {"a CSA comment after a comma", true,
         "V2.2\r\nPI\r\n+\r\n+7776FU,T0,'comment, with a comma\r\n-3334FU\t, T1 ,\t'後\r\n%TORYO\r\n", 2, 0, ""},
        {"a branch where the main line stops is its continuation", false,
         "手合割：平手\r\n手数----指手---------消費時間--\r\n   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n\r\n"
         "変化：3手\r\n   3 ２六歩(27)\r\n   4 ８四歩(83)\r\n",
         4, 0, ""},
        {"a branch beside the main line's end word stays a branch", false,
         "手合割：平手\r\n   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n   3 投了\r\n変化：3手\r\n   3 ２六歩(27)\r\n", 2, 0,
         "変化は読まずに本譜だけを読みました"},
        {"a branch after another branch is not the main line", false,
         "手合割：平手\r\n   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n変化：2手\r\n   2 ８四歩(83)\r\n"
         "変化：3手\r\n   3 ２六歩(27)\r\n",
         2, 0, "変化は読まずに本譜だけを読みました"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.bytes.empty());
        const 記録読込結果 r = c.csa ? 解析_CSA(c.bytes) : 解析_KIF(c.bytes);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(static_cast<int>(r.記録.棋譜.手.size()), c.moves);
        EXPECT_EQ(r.記録.手合, c.grade);
        EXPECT_EQ(検査_対局記録(r.記録), "");
        EXPECT_EQ(r.注記.find(c.note) != std::string::npos && r.注記.empty() == (*c.note == 0), true) << r.注記;
        if (c.bytes.find("Kifu for Windows") != std::string::npos || c.name[0] == 'E' || c.name[0] == 'U') {
            EXPECT_EQ(r.記録.棋譜.下手名, "羽生");
            EXPECT_EQ(r.記録.開始日時, "2014/10/12 14:46:51");
        }
    }
}

// One rule for a king move in KIF and CSA alike: the same game in both formats reads to the
// same moves, up to and with its first king move, whatever follows it.
TEST(ExchangeFormat, AKingMoveEndsTheGameInKifAndCsaAlike) {
    const std::vector<std::pair<std::string, std::string>> game = {
        {"７六歩(77)", "+7776FU"}, {"３四歩(33)", "-3334FU"}, {"６八玉(59)", "+5968OU"},
        {"８四歩(83)", "-8384FU"}, {"７八玉(68)", "+6878OU"}, {"８五歩(84)", "-8485FU"}};
    for (std::size_t length = 0; length <= game.size(); ++length) {
        SCOPED_TRACE(length);
        std::string kif = "手合割：平手\r\n手数----指手---------消費時間--\r\n", csa = "V2.2\r\nPI\r\n+\r\n";
        for (std::size_t i = 0; i < length; ++i) {
            kif += std::to_string(i + 1) + " " + game[i].first + "\r\n";
            csa += game[i].second + "\r\n";
        }
        kif += std::to_string(length + 1) + " 投了\r\n";
        csa += "%TORYO\r\n";
        const 記録読込結果 k = 解析_KIF(kif), c = 解析_CSA(csa);
        ASSERT_TRUE(k.ok && c.ok) << k.error << c.error;
        const std::size_t kept = std::min<std::size_t>(length, 3);
        EXPECT_EQ(k.記録.棋譜.手.size(), kept);
        EXPECT_EQ(k.記録.棋譜.手, c.記録.棋譜.手);
        EXPECT_EQ(k.記録.上手先手, c.記録.上手先手);
        // Only what follows the king move is left out, and the note says how much.
        const std::string note = length > 3 ? "3手目「６八玉(59)」" : "";
        for (const 記録読込結果* r : {&k, &c}) {
            // The file's end word stands after its last move; it is the record's only there.
            EXPECT_EQ(r->記録.終局語, length <= 3 ? "投了" : "");
            EXPECT_EQ(r->注記.empty(), length <= 3) << r->注記;
            EXPECT_TRUE(has(r->注記, note));
            if (length > 3) {
                EXPECT_TRUE(has(r->注記, "後の" + std::to_string(length - 3) + "手は読みません")) << r->注記;
            }
        }
        // Written again, the king move stands as the last move and its mover loses.
        const 終局表記 e = 作成_終局表記(k.記録);
        if (length >= 3) {
            EXPECT_EQ(std::tuple(e.手数, e.kind, e.勝者), std::tuple(3, 終局表記::種別::反則勝ち, std::string("後手")));
        } else {
            EXPECT_EQ(e.kind, 終局表記::種別::投了);
        }
        const 記録読込結果 again = 解析_KIF(書式_KIF(k.記録));
        ASSERT_TRUE(again.ok) << again.error;
        EXPECT_EQ(again.記録.棋譜.手, k.記録.棋譜.手);
    }
}

// The CSA end words name their winner as the CSA standard defines them: %+ILLEGAL_ACTION is
// ▲'s foul, so △ wins; %ILLEGAL_MOVE is the foul of the side to move.
TEST(ExchangeFormat, CsaEndWordsNameTheWinnerTheStandardGivesThem) {
    const struct {
        const char *read, *result, *written;
    } cases[] = {
        {"%TORYO", "まで2手で後手の勝ち", "%TORYO"},
        {"%+ILLEGAL_ACTION", "まで2手で後手の勝ち", "%ILLEGAL_MOVE"},
        {"%-ILLEGAL_ACTION", "まで2手で先手の勝ち", "%-ILLEGAL_ACTION"},
        {"%ILLEGAL_MOVE", "まで2手で後手の勝ち", "%ILLEGAL_MOVE"},
        {"%TIME_UP", "まで2手で後手の勝ち", "%TIME_UP"},
        {"%KACHI", "まで2手で先手の勝ち", "%KACHI"},
        {"%SENNICHITE", "まで2手で千日手", "%SENNICHITE"},
        {"%CHUDAN", "まで2手で中断", "%CHUDAN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.read);
        const 記録読込結果 r = 解析_CSA("V2.2\r\nPI\r\n+\r\n+7776FU\r\n-3334FU\r\n" + std::string(c.read) + "\r\n");
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(作成_終局表記(r.記録).まで, c.result);
        EXPECT_TRUE(has(書式_CSA(r.記録), std::string("\r\n") + c.written + "\r\n")) << 書式_CSA(r.記録);
    }
}

// CSA statements separated by commas, with blanks and a closing comment, read as the same
// statements one to a line.
TEST(ExchangeFormat, CsaStatementsOnOneLineReadAsOneToALine) {
    const std::vector<std::string> moves = {"+7776FU", "-3334FU", "+2726FU", "-8384FU"};
    std::string plain = "V2.2\r\nPI\r\n+\r\n";
    for (std::size_t i = 0; i < moves.size(); ++i) plain += moves[i] + "\r\nT" + std::to_string(3 * i + 1) + "\r\n";
    plain += "%TORYO\r\n";
    const 記録読込結果 want = 解析_CSA(plain);
    ASSERT_TRUE(want.ok) << want.error;
    const char* const joins[] = {",", "  ,", ", ", "\t,\t", " , "};
    for (const char* join : joins) {
        for (bool comment : {false, true}) {
            SCOPED_TRACE(std::string("[") + join + "]" + (comment ? " with a comment" : ""));
            std::string text = "V2.2\r\nPI\r\n+\r\n";
            for (std::size_t i = 0; i < moves.size(); ++i) {
                text += moves[i] + join + "T" + std::to_string(3 * i + 1);
                if (comment) text += std::string(join) + "'T99,+5958OU";
                text += "\r\n";
            }
            // The seconds after the end word are the end's, not the last move's.
            text += "%TORYO" + std::string(join) + "T99" + std::string(comment ? ",'end" : "") + "\r\n";
            const 記録読込結果 r = 解析_CSA(text);
            ASSERT_TRUE(r.ok) << r.error;
            EXPECT_EQ(r.記録.棋譜.手, want.記録.棋譜.手);
            EXPECT_EQ(std::tuple(r.記録.終局語, r.記録.勝者), std::tuple(want.記録.終局語, want.記録.勝者));
        }
    }
}

TEST(ExchangeFormat, MalformedFilesAreRefusedWithAReason) {
    const std::vector<MalformedRecord> cases = malformedRecords();
    int n = 0;
    for (const MalformedRecord& c : cases) {
        SCOPED_TRACE(std::to_string(++n) + ": " + c.reason);
        const 記録読込結果 r = c.csa ? 解析_CSA(c.text) : 解析_KIF(c.text);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.記録.棋譜.手.empty() || !r.ok);
        EXPECT_NE(r.error.find(c.reason), std::string::npos) << r.error;
        // Every truncation of a refused file is refused or read; none crashes.
        for (std::size_t cut = 0; cut < c.text.size() && c.text.size() < 4096; cut += 7)
            (void)(c.csa ? 解析_CSA(c.text.substr(0, cut)) : 解析_KIF(c.text.substr(0, cut)));
    }
    EXPECT_GE(n, 30);
}

}  // namespace
}  // namespace fudo::test
