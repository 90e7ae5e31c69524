#include "setwindow/SetReadings.h"

#include <utility>

SetReadings::SetReadings(QObject *parent, const QString &program, int atOnce)
    : QObject(parent)
{
    for (int i = 0; i < atOnce; ++i) {
        m_readers.push_back(std::make_unique<PictureReader>(program));
        m_answers.emplace_back();
        connect(m_readers.back().get(), &PictureReader::finished, this, [this, i](const ReaderResult &result, const QString &error) {
            const Done done = std::exchange(m_answers[size_t(i)], {});
            --m_running;
            startNext();
            if (done)
                done(result, error);
        });
    }
}

SetReadings::~SetReadings()
{
    cancelAll();
}

void SetReadings::read(const QString &path, PictureReader::Kind kind, const Done &done)
{
    m_queue.append({path, kind, done ? done : Done([](const ReaderResult &, const QString &) {})});
    startNext();
}

void SetReadings::cancelAll()
{
    m_queue.clear();
    for (size_t i = 0; i < m_readers.size(); ++i) {
        m_readers[i]->cancel();
        m_answers[i] = {};
    }
    m_running = 0;
}

void SetReadings::startNext()
{
    for (size_t i = 0; i < m_readers.size() && !m_queue.isEmpty(); ++i) {
        if (m_readers[i]->isRunning() || m_answers[i])
            continue;
        Request request = m_queue.takeFirst();
        m_answers[i] = std::move(request.done);
        ++m_running;
        m_readers[i]->start(request.path, request.kind);
    }
}
