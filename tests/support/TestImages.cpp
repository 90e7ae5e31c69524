#include "support/TestImages.h"

#include "raster/Geometry.h"
#include "raster/RasterOps.h"
#include "workspace/Workspace.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>

#include <unistd.h>

using namespace Qt::StringLiterals;

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

QByteArray bitmapFile(QSize size, quint16 bits, const QByteArray &pixels, quint32 coding, const QList<QRgb> &colours,
                      qint64 pixelOffset)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 headers = 14 + 40 + 4 * quint32(colours.size());
    // File header; then header size, width, height, planes, bits a pixel, coding, pixel bytes, resolution
    // each way, colours used and important; then the colours.
    out << quint16(0x4D42) << quint32(headers + pixels.size()) << quint32(0)
        << quint32(pixelOffset < 0 ? headers : pixelOffset) << quint32(40) << qint32(size.width())
        << qint32(size.height()) << quint16(1) << bits << coding << quint32(pixels.size()) << quint32(2835)
        << quint32(2835) << quint32(colours.size()) << quint32(0);
    for (const QRgb colour : colours)
        out << quint32(colour & 0xffffff);
    return bytes + pixels;
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

qint64 processKb(const char *field, qint64 pid)
{
    const QByteArray status = readAll(pid ? QStringLiteral("/proc/%1/status").arg(pid) : u"/proc/self/status"_s);
    const qsizetype at = status.indexOf(QByteArray(field) + ':');
    return at < 0 ? -1 : status.mid(at + qstrlen(field) + 1).trimmed().split(' ').front().toLongLong();
}

QList<qint64> childProcesses()
{
    // Each /proc/N/stat reads "pid (name) state ppid", where the name may hold blanks and brackets.
    QList<qint64> found;
    for (const QString &entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
        const QByteArray stat = readAll(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.isEmpty() && stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(1).toLongLong() == getpid())
            found << entry.toLongLong();
    }
    return found;
}

QString confinedStatus(qint64 pid, int ms)
{
    QString status;
    (void)QTest::qWaitFor(
        [&] {
            status = QString::fromLatin1(readAll(QStringLiteral("/proc/%1/status").arg(pid)));
            return status.contains(u"Seccomp:\t2"_s);
        },
        ms);
    return status;
}

void writeDefaultTilesets(const QString &folder)
{
    for (int i = 0; i < int(Workspace::DefaultTilesetNames.size()); ++i)
        QVERIFY(
            pattern(Geometry::TilesetSize, i).save(QDir(folder).filePath(Workspace::DefaultTilesetNames[i]), "BMP"));
}

} // namespace TestImages
