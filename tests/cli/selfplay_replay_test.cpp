// selfplay --record and replay: the CLI writes records with the game's writer and reads
// them with the game's reader and checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "cli/commands.h"
#include "tests/cli/run_cli.h"

namespace fudo::cli {
namespace {

// Board and hands of an SFEN (the side to move of a finished game means nothing).
std::string boardAndHands(const std::string& sfen) {
    std::istringstream in(sfen);
    std::string board, side, hands;
    in >> board >> side >> hands;
    return board + " " + hands;
}

// The SFEN after "final " on the first game line of selfplay's output.
std::string finalSfen(const std::string& out) {
    const auto at = out.find("final ");
    return out.substr(at + 6, out.find('\n', at) - at - 6);
}

class CliRecords : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                ("fudo-cli-records-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
};

TEST_F(CliRecords, ARecordedSelfplayGameReplaysToItsFinalPosition) {
    const std::string file = (dir / "対局.棋譜").string();
    const Outcome played = run({"selfplay", "--games", "1", "--seed", "3", "--upper-level", "1",
                                "--lower-level", "2", "--record", file});
    ASSERT_EQ(played.code, 0) << played.err;
    const Outcome replayed = run({"replay", file});
    ASSERT_EQ(replayed.code, 0) << replayed.err;
    EXPECT_EQ(boardAndHands(replayed.out), boardAndHands(finalSfen(played.out)));

    const Outcome start = run({"replay", file, "--move", "0"});
    EXPECT_EQ(start.out, "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1\n");
    const Outcome first = run({"replay", file, "--move", "1"});
    EXPECT_EQ(first.code, 0);
    EXPECT_NE(first.out, start.out);
    EXPECT_NE(first.out.find(" w - 2"), std::string::npos) << "the upper army is to move after one move";
}

TEST_F(CliRecords, SeveralGamesGetNumberedFiles) {
    const std::string file = (dir / "g.棋譜").string();
    ASSERT_EQ(run({"selfplay", "--games", "2", "--seed", "8", "--record", file}).code, 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "g-1.棋譜"));
    EXPECT_TRUE(std::filesystem::exists(dir / "g-2.棋譜"));
}

TEST_F(CliRecords, RefusedRecordsGiveOneLineAndExitTwo) {
    std::ofstream(dir / "bad.棋譜", std::ios::binary) << "a\r\nb\r\nc\r\n 7776 -10 -99   0    0    3    0    0\r\n";
    std::ofstream(dir / "one.棋譜", std::ios::binary) << "a\r\nb\r\nc\r\n 7776 -10 -10   0    0    3    0    0\r\n";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"replay"},
             {"replay", (dir / "missing.棋譜").string()},
             {"replay", (dir / "bad.棋譜").string()},
             {"replay", (dir / "one.棋譜").string(), "--move", "2"},
             {"replay", (dir / "one.棋譜").string(), "--move", "-1"},
             {"replay", (dir / "one.棋譜").string(), "--turn", "1"},
             {"selfplay", "--games", "1", "--handicap", "2", "--record", (dir / "h.棋譜").string()},
         }) {
        const Outcome o = run(args);
        EXPECT_EQ(o.code, 2) << args.size();
        EXPECT_TRUE(o.out.empty());
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    }
    EXPECT_EQ(run({"replay", (dir / "one.棋譜").string(), "--move", "1"}).code, 0);
    EXPECT_EQ(run({"selfplay", "--games", "1", "--record", (dir / "no/such/folder/x.棋譜").string()}).code, 2);
}

TEST_F(CliRecords, ExportImportAndReplayOfTheExchangeFormats) {
    const std::string game = (dir / "対局.棋譜").string();
    const Outcome played = run({"selfplay", "--games", "1", "--seed", "4", "--upper-level", "2",
                                "--lower-level", "1", "--record", game});
    ASSERT_EQ(played.code, 0) << played.err;
    const std::string finalPosition = boardAndHands(run({"replay", game}).out);
    for (const char* format : {"--kif", "--kifu", "--csa"}) {
        SCOPED_TRACE(format);
        const std::string exported = (dir / (std::string("e") + format + "." + (format + 2))).string();
        const Outcome e = run({"export", game, format, "-o", exported});
        ASSERT_EQ(e.code, 0) << e.err;
        {
            // A ".棋譜" holds no date, and the export invents none.
            std::ifstream f(exported, std::ios::binary);
            const std::string text(std::istreambuf_iterator<char>(f), {});
            EXPECT_EQ(text.find("開始日時"), std::string::npos);
            EXPECT_EQ(text.find("$START_TIME"), std::string::npos);
        }
        // The same game comes back move line for move line, and replays to the same end.
        const std::string back = (dir / (std::string("b") + format + ".棋譜")).string();
        const Outcome i = run({"import", exported, "-o", back});
        ASSERT_EQ(i.code, 0) << i.err;
        std::ifstream a(game, std::ios::binary), b(back, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(a), {}),
                  std::string(std::istreambuf_iterator<char>(b), {}));
        EXPECT_EQ(boardAndHands(run({"replay", exported}).out), finalPosition);
    }
    // Without -o the file is written beside the record with the format's extension.
    EXPECT_EQ(run({"export", game, "--csa"}).code, 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "対局.csa"));

    std::ofstream(dir / "bad.kif", std::ios::binary) << "   1 ７五歩(77)\r\n";
    std::ofstream(dir / "kaku.kifu", std::ios::binary) << "手合割：角落ち\r\n   1 ４二銀(31)\r\n";
    EXPECT_EQ(run({"import", (dir / "kaku.kifu").string()}).code, 0);
    // A standard game whose king moves opens before the king move, and says so.
    std::ofstream(dir / "king.kifu", std::ios::binary)
        << "手合割：平手\r\n   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n   3 ６八玉(59)\r\n   4 ８四歩(83)\r\n";
    const Outcome king = run({"replay", (dir / "king.kifu").string()});
    EXPECT_EQ(king.code, 0);
    EXPECT_NE(king.err.find("3手目「６八玉(59)」(4行目): 王は動かないので、その前の2手を読みました"), std::string::npos)
        << king.err;
    EXPECT_EQ(king.out, "lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B5R1/LNSGKGSNL b - 3\n");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"export", game},
             {"export", game, "--kif", "--csa"},
             {"export", (dir / "missing.棋譜").string(), "--kif"},
             {"export", game, "--kif", "-o", (dir / "no/such/folder/x.kif").string()},
             {"import"},
             {"import", (dir / "bad.kif").string()},
             {"import", (dir / "missing.csa").string()},
             {"import", game},
             {"import", (dir / "kaku.kifu").string(), "-o", (dir / "kaku.棋譜").string()},
             {"replay", (dir / "bad.kif").string()},
         }) {
        const Outcome o = run(args);
        EXPECT_EQ(o.code, 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "kaku.棋譜"));
    EXPECT_NE(run({"import", (dir / "bad.kif").string()}).err.find("1手目"), std::string::npos);
}

}  // namespace
}  // namespace fudo::cli
