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
        // The entry of the whole tileset, as version 1 keeps it; empty when
        // each cell the placements use has an entry of its own.
        QString picture;
        // The cells the placements use, a bit each, row by row.
        quint32 cells = 0;
        QString fileName;
        TileData data;
    };
    QString base;
    std::vector<Copy> copies;
    std::array<MaptileRecords::Stack, Geometry::MaxColumns * Geometry::MaxRows> stacks;
};

// The records of a maptile in a document, in entries other programs ignore:
// the base picture, each cell of a tileset copy that placements use, once,
// and an XML entry of the placements. Version 1 kept each copy whole instead,
// cells no placement uses blanked; such documents are still read.
class DocumentRecords
{
    Q_DECLARE_TR_FUNCTIONS(DocumentRecords)

public:
    static inline const QString Entry = QStringLiteral("cryptwright/records.xml");
    static inline const QString BaseEntry = QStringLiteral("cryptwright/base.png");
    static constexpr int Version = 2;
    // A tileset's file name and its set name and creator.
    static constexpr int MaxFileNameLength = 255;
    static constexpr int MaxNameLength = 1000;

    // A picture the records entry names, and the part of the records' picture it holds.
    struct Picture
    {
        QString entry;
        QImage source;
        QRect area;
    };

    // The whole picture entry of copy index, in documents of version 1.
    static QString copyEntry(int index);
    // The picture entry of a cell of copy index.
    static QString cellEntry(int index, QPoint cell);
    // The pictures a document keeps of records: the base, then the cells used of each copy.
    static std::vector<Picture> pictures(const MaptileRecords &records);
    // Starts packing the pictures of records a save would pack, away from
    // the calling thread, so that the save finds them packed.
    static void packAhead(const MaptileRecords &records);
    static QByteArray xml(const MaptileRecords &records);
    // The cells of copy that placements of records use, a bit each, row by row.
    static quint32 usedCells(const MaptileRecords &records, int copy);
    // The cells whose bits are set, row by row, and the pixels of one in its tileset.
    static std::vector<QPoint> cellsOf(quint32 cells);
    static QRect cellArea(QPoint cell);
    // The copy's picture as the document gives it back: the cells no
    // placement of records uses blank.
    static QImage keptPicture(const MaptileRecords &records, int copy);
    // Reads the records entry of a maptile of columns x rows spaces; a rule
    // broken throws a DocumentRefusal.
    static RecordsState read(DocumentArchive &archive, int columns, int rows);
    // The orientation a placement records as its turns after an optional mirror image.
    static Orientation orientation(int quarterTurns, bool mirrored);
    // Whether text is a transparency setting the program writes or reads.
    static bool acceptsTransparency(const QString &text);
};
