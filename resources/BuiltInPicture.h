#pragma once

#include <QImage>
#include <QString>

// The PNG pictures built into the program. Read with their format named and
// nothing guessed: a guess has Qt load every image plugin it has, with their
// libraries, to ask each about the file.
namespace BuiltInPicture {

QImage load(const QString &path);

} // namespace BuiltInPicture
