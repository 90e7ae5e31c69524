#include "sheets/SheetPainter.h"

#include "sheets/SheetLayout.h"
#include "sheets/SheetPicture.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace {

// The label's letters are this tall, and the label stands this far above the ticks.
constexpr qreal LabelSize = 2.5 * SheetLength::PerMillimetre;
constexpr qreal LabelSpace = 0.5 * SheetLength::PerMillimetre;

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

void drawScaleBar(QPainter &painter, const QRect &box, qreal scale)
{
    const qreal left = box.x() + SheetLayout::MarkWidth / 2.0, right = left + SheetLayout::ScaleBarLength;
    const qreal bottom = box.y() + box.height(), top = bottom - SheetLayout::ScaleBarTick;
    const qreal middle = bottom - SheetLayout::ScaleBarTick / 2.0;
    painter.drawLine(scaled(QLineF(left, top, left, bottom), scale));
    painter.drawLine(scaled(QLineF(right, top, right, bottom), scale));
    painter.drawLine(scaled(QLineF(left, middle, right, middle), scale));

    // Point sizes count in the device's own dots per inch, whatever the painter's scale.
    const qreal deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 72;
    QFont font = painter.font();
    font.setPointSizeF(LabelSize * scale * 72 / deviceDpi);
    const QString label = SheetPainter::scaleBarLabel();
    const qreal room = box.width() * scale;
    const qreal wide = QFontMetricsF(font, painter.device()).horizontalAdvance(label);
    if (wide > room)
        font.setPointSizeF(font.pointSizeF() * room / wide);
    painter.setFont(font);
    const QRectF labelBox(box.x() * scale, box.y() * scale, box.width() * scale, (top - LabelSpace - box.y()) * scale);
    painter.drawText(labelBox, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextDontClip, label);
}

} // namespace

void SheetPainter::paint(QPainter &painter, const SheetLayout &layout, int sheet, qreal dotsPerInch,
                         const Pictures &pictures)
{
    const qreal scale = dotsPerInch / SheetLength::PerInch;
    const qreal bleed = layout.settings().bleed.units() * scale;
    painter.save();
    // Without it, Qt's PDF engine stores pictures as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    for (const SheetPlacement &placement : layout.placements(sheet)) {
        if (const SheetPicture *picture = pictures(placement.maptile))
            drawPicture(painter, placement, *picture, bleed, scale);
    }

    painter.setPen(QPen(Qt::black, SheetLayout::MarkWidth * scale, Qt::SolidLine, Qt::FlatCap));
    for (const QLine &mark : layout.cropMarks(sheet))
        painter.drawLine(scaled(QLineF(mark), scale));
    if (sheet == 0 && !layout.scaleBar().isEmpty())
        drawScaleBar(painter, layout.scaleBar(), scale);
    painter.restore();
}

QString SheetPainter::scaleBarLabel()
{
    return tr("1 space = 1.5 in = 38.1 mm");
}
