#pragma once

#include <QImage>
#include <QString>

class Workspace;

// Makes a picture file the whole content of the maptile: the size in spaces
// follows the picture, cut to whole spaces and to at most 5 x 6.
class MaptileOpener
{
public:
    // Reads path into the workspace's maptile. On failure returns a sentence
    // naming the file and the reason, and leaves the maptile as it was.
    static QString open(Workspace &workspace, const QString &path);
    // The picture open() makes the maptile of, or a null image with error set
    // as open() reports it. The editor runs this in a child process and hands
    // the picture to Workspace::openImage().
    static QImage read(const QString &path, QString *error);
};
