#include "files/WholeWriteDevice.h"

WholeWriteDevice::WholeWriteDevice(QIODevice &target)
    : m_target(target)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 WholeWriteDevice::readData(char *, qint64)
{
    return -1;
}

qint64 WholeWriteDevice::writeData(const char *data, qint64 size)
{
    if (!m_failure.isEmpty())
        return -1;
    for (qint64 written = 0; written < size;) {
        const qint64 n = m_target.write(data + written, size - written);
        if (n <= 0) {
            m_failure = m_target.errorString();
            // Qt's words for no reason, in the user's language, are what this
            // device still says of itself before it has failed.
            if (m_failure.isEmpty() || m_failure == errorString())
                m_failure = tr("not every byte could be written");
            setErrorString(m_failure);
            return -1;
        }
        written += n;
    }
    return size;
}
