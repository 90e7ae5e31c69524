#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>

// The spaces a change took off the master, for its undo: every space outside
// the part the change left in place, except blank ones, which need no pixels
// to come back. An opaque space is kept in three bytes a pixel, exactly.
class RemovedSpaces
{
public:
    RemovedSpaces() = default;
    // The non-blank spaces of master outside its top-left columns x rows
    // (kept: the spaces a change leaves where they are).
    explicit RemovedSpaces(const QImage &master, QSize kept = {});

    // The master as it was: current's kept part, the removed spaces laid back,
    // blank everywhere else.
    QImage restore(const QImage &current) const;
    qint64 bytes() const;

private:
    struct Space
    {
        QPoint at;
        QImage pixels;
    };

    QSize m_size; // of the master, in pixels
    QSize m_kept; // in spaces
    QList<Space> m_spaces;
};
