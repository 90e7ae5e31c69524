#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>

class Workspace;

// Makes a picture file the whole content of the maptile: the size in spaces
// follows the picture, cut to whole spaces and to at most 5 x 6. A document
// written by this program brings back everything it keeps instead, counts
// as saved, and is the file the maptile is kept in from then on.
class MaptileOpener
{
public:
    // Reads path into the workspace's maptile on the calling thread. On
    // failure returns a sentence naming the file and the reason, and leaves
    // the maptile as it was.
    static QString open(Workspace &workspace, const QString &path);
    // The picture open() makes the maptile of, from the file at path.
    static QImage read(const QString &path, QString *error);
    // The same from the bytes of the file called name, transparent parts
    // showing background: for a document of this program, its master
    // carrying the rest (see MaptileDocument::toPicture()), or a null image
    // with error set as open() reports it. The editor has this run by the
    // reading process and hands the picture to apply().
    static QImage decode(const QByteArray &bytes, const QString &name, QRgb background, QString *error);
    // Makes what read() or decode() gave the maptile, as one undo step; path
    // is the file it was read from.
    static void apply(Workspace &workspace, const QImage &picture, const QString &path);
};
