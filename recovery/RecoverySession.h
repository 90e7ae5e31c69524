#pragma once

#include <QString>

#include <memory>
#include <vector>

class QLockFile;
class RecoveredWork;
struct UnsavedWork;

// One running editor's share of the recovery folder: a folder of its own,
// held by a lock file for as long as the editor runs, so that another editor
// started at the same time never takes it for work left by a crash. What is
// unsaved is written there; the folder and its lock are made by the first
// write and go when the session ends.
class RecoverySession
{
public:
    // The files of a session: the list of what it holds, written last, and the work itself.
    static inline const QString ListFile = QStringLiteral("recovery.json");
    static inline const QString MaptileFile = QStringLiteral("maptile.ora");
    static QString tilesetFile(int slot);
    static constexpr int Version = 1;

    // $XDG_STATE_HOME/cryptwright/recovery, with ~/.local/state standing in
    // for a state folder that is not set or not absolute.
    static QString defaultFolder();

    // A new session in folder, which the first write makes if need be,
    // readable by the user alone.
    explicit RecoverySession(const QString &folder);
    // The session's folder and lock go with it.
    ~RecoverySession();
    RecoverySession(const RecoverySession &) = delete;
    RecoverySession &operator=(const RecoverySession &) = delete;

    // The session's own folder.
    QString path() const;

    // Writes work: the maptile as a document, every tileset with its
    // metadata, then the list of them. Files of work saved since the last
    // write are removed. Each file is replaced whole. Returns the empty text,
    // or a sentence naming what failed. Safe on any one thread at a time.
    QString write(const UnsavedWork &work);
    // Nothing is unsaved any more: the files go, the session stays.
    void clear();

    // The sessions in folder that no running editor holds, newest first, each
    // locked for the caller. A session that kept nothing is removed on the way.
    static std::vector<std::unique_ptr<RecoveredWork>> leftBehind(const QString &folder);

private:
    // Makes the session's lock, once, and its folder when it is missing; the
    // empty text, or why they cannot be made.
    QString open();

    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
};
