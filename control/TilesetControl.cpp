#include "control/TilesetControl.h"

#include "control/DroppedImage.h"
#include "control/ReaderLoads.h"
#include "control/TilesetSettings.h"
#include "control/UserQuestions.h"
#include "workspace/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QStandardPaths>

namespace {

bool isWritableTileset(const QString &path)
{
    return QStringList{QStringLiteral("png"), QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("jpeg")}
        .contains(QFileInfo(path).suffix().toLower());
}

} // namespace

TilesetControl::TilesetControl(Workspace &workspace, UserQuestions &questions, ReaderLoads &loads,
                               const QStringList &shippedFolders, QObject *parent)
    : QObject(parent)
    , m_workspace(workspace)
    , m_questions(questions)
    , m_loads(loads)
    , m_shipped(shippedFolders, {Workspace::DefaultTilesetNames.begin(), Workspace::DefaultTilesetNames.end()})
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
        startLoad(slot, path, true);
}

void TilesetControl::loadFile(int slot, const QString &path)
{
    if (mayReplace(slot))
        startLoad(slot, path, true);
}

void TilesetControl::startLoad(int slot, const QString &path, bool chosen)
{
    m_loads.start(slot, path, PictureReader::Kind::WholePicture, [this, slot, path, chosen](const ReaderResult &read) {
        m_workspace.setTileset(slot, read.picture, path);
        if (chosen)
            TilesetSettings::rememberFolderOf(path);
        emit showSlotRequested(slot);
    });
}

QString TilesetControl::suggestedPath(int slot) const
{
    const TilesetSlot &tileset = m_workspace.slot(slot);
    // A default's own name is one Enter away from replacing it: it is offered as a tileset without a file is.
    const QString own = m_shipped.holds(tileset.path()) ? QString() : tileset.path();
    const QString setName = tileset.tileData().setName;
    const QFileInfo file(
        own.isEmpty() ? (setName.isEmpty() ? tr("Untitled") : QString(setName).replace(u'/', u'-')) + ".png" : own);
    const QString name = isWritableTileset(file.fileName()) ? file.fileName() : file.completeBaseName() + ".png";
    QString folder = own.isEmpty() ? QString() : file.absolutePath();
    if (folder.isEmpty() || m_shipped.isShippedFolder(folder))
        folder = TilesetSettings::lastFolder();
    if (folder.isEmpty() || m_shipped.isShippedFolder(folder))
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!QFileInfo(folder).isDir() || m_shipped.isShippedFolder(folder))
        folder = QDir::homePath();
    return QDir(folder).filePath(name);
}

bool TilesetControl::saveAs(int slot)
{
    emit showSlotRequested(slot);
    const QString path = m_questions.chooseToSave(UserQuestions::Files::Tileset, suggestedPath(slot));
    return !path.isEmpty() && write(slot, path);
}

bool TilesetControl::save(int slot)
{
    // A tileset taken from a maptile's records knows only its file's name, not where to write it.
    const QString path = m_workspace.slot(slot).path();
    if (path.isEmpty() || QFileInfo(path).isRelative() || !isWritableTileset(path) || m_shipped.holds(path))
        return saveAs(slot);
    return write(slot, path);
}

bool TilesetControl::write(int slot, const QString &path)
{
    QString error = m_shipped.tilesetRefusal(path);
    if (error.isEmpty())
        error = m_workspace.saveTileset(slot, path);
    if (!error.isEmpty()) {
        m_questions.warn(error);
        return false;
    }
    TilesetSettings::rememberFolderOf(path);
    return true;
}

bool TilesetControl::loadsAtStart(int slot)
{
    return !TilesetSettings::pinned().at(slot).isEmpty();
}

void TilesetControl::setLoadAtStart(int slot, bool on)
{
    const QChar letter(u'A' + slot);
    const QString path = m_workspace.slot(slot).path();
    if (!on) {
        TilesetSettings::setPinned(slot, {});
        m_questions.note(slot < int(Workspace::DefaultTilesetNames.size())
                             ? tr("Slot %1 starts with its default tileset again.").arg(letter)
                             : tr("Slot %1 starts empty again.").arg(letter));
    } else if (path.isEmpty()) {
        m_questions.warn(
            tr("The tileset in slot %1 has no file yet. Save it first; then it can be loaded at start.").arg(letter));
    } else {
        TilesetSettings::setPinned(slot, path);
        m_questions.note(tr("Slot %1 loads \"%2\" at every start.").arg(letter, QFileInfo(path).fileName()));
    }
}

void TilesetControl::loadAtStart()
{
    const QStringList pinned = TilesetSettings::pinned();
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        const QString &path = pinned[slot];
        if (path.isEmpty())
            continue;
        const QFileInfo file(path);
        if (!file.isFile()) {
            // Reported as a missing default is; the file is still looked for at the next start.
            m_questions.warn(
                tr("Cannot open the tileset \"%1\" that slot %2 loads at start: it is not in the folder "
                   "\"%3\".")
                    .arg(file.fileName(), QChar(u'A' + slot), QDir::toNativeSeparators(file.absolutePath())));
            continue;
        }
        const QString startPath = m_workspace.slot(slot).path();
        m_loads.start(slot, path, PictureReader::Kind::WholePicture,
                      [this, slot, path, startPath](const ReaderResult &read) {
                          // Work that came into the slot meanwhile, the user's or restored after a crash, stays.
                          const TilesetSlot &now = m_workspace.slot(slot);
                          if (now.path() != startPath || now.isModified())
                              return;
                          const bool untouched = m_workspace.history().count() == 0;
                          m_workspace.setTileset(slot, read.picture, path);
                          // Undoing would only lead back to the default.
                          if (untouched)
                              m_workspace.history().clear();
                      });
    }
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
