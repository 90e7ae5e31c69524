// Maptile documents: zip archives from anywhere, read as the editor and the
// command line read them. A document that is accepted must be within the
// program's limits, and written again and read back it must come back the same.
// The command line's export must make a picture of the finished maptile or
// refuse the document in one sentence. What the reading process hands the
// editor for an accepted document must come back whole; the input taken as
// such an answer must be refused or within the limits.

#include "FuzzSupport.h"

#include "cli/Exporter.h"
#include "document/DocumentArchive.h"
#include "document/DocumentReader.h"
#include "document/DocumentWriter.h"
#include "raster/RasterOps.h"
#include "readerclient/DocumentAnswer.h"

#include <QGuiApplication>

#include <cstdint>

namespace {

void check(bool condition, const char *what)
{
    FuzzSupport::check(condition, "fuzz_document", what);
}

bool sameState(const MaptileDocument &a, const MaptileDocument &b)
{
    return a.maptile.master() == b.maptile.master() && a.maptile.speedValues() == b.maptile.speedValues()
        && a.mapNum == b.mapNum && a.designer == b.designer && a.mapNumFont == b.mapNumFont
        && a.mapNumColour == b.mapNumColour && a.speedFont == b.speedFont && a.speedColour == b.speedColour;
}

// The export of the document's bytes, as the command line makes it once it has read the file.
void exportBytes(const QByteArray &bytes)
{
    QString error;
    const QByteArray png = Exporter::encode(QStringLiteral("in.ora"), bytes, QStringLiteral("out.png"),
                                            Exporter::Format::Png, {}, 0, &error);
    if (png.isEmpty()) {
        check(error.contains(QStringLiteral("in.ora")), "a refusal that names no file");
        return;
    }
    const QImage written = QImage::fromData(png, "PNG");
    check(!written.isNull() && written.width() % Geometry::SpaceSize == 0 && written.height() % Geometry::SpaceSize == 0
              && written.width() <= Geometry::MaxColumns * Geometry::SpaceSize
              && written.height() <= Geometry::MaxRows * Geometry::SpaceSize,
          "an export that is not a maptile of whole spaces");
}

// The input as the reading process's answer, as one taken over might send it.
void decodeAnswer(const QByteArray &bytes)
{
    MaptileDocument forged;
    if (!DocumentAnswer::decode(QByteArray(1, DocumentAnswer::Kind) + bytes, &forged))
        return;
    check(forged.maptile.columns() <= Geometry::MaxColumns && forged.maptile.rows() <= Geometry::MaxRows
              && forged.records.compose() == forged.maptile.master(),
          "an answer taken beyond the limits");
}

} // namespace

// Qt keeps what fontconfig finds for every font family a document names, for
// the rest of the run: a cache, not a leak.
extern "C" const char *__lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // Fonts and image plugins are found through the application.
    new QGuiApplication(*argc, *argv);
    // The font library sets itself up on first use and keeps that for the
    // run; done here, it is not taken for a leak of the first input.
    MaptileOverlays().paintDesigner(QStringLiteral("Cryptwright"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QString reason;
    exportBytes(bytes);
    decodeAnswer(bytes);
    const MaptileDocument document = DocumentReader::decode(bytes, &reason);
    const QImage &master = document.maptile.master();
    if (!reason.isEmpty()) {
        check(master.isNull() && !document.editable, "a refusal that still gives a maptile");
        return 0;
    }
    check(master.format() == RasterOps::Format, "a master not in the work format");
    check(document.maptile.columns() >= 1 && document.maptile.columns() <= Geometry::MaxColumns
              && document.maptile.rows() >= 1 && document.maptile.rows() <= Geometry::MaxRows
              && master.size() == QSize(document.maptile.columns(), document.maptile.rows()) * Geometry::SpaceSize,
          "a maptile outside 5 x 6 whole spaces");
    check(document.mapNum.size() <= DocumentArchive::MaxMapNumLength
              && document.designer.size() <= DocumentArchive::MaxDesignerLength,
          "a text longer than allowed");
    // The answer holds every copy's pixels raw, and here the document, its answer and
    // what the editor makes of it are held at once: beyond a few copies that is more
    // than the limit this target sets for reading the document itself.
    constexpr size_t MaxCopiesHanded = 8;
    MaptileDocument handed = document;
    if (document.records.copies().size() <= MaxCopiesHanded)
        check(DocumentAnswer::decode(DocumentAnswer::encode(document), &handed), "a document's answer refused");
    // One that is not editable opens as its picture alone.
    check(handed.editable == document.editable && handed.maptile.master() == master
              && (!document.editable
                  || (sameState(document, handed) && handed.records.base() == document.records.base()
                      && handed.records.copies().size() == document.records.copies().size())),
          "a document that changes on its way to the editor");
    if (!document.editable)
        return 0;
    QString error;
    const QByteArray again = DocumentWriter::encode(document, &error);
    check(!again.isEmpty(), "an accepted document that cannot be written again");
    const MaptileDocument reread = DocumentReader::decode(again, &error);
    check(error.isEmpty() && reread.editable, "a document written again that cannot be read");
    check(sameState(document, reread), "a document that changes when written again");
    return 0;
}
