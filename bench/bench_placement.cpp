// One placement on a full 5 x 6 maptile with every speed value set, a maptile
// number and a long designer name: the whole press handler (composite, redraw
// of the working view), beside a floor of one reduction of the master to a
// third, the least memory traffic any redraw needs.
// Beside them, a stroke over all 30 spaces and a fill of all 30, per space:
// neither may cost more a space than one placement. A fill from a variation of
// three subtiles takes turns with the plain fill, whose cost it should keep to.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "raster/RasterOps.h"
#include "workspace/Workspace.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr double TargetMicroseconds = 1000;

Workspace *workspace = nullptr;
// The same maptile, its left button on a variation of the plain floor and its two neighbours.
Workspace *varied = nullptr;

// Each button carries a subtile laid another way: a plain floor from A, a
// keyed object from D, a blended piece from C.
void prepare()
{
    workspace = new Workspace;
    SampleMaptile::paint(*workspace);
    const struct
    {
        int button, slot;
        QPoint cell;
    } buttons[] = {{Workspace::LeftButton, 0, {2, 1}},
                   {Workspace::MiddleButton, SampleMaptile::KeyedSlot, {4, 2}},
                   {Workspace::RightButton, SampleMaptile::BlendedSlot, {1, 3}}};
    for (const auto &b : buttons) {
        workspace->setOutlineCell(b.slot, b.cell);
        workspace->assign(b.button, b.slot);
    }
    varied = new Workspace;
    SampleMaptile::paint(*varied);
    varied->assignCells(Workspace::LeftButton, 0, QRect(1, 1, 3, 1));
}

int placements = 0;
void place()
{
    static constexpr int codes[] = {Workspace::LeftButton, Workspace::MiddleButton, Workspace::RightButton};
    const int i = placements++;
    workspace->place(codes[i % 3], QPoint(i % 5, (i / 5) % 6));
}

// The press on the first space, then the pointer entering every other one, row by row.
void stroke()
{
    static int strokes = 0;
    static constexpr int codes[] = {Workspace::LeftButton, Workspace::MiddleButton, Workspace::RightButton};
    const int code = codes[strokes++ % 3];
    workspace->beginStroke(code, {0, 0});
    for (int i = 1; i < SampleMaptile::Columns * SampleMaptile::Rows; ++i)
        workspace->continueStroke({i % SampleMaptile::Columns, i / SampleMaptile::Columns});
    workspace->endStroke();
}

// Medians of fills of the blank maptile, the plain one and the variation's taking turns, each undone
// again untimed.
std::pair<double, double> fillMicroseconds(int runs)
{
    Workspace *const filled[] = {workspace, varied};
    std::vector<double> times[2];
    for (Workspace *w : filled)
        w->blankMaptile(SampleMaptile::Columns, SampleMaptile::Rows);
    for (int i = 0; i < runs; ++i) {
        for (int k = 0; k < 2; ++k) {
            const auto start = BenchSupport::Clock::now();
            filled[k]->fill();
            times[k].push_back(std::chrono::duration<double, std::micro>(BenchSupport::Clock::now() - start).count());
            filled[k]->undo();
        }
    }
    for (Workspace *w : filled)
        w->undo(); // the sample again
    return {BenchSupport::median(std::move(times[0])), BenchSupport::median(std::move(times[1]))};
}

QImage floorView;
void floorWork()
{
    const QImage &master = workspace->maptile().master();
    if (floorView.size() != master.size() / 3)
        floorView = QImage(master.size() / 3, RasterOps::Format);
    RasterOps::plainCopy(floorView, floorView.rect(), master, master.rect());
}

// Bytes the floor reads and writes: the master read and the view written.
double floorMegabytes()
{
    const double master = workspace->maptile().master().sizeInBytes();
    return (master + master / 9) / 1e6;
}

void BM_Placement(benchmark::State &state)
{
    for (auto _ : state) {
        place();
        benchmark::DoNotOptimize(workspace->workingView().constBits());
    }
}
BENCHMARK(BM_Placement)->Unit(benchmark::kMicrosecond);

void BM_Stroke30(benchmark::State &state)
{
    for (auto _ : state) {
        stroke();
        benchmark::DoNotOptimize(workspace->workingView().constBits());
    }
}
BENCHMARK(BM_Stroke30)->Unit(benchmark::kMicrosecond);

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
    constexpr int spaces = SampleMaptile::Columns * SampleMaptile::Rows;
    const double strokeSpace = BenchSupport::medianMicroseconds(stroke, 200) / spaces;
    const auto [plainFill, variedFill] = fillMicroseconds(200);
    const double fillSpace = plainFill / spaces;
    std::printf("placement at 5 x 6: median %.1f us (target %.0f us); floor (one reduction, %.1f MB moved) "
                "median %.1f us = %.1f GB/s; ratio %.2f\n",
                placement, TargetMicroseconds, floorMegabytes(), floor, floorMegabytes() / floor * 1e3,
                placement / floor);
    std::printf("stroke over all %d spaces: median %.1f us a space (%.2f x a placement); fill of all %d: "
                "median %.1f us a space (%.2f x a placement)\n",
                spaces, strokeSpace, strokeSpace / placement, spaces, fillSpace, fillSpace / placement);
    std::printf("fill of all %d from a variation of %d: median %.1f us a space (%.2f x the plain fill; target 1.10)\n",
                spaces, int(varied->buttonCells(Workspace::Left).size()), variedFill / spaces, variedFill / plainFill);
    return 0;
}
