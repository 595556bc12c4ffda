// The settings file "DAre1.ini" and the option commands.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "files/file_io.h"
#include "files/sjis.h"
#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

namespace fs = std::filesystem;

fs::path iniOf(const Rig& rig) { return rig.host.configFolder / "DAre1.ini"; }

// Writes the settings file from UTF-8 lines, in Shift_JIS with CR LF.
void writeIni(const Rig& rig, std::initializer_list<std::string_view> lines) {
    std::ofstream out(iniOf(rig), std::ios::binary);
    for (std::string_view l : lines) out << 変換_UTF8からSJIS(l).value() << "\r\n";
}

// The settings file's lines as UTF-8, checking the Shift_JIS CR LF form on the way.
std::vector<std::string> readIni(const Rig& rig) {
    std::ifstream in(iniOf(rig), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", at);
        EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
        if (end == std::string::npos) break;
        lines.push_back(変換_SJISからUTF8(bytes.substr(at, end - at)).value_or("<not Shift_JIS>"));
        at = end + 2;
    }
    return lines;
}

const std::vector<std::string> kDefaults = {"背景画=緑", "移動指導=OFF", "経過時間=ON", "BGM=ON"};

// A music buffer to watch: any bytes serve, the fake library does not look inside.
void giveMusic(Rig& rig) { std::ofstream(rig.host.sounds / "BGM.wav", std::ios::binary) << "RIFF"; }

int loops(const Rig& rig) { return rig.sound.count("dsPlayLooping", rig.game.SOUND_BGM); }

TEST(SettingsFile, AMissingFileIsCreatedWithTheDefaults) {
    Rig rig;
    giveMusic(rig);
    rig.load();
    EXPECT_EQ(readIni(rig), kDefaults);
    const メニュー状態& m = rig.game.MENU;
    EXPECT_TRUE(m.MIDORI);
    EXPECT_FALSE(m.TATAMI || m.TAKE || m.UCHU || m.RENGA);
    EXPECT_FALSE(m.SIDOU);
    EXPECT_TRUE(m.KEIKA);
    EXPECT_TRUE(m.BGM);
    EXPECT_EQ(rig.game.HAIKEI_NOW, HAIKEI_MIDORI);
    EXPECT_EQ(rig.game.SIDOU_FLAG, 0);
    EXPECT_EQ(rig.canvas.lastPictureAt(-3, -2), HAIKEI_MIDORI);  // the green background
    ASSERT_NE(rig.game.SOUND_BGM, 0);
    EXPECT_EQ(loops(rig), 0);  // no music until the option is chosen or read as ON
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_GT(rig.host.menuChanges, 0);
}

TEST(SettingsFile, AFullFileIsAppliedLineByLine) {
    Rig rig;
    giveMusic(rig);
    writeIni(rig, {"背景画=煉瓦", "移動指導=ON", "経過時間=OFF", "BGM=ON"});
    rig.load();
    const メニュー状態& m = rig.game.MENU;
    EXPECT_TRUE(m.RENGA);
    EXPECT_FALSE(m.MIDORI || m.TATAMI || m.TAKE || m.UCHU);
    EXPECT_EQ(rig.game.HAIKEI_NOW, HAIKEI_RENGA);
    EXPECT_TRUE(m.SIDOU);
    EXPECT_EQ(rig.game.SIDOU_FLAG, 1);
    EXPECT_EQ(rig.game.SIDOU_COLOR, 色_白);
    EXPECT_FALSE(m.KEIKA);
    EXPECT_TRUE(m.BGM);
    EXPECT_EQ(loops(rig), 1);
    // Read only: the file is left as it was.
    EXPECT_EQ(readIni(rig), (std::vector<std::string>{"背景画=煉瓦", "移動指導=ON", "経過時間=OFF", "BGM=ON"}));
}

