#include "ui/qt/qt_canvas.h"

#include <QFontMetricsF>
#include <QHash>
#include <QLineF>
#include <QPolygonF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "engine/game.h"
#include "notation/english_notation.h"
#include "ui/qt/fonts.h"
#include "ui/qt/palette.h"
#include "ui/qt/translation.h"

namespace fudo::qt {

namespace {

constexpr double kTwipsPerPixel = SceneGeometry::kTwipsPerPixel;
constexpr double kTwipsPerPoint = 20;

int roundPx(double v) { return int(std::floor(v + 0.5)); }

struct FontEntry {
    QFont font;
    qreal ascent = 0;
};

// Fonts by device pixel size and weight.
const FontEntry& fontFor(QHash<int, FontEntry>& cache, int pixelSize, bool bold) {
    const int key = pixelSize * 2 + (bold ? 1 : 0);
    auto it = cache.find(key);
    if (it == cache.end()) {
        FontEntry e;
        e.font = minchoFont(pixelSize, bold);
        e.ascent = QFontMetricsF(e.font).ascent();
        it = cache.insert(key, e);
    }
    return *it;
}

}  // namespace

// Paints operations onto an image in device pixels.
class RetainedDrawing::Painter {
public:
    Painter(QImage& image, const SceneGeometry& g, qreal dpr, PictureBook& pictures,
            QHash<int, FontEntry>& fonts)
        : painter_(&image), pictures_(pictures), fonts_(fonts) {
        k_ = dpr * g.scale() / kTwipsPerPixel;
        // A black text is the shadow of the text painted 0.1 cell up and left of it. With
        // more pixels than the game's own size the shadow keeps its offset in pixels: grown
        // with the letters it stands apart from their thin strokes, as a second print.
        const double pixels = dpr * g.scale(), keep = pixels > 1 ? 1 / pixels : 1;
        shadowPullX_ = 0.1 * MASU_W * (1 - keep);
        shadowPullY_ = 0.1 * MASU_H * (1 - keep);
        ox_ = dpr * g.offset().x();
        oy_ = dpr * g.offset().y();
        const QRectF scene = g.sceneRect();
        clip_ = QRect(QPoint(roundPx(scene.left() * dpr), roundPx(scene.top() * dpr)),
                      QPoint(roundPx(scene.right() * dpr) - 1, roundPx(scene.bottom() * dpr) - 1));
        painter_.setClipRect(clip_);
        painter_.setRenderHint(QPainter::TextAntialiasing);
    }

    QRect clip() const { return clip_; }

    // A window of another shape than the drawing leaves margins around it; they continue
    // the background tiles on the cell grid, so the drawing itself stays where it is.
    void paintMargins(int tile, QSize device) {
        if (tile == 0) return;
        const QRegion margins = QRegion(QRect(QPoint(0, 0), device)) - QRegion(clip_);
        if (margins.isEmpty()) return;
        painter_.setClipRegion(margins);
        auto cell = [](double twips, double origin, double size) { return int(std::floor((twips - origin) / size)); };
        const int x0 = cell(-ox_ / k_, BAN_X0, MASU_W) - 1, x1 = cell((device.width() - ox_) / k_, BAN_X0, MASU_W) + 1;
        const int y0 = cell(-oy_ / k_, BAN_Y0, MASU_H) - 1, y1 = cell((device.height() - oy_) / k_, BAN_Y0, MASU_H) + 1;
        Op op;
        op.kind = Op::Kind::Picture;
        op.code = tile;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                op.x = x;
                op.y = y;
                const double X = SceneGeometry::cellX(x), Y = SceneGeometry::cellY(y);
                if (margins.intersects(deviceRect(X, Y, MASU_W + kTwipsPerPixel, MASU_H))) paint(op);
            }
        painter_.setClipRect(clip_);
    }

