#include "workspace/SubtilePicker.h"

#include "workspace/Workspace.h"

SubtilePicker::Result SubtilePicker::pick(Workspace &workspace, QPoint space)
{
    const MaptileRecords &records = workspace.records();
    if (space.x() < 0 || space.y() < 0 || space.x() >= records.columns() || space.y() >= records.rows())
        return {OutsideMaptile, -1, {}};
    const LaidSubtile *top = records.top(space);
    if (!top)
        return {OnlyBase, -1, {}};
    const LaidSubtile laid = *top;
    const TilesetCopy copy = records.copies().at(laid.copy);
    // The very pixels it was laid from first, then any version of the same tileset.
    const auto holds = [&](int i, bool exactly) {
        const TilesetSlot &held = workspace.slot(i);
        return !held.isEmpty()
            && (exactly ? held.fullImage().cacheKey() == copy.picture.cacheKey()
                        : copy.sameTileset(held.path(), held.tileData()));
    };
    int slot = -1;
    for (const bool exactly : {true, false})
        for (int i = 0; i < Geometry::SlotCount && slot < 0; ++i)
            if (holds(i, exactly))
                slot = i;
    Outcome outcome = Picked;
    if (slot < 0) {
        for (int i = FirstSpareSlot; i < Geometry::SlotCount && slot < 0; ++i)
            if (workspace.slot(i).isEmpty())
                slot = i;
        if (slot < 0)
            return {NoSlotFree, -1, copy.identity()};
        workspace.takeTilesetCopy(slot, copy);
        outcome = TakenIntoSlot;
    }
    workspace.giveButton(Workspace::Left, {slot, laid.cell.x(), laid.cell.y()}, laid.orientation);
    return {outcome, slot, copy.identity()};
}
