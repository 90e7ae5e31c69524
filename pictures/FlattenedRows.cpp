#include "pictures/FlattenedRows.h"

#include "raster/RasterOps.h"

FlattenedRows::FlattenedRows(PictureRows &to, QRgb background)
    : m_to(to)
    , m_background(background)
{
}

bool FlattenedRows::begin(QSize size, QImage::Format format)
{
    if (QImage::toPixelFormat(format).alphaUsage() == QPixelFormat::UsesAlpha) {
        m_format = format;
        m_line = QImage(size.width(), 1, RasterOps::Format);
        if (m_line.isNull() || !m_painter.begin(&m_line))
            return false;
        return m_to.begin(size, RasterOps::Format);
    }
    return m_to.begin(size, format);
}

uchar *FlattenedRows::rowBuffer(int y)
{
    return m_painter.isActive() ? nullptr : m_to.rowBuffer(y);
}

bool FlattenedRows::take(int y, const uchar *row)
{
    if (!m_painter.isActive())
        return m_to.take(y, row);
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.fillRect(m_line.rect(), QColor::fromRgb(m_background));
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.drawImage(0, 0, QImage(row, m_line.width(), 1, m_format));
    return m_to.take(y, m_line.constScanLine(0));
}
