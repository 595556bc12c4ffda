// The main window driven as a person would: menu actions, clicks on the board, message
// boxes answered by a watcher.
#include <QApplication>
#include <array>
#include <QGuiApplication>
#include <filesystem>
#include <fstream>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QTextBrowser>
#include <QtTest>

#include "ui/qt/main_window.h"
#include "ui/qt/analysis_actions.h"
#include "ui/qt/box_answerer.h"
#include "ui/qt/end_panel.h"
#include "ui/qt/exchange_actions.h"
#include "ui/qt/help_window.h"
#include "ui/qt/move_list_panel.h"
#include "ui/qt/qt_dialogs.h"
#include "window_test_support.h"

using namespace fudo;
using namespace fudo::qt;
using namespace fudo::qt::test;

namespace {

QStringList checked(const MainWindow& w) {
    QStringList names;
    for (QAction* a : w.findChildren<QAction*>())
        if (a->isChecked()) names << a->objectName();
    names.sort();
    return names;
}

// The lower pawns' columns whose square ahead is empty.
int pawnToAdvance(Game& g) {
    for (int x : {3, 7, 2, 6, 4, 1, 9, 8, 5})
        for (int y = 9; y >= 2; --y)
            if (g.BAN(x, y) == -HU && g.BAN(x, y - 1) == KARA) return x * 10 + y;
    return 0;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
private slots:
    void everyItemOfTheGamesMenusReachesItsCommand() {
        BoxAnswerer answers;
        TestWindow w;
        Game& g = w->game();
        QStringList checkable;
        for (QAction* a : w->findChildren<QAction*>())
            if (a->isCheckable()) checkable << a->objectName();
        checkable.sort();
        QCOMPARE(checkable, QStringList({"AID_DRAG", "AID_FLOW", "AID_GUIDE", "AID_LADDER", "AID_LAST", "AID_PROMOTE", "AID_REASON",
                                         "AID_TURN", "ANALYSIS_VIEW", "BGM", "KEIKA", "LANG_EN", "LANG_JA", "LEVEL1", "LEVEL2",
                                         "LEVEL3", "LEVEL4", "LIVE_ANALYSIS", "MIDORI", "MOVE_LIST", "RENGA", "SIDOU", "STEP1",
                                         "STEP10", "STEP11", "STEP2", "STEP3", "STEP4", "STEP5", "STEP6", "STEP7", "STEP8",
                                         "STEP9", "TAKE", "TATAMI", "TIME_10m",
                                         "TIME_10m+30s", "TIME_30s", "TIME_3m", "TIME_5m+10s/move", "TIME_none", "UCHU"}));
        // At start-up the level is 3 and one background is ticked.
        const QStringList ticks = checked(*w);
        QVERIFY(ticks.contains("LEVEL3"));
        QVERIFY(!ticks.contains("LEVEL1") && !ticks.contains("LEVEL2") && !ticks.contains("LEVEL4"));
        for (const char* aid : {"AID_TURN", "AID_LAST", "AID_GUIDE", "AID_REASON", "AID_LADDER"}) QVERIFY(ticks.contains(aid));
        int backgrounds = 0;
        for (const char* name : {"MIDORI", "TATAMI", "TAKE", "UCHU", "RENGA"}) backgrounds += ticks.contains(name);
        QCOMPARE(backgrounds, 1);

        // Each item in turn, on the state the ones before it left, with what it must do.
        const bool guidance = g.MENU.SIDOU, clock = g.MENU.KEIKA, music = g.MENU.BGM;
        auto shown = [&](const char* text) { return answers.texts().join('|').contains(QString::fromUtf8(text)); };
        const std::pair<const char*, std::function<bool()>> items[] = {
            {"LEVEL1", [&] { return g.COM_LEVEL == 1; }},
            {"LEVEL2", [&] { return g.COM_LEVEL == 2; }},
            {"LEVEL4", [&] { return g.COM_LEVEL == 4 && g.COM_STEP == 0; }},
            {"STEP2", [&] { return g.COM_LEVEL == 4 && g.COM_STEP == 2; }},
            {"LEVEL3", [&] { return g.COM_LEVEL == 3; }},
            {"TATAMI", [&] { return g.HAIKEI_NOW == HAIKEI_TATAMI; }},
            {"TAKE", [&] { return g.HAIKEI_NOW == HAIKEI_TAKE; }},
            {"UCHU", [&] { return g.HAIKEI_NOW == HAIKEI_UCHU; }},
            {"RENGA", [&] { return g.HAIKEI_NOW == HAIKEI_RENGA; }},
            {"MIDORI", [&] { return g.HAIKEI_NOW == HAIKEI_MIDORI; }},
            {"SIDOU", [&] { return g.MENU.SIDOU != guidance; }},
            {"KEIKA", [&] { return g.MENU.KEIKA != clock; }},
            {"BGM", [&] { return g.MENU.BGM != music; }},
            {"VER", [&] { return shown("不動将棋 (Fudō Shogi)"); }},
            {"LBEL_UP", [&] { return g.HANDE_LEVEL == 1; }},
            {"LEBEL_DOWN", [&] { return g.HANDE_LEVEL == 0; }},
            {"KIFU_READ", [&] { return w->recordControls()->fileList()->isVisible(); }},
            {"KIFU_WRITE", [&] { return w->recordControls()->textBox(1)->isVisible(); }},
            {"HINT", [&] { return w->statusLine()->text() == QString::fromUtf8("対局中ではないのでヒントは出せません"); }},
            {"REPLAY", [&] { return shown("できません"); }},
            {"START", [&] { return g.TAIKYOKU_MODE == MODE_MAN && g.TEBAN == g.TE_SENTE; }},
            {"REVERSE", [&] { return g.HANTEN_FLAG == 1; }},
            {"CANCEL", [&] { return g.TEBAN == 0 && g.HANTEN_FLAG == 0; }},
            {"SENTE", [&] { return g.TAIKYOKU_MODE == MODE_COM && g.MAN_SENGO == g.TE_SENTE && g.KIFU_NOW == 0; }},
            {"AFTER", [&] { return shown("できません"); }},
            {"CANCEL", [&] { return g.TEBAN == 0; }},
            {"GOTE", [&] { return g.TAIKYOKU_MODE == MODE_COM && g.MAN_SENGO == g.TE_GOTE && g.KIFU_NOW == 1; }},
            {"HELP", [&] { return w->helpWindow() && w->helpWindow()->isVisible(); }},
            {"OWARI", [&] { return w.quits == 1; }},
        };
        for (const auto& [name, done] : items) {
            answers.clear();
            w->action(name)->trigger();
            settle(5);
            QVERIFY2(done(), name);
        }
    }

    void menuTicksMirrorTheGame() {
        BoxAnswerer answers;
        TestWindow w;
        w->action("LEVEL1")->trigger();
        QCOMPARE(w->game().COM_LEVEL, 1);
        QVERIFY(w->action("LEVEL1")->isChecked());
        QVERIFY(!w->action("LEVEL3")->isChecked());
        // Choosing the ticked item again keeps its tick (the game says so, not Qt's toggle).
        w->action("LEVEL1")->trigger();
        QVERIFY(w->action("LEVEL1")->isChecked());

        w->action("TATAMI")->trigger();
        QCOMPARE(w->game().HAIKEI_NOW, HAIKEI_TATAMI);
        QVERIFY(w->action("TATAMI")->isChecked());
        QVERIFY(!w->action("MIDORI")->isChecked());

        const bool guidance = w->action("SIDOU")->isChecked();
        w->action("SIDOU")->trigger();
        QCOMPARE(w->action("SIDOU")->isChecked(), !guidance);
        QCOMPARE(w->game().MENU.SIDOU, !guidance);
        w->action("SIDOU")->trigger();
        QCOMPARE(w->action("SIDOU")->isChecked(), guidance);
    }

    void headingsPutTheRecordControlsAway() {
        BoxAnswerer answers;
        TestWindow w;
        w->action("KIFU_READ")->trigger();
        QVERIFY(w->recordControls()->folderList()->isVisible());
        QVERIFY(w->recordControls()->fileList()->isVisible());
        emit w->findChild<QMenu*>("TAIKYOKU")->aboutToShow();
        QVERIFY(!w->recordControls()->folderList()->isVisible());
        QVERIFY(!w->recordControls()->fileList()->isVisible());

        w->action("KIFU_WRITE")->trigger();
        QVERIFY(w->recordControls()->textBox(1)->isVisible());
        QVERIFY(w->recordControls()->returnButton()->isVisible());
        // The controls sit where the game places them, scaled with the drawing.
        const QRect box = w->recordControls()->textBox(1)->geometry();
        const QPointF topLeft = w->canvas()->toLogical(960, 3120);
        QVERIFY(qAbs(box.left() - topLeft.x()) <= 1 && qAbs(box.top() - topLeft.y()) <= 1);
        const QRect button = w->recordControls()->returnButton()->geometry();
        const QPointF buttonAt = w->canvas()->toLogical(3360, 3000);
        QVERIFY(qAbs(button.left() - buttonAt.x()) <= 1 && qAbs(button.top() - buttonAt.y()) <= 1);
        emit w->findChild<QMenu*>("OPTION")->aboutToShow();
        QVERIFY(!w->recordControls()->textBox(1)->isVisible());
        QVERIFY(!w->recordControls()->returnButton()->isVisible());
    }

    void boardClicksReachTheirCell_data() {
        QTest::addColumn<QSize>("canvasSize");
        QTest::newRow("natural") << QSize(633, 500);
        QTest::newRow("wide, enlarged") << QSize(1300, 760);
        QTest::newRow("tall, shrunk") << QSize(420, 700);
    }

    void boardClicksReachTheirCell() {
        QFETCH(QSize, canvasSize);
        BoxAnswerer answers;
        TestWindow w(canvasSize);
        QCOMPARE(w->canvas()->size(), canvasSize);
        w->action("START")->trigger();  // two persons: the lower side moves first
        QCOMPARE(w->game().TEBAN, w->game().TE_SENTE);
        QSignalSpy pressed(w.window.get(), &MainWindow::boardPressed);

        // Centre and corners of the lower side's pieces: each click picks that piece.
        struct Probe { int x, y; double fx, fy; };
        const Probe probes[] = {{3, 7, 0.5, 0.5}, {8, 8, 0.1, 0.1}, {2, 8, 0.9, 0.9}, {9, 9, 0.9, 0.1},
                                {1, 7, 0.1, 0.9}, {5, 9, 0.5, 0.2}};
        for (const Probe& p : probes) {
            clickAt(*w, cellPoint(*w, p.x, p.y, p.fx, p.fy));
            QCOMPARE(w->game().SENTAKU, 1);
            QCOMPARE(w->game().SENTAKU_X, p.x);
            QCOMPARE(w->game().SENTAKU_Y, p.y);
            const QList<QVariant> args = pressed.takeLast();
            int col = 0, row = 0;
            Game::座標から桝(args.at(1).toDouble(), args.at(2).toDouble(), col, row);
            QCOMPARE(col, p.x);
            QCOMPARE(row, p.y);
        }
        // A right click arrives as button 2.
        clickAt(*w, cellPoint(*w, 4, 3), Qt::RightButton);
        QCOMPARE(pressed.takeLast().at(0).toInt(), 2);
    }

    void refusedClicksSayWhyInTheStatusLine() {
        BoxAnswerer answers;
        TestWindow w;
        QLabel* line = w->statusLine();
        QVERIFY(line && line->isVisible());
        QVERIFY(line->text().isEmpty());
        clickCell(*w, 3, 7);  // no game yet
        QCOMPARE(line->text(), QString::fromUtf8("対局を始めて下さい"));
        w->action("START")->trigger();
        QVERIFY(line->text().isEmpty());
        clickCell(*w, 3, 3);
        QCOMPARE(line->text(), QString::fromUtf8("相手の駒です"));
        clickCell(*w, 3, 7);
        clickCell(*w, 3, 5);
        QCOMPARE(line->text(), QString::fromUtf8("その駒はそこへ動けません"));
        clickCell(*w, 3, 7);
        QVERIFY(line->text().isEmpty());
        // The line sits below the drawing, which keeps its size.
        QVERIFY(line->mapTo(w.window.get(), QPoint(0, 0)).y() >= w->canvas()->geometry().bottom());
    }

    void keysReachTheirCommandsButNotFromTheTextBoxes() {
        BoxAnswerer answers;
        TestWindow w;
        Game& g = w->game();
        const struct { const char* name; QKeySequence key; } keys[] = {
            {"REPLAY", QKeySequence(Qt::Key_Left)},  {"AFTER", QKeySequence(Qt::Key_Right)},
            {"KIFU_WRITE", QKeySequence(Qt::CTRL | Qt::Key_S)},
            {"KIFU_READ", QKeySequence(Qt::CTRL | Qt::Key_O)}, {"NEW_COM", QKeySequence(Qt::Key_F2)},
            {"HELP", QKeySequence(Qt::Key_F1)},
        };
        for (const auto& k : keys) QCOMPARE(w->action(k.name)->shortcut(), k.key);
        // Home has a shortcut of its own, shown beside 最初, which itself asks nothing.
        QCOMPARE(w->findChild<QShortcut*>(QStringLiteral("CANCEL_KEY"))->key(), QKeySequence(Qt::Key_Home));
        QVERIFY(w->action("CANCEL")->text().endsWith(QStringLiteral("\tHome")));

        w->action("START")->trigger();
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        QCOMPARE(g.KIFU_NOW, 1);
        QWidget* board = w->canvas();
        // Message boxes took the focus; the offscreen platform does not give it back.
        auto activate = [&] {
            w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
            board->setFocus();
        };
        activate();
        QTest::keyClick(board, Qt::Key_Left);
        QCOMPARE(g.KIFU_NOW, 0);
        // Home gives up a game with moves only when the player says so, even one stepped
        // back to its start.
        answers.clear();
        answers.setPolicy([](const QString&) { return QStringLiteral("no"); });
        QTest::keyClick(board, Qt::Key_Home);
        QCOMPARE(answers.texts(), QStringList{QString::fromUtf8("対局をやめて最初の局面に戻りますか？")});
        QCOMPARE(g.KIFU_LAST, 1);
        QCOMPARE(g.TAIKYOKU_MODE, MODE_MAN);
        QVERIFY(g.TEBAN != 0);
        answers.setPolicy({});
        activate();
        QTest::keyClick(board, Qt::Key_Right);
        QCOMPARE(g.KIFU_NOW, 1);
        QTest::keyClick(board, Qt::Key_Home);
        QCOMPARE(g.KIFU_NOW, 0);
        QCOMPARE(g.TEBAN, 0);
        answers.clear();
        activate();
        QTest::keyClick(board, Qt::Key_Home);  // nothing left to give up: no question
        QVERIFY(answers.texts().isEmpty());
        QTest::keyClick(board, Qt::Key_O, Qt::ControlModifier);
        QVERIFY(w->recordControls()->fileList()->isVisible());
        QTest::keyClick(board, Qt::Key_S, Qt::ControlModifier);
        QLineEdit* box = w->recordControls()->textBox(1);
        QVERIFY(box->isVisible());

        // Typed into a text box, the same keys edit the text and command nothing.
        answers.clear();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("abc"));
        QTest::keyClick(box, Qt::Key_Left);
        QCOMPARE(box->cursorPosition(), 2);
        QTest::keyClick(box, Qt::Key_Right);
        QTest::keyClick(box, Qt::Key_Home);
        QCOMPARE(box->cursorPosition(), 0);
        for (auto [key, mods] : {std::pair{Qt::Key_O, Qt::ControlModifier}, {Qt::Key_F2, Qt::NoModifier},
                                  {Qt::Key_F1, Qt::NoModifier}, {Qt::Key_Escape, Qt::NoModifier}})
            QTest::keyClick(box, key, mods);
        QCOMPARE(g.KIFU_NOW, 0);
        QCOMPARE(g.TAIKYOKU_MODE, MODE_MAN);
        QVERIFY(box->isVisible() && box->text() == QStringLiteral("abc"));
        QVERIFY2(answers.texts().isEmpty(), qPrintable(answers.texts().join('|')));
        QVERIFY(!w->hasEnded());
        QVERIFY(!w->helpWindow());

        // F1: the help window, beside the game; the about box is reached from it.
        activate();
        QTest::keyClick(board, Qt::Key_F1);
        QVERIFY(answers.texts().isEmpty());
        QVERIFY(w->helpWindow() && w->helpWindow()->isVisible());
        QVERIFY(w->helpWindow()->browser()->toPlainText().contains(QString::fromUtf8("王は動かない")));
        QTest::mouseClick(w->helpWindow()->findChild<QPushButton*>(QStringLiteral("HELP_ABOUT")), Qt::LeftButton);
        settle(50);
        QVERIFY(answers.texts().size() == 1 && answers.texts().first().startsWith(QString::fromUtf8("不動将棋")));
        w->switchLanguage(Language::English);
        QVERIFY(w->helpWindow()->browser()->toPlainText().contains(QStringLiteral("the king never moves")));
        w->switchLanguage(Language::Japanese);
        w->helpWindow()->close();
        // F2: a new game against the computer (最初 above ended the two-person game).
        activate();
        QTest::keyClick(board, Qt::Key_F2);
        QCOMPARE(g.TAIKYOKU_MODE, MODE_COM);
        QCOMPARE(g.MAN_SENGO, g.TE_SENTE);
        QCOMPARE(g.KIFU_LAST, 0);
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        QCOMPARE(g.KIFU_LAST, 2);
        // The side chosen last is kept; a game with moves is given up only on Yes, even
        // when stepped back to its start (後手 in the menu asks too, and No keeps the game).
        answers.clear();
        answers.setPolicy([](const QString& text) {
            return text == QString::fromUtf8("対局をやめて新しい対局を始めますか？") ? QStringLiteral("no") : QString();
        });
        w->action("GOTE")->trigger();
        QVERIFY(answers.texts().contains(QString::fromUtf8("対局をやめて新しい対局を始めますか？")));
        QCOMPARE(g.KIFU_LAST, 2);
        w->action("REPLAY")->trigger();
        w->action("REPLAY")->trigger();
        QCOMPARE(g.KIFU_NOW, 0);
        answers.clear();
        activate();
        QTest::keyClick(board, Qt::Key_F2);
        QVERIFY(answers.texts().contains(QString::fromUtf8("対局をやめて新しい対局を始めますか？")));
        QCOMPARE(g.KIFU_LAST, 2);
        answers.setPolicy({});
        activate();
        QTest::keyClick(board, Qt::Key_F2);
        QCOMPARE(g.MAN_SENGO, g.TE_GOTE);
        QCOMPARE(g.KIFU_NOW, 1);  // the computer opened
        QVERIFY(g.KIFU_KOMA[1] >= HU);
    }

