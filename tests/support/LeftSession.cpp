#include "LeftSession.h"

#include "TestImages.h"
#include "recovery/RecoverySession.h"
#include "recovery/RecoveryWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QUuid>

namespace LeftSession {

QString abandonedCopy(const QString &session)
{
    // The number of a process that has ended and been waited for names no process now.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    const qint64 pid = ended.waitForStarted() ? ended.processId() : 0;
    ended.waitForFinished();
    // Named as a session is, beside it.
    const QString copy = QFileInfo(session).dir().filePath(QUuid::createUuid().toString(QUuid::WithoutBraces));
    QDir().mkpath(copy);
    const QDir from(session);
    for (const QString &name : from.entryList(QDir::Files | QDir::Hidden))
        QFile::copy(from.filePath(name), QDir(copy).filePath(name));
    // The lines of a lock file: process, program, host.
    TestImages::writeText(copy + QStringLiteral(".lock"),
                          QByteArray::number(pid) + "\ncryptwright\n" + QSysInfo::machineHostName().toUtf8() + '\n');
    return copy;
}

QString keeping(Workspace &w, const QString &folder)
{
    RecoveryWriter writer(w, std::make_unique<RecoverySession>(folder), std::chrono::hours(1));
    writer.write();
    writer.flush();
    return abandonedCopy(writer.session().path());
}

} // namespace LeftSession
