#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// Zip archives written byte by byte, so that a test can make one that lies:
// about an entry's size, or with names no honest writer uses.
namespace TestZip {

struct Entry
{
    QString name;
    QByteArray data; // as stored, already deflated when deflated is set
    bool deflated = false;
    quint32 size = 0; // the uncompressed size claimed
    quint32 crc = 0;
};

// An entry holding bytes as they are.
Entry stored(const QString &name, const QByteArray &bytes);
// An entry holding bytes deflated.
Entry deflated(const QString &name, const QByteArray &bytes);
// A deflated entry of count zero bytes, made without holding them all at once.
Entry zeros(const QString &name, qint64 count);
// A deflated entry whose packed data starts with paddingBytes of empty
// blocks, which a reader must work through to reach the bytes.
Entry paddedEntry(const QString &name, const QByteArray &bytes, qint64 paddingBytes);
QByteArray archive(const QList<Entry> &entries);

// An archive of entries as lean as a zip allows, made to look smaller than it is:
// every directory header names "x", carries extraFields empty extra fields and
// leads to the one local header. Its end record claims claimed entries; with
// zip64 the count stands in a zip64 record instead; with hiddenEnd a second end
// record, claiming one entry, hides in the archive's comment.
struct Flood
{
    qint64 entries = 0;
    quint16 claimed = 0;
    int extraFields = 0;
    bool zip64 = false;
    bool hiddenEnd = false;
};
QByteArray flood(const Flood &flood);

// A gzip file of head, count blanks and tail, made without holding the blanks:
// a small file that unpacks to as much as count says.
QByteArray gzipWithBlanks(const QByteArray &head, qint64 count, const QByteArray &tail);

// A PNG chunk of type holding data, with its length and checksum.
QByteArray pngChunk(const QByteArray &type, const QByteArray &data);
// An RGB PNG whose header claims size (-1: 2^32 - 1), with next to no pixel data after it.
QByteArray pngClaiming(QSize size, int bitsPerChannel = 8, bool interlaced = false);
// The PNG with its pixel data in one chunk whose packed rows start with
// paddingBytes of empty blocks: the same picture, ever slower to decode.
QByteArray paddedPng(const QByteArray &png, qint64 paddingBytes);

// An OpenRaster document as a painting program writes one: a layer and the
// merged picture, both merged with its transparency, and a thumbnail; nothing
// of this program's.
QByteArray foreignDocument(const QImage &merged);

// The entries of an archive this program wrote, read back with its own reader.
QList<Entry> entriesOf(const QByteArray &archive);
// Replaces (or adds, or with an empty entry name removes) the entry called name.
QByteArray replaced(const QByteArray &archive, const QString &name, const Entry &entry);

} // namespace TestZip
