#pragma once

#include <QObject>
#include <QPoint>

class QMimeData;
class ReaderLoads;
class UserQuestions;
class Workspace;

// Loading and saving the slots' tilesets and reading pictures into their
// subtiles, with the question before a tileset with unsaved changes is
// replaced. Whenever a command is about one slot, that slot is to be shown.
class TilesetControl : public QObject
{
    Q_OBJECT

public:
    TilesetControl(Workspace &workspace, UserQuestions &questions, ReaderLoads &loads, QObject *parent = nullptr);

    // Asks for a file and loads it into slot.
    void load(int slot);
    // Loads path into slot, read in the reading process.
    void loadFile(int slot, const QString &path);
    // Saves slot's tileset back to its file when that file's format can be
    // written, else as saveAs() does; whether it was saved.
    bool save(int slot);
    // Asks for a name, offering the tileset's own as PNG unless it is a
    // bitmap or JPEG; whether it was saved.
    bool saveAs(int slot);
    void newEmpty(int slot);
    // A picture file made into subtile cell of slot.
    void importFile(int slot, QPoint cell, const QString &path);
    // What data holds, a picture or a picture file, made into the slot's outlined cell.
    void paste(int slot, const QMimeData *data);

signals:
    // The slot's palette is to come to the front.
    void showSlotRequested(int slot);

private:
    // Whether slot's tileset may be replaced: unchanged, or saved or discarded when asked.
    bool mayReplace(int slot);
    void startLoad(int slot, const QString &path);
    bool write(int slot, const QString &path);

    Workspace &m_workspace;
    UserQuestions &m_questions;
    ReaderLoads &m_loads;
};
