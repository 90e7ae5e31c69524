#include "sheets/SheetLayout.h"
#include "sheets/SheetOutput.h"
#include "support/SheetPages.h"
#include "support/TestImages.h"

#include <QBuffer>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace SheetPages;

Q_DECLARE_METATYPE(SheetMaptile)
Q_DECLARE_METATYPE(SheetSettings)

namespace {

// The rectangle of colour around from, found by going outward along its middle lines.
QRect extent(const QImage &page, QPoint from, QRgb colour)
{
    const auto reach = [&](QPoint step) {
        QPoint at = from;
        while (page.rect().contains(at + step) && distance(page.pixel(at + step), colour) <= 12)
            at += step;
        return at;
    };
    return QRect(QPoint(reach({-1, 0}).x(), reach({0, -1}).y()), QPoint(reach({1, 0}).x(), reach({0, 1}).y()));
}

// The straight strokes of a page as pdftocairo draws them in SVG, in points from the page's corner.
QList<QLineF> strokes(const QString &pdf, int page, const QString &folder)
{
    const QString svg = QDir(folder).filePath(u"page.svg"_s);
    const QString n = QString::number(page);
    run(u"pdftocairo"_s, {u"-svg"_s, u"-f"_s, n, u"-l"_s, n, pdf, svg});
    static const QRegularExpression path(
        u"<path style=\"fill:none;[^\"]*\" d=\"([^\"]*)\"(?: transform=\"matrix\\(([^)]*)\\)\")?"_s),
        segment(u"M ([-\\d.e]+) ([-\\d.e]+) L ([-\\d.e]+) ([-\\d.e]+)"_s);
    QList<QLineF> lines;
    for (const QRegularExpressionMatch &m : path.globalMatch(QString::fromUtf8(TestImages::readAll(svg)))) {
        QTransform transform;
        if (const QStringList t = m.captured(2).split(u','); t.size() == 6)
            transform = QTransform(t[0].toDouble(), t[1].toDouble(), t[2].toDouble(), t[3].toDouble(), t[4].toDouble(),
                                   t[5].toDouble());
        for (const QRegularExpressionMatch &l : segment.globalMatch(m.captured(1)))
            lines << transform.map(QLineF(l.captured(1).toDouble(), l.captured(2).toDouble(), l.captured(3).toDouble(),
                                          l.captured(4).toDouble()));
    }
    return lines;
}

} // namespace

