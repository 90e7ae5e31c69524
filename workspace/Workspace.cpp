#include "workspace/Workspace.h"

#include "workspace/ChangeValue.h"
#include "workspace/ClearCommand.h"
#include "workspace/OpenDocumentCommand.h"
#include "workspace/OpenImageCommand.h"
#include "workspace/PlaceCommand.h"
#include "workspace/ResizeCommand.h"
#include "workspace/UpdateCommand.h"

#include "document/DocumentArchive.h"
#include "document/DocumentRecords.h"
#include "maptile/Redraw.h"
#include "pictures/TilesetPicture.h"
#include "raster/RasterOps.h"
#include "tilesets/SubtileImport.h"
#include "tilesets/TilesetReads.h"
#include "tilesets/TilesetWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

Workspace::Workspace(QObject *parent)
    : QObject(parent)
{
    // Slots D and H start keyed, for object sets drawn on a background colour.
    m_slots[3].transparency = TransparencySetting(QStringLiteral("1"));
    m_slots[7].transparency = TransparencySetting(QStringLiteral("1"));
}

Workspace::~Workspace() = default;

QStringList Workspace::defaultTilesetFolders()
{
    // Relative to the program, so an installed tree works under any prefix.
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.path(), QDir::cleanPath(program.filePath(QStringLiteral(CRYPTWRIGHT_DATA_FROM_BIN)))};
}

void Workspace::readDefaultsAhead(const QStringList &folders)
{
    m_defaultReads = std::make_unique<TilesetReads>(TilesetReads::firstFound(DefaultTilesetNames, folders));
}

void Workspace::startUp(const QStringList &folders, const std::function<void(const QString &)> &report)
{
    const QStringList paths = TilesetReads::firstFound(DefaultTilesetNames, folders);
    if (!m_defaultReads || m_defaultReads->paths() != paths)
        m_defaultReads = std::make_unique<TilesetReads>(paths);
    // The credit and the blank maptile do not depend on the tilesets: they are
    // drawn while the last files are still being read.
    m_overlays.paintDesigner(designerText());
    putBlank(Geometry::MaxColumns, Geometry::MaxRows);
    // A default slot whose file failed still gets its grid.
    for (int i = 0; i < int(DefaultTilesetNames.size()); ++i) {
        QString error;
        const TilesetSlot read = m_defaultReads->take(i, &error);
        if (!error.isEmpty())
            report(QFileInfo::exists(paths[i]) ? error : TilesetReads::missingDefault(DefaultTilesetNames[i], folders));
        m_slots[i].takeTileset(read);
    }
    m_defaultReads.reset();
    for (int i = 0; i < int(DefaultTilesetNames.size()); ++i)
        paintButtons(i);
    setMaptileChanged(false);
}

QString Workspace::loadTileset(int index, const QString &path)
{
    QString error;
    const QImage picture = TilesetPicture::read(path, Geometry::blankColour(), &error);
    if (picture.isNull())
        return error;
    setTileset(index, picture, path);
    return {};
}

void Workspace::setTileset(int index, const QImage &picture, const QString &path)
{
    TilesetSlot loaded = m_slots[index];
    loaded.setPicture(picture, path);
    loaded.buildPalette();
    replaceTileset(index, loaded);
}

void Workspace::restoreTileset(int index, const QImage &picture, const QString &file, const QString &path)
{
    TilesetSlot restored = m_slots[index];
    restored.setPicture(picture, file);
    restored.markUnsaved(path);
    restored.buildPalette();
    replaceTileset(index, restored);
}

void Workspace::replaceTileset(int index, const TilesetSlot &tileset)
{
    // The step keeps the whole tileset it replaced; its settings stay with the slot.
    record(std::make_unique<ChangeValue<TilesetSlot>>(
        [this, index](const TilesetSlot &value) { putTileset(index, value); }, m_slots[index], tileset));
}

void Workspace::putTileset(int index, const TilesetSlot &tileset)
{
    m_slots[index].takeTileset(tileset);
    emit slotChanged(index);
    paintButtons(index);
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
    // The step keeps only the cell's pixels, before and after, opaque in three bytes a pixel;
    // and the tileset as it was when the records hold it, for the edit leaves it to them alone.
    const QImage &tileset = m_slots[index].fullImage();
    const bool recorded = m_records->holdsPicture(tileset);
    record(std::make_unique<ChangeValue<QImage>>(
        [this, index, column, row](const QImage &pixels) { putSubtilePixels(index, column, row, pixels); },
        m_slots[index].subtile(column, row).convertToFormat(QImage::Format_RGB888),
        RasterOps::toWorkFormat(subtile).convertToFormat(QImage::Format_RGB888), -1,
        recorded ? tileset.sizeInBytes() : 0));
}

