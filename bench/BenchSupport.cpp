#include "BenchSupport.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace BenchSupport {

QGuiApplication &application(int &argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
}

std::unique_ptr<QTemporaryDir> memoryFolder()
{
    auto folder = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/cryptwright-bench-XXXXXX"));
    if (!folder->isValid())
        folder = std::make_unique<QTemporaryDir>();
    return folder;
}

double medianMicroseconds(const std::function<void()> &work, int runs)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return median(std::move(times));
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

long peakResidentKiB()
{
    // Read whole: /proc files report no size, so QFile sees their end at once.
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

ChildRun runChild(const std::vector<std::string> &arguments, std::chrono::milliseconds timeout, int watchedFd,
                  const std::function<void()> &onReadable)
{
    ChildRun run;
    int pipeEnds[2];
    if (arguments.empty() || pipe2(pipeEnds, O_CLOEXEC) != 0) {
        run.error = arguments.empty() ? "no program given" : std::strerror(errno);
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);

    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    run.spawnedAt = Clock::now();
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        run.error = std::strerror(spawned);
        return run;
    }
    run.started = true;

    // Read until the child has closed its end and ended, or the time is up.
    // Through syscall(): this glibc's header declares pidfd_open without C linkage.
    const int exited = int(syscall(SYS_pidfd_open, pid, 0));
    const auto deadline = run.spawnedAt + timeout;
    bool outputOpen = true;
    bool running = exited >= 0;
    char buffer[4096];
    while (outputOpen || running) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            run.timedOut = true;
            kill(pid, SIGKILL);
            break;
        }
        pollfd watched[3] = {{outputOpen ? pipeEnds[0] : -1, POLLIN, 0},
                             {running ? exited : -1, POLLIN, 0},
                             {onReadable ? watchedFd : -1, POLLIN, 0}};
        if (poll(watched, 3, int(left)) <= 0)
            continue;
        if (watched[2].revents)
            onReadable();
        if (watched[1].revents)
            running = false;
        if (watched[0].revents) {
            const ssize_t got = read(pipeEnds[0], buffer, sizeof buffer);
            if (got > 0)
                run.output.append(buffer, size_t(got));
            else if (got == 0 || errno != EINTR)
                outputOpen = false;
        }
    }
    close(pipeEnds[0]);
    if (exited >= 0)
        close(exited);

    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) { }
    run.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - run.spawnedAt).count();
    run.peakResidentKiB = usage.ru_maxrss;
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    return run;
}

} // namespace BenchSupport
