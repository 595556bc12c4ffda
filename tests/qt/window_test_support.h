// Helpers of the window tests: clicking cells, letting the window run, fresh windows.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QtTest>
#include <memory>

#include "ui/qt/main_window.h"

namespace fudo::qt::test {

// Lets the event loop run for a while.
inline void settle(int ms = 20) {
    QElapsedTimer t;
    t.start();
    do QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    while (t.elapsed() < ms);
}

// Logical position in the canvas of a point of cell (x, y), given as fractions of the cell.
inline QPoint cellPoint(const MainWindow& w, double x, double y, double fx = 0.5, double fy = 0.5) {
    return w.canvas()->toLogical(SceneGeometry::cellX(x + fx), SceneGeometry::cellY(y + fy)).toPoint();
}

inline void clickAt(MainWindow& w, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w.canvas(), button, Qt::NoModifier, at);
    settle(5);
}

inline void clickCell(MainWindow& w, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    clickAt(w, cellPoint(w, x, y), button);
}

// Presses the left button at `from`, moves with it held through a few points to `to`
// and lets go there.
inline void dragAt(MainWindow& w, QPoint from, QPoint to) {
    QWidget* board = w.canvas();
    QTest::mousePress(board, Qt::LeftButton, Qt::NoModifier, from);
    settle(2);
    for (int i = 1; i <= 4; ++i) {
        const QPointF at = from + (to - from) * (i / 4.0);
        QMouseEvent move(QEvent::MouseMove, at, board->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(board, &move);
        settle(2);
    }
    QTest::mouseRelease(board, Qt::LeftButton, Qt::NoModifier, to);
    settle(5);
}

inline void dragCell(MainWindow& w, int fx, int fy, int tx, int ty) { dragAt(w, cellPoint(w, fx, fy), cellPoint(w, tx, ty)); }

// A window on fresh default settings, started and shown with its drawing at `canvasSize`.
// Ending the program only counts the request.
struct TestWindow {
    std::unique_ptr<MainWindow> window;
    int quits = 0;

    // Set to start on the settings or the session file left by the window before.
    static inline bool keepSettings = false, keepSession = false;
    // The flow aids (end panel, questions, notices on the status line) change the boxes the
    // tests of the classic flow expect: off in fresh settings unless asked for.
    static inline bool flowAids = false;

    explicit TestWindow(QSize canvasSize = SceneGeometry::naturalSize().toSize()) {
        if (!keepSettings) QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
        if (!keepSession) std::filesystem::remove(MainWindow::sessionPath());
        window = std::make_unique<MainWindow>();
        window->setQuitHandler([this] { ++quits; });
        window->start();
        // Switched as its tick does, so that the choice is kept like any other.
        if (QAction* flow = window->action("AID_FLOW"); !keepSettings && flow && flow->isChecked() != flowAids) {
            flow->trigger();
            window->statusLine()->clear();
        }
        resizeCanvas(canvasSize);
    }
    // Whatever else the window holds (the menu bar, panels) keeps its size.
    void resizeCanvas(QSize canvasSize) {
        settle(10);
        window->resizeCanvas(canvasSize);
        settle(30);
        // The bars may take their new font's height only once laid out: make up for it.
        for (int i = 0; i < 20 && window->canvas()->size() != canvasSize; ++i) {
            window->resize(window->size() + (canvasSize - window->canvas()->size()));
            settle(30);
        }
    }
    MainWindow& operator*() { return *window; }
    MainWindow* operator->() { return window.get(); }
};

}  // namespace fudo::qt::test
