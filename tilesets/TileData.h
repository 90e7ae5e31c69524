#pragma once

#include "tilesets/ProfileReader.h"

#include <QDateTime>
#include <QHash>
#include <QString>

// The metadata file beside a tileset image: its set name, its creator and a
// speed value for each subtile, in section "TILEDATA". Parsed files are kept
// until they change on disk, so numbering a placement costs one file lookup.
class TileData
{
public:
    static inline const QString UnknownSetName = QStringLiteral("UNKNOWN TILESET");
    static inline const QString UnknownCreator = QStringLiteral("UNKNOWN CREATOR");

    // The image path with its last four characters replaced by ".dat".
    static QString datPath(const QString &imagePath);
    // The metadata file that exists for an image: the exact .dat name, or else
    // a file in the same folder whose name matches it regardless of letter case.
    static QString existingDatFile(const QString &imagePath);

    // The speed value of subtile (column, row), without surrounding blanks;
    // empty when the slot has no image, no metadata or no entry.
    QString getTileData(const QString &imagePath, int column, int row);
    // "SET NAME BY: CREATOR " in capitals, with the defaults for what is missing.
    QString setInfo(const QString &imagePath);

private:
    struct Entry
    {
        QDateTime modified;
        qint64 size = -1;
        ProfileReader profile;
    };
    const ProfileReader &profileFor(const QString &imagePath);

    QHash<QString, Entry> m_cache;
    ProfileReader m_empty;
};
