#include "pictures/JpegProbe.h"

#include <algorithm>
#include <limits>

JpegProbe::JpegProbe(const QByteArray &bytes)
    : PictureProbe(bytes)
{
    readToFirstScan();
}

HeaderFacts JpegProbe::facts(QImageReader &reader, QSize keep) const
{
    HeaderFacts facts = readerSize(reader, keep);
    if (!facts.known()) {
        facts = HeaderFacts::sized(m_frameWidth, m_frameHeight, keep);
        facts.beyondDecoder = m_frameWidth > MaxSide || m_frameHeight > MaxSide;
    }
    facts.heldBytes = facts.part && m_coefficientBytes == 0 ? qint64(facts.kept.width()) * facts.kept.height() * 4
                                                            : HeaderFacts::pixelBytes(facts.width, facts.height, 4);
    facts.heldBytes =
        std::min(facts.heldBytes, std::numeric_limits<qint64>::max() - m_coefficientBytes) + m_coefficientBytes;
    return facts;
}

void JpegProbe::readToFirstScan()
{
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData());
    const qsizetype n = m_bytes.size();
    bool progressive = false;
    int components = 0;
    qint64 coefficientBytes = 0;
    for (qsizetype i = 2; i + 4 < n;) {
        if (p[i] != 0xFF)
            return;
        const uchar marker = p[i + 1];
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            // Precision, height, width, the number of components, then three bytes for each.
            components = i + 10 <= n ? p[i + 9] : 0;
            if (i + 10 + 3 * qsizetype(components) > n)
                return;
            const qint64 height = p[i + 5] << 8 | p[i + 6], width = p[i + 7] << 8 | p[i + 8];
            m_frameWidth = width;
            m_frameHeight = height;
            int hMax = 1, vMax = 1;
            for (int c = 0; c < components; ++c) {
                hMax = std::max(hMax, p[i + 11 + 3 * c] >> 4);
                vMax = std::max(vMax, p[i + 11 + 3 * c] & 0xF);
            }
            // Blocks of 8 x 8, in whole units of the component's sampling.
            const auto blocks = [](qint64 pixels, int factor, int most) {
                const qint64 count = (pixels * factor + most * 8 - 1) / (most * 8);
                return factor > 0 ? (count + factor - 1) / factor * factor : 0;
            };
            coefficientBytes = 0;
            for (int c = 0; c < components; ++c) {
                const int h = p[i + 11 + 3 * c] >> 4, v = p[i + 11 + 3 * c] & 0xF;
                coefficientBytes += blocks(width, h, hMax) * blocks(height, v, vMax) * 64 * 2;
            }
            progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        }
        if (marker == 0xDA) { // the first scan, and its number of components
            if (progressive || p[i + 4] < components)
                m_coefficientBytes = coefficientBytes;
            return;
        }
        if (marker == 0xD9)
            return;
        i += 2 + (p[i + 2] << 8 | p[i + 3]);
    }
}

bool JpegProbe::endsEarly() const
{
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData());
    const qsizetype n = m_bytes.size();
    qsizetype i = 2; // past the start-of-image marker
    for (;;) {
        if (i >= n)
            return true;
        if (p[i] != 0xFF)
            return false;
        while (i < n && p[i] == 0xFF)
            ++i;
        if (i >= n)
            return true;
        const uchar marker = p[i++];
        if (marker == 0xD9) // end of image; anything after it is not ours to judge
            return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        if (i + 2 > n)
            return true;
        const int length = p[i] << 8 | p[i + 1];
        if (length < 2)
            return false;
        i += length;
        if (i > n)
            return true;
        if (marker == 0xDA) {
            // Entropy-coded data runs to the next marker that is neither a stuffed
            // byte nor a restart marker.
            while (i + 1 < n && !(p[i] == 0xFF && p[i + 1] != 0x00 && (p[i + 1] < 0xD0 || p[i + 1] > 0xD7)))
                ++i;
            if (i + 1 >= n)
                return true;
        }
    }
}
