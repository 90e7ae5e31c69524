#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// Folders of maptile documents made on the fly, for the set's tests and benchmark.
namespace SetFolder {

// A document of size spaces, numbered number, by designer, with a subtile laid
// from a tileset of each set name (a name ending in .png is a tileset file without one).
void writeDocument(const QString &path, const QString &number, QSize size, const QString &designer = {},
                   const QStringList &setNames = {});

// The set the tests know, in its order: d.ora (2, laid from "Stone Floors" and walls.png), b.ora and a.ora sharing
// 07, e.ora (10), c.ora without a number; then foreign.ora, a painting
// program's, and broken.ora, no zip at all. notes.txt is no document.
void writeKnownSet(const QString &folder);

} // namespace SetFolder