    // Paints one operation; returns the device pixels it may have touched.
    QRect paint(const Op& op) {
        double X0 = SceneGeometry::cellX(op.x), Y0 = SceneGeometry::cellY(op.y);
        if ((op.kind == Op::Kind::Text || op.kind == Op::Kind::Move) && op.code == 色_黒) {
            X0 -= shadowPullX_;
            Y0 -= shadowPullY_;
        }
        switch (op.kind) {
        case Op::Kind::Picture: {
            const QSize natural = PictureBook::naturalSize(op.code);
            const QRect r = deviceRect(X0, Y0, natural.width() * kTwipsPerPixel,
                                       natural.height() * kTwipsPerPixel);
            if (r.isEmpty()) return {};
            painter_.drawImage(r.topLeft(), pictures_.image(op.code, r.size(), op.tint));
            return r;
        }
        case Op::Kind::Outline: {
            // The rectangle's lines lie on the cell's edges, the right and bottom ones on the
            // first pixels of the neighbouring cells, one 96-dpi pixel wide.
            const QRect r = deviceRect(X0, Y0, MASU_W, MASU_H);
            const int w = std::max(1, roundPx(k_ * kTwipsPerPixel));
            const QColor c = paletteColour(op.code);
            painter_.fillRect(QRect(r.left(), r.top(), r.width() + w, w), c);
            painter_.fillRect(QRect(r.left(), r.bottom() + 1, r.width() + w, w), c);
            painter_.fillRect(QRect(r.left(), r.top(), w, r.height() + w), c);
            painter_.fillRect(QRect(r.right() + 1, r.top(), w, r.height() + w), c);
            return r.adjusted(0, 0, w, w);
        }
        case Op::Kind::Text:
            return paintText(X0, Y0, op.text, op.shownSize, op.bold, op.code);
        case Op::Kind::Move: {
            if (!op.text.isEmpty()) return paintText(X0, Y0, op.text, op.shownSize, op.bold, op.code);
            QRect r;
            for (int i = 0; i < 3; ++i)
                r |= paintText(X0 + kMovePartOffsets[i] * MASU_W, Y0,
                               japaneseMovePart(op.move, i), op.shownSize, op.bold, op.code);
            return r;
        }
        }
        return {};
    }

private:
    QRect paintText(double X0, double Y0, const QString& text, int size, bool bold, int colour) {
        const int px = std::max(1, roundPx(size * kTwipsPerPoint * k_));
        const FontEntry& f = fontFor(fonts_, px, bold);
        // The text's corner is put on a device pixel, rounded as pictures' corners are, so
        // that a picture painted later on the same place covers the text entirely.
        const QPointF at(roundPx(ox_ + k_ * X0), roundPx(oy_ + k_ * Y0));
        painter_.setFont(f.font);
        painter_.setPen(paletteColour(colour));
        painter_.drawText(QPointF(at.x(), at.y() + f.ascent), text);
        const QFontMetricsF fm(f.font);
        return QRectF(at, QSizeF(fm.horizontalAdvance(text), fm.height()))
            .toAlignedRect()
            .adjusted(-2, -2, 2 + px / 4, 2);
    }

    QRect deviceRect(double X, double Y, double w, double h) const {
        const int l = roundPx(ox_ + k_ * X), t = roundPx(oy_ + k_ * Y);
        const int r = roundPx(ox_ + k_ * (X + w)), b = roundPx(oy_ + k_ * (Y + h));
        return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
    }

    QPainter painter_;
    PictureBook& pictures_;
    QHash<int, FontEntry>& fonts_;
    double k_ = 1, ox_ = 0, oy_ = 0;
    double shadowPullX_ = 0, shadowPullY_ = 0;  // twips a shadow moves towards its text
    QRect clip_;
};

namespace {
QHash<int, FontEntry>& liveFonts() {
    static QHash<int, FontEntry> fonts;
    return fonts;
}
}  // namespace

