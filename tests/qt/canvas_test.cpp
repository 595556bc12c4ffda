// The retained canvas and the pictures, without a game.
#include <QFontDatabase>
#include <QtTest>
#include <cmath>

#include "engine/constants.h"
#include "engine/game.h"
#include "tests/support/fakes.h"
#include "ui/qt/fonts.h"
#include "ui/qt/palette.h"
#include "ui/qt/pictures.h"
#include "ui/qt/qt_canvas.h"

using namespace fudo;
using namespace fudo::qt;

namespace {

// A small scene with every kind of operation: background, board squares with pieces,
// outlines in several colours, shadowed texts, a title.
void paintScene(Canvas& c) {
    c.beginFullRedraw();
    for (int x = -3; x <= 16; ++x)
        for (int y = -2; y <= 12; ++y)
            if (x < 1 || x > 9 || y < 1 || y > 9) c.picture(HAIKEI_TATAMI, x, y);
    const int pieces[] = {-HU, -KYOU_NARI, GIN, -OU, SYA_NARI, KARA, SITA_OU_MAE, UE_OU_MAE, -KAKU};
    for (int x = 1; x <= 9; ++x)
        for (int y = 1; y <= 9; ++y) {
            c.picture(pieces[(x * 3 + y) % 9], x, y);
            c.outline(2, x, y);
        }
    // The play aids' tints under pieces and on empty squares.
    c.tintedPicture(-HU, 4, 4, Tint::LastFrom);
    c.tintedPicture(KARA, 4, 3, Tint::LastTo);
    c.tintedPicture(KARA, 6, 6, Tint::Reach);
    c.tintedPicture(-KIN, 7, 6, Tint::Reach);
    c.tintedPicture(KARA, 8, 3, Tint::Losing);
    c.outline(12, 3, 7);
    c.outline(15, 3, 6);
    c.text(13.1, 4.3, " 12 ", 0, 12, true);
    c.text(13, 4.2, " 12 ", 15, 12, true);
    c.text(10.1, 1.3, "一", 14, 12, true);
    c.text(2.8, 6.8, "×", 12, 40, false);
    c.picture(DIRUVID, 11.1, 0);
}

// Number of pixels that differ between two images of the same size.
int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int j = 0; j < x.height(); ++j) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(j));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(j));
        for (int i = 0; i < x.width(); ++i) n += (p[i] & 0xffffff) != (q[i] & 0xffffff);
    }
    return n;
}

int reddishPixels(const QImage& img) {
    int n = 0;
    for (int j = 0; j < img.height(); ++j)
        for (int i = 0; i < img.width(); ++i) {
            const QColor c = img.pixelColor(i, j);
            n += c.red() > 150 && c.green() < 90 && c.blue() < 90;
        }
    return n;
}

}  // namespace

