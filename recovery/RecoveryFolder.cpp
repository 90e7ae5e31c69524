#include "recovery/RecoveryFolder.h"

#include "recovery/RecoveredWork.h"
#include "recovery/RecoveryFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

RecoveryFolder::LeftBehind RecoveryFolder::leftBehind(const QString &folder)
{
    LeftBehind found;
    const QFileInfo info(folder);
    // It could lead to any folder at all, whose files would then be taken for sessions.
    if (info.isSymLink()) {
        found.notice = tr("Work kept in \"%1\" after a crash is neither offered nor removed: the folder is a "
                          "symbolic link, which could lead anywhere.")
                           .arg(QDir::toNativeSeparators(folder));
        return found;
    }
    if (!info.isDir())
        return found;
    const QDir recovery(folder);
    const QStringList names = recovery.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    bool unreadable = false;
    for (const QString &name : names) {
        const QString session = recovery.filePath(name);
        if (!RecoveryFiles::isSessionName(name) || !RecoveryFiles::isSession(session))
            continue;
        if (!RecoveryFiles::canLock(session)) {
            unreadable = true;
            continue;
        }
        std::unique_ptr<QLockFile> lock = RecoveryFiles::lockFor(session);
        // Held: its editor is running.
        if (!lock->tryLock())
            continue;
        auto work = std::make_unique<RecoveredWork>(session, std::move(lock));
        unreadable = unreadable || work->hasUnreadable();
        if (!work->isEmpty())
            found.work.push_back(std::move(work));
        else if (!work->hasUnreadable())
            work->discard();
    }
    // A lock whose folder went before it, when an editor ended just between the two.
    for (const QString &name : names) {
        if (!name.endsWith(QStringLiteral(".lock")))
            continue;
        const QString session = recovery.filePath(name.chopped(5));
        const QFileInfo left(session);
        if (RecoveryFiles::isSessionName(left.fileName()) && !left.exists() && !left.isSymLink()
            && RecoveryFiles::canLock(session))
            RecoveryFiles::lockFor(session)->tryLock(); // removed again as it goes
    }
    std::sort(found.work.begin(), found.work.end(),
              [](const auto &a, const auto &b) { return a->savedAt() > b->savedAt(); });
    if (unreadable) {
        found.notice =
            tr("Some work kept in \"%1\" could not be read and was left there.").arg(QDir::toNativeSeparators(folder));
    }
    return found;
}