namespace {

// Width at 96 dpi of a text at a size in points.
double widthAt96(const QString& text, int size, bool bold) {
    static QHash<int, FontEntry> metricsFonts;
    const FontEntry& f = fontFor(metricsFonts, std::max(1, roundPx(size * 4.0 / 3.0)), bold);
    return QFontMetricsF(f.font).horizontalAdvance(text);
}

double heightAt96(int size, bool bold) {
    static QHash<int, FontEntry> metricsFonts;
    const FontEntry& f = fontFor(metricsFonts, std::max(1, roundPx(size * 4.0 / 3.0)), bold);
    return QFontMetricsF(f.font).height();
}

// The size a translation is painted at: the game's size, or smaller (down to three
// quarters) while it is wider than the room the Japanese text takes, with a quarter more.
int fittedSize(const QString& shown, double room, int size, bool bold) {
    const int smallest = std::max(1, (size * 3 + 3) / 4);
    int s = size;
    while (s > smallest && widthAt96(shown, s, bold) > room * 1.25) --s;
    return s;
}

}  // namespace

QString japaneseMovePart(const MoveParts& m, int part) {
    const int v = part == 0 ? 10 - m.toX : part == 1 ? 1000 + m.toY : m.piece;
    const std::string_view t = Game::文字列変換(v);
    return QString::fromUtf8(t.data(), qsizetype(t.size()));
}

QString englishMoveText(const MoveParts& m) {
    const std::string to = 升_英語(10 - m.toX, m.toY);
    const bool fromBoard = m.fromX >= 1 && m.fromX <= 9 && m.fromY >= 1 && m.fromY <= 9;
    if (fromBoard && m.before != 0) {
        // Worded as the move list words it: the piece as it stood, then "+" or "=".
        英語の手 e;
        e.駒 = m.before;
        e.元筋 = 10 - m.fromX;
        e.元段 = m.fromY;
        e.先筋 = 10 - m.toX;
        e.先段 = m.toY;
        e.取り = m.captures;
        e.成り = m.before != m.piece;
        e.不成 = m.declined;
        return QString::fromStdString(表記_英語(e));
    }
    const std::string piece = 駒_英語(m.piece);
    if (fromBoard) return QString::fromStdString(piece + 升_英語(10 - m.fromX, m.fromY) + (m.captures ? "x" : "-") + to);
    if (m.fromX == 0 && m.fromY == 0) return QString::fromStdString(piece + "-" + to);  // origin not given
    return QString::fromStdString(piece + "*" + to);
}

void RetainedDrawing::layOut(Op& op) {
    // Extent at 96 dpi. Glyphs start right of their corner; to the right and below, room
    // for overhangs, bold and the rounding of sizes at other scales.
    double w = 0;
    op.shownSize = op.size;
    if (op.kind == Op::Kind::Move) {
        const QString piece = japaneseMovePart(op.move, 2);
        const double room = kMovePartOffsets[2] * MASU_W / kTwipsPerPixel + widthAt96(piece, op.size, op.bold);
        op.text = language() == Language::Japanese ? QString() : englishMoveText(op.move);
        if (op.text.isEmpty()) {
            w = room;
        } else {
            op.shownSize = fittedSize(op.text, room, op.size, op.bold);
            w = widthAt96(op.text, op.shownSize, op.bold);
        }
    } else if (op.count != -1 && language() != Language::Japanese) {
        // One text on the number's line, within the two tiles the counter owns; "手目" shows nothing.
        op.text = op.count < 0 ? QString() : translated("%1手目").arg(op.count);
        const double room = (14.95 - op.x) * MASU_W / kTwipsPerPixel;
        op.shownSize = fittedSize(op.text, room / 1.25, op.size, op.bold);
        w = widthAt96(op.text, op.shownSize, op.bold);
    } else {
        op.text = translated(op.source);
        if (op.text != op.source)
            op.shownSize = fittedSize(op.text, widthAt96(op.source, op.size, op.bold), op.size, op.bold);
        w = widthAt96(op.text, op.shownSize, op.bold);
    }
    const double h = heightAt96(op.shownSize, op.bold);
    op.ink = QRectF(SceneGeometry::cellX(op.x), SceneGeometry::cellY(op.y),
                    (w * 1.1 + 2 + op.shownSize / 4.0) * kTwipsPerPixel, (h * 1.1 + 2) * kTwipsPerPixel);
    // A shadow may be painted up to 0.1 cell nearer its text.
    if (op.code == 色_黒) op.ink.adjust(-0.1 * MASU_W, -0.1 * MASU_H, 0, 0);
}

