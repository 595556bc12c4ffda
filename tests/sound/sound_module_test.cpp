// The sound module against a fake library: the device, the buffers made from the wave
// files beside the program, the messages, and the one message when there is no library.
#include <gtest/gtest.h>

#include <fstream>

#include "files/file_io.h"
#include "sound/loaded_sound_library.h"
#include "tests/support/fakes.h"

namespace fudo::test {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTitle = "DUDodovi王将棋.dll";
constexpr std::string_view kNoDevice = "Direct Soundインターフェースが作成できません。";

void putWave(const Rig& rig, std::string_view name, std::string_view bytes) {
    std::ofstream(rig.host.sounds / パス_UTF8(name), std::ios::binary) << bytes;
}

int calls(const FakeSoundLibrary& s, std::string_view name) {
    int n = 0;
    for (const auto& c : s.calls) n += c.name == name;
    return n;
}

TEST(SoundModule, OpensTheDeviceAndMakesBuffersFromTheFiles) {
    Rig rig;
    Game& g = rig.game;
    g.初期化_サウンド(42);
    EXPECT_EQ(g.SOUND_DS, 7);
    ASSERT_EQ(rig.sound.calls.size(), 1u);
    EXPECT_EQ(rig.sound.calls[0].name, "dsInitialize");
    EXPECT_EQ(rig.sound.calls[0].a, 42);

    putWave(rig, "駒打音.wav", std::string(1234, 'w'));
    const std::int32_t b = g.読込_サウンド("駒打音.wav", 3);
    EXPECT_EQ(b, 100);
    EXPECT_EQ(rig.sound.calls.back().name, "dsCreateDSB");
    EXPECT_EQ(rig.sound.calls.back().a, 1234);  // the whole file
    EXPECT_EQ(rig.sound.calls.back().b, 3);
    EXPECT_TRUE(rig.dialogs.shown.empty());

    g.効果音(b);
    EXPECT_EQ(rig.sound.count("dsPlay", b), 1);
    g.効果音(0);  // silence, not a call
    EXPECT_EQ(calls(rig.sound, "dsPlay"), 1);

    g.終了_サウンド();
    EXPECT_EQ(rig.sound.count("dsTerminate", 7), 1);
    g.終了_サウンド();  // a second end does not terminate twice
    EXPECT_EQ(calls(rig.sound, "dsTerminate"), 1);
}

TEST(SoundModule, AMissingWaveIsSilentAndAnUnreadableOneIsReported) {
    Rig rig;
    Game& g = rig.game;
    g.初期化_サウンド(0);
    EXPECT_EQ(g.読込_サウンド("Kavelu.wav", 3), 0);
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(calls(rig.sound, "dsCreateDSB"), 0);

    putWave(rig, "禁止.wav", "");
    fs::create_directory(rig.host.sounds / "BGM.wav");
    for (std::string_view name : {"禁止.wav", "BGM.wav"}) {
        rig.dialogs.clear();
        EXPECT_EQ(g.読込_サウンド(name, 1), 0);
        ASSERT_EQ(rig.dialogs.shown.size(), 1u) << name;
        const Shown& s = rig.dialogs.shown[0];
        EXPECT_NE(s.text.find(name), std::string::npos) << s.text;
        EXPECT_EQ(s.title, kTitle);
        EXPECT_EQ(s.icon, Icon::Exclamation);
        EXPECT_EQ(s.buttons, Buttons::OK);
    }
    EXPECT_EQ(calls(rig.sound, "dsCreateDSB"), 0);
}

TEST(SoundModule, NoDeviceGivesOneMessageAndNoBuffers) {
    Rig rig;
    rig.sound.device = 0;
    putWave(rig, "BGM.wav", "RIFF....");
    rig.load();
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, kNoDevice);
    EXPECT_EQ(rig.dialogs.shown[0].title, kTitle);
    EXPECT_EQ(rig.dialogs.shown[0].icon, Icon::Exclamation);
    Game& g = rig.game;
    for (std::int32_t h : {g.SOUND_SONOTA, g.SOUND_KINSI, g.SOUND_KOMAOTO, g.SOUND_KAVELU, g.SOUND_BGM})
        EXPECT_EQ(h, 0);
    EXPECT_EQ(calls(rig.sound, "dsCreateDSB"), 0);
    // Silently working: the music option and a game start play nothing.
    g.BGM_Click();
    g.BGM_Click();
    g.START_Click();
    EXPECT_EQ(calls(rig.sound, "dsPlay") + calls(rig.sound, "dsPlayLooping"), 0);
}

TEST(SoundModule, StartUpWithoutWaveFilesIsQuiet) {
    Rig rig;
    rig.load();
    EXPECT_TRUE(rig.dialogs.shown.empty());
    EXPECT_EQ(calls(rig.sound, "dsCreateDSB"), 0);
}

TEST(SoundModule, StartUpMakesTheFiveBuffersInOrder) {
    Rig rig;
    const char* names[] = {"その他.wav", "禁止.wav", "駒打音.wav", "Kavelu.wav", "BGM.wav"};
    for (int i = 0; i < 5; ++i) putWave(rig, names[i], std::string(static_cast<std::size_t>(10 + i), 'x'));
    rig.load();
    std::vector<std::pair<std::int32_t, std::int32_t>> made;  // (size, flags)
    for (const auto& c : rig.sound.calls)
        if (c.name == "dsCreateDSB") made.push_back({c.a, c.b});
    EXPECT_EQ(made, (std::vector<std::pair<std::int32_t, std::int32_t>>{
                        {10, 3}, {11, 3}, {12, 3}, {13, 3}, {14, 1}}));
    Game& g = rig.game;
    EXPECT_EQ(g.SOUND_SONOTA, 100);
    EXPECT_EQ(g.SOUND_KINSI, 101);
    EXPECT_EQ(g.SOUND_KOMAOTO, 102);
    EXPECT_EQ(g.SOUND_KAVELU, 103);
    EXPECT_EQ(g.SOUND_BGM, 104);
}

TEST(SoundModule, AMissingLibraryGivesTheOneMessageAndASilentGame) {
    Rig rig;  // for its folders and fakes; the game below has the real loader
    LoadedSoundLibrary missing({rig.root / "no-such-library.so"});
    ASSERT_FALSE(missing.loaded());
    putWave(rig, "駒打音.wav", "RIFF....");
    Game g(rig.canvas, rig.dialogs, rig.host, &missing);
    g.Form_Load();
    ASSERT_EQ(rig.dialogs.shown.size(), 1u);
    EXPECT_EQ(rig.dialogs.shown[0].text, kNoDevice);
    EXPECT_EQ(rig.dialogs.shown[0].title, kTitle);
    EXPECT_EQ(g.SOUND_DS, 0);
    EXPECT_EQ(g.SOUND_KOMAOTO, 0);
    // The game still starts and ends normally.
    g.START_Click();
    EXPECT_NE(g.TEBAN, 0);
    g.Form_Unload();
    EXPECT_EQ(rig.dialogs.shown.size(), 2u);  // only "先手の番です" besides
}

}  // namespace
}  // namespace fudo::test
