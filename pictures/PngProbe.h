#pragma once

#include "pictures/PictureProbe.h"

#include <utility>

// A PNG's header chunk, read before libpng decodes the picture row by row.
class PngProbe : public PictureProbe
{
public:
    // libpng's limit on either side of a picture it reads.
    static constexpr qint64 MaxSide = 1'000'000;
    // The signature and the header chunk: all a PNG read piece by piece is judged by.
    static constexpr int HeadBytes = 8 + 8 + 13;

    using PictureProbe::PictureProbe;

    HeaderFacts facts(QImageReader &reader, QSize keep) const override;
    // Through libpng itself, whose complaints come back as the reason rather
    // than as lines on the terminal.
    QImage read(QImageReader &reader, const HeaderFacts &facts) const override;

    // The facts of a PNG read piece by piece, as a document's pictures are,
    // from head, its first HeadBytes: decoded row by row at eight bits a
    // channel whether it is read whole or in part.
    static HeaderFacts streamed(const QByteArray &head, QSize keep);

private:
    // The largest picture the header chunks declare, read directly: libpng
    // will not report a side over its limit.
    std::pair<qint64, qint64> largestDeclared() const;
    // What decoding row by row holds: the kept part, and a row of the whole
    // width (every kept row, when interlaced, until the last pass).
    static qint64 rowByRowBytes(qint64 width, QSize kept, bool interlaced);
};
