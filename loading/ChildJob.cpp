#include "loading/ChildJob.h"

#include <QSocketNotifier>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <new>
#include <malloc.h>
#include <cstdio>
#include <ctime>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The child sends the result's length first, so a result cut short by a
// crash is told from a whole one.
constexpr int LengthBytes = 8;
// Exit codes of the child.
// Heap made ready for the work in the child: a tileset decoded and passed on fits.
constexpr size_t RoomBytes = 16 << 20;
constexpr int Delivered = 0, NotDelivered = 1, OutOfMemory = 2;

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

[[noreturn]] void runChild(int fd, pid_t parent, const std::function<QByteArray()> &work, int timeLimitMs)
{
    // Not to outlive the editor, nor to run past the limit should the editor
    // stop watching; a crash ends this process quietly, without the handlers
    // the editor or a test installed.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        _exit(NotDelivered);
    for (int number : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGALRM, SIGPIPE})
        std::signal(number, SIG_DFL);
    alarm(unsigned(timeLimitMs / 1000 + 2));
    // A first write to a page costs a fault, the larger part of what a forked
    // process pays for its work. Large buffers come from the heap here, from
    // room whose pages are made in one call beforehand, not one fault each.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    if (void *room = malloc(RoomBytes)) {
        const quintptr page = 4096;
        const quintptr from = (quintptr(room) + page - 1) & ~(page - 1);
        madvise(reinterpret_cast<void *>(from), RoomBytes - (from - quintptr(room)), MADV_POPULATE_WRITE);
        free(room);
    }
    QByteArray result;
    try {
        result = work();
    } catch (const std::bad_alloc &) {
        _exit(OutOfMemory);
    }
    char length[LengthBytes];
    qToLittleEndian<quint64>(quint64(result.size()), length);
    // Straight out: exit handlers and destructors belong to the editor.
    _exit(writeAll(fd, length, LengthBytes) && writeAll(fd, result.constData(), result.size()) ? Delivered
                                                                                              : NotDelivered);
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

void ChildJob::start(const std::function<QByteArray()> &work, int timeLimitMs)
{
    cancel();
    m_headerRead = 0;
    m_filled = 0;
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) {
        QMetaObject::invokeMethod(this, [this] { emit finished(Outcome::NotStarted, {}); }, Qt::QueuedConnection);
        return;
    }
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        runChild(channel[1], parent, work, timeLimitMs);
    }
    close(channel[1]);
    if (child < 0) {
        close(channel[0]);
        QMetaObject::invokeMethod(this, [this] { emit finished(Outcome::NotStarted, {}); }, Qt::QueuedConnection);
        return;
    }
    m_pid = child;
    m_fd = channel[0];
    fcntl(m_fd, F_SETFL, fcntl(m_fd, F_GETFL) | O_NONBLOCK);
    // A picture passes in a few large reads rather than many small ones; the
    // pipe keeps its normal size where the system allows no larger one.
    fcntl(m_fd, F_SETPIPE_SZ, 1 << 20);
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
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
        const ssize_t n = wanted > 0 ? read(m_fd, into, size_t(wanted)) : read(m_fd, m_header, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        if (n <= 0 || wanted == 0)
            break; // the child has ended, or sent more than it announced
        if (!header) {
            m_filled += n;
            continue;
        }
        m_headerRead += int(n);
        if (m_headerRead < LengthBytes)
            continue;
        const quint64 length = qFromLittleEndian<quint64>(m_header);
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
    end(m_headerRead == LengthBytes && m_filled == m_received.size() ? Outcome::Done : Outcome::Failed);
}

void ChildJob::stopWatching()
{
    m_limit.stop();
    delete m_notifier;
    m_notifier = nullptr;
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
}

void ChildJob::end(Outcome outcome)
{
    stopWatching();
    if (outcome != Outcome::Done)
        kill(m_pid, SIGKILL);
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    QByteArray result;
    if (outcome == Outcome::Failed && WIFEXITED(status) && WEXITSTATUS(status) == OutOfMemory)
        outcome = Outcome::OutOfMemory;
    else if (outcome == Outcome::Done && WIFEXITED(status) && WEXITSTATUS(status) == Delivered)
        result = std::move(m_received);
    else if (outcome == Outcome::Done)
        outcome = Outcome::Failed;
    m_received = {};
    emit finished(outcome, result);
}

void ChildJob::cancel()
{
    if (!isRunning())
        return;
    stopWatching();
    kill(m_pid, SIGKILL);
    while (waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
    m_received = {};
}
