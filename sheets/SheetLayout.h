#pragma once

#include "sheets/SheetCalibration.h"
#include "sheets/SheetDrawing.h"
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
//
// Sheets are counted as they are printed, one side each. With a back for any
// maptile, or a calibration pair, every sheet of maptiles is followed by its
// back: the mirror of its front for the edge the paper turns over by, shifted
// by the back offset, with each back where its maptile lies behind it.
class SheetLayout
{
    Q_DECLARE_TR_FUNCTIONS(SheetLayout)

public:
    enum class Kind { Fronts, Backs, CalibrationFront, CalibrationBack };

    // Cut lines: lines this wide along the cuts; crop marks this long at most,
    // kept this far from every picture and dropped when shorter than the least.
    static constexpr int MarkWidth = SheetLength::PerPoint / 2;
    static constexpr int MarkLength = 5 * SheetLength::PerMillimetre;
    static constexpr int MarkClearance = SheetLength::PerMillimetre / 2;
    static constexpr int MarkLeast = SheetLength::PerMillimetre;
    // The scale bar is one space long between its end ticks' centres; its
    // box holds the bar, the ticks, the label above them and, in a row of
    // their own below, the labels of ticks at 1 cm and 1 in.
    static constexpr int ScaleBarLength = SheetLength::PerInch * 3 / 2;
    static constexpr int ScaleBarTick = 5 * SheetLength::PerMillimetre / 2;
    static constexpr int ScaleBarUnits = 5 * SheetLength::PerMillimetre / 2;
    static constexpr QSize ScaleBarBox{ScaleBarLength + MarkWidth, 9 * SheetLength::PerMillimetre};

    SheetLayout() = default;
    SheetLayout(const QList<SheetMaptile> &maptiles, const SheetSettings &settings);

    // Empty when the maptiles were laid out, otherwise the one-sentence reason they could not be.
    QString error() const { return m_error; }
    const SheetSettings &settings() const { return m_settings; }
    const QList<SheetMaptile> &maptiles() const { return m_maptiles; }
    QSize paperSize() const { return m_paper; }
    QRect printableArea() const { return m_printable; }

    int sheetCount() const { return int(m_sheets.size()); }
    Kind kind(int sheet) const { return m_sheets.at(sheet).kind; }
    bool isBack(int sheet) const { return kind(sheet) == Kind::Backs || kind(sheet) == Kind::CalibrationBack; }
    // Whether each front is followed by its back.
    bool twoSided() const { return m_twoSided; }
    // Where the copies lie on a sheet of fronts, or where their backs go on a
    // sheet of backs: there cut is the back's rectangle, and a copy turned
    // clockwise on the front has its back turned anticlockwise, so that the
    // two match once the paper is turned over.
    const QList<SheetPlacement> &placements(int sheet) const { return m_sheets.at(sheet).placements; }
    // The lines to cut along, none drawn twice: crop marks, or full lines broken around every picture.
    const QList<QLine> &cropMarks(int sheet) const { return m_sheets.at(sheet).marks; }
    // The scale bar's box on the first sheet of maptiles; empty without crop
    // marks, or when the margins leave less room than the bar needs.
    QRect scaleBar() const { return m_scaleBar; }
    int scaleBarSheet() const { return m_settings.calibration ? 2 : 0; }
    // The calibration pair's front, and its back as printed.
    const SheetCalibration &calibration() const { return m_calibration; }
    const SheetDrawing &calibrationBack() const { return m_calibrationBack; }
    // The last sheet a maptile, or a back, is on, so its picture can be let go after it; -1 for none.
    int lastSheetOf(int maptile) const { return m_lastSheet.value(maptile, -1); }
    int lastSheetOfBack(int back) const { return m_lastBackSheet.value(back, -1); }

private:
    struct Sheet
    {
        Kind kind = Kind::Fronts;
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
    QList<QRect> obstaclesOn(int sheet) const;
    QList<QLine> marksFor(int sheet) const;
    QList<QLine> fullLinesFor(int sheet) const;
    // Where a point or rectangle of a front sheet lies on its back as the back is printed: mirrored and shifted.
    QPoint behind(QPoint front) const;
    QRect behind(const QRect &front) const;
    Sheet backOf(const Sheet &front) const;
    bool addSides();

    SheetSettings m_settings;
    QList<SheetMaptile> m_maptiles;
    QString m_error;
    QSize m_paper;
    QRect m_printable;
    QList<Sheet> m_sheets;
    QRect m_scaleBar;
    bool m_twoSided = false;
    SheetCalibration m_calibration;
    SheetDrawing m_calibrationBack;
    QList<int> m_lastSheet;
    QList<int> m_lastBackSheet;
};
