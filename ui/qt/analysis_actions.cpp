// The review in the window: the worker thread, the panel under the move list, the marks and the arrow.
#include "ui/qt/analysis_actions.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QRegularExpression>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/comments.h"
#include "engine/game.h"
#include "ui/qt/eval_graph.h"
#include "ui/qt/exchange_actions.h"
#include "ui/qt/main_window.h"
#include "ui/qt/move_list_panel.h"
#include "ui/qt/translation.h"

namespace fudo::qt {

namespace {

// A review of 200 ms a position: a hundred moves in about twenty seconds on one core.
constexpr double kMoveTime = 0.2;

// The same moves (times aside), start and first mover.
bool sameMoves(const std::vector<棋譜手>& a, const std::vector<棋譜手>& b, std::size_t n) {
    if (a.size() < n || b.size() < n) return false;
    for (std::size_t i = 0; i < n; ++i) {
        const 棋譜手 &x = a[i], &y = b[i];
        if (x.MOTO_X != y.MOTO_X || x.MOTO_Y != y.MOTO_Y || x.SAKI_X != y.SAKI_X || x.SAKI_Y != y.SAKI_Y ||
            x.KOMA != y.KOMA || x.KOMA_ATO != y.KOMA_ATO || x.TORI != y.TORI)
            return false;
    }
    return true;
}

QString scoreText(int v) {
    if (analysis::詰みか(v)) {
        const int n = analysis::詰み手数(v);
        const QString who = translated(v > 0 ? "先手勝ち" : "後手勝ち");
        return n > 0 ? AnalysisActions::tr("詰み %1手（%2）").arg(n).arg(who) : who;
    }
    return AnalysisActions::tr("%1%2（%3）")
        .arg(v > 0 ? QStringLiteral("+") : QString())
        .arg(v)
        .arg(translated(analysis::形勢(v)));
}

}  // namespace

AnalysisActions::AnalysisActions(MainWindow& window)
    : QObject(&window),
      window_(window),
      panel_(new QDockWidget(&window)),
      graph_(new EvalGraph),
      progress_(new QProgressBar),
      cancel_(new QPushButton),
      summary_(new QLabel),
      line_(new QLabel),
      engine_(std::make_unique<search::Engine>(64)),
      moveTime_(kMoveTime) {
    setObjectName(QStringLiteral("ANALYSIS_ACTIONS"));
    engine_->setThreads(int(std::max(1u, std::thread::hardware_concurrency())));

    panel_->setObjectName(QStringLiteral("ANALYSIS_PANEL"));
    panel_->toggleViewAction()->setObjectName(QStringLiteral("ANALYSIS_VIEW"));
    panel_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    auto* body = new QWidget;
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(4, 4, 4, 4);
    column->addWidget(graph_, 1);
    auto* row = new QHBoxLayout;
    progress_->setObjectName(QStringLiteral("ANALYSIS_PROGRESS"));
    cancel_->setObjectName(QStringLiteral("ANALYSIS_CANCEL"));
    row->addWidget(progress_, 1);
    row->addWidget(cancel_);
    column->addLayout(row);
    summary_->setObjectName(QStringLiteral("ANALYSIS_SUMMARY"));
    line_->setObjectName(QStringLiteral("ANALYSIS_LINE"));
    line_->setWordWrap(true);
    line_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(summary_);
    column->addWidget(line_);
    panel_->setWidget(body);
    progress_->hide();
    cancel_->hide();
    window_.addDockWidget(Qt::RightDockWidgetArea, panel_);
    if (MoveListPanel* list = window_.exchange()->panel()) window_.splitDockWidget(list, panel_, Qt::Vertical);
    panel_->hide();

    QMenu* kifu = window_.findChild<QMenu*>(QStringLiteral("KIFU"));
    analyse_ = kifu->addAction(QString());
    analyse_->setObjectName(QStringLiteral("ANALYSE"));
    liveAction_ = kifu->addAction(QString());
    liveAction_->setObjectName(QStringLiteral("LIVE_ANALYSIS"));
    liveAction_->setCheckable(true);
    connect(analyse_, &QAction::triggered, this, [this] { analyseGame(); });
    connect(liveAction_, &QAction::triggered, this, [this](bool on) { setLive(on); });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(graph_, &EvalGraph::moveChosen, this, [this](int ply) {
        if (!window_.isBusy()) window_.exchange()->panel()->goTo(ply);
    });
    retranslate();
}

AnalysisActions::~AnalysisActions() {
    ++liveGeneration_;
    stopWorker();
}

void AnalysisActions::retranslate() {
    panel_->setWindowTitle(tr("解析"));
    analyse_->setText(tr("解析"));
    liveAction_->setText(tr("検討"));
    cancel_->setText(tr("中止"));
    showPosition();
}

対局記録 AnalysisActions::shownRecord(int& shown) const {
    Game& g = window_.game();
    const bool active = g.TEBAN != 0 || g.KIFU_MODE == 1;
    const int count = active ? std::clamp(g.KIFU_LAST, 0, KIFU_MAX) : 0;
    shown = std::clamp(g.KIFU_NOW, 0, count);
    return 作成_対局記録(g, count);
}

bool AnalysisActions::reviewFits(const 対局記録& r) const {
    if (review_.局面.empty() || r.手合 != reviewed_.手合 || r.上手先手 != reviewed_.上手先手) return false;
    // The review holds for the moves both share: a game played on, or stepped back.
    const std::size_t n = std::min(r.棋譜.手.size(), reviewed_.棋譜.手.size());
    return sameMoves(r.棋譜.手, reviewed_.棋譜.手, n) && n > 0;
}

void AnalysisActions::startWorker(std::function<void()> job) {
    stopWorker();
    worker_ = std::thread(std::move(job));
}

void AnalysisActions::stopWorker() {
    if (!worker_.joinable()) return;
    stop_.store(true);
    worker_.join();
    stop_.store(false);
    liveRunning_ = false;
}

void AnalysisActions::analyseGame() {
    if (window_.isBusy() || window_.hasEnded() || batch_) return;
    Game& g = window_.game();
    int shown;
    const 対局記録 r = shownRecord(shown);
    if (g.HANTEN_FLAG == 1) {
        g.host().setStatusLine("反転後は解析できません");
        return;
    }
    if (r.棋譜.手.empty()) {
        g.host().setStatusLine("解析する指し手がありません");
        return;
    }
    ++liveGeneration_;
    stopWorker();
    reviewed_ = r;
    review_ = {};
    review_.局面.resize(r.棋譜.手.size() + 1);
    analysis::印を付ける(reviewed_, review_);
    graph_->setReview(review_, int(r.棋譜.手.size()));
    batch_ = true;
    progress_->setRange(0, int(review_.局面.size()));
    progress_->setValue(0);
    progress_->show();
    cancel_->show();
    showPanel();
    g.host().setStatusLine("解析しています…");
    engine_->clear();
    held_ = false;
    if (window_.isThinking())
        held_ = true;  // goes on once the computer has moved
    else
        startBatch();
    showPosition();
}

void AnalysisActions::startBatch() {
    const std::uint64_t gen = liveGeneration_, run = ++batchRun_;
    search::Limits limits;
    limits.seconds = moveTime_;
    startWorker([this, r = reviewed_, done = review_, gen, run, limits] {
        analysis::解析を続ける(r, done, *engine_, limits, stop_, [this, gen](int ply, const analysis::局面評価& e) {
            QMetaObject::invokeMethod(this, [this, gen, ply, e] {
                if (gen == liveGeneration_) onProgress(ply, e);
            }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(this, [this, gen, run] {
            if (gen == liveGeneration_ && run == batchRun_) onReviewEnded();
        }, Qt::QueuedConnection);
    });
}

void AnalysisActions::holdForComputer(bool thinking) {
    if (!batch_) return;
    if (thinking && !held_) {
        // Both searches would share the cores: the review waits, and keeps what it has.
        held_ = true;
        ++batchRun_;
        stopWorker();
    } else if (!thinking && held_) {
        held_ = false;
        startBatch();
    }
}

void AnalysisActions::onProgress(int ply, const analysis::局面評価& e) {
    if (ply < 0 || ply >= int(review_.局面.size())) return;
    review_.局面[std::size_t(ply)] = e;
    analysis::印を付ける(reviewed_, review_);
    // The work done, not the position just searched (the review runs from the end).
    progress_->setValue(int(std::count_if(review_.局面.begin(), review_.局面.end(),
                                          [](const analysis::局面評価& p) { return p.済; })));
    graph_->setReview(review_, int(reviewed_.棋譜.手.size()));
    window_.exchange()->panel()->setMarks(review_.印列);
    showPosition();
}

void AnalysisActions::onReviewEnded() {
    if (worker_.joinable()) worker_.join();
    const bool whole = review_.完了();
    batch_ = false;
    held_ = false;
    progress_->hide();
    cancel_->hide();
    window_.game().host().setStatusLine(whole ? "解析が終わりました" : "解析を中止しました");
    emit reviewEnded();
    refresh();
}

void AnalysisActions::cancel() {
    if (!batch_) return;
    ++liveGeneration_;
    stopWorker();
    onReviewEnded();
}

void AnalysisActions::setLive(bool on) {
    live_ = on;
    liveAction_->setChecked(on);
    if (on) {
        showPanel();
        refresh();
    } else {
        ++liveGeneration_;
        if (!batch_) stopWorker();
        liveEval_ = {};
        showPosition();
    }
}

void AnalysisActions::pause() {
    if (!liveRunning_ || batch_) return;
    ++liveGeneration_;
    stopWorker();
}

void AnalysisActions::startLive() {
    int shown;
    const 対局記録 r = shownRecord(shown);
    ++liveGeneration_;
    stopWorker();
    liveRecord_ = r;
    livePly_ = shown;
    liveEval_ = {};
    const analysis::局面列 ps = analysis::作成_局面列(r);
    // A finished game's last position has nothing left to search.
    if (window_.game().HANTEN_FLAG == 1 || (r.棋譜.手.empty() && window_.game().TEBAN == 0) ||
        (shown == int(r.棋譜.手.size()) && 調査_終局(r).result != 終局情報::結果::なし))
        return;
    const search::Snapshot s = ps.局面[std::size_t(shown)];
    const search::Color sente = ps.先手;
    const std::uint64_t gen = liveGeneration_;
    startWorker([this, s, sente, gen] {
        search::Limits until;  // until the position changes
        analysis::局面を解析(s, sente, *engine_, until, stop_, [this, gen](const analysis::局面評価& e) {
            QMetaObject::invokeMethod(this, [this, gen, e] {
                if (gen != liveGeneration_) return;
                liveEval_ = e;
                showPosition();
                emit liveUpdated();
            }, Qt::QueuedConnection);
        });
    });
    liveRunning_ = true;
}

void AnalysisActions::refresh() {
    int shown;
    const 対局記録 r = shownRecord(shown);
    if (!review_.局面.empty() && !reviewFits(r)) {
        // Another game: the review is of moves no longer shown.
        if (batch_) cancel();
        review_ = {};
        reviewed_ = {};
        graph_->setReview(review_, 0);
    }
    window_.exchange()->panel()->setMarks(review_.印列);
    graph_->setCurrent(shown);
    if (live_ && !batch_ && !window_.isThinking() &&
        (!liveRunning_ || shown != livePly_ || !sameMoves(r.棋譜.手, liveRecord_.棋譜.手, std::size_t(shown))))
        startLive();
    showPosition();
}

void AnalysisActions::annotate(対局記録& r) const {
    if (!reviewFits(r)) return;
    analysis::棋譜解析 part = review_;
    part.局面.resize(std::min(part.局面.size(), r.棋譜.手.size() + 1));
    analysis::注釈を付ける(r, part);
}

void AnalysisActions::recordRead(const 対局記録& r) {
    const analysis::棋譜解析 a = analysis::注釈から(r);
    if (std::none_of(a.局面.begin(), a.局面.end(), [](const analysis::局面評価& e) { return e.済; })) return;
    if (batch_) cancel();
    reviewed_ = r;
    review_ = a;
    graph_->setReview(review_, int(r.棋譜.手.size()));
    showPanel();
}

void AnalysisActions::showPanel() {
    if (panel_->isVisible()) return;
    panel_->show();
    // Under the move list, with room for the graph: two fifths of the strip.
    MoveListPanel* list = window_.exchange()->panel();
    if (list->isVisible() && !panel_->isFloating()) {
        const int total = list->height() + panel_->height();
        window_.resizeDocks({list, panel_}, {total * 3 / 5, total * 2 / 5}, Qt::Vertical);
    }
}

void AnalysisActions::showPosition() {
    int shown;
    const 対局記録 r = shownRecord(shown);
    // Marks counted per side.
    QString summary;
    if (!review_.局面.empty()) {
        const analysis::棋譜解析::集計 c = review_.集計する();
        for (int side = 0; side < 2; ++side) {
            if (side) summary += QStringLiteral("　");
            summary += QStringLiteral("%1 ?! %2  ? %3  ?? %4")
                           .arg(side == 0 ? QStringLiteral("▲") : QStringLiteral("△"))
                           .arg(c.数[side][0])
                           .arg(c.数[side][1])
                           .arg(c.数[side][2]);
        }
    }
    summary_->setText(summary);

    // The shown position's verdict: the live search's, else the review's.
    const analysis::局面評価* e = nullptr;
    bool live = false;
    if (live_ && livePly_ == shown && liveEval_.済 && sameMoves(r.棋譜.手, liveRecord_.棋譜.手, std::size_t(shown))) {
        e = &liveEval_;
        live = true;
    } else if (reviewFits(r) && shown < int(review_.局面.size()) && review_.局面[std::size_t(shown)].済) {
        e = &review_.局面[std::size_t(shown)];
    }
    QtCanvas* canvas = window_.canvas();
    if (!e || !panel_->isVisible()) {
        line_->setText(live_ ? tr("検討中…") : QString());
        canvas->clearArrow();
        return;
    }
    const bool english = language() == Language::English;
    QString text = (live ? tr("検討") + QStringLiteral(" ") : QString()) + tr("評価値") + QStringLiteral(" ") +
                   scoreText(e->評価値);
    if (e->深さ > 0) text += QStringLiteral("　") + tr("深さ") + QStringLiteral(" ") + QString::number(e->深さ);
    if (!e->読み筋.empty()) {
        const std::vector<search::Move> best(e->読み筋.begin(), e->読み筋.begin() + 1);
        text += QStringLiteral("\n") + tr("最善") + QStringLiteral(" ") +
                QString::fromStdString(analysis::読み筋表記(r, shown, best, english));
        text += QStringLiteral("\n") + tr("読み筋") + QStringLiteral(" ") +
                QString::fromStdString(analysis::読み筋表記(r, shown, e->読み筋, english));
    }
    // A Japanese line has no spaces: a break may come before each move, so that the
    // label wraps it instead of cutting it at the panel's edge.
    static const QRegularExpression moveStart(QStringLiteral("(?<=\\S)([▲△])"));
    text.replace(moveStart, QStringLiteral("\u200B\\1"));
    line_->setText(text);

    // The better move on the board, where the board is as the record has it.
    const analysis::局面列 ps = analysis::作成_局面列(r);
    if (e->読み筋.empty() || window_.game().HANTEN_FLAG == 1 || shown >= int(ps.局面.size())) {
        canvas->clearArrow();
        return;
    }
    const 棋譜手 m = analysis::棋譜手に(ps.局面[std::size_t(shown)], e->読み筋.front());
    // Where the square shows: a turned view shows it at the opposite square.
    auto centre = [this](int x, int y) {
        double sx = x, sy = y;
        window_.game().画面の桝(sx, sy);
        return QPointF(SceneGeometry::cellX(sx) + MASU_W / 2.0, SceneGeometry::cellY(sy) + MASU_H / 2.0);
    };
    std::optional<QPointF> from;
    if (m.MOTO_X >= 1 && m.MOTO_X <= 9) from = centre(m.MOTO_X, m.MOTO_Y);
    canvas->setArrow(from, centre(m.SAKI_X, m.SAKI_Y));
}

}  // namespace fudo::qt
