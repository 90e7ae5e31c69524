#include "pictures/DrawingProbe.h"

#include <QCoreApplication>

#include <zlib.h>

#include <vector>

HeaderFacts DrawingProbe::facts(QImageReader &reader, QSize keep) const
{
    if (textBytes(MaxTextBytes) > MaxTextBytes) {
        HeaderFacts refused;
        refused.refusal = QCoreApplication::translate("PictureDecoder", "the drawing is too large");
        return refused;
    }
    return PictureProbe::facts(reader, keep);
}

qint64 DrawingProbe::textBytes(qint64 limit) const
{
    if (!m_bytes.startsWith("\x1F\x8B"))
        return m_bytes.size();
    z_stream stream{};
    if (inflateInit2(&stream, MAX_WBITS + 16) != Z_OK) // a gzip wrapper
        return limit + 1;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(m_bytes.constData()));
    stream.avail_in = uInt(m_bytes.size());
    std::vector<Bytef> out(64 * 1024);
    qint64 total = 0;
    int result = Z_OK;
    while (total <= limit && (result == Z_OK || (result == Z_STREAM_END && stream.avail_in > 0))) {
        if (result == Z_STREAM_END)
            inflateReset(&stream);
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        result = inflate(&stream, Z_NO_FLUSH);
        total += qint64(out.size() - stream.avail_out);
    }
    inflateEnd(&stream);
    return total;
}
