#include "document/ZipWriter.h"

#include <zip.h>

#include <memory>
#include <utility>

void ZipWriter::add(const QString &name, const QByteArray &bytes, Method method)
{
    m_entries.append({name, bytes, method});
}

QByteArray ZipWriter::archive(QString *error) const
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    const auto fail = [&](zip_error_t *e) {
        *error = QString::fromUtf8(zip_error_strerror(e));
        return QByteArray();
    };
    // The archive is written into this memory source; it outlives the archive handle.
    zip_source_t *memory = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    if (!memory)
        return fail(&zipError);
    const std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(memory, zip_source_free);
    zip_source_keep(memory);
    zip_t *zip = zip_open_from_source(memory, ZIP_TRUNCATE, &zipError);
    if (!zip) {
        zip_source_free(memory); // the reference the failed open did not take
        return fail(&zipError);
    }
    for (const Entry &entry : m_entries) {
        // The entry's bytes stay alive in m_entries until zip_close has read them.
        zip_source_t *data = zip_source_buffer(zip, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
        const zip_int64_t index =
            data ? zip_file_add(zip, entry.name.toUtf8().constData(), data, ZIP_FL_ENC_GUESS) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            const QByteArray none = fail(zip_get_error(zip));
            zip_discard(zip);
            return none;
        }
        zip_set_file_compression(zip, zip_uint64_t(index),
                                 entry.method == Method::Store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(zip) != 0) {
        const QByteArray none = fail(zip_get_error(zip));
        zip_discard(zip);
        return none;
    }
    zip_stat_t stat;
    if (zip_source_stat(memory, &stat) != 0 || zip_source_open(memory) != 0)
        return fail(zip_source_error(memory));
    // The archive is copied out into the memory the last one on this thread
    // took, once its holder has let it go: memory touched for the first time
    // costs more than copying into it.
    thread_local QByteArray kept;
    QByteArray bytes = std::exchange(kept, {});
    bytes.resize(qsizetype(stat.size));
    const zip_int64_t read = zip_source_read(memory, bytes.data(), stat.size);
    zip_source_close(memory);
    if (read != zip_int64_t(stat.size))
        return fail(zip_source_error(memory));
    kept = bytes;
    return bytes;
}
