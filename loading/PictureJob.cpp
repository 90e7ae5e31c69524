#include "loading/PictureJob.h"

#include <QDataStream>
#include <QIODevice>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace {

// Ahead of the pixels: a kind byte, then width, height, format, bytes per line
// and the size of the texts that follow the pixels, padded so that the pixels
// stay as aligned as the bytes they arrive in.
constexpr char ImageKind = 'I', ErrorKind = 'E';
constexpr int HeaderBytes = 32;

QString describe(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot open \"%1\": %2.").arg(QFileInfo(path).fileName(), reason);
}

// What the child runs: the reader's address, then the path.
QByteArray readInChild(const QByteArray &argument)
{
    const auto read = reinterpret_cast<PictureJob::Reader>(qFromLittleEndian<quint64>(argument.constData()));
    QString error;
    const QImage image = read(QString::fromUtf8(argument.mid(8)), &error);
    return PictureJob::encode(image, error);
}

} // namespace

PictureJob::PictureJob(QObject *parent)
    : QObject(parent)
{
    connect(&m_job, &ChildJob::finished, this, &PictureJob::report);
}

void PictureJob::start(const QString &path, Reader read, int timeLimitMs)
{
    m_path = path;
    m_timeLimitMs = timeLimitMs;
    QByteArray argument(8, Qt::Uninitialized);
    qToLittleEndian<quint64>(quint64(reinterpret_cast<quintptr>(read)), argument.data());
    m_job.start(readInChild, argument + path.toUtf8(), timeLimitMs);
}

void PictureJob::report(ChildJob::Outcome outcome, const QByteArray &result)
{
    QString error;
    QImage image;
    switch (outcome) {
    case ChildJob::Outcome::Done:
        image = decode(result, &error);
        if (image.isNull() && error.isEmpty())
            error = describe(m_path, QStringLiteral("the picture could not be passed on"));
        break;
    case ChildJob::Outcome::TimedOut:
        error = describe(m_path, QStringLiteral("reading it took longer than %1 seconds").arg(m_timeLimitMs / 1000.0));
        break;
    case ChildJob::Outcome::OutOfMemory:
        error = describe(m_path, QStringLiteral("there is not enough memory to read it"));
        break;
    case ChildJob::Outcome::Failed:
        error = describe(m_path, QStringLiteral("the picture is damaged and could not be read"));
        break;
    case ChildJob::Outcome::NotStarted:
        error = describe(m_path, QStringLiteral("the system could not start a process to read it"));
        break;
    }
    emit finished(image, error);
}

QByteArray PictureJob::encode(const QImage &picture, const QString &error)
{
    if (picture.isNull())
        return QByteArray(1, ErrorKind) + error.toUtf8();
    // Pixels only: a colour table does not travel.
    const QImage image = picture.colorCount() ? picture.convertToFormat(QImage::Format_ARGB32) : picture;
    // What the reader said about the picture besides its pixels.
    QByteArray texts;
    QDataStream stream(&texts, QIODevice::WriteOnly);
    for (const QString &key : image.textKeys())
        stream << key << image.text(key);
    QByteArray bytes(HeaderBytes + image.sizeInBytes() + texts.size(), Qt::Uninitialized);
    char *p = bytes.data();
    std::memset(p, 0, HeaderBytes);
    *p++ = ImageKind;
    for (const qsizetype field :
         {qsizetype(image.width()), qsizetype(image.height()), qsizetype(image.format()), image.bytesPerLine(), texts.size()}) {
        qToLittleEndian<qint32>(qint32(field), p);
        p += 4;
    }
    std::memcpy(bytes.data() + HeaderBytes, image.constBits(), size_t(image.sizeInBytes()));
    std::memcpy(bytes.data() + HeaderBytes + image.sizeInBytes(), texts.constData(), size_t(texts.size()));
    return bytes;
}

QImage PictureJob::decode(const QByteArray &bytes, QString *error)
{
    if (bytes.startsWith(ErrorKind)) {
        *error = QString::fromUtf8(bytes.constData() + 1, bytes.size() - 1);
        return {};
    }
    if (bytes.size() < HeaderBytes || bytes.front() != ImageKind)
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
    if (bytesPerLine < minimumLine || bytesPerLine % 4 || pixelBytes + textBytes != bytes.size() - HeaderBytes)
        return {};
    // The image keeps the bytes it arrived in instead of copying them.
    auto *keep = new QByteArray(bytes);
    auto *pixels = reinterpret_cast<const uchar *>(keep->constData() + HeaderBytes);
    if (quintptr(pixels) % 4) {
        delete keep;
        return {};
    }
    QImage image(pixels, width, height, bytesPerLine, imageFormat,
                 [](void *kept) { delete static_cast<QByteArray *>(kept); }, keep);
    QDataStream stream(QByteArray::fromRawData(bytes.constData() + HeaderBytes + pixelBytes, textBytes));
    while (!stream.atEnd()) {
        QString key, value;
        stream >> key >> value;
        if (stream.status() != QDataStream::Ok)
            return {};
        image.setText(key, value);
    }
    return image;
}
