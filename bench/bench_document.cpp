// Maptile documents: saving and opening the 5 x 6 sample as the editor does;
// `cryptwright --export out.jpg map.ora` as a whole process beside Tiled's
// tmxrasterizer rendering the same 5 x 6 map from sample_map.tmx to JPEG; and
// a set of 40 documents in one `cryptwright --export DIR` beside 40
// tmxrasterizer runs. Run in turns, so both meet the same machine.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "output/MaptileSaver.h"
#include "workspace/MaptileOpener.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

namespace {

constexpr int Runs = 30;
constexpr int ProcessRuns = 15;
constexpr double SaveOpenTargetMs = 50;
constexpr int BatchRuns = 9;
constexpr int BatchDocuments = 40;
constexpr double TargetRatio = 1.5;
constexpr double BatchTargetRatio = 15;
constexpr long PeakTargetKiB = 80 * 1024;

bool report(const QString &error)
{
    if (!error.isEmpty())
        std::fprintf(stderr, "bench_document: %s\n", qPrintable(error));
    return error.isEmpty();
}

// Runs command once; its time goes to times.
bool runProcess(const std::vector<std::string> &command, const QString &out, std::vector<double> &times)
{
    QFile::remove(out);
    const BenchSupport::ChildRun run = BenchSupport::runChild(command, std::chrono::seconds(60));
    if (!run.started || run.timedOut || run.exitCode != 0 || !QFileInfo::exists(out)) {
        std::fprintf(stderr, "bench_document: %s failed (%s)\n", command[0].c_str(),
                     run.started ? ("exit code " + std::to_string(run.exitCode)).c_str() : run.error.c_str());
        return false;
    }
    times.push_back(run.milliseconds);
    return true;
}

// Peak resident memory of one run of command, in KiB, or 0 when unknown. A
// child started from this process would report this process's own peak,
// which it inherits until it has replaced itself; GNU time's child does not.
long peakKiB(const std::vector<std::string> &command, const QString &scratch)
{
    std::vector<std::string> timed{"/usr/bin/time", "-f", "%M", "-o", scratch.toStdString()};
    timed.insert(timed.end(), command.begin(), command.end());
    const BenchSupport::ChildRun run = BenchSupport::runChild(timed, std::chrono::seconds(60));
    QFile file(scratch);
    return run.started && run.exitCode == 0 && file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLong() : 0;
}

// Median processor time of one call of work, in milliseconds, all threads together:
// on a busy machine this is what the wall time would be on an idle one.
double medianCpuMs(const std::function<void()> &work, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        timespec start{}, end{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
        work();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
        times.push_back((end.tv_sec - start.tv_sec) * 1e3 + (end.tv_nsec - start.tv_nsec) / 1e6);
    }
    return BenchSupport::median(times);
}

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::application(argc, argv);
    const auto work = BenchSupport::memoryFolder();
    Workspace painted;
    SampleMaptile::paint(painted);
    const QString document = work->filePath(QStringLiteral("map.ora"));

