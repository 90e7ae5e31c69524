#pragma once

#include "document/ZipEntryStream.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QFile;
struct zip;
struct zip_source;
struct zip_error;

// Reads entries of a zip archive held in memory or in a file. The archive may
// come from anywhere: its checks are made against what is read, not what it claims.
class ZipReader
{
public:
    // Archives with more entries are refused before their directory is read:
    // a maptile document holds fewer than twenty.
    static constexpr qint64 MaxEntries = 1000;

    explicit ZipReader(const QByteArray &archive);
    // Reads the open file as entries are read, rather than all of it first.
    explicit ZipReader(QFile &file);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    enum class Failure { None, NotZip, TooManyEntries, Damaged };
    // False, with failure() and error() telling why, when the bytes are not a sound zip.
    bool isOpen() const { return m_zip != nullptr; }
    Failure failure() const { return m_failure; }
    const QString &error() const { return m_error; }

    // Entry names in the archive's order.
    QStringList names() const;
    bool contains(const QString &name) const;
    // The entry's bytes, at most limit of them; on failure empty, with *reason set.
    QByteArray read(const QString &name, qint64 limit, QString *reason) const;
    // The entry read piece by piece, with the same checks.
    std::unique_ptr<ZipEntryStream> stream(const QString &name, qint64 limit) const;
    // The first count bytes of the entry, or fewer when it is shorter; empty when it cannot be read.
    QByteArray head(const QString &name, qint64 count) const;

private:
    void open(zip_source *source, zip_error *error);
    // The number of entries the archive's end record declares, read from the
    // end of the archive (at most the last 64 KiB and a little); -1 when none is found.
    static qint64 declaredEntries(const std::function<QByteArray(qint64 offset, qint64 count)> &readAt, qint64 size);

    QByteArray m_archive;
    zip *m_zip = nullptr;
    Failure m_failure = Failure::None;
    QString m_error;
};
