#include "raster/HiResPicture.h"

#include "raster/GridPicture.h"

#include <QPainter>

void HiResPicture::draw(QPainter &painter, const QImage &shown, const std::function<Source()> &source)
{
    // The device transform, not the widget, tells the density: a view rendered
    // into a plain image is drawn at one pixel per pixel whatever its screen.
    const qreal ratio = painter.deviceTransform().m11();
    if (qFuzzyCompare(ratio, qreal(1))) {
        painter.drawImage(QPoint(0, 0), shown);
        return;
    }
    // Every change of the shown picture changes its cache key.
    if (m_picture.isNull() || m_shownKey != shown.cacheKey() || !qFuzzyCompare(m_picture.devicePixelRatio(), ratio)) {
        const Source from = source();
        m_picture = build(from.image, from.part, shown.size(), ratio, from.grid);
        m_shownKey = shown.cacheKey();
    }
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(shown.size())), m_picture);
}

QImage HiResPicture::build(const QImage &full, const QRect &part, QSize size, qreal ratio, bool grid)
{
    const QImage cut = part == full.rect() ? full : full.copy(part);
    QImage picture = cut.scaled((QSizeF(size) * ratio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (grid)
        GridPicture::layOver(picture, ratio);
    picture.setDevicePixelRatio(ratio);
    return picture;
}
