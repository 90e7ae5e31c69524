#pragma once

#include <QString>

#include <sys/types.h>

// Which file a name leads to, links followed: two names are the same file
// when their device and inode agree, however differently they are spelt.
class FileIdentity
{
public:
    // Invalid when nothing exists at path.
    static FileIdentity of(const QString &path);

    bool isValid() const { return m_valid; }
    bool operator==(const FileIdentity &other) const
    {
        return m_valid && other.m_valid && m_device == other.m_device && m_inode == other.m_inode;
    }

private:
    bool m_valid = false;
    dev_t m_device = 0;
    ino_t m_inode = 0;
};
