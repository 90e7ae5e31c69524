#pragma once

#include "cli/Exporter.h"

#include <QImage>
#include <QString>

// The export through Qt Gui: the document read as the editor opens it, the
// picture written by Qt's writers, or a PDF page.
class PictureExport
{
public:
    // As Exporter::exportDocument().
    static QString exportDocument(const QString &documentPath, const QString &out, Exporter::Format format,
                                  const JpegOptions &jpeg);
    // A PDF of one page exactly as large as the maptile prints: 1.5 inches per space.
    static QString writePdf(const QImage &image, const QString &title, const QString &out);
};
