// A KIF or CSA file read into the game leaves it exactly as reading the same game's ".棋譜"
// file does; a handicap start stands on the board; the window's SFEN of the shown position.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "files/record_file.h"
#include "files/session_file.h"
#include "notation/csa.h"
#include "notation/kif.h"
#include "notation/record_io.h"
#include "tests/control/control_support.h"
#include "tests/files/game_state.h"
#include "tests/files/sample_records.h"
#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

TEST(RecordMode, AnExchangeFileEntersRecordModeAsARecordFileDoes) {
    for (bool upperFirst : {false, true}) {
        SCOPED_TRACE(upperFirst ? "upper first" : "lower first");
        棋譜データ data{"練習", "上の人", "下の人", upperFirst ? upperFirstMoves() : lowerFirstMoves()};
        Rig native, exchange;
        native.load();
        exchange.load();
        ASSERT_FALSE(書込_棋譜(native.host.fileListFolder() / "g.棋譜", data));
        native.canvas.clear();
        native.game.File1_Click("g.棋譜");

        for (bool csa : {false, true}) {
            const 対局記録 r = 作成_対局記録(data);
            const 記録読込結果 read = csa ? 解析_CSA(*符号化_CSA(r)) : 解析_KIF(*符号化_KIF(r, false));
            ASSERT_TRUE(read.ok) << read.error;
            exchange.canvas.clear();
            exchange.dialogs.shown.clear();
            取込_対局記録(exchange.game, read.記録);
            EXPECT_EQ(differences(snapshot(native.game), snapshot(exchange.game)), std::vector<std::string>{});
            EXPECT_EQ(native.game.棋譜見出し, exchange.game.棋譜見出し);
            // The same two boxes: read, and step with 進.
            ASSERT_EQ(exchange.dialogs.shown.size(), 2u);
            ASSERT_GE(native.dialogs.shown.size(), 2u);
            for (std::size_t k = 0; k < 2; ++k)
                EXPECT_EQ(exchange.dialogs.shown[k].text,
                          native.dialogs.shown[native.dialogs.shown.size() - 2 + k].text);
            EXPECT_TRUE(exchange.canvas.hasText("上の人") && exchange.canvas.hasText("練習"));
        }
        // Both step through to the same position.
        for (std::size_t i = 0; i < data.手.size(); ++i) {
            native.game.AFTER_Click();
            exchange.game.AFTER_Click();
        }
        EXPECT_EQ(native.game.BAN, exchange.game.BAN);
        EXPECT_EQ(exchange.game.KIFU_NOW, static_cast<int>(data.手.size()));
    }
}

TEST(RecordMode, AHandicapStartStandsOnTheBoardAndTheShownPositionCopiesAsSfen) {
    Rig rig;
    rig.load();
    EXPECT_EQ(局面SFEN(rig.game), "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1");

    const 記録読込結果 r = 解析_KIF(std::string("手合割：二枚落ち\r\n   1 ４二銀(31)\r\n   2 ７六歩(77)\r\n"));
    ASSERT_TRUE(r.ok) << r.error;
    取込_対局記録(rig.game, r.記録);
    EXPECT_EQ(rig.game.KIFU_MODE, 1);
    EXPECT_EQ(rig.game.HANDE_LEVEL, 2);
    EXPECT_EQ(rig.game.BAN(8, 2), KARA);
    EXPECT_EQ(rig.game.BAN(2, 2), KARA);
    EXPECT_EQ(rig.game.TEBAN, rig.game.COM_SENGO) << "the giver, the upper side, moves first";
    EXPECT_EQ(局面SFEN(rig.game), "lnsgkgsnl/9/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1")
        << "as handicap records are laid out: the giver at the top (lowercase), moving first";
    rig.game.AFTER_Click();
    rig.game.AFTER_Click();
    EXPECT_EQ(rig.game.KIFU_NOW, 2);
    EXPECT_EQ(rig.game.HANDE_LEVEL, 2);
    // A game in which the lower side moved first keeps its own orientation.
    Rig plain;
    plain.load();
    取込_対局記録(plain.game, 作成_対局記録(棋譜データ{"", "", "", lowerFirstMoves()}));
    for (int i = 0; i < 3; ++i) plain.game.AFTER_Click();
    EXPECT_EQ(局面SFEN(plain.game), "lnsgkgsnl/1r5+B1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/7R1/LNSGKGSNL w B 4");
}

