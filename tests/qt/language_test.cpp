// The English interface: every Japanese text of the sources that can reach the player has
// English, texts composed of parts read as English sentences, and the window switches at
// once, redraws, fits and remembers the choice.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QTableWidget>
#include <QtTest>

#include "notation/csa.h"
#include "notation/kif.h"
#include "tests/support/malformed_records.h"
#include "ui/qt/box_answerer.h"
#include "ui/qt/exchange_actions.h"
#include "ui/qt/fonts.h"
#include "ui/qt/move_list_panel.h"
#include "ui/qt/main_window.h"
#include "ui/qt/translation.h"
#include "window_test_support.h"

using namespace fudo;
using namespace fudo::qt;
using namespace fudo::qt::test;

namespace {

const QString kSource = QStringLiteral(FUDO_SOURCE_DIR);

// Japanese literals that never reach the player as text, and why.
const char* const kNeverShown[] = {
    // file names and the record files' filter
    "*.棋譜", ".棋譜", "その他.wav", "禁止.wav", "駒打音.wav",
    // lines of the settings file DAre1.ini
    "背景画=緑", "背景画=畳", "背景画=竹", "背景画=宇宙", "背景画=煉瓦", "移動指導=ON", "移動指導=OFF",
    "経過時間=ON", "経過時間=OFF",
    // font families
    "IPA P明朝", "ＭＳ Ｐ明朝", "明朝",
    // the language menu names each language in itself
    "言語 / Language", "日本語",
    // names proposed for new record files, and a sample that sizes the move list's column
    "棋譜.csa", "棋譜.kif", "△８八成銀不成(99)",
    // a full-width question mark reads the same in English
    "？",
};
// The KIF and CSA formats' own words, and the comments this game writes into such files:
// read by other shogi programs, never shown by this one (its move list shows its own text).
const char* const kWrittenIntoRecords[] = {
    // board diagram, headers and the names written as players
    "０", "〇", "・", "　", "  ９ ８ ７ ６ ５ ４ ３ ２ １", "先手の持駒：なし", "後手の持駒：なし", "の持駒", "なし",
    "先手番", "後手番", "上手番", "下手番", "# ---- 不動将棋 棋譜ファイル ----", "'不動将棋 棋譜ファイル", "開始日時",
    "開始日時：", "棋戦", "棋戦：", "手合割：平手", "先手：", "後手：", "手数----指手---------消費時間--", "変化",
    "先手=上手", "コンピュータ",
    // other spellings of pieces, promotion, handicaps and end words
    "杏", "圭", "全", "竜", "不成", "角落ち", "二枚落ち", "三枚落ち", "四枚落ち", "左五枚落ち", "六枚落ち", "左七枚落ち", "八枚落ち",
    "十枚落ち", "投了", "詰み", "反則勝ち", "反則負け", "持将棋", "中断", "千日手", "不詰", "切れ負け", "入玉勝ち",
    "不戦勝", "不戦敗", "封じ手", "最大手数", "時間切れ", "宣言勝ち", "トライ", "反則",
    // a review's comments as other shogi programs write and read them, and its engine's name
    "#評価値=", "#読み筋=", "#深さ=", "#ノード数=", "#エンジン=", "#詰み=", "不動将棋 LEVEL4", "手",
    // the comments that explain this game's rules to other programs' readers
    "玉を取る手", "打ち歩詰め", "自玉に利きが残る手", "手目の", "で、不動将棋では指せてもふつうの将棋では指せないため、指し手は",
    "手目までを記録します。", "まで", "手で中断", "不動将棋では", "手に達すると引き分けです。", "手で持将棋",
    "不動将棋では玉は動けません。玉を動かした", "の負けです。", "不動将棋では玉を取った側の勝ちです。", "手目で",
    "が玉を取りました。", "不動将棋では玉は動けないので、", "の玉は詰んでいます。", "手で",
    // the time control's header line
    "持ち時間：", "各", " 秒読み", "秒読み", " 1手ごとに", "加算", " 切れ負け", "時間", "分", "秒",
};
// Files whose Japanese literals are no texts of their own: the faces of the pieces, and the
// translation's own patterns.
const char* const kSkippedFiles[] = {"ui/qt/piece_pictures.cpp", "ui/qt/translation.cpp"};

struct Literal {
    QString file;
    QString text;
};

// The string literals of a C++ source holding Japanese, comments left out.
QList<Literal> literalsOf(const QString& path, const QString& name) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    const QString src = QString::fromUtf8(f.readAll());
    QList<Literal> out;
    for (qsizetype i = 0; i < src.size(); ++i) {
        const QChar c = src[i];
        if (c == u'/' && i + 1 < src.size() && src[i + 1] == u'/') {
            i = src.indexOf(u'\n', i);
            if (i < 0) break;
        } else if (c == u'/' && i + 1 < src.size() && src[i + 1] == u'*') {
            i = src.indexOf(QStringLiteral("*/"), i + 2);
            if (i < 0) break;
            ++i;
        } else if (c == u'\'') {
            while (++i < src.size() && src[i] != u'\'')
                if (src[i] == u'\\') ++i;
        } else if (c == u'"') {
            QString text;
            while (++i < src.size() && src[i] != u'"') {
                if (src[i] == u'\\' && i + 1 < src.size()) {
                    const QChar e = src[++i];
                    text += e == u'n' ? QChar(u'\n') : e == u't' ? QChar(u'\t') : e;
                } else {
                    text += src[i];
                }
            }
            if (holdsJapanese(text)) out.push_back({name, text});
        }
    }
    return out;
}

