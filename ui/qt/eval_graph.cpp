// The evaluation graph: painting the review and mapping clicks and drags to moves.
#include "ui/qt/eval_graph.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace fudo::qt {

namespace {

QColor markColour(analysis::印 m) {
    switch (m) {
    case analysis::印::疑問手: return {230, 180, 0};
    case analysis::印::悪手: return {235, 110, 0};
    case analysis::印::大悪手: return {210, 20, 20};
    default: return {};
    }
}

}  // namespace

EvalGraph::EvalGraph(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("EVAL_GRAPH"));
    setMouseTracking(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void EvalGraph::setReview(const analysis::棋譜解析& review, int moves) {
    review_ = review;
    moves_ = moves;
    update();
}

void EvalGraph::setCurrent(int ply) {
    if (ply == current_) return;
    current_ = ply;
    update();
}

analysis::グラフ尺度 EvalGraph::scale() const {
    // A margin so that the first and last positions' dots are whole.
    const double m = 6;
    return {m, m, std::max(1.0, width() - 2 * m), std::max(1.0, height() - 2 * m), moves_};
}

void EvalGraph::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(250, 250, 246));
    const analysis::グラフ尺度 g = scale();
    const double right = g.left + g.width;
    // Bands at ±600 and ±1500 (優勢, 勝勢), the level line and the edges.
    p.fillRect(QRectF(g.left, g.y(1500), g.width, g.y(600) - g.y(1500)), QColor(232, 240, 250));
    p.fillRect(QRectF(g.left, g.y(-600), g.width, g.y(-1500) - g.y(-600)), QColor(250, 236, 232));
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.drawLine(QPointF(g.left, g.y(0)), QPointF(right, g.y(0)));
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.drawRect(QRectF(g.left, g.top, g.width, g.height));

    // The evaluation: filled toward the level line, the line over it; gaps where a position
    // has no verdict yet.
    QPainterPath line;
    bool open = false;
    for (std::size_t i = 0; i < review_.局面.size(); ++i) {
        const analysis::局面評価& e = review_.局面[i];
        if (!e.済) {
            open = false;
            continue;
        }
        const QPointF pt(g.x(int(i)), g.y(e.評価値));
        if (open) line.lineTo(pt);
        else line.moveTo(pt);
        open = true;
    }
    p.setPen(QPen(QColor(30, 60, 140), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);

    // The marked moves: a dot on the position after the move, coloured by weight.
    const double r = 3.2;
    for (std::size_t i = 0; i < review_.印列.size(); ++i) {
        const analysis::印 m = review_.印列[i];
        if (m == analysis::印::なし || i + 1 >= review_.局面.size()) continue;
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(markColour(m));
        p.drawEllipse(QPointF(g.x(int(i + 1)), g.y(review_.局面[i + 1].評価値)), r, r);
    }

    // The shown position.
    p.setPen(QPen(QColor(0, 136, 255, 200), 1.4));
    const double cx = g.x(std::clamp(current_, 0, std::max(moves_, 0)));
    p.drawLine(QPointF(cx, g.top), QPointF(cx, g.top + g.height));
}

void EvalGraph::choose(double x) {
    if (moves_ <= 0) return;
    const int ply = scale().手数at(x);
    if (ply == lastChosen_) return;
    lastChosen_ = ply;
    emit moveChosen(ply);
}

void EvalGraph::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    lastChosen_ = -1;
    choose(event->position().x());
}

void EvalGraph::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) choose(event->position().x());
}

}  // namespace fudo::qt
