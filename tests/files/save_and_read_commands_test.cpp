// The record-file commands of the window: writing with Command1, reading with a click in
// the file list, the refusals, and that a refused or failed command changes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>

#include "files/file_io.h"
#include "files/record_file.h"
#include "files/sjis.h"
#include "tests/files/game_state.h"
#include "tests/files/sample_records.h"
#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

namespace fs = std::filesystem;

// Rooks stepping aside and back: a consistent game of any length.
std::vector<棋譜手> shuffleMoves(int n) {
    std::vector<棋譜手> v;
    for (int i = 0; i < n; ++i) {
        const bool out = (i / 2) % 2 == 0;
        if (i % 2 == 0)
            v.push_back({out ? 8 : 7, 8, out ? 7 : 8, 8, -900, -900, 0, i, i + 1, i, i});
        else
            v.push_back({out ? 2 : 3, 2, out ? 3 : 2, 2, 900, 900, 0, i, i, i, i + 1});
    }
    return v;
}

// A started program whose move list holds `moves` as if they had just been played.
void withMoves(Rig& rig, const std::vector<棋譜手>& moves, bool lowerFirst) {
    rig.load();
    棋譜データ d;
    d.手 = moves;
    設定_棋譜データ(rig.game, d);
    rig.game.KIFU_NOW = rig.game.KIFU_LAST;
    // As after START (the lower player first) or GOTE (the computer first).
    rig.game.MAN_SENGO = lowerFirst ? rig.game.TE_SENTE : rig.game.TE_GOTE;
    rig.game.COM_SENGO = -rig.game.MAN_SENGO;
    rig.game.TEBAN = rig.game.TE_SENTE;
}

std::string fileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string sjis(std::string_view s) { return 変換_UTF8からSJIS(s).value(); }

void save(Rig& rig, std::string_view name, std::string_view game, std::string_view first,
          std::string_view second) {
    rig.game.KIFU_WRITE_Click();
    rig.host.setTextBox(1, name);
    rig.host.setTextBox(2, game);
    rig.host.setTextBox(3, first);
    rig.host.setTextBox(4, second);
    rig.game.Command1_Click();
}

std::vector<std::string> namesIn(const fs::path& dir) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir)) out.push_back(文字列_パス(e.path().filename()));
    std::sort(out.begin(), out.end());
    return out;
}

TEST(RecordCommands, WritesTheHeadersForWhoMovedFirstAndEveryMoveLine) {
    for (bool lowerFirst : {true, false}) {
        SCOPED_TRACE(lowerFirst ? "lower first" : "upper first");
        Rig rig;
        withMoves(rig, lowerFirst ? lowerFirstMoves() : upperFirstMoves(), lowerFirst);
        rig.game.KIFU_MAN_JIKAN[1] += 0.99;  // a time is written by its whole part
        save(rig, " 名人戦 ", "第１局", "先手さん", "ｺﾝﾋﾟｭｰﾀ");

        ASSERT_TRUE(rig.dialogs.wasShown("棋譜を書き込みました"));
        EXPECT_EQ(rig.dialogs.shown.back().title, "  ");
        // The lower player sat at the bottom: line 2 is the upper player's name.
        std::string expect = sjis("第１局") + "\r\n";
        expect += lowerFirst ? sjis("ｺﾝﾋﾟｭｰﾀ") + "\r\n" + sjis("先手さん") + "\r\n"
                             : sjis("先手さん") + "\r\n" + sjis("ｺﾝﾋﾟｭｰﾀ") + "\r\n";
        for (const 棋譜手& m : lowerFirst ? lowerFirstMoves() : upperFirstMoves())
            expect += 書式_棋譜行(m) + "\r\n";
        EXPECT_EQ(fileBytes(rig.host.listFolder / パス_UTF8("名人戦.棋譜")), expect);
        // The controls are put away and the list shows the new file.
        EXPECT_FALSE(rig.host.saveControls);
        EXPECT_FALSE(rig.host.folder);
        EXPECT_EQ(rig.host.boxes[1], "");
        EXPECT_EQ(rig.host.fileListRefreshes, 1);
        EXPECT_EQ(namesIn(rig.host.listFolder), std::vector<std::string>{"名人戦.棋譜"});
    }
}

