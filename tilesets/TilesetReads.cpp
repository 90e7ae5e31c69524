#include "tilesets/TilesetReads.h"

#include "tilesets/TilesetImageReader.h"

TilesetReads::TilesetReads(const QStringList &paths)
    : m_paths(paths)
{
    for (const QString &path : paths) {
        m_reads.push_back(std::async(std::launch::async, [path] {
            Result result;
            const QImage picture = TilesetImageReader::read(path, &result.error);
            if (!picture.isNull())
                result.slot.setPicture(picture, path);
            result.slot.buildPalette();
            return result;
        }));
    }
}

TilesetReads::~TilesetReads() = default;

TilesetSlot TilesetReads::take(int index, QString *error)
{
    Result result = m_reads.at(index).get();
    *error = result.error;
    return result.slot;
}
