#pragma once

#include "pictures/PictureProbe.h"

// A GIF's logical screen, and whether its blocks stop before the trailer.
class GifProbe : public PictureProbe
{
public:
    using PictureProbe::PictureProbe;

    // Qt gives the extent of the first frame, but decodes onto the whole
    // logical screen: the screen's sides stand wherever it gives them.
    HeaderFacts facts(QImageReader &reader, QSize keep) const override;
    bool endsEarly() const override;
};
