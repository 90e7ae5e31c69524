#include "support/SheetPages.h"

#include "sheets/SheetLayout.h"
#include "support/TestImages.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <numeric>

using namespace Qt::StringLiterals;

namespace SheetPages {

QRgb colourOf(int maptile)
{
    return QColor::fromHsv(maptile * 47 % 220, 220, 230).rgb();
}

int distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

bool black(QRgb c)
{
    return qGray(c) < 160 && std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) < 24;
}

QRectF dots(const QRect &units)
{
    return QTransform::fromScale(qreal(Dpi) / SheetLength::PerInch, qreal(Dpi) / SheetLength::PerInch)
        .mapRect(QRectF(units));
}

QString run(const QString &program, const QStringList &arguments, QString *errors)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(program), arguments);
    process.waitForFinished(120000);
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

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

SheetSettings settings(const QString &paper, bool landscape, int bleedMm, bool cropMarks)
{
    SheetSettings s;
    s.paper = *SheetSettings::paperNamed(paper);
    s.orientation = landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    s.bleed = SheetLength::fromUnits(bleedMm * SheetLength::PerMillimetre);
    s.cropMarks = cropMarks;
    return s;
}

void writeAndRender(const SheetLayout &layout, const SheetOutput::Images &images, const QString &folder,
                    QList<QImage> *pages, const SheetOutput::Images &backs)
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

bool closeTo(const QRect &measured, const QRectF &expected, qreal within)
{
    return std::abs(measured.left() - expected.left()) <= within && std::abs(measured.top() - expected.top()) <= within
        && std::abs(measured.right() + 1 - expected.right()) <= within
        && std::abs(measured.bottom() + 1 - expected.bottom()) <= within;
}

QRect behind(const QRect &r, const SheetSettings &s)
{
    const QSize paper = s.paperUnits();
    const bool across = (s.flip == SheetSettings::Flip::LongEdge) == (paper.width() <= paper.height());
    const QPoint mirrored =
        across ? QPoint(paper.width() - r.x() - r.width(), r.y()) : QPoint(r.x(), paper.height() - r.y() - r.height());
    return QRect(mirrored + QPoint(s.backOffsetX.units(), s.backOffsetY.units()), r.size());
}

bool drawnTwice(const QList<QLineF> &lines, qreal within)
{
    const auto span = [](const QLineF &l, bool vertical) {
        const qreal p = vertical ? l.y1() : l.x1(), q = vertical ? l.y2() : l.x2();
        return std::pair(std::min(p, q), std::max(p, q));
    };
    for (qsizetype i = 0; i < lines.size(); ++i)
        for (qsizetype j = i + 1; j < lines.size(); ++j) {
            const QLineF &a = lines[i], &b = lines[j];
            const bool vertical = std::abs(a.dx()) < within;
            if (vertical != (std::abs(b.dx()) < within)
                || std::abs(vertical ? a.x1() - b.x1() : a.y1() - b.y1()) > within)
                continue;
            const auto [from, to] = span(a, vertical);
            const auto [otherFrom, otherTo] = span(b, vertical);
            if (std::min(to, otherTo) - std::max(from, otherFrom) > within)
                return true;
        }
    return false;
}

} // namespace SheetPages
