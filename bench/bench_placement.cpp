// One placement on a full 5 x 6 maptile with every speed value set, a maptile
// number and a long designer name: the whole press handler (composite, redraw
// of preview and working view), beside a floor of one plain copy of the master
// plus one reduction to a third.
#include "BenchSupport.h"

#include "app/Workspace.h"
#include "maptile/RasterOps.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

Workspace *workspace = nullptr;

void prepare()
{
    workspace = new Workspace;
    workspace->startUp(Workspace::defaultTilesetFolders(), [](const QString &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
    });
    // Keyed objects from slot D over floors from slot A, as a user paints.
    workspace->setTransparency(0, TransparencySetting(QStringLiteral("2,200")));
    const QStringList values{"0", "1", "2", "3", "4", "1/T", "1/X", "X"};
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 6; ++r)
            workspace->chooseSpeedValue(QPoint(c, r), values[(c + r) % values.size()]);
    workspace->setAutoNumber(false);
    workspace->setMapNumText(QStringLiteral("12"));
    workspace->setDesignerText(QStringLiteral("A designer with a rather long name, Esq., of the Northern Caverns"));
}

int placements = 0;
void place()
{
    const int i = placements++;
    workspace->place(i % 2 ? Workspace::LeftButton : Workspace::RightButton, QPoint(i % 5, (i / 5) % 6));
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

void BM_Placement(benchmark::State &state)
{
    for (auto _ : state) {
        place();
        benchmark::DoNotOptimize(workspace->preview().constBits());
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
    std::printf("placement median %.1f us, floor median %.1f us, ratio %.2f\n", placement, floor, placement / floor);
    return 0;
}
