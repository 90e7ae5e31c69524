#pragma once

#include <QSize>

#include <functional>

#include <zlib.h>

class ZipEntryStream;

// Decodes a PNG of 8-bit RGB pixels as this program writes an opaque
// picture, without Qt Gui, reading it from its zip entry as it goes: one
// IDAT chunk, and a private chunk marking where the compressed rows start
// afresh halfway down, so that the two halves decode on two threads at once,
// the bottom one from a second reading of the entry. It takes on nothing
// else: another pixel format, interlacing, chunks that Qt's reader would turn
// into a colour space or texts, chunks it does not know, a checksum that does
// not match, or halves that do not join into the one stream every other
// reader sees; such a picture is left to Qt's reader.
class RgbPngDecoder
{
public:
    // Rows are handed on as they are done, with their number, as red, green
    // and blue bytes; the function returns false to stop.
    using Take = std::function<bool(int y, const unsigned char *rgb)>;

    explicit RgbPngDecoder(ZipEntryStream &entry);

    // Reads the chunks before the picture data; false unless the picture is plain RGB of that size.
    bool start(QSize size);
    QSize size() const { return m_size; }
    int dotsPerMeter() const { return m_dotsPerMeter; }
    // The first row of the bottom half; the height when the picture has one part.
    int splitRow() const { return m_splitRow; }
    // Where in the entry the bottom half's data starts.
    qint64 bottomStart() const { return m_dataStart + m_splitOffset; }

    // Decodes the top half (the whole picture when it has one part), then
    // reads the rest of the entry through, checking every checksum.
    bool decodeTop(const Take &take);
    // Decodes the bottom half of a picture in two parts from another reading
    // of the entry, placed at bottomStart(); may run beside decodeTop() on
    // another thread.
    bool decodeBottom(ZipEntryStream &beside, const Take &take);
    // After both halves: whether they were sound and join into one stream.
    bool joined() const;

private:
    // Feeds a stream's input from the entry, no further than the end of the picture data.
    struct Input;
    // Inflates rows first to last - 1, undoes their filters and hands them
    // on; adler, when given, sums the inflated bytes.
    bool decodeRows(z_stream &z, Input &input, int first, int last, int flush, unsigned long *adler, const Take &take,
                    int *result);

    ZipEntryStream &m_entry;
    QSize m_size;
    int m_dotsPerMeter = 0;
    int m_splitRow = 0;
    qint64 m_splitOffset = 0;
    qint64 m_dataStart = 0; // where in the entry the IDAT data starts
    qint64 m_dataSize = 0;
    quint32 m_dataCrc = 0; // of the IDAT chunk's type and the data before
    // What each half found, for joined() once both are done.
    bool m_ok[2] = {false, false};
    unsigned long m_adler[2] = {0, 0};
    quint32 m_checksum = 0;
    qint64 m_bottomBytes = 0;
};
