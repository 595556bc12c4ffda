// The two title pictures with the game's name: a plain wooden plaque outside a game and a
// black lacquer one with gold letters while a game is played.
#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "engine/constants.h"
#include "ui/qt/fonts.h"
#include "ui/qt/pictures.h"
#include "ui/qt/translation.h"

namespace fudo::qt {

namespace {

constexpr double kW = 178, kH = 70;

// Text as an outline, scaled to an em of `em` pixels and centred on (cx, cy). Letter
// spacing in ems spreads the characters.
QPainterPath textPath(const QString& text, double em, double cx, double cy, double spacing, bool bold) {
    // The outlines are made once: every later drawing of the titles is then identical.
    static QHash<QString, QPainterPath> cache;
    const QString key = text + QLatin1Char('|') + QString::number(spacing) + QLatin1Char(bold ? 'b' : 'n');
    auto it = cache.find(key);
    if (it == cache.end()) {
        QFont font = minchoFont(100, bold);
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing * 100);
        QPainterPath outline;
        outline.addText(0, 0, font, text);
        it = cache.insert(key, outline);
    }
    const QPainterPath& path = *it;
    const QRectF b = path.boundingRect();
    QTransform t;
    t.translate(cx, cy);
    t.scale(em / 100, em / 100);
    t.translate(-b.center().x(), -b.center().y());
    return t.map(path);
}

void paintWoodPlaque(QPainter& p) {
    p.fillRect(QRectF(0, 0, kW, kH), QColor(58, 32, 16));
    const QRectF inner(3, 3, kW - 6, kH - 6);
    QLinearGradient wood(0, 0, kW, kH);
    wood.setColorAt(0, QColor(243, 212, 150));
    wood.setColorAt(1, QColor(222, 178, 108));
    p.fillRect(inner, wood);
    p.save();
    p.setClipRect(inner);
    for (int i = 0; i < 9; ++i) {  // grain along the plaque
        const double y = 6 + i * 7.3;
        QPainterPath line;
        line.moveTo(0, y);
        line.cubicTo(kW * 0.3, y + 2.5 - (i % 3), kW * 0.7, y - 2 + (i % 2), kW, y + 1);
        p.strokePath(line, QPen(QColor(170, 118, 58, 40 + 8 * (i % 3)), 0.8));
    }
    p.restore();
    p.setPen(QPen(QColor(255, 238, 196, 160), 0.8));
    p.drawRect(inner.adjusted(0.8, 0.8, -0.8, -0.8));

    const QPainterPath name = textPath(QString::fromUtf8("不動将棋"), 34, kW / 2, 28, 0.08, false);
    p.fillPath(name.translated(0.8, 0.8), QColor(120, 80, 40, 90));
    p.fillPath(name, QColor(24, 14, 6));
    p.strokePath(name, QPen(QColor(24, 14, 6), 0.6));

    const QPainterPath sub = textPath(QString::fromUtf8("FUDŌ  SHOGI"), 10, kW / 2 - 8, 55, 0.25, true);
    p.fillPath(sub, QColor(140, 28, 16));
    // A small red seal at the lower right.
    const QRectF seal(kW - 27, 46, 15, 15);
    p.fillRect(seal, QColor(188, 30, 22));
    p.fillPath(textPath(QString::fromUtf8("王"), 11, seal.center().x(), seal.center().y(), 0, true),
               QColor(250, 230, 210));
}

void paintLacquerPlaque(QPainter& p, bool over) {
    QLinearGradient lacquer(0, 0, 0, kH);
    lacquer.setColorAt(0, QColor(44, 24, 18));
    lacquer.setColorAt(0.5, QColor(20, 12, 10));
    lacquer.setColorAt(1, QColor(36, 18, 14));
    p.fillRect(QRectF(0, 0, kW, kH), lacquer);
    p.fillRect(QRectF(0, 0, kW, 2.5), QColor(150, 26, 18));
    p.fillRect(QRectF(0, kH - 2.5, kW, 2.5), QColor(150, 26, 18));
    QLinearGradient goldLine(0, 0, kW, 0);
    goldLine.setColorAt(0, QColor(150, 110, 40));
    goldLine.setColorAt(0.5, QColor(240, 206, 120));
    goldLine.setColorAt(1, QColor(150, 110, 40));
    p.setPen(QPen(QBrush(goldLine), 0.9));
    p.drawRect(QRectF(5, 6, kW - 10, kH - 12));

    QLinearGradient gold(0, 12, 0, 44);
    gold.setColorAt(0, QColor(255, 236, 160));
    gold.setColorAt(0.55, QColor(222, 174, 72));
    gold.setColorAt(1, QColor(170, 118, 36));
    const QPainterPath name = textPath(QString::fromUtf8("不動将棋"), 32, kW / 2, 28, 0.08, false);
    p.fillPath(name.translated(1, 1), QColor(0, 0, 0, 160));
    p.fillPath(name, gold);
    p.strokePath(name, QPen(QBrush(gold), 0.6));

    // A finished game left on the board is no longer in play.
    const QString words = over ? translated(QT_TRANSLATE_NOOP("Game", "─  終 局  ─"))
                               : translated(QT_TRANSLATE_NOOP("Game", "─  対 局 中  ─"));
    const QPainterPath sub = textPath(words, 10, kW / 2, 54, 0.1, true);
    p.fillPath(sub, QColor(230, 196, 120));
}

}  // namespace

void paintTitle(QPainter& p, int code) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (code == DIRUVID || code == DIRUVID_SUMI)
        paintLacquerPlaque(p, code == DIRUVID_SUMI);
    else
        paintWoodPlaque(p);
    p.restore();
}

}  // namespace fudo::qt
