#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct zip;

// Reads entries of a zip archive held in memory. The archive may come from
// anywhere: its checks are made against what is read, not what it claims.
class ZipReader
{
public:
    explicit ZipReader(const QByteArray &archive);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    // False, with error() telling why, when the bytes are not a sound zip.
    bool isOpen() const { return m_zip != nullptr; }
    const QString &error() const { return m_error; }

    // Entry names in the archive's order.
    QStringList names() const;
    bool contains(const QString &name) const;
    // The entry's bytes, at most limit of them; on failure empty, with *reason set.
    QByteArray read(const QString &name, qint64 limit, QString *reason) const;
    // The first count bytes of the entry, or fewer when it is shorter; empty when it cannot be read.
    QByteArray head(const QString &name, qint64 count) const;

private:
    QByteArray m_archive;
    zip *m_zip = nullptr;
    QString m_error;
};
