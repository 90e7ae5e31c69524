#pragma once

#include "workspace/UndoStep.h"
#include "workspace/Workspace.h"

// Typing in the maptile number or designer box. Keystrokes in one box merge
// into one step until the box loses the focus.
class TextCommand : public UndoStep
{
public:
    TextCommand(Workspace &workspace, Workspace::TextBox box, QString text);

    void redo() override;
    void undo() override;
    qint64 bytes() const override;
    bool mergeWith(const UndoStep &next) override;
    bool changesNothing() const override { return m_after == m_before; }

private:
    Workspace &m_workspace;
    Workspace::TextBox m_box;
    int m_typingStep;
    QString m_before;
    QString m_after;
};
