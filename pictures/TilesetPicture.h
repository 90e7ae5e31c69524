#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>
#include <QString>
#include <QStringList>

// A picture read for a tileset slot or for one subtile: the whole picture at
// its own size in the work format, its transparent parts showing the blank
// colour. Errors are sentences naming the file and the reason.
class TilesetPicture
{
public:
    // From the bytes of the file called name.
    static QImage decode(const QByteArray &bytes, const QString &name, QRgb background, QString *error);
    // The file at path, read and decoded on the calling thread: for the
    // program's own default tilesets, which are trusted. Pictures the user
    // chooses are read by the reading process instead.
    static QImage read(const QString &path, QRgb background, QString *error);
    // Several files side by side, one thread each; errors[i] belongs to paths[i].
    static QList<QImage> readAll(const QStringList &paths, QRgb background, QStringList *errors);
};
