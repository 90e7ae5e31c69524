#pragma once

#include <QCoreApplication>
#include <QStringList>

// The command that lists a set of maptile documents: one tab-separated line
// on standard output for each (file name, maptile number, COLUMNSxROWS,
// designer, the set names of the tilesets it was laid from), in the set's
// order, and on standard error a line for each number two documents share,
// each document without a number and each that cannot be read.
class ListCommand
{
    Q_DECLARE_TR_FUNCTIONS(ListCommand)

public:
    // Lists the documents named and those in the folders named; 0 when all
    // were read and every number is there once, 1 otherwise, 2 when nothing
    // was named. Once the files are open, the process ends with the status
    // instead of returning.
    static int run(const QStringList &paths);
};
