// Start-up of the real program against its floor: a bare Qt Widgets window of
// the same size and title. Each run is a fresh process, the program and the
// bare window taking turns, so both see the same machine load. Measured from
// just before the process is started until its window's first paint (reported
// by the child itself) and, on an X server, until its window is mapped (seen
// from outside through the server's events).
#include "BenchSupport.h"

#include "workspace/Workspace.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>

namespace {

constexpr int Runs = 15;
constexpr auto ChildTimeout = std::chrono::seconds(30);
constexpr double TargetMappedRatio = 1.35;
constexpr double TargetPaintRatio = 1.5;
constexpr double TargetMegabytes = 40;

using BenchSupport::Clock;

double since(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// Notes the moment a top-level window is mapped on the X server.
class MapWatch
{
public:
    MapWatch()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_ok = true;
    }
    ~MapWatch() { xcb_disconnect(m_connection); }

    bool ok() const { return m_ok; }
    int fd() const { return xcb_get_file_descriptor(m_connection); }
    // Forgets what was seen before the next child starts.
    void reset()
    {
        readEvents();
        m_mappedAt.reset();
    }
    void readEvents()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && !m_mappedAt
                && !reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect)
                m_mappedAt = Clock::now();
            std::free(event);
        }
    }
    std::optional<Clock::time_point> mappedAt() const { return m_mappedAt; }

private:
    xcb_connection_t *m_connection;
    bool m_ok = false;
    std::optional<Clock::time_point> m_mappedAt;
};

struct Sample
{
    double painted = 0; // ms from the start to the first paint
    double mapped = 0; // ms from the start to the window mapped; 0 off X
    long peakKiB = 0;
};

// One run of a child; nullopt (after a message) when it failed.
std::optional<Sample> runOnce(const std::string &program, MapWatch *watch)
{
    if (watch)
        watch->reset();
    const BenchSupport::ChildRun result = watch
        ? BenchSupport::runChild({program}, ChildTimeout, watch->fd(), [watch] { watch->readEvents(); })
        : BenchSupport::runChild({program}, ChildTimeout);
    long long paintedAt = 0;
    long childPeak = 0;
    if (!result.started || result.timedOut || result.exitCode != 0
        || std::sscanf(result.output.c_str(), "painted %lld %ld", &paintedAt, &childPeak) != 2
        || (watch && !watch->mappedAt())) {
        const std::string reason = !result.started ? result.error
            : result.timedOut                      ? std::string("no first paint in time")
            : result.exitCode != 0                 ? "exit code " + std::to_string(result.exitCode)
                                                   : std::string("no paint or no window mapped");
        std::fprintf(stderr, "bench_startup: %s failed: %s\n", program.c_str(), reason.c_str());
        return std::nullopt;
    }
    Sample sample;
    sample.painted =
        double(paintedAt
               - std::chrono::duration_cast<std::chrono::nanoseconds>(result.spawnedAt.time_since_epoch()).count())
        / 1e6;
    if (watch)
        sample.mapped = since(result.spawnedAt, *watch->mappedAt());
    sample.peakKiB = std::max(result.peakResidentKiB, childPeak);
    return sample;
}

struct Series
{
    std::vector<double> painted, mapped;
    long peakKiB = 0;
    void add(const Sample &s)
    {
        painted.push_back(s.painted);
        mapped.push_back(s.mapped);
        peakKiB = std::max(peakKiB, s.peakKiB);
    }
};

std::string range(const std::vector<double> &values)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.0f–%.0f", *std::min_element(values.begin(), values.end()),
                  *std::max_element(values.begin(), values.end()));
    return text;
}

// Runs both programs in turn on one platform and prints their figures.
bool measure(const char *platform, const std::string &program, const std::string &bare)
{
    qputenv("QT_QPA_PLATFORM", platform);
    std::optional<MapWatch> watch;
    if (std::strcmp(platform, "xcb") == 0) {
        watch.emplace();
        if (!watch->ok()) {
            std::fprintf(stderr, "bench_startup: cannot connect to the X server %s\n", qgetenv("DISPLAY").constData());
            return false;
        }
    }
    Series ours, floor;
    // The first round only fills the file cache; it is not counted. The order
    // swaps every round so that neither side always follows the other.
    for (int round = -1; round < Runs; ++round) {
        const bool oursFirst = round % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isOurs = (turn == 0) == oursFirst;
            const std::optional<Sample> sample = runOnce(isOurs ? program : bare, watch ? &*watch : nullptr);
            if (!sample)
                return false;
            if (round >= 0)
                (isOurs ? ours : floor).add(*sample);
        }
    }
    const double paint = BenchSupport::median(ours.painted), paintFloor = BenchSupport::median(floor.painted);
    if (watch) {
        const double mapped = BenchSupport::median(ours.mapped), mappedFloor = BenchSupport::median(floor.mapped);
        std::printf("%s, exec to window mapped: %.1f ms (%s) against a bare window's %.1f ms (%s): ratio %.2f "
                    "(target %.2f)\n",
                    platform, mapped, range(ours.mapped).c_str(), mappedFloor, range(floor.mapped).c_str(),
                    mapped / mappedFloor, TargetMappedRatio);
    }
    std::printf("%s, exec to first paint: %.1f ms (%s) against a bare window's %.1f ms (%s): ratio %.2f "
                "(target %.2f)\n",
                platform, paint, range(ours.painted).c_str(), paintFloor, range(floor.painted).c_str(),
                paint / paintFloor, TargetPaintRatio);
    std::printf("%s, peak resident memory: %.1f MB against a bare window's %.1f MB (target %.0f MB)\n", platform,
                ours.peakKiB * 1024 / 1e6, floor.peakKiB * 1024 / 1e6, TargetMegabytes);
    std::fflush(stdout);
    return true;
}

// The first field of /proc/loadavg: on a busy machine every process waits
// its turn, which stretches the program's longer start-up more than the floor's.
std::string loadAverage()
{
    QFile load(QStringLiteral("/proc/loadavg"));
    return load.open(QIODevice::ReadOnly) ? load.readAll().split(' ').value(0).toStdString() : "unknown";
}

std::string cpuModel()
{
    QFile info(QStringLiteral("/proc/cpuinfo"));
    if (info.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : info.readAll().split('\n')) {
            if (line.startsWith("model name"))
                return line.mid(line.indexOf(':') + 1).trimmed().toStdString();
        }
    }
    return "unknown CPU";
}

} // namespace

int main(int, char **argv)
{
    // A missing default would stop the program at a message box.
    const QString folder = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath();
    for (const QString &name : Workspace::DefaultTilesetNames) {
        if (!QFileInfo::exists(QDir(folder).filePath(name))) {
            std::fprintf(stderr, "bench_startup: the default tileset %s is missing beside the benchmark\n",
                         qPrintable(name));
            return 1;
        }
    }
    const std::string program = QDir(folder).filePath(QStringLiteral("bench_startup_child")).toStdString();
    const std::string bare = QDir(folder).filePath(QStringLiteral("bench_bare_window")).toStdString();

    std::printf("%d runs each, alternating, medians (range); %u cores, %s; load average %s\n", Runs,
                std::thread::hardware_concurrency(), cpuModel().c_str(), loadAverage().c_str());
    if (!measure("offscreen", program, bare))
        return 1;
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        std::printf("xcb: no DISPLAY, not measured\n");
    else if (!measure("xcb", program, bare))
        return 1;
    return 0;
}
