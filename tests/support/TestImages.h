#pragma once

#include <QImage>
#include <QString>

#include <functional>

// Fixture pictures and files the tests make on the fly.
namespace TestImages {

// An image in the work format whose pixel (x, y) is colour(x, y): the way a
// test builds the whole picture a rule asks for, to compare in one go.
QImage make(QSize size, const std::function<QRgb(int, int)> &colour);
// An image of one colour in the work format.
QImage solid(QSize size, QRgb colour);
// An image whose every pixel differs from its neighbours: colour from (x, y).
QImage pattern(QSize size, int seed = 0);
// The pattern colour of pixel (x, y) for a seed.
QRgb patternPixel(int x, int y, int seed = 0);
// Writes image to path in the format its extension names; fails the test on error.
void save(const QImage &image, const QString &path);
// Writes text to path.
void writeText(const QString &path, const QByteArray &bytes);

} // namespace TestImages
