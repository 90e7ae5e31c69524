#pragma once

#include <QPoint>
#include <QString>

class Workspace;

// The subtile on top of a space of the maptile given back to the left mouse
// button, turned and mirrored as it was laid: from a slot that holds its
// tileset, or else from the maptile's own copy of the tileset, taken into the
// first empty slot among E-H.
class SubtilePicker
{
public:
    enum Outcome {
        Picked,
        // The copy went into slot.
        TakenIntoSlot,
        // The space shows only the base: nothing was laid on it here.
        OnlyBase,
        OutsideMaptile,
        // No slot holds the tileset and E-H are all taken.
        NoSlotFree
    };
    struct Result
    {
        Outcome outcome;
        int slot = -1;
        // The tileset's set name, or its file name.
        QString tileset;
    };
    static constexpr int FirstSpareSlot = 4;

    static Result pick(Workspace &workspace, QPoint space);
};
