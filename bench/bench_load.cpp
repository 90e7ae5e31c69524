// Loading a 1008 x 576 JPEG tileset into a slot, the way the editor did it
// before and does it now: read on the window's own thread (Workspace::
// loadTileset, still the core's synchronous call), against read in the
// confined reading process while the window's event loop runs, until the slot
// shows it. Both include building the palette and the button pictures. The
// reading process is kept between loads; the first load after start-up starts
// a fresh one, measured apart.
#include "BenchSupport.h"

#include "mainwindow/MainWindow.h"
#include "readerclient/PictureReader.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr int Runs = 60;

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    MainWindow::prepareApplication();
    const QString folder = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
    const QString path = QDir(folder).filePath(Workspace::DefaultTilesetNames[0]);
    MainWindow window({folder});
    window.startUp();
    window.showCentred();
    QCoreApplication::processEvents();
    if (!window.workspace().loadTileset(5, path).isEmpty()) {
        std::fprintf(stderr, "bench_load: %s cannot be read\n", qPrintable(path));
        return 1;
    }

    const double inProcess = BenchSupport::medianMicroseconds([&] { window.workspace().loadTileset(5, path); }, Runs);
    const auto loadThroughReader = [&] {
        window.loadTilesetFile(5, path);
        while (window.isLoading())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    const double kept = BenchSupport::medianMicroseconds(loadThroughReader, Runs);
    const double fresh = BenchSupport::medianMicroseconds(
        [&] {
            PictureReader::endWaiting();
            loadThroughReader();
        },
        Runs / 4);
    std::printf("1008 x 576 JPEG tileset into a slot: median %.1f ms read on the window's thread, "
                "%.1f ms read in the kept reading process with the window's loop running (%d runs each), "
                "%.1f ms when the reading process is started for the load (%d runs); peak resident memory %.1f MB\n",
                inProcess / 1e3, kept / 1e3, Runs, fresh / 1e3, Runs / 4, BenchSupport::peakResidentKiB() * 1024 / 1e6);
    return 0;
}
