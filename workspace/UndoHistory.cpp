#include "workspace/UndoHistory.h"

void UndoHistory::push(std::unique_ptr<UndoStep> step)
{
    step->redo();
    m_steps.erase(m_steps.begin() + qsizetype(m_done), m_steps.end());
    if (!m_steps.empty() && m_steps.back()->mergeWith(*step)) {
        if (m_steps.back()->changesNothing()) {
            m_steps.pop_back();
            --m_done;
        }
    } else {
        m_steps.push_back(std::move(step));
        ++m_done;
    }
    trim();
}

void UndoHistory::undo()
{
    if (!canUndo())
        return;
    --m_done;
    m_steps[m_done]->undo();
}

void UndoHistory::redo()
{
    if (!canRedo())
        return;
    m_steps[m_done]->redo();
    ++m_done;
}

void UndoHistory::clear()
{
    m_steps.clear();
    m_done = 0;
}

qint64 UndoHistory::bytes() const
{
    qint64 total = 0;
    for (const auto &step : m_steps)
        total += step->bytes();
    return total;
}

void UndoHistory::trim()
{
    qint64 total = bytes();
    // The newest step stays whatever it holds: the change just made can always be undone.
    while (m_steps.size() > 1 && (m_steps.size() > std::size_t(StepLimit) || total > ByteBudget)) {
        total -= m_steps.front()->bytes();
        m_steps.pop_front();
        --m_done;
    }
}
