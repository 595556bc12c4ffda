// Where the game's drawing (addressed in twips, 15 per pixel at 96 dpi) lands in a window
// of any size: scaled uniformly to fit, centred, the rest left as a border.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "engine/constants.h"

namespace fudo::qt {

class SceneGeometry {
public:
    // The drawing area in twips. Everything the game paints at its natural size lies inside
    // (the title picture ends at 9215, the strip below the board at 6865).
    static constexpr double kWidthTwips = 9495;
    static constexpr double kHeightTwips = 7500;
    static constexpr double kTwipsPerPixel = 15;
    // The drawing area in pixels at 96 dpi: 633 × 500.
    static QSizeF naturalSize() { return {kWidthTwips / kTwipsPerPixel, kHeightTwips / kTwipsPerPixel}; }

    // Twips of the top-left corner of cell (x, y).
    static double cellX(double x) { return BAN_X0 + MASU_W * x; }
    static double cellY(double y) { return BAN_Y0 + MASU_H * y; }

    // Fits the drawing into a widget of this size (logical pixels).
    void fit(QSizeF widgetSize);

    // Logical pixels per 96-dpi pixel of the drawing.
    double scale() const { return scale_; }
    // Logical position of the drawing's top-left corner.
    QPointF offset() const { return offset_; }
    // The drawing area in logical pixels.
    QRectF sceneRect() const;

    QPointF toLogical(double X, double Y) const;   // twips to logical pixels
    QPointF toTwips(QPointF logical) const;         // and back

private:
    double scale_ = 1.0;
    QPointF offset_;
};

}  // namespace fudo::qt
