#include "pictures/GifProbe.h"

#include <QtEndian>

HeaderFacts GifProbe::facts(QImageReader &reader, QSize keep) const
{
    HeaderFacts facts = readerSize(reader, keep);
    if (facts.known() && m_bytes.size() >= 10) {
        const qint64 width = qFromLittleEndian<quint16>(m_bytes.constData() + 6);
        const qint64 height = qFromLittleEndian<quint16>(m_bytes.constData() + 8);
        facts = HeaderFacts::sized(width > 0 ? width : facts.width, height > 0 ? height : facts.height, keep);
    }
    facts.heldBytes = HeaderFacts::pixelBytes(facts.width, facts.height, 4);
    return facts;
}

bool GifProbe::endsEarly() const
{
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData());
    const qsizetype n = m_bytes.size();
    const auto colourTableBytes = [](uchar flags) { return flags & 0x80 ? 3 << ((flags & 7) + 1) : 0; };
    qsizetype i = 13; // header and logical screen descriptor
    if (i > n)
        return true;
    i += colourTableBytes(p[10]);
    const auto skipSubBlocks = [&] {
        while (i < n) {
            const uchar length = p[i++];
            if (length == 0)
                return true;
            i += length;
        }
        return false;
    };
    while (i < n) {
        switch (p[i++]) {
        case 0x3B: // trailer
            return false;
        case 0x21: // extension: label, then sub-blocks
            ++i;
            if (!skipSubBlocks())
                return true;
            break;
        case 0x2C: // image: descriptor, local colour table, code size, sub-blocks
            if (i + 9 > n)
                return true;
            i += 9 + colourTableBytes(p[i + 8]) + 1;
            if (!skipSubBlocks())
                return true;
            break;
        default:
            return false;
        }
    }
    // Blocks complete but no trailer: some writers leave it out.
    return i > n;
}
