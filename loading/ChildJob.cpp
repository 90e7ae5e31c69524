#include "loading/ChildJob.h"

#include <QSocketNotifier>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Lengths travel as eight little-endian bytes ahead of what they measure, so
// a result cut short by a crash is told from a whole one.
constexpr int LengthBytes = 8;
// A request: the work's address, the time limit in milliseconds, the argument's length.
constexpr int RequestBytes = 8 + 8 + LengthBytes;
// Heap made ready in the child for the work: a tileset decoded and passed on fits.
constexpr size_t RoomBytes = 16 << 20;
// A child whose heap has grown past this leaves after its work, and says so
// in the top bit of the result's length.
constexpr size_t KeptHeapBytes = 48 << 20;
constexpr quint64 LeavingBit = quint64(1) << 63;
// Exit codes of the child.
constexpr int Finished = 0, OutOfMemory = 2;

// A child waiting for its next work: its process and the two ends of its pipes.
struct Idle
{
    pid_t pid = -1;
    int requestFd = -1, resultFd = -1;
};
Idle idle;

bool writeAll(int fd, const char *data, qsizetype size)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = write(fd, data + done, size_t(size - done));
        if (n < 0 && errno != EINTR)
            return false;
        done += std::max<ssize_t>(n, 0);
    }
    return true;
}

// False at the end of the pipe.
bool readAll(int fd, char *data, qsizetype size)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = read(fd, data + done, size_t(size - done));
        if (n == 0 || (n < 0 && errno != EINTR))
            return false;
        done += std::max<ssize_t>(n, 0);
    }
    return true;
}

void reap(pid_t pid)
{
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

void endChild(pid_t pid, int requestFd, int resultFd)
{
    ::kill(pid, SIGKILL);
    reap(pid);
    close(requestFd);
    close(resultFd);
}

// Memory taken from the system through the C library: heap and mappings.
size_t heldBytes()
{
    const struct mallinfo2 memory = mallinfo2();
    return memory.arena + memory.hblkhd;
}

[[noreturn]] void serve(int requests, int results, pid_t parent)
{
    // Not to outlive the editor, nor to run past a limit should the editor
    // stop watching; a crash ends this process quietly, without the handlers
    // the editor or a test installed.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(Finished);
    for (int number : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGALRM, SIGPIPE})
        std::signal(number, SIG_DFL);
    // A first write to a page costs a fault, the larger part of what a forked
    // process pays for its work. Large buffers come from the heap here, from
    // room whose pages are made in one call and kept between pieces of work.
    mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest value malloc takes
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    if (void *room = malloc(RoomBytes)) {
        const quintptr page = 4096;
        const quintptr from = (quintptr(room) + page - 1) & ~(page - 1);
        madvise(reinterpret_cast<void *>(from), RoomBytes - (from - quintptr(room)), MADV_POPULATE_WRITE);
        free(room);
    }
    // What the editor held when this process was made counts as none of its own.
    const size_t heldAtStart = heldBytes();
    for (;;) {
        char request[RequestBytes];
        if (!readAll(requests, request, RequestBytes))
            _exit(Finished); // the editor let this process go
        const auto work = reinterpret_cast<ChildJob::Work>(qFromLittleEndian<quint64>(request));
        const quint64 limitMs = qFromLittleEndian<quint64>(request + 8);
        QByteArray argument, result;
        try {
            argument.resize(qsizetype(qFromLittleEndian<quint64>(request + 16)));
            if (!readAll(requests, argument.data(), argument.size()))
                _exit(Finished);
            alarm(unsigned(limitMs / 1000 + 2));
            result = work(argument);
            alarm(0);
        } catch (const std::bad_alloc &) {
            _exit(OutOfMemory);
        }
        // A process grown large on one big picture does not stay to hold its
        // memory: its heap, and the mappings of its largest buffers, the result among them.
        const bool leaving = heldBytes() > heldAtStart + KeptHeapBytes;
        char length[LengthBytes];
        qToLittleEndian<quint64>(quint64(result.size()) | (leaving ? LeavingBit : 0), length);
        if (!writeAll(results, length, LengthBytes) || !writeAll(results, result.constData(), result.size())
            || leaving)
            _exit(Finished);
    }
}

// A fresh child waiting for work, or none (pid -1) when the system makes no process.
Idle forkChild()
{
    int requests[2], results[2];
    if (pipe2(requests, O_CLOEXEC) != 0)
        return {};
    if (pipe2(results, O_CLOEXEC) != 0) {
        close(requests[0]);
        close(requests[1]);
        return {};
    }
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        close(requests[1]);
        close(results[0]);
        serve(requests[0], results[1], parent);
    }
    close(requests[0]);
    close(results[1]);
    if (child < 0) {
        close(requests[1]);
        close(results[0]);
        return {};
    }
    fcntl(results[0], F_SETFL, fcntl(results[0], F_GETFL) | O_NONBLOCK);
    // A picture passes in a few large reads rather than many small ones; the
    // pipe keeps its normal size where the system allows no larger one.
    fcntl(results[0], F_SETPIPE_SZ, 1 << 20);
    return {child, requests[1], results[0]};
}

} // namespace

