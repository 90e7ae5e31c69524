#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <functional>

class QPainter;
class SheetLayout;
class SheetPicture;

// Draws one sheet of a layout with any painter: a PDF page, a printer's page
// or a preview. Pictures are drawn whole and at exact scale, their bleed
// carries their edge pixels outward, and crop marks and the scale bar are
// thin black vectors. A back fills its maptile's footprint and bleed, scaled
// to cover it and cropped to its centre by a clip, so that the same picture
// is drawn, and held in a PDF, once for every back it is. Nothing else is
// drawn, not even the paper.
class SheetPainter
{
    Q_DECLARE_TR_FUNCTIONS(SheetPainter)

public:
    // The picture of a maptile of the layout; null to leave that maptile out.
    using Pictures = std::function<const SheetPicture *(int maptile)>;
    // The picture of a back, by its index; null to leave it out.
    using Backs = std::function<const QImage *(int back)>;

    // Draws sheet with the painter's origin at the paper's top-left corner
    // and dotsPerInch of the painter's units to an inch.
    static void paint(QPainter &painter, const SheetLayout &layout, int sheet, qreal dotsPerInch,
                      const Pictures &pictures, const Backs &backs = {});

    // The text above the scale bar.
    static QString scaleBarLabel();
};
