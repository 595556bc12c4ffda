// selfplay --record and replay: the CLI writes records with the game's writer and reads
// them with the game's reader and checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
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
    // A standard game whose king moves ends with the king move, and says what it left out.
    std::ofstream(dir / "king.kifu", std::ios::binary)
        << "手合割：平手\r\n   1 ７六歩(77)\r\n   2 ３四歩(33)\r\n   3 ６八玉(59)\r\n   4 ８四歩(83)\r\n";
    const Outcome king = run({"replay", (dir / "king.kifu").string()});
    EXPECT_EQ(king.code, 0);
    EXPECT_NE(king.err.find("3手目「６八玉(59)」(4行目): 王は動かないので、この手で終局です。後の1手は読みません"),
              std::string::npos)
        << king.err;
    EXPECT_EQ(king.out, "lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P6/PP1PPPPPP/1B1K3R1/LNSG1GSNL w - 4\n");
    // A record with no moves replays as its start position.
    std::ofstream(dir / "empty.kif", std::ios::binary) << "手合割：平手\r\n手数----指手---------消費時間--\r\n";
    const Outcome empty = run({"replay", (dir / "empty.kif").string()});
    EXPECT_EQ(std::tuple(empty.code, empty.out, empty.err),
              std::tuple(0, std::string("lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1\n"),
                         std::string()));
    // It has no moves to keep as a record file: refused, and nothing written.
    const Outcome kept = run({"import", (dir / "empty.kif").string(), "-o", (dir / "empty.棋譜").string()});
    EXPECT_EQ(kept.code, kExitBadInput);
    EXPECT_NE(kept.err.find("保存するデータがありません"), std::string::npos) << kept.err;
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.棋譜"));
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

// Outputs named on the command line: the format follows the name, the input is never
// written over, links are followed, pipes and devices are written into, and the output is
// checked before the work.
class CliOutput : public CliRecords {
protected:
    std::string game = (dir / "g.棋譜").string();
    void SetUp() override {
        CliRecords::SetUp();
        ASSERT_EQ(run({"selfplay", "--games", "1", "--seed", "5", "--upper-level", "1", "--lower-level", "1",
                       "--record", game})
                      .code,
                  0);
    }
    static std::string contents(const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string at(const std::string& name) const { return (dir / name).string(); }
};

TEST_F(CliOutput, TheFormatFollowsTheOutputsNameAndTheInputIsNeverWrittenOver) {
    const std::string original = contents(game);
    // The suffix chooses the format, in any case; a flag must agree with it.
    ASSERT_EQ(run({"export", game, "-o", at("x.CSA")}).code, 0);
    EXPECT_TRUE(contents(at("x.CSA")).starts_with("V2.2")) << "CSA";
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"export", game, "--kif", "-o", at("y.csa")},
             {"export", game, "--csa", "-o", at("y.kif")},
             {"export", game, "--kif", "-o", at("y.棋譜")},
             {"export", game, "-o", at("y.txt")},
             {"analyse", game, "--movetime", "1", "-o", at("y.csa")},
             {"selfplay", "--games", "1", "--record", at("y.kif")},
         }) {
        SCOPED_TRACE(args.back());
        const Outcome o = run(args);
        EXPECT_EQ(o.code, 2);
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        EXPECT_NE(o.err.find("format"), std::string::npos) << o.err;
        EXPECT_FALSE(std::filesystem::exists(args.back()));
    }
    // import converts to what the name asks for: the written file reads back as that format.
    ASSERT_EQ(run({"import", at("x.CSA"), "-o", at("k.kif")}).code, 0);
    const Outcome asKif = run({"import", at("k.kif")});
    EXPECT_EQ(asKif.code, 0) << asKif.err;
    ASSERT_EQ(run({"import", at("k.kif"), "-o", at("back.txt")}).code, 0);
    EXPECT_EQ(contents(at("back.txt")), original) << "a name of no format takes .棋譜";

    // The input itself, under its own name or another, is refused and left as it was.
    std::filesystem::create_symlink("k.kif", dir / "alias.kif");
    std::ofstream(dir / "h.kif", std::ios::binary) << original;  // a .棋譜 record that export reads
    const std::string kif = contents(at("k.kif"));
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"import", at("k.kif"), "-o", at("k.kif")},
             {"import", at("k.kif"), "-o", at("alias.kif")},
             {"export", at("h.kif"), "--kif"},
             {"analyse", at("k.kif"), "--movetime", "1", "-o", at("alias.kif")},
         }) {
        SCOPED_TRACE(args.back());
        const Outcome o = run(args);
        EXPECT_EQ(o.code, 2);
        EXPECT_NE(o.err.find("input"), std::string::npos) << o.err;
        EXPECT_TRUE(o.out.empty()) << "refused before the work";
    }
    EXPECT_EQ(contents(at("k.kif")), kif);
    EXPECT_EQ(contents(game), original);
    EXPECT_EQ(contents(at("h.kif")), original);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "alias.kif"));
}

