#include "XvfbServer.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int StartTimeoutMs = 15000;
constexpr int StopTimeoutMs = 5000;

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

XvfbServer::~XvfbServer()
{
    stop();
}

bool XvfbServer::start(QString *error)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        *error = systemError("cannot create a pipe for Xvfb");
        return false;
    }
    // Everything the child needs is prepared before fork: after it only
    // async-signal-safe calls are allowed.
    const QByteArray fd = QByteArray::number(pipeFds[1]);
    const QByteArray screen = QByteArray::number(ScreenSize.width()) + 'x'
                              + QByteArray::number(ScreenSize.height()) + "x24";
    const pid_t parent = getpid();

    const pid_t pid = fork();
    if (pid < 0) {
        *error = systemError("cannot fork for Xvfb");
        close(pipeFds[0]);
        close(pipeFds[1]);
        return false;
    }
    if (pid == 0) {
        // The server must not outlive a test that crashes or is killed.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(1);
        close(pipeFds[0]);
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", screen.constData(),
               "-nolisten", "tcp", static_cast<char *>(nullptr));
        _exit(127);
    }

    close(pipeFds[1]);
    m_pid = pid;

    // The server writes its display number once it accepts connections.
    QByteArray reply;
    const QDeadlineTimer deadline(StartTimeoutMs);
    pollfd readable{pipeFds[0], POLLIN, 0};
    while (!reply.contains('\n') && !deadline.hasExpired()) {
        const int ready = poll(&readable, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[32];
        const ssize_t count = read(pipeFds[0], buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break; // the server exited without reporting
        reply.append(buffer, count);
    }
    close(pipeFds[0]);

    bool ok = false;
    const int display = reply.trimmed().toInt(&ok);
    if (!reply.contains('\n') || !ok || display < 0) {
        stop();
        *error = QStringLiteral("Xvfb did not report a display within %1 s").arg(StartTimeoutMs / 1000);
        return false;
    }
    m_display = display;
    return true;
}

void XvfbServer::stop()
{
    if (m_pid <= 0)
        return;
    kill(m_pid, SIGTERM);
    const QDeadlineTimer deadline(StopTimeoutMs);
    while (waitpid(m_pid, nullptr, WNOHANG) == 0) {
        if (deadline.hasExpired()) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            break;
        }
        usleep(20000);
    }
    m_pid = -1;
    m_display = -1;
}

QString XvfbServer::displayName() const
{
    return QStringLiteral(":%1").arg(m_display);
}
