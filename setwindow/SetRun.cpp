#include "setwindow/SetRun.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

QStringList linesOf(const QByteArray &said)
{
    return QString::fromLocal8Bit(said).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

SetRun::SetRun(const QString &program, const QStringList &documents, QObject *parent)
    : QObject(parent)
    , m_program(program)
    , m_documents(documents)
{
}

SetRun::~SetRun()
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    // Let finish, as a cancel does: killed, it could leave its new files behind.
    m_process->waitForFinished(-1);
}

void SetRun::start()
{
    emit progressed(0, total());
    runNext();
}

void SetRun::runNext()
{
    if (m_done >= total()) {
        emit finished(report(), false);
        return;
    }
    m_running = std::min(DocumentsPerRun, total() - m_done);
    m_process = new QProcess(this);
    m_process->setProgram(m_program);
    m_process->setArguments(arguments(m_documents.mid(m_done, m_running)));
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    connect(m_process, &QProcess::finished, this, &SetRun::runEnded);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            runEnded(-1, QProcess::CrashExit);
    });
    m_process->start();
}

void SetRun::runEnded(int exitCode, QProcess::ExitStatus status)
{
    QProcess *process = std::exchange(m_process, nullptr);
    process->deleteLater();
    const QStringList batch = m_documents.mid(m_done, m_running);
    const QStringList out = linesOf(process->readAllStandardOutput());
    told(batch, out);
    // Each line of standard error names a document and why the command line could not do its work on it.
    QStringList failures = linesOf(process->readAllStandardError());
    for (QString &line : failures) {
        static const QString prefix = QStringLiteral("cryptwright: ");
        if (line.startsWith(prefix))
            line.remove(0, prefix.size());
    }
    // A failure of every run alike (a tileset that cannot be read) is told once.
    for (const QString &line : failures)
        if (!m_failures.contains(line))
            m_failures << line;
    if (status != QProcess::NormalExit || endedEarly(exitCode, batch, out, failures)) {
        QStringList names;
        for (const QString &document : batch)
            names << QFileInfo(document).fileName();
        m_failures << stoppedLine(names);
    }
    m_done += m_running;
    emit progressed(m_done, total());
    if (m_cancelling)
        emit finished(report(), true);
    else
        runNext();
}

void SetRun::cancel()
{
    if (m_process)
        m_cancelling = true;
}

void SetRun::told(const QStringList &, const QStringList &)
{
}

bool SetRun::endedEarly(int exitCode, const QStringList &, const QStringList &, const QStringList &failures) const
{
    // A run that failed without a word did not get to say which documents it had finished.
    return exitCode != 0 && failures.isEmpty();
}

QStringList SetRun::report() const
{
    return m_failures;
}
