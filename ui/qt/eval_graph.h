// The evaluation graph under the move list: the review's evaluation of every position from
// ▲'s side (up) against the move number (across), the marked moves as dots, the shown
// position as a line. A click or drag asks to show that move.
#pragma once

#include <QWidget>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/graph_scale.h"

namespace fudo::qt {

class EvalGraph : public QWidget {
    Q_OBJECT
public:
    explicit EvalGraph(QWidget* parent = nullptr);

    // The review to draw (positions 0 .. moves; those not searched yet are left out), the
    // number of moves of the game and the shown position.
    void setReview(const analysis::棋譜解析& review, int moves);
    void setCurrent(int ply);
    int current() const { return current_; }
    // Where positions land in the widget as it is now.
    analysis::グラフ尺度 scale() const;

    QSize sizeHint() const override { return {240, 120}; }
    QSize minimumSizeHint() const override { return {120, 60}; }

signals:
    // The player clicked or dragged to the position after this many moves.
    void moveChosen(int ply);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void choose(double x);
    analysis::棋譜解析 review_;
    int moves_ = 0;
    int current_ = 0;
    int lastChosen_ = -1;
};

}  // namespace fudo::qt
