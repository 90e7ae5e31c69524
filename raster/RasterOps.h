#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>

// The three raster operations every picture of the program is composed with.
// Work images are QImage::Format_RGB32: a source in another format is read as
// its colours, a destination is converted first. Rectangles are clipped to both images.
namespace RasterOps {

// The image format every work image uses.
constexpr QImage::Format Format = QImage::Format_RGB32;

// Returns image in the work format (no copy when it already is).
QImage toWorkFormat(const QImage &image);

// Copies source rectangle src of source into rectangle dst of destination,
// stretching when the sizes differ. A reduction to exactly one third averages
// each 3 x 3 block; other sizes use smooth scaling.
void plainCopy(QImage &destination, const QRect &dst, const QImage &source, const QRect &src);

// Copies source rectangle src to destination at `at` without scaling,
// leaving out every source pixel whose colour equals key exactly.
void keyedCopy(QImage &destination, QPoint at, const QImage &source, const QRect &src, QRgb key);

// Blends source rectangle src over destination at `at` with a constant alpha
// (0..255): result = source * alpha / 255 + destination * (255 - alpha) / 255.
void alphaBlend(QImage &destination, QPoint at, const QImage &source, const QRect &src, int alpha);

// Reduces image to one third in each direction by averaging 3 x 3 blocks.
QImage reduceToThird(const QImage &image);

// Fills image with one colour.
void fill(QImage &image, QRgb colour);

} // namespace RasterOps
