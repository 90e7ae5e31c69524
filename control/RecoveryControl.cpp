#include "control/RecoveryControl.h"

#include "control/UserQuestions.h"
#include "recovery/RecoveredWork.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoverySession.h"
#include "recovery/RecoveryWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <utility>

RecoveryControl::RecoveryControl(Workspace &workspace, UserQuestions &questions, QObject *parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_questions(questions)
{
}

RecoveryControl::~RecoveryControl() = default;

bool RecoveryControl::keep(const QString &folder)
{
    m_writer = std::make_unique<RecoveryWriter>(m_workspace, std::make_unique<RecoverySession>(folder));
    connect(m_writer.get(), &RecoveryWriter::failed, this, [this](const QString &reason) { m_questions.warn(reason); });
    RecoveryFolder::LeftBehind found = RecoveryFolder::leftBehind(folder);
    m_found = std::move(found.work);
    m_notice = found.notice;
    return !m_found.empty() || !m_notice.isEmpty();
}

void RecoveryControl::end()
{
    m_writer.reset();
}

QString RecoveryControl::describe(const RecoveredWork &work)
{
    QStringList kept;
    if (work.hasMaptile()) {
        kept << (work.documentPath().isEmpty()
                     ? tr("the maptile")
                     : tr("the maptile of \"%1\"").arg(QFileInfo(work.documentPath()).fileName()));
    }
    for (const RecoveredWork::Tileset &tileset : work.tilesets()) {
        const QChar letter(u'A' + tileset.slot);
        kept << (tileset.setName.isEmpty() ? tr("the tileset in slot %1").arg(letter)
                                           : tr("the tileset \"%1\" in slot %2").arg(tileset.setName, letter));
    }
    return tr("Cryptwright did not close normally. Changes that were not saved were kept on %1:\n\u2022 %2\n\n"
              "Restore them, or discard them?")
        .arg(QLocale().toString(work.savedAt().toLocalTime(), QLocale::LongFormat),
             kept.join(QStringLiteral("\n\u2022 ")));
}

void RecoveryControl::offer()
{
    if (!m_notice.isEmpty())
        m_questions.inform(std::exchange(m_notice, {}));
    const std::vector<std::unique_ptr<RecoveredWork>> offers = std::move(m_found);
    m_found.clear();
    for (const std::unique_ptr<RecoveredWork> &work : offers) {
        switch (m_questions.offerRecovered(describe(*work))) {
        case UserQuestions::Recovered::Restore:
            if (restore(*work))
                return;
            break;
        case UserQuestions::Recovered::Discard:
            work->discard();
            break;
        case UserQuestions::Recovered::Later:
            break;
        }
    }
}

bool RecoveryControl::restore(RecoveredWork &work)
{
    const QString error = work.restore(m_workspace);
    if (!error.isEmpty()) {
        m_questions.warn(tr("%1\nThe work is still kept in \"%2\".").arg(error, QDir::toNativeSeparators(work.path())));
        return false;
    }
    // Kept again at once, in this editor's own session, before the old one goes.
    if (m_writer) {
        m_writer->write();
        m_writer->flush();
    }
    work.discard();
    return true;
}