RetainedDrawing::RetainedDrawing() {
    setTarget(SceneGeometry::naturalSize(), 1);
}

RetainedDrawing::~RetainedDrawing() = default;

void RetainedDrawing::picture(int code, double x, double y) { tintedPicture(code, x, y, Tint::None); }

void RetainedDrawing::tintedPicture(int code, double x, double y, Tint tint) {
    // A code without a picture paints nothing and leaves what was there.
    const QSize natural = PictureBook::naturalSize(code);
    if (natural.isEmpty()) return;
    if (code >= HAIKEI_MIDORI && code <= HAIKEI_RENGA && code != marginTile_) {
        // A new background: the margins are painted again with the whole image.
        marginTile_ = code;
        if (!stale_) {
            closePainter();
            stale_ = true;
            if (onChanged) onChanged(QRect(QPoint(0, 0), logicalSize_.toSize()).adjusted(-1, -1, 1, 1));
        }
    }
    Op op;
    op.kind = Op::Kind::Picture;
    op.tint = tint;
    op.code = code;
    op.x = x;
    op.y = y;
    op.ink = QRectF(SceneGeometry::cellX(x), SceneGeometry::cellY(y), natural.width() * kTwipsPerPixel,
                    natural.height() * kTwipsPerPixel);
    add(std::move(op));
}

void RetainedDrawing::outline(int colour, double x, double y) {
    Op op;
    op.kind = Op::Kind::Outline;
    op.code = colour;
    op.x = x;
    op.y = y;
    op.ink = QRectF(SceneGeometry::cellX(x), SceneGeometry::cellY(y), MASU_W + kTwipsPerPixel,
                    MASU_H + kTwipsPerPixel);
    add(std::move(op));
}

void RetainedDrawing::text(double x, double y, std::string_view utf8, int colour, int size, bool bold) {
    Op op;
    op.kind = Op::Kind::Text;
    op.source = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    if (op.source.isEmpty() || size <= 0) return;
    op.code = colour;
    op.size = size;
    op.bold = bold;
    op.x = x;
    op.y = y;
    op.count = countPart_;
    layOut(op);
    add(std::move(op));
}

void RetainedDrawing::moveText(double x, double y, const MoveParts& move, int colour, bool bold) {
    Op op;
    op.kind = Op::Kind::Move;
    op.move = move;
    op.code = colour;
    op.size = kMoveTextSize;
    op.bold = bold;
    op.x = x;
    op.y = y;
    layOut(op);
    add(std::move(op));
}

void RetainedDrawing::moveCount(int n, int colour, bool bold) {
    // Drawn as the game draws it, each text marked as part of the counter.
    struct Marker : Canvas {
        RetainedDrawing& d;
        int n;
        explicit Marker(RetainedDrawing& d, int n) : d(d), n(n) {}
        void picture(int, double, double) override {}
        void outline(int, double, double) override {}
        void text(double x, double y, std::string_view utf8, int colour, int size, bool bold) override {
            d.countPart_ = utf8 == "手目" ? -2 : std::max(0, n);
            d.text(x, y, utf8, colour, size, bold);
            d.countPart_ = -1;
        }
        void beginFullRedraw() override {}
        void refresh() override {}
    } marker(*this, n);
    marker.Canvas::moveCount(n, colour, bold);
}

