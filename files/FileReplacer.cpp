#include "files/FileReplacer.h"

#include "files/WholeWriteDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

QString FileReplacer::syncToDisk(int handle)
{
    // A file system that keeps nothing to sync says so; that is no failure.
    if (::fsync(handle) != 0 && errno != EINVAL && errno != EROFS)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

void FileReplacer::syncFolder(const QString &folder)
{
    // The renames kept, as far as the file system allows.
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle >= 0) {
        ::fsync(handle);
        ::close(handle);
    }
}

QString FileReplacer::describe(const QString &path, const QString &reason)
{
    QString text = reason.trimmed();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return tr("Cannot save \"%1\": %2.").arg(QDir::toNativeSeparators(path), text);
}

QString FileReplacer::refusal(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return describe(path, tr("it is a folder"));
    // A device or pipe cannot be replaced by renaming a new file over it.
    if (info.exists() && !info.isFile())
        return describe(path, tr("it is not a regular file"));
    if (!info.absoluteDir().exists())
        return describe(path, tr("the folder does not exist"));
    return {};
}

QString FileReplacer::write(const QString &path, const std::function<QString(QIODevice &)> &fill, FolderSync folderSync)
{
    if (QString refused = refusal(path); !refused.isEmpty())
        return refused;

    // Unbuffered, so that a full disk is noticed by the write that meets it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return describe(path, file.errorString());
    WholeWriteDevice whole(file);
    QString reason = fill(whole);
    if (!whole.failure().isEmpty())
        reason = whole.failure();
    if (reason.isEmpty())
        reason = syncToDisk(file.handle());
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return describe(path, reason);
    }
    if (!file.commit())
        return describe(path, file.errorString());
    if (folderSync == FolderSync::Now)
        syncFolder(QFileInfo(path).absolutePath());
    return {};
}

QString FileReplacer::writeBytes(const QByteArray &bytes, const QString &path, FolderSync folderSync)
{
    return write(
        path, [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size() ? QString() : file.errorString(); },
        folderSync);
}
