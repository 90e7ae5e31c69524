#include "sheets/SheetPicture.h"

SheetPicture::SheetPicture(const QImage &image, bool withEdges)
    : m_image(image)
{
    if (!withEdges || image.isNull())
        return;
    const int w = image.width(), h = image.height();
    m_top = image.copy(0, 0, w, 1);
    m_bottom = image.copy(0, h - 1, w, 1);
    m_left = image.copy(0, 0, 1, h);
    m_right = image.copy(w - 1, 0, 1, h);
}

const QImage &SheetPicture::edge(Qt::Edge edge) const
{
    switch (edge) {
    case Qt::TopEdge:
        return m_top;
    case Qt::BottomEdge:
        return m_bottom;
    case Qt::LeftEdge:
        return m_left;
    case Qt::RightEdge:
        break;
    }
    return m_right;
}

QColor SheetPicture::corner(int right, int bottom) const
{
    return m_image.pixelColor(right ? m_image.width() - 1 : 0, bottom ? m_image.height() - 1 : 0);
}
