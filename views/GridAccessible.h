#pragma once

#include <QAccessibleWidget>
#include <QHash>

class OutlinedGrid;

// A palette or the maptile as a screen reader sees it: a table whose cells
// are read with what they hold, the outlined cell reported as the focus and
// the selection whenever the outline moves. The view's own controls (the
// maptile's speed-value list) follow the cells as children; its outline and
// its labels, which the table's name and description repeat, are left out.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    GridAccessible(QWidget *view, OutlinedGrid *grid);
    ~GridAccessible() override;

    // Makes GridAccessible the interface of every view that is an
    // OutlinedGrid; may be called any number of times.
    static void install();
    // Tells a screen reader which cell is outlined: as the focus while the
    // view has the keyboard, and as the selection. For when the outline moves
    // and when the view takes the keyboard.
    static void reportOutline(QWidget *view);
    // Tells it what the outlined cell holds has changed.
    static void cellChanged(QWidget *view);
    // To be called when the grid has taken another size: its cells are made anew.
    static void gridResized(QWidget *view);

    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *focusChild() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *event) override;

private:
    static QAccessibleInterface *create(const QString &className, QObject *object);
    // The outlined cell's interface, or null while the outline is off the grid.
    QAccessibleInterface *outlined() const;
    // The cell interfaces, made when first asked for and kept while the grid keeps its size.
    QAccessibleInterface *cell(QPoint cell) const;
    void forgetCells() const;
    // The view's children that take the keyboard, after the cells.
    QList<QWidget *> controls() const;

    OutlinedGrid *m_grid;
    mutable QSize m_cellsMadeFor;
    mutable QHash<QPoint, QAccessible::Id> m_cells;
};
