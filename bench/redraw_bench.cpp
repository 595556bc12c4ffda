// The window's drawing speed: a full redraw (画面_再描画) onto the window's canvas at twice
// the game's own size, with the pictures already drawn for that size (the usual case) and
// right after a change of scale (every picture drawn afresh).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QMenuBar>
#include <QStandardPaths>

#include "ui/qt/main_window.h"
#include "ui/qt/box_answerer.h"

namespace {

using fudo::qt::MainWindow;
using fudo::qt::SceneGeometry;

MainWindow* window = nullptr;

// The canvas at twice the natural size in device pixels.
void atTwiceTheSize(MainWindow& w) {
    const qreal dpr = w.canvas()->devicePixelRatioF();
    const QSize logical = (SceneGeometry::naturalSize() * (2 / dpr)).toSize();
    w.resizeCanvas(logical);
    QCoreApplication::processEvents();
}

void BM_画面_再描画_2x(benchmark::State& state) {
    MainWindow& w = *window;
    atTwiceTheSize(w);
    w.game().画面_再描画();
    w.canvas()->repaint();
    for (auto _ : state) {
        w.game().画面_再描画();
        w.canvas()->repaint();
    }
    state.counters["device_px"] = double(w.canvas()->drawing().image().width());
}
BENCHMARK(BM_画面_再描画_2x)->Unit(benchmark::kMillisecond);

// The same with every play aid showing: the last move's tint, the turn mark, and the
// guidance of the lower rook (its reach tinted and outlined) painted after the redraw.
void BM_画面_再描画_2x_補助つき(benchmark::State& state) {
    MainWindow& w = *window;
    atTwiceTheSize(w);
    fudo::Game& g = w.game();
    if (!(g.補助 == fudo::補助設定{true, true, true}) || g.SIDOU_FLAG != 1 || g.KIFU_NOW == 0) {
        state.SkipWithError("the aids are not all showing");
        return;
    }
    for (auto _ : state) {
        g.画面_再描画();
        g.描画_移動可能桝色(8, 8, g.SIDOU_COLOR, -fudo::SYA);
        w.canvas()->repaint();
    }
}
BENCHMARK(BM_画面_再描画_2x_補助つき)->Unit(benchmark::kMillisecond);

// A new scale: the drawing is replayed and every picture drawn for the new size.
void BM_拡大縮小後の再描画(benchmark::State& state) {
    MainWindow& w = *window;
    atTwiceTheSize(w);
    const QSize a = w.size(), b = a + QSize(37, 29);
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        w.resize(flip ? b : a);
        QCoreApplication::processEvents();
        w.canvas()->repaint();
    }
}
BENCHMARK(BM_拡大縮小後の再描画)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR")) qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fudo-shogi-bench"));
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
    std::filesystem::remove(MainWindow::sessionPath());

    fudo::qt::BoxAnswerer answers;
    MainWindow w;
    w.setQuitHandler([] {});
    w.start();
    // A game in progress: pieces on the stands and move texts as well, one move each
    // played, guidance on.
    w.action("SIDOU")->trigger();
    w.action("SENTE")->trigger();
    auto centre = [](int x, int y) {
        return std::pair{SceneGeometry::cellX(x + 0.5), SceneGeometry::cellY(y + 0.5)};
    };
    for (auto [x, y] : {std::pair{7, 7}, {7, 6}}) {
        const auto [X, Y] = centre(x, y);
        w.command([&] { w.game().Form_MouseDown(1, 0, X, Y); });
    }
    window = &w;

    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("device_pixel_ratio", std::to_string(w.canvas()->devicePixelRatioF()));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
