#include "pictures/PictureProbe.h"

#include <QImageReader>

#include <algorithm>

HeaderFacts PictureProbe::facts(QImageReader &reader, QSize keep) const
{
    HeaderFacts facts = readerSize(reader, keep);
    facts.heldBytes = HeaderFacts::pixelBytes(facts.width, facts.height, 4);
    return facts;
}

QImage PictureProbe::read(QImageReader &reader, const HeaderFacts &facts) const
{
    if (facts.part)
        reader.setClipRect(QRect(QPoint(0, 0), facts.kept));
    return reader.read();
}

HeaderFacts PictureProbe::readerSize(QImageReader &reader, QSize keep)
{
    const QSize declared = reader.size();
    return declared.isEmpty() ? HeaderFacts() : HeaderFacts::sized(declared.width(), declared.height(), keep);
}

qint64 PictureProbe::decodedPixelBytes(QImageReader &reader)
{
    const QImage::Format format = reader.imageFormat();
    return format == QImage::Format_Invalid ? 4 : std::max(4, QImage::toPixelFormat(format).bitsPerPixel() / 8);
}
