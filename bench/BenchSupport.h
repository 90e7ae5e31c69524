#pragma once

#include <chrono>
#include <functional>

class QGuiApplication;

// Shared pieces of the benchmarks.
namespace BenchSupport {

// A headless application, so fonts and images work without a screen.
QGuiApplication &application(int &argc, char **argv);
// Median wall time of one call of work, in microseconds, over runs calls.
double medianMicroseconds(const std::function<void()> &work, int runs);

} // namespace BenchSupport
