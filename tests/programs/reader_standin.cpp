// Stands in for the reading process where a test needs one that misbehaves:
// it reads each request as the real one does, then does what the file's name
// begins with: "crash" dies of a fault, "hang" never answers, "memory" ends
// as a process out of memory does, "unconfined" as one that cannot confine
// itself, "garbage" answers with bytes that are no picture.
//
// A name ending in ".ora" is answered with a document, as a reading process
// taken over by the file might send it, laid from one tileset on its first
// space: "wide" 100 x 6 spaces, "six columns" 6 x 6, "designer" with a
// designer's name of 300,000 characters, "number" with a maptile number of
// 5,000, "longest" with every text and font name as long as a document may
// have them, "stack" with 65 placements on a space, "copy" with a placement
// from a second tileset it does not carry, "state" with its document
// whatever was asked; any other 5 x 6 and plain. "small" is answered with a
// picture of 100 x 100 pixels, any other name with one of 2 x 1.
#include "document/MaptileDocument.h"
#include "raster/RasterOps.h"
#include "readerclient/DocumentAnswer.h"
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

QImage masterOf(const QByteArray &name)
{
    const QSize spaces = name.startsWith("wide") ? QSize(100, 6) : name.startsWith("six columns") ? QSize(6, 6) : QSize(5, 6);
    QImage master(spaces * Geometry::SpaceSize, RasterOps::Format);
    master.fill(qRgb(1, 2, 3));
    return master;
}

QByteArray documentAnswer(const QByteArray &name)
{
    const QImage master = masterOf(name);
    MaptileDocument document;
    document.maptile.setMaster(master);
    const bool longest = name.startsWith("longest");
    document.mapNum = QString(name.startsWith("number") ? 5000 : longest ? 2 : 1, u'7');
    document.designer = QString(name.startsWith("designer") ? 300000 : longest ? 1000 : 3, u'A');
    DocumentFont font{QString(longest ? 200 : 4, u'F'), 400, 0xff102030};
    document.mapNumFont = document.speedFont = MaptileDocument::fontOf(font, &document.mapNumColour);
    document.speedColour = document.mapNumColour;
    SpeedValues speed;
    for (auto &column : speed)
        column.fill(QString(longest ? 100 : 1, u'9'));
    document.maptile.setSpeedValues(speed);
    document.editable = true;
    // The tileset is the master's colour: laid plain, it leaves the master as it is.
    TilesetCopy copy{QImage(Geometry::TilesetSize, RasterOps::Format), QStringLiteral("floors.png"), {}};
    copy.picture.fill(qRgb(1, 2, 3));
    DocumentAnswer::Stacks stacks;
    const int placements = name.startsWith("stack") ? 65 : 1;
    LaidSubtile laid;
    laid.copy = name.startsWith("copy") ? 1 : 0;
    laid.cell = {6, 3};
    stacks[0].assign(size_t(placements), laid);
    return DocumentAnswer::encode(document, master, {copy}, stacks);
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
        QImage picture(name.startsWith("small") ? QSize(100, 100) : QSize(2, 1), QImage::Format_RGB32);
        picture.fill(qRgb(1, 2, 3));
        if (name.endsWith(".ora"))
            picture = masterOf(name);
        const bool document = name.endsWith(".ora")
            && (request.kind == ReaderProtocol::Kind::Maptile || name.startsWith("state"));
        const ReaderProtocol::Answer answer = document ? ReaderProtocol::encodeAnswer(documentAnswer(name))
                                                       : ReaderProtocol::encodeAnswer(picture, {});
        writeAll(answer.head
                 + QByteArray(reinterpret_cast<const char *>(answer.image.constBits()), answer.image.sizeInBytes()));
    }
}
