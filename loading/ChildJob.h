#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <sys/types.h>

class QSocketNotifier;

// Runs one piece of work in a child process and hands its result back through
// the event loop, so the caller's thread never waits for it. A child can be
// killed where a thread cannot: work that loops, crashes or runs past the time
// limit costs its own process only, and cancel() ends it at once.
//
// The child is a fork of the caller, kept after its work for the next piece:
// a process that has already worked has its memory to hand, where a fresh one
// pays a page fault for every page it first writes. One that was killed or
// failed is replaced by a fresh fork. Work is named by a plain function, which
// means the same in the child as in the caller; only the calling thread exists
// in the child, so the work must not wait for anything another thread might hold.
class ChildJob : public QObject
{
    Q_OBJECT

public:
    // The work: what it returns is handed back as the result.
    using Work = QByteArray (*)(const QByteArray &argument);
    enum class Outcome {
        Done,        // the work returned; result holds what it returned
        TimedOut,    // killed at the time limit
        OutOfMemory, // the work ran out of memory
        Failed,      // the child ended without handing over a result (a crash)
        NotStarted   // no child process could be made
    };
    Q_ENUM(Outcome)

    // Larger results are refused: no picture the program reads needs more.
    static constexpr qint64 MaxResultBytes = qint64(1) << 30;

    explicit ChildJob(QObject *parent = nullptr);
    // Kills a child still working.
    ~ChildJob() override;

    // Runs work(argument) in a child; finished() follows, from the event loop,
    // unless cancelled first. A job runs one piece of work at a time.
    void start(Work work, const QByteArray &argument, int timeLimitMs);
    bool isRunning() const { return m_pid > 0; }
    // Kills the child and reaps it; finished() does not follow.
    void cancel();
    // Forks the child that waits for work, if none waits yet, so that the
    // first job does not pay for making it.
    static void prepareIdleChild();
    // Ends the child kept waiting for work, if any; the next job forks afresh.
    static void endIdleChild();

signals:
    void finished(ChildJob::Outcome outcome, const QByteArray &result);

private:
    void readAvailable();
    // Stops watching and reports; a child that did not deliver is killed and reaped.
    void end(Outcome outcome);
    void stopWatching();
    void kill();

    pid_t m_pid = -1;
    int m_requestFd = -1;
    int m_resultFd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_limit;
    char m_header[8];
    int m_headerRead = 0;
    QByteArray m_received;
    qsizetype m_filled = 0;
    bool m_leaving = false; // the child ends after this piece of work
};