TEST(SettingsFile, EveryBackgroundNameIsRecognised) {
    const std::pair<std::string_view, int> names[] = {
        {"背景画=緑", HAIKEI_MIDORI}, {"背景画=竹", HAIKEI_TAKE}, {"背景画=畳", HAIKEI_TATAMI},
        {"背景画=宇宙", HAIKEI_UCHU}, {"背景画=煉瓦", HAIKEI_RENGA}};
    for (auto [text, code] : names) {
        Rig rig;
        writeIni(rig, {text, "移動指導=OFF", "経過時間=OFF", "BGM=OFF"});
        rig.load();
        EXPECT_EQ(rig.game.HAIKEI_NOW, code) << text;
        rig.game.SIDOU_Click();  // any change writes the file back
        EXPECT_EQ(readIni(rig)[0], text);
    }
}

TEST(SettingsFile, AShortFileFallsBackToTheDefaultsButKeepsTheGuidanceFlag) {
    Rig rig;
    giveMusic(rig);
    writeIni(rig, {"背景画=宇宙", "移動指導=ON"});
    rig.load();
    EXPECT_EQ(readIni(rig), kDefaults);
    const メニュー状態& m = rig.game.MENU;
    EXPECT_TRUE(m.MIDORI);
    EXPECT_FALSE(m.UCHU);
    EXPECT_EQ(rig.game.HAIKEI_NOW, HAIKEI_MIDORI);
    EXPECT_FALSE(m.SIDOU);
    EXPECT_EQ(rig.game.SIDOU_FLAG, 1);  // as line 2 set it
    EXPECT_EQ(rig.game.SIDOU_COLOR, 色_白);
    EXPECT_TRUE(m.KEIKA);
    EXPECT_TRUE(m.BGM);
    EXPECT_EQ(loops(rig), 0);
}

TEST(SettingsFile, AnUnknownBackgroundTicksNoneAndIsNotWrittenBack) {
    Rig rig;
    writeIni(rig, {"背景画=桜", "移動指導=OFF", "経過時間=ON", "BGM=OFF"});
    rig.load();
    const メニュー状態& m = rig.game.MENU;
    EXPECT_FALSE(m.MIDORI || m.TATAMI || m.TAKE || m.UCHU || m.RENGA);
    EXPECT_EQ(rig.game.HAIKEI_NOW, 0);
    rig.game.BGM_Click();
    EXPECT_EQ(readIni(rig), (std::vector<std::string>{"移動指導=OFF", "経過時間=ON", "BGM=ON"}));
}

TEST(SettingsFile, ComparisonsAreExact) {
    Rig rig;
    giveMusic(rig);
    writeIni(rig, {"背景画=緑 ", "移動指導=on", " 経過時間=ON", "bgm=on"});
    rig.load();
    const メニュー状態& m = rig.game.MENU;
    EXPECT_FALSE(m.MIDORI);
    EXPECT_FALSE(m.SIDOU);
    EXPECT_FALSE(m.KEIKA);
    EXPECT_FALSE(m.BGM);
    EXPECT_EQ(loops(rig), 0);

    // A line that is not Shift_JIS at all is simply not "ON"; the others still count.
    Rig bytes;
    std::ofstream(iniOf(bytes), std::ios::binary)
        << "\x82\r\n" << 変換_UTF8からSJIS("移動指導=ON").value() << "\r\n\xff\xff\r\nBGM=OFF\r\n";
    bytes.load();
    EXPECT_FALSE(bytes.game.MENU.MIDORI);
    EXPECT_TRUE(bytes.game.MENU.SIDOU);
    EXPECT_FALSE(bytes.game.MENU.KEIKA);
}