TEST(RecordCommands, ReadingRestoresEveryFieldAndWhoMovedFirst) {
    for (bool lowerFirst : {true, false}) {
        SCOPED_TRACE(lowerFirst ? "lower first" : "upper first");
        const std::vector<棋譜手> moves = lowerFirst ? lowerFirstMoves() : upperFirstMoves();
        Rig writer;
        withMoves(writer, moves, lowerFirst);
        save(writer, "記録", "1234567890123", "先手", "後手");

        // Another run of the program, the file list showing the same folder, a game of
        // its own under way.
        Rig rig;
        rig.host.listFolder = writer.host.listFolder;
        rig.load();
        rig.game.START_Click();
        rig.game.KIFU_READ_Click();
        rig.dialogs.clear();
        rig.canvas.clear();
        rig.game.File1_Click("記録.棋譜");

        Game& g = rig.game;
        EXPECT_EQ(g.KIFU_MODE, 1);
        EXPECT_EQ(g.KIFU_NOW, 0);
        EXPECT_EQ(g.TESU, 0);
        ASSERT_EQ(g.KIFU_LAST, static_cast<int>(moves.size()));
        for (int i = 1; i <= g.KIFU_LAST; ++i) {
            const 棋譜手& m = moves[static_cast<std::size_t>(i - 1)];
            EXPECT_EQ(g.KIFU_MOTO_X[i], m.MOTO_X);
            EXPECT_EQ(g.KIFU_MOTO_Y[i], m.MOTO_Y);
            EXPECT_EQ(g.KIFU_SAKI_X[i], m.SAKI_X);
            EXPECT_EQ(g.KIFU_SAKI_Y[i], m.SAKI_Y);
            EXPECT_EQ(g.KIFU_KOMA_ATO[i], m.KOMA_ATO);
            EXPECT_EQ(g.KIFU_KOMA[i], m.KOMA);
            EXPECT_EQ(g.KIFU_TORI[i], m.TORI);
            EXPECT_EQ(g.KIFU_MAN_JIKAN_MAE[i], m.MAN_JIKAN_MAE);
            EXPECT_EQ(g.KIFU_MAN_JIKAN[i], m.MAN_JIKAN);
            EXPECT_EQ(g.KIFU_COM_JIKAN_MAE[i], m.COM_JIKAN_MAE);
            EXPECT_EQ(g.KIFU_COM_JIKAN[i], m.COM_JIKAN);
        }
        if (lowerFirst) {
            EXPECT_EQ(g.TAIKYOKU_MODE, MODE_MAN);
            EXPECT_EQ(g.TE_SENTE, g.MAN_SENGO);
            EXPECT_EQ(g.TE_GOTE, g.COM_SENGO);
        } else {
            EXPECT_EQ(g.TAIKYOKU_MODE, MODE_COM);
            EXPECT_EQ(g.TE_SENTE, g.COM_SENGO);
            EXPECT_EQ(g.TE_GOTE, g.MAN_SENGO);
        }
        EXPECT_EQ(g.TEBAN, g.TE_SENTE);
        // The board is the opening position; the game in progress is gone.
        EXPECT_EQ(g.BAN(5, 9), SITA_OU_MAE);
        EXPECT_EQ(g.BAN(5, 1), UE_OU_MAE);
        EXPECT_FALSE(rig.host.file);

        ASSERT_EQ(rig.dialogs.shown.size(), 2u);
        EXPECT_EQ(rig.dialogs.shown[0].text, " 読み込みました");
        EXPECT_EQ(rig.dialogs.shown[0].title, "棋譜");
        EXPECT_EQ(rig.dialogs.shown[1].text, "棋譜を '進 'で進めて下さい");

        // Header texts: 13 characters start at X 2535; line 1 3000 further left at
        // Y 6350 in light red, line 2 at the top, line 3 at the bottom, in white.
        const auto title = rig.canvas.textsEqual("1234567890123");
        ASSERT_EQ(title.size(), 1u);
        EXPECT_NEAR(title[0].x, (2535.0 - 3000 - 1050) / 495, 1e-9);
        EXPECT_NEAR(title[0].y, (6350.0 - 100) / 615, 1e-9);
        EXPECT_EQ(title[0].code, 色_明赤);
        EXPECT_EQ(title[0].size, 12);
        const auto top = rig.canvas.textsEqual(lowerFirst ? "後手" : "先手");
        const auto bottom = rig.canvas.textsEqual(lowerFirst ? "先手" : "後手");
        ASSERT_EQ(top.size(), 1u);
        ASSERT_EQ(bottom.size(), 1u);
        EXPECT_NEAR(top[0].y, 0, 1e-9);
        EXPECT_NEAR(bottom[0].y, (6350.0 - 100) / 615, 1e-9);
        EXPECT_NEAR(top[0].x, (Game::取得_棋譜のX座標("後手") - 1050) / 495, 1e-9);
        EXPECT_EQ(top[0].code, 色_白);
    }
}

