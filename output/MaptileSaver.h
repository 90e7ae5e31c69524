#pragma once

#include "files/FileReplacer.h"
#include "output/JpegOptions.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QString>

class Workspace;

// Writes the finished maptile to a file: JPEG, PNG or an uncompressed 24-bit
// bitmap, each recording 96 pixels per inch so that one space prints at
// 1.5 inches, or a document that keeps it editable. The file is replaced
// atomically: a failed save leaves no partial file and never touches an
// existing one.
class MaptileSaver
{
    Q_DECLARE_TR_FUNCTIONS(MaptileSaver)

public:
    enum class Format { Jpeg, Png, Bitmap };

    // The format the typed name asks for: ".jpg" or ".jpeg" in any case is
    // JPEG, ".png" is PNG, and any other name is a bitmap under that name.
    static Format formatFor(const QString &path);

    // The file's bytes of image in format, or empty with reason set.
    static QByteArray encode(const QImage &image, Format format, const JpegOptions &jpeg, QString *reason);
    // Writes image to path; returns the empty text on success, otherwise a
    // sentence that names the file and the reason.
    static QString write(const QImage &image, const QString &path, Format format, const JpegOptions &jpeg = {},
                         FileReplacer::FolderSync folderSync = FileReplacer::FolderSync::Now);

    // Saves the workspace's preview in the format the name asks for, or the
    // whole maptile as a document when the name ends in ".ora"; the maptile
    // is then kept in that document. A lossless save marks the maptile
    // unchanged; a JPEG save leaves the flag, and so does any picture of a
    // maptile kept in a document, which the picture does not bring up to date.
    // A picture is never written over the maptile's own document.
    static QString save(Workspace &workspace, const QString &path, const JpegOptions &jpeg = {});
};
