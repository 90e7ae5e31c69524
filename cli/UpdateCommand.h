#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Lays every placement made from a tileset again from a fixed version of it,
// in each document named, and saves each in place as a save does: a whole
// new file, or the old one untouched. Documents are read under the sandbox,
// as exports read them; one line on standard output tells what became of each
// document, and one each tileset that matched nothing anywhere.
class UpdateCommand
{
    Q_DECLARE_TR_FUNCTIONS(UpdateCommand)

public:
    static inline const QString Option = QStringLiteral("update");

    // Returns the exit status, or ends the process with it: 1 when any
    // document could not be updated, 2 when the arguments cannot be used.
    static int run(const QStringList &tilesets, const QStringList &documents);
};
