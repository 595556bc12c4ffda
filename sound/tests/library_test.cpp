// The real sound library: sound must really come out (SDL's disk audio driver records
// it), effects play once without holding the caller, music repeats until stopped, and
// no handle or data, however wrong, makes it crash.
#include <gtest/gtest.h>

#include "ds_sound.h"
#include "sound/loaded_sound_library.h"
#include "sound/tests/wave_support.h"

namespace fudo::test {
namespace {

constexpr int32_t kEffect = 3;  // the flags the game gives its effects
constexpr int32_t kMusic = 1;   // and its music

int32_t create(int32_t device, const std::string& wave, int32_t flags = kEffect) {
    return dsCreateDSB(device, wave.data(), static_cast<int32_t>(wave.size()), flags);
}

class DiskAudio : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = useDiskAudio(::testing::UnitTest::GetInstance()->current_test_info()->name());
        device_ = dsInitialize(0);
        ASSERT_NE(device_, 0) << "SDL's disk audio driver did not open";
    }
    void TearDown() override { std::filesystem::remove(file_); }
    // Closes the device and returns what was written to the "sound card".
    DiskOutput finish() {
        EXPECT_EQ(dsTerminate(device_), 1);
        device_ = 0;
        return DiskOutput(file_);
    }

    std::filesystem::path file_;
    int32_t device_ = 0;
};

TEST_F(DiskAudio, AnEffectIsReallyHeardOnceAtItsPitch) {
    const int32_t b = create(device_, sineWave(440, 0.25));
    ASSERT_NE(b, 0);
    EXPECT_EQ(dsPlay(b), 1);
    sleepMs(700);
    const DiskOutput out = finish();
    EXPECT_GT(DiskOutput::peak(out.left), 0.3);
    EXPECT_GT(DiskOutput::peak(out.right), 0.3);  // a mono wave sounds on both sides
    EXPECT_NEAR(out.soundingSeconds(), 0.25, 0.03);  // once, not repeated
    EXPECT_NEAR(out.frequency(), 440, 8);
}

TEST_F(DiskAudio, PlayReturnsWhileTheSoundGoesOn) {
    // A two-second tone stopped 150 ms after dsPlay returned is cut short: the call did
    // not wait for the end.
    const int32_t b = create(device_, sineWave(330, 2.0));
    ASSERT_NE(b, 0);
    dsPlay(b);
    sleepMs(150);
    EXPECT_EQ(dsStop(b), 1);
    sleepMs(200);
    const DiskOutput out = finish();
    EXPECT_GT(out.soundingSeconds(), 0.05);
    EXPECT_LT(out.soundingSeconds(), 0.6);
}

TEST_F(DiskAudio, MusicRepeatsWithoutGapsUntilStopped) {
    // 0.1 s of tone that starts and ends at a zero crossing: looped, it is one long tone.
    const int32_t b = create(device_, sineWave(500, 0.1), kMusic);
    ASSERT_NE(b, 0);
    EXPECT_EQ(dsPlayLooping(b), 1);
    sleepMs(700);
    dsStop(b);
    sleepMs(300);
    const DiskOutput out = finish();
    EXPECT_GT(out.soundingSeconds(), 0.5);
    // No gap at the seams: every 5 ms window of the sounding part is loud.
    const std::size_t from = out.firstSounding();
    const std::size_t to = from + static_cast<std::size_t>(0.5 * DiskOutput::kRate);
    for (std::size_t at = from; at + 220 < to; at += 220)
        ASSERT_GT(DiskOutput::peak(out.left, at, at + 220), 0.2) << "gap at frame " << at;
    // Silence after the stop.
    const std::size_t end = out.left.size();
    EXPECT_LT(DiskOutput::peak(out.left, end - DiskOutput::kRate / 10, end), 0.001);
}

