#include "recovery/RecoverySession.h"

#include "document/DocumentWriter.h"
#include "files/FileReplacer.h"
#include "recovery/RecoveredWork.h"
#include "recovery/UnsavedWork.h"
#include "tilesets/TileDataWriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QUuid>

#include <algorithm>

namespace {

QString lockPath(const QString &session)
{
    return session + QStringLiteral(".lock");
}

// Judged by its process alone: a session lasts as long as its editor, however long that is.
std::unique_ptr<QLockFile> lockFor(const QString &session)
{
    auto lock = std::make_unique<QLockFile>(lockPath(session));
    lock->setStaleLockTime(0);
    return lock;
}

QByteArray encodePng(const QImage &image, QString *reason)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Quick rather than small: the file lives only until the work is saved.
    writer.setQuality(90);
    if (!writer.write(image))
        *reason = writer.errorString();
    return bytes;
}

} // namespace

QString RecoverySession::tilesetFile(int slot)
{
    return QStringLiteral("tileset-%1.png").arg(QChar(u'A' + slot));
}

QString RecoverySession::defaultFolder()
{
    // The state folder of the XDG base directories, which Qt 6.4 does not name.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir::cleanPath(state + QStringLiteral("/cryptwright/recovery"));
}

RecoverySession::RecoverySession(const QString &folder)
    : m_folder(folder)
    , m_id(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

QString RecoverySession::open()
{
    const auto failure = [this](const char *reason) {
        return QCoreApplication::translate("RecoverySession", "Unsaved work cannot be kept in \"%1\": %2.")
            .arg(QDir::toNativeSeparators(path()), QCoreApplication::translate("RecoverySession", reason));
    };
    if (!m_lock) {
        if (!QDir().mkpath(m_folder))
            return failure(QT_TRANSLATE_NOOP("RecoverySession", "the folder cannot be made"));
        // The user's work, for the user alone.
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // Locked before the folder exists: another editor looking for work left
        // behind never finds this folder without its lock.
        auto lock = lockFor(path());
        if (!lock->tryLock())
            return failure(QT_TRANSLATE_NOOP("RecoverySession", "its lock file cannot be made"));
        m_lock = std::move(lock);
    }
    if (!QDir().mkpath(path()))
        return failure(QT_TRANSLATE_NOOP("RecoverySession", "the folder cannot be made"));
    return {};
}

RecoverySession::~RecoverySession()
{
    if (!m_lock || !m_lock->isLocked())
        return;
    QDir(path()).removeRecursively();
    m_lock->unlock();
}

QString RecoverySession::path() const
{
    return QDir(m_folder).filePath(m_id);
}

QString RecoverySession::write(const UnsavedWork &work)
{
    if (const QString error = open(); !error.isEmpty())
        return error;
    const QDir folder(path());
    QJsonObject list{{QStringLiteral("version"), Version},
                     {QStringLiteral("saved"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                     {QStringLiteral("document"), work.documentPath}};
    QStringList written{ListFile};
    if (work.maptile) {
        const QString file = folder.filePath(MaptileFile);
        QString reason;
        const QByteArray bytes = DocumentWriter::encode(*work.maptile, &reason);
        const QString error =
            bytes.isEmpty() ? FileReplacer::describe(file, reason) : FileReplacer::writeBytes(bytes, file);
        if (!error.isEmpty())
            return error;
        list.insert(QStringLiteral("maptile"), MaptileFile);
        written << MaptileFile;
    }
    QJsonArray tilesets;
    for (const UnsavedWork::Tileset &tileset : work.tilesets) {
        const QString picture = folder.filePath(tilesetFile(tileset.slot));
        const QString dat = TileData::datPath(picture);
        QString reason;
        const QByteArray png = encodePng(tileset.picture, &reason);
        QString error =
            reason.isEmpty() ? FileReplacer::writeBytes(png, picture) : FileReplacer::describe(picture, reason);
        if (error.isEmpty())
            error = FileReplacer::writeBytes(TileDataWriter::merge({}, tileset.data), dat);
        if (!error.isEmpty())
            return error;
        tilesets.append(QJsonObject{{QStringLiteral("slot"), tileset.slot},
                                    {QStringLiteral("file"), tilesetFile(tileset.slot)},
                                    {QStringLiteral("path"), tileset.path},
                                    {QStringLiteral("setName"), tileset.data.setName}});
        written << tilesetFile(tileset.slot) << QFileInfo(dat).fileName();
    }
    list.insert(QStringLiteral("tilesets"), tilesets);
    // The list last, so that it never names a file not yet written.
    const QString error = FileReplacer::writeBytes(QJsonDocument(list).toJson(), folder.filePath(ListFile));
    if (!error.isEmpty())
        return error;
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (!written.contains(name))
            QFile::remove(folder.filePath(name));
    }
    return {};
}

void RecoverySession::clear()
{
    const QDir folder(path());
    // The list first: without it, nothing left is offered back.
    QFile::remove(folder.filePath(ListFile));
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(name));
}

std::vector<std::unique_ptr<RecoveredWork>> RecoverySession::leftBehind(const QString &folder)
{
    std::vector<std::unique_ptr<RecoveredWork>> found;
    const QDir recovery(folder);
    for (const QString &name : recovery.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString session = recovery.filePath(name);
        std::unique_ptr<QLockFile> lock = lockFor(session);
        // Held: its editor is running.
        if (!lock->tryLock())
            continue;
        auto work = std::make_unique<RecoveredWork>(session, std::move(lock));
        if (work->isEmpty())
            work->discard();
        else
            found.push_back(std::move(work));
    }
    // A lock whose folder went before it, when an editor ended just between the two.
    for (const QString &name : recovery.entryList({QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden)) {
        const QString session = recovery.filePath(name.chopped(5));
        if (!QFileInfo::exists(session))
            lockFor(session)->tryLock(); // removed again as it goes
    }
    std::sort(found.begin(), found.end(), [](const auto &a, const auto &b) { return a->savedAt() > b->savedAt(); });
    return found;
}
