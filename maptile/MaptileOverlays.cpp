#include "maptile/MaptileOverlays.h"

#include "raster/RasterOps.h"
#include "resources/BuiltInPicture.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

QFont pointFont(const QString &family, qreal points, bool bold)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Draws text with the top-left of its line box at `at`, as a picture surface does.
void drawTextAt(QPainter &painter, QPointF at, const QString &text)
{
    painter.drawText(at + QPointF(0, painter.fontMetrics().ascent()), text);
}

} // namespace

MaptileOverlays::MaptileOverlays()
    : m_mapNumFont(pointFont(QStringLiteral("Arial"), 15.75, true))
    , m_speedFont(pointFont(QStringLiteral("Arial"), 20.25, true))
    , m_mapNum(doorBitmap())
{
}

QImage MaptileOverlays::doorBitmap()
{
    static const QImage door = [] {
        QImage image = BuiltInPicture::load(QStringLiteral(":/images/door.png"));
        if (image.size() != MapNumSize) {
            // Only reached when the resource is missing from the build.
            image = QImage(MapNumSize, RasterOps::Format);
            RasterOps::fill(image, DoorKey);
        }
        return RasterOps::toWorkFormat(image);
    }();
    return door;
}

QFont MaptileOverlays::renderFont(const QFont &font)
{
    QFont f = font;
    f.setPixelSize(std::max(1, qRound(font.pointSizeF() * 96.0 / 72.0)));
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QString MaptileOverlays::creditText(const QString &name)
{
    return name.isEmpty() ? QStringLiteral("Created with Cryptwright")
                          : QStringLiteral("Created with Cryptwright by: ") + name;
}

void MaptileOverlays::setMapNumFont(const QFont &font, const QColor &colour)
{
    m_mapNumFont = font;
    m_mapNumColour = colour;
}

void MaptileOverlays::setSpeedFont(const QFont &font, const QColor &colour)
{
    m_speedFont = font;
    m_speedColour = colour;
    m_speedCache.clear();
}

void MaptileOverlays::paintMapNum(const QString &number)
{
    m_mapNum = doorBitmap();
    if (number.isEmpty())
        return;
    QPainter painter(&m_mapNum);
    painter.setFont(renderFont(m_mapNumFont));
    painter.setPen(m_mapNumColour);
    const QFontMetrics metrics = painter.fontMetrics();
    const QPointF at((MapNumSize.width() - metrics.horizontalAdvance(number)) / 2.0,
                     (MapNumSize.height() - metrics.height()) / 2.0);
    drawTextAt(painter, at, number);
}

void MaptileOverlays::paintDesigner(const QString &name)
{
    const QString text = creditText(name);
    const QFont font = renderFont(pointFont(QStringLiteral("Arial"), 8.25, true));
    const int width = QFontMetrics(font).horizontalAdvance(text) + 5;
    m_designer = QImage(width, DesignerHeight, RasterOps::Format);
    RasterOps::fill(m_designer, DesignerBackground);
    QPainter painter(&m_designer);
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (QPointF at : {QPointF(1, 1), QPointF(3, 1), QPointF(1, 3), QPointF(3, 3)})
        drawTextAt(painter, at, text);
    painter.setPen(Qt::black);
    drawTextAt(painter, QPointF(2, 2), text);
}

const QImage &MaptileOverlays::speedImage(const QString &value)
{
    auto cached = m_speedCache.constFind(value);
    if (cached != m_speedCache.constEnd())
        return *cached;
    const QFont font = renderFont(m_speedFont);
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(value) + 10, metrics.height() + 10, RasterOps::Format);
    RasterOps::fill(image, SpeedBackground);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (QPointF at : {QPointF(1, 1), QPointF(3, 1), QPointF(1, 3), QPointF(3, 3)})
        drawTextAt(painter, at, value);
    painter.setPen(m_speedColour);
    drawTextAt(painter, QPointF(2, 2), value);
    painter.end();
    // Values come from the list or a tileset's metadata, so the cache stays small.
    if (m_speedCache.size() > 256)
        m_speedCache.clear();
    return *m_speedCache.insert(value, image);
}