TEST(RecordCommands, SavesOnlyTheMovesUpToTheShownPosition) {
    Rig rig;
    withMoves(rig, shuffleMoves(12), true);
    rig.game.KIFU_NOW = 5;  // stepped back from move 12
    ASSERT_EQ(rig.game.KIFU_LAST, 12);
    save(rig, "five", "", "", "");
    const std::string bytes = fileBytes(rig.host.listFolder / "five.棋譜");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 3 + 5);
    // Empty names are written as empty lines.
    EXPECT_TRUE(bytes.starts_with("\r\n\r\n\r\n"));
}

// A record of the same name is replaced only after a Yes; a No writes nothing and leaves the
// controls open with what was typed, for another name. A new name is not asked about.
TEST(RecordCommands, AnExistingRecordIsReplacedOnlyAfterAYes) {
    Rig rig;
    withMoves(rig, shuffleMoves(12), true);
    const fs::path file = rig.host.listFolder / パス_UTF8("同名.棋譜");
    rig.game.KIFU_NOW = 5;
    save(rig, "同名", "first", "", "");
    ASSERT_TRUE(rig.dialogs.wasShown("棋譜を書き込みました"));
    EXPECT_EQ(rig.dialogs.shown.size(), 1u) << "a new name asks nothing";
    const std::string first = fileBytes(file);

    const char* question = "同じ名前の棋譜があります。上書きしますか？";
    rig.game.KIFU_NOW = 12;
    rig.dialogs.clear();
    rig.dialogs.script = {Answer::No};
    save(rig, "同名", "second", "", "");
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, question);
    EXPECT_EQ(rig.dialogs.shown[0].title, "棋譜保存");
    EXPECT_EQ(rig.dialogs.shown[0].buttons, Buttons::YesNo);
    EXPECT_EQ(fileBytes(file), first) << "replaced after No";
    EXPECT_TRUE(rig.host.saveControls);
    EXPECT_EQ(rig.host.boxes[1], "同名");
    EXPECT_EQ(rig.host.boxes[2], "second");
    EXPECT_EQ(rig.host.fileListRefreshes, 1) << "only after the first write";

    rig.dialogs.clear();
    rig.dialogs.script = {Answer::Yes};
    rig.game.Command1_Click();
    EXPECT_EQ(rig.dialogs.shown.size(), 2u);
    EXPECT_TRUE(rig.dialogs.wasShown(question));
    EXPECT_TRUE(rig.dialogs.wasShown("棋譜を書き込みました"));
    const std::string second = fileBytes(file);
    EXPECT_NE(second, first);
    EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 3 + 12);
    EXPECT_FALSE(rig.host.saveControls);
}

