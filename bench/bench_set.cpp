// The set window on a folder of 200 copies of the 5 x 6 sample document,
// numbered 1 to 99 and again: from construction to the window shown, and to every
// thumbnail in, with the window process's peak memory; beside it, the floor of
// the same 200 read one after another through one kept reading process. Then
// `cryptwright --list` of the folder beside `cryptwright --export DIR` of it.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "output/MaptileSaver.h"
#include "readerclient/PictureReader.h"
#include "set/MaptileSet.h"
#include "setwindow/SetModel.h"
#include "setwindow/SetWindow.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Documents = 200;
constexpr double ShownTargetMs = 300, FilledTargetMs = 4000, ListTargetMs = 2000;
constexpr long PeakTargetKiB = 150 * 1024;

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication application(argc, argv);
    const auto work = BenchSupport::memoryFolder();
    const QDir folder(work->filePath(QStringLiteral("set")));
    QDir().mkpath(folder.path());
    Workspace painted;
    SampleMaptile::paint(painted);
    for (int i = 1; i <= Documents; ++i) {
        painted.setMapNumText(QString::number((i - 1) % 99 + 1)); // numbers have two digits at most
        if (const QString error = MaptileSaver::save(painted, folder.filePath(QStringLiteral("crypt%1.ora").arg(i, 3, 10, QLatin1Char('0'))));
            !error.isEmpty()) {
            std::fprintf(stderr, "bench_set: %s\n", qPrintable(error));
            return 1;
        }
    }
    // A few kept for a look, and for trying the set window and --list by hand.
    QDir kept(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bench_set_out")));
    kept.removeRecursively();
    QDir().mkpath(kept.path());
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name).mid(0, 12))
        QFile::copy(folder.filePath(name), kept.filePath(name));
    PictureReader::prepare();
    const long before = BenchSupport::peakResidentKiB();

    QElapsedTimer timer;
    timer.start();
    SetWindow window(folder.path());
    window.show();
    application.processEvents();
    const double shownMs = elapsedMs(timer);
    QEventLoop loop;
    QObject::connect(&window.model(), &QAbstractItemModel::dataChanged, &loop, [&] {
        if (window.model().set().count(MaptileSet::State::Reading) == 0)
            loop.quit();
    });
    loop.exec();
    const double filledMs = elapsedMs(timer);
    const long peak = BenchSupport::peakResidentKiB();
    const int read = window.model().set().count(MaptileSet::State::Read);

    // The floor: the same files, one at a time through one kept reading process, nothing drawn.
    PictureReader reader;
    int next = 0;
    const QStringList paths = MaptileSet::documentsIn(folder.path());
    QObject::connect(&reader, &PictureReader::finished, &loop, [&] {
        if (++next < paths.size())
            reader.start(paths[next], PictureReader::Kind::Maptile);
        else
            loop.quit();
    });
    timer.restart();
    reader.start(paths[0], PictureReader::Kind::Maptile);
    loop.exec();
    const double floorMs = elapsedMs(timer);

    std::printf("set window, %d documents of 5 x 6 (%lld KiB each): shown %.1f ms (target %.0f), every thumbnail "
                "%.0f ms (target %.0f; %d read), peak memory %.1f MiB (%.1f MiB before the window; target %.0f MiB)\n",
                Documents, QFileInfo(paths[0]).size() / 1024, shownMs, ShownTargetMs, filledMs, FilledTargetMs, read,
                peak / 1024.0, before / 1024.0, PeakTargetKiB / 1024.0);
    std::printf("the same %d read one after another in one kept reading process: %.0f ms\n", Documents, floorMs);

    const std::string program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cryptwright")).toStdString();
    const BenchSupport::ChildRun list =
        BenchSupport::runChild({program, "--list", folder.path().toStdString()}, std::chrono::seconds(60));
    const BenchSupport::ChildRun exported = BenchSupport::runChild(
        {program, "--export", work->filePath(QStringLiteral("out")).toStdString(), folder.path().toStdString()},
        std::chrono::seconds(120));
    std::printf("cryptwright --list of %d: %.0f ms, exit %d (target %.0f ms); --export DIR of the same: %.0f ms, exit %d\n",
                Documents, list.milliseconds, list.exitCode, ListTargetMs, exported.milliseconds, exported.exitCode);
    return 0;
}
