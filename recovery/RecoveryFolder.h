#pragma once

#include <QCoreApplication>
#include <QString>

#include <memory>
#include <vector>

class RecoveredWork;

// The folder every editor keeps its recovery session in, as the next start
// finds it: the sessions whose editors ended without closing. Everything else
// there, and the folder itself when it is a symbolic link, is left alone.
class RecoveryFolder
{
    Q_DECLARE_TR_FUNCTIONS(RecoveryFolder)

public:
    struct LeftBehind
    {
        // Newest first, each locked for the caller.
        std::vector<std::unique_ptr<RecoveredWork>> work;
        // A sentence to show once when some of what is kept there was left
        // unread, or the folder was not looked into; empty otherwise.
        QString notice;
    };

    // The sessions in folder that no running editor holds. A session that kept
    // nothing is removed on the way; one with nothing that can be read is kept.
    static LeftBehind leftBehind(const QString &folder);
};
