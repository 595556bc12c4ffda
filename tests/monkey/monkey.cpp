// Monkey test: a seeded, headless drive of the whole game through its public entry points
// — clicks anywhere with either button, menu commands, record files written and read in a
// temporary folder, options — with dialogs answered at random. After every event it
// checks that no piece was lost or duplicated, that every square and hand count is in
// range, that the move-list counters are in order, that replaying the move list from
// the opening position gives the position shown (when the board was neither reversed nor
// handicapped), that a game in progress has its two kings in place and the sides moving
// in turn, and that every record the game reports as written reads back and replays to
// the position shown when it was saved. KIF, KIFU and CSA files are exported and
// imported as the window does, and what is exported must read back as the same game.
//
// Usage: fudo_monkey [--seeds N] [--first S] [--events M]
// A failure prints the seed and the event so that it can be replayed with --first S --seeds 1.
#include <algorithm>
#include <memory>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <optional>
#include <string>
#include <utility>
#include <unistd.h>

#include "files/file_io.h"
#include "files/record_file.h"
#include "notation/game_record.h"
#include "notation/record_io.h"
#include "tests/support/fakes.h"
#include "tests/support/invariants.h"

namespace fudo::test {
namespace {

// Dialogs that answer Yes or No at random.
class RandomDialogs : public Dialogs {
public:
    explicit RandomDialogs(std::mt19937& rng) : rng_(rng) {}
    Answer message(std::string_view text, std::string_view, Buttons b, Icon) override {
        ++shown;
        if (text == "棋譜を書き込みました") ++written;
        if (b == Buttons::OK) return Answer::OK;
        return (rng_() % 4 == 0) ? Answer::No : Answer::Yes;
    }
    int shown = 0;
    int written = 0;  // times the game said a record was written

private:
    std::mt19937& rng_;
};

struct Run {
    std::mt19937 rng;
    RecordingCanvas canvas;
    RandomDialogs dialogs{rng};
    FakeHost host;
    FakeSoundLibrary sound;
    std::optional<Game> game;
    std::filesystem::path root;

    // Odd seeds play with the flow aids on: games end on the board, and the choices after
    // the end (a new game, saving, looking back) are driven as well.
    bool flow = false;
    long endChoices = 0;

