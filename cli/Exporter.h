#pragma once

#include "files/FileReplacer.h"
#include "output/JpegOptions.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <QStringList>

// Writes maptile documents' finished pictures as pictures or PDF pages,
// without any window: the document read as the editor opens it, the picture
// written as the editor saves it.
class Exporter
{
    Q_DECLARE_TR_FUNCTIONS(Exporter)

public:
    enum class Format { Jpeg, Bitmap, Png, Pdf };

    // The names an output may end in, without the dot.
    static const QStringList &suffixes();
    // The format a name ends in; false when it ends in none of them.
    static bool formatFor(const QString &path, Format *format);

    // Writes the finished maptile of the document at documentPath to out,
    // replacing it atomically; with maxSide above 0, a picture is scaled down
    // to fit a square of that side, as a thumbnail is. Returns the empty
    // text, or one sentence naming the file at fault and the reason.
    static QString exportDocument(const QString &documentPath, const QString &out, Format format,
                                  const JpegOptions &jpeg, int maxSide = 0,
                                  FileReplacer::FolderSync folderSync = FileReplacer::FolderSync::Now);
    // A PDF of one page exactly as large as the maptile prints: 1.5 inches per space.
    static QString writePdf(const QImage &image, const QString &title, const QString &out,
                            FileReplacer::FolderSync folderSync = FileReplacer::FolderSync::Now);
};
