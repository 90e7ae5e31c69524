// Start-up of the real program, from process start until its main window,
// with the four default tilesets loaded, has been painted the first time.
// Every run is a fresh process: this benchmark starts itself again with
// --child, and the child goes through the program's own start-up and reports
// the moment the first paint is done.
#include "BenchSupport.h"

#include "app/MainWindow.h"
#include "app/UiFonts.h"
#include "app/Workspace.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

constexpr int Runs = 15;
constexpr auto ChildTimeout = std::chrono::seconds(30);
constexpr double TargetMilliseconds = 250;
constexpr double TargetMegabytes = 80;

// Ends the child once the main window's first paint has gone through.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(QWidget *window)
        : m_window(window)
    {
        m_window->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            m_window->removeEventFilter(this);
            // Queued, so it runs once the children are painted and the window flushed.
            QTimer::singleShot(0, qApp, [] {
                const auto now = BenchSupport::Clock::now().time_since_epoch();
                std::printf("painted %lld %ld\n",
                            static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                            BenchSupport::peakResidentKiB());
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

private:
    QWidget *m_window;
};

// The program's start-up as app/main.cpp does it.
int child(int argc, char **argv)
{
    QApplication app(argc, argv);
    MainWindow::prepareApplication();

    MainWindow window;
    window.startUp();
    FirstPaint firstPaint(&window);
    window.showCentred();
    return app.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv);

    // A missing default would stop the child at a message box.
    const QString folder = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
    for (const QString &name : Workspace::DefaultTilesetNames) {
        if (!QFileInfo::exists(QDir(folder).filePath(name))) {
            std::fprintf(stderr, "bench_startup: the default tileset %s is missing beside the benchmark\n",
                         qPrintable(name));
            return 1;
        }
    }

    const std::vector<std::string> self{argv[0], "--child"};
    std::vector<double> times;
    long peakKiB = 0;
    // The first run only fills the file cache; it is not counted.
    for (int run = -1; run < Runs; ++run) {
        const BenchSupport::ChildRun result = BenchSupport::runChild(self, ChildTimeout);
        long long paintedAt = 0;
        long childPeak = 0;
        if (!result.started || result.timedOut || result.exitCode != 0
            || std::sscanf(result.output.c_str(), "painted %lld %ld", &paintedAt, &childPeak) != 2) {
            const std::string reason = !result.started ? result.error
                                       : result.timedOut     ? std::string("no first paint in time")
                                                             : "exit code " + std::to_string(result.exitCode);
            std::fprintf(stderr, "bench_startup: run %d failed: %s\n", run + 1, reason.c_str());
            return 1;
        }
        if (run < 0)
            continue;
        const auto spawned = std::chrono::duration_cast<std::chrono::nanoseconds>(result.spawnedAt.time_since_epoch());
        times.push_back(double(paintedAt - spawned.count()) / 1e6);
        peakKiB = std::max({peakKiB, result.peakResidentKiB, childPeak});
    }

    const double fastest = *std::min_element(times.begin(), times.end());
    const double slowest = *std::max_element(times.begin(), times.end());
    std::printf("start-up to first paint: median %.1f ms (fastest %.1f, slowest %.1f, %d runs, target %.0f ms); "
                "peak resident memory %.1f MB (target %.0f MB); platform %s\n",
                BenchSupport::median(times), fastest, slowest, Runs, TargetMilliseconds, peakKiB * 1024 / 1e6,
                TargetMegabytes, qgetenv("QT_QPA_PLATFORM").constData());
    return 0;
}
