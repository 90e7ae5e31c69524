#include "readerprocess/RequestServer.h"

#include "document/DocumentArchive.h"
#include "document/DocumentReader.h"
#include "document/MaptileFileReader.h"
#include "pictures/TilesetPicture.h"
#include "readerclient/DocumentAnswer.h"

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

#include <unistd.h>

namespace {

constexpr int Input = STDIN_FILENO, Output = STDOUT_FILENO;

// False at the end of the input.
bool readAll(char *data, qint64 size)
{
    for (qint64 done = 0; done < size;) {
        const ssize_t n = ::read(Input, data + done, size_t(std::min<qint64>(size - done, qint64(1) << 30)));
        if (n == 0 || (n < 0 && errno != EINTR))
            return false;
        done += std::max<ssize_t>(n, 0);
    }
    return true;
}

// Writes the parts one after another, as one answer.
bool writeAll(std::initializer_list<std::pair<const char *, qint64>> parts)
{
    for (auto [data, size] : parts) {
        for (qint64 done = 0; done < size;) {
            const ssize_t n = ::write(Output, data + done, size_t(std::min<qint64>(size - done, qint64(1) << 30)));
            if (n < 0 && errno != EINTR)
                return false;
            done += std::max<ssize_t>(n, 0);
        }
    }
    return true;
}

} // namespace

ReaderProtocol::Answer RequestServer::read(const ReaderProtocol::Request &request, const QByteArray &bytes)
{
    QString error;
    switch (request.kind) {
    case ReaderProtocol::Kind::WholePicture:
        return ReaderProtocol::encodeAnswer(TilesetPicture::decode(bytes, request.name, request.background, &error),
                                            error);
    case ReaderProtocol::Kind::Maptile: {
        const MaptileDocument document = MaptileFileReader::decode(bytes, request.name, request.background, &error);
        return document.maptile.master().isNull() ? ReaderProtocol::encodeAnswer(QImage(), error)
                                                  : ReaderProtocol::encodeAnswer(DocumentAnswer::encode(document));
    }
    case ReaderProtocol::Kind::FinishedMaptile: {
        QString reason;
        const QImage finished = DocumentReader::decodeFinished(bytes, &reason, request.background);
        if (!reason.isEmpty())
            error = DocumentArchive::failure(request.name, reason);
        return ReaderProtocol::encodeAnswer(finished, error);
    }
    }
    return ReaderProtocol::encodeAnswer(QImage(), error);
}

int RequestServer::run()
{
    for (;;) {
        try {
            char header[ReaderProtocol::RequestHeaderBytes];
            ReaderProtocol::Request request;
            quint32 nameBytes = 0;
            if (!readAll(header, sizeof header))
                return 0; // the editor let this process go
            if (!ReaderProtocol::decodeRequestHeader(header, &request, &nameBytes))
                return 1;
            QByteArray name(nameBytes, Qt::Uninitialized), bytes(request.fileBytes, Qt::Uninitialized);
            if (!readAll(name.data(), name.size()) || !readAll(bytes.data(), bytes.size()))
                return 1;
            request.name = QString::fromUtf8(name);
            const ReaderProtocol::Answer answer = read(request, std::exchange(bytes, {}));
            if (!writeAll({{answer.head.constData(), answer.head.size()},
                           {reinterpret_cast<const char *>(answer.image.constBits()), answer.image.sizeInBytes()}}))
                return 1;
        } catch (const std::bad_alloc &) {
            return ReaderProtocol::OutOfMemoryExit;
        }
    }
}
