#pragma once

#include "raster/Geometry.h"

#include <QObject>

#include <array>

class IconButtons;
class PaletteView;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;
class Workspace;

// The eight slots in the main window: their palettes stacked in one place,
// the enlarged subtile shown over them, and below them each slot's letter,
// transparency and load buttons. A letter button brings its palette to the front.
class SlotWidgets : public QObject
{
    Q_OBJECT

public:
    SlotWidgets(Workspace &workspace, IconButtons &icons, QWidget *window);

    PaletteView *palette(int slot) const { return m_palettes.at(slot); }
    QPushButton *setButton(int slot) const { return m_setButtons.at(slot); }
    QToolButton *transButton(int slot) const { return m_transButtons.at(slot); }
    QToolButton *loadButton(int slot) const { return m_loadButtons.at(slot); }
    QWidget *previewBox() const { return m_previewBox; }

    // The palette in front: the slot the user sees and picks from.
    int frontSlot() const;
    void showSlot(int slot);

private:
    void buildPalettes();
    void buildPreviewBox();
    void buildButtons(IconButtons &icons);
    // The slot's outlined subtile, enlarged over its cell.
    void showPreviewBox(int slot);

    Workspace &m_workspace;
    QWidget *m_window;
    std::array<PaletteView *, Geometry::SlotCount> m_palettes{};
    std::array<QPushButton *, Geometry::SlotCount> m_setButtons{};
    std::array<QToolButton *, Geometry::SlotCount> m_transButtons{};
    std::array<QToolButton *, Geometry::SlotCount> m_loadButtons{};
    QWidget *m_previewBox = nullptr;
    QLabel *m_previewPicture = nullptr;
};