void RetainedDrawing::retranslate() {
    closePainter();
    for (Op& op : ops_)
        if (op.kind == Op::Kind::Text || op.kind == Op::Kind::Move) layOut(op);
    stale_ = true;
}

void RetainedDrawing::beginFullRedraw() {
    // Everything will be painted over; the old operations are of no further use.
    ops_.clear();
    compactAt_ = 2048;
}

void RetainedDrawing::refresh() {
    closePainter();
    if (onRefresh) onRefresh();
}

void RetainedDrawing::setTarget(QSizeF logicalSize, qreal devicePixelRatio) {
    if (logicalSize == logicalSize_ && devicePixelRatio == dpr_ && !image_.isNull()) return;
    closePainter();
    logicalSize_ = logicalSize;
    dpr_ = devicePixelRatio;
    geometry_.fit(logicalSize);
    stale_ = true;
}

void RetainedDrawing::add(Op op) {
    // Parts of the grid outside the drawing area are never shown.
    static const QRectF scene(0, 0, SceneGeometry::kWidthTwips, SceneGeometry::kHeightTwips);
    if (!op.ink.intersects(scene)) return;
    ops_.push_back(std::move(op));
    if (!stale_) {
        if (!painter_) painter_ = std::make_unique<Painter>(image_, geometry_, dpr_, pictures_, liveFonts());
        const QRect r = painter_->paint(ops_.back()).intersected(painter_->clip());
        if (onChanged && !r.isEmpty()) {
            const QRectF logical(QPointF(r.topLeft()) / dpr_, QSizeF(r.size()) / dpr_);
            onChanged(logical.toAlignedRect().adjusted(-1, -1, 1, 1));
        }
    }
    if (ops_.size() >= compactAt_) {
        compact();
        compactAt_ = std::max<std::size_t>(2048, ops_.size() * 2);
    }
}

void RetainedDrawing::closePainter() { painter_.reset(); }

void RetainedDrawing::ensureImage() {
    if (!stale_) return;
    closePainter();
    const QSize px(std::max(1, roundPx(logicalSize_.width() * dpr_)), std::max(1, roundPx(logicalSize_.height() * dpr_)));
    if (image_.size() != px) image_ = QImage(px, QImage::Format_RGB32);
    image_.fill(backgroundColour());
    pictures_.clear();
    if (liveFonts().size() > 256) liveFonts().clear();  // sizes of scales long gone
    stale_ = false;
    Painter p(image_, geometry_, dpr_, pictures_, liveFonts());
    p.paintMargins(marginTile_, image_.size());
    for (const Op& op : ops_) p.paint(op);
}

const QImage& RetainedDrawing::image() {
    ensureImage();
    closePainter();
    return image_;
}

QImage RetainedDrawing::renderAt(QSizeF logicalSize, qreal devicePixelRatio) const {
    SceneGeometry g;
    g.fit(logicalSize);
    QImage img(QSize(std::max(1, roundPx(logicalSize.width() * devicePixelRatio)),
                     std::max(1, roundPx(logicalSize.height() * devicePixelRatio))),
               QImage::Format_RGB32);
    img.fill(backgroundColour());
    PictureBook pictures;
    QHash<int, FontEntry> fonts;
    {
        Painter p(img, g, devicePixelRatio, pictures, fonts);
        p.paintMargins(marginTile_, img.size());
        for (const Op& op : ops_) p.paint(op);
    }
    return img;
}

