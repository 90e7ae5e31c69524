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
// whatever the number of maptiles; a back's likewise, so that one back for
// all is one picture for the whole file.
class SheetOutput
{
    Q_DECLARE_TR_FUNCTIONS(SheetOutput)

public:
    // The picture of maptile (an index into the layout's maptiles) at 96
    // pixels per inch; a null image and the reason in error when it cannot be had.
    // Backs are asked for the same way, by the index a maptile names.
    using Images = std::function<QImage(int maptile, QString *error)>;
    // Which sheets go onto the pages: all in order, or the fronts alone or
    // the backs alone, for a printer that prints one side at a time.
    enum class Sides { Both, Fronts, Backs };

    // Takes from the file system now what writing a PDF of sheets will need
    // later, for a process that then confines itself: the label's font, the
    // list of image plugins.
    static void prepare();

    // Writes a PDF whose pages are exactly the layout's paper, copies times
    // over, holding each picture once, losslessly and at its full resolution,
    // and asking viewers to print it at actual size. Returns the empty text or
    // a one-sentence reason; after a failure what was written is incomplete
    // and the caller discards it.
    static QString writePdf(QIODevice &device, const SheetLayout &layout, const Images &images,
                            const QString &title = {}, const Images &backs = {}, Sides sides = Sides::Both,
                            int copies = 1);

    // Draws the sheets on device, a printer set to the layout's paper,
    // wherever its printable area begins: copies times over, for a printer
    // that makes no copies of its own. Returns the empty text or the reason.
    static QString print(QPagedPaintDevice &device, const SheetLayout &layout, const Images &images,
                         const Images &backs = {}, int copies = 1);

private:
    static QString paintSheets(QPagedPaintDevice &device, const SheetLayout &layout, const Images &images,
                               const Images &backs, Sides sides, int copies);
};
