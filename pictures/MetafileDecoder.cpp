#include "pictures/MetafileDecoder.h"

#include "pictures/MetafileFonts.h"

#include <QSize>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

// libwmf's headers define many short Windows-style macros; keep them after Qt's.
#include <libwmf/api.h>
#include <libwmf/font.h>
#include <libwmf/gd.h>

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7u;
constexpr int PlaceableHeaderBytes = 22;
constexpr int PlainHeaderBytes = 18;
// Where the plain header gives the size of the longest record, in words.
constexpr int MaxRecordField = 12;
constexpr double PixelsPerInch = 96.0;

quint32 u32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

quint16 u16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

// What the callbacks handed to libwmf need; hangs on the API's user_data.
struct Session
{
    QByteArray png;
    bool outOfMemory = false;
    void (*drawText)(wmfAPI *, wmfDrawText_t *) = nullptr;
};

Session &session(wmfAPI *api)
{
    return *static_cast<Session *>(api->user_data);
}

// The picture comes back PNG-encoded: libwmf then frees its own drawing surface,
// which it would otherwise hand over with no public way to release it.
int appendPng(void *context, char *buffer, int length)
{
    auto *s = static_cast<Session *>(context);
    try {
        s->png.append(buffer, length);
    } catch (const std::bad_alloc &) {
        s->outOfMemory = true;
        return 0;
    }
    return length;
}

// Every metafile starts with a default font, so without libwmf's font files even
// a drawing with no text would fail. A font that cannot load leaves its text out.
void mapFontOrNone(wmfAPI *api, wmfFont *font)
{
    const wmf_error_t before = api->err;
    wmf_ipa_font_map(api, font);
    if (before == wmf_E_None && api->err == wmf_E_BadFile && font && !WMF_FONT_FTFACE(font))
        api->err = wmf_E_None;
}

void drawTextWithFont(wmfAPI *api, wmfDrawText_t *text)
{
    if (text->dc && text->dc->font && WMF_FONT_FTFACE(text->dc->font))
        session(api).drawText(api, text);
}

using ApiPointer = std::unique_ptr<wmfAPI, wmf_error_t (*)(wmfAPI *)>;

// Destroying the instance releases everything libwmf allocated, its drawing
// surface included, whichever step failed.
ApiPointer createApi()
{
    wmfAPI_Options options{};
    options.function = wmf_gd_function;
    // No messages on the terminal, no command line, no X11 device.
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    wmfAPI *api = nullptr; // left null when creation fails
    wmf_api_create(&api, flags, &options);
    return ApiPointer(api, wmf_api_destroy);
}

QString describe(wmf_error_t error)
{
    switch (error) {
    case wmf_E_InsMem:
        return MetafileDecoder::tr("there is not enough memory to draw the metafile");
    case wmf_E_EOF:
        return MetafileDecoder::tr("the metafile is incomplete");
    default:
        return MetafileDecoder::tr("the metafile is damaged or uses features that cannot be drawn");
    }
}

bool isPlaceable(const QByteArray &data)
{
    return data.size() >= 4 && u32(data.constData()) == PlaceableKey;
}

bool hasPlainHeader(const QByteArray &data, qsizetype at)
{
    if (data.size() < at + PlainHeaderBytes)
        return false;
    const quint16 type = u16(data.constData() + at);
    const quint16 headerWords = u16(data.constData() + at + 2);
    return (type == 1 || type == 2) && headerWords == 9;
}

// The header box of a placeable metafile at 96 pixels per inch, or an empty size
// with reason set when the header gives none.
QSize placeableSize(const QByteArray &data, QString *reason)
{
    const char *p = data.constData();
    const int left = qFromLittleEndian<qint16>(p + 6);
    const int top = qFromLittleEndian<qint16>(p + 8);
    const int right = qFromLittleEndian<qint16>(p + 10);
    const int bottom = qFromLittleEndian<qint16>(p + 12);
    const int unitsPerInch = u16(p + 14);
    if (unitsPerInch == 0 || left == right || top == bottom) {
        *reason = MetafileDecoder::tr("the metafile header gives it no size");
        return {};
    }
    const double scale = PixelsPerInch / unitsPerInch;
    return QSize(std::max(1, int(std::lround(std::abs(right - left) * scale))),
                 std::max(1, int(std::lround(std::abs(bottom - top) * scale))));
}