void Workspace::putSubtilePixels(int index, int column, int row, const QImage &pixels)
{
    m_slots[index].replaceSubtile(column, row, pixels);
    emit slotChanged(index);
    paintButtons(index);
}

void Workspace::emptyCell(int index, QPoint cell)
{
    QImage blank(Geometry::SpaceSize, Geometry::SpaceSize, RasterOps::Format);
    RasterOps::fill(blank, Geometry::blankColour());
    replaceSubtile(index, cell.x(), cell.y(), blank);
}

void Workspace::importSubtile(int index, QPoint cell, const QImage &picture)
{
    replaceSubtile(index, cell.x(), cell.y(), SubtileImport::fit(picture));
}

void Workspace::takeTilesetCopy(int index, const TilesetCopy &copy)
{
    // Only the file's name travels with a copy: the slot has no file to save to until one is chosen.
    TilesetSlot taken = m_slots[index];
    taken.setPicture(copy.picture, QString());
    taken.setTileData(copy.data);
    taken.markUnsaved(copy.fileName);
    taken.buildPalette();
    replaceTileset(index, taken);
}

void Workspace::newEmptyTileset(int index)
{
    TilesetSlot empty = m_slots[index];
    empty.makeEmpty(tr("Untitled"));
    empty.buildPalette();
    replaceTileset(index, empty);
}

void Workspace::setTileData(int index, const TileData &data)
{
    if (data == m_slots[index].tileData())
        return;
    record(std::make_unique<ChangeValue<TileData>>([this, index](const TileData &value) { putTileData(index, value); },
                                                   m_slots[index].tileData(), data));
}

void Workspace::putTileData(int index, const TileData &data)
{
    m_slots[index].setTileData(data);
    emit slotChanged(index);
}

QString Workspace::saveTileset(int index, const QString &path)
{
    const QString error = TilesetWriter::save(m_slots[index], path);
    if (error.isEmpty()) {
        m_slots[index].markSaved(path);
        emit slotChanged(index);
    }
    return error;
}

QList<int> Workspace::unsavedSlots() const
{
    QList<int> unsaved;
    for (int i = 0; i < Geometry::SlotCount; ++i) {
        if (m_slots[i].isModified())
            unsaved << i;
    }
    return unsaved;
}

QString Workspace::setInfo(int index) const
{
    const TilesetSlot &slot = m_slots[index];
    return slot.tileData().setInfo() + (slot.isModified() ? QStringLiteral("*") : QString());
}

QString Workspace::getTileData(int index, int column, int row) const
{
    return m_slots[index].tileData().speedValue(column, row);
}

void Workspace::assign(int buttonCode, int slotIndex)
{
    assignCells(buttonCode, slotIndex, QRect(m_slots[slotIndex].outlineCell, QSize(1, 1)));
}

void Workspace::assignCells(int buttonCode, int slotIndex, QRect cells)
{
    const int picture = pictureForButton(buttonCode);
    std::vector<SubtileRef> refs = Variation::cellsOf(m_slots[slotIndex], slotIndex, cells);
    if (picture < 0 || refs.empty())
        return;
    m_buttons[picture].pick(std::move(refs));
    paintButton(picture);
}

void Workspace::giveButton(int picture, const SubtileRef &ref, const Orientation &orientation)
{
    m_buttons[picture].pick({ref}, orientation);
    paintButton(picture);
}

void Workspace::setRandomTurns(bool on)
{
    m_randomTurns = on;
    for (int picture = 0; picture < ButtonCount; ++picture)
        emit buttonChanged(picture);
}

void Workspace::turnButtons(Orientation::Turn turn)
{
    for (int picture = 0; picture < ButtonCount; ++picture) {
        m_buttons[picture].turn(turn);
        paintButton(picture);
    }
}

void Workspace::paintButtons(int index)
{
    for (int picture = 0; picture < ButtonCount; ++picture) {
        if (m_buttons[picture].ref().slot == index)
            paintButton(picture);
    }
}

void Workspace::paintButton(int picture)
{
    ButtonSubtile &button = m_buttons[picture];
    if (button.laysSubtile())
        button.paint(m_slots[button.ref().slot]);
    emit buttonChanged(picture);
}

Placement Workspace::placement(int picture, QPoint space)
{
    Variation &variation = m_buttons[picture].variation();
    const auto [cell, orientation] =
        m_chooser.choose(variation, m_buttons[picture].orientation(), m_randomTurns, m_maptile, space, m_stroke);
    const SubtileRef &ref = variation.cells()[cell];
    QString speed = m_maptile.speedValue(space.x(), space.y());
    if (m_autoNumber && Maptile::inSpeedTable(space.x(), space.y()))
        speed = getTileData(ref.slot, ref.column, ref.row).left(DocumentArchive::MaxSpeedLength);
    return {space,
            variation.subtile(cell, orientation),
            m_slots[ref.slot].transparency,
            variation.key(cell),
            speed,
            ref,
            orientation};
}

