// Synthesises the game's five wave files: the piece click, the refusal buzz, the about-box
// chime, the start fanfare and the looping background tune. Run by the build:
//     fudo_wavegen <output folder>
// Everything is computed from fixed numbers (no randomness beyond a seeded generator),
// so every build writes the same bytes.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kTau = 2 * std::numbers::pi;

using Signal = std::vector<double>;

int samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

double midiHz(double note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Deterministic white noise in [-1, 1].
struct Noise {
    std::uint32_t state = 0x2545F491u;
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state / 2147483647.5 - 1.0;
    }
};

// Scales to the given peak and fades the last `fade` seconds to exactly zero.
void finish(Signal& s, double peak, double fade) {
    double max = 0;
    for (double v : s) max = std::max(max, std::abs(v));
    if (max > 0)
        for (double& v : s) v *= peak / max;
    const int n = std::min<int>(samples(fade), static_cast<int>(s.size()));
    for (int i = 0; i < n; ++i) {
        const double g = 0.5 - 0.5 * std::cos(std::numbers::pi * i / n);  // 0 → 1
        s[s.size() - 1 - i] *= g;
    }
    if (!s.empty()) s.back() = 0;
}

// Raised-cosine attack over `seconds`, so that no sound starts with a step.
double attack(double t, double seconds) {
    return t >= seconds ? 1.0 : 0.5 - 0.5 * std::cos(std::numbers::pi * t / seconds);
}

bool writeWave(const std::filesystem::path& path, const Signal& s) {
    std::vector<std::int16_t> pcm(s.size());
    for (std::size_t i = 0; i < s.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(std::lround(std::clamp(s[i], -1.0, 1.0) * 32767));
    auto u32 = [](std::ofstream& o, std::uint32_t v) {
        const char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
        o.write(b, 4);
    };
    auto u16 = [](std::ofstream& o, std::uint16_t v) {
        const char b[2] = {char(v), char(v >> 8)};
        o.write(b, 2);
    };
    const std::uint32_t bytes = static_cast<std::uint32_t>(pcm.size() * 2);
    std::ofstream o(path, std::ios::binary | std::ios::trunc);
    o.write("RIFF", 4);
    u32(o, 36 + bytes);
    o.write("WAVEfmt ", 8);
    u32(o, 16);
    u16(o, 1);  // PCM
    u16(o, 1);  // mono
    u32(o, kRate);
    u32(o, kRate * 2);
    u16(o, 2);
    u16(o, 16);
    o.write("data", 4);
    u32(o, bytes);
    for (std::int16_t v : pcm) u16(o, static_cast<std::uint16_t>(v));
    return static_cast<bool>(o);
}

// 駒打音: a piece set down on a wooden board. A very short knock of filtered noise and a
// few damped resonances of the board, gone within a fifth of a second.
Signal pieceClick() {
    Signal s(samples(0.18));
    Noise noise;
    double low = 0, band = 0;
    struct Mode { double hz, decay, amp; };
    const Mode modes[] = {{190, 0.030, 0.55}, {640, 0.022, 0.8}, {1210, 0.016, 1.0},
                          {2480, 0.009, 0.5}, {3920, 0.005, 0.3}};
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        // Noise through two one-pole filters: a band around 1–3 kHz for the knock.
        const double n = noise.next();
        low += 0.35 * (n - low);
        band += 0.08 * (low - band);
        double v = (low - band) * 1.6 * std::exp(-t / 0.004);
        for (const Mode& m : modes) v += m.amp * std::sin(kTau * m.hz * t) * std::exp(-t / m.decay);
        s[i] = v * attack(t, 0.0006);
    }
    finish(s, 0.85, 0.02);
    return s;
}

// 禁止: a short low buzz. Two detuned band-limited square waves near G2.
Signal refusalBuzz() {
    Signal s(samples(0.32));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double v = 0;
        for (double hz : {98.0, 99.2})
            for (int k = 1; k * hz < 3500; k += 2) v += std::sin(kTau * k * hz * t) / k;
        const double env = attack(t, 0.008) * (t > 0.26 ? std::exp(-(t - 0.26) / 0.02) : 1.0);
        s[i] = v * env;
    }
    finish(s, 0.6, 0.015);
    return s;
}

