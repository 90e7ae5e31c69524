#pragma once

#include "pictures/PictureRows.h"

// Collects a decoded picture's rows into an image, decoding each row in place.
class ImageRows : public PictureRows
{
public:
    bool begin(QSize size, QImage::Format format) override;
    uchar *rowBuffer(int y) override { return m_image.scanLine(y); }
    bool take(int y, const uchar *row) override;

    // The picture; null when none was begun or it could not be held.
    const QImage &image() const { return m_image; }

private:
    QImage m_image;
};
