#include "control/TilesetSettings.h"

#include "raster/Geometry.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QSettings settings()
{
    return QSettings(QStringLiteral("cryptwright"), QStringLiteral("cryptwright"));
}

QString pinKey(int slot)
{
    return QStringLiteral("tilesets/loadAtStart/%1").arg(QChar(u'A' + slot));
}

const QString FolderKey = QStringLiteral("tilesets/lastFolder");

} // namespace

QString TilesetSettings::lastFolder()
{
    const QString folder = settings().value(FolderKey).toString();
    // Never a special file system's: a dialog that opens there stalls reading its files.
    for (const char *special : {"/proc", "/sys", "/dev"})
        if (folder == QLatin1String(special) || folder.startsWith(QLatin1String(special) + QLatin1Char('/')))
            return {};
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void TilesetSettings::rememberFolderOf(const QString &path)
{
    settings().setValue(FolderKey, QFileInfo(path).absolutePath());
}

QStringList TilesetSettings::pinned()
{
    const QSettings store = settings();
    QStringList files;
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        files << store.value(pinKey(slot)).toString();
    return files;
}

void TilesetSettings::setPinned(int slot, const QString &path)
{
    if (path.isEmpty())
        settings().remove(pinKey(slot));
    else
        settings().setValue(pinKey(slot), QFileInfo(path).absoluteFilePath());
}
