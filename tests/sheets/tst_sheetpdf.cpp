#include "sheets/SheetLayout.h"
#include "sheets/SheetOutput.h"
#include "support/TestImages.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QtTest>

#include <queue>

using namespace Qt::StringLiterals;

namespace {

constexpr int Mm = SheetLength::PerMillimetre;
constexpr int Dpi = 192; // two dots of the rendered page to a picture pixel
// Marks each picture's top-left corner, so a turn shows which way it went.
// Its blends with the pictures' colours, which span red to blue, are never grey like ink.
const QRgb Corner = qRgb(0, 140, 0);
const QRect CornerBlock(8, 8, 32, 16); // picture pixels

QRgb colourOf(int maptile)
{
    return QColor::fromHsv(maptile * 47 % 220, 220, 230).rgb();
}

QImage pictureOf(int maptile, QSize pixels)
{
    return TestImages::make(pixels, [&](int x, int y) {
        return CornerBlock.contains(x, y) ? Corner : colourOf(maptile);
    });
}

bool near(QRgb a, QRgb b, int within = 3)
{
    return std::abs(qRed(a) - qRed(b)) <= within && std::abs(qGreen(a) - qGreen(b)) <= within
        && std::abs(qBlue(a) - qBlue(b)) <= within;
}

// Whether c lies between colours a and b, as a page rendered with smoothing blends them.
bool between(QRgb c, QRgb a, QRgb b, int within = 12)
{
    const int d[3] = {qRed(b) - qRed(a), qGreen(b) - qGreen(a), qBlue(b) - qBlue(a)};
    const int p[3] = {qRed(c) - qRed(a), qGreen(c) - qGreen(a), qBlue(c) - qBlue(a)};
    const qreal length = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    const qreal t = std::clamp((p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) / length, 0.0, 1.0);
    qreal off = 0;
    for (int i = 0; i < 3; ++i)
        off += (p[i] - t * d[i]) * (p[i] - t * d[i]);
    return off <= within * within;
}

// Ink of a crop mark, the scale bar or its label: dark and without colour.
bool black(QRgb c)
{
    return qGray(c) < 160 && std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) < 24;
}

// A rectangle in SheetLength units on the rendered page.
QRectF dots(const QRect &units)
{
    const qreal k = qreal(Dpi) / SheetLength::PerInch;
    return QRectF(units.x() * k, units.y() * k, units.width() * k, units.height() * k);
}

QString run(const QString &program, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return {};
    QProcess process;
    process.start(path, arguments);
    process.waitForFinished(120000);
    return process.exitCode() == 0 ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

SheetSettings settings(const QString &paper, bool landscape = false, int bleedMm = 0, bool cropMarks = true)
{
    SheetSettings s;
    s.paper = *SheetSettings::paperNamed(paper);
    s.orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    s.bleed = SheetLength::fromUnits(bleedMm * Mm);
    s.cropMarks = cropMarks;
    return s;
}

struct Sheets {
    QString pdf;
    QList<QImage> pages; // rendered at Dpi
};

// Writes the layout's PDF into folder and renders its pages with poppler.
Sheets writeAndRender(const SheetLayout &layout, const SheetOutput::Images &images, const QString &folder)
{
    Sheets sheets{QDir(folder).filePath(u"sheets.pdf"_s), {}};
    QFile file(sheets.pdf);
    if (!file.open(QIODevice::WriteOnly))
        return sheets;
    const QString error = SheetOutput::writePdf(file, layout, images);
    file.close();
    if (!error.isEmpty()) {
        qWarning("%s", qPrintable(error));
        return sheets;
    }
    run(u"pdftoppm"_s, {u"-r"_s, QString::number(Dpi), u"-png"_s, sheets.pdf, QDir(folder).filePath(u"page"_s)});
    QStringList names = QDir(folder).entryList({u"page-*.png"_s}, QDir::Files);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.mid(5).chopped(4).toInt() < b.mid(5).chopped(4).toInt();
    });
    for (const QString &name : std::as_const(names))
        sheets.pages << QImage(QDir(folder).filePath(name)).convertToFormat(QImage::Format_RGB32);
    return sheets;
}

SheetOutput::Images picturesFor(const SheetLayout &layout)
{
    return [&layout](int maptile, QString *) { return pictureOf(maptile, layout.maptiles()[maptile].pixels); };
}