// Bell-like strike: inharmonic partials, each dying at its own rate.
void bell(Signal& s, double start, double hz, double gain) {
    struct Partial { double ratio, amp, decay; };
    const Partial partials[] = {{1.0, 1.0, 0.9}, {2.0, 0.45, 0.6}, {2.76, 0.3, 0.4},
                                {4.07, 0.16, 0.25}, {5.40, 0.09, 0.15}};
    for (std::size_t i = static_cast<std::size_t>(samples(start)); i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate - start;
        double v = 0;
        for (const Partial& p : partials)
            if (p.ratio * hz < kRate / 2.0) v += p.amp * std::sin(kTau * p.ratio * hz * t) * std::exp(-t / p.decay);
        s[i] += gain * v * attack(t, 0.002);
    }
}

// その他: a bright two-note chime (E6, then B6).
Signal chime() {
    Signal s(samples(1.5));
    bell(s, 0.0, midiHz(88), 1.0);
    bell(s, 0.14, midiHz(95), 0.8);
    finish(s, 0.7, 0.08);
    return s;
}

// One brass-like note: harmonics whose upper members open up a moment after the start.
void brass(Signal& s, double start, double length, double note, double gain) {
    const double hz = midiHz(note);
    const int from = samples(start);
    const int count = samples(length + 0.08);
    for (int j = 0; j < count && from + j < static_cast<int>(s.size()); ++j) {
        const double t = static_cast<double>(j) / kRate;
        const double vib = 1 + 0.004 * std::sin(kTau * 5.5 * t) * std::min(1.0, t / 0.3);
        const double open = std::min(1.0, t / 0.05);
        double v = 0;
        for (int k = 1; k <= 10 && k * hz < kRate / 2.0; ++k) {
            const double amp = std::pow(0.72, k - 1) * (k <= 2 ? 1.0 : open);
            v += amp * std::sin(kTau * k * hz * t * vib);
        }
        const double release = t > length ? std::exp(-(t - length) / 0.025) : 1.0;
        s[static_cast<std::size_t>(from + j)] += gain * v * attack(t, 0.012) * release;
    }
}

// Kavelu: a short fanfare for the start of a game: a three-note pickup, a rising call
// and a held major chord.
Signal fanfare() {
    Signal s(samples(1.9));
    struct Note { double start, length, note; };
    const Note melody[] = {{0.00, 0.09, 67}, {0.12, 0.09, 67}, {0.24, 0.09, 67},
                           {0.36, 0.28, 72}, {0.68, 0.12, 67}, {0.82, 0.12, 72},
                           {0.96, 0.12, 76}, {1.10, 0.62, 79}};
    for (const Note& n : melody) brass(s, n.start, n.length, n.note, 1.0);
    brass(s, 1.10, 0.62, 76, 0.55);  // the held chord under the last note
    brass(s, 1.10, 0.62, 72, 0.5);
    finish(s, 0.8, 0.06);
    return s;
}

// A plucked string (koto-like), added circularly so that a tail running past the end of
// the loop sounds at its beginning: the tune is seamless by construction.
void pluck(Signal& s, double start, double note, double gain, double sustain) {
    const double hz = midiHz(note);
    const std::size_t n = s.size();
    const std::size_t from = static_cast<std::size_t>(samples(start)) % n;
    const int count = std::min<int>(samples(sustain * 4), static_cast<int>(n));
    for (int k = 1; k <= 7; ++k) {
        const double f = hz * k * (1 + 0.0006 * k * k);  // a slightly stiff string
        if (f >= kRate / 2.0) break;
        // Rotating phasor and decaying amplitude, updated by multiplication per sample.
        const double w = kTau * f / kRate;
        const double c = std::cos(w), sn = std::sin(w);
        const double decay = std::exp(-std::pow(k, 0.8) / (sustain * kRate));
        double re = 1, im = 0, amp = gain * std::pow(k, -1.6);
        for (int j = 0; j < count; ++j) {
            const double t = static_cast<double>(j) / kRate;
            s[(from + static_cast<std::size_t>(j)) % n] += amp * im * attack(t, 0.003);
            const double r = re * c - im * sn;
            im = re * sn + im * c;
            re = r;
            amp *= decay;
        }
    }
}

