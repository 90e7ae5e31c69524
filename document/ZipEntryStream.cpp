#include "document/ZipEntryStream.h"

#include <QCoreApplication>

#include <zip.h>

#include <algorithm>
#include <cstring>

namespace {

// Deflate never makes data much larger than it was: an entry that claims more
// packed bytes than this holds padding that would keep the reader busy for
// nothing.
bool packedPlausibly(const zip_stat_t &stat)
{
    return !(stat.valid & ZIP_STAT_COMP_SIZE) || stat.comp_size <= stat.size + stat.size / 1000 + 1024;
}

} // namespace

ZipEntryStream::ZipEntryStream(zip *archive, const QString &name, qint64 limit)
    : m_name(name)
{
    const zip_int64_t index = zip_name_locate(archive, name.toUtf8().constData(), ZIP_FL_ENC_GUESS);
    zip_stat_t stat;
    if (index < 0 || zip_stat_index(archive, zip_uint64_t(index), 0, &stat) != 0) {
        m_reason = tr("\"%1\" is missing").arg(name);
        return;
    }
    // Refused on what the entry claims before any memory is taken for it.
    if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > zip_uint64_t(limit)) {
        m_reason = tr("\"%1\" is too large").arg(name);
        return;
    }
    if (!packedPlausibly(stat)) {
        m_reason = tr("\"%1\" is packed larger than it is").arg(name);
        return;
    }
    m_size = qint64(stat.size);
    m_file = zip_fopen_index(archive, zip_uint64_t(index), 0);
    if (!m_file)
        m_reason = tr("\"%1\" cannot be read (%2)").arg(name, QString::fromUtf8(zip_strerror(archive)));
}

ZipEntryStream::~ZipEntryStream()
{
    if (m_file)
        zip_fclose(m_file);
}

qint64 ZipEntryStream::fail(const QString &reason)
{
    if (m_reason.isEmpty())
        m_reason = reason;
    return -1;
}

qint64 ZipEntryStream::readArchive(char *to, qint64 count)
{
    const zip_int64_t n = zip_fread(m_file, to, zip_uint64_t(count));
    if (n < 0)
        return fail(tr("\"%1\" is damaged (%2)").arg(m_name, QString::fromUtf8(zip_file_strerror(m_file))));
    m_read += n;
    // One byte past the claim shows a lie.
    if (m_read > m_size)
        return fail(tr("\"%1\" is not as long as the archive says").arg(m_name));
    return n;
}

qint64 ZipEntryStream::read(char *to, qint64 count)
{
    if (!m_file || !m_reason.isEmpty())
        return -1;
    if (m_bufferAt == m_buffered && count < BufferBytes) {
        m_buffer.resize(BufferBytes);
        m_bufferAt = 0;
        m_buffered = std::max<qint64>(readArchive(m_buffer.data(), BufferBytes), 0);
        if (!m_reason.isEmpty())
            return -1;
    }
    if (m_bufferAt == m_buffered)
        return readArchive(to, count);
    const qint64 n = std::min(count, m_buffered - m_bufferAt);
    memcpy(to, m_buffer.constData() + m_bufferAt, size_t(n));
    m_bufferAt += n;
    return n;
}

bool ZipEntryStream::finish()
{
    char rest[16384];
    qint64 n;
    while ((n = read(rest, sizeof rest)) > 0) { }
    if (n == 0 && m_read != m_size)
        fail(tr("\"%1\" is not as long as the archive says").arg(m_name));
    return m_reason.isEmpty();
}
