// Print-and-play sheets: 40 maptiles of mixed sizes laid out on A4 with crop
// marks and written as one PDF to a memory file system, next to one maptile
// alone on its sheet, and next to the same 40 with one back for all, each
// sheet followed by its back. The pictures are parts of the composed sample
// maptile, each turned out differently, handed over as the writer asks for
// them; the back is the whole sample turned upside down, one image for all.
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
#include <vector>

namespace {

constexpr int Maptiles = 40;
constexpr int Runs = 5;
constexpr double TargetMs = 10000;
constexpr int Space = 144;

constexpr double TargetRatio = 1.6; // with backs against the fronts alone
constexpr double SizeSlack = 0.05;

QImage sample; // 5 x 6 spaces, the largest maptile
QImage back;
QString folder;

QList<SheetMaptile> maptiles(int count, bool backs)
{
    // Mostly small ones, as a game's set has, which pair up on A4; the large ones take a sheet each.
    static const QSize sizes[] = {{3, 3}, {4, 4}, {3, 3}, {3, 5}, {3, 3}, {5, 6}, {3, 4}, {4, 5}};
    QList<SheetMaptile> list;
    for (int i = 0; i < count; ++i)
        list.append({QStringLiteral("maptile %1").arg(i + 1), sizes[i % std::size(sizes)] * Space, 1, backs ? 0 : -1});
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

Written write(int count, bool backs = false)
{
    const QList<SheetMaptile> list = maptiles(count, backs);
    const SheetLayout layout(list, SheetSettings{});
    const QString path = QDir(folder).filePath(QStringLiteral("sheets.pdf"));
    QFile file(path);
    QString error = layout.error();
    if (error.isEmpty() && !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        error = file.errorString();
    if (error.isEmpty())
        error = SheetOutput::writePdf(
            file, layout, [&](int m, QString *) { return picture(m, list[m].pixels); }, {},
            [](int, QString *) { return back; });
    file.close();
    if (!error.isEmpty()) {
        std::fprintf(stderr, "bench_sheets: %s\n", qPrintable(error));
        std::exit(1);
    }
    return {layout.sheetCount(), QFileInfo(path).size()};
}

void BM_Layout(benchmark::State &state)
{
    const QList<SheetMaptile> list = maptiles(Maptiles, false);
    for (auto _ : state) {
        const SheetLayout layout(list, SheetSettings{});
        benchmark::DoNotOptimize(layout.sheetCount());
    }
}

void BM_WritePdf(benchmark::State &state)
{
    for (auto _ : state)
        write(int(state.range(0)), state.range(1) != 0);
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
    back = sample.mirrored(true, true);
    const auto memory = BenchSupport::memoryFolder();
    folder = memory->path();

    benchmark::RegisterBenchmark("BM_Layout/40", BM_Layout)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("BM_WritePdf", BM_WritePdf)
        ->Args({1, 0})
        ->Args({Maptiles, 0})
        ->Args({Maptiles, 1})
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    Written one, all, withBacks;
    const double oneMs = BenchSupport::medianMicroseconds([&] { one = write(1); }, Runs) / 1000;
    // Taking turns, so that a busy moment of the machine falls on both alike.
    std::vector<double> fronts, backs;
    for (int run = 0; run < Runs; ++run) {
        fronts.push_back(BenchSupport::medianMicroseconds([&] { all = write(Maptiles); }, 1) / 1000);
        backs.push_back(BenchSupport::medianMicroseconds([&] { withBacks = write(Maptiles, true); }, 1) / 1000);
    }
    const double allMs = BenchSupport::median(fronts), backsMs = BenchSupport::median(backs);
    // The back as the PDF holds it: its pixels deflated, as Qt's engine stores a lossless picture.
    const QImage rgb = back.convertToFormat(QImage::Format_RGB888);
    QByteArray rows;
    for (int y = 0; y < rgb.height(); ++y)
        rows.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    const qint64 backBytes = qCompress(rows).size();
    const qint64 sizeLimit = qint64((all.bytes + backBytes) * (1 + SizeSlack));
    std::printf("sheets PDF on A4 with crop marks, to %s: 1 maptile median %.0f ms (%d sheet, %lld bytes); "
                "%d maptiles median %.0f ms (target under %.0f ms, %d sheets, %lld bytes); "
                "with one back for all median %.0f ms, ratio %.2f (target %.1f), %d sheets, %lld bytes "
                "(limit %lld: fronts and the back's %lld bytes, and %.0f %%); peak resident memory %ld KiB\n",
                qPrintable(folder), oneMs, one.sheets, one.bytes, Maptiles, allMs, TargetMs, all.sheets, all.bytes,
                backsMs, backsMs / allMs, TargetRatio, withBacks.sheets, withBacks.bytes, sizeLimit, backBytes,
                SizeSlack * 100, BenchSupport::peakResidentKiB());
    return 0;
}
