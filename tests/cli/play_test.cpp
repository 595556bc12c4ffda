// fudo-cli play: typed moves against moves clicked on the board, refusals, the ends of a
// game, and the command line around them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <tuple>
#include <unistd.h>

#include "cli/commands.h"
#include "cli/play.h"
#include "files/record_file.h"
#include "notation/record_io.h"
#include "tests/cli/run_cli.h"
#include "tests/control/control_support.h"

namespace fudo::cli {
namespace {

constexpr const char* kOpening = "lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1";

std::string lastLine(std::string s) {
    while (!s.empty() && s.back() == '\n') s.pop_back();
    return s.substr(s.rfind('\n') == std::string::npos ? 0 : s.rfind('\n') + 1);
}

// Everything a move can change, and every map the computer carries to its next turn.
std::vector<double> stateOf(const Game& g) {
    std::vector<double> s{double(g.TEBAN), double(g.SYOUSYA), double(g.KIFU_NOW), double(g.KIFU_LAST),
                          double(g.TESU), double(g.SITA_MOCHI_SU), double(g.UE_MOCHI_SU)};
    for (int k = 1; k <= 7; ++k) s.insert(s.end(), {double(g.SITA_MOCHI[k]), double(g.UE_MOCHI[k])});
    for (int n = 1; n <= g.KIFU_NOW; ++n)
        s.insert(s.end(), {double(g.KIFU_MOTO_X[n]), double(g.KIFU_MOTO_Y[n]), double(g.KIFU_SAKI_X[n]),
                           double(g.KIFU_SAKI_Y[n]), double(g.KIFU_KOMA[n]), double(g.KIFU_KOMA_ATO[n]),
                           double(g.KIFU_TORI[n]), g.KIFU_MAN_JIKAN[n], g.KIFU_COM_JIKAN[n]});
    for (const IntMap Game::*m :
         {&Game::BAN, &Game::SITA_SEIRYOKU, &Game::UE_SEIRYOKU, &Game::SITA_MAMORI_KOMA, &Game::UE_MAMORI_KOMA,
          &Game::UE_MAMORI_X, &Game::UE_MAMORI_Y, &Game::SITA_KOUGEKI_KOMA, &Game::SITA_KOUGEKI_X,
          &Game::SITA_KOUGEKI_Y, &Game::UE_KOUGEKI_KOMA, &Game::UE_KOUGEKI_X, &Game::UE_KOUGEKI_Y,
          &Game::SITA_OUTE, &Game::UE_OUTE, &Game::BAN_MAE, &Game::OU_NIGE_MASU, &Game::SITA_SEIRYOKU_MAE,
          &Game::UE_SEIRYOKU_MAE, &Game::UE_KOUGEKI_X_MAE, &Game::UE_KOUGEKI_Y_MAE, &Game::SITA_IDOU_FUKA,
          &Game::SITA_KAKU_NERAI})
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) s.push_back((g.*m)(x, y));
    return s;
}

// A session whose output is read line by line as it is typed to.
struct Typed {
    std::ostringstream out;
    PlaySession session;
    size_t read = 0;
    explicit Typed(const PlayOptions& o = {}) : session(o, out) {}
    std::string fresh() {
        const std::string s = out.str().substr(std::exchange(read, out.str().size()));
        return s;
    }
    std::string type(const std::string& line) { return session.feed(line), fresh(); }
    // Started, then put on a position with the person to move.
    void startAt(const std::string& sfen) {
        Position p;
        std::string error;
        ASSERT_TRUE(session.start() && parseSfen(sfen, p, error)) << error;
        setPosition(session.game(), p);
        session.game().勢力調査();
        fresh();
    }
};

// True when the board move leaves the lower king out of reach (tried on a copy).
bool keepsKingSafe(const Game& g, int fx, int fy, int tx, int ty, int placed) {
    auto scratch = headlessAt(positionOf(g), 1);
    scratch->game.駒移動(fx, fy, tx, ty, placed);
    scratch->game.勢力調査();
    return scratch->game.UE_SEIRYOKU(g.SITA_OU_X, g.SITA_OU_Y) == 0;
}

// Lower moves in USI chosen at random on the clicked game: mostly legal board moves that
// keep the king out of reach (so that games last), else drops and destinations anywhere,
// one's own pieces included (refused, or taken as a new pick), and now and then a move
// that must promote typed without its "+".
std::string randomInput(const Game& g, std::mt19937_64& rng) {
    auto sq = [](int x, int y) { return std::string{char('0' + 10 - x), char('a' + y - 1)}; };
    std::vector<std::tuple<std::string, int, int, int, int, int>> legal;
    std::vector<std::string> other;
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y)
            for (int x2 = 1, c = g.BAN(x, y); x2 <= 9 && c <= -HU && c != -OU; ++x2)
                for (int y2 = 1; y2 <= 9; ++y2) {
                    if (g.移動チェック(x, y, x2, y2, c) != 1) {
                        other.push_back(sq(x, y) + sq(x2, y2));
                        continue;
                    }
                    const bool must = Game::移動後チェック(y2, c) == 0, may = must || y2 <= 3 || y <= 3;
                    const bool plus = may && (must ? rng() % 8 != 0 : rng() % 2 == 0);
                    legal.emplace_back(sq(x, y) + sq(x2, y2) + (plus ? "+" : ""), x, y, x2, y2,
                                       plus && c != -KIN ? c - 1 : c);
                }
    for (int k = 1; k <= 7; ++k)
        for (int x = 1; x <= 9 && g.SITA_MOCHI[k] > 0; ++x)
            for (int y = 1; y <= 9; ++y)
                if (g.BAN(x, y) == KARA) other.push_back(std::string{"PLNSGBR"[k - 1], '*'} + sq(x, y));
    if (!other.empty() && (legal.empty() || rng() % 4 == 0)) return other[rng() % other.size()];
    if (legal.empty()) return "resign";
    std::shuffle(legal.begin(), legal.end(), rng);
    for (const auto& [usi, fx, fy, tx, ty, placed] : legal)
        if (keepsKingSafe(g, fx, fy, tx, ty, placed)) return usi;
    return std::get<0>(legal.front());
}

