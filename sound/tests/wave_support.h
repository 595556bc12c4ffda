// Helpers of the sound tests: wave files made and read in memory, and SDL's disk audio
// driver standing in for a sound card (it writes the mixed output to a file in real time).
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace fudo::test {

// A 16-bit PCM wave file of a sine tone.
inline std::string sineWave(double hz, double seconds, int rate = 22050, int channels = 1,
                            double amplitude = 0.5) {
    const int frames = static_cast<int>(seconds * rate);
    std::string pcm;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<std::int16_t>(
            std::lround(amplitude * 32767 * std::sin(2 * std::numbers::pi * hz * i / rate)));
        for (int c = 0; c < channels; ++c) {
            pcm += static_cast<char>(v & 0xFF);
            pcm += static_cast<char>((v >> 8) & 0xFF);
        }
    }
    auto u32 = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    auto u16 = [](std::uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    return "RIFF" + u32(static_cast<std::uint32_t>(36 + pcm.size())) + "WAVEfmt " + u32(16) +
           u16(1) + u16(static_cast<std::uint16_t>(channels)) + u32(static_cast<std::uint32_t>(rate)) +
           u32(static_cast<std::uint32_t>(rate * channels * 2)) +
           u16(static_cast<std::uint16_t>(channels * 2)) + u16(16) + "data" +
           u32(static_cast<std::uint32_t>(pcm.size())) + pcm;
}

// Samples of a 16-bit PCM wave file, as numbers in [-1, 1], channels interleaved.
struct Wave {
    int rate = 0, channels = 0, bits = 0;
    std::vector<double> samples;
    double seconds() const { return channels ? samples.size() / double(channels) / rate : 0; }
};

inline bool parseWave(const std::string& b, Wave& w) {
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
    };
    auto u16 = [&](std::size_t at) { return u32(at) & 0xFFFF; };
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return false;
    std::size_t at = 12;
    bool fmt = false;
    while (at + 8 <= b.size()) {
        const std::uint32_t len = u32(at + 4);
        if (len > b.size() - at - 8) return false;
        if (b.compare(at, 4, "fmt ") == 0 && len >= 16) {
            if (u16(at + 8) != 1) return false;  // PCM only
            w.channels = static_cast<int>(u16(at + 10));
            w.rate = static_cast<int>(u32(at + 12));
            w.bits = static_cast<int>(u16(at + 22));
            fmt = true;
        } else if (b.compare(at, 4, "data") == 0 && fmt && w.bits == 16) {
            for (std::size_t i = at + 8; i + 1 < at + 8 + len; i += 2)
                w.samples.push_back(static_cast<std::int16_t>(u16(i)) / 32768.0);
            return true;
        }
        at += 8 + len + (len & 1);
    }
    return false;
}

inline std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The disk driver's output: signed 16-bit stereo frames at 44100 Hz (the library's format).
struct DiskOutput {
    std::vector<double> left, right;

    static constexpr int kRate = 44100;

    explicit DiskOutput(const std::filesystem::path& file) {
        const std::string raw = readFile(file);
        for (std::size_t i = 0; i + 3 < raw.size(); i += 4) {
            std::int16_t l, r;
            std::memcpy(&l, raw.data() + i, 2);
            std::memcpy(&r, raw.data() + i + 2, 2);
            left.push_back(l / 32768.0);
            right.push_back(r / 32768.0);
        }
    }
    static double peak(const std::vector<double>& v, std::size_t from = 0, std::size_t to = SIZE_MAX) {
        double p = 0;
        for (std::size_t i = from; i < std::min(to, v.size()); ++i) p = std::max(p, std::abs(v[i]));
        return p;
    }
    // Seconds from the first to the last frame louder than the threshold (0 if none).
    double soundingSeconds(double threshold = 0.01) const {
        std::size_t first = SIZE_MAX, last = 0;
        for (std::size_t i = 0; i < left.size(); ++i)
            if (std::abs(left[i]) > threshold || std::abs(right[i]) > threshold) {
                first = std::min(first, i);
                last = i;
            }
        return first == SIZE_MAX ? 0 : double(last - first + 1) / kRate;
    }
    std::size_t firstSounding(double threshold = 0.01) const {
        for (std::size_t i = 0; i < left.size(); ++i)
            if (std::abs(left[i]) > threshold) return i;
        return left.size();
    }
    // Frequency from the rising zero crossings of the left channel over the sounding part.
    double frequency(double threshold = 0.01) const {
        const std::size_t from = firstSounding(threshold);
        std::size_t crossings = 0, firstX = 0, lastX = 0;
        for (std::size_t i = from + 1; i < left.size(); ++i) {
            if (std::abs(left[i]) < threshold && std::abs(left[i - 1]) < threshold) continue;
            if (left[i - 1] < 0 && left[i] >= 0) {
                if (crossings == 0) firstX = i;
                lastX = i;
                ++crossings;
            }
        }
        return crossings < 2 ? 0 : (crossings - 1) * double(kRate) / double(lastX - firstX);
    }
};

// Points SDL at its disk driver writing into a fresh file; restores nothing (each test
// sets what it needs before opening the device).
inline std::filesystem::path useDiskAudio(const std::string& tag) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("fudo-disk-audio-" + tag + "-" + std::to_string(::getpid()) + ".raw");
    std::filesystem::remove(file);
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    return file;
}

}  // namespace fudo::test