// Two-sided sheets, cut lines and the calibration pair written as PDF and
// read back by poppler: where every back lands, the back held once, every
// cut drawn once and clear of the pictures, and rulers that measure true.
class TestSheetSides : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const QString &program : {u"pdftoppm"_s, u"pdfimages"_s, u"pdftocairo"_s})
            if (QStandardPaths::findExecutable(program).isEmpty())
                QSKIP("poppler-utils is not installed.");
    }

    // Each sheet of fronts is followed by its back, where every back is the
    // mirror of its maptile for the edge the paper turns over by, shifted by
    // the offset, and turned the other way where its maptile is turned.
    void backsLandBehindTheirMaptiles_data()
    {
        QTest::addColumn<SheetSettings>("settings");
        QTest::addColumn<QList<SheetMaptile>>("maptiles");
        const auto m = [](int w, int h, int back, int copies = 1) {
            return SheetMaptile{u"m"_s, QSize(w, h) * 144, copies, back};
        };
        const auto shifted = [](SheetSettings s, const char *offset) {
            s.readBackOffset(QString::fromLatin1(offset), nullptr);
            return s;
        };
        QTest::newRow("A4, long edge") << settings(u"a4"_s) << QList{m(3, 3, 0), m(4, 4, 1)};
        SheetSettings shortEdge = shifted(settings(u"a4"_s), "2mm,-1.5mm");
        shortEdge.flip = SheetSettings::Flip::ShortEdge;
        QTest::newRow("A4, short edge, shifted, with a turn")
            << shortEdge << QList{m(3, 3, 0), m(3, 3, 1), m(5, 6, 2), m(4, 4, 3), m(3, 5, 4)};
        QTest::newRow("Letter landscape, long edge, bleed, shifted")
            << shifted(settings(u"letter"_s, true, 3), "-1mm,0.1in") << QList{m(3, 4, 0, 2), m(4, 4, 1)};
        SheetSettings landscapeShort = settings(u"a3"_s, true);
        landscapeShort.flip = SheetSettings::Flip::ShortEdge;
        QTest::newRow("A3 landscape, short edge, one without a back")
            << landscapeShort << QList{m(3, 3, 0), m(4, 4, -1), m(3, 5, 1)};
    }
    void backsLandBehindTheirMaptiles()
    {
        QFETCH(SheetSettings, settings);
        QFETCH(QList<SheetMaptile>, maptiles);
        const SheetLayout layout(maptiles, settings);
        QVERIFY2(layout.error().isEmpty(), qPrintable(layout.error()));
        const QRgb backCorner = qRgb(250, 220, 0);
        const auto backColour = [](int back) { return QColor::fromHsv(back * 67 % 360, 150, 140).rgb(); };
        const auto front = [&](int m, QString *) {
            return TestImages::make(maptiles[m].pixels,
                                    [m](int x, int y) { return CornerBlock.contains(x, y) ? Corner : colourOf(m); });
        };
        // Each back as large as its maptile, so none of it is cropped and its corner shows how it is turned.
        const auto back = [&](int b, QString *) {
            const auto owner = std::ranges::find_if(maptiles, [b](const SheetMaptile &m) { return m.back == b; });
            return TestImages::make(
                owner->pixels, [&](int x, int y) { return CornerBlock.contains(x, y) ? backCorner : backColour(b); });
        };
        QTemporaryDir folder;
        QList<QImage> pages;
        writeAndRender(layout, front, folder.path(), &pages, back);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pages.size(), layout.sheetCount());
        const qreal bleed = settings.bleed.toInches() * Dpi;
        const int bleedUnits = settings.bleed.units();
        for (int sheet = 0; sheet < pages.size(); sheet += 2) {
            QVERIFY(layout.kind(sheet) == SheetLayout::Kind::Fronts
                    && layout.kind(sheet + 1) == SheetLayout::Kind::Backs);
            for (const SheetPlacement &p : layout.placements(sheet)) {
                const QRectF cut = dots(p.cut), area = cut.adjusted(-bleed, -bleed, bleed, bleed);
                QVERIFY(closeTo(extent(pages[sheet], cut.center().toPoint(), colourOf(p.maptile)), area, 1));
                const int b = maptiles[p.maptile].back;
                const QRectF expected =
                    dots(behind(p.cut.adjusted(-bleedUnits, -bleedUnits, bleedUnits, bleedUnits), settings));
                const QPoint middle = expected.center().toPoint();
                if (b < 0) {
                    QCOMPARE(pages[sheet + 1].pixel(middle), qRgb(255, 255, 255));
                    continue;
                }
                const QRect measured = extent(pages[sheet + 1], middle, backColour(b));
                QVERIFY2(closeTo(measured, expected, 1), qPrintable(u"a back misplaced on sheet %1"_s.arg(sheet + 2)));
                // The back's corner: top left upright; turned anticlockwise, bottom left.
                if (bleed == 0) {
                    const QPoint corner = p.turned ? QPoint(measured.left() + 32, measured.bottom() - 48)
                                                   : QPoint(measured.left() + 48, measured.top() + 32);
                    QVERIFY2(distance(pages[sheet + 1].pixel(corner), backCorner) <= 40, "a back turned wrongly");
                }
            }
        }
    }

    // One back for all is scaled to fill each footprint and cropped to its
    // centre, and the file holds it once however many times it is drawn.
    void oneBackForAll()
    {
        const SheetLayout layout({{u"m"_s, QSize(432, 432), 6, 0}}, settings(u"a4"_s));
        const QRgb red = qRgb(200, 30, 30), green = qRgb(30, 170, 60), blue = qRgb(30, 60, 200);
        // Three bands of 100 x 100: a square footprint shows the middle one alone.
        const QImage banded = TestImages::make({300, 100}, [&](int x, int) {
            return x < 100 ? red : x < 200 ? green : blue;
        });
        QTemporaryDir folder;
        QList<QImage> pages;
        writeAndRender(
            layout,
            [](int, QString *) {
                return TestImages::solid({432, 432}, qRgb(90, 90, 220));
            },
            folder.path(), &pages, [&](int, QString *) { return banded; });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pages.size(), 6);
        for (int sheet = 1; sheet < pages.size(); sheet += 2)
            for (const SheetPlacement &p : layout.placements(sheet)) {
                const QRect inside = dots(p.cut).toAlignedRect().adjusted(3, 3, -3, -3);
                for (int y = inside.top(); y <= inside.bottom(); y += 7)
                    for (int x = inside.left(); x <= inside.right(); x += 7)
                        QVERIFY2(distance(pages[sheet].pixel(x, y), green) <= 12,
                                 "the back is not cropped to its centre");
            }
        QSet<QString> objects;
        int drawn = 0;
        const QString list = run(u"pdfimages"_s, {u"-list"_s, folder.filePath(u"sheets.pdf"_s)});
        for (const QString &line : list.split(u'\n', Qt::SkipEmptyParts).mid(2)) {
            const QStringList f = line.simplified().split(u' ');
            if (f[3] == u"300"_s && f[4] == u"100"_s)
                objects << f[10], ++drawn;
        }
        QCOMPARE(drawn, 6);
        QCOMPARE(objects.size(), 1);
    }

    // Along each cut one line, as poppler draws the file in vectors: neighbours
    // without a gap share their cut, and marks meeting in a gap become one.
    // (That no line crosses a picture, the rendered pages show.)
    void noLineDrawnTwice_data()
    {
        QTest::addColumn<SheetSettings>("settings");
        QTest::addColumn<QList<SheetMaptile>>("maptiles");
        const auto m = [](int w, int h, int copies = 1) { return SheetMaptile{u"m"_s, QSize(w, h) * 144, copies}; };
        SheetSettings gapless = settings(u"a3"_s);
        gapless.gap = SheetLength();
        const QList mixed{m(3, 3, 4), m(4, 4), m(3, 5), m(5, 6)};
        QTest::newRow("A3, corners, no gap") << gapless << mixed;
        gapless.cutLines = SheetSettings::CutLines::Full;
        QTest::newRow("A3, full lines, no gap") << gapless << mixed;
        QTest::newRow("A3, corners, a gap of 3 mm") << settings(u"a3"_s) << QList{m(3, 3, 6)};
    }
    void noLineDrawnTwice()
    {
        QFETCH(SheetSettings, settings);
        QFETCH(QList<SheetMaptile>, maptiles);
        const SheetLayout layout(maptiles, settings);
        QTemporaryDir folder;
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        const auto grey = [&](int m, QString *) { return TestImages::solid(maptiles[m].pixels, qRgb(150, 150, 150)); };
        QCOMPARE(SheetOutput::writePdf(pdf, layout, grey), QString());
        const QString file = folder.filePath(u"sheets.pdf"_s);
        TestImages::writeText(file, pdf.data());
        for (int sheet = 0; sheet < layout.sheetCount(); ++sheet) {
            const QList<QLineF> lines = strokes(file, sheet + 1, folder.path());
            QVERIFY(lines.size() >= layout.cropMarks(sheet).size());
            QVERIFY2(!drawnTwice(lines, 0.05), qPrintable(u"a line drawn twice on sheet %1"_s.arg(sheet + 1)));
        }
    }

    // The calibration pair's rulers measure 10 cm and 4 in, and its scale bar one space, whatever the paper.
    void calibrationRulersMeasure_data()
    {
        QTest::addColumn<SheetSettings>("settings");
        SheetSettings a4 = settings(u"a4"_s);
        a4.calibration = true;
        QTest::newRow("A4") << a4;
        SheetSettings letter = settings(u"letter"_s, true);
        letter.calibration = true;
        letter.readBackOffset(u"1mm,-2mm"_s, nullptr);
        QTest::newRow("Letter landscape, shifted") << letter;
    }
    void calibrationRulersMeasure()
    {
        QFETCH(SheetSettings, settings);
        const SheetLayout layout({}, settings);
        QTemporaryDir folder;
        QList<QImage> pages;
        writeAndRender(layout, {}, folder.path(), &pages);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pages.size(), 2);
        const QList<SheetCalibration::Ruler> &rulers = layout.calibration().rulers();
        QCOMPARE(rulers.size(), 8);
        constexpr qreal PerDot = qreal(SheetLength::PerInch) / Dpi;
        for (const SheetCalibration::Ruler &ruler : rulers) {
            // Along the ruler where only its end ticks reach, from just before its zero to just past its end: two
            // runs of ink, whose centres stand the ruler's length apart.
            const QPoint depth = ruler.inward * (SheetCalibration::EndTick - SheetLength::PerMillimetre);
            const QPointF origin = QPointF(ruler.start + depth) / PerDot, along(ruler.along);
            QList<std::pair<qreal, int>> runs; // sum of places, count
            bool inRun = false;
            for (qreal t = -3; t < ruler.length / PerDot + 3; t += 0.25) {
                const bool ink = black(pages[0].pixel((origin + along * t).toPoint()));
                if (ink && !inRun)
                    runs.append({0, 0});
                if (ink)
                    runs.last().first += t, ++runs.last().second;
                inRun = ink;
            }
            QCOMPARE(runs.size(), 2);
            const qreal length = runs[1].first / runs[1].second - runs[0].first / runs[0].second;
            QVERIFY2(std::abs(length - ruler.length / PerDot) <= 1,
                     qPrintable(u"a ruler of %1 dots measures %2"_s.arg(ruler.length / PerDot).arg(length)));
        }
        bool labelled = false;
        const QRect bar = dots(layout.calibration().scaleBar()).toAlignedRect().adjusted(-1, -1, 1, 1);
        QVERIFY(std::abs(scaleBarLength(pages[0], bar, &labelled) - 1.5 * Dpi) <= 1 && labelled);
    }
};

QTEST_MAIN(TestSheetSides)
#include "tst_sheetsides.moc"
