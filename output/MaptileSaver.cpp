#include "output/MaptileSaver.h"

#include "workspace/Workspace.h"
#include "document/DocumentWriter.h"
#include "files/FileReplacer.h"
#include "raster/Geometry.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>

namespace {

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

QString MaptileSaver::write(const QImage &image, const QString &path, Format format, const JpegOptions &jpeg)
{
    if (image.isNull())
        return FileReplacer::describe(path, tr("there is no picture to save"));
    QImage out = image;
    out.setDotsPerMeterX(Geometry::DotsPerMeter);
    out.setDotsPerMeterY(Geometry::DotsPerMeter);
    // Encoded in memory first: an encoder that meets a short write at a full
    // disk gives up without the system's reason, while FileReplacer goes on to
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
        return FileReplacer::describe(path, writer.errorString());
    return FileReplacer::writeBytes(encoded, path);
}

QString MaptileSaver::save(Workspace &workspace, const QString &path, const JpegOptions &jpeg)
{
    if (DocumentWriter::isDocumentPath(path)) {
        QString reason;
        const QByteArray bytes = DocumentWriter::encode(workspace.document(), &reason);
        const QString error = bytes.isEmpty() ? FileReplacer::describe(path, reason) : FileReplacer::writeBytes(bytes, path);
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
