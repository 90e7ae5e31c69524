#pragma once

#include <QImage>

// The subtile editor's quarter turns and mirror images. Each returns a new
// image of the same size; for a square of side n + 1 the pixels move as noted.
namespace SubtileTransforms {

// dest(x, y) = src(n - x, y)
QImage flipHorizontal(const QImage &subtile);
// dest(x, y) = src(x, n - y)
QImage flipVertical(const QImage &subtile);
// Counter-clockwise: dest(x, y) = src(n - y, x)
QImage rotateLeft(const QImage &subtile);
// Clockwise: dest(x, y) = src(y, n - x)
QImage rotateRight(const QImage &subtile);

} // namespace SubtileTransforms
