#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

// Prints the maptile at 1.5 inches per space from the top-left corner of the
// printable area; printed to a file, it is a PDF that asks to be printed at
// actual size. One printer serves the whole run, so the printer and the
// settings chosen in the print dialog are where the next dialog starts.
class MaptilePrinter
{
    Q_DECLARE_TR_FUNCTIONS(MaptilePrinter)

public:
    // Pixels of the maptile image per printed inch: 144 per 1.5 inches.
    static constexpr int PixelsPerInch = 96;

    MaptilePrinter();
    ~MaptilePrinter();
    MaptilePrinter(const MaptilePrinter &) = delete;
    MaptilePrinter &operator=(const MaptilePrinter &) = delete;

    // The run's printer, set up on first use: asking the print system for
    // its printers can take a moment, and most runs never print.
    QPrinter &printer();

    // Shows the print dialog and, when the user confirms, prints image; a
    // failure is reported in a message box over owner.
    void printWithDialog(QWidget *owner, const QImage &image);

    // Prints image on one page per copy chosen; returns the empty text on
    // success, otherwise the reason.
    QString print(const QImage &image);

private:
    QString printToFile(const QImage &image, int copies);
    static void paint(QPainter &painter, QPagedPaintDevice &device, const QImage &image, int copies);

    std::unique_ptr<QPrinter> m_printer;
};
