#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class QLockFile;
class Workspace;

// Work a recovery session kept when its editor ended without closing: what it
// is and when it was written, read from the session's list, or found by the
// names of its files when the list cannot be read. Only files that are what
// they are named, within the sizes the editor reads, are offered; the others
// are kept. The session stays locked while this exists, so that no other
// editor offers it as well.
class RecoveredWork
{
public:
    struct Tileset
    {
        int slot = 0;
        // The kept picture in the session; its metadata beside it.
        QString file;
        // The tileset's own file, empty when it never had one or is not known.
        QString path;
        QString setName;
    };

    // The session folder at path, whose lock the caller holds.
    RecoveredWork(QString path, std::unique_ptr<QLockFile> lock);
    // The lock is let go; the files stay unless discarded.
    ~RecoveredWork();
    RecoveredWork(const RecoveredWork &) = delete;
    RecoveredWork &operator=(const RecoveredWork &) = delete;

    // Nothing that can be offered.
    bool isEmpty() const { return m_maptileFile.isEmpty() && m_tilesets.isEmpty(); }
    // Something kept here cannot be read; discard() leaves it where it is.
    bool hasUnreadable() const { return !m_unreadable.isEmpty(); }
    const QString &path() const { return m_path; }
    const QDateTime &savedAt() const { return m_savedAt; }
    bool hasMaptile() const { return !m_maptileFile.isEmpty(); }
    // The kept maptile's document in the session, empty when none.
    const QString &maptileFile() const { return m_maptileFile; }
    // The document the maptile was kept in, empty when none or not known.
    const QString &documentPath() const { return m_documentPath; }
    const QList<Tileset> &tilesets() const { return m_tilesets; }

    // The kept work becomes the workspace's, all of it unsaved and with no
    // history to undo: the maptile kept in its document again, each tileset
    // belonging to its own file. Returns the empty text, or why something
    // could not be read back.
    QString restore(Workspace &workspace) const;
    // Removes the session's own files and its lock, all but what cannot be
    // read; the folder goes too once nothing else is left in it.
    void discard();

private:
    // Takes what a readable list names; false when there is no such list.
    bool readList(const QStringList &readable);
    // Takes every readable file of the work by its name.
    void takeByName(const QStringList &readable);

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QDateTime m_savedAt;
    QString m_maptileFile;
    QString m_documentPath;
    QList<Tileset> m_tilesets;
    // The names of the session's files that could not be read.
    QStringList m_unreadable;
};
