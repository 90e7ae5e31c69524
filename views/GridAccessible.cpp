#include "views/GridAccessible.h"

#include "raster/Geometry.h"
#include "views/GridCellAccessible.h"
#include "views/OutlinedGrid.h"

GridAccessible::GridAccessible(QWidget *view, OutlinedGrid *grid)
    : QAccessibleWidget(view, QAccessible::Table)
    , m_grid(grid)
{
}

GridAccessible::~GridAccessible()
{
    forgetCells();
}

void GridAccessible::install()
{
    QAccessible::installFactory(&GridAccessible::create);
}

QAccessibleInterface *GridAccessible::create(const QString &, QObject *object)
{
    auto *view = qobject_cast<QWidget *>(object);
    auto *grid = dynamic_cast<OutlinedGrid *>(object);
    return view && grid ? new GridAccessible(view, grid) : nullptr;
}

void GridAccessible::reportOutline(QWidget *view)
{
    // Nothing listens unless a screen reader is there.
    if (!QAccessible::isActive())
        return;
    auto *grid = static_cast<GridAccessible *>(QAccessible::queryAccessibleInterface(view));
    QAccessibleInterface *cell = grid ? grid->outlined() : nullptr;
    if (!cell)
        return;
    if (view->hasFocus()) {
        QAccessibleEvent focus(cell, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
    QAccessibleEvent selection(cell, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
}

void GridAccessible::gridResized(QWidget *view)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTableModelChangeEvent reset(view, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
}

void GridAccessible::cellChanged(QWidget *view)
{
    if (!QAccessible::isActive())
        return;
    auto *grid = static_cast<GridAccessible *>(QAccessible::queryAccessibleInterface(view));
    if (QAccessibleInterface *cell = grid ? grid->outlined() : nullptr) {
        QAccessibleEvent named(cell, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    }
}

void GridAccessible::forgetCells() const
{
    for (const QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
    m_cells.clear();
}

QAccessibleInterface *GridAccessible::cell(QPoint at) const
{
    // A maptile of another size has other cells: the old ones are let go.
    const QSize size = m_grid->gridSize();
    if (size != m_cellsMadeFor) {
        forgetCells();
        m_cellsMadeFor = size;
    }
    if (at.x() < 0 || at.y() < 0 || at.x() >= size.width() || at.y() >= size.height())
        return nullptr;
    if (const auto known = m_cells.constFind(at); known != m_cells.constEnd())
        return QAccessible::accessibleInterface(*known);
    auto *made = new GridCellAccessible(widget(), m_grid, at);
    m_cells.insert(at, QAccessible::registerAccessibleInterface(made));
    return made;
}

QAccessibleInterface *GridAccessible::outlined() const
{
    return cell(m_grid->outlinedCell());
}

QList<QWidget *> GridAccessible::controls() const
{
    QList<QWidget *> found;
    for (QWidget *child : widget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->focusPolicy() != Qt::NoFocus)
            found << child;
    }
    return found;
}

int GridAccessible::childCount() const
{
    const QSize size = m_grid->gridSize();
    return size.width() * size.height() + int(controls().size());
}

QAccessibleInterface *GridAccessible::child(int index) const
{
    const int columns = m_grid->gridSize().width();
    const int cells = columns * m_grid->gridSize().height();
    if (index < 0)
        return nullptr;
    if (index < cells)
        return cell({index % columns, index / columns});
    const QList<QWidget *> widgets = controls();
    return index - cells < widgets.size() ? QAccessible::queryAccessibleInterface(widgets[index - cells]) : nullptr;
}

int GridAccessible::indexOfChild(const QAccessibleInterface *child) const
{
    if (!child)
        return -1;
    const QSize size = m_grid->gridSize();
    if (child->role() == QAccessible::Cell && child->parent() == this) {
        const auto *cell = static_cast<const GridCellAccessible *>(child);
        return cell->rowIndex() * size.width() + cell->columnIndex();
    }
    const qsizetype at = controls().indexOf(qobject_cast<QWidget *>(child->object()));
    return at < 0 ? -1 : size.width() * size.height() + int(at);
}

QAccessibleInterface *GridAccessible::childAt(int x, int y) const
{
    for (QWidget *control : controls()) {
        if (control->isVisible() && QRect(control->mapToGlobal(QPoint(0, 0)), control->size()).contains(x, y))
            return QAccessible::queryAccessibleInterface(control);
    }
    const QPoint local = widget()->mapFromGlobal(QPoint(x, y));
    if (!widget()->rect().contains(local))
        return nullptr;
    return cell({local.x() / Geometry::ViewSpaceSize, local.y() / Geometry::ViewSpaceSize});
}

QAccessibleInterface *GridAccessible::focusChild() const
{
    if (QAccessibleInterface *control = QAccessibleWidget::focusChild(); control && control->object() != widget())
        return control;
    return widget()->hasFocus() ? outlined() : nullptr;
}

void *GridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface *GridAccessible::cellAt(int row, int column) const
{
    return cell({column, row});
}

int GridAccessible::selectedCellCount() const
{
    return outlined() ? 1 : 0;
}

QList<QAccessibleInterface *> GridAccessible::selectedCells() const
{
    QAccessibleInterface *current = outlined();
    return current ? QList<QAccessibleInterface *>{current} : QList<QAccessibleInterface *>{};
}

QString GridAccessible::columnDescription(int column) const
{
    return QString::number(column + 1);
}

QString GridAccessible::rowDescription(int row) const
{
    return QString::number(row + 1);
}

int GridAccessible::columnCount() const
{
    return m_grid->gridSize().width();
}

int GridAccessible::rowCount() const
{
    return m_grid->gridSize().height();
}

void GridAccessible::modelChange(QAccessibleTableModelChangeEvent *)
{
    forgetCells();
}
