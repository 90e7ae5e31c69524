#pragma once

#include <QImage>
#include <QString>
#include <QTest>

#include <functional>

// Fixture pictures and files the tests make on the fly, and what /proc tells of processes.
namespace TestImages {

// An image in the work format whose pixel (x, y) is colour(x, y): the way a
// test builds the whole picture a rule asks for, to compare in one go.
QImage make(QSize size, const std::function<QRgb(int, int)> &colour);
inline QImage solid(QSize size, QRgb colour)
{
    return make(size, [colour](int, int) { return colour; });
}
// An image whose every pixel differs from its neighbours, so a misplaced one cannot pass by chance.
inline QImage pattern(QSize size, int seed = 0)
{
    return make(size, [seed](int x, int y) {
        return qRgb((x * 7 + seed * 13) & 0xff, (y * 5 + seed * 29) & 0xff, (x * 3 + y * 11 + seed) & 0xff);
    });
}
// Patterned bitmaps under the four default tileset names: the reader goes by
// content, and bitmaps keep every pixel exact.
void writeDefaultTilesets(const QString &folder);
// Writes image in the format its extension names; fails the test on error.
inline void save(const QImage &image, const QString &path)
{
    QVERIFY2(image.save(path), qPrintable(path));
}
void writeText(const QString &path, const QByteArray &bytes);
// The file's bytes, or none when it cannot be read.
QByteArray readAll(const QString &path);
// The image as a file of format would hold it.
QByteArray encoded(const QImage &image, const char *format);
// A progressive JPEG of a pattern whose last scan header is repeated, empty, repeats
// times before the end: each repeat costs the decoder a pass over the whole picture.
QByteArray scanRepeatingJpeg(QSize size, int repeats);
// A bitmap file with a 40-byte information header, bits a pixel in coding (0 plain, 1 runs of 8-bit pixels)
// and its colours, then the pixels: where pixelOffset says, or straight after the colours.
QByteArray bitmapFile(QSize size, quint16 bits, const QByteArray &pixels, quint32 coding = 0,
                      const QList<QRgb> &colours = {}, qint64 pixelOffset = -1);
// Bytes no decoder makes sense of, the same for a seed on every run.
QByteArray randomBytes(qsizetype size, quint32 seed);
// A figure in KiB from the status of process pid (0: this one), such as "VmRSS" or "VmHWM".
qint64 processKb(const char *field, qint64 pid = 0);
// The processes this one started and has not yet seen end.
QList<qint64> childProcesses();
// The status of process pid once it runs under its seccomp filter, or as it was when ms ran out.
QString confinedStatus(qint64 pid, int ms = 10'000);

} // namespace TestImages
