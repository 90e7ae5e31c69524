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

// The new file's bytes on the disk before it takes the name: a disk that
// reports a failure only now must not cost the old file.
QString syncToDisk(QSaveFile &file)
{
    if (::fsync(file.handle()) != 0 && errno != EINVAL && errno != EROFS)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

// Why the file at info cannot be replaced by renaming a new one over it, or the empty text.
QString refusal(const QFileInfo &info)
{
    if (info.isDir())
        return FileReplacer::tr("it is a folder");
    // A device or pipe would become a plain file.
    if (info.exists() && !info.isFile())
        return FileReplacer::tr("it is not a regular file");
    if (!info.absoluteDir().exists())
        return FileReplacer::tr("the folder does not exist");
    return {};
}

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
    return reason.isEmpty() ? syncToDisk(file) : reason;
}

} // namespace

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
        const QString reason = refusal(QFileInfo(file.path));
        if (!reason.isEmpty())
            return describe(file.path, reason);
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