TEST(PlayDifferential, TypedMovesAndClickedMovesLeaveTheSameGame) {
    int refusals = 0, ends = 0, computerMoves = 0;
    for (int seed = 0; seed < 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937_64 rng(static_cast<std::uint64_t>(seed));
        PlayOptions o;
        o.level = 1 + seed % 3;
        o.second = seed % 2 == 1;
        o.board = true;
        auto rig = std::make_unique<test::Rig>();
        rig->dialogs.defaultYesNo = Answer::No;
        Game& clicked = rig->game;
        clicked.初期設定();
        clicked.レベル_設定(o.level);
        o.second ? clicked.GOTE_Click() : clicked.SENTE_Click();
        // The boards the clicked game shows after each move: the person's, as the computer
        // starts to think, and the last.
        std::string boards;
        rig->host.onMoveMade = [&] { boards += boardDiagram(positionOf(clicked)); };
        Typed typed(o);
        ASSERT_TRUE(typed.session.start());
        EXPECT_EQ(typed.fresh(), (o.second ? "bestmove " + usiOfEntry(clicked, 1) + "\n" : "") +
                                     boardDiagram(positionOf(clicked)));

        for (int step = 0; step < 200 && !typed.session.over(); ++step) {
            const std::string usi = randomInput(clicked, rng);
            SCOPED_TRACE("step " + std::to_string(step) + ": " + usi);
            const int before = clicked.KIFU_NOW;
            boards.clear();
            if (const auto m = parseUsiClicks(usi)) test::move(clicked, m->fx, m->fy, m->tx, m->ty, m->promote);
            if (clicked.KIFU_NOW > before) boards += boardDiagram(positionOf(clicked));
            const std::string said = typed.type(usi);
            const Game& g = typed.session.game();
            ASSERT_EQ(stateOf(g), stateOf(clicked));
            EXPECT_EQ(std::pair(g.NIFU_SITA, g.NIFU_UE), std::pair(clicked.NIFU_SITA, clicked.NIFU_UE));
            EXPECT_EQ(g.SENTAKU, 0) << "the next line starts with nothing picked";

            std::string expected, printed;
            for (int n = before + 1; n <= clicked.KIFU_NOW; ++n)
                if (clicked.KIFU_KOMA[n] > 0) expected += "bestmove " + usiOfEntry(clicked, n) + "\n";
            std::istringstream lines(said);
            for (std::string line; std::getline(lines, line);)
                if (line.starts_with("bestmove ")) printed += line + "\n";
            EXPECT_EQ(printed, expected);
            std::string shown;  // each printed board: from its first hand line to the blank line
            for (size_t at = said.find("コンピュータの持駒："); at != std::string::npos;
                 at = said.find("コンピュータの持駒：", at + 1))
                shown += said.substr(at, said.find("\n\n", at) + 2 - at);
            EXPECT_EQ(shown, boards);
            computerMoves += static_cast<int>(std::count(expected.begin(), expected.end(), '\n'));
            if (usi == "resign" || rig->dialogs.wasShown("続けますか？")) {
                EXPECT_TRUE(typed.session.over());
                EXPECT_TRUE(lastLine(said).starts_with("result: ")) << said;
                ++ends;
            } else if (clicked.KIFU_NOW == before) {
                EXPECT_TRUE(said.starts_with("refused: ")) << said;
                ++refusals;
            }
        }
    }
    // The random games must really go where they claim to.
    EXPECT_GT(refusals, 50);
    EXPECT_GT(computerMoves, 200);
    EXPECT_GE(ends, 6);
}

