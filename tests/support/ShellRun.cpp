#include "support/ShellRun.h"

#include "support/TestImages.h"

#include <QDirIterator>
#include <QProcess>

namespace ShellRun {

Result run(const QString &executable, const QStringList &arguments, const QString &folder, int timeoutMs)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(folder);
    program.start(executable, arguments);
    program.waitForFinished(timeoutMs);
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1, program.readAllStandardOutput(),
            program.readAllStandardError()};
}

QMap<QString, QByteArray> filesIn(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
         it.hasNext();) {
        // Named first: the order in which a call's arguments are worked out is the compiler's.
        const QString path = it.next();
        files.insert(path, TestImages::readAll(path));
    }
    return files;
}

} // namespace ShellRun
