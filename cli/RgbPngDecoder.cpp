#include "cli/RgbPngDecoder.h"

#include "document/DocumentWriter.h"
#include "document/ZipEntryStream.h"

#include <QtEndian>

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr int Pixel = 3;

// Undoes a row's filter: five kinds, each adding back a neighbour's byte.
bool unfilter(unsigned char kind, const unsigned char *in, const unsigned char *above, unsigned char *out,
              qsizetype bytes)
{
    switch (kind) {
    case 0:
        memcpy(out, in, size_t(bytes));
        return true;
    case 1:
        memcpy(out, in, Pixel);
        for (qsizetype i = Pixel; i < bytes; ++i)
            out[i] = uchar(in[i] + out[i - Pixel]);
        return true;
    case 2:
        for (qsizetype i = 0; i < bytes; ++i)
            out[i] = uchar(in[i] + above[i]);
        return true;
    case 3:
        for (qsizetype i = 0; i < bytes; ++i)
            out[i] = uchar(in[i] + ((i >= Pixel ? out[i - Pixel] : 0) + above[i]) / 2);
        return true;
    case 4:
        for (qsizetype i = 0; i < bytes; ++i) {
            const int a = i >= Pixel ? out[i - Pixel] : 0, b = above[i], c = i >= Pixel ? above[i - Pixel] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            out[i] = uchar(in[i] + (pa <= pb && pa <= pc ? a : pb <= pc ? b : c));
        }
        return true;
    default:
        return false;
    }
}

