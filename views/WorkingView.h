#pragma once

#include "raster/HiResPicture.h"
#include "views/OutlinedGrid.h"

#include <QWidget>

class OutlineShape;
class QComboBox;
class Workspace;

// The maptile at one third with its grid, on which the user paints. A red
// outline follows the pointer from space to space; a press places the subtile
// of the pressed button on the space under it and, while the button is held,
// on every space the pointer enters; a press with a modifier opens the
// speed-value list there instead. The list stores the item picked from it, or
// the text typed into it once Enter confirms it. With the keyboard focus, the
// arrow keys move the outline, Space lays the left button's subtile and Enter
// opens the list. A screen reader reads it space by space, each with its speed value.
class WorkingView : public QWidget, public OutlinedGrid
{
    Q_OBJECT

public:
    static inline const QStringList SpeedItems{QStringLiteral("0"),   QStringLiteral("1"), QStringLiteral("2"),
                                               QStringLiteral("3"),   QStringLiteral("4"), QStringLiteral("1/T"),
                                               QStringLiteral("1/X"), QStringLiteral("X")};

    WorkingView(Workspace &workspace, QWidget *parent);

    // The space under the outline (may lie outside the maptile while dragging).
    QPoint currentSpace() const;
    QComboBox *speedList() const { return m_speedList; }
    // Program codes, as the mouse handlers pass them. A plain press begins a
    // stroke that goes on until the button is released.
    void press(int buttons, int modifiers);

    QSize gridSize() const override;
    QPoint outlinedCell() const override { return currentSpace(); }
    void setOutlinedCell(QPoint cell) override;
    QString cellText(QPoint cell) const override;
    void pressCell(QPoint cell) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openSpeedList();
    void closeSpeedList();
    void storeSpeedValue(const QString &value);
    void followMaptile();

    Workspace &m_workspace;
    OutlineShape *m_outline;
    QComboBox *m_speedList;
    HiResPicture m_picture;
};
