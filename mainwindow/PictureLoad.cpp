#include "mainwindow/PictureLoad.h"

#include "dialogs/LoadProgress.h"

#include <QFileInfo>
#include <QWidget>

PictureLoad::PictureLoad(const QString &path, PictureJob::Reader read, QWidget *window, int timeLimitMs)
    : QObject(window)
    , m_path(path)
    , m_window(window)
{
    connect(&m_job, &PictureJob::finished, this, &PictureLoad::end);
    m_delay.setSingleShot(true);
    m_delay.setTimerType(Qt::PreciseTimer);
    connect(&m_delay, &QTimer::timeout, this, &PictureLoad::showProgress);
    m_delay.start(ProgressDelayMs);
    m_job.start(path, read, timeLimitMs);
}

PictureLoad::~PictureLoad()
{
    delete m_progress;
}

void PictureLoad::showProgress()
{
    m_progress = new LoadProgress(QFileInfo(m_path).fileName(), m_window);
    connect(m_progress, &QDialog::rejected, this, [this] {
        m_job.cancel();
        end({}, {});
    });
    m_progress->show();
}

void PictureLoad::end(const QImage &image, const QString &error)
{
    m_delay.stop();
    // Gone before any message about the file opens.
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    emit finished(image, error);
}
