#pragma once

#include "cli/BesideThread.h"
#include "output/JpegOptions.h"

#include <QString>
#include <QStringList>

// Writes maptile documents' finished pictures as pictures or PDF pages,
// without any window. Made before it is needed: it starts the thread that
// decodes beside the calling one.
class Exporter
{
public:
    enum class Format { Jpeg, Bitmap, Png, Pdf };

    // The names an output may end in, without the dot.
    static const QStringList &suffixes();
    // The format a name ends in; false when it ends in none of them.
    static bool formatFor(const QString &path, Format *format);

    // Writes the preview of the document at documentPath to out, replacing it
    // atomically. Returns the empty text, or one sentence naming the file at
    // fault and the reason. A document this program wrote goes out as JPEG,
    // bitmap or PNG without Qt Gui; the rest through the render module.
    Exporter();

    QString exportDocument(const QString &documentPath, const QString &out, Format format, const JpegOptions &jpeg);

private:
    BesideThread m_beside;
};
