#include "sheets/SheetLayout.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int Mm = SheetLength::PerMillimetre;
constexpr int Space = 144; // pixels

// Maptiles of w x h spaces, one copy each, named by their sizes.
QList<SheetMaptile> spaces(const QList<QSize> &sizes, int copies = 1)
{
    QList<SheetMaptile> maptiles;
    for (const QSize &size : sizes)
        maptiles.append({u"%1x%2"_s.arg(size.width()).arg(size.height()), size * Space, copies});
    return maptiles;
}

SheetSettings settings(const QString &paper, QPageLayout::Orientation orientation = QPageLayout::Portrait,
                       int marginMm = 6, int gapMm = 3, int bleedMm = 0, bool cropMarks = true)
{
    SheetSettings s;
    s.paper = *SheetSettings::paperNamed(paper);
    s.orientation = orientation;
    s.margin = SheetLength::fromUnits(marginMm * Mm);
    s.gap = SheetLength::fromUnits(gapMm * Mm);
    s.bleed = SheetLength::fromUnits(bleedMm * Mm);
    s.cropMarks = cropMarks;
    return s;
}

bool separated(const QRect &a, const QRect &b, int gap)
{
    return !a.adjusted(-gap, -gap, gap, gap).intersects(b);
}

// A crop mark as the ink it lays down.
QRect ink(const QLine &mark)
{
    const int half = SheetLayout::MarkWidth / 2;
    const QRect line = QRect(mark.p1(), mark.p2()).normalized();
    return mark.dx() == 0 ? line.adjusted(-half, 0, half, 0) : line.adjusted(0, -half, 0, half);
}

// Checks every rule a layout must keep, seen from its output alone.
void checkLayout(const SheetLayout &layout)
{
    QVERIFY2(layout.error().isEmpty(), qPrintable(layout.error()));
    const SheetSettings &s = layout.settings();
    const int bleed = s.bleed.units(), gap = s.gap.units(), margin = s.margin.units();
    const QRect printable(margin, margin, layout.paperSize().width() - 2 * margin,
                          layout.paperSize().height() - 2 * margin);
    QSet<QPair<int, int>> seen;
    int expected = 0;
    for (const SheetMaptile &maptile : layout.maptiles())
        expected += maptile.copies;
    for (int sheet = 0; sheet < layout.sheetCount(); ++sheet) {
        const QList<SheetPlacement> &placements = layout.placements(sheet);
        QVERIFY2(!placements.isEmpty() || (sheet == 0 && !layout.scaleBar().isEmpty()), "an empty sheet");
        QList<QRect> pictures;
        for (const SheetPlacement &p : placements) {
            QVERIFY(!seen.contains({p.maptile, p.copy}));
            seen.insert({p.maptile, p.copy});
            const QSize units = layout.maptiles()[p.maptile].pixels * SheetLength::PerPixel;
            QCOMPARE(p.cut.size(), p.turned ? units.transposed() : units);
            const QRect withBleed = p.cut.adjusted(-bleed, -bleed, bleed, bleed);
            QVERIFY2(printable.contains(withBleed), "a picture in the margin");
            for (const QRect &other : std::as_const(pictures))
                QVERIFY2(separated(withBleed, other, gap), "pictures closer than the gap");
            pictures << withBleed;
        }
        for (const QLine &mark : layout.cropMarks(sheet)) {
            QVERIFY(s.cropMarks);
            QVERIFY(mark.dx() == 0 || mark.dy() == 0);
            QVERIFY(std::max(std::abs(mark.dx()), std::abs(mark.dy())) <= SheetLayout::MarkLength);
            for (const QRect &picture : std::as_const(pictures))
                QVERIFY2(!ink(mark).intersects(picture), "a crop mark over a picture");
            QVERIFY2(QRect(QPoint(0, 0), layout.paperSize()).contains(ink(mark).adjusted(0, 0, -1, -1)),
                     "a crop mark off the paper");
            // Every mark lies on the line of some cut edge.
            const bool onCutLine = std::any_of(placements.cbegin(), placements.cend(), [&](const SheetPlacement &p) {
                return mark.dx() == 0 ? (mark.x1() == p.cut.x() || mark.x1() == p.cut.x() + p.cut.width())
                                      : (mark.y1() == p.cut.y() || mark.y1() == p.cut.y() + p.cut.height());
            });
            QVERIFY2(onCutLine, "a crop mark off every cut line");
            if (sheet == 0 && !layout.scaleBar().isEmpty())
                QVERIFY2(!ink(mark).intersects(layout.scaleBar()), "a crop mark over the scale bar");
        }
        const bool barFits = SheetLayout::ScaleBarBox.width() <= printable.width()
            && SheetLayout::ScaleBarBox.height() <= printable.height();
        if (sheet == 0 && s.cropMarks && barFits) {
            QVERIFY(printable.contains(layout.scaleBar()));
            for (const QRect &picture : std::as_const(pictures))
                QVERIFY2(!picture.intersects(layout.scaleBar()), "the scale bar over a picture");
        }
    }
    QCOMPARE(seen.size(), expected);
    if (!s.cropMarks)
        QVERIFY(layout.scaleBar().isEmpty());
}

