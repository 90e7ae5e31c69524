#pragma once

#include <QString>

class Workspace;

// Recovery sessions as an editor that did not close leaves them.
namespace LeftSession {

// A copy of the session folder at session beside it, under a session's name
// of its own, whose lock names a process that has ended; returns the copy's path.
QString abandonedCopy(const QString &session);
// A session in folder keeping w's unsaved work, left by an editor that did not close; returns its path.
QString keeping(Workspace &w, const QString &folder);

} // namespace LeftSession
