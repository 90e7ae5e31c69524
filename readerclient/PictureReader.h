#pragma once

#include "readerclient/ReaderProtocol.h"
#include "readerclient/ReaderResult.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QFile;
class QProcess;

// Reads a picture or document file the user chose in the reading process, a
// confined program of its own, and hands the result back through the event
// loop: the window's thread never decodes such a file, and one that takes too
// long or breaks its decoder costs the reading process only, reported like
// any other unreadable file.
//
// The file is read here, with the usual checks, and passed on in pieces while
// the event loop turns. A reading process that answered is kept for the next
// file; one that was killed or died is replaced by a fresh one.
class PictureReader : public QObject
{
    Q_OBJECT

public:
    using Kind = ReaderProtocol::Kind;
    // Longer than any sound file takes to read, even a metafile that is slow to draw.
    static constexpr int TimeLimitMs = 15000;

    // Reads through the reading process installed with the editor.
    explicit PictureReader(QObject *parent = nullptr);
    // Reads through program instead, which must speak the same protocol.
    explicit PictureReader(const QString &program, QObject *parent = nullptr);
    // Kills a reading still running.
    ~PictureReader() override;

    // Starts reading path as kind; finished() follows, from the event loop,
    // unless cancelled first. A reader reads one file at a time: a reading
    // still running is given up for the new one.
    void start(const QString &path, Kind kind, int timeLimitMs = TimeLimitMs);
    bool isRunning() const { return m_process != nullptr; }
    // Stops the reading at once; finished() does not follow.
    void cancel();

    // Starts a reading process to wait for the first file, unless one waits
    // already, so that the first file read does not pay for starting it.
    static void prepare();
    // Ends the reading process kept waiting, if any.
    static void endWaiting();
    // The reading process installed with the editor: beside it in the build
    // tree, in its own folder once installed.
    static QString installedProgram();

signals:
    // What was read, or a null picture with error set to a sentence that
    // names the file and the reason.
    void finished(const ReaderResult &result, const QString &error);

private:
    // Unfit: an answer no sound reading gives, from a process not to be asked again.
    enum class Outcome { Done, Unfit, TimedOut, OutOfMemory, Failed, NotStarted };

    void sendMore();
    void readAnswer();
    void processEnded();
    // Stops watching, keeps or ends the process, and reports.
    void end(Outcome outcome, const QString &error = {});
    void reportLater(const QString &error);
    QString failure(const QString &reason) const;

    QString m_program;
    QString m_path;
    Kind m_kind = Kind::WholePicture;
    int m_timeLimitMs = TimeLimitMs;
    QProcess *m_process = nullptr;
    std::unique_ptr<QFile> m_file;
    qint64 m_unsent = 0;
    QTimer m_limit;
    QByteArray m_length;
    QByteArray m_answer;
    qint64 m_filled = 0;
    bool m_reportPending = false;
};
