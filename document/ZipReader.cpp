#include "document/ZipReader.h"

#include <zip.h>

ZipReader::ZipReader(const QByteArray &archive)
    : m_archive(archive)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(m_archive.constData(), zip_uint64_t(m_archive.size()), 0, &error);
    // The stricter checks refuse archives whose directory and entries disagree.
    if (source)
        m_zip = zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error);
    // An open archive owns its source; a failed open leaves it to us.
    if (source && !m_zip)
        zip_source_free(source);
    if (!m_zip)
        m_error = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
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

QByteArray ZipReader::read(const QString &name, qint64 limit, QString *reason) const
{
    const zip_int64_t index = zip_name_locate(m_zip, name.toUtf8().constData(), ZIP_FL_ENC_GUESS);
    zip_stat_t stat;
    if (index < 0 || zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0) {
        *reason = QStringLiteral("\"%1\" is missing").arg(name);
        return {};
    }
    // Refused on what the entry claims before any memory is taken for it ...
    if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > zip_uint64_t(limit)) {
        *reason = QStringLiteral("\"%1\" is too large").arg(name);
        return {};
    }
    zip_file_t *file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file) {
        *reason = QStringLiteral("\"%1\" cannot be read (%2)").arg(name, QString::fromUtf8(zip_strerror(m_zip)));
        return {};
    }
    // ... and on what it holds: one byte past the claim shows a lie, and the
    // checksum is checked when the end is reached.
    QByteArray bytes(qsizetype(stat.size) + 1, Qt::Uninitialized);
    qint64 total = 0;
    while (total < bytes.size()) {
        const zip_int64_t n = zip_fread(file, bytes.data() + total, zip_uint64_t(bytes.size() - total));
        if (n < 0) {
            *reason = QStringLiteral("\"%1\" is damaged (%2)").arg(name, QString::fromUtf8(zip_file_strerror(file)));
            zip_fclose(file);
            return {};
        }
        if (n == 0)
            break;
        total += n;
    }
    zip_fclose(file);
    if (total != qint64(stat.size)) {
        *reason = QStringLiteral("\"%1\" is not as long as the archive says").arg(name);
        return {};
    }
    bytes.truncate(total);
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
