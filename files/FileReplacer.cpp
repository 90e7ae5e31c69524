#include "files/FileReplacer.h"

#include "files/WholeWriteDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The new copy of file opened and filled, every byte arrived and on the disk;
// returns the empty text or the reason it failed.
QString fillNewFile(QSaveFile &file, const FileReplacer::Fill &fill)
{
    // Unbuffered, so that a full disk is noticed by the write that meets it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    WholeWriteDevice whole(file);
    const QString reason = fill(whole);
    if (!whole.failure().isEmpty())
        return whole.failure();
    return reason.isEmpty() ? FileReplacer::syncToDisk(file.handle()) : reason;
}

} // namespace

QString FileReplacer::syncToDisk(int handle)
{
    // The new file's bytes on the disk before it takes the name: a disk that
    // reports a failure only now must not cost the old file. A file system
    // that keeps nothing to sync says so; that is no failure.
    if (::fsync(handle) != 0 && errno != EINVAL && errno != EROFS)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

QString FileReplacer::refusal(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return describe(path, tr("it is a folder"));
    // A device or pipe would become a plain file.
    if (info.exists() && !info.isFile())
        return describe(path, tr("it is not a regular file"));
    if (!info.absoluteDir().exists())
        return describe(path, tr("the folder does not exist"));
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

QString FileReplacer::write(const QString &path, const Fill &fill, FolderSync folderSync)
{
    return writeAll({{path, fill}}, folderSync);
}

QString FileReplacer::writeAll(const std::vector<Replacement> &files, FolderSync folderSync)
{
    for (const Replacement &file : files) {
        if (QString refused = refusal(file.path); !refused.isEmpty())
            return refused;
    }
    // A new file not committed is removed with its QSaveFile, whichever step failed.
    std::vector<std::unique_ptr<QSaveFile>> written;
    for (const Replacement &replacement : files) {
        auto file = std::make_unique<QSaveFile>(replacement.path);
        const QString reason = fillNewFile(*file, replacement.fill);
        if (!reason.isEmpty())
            return describe(replacement.path, reason);
        written.push_back(std::move(file));
    }
    QStringList folders;
    for (const auto &file : written) {
        if (!file->commit())
            return describe(file->fileName(), file->errorString());
        folders << QFileInfo(file->fileName()).absolutePath();
    }
    if (folderSync == FolderSync::Now) {
        folders.removeDuplicates();
        for (const QString &folder : folders)
            syncFolder(folder);
    }
    return {};
}

FileReplacer::Fill FileReplacer::fillWith(const QByteArray &bytes)
{
    return [&bytes](QIODevice &file) { return file.write(bytes) == bytes.size() ? QString() : file.errorString(); };
}

QString FileReplacer::writeBytes(const QByteArray &bytes, const QString &path, FolderSync folderSync)
{
    return write(path, fillWith(bytes), folderSync);
}
