#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

// The editor's own command line run over every document of a set, a few
// documents to each run, so that the documents are read under its
// confinement and progress shows between runs. What each run says is
// gathered into one report. Cancelling lets the run at work finish and starts
// no other: a run killed before its renaming process starts leaves its new
// files behind, beside the outputs or the documents themselves.
class SetRun : public QObject
{
    Q_OBJECT

public:
    static constexpr int DocumentsPerRun = 8;

    ~SetRun() override;

    void start();
    void cancel();
    int total() const { return int(m_documents.size()); }
    bool isCancelling() const { return m_cancelling; }

signals:
    void progressed(int done, int total);
    // The report, a line for each document or failure as the command line worded it.
    void finished(const QStringList &lines, bool cancelled);

protected:
    // program is the editor's executable, which runs the command line.
    SetRun(const QString &program, const QStringList &documents, QObject *parent);

    // The command line for one run over documents.
    virtual QStringList arguments(const QStringList &documents) const = 0;
    // What one run over documents wrote on standard output, a line at a time; ignored unless taken here.
    virtual void told(const QStringList &documents, const QStringList &lines);
    // Whether a run that exited normally still ended before its work was done.
    virtual bool endedEarly(int exitCode, const QStringList &documents, const QStringList &told,
                            const QStringList &failures) const;
    // The report's line for a run that ended before it was done.
    virtual QString stoppedLine(const QStringList &names) const = 0;
    // The report as it stands after the last run.
    virtual QStringList report() const;

    // The failures the runs printed, and their ends before they were done.
    QStringList m_failures;

private:
    void runNext();
    void runEnded(int exitCode, QProcess::ExitStatus status);

    QString m_program;
    QStringList m_documents;
    int m_done = 0;
    int m_running = 0;
    bool m_cancelling = false;
    QProcess *m_process = nullptr;
};
