#include "recovery/UnsavedWork.h"

#include "workspace/Workspace.h"

UnsavedWork UnsavedWork::of(const Workspace &workspace)
{
    UnsavedWork work;
    work.documentPath = workspace.documentPath();
    if (workspace.maptileChanged())
        work.maptile = workspace.document();
    for (const int slot : workspace.unsavedSlots()) {
        const TilesetSlot &tileset = workspace.slot(slot);
        work.tilesets.append({slot, tileset.fullImage(), tileset.tileData(), tileset.path()});
    }
    return work;
}
