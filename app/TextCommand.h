#pragma once

#include "app/Workspace.h"

#include <QUndoCommand>

// Typing in the maptile number or designer box. Keystrokes in one box merge
// into one step until the box loses the focus.
class TextCommand : public QUndoCommand
{
public:
    TextCommand(Workspace &workspace, Workspace::TextBox box, QString text);

    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    Workspace &m_workspace;
    Workspace::TextBox m_box;
    int m_typingStep;
    QString m_before;
    QString m_after;
};
