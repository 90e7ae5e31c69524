#include "recovery/RecoveryFiles.h"

#include "raster/Geometry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QUuid>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lock holds a process number, a program and a host name.
constexpr qint64 MaxLockBytes = 4096;

QString lockPath(const QString &session)
{
    return session + QStringLiteral(".lock");
}

} // namespace

QString RecoveryFiles::tilesetFile(int slot)
{
    return QStringLiteral("tileset-%1.png").arg(QChar(u'A' + slot));
}

QString RecoveryFiles::tilesetDataFile(int slot)
{
    return QStringLiteral("tileset-%1.dat").arg(QChar(u'A' + slot));
}

QString RecoveryFiles::newSessionName()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

bool RecoveryFiles::isSessionName(const QString &name)
{
    const QUuid id = QUuid::fromString(name);
    return !id.isNull() && id.toString(QUuid::WithoutBraces) == name;
}

bool RecoveryFiles::isOwnFile(const QString &name)
{
    // A file being replaced is written beside it under its name and six more characters.
    static const QRegularExpression own(
        QStringLiteral("^(%1|%2|%3|tileset-[A-%4]\\.(png|dat))(\\.[A-Za-z0-9]{6})?$")
            .arg(QRegularExpression::escape(ListFile), QRegularExpression::escape(MaptileFile),
                 QRegularExpression::escape(MarkerFile), QChar(u'A' + Geometry::SlotCount - 1)));
    return own.match(name).hasMatch();
}

bool RecoveryFiles::isSession(const QString &session)
{
    const QFileInfo folder(session);
    return !folder.isSymLink() && folder.isDir() && read(QDir(session).filePath(MarkerFile), Marker.size()) == Marker;
}

std::unique_ptr<QLockFile> RecoveryFiles::lockFor(const QString &session)
{
    auto lock = std::make_unique<QLockFile>(lockPath(session));
    lock->setStaleLockTime(0);
    return lock;
}

bool RecoveryFiles::canLock(const QString &session)
{
    const QFileInfo lock(lockPath(session));
    return (!lock.exists() && !lock.isSymLink()) || isPlainFile(lock.filePath(), MaxLockBytes);
}

bool RecoveryFiles::isPlainFile(const QString &path, qint64 limit)
{
    // Not followed: a link may lead to a device that never ends, or to any file at all.
    const QFileInfo info(path);
    return !info.isSymLink() && info.isFile() && info.size() <= limit;
}

std::optional<QByteArray> RecoveryFiles::read(const QString &path, qint64 limit)
{
    // Qt cannot refuse a link as it opens, nor open a pipe without waiting for
    // its writer; the open file itself is checked, not the name.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status = {};
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > limit
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    // The file may grow while it is read.
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

void RecoveryFiles::removeOwn(const QString &session, const QStringList &keep)
{
    const QFileInfo folder(session);
    if (folder.isSymLink() || !folder.isDir())
        return;
    const QDir dir(session);
    QStringList names = dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    names.removeIf([&keep](const QString &name) { return !isOwnFile(name) || keep.contains(name); });
    // Without the list nothing is offered back; without the marker the folder is no session's.
    std::stable_partition(names.begin(), names.end(), [](const QString &name) { return name == ListFile; });
    std::stable_partition(names.begin(), names.end(), [](const QString &name) { return name != MarkerFile; });
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        const QFileInfo file(path);
        if (!file.isSymLink() && file.isFile())
            QFile::remove(path);
    }
}

void RecoveryFiles::removeSession(const QString &session)
{
    removeOwn(session);
    // Fails, as it should, when anything the session did not write is left, or when it is a link.
    QDir().rmdir(session);
}
