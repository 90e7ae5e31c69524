#include "output/FileReplacer.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

QString FileReplacer::describe(const QString &path, const QString &reason)
{
    QString text = reason.trimmed();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return QStringLiteral("Cannot save \"%1\": %2.").arg(QDir::toNativeSeparators(path), text);
}

QString FileReplacer::write(const QString &path, const std::function<QString(QIODevice &)> &fill)
{
    const QFileInfo info(path);
    if (info.isDir())
        return describe(path, QStringLiteral("it is a folder"));
    // A device or pipe cannot be replaced by renaming a new file over it.
    if (info.exists() && !info.isFile())
        return describe(path, QStringLiteral("it is not a regular file"));
    if (!info.absoluteDir().exists())
        return describe(path, QStringLiteral("the folder does not exist"));

    // Unbuffered, so that a full disk is noticed by the write that meets it
    // and not lost in a final flush.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return describe(path, file.errorString());
    const QString reason = fill(file);
    if (!reason.isEmpty() || file.error() != QFileDevice::NoError) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString() : reason;
        file.cancelWriting();
        return describe(path, why);
    }
    if (!file.commit())
        return describe(path, file.errorString());
    return {};
}

QString FileReplacer::writeBytes(const QByteArray &bytes, const QString &path)
{
    // On to the write that fails, whose reason is the system's (a full disk).
    return write(path, [&bytes](QIODevice &file) {
        for (qint64 written = 0; written < bytes.size();) {
            const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
            if (n <= 0)
                return file.errorString();
            written += n;
        }
        return QString();
    });
}
