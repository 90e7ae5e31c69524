#include "cli/ExportBatch.h"

#include "files/FileIdentity.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

// What the threads and the one watching them share. It outlives the batch
// when a thread is left behind at work.
struct ExportBatch::Shared
{
    enum class State { Waiting, Running, Done, TimedOut };
    struct Task
    {
        qsizetype job = 0;
        State state = State::Waiting;
        Clock::time_point started;
        QString error;
    };

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Task> tasks;
    size_t next = 0;
    size_t ended = 0;
};

ExportBatch::ExportBatch(int timeLimitMs)
    : m_timeLimitMs(timeLimitMs)
    // Twice as many threads as processors: a thread waiting for its file to
    // reach the disk leaves its processor to another document. Counted now,
    // while the system's own account of them can still be read.
    , m_threads(2 * std::max(1u, std::thread::hardware_concurrency()))
{
}

QStringList ExportBatch::refusals(const QList<Job> &jobs)
{
    QStringList errors;
    QList<FileIdentity> documents;
    for (const Job &job : jobs)
        documents << FileIdentity::of(job.document);
    QStringList outputs;
    for (const Job &job : jobs) {
        QString error;
        const FileIdentity out = FileIdentity::of(job.out);
        for (qsizetype i = 0; i < jobs.size() && error.isEmpty(); ++i) {
            if (out.isValid() && out == documents[i])
                error = tr("Cannot export \"%1\" to \"%2\": that is the document \"%3\", which would be lost.")
                            .arg(job.document, job.out, jobs[i].document);
        }
        // Two documents of one name would write the same file; the first one keeps it.
        const QString absolute = QFileInfo(job.out).absoluteFilePath();
        if (error.isEmpty() && outputs.contains(absolute))
            error = tr("Cannot export \"%1\": \"%2\" is written from another document of the same name.")
                        .arg(job.document, job.out);
        if (error.isEmpty())
            outputs << absolute;
        errors << error;
    }
    return errors;
}

QStringList ExportBatch::run(const QStringList &documents, const QStringList &errors, const Work &doWork,
                             const GivenUp &givenUp)
{
    auto shared = std::make_shared<Shared>();
    for (qsizetype i = 0; i < errors.size(); ++i) {
        Shared::Task task;
        task.job = i;
        if (!errors[i].isEmpty()) {
            task.state = Shared::State::Done;
            task.error = errors[i];
            ++shared->ended;
        }
        shared->tasks.push_back(task);
    }

    // Each thread takes the next document waiting until none is left; one
    // whose document ran past the limit leaves the rest to a new thread.
    const auto work = [shared, doWork] {
        std::unique_lock lock(shared->mutex);
        while (true) {
            while (shared->next < shared->tasks.size() && shared->tasks[shared->next].state != Shared::State::Waiting)
                ++shared->next;
            if (shared->next == shared->tasks.size())
                return;
            Shared::Task &task = shared->tasks[shared->next++];
            task.state = Shared::State::Running;
            task.started = Clock::now();
            const qsizetype job = task.job;
            lock.unlock();
            const QString error = doWork(job);
            lock.lock();
            if (task.state == Shared::State::TimedOut)
                return;
            task.state = Shared::State::Done;
            task.error = error;
            ++shared->ended;
            shared->changed.notify_all();
        }
    };

    const size_t waiting = shared->tasks.size() - shared->ended;
    const size_t threads = std::min(waiting, m_threads);
    std::vector<std::thread> workers;
    for (size_t i = 0; i < threads; ++i)
        workers.emplace_back(work);

    const auto limit = std::chrono::milliseconds(m_timeLimitMs);
    std::unique_lock lock(shared->mutex);
    while (shared->ended < shared->tasks.size()) {
        shared->changed.wait_for(lock, std::chrono::milliseconds(100));
        for (Shared::Task &task : shared->tasks) {
            if (task.state != Shared::State::Running || Clock::now() - task.started < limit)
                continue;
            task.state = Shared::State::TimedOut;
            task.error = tr("Cannot export \"%1\": reading and writing it took longer than %2 seconds.")
                             .arg(documents.value(task.job))
                             .arg(m_timeLimitMs / 1000.0);
            ++shared->ended;
            if (givenUp)
                givenUp(task.job);
            m_leftWorkBehind = true;
            workers.emplace_back(work);
        }
    }
    lock.unlock();
    // A thread still at work on a document given up cannot be joined.
    for (std::thread &worker : workers) {
        if (m_leftWorkBehind)
            worker.detach();
        else
            worker.join();
    }
    QStringList ended;
    for (const Shared::Task &task : shared->tasks)
        ended << task.error;
    return ended;
}
