// Pieces and the empty square: boxwood pentagons with Mincho kanji on the board's wood.
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdlib>

#include "engine/constants.h"
#include "ui/qt/fonts.h"
#include "ui/qt/pictures.h"

namespace fudo::qt {

namespace {

constexpr double kW = 33, kH = 41;  // natural size of a square

struct PieceLook {
    const char* kanji = nullptr;  // UTF-8
    bool promoted = false;        // kanji in red
    double size = 1.0;            // relative size: kings largest, pawns smallest
};

PieceLook lookOf(int code) {
    if (code == SITA_OU_MAE) return {"王", false, 1.0};
    if (code == UE_OU_MAE) return {"玉", false, 1.0};
    switch (std::abs(code)) {
    case HU: return {"歩", false, 0.84};
    case HU_NARI: return {"と", true, 0.84};
    case KYOU: return {"香", false, 0.87};
    case KYOU_NARI: return {"杏", true, 0.87};
    case KEI: return {"桂", false, 0.9};
    case KEI_NARI: return {"圭", true, 0.9};
    case GIN: return {"銀", false, 0.93};
    case GIN_NARI: return {"全", true, 0.93};
    case KIN: return {"金", false, 0.93};
    case KAKU: return {"角", false, 0.97};
    case KAKU_NARI: return {"馬", true, 0.97};
    case SYA: return {"飛", false, 0.97};
    case SYA_NARI: return {"龍", true, 0.97};
    case OU: return {code < 0 ? "王" : "玉", false, 1.0};
    default: return {};
    }
}

// Outline of a kanji at a large size, cached by text: scaled down it stays exact.
const QPainterPath& glyphPath(const char* kanji) {
    static QHash<QString, QPainterPath> cache;
    const QString text = QString::fromUtf8(kanji);
    auto it = cache.find(text);
    if (it == cache.end()) {
        QPainterPath path;
        path.addText(0, 0, minchoFont(100, false), text);
        it = cache.insert(text, path);
    }
    return *it;
}

}  // namespace

void paintEmptySquare(QPainter& p) {
    // Kaya wood, a little lighter at the top left.
    QLinearGradient wood(0, 0, kW, kH);
    wood.setColorAt(0, QColor(240, 204, 136));
    wood.setColorAt(1, QColor(228, 186, 114));
    p.fillRect(QRectF(0, 0, kW, kH), wood);

    // Faint straight grain running down the board.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    static const double grain[][3] = {{4.5, 0.8, 50}, {11.2, 1.3, 35}, {17.8, 0.7, 45},
                                      {23.5, 1.1, 30}, {29.0, 0.9, 40}};
    for (const auto& g : grain) {
        QPainterPath line;
        line.moveTo(g[0], 0);
        line.cubicTo(g[0] + g[1], kH * 0.35, g[0] - g[1], kH * 0.65, g[0], kH);
        p.strokePath(line, QPen(QColor(178, 128, 64, int(g[2])), 0.7));
    }
    // Lines of the grid: lit on the top and left, shaded on the bottom and right.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(kW - 1, 0, 1, kH), QColor(168, 122, 60));
    p.fillRect(QRectF(0, kH - 1, kW, 1), QColor(168, 122, 60));
    p.fillRect(QRectF(1, 1, kW - 2, 0.6), QColor(252, 226, 170));
    p.fillRect(QRectF(1, 1, 0.6, kH - 2), QColor(252, 226, 170));
    p.restore();
}

