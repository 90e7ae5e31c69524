#pragma once

#include "pictures/PictureProbe.h"

// The text of an SVG drawing, plain or compressed, measured before Qt's
// renderer parses it.
class DrawingProbe : public PictureProbe
{
public:
    // Qt's renderer holds a drawing as a tree of about sixteen times the size of
    // its text, and inflates a compressed one whole first, however large it unpacks.
    static constexpr qint64 MaxTextBytes = 16 * 1024 * 1024;

    using PictureProbe::PictureProbe;

    HeaderFacts facts(QImageReader &reader, QSize keep) const override;

private:
    // The size of the drawing's text, unpacked when it is compressed, counted up
    // to just past limit; every gzip member counts.
    qint64 textBytes(qint64 limit) const;
};
