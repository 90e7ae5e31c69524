#include "views/OutlineShape.h"

#include <QPainter>

OutlineShape::OutlineShape(QColor colour, QWidget *parent)
    : QWidget(parent)
    , m_colour(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void OutlineShape::paintEvent(QPaintEvent *)
{
    // Filled edges rather than a stroke: a pen centred on the border would
    // stand half outside the widget on a scaled screen.
    QPainter painter(this);
    painter.fillRect(0, 0, width(), 1, m_colour);
    painter.fillRect(0, height() - 1, width(), 1, m_colour);
    painter.fillRect(0, 0, 1, height(), m_colour);
    painter.fillRect(width() - 1, 0, 1, height(), m_colour);
}
