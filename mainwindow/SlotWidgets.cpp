#include "mainwindow/SlotWidgets.h"

#include "mainwindow/IconButtons.h"
#include "mainwindow/ToolbarWidgets.h"
#include "raster/HiResPicture.h"
#include "views/OutlineShape.h"
#include "views/PaletteView.h"
#include "views/UiFonts.h"
#include "workspace/Workspace.h"

#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

// Slot buttons: A-D on the first row, E-H on the second; x and width of the
// letter button, x of the transparency and load buttons, by column.
struct SlotColumn
{
    int setX, setWidth, transX, loadX;
};
constexpr SlotColumn SlotColumns[4] = {{4, 43, 46, 66}, {92, 39, 130, 150}, {176, 39, 214, 234}, {260, 39, 298, 318}};
constexpr int SlotRowY[2] = {279, 301};
constexpr int SlotButtonHeight = 21;

} // namespace

SlotWidgets::SlotWidgets(Workspace &workspace, IconButtons &icons, QWidget *window)
    : QObject(window)
    , m_workspace(workspace)
    , m_window(window)
{
    buildPalettes();
    buildPreviewBox();
    buildButtons(icons);
}

void SlotWidgets::buildPalettes()
{
    // Stacked so that, front to back, the palettes are H, G, F, E, A, B, C, D.
    for (int slot : {3, 2, 1, 0, 4, 5, 6, 7}) {
        auto *palette = new PaletteView(m_workspace, slot, m_window);
        palette->move(4, 84);
        m_palettes[slot] = palette;
        connect(palette, &PaletteView::previewRequested, this, &SlotWidgets::showPreviewBox);
        connect(palette, &PaletteView::previewReleased, this, [this] { m_previewBox->hide(); });
    }
}

void SlotWidgets::buildPreviewBox()
{
    m_previewBox = new QWidget(m_window);
    m_previewBox->setObjectName(QStringLiteral("picTilePrev"));
    m_previewBox->setGeometry(88, 99, 93, 93);
    m_previewBox->setAccessibleName(tr("Enlarged subtile"));
    m_previewPicture = new QLabel(m_previewBox);
    m_previewPicture->setGeometry(1, 1, 91, 91);
    m_previewPicture->setAccessibleName(tr("Enlarged subtile"));
    auto *frame = new OutlineShape(QColor(0, 0, 255), m_previewBox);
    frame->setObjectName(QStringLiteral("Shape1"));
    frame->setAccessibleName(tr("Frame of the enlarged subtile"));
    frame->setGeometry(0, 0, 93, 93);
    m_previewBox->hide();
}

void SlotWidgets::buildButtons(IconButtons &icons)
{
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        const SlotColumn &column = SlotColumns[slot % 4];
        const int y = SlotRowY[slot / 4];
        const QChar letter(u'A' + slot);
        auto *set = new QPushButton(QString(letter), m_window);
        set->setObjectName(QStringLiteral("cmdSet%1").arg(slot));
        set->setFont(UiFonts::slotLetter());
        set->setGeometry(column.setX, y, column.setWidth, SlotButtonHeight);
        const QString show = tr("Show slot %1").arg(letter);
        set->setToolTip(ToolbarWidgets::withKey(show, QKeySequence(Qt::CTRL | (Qt::Key_1 + slot))));
        set->setAccessibleName(show);
        set->setAccessibleDescription(tr("The menu key or a right-click offers the slot's tileset commands"));
        set->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(set, &QPushButton::clicked, this, [this, slot] { showSlot(slot); });
        m_setButtons[slot] = set;

        QToolButton *trans = icons.make(QStringLiteral("cmdTrans%1").arg(slot), QStringLiteral("transparency"),
                                        QRect(column.transX, y, 21, SlotButtonHeight), m_window);
        trans->setToolTip(tr("Transparency of slot %1").arg(letter));
        trans->setAccessibleName(trans->toolTip());
        m_transButtons[slot] = trans;
        QToolButton *load = icons.make(QStringLiteral("cmdLoadSet%1").arg(slot), QStringLiteral("folder"),
                                       QRect(column.loadX, y, 21, SlotButtonHeight), m_window);
        load->setToolTip(tr("Load a tileset into slot %1").arg(letter));
        load->setAccessibleName(load->toolTip());
        m_loadButtons[slot] = load;
    }
}

int SlotWidgets::frontSlot() const
{
    // The palette drawn last among its siblings is the one in front.
    const QObjectList &children = m_window->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (auto *palette = qobject_cast<PaletteView *>(*it))
            return palette->slot();
    }
    return -1;
}

void SlotWidgets::showSlot(int slot)
{
    // Only the palette in front takes the keyboard focus, by a press or by Tab;
    // the focus, for picking and pasting, follows to it.
    for (PaletteView *palette : m_palettes)
        palette->setFocusPolicy(palette->slot() == slot ? Qt::StrongFocus : Qt::NoFocus);
    if (qobject_cast<PaletteView *>(m_window->focusWidget()))
        m_palettes[slot]->setFocus(Qt::OtherFocusReason);
    m_palettes[slot]->raise();
    // The preview box and the slot buttons lie in front of every palette.
    m_previewBox->raise();
}

void SlotWidgets::showPreviewBox(int slot)
{
    const QPoint cell = m_workspace.slot(slot).outlineCell;
    const QImage subtile = m_workspace.slot(slot).subtile(cell.x(), cell.y());
    m_previewPicture->setPixmap(QPixmap::fromImage(
        HiResPicture::build(subtile, subtile.rect(), QSize(91, 91), m_previewPicture->devicePixelRatio(), false)));
    m_previewBox->move(cell.x() * Geometry::ViewSpaceSize + 4, cell.y() * Geometry::ViewSpaceSize + 56);
    m_previewBox->raise();
    m_previewBox->show();
}
