#pragma once

#include <QSize>
#include <QString>

// One maptile to go onto sheets: the name its messages use, its picture's
// size at 96 pixels per inch, and how many copies to print.
struct SheetMaptile
{
    QString name;
    QSize pixels;
    int copies = 1;
};
