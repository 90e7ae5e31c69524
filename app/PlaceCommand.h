#pragma once

#include "tilesets/TransparencySetting.h"

#include <QImage>
#include <QPoint>
#include <QUndoCommand>

class Workspace;

// A subtile laid on one space. Keeps the space as it was and what was laid
// on it (the tileset is shared, not copied), so a thousand of them stay small.
class PlaceCommand : public QUndoCommand
{
public:
    struct Subtile {
        QImage tileset;
        int column;
        int row;
        TransparencySetting setting;
    };

    // speed is the space's speed value after the placement.
    PlaceCommand(Workspace &workspace, QPoint space, Subtile subtile, QString speed);

    void redo() override;
    void undo() override;

private:
    Workspace &m_workspace;
    QPoint m_space;
    Subtile m_subtile;
    QImage m_before;
    QString m_speedBefore;
    QString m_speedAfter;
};
