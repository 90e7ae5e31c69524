#pragma once

#include "pictures/PictureRows.h"

#include <QPainter>
#include <QRgb>

// Hands rows on as they come, those with transparency first drawn over a
// background in the maptile's work format, as on a picture surface.
class FlattenedRows : public PictureRows
{
public:
    FlattenedRows(PictureRows &to, QRgb background);

    bool begin(QSize size, QImage::Format format) override;
    uchar *rowBuffer(int y) override;
    bool take(int y, const uchar *row) override;

private:
    PictureRows &m_to;
    const QRgb m_background;
    // The row drawn over the background, while the picture has transparency.
    QImage::Format m_format = QImage::Format_Invalid;
    QImage m_line;
    QPainter m_painter;
};
