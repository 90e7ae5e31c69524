#include "printing/MaptilePrinter.h"

#include <QMessageBox>
#include <QPainter>
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
    QPainter painter;
    if (!painter.begin(&target)) {
        if (target.outputFormat() == QPrinter::PdfFormat && target.outputFileName().isEmpty())
            return tr("The maptile could not be printed: no printer is installed. Choose a printer, or print to a "
                      "file.");
        if (target.outputFormat() == QPrinter::PdfFormat)
            return tr("The maptile could not be printed: \"%1\" could not be written.").arg(target.outputFileName());
        return tr("The maptile could not be printed: the printer \"%1\" could not be started.")
            .arg(target.printerName());
    }
    // The painter's origin is the top-left corner of the printable area, in printer dots.
    const QRect area(0, 0, qRound(double(image.width()) * target.logicalDpiX() / PixelsPerInch),
                     qRound(double(image.height()) * target.logicalDpiY() / PixelsPerInch));
    // Copies are left to the printer only where its driver makes them; a PDF
    // file, for one, gets each copy as a page of its own.
    const int copies = target.supportsMultipleCopies() ? 1 : std::max(1, target.copyCount());
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0 && !target.newPage())
            break;
        painter.drawImage(area, image);
    }
    if (!painter.end() || target.printerState() == QPrinter::Error)
        return tr("The maptile could not be printed: the printer reported an error while printing.");
    return {};
}