TEST(RecordCommands, WriteRefusalsComeFirstAndShowNoControls) {
    Rig rig;
    withMoves(rig, lowerFirstMoves(), true);
    rig.game.HANTEN_FLAG = 1;
    rig.game.KIFU_WRITE_Click();
    EXPECT_EQ(rig.dialogs.shown.back().text, "反転後は書き込みできません");
    EXPECT_EQ(rig.dialogs.shown.back().title, "棋譜書込");
    rig.game.HANTEN_FLAG = 0;
    rig.game.HANDE_FLAG = 1;
    rig.game.HANDE_LEVEL = -3;
    rig.game.KIFU_WRITE_Click();
    EXPECT_EQ(rig.dialogs.shown.back().text, "ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません");
    EXPECT_FALSE(rig.host.saveControls);
    EXPECT_FALSE(rig.host.folder);
    rig.game.HANDE_LEVEL = 0;  // taken back to grade 0: the opening position

    rig.game.KIFU_WRITE_Click();
    EXPECT_TRUE(rig.host.drive && rig.host.folder && !rig.host.file);
    EXPECT_TRUE(rig.host.saveControls);
    rig.host.setTextBox(2, "kept?");
    rig.game.KIFU_READ_Click();  // shows the file list and puts the save controls away
    EXPECT_TRUE(rig.host.drive && rig.host.folder && rig.host.file);
    EXPECT_FALSE(rig.host.saveControls);
    EXPECT_EQ(rig.host.boxes[2], "");
}

TEST(RecordCommands, AFailedWriteSaysSoAndChangesNothing) {
    Rig rig;
    withMoves(rig, lowerFirstMoves(), true);
    const fs::path folder = rig.host.listFolder;
    std::ofstream(folder / "old.棋譜", std::ios::binary) << "precious";
    std::ofstream(folder / "protected.棋譜", std::ios::binary) << "kept";
    fs::permissions(folder / "protected.棋譜", fs::perms::owner_read | fs::perms::group_read);
    const fs::path aFile = folder / "plain-file";
    std::ofstream(aFile) << "x";

    struct Case {
        std::string name, gameName;
        fs::path folder;
        std::string_view message;
    };
    const std::string longName(300, 'a');
    const std::vector<Case> cases = {
        {"", "g", folder, "ﾌｧｲﾙ名が入力されていません"},
        {" \u3000 ", "g", folder, "ﾌｧｲﾙ名が入力されていません"},
        {"../escape", "g", folder, "使えません"},
        {"sub/name", "g", folder, "使えません"},
        {"..", "g", folder, "使えません"},
        {"a\tb", "g", folder, "使えません"},
        {"x", "g", folder / "missing-folder", "棋譜を書き込めませんでした"},
        {"x", "g", aFile, "棋譜を書き込めませんでした"},  // the "folder" is a file
        {longName, "g", folder, "棋譜を書き込めませんでした"},
        {"old", "😀", folder, "Shift_JIS"},  // the old file must survive
        {"old", "two\nlines", folder, "制御文字"},
        {".hidden", "g", folder, "先頭に「.」"},  // the file list would never show it
        {"protected", "g", folder, "棋譜を書き込めませんでした\n\n読み取り専用のファイルです"},
    };
    const auto before = namesIn(folder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + " / " + c.folder.string());
        rig.host.listFolder = c.folder;
        rig.game.KIFU_WRITE_Click();
        rig.host.setTextBox(1, c.name);
        rig.host.setTextBox(2, c.gameName);
        rig.dialogs.clear();
        rig.canvas.clear();
        const GameState state = snapshot(rig.game);
        rig.game.Command1_Click();

        EXPECT_EQ(differences(state, snapshot(rig.game)), std::vector<std::string>{});
        // Over a record of that name the player is asked first (and says Yes here).
        std::error_code ec;
        const bool asks = fs::exists(c.folder / (c.name + ".棋譜"), ec);
        ASSERT_EQ(rig.dialogs.shown.size(), asks ? 2u : 1u);
        if (asks) {
            EXPECT_EQ(rig.dialogs.shown[0].text, "同じ名前の棋譜があります。上書きしますか？");
        }
        EXPECT_NE(rig.dialogs.shown.back().text.find(c.message), std::string::npos)
            << rig.dialogs.shown.back().text;
        EXPECT_FALSE(rig.dialogs.wasShown("棋譜を書き込みました"));
        // The controls stay, with what was typed, for another try.
        EXPECT_TRUE(rig.host.saveControls);
        EXPECT_EQ(rig.host.boxes[1], c.name);
        EXPECT_EQ(rig.host.boxes[2], c.gameName);
        EXPECT_EQ(rig.host.fileListRefreshes, 0);
        EXPECT_EQ(rig.canvas.ops.size(), 0u);
    }
    // Nothing new in the folder (no stray temporary files), the old file untouched.
    EXPECT_EQ(namesIn(folder), before);
    EXPECT_EQ(fileBytes(folder / "old.棋譜"), "precious");
    EXPECT_EQ(fileBytes(folder / "protected.棋譜"), "kept");
    EXPECT_EQ(fs::status(folder / "protected.棋譜").permissions() & fs::perms::owner_write,
              fs::perms::none);

    rig.host.listFolder = folder;
    rig.game.KIFU_NOW = 0;
    rig.host.setTextBox(1, "name");
    rig.game.Command1_Click();
    EXPECT_EQ(rig.dialogs.shown.back().text, "保存するデータがありません");
    EXPECT_EQ(rig.dialogs.shown.back().title, "棋譜保存");
    EXPECT_FALSE(fs::exists(folder / "name.棋譜"));
}

