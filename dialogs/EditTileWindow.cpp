#include "dialogs/EditTileWindow.h"

#include "raster/SubtileTransforms.h"
#include "views/PaletteView.h"
#include "workspace/Workspace.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

EditTileWindow::EditTileWindow(Workspace &workspace, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_workspace(workspace)
{
    setObjectName(QStringLiteral("frmEditTile"));
    setWindowTitle(tr("Edit Tile"));
    setFixedSize(ClientSize);

    m_view = new QLabel(this);
    m_view->setObjectName(QStringLiteral("picView"));
    m_view->setGeometry(4, 4, Geometry::SpaceSize, Geometry::SpaceSize);
    m_view->setAccessibleName(tr("The subtile as it will be"));

    const struct
    {
        const char *name;
        const char *icon;
        const char *tip;
        int x;
        QImage (*operation)(const QImage &);
    } tools[] = {
        {"Command2", "flip_vertical", QT_TR_NOOP("Flip Vertical"), 4, SubtileTransforms::flipVertical},
        {"Command3", "rotate_right", QT_TR_NOOP("Rotate Right"), 32, SubtileTransforms::rotateRight},
        {"Command4", "rotate_left", QT_TR_NOOP("Rotate Left"), 96, SubtileTransforms::rotateLeft},
        {"Command1", "flip_horizontal", QT_TR_NOOP("Flip Horizontal"), 124, SubtileTransforms::flipHorizontal},
    };
    for (const auto &tool : tools) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(tool.name));
        button->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(tool.icon))));
        button->setIconSize(QSize(16, 16));
        button->setToolTip(tr(tool.tip));
        button->setAccessibleName(tr(tool.tip));
        button->setAutoDefault(false);
        button->setGeometry(tool.x, 152, 24, 24);
        connect(button, &QPushButton::clicked, this, [this, operation = tool.operation] { transform(operation); });
    }

    // Escape rejects the dialog, which is the cancel button's action.
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command5"));
    cancel->setAutoDefault(false);
    cancel->setGeometry(4, 184, 65, 21);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Command6"));
    ok->setDefault(true);
    ok->setGeometry(84, 184, 65, 21);
    connect(ok, &QPushButton::clicked, this, &EditTileWindow::confirm);
}

void EditTileWindow::editCell(PaletteView *palette)
{
    m_palette = palette;
    const TilesetSlot &slot = m_workspace.slot(palette->slot());
    m_cell = slot.outlineCell;
    m_actual = slot.subtile(m_cell.x(), m_cell.y());
    m_view->setPixmap(QPixmap::fromImage(m_actual));
}

void EditTileWindow::transform(QImage (*operation)(const QImage &))
{
    m_actual = operation(m_actual);
    m_view->setPixmap(QPixmap::fromImage(m_actual));
}

void EditTileWindow::confirm()
{
    if (m_palette) {
        m_workspace.replaceSubtile(m_palette->slot(), m_cell.x(), m_cell.y(), m_actual);
        // As a plain left press on the palette: the left button takes the edited cell.
        m_palette->press(Workspace::LeftButton, 0);
    }
    accept();
}
