#pragma once

#include "document/MaptileDocument.h"

#include <QDateTime>
#include <QImage>
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
// editor offers it as well. Nothing here decodes the kept files: the editor
// has them read in the reading process and hands what it read to restore().
//
// The files the list says the work was kept in are untrusted too: a restored
// maptile or tileset would be saved over them. Only an absolute path to an
// existing file outside the recovery folder is taken (for the maptile, one
// with a document's name), and the editor forgets each that does not read as
// what it claims to be.
class RecoveredWork
{
public:
    struct Tileset
    {
        int slot = 0;
        // The kept picture in the session; its metadata beside it.
        QString file;
        // The tileset's own file, empty when it never had one, is not known or
        // may not be saved to.
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
    // The document the maptile was kept in, empty when none, not known or not
    // to be saved to.
    const QString &documentPath() const { return m_documentPath; }
    const QList<Tileset> &tilesets() const { return m_tilesets; }
    // The file at path is not what the work was kept in: what named it is
    // restored as new, with no file of its own.
    void forget(const QString &path);

    // The kept work becomes the workspace's, all of it unsaved: the maptile
    // kept in its document again, each tileset belonging to its own file.
    // maptile is the document read from maptileFile(), tilesets those read from
    // each of tilesets()' files, in that order.
    void restore(Workspace &workspace, const MaptileDocument &maptile, const QList<QImage> &tilesets) const;
    // Removes the session's own files and its lock, all but what cannot be
    // read; the folder goes too once nothing else is left in it.
    void discard();

private:
    // Takes what a readable list names; false when there is no such list.
    bool readList(const QStringList &readable);
    // Takes every readable file of the work by its name.
    void takeByName(const QStringList &readable);
    // Whether restored work may be saved to path, as far as can be told
    // without reading it.
    bool maySaveTo(const QString &path) const;

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    QDateTime m_savedAt;
    QString m_maptileFile;
    QString m_documentPath;
    QList<Tileset> m_tilesets;
    // The names of the session's files that could not be read.
    QStringList m_unreadable;
};
