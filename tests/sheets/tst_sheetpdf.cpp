#include "sheets/SheetLayout.h"
#include "sheets/SheetOutput.h"
#include "support/TestImages.h"

#include <QBuffer>
#include <QtTest>

#include <numeric>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SheetMaptile)
Q_DECLARE_METATYPE(SheetSettings)

namespace {

constexpr int Dpi = 192; // two dots of a rendered page to a picture pixel
// Marks each picture's top-left corner, so a turn shows which way it went. Its blends with
// the pictures' colours, which run from red to blue, are never grey like ink.
const QRgb Corner = qRgb(0, 140, 0);
const QRect CornerBlock(8, 8, 32, 16);

QRgb colourOf(int maptile)
{
    return QColor::fromHsv(maptile * 47 % 220, 220, 230).rgb();
}

int distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// Ink of a crop mark or the scale bar: dark and without colour.
bool black(QRgb c)
{
    return qGray(c) < 160 && std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) < 24;
}

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

QRectF dots(const QRect &units)
{
    return QTransform::fromScale(qreal(Dpi) / SheetLength::PerInch, qreal(Dpi) / SheetLength::PerInch)
        .mapRect(QRectF(units));
}

QString run(const QString &program, const QStringList &arguments, QString *errors = nullptr)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(program), arguments);
    process.waitForFinished(120000);
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Whether the catalog, as the file's last cross-reference section leads to it, asks viewers to print at actual size.
bool asksForActualSize(const QByteArray &pdf)
{
    static const QRegularExpression number(u"\\d+"_s), root(u"/Root\\s+(\\d+)\\s+(\\d+)\\s+R"_s),
        prev(u"/Prev\\s+(\\d+)"_s);
    const QString text = QString::fromLatin1(pdf);
    qsizetype section = number.match(text, text.lastIndexOf(u"startxref"_s)).captured().toLongLong();
    for (int hops = 0; hops < 10 && text.mid(section, 4) == u"xref"_s; ++hops) {
        const qsizetype trailer = text.indexOf(u"trailer"_s, section);
        const QString dictionary = text.mid(trailer, text.indexOf(u">>"_s, trailer) - trailer);
        const QRegularExpressionMatch catalog = root.match(dictionary);
        const QStringList lines = text.mid(section, trailer - section).split(u'\n');
        for (int i = 1; i < lines.size() && catalog.hasMatch();) {
            const QStringList range = lines[i].simplified().split(u' ');
            if (range.size() != 2)
                break;
            const int first = range[0].toInt(), count = range[1].toInt();
            const int object = catalog.captured(1).toInt();
            if (object >= first && object < first + count) {
                const qsizetype at = lines[i + 1 + object - first].left(10).toLongLong();
                const QString body = text.mid(at, text.indexOf(u"endobj"_s, at) - at);
                return body.startsWith(catalog.captured(1) + u' ' + catalog.captured(2) + u" obj"_s)
                    && body.contains(u"/ViewerPreferences << /PrintScaling /None >>"_s);
            }
            i += 1 + count;
        }
        const QRegularExpressionMatch earlier = prev.match(dictionary);
        if (!earlier.hasMatch())
            break;
        section = earlier.captured(1).toLongLong();
    }
    return false;
}

SheetSettings settings(const QString &paper, bool landscape = false, int bleedMm = 0, bool cropMarks = true)
{
    SheetSettings s;
    s.paper = *SheetSettings::paperNamed(paper);
    s.orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    s.bleed = SheetLength::fromUnits(bleedMm * SheetLength::PerMillimetre);
    s.cropMarks = cropMarks;
    return s;
}

