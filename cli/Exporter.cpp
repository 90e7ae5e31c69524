#include "cli/Exporter.h"

#include "document/DocumentReader.h"
#include "files/FileReplacer.h"
#include "output/JpegWriter.h"
#include "output/MaptileSaver.h"
#include "pictures/ImageRows.h"
#include "raster/Geometry.h"
#include "sheets/ActualSizePdf.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImageWriter>
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

void Exporter::prepare(Format format)
{
    // Qt's writers, and its PDF engine choosing how to keep a picture, look through every image plugin first.
    if (format != Format::Jpeg)
        QImageWriter::supportedImageFormats();
}

QString Exporter::writePdf(const QImage &image, const QString &title, QIODevice &device)
{
    // Printed at actual size, a space is 1.5 inches however the viewer would fit the page.
    ActualSizePdf actualSize(device);
    {
        QPdfWriter pdf(&actualSize);
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
        if (!painter.end())
            return tr("the PDF cannot be finished");
    }
    return actualSize.finish();
}

QByteArray Exporter::encode(const QString &documentPath, const QByteArray &document, const QString &out, Format format,
                            const JpegOptions &jpeg, int maxSide, QString *error)
{
    QString reason;
    QByteArray bytes;
    if (format == Format::Jpeg && maxSide <= 0) {
        // Encoded as it is decoded, so the picture is never held whole; taken
        // only once the whole document has been checked.
        JpegWriter encoder(jpeg);
        const bool read = DocumentReader::readFinished(documentPath, document, encoder, error);
        if (read)
            bytes = encoder.finish();
        // libjpeg's own failure is the one to tell, whatever the decoder made of it.
        if (!read && encoder.reason().isEmpty())
            return {};
        reason = encoder.reason();
    } else {
        ImageRows rows;
        if (!DocumentReader::readFinished(documentPath, document, rows, error))
            return {};
        QImage preview = rows.image();
        if (maxSide > 0 && format != Format::Pdf && (preview.width() > maxSide || preview.height() > maxSide))
            preview = preview.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        switch (format) {
        case Format::Jpeg:
            bytes = MaptileSaver::encode(preview, MaptileSaver::Format::Jpeg, jpeg, &reason);
            break;
        case Format::Bitmap:
            bytes = MaptileSaver::encode(preview, MaptileSaver::Format::Bitmap, {}, &reason);
            break;
        case Format::Png:
            bytes = MaptileSaver::encode(preview, MaptileSaver::Format::Png, {}, &reason);
            break;
        case Format::Pdf: {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            reason = writePdf(preview, QFileInfo(documentPath).completeBaseName(), buffer);
            if (!reason.isEmpty())
                bytes.clear();
            break;
        }
        }
    }
    if (bytes.isEmpty())
        *error = FileReplacer::describe(out, reason);
    return bytes;
}
