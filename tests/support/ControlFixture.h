#pragma once

#include "control/MaptileControl.h"
#include "control/ReaderLoads.h"
#include "control/TilesetControl.h"
#include "support/ScriptedAnswers.h"
#include "support/WorkspaceFixture.h"

#include <QSettings>
#include <QStandardPaths>

#include <memory>

// The editor's controls without a window: a fresh folder holding the default tilesets, a workspace
// started on them, scripted answers, and the maptile and tileset controls reading through the real
// reading process. Test classes derive from it and call its steps from their slots.
class ControlFixture : public WorkspaceFixture
{
protected:
    ScriptedAnswers m_answers;
    std::unique_ptr<ReaderLoads> m_loads;
    std::unique_ptr<MaptileControl> m_maptile;
    std::unique_ptr<TilesetControl> m_tilesets;

    QString path(const QString &name) const { return m_dir->filePath(name); }

    // What the controls remember goes to a place of the tests' own.
    static void keepSettingsApart() { QStandardPaths::setTestModeEnabled(true); }
    static void forgetSettings() { QSettings(QStringLiteral("cryptwright"), QStringLiteral("cryptwright")).clear(); }

    void startControls()
    {
        forgetSettings();
        startInFreshFolder();
        m_answers = ScriptedAnswers();
        m_loads = std::make_unique<ReaderLoads>(m_answers);
        // The test's folder holds the defaults, as the program's does.
        const QStringList folders{m_dir->path()};
        m_maptile = std::make_unique<MaptileControl>(*m_workspace, m_answers, *m_loads, folders);
        m_tilesets = std::make_unique<TilesetControl>(*m_workspace, m_answers, *m_loads, folders);
    }
};
