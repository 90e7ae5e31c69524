#include "pictures/TiffProbe.h"

#include <QtEndian>

HeaderFacts TiffProbe::facts(QImageReader &reader, QSize keep) const
{
    HeaderFacts facts = readerSize(reader, keep);
    if (!facts.known()) {
        const auto [width, height] = firstDirectorySize();
        facts = HeaderFacts::sized(width, height, keep);
    }
    facts.heldBytes = HeaderFacts::pixelBytes(facts.width, facts.height, decodedPixelBytes(reader));
    return facts;
}

std::pair<qint64, qint64> TiffProbe::firstDirectorySize() const
{
    const char *p = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    const bool little = m_bytes.startsWith(QByteArrayView("II*\0", 4));
    if (n < 8 || !(little || m_bytes.startsWith(QByteArrayView("MM\0*", 4))))
        return {0, 0};
    const auto u16 = [&](qsizetype at) -> qint64 {
        return little ? qFromLittleEndian<quint16>(p + at) : qFromBigEndian<quint16>(p + at);
    };
    const auto u32 = [&](qsizetype at) -> qint64 {
        return little ? qFromLittleEndian<quint32>(p + at) : qFromBigEndian<quint32>(p + at);
    };
    const qint64 directory = u32(4);
    if (directory > n - 2)
        return {0, 0};
    std::pair<qint64, qint64> size{0, 0};
    // Entries of twelve bytes: tag, type, count, and a value of a short or a long.
    for (qint64 entry = directory + 2, last = directory + 2 + 12 * u16(directory); entry < last && entry + 12 <= n;
         entry += 12) {
        const qint64 tag = u16(entry), type = u16(entry + 2);
        const qint64 value = type == 3 ? u16(entry + 8) : type == 4 ? u32(entry + 8) : 0;
        if (tag == 256)
            size.first = value;
        else if (tag == 257)
            size.second = value;
    }
    return size;
}
