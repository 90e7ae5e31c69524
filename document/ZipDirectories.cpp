#include "document/ZipDirectories.h"

#include <QtEndian>

#include <optional>

namespace {

constexpr quint32 Locator64Signature = 0x07064b50, End64Signature = 0x06064b50,
                  CentralSignature = 0x02014b50, LocalSignature = 0x04034b50;
constexpr qint64 EndBytes = 22, Locator64Bytes = 20, End64Bytes = 56, CentralBytes = 46, LocalBytes = 30;
constexpr qint64 MaxCommentBytes = 0xffff;
constexpr quint32 Zip64Marker = 0xffffffff;

// The little-endian number of type T at at, kept far below overflow when added to another.
template<typename T>
qint64 field(const QByteArray &bytes, qsizetype at)
{
    return qint64(qMin<quint64>(qFromLittleEndian<T>(bytes.constData() + at), quint64(1) << 60));
}

// What an end record says of its directory.
struct Directory
{
    qint64 claimed = 0;
    qint64 offset = 0;
    qint64 size = 0;
};

// The directory the end record at tail's at leads to; none when it leads nowhere the
// library reads, outside the archive or past the record.
std::optional<Directory> directoryOf(const ZipDirectories::ReadAt &readAt, const QByteArray &tail, qsizetype at,
                                     qint64 tailStart)
{
    const QByteArray end = tail.mid(at, EndBytes);
    const qint64 endAt = tailStart + at;
    Directory directory{field<quint16>(end, 10), field<quint32>(end, 16), field<quint32>(end, 12)};
    // A zip64 archive gives them in a record of its own, found through a locator just before.
    if (at >= Locator64Bytes && qFromLittleEndian<quint32>(tail.constData() + at - Locator64Bytes) == Locator64Signature) {
        const qint64 recordAt = field<quint64>(tail, at - Locator64Bytes + 8);
        const QByteArray record = recordAt <= endAt - End64Bytes ? readAt(recordAt, End64Bytes) : QByteArray();
        if (record.size() != End64Bytes || qFromLittleEndian<quint32>(record.constData()) != End64Signature)
            return std::nullopt;
        directory = {field<quint64>(record, 32), field<quint64>(record, 48), field<quint64>(record, 40)};
    }
    if (directory.offset > endAt || directory.size > endAt - directory.offset)
        return std::nullopt;
    return directory;
}

// What the library makes of an extra field: a list of fields, one of which may be the zip64
// field holding the local header's offset after skip other eight-byte values.
struct ExtraFields
{
    int count = 0;
    std::optional<qint64> localOffset;
};

ExtraFields extraFields(const QByteArray &extra, int skip)
{
    ExtraFields fields;
    for (qsizetype at = 0; at + 4 <= extra.size(); at += 4 + qFromLittleEndian<quint16>(extra.constData() + at + 2)) {
        ++fields.count;
        const qsizetype value = at + 4 + 8 * skip;
        if (qFromLittleEndian<quint16>(extra.constData() + at) == 1 && value + 8 <= extra.size())
            fields.localOffset = field<quint64>(extra, value);
    }
    return fields;
}

// The headers of every directory walked so far, against what the library may read of them.
struct Walk
{
    const ZipDirectories::ReadAt &readAt;
    qint64 entriesLeft;
    qint64 bytesLeft;
    int maxExtraFields;

    // The extra field of length bytes at offset, once the bytes of the header's variable part are
    // taken from what is left; none when they are too many.
    std::optional<ExtraFields> take(qint64 variableBytes, qint64 offset, qint64 length, int skip)
    {
        bytesLeft -= variableBytes;
        if (bytesLeft < 0)
            return std::nullopt;
        const ExtraFields fields = extraFields(readAt(offset, length), skip);
        if (fields.count > maxExtraFields)
            return std::nullopt;
        return fields;
    }

    // The local header, which the library reads and compares with the directory's.
    bool local(qint64 offset)
    {
        const QByteArray header = readAt(offset, LocalBytes);
        if (header.size() != LocalBytes || qFromLittleEndian<quint32>(header.constData()) != LocalSignature)
            return true;
        const qint64 name = field<quint16>(header, 26), extra = field<quint16>(header, 28);
        return take(name + extra, offset + LocalBytes + name, extra, 0).has_value();
    }

    ZipDirectories::Verdict directory(const Directory &directory)
    {
        using enum ZipDirectories::Verdict;
        const qint64 end = directory.offset + directory.size;
        for (qint64 at = directory.offset; end - at >= CentralBytes;) {
            const QByteArray header = readAt(at, CentralBytes);
            // The library reads no further than a header that is none.
            if (header.size() != CentralBytes || qFromLittleEndian<quint32>(header.constData()) != CentralSignature)
                break;
            if (--entriesLeft < 0)
                return TooManyEntries;
            const qint64 name = field<quint16>(header, 28), extra = field<quint16>(header, 30),
                         comment = field<quint16>(header, 32);
            // The sizes given as zip64's marker stand before the offset in the zip64 field.
            const int skip = int(qFromLittleEndian<quint32>(header.constData() + 24) == Zip64Marker)
                + int(qFromLittleEndian<quint32>(header.constData() + 20) == Zip64Marker);
            const std::optional<ExtraFields> fields = take(name + extra + comment, at + CentralBytes + name, extra, skip);
            if (!fields)
                return TooLarge;
            const std::optional<qint64> localAt = qFromLittleEndian<quint32>(header.constData() + 42) == Zip64Marker
                ? fields->localOffset
                : field<quint32>(header, 42);
            if (localAt && !local(*localAt))
                return TooLarge;
            at += CentralBytes + name + extra + comment;
        }
        return Fits;
    }
};

} // namespace

ZipDirectories::Verdict ZipDirectories::check(const ReadAt &readAt, qint64 size, qint64 maxEntries,
                                              qint64 maxHeaderBytes, int maxExtraFields)
{
    // The end records the library tries, each with room for a zip64 locator before it.
    const qint64 tailStart = qMax<qint64>(0, size - EndBytes - MaxCommentBytes - Locator64Bytes);
    const QByteArray tail = readAt(tailStart, size - tailStart);
    Walk walk{readAt, maxEntries, maxHeaderBytes, maxExtraFields};
    const QByteArray signature("PK\5\6", 4);
    for (qsizetype at = tail.indexOf(signature); at >= 0 && at + EndBytes <= tail.size();
         at = tail.indexOf(signature, at + 1)) {
        const std::optional<Directory> directory = directoryOf(readAt, tail, at, tailStart);
        if (!directory)
            continue;
        if (directory->claimed > maxEntries)
            return Verdict::TooManyEntries;
        if (const Verdict verdict = walk.directory(*directory); verdict != Verdict::Fits)
            return verdict;
    }
    return Verdict::Fits;
}
