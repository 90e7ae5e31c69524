#include "setwindow/SetExport.h"

#include <QFileInfo>

#include <algorithm>
#include <utility>

SetExport::SetExport(const QString &program, const QStringList &documents, const QString &folder,
                     const QString &format, QObject *parent)
    : QObject(parent)
    , m_program(program)
    , m_documents(documents)
    , m_folder(folder)
    , m_format(format)
{
}

SetExport::~SetExport()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished();
    }
}

void SetExport::start()
{
    emit progressed(0, total());
    runNext();
}

void SetExport::runNext()
{
    if (m_done >= total()) {
        emit finished(m_errors, false);
        return;
    }
    m_running = std::min(DocumentsPerRun, total() - m_done);
    m_process = new QProcess(this);
    m_process->setProgram(m_program);
    m_process->setArguments(QStringList{QStringLiteral("--export"), m_folder, QStringLiteral("--format"), m_format}
                            + m_documents.mid(m_done, m_running));
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    m_process->setStandardOutputFile(QProcess::nullDevice());
    connect(m_process, &QProcess::finished, this, &SetExport::runEnded);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            runEnded(-1, QProcess::CrashExit);
    });
    m_process->start();
}

void SetExport::runEnded(int exitCode, QProcess::ExitStatus status)
{
    QProcess *process = std::exchange(m_process, nullptr);
    process->deleteLater();
    // Each line of standard error names a document and why it was not exported.
    const QString said = QString::fromLocal8Bit(process->readAllStandardError());
    for (QString line : said.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        static const QString prefix = QStringLiteral("cryptwright: ");
        if (line.startsWith(prefix))
            line.remove(0, prefix.size());
        m_errors << line;
    }
    if (status != QProcess::NormalExit || (exitCode != 0 && said.trimmed().isEmpty())) {
        QStringList names;
        for (const QString &document : m_documents.mid(m_done, m_running))
            names << QFileInfo(document).fileName();
        m_errors << tr("The export of %1 stopped before it was done; what it had not finished was not written.")
                        .arg(names.join(QStringLiteral(", ")));
    }
    m_done += m_running;
    emit progressed(m_done, total());
    runNext();
}

void SetExport::cancel()
{
    if (!m_process)
        return;
    QProcess *process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    process->kill();
    process->waitForFinished();
    process->deleteLater();
    emit finished(m_errors, true);
}
