// Keeping unsaved work for a crash, as the editor does every 20th change: the
// sample 5 x 6 maptile written as a document, alone and with one or two
// changed tilesets beside it, to a memory file system (/dev/shm) and to the
// disk the benchmark lies on. The editor writes on a thread of its own; taking
// the work to write is all the window waits for, and is measured too.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "recovery/RecoverySession.h"
#include "recovery/UnsavedWork.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Runs = 30;

void write(RecoverySession &session, const Workspace &workspace)
{
    const QString error = session.write(UnsavedWork::of(workspace));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "bench_recovery: %s\n", qPrintable(error));
        std::exit(1);
    }
}

void BM_Write(benchmark::State &state, RecoverySession *session, const Workspace *workspace)
{
    for (auto _ : state)
        write(*session, *workspace);
}

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::application(argc, argv);
    // The maptile alone, then with slot A's tileset changed, then B's as well.
    const char *contents[] = {"maptile", "maptile+1 tileset", "maptile+2 tilesets"};
    std::array<Workspace, 3> workspaces;
    for (int tilesets = 0; tilesets < 3; ++tilesets) {
        SampleMaptile::paint(workspaces[tilesets]);
        for (int slot = 0; slot < tilesets; ++slot)
            workspaces[tilesets].emptyCell(slot, {0, 0});
    }

    std::unique_ptr<QTemporaryDir> memory = BenchSupport::memoryFolder();
    QTemporaryDir disk(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bench-recovery-XXXXXX")));
    const std::pair<const char *, QString> folders[] = {{"memory", memory->path()}, {"disk", disk.path()}};
    std::vector<std::unique_ptr<RecoverySession>> sessions;
    for (const auto &[label, folder] : folders)
        sessions.push_back(std::make_unique<RecoverySession>(folder));

    for (int tilesets = 0; tilesets < 3; ++tilesets) {
        for (std::size_t i = 0; i < sessions.size(); ++i) {
            const std::string name = std::string("BM_Write/") + folders[i].first + "/" + contents[tilesets];
            benchmark::RegisterBenchmark(name.c_str(), BM_Write, sessions[i].get(), &workspaces[tilesets])
                ->Unit(benchmark::kMillisecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    for (int tilesets = 0; tilesets < 3; ++tilesets) {
        double ms[2];
        for (std::size_t i = 0; i < sessions.size(); ++i)
            ms[i] = BenchSupport::medianMicroseconds([&] { write(*sessions[i], workspaces[tilesets]); }, Runs) / 1000;
        std::printf("recovery write of the %s: median %.1f ms in memory, %.1f ms on the disk\n", contents[tilesets],
                    ms[0], ms[1]);
    }
    const double takeUs = BenchSupport::medianMicroseconds([&] { UnsavedWork::of(workspaces[2]); }, 1000);
    std::printf("taking the maptile and 2 tilesets to write: median %.1f us\n", takeUs);
    return 0;
}
