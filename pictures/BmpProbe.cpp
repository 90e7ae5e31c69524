#include "pictures/BmpProbe.h"

#include "pictures/PictureDecoder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>

BmpProbe::BmpProbe(const QByteArray &bytes)
    : PictureProbe(bytes)
{
    const char *p = bytes.constData();
    if (bytes.size() >= 18)
        m_headerSize = qFromLittleEndian<quint32>(p + 14);
    if (bytes.size() < 26)
        return;
    m_pixelOffset = qFromLittleEndian<quint32>(p + 10);
    if (m_headerSize == 12) {
        m_width = qFromLittleEndian<quint16>(p + 18);
        m_height = qFromLittleEndian<quint16>(p + 20);
        m_bitsPerPixel = qFromLittleEndian<quint16>(p + 24);
    } else if (bytes.size() >= 34) {
        const qint32 height = qFromLittleEndian<qint32>(p + 22);
        m_width = qFromLittleEndian<qint32>(p + 18);
        m_height = qAbs(qint64(height));
        m_bottomUp = height > 0;
        m_bitsPerPixel = qFromLittleEndian<quint16>(p + 28);
        m_compression = qFromLittleEndian<quint32>(p + 30);
    }
    if (m_width <= 0 || m_height <= 0)
        m_width = 0;
}

HeaderFacts BmpProbe::facts(QImageReader &reader, QSize keep) const
{
    // Qt's reader goes on past an information header of a size no bitmap has,
    // and hands back a picture of uninitialised memory.
    static constexpr quint32 Known[]{12, 16, 40, 52, 56, 64, 108, 124};
    if (m_bytes.size() < 18 || std::ranges::find(Known, m_headerSize) == std::end(Known)) {
        HeaderFacts damaged;
        damaged.refusal = QCoreApplication::translate("PictureDecoder", "the picture is damaged");
        return damaged;
    }
    HeaderFacts facts = readerSize(reader, keep);
    if (!facts.known())
        facts = HeaderFacts::sized(m_width, m_height, keep);
    facts.heldBytes = facts.part && cuttable() ? qint64(facts.kept.width()) * facts.kept.height() * 4
                                               : HeaderFacts::pixelBytes(facts.width, facts.height, 4);
    return facts;
}

bool BmpProbe::endsEarly() const
{
    // Pixels said to start beyond the end are missing whatever the layout; Qt
    // would leave the picture uninitialised.
    if (m_pixelOffset >= m_bytes.size())
        return true;
    if (m_width > 0 && runLengthCoded())
        return runsEndEarly();
    if (!fixedRows() || m_width == 0 || m_bitsPerPixel <= 0 || m_bitsPerPixel > 32)
        return false;
    const qint64 stride = (m_width * m_bitsPerPixel + 31) / 32 * 4;
    // Some writers leave out the padding of the last row.
    const qint64 lastRow = (m_width * m_bitsPerPixel + 7) / 8;
    const qint64 available = m_bytes.size() - m_pixelOffset;
    // More rows than the file can hold, however many the header claims.
    if (m_height - 1 > available / stride)
        return true;
    return available < stride * (m_height - 1) + lastRow;
}

QImage BmpProbe::read(QImageReader &reader, const HeaderFacts &facts) const
{
    if (facts.part && cuttable())
        return readCopy(cut(facts.kept), {});
    // Qt reads whole rows, and would leave a last row without its padding uninitialised.
    if (const qint64 missing = missingPadding(); missing > 0)
        return readCopy(m_bytes + QByteArray(missing, '\0'), facts.part ? facts.kept : QSize());
    if (facts.part)
        reader.setClipRect(QRect(QPoint(0, 0), facts.kept));
    if (m_width > 0 && runLengthCoded()) {
        // Qt decodes into a picture given to it, and leaves the pixels the codes
        // move over or end before as they were: colour 0, not uninitialised memory.
        QImage image(int(m_width), int(m_height), QImage::Format_Indexed8);
        image.fill(0);
        return reader.read(&image) ? image : QImage();
    }
    return reader.read();
}