void Workspace::place(int buttonCode, QPoint space)
{
    beginStroke(buttonCode, space);
    endStroke();
}

void Workspace::beginStroke(int buttonCode, QPoint space)
{
    endStroke();
    setMaptileChanged(true);
    const int picture = pictureForButton(buttonCode);
    if (picture < 0 || !m_buttons[picture].laysSubtile()) {
        paintNum();
        return;
    }
    m_strokePicture = picture;
    ++m_stroke;
    // A press may land off the maptile after a drag; it changes nothing there but its speed value.
    if (Maptile::inSpeedTable(space.x(), space.y()))
        m_strokeCovered = 1u << (space.y() * Geometry::MaxColumns + space.x());
    record(std::make_unique<PlaceCommand>(*this, std::vector{placement(picture, space)}, m_stroke));
}

void Workspace::continueStroke(QPoint space)
{
    // Off the maptile there is no space to enter, and no speed value to change unseen.
    if (m_strokePicture < 0 || space.x() < 0 || space.y() < 0 || space.x() >= m_maptile.columns()
        || space.y() >= m_maptile.rows())
        return;
    const quint32 bit = 1u << (space.y() * Geometry::MaxColumns + space.x());
    if (m_strokeCovered & bit)
        return;
    m_strokeCovered |= bit;
    record(std::make_unique<PlaceCommand>(*this, std::vector{placement(m_strokePicture, space)}, m_stroke));
}

void Workspace::endStroke()
{
    m_strokePicture = -1;
    m_strokeCovered = 0;
}

void Workspace::fill()
{
    endStroke();
    if (!m_buttons[Left].laysSubtile())
        return;
    ++m_stroke;
    std::vector<Placement> placements;
    for (int row = 0; row < m_maptile.rows(); ++row) {
        for (int column = 0; column < m_maptile.columns(); ++column) {
            if (m_maptile.isBlank({column, row}))
                placements.push_back(placement(Left, {column, row}));
        }
    }
    if (placements.empty())
        return;
    record(std::make_unique<PlaceCommand>(*this, std::move(placements), m_stroke));
}

void Workspace::chooseSpeedValue(QPoint space, const QString &value)
{
    record(std::make_unique<ChangeValue<QString>>([this, space](const QString &speed) { putSpeedValue(space, speed); },
                                                  m_maptile.speedValue(space.x(), space.y()),
                                                  value.left(DocumentArchive::MaxSpeedLength)));
}

void Workspace::setSize(int columns, int rows)
{
    if (columns == m_maptile.columns() && rows == m_maptile.rows())
        paintNum();
    else
        record(std::make_unique<ResizeCommand>(*this, columns, rows));
}

void Workspace::blankMaptile(int columns, int rows)
{
    record(std::make_unique<ClearCommand>(*this, columns, rows));
}

void Workspace::openImage(const QImage &image)
{
    record(std::make_unique<OpenImageCommand>(*this, image));
}

int Workspace::updateFromSlot(int index)
{
    auto step = std::make_unique<UpdateCommand>(*this, index);
    const int spaces = step->spaces();
    if (spaces > 0)
        record(std::move(step));
    return spaces;
}

MaptileDocument Workspace::document() const
{
    MaptileDocument document;
    document.maptile = m_maptile;
    document.records = *m_records;
    document.editable = true;
    document.mapNum = mapNumText();
    document.designer = designerText();
    document.mapNumFont = m_overlays.mapNumFont();
    document.mapNumColour = m_overlays.mapNumColour();
    document.speedFont = m_overlays.speedFont();
    document.speedColour = m_overlays.speedColour();
    return document;
}

void Workspace::openDocument(const MaptileDocument &document, const QString &path)
{
    record(std::make_unique<OpenDocumentCommand>(*this, document, path));
}

void Workspace::setMaptileChanged(bool changed)
{
    if (changed == m_maptileChanged)
        return;
    m_maptileChanged = changed;
    emit modificationChanged(changed);
}

bool Workspace::hasUnsavedWork() const
{
    return m_maptileChanged || !unsavedSlots().isEmpty();
}

void Workspace::setDocumentPath(const QString &path)
{
    swapDocumentPath(path);
}

QString Workspace::swapDocumentPath(const QString &path)
{
    QString before = std::exchange(m_documentPath, path);
    if (before != path)
        emit documentPathChanged(path);
    return before;
}

void Workspace::setText(TextBox box, const QString &text)
{
    // Keystrokes in one box are one step until the box loses the focus.
    if (text != m_texts[box])
        record(std::make_unique<ChangeValue<QString>>([this, box](const QString &value) { putText(box, value); },
                                                      m_texts[box], text, qint64(m_typingStep) * 2 + box));
}

