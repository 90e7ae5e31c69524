#pragma once

#include "document/MaptileDocument.h"

#include <QSize>
#include <QString>
#include <QStringList>

// Folders of maptile documents made on the fly, for the set's tests and benchmark.
namespace SetFolder {

// A document of size spaces, numbered number, by designer, with cell 0, 0 laid on
// space i, 0 (wrapping) from a tileset of each set name i (a name ending in
// .png is a tileset file without one; each tileset has pixels of its own).
MaptileDocument document(const QString &number, QSize size, const QString &designer = {},
                         const QStringList &setNames = {});
// That document written to path.
void writeDocument(const QString &path, const QString &number, QSize size, const QString &designer = {},
                   const QStringList &setNames = {});

// The set the tests know, in its order: d.ora (2, laid from "Stone Floors" and walls.png), b.ora and a.ora sharing
// 07, e.ora (10), c.ora without a number; then foreign.ora, a painting
// program's, and broken.ora, no zip at all. notes.txt is no document.
void writeKnownSet(const QString &folder);

} // namespace SetFolder
