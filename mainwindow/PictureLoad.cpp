#include "mainwindow/PictureLoad.h"

#include "dialogs/LoadProgress.h"

#include <QFileInfo>
#include <QWidget>

PictureLoad::PictureLoad(const QString &path, PictureReader::Kind kind, QWidget *window, int timeLimitMs)
    : QObject(window)
    , m_path(path)
    , m_window(window)
{
    connect(&m_reader, &PictureReader::finished, this, &PictureLoad::end);
    m_delay.setSingleShot(true);
    m_delay.setTimerType(Qt::PreciseTimer);
    connect(&m_delay, &QTimer::timeout, this, &PictureLoad::showProgress);
    m_delay.start(ProgressDelayMs);
    m_reader.start(path, kind, timeLimitMs);
}

PictureLoad::~PictureLoad()
{
    delete m_progress;
}

void PictureLoad::showProgress()
{
    m_progress = new LoadProgress(QFileInfo(m_path).fileName(), m_window);
    connect(m_progress, &QDialog::rejected, this, [this] {
        m_reader.cancel();
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