TEST(PlayRefusals, NothingChangesAndTheNextLineStartsAfresh) {
    const struct {
        const char *sfen, *typed, *reason, *next;  // reason "": any the board gives
    } cases[] = {
        {kOpening, "7g7", "手の書き方が違います（例: 7g7f, 8h2b+, P*5e）", "7g7f"},
        {kOpening, "7g7e", "その駒はそこへ動けません", "7g7f"},
        {kOpening, "P*5e", "その駒は持っていません", "7g7f"},
        {kOpening, "7i6i", "", "6i5h"},  // one's own piece: picked instead, then let go
        {kOpening, "3c3d", "相手の駒です", "3g3f"},
        {kOpening, "5e5d", "そこに駒はありません", "7g7f"},
        {"4k4/9/9/9/9/9/2P6/9/4K4 b P 1", "P*7e", "二歩です", "P*6e"},
        {"4k4/9/9/9/9/9/9/9/4K4 b PLN 1", "P*5a", "駒の上には打てません", "L*5b"},
        {"4k4/9/9/9/9/9/9/9/4K4 b N 1", "N*1b", "行き所のない駒は打てません", "N*1c"},
        // Must promote: the terminal says to add "+", and the pick the board keeps is let go.
        {"4k4/2P6/9/9/9/9/9/9/4K4 b - 1", "7b7a", "成らないと行き所がありません（手の後に '+' を付けて下さい。例: 7b7a+）", "7b7a+"},
        {"4k4/9/N8/9/9/9/9/9/4K4 b - 1", "9c8a", "成らないと行き所がありません（手の後に '+' を付けて下さい。例: 7b7a+）", "9c8a+"},
        // "+" where the piece cannot promote: outside the zone, a gold, a promoted piece.
        {kOpening, "7g7f+", "その駒はそこでは成れません", "7g7f"},
        {"4k4/9/9/9/9/9/9/4G4/4K4 b - 1", "5h5g+", "その駒はそこでは成れません", "5h5g"},
        {"4k4/9/9/9/9/9/9/4+P4/4K4 b - 1", "5h5g+", "その駒はそこでは成れません", "5h5g"},
    };
    Typed unread;
    unread.startAt(kOpening);
    for (const char* bad : {"7g7", "7g7f++", "7g7f=", "0a1a", "7j7f", "K*5e", "p*5e", "P*5e+", "P*5j", "7G7F",
                            "7g 7f", "resign7g"})
        EXPECT_EQ(unread.type(bad), std::string("refused: ") + cases[0].reason + "\n") << bad;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.sfen) + " / " + c.typed);
        Typed typed;
        typed.startAt(c.sfen);
        const std::vector<double> before = stateOf(typed.session.game());
        const std::string said = typed.type(c.typed);
        ASSERT_TRUE(said.starts_with("refused: ") && std::count(said.begin(), said.end(), '\n') == 1) << said;
        if (*c.reason) {
            EXPECT_EQ(said, std::string("refused: ") + c.reason + "\n");
        }
        EXPECT_EQ(stateOf(typed.session.game()), before);
        EXPECT_EQ(typed.session.game().SENTAKU, 0);
        const std::string answered = typed.type(c.next);
        EXPECT_FALSE(answered.starts_with("refused")) << answered;
        EXPECT_GT(typed.session.game().KIFU_NOW, before[2]) << answered;
    }
}

