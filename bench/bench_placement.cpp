// One placement on a full 5 x 6 maptile with every speed value set, a maptile
// number and a long designer name: the whole press handler (composite, redraw
// of preview and working view), beside a floor of one plain copy of the master
// plus one reduction to a third, the least memory traffic any redraw needs.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "workspace/Workspace.h"
#include "raster/RasterOps.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr double TargetMicroseconds = 1000;

Workspace *workspace = nullptr;

// Each button carries a subtile laid another way: a plain floor from A, a
// keyed object from D, a blended piece from C.
void prepare()
{
    workspace = new Workspace;
    SampleMaptile::paint(*workspace);
    const struct { int button, slot; QPoint cell; } buttons[] = {
        {Workspace::LeftButton, 0, {2, 1}},
        {Workspace::MiddleButton, SampleMaptile::KeyedSlot, {4, 2}},
        {Workspace::RightButton, SampleMaptile::BlendedSlot, {1, 3}}};
    for (const auto &b : buttons) {
        workspace->setOutlineCell(b.slot, b.cell);
        workspace->assign(b.button, b.slot);
    }
}

int placements = 0;
void place()
{
    static constexpr int codes[] = {Workspace::LeftButton, Workspace::MiddleButton, Workspace::RightButton};
    const int i = placements++;
    workspace->place(codes[i % 3], QPoint(i % 5, (i / 5) % 6));
}

QImage floorPreview, floorView;
void floorWork()
{
    const QImage &master = workspace->maptile().master();
    if (floorPreview.size() != master.size())
        floorPreview = QImage(master.size(), RasterOps::Format);
    if (floorView.size() != master.size() / 3)
        floorView = QImage(master.size() / 3, RasterOps::Format);
    RasterOps::plainCopy(floorPreview, floorPreview.rect(), master, master.rect());
    RasterOps::plainCopy(floorView, floorView.rect(), floorPreview, floorPreview.rect());
}

// Bytes the floor reads and writes: the master read and the preview written,
// the preview read again and the view written.
double floorMegabytes()
{
    const double master = workspace->maptile().master().sizeInBytes();
    return (3 * master + master / 9) / 1e6;
}

void BM_Placement(benchmark::State &state)
{
    for (auto _ : state) {
        place();
        benchmark::DoNotOptimize(workspace->workingView().constBits());
    }
}
BENCHMARK(BM_Placement)->Unit(benchmark::kMicrosecond);

void BM_Floor(benchmark::State &state)
{
    for (auto _ : state) {
        floorWork();
        benchmark::DoNotOptimize(floorView.constBits());
    }
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::application(argc, argv);
    prepare();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double placement = BenchSupport::medianMicroseconds(place, 2000);
    const double floor = BenchSupport::medianMicroseconds(floorWork, 2000);
    std::printf("placement at 5 x 6: median %.1f us (target %.0f us); floor (copy + reduction, %.1f MB moved) "
                "median %.1f us = %.1f GB/s; ratio %.2f\n",
                placement, TargetMicroseconds, floorMegabytes(), floor, floorMegabytes() / floor * 1e3,
                placement / floor);
    return 0;
}