TEST_F(DiskAudio, VolumePanAndFrequencyWork) {
    const int32_t b = create(device_, sineWave(400, 0.2));
    ASSERT_NE(b, 0);
    // Full left: the right channel stays silent.
    EXPECT_EQ(dsPlayPan(b, -10000), 1);
    sleepMs(400);
    // Half the amplitude (-6 dB), centred, played again at twice its own rate.
    EXPECT_EQ(dsPlayEx(b, -600, 0, 2 * 22050), 1);
    sleepMs(400);
    const DiskOutput out = finish();
    const std::size_t first = out.firstSounding();
    const std::size_t second = first + static_cast<std::size_t>(0.3 * DiskOutput::kRate);
    ASSERT_LT(second, out.left.size());
    EXPECT_GT(DiskOutput::peak(out.left, first, second), 0.4);
    EXPECT_LT(DiskOutput::peak(out.right, first, second), 0.001);

    std::vector<double> rest(out.left.begin() + static_cast<std::ptrdiff_t>(second), out.left.end());
    DiskOutput tail = out;
    tail.left = rest;
    tail.right.assign(rest.size(), 0);
    EXPECT_NEAR(DiskOutput::peak(rest), 0.25, 0.04);   // 0.5 × 10^(-600/2000)
    EXPECT_NEAR(tail.soundingSeconds(), 0.1, 0.02);    // twice as fast: half as long
    EXPECT_NEAR(tail.frequency(), 800, 16);            // and an octave higher
}

TEST_F(DiskAudio, VolumeAndPanReachAVoiceAlreadySounding) {
    const int32_t b = create(device_, sineWave(300, 0.1), kMusic);
    ASSERT_NE(b, 0);
    dsPlayLooping(b);
    sleepMs(200);
    EXPECT_EQ(dsSetVolume(b, -10000), 1);  // silent from here on
    sleepMs(300);
    dsStop(b);
    const DiskOutput out = finish();
    const std::size_t from = out.firstSounding();
    EXPECT_GT(DiskOutput::peak(out.left, from, from + 4410), 0.3);
    const std::size_t quiet = from + static_cast<std::size_t>(0.35 * DiskOutput::kRate);
    EXPECT_LT(DiskOutput::peak(out.left, quiet, out.left.size()), 0.001);
}

TEST_F(DiskAudio, WavesAreAlsoReadFromFiles) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("fudo-res-" + std::to_string(::getpid()) + "-音.wav");
    std::ofstream(path, std::ios::binary) << sineWave(600, 0.1);
    const int32_t b = dsCreateResDSB(device_, reinterpret_cast<const char*>(path.u8string().c_str()), kEffect);
    EXPECT_NE(b, 0);
    EXPECT_EQ(dsCreateResDSB(device_, "/nonexistent/none.wav", kEffect), 0);
    EXPECT_EQ(dsCreateResDSB(device_, nullptr, kEffect), 0);
    EXPECT_EQ(dsPlay(b), 1);
    sleepMs(300);
    std::filesystem::remove(path);
    EXPECT_NEAR(finish().soundingSeconds(), 0.1, 0.02);
}

TEST_F(DiskAudio, WrongHandlesAndGarbageAreIgnored) {
    for (int32_t h : {0, -1, 12345}) {
        EXPECT_EQ(dsPlay(h), 0);
        EXPECT_EQ(dsPlayLooping(h), 0);
        EXPECT_EQ(dsPlayPan(h, 0), 0);
        EXPECT_EQ(dsPlayEx(h, 0, 0, 0), 0);
        EXPECT_EQ(dsPlayLoopingEx(h, 0, 0, 0), 0);
        EXPECT_EQ(dsStop(h), 0);
        EXPECT_EQ(dsSetVolume(h, 0), 0);
        EXPECT_EQ(dsSetPan(h, 0), 0);
        EXPECT_EQ(dsSetFrequency(h, 22050), 0);
        EXPECT_EQ(dsFree(h), 0);
    }
    const std::string wave = sineWave(440, 0.05);
    EXPECT_EQ(create(0, wave), 0);                      // no device
    EXPECT_EQ(dsCreateDSB(device_, nullptr, 100, kEffect), 0);
    EXPECT_EQ(dsCreateDSB(device_, wave.data(), 0, kEffect), 0);
    EXPECT_EQ(dsCreateDSB(device_, wave.data(), -5, kEffect), 0);
    EXPECT_EQ(create(device_, wave.substr(0, 44)), 0);  // a header and no samples
    EXPECT_EQ(create(device_, "RIFF\xff\xff\xff\x7fWAVEfmt "), 0);
    // Every prefix of a wave and a run of pseudo-random blocks: no crash, and anything
    // accepted can be played and freed.
    std::uint32_t x = 12345;
    for (int n = 0; n < 200; ++n) {
        std::string junk = n < 100 ? wave.substr(0, static_cast<std::size_t>(n) * 7) : std::string();
        for (int i = 0; i < (n < 100 ? 0 : n * 13); ++i) {
            x = x * 1664525u + 1013904223u;
            junk += static_cast<char>(x >> 24);
        }
        if (n % 3 == 0 && junk.size() > 8) junk.replace(0, 4, "RIFF");
        const int32_t b = create(device_, junk);
        if (b != 0) {
            dsPlay(b);
            EXPECT_EQ(dsFree(b), 1);
        }
    }
    const int32_t b = create(device_, wave);
    ASSERT_NE(b, 0);
    EXPECT_EQ(dsFree(b), 1);
    EXPECT_EQ(dsPlay(b), 0);  // a freed handle is dead
    finish();
}

