#include "SmallImages.h"

#include "FloorSet.h"
#include "Keying.h"
#include "ObjectSet.h"

#include <QDir>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

QImage SmallImages::door()
{
    // Drawn pixel by pixel: the key colour must stay exact right up to the
    // outline, which antialiasing would smear.
    constexpr int w = 31, h = 49;
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(QColor::fromRgb(kDoorKey));
    auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return false;
        const double px = x + 0.5, py = y + 0.5, cx = 15.5, cy = 15.5, r = 14.6;
        if (py > h - 1.0)
            return false;
        if (py >= cy)
            return std::fabs(px - cx) <= r;
        return std::hypot(px - cx, py - cy) <= r;
    };
    // Mid-dark boards so a white number reads in the middle.
    const QRgb boards[5] = {qRgb(150, 78, 32), qRgb(138, 70, 28), qRgb(156, 84, 36), qRgb(142, 74, 30),
                            qRgb(150, 80, 34)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y))
                continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (edge) {
                img.setPixel(x, y, qRgb(0, 0, 0));
                continue;
            }
            const int board = std::clamp((x - 1) / 6, 0, 4);
            QRgb c = boards[board];
            const int local = (x - 1) % 6;
            // Grain: a few darker streaks along each board.
            const int streak = (x * 7 + board * 3 + (y / 9) * 5) % 11;
            if (streak == 0 || streak == 6)
                c = qRgb(qRed(c) - 16, qGreen(c) - 10, qBlue(c) - 5);
            if (local == 0 && x > 1)
                c = qRgb(70, 34, 12); // seam between boards
            if (local == 1)
                c = qRgb(std::min(255, qRed(c) + 18), std::min(255, qGreen(c) + 12), std::min(255, qBlue(c) + 6));
            // Iron straps near the top and bottom.
            if (y == 11 || y == 12 || y == 39 || y == 40)
                c = (y == 11 || y == 39) ? qRgb(74, 74, 80) : qRgb(44, 44, 50);
            img.setPixel(x, y, c);
        }
    // The iron fitting in the middle: a dark plate with a ring.
    for (int y = 22; y <= 28; ++y)
        for (int x = 12; x <= 18; ++x) {
            const bool border = x == 12 || x == 18 || y == 22 || y == 28;
            img.setPixel(x, y, border ? qRgb(24, 24, 28) : qRgb(52, 52, 58));
        }
    for (int y = 20; y <= 30; ++y)
        for (int x = 10; x <= 20; ++x) {
            const double d = std::hypot(x - 15.0, y - 27.0);
            if (y > 27 && std::fabs(d - 3.2) < 0.6)
                img.setPixel(x, y, qRgb(30, 30, 34));
        }
    img.setPixel(15, 25, qRgb(10, 10, 10)); // keyhole
    return img;
}

