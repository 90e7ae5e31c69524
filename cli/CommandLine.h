#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The program's command line: a file to open in the editor, or documents to
// export without any window (which needs no display), plus help and version.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Whether the arguments ask for work without a window: exporting, help or version.
    static bool runsWithoutWindow(int argc, char **argv);
    // Does that work and returns the exit status. A failure is one line on
    // standard error naming the file and the reason; the other documents are
    // still written.
    static int runWithoutWindow(int argc, char **argv);

    // The file the editor is to open after start-up, from the application's
    // arguments; empty for none. Unknown options end the program with a message.
    static QString fileToOpen(const QStringList &arguments);
};
