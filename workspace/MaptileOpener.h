#pragma once

#include "document/MaptileDocument.h"

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
    // Makes what MaptileFileReader gave the maptile, as one undo step; path
    // is the file it was read from.
    static void apply(Workspace &workspace, const MaptileDocument &document, const QString &path);
};
