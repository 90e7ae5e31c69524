#pragma once

#include "workspace/UndoStep.h"

#include <QImage>
#include <QString>

#include <concepts>
#include <functional>
#include <utility>

// One value of the workspace changed: a text, a space's speed value, a
// tileset's cell or metadata, a whole tileset. Undo puts the old value back and redo the new one through
// put, which carries the change out. Changes sharing a merge key (typing in
// one box until it loses the focus) are one step; -1 merges with nothing.
template<typename Value>
class ChangeValue : public UndoStep
{
public:
    using Put = std::function<void(const Value &)>;

    // held: memory the change leaves to others alone, such as a tileset only the maptile's records keep.
    ChangeValue(Put put, Value before, Value after, qint64 mergeKey = -1, qint64 held = 0)
        : m_put(std::move(put))
        , m_before(std::move(before))
        , m_after(std::move(after))
        , m_mergeKey(mergeKey)
        , m_held(held)
    {
    }

    void redo() override { m_put(m_after); }
    void undo() override { m_put(m_before); }
    qint64 bytes() const override { return qint64(sizeof(*this)) + bytesOf(m_before) + bytesOf(m_after) + m_held; }
    bool mergeWith(const UndoStep &next) override
    {
        const auto *change = dynamic_cast<const ChangeValue *>(&next);
        if (m_mergeKey < 0 || !change || change->m_mergeKey != m_mergeKey)
            return false;
        m_after = change->m_after;
        return true;
    }
    bool changesNothing() const override
    {
        if constexpr (std::equality_comparable<Value>)
            return m_before == m_after;
        else
            return false;
    }

private:
    static qint64 bytesOf(const QString &text) { return text.size() * qint64(sizeof(QChar)); }
    static qint64 bytesOf(const QImage &image) { return image.sizeInBytes(); }
    // Values that hold memory of their own say how much.
    template<typename Other>
    static qint64 bytesOf(const Other &value)
    {
        if constexpr (requires {
                          {
                              value.bytes()
                              } -> std::convertible_to<qint64>;
                      })
            return value.bytes();
        else
            return 0;
    }

    Put m_put;
    Value m_before;
    Value m_after;
    qint64 m_mergeKey;
    qint64 m_held;
};
