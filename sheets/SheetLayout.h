#pragma once

#include "sheets/SheetMaptile.h"
#include "sheets/SheetPlacement.h"
#include "sheets/SheetSettings.h"

#include <QCoreApplication>
#include <QLine>
#include <QList>
#include <QRect>
#include <QString>

// Maptiles packed onto sheets of paper at exactly 96 pixels per inch: every
// copy inside the margins, with the gap between any two pictures and the
// bleed around each, turned a quarter only where that saves a sheet. The
// same maptiles and settings always give the same sheets. All positions are
// in SheetLength units from the paper's top-left corner.
class SheetLayout
{
    Q_DECLARE_TR_FUNCTIONS(SheetLayout)

public:
    // Crop marks: lines this wide along the cut lines, this long at most,
    // kept this far from every picture and dropped when shorter than the least.
    static constexpr int MarkWidth = SheetLength::PerPoint / 2;
    static constexpr int MarkLength = 5 * SheetLength::PerMillimetre;
    static constexpr int MarkClearance = SheetLength::PerMillimetre / 2;
    static constexpr int MarkLeast = SheetLength::PerMillimetre;
    // The scale bar is one space long between its end ticks' centres; its
    // box holds the bar, the ticks and the label above them.
    static constexpr int ScaleBarLength = SheetLength::PerInch * 3 / 2;
    static constexpr int ScaleBarTick = 5 * SheetLength::PerMillimetre / 2;
    static constexpr QSize ScaleBarBox{ScaleBarLength + MarkWidth, 13 * SheetLength::PerMillimetre / 2};

    SheetLayout() = default;
    SheetLayout(const QList<SheetMaptile> &maptiles, const SheetSettings &settings);

    // Empty when the maptiles were laid out, otherwise the one-sentence reason they could not be.
    QString error() const { return m_error; }
    const SheetSettings &settings() const { return m_settings; }
    const QList<SheetMaptile> &maptiles() const { return m_maptiles; }
    QSize paperSize() const { return m_paper; }
    QRect printableArea() const { return m_printable; }

    int sheetCount() const { return int(m_sheets.size()); }
    const QList<SheetPlacement> &placements(int sheet) const { return m_sheets.at(sheet).placements; }
    const QList<QLine> &cropMarks(int sheet) const { return m_sheets.at(sheet).marks; }
    // The scale bar's box on the first sheet; empty without crop marks, or
    // when the margins leave less room than the bar needs.
    QRect scaleBar() const { return m_scaleBar; }
    // The last sheet a maptile is on, so its picture can be let go after it; -1 for none.
    int lastSheetOf(int maptile) const { return m_lastSheet.value(maptile, -1); }

private:
    struct Sheet
    {
        QList<SheetPlacement> placements;
        QList<QLine> marks;
    };
    struct Copy
    {
        int maptile;
        int copy;
        QSize size; // with its bleed, untouched
    };

    bool check();
    void pack(const QList<Copy> &copies, const QRect &reserved);
    bool findScaleBar();
    QList<QLine> marksFor(int sheet) const;

    SheetSettings m_settings;
    QList<SheetMaptile> m_maptiles;
    QString m_error;
    QSize m_paper;
    QRect m_printable;
    QList<Sheet> m_sheets;
    QRect m_scaleBar;
    QList<int> m_lastSheet;
};