    explicit Run(unsigned seed) : rng(seed), flow(seed % 2 == 1) {
        root = std::filesystem::temp_directory_path() /
               ("fudo-monkey-" + std::to_string(::getpid()) + "-" + std::to_string(seed));
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "records");
        std::filesystem::create_directories(root / "config");
        host.listFolder = root / "records";
        host.configFolder = root / "config";
        host.sounds = root;
        // Broken records, of this game's kind and of the exchange formats, to be read now and then.
        std::ofstream(root / "records" / "壊れ.棋譜", std::ios::binary) << "x\r\n\xff\xfe\r\n 7776 -10\r\n";
        std::ofstream(root / "records" / "壊れ.kif", std::ios::binary) << "手合割：平手\r\n   1 ７五歩(77)\r\n";
        std::ofstream(root / "records" / "壊れ.csa", std::ios::binary) << "V2.2\r\nPI\r\n+\r\n+7775FU\r\n";
        start();
    }
    ~Run() {
        game.reset();
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    void start() {
        canvas.clear();
        game.emplace(canvas, dialogs, host, &sound);
        game->補助.案内 = flow;
        game->Form_Load();
    }
    int pick(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
    static double centreX(int x) { return BAN_X0 + MASU_W * x + MASU_W / 2; }
    static double centreY(int y) { return BAN_Y0 + MASU_H * y + MASU_H / 2; }

    // RETURN on the save form. A file the game reports as written must be one the file
    // list shows, read back without refusal and replay to the position shown.
    std::string fault;  // set when that fails
    long saved = 0;
    std::string confirm() {
        Game& g = *game;
        const std::string name = host.textBox(1);
        const IntMap ban = g.BAN;
        const auto sita = g.SITA_MOCHI, ue = g.UE_MOCHI;
        const int before = dialogs.written;
        host.statusLine.clear();
        g.Command1_Click();
        // With the flow aids the game says so on the status line.
        if (dialogs.written == before && host.statusLine != "棋譜を書き込みました") return "write " + name + " (not written)";
        ++saved;
        std::string typed = name;  // the names used here carry no blanks to trim
        if (typed.empty() || typed.front() == '.') fault = "a hidden file was reported written";
        const 棋譜読込結果 r = 読込_棋譜(host.listFolder / パス_UTF8(typed + std::string(棋譜拡張子)));
        if (!r.ok) fault = "a file reported written is refused: " + r.error;
        else if (std::string d = compare(replay(r.data), ban, sita, ue, "saved record"); !d.empty())
            fault = d;
        return "write " + name;
    }

    // Why two records are not the same game: the start, and each move with the time its mover
    // took and, where the format writes it, had taken in all. The other side's clock is not
    // written, nor a total in CSA, which sums the times taken.
    static std::string sameGame(const 対局記録& a, const 対局記録& b, bool totals) {
        if (a.手合 != b.手合 || a.上手先手 != b.上手先手) return "another start";
        if (a.棋譜.手.size() != b.棋譜.手.size()) return "another number of moves";
        for (std::size_t i = 0; i < a.棋譜.手.size(); ++i) {
            const 棋譜手 &x = a.棋譜.手[i], &y = b.棋譜.手[i];
            int xu, xt, yu, yt;
            取得_手の時間(a, static_cast<int>(i + 1), xu, xt);
            取得_手の時間(b, static_cast<int>(i + 1), yu, yt);
            if (x.MOTO_X != y.MOTO_X || x.MOTO_Y != y.MOTO_Y || x.SAKI_X != y.SAKI_X || x.SAKI_Y != y.SAKI_Y ||
                x.KOMA != y.KOMA || x.KOMA_ATO != y.KOMA_ATO || x.TORI != y.TORI || xu != yu || (totals && xt != yt))
                return "move " + std::to_string(i + 1) + ": " + 書式_棋譜行(x) + " read, " + 書式_棋譜行(y) + " written";
        }
        return {};
    }

    // The game's whole move list written as KIF, KIFU or CSA (the window refuses after 反転,
    // as 書込 does). A file reported written must read back as that list, move by move, from
    // the same start; the game itself must not change.
    long exported = 0;
    std::string exportGame() {
        Game& g = *game;
        const int count = g.KIFU_LAST;
        if (g.HANTEN_FLAG == 1 || count < 1) return "nothing to export";
        static const char* const suffixes[] = {".kif", ".kifu", ".csa"};
        const int f = pick(3);
        const std::filesystem::path path = host.listFolder / ("交換" + std::to_string(pick(3)) + suffixes[f]);
        const 対局記録 r = 作成_対局記録(g, count);
        const IntMap ban = g.BAN;
        const int now = g.KIFU_NOW, last = g.KIFU_LAST, teban = g.TEBAN;
        const auto failure = 書込_記録(path, r, static_cast<記録形式>(f));
        if (!(g.BAN == ban) || g.KIFU_NOW != now || g.KIFU_LAST != last || g.TEBAN != teban)
            fault = "exporting changed the game";
        if (failure) return "export refused: " + *failure;
        ++exported;
        const 記録読込結果 back = 読込_記録(path);
        if (!back.ok) fault = "an exported file is refused: " + back.error;
        else if (std::string d = sameGame(back.記録, r, f != 2); !d.empty())
            fault = "an exported file reads back otherwise: " + d;
        else if (static_cast<int>(back.記録.棋譜.手.size()) != g.KIFU_LAST)
            fault = "an exported file does not hold the game's move list";
        return "export " + path.filename().string();
    }

    // A KIF, KIFU or CSA file of the folder opened the way the window opens one: a refused
    // file changes nothing, an accepted one is replayed in record mode.
    std::string importGame() {
        std::vector<std::filesystem::path> files;
        for (auto& e : std::filesystem::directory_iterator(host.listFolder))
            if (形式_拡張子(e.path())) files.push_back(e.path());
        if (files.empty()) return "no file to import";
        std::sort(files.begin(), files.end());
        const std::filesystem::path path = files[pick(static_cast<int>(files.size()))];
        const 記録読込結果 r = 読込_記録(path);
        if (!r.ok) return "import refused: " + path.filename().string();
        取込_対局記録(*game, r.記録);
        if (game->KIFU_MODE != 1 || game->KIFU_NOW != 0 || game->KIFU_LAST != static_cast<int>(r.記録.棋譜.手.size()))
            fault = "an imported record is not in record mode at its start";
        return "import " + path.filename().string();
    }

    // What a player does once a game has ended on the board: starts a new one of the same
    // kind, saves the record, or steps through the finished game.
    std::string endChoice() {
        Game& g = *game;
        ++endChoices;
        switch (pick(4)) {
        case 0:
            if (g.TAIKYOKU_MODE != MODE_COM) {
                g.START_Click();
                return "end: new game START";
            }
            if (pick(2) == 0) {
                g.GOTE_Click();
                return "end: new game GOTE";
            }
            g.SENTE_Click();
            return "end: new game SENTE";
        case 1:
            g.KIFU_WRITE_Click();
            host.setTextBox(1, "終局" + std::to_string(pick(2)));
            return "end: " + confirm();
        case 2: return "end: " + exportGame();
        default:
            if (pick(2) == 0) {
                g.REPLAY_Click();
                return "end: REPLAY";
            }
            g.AFTER_Click();
            return "end: AFTER";
        }
    }

    // One random event; returns its description.
    std::string event() {
        Game& g = *game;
        canvas.ops.clear();  // only the log of the last event is kept
        host.time += 0.05 * pick(40);
        if (flow && g.終局.終わった() && pick(2) == 0) return endChoice();
        const int r = pick(100);
        char buf[160];
        if (r < 35 && g.TEBAN != 0 && g.KIFU_MODE == 0) {
            // A legal move made with two clicks, so that games get somewhere.
            int fx = 0, fy = 0, tx = 0, ty = 0;
            if (randomLegalMove(g, rng, fx, fy, tx, ty)) {
                const int button = pick(4) == 0 ? 右ボタン : 左ボタン;
                g.Form_MouseDown(左ボタン, 0, centreX(fx), centreY(fy));
                g.Form_MouseDown(button, 0, centreX(tx), centreY(ty));
                std::snprintf(buf, sizeof buf, "move (%d,%d)->(%d,%d) button %d", fx, fy, tx, ty, button);
                return buf;
            }
        }
        if (r < 80) {
            // Mostly cells of the board and the stands, sometimes anywhere around.
            double X, Y;
            if (pick(5) == 0) {
                X = -3000 + pick(20000);
                Y = -2000 + pick(14000);
            } else {
                const int col = pick(14) - 2, row = pick(12);
                X = BAN_X0 + MASU_W * col + pick(MASU_W);
                Y = BAN_Y0 + MASU_H * row + pick(MASU_H);
            }
            const int button = pick(3) == 0 ? 右ボタン : 左ボタン;
            std::snprintf(buf, sizeof buf, "click %d at (%.0f, %.0f)", button, X, Y);
            g.Form_MouseDown(button, 0, X, Y);
            return buf;
        }
        switch (pick(33)) {
        case 29: g.待った_Click(); return "MATTA";
        case 30: g.盤を回す_Click(); return "FLIP";
        case 31: {
            // A time control for the next game: none, byoyomi, Fischer or sudden death.
            const 持ち時間 choices[] = {{}, {持ち時間方式::秒読み, 0, 10, 0}, {持ち時間方式::秒読み, 20, 5, 0},
                                      {持ち時間方式::フィッシャー, 30, 0, 5}, {持ち時間方式::切れ負け, 40, 0, 0}};
            g.持ち時間設定 = choices[pick(5)];
            return "time control " + std::to_string(int(g.持ち時間設定.方式));
        }
        case 32:
            if (pick(2)) g.補助.成り確認 = !g.補助.成り確認;
            else g.補助.選択解除 = !g.補助.選択解除;
            return "aids";
        case 0: g.SENTE_Click(); return "SENTE";
        case 1: g.GOTE_Click(); return "GOTE";
        case 2: g.START_Click(); return "START";
        case 3: g.LEVEL1_Click(); return "LEVEL1";
        case 4: g.LEVEL2_Click(); return "LEVEL2";
        case 5: g.LEVEL3_Click(); return "LEVEL3";
        case 6: g.LBEL_UP_Click(); return "LBEL_UP";
        case 7: g.LEBEL_DOWN_Click(); return "LEBEL_DOWN";
        case 8: g.CANCEL_Click(); return "CANCEL";
        case 9: case 10: g.AFTER_Click(); return "AFTER";
        case 11: case 12: g.REPLAY_Click(); return "REPLAY";
        case 13: g.REVERSE_Click(); return "REVERSE";
        case 14: g.KIFU_READ_Click(); return "KIFU_READ";
        case 15: {
            // The save form is opened and filled in; the name is confirmed now, or later
            // by an event of its own after whatever else happens in between.
            g.KIFU_WRITE_Click();
            const int n = pick(8);
            const std::string name = n == 0 ? "../外" : n == 1 ? ".隠し" : "対局" + std::to_string(pick(3));
            host.setTextBox(1, name);
            host.setTextBox(2, "テスト");
            host.setTextBox(3, "先手さん");
            host.setTextBox(4, "後手さん");
            if (pick(2) == 0) return "save form for " + name;
            return confirm();
        }
        case 25:
            if (!host.saveControls) return "no save form";
            return confirm();
        case 16: case 17: {
            std::vector<std::string> names;
            for (auto& e : std::filesystem::directory_iterator(host.listFolder))
                names.push_back(e.path().filename().string());
            if (names.empty()) return "no file to read";
            std::sort(names.begin(), names.end());
            const std::string name = names[pick(static_cast<int>(names.size()))];
            g.File1_Click(name);
            return "read " + name;
        }
        case 18: g.MIDORI_Click(); return "MIDORI";
        case 19: g.UCHU_Click(); return "UCHU";
        case 20: g.SIDOU_Click(); return "SIDOU";
        case 21: g.KEIKA_Click(); return "KEIKA";
        case 22: g.BGM_Click(); return "BGM";
        case 23: g.VER_Click(); return "VER";
        case 24: g.見出し_Click(); return "heading";
        case 26: return exportGame();
        case 27: return importGame();
        default:
            for (int i = 0; i < 5; ++i) g.Timer1_Timer();
            return "ticks";
        }
    }
};

}  // namespace
}  // namespace fudo::test

int main(int argc, char** argv) {
    unsigned seeds = 100, first = 1;
    int events = 1000;
    for (int i = 1; i < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--help" || i + 1 == argc) {
            std::printf("usage: fudo_monkey [--seeds N (100)] [--first S (1)] [--events M (1000)]\n");
            return a == "--help" ? 0 : 2;
        }
        const long v = std::strtol(argv[i + 1], nullptr, 10);
        if (a == "--seeds") seeds = static_cast<unsigned>(v);
        else if (a == "--first") first = static_cast<unsigned>(v);
        else if (a == "--events") events = static_cast<int>(v);
        else {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            return 2;
        }
    }
    long total = 0, moves = 0, games = 0, saved = 0, exported = 0, endChoices = 0;
    for (unsigned seed = first; seed < first + seeds; ++seed) {
        fudo::test::Run run(seed);
        for (int e = 0; e < events; ++e) {
            const int quitsBefore = run.host.quits;
            const int movesBefore = run.game->KIFU_NOW, tebanBefore = run.game->TEBAN;
            const std::string what = run.event();
            if (run.game->KIFU_NOW > movesBefore) moves += run.game->KIFU_NOW - movesBefore;
            if (tebanBefore == 0 && run.game->TEBAN != 0) ++games;
            ++total;
            std::string bad = fudo::test::checkInvariants(*run.game);
            if (bad.empty()) bad = std::exchange(run.fault, {});
            if (!bad.empty()) {
                std::printf("monkey: seed %u event %d (%s): %s\n", seed, e, what.c_str(), bad.c_str());
                std::printf("replay with: fudo_monkey --first %u --seeds 1 --events %d\n", seed, e + 1);
                return 1;
            }
            if (run.host.quits != quitsBefore) run.start();  // the program ended: start it again
        }
        saved += run.saved;
        exported += run.exported;
        endChoices += run.endChoices;
    }
    std::printf("monkey: %ld events over %u seeds (%ld games started, %ld moves made, %ld records "
                "and %ld KIF/CSA files written and read back, %ld choices after a game ended), invariants held\n",
                total, seeds, games, moves, saved, exported, endChoices);
    return 0;
}
