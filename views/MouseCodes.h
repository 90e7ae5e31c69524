#pragma once

#include <QPoint>
#include <Qt>

// Translates Qt's mouse buttons and keyboard modifiers into the program's
// codes: buttons 1 left, 2 right, 4 middle; modifiers 1 Shift, 2 Ctrl, 4 Alt.
namespace MouseCodes {

int buttons(Qt::MouseButtons buttons);
int modifiers(Qt::KeyboardModifiers modifiers);
// Whole part rounded down, so a point left of or above a view gives a negative cell.
int cellOf(int pixel, int cellSize);
// The step an arrow key takes from cell to cell; none for any other key.
QPoint arrowStep(int key);

} // namespace MouseCodes
