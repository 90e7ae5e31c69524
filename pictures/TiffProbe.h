#pragma once

#include "pictures/PictureProbe.h"

#include <utility>

// The size a TIFF file's first directory gives, for a picture too large for
// Qt's reader to give it: Qt holds a size in an int, TIFF in 32 unsigned bits.
class TiffProbe : public PictureProbe
{
public:
    using PictureProbe::PictureProbe;

    HeaderFacts facts(QImageReader &reader, QSize keep) const override;

private:
    // The first directory's width and length; 0 for one it does not give.
    std::pair<qint64, qint64> firstDirectorySize() const;
};