// Every Japanese literal of the game's core and window sources.
QList<Literal> japaneseLiterals() {
    QList<Literal> out;
    for (const char* folder : {"engine", "control", "files", "ui", "sound", "search", "notation", "analysis"}) {
        QDirIterator it(kSource + QLatin1Char('/') + QLatin1String(folder), {"*.cpp", "*.h"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString name = QDir(kSource).relativeFilePath(path);
            // The sound library's own tests and the wave generator show nothing.
            if (name.startsWith(QLatin1String("sound/tests/")) || name.startsWith(QLatin1String("sound/wavegen/")))
                continue;
            out += literalsOf(path, name);
        }
    }
    return out;
}

struct Entry {
    QString context, source, translation;
    bool finished;
};

QList<Entry> catalogue() {
    QFile f(kSource + QStringLiteral("/translations/fudo_en.ts"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QXmlStreamReader xml(&f);
    QList<Entry> out;
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            out.push_back({context, xml.readElementText(), {}, false});
        } else if (xml.name() == QLatin1String("translation") && !out.isEmpty()) {
            out.back().finished = xml.attributes().value(QLatin1String("type")).isEmpty();
            out.back().translation = xml.readElementText();
        }
    }
    return out;
}

// A fragment of a composed text, with its numbers as any argument: "12行目" → "%\d+行目".
QRegularExpression fragmentPattern(const QString& fragment) {
    QString re;
    static const QRegularExpression digits(QStringLiteral("[0-9]+"));
    qsizetype at = 0;
    auto it = digits.globalMatch(fragment);
    while (it.hasNext()) {
        const auto m = it.next();
        re += QRegularExpression::escape(fragment.mid(at, m.capturedStart() - at)) + QStringLiteral("%\\d+");
        at = m.capturedEnd();
    }
    return QRegularExpression(re + QRegularExpression::escape(fragment.mid(at)));
}

// The lines of a text without the blanks and the ASCII punctuation around them.
QStringList fragments(const QString& text) {
    QStringList out;
    static const QRegularExpression edges(QStringLiteral("^[\\s:()]+|[\\s:()]+$"));
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.remove(edges);
        if (holdsJapanese(line)) out << line;
    }
    return out;
}

QStringList captions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) {
        if (a->objectName() != QLatin1String("LANGUAGE")) {
            out << a->text();
            if (a->menu()) out += captions(a->menu()->actions());
        }
    }
    return out;
}

QStringList shownTexts(MainWindow& w) {
    QStringList out;
    for (const auto& op : w.canvas()->drawing().operations())
        if (op.kind == RetainedDrawing::Op::Kind::Text || op.kind == RetainedDrawing::Op::Kind::Move) out << op.text;
    return out;
}

