#include "control/QuitControl.h"

#include "control/MaptileControl.h"
#include "control/TilesetControl.h"
#include "control/UserQuestions.h"
#include "workspace/Workspace.h"

#include <algorithm>

QuitControl::QuitControl(Workspace &workspace, UserQuestions &questions, MaptileControl &maptile,
                         TilesetControl &tilesets)
    : m_workspace(workspace)
    , m_questions(questions)
    , m_maptile(maptile)
    , m_tilesets(tilesets)
{
}

bool QuitControl::mayQuit()
{
    QString why = m_workspace.maptileChanged() ? MaptileControl::changedLine() : QString();
    const QList<int> unsaved = m_workspace.unsavedSlots();
    if (!unsaved.isEmpty()) {
        QStringList letters;
        for (int slot : unsaved)
            letters << QString(QChar(u'A' + slot));
        const QString last = letters.takeLast();
        why += unsaved.size() == 1 ? tr("The tileset in slot %1 has changes that are not saved.").arg(last)
                                   : tr("The tilesets in slots %1 and %2 have changes that are not saved.")
                                         .arg(letters.join(QStringLiteral(", ")), last);
        why += QLatin1Char('\n');
    }
    if (why.isEmpty())
        return true;
    return m_questions.mayLeave(why, tr("Do you still wish to quit?"), [this, unsaved] { return saveAll(unsaved); });
}

bool QuitControl::saveAll(const QList<int> &unsaved)
{
    return (!m_workspace.maptileChanged() || m_maptile.save())
        && std::all_of(unsaved.begin(), unsaved.end(), [this](int slot) { return m_tilesets.save(slot); });
}
