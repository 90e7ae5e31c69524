#pragma once

#include <QRect>

// Where one copy of a maptile lies on its sheet. cut is the rectangle to cut
// along, in SheetLength units from the paper's top-left corner; a turned
// maptile lies a quarter turn clockwise, so cut is its picture's size transposed.
struct SheetPlacement
{
    int maptile = 0;
    int copy = 0;
    QRect cut;
    bool turned = false;
};
