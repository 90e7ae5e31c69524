#include "sheets/SheetPainter.h"

#include "sheets/SheetLayout.h"
#include "sheets/SheetPicture.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace {

// The label's letters are this tall, and the label stands this far above the ticks.
constexpr qreal LabelSize = 2.5 * SheetLength::PerMillimetre;
constexpr qreal LabelSpace = 0.5 * SheetLength::PerMillimetre;
constexpr int Cm = 10 * SheetLength::PerMillimetre;

QLineF scaled(const QLineF &line, qreal scale)
{
    return QLineF(line.p1() * scale, line.p2() * scale);
}

void drawPicture(QPainter &painter, const SheetPlacement &placement, const SheetPicture &picture, qreal bleed,
                 qreal scale)
{
    const QImage &image = picture.image();
    const qreal pixel = SheetLength::PerPixel * scale;
    const qreal width = image.width() * pixel, height = image.height() * pixel;
    painter.save();
    // A turned picture's top-left corner lies at the cut's top-right corner.
    const QRect &cut = placement.cut;
    painter.translate((placement.turned ? cut.x() + cut.width() : cut.x()) * scale, cut.y() * scale);
    if (placement.turned)
        painter.rotate(90);
    if (bleed > 0) {
        // Each stretch reaches one pixel under the picture, so no seam shows where they meet.
        painter.drawImage(QRectF(0, -bleed, width, bleed + pixel), picture.edge(Qt::TopEdge));
        painter.drawImage(QRectF(0, height - pixel, width, bleed + pixel), picture.edge(Qt::BottomEdge));
        painter.drawImage(QRectF(-bleed, 0, bleed + pixel, height), picture.edge(Qt::LeftEdge));
        painter.drawImage(QRectF(width - pixel, 0, bleed + pixel, height), picture.edge(Qt::RightEdge));
        painter.fillRect(QRectF(-bleed, -bleed, bleed + pixel, bleed + pixel), picture.corner(0, 0));
        painter.fillRect(QRectF(width - pixel, -bleed, bleed + pixel, bleed + pixel), picture.corner(1, 0));
        painter.fillRect(QRectF(-bleed, height - pixel, bleed + pixel, bleed + pixel), picture.corner(0, 1));
        painter.fillRect(QRectF(width - pixel, height - pixel, bleed + pixel, bleed + pixel), picture.corner(1, 1));
    }
    painter.drawImage(QRectF(0, 0, width, height), image);
    painter.restore();
}

// Text of letters height tall (in the painter's units), made narrower to fit box.
void drawText(QPainter &painter, const QRectF &box, const QString &text, qreal height, Qt::Alignment alignment)
{
    // Point sizes count in the device's own dots per inch, whatever the painter's scale.
    const qreal deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 72;
    QFont font = painter.font();
    font.setPointSizeF(height * 72 / deviceDpi);
    const qreal wide = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
    if (wide > box.width())
        font.setPointSizeF(font.pointSizeF() * box.width() / wide);
    painter.setFont(font);
    painter.drawText(box, alignment | Qt::TextDontClip, text);
}

void drawScaleBar(QPainter &painter, const QRect &box, qreal scale)
{
    const qreal left = box.x() + SheetLayout::MarkWidth / 2.0, right = left + SheetLayout::ScaleBarLength;
    const qreal bottom = box.y() + box.height() - SheetLayout::ScaleBarUnits, top = bottom - SheetLayout::ScaleBarTick;
    const qreal middle = bottom - SheetLayout::ScaleBarTick / 2.0;
    painter.drawLine(scaled(QLineF(left, top, left, bottom), scale));
    painter.drawLine(scaled(QLineF(right, top, right, bottom), scale));
    painter.drawLine(scaled(QLineF(left, middle, right, middle), scale));
    const QRectF labelBox(box.x() * scale, box.y() * scale, box.width() * scale, (top - LabelSpace - box.y()) * scale);
    drawText(painter, labelBox, SheetPainter::scaleBarLabel(), LabelSize * scale, Qt::AlignHCenter | Qt::AlignBottom);

    // Below the bar, half ticks at a centimetre and an inch from its start.
    const struct
    {
        qreal at;
        QString label;
    } units[] = {{left + Cm, SheetPainter::tr("1 cm")}, {left + SheetLength::PerInch, SheetPainter::tr("1 in")}};
    const qreal unitHeight = SheetLayout::ScaleBarUnits - LabelSpace;
    for (const auto &unit : units) {
        painter.drawLine(scaled(QLineF(unit.at, middle, unit.at, bottom), scale));
        const QRectF under((unit.at - 0.4 * Cm) * scale, (bottom + LabelSpace) * scale, 0.8 * Cm * scale,
                           unitHeight * scale);
        drawText(painter, under, unit.label, unitHeight * 0.8 * scale, Qt::AlignHCenter | Qt::AlignTop);
    }
}

