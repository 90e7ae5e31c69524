#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QString>

#include <functional>

class QIODevice;
class QPagedPaintDevice;
class SheetLayout;

// Puts every sheet of a layout on pages, one page a sheet, as each is laid
// out. A maptile's picture is asked for when its first copy is drawn and let
// go after its last, so memory holds the pictures of about one sheet
// whatever the number of maptiles.
class SheetOutput
{
    Q_DECLARE_TR_FUNCTIONS(SheetOutput)

public:
    // The picture of maptile (an index into the layout's maptiles) at 96
    // pixels per inch; a null image and the reason in error when it cannot be had.
    using Images = std::function<QImage(int maptile, QString *error)>;

    // Takes from the file system now what writing a PDF of sheets will need
    // later, for a process that then confines itself: the label's font, the
    // list of image plugins.
    static void prepare();

    // Writes a PDF whose pages are exactly the layout's paper, holding each
    // picture once, losslessly and at its full resolution. Returns the empty
    // text or a one-sentence reason; after a failure what was written is
    // incomplete and the caller discards it.
    static QString writePdf(QIODevice &device, const SheetLayout &layout, const Images &images,
                            const QString &title = {});

    // Draws the sheets on device, a printer set to the layout's paper,
    // wherever its printable area begins: copies times over, for a printer
    // that makes no copies of its own. Returns the empty text or the reason.
    static QString print(QPagedPaintDevice &device, const SheetLayout &layout, const Images &images, int copies = 1);

private:
    static QString paintSheets(QPagedPaintDevice &device, const SheetLayout &layout, const Images &images, int copies);
};
