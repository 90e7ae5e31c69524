#pragma once

// What every fuzz target needs around the code it feeds: a scratch folder,
// the input written to a file there, and a check that stops the run.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace FuzzSupport {

// Removed with its files when the run ends.
inline QTemporaryDir &scratch()
{
    static QTemporaryDir folder;
    return folder;
}

// Writes bytes to name in the scratch folder; the path, or empty when that failed.
inline QString writeScratch(const QString &name, const QByteArray &bytes)
{
    const QString path = scratch().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

// A broken rule is a finding: libFuzzer keeps the input that shows it.
inline void check(bool condition, const char *target, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "%s: %s\n", target, what);
        std::abort();
    }
}

} // namespace FuzzSupport
