#include "control/MaptileControl.h"

#include "control/ReaderLoads.h"
#include "control/UserQuestions.h"
#include "document/DocumentWriter.h"
#include "output/MaptileSaver.h"
#include "workspace/MaptileOpener.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>

MaptileControl::MaptileControl(Workspace &workspace, UserQuestions &questions, ReaderLoads &loads,
                               const QStringList &shippedFolders)
    : m_workspace(workspace)
    , m_questions(questions)
    , m_loads(loads)
    , m_shipped(shippedFolders, {Workspace::DefaultTilesetNames.begin(), Workspace::DefaultTilesetNames.end()})
{
}

QString MaptileControl::changedLine()
{
    return tr("The current maptile has had changes made to it.") + QLatin1Char('\n');
}

bool MaptileControl::mayReplace(const QString &question)
{
    if (!m_workspace.maptileChanged())
        return true;
    return m_questions.mayLeave(changedLine(), question, [this] { return save(); });
}

void MaptileControl::clear(int columns, int rows)
{
    if (!m_workspace.maptileChanged() && m_workspace.documentPath().isEmpty())
        return;
    if (!mayReplace(tr("Do you still wish to clear the tile?")))
        return;
    m_workspace.blankMaptile(columns, rows);
    m_workspace.setMaptileChanged(false);
    m_pictureName.clear();
}

void MaptileControl::open()
{
    if (!mayReplace(tr("Do you still wish to open another maptile?")))
        return;
    const QString path = m_questions.chooseToOpen(UserQuestions::Files::Maptile);
    if (!path.isEmpty())
        startLoad(path);
}

void MaptileControl::openFile(const QString &path)
{
    if (mayReplace(tr("Do you still wish to open another maptile?")))
        startLoad(path);
}

void MaptileControl::startLoad(const QString &path)
{
    m_loads.start(ReaderLoads::MaptileTarget, path, PictureReader::Kind::Maptile, [this, path](const ReaderResult &read) {
        MaptileOpener::apply(m_workspace, read.document, path);
        // Opened from a picture, the maptile has no document yet; the picture's name is offered for one.
        m_pictureName = m_workspace.documentPath().isEmpty() ? QFileInfo(path).completeBaseName() : QString();
    });
}

bool MaptileControl::save()
{
    return keep(false);
}

bool MaptileControl::saveAs()
{
    return keep(true);
}

QString MaptileControl::suggestedName() const
{
    const QString document = m_workspace.documentPath();
    if (!document.isEmpty())
        return document;
    const QString name = (m_pictureName.isEmpty() ? numberedName(m_workspace.mapNumText()) : m_pictureName)
        + QLatin1Char('.') + DocumentWriter::Suffix;
    return m_preferredFolder.isEmpty() ? name : QDir(m_preferredFolder).filePath(name);
}

QString MaptileControl::numberedName(const QString &number)
{
    // Only what is safe in a file name on every system is kept of the number.
    QString kept;
    for (const QChar c : number.trimmed()) {
        if (c.isLetterOrNumber() || c == u'-' || c == u'_')
            kept += c;
        else if (!kept.endsWith(u'-'))
            kept += u'-';
    }
    while (kept.endsWith(u'-'))
        kept.chop(1);
    while (kept.startsWith(u'-'))
        kept.remove(0, 1);
    if (kept.isEmpty())
        return QStringLiteral("maptile");
    bool numeric = false;
    kept.toUInt(&numeric);
    // Two digits at least, so that a set's files sort in order.
    return QStringLiteral("maptile-") + (numeric && kept.size() < 2 ? kept.rightJustified(2, u'0') : kept);
}

void MaptileControl::setPreferredFolder(const QString &folder)
{
    m_preferredFolder = folder;
}

bool MaptileControl::keep(bool askWhere)
{
    QString path = askWhere ? QString() : m_workspace.documentPath();
    if (path.isEmpty()) {
        path = m_questions.chooseToSave(UserQuestions::Files::Maptile, suggestedName());
        if (path.isEmpty())
            return false;
    }
    // A maptile saved as JPEG could otherwise take the place of a default tileset.
    if (const QString refused = m_shipped.refusal(path); !refused.isEmpty()) {
        m_questions.warn(refused);
        return false;
    }
    JpegOptions jpeg;
    if (MaptileSaver::formatFor(path) == MaptileSaver::Format::Jpeg) {
        const std::optional<JpegOptions> chosen = m_questions.askJpegOptions();
        if (!chosen)
            return false;
        jpeg = *chosen;
    }
    const QString error = MaptileSaver::save(m_workspace, path, jpeg);
    if (!error.isEmpty())
        m_questions.warn(error);
    return error.isEmpty();
}
