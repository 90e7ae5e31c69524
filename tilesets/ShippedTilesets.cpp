#include "tilesets/ShippedTilesets.h"

#include "files/FileIdentity.h"
#include "tilesets/TileData.h"
#include "tilesets/TilesetWriter.h"

#include <QDir>

#include <algorithm>

ShippedTilesets::ShippedTilesets(const QStringList &folders, const QStringList &names)
    : m_folders(folders)
    , m_names(names)
{
}

bool ShippedTilesets::holds(const QString &path) const
{
    const FileIdentity target = FileIdentity::of(path);
    if (!target.isValid())
        return false;
    // Looked up at each question: a file put back or replaced since the start counts as it is now.
    for (const QString &folder : m_folders) {
        for (const QString &name : m_names) {
            const QString picture = QDir(folder).filePath(name);
            if (FileIdentity::of(picture) == target || FileIdentity::of(TileData::existingDatFile(picture)) == target)
                return true;
        }
    }
    return false;
}

bool ShippedTilesets::isShippedFolder(const QString &folder) const
{
    const FileIdentity target = FileIdentity::of(folder);
    return std::any_of(m_folders.begin(), m_folders.end(),
                       [&target](const QString &shipped) { return FileIdentity::of(shipped) == target; });
}

QString ShippedTilesets::refusal(const QString &path) const
{
    if (!holds(path))
        return {};
    return tr("%1 comes with Cryptwright: it is a default tileset or its metadata, read at every start, and is never "
              "written over. Save under another name or in another folder.")
        .arg(QDir::toNativeSeparators(path));
}

QString ShippedTilesets::tilesetRefusal(const QString &path) const
{
    const QString picture = refusal(path);
    return picture.isEmpty() ? refusal(TilesetWriter::datPathFor(path)) : picture;
}
