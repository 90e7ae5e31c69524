#include "files/FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

FileIdentity FileIdentity::of(const QString &path)
{
    FileIdentity identity;
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) == 0) {
        identity.m_valid = true;
        identity.m_device = info.st_dev;
        identity.m_inode = info.st_ino;
    }
    return identity;
}