    void marksAreDrawnAndSwitchedOff() {
        BoxAnswerer answers;
        TestWindow w(QSize(1266, 1000));
        const RetainedDrawing& d = w->canvas()->drawing();
        auto tintAt = [&](int x, int y) {
            Tint t = Tint::None;
            for (const auto& op : d.operations())
                if (op.kind == RetainedDrawing::Op::Kind::Picture && op.x == x && op.y == y) t = op.tint;
            return t;
        };
        auto hasText = [&](const char* s) {
            for (const auto& op : d.operations())
                if (op.kind == RetainedDrawing::Op::Kind::Text && op.text == QString::fromUtf8(s)) return true;
            return false;
        };
        w->action("SIDOU")->trigger();
        w->action("START")->trigger();
        QVERIFY(hasText("▲手番"));
        clickCell(*w, 7, 7);
        QCOMPARE(tintAt(7, 6), Tint::Reach);
        clickCell(*w, 7, 6);
        QCOMPARE(tintAt(7, 7), Tint::LastFrom);
        QCOMPARE(tintAt(7, 6), Tint::LastTo);
        QVERIFY(hasText("△手番"));
        // The tint shows on the screen at twice the size: the wood of the destination is
        // not the wood of a plain square.
        const QImage img = w->canvas()->grab().toImage();
        const QPoint a = cellPoint(*w, 7, 6, 0.12, 0.12), b = cellPoint(*w, 5, 6, 0.12, 0.12);
        QVERIFY(img.pixel(a) != img.pixel(b));

        w->action("AID_LAST")->trigger();
        w->action("AID_TURN")->trigger();
        QCOMPARE(tintAt(7, 6), Tint::None);
        QVERIFY(!hasText("△手番"));
        QVERIFY(!w->settings().flag(QStringLiteral("aids/lastMove"), true));
        w->action("AID_REASON")->trigger();
        QVERIFY(!w->statusLine()->isVisible());
        // The ticks are kept: a new window starts with them.
        TestWindow::keepSettings = true;
        TestWindow again;
        TestWindow::keepSettings = false;
        QVERIFY(!again->action("AID_LAST")->isChecked() && !again->action("AID_REASON")->isChecked());
        QVERIFY(again->action("AID_GUIDE")->isChecked());
        QCOMPARE(again->game().補助, (補助設定{false, false, true, true, true}));
    }

