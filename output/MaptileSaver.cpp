#include "output/MaptileSaver.h"

#include "app/Workspace.h"
#include "document/DocumentWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

QString describe(const QString &path, const QString &reason)
{
    QString text = reason.trimmed();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return QStringLiteral("Cannot save \"%1\": %2.").arg(QDir::toNativeSeparators(path), text);
}

QByteArray writerFormat(MaptileSaver::Format format)
{
    switch (format) {
    case MaptileSaver::Format::Jpeg:
        return QByteArrayLiteral("jpeg");
    case MaptileSaver::Format::Png:
        return QByteArrayLiteral("png");
    case MaptileSaver::Format::Bitmap:
        break;
    }
    return QByteArrayLiteral("bmp");
}

} // namespace

MaptileSaver::Format MaptileSaver::formatFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return Format::Jpeg;
    if (suffix == QLatin1String("png"))
        return Format::Png;
    return Format::Bitmap;
}

QString MaptileSaver::writeFile(const QString &path, const std::function<QString(QIODevice &)> &fill)
{
    const QFileInfo info(path);
    if (info.isDir())
        return describe(path, QStringLiteral("it is a folder"));
    // A device or pipe cannot be replaced by renaming a new file over it.
    if (info.exists() && !info.isFile())
        return describe(path, QStringLiteral("it is not a regular file"));
    if (!info.absoluteDir().exists())
        return describe(path, QStringLiteral("the folder does not exist"));

    // Unbuffered, so that a full disk is noticed by the write that meets it
    // and not lost in a final flush.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return describe(path, file.errorString());
    const QString reason = fill(file);
    if (!reason.isEmpty() || file.error() != QFileDevice::NoError) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString() : reason;
        file.cancelWriting();
        return describe(path, why);
    }
    if (!file.commit())
        return describe(path, file.errorString());
    return {};
}

QString MaptileSaver::writeBytes(const QByteArray &bytes, const QString &path)
{
    // On to the write that fails, whose reason is the system's (a full disk).
    return writeFile(path, [&bytes](QIODevice &file) {
        for (qint64 written = 0; written < bytes.size();) {
            const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
            if (n <= 0)
                return file.errorString();
            written += n;
        }
        return QString();
    });
}

QString MaptileSaver::write(const QImage &image, const QString &path, Format format, const JpegOptions &jpeg)
{
    if (image.isNull())
        return describe(path, QStringLiteral("there is no picture to save"));
    QImage out = image;
    out.setDotsPerMeterX(DotsPerMeter);
    out.setDotsPerMeterY(DotsPerMeter);
    // Encoded in memory first: an encoder that meets a short write at a full
    // disk gives up without the system's reason, while writeBytes() goes on to
    // the write that fails and reports why.
    // Kept from one save to the next: memory touched for the first time costs
    // more than encoding into it.
    thread_local QByteArray encoded;
    encoded.resize(0);
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, writerFormat(format));
    if (format == Format::Jpeg) {
        writer.setQuality(std::clamp(jpeg.quality, 1, 100));
        writer.setProgressiveScanWrite(jpeg.progressive);
    }
    if (!writer.write(out))
        return describe(path, writer.errorString());
    return writeBytes(encoded, path);
}

QString MaptileSaver::save(Workspace &workspace, const QString &path, const JpegOptions &jpeg)
{
    if (DocumentWriter::isDocumentPath(path)) {
        QString reason;
        const QByteArray bytes = DocumentWriter::encode(workspace.document(), &reason);
        const QString error = bytes.isEmpty() ? describe(path, reason) : writeBytes(bytes, path);
        // Nothing of the maptile is lost in a document.
        if (error.isEmpty())
            workspace.setMaptileChanged(false);
        return error;
    }
    const Format format = formatFor(path);
    const QString error = write(workspace.preview(), path, format, jpeg);
    if (error.isEmpty() && format != Format::Jpeg)
        workspace.setMaptileChanged(false);
    return error;
}
