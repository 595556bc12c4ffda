#include "ui/qt/scene_geometry.h"

#include <algorithm>

namespace fudo::qt {

void SceneGeometry::fit(QSizeF widgetSize) {
    const QSizeF n = naturalSize();
    double s = std::min(widgetSize.width() / n.width(), widgetSize.height() / n.height());
    // A window squeezed to nothing still maps clicks sensibly.
    scale_ = std::max(s, 0.05);
    offset_ = QPointF((widgetSize.width() - n.width() * scale_) / 2,
                      (widgetSize.height() - n.height() * scale_) / 2);
}

QRectF SceneGeometry::sceneRect() const {
    return QRectF(offset_, naturalSize() * scale_);
}

QPointF SceneGeometry::toLogical(double X, double Y) const {
    return offset_ + QPointF(X, Y) * (scale_ / kTwipsPerPixel);
}

QPointF SceneGeometry::toTwips(QPointF logical) const {
    return (logical - offset_) * (kTwipsPerPixel / scale_);
}

}  // namespace fudo::qt
