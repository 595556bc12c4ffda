// The five wave files the build synthesises beside the program: what each must sound
// like, in numbers, and that the sound library accepts them.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "ds_sound.h"
#include "sound/tests/wave_support.h"

namespace fudo::test {
namespace {

const std::filesystem::path kDir = std::filesystem::path(std::u8string(
    reinterpret_cast<const char8_t*>(FUDO_RUNTIME_DIR)));

Wave load(const char8_t* name) {
    Wave w;
    const std::string bytes = readFile(kDir / std::filesystem::path(name));
    EXPECT_TRUE(parseWave(bytes, w)) << reinterpret_cast<const char*>(name);
    return w;
}

double peak(const Wave& w) {
    double p = 0;
    for (double v : w.samples) p = std::max(p, std::abs(v));
    return p;
}

// Power of one frequency over the whole signal (Goertzel).
double power(const Wave& w, double hz) {
    const double c = 2 * std::cos(2 * std::numbers::pi * hz / w.rate);
    double s1 = 0, s2 = 0;
    for (double x : w.samples) {
        const double s0 = x + c * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return s1 * s1 + s2 * s2 - c * s1 * s2;
}

// Share of the power in the bands above `split` Hz, sampled every 50 Hz up to 8 kHz.
double highShare(const Wave& w, double split) {
    double low = 0, high = 0;
    for (double hz = 50; hz <= 8000; hz += 50) (hz < split ? low : high) += power(w, hz);
    return high / (low + high);
}

TEST(WaveFiles, EffectsAreShortCleanAndOfTheirCharacter) {
    struct Expect { const char8_t* name; double minSeconds, maxSeconds; };
    for (const Expect& e : {Expect{u8"駒打音.wav", 0.05, 0.25}, Expect{u8"禁止.wav", 0.15, 0.6},
                            Expect{u8"その他.wav", 0.5, 2.0}, Expect{u8"Kavelu.wav", 1.0, 3.0}}) {
        const Wave w = load(e.name);
        SCOPED_TRACE(reinterpret_cast<const char*>(e.name));
        ASSERT_FALSE(w.samples.empty());
        EXPECT_EQ(w.bits, 16);
        EXPECT_GE(w.seconds(), e.minSeconds);
        EXPECT_LE(w.seconds(), e.maxSeconds);
        EXPECT_GT(peak(w), 0.3);   // clearly audible
        EXPECT_LT(peak(w), 0.99);  // never clipped
        // Starts and ends at rest, so no click at either edge.
        EXPECT_LT(std::abs(w.samples.front()), 0.01);
        EXPECT_LT(std::abs(w.samples.back()), 0.01);
    }
    // The refusal buzz is low, the chime bright.
    EXPECT_LT(highShare(load(u8"禁止.wav"), 500), 0.2);
    EXPECT_GT(highShare(load(u8"その他.wav"), 1000), 0.8);
    // The click is gone quickly: the last half is near silence.
    const Wave click = load(u8"駒打音.wav");
    double tail = 0;
    for (std::size_t i = click.samples.size() / 2; i < click.samples.size(); ++i)
        tail = std::max(tail, std::abs(click.samples[i]));
    EXPECT_LT(tail, 0.05 * peak(click));
}

TEST(WaveFiles, TheMusicLoopsSeamlesslyInAJapanesePentatonicScale) {
    const Wave w = load(u8"BGM.wav");
    ASSERT_EQ(w.channels, 1);
    EXPECT_GE(w.seconds(), 20);
    EXPECT_LE(w.seconds(), 40);
    EXPECT_GT(peak(w), 0.2);
    EXPECT_LT(peak(w), 0.99);

    // The jump from the last sample to the first is no larger than the ordinary steps
    // between neighbouring samples: the loop has no click.
    std::vector<double> steps;
    for (std::size_t i = 1; i < w.samples.size(); ++i)
        steps.push_back(std::abs(w.samples[i] - w.samples[i - 1]));
    std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
    const double typical = steps[steps.size() / 2];
    EXPECT_LE(std::abs(w.samples.front() - w.samples.back()), 2 * typical + 1e-4);
    EXPECT_LT(std::abs(w.samples.front()), 0.01);  // the first play starts without a click

    // Power by pitch class over the register of the tune (E2..C6): the miyako-bushi scale
    // on E (E F A B C) holds nearly all of it, and the tonic is strong.
    std::map<int, double> byClass;
    double total = 0;
    for (int midi = 40; midi <= 84; ++midi) {
        const double p = power(w, 440 * std::pow(2.0, (midi - 69) / 12.0));
        byClass[midi % 12] += p;
        total += p;
    }
    double inScale = 0;
    for (int pc : {4, 5, 9, 11, 0}) inScale += byClass[pc];  // E F A B C
    EXPECT_GT(inScale / total, 0.97);
    EXPECT_GT(byClass[4] / total, 0.2);
}

TEST(WaveFiles, TheSoundLibraryAcceptsEveryOne) {
    const auto file = useDiskAudio("waves");
    const int32_t device = dsInitialize(0);
    ASSERT_NE(device, 0);
    for (const char8_t* name : {u8"駒打音.wav", u8"禁止.wav", u8"その他.wav", u8"Kavelu.wav", u8"BGM.wav"}) {
        const std::string bytes = readFile(kDir / std::filesystem::path(name));
        const int32_t b = dsCreateDSB(device, bytes.data(), static_cast<int32_t>(bytes.size()), 3);
        EXPECT_NE(b, 0) << reinterpret_cast<const char*>(name);
        dsFree(b);
    }
    dsTerminate(device);
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace fudo::test
