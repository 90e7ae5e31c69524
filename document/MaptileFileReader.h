#pragma once

#include "document/MaptileDocument.h"

#include <QString>

// Reads the file a user opens as the maptile into the document it opens as,
// its master of whole spaces, at most 5 x 6: a document of this program with
// everything it keeps, records included; a picture file cut to whole spaces,
// and another program's document as its merged picture, neither editable.
class MaptileFileReader
{
public:
    // The document of the file at path; one with a null master and error set
    // to a sentence naming the file and the reason when it cannot be read.
    static MaptileDocument read(const QString &path, QString *error);
    // The same from the bytes of the file called name, transparent parts
    // showing background. The editor has this run by the reading process.
    static MaptileDocument decode(const QByteArray &bytes, const QString &name, QRgb background, QString *error);
};
