#pragma once

#include <QObject>
#include <QProcess>
#include <QStringList>

// Every document of a set exported into one folder by the command line's
// --export, a few documents to each run, so that the documents are read
// under its confinement and progress shows between runs. Cancelling stops
// the run at work: what it had not finished takes no name, and the files
// written before stay whole.
class SetExport : public QObject
{
    Q_OBJECT

public:
    static constexpr int DocumentsPerRun = 8;

    // program is the editor's executable, which runs the command line.
    SetExport(const QString &program, const QStringList &documents, const QString &folder, const QString &format,
              QObject *parent = nullptr);
    ~SetExport() override;

    void start();
    void cancel();
    int total() const { return int(m_documents.size()); }

signals:
    void progressed(int done, int total);
    // The lines the command line reported, one for each document that could not be exported.
    void finished(const QStringList &errors, bool cancelled);

private:
    void runNext();
    void runEnded(int exitCode, QProcess::ExitStatus status);

    QString m_program;
    QStringList m_documents;
    QString m_folder;
    QString m_format;
    int m_done = 0;
    int m_running = 0;
    QProcess *m_process = nullptr;
    QStringList m_errors;
};
