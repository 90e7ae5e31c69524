// Picture files as a tileset slot or a maptile reads them: Qt's image plugins,
// our checks for short files and huge headers, the readers of a picture's
// top-left part, and the checks a Windows metafile passes before libwmf sees
// it. The input is named .wmf so that a picture Qt does not recognise also
// goes down the metafile path. libwmf itself draws only in the confined
// reading process, which is killed when it hangs or crashes; it is not
// fuzzed here.

#include "FuzzSupport.h"

#include "pictures/MetafileDecoder.h"
#include "pictures/PictureDecoder.h"
#include "pictures/TilesetPicture.h"
#include "raster/Geometry.h"
#include "raster/RasterOps.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace {

// Pictures up to this size are also read twice and written back.
constexpr qint64 SmallPixels = 1 << 20;
const QString Name = QStringLiteral("tileset.wmf");

void check(bool condition, const char *what)
{
    FuzzSupport::check(condition, "fuzz_tileset", what);
}

} // namespace

// Qt keeps what fontconfig finds for the font families of a drawing's text,
// for the rest of the run: a cache, not a leak.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Decoders complain about every damaged file; the verdict is what counts.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // As in the program: image plugins are found through the application.
    static QGuiApplication *application = new QGuiApplication(*argc, *argv);
    std::atexit([] { delete application; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    if (PictureDecoder::isMetafile(bytes, Name)) {
        // A metafile that passes is mended once and for all: checked again it
        // passes unchanged, with the same size.
        QByteArray mended = bytes;
        QSize box;
        if (!MetafileDecoder::check(mended, &box).isEmpty())
            return 0;
        check(box.isEmpty() || (box.width() > 0 && box.height() > 0), "a placeable metafile of no size");
        QByteArray again = mended;
        QSize sameBox;
        check(MetafileDecoder::check(again, &sameBox).isEmpty() && again == mended && sameBox == box,
              "a mended metafile that changes when checked again");
        return 0;
    }

    // Whole, as a tileset; then only the top-left part, as a maptile, kept
    // small so that small inputs take that road too.
    for (const QSize keep : {QSize(), QSize(16, 16)}) {
        QString reason;
        const QImage decoded = PictureDecoder::decode(bytes, Name, &reason, keep);
        if (decoded.isNull()) {
            check(!reason.isEmpty(), "a refusal without its reason");
            continue;
        }
        check(reason.isEmpty(), "a picture and a reason at once");
        const QImage image = PictureDecoder::flattened(decoded, Geometry::blankColour());
        check(!image.size().isEmpty() && image.format() == RasterOps::Format, "a picture not in the work format");
        check(qint64(image.sizeInBytes()) <= qint64(PictureDecoder::AllocationLimitMb) * 1024 * 1024,
              "a picture larger than the allocation limit");
        // Only some formats can be read in part; the rest come whole, as a tileset would.
        if (keep.isValid() || qint64(image.width()) * image.height() > SmallPixels)
            continue;
        // Decoding is deterministic: pixels that differ between two reads came from uninitialised memory.
        QString error;
        check(TilesetPicture::decode(bytes, Name, Geometry::blankColour(), &error) == image,
              "two reads of one file differ");
        // Whatever the program reads it must also read back once written as a plain bitmap.
        QByteArray bitmap;
        QBuffer buffer(&bitmap);
        buffer.open(QIODevice::WriteOnly);
        check(image.save(&buffer, "BMP"), "a picture that cannot be written as a bitmap");
        check(TilesetPicture::decode(bitmap, QStringLiteral("copy.bmp"), Geometry::blankColour(), &error) == image,
              "a picture that does not read back");
    }
    return 0;
}
