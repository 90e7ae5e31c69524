// Saving the finished 5 x 6 maptile as the save command does it: a JPEG at
// quality 90 and a bitmap, each to a memory file system (/dev/shm) and to the
// disk the benchmark lies on.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "output/MaptileSaver.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Runs = 200;
constexpr double JpegTargetMs = 30;
constexpr double BitmapTargetMs = 10;

Workspace *workspace = nullptr;

struct Target
{
    const char *label; // in the benchmark names
    const char *description; // in the summary
    QString folder;
};

// The save command's own path; the name's extension picks the format.
void save(const QString &path)
{
    const QString error = MaptileSaver::save(*workspace, path, JpegOptions{90, false});
    if (!error.isEmpty()) {
        std::fprintf(stderr, "bench_save: %s\n", qPrintable(error));
        std::exit(1);
    }
}

void BM_Save(benchmark::State &state, const QString &path)
{
    for (auto _ : state)
        save(path);
}

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::application(argc, argv);
    workspace = new Workspace;
    SampleMaptile::paint(*workspace);

    // Private folders, removed at the end, so nothing of the user's is touched.
    QTemporaryDir memory(QStringLiteral("/dev/shm/cryptwright-bench-XXXXXX"));
    QTemporaryDir disk(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bench-save-XXXXXX")));
    std::vector<Target> targets;
    if (memory.isValid())
        targets.push_back({"shm", "/dev/shm", memory.path()});
    else
        std::printf("note: /dev/shm cannot be written here; only the disk is measured\n");
    if (disk.isValid())
        targets.push_back({"disk", "the disk beside the benchmark", disk.path()});

    for (const Target &target : targets) {
        for (const char *name : {"maptile.jpg", "maptile.bmp"}) {
            const QString path = QDir(target.folder).filePath(QLatin1String(name));
            const std::string label = std::string("BM_Save/") + target.label + "/" + name;
            benchmark::RegisterBenchmark(label.c_str(), BM_Save, path)->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    for (const Target &target : targets) {
        const QString jpeg = QDir(target.folder).filePath(QStringLiteral("maptile.jpg"));
        const QString bitmap = QDir(target.folder).filePath(QStringLiteral("maptile.bmp"));
        const double jpegMs = BenchSupport::medianMicroseconds([&] { save(jpeg); }, Runs) / 1000;
        const double bitmapMs = BenchSupport::medianMicroseconds([&] { save(bitmap); }, Runs) / 1000;
        std::printf("save 5 x 6 to %s (%s): JPEG quality 90 median %.2f ms (target %.0f ms, %lld bytes), "
                    "bitmap median %.2f ms (target %.0f ms, %lld bytes)\n",
                    target.description, QStorageInfo(target.folder).fileSystemType().constData(), jpegMs, JpegTargetMs,
                    QFileInfo(jpeg).size(), bitmapMs, BitmapTargetMs, QFileInfo(bitmap).size());
    }
    return 0;
}
