#pragma once

#include "pictures/HeaderFacts.h"

#include <QByteArray>
#include <QImage>

class QImageReader;

// Looks at the header of a picture in a format of Qt's image plugins before
// its decoder runs, and drives that decoder. This one takes the size Qt's
// reader gives, at four bytes a pixel, and decodes through the reader; the
// probes of the formats Qt's reader cannot be trusted with read their headers
// themselves.
class PictureProbe
{
public:
    explicit PictureProbe(const QByteArray &bytes)
        : m_bytes(bytes)
    {
    }
    virtual ~PictureProbe() = default;

    // The picture's declared size and the memory decoding it takes: whole, or
    // with keep valid, only its top-left part of at most that size.
    virtual HeaderFacts facts(QImageReader &reader, QSize keep) const;
    // Whether the file stops before its picture does. Qt's decoders fill the
    // missing part in grey without reporting an error.
    virtual bool endsEarly() const { return false; }
    // The picture or the part of it that facts describe; null when it cannot be decoded.
    virtual QImage read(QImageReader &reader, const HeaderFacts &facts) const;

protected:
    // The size Qt's reader gives, unknown when it gives none; no memory counted yet.
    static HeaderFacts readerSize(QImageReader &reader, QSize keep);
    // The bytes of a pixel as the reader will decode it, four at least: eight
    // for 16 bits a channel. Only for the formats whose reader answers soundly.
    static qint64 decodedPixelBytes(QImageReader &reader);

    const QByteArray m_bytes;
};
