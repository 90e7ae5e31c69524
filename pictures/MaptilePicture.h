#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QImage>
#include <QRgb>
#include <QString>

// A picture file opened as the maptile. The largest maptile, 5 x 6 spaces from
// the top left, is all that is kept of a picture, so only that much is read;
// a picture smaller than one space would leave a maptile of no spaces and is
// refused. Errors are sentences naming the file and the reason.
class MaptilePicture
{
    Q_DECLARE_TR_FUNCTIONS(MaptilePicture)

public:
    // The kept part of the picture in the bytes of the file called name, in
    // the work format, its transparent parts showing background.
    static QImage decode(const QByteArray &bytes, const QString &name, QRgb background, QString *error);
};
