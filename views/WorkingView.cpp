#include "views/WorkingView.h"

#include "views/MouseCodes.h"
#include "views/OutlineShape.h"
#include "document/DocumentArchive.h"
#include "workspace/Workspace.h"

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
    setObjectName(QStringLiteral("picMapTile"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);

    m_outline = new OutlineShape(Qt::red, this);
    m_outline->setObjectName(QStringLiteral("shpTile"));
    m_outline->setGeometry(0, 0, ViewSpaceSize, ViewSpaceSize);

    m_speedList = new QComboBox(this);
    m_speedList->setObjectName(QStringLiteral("cboNum"));
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
    if (size != this->size())
        setFixedSize(size);
    update();
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
    m_outline->move(MouseCodes::cellOf(qFloor(pos.x()), ViewSpaceSize) * ViewSpaceSize,
                    MouseCodes::cellOf(qFloor(pos.y()), ViewSpaceSize) * ViewSpaceSize);
}

void WorkingView::mousePressEvent(QMouseEvent *event)
{
    press(MouseCodes::buttons(event->buttons()), MouseCodes::modifiers(event->modifiers()));
}

void WorkingView::press(int buttons, int modifiers)
{
    if (modifiers != 0) {
        openSpeedList();
        return;
    }
    m_speedList->hide();
    m_workspace.place(buttons, currentSpace());
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
    m_speedList->hide();
}

bool WorkingView::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && watched == m_speedList)
        return true;
    if (event->type() == QEvent::KeyPress && m_speedList->isVisible()) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Escape:
            m_speedList->hide();
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