TEST(SettingsFile, OptionCommandsWriteTheFileAtOnce) {
    Rig rig;
    giveMusic(rig);
    rig.load();
    Game& g = rig.game;

    rig.canvas.clear();
    g.UCHU_Click();
    EXPECT_EQ(readIni(rig)[0], "背景画=宇宙");
    EXPECT_TRUE(g.MENU.UCHU);
    EXPECT_FALSE(g.MENU.MIDORI);
    EXPECT_EQ(g.HAIKEI_NOW, HAIKEI_UCHU);
    EXPECT_EQ(rig.canvas.count(DrawOp::FullRedraw), 1);
    EXPECT_EQ(rig.canvas.lastPictureAt(-3, -2), HAIKEI_UCHU);
    g.UCHU_Click();  // already ticked: rewritten and redrawn, nothing else
    EXPECT_TRUE(g.MENU.UCHU);
    EXPECT_EQ(rig.canvas.count(DrawOp::FullRedraw), 2);
    g.TATAMI_Click();
    EXPECT_EQ(readIni(rig)[0], "背景画=畳");
    g.TAKE_Click();
    EXPECT_EQ(readIni(rig)[0], "背景画=竹");
    g.RENGA_Click();
    EXPECT_EQ(readIni(rig)[0], "背景画=煉瓦");
    g.MIDORI_Click();
    EXPECT_EQ(readIni(rig)[0], "背景画=緑");

    g.SIDOU_Click();
    EXPECT_TRUE(g.MENU.SIDOU);
    EXPECT_EQ(g.SIDOU_FLAG, 1);
    EXPECT_EQ(g.SIDOU_COLOR, 色_白);
    EXPECT_EQ(readIni(rig)[1], "移動指導=ON");
    rig.canvas.clear();
    g.SIDOU_Click();
    EXPECT_FALSE(g.MENU.SIDOU);
    EXPECT_EQ(g.SIDOU_FLAG, 0);
    EXPECT_EQ(g.SIDOU_COLOR, 色_緑);
    EXPECT_EQ(readIni(rig)[1], "移動指導=OFF");
    // Guidance off repaints every board square and stand cell in the plain colour.
    EXPECT_EQ(rig.canvas.count(DrawOp::Outline), 81 + 14);
    EXPECT_EQ(rig.canvas.lastOutlineAt(-1, 1), 色_緑);
    EXPECT_EQ(rig.canvas.lastOutlineAt(11, 9), 色_緑);

    const std::int32_t music = g.SOUND_BGM;
    g.BGM_Click();  // ticked by default: off
    EXPECT_FALSE(g.MENU.BGM);
    EXPECT_EQ(rig.sound.count("dsStop", music), 1);
    EXPECT_EQ(readIni(rig)[3], "BGM=OFF");
    g.BGM_Click();
    EXPECT_TRUE(g.MENU.BGM);
    EXPECT_EQ(rig.sound.count("dsPlayLooping", music), 1);
    EXPECT_EQ(readIni(rig)[3], "BGM=ON");

    g.KEIKA_Click();  // the clock's option writes the same file
    EXPECT_EQ(readIni(rig)[2], g.MENU.KEIKA ? "経過時間=ON" : "経過時間=OFF");
    EXPECT_EQ(readIni(rig).size(), 4u);
}

TEST(SettingsFile, AnUnwritableFolderStillLetsTheProgramRun) {
    Rig rig;
    giveMusic(rig);
    // The settings "folder" is a plain file: nothing can be created inside it.
    const fs::path blocker = rig.root / "not-a-folder";
    std::ofstream(blocker) << "x";
    rig.host.configFolder = blocker / "config";
    rig.load();
    EXPECT_TRUE(rig.game.MENU.MIDORI);
    EXPECT_TRUE(rig.game.MENU.KEIKA);
    EXPECT_TRUE(rig.dialogs.shown.empty());

    // Options still work for this run, and the menu keeps telling the truth about them.
    Game& g = rig.game;
    g.SIDOU_Click();
    EXPECT_TRUE(g.MENU.SIDOU);
    EXPECT_EQ(g.SIDOU_FLAG, 1);
    g.SIDOU_Click();
    EXPECT_FALSE(g.MENU.SIDOU);
    EXPECT_EQ(g.SIDOU_FLAG, 0);
    g.BGM_Click();
    EXPECT_FALSE(g.MENU.BGM);
    g.BGM_Click();
    EXPECT_TRUE(g.MENU.BGM);
    EXPECT_EQ(rig.sound.count("dsPlayLooping", g.SOUND_BGM), 1);
    g.UCHU_Click();
    EXPECT_TRUE(g.MENU.UCHU);
    EXPECT_FALSE(g.MENU.MIDORI);
    EXPECT_FALSE(fs::exists(rig.host.configFolder));
}

TEST(SettingsFile, ASettingsFolderNotYetThereIsCreated) {
    Rig rig;
    rig.host.configFolder = rig.root / "fresh" / "fudo";
    rig.load();
    EXPECT_EQ(readIni(rig), kDefaults);
}

}  // namespace
}  // namespace fudo::test