TEST(RecordMode, ARecordKeepsItsHeadingsStartAndEndThroughTheKeptGameAndExport) {
    const std::string head = "開始日時：2020/01/02 10:00:00\r\n棋戦：竜王戦\r\n手合割：平手\r\n先手：甲\r\n後手：乙\r\n"
                             "   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n";
    struct Case {
        std::string end;
        std::vector<std::string> kif, csa;  // lines the export holds
    };
    const std::vector<Case> cases = {
        {"   3 投了\r\nまで2手で後手の勝ち\r\n", {"   3 投了", "まで2手で後手の勝ち"}, {"%TORYO"}},
        {"   3 千日手\r\n", {"   3 千日手", "まで2手で千日手"}, {"%SENNICHITE"}},
        {"3 後手 反則負け\r\n", {"   3 反則勝ち", "まで2手で先手の勝ち"}, {"%-ILLEGAL_ACTION"}},
        {"3 先手 反則負け\r\n", {"   3 反則負け", "まで2手で後手の勝ち"}, {"%ILLEGAL_MOVE"}},
        {"   3 中断\r\n", {"   3 中断", "まで2手で中断"}, {"%CHUDAN"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.end);
        const 記録読込結果 r = 解析_KIF(head + c.end);
        ASSERT_TRUE(r.ok) << r.error;
        // Read, kept as the game of the next start, taken up again and written.
        Rig first, next;
        first.load();
        next.load();
        取込_対局記録(first.game, r.記録);
        std::string error;
        ASSERT_TRUE(読込_セッション(next.game, セッション文字列(first.game), error)) << error;
        const 対局記録 back = 作成_対局記録(next.game, next.game.KIFU_LAST);
        const std::string kif = 書式_KIF(back), csa = 書式_CSA(back);
        for (const char* line : {"開始日時：2020/01/02 10:00:00", "棋戦：竜王戦", "先手：甲", "後手：乙"})
            EXPECT_NE(kif.find(std::string("\r\n") + line + "\r\n"), std::string::npos) << line << "\n" << kif;
        for (const std::string& line : c.kif)
            EXPECT_NE(kif.find("\r\n" + line), std::string::npos) << line << "\n" << kif;
        for (const std::string& line : c.csa)
            EXPECT_NE(csa.find("\r\n" + line + "\r\n"), std::string::npos) << line << "\n" << csa;
        EXPECT_NE(csa.find("\r\n$START_TIME:2020/01/02 10:00:00\r\n"), std::string::npos);
    }
}

// A record with no moves is its start position: it opens in the game as one, and there is
// nothing to write of it.
TEST(RecordMode, ARecordWithNoMovesOpensAsItsStartPosition) {
    struct Case {
        std::string text;
        bool csa;
        const char* sfen;
    };
    const Case cases[] = {
        {"手合割：平手\r\n先手：甲\r\n後手：乙\r\n手数----指手---------消費時間--\r\n", false,
         "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"},
        {"手合割：角落ち\r\n手数----指手---------消費時間--\r\n", false,
         "lnsgkgsnl/1r7/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL w - 1"},
        {"V2.2\r\nPI\r\n+\r\n", true, "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const 記録読込結果 r = c.csa ? 解析_CSA(c.text) : 解析_KIF(c.text);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_TRUE(r.記録.棋譜.手.empty());
        Rig rig;
        rig.load();
        取込_対局記録(rig.game, r.記録);
        EXPECT_EQ(rig.game.KIFU_LAST, 0);
        EXPECT_EQ(局面SFEN(rig.game), c.sfen);
        rig.game.AFTER_Click();
        EXPECT_EQ(rig.game.KIFU_NOW, 0);
        const std::filesystem::path out = rig.root / "empty.kif";
        EXPECT_EQ(書込_記録(out, r.記録, 記録形式::KIF), std::optional<std::string>("保存するデータがありません"));
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

// The end the game decided is the end every writer writes, also where the moves alone do
// not show it: a resignation, a mate this game sees (its kings stay put), a loss on time.
TEST(RecordMode, TheEndTheGameDecidedIsTheEndTheRecordSays) {
    struct Case {
        終局理由 reason;
        const char *kif, *csa;
    };
    const Case cases[] = {
        {終局理由::投了, "   3 投了", "%TORYO"},
        {終局理由::詰み, "   3 詰み", "%TSUMI"},
        {終局理由::時間切れ, "   3 切れ負け", "%TIME_UP"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kif);
        Rig rig;
        rig.load();
        Game& g = rig.game;
        g.TAIKYOKU_MODE = MODE_MAN;
        g.START_Click();
        move(g, 7, 7, 7, 6);
        move(g, 3, 3, 3, 4);
        ASSERT_EQ(g.KIFU_LAST, 2);
        // The first mover is to move and loses.
        g.終局 = {c.reason, g.TE_GOTE};
        const 対局記録 r = 作成_対局記録(g, g.KIFU_LAST);
        const std::string kif = 書式_KIF(r), csa = 書式_CSA(r);
        EXPECT_NE(kif.find("\r\n" + std::string(c.kif)), std::string::npos) << kif;
        EXPECT_NE(kif.find("\r\nまで2手で後手の勝ち\r\n"), std::string::npos) << kif;
        EXPECT_NE(csa.find(std::string("\r\n") + c.csa + "\r\n"), std::string::npos) << csa;
        // Read back, the file says the same.
        const 記録読込結果 back = 解析_KIF(kif);
        ASSERT_TRUE(back.ok) << back.error;
        EXPECT_EQ(書式_KIF(back.記録).substr(kif.find("手数----")), kif.substr(kif.find("手数----")));
        // Only the whole game has that end; a part of it was broken off.
        EXPECT_NE(書式_KIF(作成_対局記録(g, 1)).find("\r\nまで1手で中断\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace fudo::test
