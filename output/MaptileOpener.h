#pragma once

#include <QImage>
#include <QString>

class Workspace;

// Makes a picture file the whole content of the maptile: the size in spaces
// follows the picture, cut to whole spaces and to at most 5 x 6. A document
// written by this program brings back everything it keeps instead, counts
// as saved, and is the file the maptile is kept in from then on.
class MaptileOpener
{
public:
    // Reads path into the workspace's maptile. On failure returns a sentence
    // naming the file and the reason, and leaves the maptile as it was.
    static QString open(Workspace &workspace, const QString &path);
    // The picture open() makes the maptile of (for a document of this program,
    // its master carrying the rest, see MaptileDocument::toPicture()), or a
    // null image with error set as open() reports it. The editor runs this in
    // a child process and hands the picture to apply().
    static QImage read(const QString &path, QString *error);
    // Makes what read() gave the maptile, as one undo step; path is the file
    // it was read from.
    static void apply(Workspace &workspace, const QImage &picture, const QString &path);
};
