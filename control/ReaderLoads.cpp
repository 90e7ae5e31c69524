#include "control/ReaderLoads.h"

#include "control/PictureLoad.h"
#include "control/UserQuestions.h"

#include <QFileInfo>

#include <algorithm>

ReaderLoads::ReaderLoads(UserQuestions &questions, QObject *parent)
    : QObject(parent)
    , m_questions(questions)
{
}

PictureLoad *ReaderLoads::begin(const QString &path, PictureReader::Kind kind)
{
    auto *load = new PictureLoad(path, kind, this);
    emit started(load);
    return load;
}

void ReaderLoads::start(int target, const QString &path, PictureReader::Kind kind, const Apply &apply)
{
    delete m_loads.at(target);
    PictureLoad *load = begin(path, kind);
    m_loads[target] = load;
    connect(load, &PictureLoad::finished, this, [this, target, load, apply](const ReaderResult &result, const QString &error) {
        m_loads[target] = nullptr;
        load->deleteLater();
        if (!result.picture.isNull())
            apply(result);
        else if (!error.isEmpty())
            m_questions.warn(error);
        else
            m_questions.note(
                tr("Loading \"%1\" was cancelled; nothing was changed.").arg(QFileInfo(load->path()).fileName()));
    });
}

PictureLoad *ReaderLoads::read(const QString &path, PictureReader::Kind kind, const Done &done)
{
    PictureLoad *load = begin(path, kind);
    connect(load, &PictureLoad::finished, this, [load, done](const ReaderResult &result, const QString &error) {
        load->deleteLater();
        done(result, error);
    });
    return load;
}

bool ReaderLoads::isLoading() const
{
    return std::any_of(m_loads.begin(), m_loads.end(), [](const PictureLoad *load) { return load != nullptr; });
}
