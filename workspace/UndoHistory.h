#pragma once

#include "workspace/UndoStep.h"

#include <deque>
#include <memory>

// The undo history of the maptile and the tilesets: the steps done, then
// those undone and ready to be redone. It is bounded both in steps and in the
// bytes the steps hold; beyond either, the oldest steps are forgotten.
class UndoHistory
{
public:
    static constexpr int StepLimit = 1000;
    static constexpr qint64 ByteBudget = 256 * 1024 * 1024;

    // Does step, drops whatever could have been redone, and records it (or merges
    // it into the step before).
    void push(std::unique_ptr<UndoStep> step);
    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    void undo();
    void redo();
    void clear();
    int count() const { return int(m_steps.size()); }
    // What all the steps hold together.
    qint64 bytes() const;

private:
    // Forgets the oldest steps until both limits hold again.
    void trim();

    std::deque<std::unique_ptr<UndoStep>> m_steps;
    std::size_t m_done = 0;
};
