#pragma once

#include <QImage>

// A picture made into one subtile: scaled smoothly to fit 144 x 144 with its
// proportions kept, centred on the blank colour, which also shows through its
// transparent parts.
class SubtileImport
{
public:
    static QImage fit(const QImage &picture);
};
