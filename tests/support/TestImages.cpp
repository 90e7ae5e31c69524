#include "support/TestImages.h"

#include "raster/Geometry.h"
#include "raster/RasterOps.h"
#include "workspace/Workspace.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>

namespace TestImages {

QImage make(QSize size, const std::function<QRgb(int, int)> &colour)
{
    QImage image(size, RasterOps::Format);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, colour(x, y) | 0xff000000u);
    return image;
}

void writeText(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, format); // the writer opens the buffer
    return bytes;
}

QByteArray scanRepeatingJpeg(QSize size, int repeats)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(pattern(size));
    // A scan header cannot occur inside coded data; its length follows the marker.
    const qsizetype scan = bytes.lastIndexOf("\xFF\xDA");
    const int length = quint8(bytes[scan + 2]) << 8 | quint8(bytes[scan + 3]);
    return bytes.insert(bytes.size() - 2, bytes.mid(scan, 2 + length).repeated(repeats));
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

qint64 processKb(const char *field)
{
    const QByteArray status = readAll(QStringLiteral("/proc/self/status"));
    const qsizetype at = status.indexOf(QByteArray(field) + ':');
    return status.mid(at + qstrlen(field) + 1).trimmed().split(' ').front().toLongLong();
}

void writeDefaultTilesets(const QString &folder)
{
    for (int i = 0; i < int(Workspace::DefaultTilesetNames.size()); ++i)
        QVERIFY(
            pattern(Geometry::TilesetSize, i).save(QDir(folder).filePath(Workspace::DefaultTilesetNames[i]), "BMP"));
}

} // namespace TestImages
