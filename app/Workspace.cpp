#include "app/Workspace.h"

#include "maptile/RasterOps.h"
#include "maptile/Redraw.h"
#include "tilesets/TilesetImageReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using Geometry::ViewSpaceSize;

int Workspace::pictureForButton(int code)
{
    switch (code) {
    case LeftButton:
        return Left;
    case RightButton:
        return Right;
    case MiddleButton:
        return Middle;
    default:
        return -1;
    }
}

Workspace::Workspace(QObject *parent)
    : QObject(parent)
{
    // Slots D and H start keyed, for object sets drawn on a background colour.
    m_slots[3].transparency = TransparencySetting(QStringLiteral("1"));
    m_slots[7].transparency = TransparencySetting(QStringLiteral("1"));
    m_buttonRefs = {SubtileRef{0, 6, 0}, SubtileRef{0, 6, 3}, SubtileRef{0, 1, 1}};
    for (QImage &image : m_buttonImages) {
        image = QImage(ViewSpaceSize, ViewSpaceSize, RasterOps::Format);
        RasterOps::fill(image, Geometry::blankColour());
    }
}

QStringList Workspace::defaultTilesetFolders()
{
    // Relative to the program, so an installed tree works under any prefix.
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.path(), QDir::cleanPath(program.filePath(QStringLiteral(CRYPTWRIGHT_DATA_FROM_BIN)))};
}

void Workspace::startUp(const QStringList &folders, const std::function<void(const QString &)> &report)
{
    for (int i = 0; i < int(DefaultTilesetNames.size()); ++i) {
        QString path = folders.isEmpty() ? QString() : QDir(folders.first()).filePath(DefaultTilesetNames[i]);
        for (const QString &folder : folders) {
            const QString candidate = QDir(folder).filePath(DefaultTilesetNames[i]);
            if (QFileInfo::exists(candidate)) {
                path = candidate;
                break;
            }
        }
        QString error;
        const QImage picture = TilesetImageReader::read(path, &error);
        if (picture.isNull())
            report(error);
        else
            m_slots[i].setPicture(picture, path);
    }
    // A default slot whose file failed still gets its grid.
    for (int i = 0; i < int(DefaultTilesetNames.size()); ++i)
        m_slots[i].buildPalette();
    for (int i = 0; i < int(DefaultTilesetNames.size()); ++i)
        paintButtons(i);
    m_overlays.paintDesigner(m_designerText);
    blankMaptile(Geometry::MaxColumns, Geometry::MaxRows);
    m_maptileChanged = false;
}

QString Workspace::loadTileset(int index, const QString &path)
{
    QString error;
    const QImage picture = TilesetImageReader::read(path, &error);
    if (picture.isNull())
        return error;
    m_slots[index].setPicture(picture, path);
    m_slots[index].buildPalette();
    emit slotChanged(index);
    paintButtons(index);
    return {};
}

void Workspace::setTransparency(int index, const TransparencySetting &setting)
{
    m_slots[index].transparency = setting;
    emit slotChanged(index);
}

void Workspace::setOutlineCell(int index, QPoint cell)
{
    m_slots[index].outlineCell = cell;
}

void Workspace::replaceSubtile(int index, int column, int row, const QImage &subtile)
{
    m_slots[index].replaceSubtile(column, row, subtile);
    emit slotChanged(index);
}

QString Workspace::setInfo(int index)
{
    return m_tileData.setInfo(m_slots[index].path());
}

QString Workspace::getTileData(int index, int column, int row)
{
    return m_tileData.getTileData(m_slots[index].path(), column, row);
}

void Workspace::assign(int buttonCode, int slotIndex)
{
    const int picture = pictureForButton(buttonCode);
    if (picture < 0)
        return;
    const QPoint cell = m_slots[slotIndex].outlineCell;
    m_buttonRefs[picture] = SubtileRef{slotIndex, cell.x(), cell.y()};
    m_buttonImages[picture] = m_slots[slotIndex].palette().copy(cell.x() * ViewSpaceSize, cell.y() * ViewSpaceSize,
                                                                ViewSpaceSize, ViewSpaceSize);
    emit buttonChanged(picture);
}

void Workspace::paintButtons(int index)
{
    for (int picture = 0; picture < ButtonCount; ++picture) {
        const SubtileRef &ref = m_buttonRefs[picture];
        if (ref.slot != index)
            continue;
        m_buttonImages[picture] = m_slots[index].palette().copy(ref.column * ViewSpaceSize, ref.row * ViewSpaceSize,
                                                                ViewSpaceSize, ViewSpaceSize);
        emit buttonChanged(picture);
    }
}

void Workspace::place(int buttonCode, QPoint space)
{
    m_maptileChanged = true;
    const int picture = pictureForButton(buttonCode);
    if (picture >= 0) {
        const SubtileRef ref = m_buttonRefs[picture];
        // A record can only name slots 0-7, columns 0-6 and rows 0-3; anything
        // else would read outside the tileset.
        if (ref.slot < Geometry::SlotCount && ref.column < Geometry::TilesetColumns && ref.row < Geometry::TilesetRows) {
            if (m_autoNumber && Maptile::inSpeedTable(space.x(), space.y()))
                m_maptile.setSpeedValue(space.x(), space.y(), getTileData(ref.slot, ref.column, ref.row));
            const TilesetSlot &slot = m_slots[ref.slot];
            m_maptile.composite(slot.fullImage(), ref.column, ref.row, space, slot.transparency);
        }
    }
    paintNum();
}

void Workspace::chooseSpeedValue(QPoint space, const QString &value)
{
    m_maptile.setSpeedValue(space.x(), space.y(), value);
    paintNum();
    m_maptileChanged = true;
}

void Workspace::setSize(int columns, int rows)
{
    if (m_maptile.resize(columns, rows))
        m_maptileChanged = true;
    paintNum();
}

void Workspace::blankMaptile(int columns, int rows)
{
    m_maptile.blank();
    // Growing fills the new spaces with the blank colour too.
    setSize(columns, rows);
}

void Workspace::openImage(const QImage &image)
{
    m_maptile.setImage(image);
    if (!m_mapNumText.isEmpty())
        setMapNumText(QString());
    else
        paintNum();
}

void Workspace::setMapNumText(const QString &text)
{
    if (text == m_mapNumText)
        return;
    m_mapNumText = text;
    m_maptileChanged = true;
    m_overlays.paintMapNum(text);
    emit mapNumTextChanged(text);
    paintNum();
}

void Workspace::setDesignerText(const QString &text)
{
    if (text == m_designerText)
        return;
    m_designerText = text;
    m_maptileChanged = true;
    m_overlays.paintDesigner(text);
    emit designerTextChanged(text);
    paintNum();
}

void Workspace::setMapNumFont(const QFont &font, const QColor &colour)
{
    m_overlays.setMapNumFont(font, colour);
}

void Workspace::setSpeedFont(const QFont &font, const QColor &colour)
{
    m_overlays.setSpeedFont(font, colour);
}

void Workspace::paintNum()
{
    Redraw::paintNum(m_maptile, !m_mapNumText.isEmpty(), m_overlays, m_preview, m_view);
    emit redrawn();
}
