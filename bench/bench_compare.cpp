// The sample 5 x 6 maptile composed from the default tileset files and written
// as a JPEG at quality 90, once through our core and once by ImageMagick's
// convert doing the same operations in one command. The last picture of each
// side is kept in bench_compare_out/ beside the benchmark for a look.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "maptile/MaptileOverlays.h"
#include "output/MaptileSaver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int OurRuns = 15;
constexpr int ConvertRuns = 5;
constexpr auto ConvertTimeout = std::chrono::seconds(60);
constexpr double TargetRatio = 10;

bool report(const QString &error)
{
    if (!error.isEmpty())
        std::fprintf(stderr, "bench_compare: %s\n", qPrintable(error));
    return error.isEmpty();
}

bool write(const SampleMaptile::Tilesets &tilesets, const QString &out)
{
    return report(
        MaptileSaver::write(SampleMaptile::compose(tilesets), out, MaptileSaver::Format::Jpeg, JpegOptions{90, false}));
}

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::application(argc, argv);
    // Both sides write to memory where there is some, so neither waits for a disk.
    const auto work = BenchSupport::memoryFolder();
    const QDir folder(QCoreApplication::applicationDirPath());
    if (!work->isValid() || !folder.mkpath(QStringLiteral("bench_compare_out"))) {
        std::fprintf(stderr, "bench_compare: no folder to write the pictures in\n");
        return 1;
    }
    const QDir kept(folder.filePath(QStringLiteral("bench_compare_out")));
    const auto keep = [&](const QString &path) {
        const QString copy = kept.filePath(QFileInfo(path).fileName());
        QFile::remove(copy);
        QFile::copy(path, copy);
    };

    // From the files, as convert has to; and from tilesets already loaded, as
    // in the editor once it runs.
    const QString ours = work->filePath(QStringLiteral("ours.jpg"));
    bool ok = true;
    const double wholeMs = BenchSupport::medianMicroseconds(
                               [&] {
                                   QString error;
                                   const SampleMaptile::Tilesets tilesets = SampleMaptile::readTilesets(&error);
                                   ok = report(error) && write(tilesets, ours) && ok;
                               },
                               OurRuns)
        / 1000;
    QString error;
    const SampleMaptile::Tilesets tilesets = SampleMaptile::readTilesets(&error);
    const double readMs =
        BenchSupport::medianMicroseconds([&] { SampleMaptile::readTilesets(&error); }, OurRuns) / 1000;
    const double loadedMs = BenchSupport::medianMicroseconds([&] { ok = write(tilesets, ours) && ok; }, OurRuns) / 1000;
    if (!ok || !report(error))
        return 1;
    keep(ours);
    std::printf("ours: compose the 5 x 6 sample and write it as JPEG quality 90: median %.1f ms from the tileset "
                "files (reading them %.1f ms), %.1f ms from loaded tilesets\n",
                wholeMs, readMs, loadedMs);

    // ImageMagick as Debian installs it; a wrapper earlier on the PATH would add its own start-up.
    QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"), {QStringLiteral("/usr/bin")});
    if (convert.isEmpty())
        convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
    if (convert.isEmpty()) {
        std::printf("note: ImageMagick's convert is not installed (tools/setup installs it); comparison skipped\n");
        return 0;
    }
    const QString door = work->filePath(QStringLiteral("door.png"));
    if (!MaptileOverlays::doorBitmap().save(door)) {
        std::fprintf(stderr, "bench_compare: cannot write %s\n", qPrintable(door));
        return 1;
    }
    const QString theirs = work->filePath(QStringLiteral("convert.jpg"));
    const std::vector<std::string> command = SampleMaptile::convertCommand(convert.toStdString(), door, theirs);
    std::vector<double> times;
    for (int run = 0; run < ConvertRuns; ++run) {
        QFile::remove(theirs);
        const BenchSupport::ChildRun result = BenchSupport::runChild(command, ConvertTimeout);
        if (!result.started || result.timedOut || result.exitCode != 0 || !QFileInfo::exists(theirs)) {
            const std::string reason = !result.started ? result.error
                : result.timedOut                      ? std::string("it took too long")
                                                       : "exit code " + std::to_string(result.exitCode);
            std::fprintf(stderr, "bench_compare: %s failed: %s\n", qPrintable(convert), reason.c_str());
            return 1;
        }
        times.push_back(result.milliseconds);
    }
    keep(theirs);
    const double convertMs = BenchSupport::median(times);
    std::printf("compose and write the 5 x 6 sample: ours median %.1f ms from the files, %.1f ms from loaded "
                "tilesets; %s median %.1f ms; ratio %.1f from the files, %.1f from loaded tilesets "
                "(target at least %.0f); pictures in %s\n",
                wholeMs, loadedMs, qPrintable(convert), convertMs, convertMs / wholeMs, convertMs / loadedMs,
                TargetRatio, qPrintable(kept.path()));
    return 0;
}
