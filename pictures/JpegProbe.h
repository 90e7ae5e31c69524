#pragma once

#include "pictures/PictureProbe.h"

// A JPEG's markers up to its first scan, and whether its data stops early.
class JpegProbe : public PictureProbe
{
public:
    // libjpeg's limit on either side of a picture.
    static constexpr qint64 MaxSide = 65'500;

    explicit JpegProbe(const QByteArray &bytes);

    // Qt gives no size for a picture past libjpeg's limit: the frame header's
    // then stands. A file decoded band by band holds only the part's rows.
    HeaderFacts facts(QImageReader &reader, QSize keep) const override;
    bool endsEarly() const override;

private:
    void readToFirstScan();

    // The size the last frame header before the first scan gives; 0 when none does.
    qint64 m_frameWidth = 0, m_frameHeight = 0;
    // The memory the decoder takes for the whole picture's coefficients, two
    // bytes each, besides the decoded rows: a progressive file, or one whose
    // first scan leaves out a component, is decoded only once every scan is
    // in, whatever part of it is asked for. Zero for a file decoded band by band.
    qint64 m_coefficientBytes = 0;
};
