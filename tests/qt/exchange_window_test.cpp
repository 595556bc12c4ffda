// The window's KIF/CSA commands, the SFEN copy and the move list panel, driven as a person
// would: menu actions, answers to the file dialogs, clicks on the list's rows.
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRawFont>
#include <QTimer>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <chrono>
#include <memory>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

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

// The review's arrow runs from the centre of screen cell (fx, fy) to that of (tx, ty).
bool arrowBetween(MainWindow& w, int fx, int fy, int tx, int ty) {
    const auto near = [&w](std::optional<QPointF> twips, int x, int y) {
        return twips && (w.canvas()->toLogical(twips->x(), twips->y()) - QPointF(cellPoint(w, x, y))).manhattanLength() < 3;
    };
    return near(w.canvas()->arrowFrom(), fx, fy) && near(w.canvas()->arrowTo(), tx, ty);
}

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

    // The window saves through the one writer: a link keeps pointing at the saved record, a
    // device takes it, and a pipe nobody reads, or a folder, is refused in the window's language.
    void savesFollowLinksAndRefuseWhatIsNoFile() {
        BoxAnswerer answers;
        TestWindow w;
        QTemporaryDir folder;
        QString answer;
        w->exchange()->setFileChooser([&](bool, const QString&, const QString&) { return answer; });
        playThreeMoves(*w);
        const auto path = [&](const char* name) { return toPath(folder.filePath(QString::fromUtf8(name))); };
        std::filesystem::create_symlink("target.kif", path("link.kif"));
        std::filesystem::create_symlink("/dev/null", path("null.csa"));
        QCOMPARE(::mkfifo(path("p.kif").c_str(), 0600), 0);
        std::filesystem::create_directories(path("d.kif"));
        const auto save = [&](const char* name, const char* action) {
            answer = folder.filePath(QString::fromUtf8(name));
            answers.clear();
            w->action(action)->trigger();
            return answers.texts().join('|');
        };
        QVERIFY(save("link.kif", "KIF_WRITE").contains(QString::fromUtf8("棋譜を書き込みました")));
        QVERIFY(std::filesystem::is_symlink(path("link.kif")));
        QVERIFY(std::filesystem::is_regular_file(path("target.kif")));
        QVERIFY(std::filesystem::file_size(path("target.kif")) > 100);
        QVERIFY(save("null.csa", "CSA_WRITE").contains(QString::fromUtf8("棋譜を書き込みました")));
        QVERIFY(std::filesystem::is_symlink(path("null.csa")));
        QVERIFY(std::filesystem::is_character_file("/dev/null"));
        QString said = save("p.kif", "KIF_WRITE");
        QVERIFY2(said.contains(QString::fromUtf8("棋譜を書き込めませんでした\n\n読み手のいないパイプには書き込めません")),
                 qPrintable(said));
        QVERIFY(std::filesystem::is_fifo(path("p.kif")));
        said = save("d.kif", "KIF_WRITE");
        QVERIFY2(said.contains(QString::fromUtf8("フォルダには書き込めません")), qPrintable(said));
        QVERIFY(std::filesystem::is_directory(path("d.kif")));
        w->action("LANG_EN")->trigger();
        said = save("p.kif", "KIF_WRITE");
        QVERIFY2(said.contains(QStringLiteral("Could not write the record\n\nNothing reads from the pipe, so it cannot be written")),
                 qPrintable(said));
        said = save("d.kif", "KIF_WRITE");
        QVERIFY2(said.contains(QStringLiteral("A folder cannot be written as a file")), qPrintable(said));
        w->action("LANG_JA")->trigger();
        QVERIFY(std::filesystem::is_fifo(path("p.kif")));
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
        // From the bishop's square to the silver's, in the view as turned.
        QVERIFY(arrowBetween(*w, 8, 2, 2, 8));
        w->action("FLIP")->trigger();
        QVERIFY(arrowBetween(*w, 2, 8, 8, 2));
        w->action("FLIP")->trigger();
        QVERIFY(arrowBetween(*w, 8, 2, 2, 8));

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
        QCOMPARE(other->analysis()->graph()->scale().手数, 3);
        QVERIFY(other->analysis()->review().完了());
        QVERIFY(other->analysis()->review().印列 == marks);
        QVERIFY(other->exchange()->panel()->table()->item(3, 1)->text().startsWith(QString::fromUtf8("▲７八銀(79) ?")));
        // Stepped to the capture, the review read back names it and draws it.
        for (int i = 0; i < 3; ++i) other->action("AFTER")->trigger();
        QCOMPARE(other->game().KIFU_NOW, 3);
        QVERIFY2(other->analysis()->lineLabel()->text().contains(QString::fromUtf8("最善 △８八角成(22)")),
                 qPrintable(other->analysis()->lineLabel()->text()));
        QVERIFY(arrowBetween(*other, 8, 2, 2, 8));

        // A mate a record's comment holds is named for its winner.
        {
            QString mated = text;
            const qsizetype at = mated.indexOf(QString::fromUtf8("   3 ７八銀(79)"));
            const qsizetype score = mated.indexOf(QString::fromUtf8("*#評価値="), at);
            QVERIFY(at > 0 && score > at);
            mated.replace(score, mated.indexOf(QStringLiteral("\r\n"), score) - score, QString::fromUtf8("*#詰み=後手勝ち:5手"));
            QFile out(folder.filePath("mate.kifu"));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(mated.toUtf8());
            out.close();
            TestWindow third;
            third->exchange()->setFileChooser([&](bool, const QString&, const QString&) { return folder.filePath("mate.kifu"); });
            third->action("KIF_READ")->trigger();
            for (int i = 0; i < 3; ++i) third->action("AFTER")->trigger();
            QVERIFY2(third->analysis()->lineLabel()->text().contains(QString::fromUtf8("詰み 5手（後手勝ち）")),
                     qPrintable(third->analysis()->lineLabel()->text()));
        }

        // Home goes to the record's start and keeps it and its review, without a question.
        answers.clear();
        other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other.window.get()));
        other->canvas()->setFocus();
        QTest::keyClick(other->canvas(), Qt::Key_Home);
        QVERIFY(answers.texts().isEmpty());
        QCOMPARE(other->game().KIFU_MODE, 1);
        QCOMPARE(other->game().KIFU_NOW, 0);
        QCOMPARE(other->game().KIFU_LAST, 3);
        QVERIFY(other->analysis()->review().完了());
        // A click on the board: いいえ, then the second question's default, keep the record.
        answers.setPolicy([](const QString& text) {
            return text.contains(QString::fromUtf8("続けますか")) ? QStringLiteral("default") : QStringLiteral("no");
        });
        clickCell(*other, 5, 5);
        QCOMPARE(answers.texts().size(), 2);
        QCOMPARE(other->game().KIFU_MODE, 1);
        QCOMPARE(other->game().KIFU_LAST, 3);
        // A new game asks before the record and its review go: the default keeps them, yes lets go.
        answers.clear();
        answers.setPolicy([](const QString&) { return QStringLiteral("default"); });
        other->action("NEW_COM")->trigger();
        QCOMPARE(answers.texts(), QStringList{QString::fromUtf8("棋譜と解析を閉じますか？")});
        QCOMPARE(other->game().KIFU_MODE, 1);
        QCOMPARE(other->analysis()->review().局面.size(), std::size_t(4));
        answers.setPolicy({});
        other->action("NEW_COM")->trigger();
        QCOMPARE(other->game().KIFU_MODE, 0);
        QVERIFY(other->analysis()->review().局面.empty());
    }

    // The review shows the work done, waits while the computer searches and goes on after;
    // the question before a game with a review is given up keeps it by default.
    void reviewWaitsForTheComputer() {
        BoxAnswerer answers;
        TestWindow w;
        Game& g = w->game();
        AnalysisActions* review = w->analysis();
        review->setMoveTime(0.25);
        w->action("START")->trigger();
        for (auto [fx, fy, tx, ty] : {std::array{3, 7, 3, 6}, std::array{7, 3, 7, 4}, std::array{3, 9, 3, 8},
                                      std::array{8, 2, 2, 8}, std::array{1, 7, 1, 6}}) {
            clickCell(*w, fx, fy);
            clickCell(*w, tx, ty);
        }
        QCOMPARE(g.KIFU_NOW, 5);
        auto* bar = review->panel()->findChild<QProgressBar*>(QStringLiteral("ANALYSIS_PROGRESS"));
        QVERIFY(bar);
        std::vector<int> shown;
        connect(bar, &QProgressBar::valueChanged, [&shown](int v) { shown.push_back(v); });
        w->action("ANALYSE")->trigger();
        QVERIFY(review->isRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!shown.empty() && shown.back() >= 1, 30000);

        // The computer searches for a second: nothing of the review moves meanwhile.
        std::size_t early = 0, late = 0;
        bool held = false;
        QTimer::singleShot(300, [&] {
            early = shown.size();
            held = review->isHeld();
        });
        QTimer::singleShot(950, [&] { late = shown.size(); });
        w->host().runWork([] { std::this_thread::sleep_for(std::chrono::milliseconds(1100)); }, [] {}, [] {});
        QVERIFY(held);
        QCOMPARE(late, early);
        QVERIFY(review->isRunning());
        QVERIFY(!review->isHeld());
        QTRY_VERIFY_WITH_TIMEOUT(!review->isRunning(), 60000);
        QVERIFY(review->review().完了());
        QCOMPARE(w->statusLine()->text(), QString::fromUtf8("解析が終わりました"));
        // The bar only ever grows, to the number of positions.
        QVERIFY(std::is_sorted(shown.begin(), shown.end()));
        QCOMPARE(shown.back(), 6);
        QCOMPARE(bar->maximum(), 6);

        // Home in the game asks; the default answer keeps the game and its review.
        answers.clear();
        answers.setPolicy([](const QString&) { return QStringLiteral("default"); });
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        w->canvas()->setFocus();
        QTest::keyClick(w->canvas(), Qt::Key_Home);
        QCOMPARE(answers.texts(), QStringList{QString::fromUtf8("対局をやめて最初の局面に戻りますか？")});
        QCOMPARE(g.KIFU_LAST, 5);
        QVERIFY(review->review().完了());
        // So does the menu's 最初, which otherwise starts afresh at once as it always did.
        answers.clear();
        w->action("CANCEL")->trigger();
        QCOMPARE(answers.texts(), QStringList{QString::fromUtf8("棋譜と解析を閉じますか？")});
        QCOMPARE(g.KIFU_LAST, 5);
        QVERIFY(review->review().完了());

        // 中止 ends a review and says so.
        w->action("ANALYSE")->trigger();
        QVERIFY(review->isRunning());
        QTest::mouseClick(review->panel()->findChild<QPushButton*>(QStringLiteral("ANALYSIS_CANCEL")), Qt::LeftButton);
        QVERIFY(!review->isRunning());
        QVERIFY(!review->review().完了());
        QCOMPARE(w->statusLine()->text(), QString::fromUtf8("解析を中止しました"));
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
