#pragma once

#include <QPoint>
#include <QString>
#include <QUndoCommand>

class Workspace;

// A speed value chosen from the list for one space.
class SpeedValueCommand : public QUndoCommand
{
public:
    SpeedValueCommand(Workspace &workspace, QPoint space, QString value);

    void redo() override;
    void undo() override;

private:
    Workspace &m_workspace;
    QPoint m_space;
    QString m_before;
    QString m_after;
};
