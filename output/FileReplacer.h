#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// Replaces a file atomically: what is written goes to a new file that takes
// the name only when it is complete, so a failed save leaves no partial file
// and never touches an existing one.
class FileReplacer
{
public:
    // Replaces path with what fill writes into it; fill returns the empty
    // text or the reason it failed. Returns the empty text on success,
    // otherwise describe(path, reason).
    static QString write(const QString &path, const std::function<QString(QIODevice &)> &fill);
    static QString writeBytes(const QByteArray &bytes, const QString &path);
    // The sentence for a save that failed.
    static QString describe(const QString &path, const QString &reason);
};
