#include "tilesets/TileData.h"

#include "tilesets/ProfileReader.h"

#include <QDir>
#include <QFileInfo>

using Geometry::TilesetColumns;
using Geometry::TilesetRows;

QString TileData::datPath(const QString &imagePath)
{
    return imagePath.left(std::max<qsizetype>(0, imagePath.size() - 4)) + QStringLiteral(".dat");
}

QString TileData::existingDatFile(const QString &imagePath)
{
    if (imagePath.isEmpty())
        return {};
    const QString exact = datPath(imagePath);
    const QFileInfo info(exact);
    if (info.isFile())
        return exact;
    // Tilesets made on Windows often differ from their metadata in letter case.
    // A name filter, which ignores case, passes over the other files without
    // looking them up: a folder may hold tens of thousands. Wildcard characters
    // in the name stand for themselves.
    const QDir folder = info.dir();
    const QString wanted = info.fileName();
    QString pattern;
    for (QChar c : wanted)
        pattern += c == u'[' || c == u'*' || c == u'?' ? QStringLiteral("[%1]").arg(c) : QString(c);
    const QStringList names = folder.entryList({pattern}, QDir::Files | QDir::Hidden, QDir::NoSort);
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    }
    return {};
}

QString TileData::key(int column, int row)
{
    return QString::number(column) + QString::number(row);
}

TileData TileData::read(const QString &imagePath)
{
    const QString file = existingDatFile(imagePath);
    return file.isEmpty() ? TileData() : fromProfile(ProfileReader::fromFile(file));
}

TileData TileData::fromProfile(const ProfileReader &profile)
{
    TileData data;
    data.setName = profile.value(Section, SetNameKey);
    data.creator = profile.value(Section, CreatorKey);
    for (int column = 0; column < TilesetColumns; ++column) {
        for (int row = 0; row < TilesetRows; ++row)
            data.setSpeedValue(column, row, profile.value(Section, key(column, row)));
    }
    return data;
}

QString TileData::speedValue(int column, int row) const
{
    if (column < 0 || column >= TilesetColumns || row < 0 || row >= TilesetRows)
        return {};
    return m_speed[row * TilesetColumns + column];
}

void TileData::setSpeedValue(int column, int row, const QString &value)
{
    if (column >= 0 && column < TilesetColumns && row >= 0 && row < TilesetRows)
        m_speed[row * TilesetColumns + column] = value.trimmed();
}

QString TileData::setInfo() const
{
    const QString name = setName.isEmpty() ? tr("UNKNOWN TILESET") : setName;
    const QString by = creator.isEmpty() ? tr("UNKNOWN CREATOR") : creator;
    return tr("%1 BY: %2").arg(name.toUpper(), by.toUpper()) + QLatin1Char(' ');
}

qint64 TileData::bytes() const
{
    qint64 characters = setName.size() + creator.size();
    for (const QString &value : m_speed)
        characters += value.size();
    return qint64(sizeof(*this)) + characters * qint64(sizeof(QChar));
}
