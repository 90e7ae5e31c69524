#include "sheets/SheetLayout.h"

#include <QRandomGenerator>
#include <QtTest>

#include <numeric>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SheetMaptile)
Q_DECLARE_METATYPE(SheetSettings)

namespace {

constexpr int Mm = SheetLength::PerMillimetre;

QSize spaces(int w, int h)
{
    return QSize(w, h) * 144;
}

SheetSettings settings(const QString &paper, bool landscape = false, int marginMm = 6, int gapMm = 3, int bleedMm = 0,
                       bool cropMarks = true)
{
    const auto mm = [](int n) { return SheetLength::fromUnits(n * Mm); };
    const auto orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    return {*SheetSettings::paperNamed(paper), orientation, mm(marginMm), mm(gapMm), mm(bleedMm), cropMarks};
}

// The ink a crop mark lays down.
QRect ink(const QLine &mark)
{
    const int half = SheetLayout::MarkWidth / 2;
    const QRect line = QRect(mark.p1(), mark.p2()).normalized();
    return mark.dx() == 0 ? line.adjusted(-half, 0, half, 0) : line.adjusted(0, -half, 0, half);
}

// Every rule a layout keeps, seen from its output alone.
void checkLayout(const SheetLayout &layout)
{
    QVERIFY2(layout.error().isEmpty(), qPrintable(layout.error()));
    const SheetSettings &s = layout.settings();
    const int bleed = s.bleed.units(), gap = s.gap.units(), margin = s.margin.units();
    const QRect paper(QPoint(0, 0), layout.paperSize()), printable = paper.adjusted(margin, margin, -margin, -margin);
    QSet<QPair<int, int>> seen;
    for (int sheet = 0; sheet < layout.sheetCount(); ++sheet) {
        QList<QRect> pictures; // with their bleed
        for (const SheetPlacement &p : layout.placements(sheet)) {
            QVERIFY(!seen.contains({p.maptile, p.copy}));
            seen.insert({p.maptile, p.copy});
            const QSize units = layout.maptiles()[p.maptile].pixels * SheetLength::PerPixel;
            QCOMPARE(p.cut.size(), p.turned ? units.transposed() : units);
            const QRect picture = p.cut.adjusted(-bleed, -bleed, bleed, bleed);
            QVERIFY2(printable.contains(picture), "a picture in the margin");
            for (const QRect &other : std::as_const(pictures))
                QVERIFY2(!picture.adjusted(-gap, -gap, gap, gap).intersects(other), "pictures closer than the gap");
            pictures << picture;
        }
        QVERIFY2(!pictures.isEmpty() || (sheet == 0 && !layout.scaleBar().isEmpty()), "an empty sheet");
        if (sheet == 0 && !layout.scaleBar().isEmpty())
            pictures << layout.scaleBar();
        for (const QLine &mark : layout.cropMarks(sheet)) {
            QVERIFY(mark.dx() == 0 || mark.dy() == 0);
            QVERIFY(std::abs(mark.dx() + mark.dy()) <= SheetLayout::MarkLength);
            QVERIFY2(paper.contains(ink(mark).adjusted(0, 0, -1, -1)), "a crop mark off the paper");
            for (const QRect &picture : std::as_const(pictures))
                QVERIFY2(!ink(mark).intersects(picture), "a crop mark over a picture or the scale bar");
            QVERIFY2(std::ranges::any_of(layout.placements(sheet),
                                         [&](const SheetPlacement &p) {
                                             const QRect &c = p.cut;
                                             return mark.dx() == 0
                                                 ? mark.x1() == c.x() || mark.x1() == c.x() + c.width()
                                                 : mark.y1() == c.y() || mark.y1() == c.y() + c.height();
                                         }),
                     "a crop mark off every cut line");
        }
    }
    const QList<SheetMaptile> &maptiles = layout.maptiles();
    QCOMPARE(seen.size(), std::accumulate(maptiles.cbegin(), maptiles.cend(), 0, [](int n, const SheetMaptile &m) {
                 return n + m.copies;
             }));
    // The bar is on the first sheet whenever there are marks and it fits inside the margins.
    const bool barFits = printable.width() >= SheetLayout::ScaleBarBox.width()
        && printable.height() >= SheetLayout::ScaleBarBox.height();
    QCOMPARE(printable.contains(layout.scaleBar()), s.cropMarks && barFits);
    QVERIFY(s.cropMarks || layout.cropMarks(0).isEmpty());
}

} // namespace

