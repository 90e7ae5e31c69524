#pragma once

#include "loading/ChildJob.h"

#include <QImage>
#include <QObject>
#include <QString>

// Reads a picture file in a child process (see ChildJob) and hands the image
// back through the event loop: the window's thread never decodes a file the
// user chose, and a file that takes too long or breaks the decoder is
// reported like any other unreadable file.
class PictureJob : public QObject
{
    Q_OBJECT

public:
    // What reads a file: the picture, or a null image and error set to a
    // sentence that names the file and the reason. A plain function, so that
    // it can be named to a child forked earlier.
    using Reader = QImage (*)(const QString &path, QString *error);
    // Longer than a metafile may take to draw, so that its own reason is the one shown.
    static constexpr int TimeLimitMs = 15000;

    explicit PictureJob(QObject *parent = nullptr);

    // Starts reading path with read; finished() follows unless cancelled first.
    void start(const QString &path, Reader read, int timeLimitMs = TimeLimitMs);
    bool isRunning() const { return m_job.isRunning(); }
    // Stops the reading at once; finished() does not follow.
    void cancel() { m_job.cancel(); }

    // The image as raw pixels behind a small header, followed by its texts, or
    // error when image is null; and back. decode() gives a null image and the reason for bytes
    // that are not an encoded image.
    static QByteArray encode(const QImage &picture, const QString &error);
    static QImage decode(const QByteArray &bytes, QString *error);

signals:
    // A null image with error set when the file could not be read.
    void finished(const QImage &image, const QString &error);

private:
    void report(ChildJob::Outcome outcome, const QByteArray &result);

    ChildJob m_job;
    QString m_path;
    int m_timeLimitMs = TimeLimitMs;
};
