#pragma once

#include <QObject>

#include <memory>
#include <vector>

class RecoveredWork;
class RecoveryWriter;
class UserQuestions;
class Workspace;

// The editor's unsaved work kept in a recovery session while it runs, and
// work left by an editor that did not close offered back: each restored,
// discarded or kept for the next start as the user answers.
class RecoveryControl : public QObject
{
    Q_OBJECT

public:
    RecoveryControl(Workspace &workspace, UserQuestions &questions, QObject *parent = nullptr);
    ~RecoveryControl() override;

    // Unsaved work is kept in a session of folder from now on. Returns whether
    // work left by an editor that did not close waits there to be offered, or
    // there is something to say of what could not be read.
    bool keep(const QString &folder);
    // Says once what keep() could not read, then offers the work it found,
    // newest first, until one is restored: one maptile at a time, work older
    // than the one restored waits for the next start.
    void offer();
    // A clean end: nothing is left to be offered at the next start.
    void end();

    // What the offer of work says it holds and when it was kept.
    static QString describe(const RecoveredWork &work);

private:
    // Whether work became the workspace's; a failure is reported.
    bool restore(RecoveredWork &work);

    Workspace &m_workspace;
    UserQuestions &m_questions;
    std::unique_ptr<RecoveryWriter> m_writer;
    std::vector<std::unique_ptr<RecoveredWork>> m_found;
    QString m_notice;
};
