#include "sheets/SheetOutput.h"

#include "sheets/ActualSizePdf.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetPainter.h"
#include "sheets/SheetPicture.h"

#include <QFileDevice>
#include <QImageWriter>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <map>

void SheetOutput::prepare()
{
    // The scale bar label's font is found and opened now, and Qt keeps it open for the rest of the run.
    QImage scratch(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    painter.drawText(0, 8, SheetPainter::scaleBarLabel());
    painter.end();
    // Qt's PDF engine looks through the image plugins before it keeps a picture.
    QImageWriter::supportedImageFormats();
}

QString SheetOutput::writePdf(QIODevice &device, const SheetLayout &layout, const Images &images, const QString &title,
                              const Images &backs, Sides sides, int copies)
{
    if (!layout.error().isEmpty())
        return layout.error();
    if (layout.sheetCount() == 0)
        return tr("There are no sheets to write.");
    if (!device.isWritable())
        return tr("The PDF cannot be written: its file is not open for writing.");
    ActualSizePdf pdf(device);
    QString error;
    {
        QPdfWriter writer(&pdf);
        writer.setCreator(QStringLiteral("Cryptwright"));
        writer.setTitle(title);
        writer.setPageLayout(QPageLayout(layout.settings().paper, layout.settings().orientation, QMarginsF()));
        error = paintSheets(writer, layout, images, backs, sides, std::max(1, copies));
    }
    if (error.isEmpty())
        error = pdf.finish();
    if (!error.isEmpty())
        return error;
    if (const auto *file = qobject_cast<QFileDevice *>(&device); file && file->error() != QFileDevice::NoError)
        return tr("The PDF could not be written: %1.").arg(file->errorString());
    return {};
}

QString SheetOutput::print(QPagedPaintDevice &device, const SheetLayout &layout, const Images &images,
                           const Images &backs, int copies)
{
    if (!layout.error().isEmpty())
        return layout.error();
    if (layout.sheetCount() == 0)
        return tr("There are no sheets to print.");
    return paintSheets(device, layout, images, backs, Sides::Both, std::max(1, copies));
}

QString SheetOutput::paintSheets(QPagedPaintDevice &device, const SheetLayout &layout, const Images &images,
                                 const Images &backs, Sides sides, int copies)
{
    QList<int> sheets;
    for (int sheet = 0; sheet < layout.sheetCount(); ++sheet) {
        if (sides == Sides::Both || layout.isBack(sheet) == (sides == Sides::Backs))
            sheets << sheet;
    }
    if (sheets.isEmpty())
        return tr("There are no sheets to write.");
    QPainter painter;
    if (!painter.begin(&device))
        return tr("The sheets could not be started: the printer or file refused them.");
    // The painter starts at the printable area's corner; sheets are drawn from the paper's.
    const QPageLayout pageLayout = device.pageLayout();
    const int dpi = device.logicalDpiX();
    if (pageLayout.mode() != QPageLayout::FullPageMode)
        painter.translate(-pageLayout.paintRectPixels(dpi).topLeft());

    const bool bleed = layout.settings().bleed.units() > 0;
    std::map<int, SheetPicture> held;
    QString error;
    const auto picture = [&](int maptile) -> const SheetPicture * {
        if (const auto found = held.find(maptile); found != held.end())
            return &found->second;
        if (!error.isEmpty())
            return nullptr;
        const SheetMaptile &wanted = layout.maptiles().at(maptile);
        QString why;
        const QImage image = images(maptile, &why);
        if (image.isNull())
            error = why.isEmpty() ? tr("%1 could not be read.").arg(wanted.name)
                                  : tr("%1 could not be read: %2").arg(wanted.name, why);
        else if (image.size() != wanted.pixels)
            error = tr("%1 is no longer the size it was laid out at.").arg(wanted.name);
        if (!error.isEmpty())
            return nullptr;
        return &held.try_emplace(maptile, image, bleed).first->second;
    };
    // One image for each back, however many times it is drawn: the PDF holds it once.
    std::map<int, QImage> heldBacks;
    const auto back = [&](int index) -> const QImage * {
        if (const auto found = heldBacks.find(index); found != heldBacks.end())
            return &found->second;
        if (!error.isEmpty())
            return nullptr;
        QString why;
        const QImage image = backs ? backs(index, &why) : QImage();
        if (image.isNull()) {
            const auto &maptiles = layout.maptiles();
            const auto owner = std::find_if(maptiles.cbegin(), maptiles.cend(),
                                            [index](const SheetMaptile &m) { return m.back == index; });
            const QString name = owner == maptiles.cend() ? QString() : owner->name;
            error = why.isEmpty() ? tr("The back of %1 could not be read.").arg(name)
                                  : tr("The back of %1 could not be read: %2").arg(name, why);
            return nullptr;
        }
        return &heldBacks.try_emplace(index, image).first->second;
    };
    for (int page = 0; page < copies * sheets.size() && error.isEmpty(); ++page) {
        const int sheet = sheets[page % sheets.size()];
        if (page > 0 && !device.newPage()) {
            error = tr("Sheet %1 could not be begun: the printer or file refused it.").arg(sheet + 1);
            break;
        }
        SheetPainter::paint(painter, layout, sheet, dpi, picture, back);
        for (auto it = held.begin(); it != held.end();)
            it = layout.lastSheetOf(it->first) <= sheet ? held.erase(it) : std::next(it);
        for (auto it = heldBacks.begin(); it != heldBacks.end();)
            it = layout.lastSheetOfBack(it->first) <= sheet ? heldBacks.erase(it) : std::next(it);
    }
    if (!painter.end() && error.isEmpty())
        error = tr("The sheets could not be finished: the printer or file reported an error.");
    return error;
}