// BGM: a calm 32-second tune in the miyako-bushi scale on E (E F A B C), plucked melody
// over a plucked bass and a soft drone on E and B. Loops without a seam.
Signal music() {
    constexpr double beat = 1.0;  // 60 beats a minute
    constexpr int beats = 32;
    Signal s(samples(beats * beat));
    const double length = static_cast<double>(s.size()) / kRate;

    // E4 64, F4 65, A4 69, B4 71, C5 72, E5 76, F5 77.
    struct Note { double at, note; };
    const Note melody[] = {
        {0, 76}, {1, 77}, {2, 76}, {2.5, 72}, {3, 71},            // bar 1
        {4, 69}, {5.5, 71}, {6, 72},                              // bar 2
        {8, 71}, {9, 72}, {9.5, 71}, {10, 69}, {11, 65},          // bar 3
        {12, 64},                                                 // bar 4
        {16, 69}, {17, 71}, {18, 72}, {19, 76},                   // bar 5
        {20, 77}, {21.5, 76}, {22, 72}, {23, 71},                 // bar 6
        {24, 72}, {24.5, 71}, {25, 69}, {26, 65}, {27, 69},       // bar 7
        {28, 64},                                                 // bar 8, then rest
    };
    for (const Note& n : melody) pluck(s, n.at * beat, n.note, 1.0, 0.9);

    // Bass: root on the first beat, its fifth (or the scale's nearest) on the third.
    const double bass[8][2] = {{52, 59}, {45, 52}, {41, 48}, {52, 59},
                               {45, 52}, {41, 48}, {45, 52}, {52, 59}};
    for (int bar = 0; bar < 8; ++bar) {
        pluck(s, (bar * 4 + 0) * beat, bass[bar][0], 0.7, 1.4);
        pluck(s, (bar * 4 + 2) * beat, bass[bar][1], 0.4, 1.2);
    }

    // Drone on E3 and B3, tuned so that each completes whole cycles in the loop, breathing
    // with a period that divides it: both continue across the seam unchanged.
    for (double note : {52.0, 59.0}) {
        const double hz = std::round(midiHz(note) * length) / length;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double t = static_cast<double>(i) / kRate;
            const double breath = 0.6 - 0.4 * std::cos(kTau * t / (length / 4));
            s[i] += 0.08 * breath * (std::sin(kTau * hz * t) + 0.2 * std::sin(kTau * 2 * hz * t));
        }
    }

    double max = 0;
    for (double v : s) max = std::max(max, std::abs(v));
    for (double& v : s) v *= 0.5 / max;  // below the effects, which play over it

    // Start at a rising zero crossing close to the loop point, so that the first play
    // also begins without a click; rotating a periodic signal keeps the seam intact.
    const std::size_t n = s.size();
    std::size_t best = 0;
    double bestScore = 1e9;
    for (std::size_t d = 0; d < static_cast<std::size_t>(samples(0.05)); ++d)
        for (std::size_t i : {d, n - 1 - d}) {
            const double prev = s[(i + n - 1) % n];
            if (prev < 0 && s[i] >= 0 && s[i] + std::abs(prev) < bestScore) {
                bestScore = s[i] + std::abs(prev);
                best = i;
            }
        }
    std::rotate(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(best), s.end());
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path dir(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const struct {
        const char8_t* name;
        Signal (*make)();
    } waves[] = {{u8"駒打音.wav", pieceClick}, {u8"禁止.wav", refusalBuzz},
                 {u8"その他.wav", chime},      {u8"Kavelu.wav", fanfare},
                 {u8"BGM.wav", music}};
    for (const auto& w : waves) {
        const std::filesystem::path path = dir / std::filesystem::path(w.name);
        if (!writeWave(path, w.make())) {
            std::fprintf(stderr, "fudo_wavegen: cannot write %s\n", path.string().c_str());
            return 1;
        }
    }
    return 0;
}
