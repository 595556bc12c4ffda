// The five background tiles, computed pixel by pixel from functions of the position in the
// tile. Each texture repeats every 33 × 41 pixels, the spacing of the cells, so tiles that
// overlap by their extra column join without a seam.
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/constants.h"
#include "ui/qt/pictures.h"

namespace fudo::qt {

namespace {

constexpr double kPeriodX = 33, kPeriodY = 41;
constexpr double kPi = 3.14159265358979323846;

double fract(double v) { return v - std::floor(v); }
double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
double smooth(double t) { return t * t * (3 - 2 * t); }
int wrap(int i, int n) { return ((i % n) + n) % n; }

double hash01(int i, int j, std::uint32_t seed) {
    std::uint32_t h = std::uint32_t(i) * 0x8da6b343u ^ std::uint32_t(j) * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xffffff) / double(0x1000000);
}

// Value noise on an n × m lattice that wraps around the tile, sampled at the fraction
// (u, v) of the tile: smooth at any resolution and periodic by construction.
double noise(double u, double v, int n, int m, std::uint32_t seed) {
    const double x = fract(u) * n, y = fract(v) * m;
    const int i = int(std::floor(x)), j = int(std::floor(y));
    const double fx = smooth(x - i), fy = smooth(y - j);
    const double a = hash01(wrap(i, n), wrap(j, m), seed), b = hash01(wrap(i + 1, n), wrap(j, m), seed);
    const double c = hash01(wrap(i, n), wrap(j + 1, m), seed), d = hash01(wrap(i + 1, n), wrap(j + 1, m), seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

struct Rgb {
    double r, g, b;
    Rgb operator*(double k) const { return {r * k, g * k, b * k}; }
    Rgb operator+(const Rgb& o) const { return {r + o.r, g + o.g, b + o.b}; }
};
Rgb mix(const Rgb& a, const Rgb& b, double t) { return a * (1 - t) + b * t; }
QRgb toRgb(const Rgb& c) {
    auto ch = [](double v) { return int(std::clamp(v, 0.0, 255.0) + 0.5); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}

// Coverage of a band of half-width w around distance 0, antialiased over one device pixel.
double band(double distance, double halfWidth, double pixel) {
    return clamp01((halfWidth - std::abs(distance)) / pixel + 0.5);
}

// Distance from v to the nearest multiple of period.
double toGrid(double v, double period) {
    const double r = fract(v / period) * period;
    return std::min(r, period - r);
}

// Green felt, close to the window's own green.
Rgb felt(double x, double y, double) {
    const double u = x / kPeriodX, v = y / kPeriodY;
    const double t = 0.5 * noise(u, v, 6, 8, 11) + 0.32 * noise(u, v, 33, 41, 12) +
                     0.18 * noise(u, v, 66, 82, 13) - 0.5;
    return {6 + 12 * t, 120 + 46 * t, 30 + 18 * t};
}

// Tatami: rounded rushes running across, tied by threads every third of a cell.
Rgb tatami(double x, double y, double pixel) {
    const double u = x / kPeriodX;
    const double rushHeight = kPeriodY / 20;
    const double r = y / rushHeight;
    const int row = wrap(int(std::floor(r)), 20);
    const double profile = std::sin(kPi * fract(r));
    const double along = noise(u, (row + 0.5) / 20, 11, 20, 21);
    Rgb c = mix(Rgb{204, 194, 122}, Rgb{172, 174, 98}, along);
    c = c * (0.74 + 0.26 * profile) * (0.96 + 0.08 * noise(u, y / kPeriodY, 33, 41, 22));
    const double thread = band(toGrid(x, kPeriodX / 3), 0.45, pixel);
    return mix(c, Rgb{120, 112, 62}, 0.35 * thread);
}

// Bamboo: two stalks to a cell, lit from the left, each with a node.
Rgb bamboo(double x, double y, double pixel) {
    const double width = kPeriodX / 2;
    const double xs = fract(x / kPeriodX) * kPeriodX;
    const int stalk = xs < width ? 0 : 1;
    const double t = (xs - stalk * width) / width;
    const double round = std::sqrt(std::max(0.0, 1 - (2 * t - 1) * (2 * t - 1)));
    Rgb c = stalk == 0 ? Rgb{132, 170, 62} : Rgb{116, 160, 58};
    c = c * (0.42 + 0.58 * round) * (0.94 + 0.12 * noise(x / kPeriodX, y / kPeriodY, 66, 4, 31 + stalk));
    c = c + Rgb{70, 70, 40} * (0.45 * std::exp(-std::pow((t - 0.3) / 0.09, 2)));
    const double nodeY = stalk == 0 ? 12.0 : 32.0;
    const double dy = fract((y - nodeY) / kPeriodY + 0.5) * kPeriodY - kPeriodY / 2;  // -20.5..20.5
    const double ring = band(dy, 0.8, pixel), ridge = band(dy - 1.7, 0.6, pixel);
    c = mix(c, c * 0.5, ring);
    c = mix(c, c * 1.2 + Rgb{10, 10, 0}, ridge * 0.8);
    const double gap = band(std::min({xs, std::abs(xs - width), kPeriodX - xs}), 0.5, pixel);
    return mix(c, Rgb{28, 44, 16}, gap);
}

// Deep space: a faint nebula and a few stars.
Rgb space(double x, double y, double pixel) {
    const double u = x / kPeriodX, v = y / kPeriodY;
    const double n = 0.6 * noise(u, v, 3, 4, 41) + 0.4 * noise(u, v, 7, 9, 42);
    Rgb c = Rgb{4, 5, 20} + Rgb{70, 24, 96} * (n * n * 0.7) + Rgb{10, 30, 70} * (noise(u, v, 5, 6, 43) * 0.5);
    static const double stars[][4] = {  // x, y, brightness, radius
        {5.5, 7.2, 1.0, 0.5},  {21.3, 4.1, 0.7, 0.4},  {27.8, 18.6, 0.9, 0.45}, {12.4, 24.9, 0.6, 0.4},
        {8.1, 34.3, 0.8, 0.4}, {24.6, 31.7, 1.0, 0.7}, {17.2, 14.0, 0.5, 0.35}, {30.5, 37.8, 0.6, 0.4},
        {2.6, 19.5, 0.5, 0.35},
    };
    double light = 0;
    for (const auto& s : stars) {
        const double sigma = std::max(s[3], 0.55 * pixel);
        const double dx = x - s[0], dy = y - s[1];
        light += s[2] * (s[3] / sigma) * (s[3] / sigma) * 1.6 *
                 std::exp(-(dx * dx + dy * dy) / (2 * sigma * sigma));
    }
    // The brightest star glows a little.
    const double gx = x - 24.6, gy = y - 31.7;
    light += 0.25 * std::exp(-(gx * gx + gy * gy) / 8.0);
    return c + Rgb{235, 240, 255} * std::min(light, 1.2);
}

// Brick in running bond: four courses and two bricks to a cell.
Rgb brick(double x, double y, double pixel) {
    const double course = kPeriodY / 4, length = kPeriodX / 2;
    const double ys = fract(y / kPeriodY) * kPeriodY;
    const int row = std::min(3, int(ys / course));
    const double shift = (row % 2) ? length / 2 : 0;
    const double xs = fract((x + shift) / kPeriodX) * kPeriodX;
    const int col = std::min(1, int(xs / length));
    const double bx = xs - col * length, by = ys - row * course;
    const double mortar = std::max(band(std::min(bx, length - bx), 0.65, pixel),
                                   band(std::min(by, course - by), 0.65, pixel));
    const double tone = hash01(col, row, 51);
    const double u = x / kPeriodX, v = y / kPeriodY;
    Rgb c = mix(Rgb{170, 72, 46}, Rgb{132, 52, 36}, tone) * (0.9 + 0.2 * noise(u, v, 33, 41, 52));
    c = c * (1.0 + 0.12 * clamp01(1 - by / 2.5) - 0.14 * clamp01(1 - (course - by) / 2.5));
    const Rgb joint = Rgb{192, 182, 164} * (0.9 + 0.15 * noise(u, v, 66, 82, 53));
    return mix(c, joint, mortar);
}

}  // namespace

QImage renderTile(int code, QSize px) {
    Rgb (*texture)(double, double, double) = nullptr;
    switch (code) {
    case HAIKEI_MIDORI: texture = felt; break;
    case HAIKEI_TATAMI: texture = tatami; break;
    case HAIKEI_TAKE: texture = bamboo; break;
    case HAIKEI_UCHU: texture = space; break;
    case HAIKEI_RENGA: texture = brick; break;
    default: return {};
    }
    QImage img(px, QImage::Format_RGB32);
    const double sx = 34.0 / px.width(), sy = 41.0 / px.height();
    const double pixel = std::max(sx, sy);  // one device pixel in the tile's own pixels
    for (int j = 0; j < px.height(); ++j) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(j));
        // Positions in the repeating 33 × 41 pattern; the tile's extra column repeats the first.
        double y = (j + 0.5) * sy;
        if (y >= kPeriodY) y -= kPeriodY;
        for (int i = 0; i < px.width(); ++i) {
            double x = (i + 0.5) * sx;
            if (x >= kPeriodX) x -= kPeriodX;
            line[i] = toRgb(texture(x, y, pixel));
        }
    }
    return img;
}

}  // namespace fudo::qt