// Draws every caption and label the game has: all handicap grades, a move number, the
// computer thinking, moves of both sides, a drop.
void drawEveryLabel(MainWindow& w) {
    Game& g = w.game();
    w.command([&g] {
        for (int grade = -10; grade <= 10; ++grade) g.描画_ハンデレベル(grade);
        g.描画_ハンデレベル(-10);
        g.描画_手数(123, 色_白);
        g.com_ban_開始();
        g.描画_移動結果(g.COM_SENGO, 4, 8, KAKU_NARI, 色_白, 8, 2);
        g.描画_移動結果(g.MAN_SENGO, 5, 5, -HU, 色_白, 11, 1);
    });
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() {
        setLanguage(Language::Japanese);
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)).removeRecursively();
    }

    void catalogueIsCompleteEnglish() {
        const QList<Entry> entries = catalogue();
        QVERIFY(entries.size() > 150);
        QSet<QString> seen;
        for (const Entry& e : entries) {
            QVERIFY2(e.finished && !e.translation.isEmpty(), qPrintable(e.source));
            // Only the game's own name may stay in Japanese, beside its English one.
            QVERIFY2(!holdsJapanese(QString(e.translation).remove(QStringLiteral("不動将棋"))), qPrintable(e.source));
            QVERIFY2(!seen.contains(e.context + e.source), qPrintable(e.source));
            seen.insert(e.context + e.source);
            // Numbers given as %n come back in the translation.
            static const QRegularExpression arg(QStringLiteral("%\\d"));
            auto it = arg.globalMatch(e.source);
            while (it.hasNext()) QVERIFY2(e.translation.contains(it.next().captured()), qPrintable(e.source));
        }
    }

    // Every Japanese literal of the sources is shown in English, whole or as a part of a
    // catalogued text.
    void everyTextOfTheSourcesHasEnglish() {
        const QList<Literal> literals = japaneseLiterals();
        QVERIFY(literals.size() > 150);
        const QList<Entry> entries = catalogue();
        QSet<QString> neverShown;
        for (const char* t : kNeverShown) neverShown.insert(QString::fromUtf8(t));
        for (const char* t : kWrittenIntoRecords) neverShown.insert(QString::fromUtf8(t));
        QSet<QString> exceptionsSeen;

        QVERIFY(setLanguage(Language::English));
        QStringList missing;
        for (const Literal& l : literals) {
            if (std::any_of(std::begin(kSkippedFiles), std::end(kSkippedFiles),
                            [&](const char* f) { return l.file == QLatin1String(f); }))
                continue;
            if (neverShown.contains(l.text)) {
                exceptionsSeen.insert(l.text);
                continue;
            }
            // A whole text (a tr() text in the context of its class included), a menu caption,
            // or each line of it.
            if (std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.source == l.text; }) ||
                !holdsJapanese(translated(l.text)) || !holdsJapanese(translatedCaption(l.text.toUtf8().constData())))
                continue;
            for (const QString& part : fragments(l.text)) {
                if (!holdsJapanese(translated(part))) continue;
                const QRegularExpression re = fragmentPattern(part);
                const bool inside = std::any_of(entries.begin(), entries.end(), [&](const Entry& e) {
                    return e.context == QLatin1String("Game") && re.match(e.source).hasMatch();
                });
                if (!inside) missing << l.file + QStringLiteral(": ") + part;
            }
        }
        for (const QString& m : missing) qWarning("no English: %s", qPrintable(m));  // the whole list
        QVERIFY2(missing.isEmpty(),
                 qPrintable(QStringLiteral("no English for these texts; add them to translations/fudo_en.ts (context "
                                           "Game, or Menu for menu captions; numbers as %1, %2, …), or to "
                                           "kNeverShown when they never reach the player:\n") +
                            missing.join(QLatin1Char('\n'))));
        // The exceptions still name texts of the sources.
        QCOMPARE(exceptionsSeen.size(), neverShown.size());
    }

    void composedTextsReadAsEnglishSentences_data() {
        QTest::addColumn<QString>("japanese");
        QTest::addColumn<QString>("english");
        const auto row = [](const char* name, const char* ja, const char* en) {
            QTest::newRow(name) << QString::fromUtf8(ja) << QString::fromUtf8(en);
        };
        row("record line", "棋譜ﾌｧｲﾙを読み込めません\n\n12行目: 指し手の行は37文字でなければなりません(36文字)",
            "Cannot read the record file\n\nLine 12: A move line must be 37 characters long (it has 36)");
        row("record move", "棋譜ﾌｧｲﾙを読み込めません\n\n7手目: 持駒にない駒を打っています",
            "Cannot read the record file\n\nMove 7: A piece not in hand is dropped");
        row("a king move's note", "3手目「６八玉(59)」(5行目): 王は動かないので、この手で終局です。後の1手は読みません",
            "Move 3 “６八玉(59)” (line 5): A king never moves: the game ends with this move (moves left out after "
            "it: 1)");
        row("piece code", "動かした駒のコード 99 は駒ではありません", "The moved piece's code 99 is not a piece");
        row("sound file", "「駒打音.wav」を読み込めません。\nファイルが空です",
            "Cannot read “駒打音.wav”.\nThe file is empty");
        row("system error", "棋譜を書き込めませんでした\n\nエラー: Broken pipe", "Could not write the record\n\nError: Broken pipe");
        row("handicap refusal", "反転後ではできません\n\n局面→最初にして下さい",
            "Not after turning the board\n\nChoose Position → Back to the start first");
        row("check", "   ** 王手 **", "   ** Check **");
        row("about", "不動将棋 (Fudō Shogi)\nバージョン 1.0.0\n王は動かない将棋：自分の王を動かした方が負けです。\nMIT License",
            "Fudō Shogi (不動将棋)\nVersion 1.0.0\nShogi in which a king never moves: whoever moves their own king "
            "loses.\nMIT License");
        row("unknown stays", "知らない文 12", "知らない文 12");
    }
    void composedTextsReadAsEnglishSentences() {
        QFETCH(QString, japanese);
        QFETCH(QString, english);
        QVERIFY(setLanguage(Language::English));
        QCOMPARE(translated(japanese), english);
        setLanguage(Language::Japanese);
        QCOMPARE(translated(japanese), japanese);
    }

    // Every refusal the KIF and CSA readers give, as the window shows it, reads as English;
    // only a name quoted from the file may stay as it was written.
    void refusalsOfRecordFilesReadAsEnglish() {
        QVERIFY(setLanguage(Language::English));
        static const QRegularExpression quoted(QStringLiteral("“[^”]*”"));
        int n = 0;
        for (const fudo::test::MalformedRecord& c : fudo::test::malformedRecords()) {
            const 記録読込結果 r = c.csa ? 解析_CSA(c.text) : 解析_KIF(c.text);
            QVERIFY(!r.ok);
            const QString english =
                translated(QStringLiteral("棋譜ﾌｧｲﾙを読み込めません\n\n") + QString::fromStdString(r.error));
            QVERIFY2(english.startsWith(QStringLiteral("Cannot read the record file\n\n")), qPrintable(english));
            QVERIFY2(!holdsJapanese(QString(english).remove(quoted)), qPrintable(english));
            ++n;
        }
        QVERIFY(n >= 30);
        QCOMPARE(translated(QString::fromUtf8("12行目: 手合割「香落ち」は不動将棋にありません")),
                 QString::fromUtf8("Line 12: Fudō Shogi has no handicap “香落ち”"));
        QCOMPARE(translated(QString::fromUtf8("指し手が正しくありません: 5手目: 手番でない側が指しています")),
                 QStringLiteral("The moves are wrong: Move 5: The side not to move has moved"));
    }

    void partsAreWordedByTheWindow() {
        QVERIFY(setLanguage(Language::English));
        const std::pair<const char*, const char*> ends[] = {{"あなた", "You win"},
                                                            {"ｺﾝﾋﾟｭｰﾀ", "The computer wins"},
                                                            {"先手", "The first player wins"},
                                                            {"後手", "The second player wins"}};
        for (const auto& [winner, text] : ends) QCOMPARE(gameEndText(winner), QString::fromUtf8(text));

        struct MoveRow {
            MoveParts m;
            const char* english;
            const char* japanese;
        };
        const MoveRow moves[] = {
            {{-HU, 3, 6, 3, 7}, "P7g-7f", "７六歩"},
            {{KAKU_NARI, 8, 3, 2, 8}, "+B8h-2c", "２三角成"},
            {{-GIN, 6, 8, 7, 9}, "S3i-4h", "４八銀"},
            {{-HU, 5, 5, 11, 1}, "P*5e", "５五歩"},
            {{KIN, 5, 2, -1, 3}, "G*5b", "５二金"},
            {{-OU, 5, 8}, "K-5h", "５八王"},
        };
        for (const MoveRow& r : moves) {
            QCOMPARE(englishMoveText(r.m), QString::fromUtf8(r.english));
            QCOMPARE(japaneseMovePart(r.m, 0) + japaneseMovePart(r.m, 1) + japaneseMovePart(r.m, 2),
                     QString::fromUtf8(r.japanese));
        }
        setLanguage(Language::Japanese);
        for (const auto& [winner, text] : ends)
            QCOMPARE(gameEndText(winner), QString::fromUtf8(winner) + QStringLiteral("の勝ちです"));
    }

    // In English the board words the last move as the move list does, and counts the moves
    // as one text on one line within its tiles; back in Japanese the classic counter returns.
    void theBoardWordsMovesAndCountsAsTheListDoes() {
        BoxAnswerer answers;
        TestWindow w;
        w->switchLanguage(Language::English);
        Game& g = w->game();
        QTableWidget* table = w->exchange()->panel()->table();
        auto drawn = [&](RetainedDrawing::Op::Kind kind) {
            QStringList shown;
            for (const auto& op : w->canvas()->drawing().operations())
                if (op.kind == kind && op.code == 15 && !op.text.isEmpty()) shown << op.text;
            return shown;
        };
        w->action("START")->trigger();
        const struct {
            int fx, fy, tx, ty;
            Qt::MouseButton button;
        } moves[] = {{3, 7, 3, 6, Qt::LeftButton}, {7, 3, 7, 4, Qt::LeftButton}, {2, 8, 8, 2, Qt::RightButton},
                     {7, 1, 8, 2, Qt::LeftButton}, {3, 9, 3, 8, Qt::LeftButton}};
        int n = 0;
        for (const auto& m : moves) {
            clickCell(*w, m.fx, m.fy);
            clickCell(*w, m.tx, m.ty, m.button);
            settle(20);
            ++n;
            QCOMPARE(g.KIFU_LAST, n);
            const QString listed = table->item(n, 1)->text().mid(1);  // after ▲ or △
            QCOMPARE(drawn(RetainedDrawing::Op::Kind::Move).last(), listed);
            QVERIFY(drawn(RetainedDrawing::Op::Kind::Text).contains(QStringLiteral("Move %1").arg(n)));
        }
        QCOMPARE(table->item(3, 1)->text(), QString::fromUtf8("▲B8hx2b+"));
        for (int count : {1, 12, 123, 500}) {
            g.画面_再描画();  // a fresh list of operations: the counter alone
            g.描画_手数(count);
            int shown = 0;
            for (const auto& op : w->canvas()->drawing().operations()) {
                if (op.kind != RetainedDrawing::Op::Kind::Text || op.count == -1) continue;
                QVERIFY2(!op.text.contains(QLatin1String("move")), qPrintable(op.text));
                if (op.text.isEmpty()) continue;
                ++shown;
                QCOMPARE(op.text, QStringLiteral("Move %1").arg(count));
                QCOMPARE(op.y, op.code == 15 ? 4.3 : 4.4);  // on the number's line
                // Within the two tiles the counter paints over, at the size it is shown.
                const double width = QFontMetricsF(minchoFont(op.shownSize * 4.0 / 3.0, op.bold)).horizontalAdvance(op.text);
                QVERIFY2(SceneGeometry::cellX(op.x) + width * 15 <= SceneGeometry::cellX(15.05), qPrintable(op.text));
            }
            QCOMPARE(shown, 2);  // the text over its shadow
        }
        w->switchLanguage(Language::Japanese);
        g.画面_再描画();
        g.描画_手数(12);
        QStringList japanese;
        for (const auto& op : w->canvas()->drawing().operations())
            if (op.kind == RetainedDrawing::Op::Kind::Text && op.count != -1 && op.code == 15) japanese << op.text;
        QCOMPARE(japanese, (QStringList{QStringLiteral(" 12 "), QString::fromUtf8("手目")}));
    }

    // Switching shows every caption and drawn text in the other language at once, keeps to
    // the room the Japanese text had, and switching back restores the same picture.
    void switchingIsImmediateFitsAndIsRemembered() {
        BoxAnswerer answers;
        TestWindow w;
        w->action("SENTE")->trigger();
        settle(50);
        drawEveryLabel(*w);
        w->action("KIFU_WRITE")->trigger();  // the record controls with their labels
        settle(30);
        const QImage japanese = w->canvas()->drawing().image().copy();
        const QStringList menuJa = captions(w->menuBar()->actions());
        std::vector<QRectF> inkJa;
        for (const auto& op : w->canvas()->drawing().operations()) inkJa.push_back(op.ink);

        w->action("LANG_EN")->trigger();
        // FUDO_SHOT_DIR=folder keeps both windows as pictures, to look at the layout.
        const QString shots = qEnvironmentVariable("FUDO_SHOT_DIR");
        if (!shots.isEmpty()) {
            settle(30);
            w->grab().save(shots + QStringLiteral("/labels-en.png"));
        }
        QCOMPARE(w->windowTitle(), QStringLiteral("Fudō Shogi"));
        QCOMPARE(w->action("TAIKYOKU")->text(), QStringLiteral("Game"));
        for (const QString& c : captions(w->menuBar()->actions())) QVERIFY2(!holdsJapanese(c), qPrintable(c));
        const QStringList shown = shownTexts(*w);
        QVERIFY(shown.contains(QStringLiteral("Handicap: 12-kyu")));
        QVERIFY(shown.contains(QStringLiteral("Thinking")));
        QVERIFY(shown.contains(QStringLiteral("P*5e")));
        for (const QString& t : shown) QVERIFY2(!holdsJapanese(t), qPrintable(t));
        QVERIFY(w->canvas()->drawing().image() != japanese);

        // Each text stays within a quarter more than the room of its Japanese text (it is
        // set smaller when it would not), and every label shows its whole text at 1x.
        const auto& ops = w->canvas()->drawing().operations();
        QCOMPARE(ops.size(), inkJa.size());
        // The move counter is one English text: its room is its Japanese number and "手目" together.
        double counterEn = 0, counterJa = 0;
        for (std::size_t i = 0; i < ops.size(); ++i) {
            if (ops[i].count != -1) {
                counterEn += ops[i].ink.width();
                counterJa += inkJa[i].width();
                continue;
            }
            QVERIFY2(ops[i].ink.width() <= inkJa[i].width() * 1.25 + 60, qPrintable(ops[i].text));
        }
        QVERIFY(counterJa > 0);
        QVERIFY2(counterEn <= counterJa * 1.25 + 60, qPrintable(QStringLiteral("%1 > %2").arg(counterEn).arg(counterJa)));
        for (int i = 0; i < 4; ++i) {
            QLabel* label = w->recordControls()->label(i);
            QVERIFY2(!holdsJapanese(label->text()), qPrintable(label->text()));
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
        }

        {  // the next start is in English
            MainWindow again;
            QCOMPARE(again.action("TAIKYOKU")->text(), QStringLiteral("Game"));
            QVERIFY(again.action("LANG_EN")->isChecked());
        }

        w->action("LANG_JA")->trigger();
        if (!shots.isEmpty()) {
            settle(30);
            w->grab().save(shots + QStringLiteral("/labels-ja.png"));
        }
        QCOMPARE(captions(w->menuBar()->actions()), menuJa);
        QCOMPARE(w->canvas()->drawing().image(), japanese);
    }

    // A broken value in the window's settings reads as Japanese.
    void brokenLanguageSettingReadsAsJapanese() {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QDir().mkpath(dir);
        QFile f(dir + QStringLiteral("/fudo-window.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[General]\nlanguage=klingon\n\x01\xff\n");
        f.close();
        MainWindow w;
        QCOMPARE(language(), Language::Japanese);
        QVERIFY(w.action("LANG_JA")->isChecked());
        QCOMPARE(w.action("TAIKYOKU")->text(), QString::fromUtf8("対局"));
    }
};

int runLanguageTests(int argc, char** argv) {
    LanguageTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "language_test.moc"
