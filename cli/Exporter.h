#pragma once

#include "output/JpegOptions.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <QStringList>

class QIODevice;

// Makes the files of maptile documents' finished pictures, as pictures or PDF
// pages, without any window: the document read as the editor opens it, the
// picture encoded as the editor saves it. Everything happens in memory, so
// that a process confined to the files it opened beforehand can do it.
class Exporter
{
    Q_DECLARE_TR_FUNCTIONS(Exporter)

public:
    enum class Format { Jpeg, Bitmap, Png, Pdf };

    // The names an output may end in, without the dot.
    static const QStringList &suffixes();
    // The format a name ends in; false when it ends in none of them.
    static bool formatFor(const QString &path, Format *format);

    // Takes from the file system now what encoding in format will need: the
    // list of Qt's image plugins, which its writers and its PDF engine read.
    static void prepare(Format format);

    // The file of format for the finished maptile of a document, given as the
    // bytes of the file at documentPath, for the output out; with maxSide
    // above 0, a picture is scaled down to fit a square of that side, as a
    // thumbnail is. Empty, with error set to one sentence naming the file at
    // fault and the reason, when it cannot be made.
    static QByteArray encode(const QString &documentPath, const QByteArray &document, const QString &out, Format format,
                             const JpegOptions &jpeg, int maxSide, QString *error);
    // Writes to device a PDF of one page exactly as large as the maptile
    // prints, 1.5 inches per space; the empty text or the reason it failed.
    static QString writePdf(const QImage &image, const QString &title, QIODevice &device);
};
