#include "cli/CommandReport.h"

#include "cli/CommandLine.h"
#include "cli/ExportFiles.h"

#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>

void CommandReport::print(const QString &line)
{
    std::fprintf(stderr, "cryptwright: %s\n", qPrintable(line));
}

void CommandReport::tell(const QString &line)
{
    std::fprintf(stdout, "%s\n", qPrintable(line));
}

void CommandReport::printErrors(const QStringList &errors, int *failures)
{
    for (const QString &error : errors) {
        if (!error.isEmpty()) {
            print(error);
            ++*failures;
        }
    }
}

void CommandReport::leave(int status)
{
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}

void CommandReport::confine(ExportFiles &files)
{
    QString error;
    if (files.confine(&error))
        return;
    print(error);
    files.end();
    leave(1);
}

std::optional<int> CommandReport::number(const QCommandLineParser &parser, const QString &option, int low, int high)
{
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (ok && value >= low && value <= high)
        return value;
    print(CommandLine::tr("--%1 must be a whole number from %2 to %3, not \"%4\".")
              .arg(option)
              .arg(low)
              .arg(high)
              .arg(parser.value(option)));
    return std::nullopt;
}
