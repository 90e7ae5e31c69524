#pragma once

#include "output/JpegOptions.h"

#include <QByteArray>
#include <QImage>
#include <QString>

// Encodes a picture as JPEG through libjpeg, at the quality and scan order
// asked, marked at 96 pixels per inch. Qt's writer would first load every
// image plugin the system has to find its own, which costs a command-line
// export more than the encoding.
class JpegWriter
{
public:
    // The JPEG file's bytes; empty with reason set when libjpeg fails.
    static QByteArray encode(const QImage &image, const JpegOptions &options, QString *reason);
};
