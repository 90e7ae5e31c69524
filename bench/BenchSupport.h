#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QGuiApplication;
class QTemporaryDir;

// Shared pieces of the benchmarks.
namespace BenchSupport {

using Clock = std::chrono::steady_clock;

// A headless application, so fonts and images work without a screen.
QGuiApplication &application(int &argc, char **argv);
// A private folder in memory (/dev/shm) where there is one, else in the
// system's temporary folder, so that writes wait for no disk; removed with it.
std::unique_ptr<QTemporaryDir> memoryFolder();
// Median wall time of one call of work, in microseconds, over runs calls.
double medianMicroseconds(const std::function<void()> &work, int runs);
// The middle value (the upper one of the two middle values for an even count);
// 0 for none.
double median(std::vector<double> values);
// This process's peak resident memory so far, in KiB (VmHWM), or 0 when unknown.
long peakResidentKiB();

// One run of another program, waited for.
struct ChildRun
{
    bool started = false; // false: the program could not be started (see error)
    bool timedOut = false; // killed for taking longer than allowed
    int exitCode = -1; // -1 unless it exited by itself
    std::string output; // everything it wrote to its standard output
    std::string error;
    Clock::time_point spawnedAt;
    double milliseconds = 0; // from just before the start to its end
    long peakResidentKiB = 0;
};
// Runs arguments[0] (a path or a name looked up in PATH) with the rest as its
// arguments, keeping its standard error on ours; kills it after timeout.
// While it runs, onReadable is called whenever watchedFd has data.
ChildRun runChild(const std::vector<std::string> &arguments, std::chrono::milliseconds timeout, int watchedFd = -1,
                  const std::function<void()> &onReadable = {});

} // namespace BenchSupport