TEST(RecordCommands, ARefusedFileLeavesTheGameInProgressExactlyAsItWas) {
    Rig rig;
    rig.load();
    Game& g = rig.game;
    g.START_Click();
    // The lower pawn on column 7 one step forward, by two clicks.
    auto click = [&](int x, int y) {
        g.Form_MouseDown(左ボタン, 0, 1050 + 495 * (x + 0.5), 100 + 615 * (y + 0.5));
    };
    click(7, 7);
    click(7, 6);
    ASSERT_EQ(g.KIFU_NOW, 1);
    ASSERT_EQ(g.BAN(7, 6), -HU);
    g.KIFU_READ_Click();

    const fs::path dir = rig.host.listFolder;
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(dir / パス_UTF8(name), std::ios::binary) << bytes;
    };
    const std::string head = "g\r\nu\r\nd\r\n";
    const std::string ok = " 7776 -10 -10   0    0    3    0    0\r\n";
    write("field.棋譜", head + ok + "10775 -10 -10   0    0    3    0    0\r\n");
    write("code.棋譜", head + " 7776 -12 -12   0    0    3    0    0\r\n");
    write("source.棋譜", head + " 0776 -10 -10   0    0    3    0    0\r\n");
    write("dest.棋譜", head + " 7770 -10 -10   0    0    3    0    0\r\n");
    write("short.棋譜", head + ok.substr(1));
    write("sjis.棋譜", "g\r\n\x82\r\nd\r\n" + ok);
    write("binary.棋譜", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0>\0", 20));
    write("empty.棋譜", "");
    write("nomoves.棋譜", head);
    write("valid.棋譜", head + ok);
    std::string many = head;
    for (int i = 0; i < 501; ++i)
        many += (i % 2 == 0) ? (i / 2 % 2 == 0 ? " 8878-900-900   0    0    0    0    0\r\n"
                                               : " 7888-900-900   0    0    0    0    0\r\n")
                             : (i / 2 % 2 == 0 ? " 2232 900 900   0    0    0    0    0\r\n"
                                               : " 3222 900 900   0    0    0    0    0\r\n");
    write("many.棋譜", many);
    fs::create_directory(dir / "folder.棋譜");

    for (const std::string name : {"field.棋譜", "code.棋譜", "source.棋譜", "dest.棋譜",
                                   "short.棋譜", "sjis.棋譜", "binary.棋譜", "empty.棋譜",
                                   "nomoves.棋譜", "many.棋譜", "folder.棋譜", "missing.棋譜",
                                   "../records/field.棋譜", "sub/x.棋譜"}) {
        SCOPED_TRACE(name);
        rig.dialogs.clear();
        rig.canvas.clear();
        const GameState state = snapshot(g);
        g.File1_Click(name);
        EXPECT_EQ(differences(state, snapshot(g)), std::vector<std::string>{});
        ASSERT_EQ(rig.dialogs.shown.size(), 1u);
        EXPECT_EQ(rig.dialogs.shown[0].title, "棋譜");
        const std::string& text = rig.dialogs.shown[0].text;
        EXPECT_TRUE(text.find("棋譜ﾌｧｲﾙを読み込めません") != std::string::npos ||
                    text == 棋譜データなし)
            << text;
        EXPECT_EQ(rig.canvas.ops.size(), 0u);  // nothing redrawn either
        EXPECT_TRUE(rig.host.file);            // the list stays open for another choice
    }
    // The one consistent file reads.
    g.File1_Click("valid.棋譜");
    EXPECT_EQ(g.KIFU_MODE, 1);
}

