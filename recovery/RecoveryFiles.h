#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QLockFile;

// What a recovery session is made of on the disk: a folder named by a UUID,
// its lock beside it, a marker inside and the files of its work. Nothing but
// these names is ever read or removed, and never through a symbolic link: the
// recovery folder may hold anything a user or another program put there.
class RecoveryFiles
{
public:
    // The list of what the session holds, written last.
    static inline const QString ListFile = QStringLiteral("recovery.json");
    static inline const QString MaptileFile = QStringLiteral("maptile.ora");
    // Written first and removed last: a folder without it is no session's.
    static inline const QString MarkerFile = QStringLiteral("cryptwright-session");
    static inline const QByteArray Marker = QByteArrayLiteral("Cryptwright recovery session\n");
    static constexpr int Version = 1;
    // A list is a few hundred bytes; anything much larger is not one.
    static constexpr qint64 MaxListBytes = 64 * 1024;

    static QString tilesetFile(int slot);
    static QString tilesetDataFile(int slot);

    // A name for a new session folder.
    static QString newSessionName();
    // Whether name is one a session folder is given.
    static bool isSessionName(const QString &name);
    // Whether name is one of the files a session writes, or the copy that
    // replaces one while it is written.
    static bool isOwnFile(const QString &name);
    // Whether the folder at session is a real folder, not a link, carrying
    // the marker a session writes.
    static bool isSession(const QString &session);

    // The lock of the session folder at session, judged by its process alone:
    // a session lasts as long as its editor, however long that is.
    static std::unique_ptr<QLockFile> lockFor(const QString &session);
    // Whether the session's lock can be taken without reading what is not a
    // lock file: it is missing, or a small regular file.
    static bool canLock(const QString &session);

    // Whether path is a regular file, not a link, of at most limit bytes.
    static bool isPlainFile(const QString &path, qint64 limit);
    // The bytes of the regular file at path, opened without following a link,
    // or nothing when it is no such file or holds more than limit bytes.
    static std::optional<QByteArray> read(const QString &path, qint64 limit);

    // Removes the session's own files one by one, the list first and the
    // marker last, but none named in keep, no link and nothing in a folder
    // that is itself a link.
    static void removeOwn(const QString &session, const QStringList &keep = {});
    // removeOwn(), then the folder when nothing else is left in it.
    static void removeSession(const QString &session);
};
