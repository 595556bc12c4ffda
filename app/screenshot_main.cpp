// Plays a few moves in the real window with synthetic clicks and saves a picture of it,
// for the README; with --startup it reports how long the window took to show the board.
//
//   fudo-shogi-shot OUTPUT.png [--scale K] [--size WxH] [--actions NAME,NAME,...] [--lang en]
//                   [--time WORD] [--promotion]
//                   [--open RECORD --analyse --goto N]
//   fudo-shogi-shot --startup [--since UNIX_SECONDS]
//
// --time plays the usual game under a time control of the 持ち時間 menu ("30s",
// "10m+30s", ...); --promotion takes the picture of the screen around the window while the
// promotion question stands open.
//
// --open reads a KIF/CSA record as 開く does, --analyse reviews it (棋譜 → 解析) and waits
// for the review, --goto shows the position after N moves.
// --actions triggers the named menu commands in order (a name "W,X,Y" is not split:
// "click:X:Y" clicks cell (X, Y)) in place of the usual opening moves; --size gives the
// drawing area in pixels, for windows of another shape.
//
// The game's settings are kept apart from the user's (Qt's test locations).
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTimer>
#include <QMenuBar>
#include <QAction>
#include <QDir>
#include <QScreen>
#include <cstdio>

#include "ui/qt/analysis_actions.h"
#include "ui/qt/box_answerer.h"
#include "ui/qt/help_window.h"
#include "ui/qt/exchange_actions.h"
#include "ui/qt/main_window.h"
#include "ui/qt/move_list_panel.h"

namespace {

using fudo::HU;
using fudo::KARA;
using fudo::SYA;
using fudo::qt::MainWindow;
using fudo::qt::SceneGeometry;

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void clickCell(MainWindow& w, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at = w.canvas()->toLogical(SceneGeometry::cellX(x + 0.5), SceneGeometry::cellY(y + 0.5));
    QMouseEvent press(QEvent::MouseButtonPress, at, w.canvas()->mapToGlobal(at), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(w.canvas(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.canvas()->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w.canvas(), &release);
    settle(30);
}

// A lower piece moves from (fx, fy) to (tx, ty) when both clicks are legal.
void move(MainWindow& w, int fx, int fy, int tx, int ty) {
    clickCell(w, fx, fy);
    clickCell(w, tx, ty);
}

// Notes the first paint of a widget.
class PaintWatch : public QObject {
public:
    bool seen = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) seen = true;
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fudo-shogi"));
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
    std::filesystem::remove(MainWindow::sessionPath());  // no game of an earlier run is offered

    QString output, record;
    QStringList actions;
    bool analyse = false;
    int gotoMove = -1;
    QSize size;
    double scale = 1.5, since = 0;
    bool startupOnly = false, english = false, promotion = false;
    QString timeControl;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--scale") && i + 1 < args.size()) scale = args[++i].toDouble();
        else if (args[i] == QLatin1String("--since") && i + 1 < args.size()) since = args[++i].toDouble();
        else if (args[i] == QLatin1String("--startup")) startupOnly = true;
        else if (args[i] == QLatin1String("--actions") && i + 1 < args.size()) actions = args[++i].split(QLatin1Char(','));
        else if (args[i] == QLatin1String("--size") && i + 1 < args.size()) {
            const QStringList wh = args[++i].split(QLatin1Char('x'));
            if (wh.size() == 2) size = QSize(wh[0].toInt(), wh[1].toInt());
        }
        else if (args[i] == QLatin1String("--lang") && i + 1 < args.size()) english = args[++i] == QLatin1String("en");
        else if (args[i] == QLatin1String("--time") && i + 1 < args.size()) timeControl = args[++i];
        else if (args[i] == QLatin1String("--promotion")) promotion = true;
        else if (args[i] == QLatin1String("--open") && i + 1 < args.size()) record = args[++i];
        else if (args[i] == QLatin1String("--analyse")) analyse = true;
        else if (args[i] == QLatin1String("--goto") && i + 1 < args.size()) gotoMove = args[++i].toInt();
        else output = args[i];
    }
    if (output.isEmpty() && !startupOnly) {
        std::fprintf(stderr, "usage: fudo-shogi-shot OUTPUT.png [--scale K] [--lang en] | --startup [--since UNIX_SECONDS]\n");
        return 2;
    }

    fudo::qt::BoxAnswerer answerer(&app);
    MainWindow window;  // silent: no sound library
    bool shotTaken = false;
    if (promotion) {
        // The question is a window of its own: the screen around the main window is taken
        // while it stands, then it is answered.
        answerer.setPolicy([&](const QString& text) {
            const bool question = text.contains(QString::fromUtf8("成りますか")) || text.contains(QStringLiteral("Promote"));
            if (shotTaken || !question) return QString();
            settle(300);
            const QRect r = window.frameGeometry();
            shotTaken = window.screen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).save(output);
            return QStringLiteral("yes");
        });
    }
    window.setQuitHandler([] {});
    if (english) window.switchLanguage(fudo::qt::Language::English);

