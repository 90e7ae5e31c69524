#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>

class QLockFile;
class Workspace;

// Work a recovery session kept when its editor ended without closing: what it
// is and when it was written, read from the session's list. The session stays
// locked while this exists, so that no other editor offers it as well.
class RecoveredWork
{
public:
    struct Tileset
    {
        int slot = 0;
        // The tileset's own file, empty when it never had one.
        QString path;
        QString setName;
    };

    // The session folder at path, whose lock the caller holds.
    RecoveredWork(QString path, std::unique_ptr<QLockFile> lock);
    // The lock is let go; the files stay unless discarded.
    ~RecoveredWork();
    RecoveredWork(const RecoveredWork &) = delete;
    RecoveredWork &operator=(const RecoveredWork &) = delete;

    // Nothing kept, or no list to say what.
    bool isEmpty() const { return !m_maptile && m_tilesets.isEmpty(); }
    const QString &path() const { return m_path; }
    const QDateTime &savedAt() const { return m_savedAt; }
    bool hasMaptile() const { return m_maptile; }
    // The document the maptile was kept in, empty when none.
    const QString &documentPath() const { return m_documentPath; }
    const QList<Tileset> &tilesets() const { return m_tilesets; }

    // The kept work becomes the workspace's, all of it unsaved and with no
    // history to undo: the maptile kept in its document again, each tileset
    // belonging to its own file. Returns the empty text, or why something
    // could not be read back.
    QString restore(Workspace &workspace) const;
    // Removes the session's files and its lock.
    void discard();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QDateTime m_savedAt;
    bool m_maptile = false;
    QString m_documentPath;
    QList<Tileset> m_tilesets;
};