TEST(PlayEndings, MateKingCaptureKingMoveDrawAndResignation) {
    const struct {
        const char* sfen;
        std::vector<std::string> typed;
        const char* result;
    } cases[] = {
        {"4k4/9/9/9/9/9/9/9/4K4 b R 1", {"R*5e"}, "result: you win (mate)"},  // nothing can come between
        {"4k4/9/9/9/4R4/9/9/9/4K4 b - 1", {"5e5a"}, "result: you win (king capture)"},
        {"4k4/9/9/9/4r4/9/9/9/4K4 b P 1", {"P*1e"}, "result: computer wins (king capture)"},
        {kOpening, {"7g7f", "5i4h"}, "result: computer wins (king move)"},
        {"4k4/9/9/9/9/9/9/9/4K4 b P 1", {"P*1e"}, "result: you win (king move)"},  // only its king can move
        {kOpening, {"resign"}, "result: computer wins (resignation)"},
        {kOpening, {"7g7f"}, "result: draw (500 moves)"},  // with the move list two short of full
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        Typed typed;
        typed.startAt(c.sfen);
        Game& g = typed.session.game();
        if (std::string(c.result).starts_with("result: draw")) g.KIFU_NOW = g.KIFU_LAST = g.TESU = KIFU_MAX - 2;
        std::string said;
        for (const std::string& t : c.typed) said = typed.type(t);
        EXPECT_TRUE(typed.session.over());
        EXPECT_EQ(lastLine(said), c.result) << said;
        EXPECT_FALSE(typed.session.feed("7g7f")) << "no line is read after the end";
        EXPECT_EQ(typed.fresh(), "");
    }
}

class PlayCommand : public ::testing::Test {
protected:
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("fudo-play-" + std::to_string(::getpid()));
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }
    static Outcome runWith(std::vector<std::string> args, const std::string& input) {
        std::istringstream in(input);
        std::ostringstream out, err;
        const int code = runCommand(args, in, out, err);
        return {code, out.str(), err.str()};
    }
};