// Maptiles packed onto paper: lengths as typed, sheet counts whose best is
// known, the rules any layout keeps, and the layouts refused.
class TestSheetLayout : public QObject
{
    Q_OBJECT

private slots:
    void lengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("units"); // -1: refused
        const std::pair<const char *, int> good[]{{"6mm", 6 * Mm},
                                                  {"  6 MM ", 6 * Mm},
                                                  {"0.6 cm", 6 * Mm},
                                                  {".25in", SheetLength::PerInch / 4},
                                                  {"12pt", 12 * SheetLength::PerPoint},
                                                  {"3.175 mm", SheetLength::PerInch / 8}};
        for (const auto &[text, units] : good)
            QTest::newRow(text) << QString::fromLatin1(text) << units;
        for (const char *bad : {"", "6", "6px", "-3mm", "6,5mm", "1e3mm", "6 6 mm", "2000mm", "99999999999999999999in"})
            QTest::newRow(bad) << QString::fromLatin1(bad) << -1;
    }
    void lengths()
    {
        QFETCH(QString, text);
        QFETCH(int, units);
        QString error;
        const std::optional<SheetLength> length = SheetLength::parse(text, &error);
        QCOMPARE(length ? length->units() : -1, units);
        // One sentence, for a line of standard error or a message under a field.
        if (!length)
            QVERIFY2(error.endsWith(u'.') && !error.contains(u'\n') && error.size() > 10, qPrintable(error));
    }

    void knownSheetCounts_data()
    {
        QTest::addColumn<SheetSettings>("settings");
        QTest::addColumn<QList<QSize>>("pixels");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<bool>("turns");
        const QSize s33 = spaces(3, 3);
        const SheetSettings a4 = settings(u"a4"_s);
        QTest::newRow("A4: two 3x3 share") << a4 << QList{s33, s33} << 1 << false;
        QTest::newRow("A4: a third begins another") << a4 << QList{s33, s33, s33} << 2 << false;
        QTest::newRow("A3: six 3x3 share") << settings(u"a3"_s) << QList<QSize>(6, s33) << 1 << false;
        QTest::newRow("A3: a seventh begins another") << settings(u"a3"_s) << QList<QSize>(7, s33) << 2 << false;
        QTest::newRow("A4: the five need a turn")
            << a4 << QList{s33, s33, spaces(5, 6), spaces(4, 4), spaces(3, 5)} << 3 << true;
        QTest::newRow("A4: no turn saves a sheet") << a4 << QList{spaces(4, 6), spaces(3, 4)} << 2 << false;
        QTest::newRow("A4: fits only turned") << a4 << QList{QSize(1000, 700)} << 1 << true;
        QTest::newRow("Letter: two 3x3") << settings(u"letter"_s) << QList<QSize>(4, s33) << 2 << false;
        QTest::newRow("Legal: two 3x3, not three") << settings(u"legal"_s) << QList<QSize>(3, s33) << 2 << false;
        QTest::newRow("Tabloid: six 3x3") << settings(u"tabloid"_s) << QList<QSize>(6, s33) << 1 << false;
        QTest::newRow("A4: bleed 10 mm still two")
            << settings(u"a4"_s, false, 6, 3, 10) << QList{s33, s33} << 1 << false;
        QTest::newRow("A4: bleed 20 mm parts them")
            << settings(u"a4"_s, false, 6, 3, 20) << QList{s33, s33} << 2 << false;
        QTest::newRow("A4: wide margins, one a sheet") << settings(u"a4"_s, false, 40) << QList{s33, s33} << 2 << false;
        QTest::newRow("A4: narrower than the bar")
            << settings(u"a4"_s, false, 90) << QList{QSize(96, 96)} << 1 << false;
        // A picture filling the printable area leaves the bar no room: the first sheet keeps it alone.
        QTest::newRow("A4: full pictures") << a4 << QList<QSize>(2, QSize(748, 1075)) << 3 << false;
    }
    void knownSheetCounts()
    {
        QFETCH(QList<QSize>, pixels);
        QList<SheetMaptile> maptiles;
        for (const QSize &size : pixels)
            maptiles.append({u"m%1"_s.arg(maptiles.size()), size, 1});
        QFETCH(SheetSettings, settings);
        const SheetLayout layout(maptiles, settings);
        checkLayout(layout);
        QTEST(layout.sheetCount(), "sheets");
        bool turned = false;
        for (int sheet = 0; sheet < layout.sheetCount(); ++sheet)
            for (const SheetPlacement &p : layout.placements(sheet))
                turned |= p.turned;
        QTEST(turned, "turns");
    }

    // Mixed sets at random, on every paper either way up, with and without bleed
    // and marks: the rules hold, and a set is refused only for a picture that
    // fits the printable area neither way up.
    void mixedSets_data()
    {
        QTest::addColumn<int>("seed");
        for (int seed = 1; seed <= 40; ++seed)
            QTest::newRow(qPrintable(u"seed %1"_s.arg(seed))) << seed;
    }
    void mixedSets()
    {
        QFETCH(int, seed);
        QRandomGenerator random(seed);
        const QStringList papers = SheetSettings::paperNames();
        const SheetSettings s = settings(papers[seed % papers.size()], seed % 3 == 0, random.bounded(0, 11),
                                         random.bounded(0, 8), seed % 2 ? random.bounded(0, 4) : 0, seed % 5 != 0);
        QList<SheetMaptile> maptiles;
        for (int i = random.bounded(1, 30); i > 0; --i) {
            // Whole spaces mostly, sometimes another program's picture.
            const QSize pixels = random.bounded(4) == 0 ? QSize(random.bounded(40, 700), random.bounded(40, 700))
                                                        : spaces(random.bounded(3, 6), random.bounded(3, 7));
            maptiles.append({u"m%1"_s.arg(i), pixels, random.bounded(1, 4)});
        }
        const SheetLayout layout(maptiles, s);
        if (!layout.error().isEmpty()) {
            const int bleed = 2 * s.bleed.units();
            const QSize inside = s.paperUnits() - 2 * QSize(s.margin.units(), s.margin.units());
            QVERIFY2(std::any_of(maptiles.cbegin(), maptiles.cend(),
                                 [&](const SheetMaptile &m) {
                                     const QSize size = m.pixels * SheetLength::PerPixel + QSize(bleed, bleed);
                                     return !QRect(QPoint(), inside).contains(QRect(QPoint(), size))
                                         && !QRect(QPoint(), inside).contains(QRect(QPoint(), size.transposed()))
                                         && layout.error().startsWith(m.name + u' ');
                                 }),
                     qPrintable(layout.error()));
            return;
        }
        checkLayout(layout);
    }

    // Refusals the command line cannot reach, or only by way of these; the others are its test's.
    void refusals_data()
    {
        QTest::addColumn<SheetMaptile>("maptile"); // named in the reason
        QTest::addColumn<SheetSettings>("settings");
        QTest::newRow("margins leave too little")
            << SheetMaptile{u"fine.ora"_s, QSize(432, 432), 1} << settings(u"a4"_s, false, 50);
        QTest::newRow("larger with its bleed")
            << SheetMaptile{u"edge.ora"_s, QSize(720, 1072), 1} << settings(u"a4"_s, false, 6, 3, 2);
        QTest::newRow("endless copies") << SheetMaptile{u"many.ora"_s, QSize(432, 432), 100000} << settings(u"a4"_s);
        QTest::newRow("no picture") << SheetMaptile{u"empty.ora"_s, QSize(0, 432), 1} << settings(u"a4"_s);
    }
    void refusals()
    {
        QFETCH(SheetMaptile, maptile);
        QFETCH(SheetSettings, settings);
        const SheetLayout layout({maptile}, settings);
        QCOMPARE(layout.sheetCount(), 0);
        const QString error = layout.error();
        QVERIFY2(error.contains(maptile.name) && error.endsWith(u'.') && !error.contains(u'\n'), qPrintable(error));
    }
};

QTEST_MAIN(TestSheetLayout)
#include "tst_sheetlayout.moc"
