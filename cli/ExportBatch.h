#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

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
        QString out;
    };
    // The work on job i: the empty text, or one sentence naming the file and the reason.
    using Work = std::function<QString(qsizetype i)>;
    // Told of job i when it ran past the limit; its work goes on, but whatever it finishes must be let go.
    using GivenUp = std::function<void(qsizetype i)>;
    // As long as the editor gives a file to be read.
    static constexpr int TimeLimitMs = 15000;

    explicit ExportBatch(int timeLimitMs = TimeLimitMs);

    // Why each job must not run, in order, empty for those that may: an
    // output that is one of the documents, or that another job writes too.
    static QStringList refusals(const QList<Job> &jobs);
    // Does work on every job whose error is empty, each named by its document;
    // the errors of all, in order, empty where it succeeded. A thread still at
    // work on a document given up is left to it: the process must then end
    // without waiting for it, as the command line's always does.
    QStringList run(const QStringList &documents, const QStringList &errors, const Work &work,
                    const GivenUp &givenUp = {});

private:
    struct Shared;

    int m_timeLimitMs;
    size_t m_threads;
    bool m_leftWorkBehind = false; // a thread is still at work on a document given up
};
