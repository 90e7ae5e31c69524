#pragma once

#include "control/UserQuestions.h"

#include <QCoreApplication>

class GuideHints;
class QWidget;

// The questions of the editor's decisions as the main window asks them:
// message boxes titled as the program, the program's file dialogs, the JPEG
// options window, and remarks in the guide's speech bubble.
class DialogQuestions : public UserQuestions
{
    Q_DECLARE_TR_FUNCTIONS(DialogQuestions)

public:
    explicit DialogQuestions(QWidget *owner);

    // Where note() speaks; until it is set, nothing is noted.
    void setGuide(GuideHints *guide) { m_guide = guide; }

    Keep askToKeep(const QString &why, const QString &question) override;
    QString chooseToOpen(Files files) override;
    QString chooseToSave(Files files, const QString &suggested) override;
    std::optional<JpegOptions> askJpegOptions() override;
    Recovered offerRecovered(const QString &text) override;
    void warn(const QString &text) override;
    void inform(const QString &text) override;
    void note(const QString &text) override;

private:
    QWidget *m_owner;
    GuideHints *m_guide = nullptr;
};
