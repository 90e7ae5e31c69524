#include "cli/Exporter.h"

#include "document/DocumentReader.h"
#include "files/FileReplacer.h"
#include "output/JpegWriter.h"
#include "output/MaptileSaver.h"
#include "raster/Geometry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

const QStringList &Exporter::suffixes()
{
    static const QStringList list{QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("bmp"),
                                  QStringLiteral("png"), QStringLiteral("pdf")};
    return list;
}

bool Exporter::formatFor(const QString &path, Format *format)
{
    static const Format formats[] = {Format::Jpeg, Format::Jpeg, Format::Bitmap, Format::Png, Format::Pdf};
    const qsizetype index = suffixes().indexOf(QFileInfo(path).suffix().toLower());
    if (index < 0)
        return false;
    *format = formats[index];
    return true;
}

QString Exporter::writePdf(const QImage &image, const QString &title, const QString &out,
                           FileReplacer::FolderSync folderSync)
{
    return FileReplacer::write(
        out,
        [&](QIODevice &file) {
            QPdfWriter pdf(&file);
            pdf.setTitle(title);
            pdf.setCreator(QStringLiteral("Cryptwright"));
            pdf.setResolution(Geometry::PixelsPerInch);
            pdf.setPageMargins(QMarginsF());
            const QSizeF inches(double(image.width()) / Geometry::PixelsPerInch,
                                double(image.height()) / Geometry::PixelsPerInch);
            if (!pdf.setPageSize(QPageSize(inches, QPageSize::Inch, title, QPageSize::ExactMatch)))
                return tr("the page size is refused");
            QPainter painter;
            if (!painter.begin(&pdf))
                return tr("the PDF cannot be started");
            painter.drawImage(QRectF(0, 0, pdf.width(), pdf.height()), image);
            return painter.end() ? QString() : tr("the PDF cannot be finished");
        },
        folderSync);
}

QString Exporter::exportDocument(const QString &documentPath, const QString &out, Format format,
                                 const JpegOptions &jpeg, int maxSide, FileReplacer::FolderSync folderSync)
{
    QString error;
    if (format == Format::Jpeg && maxSide <= 0) {
        // Encoded as it is decoded, so the picture is never held whole; written
        // only once the whole document has been checked.
        JpegWriter encoder(jpeg);
        const bool read = DocumentReader::readFinished(documentPath, encoder, &error);
        const QByteArray bytes = read ? encoder.finish() : QByteArray();
        if (!encoder.reason().isEmpty())
            return FileReplacer::describe(out, encoder.reason());
        return read ? FileReplacer::writeBytes(bytes, out, folderSync) : error;
    }
    QImage preview = DocumentReader::readFinished(documentPath, &error);
    if (preview.isNull())
        return error;
    if (maxSide > 0 && format != Format::Pdf && (preview.width() > maxSide || preview.height() > maxSide))
        preview = preview.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    switch (format) {
    case Format::Jpeg:
        return MaptileSaver::write(preview, out, MaptileSaver::Format::Jpeg, jpeg, folderSync);
    case Format::Bitmap:
        return MaptileSaver::write(preview, out, MaptileSaver::Format::Bitmap, {}, folderSync);
    case Format::Png:
        return MaptileSaver::write(preview, out, MaptileSaver::Format::Png, {}, folderSync);
    case Format::Pdf:
        break;
    }
    return writePdf(preview, QFileInfo(documentPath).completeBaseName(), out, folderSync);
}
