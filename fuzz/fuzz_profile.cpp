// Metadata files: the profile parser on raw bytes, then the same bytes as the
// .dat beside a tileset image, read through TileData as the editor reads them,
// and the same bytes updated by the writer, which must read back as written.

#include "FuzzSupport.h"

#include "tilesets/ProfileReader.h"
#include "tilesets/TileData.h"
#include "tilesets/TileDataWriter.h"

#include <QFileInfo>

#include <cstdint>

namespace {

void check(bool condition, const char *what)
{
    FuzzSupport::check(condition, "fuzz_profile", what);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    return FuzzSupport::scratch().isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ProfileReader profile = ProfileReader::fromBytes(bytes);
    // Lookups with names taken from the input itself reach the entries it made.
    const QString text = QString::fromLatin1(bytes.left(64));
    for (const QString &name : text.split(u'='))
        check(profile.value(QStringLiteral("TILEDATA"), name).size() <= ProfileReader::MaxValueLength,
              "a value longer than a profile value may be");

    const QString image = FuzzSupport::scratch().filePath(QStringLiteral("set.jpg"));
    if (FuzzSupport::writeScratch(QFileInfo(TileData::datPath(image)).fileName(), bytes).isEmpty())
        return 0;
    const TileData tileData = TileData::read(image);
    const bool readWhole = bytes.size() <= ProfileReader::MaxFileSize;
    // A few subtiles across the grid.
    for (int column = 0; column < 7; ++column) {
        const int row = (6 - column) % 4;
        const QString fromFile = tileData.speedValue(column, row);
        const QString key = QString::number(column) + QString::number(row);
        check(!readWhole || fromFile == profile.value(QStringLiteral("TILEDATA"), key).trimmed(),
              "the file and its bytes disagree");
    }
    check(tileData.setInfo().endsWith(QStringLiteral(" ")), "set information without its closing blank");

    TileData written;
    written.setName = QStringLiteral("\"Höhle\"");
    written.creator = QStringLiteral("Zoë");
    written.setSpeedValue(3, 0, QStringLiteral("1/T"));
    const QByteArray merged = TileDataWriter::merge(bytes, written);
    check(merged.size() > ProfileReader::MaxFileSize
              || TileData::fromProfile(ProfileReader::fromBytes(merged)) == written,
          "the written metadata reads back otherwise");
    return 0;
}
