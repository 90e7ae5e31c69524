#pragma once

#include "document/MaptileDocument.h"
#include "tilesets/TileData.h"

#include <QImage>
#include <QList>
#include <QString>

#include <optional>

class Workspace;

// What of a workspace is unsaved, taken at one moment so that it can be
// written while the editor goes on: the maptile as a document when it
// changed, with the document it is kept in, and every changed tileset with its
// metadata and file. Pictures are shared with the workspace, not copied.
struct UnsavedWork
{
    struct Tileset
    {
        int slot = 0;
        QImage picture;
        TileData data;
        QString path;
    };

    static UnsavedWork of(const Workspace &workspace);

    QString documentPath;
    std::optional<MaptileDocument> maptile;
    QList<Tileset> tilesets;
};