    void aBrokenSettingsFileGivesTheDefaults() {
        BoxAnswerer answers;
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        QFile f(dir + QLatin1Char('/') + WindowSettings::fileName());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[aids\nturn=banana\n\x01\x02garbage=\n[aids]\nlastMove=maybe\nreasons=0\n");
        f.close();
        TestWindow::keepSettings = true;
        TestWindow w;
        TestWindow::keepSettings = false;
        for (const char* aid : {"AID_TURN", "AID_LAST", "AID_GUIDE", "AID_REASON", "AID_FLOW"}) QVERIFY(w->action(aid)->isChecked());
        QCOMPARE(w->game().補助, (補助設定{true, true, true, true, true, true}));
    }

    void menusAndBoxesFollowTheScale() {
        BoxAnswerer answers;
        TestWindow w;
        const qreal small = w->menuBar()->font().pointSizeF();
        QCOMPARE(w->uiScale(), 1.0);
        w.resizeCanvas(QSize(1266, 1000));
        QCOMPARE(w->uiScale(), 2.0);
        QCOMPARE(w->menuBar()->font().pointSizeF(), 2 * small);
        QCOMPARE(w->findChild<QMenu*>("LEVEL")->font().pointSizeF(), 2 * small);
        QCOMPARE(w->statusLine()->font().pointSizeF(), 2 * small);
        QCOMPARE(w->dialogs().font().pointSizeF(), 2 * small);
        // And back, without settling between two sizes.
        w.resizeCanvas(QSize(700, 560));
        QCOMPARE(w->uiScale(), 1.0);
        QCOMPARE(w->menuBar()->font().pointSizeF(), small);
    }

    // Under a time control the clock runs while a question is open: running out there
    // closes it and loses, the move not made. A loss on time while the window is idle
    // ends the game as any end does: the end panel at once, and the game no longer kept.
    void aTimeControlRunsOutInABoxAndWhileIdle() {
        const std::filesystem::path file = MainWindow::sessionPath();
        const QString king = QString::fromUtf8("王を動かすと負けです。指しますか？");
        BoxAnswerer answers(nullptr, [king](const QString& text) { return text == king ? QStringLiteral("none") : QStringLiteral("yes"); });
        TestWindow::flowAids = true;
        TestWindow w;
        TestWindow::flowAids = false;
        Game& g = w->game();
        g.持ち時間設定 = {持ち時間方式::秒読み, 0, 2, 0};
        w->action("SENTE")->trigger();
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        QCOMPARE(g.KIFU_NOW, 2);
        QVERIFY(std::filesystem::exists(file));
        // Left open, the question would be answered Yes after six seconds: the king moves.
        QTimer::singleShot(6000, &answers, [&answers] { answers.setPolicy({}); });
        clickCell(*w, 5, 9);
        clickCell(*w, 5, 8);
        settle(300);
        QVERIFY(answers.texts().contains(king));
        QCOMPARE(int(g.終局.理由), int(終局理由::時間切れ));
        QCOMPARE(g.KIFU_LAST, 2);
        QVERIFY(w->endPanel()->isVisible());

        // Idle: the byoyomi runs out with no click.
        answers.setPolicy({});
        w->action("SENTE")->trigger();
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        QCOMPARE(g.KIFU_NOW, 2);
        QVERIFY(std::filesystem::exists(file));
        QVERIFY(!w->endPanel()->isVisible());
        settle(2600);
        QCOMPARE(int(g.終局.理由), int(終局理由::時間切れ));
        QVERIFY(w->endPanel()->isVisible());
        QVERIFY2(!std::filesystem::exists(file), "a game lost on time is not offered back");
    }

    void anUnfinishedGameIsOfferedBackAtTheNextStart() {
        std::filesystem::path file = MainWindow::sessionPath();
        IntMap before;
        {
            BoxAnswerer answers;
            TestWindow w;
            w->action("SENTE")->trigger();
            clickCell(*w, 7, 7);
            clickCell(*w, 7, 6);
            QVERIFY(std::filesystem::exists(file));
            QTest::keyClick(w->canvas(), Qt::Key_Escape);  // ends the program at once
            QVERIFY(w->hasEnded());
            before = w->game().BAN;
        }
        QVERIFY(std::filesystem::exists(file));
        {
            BoxAnswerer answers;  // Yes
            TestWindow::keepSession = true;
            TestWindow w;
            QVERIFY(answers.texts().contains(QString::fromUtf8("前回の対局を続けますか？")));
            QVERIFY(w->game().BAN == before);
            QCOMPARE(w->game().KIFU_NOW, 2);
            QCOMPARE(w->game().TAIKYOKU_MODE, MODE_COM);
            w->close();
        }
        {
            BoxAnswerer answers(nullptr, [](const QString&) { return QStringLiteral("no"); });
            TestWindow w;
            QVERIFY(answers.texts().contains(QString::fromUtf8("前回の対局を続けますか？")));
            QCOMPARE(w->game().TEBAN, 0);
            QVERIFY(!std::filesystem::exists(file));  // No clears it
        }
        {
            std::ofstream(file) << "{\"format\":\"fudo-shogi-session\",\"version\":1,\"state\":{\"TEBAN\"";
            BoxAnswerer answers;
            TestWindow w;
            TestWindow::keepSession = false;
            QCOMPARE(answers.texts(), QStringList{QString::fromUtf8("前回の対局は読めないので使いません")});
            QVERIFY(!std::filesystem::exists(file));
            QCOMPARE(w->game().TEBAN, 0);
            w->action("START")->trigger();  // the program goes on as usual
            QCOMPARE(w->game().TEBAN, w->game().TE_SENTE);
        }
    }

    void wholeGameAgainstTheComputer() {
        BoxAnswerer answers;  // answers Yes: after the game, "続けますか？" leads to a new one
        TestWindow w(QSize(800, 632));
        Game& g = w->game();
        w->action("SENTE")->trigger();
        QCOMPARE(g.TAIKYOKU_MODE, MODE_COM);
        QCOMPARE(g.TEBAN, g.MAN_SENGO);
        QVERIFY(answers.texts().contains(QString::fromUtf8("MANの番です")));

        for (int move = 1; move <= 3; ++move) {
            const int from = pawnToAdvance(g);
            QVERIFY(from != 0);
            const int x = from / 10, y = from % 10;
            const int pieces = g.駒総数();
            clickCell(*w, x, y);
            QCOMPARE(g.SENTAKU, 1);
            clickCell(*w, x, y - 1);  // the computer answers inside this click
            QCOMPARE(g.BAN(x, y - 1), -HU);
            QCOMPARE(g.KIFU_NOW, 2 * move);
            QVERIFY2(g.KIFU_KOMA[2 * move] >= HU, "the computer moved one of its pieces");
            QCOMPARE(g.TEBAN, g.MAN_SENGO);
            QCOMPARE(g.駒総数(), pieces);
        }
        // Moving one's own king loses at once; the answer Yes sets up a new game.
        QVERIFY(g.BAN(5, 8) == KARA);
        clickCell(*w, 5, 9);
        clickCell(*w, 5, 8);
        QVERIFY(answers.texts().contains(QString::fromUtf8("続けますか？")));
        QCOMPARE(g.TEBAN, 0);
        QCOMPARE(g.BAN(5, 9), SITA_OU_MAE);
        QCOMPARE(w.quits, 0);
        QVERIFY(!w->isBusy());
    }

    void recordFileWrittenAndReadThroughTheControls() {
        BoxAnswerer answers;
        TestWindow w;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        RecordControls& controls = *w->recordControls();
        controls.setFolder(folder.path());
        Game& g = w->game();
        w->action("SENTE")->trigger();
        clickCell(*w, 3, 7);
        clickCell(*w, 3, 6);
        QCOMPARE(g.KIFU_NOW, 2);

        // Save: the boxes as a person fills them, then RETURN.
        w->action("KIFU_WRITE")->trigger();
        QVERIFY(controls.textBox(1)->isVisible());
        QVERIFY(controls.folderList()->isVisible());
        QVERIFY(!controls.fileList()->isVisible());
        controls.textBox(1)->setText(QString::fromUtf8("練習1"));
        controls.textBox(2)->setText(QString::fromUtf8("平手"));
        controls.textBox(3)->setText(QString::fromUtf8("先手さん"));
        QTest::keyClicks(controls.textBox(4), QStringLiteral("COM"));
        answers.clear();
        QTest::mouseClick(controls.returnButton(), Qt::LeftButton);
        QVERIFY2(answers.texts().contains(QString::fromUtf8("棋譜を書き込みました")), qPrintable(answers.texts().join('|')));
        const QString file = QString::fromUtf8("練習1.棋譜");
        QVERIFY(QFileInfo::exists(folder.filePath(file)));
        QVERIFY(!controls.textBox(1)->isVisible());
        QVERIFY(controls.textBox(1)->text().isEmpty());

        // Read it back by clicking it in the file list.
        w->action("KIFU_READ")->trigger();
        QVERIFY(controls.fileList()->isVisible());
        const QList<QListWidgetItem*> items = controls.fileList()->findItems(file, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        answers.clear();
        QTest::mouseClick(controls.fileList()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          controls.fileList()->visualItemRect(items.first()).center());
        QVERIFY2(answers.texts().contains(QString::fromUtf8(" 読み込みました")), qPrintable(answers.texts().join('|')));
        QCOMPARE(g.KIFU_MODE, 1);
        QCOMPARE(g.KIFU_LAST, 2);
        QCOMPARE(g.KIFU_NOW, 0);
        QVERIFY(!controls.fileList()->isVisible());
        w->action("AFTER")->trigger();
        QCOMPARE(g.KIFU_NOW, 1);
        QCOMPARE(g.BAN(3, 6), -HU);
    }

    void clicksDuringACommandAreDropped() {
        BoxAnswerer answers;
        TestWindow w;
        Game& g = w->game();
        // A click that arrives during the start's half-second wait, and one queued while the
        // computer makes its first move: neither reaches the board.
        const QPoint pawn = cellPoint(*w, 3, 7);
        QTimer::singleShot(150, w.window.get(), [&] {
            QCoreApplication::postEvent(w->canvas(), new QMouseEvent(QEvent::MouseButtonPress, pawn, w->canvas()->mapToGlobal(pawn),
                                                                     Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        });
        const int droppedBefore = w->droppedInput();
        w->action("GOTE")->trigger();
        QVERIFY(w->droppedInput() > droppedBefore);
        QCOMPARE(g.SENTAKU, 0);
        QCOMPARE(g.TEBAN, -1);
        QCOMPARE(g.KIFU_NOW, 1);
        // Afterwards the board takes clicks again.
        clickCell(*w, 3, 7);
        QCOMPARE(g.SENTAKU, 1);
    }

    void escEndsTheProgram() {
        BoxAnswerer answers;
        TestWindow w;
        QTest::keyClick(w->canvas(), Qt::Key_Escape);
        QVERIFY(w->hasEnded());
        QCOMPARE(w.quits, 1);
        QVERIFY(answers.texts().isEmpty());  // no question asked
        // Nothing reaches the game any more.
        clickCell(*w, 3, 7);
        QCOMPARE(w->game().SENTAKU, 0);
    }

    // Esc and the close button leave a question open until one of its buttons answers it;
    // a box with OK alone still closes with Esc.
    void questionsAreAnsweredOnlyByTheirButtons() {
        QWidget parent;
        QtDialogs dialogs(&parent);
        bool questionStayed = false, okClosedByEsc = false;
        BoxAnswerer answers(nullptr, [&](const QString& text) {
            QMessageBox* box = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
            if (!box) return QString();
            QTest::keyClick(box, Qt::Key_Escape);
            if (box->buttons().size() == 2) {
                box->close();
                settle(5);
                questionStayed = box->isVisible();
                return QString::fromLatin1(text.startsWith(QString::fromUtf8("続けますか")) ? "yes" : "no");
            }
            okClosedByEsc = !box->isVisible();
            return QStringLiteral("ok");
        });
        for (auto [text, expected] : {std::pair{"続けますか？", Answer::Yes}, {"棋譜を '進 'で進めて下さい", Answer::No}}) {
            questionStayed = false;
            QCOMPARE(dialogs.message(text, "t", Buttons::YesNo, Icon::None), expected);
            QVERIFY(questionStayed);
        }
        QCOMPARE(dialogs.message("終わり", "進む", Buttons::OK, Icon::None), Answer::OK);
        QVERIFY(okClosedByEsc);
        QCOMPARE(answers.texts().size(), 3);
    }

    void closingWhileABoxIsOpenEndsCleanly() {
        TestWindow w;
        // Instead of answering "「対局」で始めて下さい", the person clicks the board and then
        // closes the window.
        bool seen = false, blocked = true;
        int selectedDuringBox = -1;
        BoxAnswerer answers(nullptr, [&](const QString& text) {
            if (text == QString::fromUtf8("「対局」で始めて下さい") && !seen) {
                seen = true;
                // No modal window stands in the way of the window manager's close button.
                blocked = QGuiApplication::modalWindow() != nullptr;
                clickCell(*w, 3, 7);
                selectedDuringBox = w->game().SENTAKU;
                QTimer::singleShot(0, w.window.get(), [&] { w->close(); });
                return QStringLiteral("none");
            }
            return QString();
        });
        clickCell(*w, 3, 7);  // no game yet: the box opens
        settle(50);
        QVERIFY(seen);
        QVERIFY(!blocked);
        QCOMPARE(selectedDuringBox, 0);
        QCOMPARE(answers.texts().size(), 1);  // the click during the box asked nothing
        QVERIFY(w->hasEnded());
        QCOMPARE(w.quits, 1);
        QVERIFY(!w->isVisible());
        QVERIFY(!w->dialogs().isOpen());
    }

    // Pieces move by drag and drop; a piece that may promote asks over its square; Ctrl+Z
    // takes a move back; Ctrl+T turns the view and clicks follow it; Esc lets a pick go.
    // With the aids off a drag moves nothing and the left button asks nothing.
    void dragPromotionTakeBackAndTurnedView() {
        QString answer = QStringLiteral("no");
        QRect boxAt;
        BoxAnswerer answers(nullptr, [&](const QString& text) {
            if (text == QString::fromUtf8("成りますか？"))
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (auto* b = qobject_cast<QMessageBox*>(top); b && b->isVisible()) boxAt = b->frameGeometry();
            return text == QString::fromUtf8("成りますか？") ? answer : QString();
        });
        TestWindow w;
        Game& g = w->game();
        QVERIFY(w->action("AID_DRAG")->isChecked() && w->action("AID_PROMOTE")->isChecked());
        w->action("START")->trigger();
        dragCell(*w, 3, 7, 3, 6);
        QCOMPARE(g.BAN(3, 6), -HU);
        QCOMPARE(w->canvas()->dragPiece(), 0);
        dragCell(*w, 7, 3, 7, 4);
        QCOMPARE(g.KIFU_NOW, 2);
        // The bishop takes the bishop where it may promote: the question, over the square.
        dragCell(*w, 2, 8, 8, 2);
        QCOMPARE(answers.texts().count(QString::fromUtf8("成りますか？")), 1);
        QCOMPARE(g.BAN(8, 2), -KAKU);
        QVERIFY(boxAt.contains(w->canvas()->mapToGlobal(cellPoint(*w, 8, 2))));
        // Ctrl+Z takes it back, and it is played again, promoted.
        w->activateWindow();
        w->canvas()->setFocus();
        settle(10);
        QTest::keyClick(w->canvas(), Qt::Key_Z, Qt::ControlModifier);
        settle(10);
        QCOMPARE(g.KIFU_NOW, 2);
        QCOMPARE(g.BAN(2, 8), -KAKU);
        QCOMPARE(g.BAN(8, 2), KAKU);
        answer = QStringLiteral("yes");
        clickCell(*w, 2, 8);
        clickCell(*w, 8, 2);
        QCOMPARE(g.BAN(8, 2), -KAKU_NARI);
        // Let go on its own square the piece stays picked; Esc lets it go and ends nothing.
        dragAt(*w, cellPoint(*w, 3, 1), cellPoint(*w, 3, 1, 0.9, 0.9));
        QCOMPARE(g.SENTAKU, 1);
        QTest::keyClick(w->canvas(), Qt::Key_Escape);
        settle(10);
        QCOMPARE(g.SENTAKU, 0);
        QVERIFY(!w->hasEnded());
        // Ctrl+T: the lower army at the top; the screen's (7, 3) is the square (3, 7).
        w->activateWindow();
        settle(10);
        QTest::keyClick(w->canvas(), Qt::Key_T, Qt::ControlModifier);
        settle(10);
        QVERIFY(g.視点反転);
        const int before = g.KIFU_NOW;
        dragCell(*w, 10 - 4, 10 - 1, 10 - 4, 10 - 2);  // the upper gold, from where it shows
        QCOMPARE(g.BAN(4, 2), KIN);
        QCOMPARE(g.KIFU_NOW, before + 1);
        w->action("FLIP")->trigger();
        QVERIFY(!g.視点反転);
        // The aids off: a drag only picks, the left button plays unpromoted.
        w->action("AID_DRAG")->trigger();
        w->action("AID_PROMOTE")->trigger();
        dragCell(*w, 2, 7, 2, 6);
        QCOMPARE(g.KIFU_NOW, before + 1);
        QCOMPARE(g.SENTAKU, 1);
        clickCell(*w, 2, 6);
        QCOMPARE(g.BAN(2, 6), -HU);
        QCOMPARE(answers.texts().count(QString::fromUtf8("成りますか？")), 2);
    }

    // The move list keeps a readable width however wide the window, and the window's size
    // and the list's width come back at the next start.
    void theLayoutIsReadableAndKept() {
        int width = 0;
        {
            TestWindow w;
            MoveListPanel* panel = w->exchange()->panel();
            for (QSize size : {QSize(1200, 800), QSize(1500, 600), QSize(1900, 1000)}) {
                w->resize(size);
                settle(60);
                QVERIFY2(panel->width() >= panel->preferredWidth() * 9 / 10,
                         qPrintable(QStringLiteral("%1 < %2").arg(panel->width()).arg(panel->preferredWidth())));
            }
            w->resize(QSize(1300, 700));
            settle(60);
            width = panel->width();
            w->action("OWARI")->trigger();
            QVERIFY(w->hasEnded());
        }
        MainWindow again;
        again.setQuitHandler([] {});
        again.start();
        settle(60);
        QCOMPARE(again.size(), QSize(1300, 700));
        QCOMPARE(again.exchange()->panel()->width(), width);
    }

    // With the flow aids: a new player loses by moving the king, reads why, looks the game
    // over, saves it and starts again with no box but the one question; a record is opened
    // over a game only on Yes; a status line goes once the position moves on.
    // Enter on the question before a losing move keeps the game: No is its default.
    void aLosingMovesQuestionDefaultsToKeepingTheGame() {
        QStringList defaults;
        BoxAnswerer answers(nullptr, [&](const QString&) {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible() && box->defaultButton())
                    defaults << box->defaultButton()->objectName();
            return QStringLiteral("no");
        });
        TestWindow::flowAids = true;
        TestWindow w;
        TestWindow::flowAids = false;
        Game& g = w->game();
        w->action("SENTE")->trigger();
        clickCell(*w, 5, 9);
        clickCell(*w, 5, 8);
        settle(30);
        QCOMPARE(answers.texts(), QStringList{QString::fromUtf8("王を動かすと負けです。指しますか？")});
        QCOMPARE(defaults, QStringList{QStringLiteral("no")});
        QVERIFY(!g.終局.終わった());
        QCOMPARE(g.KIFU_LAST, 0);
        QCOMPARE(g.BAN(5, 9), -OU);
        // Giving up a game under way keeps it by default too.
        defaults.clear();
        answers.clear();
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        w->action("NEW_COM")->trigger();
        settle(30);
        QCOMPARE(answers.texts().size(), 1);
        QCOMPARE(defaults, QStringList{QStringLiteral("no")});
        QVERIFY(g.KIFU_LAST >= 1);
    }

    // The help names every key with a modifier or a function key, the end panel's buttons
    // and the strength steps, in both languages.
    void theHelpNamesTheKeysTheEndPanelAndTheSteps() {
        BoxAnswerer answers;
        TestWindow w;
        for (Language l : {Language::Japanese, Language::English}) {
            w->switchLanguage(l);
            w->showHelp();
            const QString help = w->helpWindow()->browser()->toPlainText();
            int keys = 0;
            for (QAction* a : w->findChildren<QAction*>()) {
                const QKeySequence k = a->shortcut();
                if (k.isEmpty()) continue;
                const QString text = k.toString(QKeySequence::PortableText);
                if (!text.contains(QLatin1String("Ctrl+")) && !text.startsWith(QLatin1Char('F'))) continue;
                ++keys;
                QVERIFY2(help.contains(text), qPrintable(text + QStringLiteral(" missing from the help")));
            }
            QVERIFY(keys >= 6);  // F1, F2, Ctrl+S, Ctrl+O, Ctrl+Z, Ctrl+T
            for (const char* name : {"END_NEW", "END_SAVE", "END_REVIEW", "END_ANALYSE"}) {
                const QString caption = w->endPanel()->findChild<QPushButton*>(QString::fromLatin1(name))->text();
                QVERIFY2(help.contains(caption), qPrintable(caption + QStringLiteral(" missing from the help")));
            }
            QVERIFY(help.contains(QStringLiteral("LEVEL4-1")));
            QVERIFY(help.contains(QStringLiteral("LEVEL4-%1").arg(int(w->findChildren<QAction*>(
                QRegularExpression(QStringLiteral("^STEP\\d+$"))).size()))));
            w->helpWindow()->close();
        }
        w->switchLanguage(Language::Japanese);
    }

    // At the game's own size the review's line wraps between moves: no part of it is wider
    // than the panel shows.
    void theReviewsLineWrapsWithinItsPanel() {
        BoxAnswerer answers;
        TestWindow w;
        Game& g = w->game();
        w->action("START")->trigger();
        for (auto [fx, fy, tx, ty] : {std::array{3, 7, 3, 6}, {7, 3, 7, 4}, {8, 7, 8, 6}, {3, 3, 3, 4}})
            clickCell(*w, fx, fy), clickCell(*w, tx, ty);
        QCOMPARE(g.KIFU_LAST, 4);
        w->analysis()->setMoveTime(0.2);
        w->action("ANALYSE")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!w->analysis()->isRunning(), 60000);
        auto* line = w->findChild<QLabel*>(QStringLiteral("ANALYSIS_LINE"));
        w->exchange()->panel()->goTo(0);
        settle(50);
        QVERIFY2(line->text().contains(QString::fromUtf8("読み筋")), qPrintable(line->text()));
        const QFontMetrics m(line->font());
        int runs = 0;
        for (const QString& run : line->text().split(QRegularExpression(QStringLiteral("[\\s\\x{200B}　]")), Qt::SkipEmptyParts)) {
            ++runs;
            QVERIFY2(m.horizontalAdvance(run) <= line->contentsRect().width(),
                     qPrintable(run + QStringLiteral(" wider than ") + QString::number(line->contentsRect().width())));
        }
        QVERIFY(runs >= 5);
    }

    void theEndOfAGameKeepsTheGameOnTheBoard() {
        BoxAnswerer answers;
        TestWindow::flowAids = true;
        TestWindow w;
        TestWindow::flowAids = false;
        Game& g = w->game();
        QVERIFY(w->action("AID_FLOW")->isChecked() && g.補助.案内);
        auto status = [&] { return w->statusLine()->text(); };
        QCOMPARE(status(), QString::fromUtf8("F2 で対局を始めます"));
        QTemporaryDir folder;
        const QString saved = folder.filePath(QStringLiteral("end.kif"));
        QString chosen = saved;
        w->exchange()->setFileChooser([&](bool, const QString&, const QString&) { return chosen; });

        w->action("SENTE")->trigger();
        QCOMPARE(status(), QString::fromUtf8("MANの番です"));
        clickCell(*w, 5, 9);
        QCOMPARE(status(), QString::fromUtf8("王は動かせません。動かすと負けです"));
        clickCell(*w, 5, 8);
        settle(30);
        QCOMPARE(answers.texts(), QStringList{QString::fromUtf8("王を動かすと負けです。指しますか？")});
        EndPanel* panel = w->endPanel();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("END_WORDS"))->text(), QString::fromUtf8("王を動かしたので負けです"));
        QVERIFY(panel->findChild<QPushButton*>(QStringLiteral("END_ANALYSE"))->isVisible());
        QVERIFY(g.終局.終わった() && g.KIFU_LAST == 1 && !w->hasEnded());

        // Saved from the panel: the record holds the losing move.
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("END_SAVE")), Qt::LeftButton);
        settle(30);
        QVERIFY(QFileInfo::exists(saved));
        QCOMPARE(status(), QString::fromUtf8("棋譜を書き込みました"));
        // Looked over: the panel goes, back and forward walk the finished game.
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("END_REVIEW")), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        w->action("REPLAY")->trigger();
        QCOMPARE(g.KIFU_NOW, 0);
        QVERIFY(status().isEmpty());  // the line about the last position went with it
        w->action("AFTER")->trigger();
        QCOMPARE(g.KIFU_NOW, 1);
        QCOMPARE(answers.texts().size(), 1);

        // English words for the end.
        w->switchLanguage(Language::English);
        g.終局 = {終局理由::王を取った, g.COM_SENGO};
        g.host().gameOver();
        QCOMPARE(panel->findChild<QLabel*>(QStringLiteral("END_WORDS"))->text(),
                 QStringLiteral("Your king was taken: the computer wins"));
        QCOMPARE(panel->findChild<QPushButton*>(QStringLiteral("END_NEW"))->text(), QStringLiteral("New game"));
        w->switchLanguage(Language::Japanese);

        // Analysed from the panel: the panel goes and the finished game is reviewed.
        w->analysis()->setMoveTime(0.05);
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("END_ANALYSE")), Qt::LeftButton);
        QVERIFY(!panel->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!w->analysis()->isRunning(), 60000);
        QVERIFY(w->analysis()->review().完了());
        QCOMPARE(g.KIFU_LAST, 1);
        g.host().gameOver();

        // A new game of the same kind.
        QTest::mouseClick(panel->findChild<QPushButton*>(QStringLiteral("END_NEW")), Qt::LeftButton);
        settle(30);
        QVERIFY(!panel->isVisible());
        QVERIFY(!g.終局.終わった());
        QCOMPARE(g.TAIKYOKU_MODE, MODE_COM);
        QCOMPARE(g.KIFU_LAST, 0);
        // The review goes only when the player says so.
        QCOMPARE(answers.texts().size(), 2);
        QCOMPARE(answers.texts().back(), QString::fromUtf8("棋譜と解析を閉じますか？"));

        // Opening a record over a game with moves asks first; No keeps the game.
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        QCOMPARE(g.KIFU_LAST, 2);
        answers.setPolicy([](const QString&) { return QStringLiteral("no"); });
        w->action("KIF_READ")->trigger();
        settle(30);
        QCOMPARE(answers.texts().last(), QString::fromUtf8("対局をやめて棋譜を開きますか？"));
        QCOMPARE(g.KIFU_LAST, 2);
        QCOMPARE(g.KIFU_MODE, 0);
        answers.setPolicy({});
        w->action("KIF_READ")->trigger();
        settle(30);
        QCOMPARE(g.KIFU_MODE, 1);
        QCOMPARE(g.KIFU_LAST, 1);

        // A refusal's line goes once the position changes; the hint's outline too.
        w->action("START")->trigger();
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        clickCell(*w, 5, 5);
        QCOMPARE(status(), QString::fromUtf8("そこに駒はありません"));
        w->action("REPLAY")->trigger();
        QVERIFY(status().isEmpty());
        g.LEVEL4_秒 = 0.05;
        w->action("HINT")->trigger();
        QVERIFY(g.ヒント_TX != 0);
        QVERIFY(!status().isEmpty());
        clickCell(*w, 3, 7);
        clickCell(*w, 3, 6);
        QCOMPARE(g.KIFU_LAST, 1);
        QCOMPARE(g.ヒント_TX, 0);
        QVERIFY(status().isEmpty());
    }

    // The end panel goes when the record controls come out (書込, 読込), so that RETURN is
    // what a click there reaches and the record is written.
    void endPanelGivesWayToTheRecordControls() {
        BoxAnswerer answers;
        TestWindow::flowAids = true;
        TestWindow w;
        TestWindow::flowAids = false;
        Game& g = w->game();
        QTemporaryDir folder;
        RecordControls& controls = *w->recordControls();
        controls.setFolder(folder.path());
        w->action("SENTE")->trigger();
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        clickCell(*w, 5, 9);
        clickCell(*w, 5, 8);  // the king moves: lost, the game stays with the panel
        settle(30);
        EndPanel* panel = w->endPanel();
        QVERIFY(g.終局.終わった());
        QVERIFY(panel->isVisible());

        w->action("KIFU_WRITE")->trigger();
        settle(10);
        QVERIFY(!panel->isVisible());
        QVERIFY(controls.returnButton()->isVisible());
        controls.textBox(1)->setText(QStringLiteral("after-end"));
        const QPoint at = controls.returnButton()->geometry().center();
        QWidget* hit = w->canvas()->childAt(at);
        QCOMPARE(hit, static_cast<QWidget*>(controls.returnButton()));
        QTest::mouseClick(hit, Qt::LeftButton);
        settle(10);
        QVERIFY(QFileInfo::exists(folder.filePath(QString::fromUtf8("after-end.棋譜"))));
        QCOMPARE(w->statusLine()->text(), QString::fromUtf8("棋譜を書き込みました"));

        // The same for the file list of 読込.
        g.host().gameOver();
        QVERIFY(panel->isVisible());
        w->action("KIFU_READ")->trigger();
        settle(10);
        QVERIFY(!panel->isVisible());
        QVERIFY(controls.fileList()->isVisible());
        QCOMPARE(answers.texts(), QStringList{QString::fromUtf8("王を動かすと負けです。指しますか？")});
    }

    // 先手, 後手 and スタート in a game with moves ask, as F2 does: No leaves the game exactly
    // as it was (marks, clock, list), Yes begins a new game. Before the first move, over a
    // finished game and over a record they ask nothing.
    void startCommandsInAGameUnderWayAsk() {
        QString answer = QStringLiteral("no");
        BoxAnswerer answers(nullptr, [&](const QString&) { return answer; });
        TestWindow w;
        Game& g = w->game();
        const QString question = QString::fromUtf8("対局をやめて新しい対局を始めますか？");
        w->action("SENTE")->trigger();
        QVERIFY(!answers.texts().contains(question));
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        QCOMPARE(g.KIFU_LAST, 2);
        const IntMap board = g.BAN;
        const double started = g.JIKAN_START;
        for (const char* start : {"SENTE", "GOTE", "START"}) {
            answers.clear();
            w->action(start)->trigger();
            QCOMPARE(answers.texts().count(question), 1);
            QVERIFY2(g.BAN == board && g.KIFU_LAST == 2 && g.KIFU_NOW == 2, start);
            QCOMPARE(g.TAIKYOKU_MODE, MODE_COM);
            QCOMPARE(g.JIKAN_START, started);
        }
        answer = QStringLiteral("yes");
        answers.clear();
        w->action("START")->trigger();
        QCOMPARE(answers.texts().count(question), 1);
        QCOMPARE(g.TAIKYOKU_MODE, MODE_MAN);
        QCOMPARE(g.KIFU_LAST, 0);
        QCOMPARE(g.BAN(7, 7), -HU);
        // No move yet: nothing to give up.
        answers.clear();
        w->action("GOTE")->trigger();
        QVERIFY(!answers.texts().contains(question));
        QCOMPARE(g.TAIKYOKU_MODE, MODE_COM);
        QCOMPARE(g.MAN_SENGO, g.TE_GOTE);
        QCOMPARE(g.KIFU_LAST, 1);  // the computer moved first
        clickCell(*w, 3, 7);
        clickCell(*w, 3, 6);
        QCOMPARE(g.KIFU_LAST, 3);
        answers.clear();
        w->action("SENTE")->trigger();
        QCOMPARE(answers.texts().count(question), 1);
        QCOMPARE(g.MAN_SENGO, g.TE_SENTE);
        QCOMPARE(g.KIFU_LAST, 0);

        // A record is played on from the position shown, as ever, without a question.
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        QTemporaryDir folder;
        w->recordControls()->setFolder(folder.path());
        w->action("KIFU_WRITE")->trigger();
        w->recordControls()->textBox(1)->setText(QStringLiteral("played"));
        QTest::mouseClick(w->recordControls()->returnButton(), Qt::LeftButton);
        w->command([&] { g.File1_Click("played.棋譜"); });
        QCOMPARE(g.KIFU_MODE, 1);
        w->action("AFTER")->trigger();
        w->action("AFTER")->trigger();
        const IntMap shown = g.BAN;
        answers.clear();
        w->action("SENTE")->trigger();
        QVERIFY2(!answers.texts().contains(question), qPrintable(answers.texts().join('|')));
        QCOMPARE(g.KIFU_MODE, 0);
        for (int x = 1; x <= 9; ++x)
            for (int y = 1; y <= 9; ++y)
                if (x != 5 || (y != 1 && y != 9)) QCOMPARE(g.BAN(x, y), shown(x, y));  // the kings take their game codes
        QCOMPARE(g.KIFU_LAST, 2);
    }

    // 書込 over a record of the same name asks, and Enter (the default) keeps the old file.
    void overwriteQuestionDefaultsToNo() {
        const QString question = QString::fromUtf8("同じ名前の棋譜があります。上書きしますか？");
        BoxAnswerer answers(nullptr, [&](const QString& text) { return text == question ? QStringLiteral("none") : QString(); });
        QString defaultButton;  // of the question, once it was asked
        QTimer enter;
        QObject::connect(&enter, &QTimer::timeout, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top); box && box->isVisible() && box->text() == question) {
                    defaultButton = box->defaultButton() ? box->defaultButton()->objectName() : QStringLiteral("?");
                    QTest::keyClick(box, Qt::Key_Return);
                }
        });
        enter.start(15);
        TestWindow w;
        Game& g = w->game();
        QTemporaryDir folder;
        RecordControls& controls = *w->recordControls();
        controls.setFolder(folder.path());
        const QString path = folder.filePath(QString::fromUtf8("同名.棋譜"));
        auto save = [&](const char* gameName) {
            w->action("KIFU_WRITE")->trigger();
            controls.textBox(1)->setText(QString::fromUtf8("同名"));
            controls.textBox(2)->setText(QString::fromUtf8(gameName));
            QTest::mouseClick(controls.returnButton(), Qt::LeftButton);
            settle(20);
        };
        w->action("START")->trigger();
        clickCell(*w, 7, 7);
        clickCell(*w, 7, 6);
        save("one");
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(defaultButton.isEmpty());  // a new name asks nothing
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray first = file.readAll();
        file.close();
        clickCell(*w, 3, 3);
        clickCell(*w, 3, 4);
        QCOMPARE(g.KIFU_NOW, 2);
        save("two");
        QCOMPARE(defaultButton, QStringLiteral("no"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), first);
        file.close();
        QVERIFY(controls.returnButton()->isVisible());  // open for another name
    }
};

int runWindowTests(int argc, char** argv) {
    WindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "window_test.moc"
