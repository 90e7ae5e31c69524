#include "views/GridCellAccessible.h"

#include "raster/Geometry.h"
#include "views/OutlinedGrid.h"

#include <QWindow>

GridCellAccessible::GridCellAccessible(QWidget *view, OutlinedGrid *grid, QPoint cell)
    : m_view(view)
    , m_grid(grid)
    , m_cell(cell)
{
}

bool GridCellAccessible::isValid() const
{
    if (!m_view)
        return false;
    const QSize size = m_grid->gridSize();
    return m_cell.x() < size.width() && m_cell.y() < size.height();
}

QWindow *GridCellAccessible::window() const
{
    return m_view ? m_view->window()->windowHandle() : nullptr;
}

QAccessibleInterface *GridCellAccessible::parent() const
{
    return m_view ? QAccessible::queryAccessibleInterface(m_view) : nullptr;
}

QString GridCellAccessible::text(QAccessible::Text t) const
{
    return t == QAccessible::Name && isValid() ? m_grid->cellText(m_cell) : QString();
}

QRect GridCellAccessible::rect() const
{
    if (!m_view)
        return {};
    const QPoint corner = m_view->mapToGlobal(m_cell * Geometry::ViewSpaceSize);
    return {corner, QSize(Geometry::ViewSpaceSize, Geometry::ViewSpaceSize)};
}

QAccessible::State GridCellAccessible::state() const
{
    QAccessible::State state;
    if (!isValid())
        return state;
    state.focusable = true;
    state.selectable = true;
    state.invisible = !m_view->isVisible();
    state.selected = isSelected();
    state.focused = state.selected && m_view->hasFocus();
    return state;
}

void *GridCellAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

bool GridCellAccessible::isSelected() const
{
    return isValid() && m_grid->outlinedCell() == m_cell;
}

QStringList GridCellAccessible::actionNames() const
{
    return {pressAction(), setFocusAction()};
}

void GridCellAccessible::doAction(const QString &actionName)
{
    if (!isValid())
        return;
    if (actionName == pressAction()) {
        m_grid->pressCell(m_cell);
    } else if (actionName == setFocusAction()) {
        m_grid->setOutlinedCell(m_cell);
        m_view->setFocus(Qt::OtherFocusReason);
    }
}

QStringList GridCellAccessible::keyBindingsForAction(const QString &actionName) const
{
    return actionName == pressAction() ? QStringList(QStringLiteral("Space")) : QStringList();
}
