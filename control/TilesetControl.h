#pragma once

#include "tilesets/ShippedTilesets.h"
#include "workspace/Workspace.h"

#include <QObject>
#include <QPoint>

class QMimeData;
class ReaderLoads;
class UserQuestions;

// Loading and saving the slots' tilesets and reading pictures into their
// subtiles, with the question before a tileset with unsaved changes is
// replaced. Whenever a command is about one slot, that slot is to be shown.
// The files the program ships with its defaults, in shippedFolders, are
// never written.
class TilesetControl : public QObject
{
    Q_OBJECT

public:
    TilesetControl(Workspace &workspace, UserQuestions &questions, ReaderLoads &loads,
                   const QStringList &shippedFolders = Workspace::defaultTilesetFolders(), QObject *parent = nullptr);

    // Asks for a file and loads it into slot.
    void load(int slot);
    // Loads path into slot, read in the reading process.
    void loadFile(int slot, const QString &path);
    // Saves slot's tileset back to its file when that file's format can be
    // written and it is not a shipped one, else as saveAs() does; whether it was saved.
    bool save(int slot);
    // Asks for a name, offering suggestedPath(); whether it was saved.
    bool saveAs(int slot);
    // The tileset's own file, as PNG unless it is a bitmap or JPEG; a default
    // tileset or one without a file under its set name. Never in a shipped
    // folder: there, and without a file, in the folder last used for
    // tilesets, else the user's pictures folder.
    QString suggestedPath(int slot) const;
    void newEmpty(int slot);
    // A picture file made into subtile cell of slot.
    void importFile(int slot, QPoint cell, const QString &path);
    // What data holds, a picture or a picture file, made into the slot's outlined cell.
    void paste(int slot, const QMimeData *data);

    // Whether slot loads a file of its own at every start.
    static bool loadsAtStart(int slot);
    // The slot's tileset file is loaded into it at every start from now on, or no longer.
    void setLoadAtStart(int slot, bool on);
    // After the defaults at start, the file each slot loads at start read in
    // the reading process in its place; one missing or broken is reported,
    // and the slot keeps what start-up gave it.
    void loadAtStart();

signals:
    // The slot's palette is to come to the front.
    void showSlotRequested(int slot);

private:
    // Whether slot's tileset may be replaced: unchanged, or saved or discarded when asked.
    bool mayReplace(int slot);
    // Loads path into slot; one the user chose is where tilesets are looked for next.
    void startLoad(int slot, const QString &path, bool chosen);
    bool write(int slot, const QString &path);

    Workspace &m_workspace;
    UserQuestions &m_questions;
    ReaderLoads &m_loads;
    ShippedTilesets m_shipped;
};
