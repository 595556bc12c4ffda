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

    fudo::qt::BoxAnswerer answers;
    MainWindow w;
    w.setQuitHandler([] {});
    w.start();
    // A game in progress: pieces on the stands and move texts as well.
    w.action("SENTE")->trigger();
    window = &w;

    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("device_pixel_ratio", std::to_string(w.canvas()->devicePixelRatioF()));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
