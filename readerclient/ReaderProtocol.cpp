#include "readerclient/ReaderProtocol.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

#include <cstring>

namespace ReaderProtocol {

namespace {

constexpr char ImageKind = 'I', ErrorKind = 'E';

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

Answer encodeAnswer(const QImage &picture, const QString &error, bool withTexts)
{
    Answer answer;
    if (picture.isNull()) {
        const QByteArray sentence = QByteArray(1, ErrorKind) + error.toUtf8();
        answer.head.resize(LengthBytes);
        qToLittleEndian<quint64>(quint64(sentence.size()), answer.head.data());
        answer.head += sentence;
        return answer;
    }
    // Pixels only: a colour table does not travel.
    answer.image = picture.colorCount() ? picture.convertToFormat(QImage::Format_ARGB32) : picture;
    const QImage &image = answer.image;
    // What the reader said about the picture besides its pixels. The image
    // that arrives copies its pixels to take them.
    QDataStream stream(&answer.tail, QIODevice::WriteOnly);
    for (const QString &key : withTexts ? image.textKeys() : QStringList())
        stream << key << image.text(key);
    answer.head = QByteArray(LengthBytes + PictureHeaderBytes, '\0');
    char *p = answer.head.data();
    qToLittleEndian<quint64>(quint64(PictureHeaderBytes + image.sizeInBytes() + answer.tail.size()), p);
    p += LengthBytes;
    *p++ = ImageKind;
    for (const qsizetype field : {qsizetype(image.width()), qsizetype(image.height()), qsizetype(image.format()),
                                  image.bytesPerLine(), answer.tail.size()}) {
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
    const int textBytes = qFromLittleEndian<qint32>(p + 16);
    if (width <= 0 || height <= 0 || format <= QImage::Format_Invalid || format >= QImage::NImageFormats
        || textBytes < 0)
        return {};
    const QImage::Format imageFormat = QImage::Format(format);
    const qint64 minimumLine = (qint64(width) * QImage::toPixelFormat(imageFormat).bitsPerPixel() + 31) / 32 * 4;
    const qint64 pixelBytes = qint64(bytesPerLine) * height;
    if (bytesPerLine < minimumLine || bytesPerLine % 4 || pixelBytes + textBytes != bytes.size() - PictureHeaderBytes)
        return {};
    // The image keeps the bytes it arrived in instead of copying them.
    auto *keep = new QByteArray(bytes);
    auto *pixels = reinterpret_cast<const uchar *>(keep->constData() + PictureHeaderBytes);
    if (quintptr(pixels) % 4) {
        delete keep;
        return {};
    }
    QImage image(
        pixels, width, height, bytesPerLine, imageFormat, [](void *kept) { delete static_cast<QByteArray *>(kept); },
        keep);
    QDataStream stream(QByteArray::fromRawData(bytes.constData() + PictureHeaderBytes + pixelBytes, textBytes));
    while (!stream.atEnd()) {
        QString key, value;
        stream >> key >> value;
        if (stream.status() != QDataStream::Ok)
            return {};
        image.setText(key, value);
    }
    return image;
}

} // namespace ReaderProtocol
