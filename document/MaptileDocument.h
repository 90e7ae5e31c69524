#pragma once

#include "document/DocumentArchive.h"
#include "maptile/Maptile.h"
#include "maptile/MaptileOverlays.h"
#include "placements/MaptileRecords.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

// Everything a maptile is made of, as it is kept in a document: the master
// with its speed values, the maptile number and designer texts, and the two
// overlay fonts with their colours, and the records of what the master is
// made of. A document from another program carries only a picture; it is not
// editable and opens like any picture.
struct MaptileDocument
{
    Maptile maptile;
    MaptileRecords records;
    bool editable = false;
    QString mapNum;
    QString designer;
    QFont mapNumFont;
    QColor mapNumColour;
    QFont speedFont;
    QColor speedColour;

    // The overlays drawn in this document's fonts from its texts.
    MaptileOverlays overlays() const;
    // The finished maptile: master plus overlays.
    QImage preview() const;

    // The font a document records, to draw with, its colour set to colour.
    static QFont fontOf(const DocumentFont &recorded, QColor *colour);
    // The font and its colour as a document records them.
    static DocumentFont recordOf(const QFont &font, const QColor &colour);
};
