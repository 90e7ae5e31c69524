#include "views/WorkingView.h"

#include "document/DocumentArchive.h"
#include "views/GridAccessible.h"
#include "views/MouseCodes.h"
#include "views/OutlineShape.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

using Geometry::ViewSpaceSize;

WorkingView::WorkingView(Workspace &workspace, QWidget *parent)
    : QWidget(parent)
    , m_workspace(workspace)
{
    GridAccessible::install();
    setObjectName(QStringLiteral("picMapTile"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A press or Tab gives it the keyboard, which then paints.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Maptile"));

    m_outline = new OutlineShape(Qt::red, this);
    m_outline->setObjectName(QStringLiteral("shpTile"));
    m_outline->setGeometry(0, 0, ViewSpaceSize, ViewSpaceSize);

    m_speedList = new QComboBox(this);
    m_speedList->setObjectName(QStringLiteral("cboNum"));
    m_speedList->setAccessibleName(tr("Speed value"));
    m_speedList->setAccessibleDescription(tr("The speed value printed on the space; Escape leaves it as it was"));
    m_speedList->setEditable(true);
    m_speedList->setInsertPolicy(QComboBox::NoInsert);
    m_speedList->addItems(SpeedItems);
    m_speedList->setGeometry(32, 104, 45, 21);
    m_speedList->hide();
    // Typed text is stored when Enter confirms it, and only then. Left to
    // itself the edit field would pick the item whose text was typed when it
    // loses the focus, which hiding the list by Escape or by a press on the
    // maptile also causes.
    m_speedList->lineEdit()->blockSignals(true);
    // As long as a document keeps.
    m_speedList->lineEdit()->setMaxLength(DocumentArchive::MaxSpeedLength);
    m_speedList->lineEdit()->setAccessibleName(m_speedList->accessibleName());
    // Nor does a wheel turn over it choose anything.
    m_speedList->setFocusPolicy(Qt::StrongFocus);
    m_speedList->installEventFilter(this);
    m_speedList->lineEdit()->installEventFilter(this);
    connect(m_speedList, &QComboBox::activated, this,
            [this](int index) { storeSpeedValue(m_speedList->itemText(index)); });

    connect(&m_workspace, &Workspace::redrawn, this, &WorkingView::followMaptile);
    followMaptile();
}

void WorkingView::followMaptile()
{
    const QSize size = m_workspace.workingView().size();
    if (size != this->size()) {
        setFixedSize(size);
        setAccessibleDescription(
            tr("%1 spaces wide and %2 spaces tall").arg(gridSize().width()).arg(gridSize().height()));
        GridAccessible::gridResized(this);
    }
    update();
    GridAccessible::cellChanged(this);
}

QSize WorkingView::gridSize() const
{
    return {m_workspace.maptile().columns(), m_workspace.maptile().rows()};
}

void WorkingView::setOutlinedCell(QPoint cell)
{
    m_outline->move(cell * ViewSpaceSize);
    GridAccessible::reportOutline(this);
}

QString WorkingView::cellText(QPoint cell) const
{
    const Maptile &maptile = m_workspace.maptile();
    // Counted from 1, as a listener counts.
    const QString column = QString::number(cell.x() + 1), row = QString::number(cell.y() + 1);
    const QString speed = maptile.speedValue(cell.x(), cell.y());
    if (maptile.isBlank(cell))
        return speed.isEmpty() ? tr("space %1, %2, blank").arg(column, row)
                               : tr("space %1, %2, blank, speed value %3").arg(column, row, speed);
    return speed.isEmpty() ? tr("space %1, %2, no speed value").arg(column, row)
                           : tr("space %1, %2, speed value %3").arg(column, row, speed);
}

void WorkingView::pressCell(QPoint cell)
{
    setOutlinedCell(cell);
    closeSpeedList();
    m_workspace.place(Workspace::LeftButton, cell);
}

QPoint WorkingView::currentSpace() const
{
    return QPoint(MouseCodes::cellOf(m_outline->x(), ViewSpaceSize), MouseCodes::cellOf(m_outline->y(), ViewSpaceSize));
}

void WorkingView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_picture.draw(painter, m_workspace.workingView(), [this] {
        // The preview carries the overlays; the view shows its top-left part at one third.
        const QRect part(QPoint(0, 0), m_workspace.workingView().size() * 3);
        return HiResPicture::Source{m_workspace.preview(), part, true};
    });
}

void WorkingView::mouseMoveEvent(QMouseEvent *event)
{
    // No clamping: dragging outside the view carries the outline off the grid.
    // Rounded down, so half a pixel left of the view is already off it.
    const QPointF pos = event->position();
    const QPoint space(MouseCodes::cellOf(qFloor(pos.x()), ViewSpaceSize),
                       MouseCodes::cellOf(qFloor(pos.y()), ViewSpaceSize));
    if (space == currentSpace())
        return;
    setOutlinedCell(space);
    if (event->buttons() != Qt::NoButton)
        m_workspace.continueStroke(space);
}

void WorkingView::mousePressEvent(QMouseEvent *event)
{
    press(MouseCodes::buttons(event->buttons()), MouseCodes::modifiers(event->modifiers()));
}

void WorkingView::mouseReleaseEvent(QMouseEvent *)
{
    m_workspace.endStroke();
}

void WorkingView::press(int buttons, int modifiers)
{
    if (modifiers != 0) {
        m_workspace.endStroke();
        openSpeedList();
        return;
    }
    closeSpeedList();
    m_workspace.beginStroke(buttons, currentSpace());
}

void WorkingView::keyPressEvent(QKeyEvent *event)
{
    // Held with Shift, Ctrl or Alt, the keys belong to the window's commands.
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (const QPoint step = MouseCodes::arrowStep(event->key()); !step.isNull()) {
        // Kept within the maptile, wherever a drag left the outline.
        const QPoint space = currentSpace() + step;
        const Maptile &maptile = m_workspace.maptile();
        setOutlinedCell(
            QPoint(std::clamp(space.x(), 0, maptile.columns() - 1), std::clamp(space.y(), 0, maptile.rows() - 1)));
        return;
    }
    switch (event->key()) {
    case Qt::Key_Space:
        // A key held down lays once, as one press does.
        if (!event->isAutoRepeat()) {
            closeSpeedList();
            m_workspace.place(Workspace::LeftButton, currentSpace());
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openSpeedList();
        m_speedList->setFocus(Qt::OtherFocusReason);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void WorkingView::openSpeedList()
{
    m_speedList->move(m_outline->pos());
    const QPoint space = currentSpace();
    if (Maptile::inSpeedTable(space.x(), space.y())) {
        // The arrow keys then step on from the value shown.
        const QString value = m_workspace.maptile().speedValue(space.x(), space.y());
        m_speedList->setCurrentIndex(m_speedList->findText(value));
        m_speedList->setEditText(value);
    }
    m_speedList->show();
    m_speedList->raise();
}

void WorkingView::storeSpeedValue(const QString &value)
{
    // The value belongs to the space the list was opened on, wherever the pointer went since.
    const QPoint space(MouseCodes::cellOf(m_speedList->x(), ViewSpaceSize),
                       MouseCodes::cellOf(m_speedList->y(), ViewSpaceSize));
    m_workspace.chooseSpeedValue(space, value);
    closeSpeedList();
}

void WorkingView::closeSpeedList()
{
    // Keys go on painting from the maptile, not from the next control along.
    if (m_speedList->isAncestorOf(QApplication::focusWidget()))
        setFocus(Qt::OtherFocusReason);
    m_speedList->hide();
}

bool WorkingView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched == m_speedList)
        return true;
    if (event->type() == QEvent::KeyPress && m_speedList->isVisible()) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Escape:
            closeSpeedList();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Blanks around it are dropped, as around the values a tileset's metadata gives.
            storeSpeedValue(m_speedList->lineEdit()->text().trimmed());
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void WorkingView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // A screen reader says where the keys will paint or pick from, after it
    // has heard of the view itself taking the keyboard.
    QMetaObject::invokeMethod(
        this, [this] { GridAccessible::reportOutline(this); }, Qt::QueuedConnection);
}
