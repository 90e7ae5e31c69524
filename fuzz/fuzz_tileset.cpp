// Picture files as a tileset slot or a maptile opens them: Qt's image plugins,
// our checks for short files and huge headers, the readers of a picture's
// top-left part, and Windows metafiles drawn
// through WmfRenderer. The input is written to a file named .wmf so that a
// picture Qt does not recognise also goes down the metafile path.

#include "FuzzSupport.h"

#include "maptile/RasterOps.h"
#include "tilesets/TilesetImageReader.h"

#include <QGuiApplication>

#include <cstdint>

namespace {

void check(bool condition, const char *what)
{
    FuzzSupport::check(condition, "fuzz_tileset", what);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Decoders complain about every damaged file; the verdict is what counts.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // As in the program: image plugins are found through the application.
    new QGuiApplication(*argc, *argv);
    return FuzzSupport::scratch().isValid() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::writeScratch(
        QStringLiteral("tileset.wmf"), QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (path.isEmpty())
        return 0;

    // Whole, as a tileset; then only the top-left part, as a maptile, kept
    // small so that small inputs take that road too.
    for (const QSize keep : {QSize(), QSize(16, 16)}) {
        QString error;
        const QImage image = TilesetImageReader::read(path, &error, keep);
        if (image.isNull()) {
            check(error.startsWith(QStringLiteral("Cannot open \"tileset.wmf\": ")), "a refusal without its reason");
        } else {
            check(error.isEmpty(), "a picture and an error at once");
            check(image.format() == RasterOps::Format, "a picture not in the work format");
            check(qint64(image.sizeInBytes()) <= qint64(TilesetImageReader::AllocationLimitMb) * 1024 * 1024,
                  "a picture larger than the allocation limit");
        }
    }
    return 0;
}
