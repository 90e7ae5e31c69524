#pragma once

#include <QImage>
#include <QString>

// Reads the file a user opens as the maptile into the picture that is opened,
// whole spaces, at most 5 x 6: a picture file cut to them, a document of this
// program as its master carrying the rest (see MaptileDocument::toPicture()),
// another program's document as its merged picture.
class MaptileFileReader
{
public:
    // The picture of the file at path; a null image with error set to a
    // sentence naming the file and the reason when it cannot be read.
    static QImage read(const QString &path, QString *error);
    // The same from the bytes of the file called name, transparent parts
    // showing background. The editor has this run by the reading process.
    static QImage decode(const QByteArray &bytes, const QString &name, QRgb background, QString *error);
};
