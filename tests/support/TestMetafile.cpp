#include "support/TestMetafile.h"

#include <QtEndian>

#include <algorithm>

namespace {

constexpr quint16 CreatePenIndirect = 0x02FA;
constexpr quint16 CreateBrushIndirect = 0x02FC;
constexpr quint16 SelectObject = 0x012D;
constexpr quint16 DeleteObject = 0x01F0;
constexpr quint16 Rectangle = 0x041B;
constexpr quint16 NullPenStyle = 5;

void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, quint32 value)
{
    put16(out, quint16(value & 0xffff));
    put16(out, quint16(value >> 16));
}

// A COLORREF is 0x00BBGGRR, stored as two little-endian words.
QList<quint16> colourRef(QRgb colour)
{
    return {quint16(qRed(colour) | qGreen(colour) << 8), quint16(qBlue(colour))};
}

} // namespace

TestMetafile::TestMetafile(const QRect &box, int unitsPerInch)
    : m_placeable(true), m_box(box), m_unitsPerInch(unitsPerInch)
{
}

int TestMetafile::takeSlot()
{
    const int free = int(m_slots.indexOf(false));
    const int slot = free >= 0 ? free : int(m_slots.size());
    if (free < 0)
        m_slots.append(true);
    m_slots[slot] = true;
    m_objectCount = std::max(m_objectCount, int(m_slots.size()));
    return slot;
}

TestMetafile &TestMetafile::createNullPen()
{
    takeSlot();
    return record(CreatePenIndirect, {NullPenStyle, 0, 0, 0, 0});
}

TestMetafile &TestMetafile::createSolidBrush(QRgb colour)
{
    takeSlot();
    return record(CreateBrushIndirect, QList<quint16>{0} + colourRef(colour) + QList<quint16>{0});
}

TestMetafile &TestMetafile::selectObject(int slot)
{
    return record(SelectObject, {quint16(slot)});
}

TestMetafile &TestMetafile::deleteObject(int slot)
{
    m_slots[slot] = false;
    return record(DeleteObject, {quint16(slot)});
}

TestMetafile &TestMetafile::rectangle(const QRect &rect)
{
    // Parameters are stored last first: bottom, right, top, left; edges exclusive.
    return record(Rectangle, {quint16(rect.bottom() + 1), quint16(rect.right() + 1), quint16(rect.top()),
                              quint16(rect.left())});
}

TestMetafile &TestMetafile::record(quint16 function, const QList<quint16> &words)
{
    const quint32 size = quint32(3 + words.size());
    m_maxRecordWords = std::max(m_maxRecordWords, size);
    put32(m_records, size);
    put16(m_records, function);
    for (quint16 word : words)
        put16(m_records, word);
    return *this;
}

QByteArray TestMetafile::bytes() const
{
    QByteArray out;
    if (m_placeable) {
        QByteArray header;
        put32(header, 0x9AC6CDD7u);
        put16(header, 0);
        put16(header, quint16(m_box.left()));
        put16(header, quint16(m_box.top()));
        put16(header, quint16(m_box.right() + 1));
        put16(header, quint16(m_box.bottom() + 1));
        put16(header, quint16(m_unitsPerInch));
        put32(header, 0);
        quint16 checksum = 0;
        for (int i = 0; i < header.size(); i += 2)
            checksum ^= qFromLittleEndian<quint16>(header.constData() + i);
        put16(header, checksum);
        out += header;
    }
    QByteArray records = m_records;
    put32(records, 3); // end record
    put16(records, 0);
    put16(out, 1); // on disk
    put16(out, 9); // header words
    put16(out, 0x0300);
    put32(out, quint32(9 + records.size() / 2));
    put16(out, quint16(m_objectCount));
    put32(out, std::max<quint32>(m_maxRecordWords, 3));
    put16(out, 0);
    return out + records;
}
