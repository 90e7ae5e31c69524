#pragma once

#include "document/ZipDirectories.h"
#include "document/ZipEntryStream.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <memory>

class QFile;
struct zip;
struct zip_source;
struct zip_error;

// Reads entries of a zip archive held in memory or in a file. The archive may
// come from anywhere: its checks are made against what is read, not what it claims.
class ZipReader
{
    Q_DECLARE_TR_FUNCTIONS(ZipReader)

public:
    // Archives with more entries are refused before their directory is read:
    // a maptile document holds fewer than twenty.
    static constexpr qint64 MaxEntries = 1000;
    // Names, extra fields and comments of all headers together, and extra
    // fields in one header: a document's take a few kilobytes, and each field
    // costs the zip library memory and a search through the others.
    static constexpr qint64 MaxHeaderBytes = 4 * 1024 * 1024;
    static constexpr int MaxExtraFields = 16;

    explicit ZipReader(const QByteArray &archive);
    // Reads the open file as entries are read, rather than all of it first.
    explicit ZipReader(QFile &file);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    enum class Failure { None, NotZip, TooManyEntries, HeadersTooLarge, Damaged };
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
    // False, with the failure set, when the directories hold more than the limits allow.
    bool checkDirectories(const ZipDirectories::ReadAt &readAt, qint64 size);
    void open(zip_source *source, zip_error *error);

    QByteArray m_archive;
    zip *m_zip = nullptr;
    Failure m_failure = Failure::None;
    QString m_error;
};
