#include "support/TestZip.h"

#include "document/ZipReader.h"
#include "support/TestImages.h"

#include <QtEndian>

#include <zlib.h>

namespace TestZip {

namespace {

// Deflates head, count copies of filler and tail without holding the copies all at once: raw, as
// zip holds it, or with gzip's header and trailer. The checksum of what went in goes to crc.
QByteArray pack(const QByteArray &head, qint64 count, char filler, const QByteArray &tail, bool gzip,
                quint32 *crc = nullptr)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, gzip ? 15 + 16 : -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out;
    char buffer[1 << 16];
    const QByteArray fillers(1 << 20, filler);
    uLong sum = crc32(0, nullptr, 0);
    const auto feed = [&](const QByteArray &chunk, int flush) {
        sum = crc32(sum, reinterpret_cast<const Bytef *>(chunk.constData()), uInt(chunk.size()));
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(chunk.constData()));
        z.avail_in = uInt(chunk.size());
        do {
            z.next_out = reinterpret_cast<Bytef *>(buffer);
            z.avail_out = sizeof buffer;
            ::deflate(&z, flush);
            out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
        } while (z.avail_out == 0);
    };
    feed(head, Z_NO_FLUSH);
    for (qint64 left = count; left > 0; left -= fillers.size())
        feed(left >= fillers.size() ? fillers : fillers.left(left), Z_NO_FLUSH);
    feed(tail, Z_FINISH);
    deflateEnd(&z);
    if (crc)
        *crc = quint32(sum);
    return out;
}

// Empty stored deflate blocks, five bytes each: a header that is not the
// last, aligned to the byte, then a length of 0 and its complement.
QByteArray emptyBlocks(qint64 bytes)
{
    QByteArray out;
    out.reserve(bytes);
    for (qint64 i = 0; i < bytes / 5; ++i)
        out.append("\0\0\0\xff\xff", 5);
    return out;
}

// Appends each value little-endian, in as many bytes as its type has.
template<typename... T>
void put(QByteArray &out, T... values)
{
    (out.append(reinterpret_cast<const char *>(&(values = qToLittleEndian(values))), sizeof values), ...);
}

} // namespace

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    QByteArray out;
    char length[4];
    qToBigEndian(quint32(data.size()), length);
    out.append(length, 4).append(type).append(data);
    char crc[4];
    qToBigEndian(quint32(crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(out.constData() + 4),
                               uInt(out.size() - 4))),
                 crc);
    return out.append(crc, 4);
}

Entry stored(const QString &name, const QByteArray &bytes)
{
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size())));
    return {name, bytes, false, quint32(bytes.size()), crc};
}

Entry deflated(const QString &name, const QByteArray &bytes)
{
    return paddedEntry(name, bytes, 0);
}

Entry zeros(const QString &name, qint64 count)
{
    Entry entry{name, {}, true, quint32(count), 0};
    entry.data = pack({}, count, 0, {}, false, &entry.crc);
    return entry;
}

Entry paddedEntry(const QString &name, const QByteArray &bytes, qint64 paddingBytes)
{
    Entry entry{name, {}, true, quint32(bytes.size()), 0};
    entry.data = emptyBlocks(paddingBytes) + pack({}, 0, 0, bytes, false, &entry.crc);
    return entry;
}

QByteArray gzipWithBlanks(const QByteArray &head, qint64 count, const QByteArray &tail)
{
    return pack(head, count, ' ', tail, true);
}

QByteArray archive(const QList<Entry> &entries)
{
    QByteArray out, directory;
    for (const Entry &e : entries) {
        const QByteArray name = e.name.toUtf8();
        const quint32 offset = quint32(out.size());
        const quint16 method = e.deflated ? 8 : 0, nameSize = quint16(name.size());
        const quint32 stored = quint32(e.data.size());
        // Version needed, flags, method, time, date (1980-01-01), checksum, sizes, name size, extra size.
        put(out, quint32(0x04034b50), quint16(20), quint16(0), method, quint16(0), quint16(0x21), e.crc, stored, e.size,
            nameSize, quint16(0));
        // The same after "made by", then comment size, disk, attributes and the local header's offset.
        put(directory, quint32(0x02014b50), quint16(20), quint16(20), quint16(0), method, quint16(0), quint16(0x21),
            e.crc, stored, e.size, nameSize, quint16(0), quint16(0), quint16(0), quint16(0), quint32(0), offset);
        out.append(name);
        directory.append(name);
        out.append(e.data);
    }
    const quint32 start = quint32(out.size());
    out.append(directory);
    put(out, quint32(0x06054b50), quint16(0), quint16(0), quint16(entries.size()), quint16(entries.size()),
        quint32(directory.size()), start, quint16(0));
    return out;
}

