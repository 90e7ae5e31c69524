#include "workspace/TextCommand.h"

TextCommand::TextCommand(Workspace &workspace, Workspace::TextBox box, QString text)
    : m_workspace(workspace)
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

qint64 TextCommand::bytes() const
{
    return sizeof(*this) + (m_before.size() + m_after.size()) * qsizetype(sizeof(QChar));
}

bool TextCommand::mergeWith(const UndoStep &next)
{
    const auto *text = dynamic_cast<const TextCommand *>(&next);
    if (!text || text->m_box != m_box || text->m_typingStep != m_typingStep)
        return false;
    m_after = text->m_after;
    return true;
}
