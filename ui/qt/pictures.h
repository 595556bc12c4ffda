// The game's pictures, all drawn here with QPainter (no image files): the pieces of both
// sides, unpromoted and promoted, the two kings shown before a game, the empty square,
// the five background tiles and the two title pictures. Each is drawn afresh for the
// device size it is shown at, so it is sharp at any scale.
#pragma once

#include <QHash>
#include <QImage>
#include <QSize>

#include "engine/ports.h"

class QPainter;

namespace fudo::qt {

class PictureBook {
public:
    // Size at 96 dpi of the picture of a code (33 × 41 pieces and the empty square, 34 × 41
    // background tiles, 178 × 70 titles); empty for codes without a picture.
    static QSize naturalSize(int code);
    static bool hasPicture(int code) { return !naturalSize(code).isEmpty(); }

    // The picture of a code drawn to exactly this many device pixels (opaque), a square's
    // wood tinted under its piece if asked. Kept until clear(), so a redraw at one scale
    // draws each picture once.
    const QImage& image(int code, QSize devicePixels, Tint tint = Tint::None);
    void clear() { cache_.clear(); }

    // Draws without keeping the result.
    static QImage render(int code, QSize devicePixels, Tint tint = Tint::None);

private:
    QHash<quint64, QImage> cache_;
};

// The parts, each in its own file. Pieces, the empty square and titles paint into a painter
// scaled to the picture's natural size; tiles are computed pixel by pixel.
void paintEmptySquare(QPainter& p);
void paintPiece(QPainter& p, int code);
// The play aids' tint of a square's wood; an empty square the piece can reach also gets a dot.
void paintTint(QPainter& p, Tint tint, bool emptySquare);
void paintTitle(QPainter& p, int code);
QImage renderTile(int code, QSize devicePixels);

}  // namespace fudo::qt
