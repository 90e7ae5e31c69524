#include "dialogs/TilesetPropertiesWindow.h"

#include "tilesets/ProfileReader.h"
#include "views/WorkingView.h"
#include "workspace/Workspace.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

using Geometry::TilesetColumns;
using Geometry::TilesetRows;
using Geometry::ViewSpaceSize;

TilesetPropertiesWindow::TilesetPropertiesWindow(Workspace &workspace, int slot, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_workspace(workspace)
    , m_slot(slot)
{
    setObjectName(QStringLiteral("TilesetPropertiesWindow"));
    setWindowTitle(tr("Tileset Properties - Slot %1").arg(QChar(u'A' + slot)));
    const TilesetSlot &tileset = workspace.slot(slot);
    const TileData &data = tileset.tileData();

    // Values longer than this would be cut when the file is read back.
    const auto textBox = [this](const QString &name, const QString &text) {
        auto *box = new QLineEdit(text, this);
        box->setObjectName(name);
        box->setMaxLength(ProfileReader::MaxValueLength);
        return box;
    };
    m_setName = textBox(QStringLiteral("txtSetName"), data.setName);
    m_creator = textBox(QStringLiteral("txtCreator"), data.creator);
    auto *names = new QFormLayout;
    names->addRow(tr("Set &name:"), m_setName);
    names->addRow(tr("&Creator:"), m_creator);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    for (int row = 0; row < TilesetRows; ++row) {
        for (int column = 0; column < TilesetColumns; ++column) {
            auto *picture = new QLabel(this);
            // Counted from 1, as the palettes' cells are read.
            picture->setAccessibleName(tr("Subtile in column %1, row %2").arg(column + 1).arg(row + 1));
            picture->setPixmap(QPixmap::fromImage(
                tileset.palette().copy(column * ViewSpaceSize, row * ViewSpaceSize, ViewSpaceSize, ViewSpaceSize)));
            auto *list = new QComboBox(this);
            list->setObjectName(QStringLiteral("cboSpeed%1").arg(TileData::key(column, row)));
            list->setEditable(true);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->addItems(WorkingView::SpeedItems);
            list->lineEdit()->setMaxLength(ProfileReader::MaxValueLength);
            list->setCurrentText(data.speedValue(column, row));
            list->setFixedWidth(ViewSpaceSize + 16);
            list->setToolTip(tr("Speed value of the subtile in column %1, row %2").arg(column + 1).arg(row + 1));
            list->setAccessibleName(list->toolTip());
            list->lineEdit()->setAccessibleName(list->toolTip());
            m_speed[row * TilesetColumns + column] = list;
            auto *cell = new QVBoxLayout;
            cell->setSpacing(2);
            cell->addWidget(picture, 0, Qt::AlignHCenter);
            cell->addWidget(list, 0, Qt::AlignHCenter);
            grid->addLayout(cell, row, column);
        }
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TilesetPropertiesWindow::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(names);
    layout->addSpacing(4);
    layout->addWidget(new QLabel(tr("Speed values:"), this));
    layout->addLayout(grid);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QComboBox *TilesetPropertiesWindow::speedList(int column, int row) const
{
    return m_speed.at(row * TilesetColumns + column);
}

void TilesetPropertiesWindow::confirm()
{
    TileData data;
    data.setName = m_setName->text().trimmed();
    data.creator = m_creator->text().trimmed();
    for (int row = 0; row < TilesetRows; ++row) {
        for (int column = 0; column < TilesetColumns; ++column)
            data.setSpeedValue(column, row, speedList(column, row)->currentText());
    }
    m_workspace.setTileData(m_slot, data);
    accept();
}
