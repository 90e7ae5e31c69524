#include "sheets/SheetCalibration.h"

#include "sheets/SheetLayout.h"

#include <algorithm>

namespace {

constexpr int Mm = SheetLength::PerMillimetre;
// The rulers' zero stands this far from the printable area's corner, clear
// of the rulers along the other edge; the inch ruler runs this far inside
// the centimetre ruler.
constexpr int RulerStart = 20 * Mm;
constexpr int RulerSpacing = 10 * Mm;
constexpr int NumberHeight = 5 * Mm / 2;
constexpr int NumberDepth = 9 * Mm / 5; // past the shortest ticks
constexpr int CrosshairInset = 32 * Mm;
constexpr int CrosshairArm = 6 * Mm;
constexpr int GridRoom = 45 * Mm; // kept free of the grid along each edge
constexpr int ScaleNumberHeight = 9 * Mm / 5;
constexpr int CaptionHeight = 3 * Mm;

// A box for text of so many characters at height, roughly as wide as they run.
int widthFor(const QString &text, int height)
{
    return int(text.size()) * height * 3 / 5 + height / 2;
}

QString signedNumber(int n)
{
    // A true minus sign: a hyphen reads as a dash beside a scale.
    return n < 0 ? QStringLiteral("\u2212%1").arg(-n) : QStringLiteral("+%1").arg(n);
}

} // namespace

SheetCalibration::SheetCalibration(const QRect &printable)
{
    const QRect &p = printable;
    const int right = p.x() + p.width(), bottom = p.y() + p.height();
    // Along each edge a centimetre ruler, and an inch ruler inside it.
    const struct
    {
        QPoint corner;
        QPoint along, inward;
    } edges[] = {{p.topLeft(), {1, 0}, {0, 1}},
                 {QPoint(p.x(), bottom), {1, 0}, {0, -1}},
                 {p.topLeft(), {0, 1}, {1, 0}},
                 {QPoint(right, p.y()), {0, 1}, {-1, 0}}};
    for (const auto &edge : edges) {
        const QPoint start = edge.corner + edge.along * RulerStart;
        addRuler({start, edge.along, edge.inward, 100 * Mm}, 100, 10, tr("cm"));
        addRuler({start + edge.inward * RulerSpacing, edge.along, edge.inward, 4 * SheetLength::PerInch}, 32, 8,
                 tr("in"));
    }

    // The grid in the middle, the scale bar below it and the caption above.
    const int columns = std::clamp((p.width() - 2 * GridRoom) / (10 * Mm), 2, 10);
    const int rows = std::clamp((p.height() - 2 * GridRoom - 12 * Mm) / (10 * Mm), 2, 10);
    const QPoint middle(p.x() + p.width() / 2, p.y() + p.height() / 2);
    const QRect grid(middle.x() - columns * 5 * Mm, middle.y() - rows * 5 * Mm - 6 * Mm, columns * 10 * Mm,
                     rows * 10 * Mm);
    for (int i = 0; i <= columns; ++i)
        m_front.lines << QLine(grid.x() + i * 10 * Mm, grid.y(), grid.x() + i * 10 * Mm, grid.y() + grid.height());
    for (int i = 0; i <= rows; ++i)
        m_front.lines << QLine(grid.x(), grid.y() + i * 10 * Mm, grid.x() + grid.width(), grid.y() + i * 10 * Mm);
    const QSize bar = SheetLayout::ScaleBarBox;
    m_scaleBar = QRect(QPoint(middle.x() - bar.width() / 2, grid.y() + grid.height() + 4 * Mm), bar);
    const int captionWidth = std::min(p.width() - 2 * RulerStart, 150 * Mm);
    m_front.texts.append(
        {QRect(middle.x() - captionWidth / 2, grid.y() - 4 * Mm - CaptionHeight, captionWidth, CaptionHeight),
         tr("Print both sides at actual size, then hold the sheet up to the light.")});

    for (const QPoint corner : {p.topLeft(), QPoint(right, p.y()), QPoint(p.x(), bottom), QPoint(right, bottom)}) {
        const QPoint centre(corner.x() + (corner.x() == p.x() ? CrosshairInset : -CrosshairInset),
                            corner.y() + (corner.y() == p.y() ? CrosshairInset : -CrosshairInset));
        m_crosshairs << centre;
        m_front.lines << QLine(centre - QPoint(CrosshairArm, 0), centre + QPoint(CrosshairArm, 0))
                      << QLine(centre - QPoint(0, CrosshairArm), centre + QPoint(0, CrosshairArm));
    }
}

