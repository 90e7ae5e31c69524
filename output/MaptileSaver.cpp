#include "output/MaptileSaver.h"

#include "document/DocumentWriter.h"
#include "files/FileIdentity.h"
#include "files/FileReplacer.h"
#include "output/JpegWriter.h"
#include "raster/Geometry.h"
#include "workspace/Workspace.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>

#include <algorithm>

namespace {

QByteArray writerFormat(MaptileSaver::Format format)
{
    return format == MaptileSaver::Format::Png ? QByteArrayLiteral("png") : QByteArrayLiteral("bmp");
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

QByteArray MaptileSaver::encode(const QImage &image, Format format, const JpegOptions &jpeg, QString *reason)
{
    if (image.isNull()) {
        *reason = tr("there is no picture to save");
        return {};
    }
    if (format == Format::Jpeg)
        return JpegWriter::encode(image, jpeg, reason);
    // Kept from one save to the next: memory touched for the first time costs
    // more than encoding into it.
    thread_local QByteArray encoded;
    encoded.resize(0);
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    // Marked at 96 pixels per inch; a copy of the picture, so the caller's stays as it is.
    QImage out = image;
    out.setDotsPerMeterX(Geometry::DotsPerMeter);
    out.setDotsPerMeterY(Geometry::DotsPerMeter);
    QImageWriter writer(&buffer, writerFormat(format));
    if (!writer.write(out)) {
        *reason = writer.errorString();
        return {};
    }
    return encoded;
}

QString MaptileSaver::write(const QImage &image, const QString &path, Format format, const JpegOptions &jpeg,
                            FileReplacer::FolderSync folderSync)
{
    // Encoded in memory first: an encoder that meets a short write at a full
    // disk gives up without the system's reason, while FileReplacer goes on to
    // the write that fails and reports why.
    QString reason;
    const QByteArray bytes = encode(image, format, jpeg, &reason);
    return bytes.isEmpty() ? FileReplacer::describe(path, reason) : FileReplacer::writeBytes(bytes, path, folderSync);
}

QString MaptileSaver::save(Workspace &workspace, const QString &path, const JpegOptions &jpeg)
{
    if (DocumentWriter::isDocumentPath(path)) {
        QString reason;
        const QByteArray bytes = DocumentWriter::encode(workspace.document(), &reason);
        const QString error =
            bytes.isEmpty() ? FileReplacer::describe(path, reason) : FileReplacer::writeBytes(bytes, path);
        // Nothing of the maptile is lost in a document.
        if (error.isEmpty()) {
            workspace.setDocumentPath(path);
            workspace.setMaptileChanged(false);
        }
        return error;
    }
    const QString document = workspace.documentPath();
    if (!document.isEmpty() && FileIdentity::of(path) == FileIdentity::of(document)) {
        return QCoreApplication::translate("MaptileSaver",
                                           "Cannot save \"%1\": it is the document this maptile is kept in, and a "
                                           "picture written over it would destroy the document. Choose another name.")
            .arg(QDir::toNativeSeparators(path));
    }
    const Format format = formatFor(path);
    const QString error = write(workspace.preview(), path, format, jpeg);
    if (error.isEmpty() && format != Format::Jpeg && document.isEmpty())
        workspace.setMaptileChanged(false);
    return error;
}
