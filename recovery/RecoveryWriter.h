#pragma once

#include <QObject>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

class RecoverySession;
class Workspace;

// Keeps the workspace's unsaved work in a recovery session: written on every
// ChangesPerWrite-th change and once an interval while changes wait, written
// again without what was saved since, and removed once nothing is unsaved.
// The work is taken as it is at that moment and written on a thread of the
// writer's own, one write after the other, so that editing never waits for it.
class RecoveryWriter : public QObject
{
    Q_OBJECT

public:
    static constexpr int ChangesPerWrite = 20;
    static constexpr std::chrono::milliseconds Interval = std::chrono::minutes(2);

    RecoveryWriter(Workspace &workspace, std::unique_ptr<RecoverySession> session,
                   std::chrono::milliseconds interval = Interval, QObject *parent = nullptr);
    // Waits for the write under way; the session ends with the writer, and its files with it.
    ~RecoveryWriter() override;

    const RecoverySession &session() const { return *m_session; }
    // Writes what is unsaved now, or removes what was written when nothing is.
    void write();
    // Returns once every write asked for so far is on the disk.
    void flush();

signals:
    // A write failed; said once until the reason changes or a write succeeds.
    void failed(const QString &reason);

private:
    // After a save: what was written of the saved work must not come back.
    void followSaves();
    // Runs job on the writing thread and reports what it returns here.
    void request(std::function<QString(RecoverySession &)> job);
    void report(const QString &error);

    Workspace &m_workspace;
    std::unique_ptr<RecoverySession> m_session;
    QTimer m_timer;
    QThread m_thread;
    // Lives on m_thread: what the writes run in.
    QObject m_writing;
    int m_changes = 0;
    // What the files in the session hold, once the writes asked for are done.
    bool m_wroteMaptile = false;
    QList<int> m_wroteSlots;
    QString m_failure;
};
