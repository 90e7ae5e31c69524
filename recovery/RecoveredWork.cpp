#include "recovery/RecoveredWork.h"

#include "document/DocumentArchive.h"
#include "document/DocumentWriter.h"
#include "pictures/PictureFile.h"
#include "raster/Geometry.h"
#include "recovery/RecoveryFiles.h"
#include "tilesets/ProfileReader.h"
#include "workspace/MaptileOpener.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

RecoveredWork::RecoveredWork(QString path, std::unique_ptr<QLockFile> lock)
    : m_path(std::move(path))
    , m_lock(std::move(lock))
{
    const QDir folder(m_path);
    const QStringList present = folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    // The work's files that are what they are named, within the sizes their
    // readers take: the maptile first, then the tilesets by slot.
    QStringList readable;
    const auto sortOut = [&](const QString &name, qint64 limit, const QString &beside, qint64 besideLimit) {
        if (!present.contains(name))
            return;
        const bool besideBad =
            present.contains(beside) && !RecoveryFiles::isPlainFile(folder.filePath(beside), besideLimit);
        if (besideBad)
            m_unreadable << name << beside;
        else if (RecoveryFiles::isPlainFile(folder.filePath(name), limit))
            readable << name;
        else
            m_unreadable << name;
    };
    sortOut(RecoveryFiles::MaptileFile, DocumentArchive::MaxFileBytes, {}, 0);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        sortOut(RecoveryFiles::tilesetFile(slot), PictureFile::MaxBytes, RecoveryFiles::tilesetDataFile(slot),
                ProfileReader::MaxFileSize);
    }

    if (!readList(readable)) {
        takeByName(readable);
        // A list that cannot be read beside nothing else is all there is to keep.
        if (present.contains(RecoveryFiles::ListFile) && isEmpty())
            m_unreadable << RecoveryFiles::ListFile;
    }
    // Without a time in the list, the time the newest file was written.
    if (!m_savedAt.isValid()) {
        QStringList files{m_maptileFile};
        for (const Tileset &tileset : std::as_const(m_tilesets))
            files << tileset.file;
        for (const QString &file : std::as_const(files)) {
            const QDateTime written = QFileInfo(file).lastModified().toUTC();
            if (!file.isEmpty() && (!m_savedAt.isValid() || written > m_savedAt))
                m_savedAt = written;
        }
    }
}

RecoveredWork::~RecoveredWork() = default;

bool RecoveredWork::readList(const QStringList &readable)
{
    const QDir folder(m_path);
    const std::optional<QByteArray> bytes =
        RecoveryFiles::read(folder.filePath(RecoveryFiles::ListFile), RecoveryFiles::MaxListBytes);
    if (!bytes)
        return false;
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(*bytes, &error);
    const QJsonObject list = json.object();
    if (error.error != QJsonParseError::NoError
        || list.value(QStringLiteral("version")).toInt() != RecoveryFiles::Version)
        return false;
    m_savedAt = QDateTime::fromString(list.value(QStringLiteral("saved")).toString(), Qt::ISODateWithMs);
    m_documentPath = list.value(QStringLiteral("document")).toString();
    if (!maySaveTo(m_documentPath) || !DocumentWriter::isDocumentPath(m_documentPath))
        m_documentPath.clear();
    // Only the names the session itself writes: the list may not lead anywhere else.
    const QString maptile = list.value(QStringLiteral("maptile")).toString();
    if (maptile == RecoveryFiles::MaptileFile && readable.contains(maptile))
        m_maptileFile = folder.filePath(maptile);
    for (const QJsonValue &value : list.value(QStringLiteral("tilesets")).toArray()) {
        const QJsonObject entry = value.toObject();
        const int slot = entry.value(QStringLiteral("slot")).toInt(-1);
        const QString file = entry.value(QStringLiteral("file")).toString();
        const bool taken = std::any_of(m_tilesets.begin(), m_tilesets.end(),
                                       [slot](const Tileset &tileset) { return tileset.slot == slot; });
        if (slot < 0 || slot >= Geometry::SlotCount || taken || file != RecoveryFiles::tilesetFile(slot)
            || !readable.contains(file))
            continue;
        QString path = entry.value(QStringLiteral("path")).toString();
        if (!maySaveTo(path))
            path.clear();
        m_tilesets.append(
            Tileset{slot, folder.filePath(file), std::move(path), entry.value(QStringLiteral("setName")).toString()});
    }
    return true;
}

void RecoveredWork::takeByName(const QStringList &readable)
{
    const QDir folder(m_path);
    if (readable.contains(RecoveryFiles::MaptileFile))
        m_maptileFile = folder.filePath(RecoveryFiles::MaptileFile);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        if (readable.contains(RecoveryFiles::tilesetFile(slot)))
            m_tilesets.append(Tileset{slot, folder.filePath(RecoveryFiles::tilesetFile(slot)), {}, {}});
    }
}

bool RecoveredWork::maySaveTo(const QString &path) const
{
    // A relative path depends on where the editor happens to start; devices and
    // pipes are no one's work; what the recovery folder holds is work of its
    // own, this session's or another's, and goes when that is restored.
    const QFileInfo file(path);
    const QString recovery = QFileInfo(QFileInfo(m_path).path()).canonicalFilePath();
    return QDir::isAbsolutePath(path) && file.isFile()
        && (recovery.isEmpty() || !file.canonicalFilePath().startsWith(recovery + QLatin1Char('/')));
}

void RecoveredWork::forget(const QString &path)
{
    if (m_documentPath == path)
        m_documentPath.clear();
    for (Tileset &tileset : m_tilesets) {
        if (tileset.path == path)
            tileset.path.clear();
    }
}

void RecoveredWork::restore(Workspace &workspace, const MaptileDocument &maptile, const QList<QImage> &tilesets) const
{
    if (hasMaptile()) {
        MaptileOpener::apply(workspace, maptile, m_documentPath);
        workspace.setMaptileChanged(true);
    }
    for (qsizetype i = 0; i < m_tilesets.size(); ++i) {
        const Tileset &tileset = m_tilesets[i];
        workspace.restoreTileset(tileset.slot, tilesets.value(i), tileset.file, tileset.path);
    }
}

void RecoveredWork::discard()
{
    if (m_unreadable.isEmpty()) {
        RecoveryFiles::removeSession(m_path);
    } else {
        // Still a session, so that what is left is told of again at the next start.
        RecoveryFiles::removeOwn(m_path, m_unreadable + QStringList{RecoveryFiles::MarkerFile});
    }
    m_lock->unlock();
}