// Writes the layout's PDF into folder, and its pages as poppler renders them at Dpi. Every one
// is read by poppler without complaint and asks viewers to print it at actual size.
void writeAndRender(const SheetLayout &layout, const SheetOutput::Images &images, const QString &folder,
                    QList<QImage> *pages, const SheetOutput::Images &backs = {})
{
    QFile file(QDir(folder).filePath(u"sheets.pdf"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QString error = SheetOutput::writePdf(file, layout, images, u"sheets"_s, backs);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    file.close();
    QString complaints;
    run(u"pdftoppm"_s, {u"-r"_s, QString::number(Dpi), u"-png"_s, file.fileName(), QDir(folder).filePath(u"page"_s)},
        &complaints);
    QVERIFY2(complaints.isEmpty(), qPrintable(complaints));
    QVERIFY(asksForActualSize(TestImages::readAll(file.fileName())));
    // Numbered with as many digits as the last page's number has.
    for (const QString &name : QDir(folder).entryList({u"page-*.png"_s}, QDir::Files, QDir::Name))
        *pages << QImage(QDir(folder).filePath(name)).convertToFormat(QImage::Format_RGB32);
}

// The distance between the centres of the scale bar's end ticks, which rise
// above its line, measured in the bar's box; and whether a label stands above.
qreal scaleBarLength(const QImage &page, const QRect &box, bool *labelled)
{
    QList<int> inked;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        inked << 0;
        for (int x = box.left(); x <= box.right(); ++x)
            inked.last() += black(page.pixel(x, y));
    }
    const int row = box.top() + int(std::max_element(inked.cbegin(), inked.cend()) - inked.cbegin());
    *labelled = std::accumulate(inked.cbegin(), inked.cbegin() + inked.size() / 2, 0) > 50;
    const auto centre = [&](int from) {
        qreal sum = 0, count = 0;
        for (int x = from; x < from + 8; ++x)
            if (black(page.pixel(x, row - 6)))
                sum += x, ++count;
        return sum / std::max<qreal>(count, 1);
    };
    return centre(box.right() - 7) - centre(box.left());
}

bool closeTo(const QRect &measured, const QRectF &expected, qreal within = 2)
{
    return std::abs(measured.left() - expected.left()) <= within && std::abs(measured.top() - expected.top()) <= within
        && std::abs(measured.right() + 1 - expected.right()) <= within
        && std::abs(measured.bottom() + 1 - expected.bottom()) <= within;
}

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

// Where a rectangle of the front, in dots, lies on the back as printed; mirrored and shifted as the
// settings say, worked out here on their own.
QRectF behind(const QRectF &r, const SheetSettings &s)
{
    const QRectF paper = dots(QRect(QPoint(), s.paperUnits()));
    const bool across = (s.flip == SheetSettings::Flip::LongEdge) == (paper.width() <= paper.height());
    const QPointF mirrored = across ? QPointF(paper.width() - r.right(), r.top()) : QPointF(r.left(), paper.height() - r.bottom());
    return QRectF(mirrored + dots(QRect(s.backOffsetX.units(), s.backOffsetY.units(), 0, 0)).topLeft(), r.size());
}

// The straight strokes of a page as pdftocairo draws them in SVG, in points from the page's corner.
QList<QLineF> strokes(const QString &pdf, int page, const QString &folder)
{
    const QString svg = QDir(folder).filePath(u"page.svg"_s);
    const QString n = QString::number(page);
    run(u"pdftocairo"_s, {u"-svg"_s, u"-f"_s, n, u"-l"_s, n, pdf, svg});
    static const QRegularExpression path(u"<path style=\"fill:none;[^\"]*\" d=\"([^\"]*)\"(?: transform=\"matrix\\(([^)]*)\\)\")?"_s),
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
            return TestImages::make(owner->pixels, [&](int x, int y) {
                return CornerBlock.contains(x, y) ? backCorner : backColour(b);
            });
        };
        QTemporaryDir folder;
        QList<QImage> pages;
        writeAndRender(layout, front, folder.path(), &pages, back);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pages.size(), layout.sheetCount());
        const qreal bleed = settings.bleed.toInches() * Dpi;
        for (int sheet = 0; sheet < pages.size(); sheet += 2) {
            QVERIFY(layout.kind(sheet) == SheetLayout::Kind::Fronts && layout.kind(sheet + 1) == SheetLayout::Kind::Backs);
            for (const SheetPlacement &p : layout.placements(sheet)) {
                const QRectF cut = dots(p.cut), area = cut.adjusted(-bleed, -bleed, bleed, bleed);
                QVERIFY(closeTo(extent(pages[sheet], cut.center().toPoint(), colourOf(p.maptile)), area, 1));
                const int b = maptiles[p.maptile].back;
                const QRectF expected = behind(area, settings);
                const QPoint middle = expected.center().toPoint();
                if (b < 0) {
                    QCOMPARE(pages[sheet + 1].pixel(middle), qRgb(255, 255, 255));
                    continue;
                }
                const QRect measured = extent(pages[sheet + 1], middle, backColour(b));
                QVERIFY2(closeTo(measured, expected, 1),
                         qPrintable(u"sheet %1: a back at %2, %3 %4 x %5, not %6, %7"_s.arg(sheet + 2)
                                        .arg(measured.x()).arg(measured.y()).arg(measured.width()).arg(measured.height())
                                        .arg(expected.x()).arg(expected.y())));
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
        const QImage banded = TestImages::make({300, 100}, [&](int x, int) { return x < 100 ? red : x < 200 ? green : blue; });
        QTemporaryDir folder;
        QList<QImage> pages;
        writeAndRender(
            layout, [](int, QString *) { return TestImages::solid({432, 432}, qRgb(90, 90, 220)); }, folder.path(),
            &pages, [&](int, QString *) { return banded; });
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(pages.size(), 6);
        for (int sheet = 1; sheet < pages.size(); sheet += 2)
            for (const SheetPlacement &p : layout.placements(sheet)) {
                const QRect inside = dots(p.cut).toAlignedRect().adjusted(3, 3, -3, -3);
                for (int y = inside.top(); y <= inside.bottom(); y += 7)
                    for (int x = inside.left(); x <= inside.right(); x += 7)
                        QVERIFY2(distance(pages[sheet].pixel(x, y), green) <= 12, "the back is not cropped to its centre");
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
        constexpr qreal Point = SheetLength::PerPoint;
        for (int sheet = 0; sheet < layout.sheetCount(); ++sheet) {
            const QList<QLineF> lines = strokes(file, sheet + 1, folder.path());
            QVERIFY(lines.size() >= layout.cropMarks(sheet).size());
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QLineF &a = lines[i];
                // A cut line never crosses a picture.
                for (const SheetPlacement &p : layout.placements(sheet)) {
                    const QRectF picture(p.cut.x() / Point, p.cut.y() / Point, p.cut.width() / Point,
                                         p.cut.height() / Point);
                    const QRectF ink = QRectF(a.p1(), a.p2()).normalized().adjusted(-0.2, -0.2, 0.2, 0.2);
                    QVERIFY2(!picture.adjusted(0.1, 0.1, -0.1, -0.1).intersects(ink), "a line over a picture");
                }
                for (qsizetype j = i + 1; j < lines.size(); ++j) {
                    const QLineF &b = lines[j];
                    const bool vertical = std::abs(a.dx()) < 0.01;
                    if (vertical != (std::abs(b.dx()) < 0.01)
                        || std::abs(vertical ? a.x1() - b.x1() : a.y1() - b.y1()) > 0.05
                        || (!vertical && std::abs(a.dy()) > 0.01))
                        continue;
                    const auto span = [vertical](const QLineF &l) {
                        const qreal p = vertical ? l.y1() : l.x1(), q = vertical ? l.y2() : l.x2();
                        return std::pair(std::min(p, q), std::max(p, q));
                    };
                    const auto [from, to] = span(a);
                    const auto [otherFrom, otherTo] = span(b);
                    QVERIFY2(std::min(to, otherTo) - std::max(from, otherFrom) < 0.1,
                             qPrintable(u"sheet %1: a line drawn twice at %2, %3"_s.arg(sheet + 1).arg(a.x1()).arg(a.y1())));
                }
            }
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
