#pragma once

#include <QByteArray>

#include <functional>

// The central directories a zip archive's end records lead to, found and
// counted in the archive's own bytes before the zip library reads any. The
// library tries every end record in the last 64 KiB and reads the whole
// directory each one leads to, however few entries it claims; so a count of
// 0xffff without the zip64 record it stands for, a count that wrapped past
// 16 bits, or a second end record hidden in the comment would otherwise pass
// for a small archive and cost memory by the entry.
class ZipDirectories
{
public:
    // count bytes from offset, fewer at the end.
    using ReadAt = std::function<QByteArray(qint64 offset, qint64 count)>;

    enum class Verdict { Fits, TooManyEntries, TooLarge };

    // Whether every directory of the archive of size bytes, all together,
    // claims and holds at most maxEntries entries, and whether their headers
    // and the local headers they lead to carry at most maxHeaderBytes of
    // names, extra fields and comments and at most maxExtraFields extra fields
    // each. Walks no further than the first limit passed.
    static Verdict check(const ReadAt &readAt, qint64 size, qint64 maxEntries, qint64 maxHeaderBytes,
                         int maxExtraFields);
};
