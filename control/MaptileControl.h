#pragma once

#include "tilesets/ShippedTilesets.h"
#include "workspace/Workspace.h"

#include <QCoreApplication>
#include <QString>

class ReaderLoads;
class UserQuestions;

// Opening, clearing and saving the maptile, and the questions before unsaved
// changes to it are replaced: Save saves first and goes on only when that
// worked, Discard goes on, Cancel changes nothing. No save replaces a file
// the program ships with its defaults in shippedFolders.
class MaptileControl
{
    Q_DECLARE_TR_FUNCTIONS(MaptileControl)

public:
    MaptileControl(Workspace &workspace, UserQuestions &questions, ReaderLoads &loads,
                   const QStringList &shippedFolders = Workspace::defaultTilesetFolders());

    // The line every question about the maptile's unsaved changes begins with.
    static QString changedLine();

    // Every space blank at columns x rows. An unchanged maptile is cleared
    // only to leave its document, where all of it is kept.
    void clear(int columns, int rows);
    // Asks for a picture or document and reads it as the maptile.
    void open();
    // Reads path in the reading process, then makes it the maptile.
    void openFile(const QString &path);
    // Writes the maptile back to its document, or asks where as saveAs() does;
    // whether it was saved.
    bool save();
    // Asks for a name and type, offering suggestedName(); whether it was saved.
    bool saveAs();
    // The maptile's document; else a document named after the picture the
    // maptile was opened from, or numberedName() of its maptile number, in
    // the preferred folder or, without one, the folder used last.
    QString suggestedName() const;
    // "maptile-NN" of the maptile number, "maptile" without one.
    static QString numberedName(const QString &number);
    // Where a new document is offered; empty for the folder used last.
    void setPreferredFolder(const QString &folder);

private:
    // Whether the maptile may be replaced: unchanged, or saved or discarded
    // when asked, with question naming what replaces it.
    bool mayReplace(const QString &question);
    void startLoad(const QString &path);
    bool keep(bool askWhere);

    Workspace &m_workspace;
    UserQuestions &m_questions;
    ReaderLoads &m_loads;
    // The name of the picture the maptile was opened from, offered for a document made of it.
    QString m_pictureName;
    QString m_preferredFolder;
    ShippedTilesets m_shipped;
};
