#include "app/TextCommand.h"

TextCommand::TextCommand(Workspace &workspace, Workspace::TextBox box, QString text)
    : QUndoCommand(box == Workspace::MapNumBox ? QStringLiteral("Maptile number") : QStringLiteral("Designer"))
    , m_workspace(workspace)
    , m_box(box)
    , m_typingStep(workspace.typingStep())
    , m_before(workspace.text(box))
    , m_after(std::move(text))
{
}

void TextCommand::redo()
{
    m_workspace.putText(m_box, m_after);
}

void TextCommand::undo()
{
    m_workspace.putText(m_box, m_before);
}

int TextCommand::id() const
{
    return 1 + m_box;
}

bool TextCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const TextCommand *>(other);
    if (next->m_typingStep != m_typingStep)
        return false;
    m_after = next->m_after;
    // Typed and taken back again: the step is dropped.
    setObsolete(m_after == m_before);
    return true;
}
