#pragma once

#include <QString>

class QWidget;

// The program's file dialogs. Each returns the chosen path, or the empty
// text when the user cancels. They open in the folder of the file chosen last,
// in this run or an earlier one.
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
// "Save As" dialog for the maptile: document first, then JPEG, bitmap and PNG;
// suggested (a path, or a name for the folder last used) is filled in and its
// type chosen. A name typed without an extension gets the chosen type's, and
// replacing a file is confirmed.
QString showSave(QWidget *owner, const QString &suggested);
// "Save Tileset As" dialog: PNG, bitmap or JPEG, otherwise as showSave().
QString showSaveTileset(QWidget *owner, const QString &suggested);

} // namespace FileDialogs
