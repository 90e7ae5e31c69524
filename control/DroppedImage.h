#pragma once

#include <QString>

class QMimeData;

// What a drag carries, as the palettes and the working view accept it: one
// local file whose name says it is a picture the program reads, or, where
// documents are taken, a maptile document.
class DroppedImage
{
public:
    // The file's path, or empty when the drag carries anything else.
    static QString path(const QMimeData *data, bool documents);
};
