#include "pictures/PngProbe.h"

#include "pictures/ImageRows.h"
#include "pictures/PngRowReader.h"

#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <cstring>

HeaderFacts PngProbe::facts(QImageReader &reader, QSize keep) const
{
    HeaderFacts facts = readerSize(reader, keep);
    if (!facts.known()) {
        const auto [width, height] = largestDeclared();
        facts = HeaderFacts::sized(width, height, keep);
        facts.beyondDecoder = width > MaxSide || height > MaxSide;
    }
    const qint64 bytesPerPixel = decodedPixelBytes(reader);
    // Only a part is read row by row, scaled to eight bits a channel.
    const bool interlaced = m_bytes.size() > 28 && m_bytes[28] != 0;
    facts.heldBytes = facts.part ? rowByRowBytes(facts.width, facts.kept, interlaced)
                                 : HeaderFacts::pixelBytes(facts.width, facts.height, bytesPerPixel);
    return facts;
}

QImage PngProbe::read(QImageReader &, const HeaderFacts &facts) const
{
    qsizetype at = 0;
    const PictureDecoder::ReadFunction fromBytes = [this, &at](char *to, qint64 count) {
        const qint64 n = std::min<qint64>(count, m_bytes.size() - at);
        memcpy(to, m_bytes.constData() + at, size_t(n));
        at += n;
        return n;
    };
    ImageRows rows;
    if (!PngRowReader::read(fromBytes, facts.decodedSize(), PngRowReader::Source::File, rows))
        return {};
    return rows.image();
}

HeaderFacts PngProbe::streamed(const QByteArray &head, QSize keep)
{
    const qint64 width = qFromBigEndian<quint32>(head.constData() + 16);
    const qint64 height = qFromBigEndian<quint32>(head.constData() + 20);
    HeaderFacts facts = HeaderFacts::sized(width, height, keep);
    facts.beyondDecoder = width > MaxSide || height > MaxSide;
    facts.heldBytes = rowByRowBytes(facts.width, facts.decodedSize(), head[28] != 0);
    return facts;
}

std::pair<qint64, qint64> PngProbe::largestDeclared() const
{
    std::pair<qint64, qint64> largest{0, 0};
    const char *p = m_bytes.constData();
    for (qint64 at = 8; at + 16 <= m_bytes.size();) {
        const qint64 length = qFromBigEndian<quint32>(p + at);
        const QByteArrayView type(p + at + 4, 4);
        if (type == "IHDR" && length >= 8) {
            const qint64 width = qFromBigEndian<quint32>(p + at + 8), height = qFromBigEndian<quint32>(p + at + 12);
            // Each side is below 2^32, so the products fit an unsigned 64-bit number.
            if (quint64(width) * quint64(height) > quint64(largest.first) * quint64(largest.second))
                largest = {width, height};
        }
        at += 12 + length;
    }
    return largest;
}

qint64 PngProbe::rowByRowBytes(qint64 width, QSize kept, bool interlaced)
{
    return qint64(kept.width()) * kept.height() * 4 + width * 4 * (interlaced ? kept.height() + 1 : 1);
}
