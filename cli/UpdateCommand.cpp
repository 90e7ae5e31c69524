#include "cli/UpdateCommand.h"

#include "cli/CommandReport.h"
#include "cli/ExportBatch.h"
#include "cli/ExportFiles.h"
#include "document/DocumentArchive.h"
#include "document/DocumentReader.h"
#include "document/DocumentRecords.h"
#include "document/DocumentWriter.h"
#include "pictures/MetafileFonts.h"
#include "pictures/PictureDecoder.h"
#include "pictures/TilesetPicture.h"
#include "raster/RasterOps.h"
#include "tilesets/TileData.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QSet>

#include <mutex>
#include <vector>

namespace {

struct Tileset
{
    QString path;
    int file = -1;
    QImage picture; // the whole tileset, 1008 x 576
    TileData data;
    bool matched = false;

    QString fileName() const { return QFileInfo(path).fileName(); }
    QString name() const { return data.setName.isEmpty() ? fileName() : data.setName; }
};

// The tileset as a slot takes it: a smaller picture fills the top-left of a blank one.
QImage wholeTileset(const QImage &picture)
{
    const QImage source = RasterOps::toWorkFormat(picture);
    if (source.size() == Geometry::TilesetSize)
        return source;
    QImage whole(Geometry::TilesetSize, RasterOps::Format);
    RasterOps::fill(whole, Geometry::blankColour());
    const QRect part = source.rect().intersected(whole.rect());
    RasterOps::plainCopy(whole, part, source, part);
    return whole;
}

// What the document keeps of its records' tilesets, to tell whether an update changed anything.
std::vector<std::pair<QImage, TileData>> kept(const MaptileRecords &records)
{
    std::vector<std::pair<QImage, TileData>> copies;
    for (int i = 0; i < int(records.copies().size()); ++i)
        copies.emplace_back(DocumentRecords::keptPicture(records, i), records.copies()[size_t(i)].data);
    return copies;
}

// The fonts a document draws in by default are opened before the process
// confines itself; a document naming another font falls back as a system
// without it would.
void prepareFonts()
{
    QFontDatabase::families();
    MaptileOverlays overlays;
    overlays.paintMapNum(QStringLiteral("01"));
    overlays.paintDesigner(QStringLiteral("Cryptwright"));
}

} // namespace

int UpdateCommand::run(const QStringList &tilesetPaths, const QStringList &documents)
{
    if (documents.isEmpty()) {
        CommandReport::print(tr("--update needs at least one document to update."));
        return 2;
    }
    // Everything is opened and made before the process confines itself.
    ExportFiles files;
    std::vector<Tileset> tilesets;
    for (const QString &path : tilesetPaths) {
        Tileset tileset;
        tileset.path = path;
        tileset.file = files.addPicture(path);
        if (const QString &error = files.documentError(tileset.file); !error.isEmpty()) {
            CommandReport::print(error);
            return 1;
        }
        // Its metadata is read as a slot reads it.
        tileset.data = TileData::read(path);
        tilesets.push_back(std::move(tileset));
    }
    QStringList errors;
    std::vector<int> opened, outputs;
    QSet<QString> named;
    for (const QString &document : documents) {
        const int file = files.addDocument(document);
        QString error = files.documentError(file);
        const QString canonical = QFileInfo(document).canonicalFilePath();
        if (error.isEmpty() && named.contains(canonical))
            error = tr("\"%1\" is named more than once; it is updated once.").arg(document);
        named.insert(canonical);
        const int output = error.isEmpty() ? files.addOutput(document) : -1;
        if (error.isEmpty())
            error = files.outputError(output);
        errors << error;
        opened.push_back(file);
        outputs.push_back(output);
    }
    PictureDecoder::loadPlugins();
    MetafileFonts::preload();
    prepareFonts();
    ExportBatch batch;
    CommandReport::confine(files);

    for (Tileset &tileset : tilesets) {
        QByteArray bytes;
        QString why;
        if (files.read(tileset.file, &bytes, &why))
            tileset.picture = TilesetPicture::decode(bytes, tileset.path, Geometry::blankColour(), &why);
        files.release(tileset.file);
        if (tileset.picture.isNull()) {
            CommandReport::print(why);
            files.end();
            CommandReport::leave(1);
        }
        tileset.picture = wholeTileset(tileset.picture);
    }

    std::vector<QString> lines(size_t(documents.size()));
    std::mutex matching;
    const auto work = [&](qsizetype i) -> QString {
        const QString &path = documents[i];
        const QString name = QFileInfo(path).fileName();
        const int output = outputs[size_t(i)];
        QByteArray bytes;
        QString why;
        if (!files.read(opened[size_t(i)], &bytes, &why)) {
            files.giveUp(output);
            return why;
        }
        MaptileDocument document = DocumentReader::decode(bytes, &why);
        bytes.clear();
        files.release(opened[size_t(i)]);
        if (!why.isEmpty()) {
            files.giveUp(output);
            return DocumentArchive::failure(path, why);
        }
        MaptileRecords &records = document.records;
        if (!document.editable || !records.hasPlacements()) {
            files.giveUp(output);
            return tr("%1: keeps no record of what was laid on it, so it cannot be updated; left as it was.")
                .arg(name);
        }
        const QImage master = document.maptile.master();
        const auto before = kept(records);
        SpeedValues speed = document.maptile.speedValues();
        QStringList updated;
        for (Tileset &tileset : tilesets) {
            const int spaces = records.updateFrom(tileset.picture, tileset.fileName(), tileset.data, speed);
            if (spaces == 0)
                continue;
            {
                const std::lock_guard lock(matching);
                tileset.matched = true;
            }
            updated << (spaces == 1 ? tr("1 space updated from \"%1\"").arg(tileset.name())
                                    : tr("%1 spaces updated from \"%2\"").arg(spaces).arg(tileset.name()));
        }
        document.maptile.setMaster(records.compose());
        const bool sameSpeed = speed == document.maptile.speedValues();
        document.maptile.setSpeedValues(speed);
        if (document.maptile.master() == master && kept(records) == before && sameSpeed) {
            files.giveUp(output);
            lines[size_t(i)] = updated.isEmpty() ? tr("%1: uses none of these tilesets; left as it was.").arg(name)
                                                 : tr("%1: already up to date; left as it was.").arg(name);
            return {};
        }
        const QByteArray written = DocumentWriter::encode(document, &why);
        if (written.isEmpty()) {
            files.giveUp(output);
            return DocumentArchive::failure(path, why);
        }
        why = files.write(output, written);
        if (why.isEmpty())
            lines[size_t(i)] = tr("%1: %2.").arg(name, updated.join(QStringLiteral(", ")));
        return why;
    };
    errors = batch.run(documents, errors, work, [&](qsizetype i) { files.giveUp(outputs[size_t(i)]); });
    files.end();

    int failures = 0;
    for (qsizetype i = 0; i < documents.size(); ++i) {
        failures += !errors[i].isEmpty();
        CommandReport::tell(errors[i].isEmpty() ? lines[size_t(i)] : errors[i]);
    }
    for (const Tileset &tileset : tilesets)
        if (!tileset.matched)
            CommandReport::tell(tr("\"%1\" (%2) matched no placement in these documents.")
                                    .arg(tileset.name(), tileset.fileName()));
    CommandReport::leave(failures ? 1 : 0);
}
