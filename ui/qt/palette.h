// The classic 16-colour palette the game draws with (index 2, green, is the window's own
// background and the colour of plain square outlines).
#pragma once

#include <QColor>

namespace fudo::qt {

inline QColor paletteColour(int index) {
    static const QRgb table[16] = {
        qRgb(0, 0, 0),       qRgb(0, 0, 128),     qRgb(0, 128, 0),     qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128),   qRgb(128, 128, 0),   qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),     qRgb(0, 255, 0),     qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255),   qRgb(255, 255, 0),   qRgb(255, 255, 255),
    };
    return QColor(table[(index >= 0 && index < 16) ? index : 0]);
}

// The window's background, also shown around the drawing when the window's shape differs
// from the drawing's.
inline QColor backgroundColour() { return paletteColour(2); }

}  // namespace fudo::qt