void SheetCalibration::addRuler(const Ruler &ruler, int count, int perNumber, const QString &unit)
{
    m_rulers << ruler;
    const int step = ruler.length / count;
    const bool across = ruler.along.x() != 0;
    // A text box beside a tick, depth inward from the ruler's line, reaching toward along.
    const auto box = [&](QPoint at, int towards, const QString &text) {
        const int width = widthFor(text, NumberHeight);
        const int inward = ruler.inward.x() + ruler.inward.y();
        const int from = inward > 0 ? NumberDepth : -NumberDepth - (across ? NumberHeight : width);
        QRect r = across
            ? QRect(at.x() + (towards > 0 ? Mm / 2 : -Mm / 2 - width), at.y() + from, width, NumberHeight)
            : QRect(at.x() + from, at.y() + (towards > 0 ? Mm / 2 : -Mm / 2 - NumberHeight), width, NumberHeight);
        m_front.texts.append({r, text});
    };
    m_front.lines << QLine(ruler.start, ruler.start + ruler.along * ruler.length);
    for (int i = 0; i <= count; ++i) {
        int tick = 3 * Mm / 2;
        if (i == 0 || i == count)
            tick = EndTick;
        else if (i % perNumber == 0)
            tick = 4 * Mm;
        else if (i % (perNumber / 2) == 0)
            tick = 3 * Mm;
        else if (perNumber == 8 && i % 2 == 0)
            tick = 11 * Mm / 5;
        const QPoint at = ruler.start + ruler.along * (i * step);
        m_front.lines << QLine(at, at + ruler.inward * tick);
        if (i % perNumber == 0 && i < count)
            box(at, 1, QString::number(i / perNumber));
    }
    // The last number after its tick would meet the end tick's measure; the unit stands before zero.
    box(ruler.start + ruler.along * ruler.length, -1, QString::number(count / perNumber));
    box(ruler.start, -1, unit);
}

SheetDrawing SheetCalibration::back(const QList<QPoint> &points, QPoint centre, int width)
{
    SheetDrawing drawing;
    for (const QPoint c : points) {
        drawing.lines << QLine(c - QPoint(ScaleReach, 0), c + QPoint(ScaleReach, 0))
                      << QLine(c - QPoint(0, ScaleReach), c + QPoint(0, ScaleReach));
        for (int k = -10; k <= 10; ++k) {
            if (k == 0)
                continue;
            const int tick = k % 5 == 0 ? 2 * Mm : Mm;
            const int at = k * Mm;
            // Ticks above and left of the lines, numbers below and right, so no two meet.
            drawing.lines << QLine(c.x() + at, c.y(), c.x() + at, c.y() - tick)
                          << QLine(c.x(), c.y() + at, c.x() - tick, c.y() + at);
            if (k % 5 != 0)
                continue;
            const QString number = signedNumber(k);
            const int wide = widthFor(number, ScaleNumberHeight);
            drawing.texts.append({QRect(c.x() + at + Mm / 3, c.y() + Mm / 2, wide, ScaleNumberHeight), number});
            drawing.texts.append({QRect(c.x() + Mm / 2, c.y() + at + Mm / 3, wide, ScaleNumberHeight), number});
        }
    }
    drawing.texts.append({QRect(centre.x() - width / 2, centre.y() - CaptionHeight / 2, width, CaptionHeight),
                          tr("Back offset: add the number on each scale where the front's cross shows through, in mm; "
                             "right and down count as +.")});
    return drawing;
}
