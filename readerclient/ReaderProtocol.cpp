#include "readerclient/ReaderProtocol.h"

#include "readerclient/DocumentAnswer.h"
#include "pictures/PictureDecoder.h"
#include "raster/Geometry.h"
#include "raster/RasterOps.h"

#include <QtEndian>

#include <algorithm>

namespace ReaderProtocol {

namespace {

constexpr char ImageKind = 'I', ErrorKind = 'E';
// A whole picture's pixels: what the decoder takes at most.
constexpr qint64 WholePictureBytes = qint64(PictureDecoder::AllocationLimitMb) * 1024 * 1024;

} // namespace

QByteArray encodeRequest(const Request &request)
{
    const QByteArray name = request.name.toUtf8().left(MaxNameBytes);
    QByteArray bytes(RequestHeaderBytes, '\0');
    char *p = bytes.data();
    p[0] = char(request.kind);
    qToLittleEndian<quint32>(request.background, p + 4);
    qToLittleEndian<quint32>(quint32(name.size()), p + 8);
    qToLittleEndian<qint64>(request.fileBytes, p + 16);
    return bytes + name;
}

bool decodeRequestHeader(const char *header, Request *request, quint32 *nameBytes)
{
    const quint8 kind = quint8(header[0]);
    if (kind < quint8(Kind::WholePicture) || kind > quint8(Kind::FinishedMaptile))
        return false;
    request->kind = Kind(kind);
    request->background = qFromLittleEndian<quint32>(header + 4);
    *nameBytes = qFromLittleEndian<quint32>(header + 8);
    request->fileBytes = qFromLittleEndian<qint64>(header + 16);
    return *nameBytes <= MaxNameBytes && request->fileBytes >= 0 && request->fileBytes <= MaxFileBytes;
}

Answer encodeAnswer(const QByteArray &body)
{
    Answer answer;
    answer.head.resize(LengthBytes);
    qToLittleEndian<quint64>(quint64(body.size()), answer.head.data());
    answer.head += body;
    return answer;
}

Answer encodeAnswer(const QImage &picture, const QString &error)
{
    if (picture.isNull())
        return encodeAnswer(QByteArray(1, ErrorKind) + error.toUtf8());
    Answer answer;
    // Pixels only: a colour table does not travel.
    answer.image = picture.colorCount() ? picture.convertToFormat(QImage::Format_ARGB32) : picture;
    const QImage &image = answer.image;
    answer.head = QByteArray(LengthBytes + PictureHeaderBytes, '\0');
    char *p = answer.head.data();
    qToLittleEndian<quint64>(quint64(PictureHeaderBytes + image.sizeInBytes()), p);
    p += LengthBytes;
    *p++ = ImageKind;
    for (const qsizetype field : {qsizetype(image.width()), qsizetype(image.height()), qsizetype(image.format()),
                                  image.bytesPerLine()}) {
        qToLittleEndian<qint32>(qint32(field), p);
        p += 4;
    }
    return answer;
}

QImage decodeAnswer(const QByteArray &bytes, QString *error)
{
    if (bytes.startsWith(ErrorKind)) {
        *error = QString::fromUtf8(bytes.constData() + 1, bytes.size() - 1);
        return {};
    }
    if (bytes.size() < PictureHeaderBytes || bytes.front() != ImageKind)
        return {};
    const char *p = bytes.constData() + 1;
    const int width = qFromLittleEndian<qint32>(p), height = qFromLittleEndian<qint32>(p + 4);
    const int format = qFromLittleEndian<qint32>(p + 8), bytesPerLine = qFromLittleEndian<qint32>(p + 12);
    if (width <= 0 || height <= 0 || format <= QImage::Format_Invalid || format >= QImage::NImageFormats)
        return {};
    const QImage::Format imageFormat = QImage::Format(format);
    const qint64 minimumLine = (qint64(width) * QImage::toPixelFormat(imageFormat).bitsPerPixel() + 31) / 32 * 4;
    const qint64 pixelBytes = qint64(bytesPerLine) * height;
    if (bytesPerLine < minimumLine || bytesPerLine % 4 || pixelBytes != bytes.size() - PictureHeaderBytes)
        return {};
    // The image keeps the bytes it arrived in instead of copying them.
    auto *keep = new QByteArray(bytes);
    auto *pixels = reinterpret_cast<const uchar *>(keep->constData() + PictureHeaderBytes);
    if (quintptr(pixels) % 4) {
        delete keep;
        return {};
    }
    return QImage(
        pixels, width, height, bytesPerLine, imageFormat, [](void *kept) { delete static_cast<QByteArray *>(kept); },
        keep);
}

qint64 maxAnswerBytes(Kind kind)
{
    // Four bytes a pixel at most, and lines padded to four bytes.
    const qint64 maptileBytes = qint64(Geometry::MaxColumns) * Geometry::MaxRows * Geometry::SpaceSize
        * Geometry::SpaceSize * 4;
    switch (kind) {
    case Kind::WholePicture:
        return std::max(PictureHeaderBytes + WholePictureBytes, MaxRefusalBytes);
    case Kind::Maptile:
        return std::max(DocumentAnswer::maxBytes(), MaxRefusalBytes);
    case Kind::FinishedMaptile:
        return std::max(PictureHeaderBytes + maptileBytes, MaxRefusalBytes);
    }
    return 0;
}

bool answerFits(Kind kind, const QImage &picture)
{
    // Every reading hands over opaque pixels.
    if (picture.format() != RasterOps::Format && picture.format() != QImage::Format_RGB888)
        return false;
    if (kind == Kind::WholePicture)
        return picture.sizeInBytes() <= WholePictureBytes;
    if (kind == Kind::Maptile)
        return false;
    const int columns = picture.width() / Geometry::SpaceSize, rows = picture.height() / Geometry::SpaceSize;
    return picture.size() == QSize(columns, rows) * Geometry::SpaceSize && columns >= 1
        && columns <= Geometry::MaxColumns && rows >= 1 && rows <= Geometry::MaxRows;
}

} // namespace ReaderProtocol
