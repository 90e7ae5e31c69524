#pragma once

#include <QtGlobal>

// One change of the maptile or of a tileset that can be taken back and made
// again. Each step keeps only what it needs for that, and says how much memory
// it holds so that the history can stay within its budget.
class UndoStep
{
public:
    virtual ~UndoStep() = default;

    virtual void redo() = 0;
    virtual void undo() = 0;
    // Bytes the step holds, itself included. Pixels shared with other steps
    // are counted by each of them, so the sum never understates.
    virtual qint64 bytes() const = 0;
    // Takes the next step into this one when both are one change to the user.
    virtual bool mergeWith(const UndoStep &) { return false; }
    // After a merge: whether the two together changed nothing.
    virtual bool changesNothing() const { return false; }
};