QByteArray flood(const Flood &flood)
{
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>("x"), 1));
    QByteArray out;
    put(out, quint32(0x04034b50), quint16(20), quint16(0), quint16(0), quint16(0), quint16(0x21), crc, quint32(1),
        quint32(1), quint16(1), quint16(0));
    out.append("xx");
    QByteArray header;
    put(header, quint32(0x02014b50), quint16(20), quint16(20), quint16(0), quint16(0), quint16(0), quint16(0x21), crc,
        quint32(1), quint32(1), quint16(1), quint16(4 * flood.extraFields), quint16(0), quint16(0), quint16(0),
        quint32(0), quint32(0));
    header.append('x');
    // Fields of kinds no reader knows, each of its own so that none is taken for another's copy.
    for (int i = 0; i < flood.extraFields; ++i)
        put(header, quint16(0xa000 + i), quint16(0));
    const quint32 start = quint32(out.size());
    out += header.repeated(flood.entries);
    const quint32 size = quint32(out.size()) - start;
    if (flood.zip64) {
        const quint64 record = quint64(out.size());
        put(out, quint32(0x06064b50), quint64(44), quint16(45), quint16(45), quint32(0), quint32(0),
            quint64(flood.entries), quint64(flood.entries), quint64(size), quint64(start));
        put(out, quint32(0x07064b50), quint32(0), record, quint32(1));
    }
    QByteArray hidden;
    if (flood.hiddenEnd)
        put(hidden, quint32(0x06054b50), quint16(0), quint16(0), quint16(1), quint16(1), quint32(header.size()), start,
            quint16(0));
    put(out, quint32(0x06054b50), quint16(0), quint16(0), flood.claimed, flood.claimed, size, start,
        quint16(hidden.size()));
    return out + hidden;
}

QByteArray foreignDocument(const QImage &merged)
{
    const auto png = [](const QImage &image) {
        return TestImages::encoded(image.convertToFormat(QImage::Format_ARGB32), "PNG");
    };
    const QByteArray stack =
        QStringLiteral("<?xml version='1.0' encoding='UTF-8'?>\n<image version='0.0.3' w='%1' h='%2'>"
                       "<stack><layer name='Paint' src='data/layer0.png' x='0' y='0' "
                       "opacity='1.0' visibility='visible'/></stack></image>\n")
            .arg(merged.width())
            .arg(merged.height())
            .toUtf8();
    return archive({stored("mimetype", "image/openraster"), deflated("stack.xml", stack),
                    stored("data/layer0.png", png(merged)), stored("mergedimage.png", png(merged)),
                    stored("Thumbnails/thumbnail.png", png(merged.scaled(merged.size().boundedTo({256, 256}))))});
}

QByteArray pngClaiming(QSize size, int bitsPerChannel, bool interlaced)
{
    QByteArray header(13, '\0');
    qToBigEndian(quint32(size.width()), header.data());
    qToBigEndian(quint32(size.height()), header.data() + 4);
    header[8] = char(bitsPerChannel);
    header[9] = 2; // RGB
    header[12] = interlaced;
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
        + pngChunk("IDAT", QByteArray("x\x9c\x03\0\0\0\0\x01", 8)) + pngChunk("IEND", {});
}

QByteArray paddedPng(const QByteArray &png, qint64 paddingBytes)
{
    QByteArray before, data, after;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const qsizetype length = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray type = png.mid(at + 4, 4);
        if (type == "IDAT")
            data += png.mid(at + 8, length);
        else
            (data.isEmpty() ? before : after) += png.mid(at, length + 12);
        at += length + 12;
    }
    // The padding goes after the two bytes of the zlib header.
    const QByteArray padded = data.left(2) + emptyBlocks(paddingBytes) + data.mid(2);
    return png.left(8) + before + pngChunk("IDAT", padded) + after;
}

QList<Entry> entriesOf(const QByteArray &bytes)
{
    const ZipReader zip(bytes);
    QList<Entry> entries;
    for (const QString &name : zip.names()) {
        QString reason;
        const QByteArray data = zip.read(name, 1 << 30, &reason);
        entries << (name == QLatin1String("mimetype") || name.endsWith(QLatin1String(".png")) ? stored(name, data)
                                                                                              : deflated(name, data));
    }
    return entries;
}

QByteArray replaced(const QByteArray &bytes, const QString &name, const Entry &entry)
{
    QList<Entry> entries = entriesOf(bytes);
    const auto at = std::find_if(entries.begin(), entries.end(), [&](const Entry &e) { return e.name == name; });
    if (at == entries.end())
        entries << entry;
    else if (entry.name.isEmpty())
        entries.erase(at);
    else
        *at = entry;
    return archive(entries);
}

} // namespace TestZip