QImage SmallImages::guide()
{
    QImage img(184, 50, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    // The speech bubble, with a small tail pointing at the creature.
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(41.5, 0.5, 142, 49), 5, 5);
    QPainterPath tail;
    tail.moveTo(42, 22);
    tail.lineTo(33.5, 30);
    tail.lineTo(42, 33);
    tail.closeSubpath();
    const QPainterPath shape = bubble.united(tail);
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.setBrush(Qt::white);
    p.drawPath(shape);

    // The living chest: a gaping lid full of teeth, eyes on top.
    const QColor outline(28, 14, 6);
    QPainterPath box;
    box.addRoundedRect(QRectF(3.5, 27.5, 30, 18), 2, 2);
    QLinearGradient wood(0, 27, 0, 46);
    wood.setColorAt(0, QColor(176, 104, 44));
    wood.setColorAt(1, QColor(112, 58, 22));
    p.setPen(QPen(outline, 1));
    p.setBrush(wood);
    p.drawPath(box);
    // Dark mouth and tongue.
    QPainterPath mouth;
    mouth.moveTo(4, 28);
    mouth.lineTo(33, 28);
    mouth.lineTo(31, 21);
    mouth.lineTo(6, 17);
    mouth.closeSubpath();
    p.setBrush(QColor(60, 8, 12));
    p.drawPath(mouth);
    QPainterPath tongue;
    tongue.moveTo(10, 28);
    tongue.cubicTo(12, 22, 24, 22, 28, 27);
    tongue.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 74, 90));
    p.drawPath(tongue);
    // The lid, tipped back.
    QPainterPath lid;
    lid.moveTo(3.5, 17.5);
    lid.lineTo(6, 6);
    lid.cubicTo(10, 1, 30, 3, 33.5, 11);
    lid.lineTo(32, 21.5);
    lid.closeSubpath();
    QLinearGradient lidWood(0, 3, 0, 21);
    lidWood.setColorAt(0, QColor(204, 130, 62));
    lidWood.setColorAt(1, QColor(140, 76, 30));
    p.setPen(QPen(outline, 1));
    p.setBrush(lidWood);
    p.drawPath(lid);
    // Iron bands.
    p.setPen(QPen(QColor(70, 74, 82), 2.2));
    p.drawLine(QPointF(11, 29), QPointF(11, 45));
    p.drawLine(QPointF(26, 29), QPointF(26, 45));
    p.drawLine(QPointF(12.5, 4.5), QPointF(10.5, 18.5));
    p.drawLine(QPointF(26.5, 5.5), QPointF(25.5, 20.5));
    // Teeth on both jaws.
    p.setPen(QPen(QColor(120, 110, 90), 0.6));
    p.setBrush(QColor(250, 246, 228));
    for (int k = 0; k < 6; ++k) {
        const double x0 = 5.5 + k * 4.5;
        QPainterPath up;
        up.moveTo(x0, 28);
        up.lineTo(x0 + 2, 23.8);
        up.lineTo(x0 + 4, 28);
        up.closeSubpath();
        p.drawPath(up);
        const double lx = 6.5 + k * 4.2, ly = 17.6 + k * 0.62;
        QPainterPath down;
        down.moveTo(lx, ly);
        down.lineTo(lx + 1.9, ly + 4.4);
        down.lineTo(lx + 3.8, ly + 0.5);
        down.closeSubpath();
        p.drawPath(down);
    }
    // Eyes on the lid, looking towards the bubble.
    for (const QPointF c : {QPointF(14, 10), QPointF(23, 10.5)}) {
        p.setPen(QPen(outline, 0.8));
        p.setBrush(QColor(255, 240, 120));
        p.drawEllipse(c, 3.6, 3.6);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(c + QPointF(1.3, 0.4), 1.6, 2.1);
        p.setBrush(Qt::white);
        p.drawEllipse(c + QPointF(0.6, -1.0), 0.6, 0.6);
    }
    // A gold lock like a nose.
    p.setPen(QPen(outline, 0.8));
    p.setBrush(QColor(232, 184, 60));
    p.drawRoundedRect(QRectF(16.5, 31.5, 5, 6), 1, 1);
    p.end();
    return img;
}

QImage SmallImages::sampleFloor(const FloorSet &floors)
{
    return floors.sampleFloor()
        .scaled(45, 45, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB888);
}

QImage SmallImages::sampleObject(const ObjectSet &objects)
{
    // Shrink the lit barrel with its coverage, then key it: thresholding after
    // the resize keeps the edge free of blue.
    Relief r(8, 3);
    r.paint([&](float x, float y, Texel &t) {
        t = Texel();
        t.alpha = 0;
        t.height = 0;
        objects.barrel(x, y, t);
    });
    const QImage lit = r.render().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage small = lit.copy(30, 30, 84, 84).scaled(41, 41, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage canvas(45, 45, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter p(&canvas);
    p.drawImage(2, 2, small);
    p.end();
    return Keying::onKey(canvas.convertToFormat(QImage::Format_ARGB32), kSampleKey, 0)
        .convertToFormat(QImage::Format_RGB888);
}

bool SmallImages::write(const QString &repoRoot, const FloorSet &floors, const ObjectSet &objects)
{
    const QDir root(repoRoot);
    QDir().mkpath(root.filePath("resources/images"));
    bool ok = door().save(root.filePath("resources/images/door.png"));
    ok &= guide().save(root.filePath("resources/images/guide.png"));
    ok &= sampleFloor(floors).save(root.filePath("resources/images/sample_floor.png"));
    ok &= sampleObject(objects).save(root.filePath("resources/images/sample_object.png"));
    return ok;
}
