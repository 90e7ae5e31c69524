#pragma once

#include "readerclient/PictureReader.h"

#include <QTimer>

// One picture or document file read for the editor: the reading runs in the
// reading process while the window goes on working. A load that takes longer
// than a moment says so, for the window to offer Cancel.
class PictureLoad : public QObject
{
    Q_OBJECT

public:
    // Loads quicker than this never say they are slow.
    static constexpr int ProgressDelayMs = 500;

    // Starts reading path as kind at once.
    PictureLoad(const QString &path, PictureReader::Kind kind, QObject *parent = nullptr,
                int timeLimitMs = PictureReader::TimeLimitMs);

    const QString &path() const { return m_path; }
    // Stops the reading; finished() follows with neither picture nor reason.
    void cancel();

signals:
    // The reading goes on longer than ProgressDelayMs.
    void slow();
    // The reading is over, read, refused or cancelled: whatever shows it goes
    // now, before any message about the file opens. finished() follows.
    void stopped();
    // What was read, or a null picture and the reason; a null picture and no
    // reason when the user cancelled. Nothing follows it.
    void finished(const ReaderResult &result, const QString &error);

private:
    void end(const ReaderResult &result, const QString &error);

    QString m_path;
    PictureReader m_reader;
    QTimer m_delay;
    bool m_ended = false;
};
