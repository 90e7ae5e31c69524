#pragma once

#include "control/UserQuestions.h"

#include <QFileInfo>
#include <QStringList>

// Answers as a test sets them, keeping what was asked and said: a short tag
// for each in asked, the whole text in texts.
struct ScriptedAnswers : UserQuestions
{
    Keep keep = Keep::Cancel;
    QString savePath;
    std::optional<JpegOptions> jpeg;
    Recovered recovered = Recovered::Later;
    QStringList asked, texts;

    template<typename Answer>
    Answer heard(const QString &tag, const QString &text, Answer answer)
    {
        asked << tag;
        if (!text.isEmpty())
            texts << text;
        return answer;
    }
    Keep askToKeep(const QString &why, const QString &question) override
    {
        return heard(QStringLiteral("keep"), why + question, keep);
    }
    QString chooseToOpen(Files) override { return heard(QStringLiteral("open"), {}, QString()); }
    QString chooseToSave(Files, const QString &suggested) override
    {
        return heard(QStringLiteral("save as ") + QFileInfo(suggested).fileName(), {}, savePath);
    }
    std::optional<JpegOptions> askJpegOptions() override { return heard(QStringLiteral("jpeg"), {}, jpeg); }
    Recovered offerRecovered(const QString &text) override { return heard(QStringLiteral("offer"), text, recovered); }
    void warn(const QString &text) override { heard(QStringLiteral("warn"), text, 0); }
    void inform(const QString &text) override { heard(QStringLiteral("inform"), text, 0); }
    void note(const QString &text) override { heard(QStringLiteral("note"), text, 0); }
};