void RetainedDrawing::compact() {
    // Walk from the newest operation back. An operation no longer shows when
    //  - a later outline of the same cell, or a later picture of the same place and size,
    //    paints over exactly its pixels (at any scale: both are rounded alike), or
    //  - all its pixels lie under later pictures, which are opaque. A map of one cell per
    //    96-dpi pixel keeps what later pictures cover; a pixel of margin around pictures
    //    and outlines absorbs the rounding of edges at other scales.
    const int W = int(SceneGeometry::naturalSize().width()), H = int(SceneGeometry::naturalSize().height());
    std::vector<unsigned char> covered(std::size_t(W) * H, 0);
    std::set<std::tuple<int, double, double>> later;  // (picture code or -1 for outlines, x, y)
    auto span = [](double twips0, double twips1, int margin, int limit, int& a, int& b) {
        a = std::max(0, int(std::floor(twips0 / kTwipsPerPixel)) - margin);
        b = std::min(limit, int(std::ceil(twips1 / kTwipsPerPixel)) + margin);
    };
    std::vector<Op> kept;
    kept.reserve(ops_.size());
    for (auto it = ops_.rbegin(); it != ops_.rend(); ++it) {
        const bool isText = it->kind == Op::Kind::Text || it->kind == Op::Kind::Move;
        const bool isPicture = it->kind == Op::Kind::Picture;
        if (!isText) {
            // Pictures of one size share a key: the same place means the same pixels.
            const int key = isPicture ? PictureBook::naturalSize(it->code).width() * 1000 +
                                            PictureBook::naturalSize(it->code).height()
                                      : -1;
            if (!later.insert({key, it->x, it->y}).second) continue;
        }
        int x0, x1, y0, y1;
        const int margin = isText ? 0 : 1;
        span(it->ink.left(), it->ink.right(), margin, W, x0, x1);
        span(it->ink.top(), it->ink.bottom(), margin, H, y0, y1);
        bool hidden = true;
        for (int y = y0; y < y1 && hidden; ++y)
            for (int x = x0; x < x1; ++x)
                if (!covered[std::size_t(y) * W + x]) {
                    hidden = false;
                    break;
                }
        if (hidden) continue;
        if (isPicture) {
            // Only whole pixels inside the picture count as covered.
            const int cx0 = std::max(0, int(std::ceil(it->ink.left() / kTwipsPerPixel)));
            const int cx1 = std::min(W, int(std::floor(it->ink.right() / kTwipsPerPixel)));
            const int cy0 = std::max(0, int(std::ceil(it->ink.top() / kTwipsPerPixel)));
            const int cy1 = std::min(H, int(std::floor(it->ink.bottom() / kTwipsPerPixel)));
            for (int y = cy0; y < cy1 && cx0 < cx1; ++y)
                std::fill(covered.begin() + std::size_t(y) * W + cx0, covered.begin() + std::size_t(y) * W + cx1, 1);
        }
        kept.push_back(std::move(*it));
    }
    std::reverse(kept.begin(), kept.end());
    ops_ = std::move(kept);
}

// ------------------------------------------------------------------------------ widget

QtCanvas::QtCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(SceneGeometry::naturalSize().toSize() / 2);
    drawing_.onChanged = [this](const QRect& r) {
        changed_ += r;
        update(r);
    };
    // Shown at once, even while the game keeps the event loop waiting: only what changed,
    // or everything when the drawing has to be painted afresh.
    drawing_.onRefresh = [this] {
        followWidget();
        if (drawing_.isStale())
            repaint();
        else if (!changed_.isEmpty())
            repaint(changed_);
    };
}

void QtCanvas::retranslate() {
    drawing_.retranslate();
    changed_ = QRegion(rect());
    update();
}

QSize QtCanvas::sizeHint() const { return SceneGeometry::naturalSize().toSize(); }

void QtCanvas::followWidget() {
    const QSizeF before = drawing_.logicalSize();
    const double scaleBefore = drawing_.geometry().scale();
    drawing_.setTarget(QSizeF(size()), devicePixelRatioF());
    if (before != drawing_.logicalSize() || scaleBefore != drawing_.geometry().scale()) emit sceneMoved();
}

