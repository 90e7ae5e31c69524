#pragma once

#include <QSize>
#include <QString>

#include <sys/types.h>

// A private virtual X server for one test run. It is started before the
// test's application object exists (the display must be known first), so it
// is spawned with plain POSIX calls rather than QProcess. The server dies
// with the test process even when the test crashes.
class XvfbServer
{
public:
    static constexpr QSize ScreenSize{1280, 1024};

    XvfbServer() = default;
    XvfbServer(const XvfbServer &) = delete;
    XvfbServer &operator=(const XvfbServer &) = delete;
    ~XvfbServer();

    // Starts the server on a free display and waits until it accepts clients.
    bool start(QString *error);
    void stop();
    // ":N", valid after a successful start.
    QString displayName() const;

private:
    pid_t m_pid = -1;
    int m_display = -1;
};
