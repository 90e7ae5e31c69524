#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

struct zip;
struct zip_file;

// One entry of a zip archive read piece by piece. The archive may come from
// anywhere: the entry is refused on the sizes it claims before anything is
// read (packed larger than it is, which only a file made to keep a reader
// busy does), and on what it holds as it is read: more bytes than claimed,
// fewer, or a checksum that does not match.
class ZipEntryStream
{
    Q_DECLARE_TR_FUNCTIONS(ZipEntryStream)

public:
    ZipEntryStream(zip *archive, const QString &name, qint64 limit);
    ~ZipEntryStream();
    ZipEntryStream(const ZipEntryStream &) = delete;
    ZipEntryStream &operator=(const ZipEntryStream &) = delete;

    // False, with reason() telling why, when the entry is missing, too large or cannot be read.
    bool isOpen() const { return m_file != nullptr; }
    const QString &reason() const { return m_reason; }
    // The size the archive gives, within the limit.
    qint64 size() const { return m_size; }

    // Up to count bytes; the number read, 0 at the end, -1 with reason() set
    // when the entry is damaged or longer than claimed.
    qint64 read(char *to, qint64 count);
    // Reads on to the end, so that the checksum is checked; false with
    // reason() set when the entry is damaged or not as long as claimed.
    bool finish();

private:
    qint64 fail(const QString &reason);
    qint64 readArchive(char *to, qint64 count);

    // Small reads, as libpng makes a few bytes at a time, are served from one
    // larger read of the archive: each read of a file's archive seeks first.
    static constexpr qint64 BufferBytes = 64 * 1024;
    QByteArray m_buffer;
    qint64 m_bufferAt = 0;
    qint64 m_buffered = 0;

    QString m_name;
    zip_file *m_file = nullptr;
    qint64 m_size = 0;
    qint64 m_read = 0;
    QString m_reason;
};
