#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class TileData;

// Writes a tileset's metadata file so that the program's reader and the
// Windows profile functions read the same metadata back: section "TILEDATA"
// with SETNAME, CREATOR and one key per subtile that has a speed value.
// Everything else an existing file holds (other sections, other keys,
// comments) stays as it was. The text is plain ASCII, or UTF-8 without a
// byte-order mark when a character needs it.
class TileDataWriter
{
    Q_DECLARE_TR_FUNCTIONS(TileDataWriter)

public:
    // The bytes of existing (empty for a new file) with data's keys set.
    static QByteArray merge(const QByteArray &existing, const TileData &data);
    // The bytes that update the file at path (or make it), or the empty text
    // and error set to a sentence naming the file and the reason.
    static QByteArray prepare(const QString &path, const TileData &data, QString *error);
};
