#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

// A view drawn as a grid of square cells under a red outline, as the palettes
// and the maptile are: what a screen reader needs to read it cell by cell and
// to follow the outline. GridAccessible reads it.
class OutlinedGrid
{
public:
    virtual ~OutlinedGrid() = default;

    // Columns and rows.
    virtual QSize gridSize() const = 0;
    // The cell under the outline; it may lie outside the grid while a drag goes on.
    virtual QPoint outlinedCell() const = 0;
    // Moves the outline to a cell of the grid.
    virtual void setOutlinedCell(QPoint cell) = 0;
    // What the cell is called and holds, in one line.
    virtual QString cellText(QPoint cell) const = 0;
    // The outline goes to the cell, and the cell takes the left button's
    // subtile or gives it, as a press of the left button there would.
    virtual void pressCell(QPoint cell) = 0;
};
