#pragma once

#include <QCoreApplication>

class MaptileControl;
class TilesetControl;
class UserQuestions;
class Workspace;

// Whether the editor may end: one question for the maptile and every tileset
// with unsaved changes. Save saves them in turn and stops at the first save
// that fails or is cancelled, and so does quitting.
class QuitControl
{
    Q_DECLARE_TR_FUNCTIONS(QuitControl)

public:
    QuitControl(Workspace &workspace, UserQuestions &questions, MaptileControl &maptile, TilesetControl &tilesets);

    bool mayQuit();

private:
    bool saveAll(const QList<int> &unsaved);

    Workspace &m_workspace;
    UserQuestions &m_questions;
    MaptileControl &m_maptile;
    TilesetControl &m_tilesets;
};
