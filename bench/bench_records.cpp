// The records of what a maptile is made of: the 5 x 6 sample laid from the
// four default tilesets, saved with its records and the cells of its tileset
// copies beside the same maptile saved without them; the size of that document; the typed
// answer the reading process hands the editor for it, with and without
// records; and `cryptwright --update` of 40 such documents beside one
// `cryptwright --export DIR` of the same 40, in the same run, by turns.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "document/DocumentRecords.h"
#include "document/DocumentWriter.h"
#include "document/PngCache.h"
#include "files/FileReplacer.h"
#include "readerclient/DocumentAnswer.h"
#include "tilesets/TilesetSlot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <thread>

namespace {

constexpr int Runs = 30;
constexpr int ProcessRuns = 7;
constexpr int Documents = 40;

// The tileset's pixels, one pixel of each cell changed by round, so that no
// round finds the pictures of another packed already.
QImage variedFor(const QImage &tileset, int round)
{
    QImage varied = tileset;
    for (int r = 0; r < Geometry::TilesetRows; ++r)
        for (int c = 0; c < Geometry::TilesetColumns; ++c)
            varied.setPixel(c * Geometry::SpaceSize + 1, r * Geometry::SpaceSize + 1, qRgb(round & 255, round >> 8, 7));
    return varied;
}

// The sample as the records keep it, every placement named by its tileset copy.
MaptileDocument sampleDocument(const std::array<TilesetSlot, SampleMaptile::TilesetCount> &loaded, int round)
{
    std::array<QImage, SampleMaptile::TilesetCount> pictures;
    for (size_t slot = 0; slot < pictures.size(); ++slot)
        pictures[slot] = variedFor(loaded[slot].fullImage(), round);
    MaptileDocument document;
    document.records.blank(SampleMaptile::Columns, SampleMaptile::Rows);
    for (const SampleMaptile::Placement &p : SampleMaptile::placements()) {
        const TilesetSlot &slot = loaded[size_t(p.slot)];
        const QImage &picture = pictures[size_t(p.slot)];
        LaidSubtile laid;
        laid.copy =
            document.records.copyOf(picture, QFileInfo(SampleMaptile::tilesetPath(p.slot)).fileName(), slot.tileData());
        laid.cell = {p.column, p.row};
        laid.setting = SampleMaptile::transparency(p.slot);
        laid.key = picture.pixel(p.column * Geometry::SpaceSize, p.row * Geometry::SpaceSize);
        document.records.lay(p.space, laid);
    }
    document.maptile.setMaster(document.records.compose());
    SpeedValues speed;
    for (int c = 0; c < SampleMaptile::Columns; ++c)
        for (int r = 0; r < SampleMaptile::Rows; ++r)
            speed[c][r] = SampleMaptile::speedValue({c, r});
    document.maptile.setSpeedValues(speed);
    const MaptileOverlays defaults;
    document.mapNumFont = defaults.mapNumFont();
    document.mapNumColour = defaults.mapNumColour();
    document.speedFont = defaults.speedFont();
    document.speedColour = defaults.speedColour();
    document.mapNum = SampleMaptile::MapNumber;
    document.designer = SampleMaptile::Designer;
    document.editable = true;
    return document;
}

// A save as the save command makes it: the document encoded and written whole.
qint64 save(const MaptileDocument &document, const QString &path)
{
    QString error;
    const QByteArray bytes = DocumentWriter::encode(document, &error);
    if (bytes.isEmpty() || !(error = FileReplacer::writeBytes(bytes, path)).isEmpty()) {
        std::fprintf(stderr, "bench_records: %s\n", qPrintable(error));
        std::exit(1);
    }
    return bytes.size();
}

double run(const std::vector<std::string> &command)
{
    const BenchSupport::ChildRun child = BenchSupport::runChild(command, std::chrono::seconds(120));
    // --update ends with 1 when a document cannot be updated: none here may fail.
    if (!child.started || child.timedOut || child.exitCode != 0) {
        std::fprintf(stderr, "bench_records: %s failed\n", command[1].c_str());
        std::exit(1);
    }
    return child.milliseconds;
}

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::application(argc, argv);
    const auto work = BenchSupport::memoryFolder();
    std::array<TilesetSlot, SampleMaptile::TilesetCount> loaded;
    QString error;
    const SampleMaptile::Tilesets pictures = SampleMaptile::readTilesets(&error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "bench_records: %s\n", qPrintable(error));
        return 1;
    }
    for (int slot = 0; slot < SampleMaptile::TilesetCount; ++slot)
        loaded[size_t(slot)].setPicture(pictures[size_t(slot)], SampleMaptile::tilesetPath(slot));
    int round = 0;
    const MaptileDocument withRecords = sampleDocument(loaded, round++);
    MaptileDocument without = withRecords;
    without.records = MaptileRecords::fromBase(without.maptile.master());

    // By turns, so all meet the same machine, each round laid from tileset
    // pixels no save has met. Cold: saved with nothing packed, as a save right
    // after the maptile was laid in one go. First: the first save after the
    // editor packed the pictures ahead while the maptile was laid, which takes
    // a person far longer than the pause here. Again: a later save.
    const QString path = work->filePath(QStringLiteral("map.ora"));
    std::vector<double> coldMs, aheadMs, firstMs, againMs, withoutMs;
    qint64 withBytes = 0, withoutBytes = 0;
    for (int i = 0; i < Runs; ++i) {
        const MaptileDocument cold = sampleDocument(loaded, round++);
        coldMs.push_back(BenchSupport::medianMicroseconds([&] { save(cold, path); }, 1) / 1000);
        const MaptileDocument laid = sampleDocument(loaded, round++);
        // What packing ahead costs the thread that does it: the same packing, with nothing packed before.
        const MaptileDocument timed = sampleDocument(loaded, round++);
        aheadMs.push_back(BenchSupport::medianMicroseconds(
                              [&] {
                                  for (const DocumentRecords::Picture &picture :
                                       DocumentRecords::pictures(timed.records))
                                      PngCache::packed(picture.source, picture.area);
                              },
                              1)
                          / 1000);
        DocumentRecords::packAhead(laid.records);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        firstMs.push_back(BenchSupport::medianMicroseconds([&] { withBytes = save(laid, path); }, 1) / 1000);
        againMs.push_back(BenchSupport::medianMicroseconds([&] { save(laid, path); }, 1) / 1000);
        withoutMs.push_back(BenchSupport::medianMicroseconds([&] { withoutBytes = save(without, path); }, 1) / 1000);
    }
    const double first = BenchSupport::median(firstMs), again = BenchSupport::median(againMs),
                 savedWithout = BenchSupport::median(withoutMs), coldSave = BenchSupport::median(coldMs);
    std::printf("save 5 x 6 laid from %zu tilesets, %zu pictures of records: with records median %.1f ms the first "
                "time, packed ahead, %.1f ms again (%.2f MB); without records %.1f ms (%.2f MB); %+.1f %% and "
                "%+.1f %% (target at most +20 %%), document target under 4 MB\n",
                withRecords.records.copies().size(), DocumentRecords::pictures(withRecords.records).size(), first,
                again, withBytes / 1e6, savedWithout, withoutBytes / 1e6, (first / savedWithout - 1) * 100,
                (again / savedWithout - 1) * 100);
    std::printf(
        "with nothing packed ahead: median %.1f ms (%+.1f %%); packing ahead on its own thread: median %.1f ms\n",
        coldSave, (coldSave / savedWithout - 1) * 100, BenchSupport::median(aheadMs));

    MaptileDocument decoded;
    const double answerWith = BenchSupport::medianMicroseconds(
        [&] { DocumentAnswer::decode(DocumentAnswer::encode(withRecords), &decoded); }, Runs);
    const double answerWithout =
        BenchSupport::medianMicroseconds([&] { DocumentAnswer::decode(DocumentAnswer::encode(without), &decoded); }, Runs);
    std::printf("the reading process's answer, encoded and decoded: with records median %.1f ms (%.1f MB), "
                "without %.1f ms (%.1f MB)\n",
                answerWith / 1000, DocumentAnswer::encode(withRecords).size() / 1e6, answerWithout / 1000,
                DocumentAnswer::encode(without).size() / 1e6);

    // Slot A's tileset with one subtile fixed, its .dat beside it.
    QImage fixed = loaded[0].fullImage();
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x)
            fixed.setPixel(x, y, qRgb(200, 20, 20));
    const QString fixedPath = work->filePath(QFileInfo(SampleMaptile::tilesetPath(0)).completeBaseName() + ".png");
    const QString dat = TileData::existingDatFile(SampleMaptile::tilesetPath(0));
    if (!fixed.save(fixedPath) || (!dat.isEmpty() && !QFile::copy(dat, TileData::datPath(fixedPath))))
        return 1;
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cryptwright"));
    std::vector<std::string> update{program.toStdString(), "--update", fixedPath.toStdString()};
    std::vector<std::string> exportAll{program.toStdString(), "--export", work->filePath("set").toStdString()};
    QStringList copies;
    for (int i = 0; i < Documents; ++i) {
        copies << work->filePath(QStringLiteral("crypt%1.ora").arg(i, 2, 10, QLatin1Char('0')));
        update.push_back(copies.back().toStdString());
        exportAll.push_back(copies.back().toStdString());
    }
    std::vector<double> updateMs, exportMs;
    for (int i = 0; i < ProcessRuns; ++i) {
        // Each update starts from the documents as they were laid.
        for (const QString &copy : copies)
            save(withRecords, copy);
        updateMs.push_back(run(update));
        exportMs.push_back(run(exportAll));
    }
    std::printf("%d documents: cryptwright --update median %.0f ms (target at most 3000 ms on two cores); "
                "cryptwright --export DIR of the same median %.0f ms\n",
                Documents, BenchSupport::median(updateMs), BenchSupport::median(exportMs));
    return 0;
}
