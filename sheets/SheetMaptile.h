#pragma once

#include <QSize>
#include <QString>

// One maptile to go onto sheets: the name its messages use, its picture's
// size at 96 pixels per inch, how many copies to print, and which of the
// backs given with the pictures goes behind it (-1 for none).
struct SheetMaptile
{
    QString name;
    QSize pixels;
    int copies = 1;
    int back = -1;
};
