#pragma once

#include "workspace/UndoStep.h"

#include <QPoint>
#include <QString>

class Workspace;

// A speed value chosen from the list for one space.
class SpeedValueCommand : public UndoStep
{
public:
    SpeedValueCommand(Workspace &workspace, QPoint space, QString value);

    void redo() override;
    void undo() override;
    qint64 bytes() const override;

private:
    Workspace &m_workspace;
    QPoint m_space;
    QString m_before;
    QString m_after;
};
