#pragma once

#include "sheets/SheetOutput.h"
#include "sheets/SheetSettings.h"

#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

class SheetLayout;

// Sheets written as PDF and read back through poppler's programs, for the
// tests that measure them on the page.
namespace SheetPages {

constexpr int Dpi = 192; // two dots of a rendered page to a picture pixel
// Marks each picture's top-left corner, so a turn shows which way it went. Its blends with
// the pictures' colours, which run from red to blue, are never grey like ink.
inline const QRgb Corner = qRgb(0, 140, 0);
inline const QRect CornerBlock(8, 8, 32, 16);

QRgb colourOf(int maptile);
int distance(QRgb a, QRgb b);
// Ink of a crop mark or the scale bar: dark and without colour.
bool black(QRgb c);
// A rectangle in SheetLength units as dots of a page rendered at Dpi.
QRectF dots(const QRect &units);
bool closeTo(const QRect &measured, const QRectF &expected, qreal within = 2);
// Runs program, waited for; its standard output, and its standard error in errors.
QString run(const QString &program, const QStringList &arguments, QString *errors = nullptr);
SheetSettings settings(const QString &paper, bool landscape = false, int bleedMm = 0, bool cropMarks = true);
// Whether the catalog, as the file's last cross-reference section leads to it, asks viewers to print at actual size.
bool asksForActualSize(const QByteArray &pdf);
// Writes the layout's PDF into folder, and its pages as poppler renders them at Dpi. Every one
// is read by poppler without complaint and asks viewers to print it at actual size.
void writeAndRender(const SheetLayout &layout, const SheetOutput::Images &images, const QString &folder,
                    QList<QImage> *pages, const SheetOutput::Images &backs = {});
// Where a front's rectangle lies on the back as printed, worked out here on its own: turned
// over by the long edge, a sheet taller than wide mirrors left to right; then shifted.
QRect behind(const QRect &front, const SheetSettings &s);
// Whether two of the lines lie along the same line and share more than within of their length.
bool drawnTwice(const QList<QLineF> &lines, qreal within);
// The distance between the centres of the scale bar's end ticks, which rise
// above its line, measured in the bar's box; and whether a label stands above.
qreal scaleBarLength(const QImage &page, const QRect &box, bool *labelled);

} // namespace SheetPages
