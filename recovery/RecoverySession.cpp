#include "recovery/RecoverySession.h"

#include "document/DocumentWriter.h"
#include "files/FileReplacer.h"
#include "recovery/RecoveryFiles.h"
#include "recovery/UnsavedWork.h"
#include "tilesets/TileDataWriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

namespace {

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
    , m_id(RecoveryFiles::newSessionName())
{
}

QString RecoverySession::open()
{
    const auto failure = [this](const char *reason) {
        return QCoreApplication::translate("RecoverySession", "Unsaved work cannot be kept in \"%1\": %2.")
            .arg(QDir::toNativeSeparators(path()), QCoreApplication::translate("RecoverySession", reason));
    };
    if (!m_lock) {
        // Sessions are neither looked for nor removed through a link.
        if (QFileInfo(m_folder).isSymLink())
            return failure(QT_TRANSLATE_NOOP("RecoverySession", "the recovery folder is a symbolic link"));
        if (!QDir().mkpath(m_folder))
            return failure(QT_TRANSLATE_NOOP("RecoverySession", "the folder cannot be made"));
        // The user's work, for the user alone.
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        // Locked before the folder exists: another editor looking for work left
        // behind never finds this folder without its lock.
        auto lock = RecoveryFiles::lockFor(path());
        if (!lock->tryLock())
            return failure(QT_TRANSLATE_NOOP("RecoverySession", "its lock file cannot be made"));
        m_lock = std::move(lock);
    }
    if (!QDir().mkpath(path()))
        return failure(QT_TRANSLATE_NOOP("RecoverySession", "the folder cannot be made"));
    // Before any work: a folder holding work is always known for a session's.
    const QString marker = QDir(path()).filePath(RecoveryFiles::MarkerFile);
    if (!QFileInfo::exists(marker))
        return FileReplacer::writeBytes(RecoveryFiles::Marker, marker);
    return {};
}

RecoverySession::~RecoverySession()
{
    if (!m_lock || !m_lock->isLocked())
        return;
    RecoveryFiles::removeSession(path());
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
    QJsonObject list{{QStringLiteral("version"), RecoveryFiles::Version},
                     {QStringLiteral("saved"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
                     {QStringLiteral("document"), work.documentPath}};
    QStringList written{RecoveryFiles::MarkerFile, RecoveryFiles::ListFile};
    if (work.maptile) {
        const QString file = folder.filePath(RecoveryFiles::MaptileFile);
        QString reason;
        const QByteArray bytes = DocumentWriter::encode(*work.maptile, &reason);
        const QString error =
            bytes.isEmpty() ? FileReplacer::describe(file, reason) : FileReplacer::writeBytes(bytes, file);
        if (!error.isEmpty())
            return error;
        list.insert(QStringLiteral("maptile"), RecoveryFiles::MaptileFile);
        written << RecoveryFiles::MaptileFile;
    }
    QJsonArray tilesets;
    for (const UnsavedWork::Tileset &tileset : work.tilesets) {
        const QString name = RecoveryFiles::tilesetFile(tileset.slot);
        const QString picture = folder.filePath(name);
        const QString dat = folder.filePath(RecoveryFiles::tilesetDataFile(tileset.slot));
        QString reason;
        const QByteArray png = encodePng(tileset.picture, &reason);
        QString error =
            reason.isEmpty() ? FileReplacer::writeBytes(png, picture) : FileReplacer::describe(picture, reason);
        if (error.isEmpty())
            error = FileReplacer::writeBytes(TileDataWriter::merge({}, tileset.data), dat);
        if (!error.isEmpty())
            return error;
        tilesets.append(QJsonObject{{QStringLiteral("slot"), tileset.slot},
                                    {QStringLiteral("file"), name},
                                    {QStringLiteral("path"), tileset.path},
                                    {QStringLiteral("setName"), tileset.data.setName}});
        written << name << RecoveryFiles::tilesetDataFile(tileset.slot);
    }
    list.insert(QStringLiteral("tilesets"), tilesets);
    // The list last, so that it never names a file not yet written.
    const QString error =
        FileReplacer::writeBytes(QJsonDocument(list).toJson(), folder.filePath(RecoveryFiles::ListFile));
    if (!error.isEmpty())
        return error;
    RecoveryFiles::removeOwn(path(), written);
    return {};
}

void RecoverySession::clear()
{
    RecoveryFiles::removeOwn(path(), {RecoveryFiles::MarkerFile});
}