// Exactly count bytes of the entry.
bool readExactly(ZipEntryStream &entry, void *to, qint64 count)
{
    for (qint64 done = 0; done < count;) {
        const qint64 n = entry.read(static_cast<char *>(to) + done, count - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

struct RgbPngDecoder::Input
{
    Input(ZipEntryStream &entry, qint64 left)
        : entry(entry)
        , left(left)
    {
    }

    // Refills the stream's input when it has run out; false when the picture data has ended.
    bool refill(z_stream &z)
    {
        if (z.avail_in > 0)
            return true;
        const qint64 n = entry.read(buffer, qMin<qint64>(sizeof buffer, left));
        if (n <= 0)
            return false;
        left -= n;
        if (crc)
            *crc = uInt(crc32(*crc, reinterpret_cast<const Bytef *>(buffer), uInt(n)));
        z.next_in = reinterpret_cast<Bytef *>(buffer);
        z.avail_in = uInt(n);
        return true;
    }

    // A step of inflating that must produce nothing more, at the end of a half.
    int stepWithoutOutput(z_stream &z, int flush)
    {
        refill(z);
        unsigned char scratch;
        z.next_out = &scratch;
        z.avail_out = 1;
        const int result = inflate(&z, flush);
        return z.avail_out == 1 ? result : Z_DATA_ERROR;
    }
    // Inflates on to the end of the stream, which must follow the last row.
    bool toStreamEnd(z_stream &z, int result)
    {
        while (result == Z_OK)
            result = stepWithoutOutput(z, Z_NO_FLUSH);
        return result == Z_STREAM_END;
    }

    ZipEntryStream &entry;
    qint64 left;            // picture data not yet read
    quint32 *crc = nullptr; // the chunk checksum, for the reading that covers all the data
    char buffer[65536];
};

RgbPngDecoder::RgbPngDecoder(ZipEntryStream &entry)
    : m_entry(entry)
{
}

bool RgbPngDecoder::start(QSize size)
{
    unsigned char signature[8];
    if (!readExactly(m_entry, signature, 8) || memcmp(signature, "\x89PNG\r\n\x1a\n", 8) != 0)
        return false;
    m_size = size;
    m_splitRow = size.height();
    qint64 at = 8;
    for (bool header = false;;) {
        unsigned char head[8];
        if (!readExactly(m_entry, head, 8))
            return false;
        const quint32 length = qFromBigEndian<quint32>(head);
        const unsigned char *const type = head + 4;
        const auto is = [type](const char *name) { return memcmp(type, name, 4) == 0; };
        at += 8;
        if (is("IDAT") && header) {
            m_dataStart = at;
            m_dataSize = length;
            m_dataCrc = quint32(crc32(0, type, 4));
            break;
        }
        // The chunks before the data are a few bytes each.
        unsigned char data[13 + 4];
        if (length > 13 || !readExactly(m_entry, data, length + 4))
            return false;
        at += length + 4;
        quint32 crc = quint32(crc32(0, type, 4));
        crc = quint32(crc32(crc, data, length));
        if (crc != qFromBigEndian<quint32>(data + length))
            return false;
        if (!header) {
            // Eight bits of red, green and blue, deflated, standard filters, not interlaced.
            static const unsigned char rgb[5] = {8, 2, 0, 0, 0};
            if (!is("IHDR") || length != 13 || qFromBigEndian<quint32>(data) != quint32(size.width())
                || qFromBigEndian<quint32>(data + 4) != quint32(size.height()) || memcmp(data + 8, rgb, 5) != 0)
                return false;
            header = true;
        } else if (is("pHYs") && length == 9) {
            const quint32 x = qFromBigEndian<quint32>(data), y = qFromBigEndian<quint32>(data + 4);
            m_dotsPerMeter = data[8] == 1 && x == y && x <= 1u << 30 ? int(x) : 0;
        } else if (is(DocumentWriter::SplitChunk) && length == 8) {
            m_splitRow = int(qMin<quint32>(qFromBigEndian<quint32>(data), quint32(size.height())));
            m_splitOffset = qFromBigEndian<quint32>(data + 4);
        } else {
            return false;
        }
    }
    // A split leaves both halves some rows, and the top half its stream's two-byte header.
    if (m_splitRow <= 0 || m_splitOffset <= 2 || m_splitOffset >= m_dataSize)
        m_splitRow = size.height();
    return true;
}

bool RgbPngDecoder::decodeRows(z_stream &z, Input &input, int first, int last, int flush, unsigned long *adler,
                               const Take &take, int *result)
{
    const qsizetype rowBytes = qsizetype(m_size.width()) * Pixel;
    // The row as packed, after its filter byte, and the rows undone: this one and the one above.
    std::vector<unsigned char> raw(size_t(rowBytes) + 1), rows(size_t(rowBytes) * 2, 0);
    unsigned char *row = rows.data(), *above = rows.data() + rowBytes;
    for (int y = first; y < last; ++y) {
        z.next_out = raw.data();
        z.avail_out = uInt(raw.size());
        while (z.avail_out > 0) {
            input.refill(z);
            *result = inflate(&z, flush);
            if (*result == Z_STREAM_END && (z.avail_out > 0 || y != m_size.height() - 1))
                return false;
            if (*result != Z_OK && *result != Z_STREAM_END)
                return false;
        }
        // The first row of the bottom half cannot look at the row above, which the other thread decodes.
        if ((y == first && first > 0 && raw[0] > 1) || !unfilter(raw[0], raw.data() + 1, above, row, rowBytes))
            return false;
        if (adler)
            *adler = adler32(*adler, raw.data(), uInt(raw.size()));
        if (!take(y, row))
            return false;
        std::swap(row, above);
    }
    return true;
}

bool RgbPngDecoder::decodeTop(const Take &take)
{
    const bool split = m_splitRow < m_size.height();
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return false;
    Input input(m_entry, m_dataSize);
    quint32 crc = m_dataCrc;
    input.crc = &crc;
    int result = Z_OK;
    // Split, the top half stops at each block's end, so that it never reads
    // on into the bottom half's data.
    bool ok = decodeRows(z, input, 0, m_splitRow, split ? Z_BLOCK : Z_NO_FLUSH, nullptr, take, &result);
    if (ok && split) {
        // The top half ends exactly where the bottom half begins, at a block boundary on a whole byte.
        for (int blocks = 0; ok && qint64(z.total_in) < m_splitOffset && blocks < 4; ++blocks)
            ok = input.stepWithoutOutput(z, Z_BLOCK) == Z_OK;
        ok = ok && qint64(z.total_in) == m_splitOffset && (z.data_type & 0xC7) == 0x80;
        m_adler[0] = z.adler;
    } else if (ok) {
        // The end of the stream, which checks its checksum, and then nothing.
        ok = input.toStreamEnd(z, result) && z.avail_in == 0 && input.left == 0;
    }
    inflateEnd(&z);
    // The rest of the data, read through for the chunk's checksum; then the
    // checksum, the end chunk, and the end of the entry, whose own checksum
    // is checked there.
    while (ok && input.left > 0) {
        z.avail_in = 0;
        ok = input.refill(z);
    }
    unsigned char tail[4 + 12], extra;
    ok = ok && readExactly(m_entry, tail, sizeof tail) && qFromBigEndian<quint32>(tail) == crc
         && memcmp(tail + 4, "\0\0\0\0IEND\xae\x42\x60\x82", 12) == 0 && m_entry.read(reinterpret_cast<char *>(&extra), 1) == 0
         && m_entry.finish();
    m_ok[0] = ok;
    return ok;
}

bool RgbPngDecoder::decodeBottom(ZipEntryStream &beside, const Take &take)
{
    if (m_splitRow == m_size.height())
        return false;
    z_stream z{};
    // Bare deflate data, where the stream was begun afresh.
    if (inflateInit2(&z, -15) != Z_OK)
        return false;
    Input input(beside, m_dataSize - m_splitOffset);
    unsigned long adler = adler32(0, nullptr, 0);
    int result = Z_OK;
    bool ok = decodeRows(z, input, m_splitRow, m_size.height(), Z_NO_FLUSH, &adler, take, &result);
    // After the end, the data holds only the checksum of the whole stream.
    unsigned char checksum[4];
    ok = ok && input.toStreamEnd(z, result) && qint64(z.avail_in) + input.left == 4;
    if (ok) {
        memcpy(checksum, z.next_in, z.avail_in);
        ok = readExactly(beside, checksum + z.avail_in, input.left);
    }
    inflateEnd(&z);
    if (ok) {
        m_adler[1] = adler;
        m_checksum = qFromBigEndian<quint32>(checksum);
        m_bottomBytes = (qint64(m_size.width()) * Pixel + 1) * (m_size.height() - m_splitRow);
    }
    m_ok[1] = ok;
    return ok;
}

bool RgbPngDecoder::joined() const
{
    // In one part, the stream's own end checked its checksum.
    if (m_splitRow == m_size.height())
        return m_ok[0];
    return m_ok[0] && m_ok[1] && m_checksum == quint32(adler32_combine(m_adler[0], m_adler[1], z_off_t(m_bottomBytes)));
}