QImage BmpProbe::readCopy(QByteArray bytes, QSize kept)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAllocationLimit(PictureDecoder::AllocationLimitMb);
    if (kept.isValid())
        reader.setClipRect(QRect(QPoint(0, 0), kept));
    return reader.read();
}

qint64 BmpProbe::missingPadding() const
{
    if (!fixedRows() || m_width == 0 || m_bitsPerPixel <= 0 || m_bitsPerPixel > 32 || m_pixelOffset >= m_bytes.size())
        return 0;
    const qint64 stride = (m_width * m_bitsPerPixel + 31) / 32 * 4;
    const qint64 available = m_bytes.size() - m_pixelOffset;
    if (m_height > available / stride + 1)
        return 0;
    return std::max<qint64>(0, stride * m_height - available);
}

bool BmpProbe::runLengthCoded() const
{
    return (m_compression == 1 && m_bitsPerPixel == 8) || (m_compression == 2 && m_bitsPerPixel == 4);
}

bool BmpProbe::runsEndEarly() const
{
    const auto *p = reinterpret_cast<const uchar *>(m_bytes.constData());
    const qsizetype n = m_bytes.size();
    qint64 row = 0;
    for (qsizetype i = m_pixelOffset; row < m_height;) {
        if (i + 2 > n)
            return true;
        const uchar count = p[i], code = p[i + 1];
        i += 2;
        if (count > 0) // a run of one colour
            continue;
        if (code == 0) { // end of row
            ++row;
        } else if (code == 1) { // end of picture
            return false;
        } else if (code == 2) { // a move right and down
            if (i + 2 > n)
                return true;
            row += p[i + 1];
            i += 2;
        } else { // that many pixels as they are, padded to a whole word
            const qsizetype pixelBytes = m_bitsPerPixel == 4 ? (code + 1) / 2 : code;
            i += pixelBytes + (pixelBytes & 1);
        }
    }
    return false;
}

bool BmpProbe::fixedRows() const
{
    return m_compression == 0 || m_compression == 3 || m_compression == 6;
}

bool BmpProbe::cuttable() const
{
    // The header is rewritten in place: the pixels must start after it.
    if (!fixedRows() || m_width == 0 || m_width > 1 << 24 || m_height > 1 << 24 || m_bytes.size() < 34
        || m_headerSize < 40 || m_pixelOffset < 14 + qint64(m_headerSize) || m_bitsPerPixel <= 0 || m_bitsPerPixel > 32)
        return false;
    const qint64 stride = (m_width * m_bitsPerPixel + 31) / 32 * 4;
    // Every row the part takes must be in the file.
    return m_pixelOffset + stride * m_height <= m_bytes.size() + stride - (m_width * m_bitsPerPixel + 7) / 8;
}

QByteArray BmpProbe::cut(QSize kept) const
{
    const qint64 stride = (m_width * m_bitsPerPixel + 31) / 32 * 4;
    const qint64 keptStride = (qint64(kept.width()) * m_bitsPerPixel + 31) / 32 * 4;
    const qint64 keptBytes = (qint64(kept.width()) * m_bitsPerPixel + 7) / 8;
    QByteArray part = m_bytes.left(m_pixelOffset);
    part.reserve(m_pixelOffset + keptStride * kept.height());
    for (int row = 0; row < kept.height(); ++row) {
        // Bottom-up files store the picture's last row first.
        const qint64 source = m_bottomUp ? m_height - kept.height() + row : row;
        const qsizetype at = part.size();
        part.append(m_bytes.constData() + m_pixelOffset + source * stride, keptBytes);
        part.resize(at + keptStride, '\0');
    }
    char *p = part.data();
    qToLittleEndian<quint32>(quint32(part.size()), p + 2);
    qToLittleEndian<qint32>(kept.width(), p + 18);
    qToLittleEndian<qint32>(m_bottomUp ? kept.height() : -kept.height(), p + 22);
    qToLittleEndian<quint32>(quint32(keptStride * kept.height()), p + 34);
    return part;
}
