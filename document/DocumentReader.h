#pragma once

#include "document/MaptileDocument.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// Reads an OpenRaster document. One written by this program comes back with
// everything that can be edited; one from elsewhere comes back as its merged
// picture cut to whole spaces, at most 5 x 6, in the starting fonts. The file may come from anywhere: entries are read only by name and
// never written out, every size is checked before memory is taken for it, and
// a file that breaks a rule is refused with the reason.
class DocumentReader
{
public:
    // Larger documents are refused before they are read.
    static constexpr qint64 MaxFileBytes = 256 * 1024 * 1024;
    // The XML entries, which a maptile keeps within a few kilobytes.
    static constexpr qint64 MaxXmlBytes = 1024 * 1024;
    // Longest texts accepted: the number box holds two characters.
    static constexpr int MaxMapNumLength = 2;
    static constexpr int MaxDesignerLength = 1000;
    static constexpr int MaxSpeedLength = 100;

    // The document at path, or a document with a null master and error set to
    // a sentence naming the file and the reason.
    static MaptileDocument read(const QString &path, QString *error);
    // The finished maptile of the document at path, as an export writes it,
    // read without its layers and fonts: this program's document holds it as
    // its merged picture, checked against the maptile's size; another
    // program's document is its merged picture taken as the maptile. Null
    // with error set as read() does.
    static QImage readFinished(const QString &path, QString *error);
    // The same from the file's bytes; reason says what is wrong, without the file name.
    static MaptileDocument decode(const QByteArray &bytes, QString *reason);
};
