#include "views/PaletteView.h"

#include "views/GridAccessible.h"
#include "views/MouseCodes.h"
#include "views/OutlineShape.h"
#include "views/UiFonts.h"
#include "workspace/Workspace.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

using Geometry::ViewSpaceSize;

namespace {

QLabel *whiteOnBlack(const QString &text, const QFont &font, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(font);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setContentsMargins(0, 0, 0, 0);
    return label;
}

} // namespace

PaletteView::PaletteView(Workspace &workspace, int slot, QWidget *parent)
    : QWidget(parent)
    , m_workspace(workspace)
    , m_slot(slot)
{
    GridAccessible::install();
    setObjectName(QStringLiteral("picTileSet%1").arg(slot));
    setFixedSize(Geometry::PaletteSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Tileset %1").arg(QChar(u'A' + slot)));

    // The letter labels are numbered as the window was first laid out: 4-7, then 9-12.
    const int letterNumber = slot < 4 ? 4 + slot : 5 + slot;
    m_letter = whiteOnBlack(QStringLiteral(" %1 ").arg(QChar(u'A' + slot)), UiFonts::paletteLetter(), this);
    m_letter->setObjectName(QStringLiteral("Label%1").arg(letterNumber));
    m_letter->adjustSize();
    m_letter->move(0, 0);

    m_setInfo = whiteOnBlack(QString(), UiFonts::setInfo(), this);
    m_setInfo->setObjectName(QStringLiteral("lblSetInfo%1").arg(slot));
    m_setInfo->move(0, 184);

    m_outline = new OutlineShape(Qt::red, this);
    m_outline->setObjectName(QStringLiteral("shpSelect%1").arg(slot));
    m_outline->setGeometry(0, 0, ViewSpaceSize, ViewSpaceSize);

    connect(&m_workspace, &Workspace::slotChanged, this, [this](int changed) {
        if (changed == m_slot) {
            update();
            showSetInfo();
            GridAccessible::cellChanged(this);
        }
    });
}

void PaletteView::showSetInfo()
{
    // A long name is narrowed, then cut short, to stay within the palette;
    // the whole text is in its tooltip then.
    const QString text = m_workspace.setInfo(m_slot);
    QFont font = UiFonts::setInfo();
    for (const int stretch : {100, 90, 80}) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(text) <= width())
            break;
    }
    const QString shown = QFontMetrics(font).elidedText(text, Qt::ElideRight, width());
    m_setInfo->setFont(font);
    m_setInfo->setText(shown);
    m_setInfo->setToolTip(shown == text ? QString() : text);
    setAccessibleDescription(text);
    m_setInfo->adjustSize();
}

void PaletteView::paintEvent(QPaintEvent *)
{
    const TilesetSlot &slot = m_workspace.slot(m_slot);
    QPainter painter(this);
    // A slot whose palette was never built shows no grid.
    m_picture.draw(painter, slot.palette(), [&slot] {
        return HiResPicture::Source{slot.fullImage(), slot.fullImage().rect(), slot.hasPalette()};
    });
}

QRect PaletteView::outlinedCells() const
{
    const QPoint cell = outlinedCell();
    const QPoint from = m_rectFrom.value_or(cell);
    return QRect(QPoint(std::min(from.x(), cell.x()), std::min(from.y(), cell.y())),
                 QPoint(std::max(from.x(), cell.x()), std::max(from.y(), cell.y())));
}

void PaletteView::placeOutline()
{
    const QRect cells = outlinedCells();
    const QRect shape(cells.topLeft() * ViewSpaceSize, cells.size() * ViewSpaceSize);
    if (m_outline->geometry() == shape)
        return;
    m_outline->setGeometry(shape);
    GridAccessible::reportOutline(this);
}

void PaletteView::moveOutline(QPoint step)
{
    const QPoint cell = outlinedCell() + step;
    m_workspace.setOutlineCell(
        m_slot,
        {std::clamp(cell.x(), 0, Geometry::TilesetColumns - 1), std::clamp(cell.y(), 0, Geometry::TilesetRows - 1)});
    placeOutline();
}

QSize PaletteView::gridSize() const
{
    return {Geometry::TilesetColumns, Geometry::TilesetRows};
}

QPoint PaletteView::outlinedCell() const
{
    return m_workspace.slot(m_slot).outlineCell;
}

void PaletteView::setOutlinedCell(QPoint cell)
{
    m_workspace.setOutlineCell(m_slot, cell);
    placeOutline();
}

