#include "ui/qt/fonts.h"

#include <QFontDatabase>
#include <QRawFont>

namespace fudo::qt {

bool hasJapaneseGlyphs(const QString& family) {
    if (!QFontDatabase::families().contains(family)) return false;
    QFont f(family);
    f.setPixelSize(16);
    const QRawFont raw = QRawFont::fromFont(f, QFontDatabase::Japanese);
    if (!raw.isValid() || raw.familyName().compare(family, Qt::CaseInsensitive) != 0) return false;
    // Kanji of the pieces and titles, kana and half-width katakana of the messages.
    for (char32_t c : {U'将', U'棋', U'龍', U'馬', U'王', U'手', U'の', U'ﾊ', U'ﾟ', U'１', U'九'})
        if (!raw.supportsCharacter(c)) return false;
    return true;
}

namespace {

QString chooseFamily() {
    static const char* const preferred[] = {
        "ＭＳ Ｐ明朝", "MS PMincho", "IPAPMincho", "IPA P明朝", "IPAexMincho", "IPAMincho",
        "Noto Serif CJK JP", "Noto Serif JP", "Source Han Serif JP", "TakaoPMincho",
    };
    for (const char* name : preferred) {
        const QString family = QString::fromUtf8(name);
        if (hasJapaneseGlyphs(family)) return family;
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString& family : japanese)
        if ((family.contains(QLatin1String("Mincho"), Qt::CaseInsensitive) ||
             family.contains(QString::fromUtf8("明朝"))) && hasJapaneseGlyphs(family))
            return family;
    for (const QString& family : japanese)
        if (hasJapaneseGlyphs(family)) return family;
    // Nothing with Japanese glyphs: leave the choice to the font matcher's fallback.
    return QFont().defaultFamily();
}

}  // namespace

QString minchoFamily() {
    static const QString family = chooseFamily();
    return family;
}

QFont minchoFont(qreal pixelSize, bool bold) {
    QFont f(minchoFamily());
    f.setPixelSize(std::max(1, qRound(pixelSize)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

}  // namespace fudo::qt
