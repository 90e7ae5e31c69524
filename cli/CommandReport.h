#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class ExportFiles;
class QCommandLineParser;

// What the command line tells the user, one line of standard error for each
// failure, and how it ends once it may have confined itself.
class CommandReport
{
public:
    static void print(const QString &line);
    // One line of standard output.
    static void tell(const QString &line);
    // Prints every error that is not empty and counts them into failures.
    static void printErrors(const QStringList &errors, int *failures);
    // Ends a process that has confined itself: what the application and the
    // libraries would do at exit is nothing it needs, and not all of it is allowed.
    [[noreturn]] static void leave(int status);
    // Starts the renaming process and confines this process, or ends it with the reason.
    static void confine(ExportFiles &files);
    // A whole number from low to high given to an option, or nothing with the reason printed.
    static std::optional<int> number(const QCommandLineParser &parser, const QString &option, int low, int high);
};