// Whether a bitmap stored in a record is one libwmf reads safely: its reader
// loops for ever on some header sizes and trusts the dimensions it is given.
bool soundBitmap(const char *p, qsizetype length)
{
    if (length < 12)
        return false;
    const quint32 headerSize = u32(p);
    qint64 width, height;
    int planes, bits;
    quint32 compression = 0, coloursUsed = 0;
    if (headerSize == 12) {
        width = u16(p + 4);
        height = u16(p + 6);
        planes = u16(p + 8);
        bits = u16(p + 10);
    } else {
        if (headerSize < 40 || headerSize > 124 || length < qsizetype(headerSize))
            return false;
        width = qFromLittleEndian<qint32>(p + 4);
        height = qAbs(qint64(qFromLittleEndian<qint32>(p + 8)));
        planes = u16(p + 12);
        bits = u16(p + 14);
        compression = u32(p + 16);
        coloursUsed = u32(p + 32);
    }
    const bool knownDepth = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const qint64 maxPixels = qint64(MetafileDecoder::MaxSide) * MetafileDecoder::MaxSide;
    if (planes != 1 || !knownDepth || width < 1 || height < 1 || width * height > maxPixels || coloursUsed > 256)
        return false;
    const qint64 paletteEntries = coloursUsed ? coloursUsed : (bits <= 8 ? 1 << bits : 0);
    const qint64 masks = compression == 3 && headerSize == 40 ? 12 : 0;
    const qint64 pixels = headerSize + paletteEntries * (headerSize == 12 ? 3 : 4) + masks;
    switch (compression) {
    case 0: // uncompressed rows
        return pixels + (width * bits + 31) / 32 * 4 * height <= length;
    case 1: // run-length coded
        return bits == 8 && pixels < length;
    case 2:
        return bits == 4 && pixels < length;
    case 3: // bit fields
        return (bits == 16 || bits == 32) && pixels + (width * bits + 31) / 32 * 4 * height <= length;
    default:
        return false;
    }
}

// Where a record's bitmap starts, in words after the record header; -1 for records without one.
int bitmapOffset(quint16 function, quint32 parameterWords)
{
    switch (function) {
    case 0x0940: // DIBBITBLT; nine parameters means a raster operation without a bitmap
        return parameterWords == 9 ? -1 : 8;
    case 0x0B41: // DIBSTRETCHBLT
        return 10;
    case 0x0F43: // STRETCHDIB
        return 11;
    case 0x0D33: // SETDIBTODEV
        return 9;
    case 0x0142: // DIBCREATEPATTERNBRUSH
        return 2;
    default:
        return -1;
    }
}

// Walks the records before libwmf does: each must lie inside the file, the last
// must be the end record, and every bitmap must be sound. An empty reason means
// libwmf may have the file; largestRecord is then the size of its longest record
// in words.
QString checkRecords(const QByteArray &data, qsizetype at, quint32 *largestRecord)
{
    const qsizetype n = data.size();
    const char *p = data.constData();
    at += PlainHeaderBytes;
    *largestRecord = 3;
    for (;;) {
        if (at + 6 > n)
            return MetafileDecoder::tr("the metafile is incomplete");
        const quint32 words = u32(p + at);
        const quint16 function = u16(p + at + 4);
        if (words == 3 && function == 0)
            return {};
        if (words < 3)
            return MetafileDecoder::tr("the metafile is damaged");
        if (qint64(words) * 2 > n - at)
            return MetafileDecoder::tr("the metafile is incomplete");
        const int offset = bitmapOffset(function, words - 3);
        if (offset >= 0) {
            const qsizetype bitmapBytes = (qsizetype(words) - 3 - offset) * 2;
            if (bitmapBytes > 0 && !soundBitmap(p + at + 6 + offset * 2, bitmapBytes))
                return MetafileDecoder::tr("the metafile holds a damaged bitmap");
        }
        *largestRecord = std::max(*largestRecord, words);
        at += qsizetype(words) * 2;
    }
}

bool usableBox(const wmfD_Rect &box)
{
    return std::isfinite(box.TL.x) && std::isfinite(box.TL.y) && std::isfinite(box.BR.x) && std::isfinite(box.BR.y)
        && box.BR.x > box.TL.x && box.BR.y > box.TL.y;
}

