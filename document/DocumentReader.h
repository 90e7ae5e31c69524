#pragma once

#include "document/MaptileDocument.h"
#include "raster/Geometry.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QString>

class PictureRows;

// Reads an OpenRaster document. One written by this program comes back with
// everything that can be edited; one from elsewhere comes back as its merged
// picture cut to whole spaces, at most 5 x 6, in the starting fonts. What is
// checked before the pictures are decoded is DocumentArchive's.
class DocumentReader
{
    Q_DECLARE_TR_FUNCTIONS(DocumentReader)

public:
    // The document at path, or a document with a null master and error set to
    // a sentence naming the file and the reason.
    static MaptileDocument read(const QString &path, QString *error);
    // The finished maptile of the document at path, as an export writes it,
    // read without its layers and fonts: this program's document holds it as
    // its merged picture, checked against the maptile's size; another
    // program's document is its merged picture taken as the maptile. Null
    // with error set as read() does.
    static QImage readFinished(const QString &path, QString *error);
    // The same, handed to rows as it is decoded rather than held whole. The
    // document is wholly checked only when this returns true: what rows make
    // of it must not be kept before then.
    static bool readFinished(const QString &path, PictureRows &rows, QString *error);
    // The same from the bytes of the file at path, read already.
    static bool readFinished(const QString &path, const QByteArray &bytes, PictureRows &rows, QString *error);
    // The same two from the file's bytes; reason says what is wrong, without
    // the file name. Transparent parts of a picture show background.
    static MaptileDocument decode(const QByteArray &bytes, QString *reason, QRgb background = Geometry::blankColour());
    static QImage decodeFinished(const QByteArray &bytes, QString *reason, QRgb background = Geometry::blankColour());
};
