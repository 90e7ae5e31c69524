#pragma once

#include <QString>

#include <memory>

class QLockFile;
struct UnsavedWork;

// One running editor's share of the recovery folder: a folder of its own,
// held by a lock file for as long as the editor runs, so that another editor
// started at the same time never takes it for work left by a crash. What is
// unsaved is written there; the folder and its lock are made by the first
// write and go when the session ends.
class RecoverySession
{
public:
    // $XDG_STATE_HOME/cryptwright/recovery, with ~/.local/state standing in
    // for a state folder that is not set or not absolute.
    static QString defaultFolder();

    // A new session in folder, which the first write makes if need be,
    // readable by the user alone. A folder that is a symbolic link is not
    // written to: the work would never be offered back from it.
    explicit RecoverySession(const QString &folder);
    // The session's folder and lock go with it.
    ~RecoverySession();
    RecoverySession(const RecoverySession &) = delete;
    RecoverySession &operator=(const RecoverySession &) = delete;

    // The session's own folder.
    QString path() const;

    // Writes work: the maptile as a document, every tileset with its
    // metadata, then the list of them. Files of work saved since the last
    // write are removed; nothing else in the folder is touched. Each file is
    // replaced whole. Returns the empty text, or a sentence naming what
    // failed. Safe on any one thread at a time.
    QString write(const UnsavedWork &work);
    // Nothing is unsaved any more: the files go, the session stays.
    void clear();

private:
    // Makes the session's lock, once, and its folder and marker when they are
    // missing; the empty text, or why they cannot be made.
    QString open();

    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
};
