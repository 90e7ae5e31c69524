#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>

// Writes a small Windows metafile the way a drawing program records one: an
// optional placeable header, the standard header, the records, the end record.
// The first records make a null pen (object slot 0) and select it.
class TestMetafile
{
public:
    // A placeable metafile whose header box is box in units per inch; a null box
    // writes a plain metafile, without the placeable header.
    explicit TestMetafile(const QRect &box = {}, int unitsPerInch = 96);

    // Fills rect with colour through a solid brush in slot 1, deleted after use.
    TestMetafile &rectangle(const QRect &rect, QRgb colour);
    // Stretches image over target, stored as a 24-bit device-independent bitmap
    // whose header says it is headerSize bytes long.
    TestMetafile &bitmap(const QRect &target, const QImage &image, quint32 headerSize = 40);

    // Writes text (Latin-1) with its top left at at, in the font face of the given height
    // in pixels and colour, on a transparent background; the font takes object slot 1.
    TestMetafile &text(QPoint at, const QByteArray &text, int height, QRgb colour, const QByteArray &face = "Arial");

    QByteArray bytes() const;
    // A 4096 x 4096 pixel metafile that fills its whole box fills times: slow to draw.
    static QByteArray busy(int fills);

private:
    // Any record, parameters given as 16-bit words.
    TestMetafile &record(quint16 function, const QList<qint64> &words);

    QRect m_box;
    int m_unitsPerInch;
    qint64 m_maxRecordWords = 3;
    QByteArray m_records;
};
