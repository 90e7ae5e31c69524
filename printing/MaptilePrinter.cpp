#include "printing/MaptilePrinter.h"

#include "files/FileReplacer.h"
#include "sheets/ActualSizePdf.h"

#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

MaptilePrinter::MaptilePrinter() = default;
MaptilePrinter::~MaptilePrinter() = default;

QPrinter &MaptilePrinter::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(tr("Cryptwright maptile"));
    }
    return *m_printer;
}

void MaptilePrinter::printWithDialog(QWidget *owner, const QImage &image)
{
    QPrintDialog dialog(&printer(), owner);
    // One maptile is one page: no page ranges or selections to offer.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString error = print(image);
    if (!error.isEmpty())
        QMessageBox::warning(owner, QStringLiteral("Cryptwright"), error);
}

QString MaptilePrinter::print(const QImage &image)
{
    if (image.isNull())
        return tr("There is no maptile to print.");
    QPrinter &target = printer();
    // Copies are left to the printer only where its driver makes them; a PDF
    // file, for one, gets each copy as a page of its own.
    const int copies = target.supportsMultipleCopies() ? 1 : std::max(1, target.copyCount());
    if (target.outputFormat() == QPrinter::PdfFormat && !target.outputFileName().isEmpty())
        return printToFile(image, copies);
    QPainter painter;
    if (!painter.begin(&target)) {
        if (target.outputFormat() == QPrinter::PdfFormat)
            return tr("The maptile could not be printed: no printer is installed. Choose a printer, or print to a "
                      "file.");
        return tr("The maptile could not be printed: the printer \"%1\" could not be started.")
            .arg(target.printerName());
    }
    paint(painter, target, image, copies);
    if (!painter.end() || target.printerState() == QPrinter::Error)
        return tr("The maptile could not be printed: the printer reported an error while printing.");
    return {};
}

QString MaptilePrinter::printToFile(const QImage &image, int copies)
{
    // Written as every file is, and asking viewers to print it at actual size.
    const QPrinter &target = printer();
    return FileReplacer::write(target.outputFileName(), [&](QIODevice &file) {
        ActualSizePdf actualSize(file);
        {
            QPdfWriter pdf(&actualSize);
            pdf.setTitle(target.docName());
            pdf.setCreator(QStringLiteral("Cryptwright"));
            pdf.setResolution(target.resolution());
            pdf.setPageLayout(target.pageLayout());
            QPainter painter;
            if (!painter.begin(&pdf))
                return tr("the PDF cannot be started");
            paint(painter, pdf, image, copies);
            if (!painter.end())
                return tr("the PDF cannot be finished");
        }
        return actualSize.finish();
    });
}

void MaptilePrinter::paint(QPainter &painter, QPagedPaintDevice &device, const QImage &image, int copies)
{
    // The painter's origin is the top-left corner of the printable area, in device dots.
    const QRect area(0, 0, qRound(double(image.width()) * device.logicalDpiX() / PixelsPerInch),
                     qRound(double(image.height()) * device.logicalDpiY() / PixelsPerInch));
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !device.newPage())
            break;
        painter.drawImage(area, image);
    }
}
