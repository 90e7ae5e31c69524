#include "app/OutlineShape.h"

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
    QPainter painter(this);
    painter.setPen(m_colour);
    painter.drawRect(QRect(0, 0, width() - 1, height() - 1));
}