QString PaletteView::cellText(QPoint cell) const
{
    const TilesetSlot &slot = m_workspace.slot(m_slot);
    // Counted from 1, as a listener counts.
    const QString column = QString::number(cell.x() + 1), row = QString::number(cell.y() + 1);
    const QString letter(QChar(u'A' + m_slot));
    if (!slot.hasPalette())
        return tr("cell %1, %2 of slot %3, empty").arg(column, row, letter);
    const QString speed = slot.tileData().speedValue(cell.x(), cell.y());
    if (speed.isEmpty())
        return tr("cell %1, %2 of slot %3, no speed value").arg(column, row, letter);
    return tr("cell %1, %2 of slot %3, speed value %4").arg(column, row, letter, speed);
}

void PaletteView::pressCell(QPoint cell)
{
    setOutlinedCell(cell);
    press(Workspace::LeftButton, 0);
}

QPoint PaletteView::cellAt(QPointF point)
{
    // Rounded down, not to the nearest pixel: on a scaled screen the pointer
    // lies between pixels, and 47.6 is still in the first cell.
    // The outline stays on the nearest edge cell when the pointer leaves the palette.
    const int column =
        std::clamp(MouseCodes::cellOf(qFloor(point.x()), ViewSpaceSize), 0, Geometry::TilesetColumns - 1);
    const int row = std::clamp(MouseCodes::cellOf(qFloor(point.y()), ViewSpaceSize), 0, Geometry::TilesetRows - 1);
    return {column, row};
}

void PaletteView::mouseMoveEvent(QMouseEvent *event)
{
    // The pointer takes the outline back from a rectangle the keys widened.
    if (!m_dragButton)
        m_rectFrom.reset();
    m_workspace.setOutlineCell(m_slot, cellAt(event->position()));
    placeOutline();
    if (MouseCodes::buttons(event->buttons()) == 1 && MouseCodes::modifiers(event->modifiers()) > 0)
        emit previewRequested(m_slot);
}

void PaletteView::press(int buttons, int modifiers)
{
    if (modifiers > 0) {
        emit previewRequested(m_slot);
        return;
    }
    m_workspace.assign(buttons, m_slot);
}

void PaletteView::mousePressEvent(QMouseEvent *event)
{
    const int buttons = MouseCodes::buttons(event->buttons()), modifiers = MouseCodes::modifiers(event->modifiers());
    press(buttons, modifiers);
    // Held and dragged over more cells, the one button takes them all on release.
    m_rectFrom.reset();
    m_dragButton = 0;
    if (modifiers == 0 && Workspace::pictureForButton(buttons) >= 0) {
        m_dragButton = buttons;
        m_rectFrom = outlinedCell();
    }
}

void PaletteView::mouseReleaseEvent(QMouseEvent *event)
{
    emit previewReleased();
    if (!m_dragButton || event->buttons() != Qt::NoButton)
        return;
    m_workspace.setOutlineCell(m_slot, cellAt(event->position()));
    const QRect cells = outlinedCells();
    const int button = std::exchange(m_dragButton, 0);
    m_rectFrom.reset();
    placeOutline();
    // Released on the pressed cell, the press has assigned it already.
    if (cells.width() * cells.height() > 1)
        m_workspace.assignCells(button, m_slot, cells);
}

void PaletteView::mouseDoubleClickEvent(QMouseEvent *)
{
    // The first press of the double-click has already assigned the cell, or
    // shown it enlarged when a modifier was held; either way the editor opens.
    emit doubleClicked(m_slot);
}

void PaletteView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested(m_slot);
        return;
    }
    const QPoint step = MouseCodes::arrowStep(event->key());
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    // Shift+arrows widen the outline to a rectangle from the cell it was on.
    if (!step.isNull() && modifiers == Qt::ShiftModifier) {
        if (!m_rectFrom)
            m_rectFrom = outlinedCell();
        moveOutline(step);
        return;
    }
    // Held with Shift, Ctrl or Alt, other keys belong to the window's commands.
    if (modifiers) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!step.isNull()) {
        m_rectFrom.reset();
        moveOutline(step);
    } else if (event->key() == Qt::Key_Space) {
        const QRect cells = outlinedCells();
        if (cells.width() * cells.height() > 1)
            m_workspace.assignCells(Workspace::LeftButton, m_slot, cells);
        else
            press(Workspace::LeftButton, 0);
    } else if (event->key() == Qt::Key_Delete) {
        m_workspace.emptyCell(m_slot, m_workspace.slot(m_slot).outlineCell);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void PaletteView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    // A screen reader says where the keys will paint or pick from, after it
    // has heard of the view itself taking the keyboard.
    QMetaObject::invokeMethod(
        this, [this] { GridAccessible::reportOutline(this); }, Qt::QueuedConnection);
}
