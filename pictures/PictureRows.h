#pragma once

#include <QImage>
#include <QSize>

// Takes a picture row by row as it is decoded, so that a picture going
// straight to an encoder is never held whole.
class PictureRows
{
public:
    virtual ~PictureRows() = default;

    // The picture's size and the format its rows come in; false refuses the picture.
    virtual bool begin(QSize size, QImage::Format format) = 0;
    // Where row y is to be decoded, or null for a row of the decoder's own.
    virtual uchar *rowBuffer(int y)
    {
        Q_UNUSED(y);
        return nullptr;
    }
    // Row y, decoded; it may be wider than the picture. False stops the decoding.
    virtual bool take(int y, const uchar *row) = 0;
};
