#include "control/PictureLoad.h"

PictureLoad::PictureLoad(const QString &path, PictureReader::Kind kind, QObject *parent, int timeLimitMs)
    : QObject(parent)
    , m_path(path)
{
    connect(&m_reader, &PictureReader::finished, this, &PictureLoad::end);
    m_delay.setSingleShot(true);
    m_delay.setTimerType(Qt::PreciseTimer);
    connect(&m_delay, &QTimer::timeout, this, &PictureLoad::slow);
    m_delay.start(ProgressDelayMs);
    m_reader.start(path, kind, timeLimitMs);
}

void PictureLoad::cancel()
{
    m_reader.cancel();
    end({}, {});
}

void PictureLoad::end(const ReaderResult &result, const QString &error)
{
    // A Cancel that comes after the answer changes nothing.
    if (m_ended)
        return;
    m_ended = true;
    m_delay.stop();
    emit stopped();
    emit finished(result, error);
}
