#pragma once

#include "raster/Geometry.h"

#include <QCoreApplication>
#include <QString>

#include <array>

class ProfileReader;

// A tileset's metadata: its set name, its creator and a speed value for each
// subtile. It comes from the ".dat" file beside the tileset image, section
// "TILEDATA", read once when the tileset is loaded; the tileset properties
// edit it in memory and saving a tileset writes it back.
class TileData
{
    Q_DECLARE_TR_FUNCTIONS(TileData)

public:
    static inline const QString Section = QStringLiteral("TILEDATA");
    static inline const QString SetNameKey = QStringLiteral("SETNAME");
    static inline const QString CreatorKey = QStringLiteral("CREATOR");

    // The image path with its last four characters replaced by ".dat".
    static QString datPath(const QString &imagePath);
    // The metadata file that exists for an image: the exact .dat name, or else
    // a file in the same folder whose name matches it regardless of letter case.
    static QString existingDatFile(const QString &imagePath);
    // The key of subtile (column, row): its column digit, then its row digit.
    static QString key(int column, int row);

    // The metadata beside an image; empty when there is no file or no image.
    static TileData read(const QString &imagePath);
    static TileData fromProfile(const ProfileReader &profile);

    // Empty texts stand for what is missing.
    QString setName;
    QString creator;
    // The speed value of subtile (column, row) without surrounding blanks; empty
    // for none or outside the tileset.
    QString speedValue(int column, int row) const;
    void setSpeedValue(int column, int row, const QString &value);
    // "SET NAME BY: CREATOR " in capitals, with the defaults for what is missing.
    QString setInfo() const;
    // Memory the texts take.
    qint64 bytes() const;

    bool operator==(const TileData &other) const = default;

private:
    std::array<QString, Geometry::TilesetColumns * Geometry::TilesetRows> m_speed;
};