void drawDrawing(QPainter &painter, const SheetDrawing &drawing, qreal scale)
{
    for (const QLine &line : drawing.lines)
        painter.drawLine(scaled(QLineF(line), scale));
    for (const SheetDrawing::Text &text : drawing.texts) {
        const QRectF box(text.box.x() * scale, text.box.y() * scale, text.box.width() * scale,
                         text.box.height() * scale);
        drawText(painter, box, text.text, box.height(), Qt::AlignCenter);
    }
}

void drawBack(QPainter &painter, const SheetPlacement &placement, QSize pixels, const QImage &image, qreal bleed,
              qreal scale)
{
    if (image.isNull())
        return;
    const qreal width = pixels.width() * SheetLength::PerPixel * scale;
    const qreal height = pixels.height() * SheetLength::PerPixel * scale;
    painter.save();
    // A back turned anticlockwise has its top-left corner at the cut's bottom-left corner.
    const QRect &cut = placement.cut;
    painter.translate(cut.x() * scale, (placement.turned ? cut.y() + cut.height() : cut.y()) * scale);
    if (placement.turned)
        painter.rotate(-90);
    const QRectF area(-bleed, -bleed, width + 2 * bleed, height + 2 * bleed);
    painter.setClipRect(area, Qt::IntersectClip);
    const qreal fill = std::max(area.width() / image.width(), area.height() / image.height());
    const QSizeF drawn = QSizeF(image.size()) * fill;
    painter.drawImage(QRectF(area.center() - QPointF(drawn.width() / 2, drawn.height() / 2), drawn), image);
    painter.restore();
}

} // namespace

void SheetPainter::paint(QPainter &painter, const SheetLayout &layout, int sheet, qreal dotsPerInch,
                         const Pictures &pictures, const Backs &backs)
{
    const qreal scale = dotsPerInch / SheetLength::PerInch;
    const qreal bleed = layout.settings().bleed.units() * scale;
    painter.save();
    // Without it, Qt's PDF engine stores pictures as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const SheetLayout::Kind kind = layout.kind(sheet);
    for (const SheetPlacement &placement : layout.placements(sheet)) {
        const SheetMaptile &maptile = layout.maptiles().at(placement.maptile);
        if (kind == SheetLayout::Kind::Backs) {
            if (const QImage *back = backs ? backs(maptile.back) : nullptr)
                drawBack(painter, placement, maptile.pixels, *back, bleed, scale);
        } else if (const SheetPicture *picture = pictures(placement.maptile)) {
            drawPicture(painter, placement, *picture, bleed, scale);
        }
    }

    painter.setPen(QPen(Qt::black, SheetLayout::MarkWidth * scale, Qt::SolidLine, Qt::FlatCap));
    for (const QLine &mark : layout.cropMarks(sheet))
        painter.drawLine(scaled(QLineF(mark), scale));
    if (sheet == layout.scaleBarSheet() && !layout.scaleBar().isEmpty())
        drawScaleBar(painter, layout.scaleBar(), scale);
    if (kind == SheetLayout::Kind::CalibrationFront) {
        drawDrawing(painter, layout.calibration().front(), scale);
        drawScaleBar(painter, layout.calibration().scaleBar(), scale);
    } else if (kind == SheetLayout::Kind::CalibrationBack) {
        drawDrawing(painter, layout.calibrationBack(), scale);
    }
    painter.restore();
}

QString SheetPainter::scaleBarLabel()
{
    return tr("1 space = 1.5 in = 38.1 mm");
}
