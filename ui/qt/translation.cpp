#include "ui/qt/translation.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QTranslator>
#include <memory>

#include "notation/english_notation.h"

namespace fudo::qt {

namespace {

Language current = Language::Japanese;
std::unique_ptr<QTranslator> catalogue;

QString lookup(const char* context, const QString& source) {
    if (!catalogue) return {};
    return catalogue->translate(context, source.toUtf8().constData());
}

// Digits, and a name in 「」, are the arguments of a pattern.
const QRegularExpression& argumentPattern() {
    static const QRegularExpression re(QStringLiteral("(?<=「)[^」]*(?=」)|[0-9]+"));
    return re;
}

QString byPattern(const QString& text) {
    QString pattern;
    QStringList args;
    qsizetype at = 0;
    auto it = argumentPattern().globalMatch(text);
    while (it.hasNext() && args.size() < 9) {
        const auto m = it.next();
        pattern += text.mid(at, m.capturedStart() - at);
        args << m.captured();
        pattern += QLatin1Char('%') + QString::number(args.size());
        at = m.capturedEnd();
    }
    if (args.isEmpty()) return {};
    pattern += text.mid(at);
    QString t = lookup("Game", pattern);
    if (t.isEmpty()) return {};
    // From %9 down, so that %1 does not eat the start of %10-like texts.
    for (qsizetype i = args.size(); i >= 1; --i) t.replace(QLatin1Char('%') + QString::number(i), args[i - 1]);
    return t;
}

QString translateLine(const QString& line) {
    const QString core = line.trimmed();
    if (core.isEmpty()) return line;
    const qsizetype lead = line.indexOf(core);
    const QString before = line.left(lead), after = line.mid(lead + core.size());
    QString t = lookup("Game", core);
    if (t.isEmpty()) {
        qsizetype colon = core.indexOf(QStringLiteral(": "));
        qsizetype width = 2;
        if (colon <= 0) colon = core.indexOf(QChar(u'：')), width = 1;
        if (colon > 0) t = translateLine(core.left(colon)) + QStringLiteral(": ") + translateLine(core.mid(colon + width));
    }
    if (t.isEmpty()) t = byPattern(core);
    if (t.isEmpty()) t = core;
    return before + t + after;
}

}  // namespace

Language language() { return current; }

bool setLanguage(Language language) {
    // Installed in the application too, so that the tr() of the window's own widgets finds
    // its texts (in the contexts of their classes).
    if (language == Language::Japanese) {
        if (catalogue) QCoreApplication::removeTranslator(catalogue.get());
        catalogue.reset();
        current = Language::Japanese;
        return true;
    }
    auto t = std::make_unique<QTranslator>();
    if (!t->load(QStringLiteral(":/i18n/fudo_en.qm"))) return false;
    if (catalogue) QCoreApplication::removeTranslator(catalogue.get());
    catalogue = std::move(t);
    QCoreApplication::installTranslator(catalogue.get());
    current = language;
    return true;
}

QString languageCode(Language language) {
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

Language languageFromCode(const QString& code) {
    return code == QLatin1String("en") ? Language::English : Language::Japanese;
}

QString translated(const QString& japanese) {
    if (!catalogue || japanese.isEmpty()) return japanese;
    const QString whole = lookup("Game", japanese);
    if (!whole.isEmpty()) return whole;
    QStringList lines = japanese.split(QLatin1Char('\n'));
    for (QString& l : lines) l = translateLine(l);
    return lines.join(QLatin1Char('\n'));
}

QString translated(std::string_view japanese) {
    return translated(QString::fromUtf8(japanese.data(), qsizetype(japanese.size())));
}

QString translated(const char* japanese) { return translated(QString::fromUtf8(japanese)); }

QString translatedCaption(const char* japanese) {
    const QString t = lookup("Menu", QString::fromUtf8(japanese));
    return t.isEmpty() ? QString::fromUtf8(japanese) : t;
}

QString hintText(const Host::HintMove& hint, std::string_view words) {
    if (!catalogue) return QString::fromUtf8(words.data(), qsizetype(words.size()));
    const MoveParts& m = hint.move;
    英語の手 e;
    e.駒 = m.piece;
    e.打 = m.fromX < 1 || m.fromX > 9;
    e.元筋 = 10 - m.fromX;
    e.元段 = m.fromY;
    e.先筋 = 10 - m.toX;
    e.先段 = m.toY;
    e.取り = hint.captures;
    e.成り = hint.promotes;
    return translated("ヒント") + QStringLiteral(": ") + QString::fromStdString(表記_英語(e));
}

QString gameEndText(std::string_view winner) {
    return translated(QString::fromUtf8(winner.data(), qsizetype(winner.size())) + QStringLiteral("の勝ちです"));
}

bool hasEntry(const QString& japanese) { return !lookup("Game", japanese).isEmpty(); }

bool holdsJapanese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF) ||
            c.isSurrogate())
            return true;
    }
    return false;
}

}  // namespace fudo::qt
