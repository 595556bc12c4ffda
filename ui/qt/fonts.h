// The game's typeface: a Mincho face that really holds Japanese glyphs.
#pragma once

#include <QFont>
#include <QString>

namespace fudo::qt {

// "ＭＳ Ｐ明朝" where installed, else IPAPMincho, else another Mincho face, else any face
// with Japanese glyphs. Chosen once per run.
QString minchoFamily();

// True when the family draws the kana and kanji the game shows (checked glyph by glyph,
// not just by the family's declared writing systems).
bool hasJapaneseGlyphs(const QString& family);

// The game's font at a size in device pixels.
QFont minchoFont(qreal pixelSize, bool bold);

}  // namespace fudo::qt
