#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QRgb>

// Writes a small Windows metafile record by record, the way a drawing program
// records one: optional placeable header, standard header, records, end record.
class TestMetafile
{
public:
    // A plain metafile, without a placeable header.
    TestMetafile() = default;
    // A placeable metafile whose header box is box in units per inch.
    TestMetafile(const QRect &box, int unitsPerInch);

    // Each create takes the lowest free object slot, as Windows does.
    TestMetafile &createNullPen();
    TestMetafile &createSolidBrush(QRgb colour);
    TestMetafile &selectObject(int slot);
    TestMetafile &deleteObject(int slot);
    TestMetafile &rectangle(const QRect &rect);
    // Any record, parameters given as 16-bit words.
    TestMetafile &record(quint16 function, const QList<quint16> &words);

    QByteArray bytes() const;

private:
    int takeSlot();

    bool m_placeable = false;
    QRect m_box;
    int m_unitsPerInch = 0;
    QList<bool> m_slots;
    int m_objectCount = 0;
    quint32 m_maxRecordWords = 0;
    QByteArray m_records;
};