int turnedCount(const SheetLayout &layout)
{
    int turned = 0;
    for (int sheet = 0; sheet < layout.sheetCount(); ++sheet)
        for (const SheetPlacement &p : layout.placements(sheet))
            turned += p.turned;
    return turned;
}

} // namespace

// Maptiles packed onto paper: lengths as typed, sheet counts whose best is
// known, the rules every layout keeps, and the layouts refused.
class TestSheetLayout : public QObject
{
    Q_OBJECT

private slots:
    void lengths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("units"); // -1: refused
        QTest::newRow("6mm") << "6mm" << 6 * Mm;
        QTest::newRow("6 mm") << "6 mm" << 6 * Mm;
        QTest::newRow("padded, capitals") << "  6 MM " << 6 * Mm;
        QTest::newRow("0.6 cm") << "0.6 cm" << 6 * Mm;
        QTest::newRow("0.25in") << "0.25in" << SheetLength::PerInch / 4;
        QTest::newRow("12pt") << "12pt" << 12 * SheetLength::PerPoint;
        QTest::newRow(".5in") << ".5in" << SheetLength::PerInch / 2;
        QTest::newRow("3.175 mm is 1/8 in") << "3.175 mm" << SheetLength::PerInch / 8;
        QTest::newRow("0mm") << "0mm" << 0;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("no unit") << "6" << -1;
        QTest::newRow("pixels") << "6px" << -1;
        QTest::newRow("negative") << "-3mm" << -1;
        QTest::newRow("decimal comma") << "6,5mm" << -1;
        QTest::newRow("exponent") << "1e3mm" << -1;
        QTest::newRow("two numbers") << "6 6 mm" << -1;
        QTest::newRow("longer than paper") << "2000mm" << -1;
        QTest::newRow("huge") << "99999999999999999999in" << -1;
        QTest::newRow("words") << "six mm" << -1;
    }
    void lengths()
    {
        QFETCH(QString, text);
        QFETCH(int, units);
        QString error;
        const std::optional<SheetLength> length = SheetLength::parse(text, &error);
        if (units < 0) {
            QVERIFY(!length);
            // One sentence, for a line of standard error or a message under a field.
            QVERIFY2(!error.isEmpty() && error.endsWith(u'.') && !error.contains(u'\n'), qPrintable(error));
        } else {
            QVERIFY2(length, qPrintable(error));
            QCOMPARE(length->units(), units);
        }
    }

    void papers()
    {
        // Exact sizes, whatever the points they round to in a PDF.
        QCOMPARE(settings(u"a4"_s).paperUnits(), QSize(210 * Mm, 297 * Mm));
        QCOMPARE(settings(u"A3"_s, QPageLayout::Landscape).paperUnits(), QSize(420 * Mm, 297 * Mm));
        QCOMPARE(settings(u"letter"_s).paperUnits(), QSize(8 * SheetLength::PerInch + SheetLength::PerInch / 2,
                                                          11 * SheetLength::PerInch));
        QCOMPARE(settings(u"legal"_s).paperUnits().height(), 14 * SheetLength::PerInch);
        QCOMPARE(settings(u"tabloid"_s).paperUnits(), QSize(11, 17) * SheetLength::PerInch);
        QString error;
        QVERIFY(!SheetSettings::paperNamed(u"b5"_s, &error));
        QVERIFY(error.contains(u"b5"_s) && error.contains(u"tabloid"_s));
    }

    void knownSheetCounts_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("marginMm");
        QTest::addColumn<int>("bleedMm");
        QTest::addColumn<QList<QSize>>("maptiles");
        QTest::addColumn<int>("sheets");
        QTest::addColumn<bool>("turns");
        const QSize s33(3, 3), s35(3, 5), s44(4, 4), s56(5, 6), s34(3, 4), s46(4, 6);
        QTest::newRow("A4: two 3x3 share") << "a4" << false << 6 << 0 << QList{s33, s33} << 1 << false;
        QTest::newRow("A4: a third 3x3 begins another") << "a4" << false << 6 << 0 << QList{s33, s33, s33} << 2 << false;
        QTest::newRow("A3: six 3x3 share") << "a3" << false << 6 << 0 << QList<QSize>(6, s33) << 1 << false;
        QTest::newRow("A3: a seventh begins another") << "a3" << false << 6 << 0 << QList<QSize>(7, s33) << 2 << false;
        QTest::newRow("A4: the five need a turn")
            << "a4" << false << 6 << 0 << QList{s33, s33, s56, s44, s35} << 3 << true;
        QTest::newRow("A4: no turn saves a sheet") << "a4" << false << 6 << 0 << QList{s46, s34} << 2 << false;
        QTest::newRow("A4 landscape: two 3x3") << "a4" << true << 6 << 0 << QList{s33, s33, s33} << 2 << false;
        QTest::newRow("Letter: two 3x3") << "letter" << false << 6 << 0 << QList<QSize>(4, s33) << 2 << false;
        QTest::newRow("Legal: two 3x3, not three") << "legal" << false << 6 << 0 << QList<QSize>(3, s33) << 2 << false;
        QTest::newRow("Tabloid: six 3x3") << "tabloid" << false << 6 << 0 << QList<QSize>(6, s33) << 1 << false;
        QTest::newRow("A4: bleed 10 mm still two") << "a4" << false << 6 << 10 << QList{s33, s33} << 1 << false;
        QTest::newRow("A4: bleed 20 mm parts them") << "a4" << false << 6 << 20 << QList{s33, s33} << 2 << false;
        QTest::newRow("A4: wide margins, one a sheet") << "a4" << false << 40 << 0 << QList{s33, s33} << 2 << false;
        QTest::newRow("A4: 5x6 alone, bar below it") << "a4" << false << 6 << 0 << QList{s56, s56} << 2 << false;
    }
    void knownSheetCounts()
    {
        QFETCH(QString, paper);
        QFETCH(bool, landscape);
        QFETCH(int, marginMm);
        QFETCH(int, bleedMm);
        QFETCH(QList<QSize>, maptiles);
        const SheetLayout layout(spaces(maptiles), settings(paper, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                                            marginMm, 3, bleedMm));
        checkLayout(layout);
        QTEST(layout.sheetCount(), "sheets");
        QTEST(turnedCount(layout) > 0, "turns");
    }

    void copiesCount()
    {
        // Copies fill sheets like separate maptiles.
        const SheetLayout layout(spaces({{3, 3}}, 5), settings(u"a3"_s));
        checkLayout(layout);
        QCOMPARE(layout.sheetCount(), 1);
        QCOMPARE(layout.placements(0).size(), 5);
        QCOMPARE(layout.lastSheetOf(0), 0);
    }

    // Mixed sets drawn at random, on every paper, either way up, with and
    // without bleed and marks: every rule holds and the same input lays out the same.
    void rulesHoldForMixedSets_data()
    {
        QTest::addColumn<int>("seed");
        for (int seed = 1; seed <= 40; ++seed)
            QTest::newRow(qPrintable(u"seed %1"_s.arg(seed))) << seed;
    }
    void rulesHoldForMixedSets()
    {
        QFETCH(int, seed);
        QRandomGenerator random(seed);
        const QStringList papers = SheetSettings::paperNames();
        SheetSettings s = settings(papers[seed % papers.size()],
                                   seed % 3 == 0 ? QPageLayout::Landscape : QPageLayout::Portrait,
                                   random.bounded(0, 11), random.bounded(0, 8), seed % 2 ? random.bounded(0, 4) : 0,
                                   seed % 5 != 0);
        QList<SheetMaptile> maptiles;
        const int count = random.bounded(1, 30);
        for (int i = 0; i < count; ++i) {
            // Whole spaces mostly, sometimes an odd picture of another program.
            const QSize pixels = random.bounded(4) == 0
                ? QSize(random.bounded(40, 700), random.bounded(40, 700))
                : QSize(random.bounded(3, 6), random.bounded(3, 7)) * Space;
            maptiles.append({u"m%1"_s.arg(i), pixels, random.bounded(1, 4)});
        }
        const SheetLayout layout(maptiles, s);
        if (!layout.error().isEmpty()) {
            // Refused only for a picture that fits the printable area neither way up.
            const int room = 2 * s.margin.units(), bleed = 2 * s.bleed.units();
            const QSize inside = s.paperUnits() - QSize(room, room);
            QVERIFY2(std::any_of(maptiles.cbegin(), maptiles.cend(), [&](const SheetMaptile &m) {
                const QSize size = m.pixels * SheetLength::PerPixel + QSize(bleed, bleed);
                return !(size.width() <= inside.width() && size.height() <= inside.height())
                    && !(size.height() <= inside.width() && size.width() <= inside.height())
                    && layout.error().startsWith(m.name + u' ');
            }), qPrintable(layout.error()));
            return;
        }
        checkLayout(layout);
        const SheetLayout again(maptiles, s);
        QCOMPARE(again.sheetCount(), layout.sheetCount());
        for (int sheet = 0; sheet < layout.sheetCount(); ++sheet) {
            const QList<SheetPlacement> &a = layout.placements(sheet), &b = again.placements(sheet);
            QCOMPARE(a.size(), b.size());
            for (qsizetype i = 0; i < a.size(); ++i)
                QVERIFY(a[i].maptile == b[i].maptile && a[i].cut == b[i].cut && a[i].turned == b[i].turned);
            QCOMPARE(again.cropMarks(sheet), layout.cropMarks(sheet));
        }
        QCOMPARE(again.scaleBar(), layout.scaleBar());
    }

    void marksBetweenNeighbours()
    {
        // Two 3x3 one above the other, 3 mm apart: the marks between them stay in
        // the gap, and none is drawn where there is no gap at all.
        const SheetLayout apart(spaces({{3, 3}, {3, 3}}), settings(u"a4"_s));
        checkLayout(apart);
        const QList<SheetPlacement> &p = apart.placements(0);
        const int between = std::min(p[0].cut.y() + p[0].cut.height(), p[1].cut.y() + p[1].cut.height());
        const auto inGap = [&](const QLine &mark) {
            return mark.dy() != 0 && std::min(mark.y1(), mark.y2()) >= between
                && std::max(mark.y1(), mark.y2()) <= between + 3 * Mm;
        };
        const QList<QLine> &marks = apart.cropMarks(0);
        QVERIFY(std::count_if(marks.cbegin(), marks.cend(), inGap) >= 2);
        const SheetLayout touching(spaces({{3, 3}, {3, 3}}), settings(u"a4"_s, QPageLayout::Portrait, 6, 0));
        checkLayout(touching);
        QVERIFY(std::none_of(touching.cropMarks(0).cbegin(), touching.cropMarks(0).cend(), [&](const QLine &mark) {
            return mark.dy() != 0 && std::abs(mark.y1() - between) < 3 * Mm;
        }));
    }

    void fullFirstSheetKeepsRoomForTheScaleBar()
    {
        // A picture that fills the printable area leaves no room: the bar takes the first sheet's corner.
        const QSize full((198 * Mm) / SheetLength::PerPixel, (285 * Mm) / SheetLength::PerPixel - 2);
        const SheetLayout layout({{u"full"_s, full, 2}}, settings(u"a4"_s));
        checkLayout(layout);
        QVERIFY(!layout.scaleBar().isEmpty());
        QCOMPARE(layout.sheetCount(), 3);
        QVERIFY(layout.placements(0).isEmpty());
        const SheetLayout noMarks({{u"full"_s, full, 2}}, settings(u"a4"_s, QPageLayout::Portrait, 6, 3, 0, false));
        QCOMPARE(noMarks.sheetCount(), 2);
    }

    void refusals_data()
    {
        QTest::addColumn<QList<SheetMaptile>>("maptiles");
        QTest::addColumn<int>("marginMm");
        QTest::addColumn<int>("bleedMm");
        QTest::addColumn<QString>("named"); // what the reason must name
        const SheetMaptile fine{u"fine.ora"_s, QSize(432, 432), 1};
        QTest::newRow("margins leave no room") << QList{fine} << 105 << 0 << "A4";
        QTest::newRow("margins leave too little") << QList{fine} << 50 << 0 << "fine.ora";
        QTest::newRow("larger than the paper") << QList{fine, SheetMaptile{u"big.ora"_s, QSize(800, 1100), 1}} << 6 << 0
                                               << "big.ora";
        QTest::newRow("larger only with its bleed") << QList{SheetMaptile{u"edge.ora"_s, QSize(720, 1072), 1}} << 6
                                                    << 2 << "edge.ora";
        QTest::newRow("no copies") << QList{SheetMaptile{u"none.ora"_s, QSize(432, 432), 0}} << 6 << 0 << "none.ora";
        QTest::newRow("too many copies") << QList{SheetMaptile{u"many.ora"_s, QSize(432, 432), 100000}} << 6 << 0
                                         << "many.ora";
        QTest::newRow("no picture") << QList{SheetMaptile{u"empty.ora"_s, QSize(0, 432), 1}} << 6 << 0 << "empty.ora";
        QTest::newRow("nothing to print") << QList<SheetMaptile>{} << 6 << 0 << "";
    }
    void refusals()
    {
        QFETCH(QList<SheetMaptile>, maptiles);
        QFETCH(int, marginMm);
        QFETCH(int, bleedMm);
        QFETCH(QString, named);
        const SheetLayout layout(maptiles, settings(u"a4"_s, QPageLayout::Portrait, marginMm, 3, bleedMm));
        QVERIFY2(layout.error().contains(named) && layout.error().endsWith(u'.') && !layout.error().contains(u'\n'),
                 qPrintable(layout.error()));
        QCOMPARE(layout.sheetCount(), 0);
    }

    void narrowPaperHasNoScaleBar()
    {
        // 30 mm across inside the margins: a small picture fits, the 38 mm bar cannot.
        const SheetLayout layout({{u"small"_s, QSize(96, 96), 1}}, settings(u"a4"_s, QPageLayout::Portrait, 90));
        checkLayout(layout);
        QCOMPARE(layout.sheetCount(), 1);
        QVERIFY(layout.scaleBar().isEmpty());
        QVERIFY(!layout.cropMarks(0).isEmpty());
    }

    void turnedWhenOnlyTurnedFits()
    {
        // Wider than A4's printable width but not than its height: laid on its side, not refused.
        const SheetLayout layout({{u"wide"_s, QSize(1000, 700), 1}}, settings(u"a4"_s));
        checkLayout(layout);
        QCOMPARE(layout.sheetCount(), 1);
        QCOMPARE(turnedCount(layout), 1);
    }
};

QTEST_MAIN(TestSheetLayout)
#include "tst_sheetlayout.moc"
