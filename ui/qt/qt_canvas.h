// The window's drawing surface. What the game paints stays until painted over: every
// drawing operation is kept, in cell coordinates, and painted at once onto a backing image
// at the window's current scale and device pixel ratio. When either changes, the kept
// operations are painted again at the new scale, so the drawing is always sharp; a full
// redraw starts a new list, which therefore stays short.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "engine/ports.h"
#include "ui/qt/pictures.h"
#include "ui/qt/scene_geometry.h"

namespace fudo::qt {

// The retained drawing without a widget: the list of operations and the image they are
// painted onto. The widget below shows it; benchmarks and tests can use it alone.
class RetainedDrawing : public Canvas {
public:
    struct Op {
        enum class Kind : unsigned char { Picture, Outline, Text, Move };
        Kind kind = Kind::Picture;
        bool bold = false;
        Tint tint = Tint::None;  // of a picture
        int code = 0;  // picture code, or colour for outlines and texts
        int size = 0;  // font size in points, as the game asked
        int shownSize = 0;  // as painted: smaller when a translation is wider
        double x = 0, y = 0;
        QString source;  // the game's text
        QString text;    // as shown, in the window's language (one line for a move)
        MoveParts move;  // the parts of a move text
        int count = -1;  // the move counter's number, -2 its "手目", -1 not part of the counter
        QRectF ink;  // twips the operation may touch
    };

    RetainedDrawing();
    ~RetainedDrawing() override;

    // Canvas.
    void picture(int code, double x, double y) override;
    void tintedPicture(int code, double x, double y, Tint tint) override;
    void outline(int colour, double x, double y) override;
    void text(double x, double y, std::string_view utf8, int colour, int size, bool bold) override;
    void moveText(double x, double y, const MoveParts& move, int colour, bool bold) override;
    // As the game draws it in Japanese; in English one text, "Move 12", on the number's line.
    void moveCount(int n, int colour, bool bold) override;
    void beginFullRedraw() override;
    void refresh() override;

    // Words every text again in the window's language now in force; the image is painted
    // afresh at the next image() or paint.
    void retranslate();

    // Sets the target size (logical pixels) and device pixel ratio; the operations are
    // painted again at the next image() or paint.
    void setTarget(QSizeF logicalSize, qreal devicePixelRatio);
    QSizeF logicalSize() const { return logicalSize_; }
    qreal devicePixelRatio() const { return dpr_; }
    const SceneGeometry& geometry() const { return geometry_; }

    // The painted image in device pixels, brought up to date.
    const QImage& image();
    // Draws the kept operations afresh into a new image of this size and ratio.
    QImage renderAt(QSizeF logicalSize, qreal devicePixelRatio) const;

    // True while the image must be painted again from the list (a new size or ratio).
    bool isStale() const { return stale_; }

    const std::vector<Op>& operations() const { return ops_; }
    // Drops the operations that later pictures cover completely (done by itself when the
    // list grows long between full redraws).
    void compact();

    // Called with the logical rectangle that changed, and when the game asks for the window
    // to be shown at once.
    std::function<void(const QRect&)> onChanged;
    std::function<void()> onRefresh;

private:
    class Painter;
    void add(Op op);
    void layOut(Op& op);  // the text as shown, its size and its extent
    void ensureImage();
    void closePainter();

    std::vector<Op> ops_;
    int marginTile_ = 0;  // the last background tile painted: it fills the margins
    std::size_t compactAt_ = 2048;
    QSizeF logicalSize_;
    qreal dpr_ = 1;
    SceneGeometry geometry_;
    QImage image_;
    int countPart_ = -1;  // what the text being added is of the move counter
    bool stale_ = true;  // the image does not show the operations at the current target
    PictureBook pictures_;
    std::unique_ptr<Painter> painter_;  // open between operations, closed before the image is read
};

// The parts of a move text: the three Japanese parts ("７", "六", "歩"), and the one English
// text in the usual notation ("P7g-7f", "+B2b-3c", "P*5e").
QString japaneseMovePart(const MoveParts& move, int part);
QString englishMoveText(const MoveParts& move);

// The widget: shows the drawing scaled to fit, and reports clicks in twips.
class QtCanvas : public QWidget, public Canvas {
    Q_OBJECT
public:
    explicit QtCanvas(QWidget* parent = nullptr);

    void picture(int code, double x, double y) override { drawing_.picture(code, x, y); }
    void tintedPicture(int code, double x, double y, Tint tint) override { drawing_.tintedPicture(code, x, y, tint); }
    void outline(int colour, double x, double y) override { drawing_.outline(colour, x, y); }
    void text(double x, double y, std::string_view utf8, int colour, int size, bool bold) override {
        drawing_.text(x, y, utf8, colour, size, bold);
    }
    void moveText(double x, double y, const MoveParts& move, int colour, bool bold) override {
        drawing_.moveText(x, y, move, colour, bold);
    }
    void moveCount(int n, int colour, bool bold) override { drawing_.moveCount(n, colour, bold); }
    // The language changed: everything drawn is shown again in it.
    void retranslate();
    void beginFullRedraw() override { drawing_.beginFullRedraw(); }
    void refresh() override { drawing_.refresh(); }

    RetainedDrawing& drawing() { return drawing_; }
    const SceneGeometry& sceneGeometry() const { return drawing_.geometry(); }
    QPointF toTwips(QPointF logical) const { return drawing_.geometry().toTwips(logical); }
    QPointF toLogical(double X, double Y) const { return drawing_.geometry().toLogical(X, Y); }

    QSize sizeHint() const override;
    // A piece picture that follows the mouse while it is dragged (0: none), centred at a
    // logical point of the widget; the drawing under it is not changed.
    void setDragPiece(int code, QPointF logical);
    int dragPiece() const { return dragCode_; }

    // An arrow over the drawing from one cell's centre to another's (twips), or a ring on
    // the target alone when there is no source (a drop); not part of the game's drawing.
    void setArrow(std::optional<QPointF> from, QPointF to);
    void clearArrow();
    bool hasArrow() const { return arrowTo_.has_value(); }
    std::optional<QPointF> arrowFrom() const { return arrowFrom_; }
    std::optional<QPointF> arrowTo() const { return arrowTo_; }

signals:
    // A mouse button went down: 1 left, 2 right; the position in twips.
    void pressed(int button, double X, double Y);
    // The mouse moved with the left button held, and a button came up; twips and the
    // logical position in the widget.
    void dragged(double X, double Y, QPointF logical);
    void released(int button, double X, double Y);
    // The drawing's scale or place in the widget changed.
    void sceneMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void followWidget();
    QRectF dragRect() const;
    int dragCode_ = 0;
    QPointF dragAt_;
    void paintArrow(QPainter& p) const;
    RetainedDrawing drawing_;
    QRegion changed_;  // painted into the image, not yet onto the screen
    std::optional<QPointF> arrowFrom_, arrowTo_;
};

}  // namespace fudo::qt
