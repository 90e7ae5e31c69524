#pragma once

#include "document/MaptileDocument.h"
#include "placements/MaptileRecords.h"

#include <QByteArray>

#include <array>
#include <vector>

// A maptile file as the reading process hands it to the editor: the master
// and, for a document of this program, its texts, fonts and speed values, the
// base, every tileset copy with its file name and metadata, and every space's
// placements. Pixels travel raw, four bytes a pixel; the rest in a QDataStream.
// The editor takes nothing a sound reading could not give: every size, count
// and text is checked against a document's limits, and the records must lay
// out to the master exactly.
class DocumentAnswer
{
public:
    using Stacks = std::array<MaptileRecords::Stack, Geometry::MaxColumns * Geometry::MaxRows>;
    // The byte an answer of this kind begins with.
    static constexpr char Kind = 'D';

    // The answer for document, kind byte first, without its length.
    static QByteArray encode(const MaptileDocument &document);
    // The same with the records given in parts, as they are sent.
    static QByteArray encode(const MaptileDocument &document, const QImage &base,
                             const std::vector<TilesetCopy> &copies, const Stacks &stacks);
    // The document the bytes give; false when they are none a sound reading sends.
    static bool decode(const QByteArray &bytes, MaptileDocument *document);
    // The longest answer a sound reading sends.
    static qint64 maxBytes();
};
