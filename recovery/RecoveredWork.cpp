#include "recovery/RecoveredWork.h"

#include "document/MaptileFileReader.h"
#include "raster/Geometry.h"
#include "recovery/RecoverySession.h"
#include "workspace/MaptileOpener.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>

namespace {

// A list is a few hundred bytes; anything much larger is not one.
constexpr qint64 MaxListBytes = 64 * 1024;

} // namespace

RecoveredWork::RecoveredWork(QString path, std::unique_ptr<QLockFile> lock)
    : m_path(std::move(path))
    , m_lock(std::move(lock))
{
    QFile file(QDir(m_path).filePath(RecoverySession::ListFile));
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxListBytes)
        return;
    const QJsonObject list = QJsonDocument::fromJson(file.readAll()).object();
    if (list.value(QStringLiteral("version")).toInt() != RecoverySession::Version)
        return;
    m_savedAt = QDateTime::fromString(list.value(QStringLiteral("saved")).toString(), Qt::ISODateWithMs);
    m_documentPath = list.value(QStringLiteral("document")).toString();
    // Only the names the session itself writes: the list may not lead anywhere else.
    m_maptile = list.value(QStringLiteral("maptile")).toString() == RecoverySession::MaptileFile;
    for (const QJsonValue &value : list.value(QStringLiteral("tilesets")).toArray()) {
        const QJsonObject entry = value.toObject();
        const int slot = entry.value(QStringLiteral("slot")).toInt(-1);
        if (slot < 0 || slot >= Geometry::SlotCount
            || entry.value(QStringLiteral("file")).toString() != RecoverySession::tilesetFile(slot))
            continue;
        m_tilesets.append(Tileset{slot, entry.value(QStringLiteral("path")).toString(),
                                  entry.value(QStringLiteral("setName")).toString()});
    }
}

RecoveredWork::~RecoveredWork() = default;

QString RecoveredWork::restore(Workspace &workspace) const
{
    const QDir folder(m_path);
    if (m_maptile) {
        const QString file = folder.filePath(RecoverySession::MaptileFile);
        QString error;
        const QImage picture = MaptileFileReader::read(file, &error);
        if (picture.isNull())
            return error;
        MaptileOpener::apply(workspace, picture, m_documentPath);
        workspace.setMaptileChanged(true);
    }
    for (const Tileset &tileset : m_tilesets) {
        const QString error = workspace.loadRecoveredTileset(
            tileset.slot, folder.filePath(RecoverySession::tilesetFile(tileset.slot)), tileset.path);
        if (!error.isEmpty())
            return error;
    }
    // Undoing would only lead back to the empty start.
    workspace.history().clear();
    return {};
}

void RecoveredWork::discard()
{
    QDir(m_path).removeRecursively();
    m_lock->unlock();
}
