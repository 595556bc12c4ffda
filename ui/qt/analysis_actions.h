// The window's review of a game: 棋譜 → 解析 searches every position of the shown game on a
// worker thread (progress bar, 中止), 棋譜 → 検討 searches the shown position until it
// changes. The panel under the move list holds the evaluation graph, the marks counted per
// side and the shown position's evaluation and line in words; the board shows the better
// move as an arrow; the move list marks the moves that lost ground. Nothing here changes
// the game, its move list or the kept session.
#pragma once

#include <QDockWidget>
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "analysis/analysis.h"
#include "notation/game_record.h"

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;

namespace fudo::qt {

class EvalGraph;
class MainWindow;

class AnalysisActions : public QObject {
    Q_OBJECT
public:
    explicit AnalysisActions(MainWindow& window);
    ~AnalysisActions() override;

    // 棋譜 → 解析: reviews the shown game (refused with a status line when there is none).
    void analyseGame();
    // Ends the review under way; what was searched stays.
    void cancel();
    // 棋譜 → 検討.
    void setLive(bool on);
    bool isLive() const { return live_; }
    // Before each command of the game: the live search lets go of the position.
    void pause();
    // The computer starts (true) or ends its search: a review under way waits for it.
    void holdForComputer(bool thinking);
    bool isHeld() const { return held_; }
    // After each command: follows the shown position and the game's moves.
    void refresh();
    void retranslate();

    // The review of the shown game as KIF comments, when it is of these moves.
    void annotate(対局記録& r) const;
    // A record was read: a review its comments hold is shown.
    void recordRead(const 対局記録& r);

    bool isRunning() const { return batch_; }
    const analysis::棋譜解析& review() const { return review_; }
    QDockWidget* panel() const { return panel_; }
    EvalGraph* graph() const { return graph_; }
    QLabel* lineLabel() const { return line_; }
    QLabel* summaryLabel() const { return summary_; }
    // Search time per position of a review (the window's LEVEL4 time by default).
    void setMoveTime(double seconds) { moveTime_ = seconds; }

signals:
    // A review ended (finished or cancelled).
    void reviewEnded();
    // The live search reached a new depth.
    void liveUpdated();

private:
    // The shown game's record and the position shown (moves played).
    対局記録 shownRecord(int& shown) const;
    bool reviewFits(const 対局記録& r) const;
    void startWorker(std::function<void()> job);
    // The review's worker, for the positions not yet searched.
    void startBatch();
    void stopWorker();
    void onProgress(int ply, const analysis::局面評価& e);
    void onReviewEnded();
    void startLive();
    void showPosition();
    void showPanel();

    MainWindow& window_;
    QDockWidget* panel_;
    EvalGraph* graph_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QLabel* summary_;
    QLabel* line_;
    QAction* analyse_ = nullptr;
    QAction* liveAction_ = nullptr;

    std::unique_ptr<search::Engine> engine_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    double moveTime_ = 0;
    bool batch_ = false;
    bool held_ = false;          // the review waits while the computer thinks
    std::uint64_t batchRun_ = 0;  // the review's latest worker
    bool live_ = false;
    bool liveRunning_ = false;

    対局記録 reviewed_;            // the moves of the review
    analysis::棋譜解析 review_;
    // The live search: the position (record and moves played) and its latest verdict.
    対局記録 liveRecord_;
    int livePly_ = -1;
    analysis::局面評価 liveEval_;
    std::uint64_t liveGeneration_ = 0;
};

}  // namespace fudo::qt
