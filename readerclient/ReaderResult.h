#pragma once

#include "document/MaptileDocument.h"

#include <QImage>
#include <QMetaType>

// What a reading gives the editor: the picture read, and for a maptile the
// document the file opens as, its master being the picture (a picture file,
// or another program's document, opens as one that is not editable).
struct ReaderResult
{
    QImage picture;
    MaptileDocument document;
};
Q_DECLARE_METATYPE(ReaderResult)