// A handicap taken back to grade 0 leaves the opening position: such a game is saved and
// replays to the position shown. The save form stays open while menu commands change the
// board, so the name's confirmation checks the board again.
TEST(RecordCommands, TheBoardIsCheckedAgainWhenTheNameIsConfirmed) {
    Rig rig;
    rig.load();
    Game& g = rig.game;
    g.LBEL_UP_Click();
    g.LEBEL_DOWN_Click();
    g.START_Click();
    for (auto [fx, fy, tx, ty] : {std::array{7, 7, 7, 6}, std::array{3, 3, 3, 4}}) {
        g.Form_MouseDown(左ボタン, 0, 1050 + 495 * (fx + 0.5), 100 + 615 * (fy + 0.5));
        g.Form_MouseDown(左ボタン, 0, 1050 + 495 * (tx + 0.5), 100 + 615 * (ty + 0.5));
    }
    ASSERT_EQ(g.KIFU_NOW, 2);
    const auto shown = g.BAN;
    save(rig, "game", "", "", "");
    ASSERT_TRUE(rig.dialogs.wasShown("棋譜を書き込みました"));
    const 棋譜読込結果 r = 読込_棋譜(rig.host.listFolder / "game.棋譜");
    ASSERT_TRUE(r.ok) << r.error;

    g.KIFU_WRITE_Click();
    ASSERT_TRUE(rig.host.saveControls);
    g.REVERSE_Click();
    g.GOTE_Click();
    rig.host.setTextBox(1, "reversed");
    g.Command1_Click();
    EXPECT_EQ(rig.dialogs.shown.back().text, "反転後は書き込みできません");
    EXPECT_FALSE(rig.host.saveControls);
    EXPECT_FALSE(fs::exists(rig.host.listFolder / "reversed.棋譜"));

    g.File1_Click("game.棋譜");
    g.AFTER_Click();
    g.AFTER_Click();
    auto inGame = [](int c) { return c == SITA_OU_MAE ? -OU : c == UE_OU_MAE ? OU : c; };
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) EXPECT_EQ(inGame(g.BAN(x, y)), shown(x, y)) << x << "," << y;
}

