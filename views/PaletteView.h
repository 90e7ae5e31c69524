#pragma once

#include "raster/HiResPicture.h"
#include "views/OutlinedGrid.h"

#include <QWidget>

#include <optional>

class OutlineShape;
class QLabel;
class Workspace;

// The palette of one tileset slot: its tileset at one third with the grid,
// the slot letter, the set name, and the red outline on the cell under the
// pointer. A press assigns that cell to the pressed mouse button; with a
// modifier held it asks for the enlarged preview instead. With the keyboard
// focus (by a click or Tab), the arrow keys move the outline, Space gives the
// left button the outlined cell, Delete empties it, and a picture can be
// pasted into it. A button dragged over more cells, or Shift+arrows and
// Space, give a button the rectangle of cells as a variation. A screen reader reads it cell by cell, each with its
// speed value.
class PaletteView : public QWidget, public OutlinedGrid
{
    Q_OBJECT

public:
    PaletteView(Workspace &workspace, int slot, QWidget *parent);

    int slot() const { return m_slot; }
    QLabel *setInfoLabel() const { return m_setInfo; }
    // Refreshes the set name from the slot's metadata.
    void showSetInfo();
    // The press handler, also used by the subtile editor to give the left
    // button the edited subtile: buttons and modifiers are program codes.
    void press(int buttons, int modifiers);
    // The cell at a point of the palette; a point outside gives the nearest edge cell.
    static QPoint cellAt(QPointF point);

    QSize gridSize() const override;
    QPoint outlinedCell() const override;
    void setOutlinedCell(QPoint cell) override;
    QString cellText(QPoint cell) const override;
    void pressCell(QPoint cell) override;

signals:
    // The enlarged preview of the cell under the outline is wanted, or no longer.
    void previewRequested(int slot);
    void previewReleased();
    void doubleClicked(int slot);
    // Paste was pressed while the palette had the keyboard focus.
    void pasteRequested(int slot);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // The outlined cell, or the rectangle a drag or Shift+arrows widened it to.
    QRect outlinedCells() const;
    void placeOutline();
    // The outline one cell on, kept inside the palette.
    void moveOutline(QPoint step);

    Workspace &m_workspace;
    int m_slot;
    QLabel *m_letter;
    QLabel *m_setInfo;
    OutlineShape *m_outline;
    HiResPicture m_picture;
    // Where the rectangle started, while there is one, and the button a drag holds (0 for none).
    std::optional<QPoint> m_rectFrom;
    int m_dragButton = 0;
};
