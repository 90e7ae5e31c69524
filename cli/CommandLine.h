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
    // Whether the arguments ask for work without a window: exporting, help or
    // version, or a refusal of arguments the editor cannot take (an unknown
    // option, an option that does nothing there, several files), which is
    // given before any window or display is asked for.
    static bool runsWithoutWindow(int argc, char **argv);
    // Does that work and returns the exit status, or ends the process with
    // it. A failure is one line on standard error naming the file and the
    // reason; the other documents are still written. Arguments that cannot be
    // used are one line and status 2, with nothing read or written.
    static int runWithoutWindow(int argc, char **argv);

    // The file the editor is to open after start-up, from the application's
    // arguments once runsWithoutWindow() has passed them; empty for none.
    static QString fileToOpen(const QStringList &arguments);
};
