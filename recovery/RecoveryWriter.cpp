#include "recovery/RecoveryWriter.h"

#include "recovery/RecoverySession.h"
#include "recovery/UnsavedWork.h"
#include "workspace/Workspace.h"

RecoveryWriter::RecoveryWriter(Workspace &workspace, std::unique_ptr<RecoverySession> session,
                               std::chrono::milliseconds interval, QObject *parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_session(std::move(session))
{
    connect(&workspace, &Workspace::edited, this, [this] {
        if (++m_changes >= ChangesPerWrite)
            write();
    });
    connect(&workspace, &Workspace::modificationChanged, this, &RecoveryWriter::followSaves);
    connect(&workspace, &Workspace::slotChanged, this, &RecoveryWriter::followSaves);
    m_timer.setInterval(interval);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_changes > 0)
            write();
    });
    m_timer.start();
    m_thread.setObjectName(QStringLiteral("Recovery"));
    m_writing.moveToThread(&m_thread);
    m_thread.start(QThread::LowPriority);
}

RecoveryWriter::~RecoveryWriter()
{
    m_thread.quit();
    m_thread.wait();
}

void RecoveryWriter::write()
{
    m_changes = 0;
    if (!m_workspace.hasUnsavedWork()) {
        if (m_wroteMaptile || !m_wroteSlots.isEmpty())
            request([](RecoverySession &session) {
                session.clear();
                return QString();
            });
        m_wroteMaptile = false;
        m_wroteSlots.clear();
        return;
    }
    m_wroteMaptile = m_workspace.maptileChanged();
    m_wroteSlots = m_workspace.unsavedSlots();
    request([work = UnsavedWork::of(m_workspace)](RecoverySession &session) { return session.write(work); });
}

void RecoveryWriter::flush()
{
    // Every job asked for before this one has run once this one has.
    QMetaObject::invokeMethod(
        &m_writing, [] {}, Qt::BlockingQueuedConnection);
}

void RecoveryWriter::request(std::function<QString(RecoverySession &)> job)
{
    QMetaObject::invokeMethod(
        &m_writing,
        [this, job = std::move(job)] {
            const QString error = job(*m_session);
            QMetaObject::invokeMethod(
                this, [this, error] { report(error); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void RecoveryWriter::report(const QString &error)
{
    if (!error.isEmpty() && error != m_failure)
        emit failed(error);
    m_failure = error;
}

void RecoveryWriter::followSaves()
{
    const bool saved = (m_wroteMaptile && !m_workspace.maptileChanged())
        || std::any_of(m_wroteSlots.begin(), m_wroteSlots.end(),
                       [this](int slot) { return !m_workspace.slot(slot).isModified(); });
    if (saved)
        write();
}