TEST_F(DiskAudio, DevicesNestAndBuffersDieWithTheDevice) {
    EXPECT_EQ(dsInitialize(0), device_);
    const int32_t b = create(device_, sineWave(440, 0.05));
    ASSERT_NE(b, 0);
    EXPECT_EQ(dsTerminate(device_), 1);  // the inner user goes; the device stays
    EXPECT_EQ(dsPlay(b), 1);
    finish();
    EXPECT_EQ(dsPlay(b), 0);
    EXPECT_EQ(dsTerminate(device_), 0);
}

TEST(NoSoundDevice, InitialiseFailsAndEverythingStaysQuiet) {
    ::setenv("SDL_AUDIODRIVER", "dummy-nonexistent", 1);
    EXPECT_EQ(dsInitialize(0), 0);
    const std::string wave = sineWave(440, 0.05);
    EXPECT_EQ(create(0, wave), 0);
    EXPECT_EQ(dsPlay(0), 0);
    EXPECT_EQ(dsPlayLooping(0), 0);
    EXPECT_EQ(dsStop(0), 0);
    EXPECT_EQ(dsFree(0), 0);
    EXPECT_EQ(dsTerminate(0), 0);
    // A later attempt with a working driver still succeeds: nothing was left half open.
    const auto file = useDiskAudio("after-failure");
    const int32_t device = dsInitialize(0);
    EXPECT_NE(device, 0);
    EXPECT_EQ(dsTerminate(device), 1);
    std::filesystem::remove(file);
}

TEST(LoadedLibrary, LoadsTheBuiltLibraryAndPlaysThroughIt) {
    LoadedSoundLibrary lib({FUDO_SOUND_LIBRARY_PATH});
    ASSERT_TRUE(lib.loaded()) << lib.loadError();
    const auto file = useDiskAudio("loaded");
    const int32_t device = lib.dsInitialize(0);
    ASSERT_NE(device, 0);
    const std::string wave = sineWave(440, 0.2);
    const int32_t b = lib.dsCreateDSB(device, wave.data(), static_cast<int32_t>(wave.size()), kEffect);
    ASSERT_NE(b, 0);
    lib.dsPlay(b);
    sleepMs(400);
    lib.dsFree(b);
    lib.dsTerminate(device);
    EXPECT_NEAR(DiskOutput(file).soundingSeconds(), 0.2, 0.03);
    std::filesystem::remove(file);
}

TEST(LoadedLibrary, AMissingLibraryAnswersZeroAndStaysSilent) {
    LoadedSoundLibrary lib({"/nonexistent/libDUDodoviShogi.so", "/etc/passwd"});
    EXPECT_FALSE(lib.loaded());
    EXPECT_FALSE(lib.loadError().empty());
    EXPECT_EQ(lib.dsInitialize(0), 0);
    const char wave[4] = {};
    EXPECT_EQ(lib.dsCreateDSB(1, wave, 4, kEffect), 0);
    lib.dsPlay(1);
    lib.dsPlayLooping(1);
    lib.dsStop(1);
    lib.dsFree(1);
    lib.dsTerminate(1);
}

}  // namespace
}  // namespace fudo::test
