#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// A program run as a user runs it from a shell with no display, and the files it leaves.
namespace ShellRun {

struct Result
{
    int exitCode; // -1 when it crashed or did not finish in time
    QByteArray output, error;
};

Result run(const QString &executable, const QStringList &arguments, const QString &folder, int timeoutMs = 60'000);

// Every file under folder with its bytes.
QMap<QString, QByteArray> filesIn(const QString &folder);

} // namespace ShellRun