// The bounding boxes of the areas of one colour on a page, each area joined side by side.
QList<QRect> areasOf(const QImage &page, QRgb colour)
{
    const int w = page.width(), h = page.height();
    QList<bool> seen(qsizetype(w) * h, false);
    QList<QRect> areas;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (seen[qsizetype(y) * w + x] || !near(page.pixel(x, y), colour))
                continue;
            QRect box(x, y, 1, 1);
            std::queue<QPoint> todo;
            todo.push({x, y});
            seen[qsizetype(y) * w + x] = true;
            while (!todo.empty()) {
                const QPoint p = todo.front();
                todo.pop();
                box |= QRect(p, QSize(1, 1));
                for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + step;
                    if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h || seen[qsizetype(q.y()) * w + q.x()])
                        continue;
                    if (near(page.pixel(q), colour)) {
                        seen[qsizetype(q.y()) * w + q.x()] = true;
                        todo.push(q);
                    }
                }
            }
            areas << box;
        }
    }
    return areas;
}

bool closeTo(const QRect &measured, const QRectF &expected, qreal within = 2)
{
    return std::abs(measured.left() - expected.left()) <= within
        && std::abs(measured.right() + 1 - expected.right()) <= within
        && std::abs(measured.top() - expected.top()) <= within
        && std::abs(measured.bottom() + 1 - expected.bottom()) <= within;
}

