// Picture files as a tileset slot or a maptile opens them: Qt's image plugins,
// our checks for short files and huge headers, the readers of a picture's
// top-left part, and Windows metafiles drawn
// through WmfRenderer. The input is written to a file named .wmf so that a
// picture Qt does not recognise also goes down the metafile path.

#include "FuzzSupport.h"

#include "raster/RasterOps.h"
#include "tilesets/TilesetImageReader.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {

// Below libFuzzer's limit for one input in tools/test, so that a metafile the
// renderer gives up on counts as refused, not as a hang.
constexpr int MetafileTimeLimitMs = 2000;
// Pictures up to this size are also read twice and written back.
constexpr qint64 SmallPixels = 1 << 20;

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
    // As in the program: image plugins are found through the application. It ends
    // before the leak check does, so that what the fonts of a drawing keep is let go.
    static QGuiApplication *application = new QGuiApplication(*argc, *argv);
    std::atexit([] { delete application; });
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
        const QImage image = TilesetImageReader::read(path, &error, keep, nullptr, MetafileTimeLimitMs);
        if (image.isNull()) {
            const QString prefix = QStringLiteral("Cannot open \"tileset.wmf\": ");
            check(error.startsWith(prefix) && error.size() > prefix.size() + 1 && error.endsWith(u'.'),
                  "a refusal without its reason");
            continue;
        }
        check(error.isEmpty(), "a picture and an error at once");
        check(!image.size().isEmpty() && image.format() == RasterOps::Format, "a picture not in the work format");
        check(qint64(image.sizeInBytes()) <= qint64(TilesetImageReader::AllocationLimitMb) * 1024 * 1024,
              "a picture larger than the allocation limit");
        // Only some formats can be read in part; the rest come whole, as a tileset would.
        if (keep.isValid())
            continue;
        if (qint64(image.width()) * image.height() > SmallPixels)
            continue;
        // Decoding is deterministic: pixels that differ between two reads came from uninitialised memory.
        QString again;
        check(TilesetImageReader::read(path, &again, {}, nullptr, MetafileTimeLimitMs) == image,
              "two reads of one file differ");
        // Whatever the program reads it must also read back once written as a plain bitmap.
        QByteArray bitmap;
        QBuffer buffer(&bitmap);
        buffer.open(QIODevice::WriteOnly);
        check(image.save(&buffer, "BMP"), "a picture that cannot be written as a bitmap");
        const QString copy = FuzzSupport::writeScratch(QStringLiteral("copy.bmp"), bitmap);
        check(copy.isEmpty() || TilesetImageReader::read(copy, &again) == image, "a picture that does not read back");
    }
    return 0;
}
