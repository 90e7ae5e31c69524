#pragma once

#include <QColor>
#include <QImage>

// A maptile's picture as sheets draw it, with its outermost rows and columns
// kept as pictures of their own: bleed stretches them outward, and drawing
// the same ones for every copy lets a PDF hold each of them once.
class SheetPicture
{
public:
    SheetPicture() = default;
    // withEdges: keep the edges too, for a sheet with bleed.
    SheetPicture(const QImage &image, bool withEdges);

    const QImage &image() const { return m_image; }
    // The one-pixel row or column along edge.
    const QImage &edge(Qt::Edge edge) const;
    // The pixel at a corner, as a colour: (0, 0) top left, (1, 1) bottom right.
    QColor corner(int right, int bottom) const;

private:
    QImage m_image;
    QImage m_top, m_bottom, m_left, m_right;
};