    bool ok = true;
    const double saveMs =
        BenchSupport::medianMicroseconds([&] { ok = report(MaptileSaver::save(painted, document)) && ok; }, Runs)
        / 1000;
    Workspace opened;
    SampleMaptile::paint(opened);
    const double openMs =
        BenchSupport::medianMicroseconds([&] { ok = report(MaptileOpener::open(opened, document)) && ok; }, Runs)
        / 1000;
    const double saveCpuMs = medianCpuMs([&] { ok = report(MaptileSaver::save(painted, document)) && ok; }, Runs);
    const double openCpuMs = medianCpuMs([&] { ok = report(MaptileOpener::open(opened, document)) && ok; }, Runs);
    if (!ok)
        return 1;
    // Kept for a look, and for trying the command line by hand.
    const QDir folder(QCoreApplication::applicationDirPath());
    if (folder.mkpath(QStringLiteral("bench_document_out"))) {
        const QString copy = folder.filePath(QStringLiteral("bench_document_out/map.ora"));
        QFile::remove(copy);
        QFile::copy(document, copy);
    }
    std::printf("5 x 6 document (%lld KiB): save median %.1f ms (processor %.1f ms), open median %.1f ms "
                "(processor %.1f ms); target %.0f ms each\n",
                QFileInfo(document).size() / 1024, saveMs, saveCpuMs, openMs, openCpuMs, SaveOpenTargetMs);

    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cryptwright"));
    const QString tmxrasterizer = QStandardPaths::findExecutable(QStringLiteral("tmxrasterizer"));
    const QString ours = work->filePath(QStringLiteral("out.jpg"));
    const QString theirs = work->filePath(QStringLiteral("tmx.jpg"));
    const QString map = QStringLiteral(CRYPTWRIGHT_SOURCE_DIR "/bench/sample_map.tmx");
    const std::vector<std::string> ourCommand{program.toStdString(), "--export", ours.toStdString(),
                                              document.toStdString()};
    const std::vector<std::string> theirCommand{tmxrasterizer.toStdString(), map.toStdString(), theirs.toStdString()};
    std::vector<double> ourTimes, theirTimes;
    for (int run = 0; run < ProcessRuns; ++run) {
        if (!runProcess(ourCommand, ours, ourTimes))
            return 1;
        if (!tmxrasterizer.isEmpty() && !runProcess(theirCommand, theirs, theirTimes))
            return 1;
    }
    const QString scratch = work->filePath(QStringLiteral("peak.txt"));
    const double ourMs = BenchSupport::median(ourTimes);
    std::printf("cryptwright --export out.jpg map.ora: median %.1f ms, peak memory %.1f MiB (target %.0f MiB)\n", ourMs,
                peakKiB(ourCommand, scratch) / 1024.0, PeakTargetKiB / 1024.0);
    if (tmxrasterizer.isEmpty()) {
        std::printf("note: tmxrasterizer is not installed (tools/setup installs tiled); comparison skipped\n");
        return 0;
    }
    const double theirMs = BenchSupport::median(theirTimes);
    std::printf("tmxrasterizer sample_map.tmx tmx.jpg: median %.1f ms, peak memory %.1f MiB; ratio %.2f "
                "(target at least %.1f)\n",
                theirMs, peakKiB(theirCommand, scratch) / 1024.0, theirMs / ourMs, TargetRatio);

    // A set of documents: one command against one run of the other program for each.
    std::vector<std::string> batchCommand{program.toStdString(), "--export",
                                          work->filePath(QStringLiteral("set")).toStdString()};
    for (int i = 0; i < BatchDocuments; ++i) {
        const QString copy = work->filePath(QStringLiteral("crypt%1.ora").arg(i, 2, 10, QLatin1Char('0')));
        if (!QFile::exists(copy) && !QFile::copy(document, copy))
            return 1;
        batchCommand.push_back(copy.toStdString());
    }
    const QString lastOut = work->filePath(QStringLiteral("set/crypt%1.jpg").arg(BatchDocuments - 1));
    std::vector<double> batchTimes, theirBatchTimes;
    for (int run = 0; run < BatchRuns; ++run) {
        if (!runProcess(batchCommand, lastOut, batchTimes))
            return 1;
        std::vector<double> each;
        for (int i = 0; i < BatchDocuments; ++i)
            if (!runProcess(theirCommand, theirs, each))
                return 1;
        double sum = 0;
        for (const double ms : each)
            sum += ms;
        theirBatchTimes.push_back(sum);
    }
    const double batchMs = BenchSupport::median(batchTimes), theirBatchMs = BenchSupport::median(theirBatchTimes);
    std::printf("%d documents, one cryptwright --export DIR: median %.1f ms, peak memory %.1f MiB; %d tmxrasterizer "
                "runs: median %.1f ms; ratio %.2f (target at least %.0f)\n",
                BatchDocuments, batchMs, peakKiB(batchCommand, scratch) / 1024.0, BatchDocuments, theirBatchMs,
                theirBatchMs / batchMs, BatchTargetRatio);
    return 0;
}
