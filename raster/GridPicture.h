#pragma once

#include <QImage>

// The fixed grid picture laid over the palettes and the working view:
// 7 x 6 cells of 48 pixels, each with a one-pixel blue border, on a key colour.
class GridPicture
{
public:
    static constexpr QRgb LineColour = 0xff0402fc; // RGB 4, 2, 252
    static constexpr QRgb BackgroundColour = 0xfffcfefc; // RGB 252, 254, 252
    static constexpr QPoint KeyPixel{2, 2};

    // The shared picture, built on first use.
    static const QImage &image();
    // The same grid for a screen with ratio device pixels per pixel: cell
    // edges on the device pixel nearest to theirs, borders round(ratio) wide.
    static QImage image(qreal ratio);
    // The colour that is left out when the grid is laid over a picture.
    static QRgb key();
    // Lays the top-left part of the grid, as large as target, over target.
    static void layOver(QImage &target, qreal ratio = 1);
};
