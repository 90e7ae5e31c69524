#pragma once

#include <QString>

class QWidget;

// The program's file dialogs. Each returns the chosen path, or the empty
// text when the user cancels.
namespace FileDialogs {

// "Open" dialog for an existing file; filter is a Qt name filter list
// separated by ";;".
QString showOpen(QWidget *owner, const QString &filter);
// The filter of the tileset load buttons: the design's graphic files plus
// every other format the image plugins read.
QString tilesetFilter();
// The filter of the open button: bitmaps and JPEGs first, then maptile
// documents and every other format a maptile picture can be read from.
QString maptileFilter();
// "Save As" dialog for the maptile: JPEG, bitmap, PNG or document; a name typed without
// an extension gets the chosen type's, and replacing a file is confirmed.
QString showSave(QWidget *owner);
// "Save Tileset As" dialog: PNG, bitmap or JPEG, starting at suggested; a name
// typed without an extension gets the chosen type's.
QString showSaveTileset(QWidget *owner, const QString &suggested);

} // namespace FileDialogs
