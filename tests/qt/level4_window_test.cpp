// Level 4 in the window: the search runs on a worker thread while the window keeps its
// event loop (painting, the clock), the board stays shut, and Esc or closing the window
// during the search ends the program at once; the hint plays nothing.
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>
#include <thread>

#include "search/strength.h"
#include "ui/qt/box_answerer.h"
#include "ui/qt/main_window.h"
#include "window_test_support.h"

using namespace fudo;
using namespace fudo::qt;
using namespace fudo::qt::test;

class Level4WindowTest : public QObject {
    Q_OBJECT

    // Starts a game with the computer at level 4 moving first; `during` runs on the main
    // thread every 20 ms while the trigger of GOTE has not returned.
    static void computerFirst(TestWindow& w, double seconds, const std::function<void()>& during) {
        w->action("LEVEL4")->trigger();
        QVERIFY(w->action("LEVEL4")->isChecked());
        QVERIFY(!w->action("LEVEL3")->isChecked());
        w->game().LEVEL4_秒 = seconds;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, during);
        timer.start(20);
        w->action("GOTE")->trigger();
    }

private slots:
    void searchRunsOffTheWindowsThread() {
        BoxAnswerer answers;
        TestWindow w;
        Game& g = w->game();
        const auto mainThread = std::this_thread::get_id();
        int ticksWhileThinking = 0, clicksTried = 0;
        bool wrongThread = false;
        const QPoint pawn = cellPoint(*w, 3, 7);
        computerFirst(w, 0.6, [&] {
            if (std::this_thread::get_id() != mainThread) wrongThread = true;
            if (!w->isThinking()) return;
            ++ticksWhileThinking;
            // A click on the board while the computer thinks goes nowhere.
            if (clicksTried++ == 2)
                QCoreApplication::postEvent(w->canvas(), new QMouseEvent(QEvent::MouseButtonPress, pawn,
                                                                         w->canvas()->mapToGlobal(pawn), Qt::LeftButton,
                                                                         Qt::LeftButton, Qt::NoModifier));
        });
        QVERIFY(!wrongThread);
        // The window's own loop ran during the search (timers, hence painting and the clock).
        QVERIFY2(ticksWhileThinking >= 5, qPrintable(QString::number(ticksWhileThinking)));
        QVERIFY(w->canvas() != nullptr);
        QCOMPARE(g.KIFU_NOW, 1);
        QCOMPARE(g.SENTAKU, 0);
        QVERIFY(g.KIFU_KOMA[1] > 0);  // the computer (upper side) moved
        QCOMPARE(g.TEBAN, g.MAN_SENGO);
        QCOMPARE(w.quits, 0);
        // The board takes clicks again.
        clickCell(*w, 3, 7);
        QCOMPARE(g.SENTAKU, 1);
    }

    void escDuringTheSearchEndsTheProgram() {
        BoxAnswerer answers;
        TestWindow w;
        QElapsedTimer sinceEsc;
        bool sent = false;
        // A search of a minute: only the stop can end it in time.
        computerFirst(w, 60, [&] {
            if (sent || !w->isThinking()) return;
            sent = true;
            sinceEsc.start();
            QTest::keyClick(w->canvas(), Qt::Key_Escape);
        });
        const qint64 ms = sinceEsc.elapsed();
        QVERIFY(sent);
        QVERIFY(w->hasEnded());
        QCOMPARE(w.quits, 1);
        QCOMPARE(w->game().KIFU_NOW, 0);  // the stopped search played nothing
        QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
        qInfo("Esc during the search: program ended after %lld ms", static_cast<long long>(ms));
    }

    void closingDuringTheSearchEndsTheProgram() {
        BoxAnswerer answers;
        TestWindow w;
        QElapsedTimer sinceClose;
        bool sent = false;
        computerFirst(w, 60, [&] {
            if (sent || !w->isThinking()) return;
            sent = true;
            sinceClose.start();
            w->close();
        });
        const qint64 ms = sinceClose.elapsed();
        QVERIFY(sent);
        QVERIFY(w->hasEnded());
        QCOMPARE(w.quits, 1);
        QCOMPARE(w->game().KIFU_NOW, 0);
        QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
        qInfo("closing during the search: program ended after %lld ms", static_cast<long long>(ms));
    }

    void hintOutlinesAMoveAndPlaysNothing() {
        BoxAnswerer answers;
        TestWindow w;
        Game& g = w->game();
        w->action("SENTE")->trigger();
        QCOMPARE(g.TEBAN, g.MAN_SENGO);
        g.LEVEL4_秒 = 0.3;
        const IntMap before = g.BAN;
        w->action("HINT")->trigger();
        QCOMPARE(w->action("HINT")->shortcut(), QKeySequence(Qt::Key_H));
        QVERIFY(g.ヒント_TX >= 1 && g.ヒント_TX <= 9);
        QVERIFY(g.ヒント_TY >= 1 && g.ヒント_TY <= 9);
        // The person's piece (or stand) at the source.
        QVERIFY(g.ヒント_FX == 11 || g.BAN(g.ヒント_FX, g.ヒント_FY) < 0);
        QCOMPARE(g.KIFU_NOW, 0);
        QCOMPARE(g.TEBAN, g.MAN_SENGO);
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y) QCOMPARE(g.BAN(x, y), before(x, y));
        QCOMPARE(w.quits, 0);

        // The status line names the move, in the window's language even after a switch.
        QLabel* line = w->statusLine();
        QVERIFY2(line->text().startsWith(QString::fromUtf8("ヒント：")), qPrintable(line->text()));
        w->action("LANG_EN")->trigger();
        const bool drop = g.ヒント_FX == 11 || g.ヒント_FX == -1;
        const QString to = QString::number(10 - g.ヒント_TX) + QChar(u'a' + g.ヒント_TY - 1);
        const QString from = QString::number(10 - g.ヒント_FX) + QChar(u'a' + g.ヒント_FY - 1);
        static const QRegularExpression western(QStringLiteral("^Hint: \\+?[PLNSGBRK](\\*|[1-9][a-i][-x])[1-9][a-i]\\+?$"));
        QVERIFY2(western.match(line->text()).hasMatch(), qPrintable(line->text()));
        QVERIFY2(line->text().contains(drop ? QLatin1Char('*') + to : from), qPrintable(line->text()));
        QVERIFY2(line->text().endsWith(to) || line->text().endsWith(to + QLatin1Char('+')), qPrintable(line->text()));
        w->action("LANG_JA")->trigger();
        QVERIFY2(line->text().startsWith(QString::fromUtf8("ヒント：")), qPrintable(line->text()));
    }

    // The steps in the level menu: chosen, ticked, remembered by the next window, kept in
    // the session; after a lost game the status line suggests the rung below.
    // The steps stand between LEVEL3 and full LEVEL4, weakest first, and the board names
    // the step played; hiding the steps names full LEVEL4 again.
    void stepsStandBetweenLevel3AndLevel4AndAreNamedOnTheBoard() {
        BoxAnswerer answers;
        TestWindow w;
        const QList<QAction*> items = w->findChild<QMenu*>(QStringLiteral("LEVEL"))->actions();
        int previous = items.indexOf(w->action("LEVEL3"));
        QVERIFY(previous >= 0);
        for (int k = 1; w->action(QStringLiteral("STEP%1").arg(k).toLatin1().constData()); ++k) {
            const int at = items.indexOf(w->action(QStringLiteral("STEP%1").arg(k).toLatin1().constData()));
            QVERIFY2(at > previous, qPrintable(QString::number(k)));
            previous = at;
        }
        QVERIFY(items.indexOf(w->action("LEVEL4")) > previous);

        // The level caption: the last white text drawn in the corner above the left stand.
        auto caption = [&] {
            QString shown;
            for (const auto& op : w->canvas()->drawing().operations())
                if (op.kind == RetainedDrawing::Op::Kind::Text && op.code == 15 && op.y < 0.5 && op.x > -1 && op.x < 1)
                    shown = op.text;
            return shown;
        };
        w->action("SENTE")->trigger();
        w->action("STEP3")->trigger();
        QCOMPARE(caption(), QStringLiteral("4-3"));
        w->action("AID_LADDER")->trigger();
        QCOMPARE(w->game().COM_STEP, 0);
        QCOMPARE(caption(), QStringLiteral(" 4 "));
        w->action("AID_LADDER")->trigger();
    }

    void stepsInTheLevelMenu() {
        BoxAnswerer answers;
        // With the flow aid the game ends without its box, on the board: the same suggestion.
        for (bool flow : {false, true}) {
            TestWindow::flowAids = flow;
            TestWindow w;
            TestWindow::flowAids = false;
            Game& g = w->game();
            QVERIFY(w->action("STEP1")->isVisible());
            QVERIFY(w->action("STEP1")->text().startsWith(QStringLiteral("LEVEL4-1")));
            w->action("STEP3")->trigger();
            QCOMPARE(g.COM_LEVEL, 4);
            QCOMPARE(g.COM_STEP, 3);
            QVERIFY(w->action("STEP3")->isChecked());
            QVERIFY(!w->action("LEVEL4")->isChecked() && !w->action("STEP1")->isChecked());

            // Against step 3, the person moves the king and loses: step 2 is suggested,
            // quietly, and the step stays chosen for the new game.
            w->action("SENTE")->trigger();
            clickCell(*w, 5, 9);
            clickCell(*w, 5, 8);
            QLabel* line = w->statusLine();
            QVERIFY2(line->text().contains(QStringLiteral("LEVEL4-2")), qPrintable(line->text()));
            QVERIFY2(line->text().startsWith(QString::fromUtf8("負けました")), qPrintable(line->text()));
            w->action("LANG_EN")->trigger();
            QVERIFY2(line->text().startsWith(QStringLiteral("You lost.")), qPrintable(line->text()));
            w->action("LANG_JA")->trigger();
            QCOMPARE(g.COM_STEP, 3);
            QCOMPARE(g.終局.終わった(), flow);  // the flow aid keeps the finished game
        }
        TestWindow::keepSettings = true;
        {
            TestWindow w;
            QCOMPARE(w->game().COM_LEVEL, 4);
            QCOMPARE(w->game().COM_STEP, 3);
            QVERIFY(w->action("STEP3")->isChecked());
            // A level forgets the step, and so does the next window.
            w->action("LEVEL2")->trigger();
            QCOMPARE(w->game().COM_STEP, 0);
            QVERIFY(!w->action("STEP3")->isChecked() && w->action("LEVEL2")->isChecked());
        }
        {
            TestWindow w;
            QCOMPARE(w->game().COM_STEP, 0);
            w->action("STEP5")->trigger();
            // Without the steps shown, level 4 plays at full strength.
            w->action("AID_LADDER")->trigger();
            QVERIFY(!w->action("STEP5")->isVisible());
            QCOMPARE(w->game().COM_STEP, 0);
            QVERIFY(w->action("LEVEL4")->isChecked());
            w->action("AID_LADDER")->trigger();
        }
        // The top step is in the menu, chosen and remembered like any other.
        const QByteArray top = QByteArray("STEP") + QByteArray::number(search::StepCount);
        {
            TestWindow w;
            QVERIFY(w->action(top.constData())->isVisible());
            w->action(top.constData())->trigger();
            QCOMPARE(w->game().COM_STEP, search::StepCount);
        }
        {
            TestWindow w;
            QCOMPARE(w->game().COM_STEP, search::StepCount);
            QVERIFY(w->action(top.constData())->isChecked());
            w->action("LEVEL4")->trigger();
        }
        TestWindow::keepSettings = false;
    }
};

int runLevel4WindowTests(int argc, char** argv) {
    Level4WindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "level4_window_test.moc"
