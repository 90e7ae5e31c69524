#include "support/TestMetafile.h"

#include <algorithm>

namespace {

// Appends each value as a little-endian 16-bit word.
void put(QByteArray &out, const QList<qint64> &words)
{
    for (qint64 word : words)
        out.append(char(word & 0xff)).append(char(word >> 8 & 0xff));
}

// The bytes as little-endian 16-bit words, the last padded with a NUL.
QList<qint64> words(QByteArray bytes)
{
    if (bytes.size() % 2)
        bytes += '\0';
    QList<qint64> out;
    for (int i = 0; i < bytes.size(); i += 2)
        out.append(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8);
    return out;
}

} // namespace

TestMetafile::TestMetafile(const QRect &box, int unitsPerInch)
    : m_box(box)
    , m_unitsPerInch(unitsPerInch)
{
    record(0x02FA, {5, 0, 0, 0, 0}).record(0x012D, {0});
}

TestMetafile &TestMetafile::rectangle(const QRect &rect, QRgb colour)
{
    // Colours are 0x00BBGGRR; the edges come last first, right and bottom exclusive.
    return record(0x02FC, {0, qRed(colour) | qGreen(colour) << 8, qBlue(colour), 0})
        .record(0x012D, {1})
        .record(0x041B, {rect.bottom() + 1, rect.right() + 1, rect.top(), rect.left()})
        .record(0x01F0, {1});
}

TestMetafile &TestMetafile::bitmap(const QRect &target, const QImage &image, quint32 headerSize)
{
    // Header size, width, height, one plane, 24 bits, then no compression and
    // sizes and colour counts left to the reader; rows bottom up, padded to four bytes.
    QByteArray dib;
    put(dib, {headerSize & 0xffff, headerSize >> 16, image.width(), 0, image.height(), 0, 1, 24});
    dib.append(24 + std::max(0, int(headerSize) - 40), '\0');
    const QImage rows = image.convertToFormat(QImage::Format_BGR888).mirrored(); // lines padded as the bitmap's
    dib.append(reinterpret_cast<const char *>(rows.constBits()), rows.sizeInBytes());
    // Copying raster operation, source box, target box (each last first), the bitmap.
    return record(0x0B41,
                  QList<qint64>{0x0020, 0x00CC, image.height(), image.width(), 0, 0, target.height(), target.width(),
                                target.top(), target.left()}
                      + words(dib));
}

TestMetafile &TestMetafile::text(QPoint at, const QByteArray &text, int height, QRgb colour, const QByteArray &face)
{
    // The logical font: height, width, escapement, orientation, weight, then eight one-byte
    // fields (italic ... pitch and family) and the face name, NUL-terminated.
    return record(0x02FB, QList<qint64>{-height, 0, 0, 0, 400, 0, 0, 0, 0} + words(face + '\0'))
        .record(0x012D, {1})
        .record(0x0209, {qRed(colour) | qGreen(colour) << 8, qBlue(colour)})
        .record(0x0102, {1})
        .record(0x012E, {0}) // text aligned by its top left corner
        .record(0x0521, QList<qint64>{text.size()} + words(text) + QList<qint64>{at.y(), at.x()});
}

TestMetafile &TestMetafile::record(quint16 function, const QList<qint64> &words)
{
    const qint64 size = 3 + words.size();
    m_maxRecordWords = std::max(m_maxRecordWords, size);
    put(m_records, QList<qint64>{size & 0xffff, size >> 16, function} + words);
    return *this;
}

QByteArray TestMetafile::bytes() const
{
    QByteArray out;
    // Key, handle, box (right and bottom exclusive), units per inch, reserved,
    // checksum (left 0: libwmf does not check it).
    if (!m_box.isNull())
        put(out,
            {0xCDD7, 0x9AC6, 0, m_box.left(), m_box.top(), m_box.right() + 1, m_box.bottom() + 1, m_unitsPerInch, 0, 0,
             0});
    // On disk, nine header words, version 3, size in words, two object slots,
    // the largest record; then the records and the end record.
    const qint64 words = 9 + m_records.size() / 2 + 3;
    put(out, {1, 9, 0x0300, words & 0xffff, words >> 16, 2, m_maxRecordWords & 0xffff, m_maxRecordWords >> 16, 0});
    out += m_records;
    put(out, {3, 0, 0});
    return out;
}

QByteArray TestMetafile::busy(int fills)
{
    const QRect box(0, 0, 4096, 4096);
    TestMetafile metafile(box);
    for (int i = 0; i < fills; ++i)
        metafile.rectangle(box, qRgb(i & 0xff, 255 - (i & 0xff), 128));
    return metafile.bytes();
}
