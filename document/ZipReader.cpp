#include "document/ZipReader.h"

#include <QCoreApplication>
#include <QFile>

#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstdio>

bool ZipReader::checkDirectories(const ZipDirectories::ReadAt &readAt, qint64 size)
{
    switch (ZipDirectories::check(readAt, size, MaxEntries, MaxHeaderBytes, MaxExtraFields)) {
    case ZipDirectories::Verdict::Fits:
        return true;
    case ZipDirectories::Verdict::TooManyEntries:
        m_failure = Failure::TooManyEntries;
        m_error = tr("It holds more than %L1 entries").arg(MaxEntries);
        return false;
    case ZipDirectories::Verdict::TooLarge:
        m_failure = Failure::HeadersTooLarge;
        m_error = tr("Its entries carry more names and extra fields than a document needs");
        return false;
    }
    return false;
}

ZipReader::ZipReader(const QByteArray &archive)
    : m_archive(archive)
{
    const auto readAt = [this](qint64 offset, qint64 count) { return m_archive.mid(offset, count); };
    if (!checkDirectories(readAt, m_archive.size()))
        return;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(m_archive.constData(), zip_uint64_t(m_archive.size()), 0, &error);
    open(source, &error);
    zip_error_fini(&error);
}

ZipReader::ZipReader(QFile &file)
{
    const auto readAt = [&file](qint64 offset, qint64 count) {
        return file.seek(offset) ? file.read(count) : QByteArray();
    };
    const bool fits = checkDirectories(readAt, file.size());
    file.seek(0);
    if (!fits)
        return;
    zip_error_t error;
    zip_error_init(&error);
    // The archive reads the file already opened, through a handle of its own that it closes.
    const int handle = dup(file.handle());
    FILE *const stream = handle >= 0 ? fdopen(handle, "rb") : nullptr;
    if (!stream && handle >= 0)
        close(handle);
    zip_source_t *source = stream ? zip_source_filep_create(stream, 0, -1 /* to the end */, &error) : nullptr;
    if (stream && !source)
        fclose(stream);
    if (!stream)
        zip_error_set(&error, ZIP_ER_OPEN, errno);
    open(source, &error);
    zip_error_fini(&error);
}

void ZipReader::open(zip_source_t *source, zip_error_t *error)
{
    // The stricter checks refuse archives whose directory and entries disagree.
    if (source)
        m_zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, error);
    // An open archive owns its source; a failed open leaves it to us.
    if (source && !m_zip)
        zip_source_free(source);
    if (!m_zip) {
        m_failure = zip_error_code_zip(error) == ZIP_ER_NOZIP ? Failure::NotZip : Failure::Damaged;
        m_error = QString::fromUtf8(zip_error_strerror(error));
    }
}

ZipReader::~ZipReader()
{
    if (m_zip)
        zip_discard(m_zip);
}

QStringList ZipReader::names() const
{
    QStringList list;
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char *name = zip_get_name(m_zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        list << (name ? QString::fromUtf8(name) : QString());
    }
    return list;
}

bool ZipReader::contains(const QString &name) const
{
    return zip_name_locate(m_zip, name.toUtf8().constData(), ZIP_FL_ENC_GUESS) >= 0;
}

std::unique_ptr<ZipEntryStream> ZipReader::stream(const QString &name, qint64 limit) const
{
    return std::make_unique<ZipEntryStream>(m_zip, name, limit);
}

QByteArray ZipReader::read(const QString &name, qint64 limit, QString *reason) const
{
    ZipEntryStream entry(m_zip, name, limit);
    if (!entry.isOpen()) {
        *reason = entry.reason();
        return {};
    }
    QByteArray bytes(entry.size(), Qt::Uninitialized);
    for (qint64 total = 0; total < bytes.size();) {
        const qint64 n = entry.read(bytes.data() + total, bytes.size() - total);
        if (n <= 0)
            break;
        total += n;
    }
    if (!entry.finish()) {
        *reason = entry.reason();
        return {};
    }
    return bytes;
}

QByteArray ZipReader::head(const QString &name, qint64 count) const
{
    zip_file_t *file = zip_fopen(m_zip, name.toUtf8().constData(), ZIP_FL_ENC_GUESS);
    if (!file)
        return {};
    QByteArray bytes(count, Qt::Uninitialized);
    const zip_int64_t n = zip_fread(file, bytes.data(), zip_uint64_t(count));
    zip_fclose(file);
    bytes.truncate(n < 0 ? 0 : qsizetype(n));
    return bytes;
}
