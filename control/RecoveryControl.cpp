#include "control/RecoveryControl.h"

#include "control/PictureLoad.h"
#include "control/ReaderLoads.h"
#include "control/UserQuestions.h"
#include "document/MaptileDocument.h"
#include "recovery/RecoveredWork.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoverySession.h"
#include "recovery/RecoveryWriter.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <utility>

RecoveryControl::RecoveryControl(Workspace &workspace, UserQuestions &questions, ReaderLoads &loads, QObject *parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_questions(questions)
    , m_loads(loads)
{
}

RecoveryControl::~RecoveryControl()
{
    // A reading still under way must not report to what is gone.
    delete m_load;
}

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
    delete m_load;
    m_reads.clear();
    m_afterReads = {};
    m_found.clear();
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

void RecoveryControl::offer(const std::function<void()> &then)
{
    if (!m_notice.isEmpty())
        m_questions.inform(std::exchange(m_notice, {}));
    m_then = then;
    offerNext();
}

void RecoveryControl::offerNext()
{
    if (m_found.empty()) {
        if (const std::function<void()> then = std::exchange(m_then, {}))
            then();
        return;
    }
    RecoveredWork &work = *m_found.front();
    // The offer names the document only once it is known to be one of this program's.
    const QString document = work.hasMaptile() ? work.documentPath() : QString();
    if (!document.isEmpty()) {
        m_reads.push_back({document, PictureReader::Kind::Maptile, false, [&work, document](const ReaderResult &read) {
                               if (!read.document.editable)
                                   work.forget(document);
                           }});
    }
    m_afterReads = [this] { ask(); };
    readNext();
}

void RecoveryControl::ask()
{
    std::unique_ptr<RecoveredWork> &work = m_found.front();
    switch (m_questions.offerRecovered(describe(*work))) {
    case UserQuestions::Recovered::Restore:
        startRestore();
        return;
    case UserQuestions::Recovered::Discard:
        work->discard();
        break;
    case UserQuestions::Recovered::Later:
        break;
    }
    m_found.erase(m_found.begin());
    offerNext();
}

void RecoveryControl::startRestore()
{
    RecoveredWork &work = *m_found.front();
    m_maptile = {};
    m_tilesets = QList<QImage>(work.tilesets().size());
    if (work.hasMaptile()) {
        m_reads.push_back({work.maptileFile(), PictureReader::Kind::Maptile, true,
                           [this](const ReaderResult &read) { m_maptile = read.document; }});
    }
    for (qsizetype i = 0; i < work.tilesets().size(); ++i) {
        const RecoveredWork::Tileset &tileset = work.tilesets()[i];
        m_reads.push_back({tileset.file, PictureReader::Kind::WholePicture, true,
                           [this, i](const ReaderResult &read) { m_tilesets[i] = read.picture; }});
        // Saved back to only when it is a picture still.
        if (!tileset.path.isEmpty()) {
            m_reads.push_back({tileset.path, PictureReader::Kind::WholePicture, false,
                               [&work, path = tileset.path](const ReaderResult &read) {
                                   if (read.picture.isNull())
                                       work.forget(path);
                               }});
        }
    }
    m_historyBefore = m_workspace.history().count();
    m_afterReads = [this] { restore(); };
    readNext();
}

void RecoveryControl::restore()
{
    const std::unique_ptr<RecoveredWork> work = std::move(m_found.front());
    // Undoing would only lead back to the start, unless the user went on
    // working while the files were read.
    const bool untouched = m_workspace.history().count() == m_historyBefore;
    work->restore(m_workspace, std::exchange(m_maptile, {}), std::exchange(m_tilesets, {}));
    if (untouched)
        m_workspace.history().clear();
    // Kept again at once, in this editor's own session, before the old one goes.
    if (m_writer) {
        m_writer->write();
        m_writer->flush();
    }
    work->discard();
    m_found.clear();
    offerNext();
}

void RecoveryControl::giveUp(const QString &reason)
{
    const std::unique_ptr<RecoveredWork> work = std::move(m_found.front());
    m_found.erase(m_found.begin());
    m_maptile = {};
    m_tilesets.clear();
    const QString kept = tr("%1\nThe work is still kept in \"%2\".");
    const QString where = QDir::toNativeSeparators(work->path());
    if (reason.isEmpty())
        m_questions.inform(kept.arg(tr("Restoring the work was cancelled."), where));
    else
        m_questions.warn(kept.arg(reason, where));
    offerNext();
}

void RecoveryControl::readNext()
{
    if (m_reads.empty()) {
        if (const std::function<void()> next = std::exchange(m_afterReads, {}))
            next();
        return;
    }
    Read read = std::move(m_reads.front());
    m_reads.pop_front();
    m_load = m_loads.read(read.path, read.kind, [this, read](const ReaderResult &result, const QString &error) {
        m_load = nullptr;
        if (result.picture.isNull() && read.needed) {
            m_reads.clear();
            m_afterReads = {};
            giveUp(error);
            return;
        }
        read.take(result);
        readNext();
    });
}
