#pragma once

#include <QString>

class Workspace;

// Makes a picture file the whole content of the maptile: the size in spaces
// follows the picture, cut to whole spaces and to at most 5 x 6. A document
// written by this program brings back everything it keeps instead, and
// counts as saved.
class MaptileOpener
{
public:
    // Reads path into the workspace's maptile. On failure returns a sentence
    // naming the file and the reason, and leaves the maptile as it was.
    static QString open(Workspace &workspace, const QString &path);
};
