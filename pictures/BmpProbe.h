#pragma once

#include "pictures/PictureProbe.h"

// A Windows bitmap's headers, its rows or run-length codes, and its top-left
// part cut out of an uncompressed file before Qt decodes it.
class BmpProbe : public PictureProbe
{
public:
    explicit BmpProbe(const QByteArray &bytes);

    // Qt gives no size for a bitmap too large for it, and a top-down bitmap's
    // height as the negative number it is stored as; the header still tells.
    HeaderFacts facts(QImageReader &reader, QSize keep) const override;
    bool endsEarly() const override;
    QImage read(QImageReader &reader, const HeaderFacts &facts) const override;

private:
    // Whether the rows are run-length coded, eight or four bits a pixel, as Qt decodes them.
    bool runLengthCoded() const;
    // Whether the codes stop before the end-of-picture code and before the last
    // row: Qt keeps what it has decoded by then.
    bool runsEndEarly() const;
    // Plain and bit-field rows have a fixed size.
    bool fixedRows() const;
    // The bytes of padding the last row lacks: some writers leave it out.
    qint64 missingPadding() const;
    // Whether the file is uncompressed, whole and laid out so that its top-left part can be cut out.
    bool cuttable() const;
    // The file cut down to its top-left part: the header rewritten and only
    // the kept rows, each cut to the kept width, so the decoder never
    // allocates the rest.
    QByteArray cut(QSize kept) const;
    // Decodes bytes made from the file, with kept valid only their top-left part.
    static QImage readCopy(QByteArray bytes, QSize kept);

    // The information header's size, as the file gives it.
    quint32 m_headerSize = 0;
    // The dimensions and row layout the header declares; width 0 when it is unreadable.
    qint64 m_width = 0, m_height = 0, m_bitsPerPixel = 0, m_pixelOffset = 0;
    quint32 m_compression = 0;
    bool m_bottomUp = false;
};
