#include "sheets/SheetLayout.h"
#include "sheets/SheetOutput.h"
#include "support/SheetPages.h"
#include "support/TestImages.h"

#include <QBuffer>
#include <QtTest>

#include <numeric>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SheetMaptile)
Q_DECLARE_METATYPE(SheetSettings)

using namespace SheetPages;

namespace {

// Whether c lies between colours a and b, as smoothing blends them where they meet.
bool between(QRgb c, QRgb a, QRgb b)
{
    for (qreal t = 0; t <= 1; t += 1 / 64.0)
        if (distance(c,
                     qRgb(qRed(a) + t * (qRed(b) - qRed(a)), qGreen(a) + t * (qGreen(b) - qGreen(a)),
                          qBlue(a) + t * (qBlue(b) - qBlue(a))))
            <= 8)
            return true;
    return false;
}

} // namespace

// Sheets written as PDF and read back by poppler: where every picture lands
// and its size to the dot, bleed and crop marks, the pictures the file holds,
// and what is fetched and let go on the way.
class TestSheetPdf : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty()
            || QStandardPaths::findExecutable(u"pdfimages"_s).isEmpty())
            QSKIP("poppler-utils is not installed.");
    }

    void picturesLandWhereLaidOut_data()
    {
        QTest::addColumn<SheetSettings>("settings");
        QTest::addColumn<QList<SheetMaptile>>("maptiles");
        QTest::addColumn<int>("sheets");
        const auto m = [](int w, int h, int copies = 1) { return SheetMaptile{u"m"_s, QSize(w, h) * 144, copies}; };
        QTest::newRow("A4, five with a turn")
            << settings(u"a4"_s) << QList{m(3, 3), m(3, 3), m(5, 6), m(4, 4), m(3, 5)} << 3;
        QTest::newRow("A3, six copies") << settings(u"a3"_s) << QList{m(3, 3, 6)} << 1;
        QTest::newRow("Letter landscape, bleed") << settings(u"letter"_s, true, 3) << QList{m(3, 4, 2), m(4, 4)} << 2;
        QTest::newRow("Tabloid, no marks")
            << settings(u"tabloid"_s, false, 0, false) << QList{m(5, 6), m(3, 3), m(3, 3)} << 1;
        QTest::newRow("Legal, odd sizes")
            << settings(u"legal"_s, false, 2)
            << QList{SheetMaptile{u"a"_s, {301, 203}, 1}, SheetMaptile{u"b"_s, {517, 401}, 2}} << 1;
        SheetSettings full = settings(u"a3"_s, true);
        full.cutLines = SheetSettings::CutLines::Full;
        full.gap = SheetLength();
        QTest::newRow("A3 landscape, full lines, no gap") << full << QList{m(3, 3, 4), m(4, 4), m(3, 5)} << 2;
    }
    void picturesLandWhereLaidOut()
    {
        QFETCH(SheetSettings, settings);
        QFETCH(QList<SheetMaptile>, maptiles);
        const SheetLayout layout(maptiles, settings);
        QTemporaryDir folder;
        const auto picture = [&](int m, QString *) {
            return TestImages::make(maptiles[m].pixels,
                                    [m](int x, int y) { return CornerBlock.contains(x, y) ? Corner : colourOf(m); });
        };
        QList<QImage> pages;
        writeAndRender(layout, picture, folder.path(), &pages);
        if (QTest::currentTestFailed())
            return;
        QTEST(int(pages.size()), "sheets");
        const qreal margin = 6 * Dpi / 25.4, bleed = settings.bleed.toInches() * Dpi;
        QList<QRgb> colours;
        for (int m = 0; m < maptiles.size(); ++m)
            colours << colourOf(m);
        for (int sheet = 0; sheet < pages.size(); ++sheet) {
            const QImage &page = pages[sheet];
            // Pages are the paper's size, in whole points as PDF pages are.
            QVERIFY(closeTo(page.rect(), dots(QRect(QPoint(), layout.paperSize())), Dpi / 72.0));
            const QList<SheetPlacement> placed = layout.placements(sheet);
            QList<std::pair<int, QRectF>> pictures; // maptile, and where it may show
            for (const SheetPlacement &p : placed) {
                const QRectF area = dots(p.cut).adjusted(-bleed, -bleed, bleed, bleed);
                QVERIFY(QRectF(page.rect()).adjusted(margin - 1, margin - 1, 1 - margin, 1 - margin).contains(area));
                // Nothing over the picture, as a mark or the bar would be; its corner block top left, or
                // top right once turned clockwise. Two dots a pixel, so the block is 64 x 32 dots.
                const QRect inside = area.toAlignedRect().adjusted(3, 3, -3, -3);
                QRect block;
                for (int y = inside.top(); y <= inside.bottom(); ++y)
                    for (int x = inside.left(); x <= inside.right(); ++x) {
                        if (distance(page.pixel(x, y), Corner) <= 40)
                            block |= QRect(x, y, 1, 1);
                        else if (!between(page.pixel(x, y), colours[p.maptile], Corner))
                            QFAIL(qPrintable(u"sheet %1: foreign ink at %2, %3"_s.arg(sheet + 1).arg(x).arg(y)));
                    }
                const QRectF cut = dots(p.cut);
                const QRectF expected = p.turned ? QRectF(cut.right() - 48, cut.top() + 16, 32, 64)
                                                 : QRectF(cut.left() + 16, cut.top() + 16, 64, 32);
                QVERIFY2(closeTo(block, expected, 3), p.turned ? "turned the wrong way" : "misdrawn upright");
                pictures.append({p.maptile, area.adjusted(-2, -2, 2, 2)});
            }
            // No picture's colour beyond its place or where none is placed; ink (the marks and the bar,
            // never over a picture as above) only with crop marks.
            bool ink = false;
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x) {
                    const QRgb c = page.pixel(x, y);
                    ink |= black(c);
                    for (int m = 0; m < maptiles.size(); ++m)
                        if (distance(c, colours[m]) <= 3 && !std::ranges::any_of(pictures, [&](const auto &picture) {
                                return picture.first == m && picture.second.contains(QPointF(x, y));
                            }))
                            QFAIL(qPrintable(
                                u"sheet %1: maptile %2 strays to %3, %4"_s.arg(sheet + 1).arg(m).arg(x).arg(y)));
                }
            QCOMPARE(ink, settings.cropMarks);
            // The scale bar on the first sheet is one space, 1.5 inches, long, and labelled.
            if (sheet == 0 && settings.cropMarks) {
                bool labelled = false;
                const QRect box = dots(layout.scaleBar()).toAlignedRect().adjusted(-1, -1, 1, 1);
                const qreal length = scaleBarLength(page, box, &labelled);
                QVERIFY2(std::abs(length - 1.5 * Dpi) <= 1 && labelled, qPrintable(QString::number(length)));
            }
            // A mark continues the topmost picture's left cut line upward, beyond its bleed.
            const auto top = std::min_element(placed.cbegin(), placed.cend(),
                                              [](const auto &a, const auto &b) { return a.cut.y() < b.cut.y(); });
            const int cutLine = qRound(dots(top->cut).left()), above = int(dots(top->cut).top() - bleed) - 2;
            bool marked = false;
            for (int y = above; y > above - 50 && y > 0; --y)
                marked |= black(page.pixel(cutLine - 1, y)) || black(page.pixel(cutLine, y));
            QCOMPARE(marked, settings.cropMarks);
            // A full line runs on to the paper's edge.
            if (settings.cutLines == SheetSettings::CutLines::Full)
                QVERIFY(black(page.pixel(cutLine - 1, 2)) || black(page.pixel(cutLine, 2)));
        }
    }

    // The bleed carries each edge's own pixels outward, turned with the picture; the picture is held in
    // the file once for all its copies, losslessly, at 96 pixels per inch.
    void bleedAndHeldPictures_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::newRow("upright") << QSize(432, 576);
        QTest::newRow("turned") << QSize(1000, 700);
    }
    void bleedAndHeldPictures()
    {
        QFETCH(QSize, pixels);
        // Each edge its own colour and the corners another, so a stretch from the wrong edge shows; noise
        // inside, which a lossy codec cannot keep.
        const QRgb top = qRgb(200, 40, 40), bottom = qRgb(40, 160, 40), left = qRgb(40, 40, 200);
        const QRgb right = qRgb(200, 160, 0), corner = qRgb(255, 0, 255);
        const QImage noise = TestImages::pattern(pixels, 3);
        const QImage picture = TestImages::make(pixels, [&](int x, int y) {
            const bool l = x == 0, r = x == pixels.width() - 1, t = y == 0, b = y == pixels.height() - 1;
            return (l || r) && (t || b) ? corner : t ? top : b ? bottom : l ? left : r ? right : noise.pixel(x, y);
        });
        SheetSettings s = settings(u"a4"_s);
        s.bleed = *SheetLength::parse(u"0.125in"_s);
        const SheetLayout layout({{u"edges"_s, pixels, 2}}, s);
        QTemporaryDir folder;
        QList<QImage> pages;
        writeAndRender(
            layout, [&](int, QString *) { return picture; }, folder.path(), &pages);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pages.size(), layout.sheetCount());
        const SheetPlacement &p = layout.placements(0)[0];
        const QRect cut = dots(p.cut).toRect();
        const qreal bleed = Dpi / 8.0;
        // Counted outward from the cut line at the middle of each side, in the colour of the
        // picture's edge that lies there: turned clockwise, its top edge is on the right.
        const QPoint middle = cut.center();
        const std::tuple<QPoint, QPoint, QRgb> sides[]{
            {{middle.x(), cut.top() - 1}, {0, -1}, p.turned ? left : top},
            {{middle.x(), cut.bottom() + 1}, {0, 1}, p.turned ? right : bottom},
            {{cut.left() - 1, middle.y()}, {-1, 0}, p.turned ? bottom : left},
            {{cut.right() + 1, middle.y()}, {1, 0}, p.turned ? top : right}};
        for (const auto &[from, step, colour] : sides) {
            int measured = 0;
            for (QPoint at = from; distance(pages[0].pixel(at), colour) <= 12; at += step)
                ++measured;
            QVERIFY2(std::abs(measured - bleed) <= 1.5, qPrintable(u"bleed %1 dots for %2"_s.arg(measured).arg(bleed)));
        }
        for (const QPoint c : {cut.topLeft() - QPoint(12, 12), cut.bottomRight() + QPoint(12, 12)})
            QVERIFY(distance(pages[0].pixel(c), corner) <= 12);

        // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
        const QString pdf = folder.filePath(u"sheets.pdf"_s);
        QSet<QString> objects;
        for (const QString &line : run(u"pdfimages"_s, {u"-list"_s, pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2)) {
            const QStringList f = line.simplified().split(u' ');
            if (f[3].toInt() == pixels.width() && f[4].toInt() == pixels.height() && f[12] + f[13] == u"9696"_s)
                objects << f[10];
        }
        QCOMPARE(objects.size(), 1);
        run(u"pdfimages"_s, {u"-png"_s, u"-f"_s, u"1"_s, u"-l"_s, u"1"_s, pdf, folder.filePath(u"held"_s)});
        const QStringList held = QDir(folder.path()).entryList({u"held-*.png"_s});
        QVERIFY(std::ranges::any_of(held, [&](const QString &name) {
            return QImage(folder.filePath(name)).convertToFormat(QImage::Format_RGB32) == picture;
        }));
    }

    // However many maptiles, each picture is fetched once when first needed
    // and let go after its last copy, so few are held at any time.
    void picturesFetchedOnceAndLetGo()
    {
        QList<SheetMaptile> maptiles;
        const QList<QSize> sizes{{3, 3}, {5, 6}, {4, 4}, {3, 5}, {4, 5}, {3, 4}};
        for (int i = 0; i < 90; ++i)
            maptiles.append({u"m%1"_s.arg(i), sizes[i % sizes.size()] * 144, 1 + i % 3});
        const SheetLayout layout(maptiles, settings(u"a4"_s, false, 1));
        QVERIFY(layout.sheetCount() > 60);
        static int alive = 0, most = 0;
        QList<int> fetched(maptiles.size(), 0);
        const auto fetch = [&](int m, QString *) {
            ++fetched[m];
            most = std::max(most, ++alive);
            // The picture counts itself out when its last copy goes.
            const QSize size = maptiles[m].pixels;
            auto *bytes = new uchar[size_t(size.width()) * size.height() * 4]();
            const auto free = [](void *b) {
                delete[] static_cast<uchar *>(b);
                --alive;
            };
            return QImage(bytes, size.width(), size.height(), QImage::Format_RGB32, free, bytes);
        };
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QCOMPARE(SheetOutput::writePdf(pdf, layout, fetch), QString());
        QCOMPARE(fetched, QList<int>(maptiles.size(), 1));
        QCOMPARE(alive, 0);
        // A sheet of A4 holds two of these at most; copies running onto the next sheet hold one longer.
        QVERIFY2(most <= 4, qPrintable(QString::number(most)));
    }

    // A picture that cannot be read or is not its maptile's size stops the file with a sentence naming
    // the maptile; a refused layout, one without sheets, or a closed device writes nothing at all.
    void failuresComeBackAsSentences()
    {
        const QList<SheetMaptile> maptiles{{u"first.ora"_s, {432, 432}, 1}, {u"second.ora"_s, {432, 576}, 1}};
        const SheetLayout layout(maptiles, settings(u"a4"_s));
        const auto solid = [](int, QString *) { return TestImages::solid({432, 432}, qRgb(1, 2, 3)); };
        const auto unreadable = [&](int m, QString *why) {
            *why = u"the file is damaged."_s;
            return m == 1 ? QImage() : solid(m, why);
        };
        const SheetLayout huge({{u"huge.ora"_s, {5000, 5000}, 1}}, settings(u"a4"_s));
        QBuffer open, untouched, closed;
        open.open(QIODevice::WriteOnly);
        untouched.open(QIODevice::WriteOnly);
        for (const auto &[error, says] : {std::pair(SheetOutput::writePdf(open, layout, unreadable),
                                                    u"second.ora could not be read: the file is damaged"_s),
                                          std::pair(SheetOutput::writePdf(open, layout, solid), u"second.ora"_s),
                                          std::pair(SheetOutput::writePdf(untouched, huge, solid), u"huge.ora"_s),
                                          std::pair(SheetOutput::writePdf(untouched, SheetLayout(), {}), QString()),
                                          std::pair(SheetOutput::writePdf(closed, layout, {}), QString())})
            QVERIFY2(error.contains(says) && error.endsWith(u'.') && !error.contains(u'\n'), qPrintable(error));
        QVERIFY(untouched.data().isEmpty());
    }
};

QTEST_MAIN(TestSheetPdf)
#include "tst_sheetpdf.moc"
