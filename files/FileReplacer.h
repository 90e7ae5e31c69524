#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;

// The one way the program writes a file: what is written goes to a new file
// beside it that takes the name only when it is complete and on the disk, so
// a failed save leaves no partial file and never touches an existing one.
// Every write must arrive whole: a short write (a disk that fills up) fails the
// save with the system's reason, whatever the writer made of the count.
class FileReplacer
{
    Q_DECLARE_TR_FUNCTIONS(FileReplacer)

public:
    // Whether the folder is synced as the file takes its name, so that the
    // new name is on the disk too, or later by the caller, once for many files.
    enum class FolderSync { Now, Later };

    // Writes what is to replace the file at path; returns the empty text or the reason it failed.
    using Fill = std::function<QString(QIODevice &)>;
    struct Replacement
    {
        QString path;
        Fill fill;
    };

    // Replaces path with what fill writes into it. Returns the empty text on
    // success, otherwise describe(path, reason).
    static QString write(const QString &path, const Fill &fill, FolderSync folderSync = FolderSync::Now);
    // Files that belong together (a tileset and its metadata): every one is
    // written in full and on the disk before the first takes its name, so a
    // failure in any leaves all as they were. Only a name refused at the very
    // end can leave the earlier ones replaced. The error names the file.
    static QString writeAll(const std::vector<Replacement> &files, FolderSync folderSync = FolderSync::Now);
    // A fill that writes bytes, which must outlive it.
    static Fill fillWith(const QByteArray &bytes);
    static QString writeBytes(const QByteArray &bytes, const QString &path, FolderSync folderSync = FolderSync::Now);
    // Puts the names of the files replaced in folder on the disk.
    static void syncFolder(const QString &folder);
    // The sentence for a save that failed.
    static QString describe(const QString &path, const QString &reason);
    // Why path cannot be replaced at all (a folder, a device, a missing
    // folder), as describe() says it; empty when it can be tried.
    static QString refusal(const QString &path);
    // Puts what was written through handle on the disk; the system's reason when it cannot.
    static QString syncToDisk(int handle);
};