void Workspace::undo()
{
    replay(false);
}

void Workspace::redo()
{
    replay(true);
}

void Workspace::replay(bool forward)
{
    if (forward ? !m_history.canRedo() : !m_history.canUndo())
        return;
    endTypingStep();
    endStroke();
    // Each step marks what it changes: the maptile, or a tileset.
    forward ? m_history.redo() : m_history.undo();
    emit edited();
}

void Workspace::record(std::unique_ptr<UndoStep> step)
{
    m_history.push(std::move(step));
    emit edited();
}

void Workspace::putSubtiles(const std::vector<Placement> &placements)
{
    setMaptileChanged(true);
    // The value first: a placement numbers the space before it lays the subtile.
    for (const Placement &placement : placements) {
        m_maptile.setSpeedValue(placement.space.x(), placement.space.y(), placement.speed);
        m_maptile.composite(placement.subtile, placement.space, placement.setting, placement.key);
    }
    paintNum();
}

std::shared_ptr<const MaptileRecords> Workspace::keptRecords() const
{
    return m_records->hasPlacements() ? m_records : nullptr;
}

void Workspace::putRecords(std::shared_ptr<const MaptileRecords> records)
{
    m_records = records ? std::move(records)
                        : std::make_shared<const MaptileRecords>(MaptileRecords::fromBase(m_maptile.master()));
    // Packed while the user works, so that the next save finds the records' pictures ready.
    DocumentRecords::packAhead(*m_records);
}

void Workspace::putSpeedValue(QPoint space, const QString &value)
{
    m_maptile.setSpeedValue(space.x(), space.y(), value);
    paintNum();
    setMaptileChanged(true);
}

void Workspace::putSize(int columns, int rows)
{
    if (m_maptile.resize(columns, rows)) {
        auto resized = std::make_shared<MaptileRecords>(*m_records);
        resized->resize(columns, rows);
        putRecords(std::move(resized));
        setMaptileChanged(true);
    }
    paintNum();
    emit sizeChosen(columns, rows);
}

void Workspace::putMaster(const QImage &master)
{
    m_maptile.setMaster(master);
    setMaptileChanged(true);
    paintNum();
    emit sizeChosen(m_maptile.columns(), m_maptile.rows());
}

void Workspace::putBlank(int columns, int rows)
{
    m_maptile.blank();
    // Growing fills the new spaces with the blank colour too.
    m_maptile.resize(columns, rows);
    putRecords(nullptr);
    setMaptileChanged(true);
    paintNum();
}

void Workspace::putMaptile(const QImage &master, const SpeedValues &speed)
{
    m_maptile.setMaster(master);
    m_maptile.setSpeedValues(speed);
    setMaptileChanged(true);
    paintNum();
}

void Workspace::putImage(const QImage &image)
{
    m_maptile.setImage(image);
    putRecords(nullptr);
    setMaptileChanged(true);
    if (!mapNumText().isEmpty())
        putText(MapNumBox, QString());
    else
        paintNum();
}

void Workspace::putDocument(const MaptileDocument &document)
{
    m_maptile = document.maptile;
    // Records that do not give the master (another program changed the pixels) would paint something else.
    putRecords(document.records.compose() == m_maptile.master()
                   ? std::make_shared<const MaptileRecords>(document.records)
                   : nullptr);
    // The fonts first: the number is drawn in its own font.
    m_overlays.setMapNumFont(document.mapNumFont, document.mapNumColour);
    m_overlays.setSpeedFont(document.speedFont, document.speedColour);
    m_texts = {document.mapNum, document.designer};
    m_overlays.paintMapNum(mapNumText());
    m_overlays.paintDesigner(designerText());
    emit mapNumTextChanged(mapNumText());
    emit designerTextChanged(designerText());
    setMaptileChanged(true);
    paintNum();
    emit sizeChosen(m_maptile.columns(), m_maptile.rows());
}

void Workspace::putText(TextBox box, const QString &text)
{
    if (text == m_texts[box])
        return;
    m_texts[box] = text;
    setMaptileChanged(true);
    if (box == MapNumBox) {
        m_overlays.paintMapNum(text);
        emit mapNumTextChanged(text);
    } else {
        m_overlays.paintDesigner(text);
        emit designerTextChanged(text);
    }
    paintNum();
}

void Workspace::paintNum()
{
    m_laid = Redraw::overlaysOver(m_maptile, !mapNumText().isEmpty(), m_overlays);
    Redraw::paintView(m_maptile, m_laid, m_view);
    m_previewStale = true;
    emit redrawn();
}

const QImage &Workspace::preview() const
{
    if (m_previewStale) {
        Redraw::paintPreview(m_maptile.master(), m_laid, m_preview);
        m_previewStale = false;
    }
    return m_preview;
}
