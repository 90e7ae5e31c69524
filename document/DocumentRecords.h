#pragma once

#include "placements/MaptileRecords.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <array>
#include <vector>

class DocumentArchive;

// What a document's records entry holds before its pictures are decoded: the
// entry of the base, each tileset copy's picture entry, file name and
// metadata, and every space's placements, all checked against the limits.
struct RecordsState
{
    struct Copy
    {
        QString picture;
        QString fileName;
        TileData data;
    };
    QString base;
    std::vector<Copy> copies;
    std::array<MaptileRecords::Stack, Geometry::MaxColumns * Geometry::MaxRows> stacks;
};

// The records of a maptile in a document, in entries other programs ignore:
// the base picture, each tileset copy once (cells no placement uses blanked,
// which a PNG packs to almost nothing) and an XML entry of the placements.
class DocumentRecords
{
    Q_DECLARE_TR_FUNCTIONS(DocumentRecords)

public:
    static inline const QString Entry = QStringLiteral("cryptwright/records.xml");
    static inline const QString BaseEntry = QStringLiteral("cryptwright/base.png");
    static constexpr int Version = 1;
    // A tileset's file name and its set name and creator.
    static constexpr int MaxFileNameLength = 255;
    static constexpr int MaxNameLength = 1000;

    // The picture entry of copy index.
    static QString copyEntry(int index);
    static QByteArray xml(const MaptileRecords &records);
    // The cells of copy that placements of records use, a bit each, row by row.
    static quint32 usedCells(const MaptileRecords &records, int copy);
    // The copy's picture as the document keeps it: the cells no placement of
    // records uses blank.
    static QImage keptPicture(const MaptileRecords &records, int copy);
    // Reads the records entry of a maptile of columns x rows spaces; a rule
    // broken throws a DocumentRefusal.
    static RecordsState read(DocumentArchive &archive, int columns, int rows);
    // The orientation a placement records as its turns after an optional mirror image.
    static Orientation orientation(int quarterTurns, bool mirrored);
    // Whether text is a transparency setting the program writes or reads.
    static bool acceptsTransparency(const QString &text);
};
