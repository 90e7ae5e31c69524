#include "control/TilesetControl.h"

#include "control/DroppedImage.h"
#include "control/ReaderLoads.h"
#include "control/UserQuestions.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>

namespace {

bool isWritableTileset(const QString &path)
{
    return QStringList{QStringLiteral("png"), QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("jpeg")}
        .contains(QFileInfo(path).suffix().toLower());
}

} // namespace

TilesetControl::TilesetControl(Workspace &workspace, UserQuestions &questions, ReaderLoads &loads, QObject *parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_questions(questions)
    , m_loads(loads)
{
}

bool TilesetControl::mayReplace(int slot)
{
    if (!m_workspace.slot(slot).isModified())
        return true;
    const QString why = tr("The tileset in slot %1 has changes that are not saved.").arg(QChar(u'A' + slot));
    return m_questions.mayLeave(why + QLatin1Char('\n'), tr("Do you still wish to load another tileset into it?"),
                                [this, slot] { return save(slot); });
}

void TilesetControl::load(int slot)
{
    if (!mayReplace(slot))
        return;
    const QString path = m_questions.chooseToOpen(UserQuestions::Files::Tileset);
    if (!path.isEmpty())
        startLoad(slot, path);
}

void TilesetControl::loadFile(int slot, const QString &path)
{
    if (mayReplace(slot))
        startLoad(slot, path);
}

void TilesetControl::startLoad(int slot, const QString &path)
{
    m_loads.start(slot, path, PictureReader::Kind::WholePicture, [this, slot, path](const ReaderResult &read) {
        m_workspace.setTileset(slot, read.picture, path);
        emit showSlotRequested(slot);
    });
}

bool TilesetControl::saveAs(int slot)
{
    emit showSlotRequested(slot);
    const TilesetSlot &tileset = m_workspace.slot(slot);
    // A tileset without a file is offered under its set name.
    const QString setName = tileset.tileData().setName;
    const QFileInfo file(tileset.path().isEmpty()
                             ? (setName.isEmpty() ? tr("Untitled") : QString(setName).replace(u'/', u'-')) + ".png"
                             : tileset.path());
    const QString suggested =
        isWritableTileset(file.filePath()) ? file.filePath() : file.dir().filePath(file.completeBaseName() + ".png");
    const QString path =
        m_questions.chooseToSave(UserQuestions::Files::Tileset, tileset.path().isEmpty() ? file.fileName() : suggested);
    return !path.isEmpty() && write(slot, path);
}

bool TilesetControl::save(int slot)
{
    // A tileset taken from a maptile's records knows only its file's name, not where to write it.
    const QString path = m_workspace.slot(slot).path();
    if (path.isEmpty() || QFileInfo(path).isRelative() || !isWritableTileset(path))
        return saveAs(slot);
    return write(slot, path);
}

bool TilesetControl::write(int slot, const QString &path)
{
    const QString error = m_workspace.saveTileset(slot, path);
    if (!error.isEmpty())
        m_questions.warn(error);
    return error.isEmpty();
}

void TilesetControl::newEmpty(int slot)
{
    m_workspace.newEmptyTileset(slot);
    emit showSlotRequested(slot);
}

void TilesetControl::importFile(int slot, QPoint cell, const QString &path)
{
    m_loads.start(slot, path, PictureReader::Kind::WholePicture,
                  [this, slot, cell](const ReaderResult &read) { m_workspace.importSubtile(slot, cell, read.picture); });
}

void TilesetControl::paste(int slot, const QMimeData *data)
{
    const QPoint cell = m_workspace.slot(slot).outlineCell;
    const QImage image = data && data->hasImage() ? qvariant_cast<QImage>(data->imageData()) : QImage();
    if (!image.isNull()) {
        m_workspace.importSubtile(slot, cell, image);
        return;
    }
    // A picture file copied in a file manager serves as well.
    const QString path = data ? DroppedImage::path(data, false) : QString();
    if (path.isEmpty())
        m_questions.warn(tr("The clipboard holds no picture to paste into the subtile."));
    else
        importFile(slot, cell, path);
}
