#include "pictures/PictureFile.h"

#include <QFile>
#include <QFileInfo>

QString PictureFile::open(QFile &file)
{
    const QFileInfo info(file.fileName());
    if (!info.exists())
        return tr("the file does not exist");
    if (info.isDir())
        return tr("it is a folder, not a picture");
    // Devices and pipes could block the read for ever.
    if (!info.isFile())
        return tr("it is not a picture file");
    if (!file.open(QIODevice::ReadOnly))
        return tr("the file cannot be read (%1)").arg(file.errorString());
    if (file.size() == 0)
        return tr("the file is empty");
    if (file.size() > MaxBytes)
        return tr("the file is too large to be a picture");
    return {};
}

QByteArray PictureFile::read(const QString &path, QString *error)
{
    QFile file(path);
    if (const QString reason = open(file); !reason.isEmpty()) {
        *error = failure(path, reason);
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) {
        *error = failure(path, tr("the file cannot be read (%1)").arg(file.errorString()));
        return {};
    }
    return bytes;
}

QString PictureFile::failure(const QString &path, const QString &reason)
{
    return tr("Cannot open \"%1\": %2.").arg(QFileInfo(path).fileName(), reason);
}
