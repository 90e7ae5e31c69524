#pragma once

#include <QString>

class QCommandLineParser;

// The command that writes every document onto sheets of paper in one PDF,
// with the backs of two-sided sheets read from documents or pictures.
class SheetCommand
{
public:
    // The option that asks for sheets.
    static const QString PaperOption;

    // Adds the options of sheets to parser, in the order --help lists them.
    static void addOptions(QCommandLineParser &parser);
    // Writes the sheets of the parsed command to out. Arguments that cannot
    // be used return 2 and a back that cannot be read 1, each with one line
    // printed and no file made; once the files are open, the process ends
    // with the status instead of returning.
    static int run(const QCommandLineParser &parser, const QString &out);
};
