#include "ui/qt/pictures.h"

#include <QPainter>
#include <cstdlib>

#include "engine/constants.h"

namespace fudo::qt {

QSize PictureBook::naturalSize(int code) {
    if (code == KARA || code == SITA_OU_MAE || code == UE_OU_MAE || 正しい駒コード(code)) return {33, 41};
    if (code >= HAIKEI_MIDORI && code <= HAIKEI_RENGA) return {34, 41};
    if (code == DIRUVID || code == DORADAV2 || code == DIRUVID_SUMI) return {178, 70};
    return {};
}

const QImage& PictureBook::image(int code, QSize px, Tint tint) {
    // Codes fit in 16 bits with their sign (the largest is 950), the tint in 4.
    const quint64 key = (quint64(quint16(code)) << 36) | (quint64(tint) << 32) |
                        (quint64(px.width() & 0xffff) << 16) | quint64(px.height() & 0xffff);
    auto it = cache_.find(key);
    if (it == cache_.end()) it = cache_.insert(key, render(code, px, tint));
    return *it;
}

QImage PictureBook::render(int code, QSize px, Tint tint) {
    const QSize natural = naturalSize(code);
    if (natural.isEmpty() || px.isEmpty()) return {};
    if (code >= HAIKEI_MIDORI && code <= HAIKEI_RENGA) return renderTile(code, px);

    QImage img(px, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(qreal(px.width()) / natural.width(), qreal(px.height()) / natural.height());
    if (code == DIRUVID || code == DORADAV2 || code == DIRUVID_SUMI) {
        paintTitle(p, code);
    } else {
        paintEmptySquare(p);
        if (tint != Tint::None) paintTint(p, tint, code == KARA);
        if (code != KARA) paintPiece(p, code);
    }
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

}  // namespace fudo::qt