void QtCanvas::paintEvent(QPaintEvent* event) {
    // A change of screen may have changed the device pixel ratio without a resize.
    followWidget();
    const QImage& img = drawing_.image();
    // Shown pixel for pixel: a view of the image that carries the ratio, without a copy.
    QImage view(img.constBits(), img.width(), img.height(), img.bytesPerLine(), img.format());
    view.setDevicePixelRatio(drawing_.devicePixelRatio());
    QPainter p(this);
    p.setClipRegion(event->region());
    p.drawImage(QPointF(0, 0), view);
    paintArrow(p);
    if (dragCode_ != 0) {
        const QRectF r = dragRect();
        const qreal ratio = devicePixelRatioF();
        QImage piece = PictureBook::render(dragCode_, (r.size() * ratio).toSize());
        piece.setDevicePixelRatio(ratio);
        p.setOpacity(0.85);
        p.drawImage(r.topLeft(), piece);
    }
    changed_ -= event->region();
}

QRectF QtCanvas::dragRect() const {
    // One square's size, centred on the mouse.
    const QPointF a = toLogical(SceneGeometry::cellX(0), SceneGeometry::cellY(0));
    const QPointF b = toLogical(SceneGeometry::cellX(1), SceneGeometry::cellY(1));
    const QSizeF size(b.x() - a.x(), b.y() - a.y());
    return QRectF(dragAt_ - QPointF(size.width() / 2, size.height() / 2), size);
}

void QtCanvas::setDragPiece(int code, QPointF logical) {
    const QRect before = dragRect().toAlignedRect().adjusted(-2, -2, 2, 2);
    if (dragCode_ != 0) update(before);
    dragCode_ = code;
    dragAt_ = logical;
    if (dragCode_ != 0) update(dragRect().toAlignedRect().adjusted(-2, -2, 2, 2));
}

void QtCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    const QPointF t = toTwips(event->position());
    emit dragged(t.x(), t.y(), event->position());
}

void QtCanvas::mouseReleaseEvent(QMouseEvent* event) {
    int button = 0;
    if (event->button() == Qt::LeftButton) button = 1;
    else if (event->button() == Qt::RightButton) button = 2;
    if (button == 0) return;
    const QPointF t = toTwips(event->position());
    emit released(button, t.x(), t.y());
}

void QtCanvas::setArrow(std::optional<QPointF> from, QPointF to) {
    if (arrowFrom_ == from && arrowTo_ == to) return;
    arrowFrom_ = from;
    arrowTo_ = to;
    update();
}

void QtCanvas::clearArrow() {
    if (!arrowTo_) return;
    arrowFrom_.reset();
    arrowTo_.reset();
    update();
}

void QtCanvas::paintArrow(QPainter& p) const {
    if (!arrowTo_) return;
    // Green, translucent, sized from the square: unlike the red of the losing marks.
    const double k = sceneGeometry().scale();
    const QColor colour(21, 120, 27, 170);
    const QPointF to = toLogical(arrowTo_->x(), arrowTo_->y());
    const double cell = std::min(MASU_W, MASU_H) / 15.0 * k;
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, cell * 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (!arrowFrom_) {
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(to, cell * 0.4, cell * 0.4);
        return;
    }
    const QPointF from = toLogical(arrowFrom_->x(), arrowFrom_->y());
    const QLineF line(from, to);
    if (line.length() < 1) return;
    const QPointF unit = (to - from) / line.length();
    const QPointF normal(-unit.y(), unit.x());
    const double head = cell * 0.42;
    const QPointF base = to - unit * head;
    p.setPen(pen);
    p.drawLine(from, base);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF({to, base + normal * head * 0.6, base - normal * head * 0.6}));
}

void QtCanvas::resizeEvent(QResizeEvent*) {
    // Painted again at the next paint, once for any number of resizes in between.
    followWidget();
}

void QtCanvas::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    if (event->button() == Qt::LeftButton) button = 1;
    else if (event->button() == Qt::RightButton) button = 2;
    if (button == 0) return;
    const QPointF t = toTwips(event->position());
    emit pressed(button, t.x(), t.y());
}

}  // namespace fudo::qt
