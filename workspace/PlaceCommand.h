#pragma once

#include "workspace/UndoStep.h"
#include "tilesets/TransparencySetting.h"

#include <QImage>
#include <QPoint>
#include <QString>

class Workspace;

// A subtile laid on one space. Keeps the space as it was and the subtile's own
// 144 x 144 pixels, never the tileset they came from, which a reload or an
// edit may replace.
class PlaceCommand : public UndoStep
{
public:
    // subtile: the pixels laid, shared between placements of the same subtile;
    // speed: the space's speed value after the placement.
    PlaceCommand(Workspace &workspace, QPoint space, QImage subtile, const TransparencySetting &setting,
                 QString speed);

    void redo() override;
    void undo() override;
    qint64 bytes() const override;

private:
    Workspace &m_workspace;
    QPoint m_space;
    QImage m_subtile;
    TransparencySetting m_setting;
    QImage m_before;
    QString m_speedBefore;
    QString m_speedAfter;
};
