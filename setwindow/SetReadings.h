#pragma once

#include "readerclient/PictureReader.h"

#include <QList>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// The files of a set read in the reading process a few at a time, in the
// order asked, so that a folder of hundreds neither waits behind one reading
// nor starts a process for each. Each answer is handed to its callback from
// the event loop.
class SetReadings : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(const ReaderResult &result, const QString &error)>;
    // Two cores keep two readings and the window busy.
    static constexpr int DefaultAtOnce = 2;

    explicit SetReadings(QObject *parent = nullptr, const QString &program = PictureReader::installedProgram(),
                         int atOnce = DefaultAtOnce);
    ~SetReadings() override;

    // Reads path as kind once a reader is free; done follows unless cancelled.
    void read(const QString &path, PictureReader::Kind kind, const Done &done);
    // Forgets every reading asked for, running or waiting; no callback follows.
    void cancelAll();
    // The readings not yet answered.
    int pending() const { return int(m_queue.size()) + m_running; }

private:
    struct Request
    {
        QString path;
        PictureReader::Kind kind;
        Done done;
    };
    void startNext();

    std::vector<std::unique_ptr<PictureReader>> m_readers;
    std::vector<Done> m_answers;
    QList<Request> m_queue;
    int m_running = 0;
};
