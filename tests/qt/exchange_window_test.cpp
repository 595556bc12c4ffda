// The window's KIF/CSA commands, the SFEN copy and the move list panel, driven as a person
// would: menu actions, answers to the file dialogs, clicks on the list's rows.
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QRawFont>
#include <QTimer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "analysis/graph_scale.h"
#include "notation/kif.h"
#include "ui/qt/analysis_actions.h"
#include "ui/qt/box_answerer.h"
#include "ui/qt/eval_graph.h"
#include "ui/qt/exchange_actions.h"
#include "ui/qt/main_window.h"
#include "ui/qt/move_list_panel.h"
#include "ui/qt/qt_host.h"
#include "window_test_support.h"

using namespace fudo;
using namespace fudo::qt;
using namespace fudo::qt::test;

namespace {

// Two persons, three pawn moves: ▲７六歩 △３四歩 ▲２六歩.
void playThreeMoves(MainWindow& w) {
    w.action("START")->trigger();
    for (auto [fx, fy, tx, ty] : {std::array{3, 7, 3, 6}, std::array{7, 3, 7, 4}, std::array{8, 7, 8, 6}}) {
        clickCell(w, fx, fy);
        clickCell(w, tx, ty);
    }
}

void clickRow(QTableWidget* table, int row) {
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualItemRect(table->item(row, 1)).center());
    settle(5);
}

QString fileText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
}

}  // namespace

