#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>

#include <sys/types.h>

class QSocketNotifier;

// Runs one piece of work in a forked child process and hands its result back
// through the event loop, so the caller's thread never waits for it. A child
// can be killed where a thread cannot: a decoder that loops, crashes or runs
// past the time limit costs its own process only, and Cancel ends it at once.
//
// The child is a copy of the caller taken at the fork: the work sees the
// caller's data as it was then, and only the calling thread exists in it, so
// the work must not wait for anything another thread might hold.
class ChildJob : public QObject
{
    Q_OBJECT

public:
    enum class Outcome {
        Done,      // the work returned; result holds what it returned
        TimedOut,  // killed at the time limit
        OutOfMemory, // the work ran out of memory
        Failed,    // the child ended without handing over a result (a crash)
        NotStarted // no child process could be made
    };
    Q_ENUM(Outcome)

    // Larger results are refused: no picture the program reads needs more.
    static constexpr qint64 MaxResultBytes = qint64(1) << 30;

    explicit ChildJob(QObject *parent = nullptr);
    // Kills a child still running.
    ~ChildJob() override;

    // Starts work in a child; finished() follows, from the event loop, unless
    // cancelled first. A job runs one piece of work at a time.
    void start(const std::function<QByteArray()> &work, int timeLimitMs);
    bool isRunning() const { return m_pid > 0; }
    // Kills the child and reaps it; finished() does not follow.
    void cancel();

signals:
    void finished(ChildJob::Outcome outcome, const QByteArray &result);

private:
    void readAvailable();
    // Stops watching, reaps the child and reports.
    void end(Outcome outcome);
    void stopWatching();

    pid_t m_pid = -1;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_limit;
    char m_header[8];
    int m_headerRead = 0;
    QByteArray m_received;
    qsizetype m_filled = 0;
};
