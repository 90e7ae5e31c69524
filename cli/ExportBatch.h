#pragma once

#include "cli/Exporter.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The documents of one export command, written as many at once as the machine
// has cores. No output may be one of the documents being read, however it is
// named, and each document gets the editor's time to be read and written: one
// that takes longer is reported and the rest go on without it.
class ExportBatch
{
public:
    struct Job
    {
        QString document;
        QString out;
    };
    // As long as the editor gives a file to be read.
    static constexpr int TimeLimitMs = 15000;

    ExportBatch(Exporter::Format format, const JpegOptions &jpeg, int timeLimitMs = TimeLimitMs);
    ~ExportBatch();

    // Exports every job; the error of each, in order, empty when it was written.
    QStringList run(const QList<Job> &jobs);
    // Whether a document ran past the time limit: its thread is still at work,
    // so the process must end without waiting for it.
    bool leftWorkBehind() const { return m_leftWorkBehind; }

private:
    struct Shared;
    QStringList refusals(const QList<Job> &jobs) const;

    Exporter::Format m_format;
    JpegOptions m_jpeg;
    int m_timeLimitMs;
    bool m_leftWorkBehind = false;
};
