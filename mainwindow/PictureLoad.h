#pragma once

#include "dialogs/LoadProgress.h"
#include "readerclient/PictureReader.h"

#include <QPointer>
#include <QTimer>

// One picture or document file read for the main window: the reading runs in
// the reading process while the window goes on working, and the progress
// window with Cancel shows when it takes longer than a moment.
class PictureLoad : public QObject
{
    Q_OBJECT

public:
    // Loads quicker than this never show the progress window.
    static constexpr int ProgressDelayMs = 500;

    // Starts reading path as kind at once; window owns the load and the progress window.
    PictureLoad(const QString &path, PictureReader::Kind kind, QWidget *window,
                int timeLimitMs = PictureReader::TimeLimitMs);
    // Stops a reading still running, without a signal.
    ~PictureLoad() override;

    const QString &path() const { return m_path; }
    LoadProgress *progress() const { return m_progress; }

signals:
    // The picture, or a null image and the reason; a null image and no reason
    // when the user cancelled. Nothing follows it.
    void finished(const QImage &image, const QString &error);

private:
    void showProgress();
    void end(const QImage &image, const QString &error);

    QString m_path;
    QWidget *m_window;
    PictureReader m_reader;
    QTimer m_delay;
    QPointer<LoadProgress> m_progress;
};
