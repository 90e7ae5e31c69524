#pragma once

#include "cli/Exporter.h"
#include "maptile/Geometry.h"

#include <QString>

// The export of a document this program wrote, to JPEG, bitmap or PNG,
// without Qt Gui: a command-line export starts several times faster when the
// process does not load it. The document passes the editor's checks, and its
// merged picture, which is the finished maptile, is decoded in two halves at
// once and written row by row. What it does not take on (another
// program's document, a picture Qt's reader would see differently, PDF) is
// left to the export through Qt Gui.
class QuickExport
{
public:
    enum class Outcome { Written, Failed, NotTaken };

    // Memory for the bottom half of the largest maptile's picture, which the
    // thread beside takes while the document is opened.
    static constexpr size_t BesideBytes =
        size_t(Geometry::MaxColumns * Geometry::SpaceSize) * 3 * size_t((Geometry::MaxRows * Geometry::SpaceSize + 1) / 2);

    // Writes the document's finished maptile to out, replacing it atomically,
    // with beside decoding the bottom half of the picture; on failure error is
    // one sentence naming the file at fault and the reason.
    static Outcome exportDocument(const QString &documentPath, const QString &out, Exporter::Format format,
                                  const JpegOptions &jpeg, BesideThread &beside, QString *error);
};