QString describe(const QRect &r)
{
    return u"(%1, %2 %3x%4)"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

// Sheets written as PDF and read back by poppler: where every picture lands,
// its size to the dot, bleed and crop marks, the scale bar, the pictures
// the file holds, and what is fetched and let go on the way.
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
        QTest::addColumn<QString>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("bleedMm");
        QTest::addColumn<bool>("cropMarks");
        QTest::addColumn<QList<SheetMaptile>>("maptiles");
        QTest::addColumn<int>("sheets");
        const auto spaces = [](int w, int h, int copies = 1) {
            return SheetMaptile{u"%1x%2"_s.arg(w).arg(h), QSize(w, h) * 144, copies};
        };
        QTest::newRow("A4, two 3x3") << "a4" << false << 0 << true << QList{spaces(3, 3), spaces(3, 3)} << 1;
        QTest::newRow("A4, five with a turn") << "a4" << false << 0 << true
                                              << QList{spaces(3, 3), spaces(3, 3), spaces(5, 6), spaces(4, 4), spaces(3, 5)}
                                              << 3;
        QTest::newRow("A3, six copies") << "a3" << false << 0 << true << QList{spaces(3, 3, 6)} << 1;
        QTest::newRow("Letter landscape, bleed") << "letter" << true << 3 << true
                                                 << QList{spaces(3, 4, 2), spaces(4, 4)} << 2;
        QTest::newRow("Tabloid, no marks") << "tabloid" << false << 0 << false
                                           << QList{spaces(5, 6), spaces(3, 3), spaces(3, 3)} << 1;
        QTest::newRow("Legal, odd pixel sizes") << "legal" << false << 2 << true
                                                << QList{SheetMaptile{u"a"_s, QSize(301, 203), 1},
                                                         SheetMaptile{u"b"_s, QSize(517, 401), 2}}
                                                << 1;
    }
    void picturesLandWhereLaidOut()
    {
        QFETCH(QString, paper);
        QFETCH(bool, landscape);
        QFETCH(int, bleedMm);
        QFETCH(bool, cropMarks);
        QFETCH(QList<SheetMaptile>, maptiles);
        const SheetLayout layout(maptiles, settings(paper, landscape, bleedMm, cropMarks));
        QVERIFY2(layout.error().isEmpty(), qPrintable(layout.error()));
        QTemporaryDir folder;
        const Sheets sheets = writeAndRender(layout, picturesFor(layout), folder.path());
        QTEST(int(sheets.pages.size()), "sheets");
        QCOMPARE(layout.sheetCount(), sheets.pages.size());

        // Pages are the paper's size, in whole points as PDF pages are.
        const QString info = run(u"pdfinfo"_s, {sheets.pdf});
        const QRegularExpressionMatch size = QRegularExpression(u"Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s).match(info);
        QVERIFY2(size.hasMatch(), qPrintable(info));
        const QSizeF points = QSizeF(layout.paperSize()) / SheetLength::PerPoint;
        QVERIFY(std::abs(size.captured(1).toDouble() - points.width()) <= 0.5);
        QVERIFY(std::abs(size.captured(2).toDouble() - points.height()) <= 0.5);

        const qreal dotsPerMm = Dpi / 25.4, margin = 6 * dotsPerMm, bleed = bleedMm * dotsPerMm;
        for (int sheet = 0; sheet < sheets.pages.size(); ++sheet) {
            const QImage &page = sheets.pages[sheet];
            QList<QRect> pictures;
            int expectedAreas = 0;
            for (int m = 0; m < maptiles.size(); ++m) {
                // Every area of a maptile's colour is one of its copies laid out here, and each copy is one area.
                const QList<QRect> areas = areasOf(page, colourOf(m));
                QList<SheetPlacement> here;
                for (const SheetPlacement &p : layout.placements(sheet))
                    if (p.maptile == m)
                        here << p;
                QCOMPARE(areas.size(), here.size());
                for (const SheetPlacement &p : std::as_const(here)) {
                    const QRectF expected = dots(p.cut).adjusted(-bleed, -bleed, bleed, bleed);
                    const auto found = std::find_if(areas.cbegin(), areas.cend(),
                                                    [&](const QRect &a) { return closeTo(a, expected); });
                    QVERIFY2(found != areas.cend(), qPrintable(u"%1 on sheet %2: expected near %3"_s
                                                                   .arg(maptiles[m].name).arg(sheet + 1)
                                                                   .arg(describe(expected.toRect()))));
                    // Two dots a pixel, and the bleed on each side.
                    const QSize pixels = maptiles[m].pixels * 2;
                    const QSizeF full = QSizeF(p.turned ? pixels.transposed() : pixels) + QSizeF(2 * bleed, 2 * bleed);
                    QVERIFY(std::abs(found->width() - full.width()) <= 2 && std::abs(found->height() - full.height()) <= 2);
                    // Inside the margins.
                    QVERIFY(found->left() >= margin - 1 && found->top() >= margin - 1);
                    QVERIFY(found->right() + 1 <= page.width() - margin + 1 && found->bottom() + 1 <= page.height() - margin + 1);
                    // Nothing else over the picture: its colour or its corner block everywhere inside.
                    const QRect inner = found->adjusted(2, 2, -2, -2);
                    QRect block;
                    for (int y = inner.top(); y <= inner.bottom(); ++y) {
                        for (int x = inner.left(); x <= inner.right(); ++x) {
                            const QRgb c = page.pixel(x, y);
                            if (near(c, Corner, 40))
                                block |= QRect(x, y, 1, 1);
                            else if (!between(c, colourOf(m), Corner))
                                QFAIL(qPrintable(u"sheet %1: foreign ink at (%2, %3)"_s.arg(sheet + 1).arg(x).arg(y)));
                        }
                    }
                    // The corner block lies at the picture's top-left corner, or at the top-right once turned clockwise.
                    const QPoint from = found->topLeft() + QPoint(qRound(bleed), qRound(bleed));
                    const QPoint fromRight(found->right() - qRound(bleed), from.y());
                    const QRect expectedBlock = p.turned
                        ? QRect(fromRight.x() - 2 * CornerBlock.bottom() - 1, from.y() + 2 * CornerBlock.x(), 32, 64)
                        : QRect(from.x() + 2 * CornerBlock.x(), from.y() + 2 * CornerBlock.y(), 64, 32);
                    QVERIFY2(closeTo(block, QRectF(expectedBlock), 3),
                             qPrintable(describe(block) + u" for "_s + describe(expectedBlock)));
                    pictures << *found;
                }
                expectedAreas += here.size();
            }
            QCOMPARE(pictures.size(), int(layout.placements(sheet).size()));
            QCOMPARE(expectedAreas, int(layout.placements(sheet).size()));

            // Marks and the scale bar: black ink, all of it outside every picture, and only when asked for.
            int ink = 0;
            for (int y = 0; y < page.height(); ++y) {
                for (int x = 0; x < page.width(); ++x) {
                    if (!black(page.pixel(x, y)))
                        continue;
                    ++ink;
                    for (const QRect &picture : std::as_const(pictures))
                        if (picture.adjusted(1, 1, -1, -1).contains(x, y))
                            QFAIL(qPrintable(u"sheet %1: ink on a picture at (%2, %3)"_s.arg(sheet + 1).arg(x).arg(y)));
                }
            }
            QCOMPARE(ink > 0, cropMarks);
            // A mark continues each outer cut line beyond the bleed: the top-left corner's, going up.
            if (cropMarks) {
                const QRect &topLeft = *std::min_element(pictures.cbegin(), pictures.cend(), [](const QRect &a, const QRect &b) {
                    return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
                });
                const int x = topLeft.x() + qRound(bleed);
                bool marked = false;
                for (int y = topLeft.y() - 1; y >= std::max(0, topLeft.y() - 50) && !marked; --y)
                    marked = black(page.pixel(x, y)) || black(page.pixel(x + 1, y)) || black(page.pixel(x - 1, y));
                QVERIFY2(marked, qPrintable(u"sheet %1: no mark above %2"_s.arg(sheet + 1).arg(describe(topLeft))));
            }
        }
    }

    void bleedCarriesEdgePixels_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<int>("bleedMm");
        QTest::newRow("upright, 3 mm") << QSize(432, 576) << 3;
        QTest::newRow("upright, 1/8 in") << QSize(432, 432) << 0; // set in inches below
        QTest::newRow("turned, 3 mm") << QSize(1000, 700) << 3;
    }
    void bleedCarriesEdgePixels()
    {
        QFETCH(QSize, pixels);
        QFETCH(int, bleedMm);
        // Each edge its own colour, each corner another, so a stretch from the wrong edge shows.
        const QRgb top = qRgb(200, 40, 40), bottom = qRgb(40, 160, 40), left = qRgb(40, 40, 200),
                   right = qRgb(200, 160, 0), inside = qRgb(120, 200, 220), corner = qRgb(255, 0, 255);
        const QImage picture = TestImages::make(pixels, [&](int x, int y) {
            const bool l = x == 0, r = x == pixels.width() - 1, t = y == 0, b = y == pixels.height() - 1;
            return (l || r) && (t || b) ? corner : t ? top : b ? bottom : l ? left : r ? right : inside;
        });
        SheetSettings s = settings(u"a4"_s, false, bleedMm);
        if (bleedMm == 0)
            s.bleed = *SheetLength::parse(u"0.125in"_s);
        const SheetLayout layout({{u"edges"_s, pixels, 1}}, s);
        QVERIFY2(layout.error().isEmpty(), qPrintable(layout.error()));
        QTemporaryDir folder;
        const Sheets sheets = writeAndRender(layout, [&](int, QString *) { return picture; }, folder.path());
        QCOMPARE(sheets.pages.size(), 1);
        const QImage &page = sheets.pages[0];
        const SheetPlacement &p = layout.placements(0)[0];
        const QRect cut = dots(p.cut).toRect();
        const qreal bleed = s.bleed.toInches() * Dpi;

        // Counted outward from the cut line, on the middle of each side, in the colour of the
        // picture's edge that lies there (a turned picture's top edge is on the right).
        const auto run = [&](QPoint from, QPoint step, QRgb colour) {
            int count = 0;
            for (QPoint at = from; page.rect().contains(at) && near(page.pixel(at), colour, 12); at += step)
                ++count;
            return count;
        };
        const QPoint middle = cut.center();
        struct Side { QPoint from, step; QRgb colour; };
        const Side sides[] = {
            {QPoint(middle.x(), cut.top() - 1), QPoint(0, -1), p.turned ? left : top},
            {QPoint(middle.x(), cut.bottom() + 1), QPoint(0, 1), p.turned ? right : bottom},
            {QPoint(cut.left() - 1, middle.y()), QPoint(-1, 0), p.turned ? bottom : left},
            {QPoint(cut.right() + 1, middle.y()), QPoint(1, 0), p.turned ? top : right},
        };
        for (const Side &side : sides) {
            const int measured = run(side.from, side.step, side.colour);
            QVERIFY2(std::abs(measured - bleed) <= 1.5, qPrintable(u"bleed %1 dots, expected %2"_s.arg(measured).arg(bleed)));
        }
        // The corners of the bleed take the corner pixels.
        for (const QPoint c : {cut.topLeft() + QPoint(-bleed / 2, -bleed / 2), cut.bottomRight() + QPoint(bleed / 2, bleed / 2)})
            QVERIFY(near(page.pixel(c), corner, 12));
        // The crop mark stays outside the bleed, on the cut line.
        bool marked = false;
        for (int y = cut.top() - qRound(bleed) - 1; y > cut.top() - qRound(bleed) - 40 && !marked; --y)
            marked = black(page.pixel(cut.left(), y)) || black(page.pixel(cut.left() + 1, y));
        QVERIFY(marked);
    }

    void scaleBarIsOneSpace()
    {
        const SheetLayout layout({{u"a"_s, QSize(432, 432), 2}}, settings(u"a4"_s));
        QTemporaryDir folder;
        const Sheets sheets = writeAndRender(layout, picturesFor(layout), folder.path());
        QCOMPARE(sheets.pages.size(), 1);
        const QImage &page = sheets.pages[0];
        // The bar is the one long run of ink across a row; crop marks are short.
        int barRow = -1, barLeft = 0, barRight = 0;
        for (int y = 0; y < page.height(); ++y) {
            int runStart = -1;
            for (int x = 0; x <= page.width(); ++x) {
                const bool inked = x < page.width() && black(page.pixel(x, y));
                if (inked && runStart < 0)
                    runStart = x;
                if (!inked && runStart >= 0) {
                    if (x - runStart > 200 && x - runStart > barRight - barLeft) {
                        barRow = y;
                        barLeft = runStart;
                        barRight = x;
                    }
                    runStart = -1;
                }
            }
        }
        QVERIFY2(barRow >= 0, "no scale bar");
        // Its end ticks rise above it; one space, 1.5 inches, lies between their centres.
        const int above = barRow - 6;
        const auto tickCentre = [&](int from, int to) {
            qreal sum = 0;
            int count = 0;
            for (int x = from; x <= to; ++x)
                if (black(page.pixel(x, above))) {
                    sum += x;
                    ++count;
                }
            return count ? sum / count : -1000.0;
        };
        const qreal length = tickCentre(barRight - 4, barRight + 2) - tickCentre(barLeft - 2, barLeft + 4);
        QVERIFY2(std::abs(length - 1.5 * Dpi) <= 1, qPrintable(QString::number(length)));
        // A label stands above it.
        int label = 0;
        for (int y = barRow - 40; y < barRow - 12; ++y)
            for (int x = barLeft; x < barRight; ++x)
                label += black(page.pixel(x, y));
        QVERIFY(label > 50);
    }

    void picturesHeldOnceLosslessly_data()
    {
        QTest::addColumn<int>("bleedMm");
        QTest::newRow("no bleed") << 0;
        QTest::newRow("bleed") << 2;
    }
    void picturesHeldOnceLosslessly()
    {
        QFETCH(int, bleedMm);
        // Noise, which a lossy codec cannot keep.
        const QList<QImage> pictures{TestImages::pattern({432, 432}, 1), TestImages::pattern({576, 720}, 2)};
        const SheetLayout layout({{u"a"_s, pictures[0].size(), 3}, {u"b"_s, pictures[1].size(), 2}}, settings(u"a3"_s, false, bleedMm));
        QTemporaryDir folder;
        const Sheets sheets = writeAndRender(layout, [&](int m, QString *) { return pictures[m]; }, folder.path());
        QVERIFY(!sheets.pages.isEmpty());
        const QStringList lines = run(u"pdfimages"_s, {u"-list"_s, sheets.pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
        QCOMPARE(lines.size(), 5 * (bleedMm ? 5 : 1));
        QSet<QString> objects, pictureObjects;
        for (const QString &line : lines) {
            // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
            const QStringList f = line.simplified().split(u' ');
            QCOMPARE(f[8], u"image"_s); // Flate, not JPEG
            objects << f[10];
            const QSize size(f[3].toInt(), f[4].toInt());
            if (size.width() > 1 && size.height() > 1) {
                QVERIFY(size == pictures[0].size() || size == pictures[1].size());
                QCOMPARE(f[12], u"96"_s);
                QCOMPARE(f[13], u"96"_s);
                pictureObjects << f[10];
            }
        }
        QCOMPARE(pictureObjects.size(), 2);
        QCOMPARE(objects.size(), bleedMm ? 10 : 2);
        // Every picture in the file is one of ours, pixel for pixel.
        run(u"pdfimages"_s, {u"-png"_s, sheets.pdf, QDir(folder.path()).filePath(u"held"_s)});
        int compared = 0;
        for (const QString &name : QDir(folder.path()).entryList({u"held-*.png"_s})) {
            const QImage held = QImage(QDir(folder.path()).filePath(name)).convertToFormat(QImage::Format_RGB32);
            if (held.width() == 1 || held.height() == 1)
                continue;
            QVERIFY(held == pictures[0] || held == pictures[1]);
            ++compared;
        }
        QCOMPARE(compared, 5);
    }

    // However many maptiles, each picture is fetched once when first needed and
    // let go after its last copy, so few are held at any time.
    void picturesFetchedOnceAndLetGo()
    {
        QList<SheetMaptile> maptiles;
        const QList<QSize> sizes{{3, 3}, {5, 6}, {4, 4}, {3, 5}, {4, 5}, {3, 4}};
        for (int i = 0; i < 90; ++i)
            maptiles.append({u"m%1"_s.arg(i), sizes[i % sizes.size()] * 144, 1 + i % 3});
        const SheetLayout layout(maptiles, settings(u"a4"_s, false, 1));
        QVERIFY(layout.error().isEmpty());

        struct Tally {
            int alive = 0, most = 0;
        } tally;
        QList<int> fetched(maptiles.size(), 0);
        const SheetOutput::Images images = [&](int m, QString *) {
            ++fetched[m];
            const QSize size = maptiles[m].pixels;
            auto *bytes = new uchar[size_t(size.width()) * size.height() * 4];
            std::fill_n(bytes, size_t(size.width()) * size.height() * 4, uchar(m));
            tally.most = std::max(tally.most, ++tally.alive);
            // Counts the picture out when the last copy of it goes.
            return QImage(bytes, size.width(), size.height(), QImage::Format_RGB32, [](void *info) {
                auto *t = static_cast<std::pair<Tally *, uchar *> *>(info);
                --t->first->alive;
                delete[] t->second;
                delete t;
            }, new std::pair<Tally *, uchar *>(&tally, bytes));
        };
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QCOMPARE(SheetOutput::writePdf(pdf, layout, images), QString());
        QCOMPARE(fetched, QList<int>(maptiles.size(), 1));
        QCOMPARE(tally.alive, 0);
        // A sheet of A4 holds two of these at most; a picture whose copies run onto the next is held a little longer.
        QVERIFY2(tally.most <= 4, qPrintable(QString::number(tally.most)));
        QVERIFY(layout.sheetCount() > 60);
    }

    void failuresComeBackAsSentences()
    {
        const SheetLayout layout({{u"first.ora"_s, QSize(432, 432), 1}, {u"second.ora"_s, QSize(432, 576), 1}},
                                 settings(u"a4"_s));
        const auto fails = [](const QString &error, const QString &names) {
            return error.contains(names) && error.endsWith(u'.') && !error.contains(u'\n');
        };
        QBuffer device;
        device.open(QIODevice::WriteOnly);
        const QString unreadable = SheetOutput::writePdf(device, layout, [](int m, QString *error) {
            if (m == 1)
                *error = u"the file is damaged."_s;
            return m == 1 ? QImage() : TestImages::solid({432, 432}, qRgb(1, 2, 3));
        });
        QVERIFY2(fails(unreadable, u"second.ora could not be read: the file is damaged"_s), qPrintable(unreadable));
        const QString resized = SheetOutput::writePdf(device, layout, [](int, QString *) {
            return TestImages::solid({432, 432}, qRgb(1, 2, 3));
        });
        QVERIFY2(fails(resized, u"second.ora"_s), qPrintable(resized));

        // A refused layout writes nothing at all.
        QBuffer untouched;
        untouched.open(QIODevice::WriteOnly);
        const SheetLayout refused({{u"huge.ora"_s, QSize(5000, 5000), 1}}, settings(u"a4"_s));
        QVERIFY(fails(SheetOutput::writePdf(untouched, refused, {}), u"huge.ora"_s));
        QVERIFY(untouched.data().isEmpty());
        QVERIFY(fails(SheetOutput::writePdf(untouched, SheetLayout(), {}), QString()));
        QVERIFY(untouched.data().isEmpty());
        QBuffer closed;
        QVERIFY(fails(SheetOutput::writePdf(closed, layout, {}), QString()));
    }
};

QTEST_MAIN(TestSheetPdf)
#include "tst_sheetpdf.moc"
