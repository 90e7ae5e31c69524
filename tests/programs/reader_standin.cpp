// Stands in for the reading process where a test needs one that misbehaves:
// it reads each request as the real one does, then does what the file's name
// begins with: "crash" dies of a fault, "hang" never answers, "memory" ends
// as a process out of memory does, "unconfined" as one that cannot confine
// itself, "garbage" answers with bytes that are no picture. Any other name is
// answered with a 2 x 1 picture.
#include "readerclient/ReaderProtocol.h"

#include <QImage>

#include <csignal>
#include <cstdio>

#include <unistd.h>

namespace {

bool readAll(char *data, qint64 size)
{
    for (qint64 done = 0; done < size;) {
        const ssize_t n = read(STDIN_FILENO, data + done, size_t(size - done));
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void writeAll(const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();)
        done += std::max<ssize_t>(write(STDOUT_FILENO, bytes.constData() + done, size_t(bytes.size() - done)), 0);
}

} // namespace

int main()
{
    for (;;) {
        char header[ReaderProtocol::RequestHeaderBytes];
        ReaderProtocol::Request request;
        quint32 nameBytes = 0;
        if (!readAll(header, sizeof header) || !ReaderProtocol::decodeRequestHeader(header, &request, &nameBytes))
            return 0;
        QByteArray name(nameBytes, '\0'), bytes(request.fileBytes, '\0');
        if (!readAll(name.data(), name.size()) || !readAll(bytes.data(), bytes.size()))
            return 0;
        if (name.startsWith("crash"))
            raise(SIGSEGV);
        if (name.startsWith("hang"))
            for (;;)
                pause();
        if (name.startsWith("memory"))
            return ReaderProtocol::OutOfMemoryExit;
        if (name.startsWith("unconfined"))
            return ReaderProtocol::NotConfinedExit;
        if (name.startsWith("garbage")) {
            writeAll(QByteArray("\x10\0\0\0\0\0\0\0", 8) + QByteArray(16, 'x'));
            continue;
        }
        QImage picture(2, 1, QImage::Format_RGB32);
        picture.fill(qRgb(1, 2, 3));
        const ReaderProtocol::Answer answer = ReaderProtocol::encodeAnswer(picture, {}, false);
        writeAll(answer.head
                 + QByteArray(reinterpret_cast<const char *>(answer.image.constBits()), answer.image.sizeInBytes())
                 + answer.tail);
    }
}
