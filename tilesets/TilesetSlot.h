#pragma once

#include "tilesets/TileData.h"
#include "tilesets/TransparencySetting.h"

#include <QImage>
#include <QPoint>
#include <QString>

// One of the eight tileset slots: the full-resolution tileset (7 x 4 subtiles
// of 144 pixels), the file it came from and the metadata read beside it, its
// palette at one third with the grid, its transparency setting and the palette
// cell under its outline. Edits of the picture or the metadata mark it modified
// until it is saved or replaced.
class TilesetSlot
{
public:
    TilesetSlot();

    const QImage &fullImage() const;
    const QString &path() const { return m_path; }
    const QImage &palette() const { return m_palette; }
    bool hasPalette() const { return m_paletteBuilt; }
    // No tileset was ever loaded into the slot.
    bool isEmpty() const { return m_fullImage.isNull(); }

    const TileData &tileData() const { return m_tileData; }
    bool isModified() const { return m_modified; }

    // The picture drawn at the top-left of a blank tileset, cut at 1008 x 576;
    // the metadata is read from beside path, once.
    void setPicture(const QImage &picture, const QString &path);
    // A blank tileset with no file behind it, named setName.
    void makeEmpty(const QString &setName);
    void setTileData(const TileData &data);
    // The tileset now is what path holds.
    void markSaved(const QString &path);
    // The tileset belongs to path but differs from it, as work kept from a crash does.
    void markUnsaved(const QString &path);
    // The palette: the full image at one third with the grid laid over it.
    void buildPalette();
    // Takes another slot's tileset, path and palette; this slot's settings stay.
    void takeTileset(const TilesetSlot &other);
    // Replaces one subtile and redraws its palette cell with its grid frame.
    void replaceSubtile(int column, int row, const QImage &subtile);
    QImage subtile(int column, int row) const;
    // Memory the pictures take.
    qint64 bytes() const;

    TransparencySetting transparency;
    // The cell under the slot's outline, kept per slot.
    QPoint outlineCell;

private:
    QImage m_fullImage; // null while the slot is empty
    QString m_path;
    QImage m_palette;
    TileData m_tileData;
    bool m_paletteBuilt = false;
    bool m_modified = false;
};