TEST_F(CliOutput, StandardOutputLinksPipesAndDevices) {
    // "-": the record alone on standard output, the report on standard error.
    const Outcome e = run({"export", game, "--kifu", "-o", "-"});
    ASSERT_EQ(e.code, 0) << e.err;
    EXPECT_TRUE(e.out.starts_with("#")) << e.out.substr(0, 80);
    EXPECT_EQ(e.out.find("wrote"), std::string::npos);
    EXPECT_NE(e.err.find("wrote -"), std::string::npos);
    std::ofstream(dir / "e.kifu", std::ios::binary) << e.out;
    EXPECT_EQ(run({"replay", at("e.kifu")}).out, run({"replay", game}).out);
    const Outcome a = run({"analyse", game, "--movetime", "1", "-o", "-"});
    ASSERT_EQ(a.code, 0) << a.err;
    EXPECT_TRUE(a.out.starts_with("#")) << a.out.substr(0, 80);
    EXPECT_EQ(a.out.find("start"), std::string::npos) << "the review's lines go to standard error";
    EXPECT_NE(a.err.find("start"), std::string::npos);
    const Outcome i = run({"import", at("e.kifu"), "-o", "-"});
    ASSERT_EQ(i.code, 0) << i.err;
    EXPECT_EQ(i.out, contents(game));

    // A link: its target is written, the link stays.
    std::filesystem::create_symlink("target.kif", dir / "link.kif");
    ASSERT_EQ(run({"export", game, "--kif", "-o", at("link.kif")}).code, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.kif"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "target.kif"));
    // A character device, directly and behind a link.
    std::filesystem::create_symlink("/dev/null", dir / "null.kif");
    for (const char* to : {"/dev/null", "null.kif"}) {
        const std::string out = to[0] == '/' ? std::string(to) : at(to);
        EXPECT_EQ(run({"export", game, "--kif", "-o", out}).code, 0) << to;
        EXPECT_EQ(run({"import", at("target.kif"), "-o", out}).code, 0) << to;
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "null.kif"));

    // A pipe: the command waits for a reader that comes late.
    const std::filesystem::path fifo = dir / "p.kif";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        std::ifstream in(fifo, std::ios::binary);
        got.assign(std::istreambuf_iterator<char>(in), {});
    });
    const Outcome p = run({"export", game, "--kif", "-o", fifo.string()});
    reader.join();
    EXPECT_EQ(p.code, 0) << p.err;
    EXPECT_EQ(got, contents(at("target.kif")).substr(0, got.size()));
    EXPECT_GT(got.size(), 100u);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    // A folder is refused, before the work.
    std::filesystem::create_directories(dir / "d.kif");
    const Outcome d = run({"export", game, "--kif", "-o", at("d.kif")});
    EXPECT_EQ(d.code, 2);
    EXPECT_NE(d.err.find("フォルダ"), std::string::npos) << d.err;
    EXPECT_TRUE(std::filesystem::is_directory(dir / "d.kif"));
}