ChildJob::ChildJob(QObject *parent)
    : QObject(parent)
{
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] { end(Outcome::TimedOut); });
}

ChildJob::~ChildJob()
{
    cancel();
}

void ChildJob::prepareIdleChild()
{
    if (idle.pid <= 0)
        idle = forkChild();
}

void ChildJob::endIdleChild()
{
    if (idle.pid > 0)
        endChild(idle.pid, idle.requestFd, idle.resultFd);
    idle = {};
}

void ChildJob::start(Work work, const QByteArray &argument, int timeLimitMs)
{
    cancel();
    m_leaving = false;
    m_headerRead = 0;
    m_filled = 0;
    char request[RequestBytes];
    qToLittleEndian<quint64>(quint64(reinterpret_cast<quintptr>(work)), request);
    qToLittleEndian<quint64>(quint64(std::max(timeLimitMs, 0)), request + 8);
    qToLittleEndian<quint64>(quint64(argument.size()), request + 16);
    // The child kept from earlier work, unless it has gone; else a fresh one.
    for (int attempt = 0; attempt < 2 && m_pid <= 0; ++attempt) {
        if (idle.pid > 0) {
            m_pid = idle.pid;
            m_requestFd = idle.requestFd;
            m_resultFd = idle.resultFd;
            idle = {};
        } else {
            Idle fresh = forkChild();
            if (fresh.pid <= 0)
                break;
            m_pid = fresh.pid;
            m_requestFd = fresh.requestFd;
            m_resultFd = fresh.resultFd;
        }
        // A child that has gone while it waited takes no request.
        const auto handler = std::signal(SIGPIPE, SIG_IGN);
        const bool sent = writeAll(m_requestFd, request, RequestBytes)
                          && writeAll(m_requestFd, argument.constData(), argument.size());
        std::signal(SIGPIPE, handler);
        if (!sent) {
            endChild(m_pid, m_requestFd, m_resultFd);
            m_pid = -1;
        }
    }
    if (m_pid <= 0) {
        QMetaObject::invokeMethod(this, [this] { emit finished(Outcome::NotStarted, {}); }, Qt::QueuedConnection);
        return;
    }
    m_notifier = new QSocketNotifier(m_resultFd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ChildJob::readAvailable);
    m_limit.start(timeLimitMs);
}

void ChildJob::readAvailable()
{
    for (;;) {
        // The length first, then the result straight into its place.
        const bool header = m_headerRead < LengthBytes;
        char *into = header ? m_header + m_headerRead : m_received.data() + m_filled;
        const qsizetype wanted = header ? LengthBytes - m_headerRead : m_received.size() - m_filled;
        if (wanted == 0) {
            end(Outcome::Done);
            return;
        }
        const ssize_t n = read(m_resultFd, into, size_t(wanted));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        if (n <= 0) {
            end(Outcome::Failed); // the child has ended before handing over all of it
            return;
        }
        if (!header) {
            m_filled += n;
            continue;
        }
        m_headerRead += int(n);
        if (m_headerRead < LengthBytes)
            continue;
        const quint64 word = qFromLittleEndian<quint64>(m_header);
        const quint64 length = word & ~LeavingBit;
        m_leaving = word & LeavingBit;
        try {
            if (length > quint64(MaxResultBytes))
                throw std::bad_alloc();
            m_received.resize(qsizetype(length));
            // Filled at once rather than faulted in page by page as the pipe delivers.
            const quintptr page = 4096;
            const quintptr from = (quintptr(m_received.data()) + page - 1) & ~(page - 1);
            const quintptr to = (quintptr(m_received.data()) + m_received.size()) & ~(page - 1);
            if (to > from)
                madvise(reinterpret_cast<void *>(from), to - from, MADV_POPULATE_WRITE);
        } catch (const std::bad_alloc &) {
            end(Outcome::Failed);
            return;
        }
    }
}

void ChildJob::stopWatching()
{
    m_limit.stop();
    delete m_notifier;
    m_notifier = nullptr;
}

void ChildJob::kill()
{
    stopWatching();
    endChild(m_pid, m_requestFd, m_resultFd);
    m_pid = -1;
    m_received = {};
}

void ChildJob::end(Outcome outcome)
{
    QByteArray result;
    if (outcome == Outcome::Done) {
        // Kept for the next piece of work; one waiting child is enough.
        stopWatching();
        if (m_leaving) {
            endChild(m_pid, m_requestFd, m_resultFd);
        } else {
            endIdleChild();
            idle = {m_pid, m_requestFd, m_resultFd};
        }
        m_pid = -1;
        result = std::move(m_received);
        m_received = {};
    } else {
        stopWatching();
        ::kill(m_pid, SIGKILL);
        int status = 0;
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        close(m_requestFd);
        close(m_resultFd);
        m_pid = -1;
        m_received = {};
        if (outcome == Outcome::Failed && WIFEXITED(status) && WEXITSTATUS(status) == OutOfMemory)
            outcome = Outcome::OutOfMemory;
    }
    emit finished(outcome, result);
}

void ChildJob::cancel()
{
    if (isRunning())
        kill();
}
