#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// Keeps the free room of one sheet as the largest empty rectangles it holds,
// so a new rectangle is tried against every gap the earlier ones left.
// Rectangles are half-open: one that ends where another starts does not touch it.
class SheetPacker
{
public:
    explicit SheetPacker(QSize area);

    // The top-left corner where size fits with the least room left over
    // along its tighter side, or nothing when it fits nowhere.
    std::optional<QPoint> find(QSize size) const;
    void occupy(const QRect &used);

private:
    QList<QRect> m_free;
};