class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    void everyPictureCodeHasItsSize() {
        for (int code : {KARA, -HU, -HU_NARI, -KYOU, -KYOU_NARI, -KEI, -KEI_NARI, -GIN, -GIN_NARI, -KIN,
                         -KAKU, -KAKU_NARI, -SYA, -SYA_NARI, -OU, HU, HU_NARI, KYOU, KYOU_NARI, KEI,
                         KEI_NARI, GIN, GIN_NARI, KIN, KAKU, KAKU_NARI, SYA, SYA_NARI, OU, SITA_OU_MAE,
                         UE_OU_MAE})
            QCOMPARE(PictureBook::naturalSize(code), QSize(33, 41));
        for (int code = HAIKEI_MIDORI; code <= HAIKEI_RENGA; ++code)
            QCOMPARE(PictureBook::naturalSize(code), QSize(34, 41));
        QCOMPARE(PictureBook::naturalSize(DIRUVID), QSize(178, 70));
        QCOMPARE(PictureBook::naturalSize(DORADAV2), QSize(178, 70));
        // The promoted gold and other codes paint nothing.
        for (int code : {KIN_NARI, -KIN_NARI, 12, -1, 951, 1000})
            QVERIFY2(!PictureBook::hasPicture(code), qPrintable(QString::number(code)));
        QVERIFY(PictureBook::render(KIN_NARI, QSize(33, 41)).isNull());
    }

    // A finished game's plaque is the lacquer one with other words under the name.
    void theFinishedPlaqueDiffersOnlyInItsWords() {
        QCOMPARE(PictureBook::naturalSize(DIRUVID_SUMI), QSize(178, 70));
        const QImage playing = PictureBook::render(DIRUVID, QSize(356, 140));
        const QImage over = PictureBook::render(DIRUVID_SUMI, QSize(356, 140));
        QCOMPARE(differingPixels(playing.copy(0, 0, 356, 90), over.copy(0, 0, 356, 90)), 0);
        QVERIFY(differingPixels(playing.copy(0, 90, 356, 50), over.copy(0, 90, 356, 50)) > 100);
    }

    // A shadow stays a few pixels off its text however large the drawing: grown with the
    // letters it would stand apart from them as a second print.
    void shadowsKeepTheirOffsetWhenTheDrawingGrows() {
        auto offset = [](double scale, int colour) {
            RetainedDrawing d;
            d.setTarget(SceneGeometry::naturalSize() * scale, 1);
            d.beginFullRedraw();
            // Alone on the background: the text, or its shadow 0.1 cell lower right.
            const double at = colour == 0 ? 0.1 : 0;
            d.text(4 + at, 4 + at, "LEVEL", colour, 12, true);
            const QImage img = d.image();
            const QRgb want = colour == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            int left = img.width(), top = img.height();
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if ((img.pixel(x, y) & 0xffffff) == (want & 0xffffff)) left = std::min(left, x), top = std::min(top, y);
            return QPoint(left, top);
        };
        const QPoint natural = offset(1, 0) - offset(1, 15);
        QVERIFY2(natural.x() >= 2 && natural.y() >= 2, qPrintable(QStringLiteral("%1,%2").arg(natural.x()).arg(natural.y())));
        for (double scale : {2.0, 3.0}) {
            const QPoint big = offset(scale, 0) - offset(scale, 15);
            QVERIFY2(big.x() >= 2 && big.y() >= 2 && big.x() <= natural.x() + 1 && big.y() <= natural.y() + 1,
                     qPrintable(QStringLiteral("%1: %2,%3").arg(scale).arg(big.x()).arg(big.y())));
        }
    }

    void picturesTellThePiecesApart() {
        const QSize cell(66, 82);
        // Promoted pieces carry red kanji, unpromoted ones none.
        for (int code : {HU, KYOU, KEI, GIN, KAKU, SYA}) {
            QVERIFY2(reddishPixels(PictureBook::render(-code, cell)) < 5, qPrintable(QString::number(code)));
            QVERIFY2(reddishPixels(PictureBook::render(-(code + 1), cell)) > 40, qPrintable(QString::number(code + 1)));
            QVERIFY2(reddishPixels(PictureBook::render(code + 1, cell)) > 40, qPrintable(QString::number(code + 1)));
        }
        // The waiting kings look unlike the kings of a game; the sides' kings differ.
        QVERIFY(differingPixels(PictureBook::render(SITA_OU_MAE, cell), PictureBook::render(-OU, cell)) > 66 * 82 / 5);
        QVERIFY(differingPixels(PictureBook::render(UE_OU_MAE, cell), PictureBook::render(OU, cell)) > 66 * 82 / 5);
        QVERIFY(differingPixels(PictureBook::render(-OU, cell), PictureBook::render(OU, cell)) > 200);
        // Every piece differs from every other.
        const int codes[] = {-HU, -KYOU, -KEI, -GIN, -KIN, -KAKU, -SYA, -OU, -HU_NARI, -KYOU_NARI, -KEI_NARI,
                             -GIN_NARI, -KAKU_NARI, -SYA_NARI};
        for (int a : codes)
            for (int b : codes)
                if (a < b) QVERIFY(differingPixels(PictureBook::render(a, cell), PictureBook::render(b, cell)) > 50);
    }

    void backgroundTilesJoinWithoutSeams() {
        // A tile is one pixel wider than a cell; its last column lies on the next tile's
        // first and must match it.
        for (int code = HAIKEI_MIDORI; code <= HAIKEI_RENGA; ++code) {
            const QImage t = PictureBook::render(code, QSize(34, 41));
            for (int y = 0; y < 41; ++y) QCOMPARE(t.pixel(33, y), t.pixel(0, y));
            // Textures, not flat colour.
            QSet<QRgb> colours;
            for (int y = 0; y < 41; ++y)
                for (int x = 0; x < 34; ++x) colours.insert(t.pixel(x, y));
            QVERIFY(colours.size() > 40);
        }
    }

    void fontHasJapaneseGlyphs() {
        const QString family = minchoFamily();
        QVERIFY(hasJapaneseGlyphs(family));
        if (QFontDatabase::families().contains(QStringLiteral("IPAPMincho")) &&
            !QFontDatabase::families().contains(QString::fromUtf8("ＭＳ Ｐ明朝")))
            QCOMPARE(family, QStringLiteral("IPAPMincho"));
        if (QFontDatabase::families().contains(QStringLiteral("DejaVu Sans")))
            QVERIFY(!hasJapaneseGlyphs(QStringLiteral("DejaVu Sans")));
    }

    void tintsLieUnderThePiecesAndReplaySharply() {
        const QSize px(66, 82);
        const QPoint wood(6, 6), body(33, 50);  // a corner of the square, the middle of the piece
        const QImage plain = PictureBook::render(-HU, px);
        QSet<QRgb> woods;
        for (Tint t : {Tint::LastFrom, Tint::LastTo, Tint::Reach, Tint::Losing}) {
            const QImage tinted = PictureBook::render(-HU, px, t);
            QVERIFY(tinted.pixel(wood) != plain.pixel(wood));
            QCOMPARE(tinted.pixel(body), plain.pixel(body));  // the piece is not tinted
            woods.insert(tinted.pixel(wood));
        }
        QCOMPARE(woods.size(), 4);  // four different marks
        const QColor losing = PictureBook::render(KARA, px, Tint::Losing).pixelColor(wood);
        QVERIFY(losing.red() > losing.green() + 60 && losing.red() > losing.blue() + 60);
        // An empty square the piece can reach has a dot in its middle.
        const QColor dot = PictureBook::render(KARA, px, Tint::Reach).pixelColor(33, 41);
        QVERIFY(dot.blue() > dot.red() + 60);
        // The retained drawing paints them for the size they are shown at, not enlarged.
        RetainedDrawing d;
        d.setTarget(SceneGeometry::naturalSize() * 2, 1);
        paintScene(d);
        const QPoint at(qRound(2 * SceneGeometry::cellX(6) / 15), qRound(2 * SceneGeometry::cellY(6) / 15));
        QCOMPARE(differingPixels(d.image().copy(QRect(at + QPoint(2, 2), QSize(62, 78))),
                                 PictureBook::render(KARA, px, Tint::Reach).copy(2, 2, 62, 78)),
                 0);
    }

    void replaysAtANewScaleInsteadOfStretching() {
        RetainedDrawing d;
        d.setTarget(SceneGeometry::naturalSize(), 1);
        paintScene(d);
        const QImage small = d.image();
        QCOMPARE(small.size(), QSize(633, 500));

        d.setTarget(SceneGeometry::naturalSize() * 2, 1);
        const QImage big = d.image();
        QCOMPARE(big.size(), QSize(1266, 1000));
        QCOMPARE(differingPixels(big, d.renderAt(SceneGeometry::naturalSize() * 2, 1)), 0);
        // Each picture is drawn for its new size, not enlarged: the silver at (2, 5) is the
        // 66 × 82 picture pixel for pixel, apart from the outline over its top and left edge.
        const QPoint at(qRound(2 * SceneGeometry::cellX(2) / 15), qRound(2 * SceneGeometry::cellY(5) / 15));
        const QImage piece = PictureBook::render(GIN, QSize(66, 82));
        QCOMPARE(differingPixels(big.copy(QRect(at + QPoint(2, 2), QSize(64, 80))), piece.copy(2, 2, 64, 80)), 0);
        QVERIFY(differingPixels(big, small.scaled(big.size())) > 10000);

        // Twice the pixels per logical pixel gives the same picture as twice the size.
        d.setTarget(SceneGeometry::naturalSize(), 2);
        QCOMPARE(differingPixels(d.image(), big), 0);
    }

    void drawsIntoTheCurrentImageAtOnce() {
        RetainedDrawing d;
        d.setTarget(QSizeF(800, 700), 1.25);
        paintScene(d);
        (void)d.image();
        QRect changed;
        d.onChanged = [&](const QRect& r) { changed |= r; };
        d.picture(-HU, 4, 5);
        d.outline(12, 4, 5);
        QVERIFY(!changed.isEmpty());
        // What was painted incrementally equals a fresh replay of the whole list.
        QCOMPARE(differingPixels(d.image(), d.renderAt(QSizeF(800, 700), 1.25)), 0);
    }

    // A window of another shape than the drawing: the drawing keeps its place and size,
    // and the margins continue its background tiles on the cell grid (33 × 41 pixels).
    void fillsTheMarginsWithTheBackgroundTiles() {
        RetainedDrawing natural;
        paintScene(natural);
        const QImage plain = natural.image();
        struct Shape { QSize size; QPoint scene; };
        for (const Shape& s : {Shape{{1199, 500}, {283, 0}}, Shape{{633, 900}, {0, 200}}}) {
            RetainedDrawing d;
            d.setTarget(QSizeF(s.size), 1);
            paintScene(d);
            const QImage img = d.image();
            QCOMPARE(d.geometry().scale(), 1.0);
            QCOMPARE(differingPixels(img.copy(QRect(s.scene, plain.size())), plain), 0);
            // Every margin pixel, on both sides, repeats one a whole number of cells away inside
            // the drawing, in a band where only tiles are painted (row 10, or column -2).
            const bool wide = s.scene.x() > 0;
            const int period = wide ? 33 : 41, edge = wide ? s.scene.x() : s.scene.y();
            const int total = wide ? s.size.width() : s.size.height(), length = wide ? 633 : 500;
            int compared = 0;
            for (int a = 0; a < total; ++a) {
                if (a == edge) a = edge + length;
                const int inside = edge + 40 + ((a - edge - 40) % period + period) % period;
                for (int b = wide ? 420 : 8; b < (wide ? 456 : 33); ++b, ++compared)
                    QCOMPARE(img.pixel(wide ? QPoint(a, b) : QPoint(b, a)), img.pixel(wide ? QPoint(inside, b) : QPoint(b, inside)));
            }
            QVERIFY(compared >= 10000);

            // Another background repaints the margins with the next image.
            for (int y = -2; y <= 12; ++y) d.picture(HAIKEI_UCHU, -2, y);
            const QImage after = d.image();
            QVERIFY(differingPixels(after.copy(0, 0, 5, 5), img.copy(0, 0, 5, 5)) > 0);
            QCOMPARE(differingPixels(after, d.renderAt(QSizeF(s.size), 1)), 0);
        }
        // Clicks map back: the centre of cell (3, 7) in twips.
        RetainedDrawing d;
        d.setTarget(QSizeF(1199, 500), 1);
        const QPointF centre = d.geometry().toLogical(SceneGeometry::cellX(3.5), SceneGeometry::cellY(7.5));
        const QPointF back = d.geometry().toTwips(centre);
        QCOMPARE(back.x(), SceneGeometry::cellX(3.5));
        QCOMPARE(back.y(), SceneGeometry::cellY(7.5));
    }

    // The handicap grade, of any width, lies inside its own background cells (so drawing
    // the next grade leaves nothing of it) and touches nothing else a game draws.
    void handicapCaptionCollidesWithNothing() {
        RetainedDrawing d;
        fudo::test::ScriptedDialogs dialogs;
        fudo::test::FakeHost host;
        Game g(d, dialogs, host, nullptr);
        g.HAIKEI_NOW = HAIKEI_TATAMI;
        g.MENU.KEIKA = true;
        g.TAIKYOKU_MODE = MODE_COM;
        g.TITLE_E = DIRUVID;
        g.HANDE_FLAG = 1;
        g.COM_JIKAN = g.MAN_JIKAN = 36000;
        for (int grade = -10; grade <= 10; ++grade) {
            g.HANDE_LEVEL = grade;
            g.画面_再描画();
            g.描画_手数(123);
            g.描画_移動結果(g.COM_SENGO, 9, 9, -KAKU_NARI, 色_白);
            g.描画_移動結果(g.MAN_SENGO, 1, 1, SYA_NARI, 色_白);
            g.描画_ハンデレベル(grade);
            const QString caption = QString::fromUtf8("ﾊﾝﾃﾞｨｷｬｯﾌﾟ:");
            QRectF ink;
            for (const auto& op : d.operations())
                if (op.kind == RetainedDrawing::Op::Kind::Text && op.text.startsWith(caption)) ink |= op.ink;
            QVERIFY(!ink.isEmpty());
            QRectF own;
            for (int x = 12; x <= 15; ++x)
                own |= QRectF(SceneGeometry::cellX(x), SceneGeometry::cellY(6), MASU_W + 15, MASU_H);
            QVERIFY2(own.contains(ink), qPrintable(QString::number(grade)));
            // The stand's outlines share the tiles' first pixel column: the one beside them is
            // drawn again after them and covers that column.
            const auto& ops = d.operations();
            std::size_t lastTile = 0, lastEdge = 0;
            for (std::size_t i = 0; i < ops.size(); ++i) {
                const auto& op = ops[i];
                const bool tile = op.kind == RetainedDrawing::Op::Kind::Picture && op.code == HAIKEI_TATAMI;
                if (tile && op.ink.intersects(own)) lastTile = i;
                const bool edge = op.kind == RetainedDrawing::Op::Kind::Outline && op.x == 11 && op.y == 6;
                if (edge) lastEdge = i;
                const bool stand = op.kind == RetainedDrawing::Op::Kind::Outline && op.x == 11;
                if (tile || stand || op.text.startsWith(caption)) continue;
                QVERIFY2(!op.ink.intersects(own), qPrintable(op.text + QString::number(op.code)));
            }
            QVERIFY(lastEdge > lastTile);
        }
    }

    void fullRedrawStartsANewListAndOffSceneCellsAreDropped() {
        RetainedDrawing d;
        paintScene(d);
        const auto n = d.operations().size();
        QVERIFY(n > 200);
        d.picture(HAIKEI_MIDORI, 28, 17);  // far outside the window
        d.picture(KIN_NARI, 4, 4);          // no picture
        QCOMPARE(d.operations().size(), n);
        d.beginFullRedraw();
        QCOMPARE(d.operations().size(), std::size_t(0));
    }

    void compactingKeepsWhatIsShown() {
        RetainedDrawing d;
        paintScene(d);
        // A long game without a full redraw: clocks ticking, squares repainted, texts.
        for (int i = 0; i < 250; ++i) {  // stays below the automatic compaction
            d.picture(HAIKEI_TATAMI, 13, 9);
            d.picture(HAIKEI_TATAMI, 14, 9);
            d.text(13.1, 9.3, QString::number(i).toStdString(), 0, 12, true);
            d.text(13, 9.2, QString::number(i).toStdString(), 15, 12, true);
            d.picture(i % 2 ? -HU : KARA, 5, 5);
            d.outline(i % 2 ? 12 : 2, 5, 5);
        }
        const auto before = d.operations().size();
        // The first drawing of a large glyph (the "×") may differ from later ones in its
        // antialiasing (Qt's glyph caches fill up), so compare drawings made after one.
        (void)d.renderAt(SceneGeometry::naturalSize(), 1);
        (void)d.renderAt(QSizeF(900, 777), 1.75);
        const QImage a1 = d.renderAt(SceneGeometry::naturalSize(), 1);
        const QImage a2 = d.renderAt(QSizeF(900, 777), 1.75);
        d.compact();
        QVERIFY2(d.operations().size() < before / 3, qPrintable(QString::number(d.operations().size())));
        QCOMPARE(differingPixels(d.renderAt(SceneGeometry::naturalSize(), 1), a1), 0);
        QCOMPARE(differingPixels(d.renderAt(QSizeF(900, 777), 1.75), a2), 0);
    }

    void widgetRepaintsAtItsNewSize() {
        QtCanvas canvas;
        canvas.resize(633, 500);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        paintScene(canvas);
        canvas.refresh();
        canvas.resize(950, 750);
        QTest::qWait(20);
        const QImage shown = canvas.grab().toImage();
        const QImage fresh = canvas.drawing().renderAt(QSizeF(950, 750), canvas.devicePixelRatioF());
        QCOMPARE(differingPixels(shown, fresh), 0);
    }
};

int runCanvasTests(int argc, char** argv) {
    CanvasTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "canvas_test.moc"
