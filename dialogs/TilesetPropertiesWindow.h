#pragma once

#include "raster/Geometry.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;
class Workspace;

// The metadata of one slot's tileset: its set name, its creator and the
// speed value of each subtile, beside the subtile's picture in a grid laid
// out like the palette. OK gives the slot the edited metadata for the run;
// Cancel changes nothing.
class TilesetPropertiesWindow : public QDialog
{
    Q_OBJECT

public:
    TilesetPropertiesWindow(Workspace &workspace, int slot, QWidget *parent);

    QLineEdit *setNameBox() const { return m_setName; }
    QLineEdit *creatorBox() const { return m_creator; }
    QComboBox *speedList(int column, int row) const;

private:
    void confirm();

    Workspace &m_workspace;
    int m_slot;
    QLineEdit *m_setName;
    QLineEdit *m_creator;
    std::array<QComboBox *, Geometry::TilesetColumns * Geometry::TilesetRows> m_speed{};
};