// A metafile drawn by libwmf: the picture's size and its PNG encoding, or why not.
struct Drawing
{
    QSize size;
    QByteArray png;
    QString error;
};

// Plays a metafile that checkRecords() accepted; size is empty for a plain
// metafile, which takes the size of what its records draw.
Drawing draw(QByteArray &data, bool placeable, QSize size)
{
    Drawing result;
    Session s; // outlives the instance that calls back into it
    const ApiPointer api = createApi();
    if (!api) {
        result.error = MetafileDecoder::tr("the metafile reader could not be started");
        return result;
    }
    wmfAPI *wmf = api.get();
    wmf->user_data = &s;
    MetafileFonts::serve(wmf);
    wmf_ipa_font_map_set(wmf, mapFontOrNone);
    auto *functions = static_cast<wmfFunctionReference *>(wmf->function_reference);
    s.drawText = functions->draw_text;
    functions->draw_text = drawTextWithFont;

    wmf_gd_t *device = WMF_GD_GetData(wmf);
    device->type = wmf_gd_png;
    device->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
    device->sink.context = &s;
    device->sink.function = appendPng;

    wmfD_Rect box{};
    if (wmf_mem_open(wmf, reinterpret_cast<unsigned char *>(data.data()), long(data.size())) != wmf_E_None
        || wmf_scan(wmf, 0, &box) != wmf_E_None) {
        result.error = describe(wmf->err);
        return result;
    }
    if (!usableBox(box)) {
        result.error = MetafileDecoder::tr("the metafile draws nothing");
        return result;
    }
    if (!placeable) {
        const double width = std::ceil(double(box.BR.x) - box.TL.x);
        const double height = std::ceil(double(box.BR.y) - box.TL.y);
        size = QSize(int(std::min(width, double(MetafileDecoder::MaxSide + 1))),
                     int(std::min(height, double(MetafileDecoder::MaxSide + 1))));
    }
    if (size.width() > MetafileDecoder::MaxSide || size.height() > MetafileDecoder::MaxSide) {
        result.error =
            MetafileDecoder::tr("the picture is too large (at most %1 x %1 pixels)").arg(MetafileDecoder::MaxSide);
        return result;
    }
    device->bbox = box;
    device->width = unsigned(size.width());
    device->height = unsigned(size.height());
    if (wmf_play(wmf, 0, &box) != wmf_E_None) {
        result.error = describe(wmf->err);
        return result;
    }
    if (s.outOfMemory) {
        result.error = describe(wmf_E_InsMem);
        return result;
    }
    result.size = size;
    result.png = std::move(s.png);
    return result;
}

} // namespace

QString MetafileDecoder::check(QByteArray &data, QSize *size)
{
    if (data.size() > MaxFileBytes)
        return tr("the file is too large to be a metafile");
    const bool placeable = isPlaceable(data);
    if (!(placeable ? hasPlainHeader(data, PlaceableHeaderBytes) : hasPlainHeader(data, 0)))
        return data.isEmpty() ? tr("the file is empty") : tr("it is not a Windows metafile");
    const qsizetype headerAt = placeable ? PlaceableHeaderBytes : 0;
    quint32 largestRecord = 0;
    if (const QString reason = checkRecords(data, headerAt, &largestRecord); !reason.isEmpty())
        return reason;
    // libwmf sizes its record buffer from the header's claim, which a damaged file
    // can make gigabytes or too small; it gets the true figure instead.
    qToLittleEndian(largestRecord, data.data() + headerAt + MaxRecordField);
    QString reason;
    *size = placeable ? placeableSize(data, &reason) : QSize();
    return reason;
}

QImage MetafileDecoder::decode(const QByteArray &bytes, QString *reason)
{
    // A copy of its own, mended by check(); libwmf reads from it until its instance is destroyed.
    QByteArray data = bytes;
    QSize size;
    *reason = check(data, &size);
    if (!reason->isEmpty())
        return {};
    const Drawing drawing = draw(data, isPlaceable(data), size);
    if (!drawing.error.isEmpty()) {
        *reason = drawing.error;
        return {};
    }
    QImage image;
    if (!image.loadFromData(drawing.png, "PNG") || image.size() != drawing.size) {
        *reason = tr("the metafile could not be drawn");
        return {};
    }
    return image;
}
