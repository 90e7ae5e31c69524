// Print-and-play sheets: 40 maptiles of mixed sizes laid out on A4 with crop
// marks and written as one PDF to a memory file system, next to one maptile
// alone on its sheet. The pictures are parts of the composed sample maptile,
// each turned out differently, handed over as the writer asks for them.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "sheets/SheetLayout.h"
#include "sheets/SheetOutput.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Maptiles = 40;
constexpr int Runs = 5;
constexpr double TargetMs = 10000;
constexpr int Space = 144;

QImage sample; // 5 x 6 spaces, the largest maptile
QString folder;

QList<SheetMaptile> maptiles(int count)
{
    // Mostly small ones, as a game's set has, which pair up on A4; the large ones take a sheet each.
    static const QSize sizes[] = {{3, 3}, {4, 4}, {3, 3}, {3, 5}, {3, 3}, {5, 6}, {3, 4}, {4, 5}};
    QList<SheetMaptile> list;
    for (int i = 0; i < count; ++i)
        list.append({QStringLiteral("maptile %1").arg(i + 1), sizes[i % std::size(sizes)] * Space, 1});
    return list;
}

// A part of the sample, from a place and a side of its own, so no two pictures are alike.
QImage picture(int index, QSize pixels)
{
    const int x = (index * Space) % (sample.width() - pixels.width() + 1);
    const int y = (index * Space / 2) % (sample.height() - pixels.height() + 1);
    return sample.copy(QRect(QPoint(x, y), pixels)).mirrored(index % 2, index % 3 == 0);
}

struct Written
{
    int sheets = 0;
    qint64 bytes = 0;
};

Written write(int count)
{
    const QList<SheetMaptile> list = maptiles(count);
    const SheetLayout layout(list, SheetSettings{});
    const QString path = QDir(folder).filePath(QStringLiteral("sheets.pdf"));
    QFile file(path);
    QString error = layout.error();
    if (error.isEmpty() && !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        error = file.errorString();
    if (error.isEmpty())
        error = SheetOutput::writePdf(file, layout, [&](int m, QString *) { return picture(m, list[m].pixels); });
    file.close();
    if (!error.isEmpty()) {
        std::fprintf(stderr, "bench_sheets: %s\n", qPrintable(error));
        std::exit(1);
    }
    return {layout.sheetCount(), QFileInfo(path).size()};
}

void BM_Layout(benchmark::State &state)
{
    const QList<SheetMaptile> list = maptiles(Maptiles);
    for (auto _ : state) {
        const SheetLayout layout(list, SheetSettings{});
        benchmark::DoNotOptimize(layout.sheetCount());
    }
}

void BM_WritePdf(benchmark::State &state)
{
    for (auto _ : state)
        write(int(state.range(0)));
}

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::application(argc, argv);
    QString error;
    sample = SampleMaptile::compose(SampleMaptile::readTilesets(&error));
    if (sample.isNull()) {
        std::fprintf(stderr, "bench_sheets: %s\n", qPrintable(error));
        return 1;
    }
    const auto memory = BenchSupport::memoryFolder();
    folder = memory->path();

    benchmark::RegisterBenchmark("BM_Layout/40", BM_Layout)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_WritePdf", BM_WritePdf)->Arg(1)->Arg(Maptiles)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    Written one, all;
    const double oneMs = BenchSupport::medianMicroseconds([&] { one = write(1); }, Runs) / 1000;
    const double allMs = BenchSupport::medianMicroseconds([&] { all = write(Maptiles); }, Runs) / 1000;
    std::printf("sheets PDF on A4 with crop marks, to %s: 1 maptile median %.0f ms (%d sheet, %lld bytes); "
                "%d maptiles median %.0f ms (target under %.0f ms, %d sheets, %lld bytes); "
                "peak resident memory %ld KiB\n",
                qPrintable(folder), oneMs, one.sheets, one.bytes, Maptiles, allMs, TargetMs, all.sheets, all.bytes,
                BenchSupport::peakResidentKiB());
    return 0;
}