TEST_F(CliOutput, SelfplayWritesEveryGameIntoOnePipe) {
    ASSERT_EQ(run({"selfplay", "--games", "2", "--seed", "6", "--upper-level", "1", "--lower-level", "1",
                   "--record", at("n.棋譜")})
                  .code,
              0);
    const std::filesystem::path fifo = dir / "games.棋譜";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string got;
    std::thread reader([&] {
        std::ifstream in(fifo, std::ios::binary);
        got.assign(std::istreambuf_iterator<char>(in), {});
    });
    const Outcome o = run({"selfplay", "--games", "2", "--seed", "6", "--upper-level", "1", "--lower-level", "1",
                           "--record", fifo.string()});
    // Should nothing have been written into the pipe, its reader is let go.
    const int w = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (w >= 0) ::close(w);
    reader.join();
    EXPECT_EQ(o.code, 0) << o.err;
    EXPECT_EQ(got, contents(at("n-1.棋譜")) + contents(at("n-2.棋譜")));
    EXPECT_FALSE(std::filesystem::exists(dir / "games-1.棋譜"));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

TEST_F(CliOutput, PlayAndSelfplayCheckTheirRecordBeforeTheGame) {
    // play writes KIF and CSA too; selfplay's records are the game's own.
    for (const std::string& record : {at("no/such/folder/x.棋譜"), std::string("-"), at("x.csa"), dir.string()}) {
        SCOPED_TRACE(record);
        if (!record.ends_with(".csa")) {
            std::istringstream in("7g7f\n2g2f\n");
            std::ostringstream out, err;
            EXPECT_EQ(runCommand({"play", "--level", "1", "--record", record}, in, out, err), 2);
            EXPECT_EQ(out.str(), "") << "no game was played";
            const std::string said = err.str();
            EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        }
        const Outcome s = run({"selfplay", "--games", "1", "--record", record});
        EXPECT_EQ(s.code, 2);
        EXPECT_EQ(s.out, "") << "no game was played";
    }
}

TEST_F(CliOutput, APositionWithMorePiecesThanASetIsRefusedByItsCount) {
    const Outcome strong = run({"bestmove", "--level", "4", "4k4/9/9/9/9/9/9/9/4K4 w 39p 1"});
    EXPECT_EQ(strong.code, 2);
    EXPECT_EQ(strong.out, "");
    EXPECT_NE(strong.err.find("39 pawns"), std::string::npos) << strong.err;
    EXPECT_EQ(strong.err.find("king"), std::string::npos) << strong.err;
    // The classic levels answer their reference positions, five rooks among them, as before,
    // and name the count on the error stream only.
    const std::string five = "3nk4/1+r7/1r2N4/3+r5/9/9/1Kr6/+S+b4+N2/9 w R 1";
    const Outcome classic = run({"bestmove", "--level", "1", "--scores", five});
    EXPECT_EQ(classic.code, 0) << classic.err;
    std::ifstream golden(std::string(FUDO_TEST_DATA_DIR) + "/golden/bestmove-level1.txt");
    const std::string all{std::istreambuf_iterator<char>(golden), {}};
    const std::size_t at = all.find("position " + five + "\n");
    ASSERT_NE(at, std::string::npos);
    const std::size_t from = all.find('\n', at) + 1;
    EXPECT_EQ(classic.out, all.substr(from, all.find("\n\n", from) + 1 - from));
    EXPECT_NE(classic.err.find("rooks"), std::string::npos) << classic.err;
    // The engine says so for a position given to it, and plays nothing from it.
    std::istringstream in("usi\nisready\nposition sfen 4k4/9/9/9/9/9/9/9/4K4 w 39p 1\ngo depth 1\nquit\n");
    std::ostringstream out, err;
    EXPECT_EQ(runCommand({"usi"}, in, out, err), 0);
    EXPECT_NE(out.str().find("info string the position holds 39 pawns"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("bestmove P*"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace fudo::cli
