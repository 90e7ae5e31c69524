#include "recovery/UnsavedWork.h"

#include "workspace/Workspace.h"

#include <QFileInfo>

namespace {

// Restored work takes back only absolute paths: a relative one would depend on
// where the next editor starts.
QString absolute(const QString &path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

} // namespace

UnsavedWork UnsavedWork::of(const Workspace &workspace)
{
    UnsavedWork work;
    work.documentPath = absolute(workspace.documentPath());
    if (workspace.maptileChanged())
        work.maptile = workspace.document();
    for (const int slot : workspace.unsavedSlots()) {
        const TilesetSlot &tileset = workspace.slot(slot);
        work.tilesets.append({slot, tileset.fullImage(), tileset.tileData(), absolute(tileset.path())});
    }
    return work;
}