void paintTint(QPainter& p, Tint tint, bool emptySquare) {
    // Translucent over the wood: the last move green (stronger on the destination), the
    // reach blue, and the king's losing squares red, unlike any other tint.
    QColor c;
    switch (tint) {
    case Tint::LastFrom: c = QColor(70, 200, 40, 80); break;
    case Tint::LastTo: c = QColor(70, 200, 40, 150); break;
    case Tint::Reach: c = QColor(30, 144, 255, 100); break;
    case Tint::Losing: c = QColor(235, 20, 20, 135); break;
    // A king in check amber, a mated one deep purple: neither is the red of a losing move.
    case Tint::Check: c = QColor(255, 170, 0, 150); break;
    case Tint::Mated: c = QColor(120, 20, 160, 150); break;
    case Tint::None: return;
    }
    // Inside the grid lines, so the board's lines stay as they are.
    p.fillRect(QRectF(0.6, 0.6, kW - 1.6, kH - 1.6), c);
    if (tint == Tint::Reach && emptySquare) {
        // A dot a third of the square, round on any shape of square.
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(10, 90, 220, 150));
        const double d = std::min(kW, kH) / 3;
        p.drawEllipse(QRectF(kW / 2 - d / 2, kH / 2 - d / 2, d, d));
        p.restore();
    }
}

void paintPiece(QPainter& p, int code) {
    const PieceLook look = lookOf(code);
    if (!look.kanji) return;
    const bool upper = code == UE_OU_MAE || code >= HU;
    const bool beforeGame = code == SITA_OU_MAE || code == UE_OU_MAE;

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (upper) {  // the upper side's pieces face the other way
        p.translate(kW, kH);
        p.rotate(180);
    }

    // The pentagon, standing on the bottom of the square and pointing away from its owner.
    const double f = look.size;
    const double height = 35.5 * f, bottomWidth = 27.5 * f, shoulderWidth = 23.0 * f;
    const double cx = kW / 2, bottom = 38.8, top = bottom - height;
    const double shoulder = top + height * 0.25;
    QPainterPath shape;
    shape.moveTo(cx, top);
    shape.lineTo(cx + shoulderWidth / 2, shoulder);
    shape.lineTo(cx + bottomWidth / 2, bottom);
    shape.lineTo(cx - bottomWidth / 2, bottom);
    shape.lineTo(cx - shoulderWidth / 2, shoulder);
    shape.closeSubpath();

    QColor light(251, 231, 178), dark(230, 190, 118), edge(122, 80, 30), ink(22, 14, 6);
    if (beforeGame) {  // waiting kings: bleached and grey
        light = QColor(236, 234, 228);
        dark = QColor(196, 192, 184);
        edge = QColor(120, 118, 112);
        ink = QColor(112, 110, 104);
    } else if (look.promoted) {
        ink = QColor(204, 22, 12);
    }

    // The shadow falls to the lower right on the screen, whichever way the piece faces.
    const double shadow = upper ? -0.9 : 0.9;
    p.fillPath(shape.translated(shadow, shadow), QColor(70, 40, 10, 95));
    QLinearGradient body(cx - bottomWidth / 2, top, cx + bottomWidth / 2, bottom);
    body.setColorAt(0, light);
    body.setColorAt(1, dark);
    p.fillPath(shape, body);
    // A lit bevel just inside the edge, then the edge itself.
    QTransform inset;
    inset.translate(cx, (top + bottom) / 2);
    inset.scale(0.86, 0.9);
    inset.translate(-cx, -(top + bottom) / 2);
    p.strokePath(inset.map(shape), QPen(QColor(255, 246, 222, beforeGame ? 90 : 150), 0.7));
    p.strokePath(shape, QPen(edge, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    // The kanji, centred in the body below the shoulders.
    const QPainterPath& glyph = glyphPath(look.kanji);
    const QRectF b = glyph.boundingRect();
    const double em = height * 0.62 / 100.0;
    QTransform t;
    t.translate(cx, shoulder + (bottom - shoulder) * 0.43);
    t.scale(em, em);
    t.translate(-b.center().x(), -b.center().y());
    const QPainterPath kanji = t.map(glyph);
    p.fillPath(kanji, ink);
    p.strokePath(kanji, QPen(ink, 0.35, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.restore();
}

}  // namespace fudo::qt
