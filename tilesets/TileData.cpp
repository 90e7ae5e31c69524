#include "tilesets/TileData.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString Section = QStringLiteral("TILEDATA");
}

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
    const QDir folder = info.dir();
    const QString wanted = info.fileName();
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    }
    return {};
}

const ProfileReader &TileData::profileFor(const QString &imagePath)
{
    const QString file = existingDatFile(imagePath);
    if (file.isEmpty())
        return m_empty;
    const QFileInfo info(file);
    Entry &entry = m_cache[file];
    if (entry.size != info.size() || entry.modified != info.lastModified()) {
        entry.size = info.size();
        entry.modified = info.lastModified();
        entry.profile = ProfileReader::fromFile(file);
    }
    return entry.profile;
}

QString TileData::getTileData(const QString &imagePath, int column, int row)
{
    const QString key = QString::number(column) + QString::number(row);
    return profileFor(imagePath).value(Section, key).trimmed();
}

QString TileData::setInfo(const QString &imagePath)
{
    const ProfileReader &profile = profileFor(imagePath);
    QString creator = profile.value(Section, QStringLiteral("CREATOR"));
    QString name = profile.value(Section, QStringLiteral("SETNAME"));
    if (creator.isEmpty())
        creator = UnknownCreator;
    if (name.isEmpty())
        name = UnknownSetName;
    return name.toUpper() + QStringLiteral(" BY: ") + creator.toUpper() + QLatin1Char(' ');
}
