#include "sheets/SheetLayout.h"
#include "support/SheetPages.h"

#include <QRandomGenerator>
#include <QtTest>

#include <limits>
#include <numeric>

using namespace Qt::StringLiterals;
using SheetPages::behind;
using SheetPages::drawnTwice;

Q_DECLARE_METATYPE(SheetMaptile)
Q_DECLARE_METATYPE(SheetSettings)

namespace {

constexpr int Mm = SheetLength::PerMillimetre;
constexpr int Refused = std::numeric_limits<int>::min();

QSize spaces(int w, int h)
{
    return QSize(w, h) * 144;
}

SheetSettings settings(const QString &paper, bool landscape = false, int marginMm = 6, int gapMm = 3, int bleedMm = 0,
                       bool cropMarks = true)
{
    SheetSettings s;
    s.paper = *SheetSettings::paperNamed(paper);
    s.orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    s.margin = SheetLength::fromUnits(marginMm * Mm);
    s.gap = SheetLength::fromUnits(gapMm * Mm);
    s.bleed = SheetLength::fromUnits(bleedMm * Mm);
    s.cropMarks = cropMarks;
    return s;
}

// The ink a crop mark lays down.
QRect ink(const QLine &mark)
{
    const int half = SheetLayout::MarkWidth / 2;
    const QRect line = QRect(mark.p1(), mark.p2()).normalized();
    return mark.dx() == 0 ? line.adjusted(-half, 0, half, 0) : line.adjusted(0, -half, 0, half);
}

// The back of a sheet of fronts: one back for each copy of a maptile with a back, on the paper, and nothing
// else. (Where each lands, the rendered sheets show.)
void checkBacks(const SheetLayout &layout, int sheet)
{
    const int bleed = layout.settings().bleed.units();
    const QList<SheetPlacement> &backs = layout.placements(sheet);
    QCOMPARE(backs.size(), std::ranges::count_if(layout.placements(sheet - 1), [&](const SheetPlacement &p) {
                 return layout.maptiles()[p.maptile].back >= 0;
             }));
    for (const SheetPlacement &back : backs)
        QVERIFY2(QRect(QPoint(), layout.paperSize()).contains(back.cut.adjusted(-bleed, -bleed, bleed, bleed)),
                 "a back off the paper");
    QVERIFY(layout.cropMarks(sheet).isEmpty());
}

// Every rule a layout keeps, seen from its output alone.
void checkLayout(const SheetLayout &layout)
{
    QVERIFY2(layout.error().isEmpty(), qPrintable(layout.error()));
    const SheetSettings &s = layout.settings();
    const int bleed = s.bleed.units(), gap = s.gap.units(), margin = s.margin.units();
    const QRect paper(QPoint(0, 0), layout.paperSize()), printable = paper.adjusted(margin, margin, -margin, -margin);
    const QList<SheetMaptile> &maptiles = layout.maptiles();
    const bool twoSided =
        s.calibration || std::ranges::any_of(maptiles, [](const SheetMaptile &m) { return m.back >= 0; });
    QCOMPARE(layout.twoSided(), twoSided);
    // The calibration pair first, then each sheet of fronts followed by its back when two-sided.
    using Kind = SheetLayout::Kind;
    const int first = s.calibration ? 2 : 0;
    if (s.calibration) {
        QVERIFY(layout.sheetCount() >= 2 && layout.kind(0) == Kind::CalibrationFront
                && layout.kind(1) == Kind::CalibrationBack);
        // A cross with scales behind each of the front's crosshairs.
        for (const QPoint c : layout.calibration().crosshairs()) {
            const QPoint at = behind(QRect(c, QSize(0, 0)), s).topLeft();
            const int reach = SheetCalibration::ScaleReach;
            QVERIFY2(layout.calibrationBack().lines.contains(QLine(at - QPoint(reach, 0), at + QPoint(reach, 0))),
                     "no scale behind a crosshair");
        }
    }
    QSet<QPair<int, int>> seen;
    for (int sheet = first; sheet < layout.sheetCount(); ++sheet) {
        const bool back = twoSided && (sheet - first) % 2 == 1;
        QCOMPARE(layout.kind(sheet), back ? Kind::Backs : Kind::Fronts);
        if (back) {
            checkBacks(layout, sheet);
            continue;
        }
        QList<QRect> pictures; // with their bleed
        for (const SheetPlacement &p : layout.placements(sheet)) {
            QVERIFY(!seen.contains({p.maptile, p.copy}));
            seen.insert({p.maptile, p.copy});
            const QSize units = maptiles[p.maptile].pixels * SheetLength::PerPixel;
            QCOMPARE(p.cut.size(), p.turned ? units.transposed() : units);
            const QRect picture = p.cut.adjusted(-bleed, -bleed, bleed, bleed);
            QVERIFY2(printable.contains(picture), "a picture in the margin");
            for (const QRect &other : std::as_const(pictures))
                QVERIFY2(!picture.adjusted(-gap, -gap, gap, gap).intersects(other), "pictures closer than the gap");
            pictures << picture;
        }
        const bool bar = sheet == layout.scaleBarSheet() && !layout.scaleBar().isEmpty();
        QVERIFY2(!pictures.isEmpty() || bar, "an empty sheet");
        if (bar)
            pictures << layout.scaleBar();
        const bool full = s.cutLines == SheetSettings::CutLines::Full;
        QList<QLineF> lines;
        for (const QLine &mark : layout.cropMarks(sheet))
            lines << QLineF(mark);
        QVERIFY2(!drawnTwice(lines, 0.5), "a line drawn twice");
        QVERIFY(s.cropMarks || layout.cropMarks(sheet).isEmpty());
        for (const QLine &mark : layout.cropMarks(sheet)) {
            QVERIFY(mark.dx() == 0 || mark.dy() == 0);
            // Two marks of neighbours that meet become one.
            QVERIFY(full || std::abs(mark.dx() + mark.dy()) <= 2 * SheetLayout::MarkLength);
            // A full line runs on until the paper's edge or a picture stops it.
            for (const QPoint end : {mark.p1(), mark.p2()}) {
                const QRect near(end - QPoint(Mm, Mm), QSize(2 * Mm, 2 * Mm));
                QVERIFY2(!full || !paper.contains(near)
                             || std::ranges::any_of(pictures, [&](const QRect &p) { return p.intersects(near); }),
                         "a full line stops short");
            }
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
    QCOMPARE(seen.size(), std::accumulate(maptiles.cbegin(), maptiles.cend(), 0, [](int n, const SheetMaptile &m) {
                 return n + m.copies;
             }));
    // The bar is on the first sheet of maptiles whenever there are marks and it fits inside the margins.
    const bool barFits = printable.width() >= SheetLayout::ScaleBarBox.width()
        && printable.height() >= SheetLayout::ScaleBarBox.height();
    QCOMPARE(printable.contains(layout.scaleBar()), s.cropMarks && barFits && !maptiles.isEmpty());
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
        QTest::addColumn<bool>("shift"); // read as a shift, which may be negative
        QTest::addColumn<int>("units"); // Refused: refused
        // Inches, points and signed millimetres are the print window's test's.
        const std::pair<const char *, int> good[]{
            {"  6 MM ", 6 * Mm}, {"0.6 cm", 6 * Mm}, {"3.175 mm", SheetLength::PerInch / 8}};
        for (const auto &[text, units] : good)
            QTest::newRow(text) << QString::fromLatin1(text) << false << units;
        for (const char *bad : {"", "6", "6px", "6,5mm", "1e3mm", "6 6 mm", "2000mm", "99999999999999999999in"})
            QTest::newRow(bad) << QString::fromLatin1(bad) << false << Refused;
        QTest::newRow("shift +0.1in") << u"+0.1in"_s << true << SheetLength::PerInch / 10;
        QTest::newRow("shift -2000mm") << u"-2000mm"_s << true << Refused;
    }
    void lengths()
    {
        QFETCH(QString, text);
        QFETCH(bool, shift);
        QFETCH(int, units);
        QString error;
        const std::optional<SheetLength> length =
            shift ? SheetLength::parseSigned(text, &error) : SheetLength::parse(text, &error);
        QCOMPARE(length ? length->units() : Refused, units);
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
        const SheetSettings a4 = settings(u"a4"_s), a3 = settings(u"a3"_s);
        const auto row = [](const char *tag, const SheetSettings &s, const QList<QSize> &pixels, int sheets,
                            bool turns = false) { QTest::newRow(tag) << s << pixels << sheets << turns; };
        row("A4: two 3x3 share", a4, {s33, s33}, 1);
        row("A4: a third begins another", a4, {s33, s33, s33}, 2);
        row("A3: a seventh begins another", a3, QList<QSize>(7, s33), 2);
        row("A4: no turn saves a sheet", a4, {spaces(4, 6), spaces(3, 4)}, 2);
        row("A4: fits only turned", a4, {QSize(1000, 700)}, 1, true);
        row("A4: bleed 10 mm still two", settings(u"a4"_s, false, 6, 3, 10), {s33, s33}, 1);
        row("A4: bleed 20 mm parts them", settings(u"a4"_s, false, 6, 3, 20), {s33, s33}, 2);
        row("A4: wide margins, one a sheet", settings(u"a4"_s, false, 40), {s33, s33}, 2);
        row("A4: narrower than the bar", settings(u"a4"_s, false, 90), {QSize(96, 96)}, 1);
        // A picture filling the printable area leaves the bar no room: the first sheet keeps it alone.
        row("A4: full pictures", a4, QList<QSize>(2, QSize(748, 1075)), 3);
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
        SheetSettings s = settings(papers[seed % papers.size()], seed % 3 == 0, random.bounded(0, 11),
                                   random.bounded(0, 8), seed % 2 ? random.bounded(0, 4) : 0, seed % 5 != 0);
        s.cutLines = seed % 4 == 1 ? SheetSettings::CutLines::Full : SheetSettings::CutLines::Corners;
        s.flip = seed % 7 < 3 ? SheetSettings::Flip::ShortEdge : SheetSettings::Flip::LongEdge;
        s.calibration = seed % 6 == 0;
        // Within the margins an offset never pushes a back off the paper.
        const int reach = s.margin.units();
        s.backOffsetX = SheetLength::fromUnits(random.bounded(-reach, reach + 1));
        s.backOffsetY = SheetLength::fromUnits(random.bounded(-reach, reach + 1));
        QList<SheetMaptile> maptiles;
        for (int i = random.bounded(1, 30); i > 0; --i) {
            // Whole spaces mostly, sometimes another program's picture.
            const QSize pixels = random.bounded(4) == 0 ? QSize(random.bounded(40, 700), random.bounded(40, 700))
                                                        : spaces(random.bounded(3, 6), random.bounded(3, 7));
            maptiles.append({u"m%1"_s.arg(i), pixels, random.bounded(1, 4), seed % 2 ? -1 : random.bounded(-1, 3)});
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
    // What the command line hands over as typed: the settings that come of it, or a one-sentence refusal.
    void typedOptions_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result"); // empty: refused
        const QList<std::array<const char *, 3>> rows{{"cut-lines", "FULL", "marks full"},
                                                      {"cut-lines", "corners", "marks corners"},
                                                      {"cut-lines", "none", "none"},
                                                      {"cut-lines", "dotted", ""},
                                                      {"flip", " Long ", "long"},
                                                      {"flip", "sideways", ""},
                                                      {"back-offset", "-0.1in, 2pt", "-7315,2032"},
                                                      {"back-offset", "1mm", ""},
                                                      {"back-offset", "1mm,-2000mm", ""},
                                                      {"back-offset", "1,2", ""},
                                                      {"back", "a=b=c.png", "a > b=c.png"},
                                                      {"back", "a.ora=", ""},
                                                      {"back", "a.ora", ""}};
        for (const auto &[option, text, result] : rows)
            QTest::newRow(qPrintable(u"--%1 %2"_s.arg(QLatin1String(option), QLatin1String(text))))
                << QString::fromLatin1(option) << QString::fromLatin1(text) << QString::fromLatin1(result);
    }
    void typedOptions()
    {
        QFETCH(QString, option);
        QFETCH(QString, text);
        SheetSettings s;
        QString error;
        bool read = false;
        QString result;
        if (option == u"cut-lines"_s) {
            s.cutLines = SheetSettings::CutLines::Full; // "corners" must set it back
            read = s.readCutLines(text, &error);
            result = !s.cropMarks                             ? u"none"_s
                : s.cutLines == SheetSettings::CutLines::Full ? u"marks full"_s
                                                              : u"marks corners"_s;
        } else if (option == u"flip"_s) {
            s.flip = SheetSettings::Flip::ShortEdge;
            read = s.readFlip(text, &error);
            result = s.flip == SheetSettings::Flip::LongEdge ? u"long"_s : u"short"_s;
        } else if (option == u"back-offset"_s) {
            read = s.readBackOffset(text, &error);
            result = u"%1,%2"_s.arg(s.backOffsetX.units()).arg(s.backOffsetY.units());
        } else {
            read = s.readOwnBack(text, &error);
            result = s.ownBacks.isEmpty() ? QString() : s.ownBacks[0].document + u" > "_s + s.ownBacks[0].file;
        }
        QTEST(read ? result : QString(), "result");
        if (!read)
            QVERIFY2(error.endsWith(u'.') && !error.contains(u'\n') && error.size() > 10, qPrintable(error));
    }

    // Each back file read once however many maptiles share it; an own back wins over the one for all.
    void backsOfDocuments_data()
    {
        QTest::addColumn<QStringList>("documents");
        QTest::addColumn<QString>("forAll");
        QTest::addColumn<QStringList>("own"); // DOCUMENT=FILE
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<int>>("of");
        QTest::addColumn<QString>("refusal");
        const QStringList three{u"a.ora"_s, u"maps/b.ora"_s, u"c.ora"_s};
        QTest::newRow("none") << three << QString() << QStringList() << QStringList() << QList{-1, -1, -1} << QString();
        QTest::newRow("one for all") << three << u"back.png"_s << QStringList() << QStringList{u"back.png"_s}
                                     << QList{0, 0, 0} << QString();
        QTest::newRow("own over all, the same file once")
            << three << u"back.png"_s << QStringList{u"maps/../maps/b.ora=stone.png"_s, u"c.ora=./back.png"_s}
            << QStringList{u"back.png"_s, u"stone.png"_s} << QList{0, 1, 0} << QString();
        QTest::newRow("own only") << three << QString() << QStringList{u"c.ora=stone.png"_s}
                                  << QStringList{u"stone.png"_s} << QList{-1, -1, 0} << QString();
        QTest::newRow("a document listed twice has its back twice")
            << QStringList{u"a.ora"_s, u"a.ora"_s} << QString() << QStringList{u"a.ora=stone.png"_s}
            << QStringList{u"stone.png"_s} << QList{0, 0} << QString();
        QTest::newRow("two backs for one")
            << three << QString() << QStringList{u"a.ora=stone.png"_s, u"./a.ora=wood.png"_s} << QStringList()
            << QList<int>() << u"./a.ora"_s;
    }
    void backsOfDocuments()
    {
        QFETCH(QStringList, documents);
        QFETCH(QString, refusal);
        SheetSettings s;
        QFETCH(QString, forAll);
        s.backForAll = forAll;
        QFETCH(QStringList, own);
        for (const QString &text : std::as_const(own))
            QVERIFY(s.readOwnBack(text, nullptr));
        QString error;
        const std::optional<SheetSettings::Backs> backs = s.backsFor(documents, &error);
        if (!refusal.isEmpty()) {
            QVERIFY2(!backs && error.contains(refusal) && error.endsWith(u'.'), qPrintable(error));
            return;
        }
        QVERIFY2(backs, qPrintable(error));
        QTEST(backs->files, "files");
        QTEST(backs->of, "of");
    }

    void refusals_data()
    {
        QTest::addColumn<SheetMaptile>("maptile");
        QTest::addColumn<SheetSettings>("settings");
        QTest::addColumn<QString>("says"); // part of the reason
        QTest::newRow("margins leave too little")
            << SheetMaptile{u"fine.ora"_s, QSize(432, 432), 1} << settings(u"a4"_s, false, 50) << u"fine.ora"_s;
        QTest::newRow("endless copies") << SheetMaptile{u"many.ora"_s, QSize(432, 432), 100000} << settings(u"a4"_s)
                                        << u"many.ora"_s;
        QTest::newRow("no picture") << SheetMaptile{u"empty.ora"_s, QSize(0, 432), 1} << settings(u"a4"_s)
                                    << u"empty.ora"_s;
        SheetSettings calibrated = settings(u"a4"_s, false, 31);
        calibrated.calibration = true;
        QTest::newRow("calibration without room")
            << SheetMaptile{u"fine.ora"_s, QSize(432, 432), 1} << calibrated << u"150.0 × 150.0 mm"_s;
        // A 5 x 6 fills A4 but for 2 mm above and below: a back moved 3 mm falls off the paper.
        SheetSettings shifted = settings(u"a4"_s, false, 2);
        shifted.backOffsetY = *SheetLength::parseSigned(u"-3mm"_s);
        QTest::newRow("offset pushes a back off") << SheetMaptile{u"tall.ora"_s, spaces(5, 6), 1, 0} << shifted
                                                  << u"-3.0 mm down pushes the back of tall.ora"_s;
        shifted.backOffsetY = SheetLength::fromUnits(-30 * Mm);
        shifted.calibration = true;
        shifted.margin = SheetLength::fromUnits(6 * Mm);
        QTest::newRow("offset pushes the scales off")
            << SheetMaptile{u"small.ora"_s, spaces(3, 3), 1} << shifted << u"scales of the calibration sheet"_s;
    }
    void refusals()
    {
        QFETCH(SheetMaptile, maptile);
        QFETCH(SheetSettings, settings);
        QFETCH(QString, says);
        const SheetLayout layout({maptile}, settings);
        QCOMPARE(layout.sheetCount(), 0);
        const QString error = layout.error();
        QVERIFY2(error.contains(says) && error.endsWith(u'.') && !error.contains(u'\n'), qPrintable(error));
    }
};

QTEST_MAIN(TestSheetLayout)
#include "tst_sheetlayout.moc"
