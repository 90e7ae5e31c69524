#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

#include <functional>

// The documents of one export command, worked on as many at once as the
// machine has cores. No output may be one of the documents being read,
// however it is named, and each document gets the editor's time to be read
// and written: one that takes longer is reported and the rest go on without it.
class ExportBatch
{
    Q_DECLARE_TR_FUNCTIONS(ExportBatch)

public:
    struct Job
    {
        QString document;
        QString out; // empty when the work writes no file of its own
    };
    // The work on one job: the empty text, or one sentence naming the file and the reason.
    using Work = std::function<QString(const Job &job)>;
    // As long as the editor gives a file to be read.
    static constexpr int TimeLimitMs = 15000;

    explicit ExportBatch(int timeLimitMs = TimeLimitMs);
    ~ExportBatch();

    // Does work on every job; the error of each, in order, empty when it succeeded.
    QStringList run(const QList<Job> &jobs, const Work &work);
    // Whether a document ran past the time limit: its thread is still at work,
    // so the process must end without waiting for it.
    bool leftWorkBehind() const { return m_leftWorkBehind; }

private:
    struct Shared;
    QStringList refusals(const QList<Job> &jobs) const;

    int m_timeLimitMs;
    bool m_leftWorkBehind = false;
};