TEST(RecordCommands, EveryFileTheGameWritesCanBeReadBack) {
    // Dots are ordinary characters of a name: "a." is saved as "a..棋譜" and must read.
    for (const std::string typed : {"a.", "x..y", "第2局.final"}) {
        SCOPED_TRACE(typed);
        Rig rig;
        withMoves(rig, lowerFirstMoves(), true);
        save(rig, typed, "", "先手", "後手");
        ASSERT_TRUE(rig.dialogs.wasShown("棋譜を書き込みました"));
        const std::string file = typed + ".棋譜";
        ASSERT_EQ(namesIn(rig.host.listFolder), std::vector<std::string>{file});
        rig.game.File1_Click(file);
        EXPECT_EQ(rig.game.KIFU_MODE, 1);
        EXPECT_EQ(rig.game.KIFU_LAST, static_cast<int>(lowerFirstMoves().size()));
    }
}

TEST(RecordCommands, HeaderPositionAndTheErasedStrip) {
    EXPECT_DOUBLE_EQ(Game::取得_棋譜のX座標("1234567890123"), 2535);
    EXPECT_DOUBLE_EQ(Game::取得_棋譜のX座標("一二三四五六七八九十一二三四五六七八"), 2535 - 495);
    EXPECT_DOUBLE_EQ(Game::取得_棋譜のX座標(""), 1050 + (13.0 / 5 + 3) * 495);

    Rig rig;
    rig.load();
    rig.canvas.clear();
    rig.game.描画_棋譜読込み部分消去();
    for (int x = -1; x <= 9; ++x) EXPECT_EQ(rig.canvas.lastPictureAt(x, 10), rig.game.HAIKEI_NOW);
    for (int x = 1; x <= 9; ++x) EXPECT_EQ(rig.canvas.lastOutlineAt(x, 9), 色_緑);
    EXPECT_EQ(rig.canvas.lastPictureAt(-2, 10), -99999);
}

// Play against the computer, save, quit, start again, read the file and replay every
// move: the same final position.
TEST(RecordCommands, AGamePlayedSavedAndReplayedEndsInTheSamePosition) {
    Rig first;
    first.load();
    Game& g = first.game;
    auto click = [&](int x, int y) {
        g.Form_MouseDown(左ボタン, 0, 1050 + 495 * (x + 0.5), 100 + 615 * (y + 0.5));
    };
    g.SENTE_Click();
    const int pushes[][2] = {{7, 7}, {2, 7}, {6, 7}, {1, 7}, {9, 7}};
    for (const auto& p : pushes) {
        first.host.time += 4.5;
        g.Timer1_Timer();
        click(p[0], p[1]);
        click(p[0], p[1] - 1);
    }
    ASSERT_GE(g.KIFU_NOW, 6) << "the game did not get going";
    ASSERT_NE(g.TEBAN, 0);
    g.REPLAY_Click();
    g.AFTER_Click();  // a step back and forward on the way
    const auto board = g.BAN;
    const auto lower = g.SITA_MOCHI, upper = g.UE_MOCHI;
    const int moves = g.KIFU_NOW;
    save(first, "対局", "練習", "わたし", "COM");
    ASSERT_TRUE(first.dialogs.wasShown("棋譜を書き込みました"));

    Rig second;
    second.host.listFolder = first.host.listFolder;
    second.load();
    Game& h = second.game;
    h.KIFU_READ_Click();
    h.File1_Click("対局.棋譜");
    ASSERT_EQ(h.KIFU_LAST, moves);
    for (int i = 0; i < moves; ++i) h.AFTER_Click();
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            // Outside a game the kings keep their pre-game codes.
            const int shown = h.BAN(x, y) == SITA_OU_MAE ? -OU : h.BAN(x, y) == UE_OU_MAE ? OU : h.BAN(x, y);
            EXPECT_EQ(shown, board(x, y)) << x << "," << y;
        }
    EXPECT_EQ(h.SITA_MOCHI, lower);
    EXPECT_EQ(h.UE_MOCHI, upper);
    EXPECT_EQ(h.MAN_JIKAN, std::floor(g.KIFU_MAN_JIKAN[moves]));
    second.dialogs.clear();
    h.AFTER_Click();
    EXPECT_TRUE(second.dialogs.wasShown("終わり"));
}

}  // namespace
}  // namespace fudo::test