    if (startupOnly) {
        // The time from the script's mark (just before the program was started) to the
        // end of the first paint of the window's drawing.
        PaintWatch watch;
        window.canvas()->installEventFilter(&watch);
        window.start();
        while (!watch.seen) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
        const double now = QDateTime::currentMSecsSinceEpoch() / 1000.0;
        std::printf("board shown after %.0f ms\n", (now - since) * 1000);
        return 0;
    }

    window.start();
    const QSize canvasSize = size.isValid() ? size : (SceneGeometry::naturalSize() * scale).toSize();
    // The drawing at the asked size; the menu bar, the move list and the status line keep
    // their sizes.
    settle(50);
    window.resizeCanvas(canvasSize);
    settle(100);

    if (!record.isEmpty()) {
        window.exchange()->setFileChooser([&record](bool, const QString&, const QString&) { return record; });
        window.action("KIF_READ")->trigger();
        settle(100);
        if (analyse) {
            bool ended = false;
            QObject::connect(window.analysis(), &fudo::qt::AnalysisActions::reviewEnded, [&ended] { ended = true; });
            window.action("ANALYSE")->trigger();
            while (!ended) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
        }
        if (gotoMove >= 0) window.exchange()->panel()->goTo(gotoMove);
        settle(300);
        const QPixmap shot = window.grab();
        std::printf("%s: %dx%d, shown move %d of %d\n", qPrintable(output), shot.width(), shot.height(),
                    window.game().KIFU_NOW, window.game().KIFU_LAST);
        return shot.save(output) ? 0 : 1;
    }

    if (!actions.isEmpty()) {
        for (const QString& a : actions) {
            const QStringList parts = a.split(QLatin1Char(':'));
            if (parts.size() == 3 && parts[0] == QLatin1String("click")) clickCell(window, parts[1].toInt(), parts[2].toInt());
            else if (QAction* action = window.action(a.toUtf8().constData())) action->trigger();
            else std::fprintf(stderr, "no action %s\n", qPrintable(a));
            settle(100);
        }
        if (promotion) return shotTaken ? 0 : 1;
        // The help window, when an action opened it, is the picture.
        QWidget* shown = window.helpWindow() && window.helpWindow()->isVisible() ? static_cast<QWidget*>(window.helpWindow())
                                                                                : static_cast<QWidget*>(&window);
        const QPixmap shot = shown->grab();
        return shot.save(output) ? 0 : 1;
    }

    // Options for a lively picture: move guidance and the clocks.
    if (!window.game().MENU.SIDOU) window.action("SIDOU")->trigger();
    if (!window.game().MENU.KEIKA) window.action("KEIKA")->trigger();
    if (!timeControl.isEmpty()) {
        if (QAction* a = window.action(("TIME_" + timeControl).toUtf8().constData())) a->trigger();
        else std::fprintf(stderr, "no time control %s\n", qPrintable(timeControl));
    }
    window.action("SENTE")->trigger();
    settle(100);

    // A few opening moves of the lower side; the computer answers each. A move the
    // computer's answers have made impossible is left out.
    const int plan[][4] = {{8, 7, 8, 6}, {8, 6, 8, 5}, {3, 9, 4, 8}, {5, 7, 5, 6}, {7, 9, 6, 8}};
    for (const auto& m : plan) {
        auto& g = window.game();
        if (g.TEBAN == 0) break;
        if (g.BAN(m[0], m[1]) > -HU || g.BAN(m[2], m[3]) != KARA) continue;
        move(window, m[0], m[1], m[2], m[3]);
        settle(1100);  // the clock moves on a second
    }
    // Pick the rook, so that its reach is outlined.
    if (window.game().BAN(8, 8) == -SYA) clickCell(window, 8, 8);
    settle(200);

    const QPixmap shot = window.grab();
    if (!shot.save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    std::printf("%s: %dx%d, %d moves, dialogs answered: %lld\n", qPrintable(output), shot.width(), shot.height(),
                window.game().KIFU_NOW, static_cast<long long>(answerer.texts().size()));
    return 0;
}