class ExchangeWindowTest : public QObject {
    Q_OBJECT
private slots:
    // While the computer thinks, the list already shows the person's move; its rows use one
    // face that holds the kanji and the digits alike.
    void thePersonsMoveIsListedWhileTheComputerThinks() {
        BoxAnswerer answers;
        TestWindow w;
        Game& g = w->game();
        QTableWidget* table = w->exchange()->panel()->table();
        w->action("LEVEL4")->trigger();
        g.LEVEL4_秒 = 0.4;
        w->action("SENTE")->trigger();
        QStringList seen;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (w->isThinking() && seen.isEmpty() && table->rowCount() > 1) seen << table->item(table->rowCount() - 1, 1)->text();
        });
        watch.start(10);
        clickCell(*w, 3, 7);
        clickCell(*w, 3, 6);
        watch.stop();
        QCOMPARE(g.KIFU_LAST, 2);
        QCOMPARE(seen, QStringList{QString::fromUtf8("▲７六歩(77)")});
        const QRawFont face = QRawFont::fromFont(table->font());
        for (int row = 0; row < table->rowCount(); ++row)
            for (const QChar c : table->item(row, 1)->text())
                QVERIFY2(face.supportsCharacter(c), qPrintable(table->item(row, 1)->text() + QStringLiteral(": ") + c));
    }

    void savesAndOpensThroughTheMenus() {
        BoxAnswerer answers;
        TestWindow w;
        QTemporaryDir folder;
        Game& g = w->game();
        QString answer;
        QStringList asked;
        w->exchange()->setFileChooser([&](bool save, const QString& filter, const QString&) {
            asked << (save ? "save " : "open ") + filter;
            return answer;
        });

        // Nothing to save before a game; no dialog is even asked.
        w->action("KIF_WRITE")->trigger();
        QVERIFY(answers.texts().contains(QString::fromUtf8("保存するデータがありません")));
        QVERIFY(asked.isEmpty());

        playThreeMoves(*w);
        // Stepped back to move 1: the game's whole list is saved, not the moves shown.
        w->action("REPLAY")->trigger();
        w->action("REPLAY")->trigger();
        QCOMPARE(g.KIFU_NOW, 1);
        // The dialog adds the chosen filter's suffix; a name that still lacks it is refused,
        // not written under another name than the one the dialog asked about.
        answer = folder.filePath(QStringLiteral("対局"));
        answers.clear();
        w->action("KIF_WRITE")->trigger();
        QVERIFY2(answers.texts().contains(QString::fromUtf8("拡張子を .kif か .kifu にして下さい")),
                 qPrintable(answers.texts().join('|')));
        QVERIFY(!QFile::exists(answer + ".kif") && !QFile::exists(answer));
        answer = folder.filePath(QStringLiteral("対局.kif"));
        answers.clear();
        w->action("KIF_WRITE")->trigger();
        QVERIFY2(answers.texts().contains(QString::fromUtf8("棋譜を書き込みました")), qPrintable(answers.texts().join('|')));
        QVERIFY(QFile::exists(answer));
        answer = folder.filePath(QStringLiteral("対局.kifu"));
        w->action("KIF_WRITE")->trigger();
        QVERIFY(fileText(answer).contains(QString::fromUtf8("   3 ２六歩(27)")));
        answer = folder.filePath(QStringLiteral("対局.csa"));
        w->action("CSA_WRITE")->trigger();
        QVERIFY(fileText(answer).contains(QStringLiteral("\r\n+2726FU\r\n")));
        QCOMPARE(g.KIFU_NOW, 1);  // saving changed nothing in the game
        QCOMPARE(g.KIFU_LAST, 3);

        // A file that cannot be written says why; nothing is left behind.
        answer = folder.filePath(QStringLiteral("no/such/folder/x.kif"));
        answers.clear();
        w->action("KIF_WRITE")->trigger();
        QVERIFY(answers.texts().join('|').contains(QString::fromUtf8("棋譜を書き込めませんでした")));

        // A refused file names the move and changes nothing; a good one enters record mode.
        QFile bad(folder.filePath(QStringLiteral("bad.kif")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("   1 \x82\x56\x8c\xdc\x95\xe0(77)\r\n");  // ７五歩(77) in Shift_JIS: two squares
        bad.close();
        answer = bad.fileName();
        answers.clear();
        w->action("KIF_READ")->trigger();
        QVERIFY2(answers.texts().join('|').contains(QString::fromUtf8("1手目")), qPrintable(answers.texts().join('|')));
        QCOMPARE(g.KIFU_MODE, 0);
        QCOMPARE(g.KIFU_NOW, 1);
        answer.clear();  // a cancelled dialog does nothing
        w->action("KIF_READ")->trigger();
        QCOMPARE(g.KIFU_NOW, 1);
        answer = folder.filePath(QStringLiteral("対局.csa"));
        w->action("KIF_READ")->trigger();
        QCOMPARE(g.KIFU_MODE, 1);
        QCOMPARE(g.KIFU_LAST, 3);
        QCOMPARE(g.KIFU_NOW, 0);
        w->action("AFTER")->trigger();
        QCOMPARE(g.BAN(3, 6), -HU);
        QVERIFY(asked.last().startsWith("open"));
    }

    void theSaveDialogAddsTheSuffixOfTheChosenFilter() {
        QTemporaryDir folder;
        const QString filter = QString::fromUtf8("KIF形式 (*.kif);;KIF形式 UTF-8 (*.kifu)");
        std::unique_ptr<QFileDialog> dialog(
            ExchangeActions::saveDialog(nullptr, QStringLiteral("save"), folder.path(), filter));
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("kif"));
        dialog->selectNameFilter(QString::fromUtf8("KIF形式 UTF-8 (*.kifu)"));
        emit dialog->filterSelected(QString::fromUtf8("KIF形式 UTF-8 (*.kifu)"));
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("kifu"));
        dialog->selectFile(folder.filePath(QStringLiteral("game")));
        QMetaObject::invokeMethod(dialog.get(), "accept", Qt::DirectConnection);
        QCOMPARE(dialog->selectedFiles().value(0), folder.filePath(QStringLiteral("game.kifu")));
    }

    void copiesTheShownPositionAsSfen() {
        BoxAnswerer answers;
        TestWindow w;
        w->action("SFEN_COPY")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("lnsgkgsnl/1r5b1/ppppppppp/9/9/9/PPPPPPPPP/1B5R1/LNSGKGSNL b - 1"));
        playThreeMoves(*w);
        w->action("SFEN_COPY")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("lnsgkgsnl/1r5b1/pppppp1pp/6p2/9/2P4P1/PP1PPPP1P/1B5R1/LNSGKGSNL w - 4"));
    }

    void moveListFollowsTheGameAndStepsToAClickedRow() {
        BoxAnswerer answers;
        TestWindow w;
        Game& g = w->game();
        MoveListPanel* panel = w->exchange()->panel();
        QTableWidget* table = panel->table();
        QVERIFY(panel->isVisible());
        QCOMPARE(table->rowCount(), 1);  // the start only

        playThreeMoves(*w);
        QCOMPARE(table->rowCount(), 4);
        QCOMPARE(table->item(1, 1)->text(), QString::fromUtf8("▲７六歩(77)"));
        QCOMPARE(table->item(2, 1)->text(), QString::fromUtf8("△３四歩(33)"));
        QCOMPARE(table->item(3, 0)->text(), QStringLiteral("3"));
        QCOMPARE(table->currentRow(), 3);
        // In English the moves are in Western notation, at once and until switched back.
        w->action("LANG_EN")->trigger();
        QCOMPARE(table->item(0, 1)->text(), QStringLiteral("Start"));
        QCOMPARE(table->item(1, 1)->text(), QString::fromUtf8("▲P7g-7f"));
        QCOMPARE(table->item(2, 1)->text(), QString::fromUtf8("△P3c-3d"));
        QCOMPARE(table->currentRow(), 3);
        w->action("LANG_JA")->trigger();
        QCOMPARE(table->item(1, 1)->text(), QString::fromUtf8("▲７六歩(77)"));

        // Back to the start and forward again, one step at a time through 戻 and 進.
        clickRow(table, 0);
        QCOMPARE(g.KIFU_NOW, 0);
        QCOMPARE(g.BAN(3, 7), -HU);
        QCOMPARE(table->currentRow(), 0);
        clickRow(table, 2);
        QCOMPARE(g.KIFU_NOW, 2);
        QCOMPARE(g.BAN(7, 4), HU);
        QCOMPARE(table->currentRow(), 2);
        QCOMPARE(table->rowCount(), 4);  // stepping keeps the moves after the shown one

        // A step 進 refuses is refused the same way: here the board no longer fits move 3.
        g.BAN(8, 7) = KARA;
        answers.clear();
        clickRow(table, 3);
        QCOMPARE(g.KIFU_NOW, 2);
        QVERIFY(answers.texts().contains(QString::fromUtf8("できません")));
        g.BAN(8, 7) = -HU;

        // The text follows the drawing's scale.
        const double small = table->font().pointSizeF();
        w.resizeCanvas(QSize(1266, 1000));
        QVERIFY2(table->font().pointSizeF() > small * 1.5, qPrintable(QString::number(table->font().pointSizeF())));
        QCOMPARE(panel->font().pointSizeF(), table->font().pointSizeF());  // the title follows too
    }

    // 棋譜 → 解析 reviews the shown game on its worker thread: the graph, the marks in the
    // list and under it, the better move on the board, clicks on the graph, 検討, and the
    // review in a saved KIF; none of it changes the game or the kept session.
    void reviewsTheShownGame() {
        BoxAnswerer answers;
        TestWindow w;
        QTemporaryDir folder;
        Game& g = w->game();
        AnalysisActions* review = w->analysis();
        review->setMoveTime(0.05);
        w->action("ANALYSE")->trigger();
        QCOMPARE(w->statusLine()->text(), QString::fromUtf8("解析する指し手がありません"));
        QVERIFY(!review->isRunning());

        // ▲７六歩 △３四歩 ▲７八銀: the bishop on 88 is left to be taken.
        w->action("START")->trigger();
        for (auto [fx, fy, tx, ty] : {std::array{3, 7, 3, 6}, std::array{7, 3, 7, 4}, std::array{3, 9, 3, 8}}) {
            clickCell(*w, fx, fy);
            clickCell(*w, tx, ty);
        }
        QCOMPARE(g.KIFU_NOW, 3);
        const IntMap board = g.BAN;
        QFile session(QString::fromStdString(MainWindow::sessionPath().string()));
        QVERIFY(session.open(QIODevice::ReadOnly));
        const QByteArray kept = session.readAll();
        session.close();

        w->action("ANALYSE")->trigger();
        QVERIFY(review->isRunning());
        QVERIFY(review->panel()->isVisible());
        QGuiApplication::clipboard()->clear();
        w->action("SFEN_COPY")->trigger();  // the window answers meanwhile
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("lnsgkgsnl/")));
        QTRY_VERIFY_WITH_TIMEOUT(!review->isRunning(), 120000);
        QTableWidget* table = w->exchange()->panel()->table();
        QVERIFY(review->review().完了());
        QCOMPARE(g.KIFU_NOW, 3);
        QCOMPARE(g.KIFU_LAST, 3);
        QVERIFY(g.BAN == board);
        QVERIFY(session.open(QIODevice::ReadOnly));
        QCOMPARE(session.readAll(), kept);
        session.close();

        // ▲７八銀 is marked in the list and counted under the graph; after it, △ takes the
        // bishop: the arrow and the line say so.
        QVERIFY2(table->item(3, 1)->text().startsWith(QString::fromUtf8("▲７八銀(79) ?")), qPrintable(table->item(3, 1)->text()));
        QVERIFY(review->review().印列[2] >= analysis::印::悪手);
        QVERIFY2(review->summaryLabel()->text().startsWith(QStringLiteral("▲ ?! ")), qPrintable(review->summaryLabel()->text()));
        QVERIFY2(review->lineLabel()->text().contains(QString::fromUtf8("最善 △８八角成(22)")), qPrintable(review->lineLabel()->text()));
        QVERIFY(w->canvas()->hasArrow());

        // A click on the graph, and a drag along it, go to those moves.
        EvalGraph* graph = review->graph();
        const analysis::グラフ尺度 scale = graph->scale();
        QTest::mouseClick(graph, Qt::LeftButton, Qt::NoModifier, QPoint(int(scale.x(1)), graph->height() / 2));
        settle(5);
        QCOMPARE(g.KIFU_NOW, 1);
        QCOMPARE(graph->current(), 1);
        QCOMPARE(table->currentRow(), 1);
        QTest::mousePress(graph, Qt::LeftButton, Qt::NoModifier, QPoint(int(scale.x(0)), 10));
        QMouseEvent drag(QEvent::MouseMove, QPointF(scale.x(2), 10), graph->mapToGlobal(QPointF(scale.x(2), 10)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(graph, &drag);
        QTest::mouseRelease(graph, Qt::LeftButton, Qt::NoModifier, QPoint(int(scale.x(2)), 10));
        settle(5);
        QCOMPARE(g.KIFU_NOW, 2);
        QCOMPARE(g.KIFU_LAST, 3);

        // 検討: the shown position is searched until it changes.
        int updates = 0;
        connect(review, &AnalysisActions::liveUpdated, [&updates] { ++updates; });
        w->action("LIVE_ANALYSIS")->trigger();
        QVERIFY(review->isLive());
        QTRY_VERIFY_WITH_TIMEOUT(updates >= 2, 30000);
        QVERIFY(review->lineLabel()->text().startsWith(QString::fromUtf8("検討")));
        clickRow(table, 3);
        QCOMPARE(g.KIFU_NOW, 3);
        QTRY_VERIFY_WITH_TIMEOUT(review->lineLabel()->text().contains(QString::fromUtf8("△８八角成(22)")), 30000);
        w->action("LIVE_ANALYSIS")->trigger();
        QVERIFY(!review->isLive());

        // The saved KIF carries the review, and reading it back shows it again.
        const std::vector<analysis::印> marks = review->review().印列;
        w->exchange()->setFileChooser([&](bool, const QString&, const QString&) { return folder.filePath("review.kifu"); });
        w->action("KIF_WRITE")->trigger();
        const QString text = fileText(folder.filePath("review.kifu"));
        QVERIFY(text.contains(QString::fromUtf8("\r\n*#評価値=")));
        QVERIFY(text.contains(QString::fromUtf8("\r\n*#読み筋=△８八角成(22)")));
        // Another window reads it: the review comes back from the comments.
        TestWindow other;
        other->exchange()->setFileChooser([&](bool, const QString&, const QString&) { return folder.filePath("review.kifu"); });
        other->action("KIF_READ")->trigger();
        QCOMPARE(other->game().KIFU_LAST, 3);
        QCOMPARE(other->analysis()->review().局面.size(), std::size_t(4));
        QVERIFY(other->analysis()->review().完了());
        QVERIFY(other->analysis()->review().印列 == marks);
        QVERIFY(other->exchange()->panel()->table()->item(3, 1)->text().startsWith(QString::fromUtf8("▲７八銀(79) ?")));
    }

    void hidingTheMoveListIsRemembered() {
        BoxAnswerer answers;
        {
            TestWindow w;
            QVERIFY(w->exchange()->panel()->isVisible());
            QVERIFY(w->action("MOVE_LIST")->isChecked());
            w->action("MOVE_LIST")->trigger();
            QVERIFY(!w->exchange()->panel()->isVisible());
        }
        // A window started on the same settings keeps it hidden, until it is shown again.
        {
            MainWindow w;
            w.setQuitHandler([] {});
            w.start();
            settle(30);
            QVERIFY(!w.exchange()->panel()->isVisible());
            QVERIFY(!w.action("MOVE_LIST")->isChecked());
            w.action("MOVE_LIST")->trigger();
            QVERIFY(w.exchange()->panel()->isVisible());
        }
        MainWindow again;
        again.setQuitHandler([] {});
        again.start();
        settle(30);
        QVERIFY(again.exchange()->panel()->isVisible());
    }
};

int runExchangeWindowTests(int argc, char** argv) {
    ExchangeWindowTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "exchange_window_test.moc"