TEST_F(PlayCommand, AnswersRecordsAndRefusesBadArguments) {
    EXPECT_EQ(runWith({"play", "--level", "3"}, "7g7f\n").out, "bestmove 3c3d\n");
    // Level 4 answers through the same turn of the game.
    const Outcome strong = runWith({"play", "--level", "4", "--record", (dir / "4.棋譜").string()}, "7g7f\n");
    EXPECT_TRUE(strong.out.starts_with("bestmove ") && std::count(strong.out.begin(), strong.out.end(), '\n') == 1)
        << strong.out;
    EXPECT_EQ(読込_棋譜(dir / "4.棋譜").data.手.size(), 2u);
    // The first answer's scores are those of bestmove on the position (no state carried yet).
    for (const char* level : {"1", "2", "3"}) {
        const std::string said = runWith({"play", "--scores", "--level", level}, "8g8f\n").out;
        EXPECT_EQ(said, run({"bestmove", "--scores", "--level", level,
                             "lnsgkgsnl/1r5b1/ppppppppp/9/9/1P7/P1PPPPPPP/1B5R1/LNSGKGSNL"}).out);
        EXPECT_GT(std::count(said.begin(), said.end(), '\n'), 20);
    }

    // --board: after the start, the person's move and the computer's; nothing after quit.
    const Outcome board = runWith({"play", "--board"}, "7g7f\nquit\n7g7f\n");
    EXPECT_EQ(std::count(board.out.begin(), board.out.end(), '+'), 4 * 3);
    for (const char* row : {"| 香 桂 銀 金 玉 金 銀 桂 香|九", "| ・ ・ 歩 ・ ・ ・ ・ ・ ・|六", "|v香v桂v銀v金v玉v金v銀v桂v香|一"})
        EXPECT_NE(board.out.find(row), std::string::npos) << row;
    // Handicap grade 1 takes the computer's bishop.
    EXPECT_NE(runWith({"play", "--handicap", "1", "--board"}, "").out.find("| ・v飛 ・ ・ ・ ・ ・ ・ ・|二"),
              std::string::npos);

    // A recorded game reads back, with the window's reader, to the position it ended in.
    const std::string file = (dir / "端末.棋譜").string(), moves = "7g7f\n2g2f\n2f2e\n2e2d\n8h3c+\nP*5e\n";
    ASSERT_EQ(runWith({"play", "--second", "--level", "2", "--record", file}, moves).code, 0);
    const 棋譜読込結果 r = 読込_棋譜(file);
    ASSERT_TRUE(r.ok) << r.error;
    Typed typed({2, true, 0, false, false, {}});
    ASSERT_TRUE(typed.session.start());
    std::istringstream in(moves);
    for (std::string line; std::getline(in, line);) typed.session.feed(line);
    EXPECT_EQ(r.data.手.size(), static_cast<size_t>(typed.session.game().KIFU_NOW));
    // The computer moved first: the SFEN names it black, as the common programs do.
    const std::string replayed = run({"replay", file}).out, shown = 局面SFEN(typed.session.game());
    EXPECT_EQ(replayed.substr(0, replayed.find(' ')), shown.substr(0, shown.find(' ')));

    // A record named .kifu or .csa is written in that format, with the end the game had.
    for (const auto& [name, end, result] :
         {std::tuple("投了.kifu", "   3 投了 ", "まで2手で後手の勝ち"), std::tuple("投了.csa", "%TORYO\r\n", "")}) {
        const std::filesystem::path out = dir / name;
        ASSERT_EQ(runWith({"play", "--level", "1", "--record", out.string()}, "7g7f\nresign\n").code, 0);
        std::ifstream f(out, std::ios::binary);
        const std::string text(std::istreambuf_iterator<char>(f), {});
        EXPECT_NE(text.find(std::string("\r\n") + end), std::string::npos) << text;
        EXPECT_NE(text.find(result), std::string::npos) << text;
        const 記録読込結果 back = 読込_記録(out);
        ASSERT_TRUE(back.ok) << back.error;
        EXPECT_EQ(std::tuple(back.記録.棋譜.手.size(), back.記録.終局語), std::tuple(2u, std::string("投了")));
    }

    EXPECT_TRUE(runWith({"play", "--help"}, "7g7f\n").out.starts_with("usage: fudo-cli play"));
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"play", "--level", "0"}, {"play", "--handicap", "11"}, {"play", "--handicap"},
          {"play", "--handicap", "x"}, {"play", "--record"}, {"play", "--fast"}, {"play", "7g7f"},
          {"play", "--level", "4", "--scores"},
          {"play", "--handicap", "2", "--record", file}}) {
        const Outcome o = runWith(bad, "7g7f\n");
        EXPECT_EQ(std::tuple(o.code, o.out, std::count(o.err.begin(), o.err.end(), '\n')),
                  std::tuple(kExitBadInput, std::string(), 1))
            << bad.back();
    }
}

}  // namespace
}  // namespace fudo::cli
