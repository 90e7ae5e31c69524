#include "cli/PictureExport.h"

#include "document/DocumentReader.h"
#include "output/FileReplacer.h"
#include "output/MaptileSaver.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

// Pixels of the maptile per printed inch: 144 per 1.5 inches.
constexpr int PixelsPerInch = 96;

} // namespace

QString PictureExport::writePdf(const QImage &image, const QString &title, const QString &out)
{
    return FileReplacer::write(out, [&](QIODevice &file) {
        QPdfWriter pdf(&file);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Cryptwright"));
        pdf.setResolution(PixelsPerInch);
        pdf.setPageMargins(QMarginsF());
        const QSizeF inches(double(image.width()) / PixelsPerInch, double(image.height()) / PixelsPerInch);
        if (!pdf.setPageSize(QPageSize(inches, QPageSize::Inch, title, QPageSize::ExactMatch)))
            return QStringLiteral("the page size is refused");
        QPainter painter;
        if (!painter.begin(&pdf))
            return QStringLiteral("the PDF cannot be started");
        painter.drawImage(QRectF(0, 0, pdf.width(), pdf.height()), image);
        return painter.end() ? QString() : QStringLiteral("the PDF cannot be finished");
    });
}

QString PictureExport::exportDocument(const QString &documentPath, const QString &out, Exporter::Format format,
                                 const JpegOptions &jpeg)
{
    QString error;
    const QImage preview = DocumentReader::readFinished(documentPath, &error);
    if (preview.isNull())
        return error;
    switch (format) {
    case Exporter::Format::Jpeg:
        return MaptileSaver::write(preview, out, MaptileSaver::Format::Jpeg, jpeg);
    case Exporter::Format::Bitmap:
        return MaptileSaver::write(preview, out, MaptileSaver::Format::Bitmap);
    case Exporter::Format::Png:
        return MaptileSaver::write(preview, out, MaptileSaver::Format::Png);
    case Exporter::Format::Pdf:
        break;
    }
    return writePdf(preview, QFileInfo(documentPath).completeBaseName(), out);
}
