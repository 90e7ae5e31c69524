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
// The file's bytes, or none when it cannot be read.
QByteArray readAll(const QString &path);
// The image as a file of format would hold it.
QByteArray encoded(const QImage &image, const char *format);
// Bytes no decoder makes sense of, the same for a seed on every run.
QByteArray randomBytes(qsizetype size, quint32 seed);
// A figure in KiB from /proc/self/status, such as "VmRSS" or "VmHWM".
qint64 processKb(const char *field);

} // namespace TestImages
