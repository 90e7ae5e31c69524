#pragma once

#include <QImage>
#include <QRect>

#include <functional>

class QPainter;

// What a view draws on a screen of any pixel density. At one device pixel per
// logical pixel the view's own one-third picture is drawn as it is. On a
// denser screen, enlarging that picture would only blur it: a picture scaled
// from the full-resolution image is drawn instead, built on the first draw
// after the shown picture changed and kept until it changes again.
class HiResPicture
{
public:
    // The full-resolution origin of a shown picture: the part of image that
    // the picture shows at one third, and whether the grid lies over it.
    struct Source
    {
        QImage image;
        QRect part;
        bool grid = false;
    };

    // Draws at the painter's origin, as large as shown in logical pixels.
    // source is asked only when the detailed picture has to be built.
    void draw(QPainter &painter, const QImage &shown, const std::function<Source()> &source);

    // part of full scaled smoothly to size logical pixels at ratio device
    // pixels each, with the grid laid over it when asked.
    static QImage build(const QImage &full, const QRect &part, QSize size, qreal ratio, bool grid);

private:
    QImage m_picture;
    qint64 m_shownKey = 0;
};
