// The real window under random input: legal moves, clicks anywhere with either button, every menu item
// but 終わり, the keys, the move list, language switches and resizes, with message boxes
// answered at random and KIF/CSA files chosen in a temporary folder. After every event the
// game must hold its invariants and the window must still run.
// FUDO_WINDOW_MONKEY_SEED and FUDO_WINDOW_MONKEY_EVENTS run other or longer walks by hand.
#include <QAbstractButton>
#include <QAction>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <optional>
#include <random>

#include "tests/support/invariants.h"
#include "ui/qt/box_answerer.h"
#include "ui/qt/end_panel.h"
#include "ui/qt/exchange_actions.h"
#include "ui/qt/move_list_panel.h"
#include "window_test_support.h"

using namespace fudo;
using namespace fudo::qt;
using namespace fudo::qt::test;

class WindowMonkeyTest : public QObject {
    Q_OBJECT
private slots:
    void randomInputKeepsTheGameWhole() {
        const unsigned seed = qEnvironmentVariableIntValue("FUDO_WINDOW_MONKEY_SEED") > 0
                                  ? unsigned(qEnvironmentVariableIntValue("FUDO_WINDOW_MONKEY_SEED"))
                                  : 1u;
        const int events = qEnvironmentVariableIntValue("FUDO_WINDOW_MONKEY_EVENTS") > 0
                               ? qEnvironmentVariableIntValue("FUDO_WINDOW_MONKEY_EVENTS")
                               : 250;
        std::mt19937 rng(seed);
        auto pick = [&rng](int n) { return int(rng() % unsigned(n)); };
        QTemporaryDir files;
        QVERIFY(files.isValid());
        BoxAnswerer answers(nullptr, [&pick](const QString&) {
            return pick(4) == 0 ? QStringLiteral("no") : QStringLiteral("yes");
        });

        // The flow aids on: games end on the board, and the end panel's choices are driven.
        TestWindow::flowAids = true;
        std::optional<TestWindow> w;
        QStringList actions;
        int restarts = 0, moves = 0, endChoices = 0;
        auto open = [&] {
            w.reset();
            w.emplace();
            (*w)->game().LEVEL4_秒 = 0.05;  // the strong computer and the hint, quickly
            (*w)->exchange()->setFileChooser([&files, &pick](bool, const QString&, const QString&) {
                static const char* const names[] = {"a.kif", "b.kifu", "c.csa", "d.txt", ""};
                const char* name = names[pick(5)];
                return *name ? files.filePath(QString::fromLatin1(name)) : QString();
            });
            if (actions.isEmpty())
                for (QAction* a : (*w)->findChildren<QAction*>())
                    if (!a->objectName().isEmpty() && !a->menu() && a->objectName() != QLatin1String("OWARI"))
                        actions << a->objectName();
            actions.removeDuplicates();
        };
        open();
        QVERIFY(actions.size() > 30);

        for (int e = 0; e < events; ++e) {
            MainWindow& win = **w;
            QWidget* board = win.canvas();
            const int before = win.game().KIFU_LAST;
            QString what;
            const int r = pick(100);
            int fx, fy, tx, ty;
            QWidget* panel = win.endPanel();
            if (panel->isVisible() && pick(3) != 0) {
                // One of the end panel's ways on: a new game, saving, or looking at the board.
                static const char* const choices[] = {"END_NEW", "END_SAVE", "END_REVIEW"};
                const char* choice = choices[pick(3)];
                what = QStringLiteral("end panel ") + QLatin1String(choice);
                ++endChoices;
                if (auto* b = panel->findChild<QAbstractButton*>(QLatin1String(choice))) QTest::mouseClick(b, Qt::LeftButton);
            } else if (r < 30 && win.game().TEBAN != 0 && win.game().KIFU_MODE == 0 &&
                fudo::test::randomLegalMove(win.game(), rng, fx, fy, tx, ty)) {
                // A legal move with two clicks, so that games get somewhere.
                const Qt::MouseButton button = pick(4) == 0 ? Qt::RightButton : Qt::LeftButton;
                what = QStringLiteral("move %1,%2 to %3,%4 button %5").arg(fx).arg(fy).arg(tx).arg(ty).arg(int(button));
                clickCell(win, fx, fy);
                clickCell(win, tx, ty, button);
            } else if (r < 42) {
                // A drag from a cell of the board or the stands to another, as the
                // screen shows them.
                const QPoint from = cellPoint(win, pick(13) - 1, pick(9) + 1), to = cellPoint(win, pick(11), pick(10));
                what = QStringLiteral("drag %1,%2 to %3,%4").arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y());
                dragAt(win, from, to);
            } else if (r < 55) {
                // Mostly the cells of the board and the stands, sometimes anywhere.
                QPoint at = pick(5) == 0 ? QPoint(pick(board->width()), pick(board->height()))
                                         : cellPoint(win, pick(14) - 2, pick(12), (pick(8) + 0.5) / 8, (pick(8) + 0.5) / 8);
                const Qt::MouseButton button = pick(4) == 0 ? Qt::RightButton : Qt::LeftButton;
                what = QStringLiteral("click %1 at %2,%3").arg(int(button)).arg(at.x()).arg(at.y());
                clickAt(win, at, button);
            } else if (r < 75) {
                const QString name = actions[pick(int(actions.size()))];
                what = QStringLiteral("item ") + name;
                if (QAction* a = win.action(name.toLatin1().constData()); a && a->isEnabled()) a->trigger();
            } else if (r < 87) {
                static const QKeyCombination keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_F2,
                                                       Qt::Key_H, Qt::Key_F1, Qt::CTRL | Qt::Key_Z,
                                                       Qt::CTRL | Qt::Key_T, Qt::Key_Escape};
                const QKeyCombination key = keys[pick(9)];
                what = QStringLiteral("key %1").arg(key.toCombined());
                win.activateWindow();
                board->setFocus();
                QTest::keyClick(board, key.key(), key.keyboardModifiers());
            } else if (r < 92) {
                what = QStringLiteral("language");
                win.action(pick(2) ? "LANG_EN" : "LANG_JA")->trigger();
            } else if (r < 97) {
                QTableWidget* table = win.exchange()->panel()->table();
                const int row = pick(std::max(1, table->rowCount()));
                what = QStringLiteral("move list row %1").arg(row);
                win.exchange()->panel()->goTo(row);
            } else {
                const QSize size(500 + pick(1000), 350 + pick(700));
                what = QStringLiteral("resize %1x%2").arg(size.width()).arg(size.height());
                win.resize(size);
            }
            settle(2);
            if (qEnvironmentVariableIsSet("FUDO_WINDOW_MONKEY_TRACE")) qInfo("%d %s", e, qPrintable(what));
            if (win.game().KIFU_LAST > before) moves += win.game().KIFU_LAST - before;
            const std::string bad = fudo::test::checkInvariants(win.game());
            QVERIFY2(bad.empty(), qPrintable(QStringLiteral("seed %1 event %2 (%3): %4")
                                                 .arg(seed).arg(e).arg(what, QString::fromStdString(bad))));
            QVERIFY2(!win.isBusy(), qPrintable(what));
            // A game that ended the program starts again, as its player would.
            if (win.hasEnded()) {
                ++restarts;
                if (qEnvironmentVariableIsSet("FUDO_WINDOW_MONKEY_TRACE"))
                    qInfo("ended after: %s", qPrintable(answers.texts().value(answers.texts().size() - 1)));
                open();
            }
        }
        qInfo("window monkey: seed %u, %d events, %d moves made, %d boxes answered, %d restarts, %d end-panel choices",
              seed, events, moves, int(answers.texts().size()), restarts, endChoices);
        TestWindow::flowAids = false;
        QVERIFY(moves > 0);
    }
};

int runWindowMonkeyTests(int argc, char** argv) {
    WindowMonkeyTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "window_monkey_test.moc"
