#include "SvgScene.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>

namespace {
QString num(double v)
{
    QString s = QString::number(v, 'f', 3);
    while (s.contains('.') && (s.endsWith('0') || s.endsWith('.')))
        s.chop(1);
    return s == "-0" ? "0" : s;
}

QString colour(const QColor &c)
{
    return c.name(QColor::HexRgb);
}
} // namespace

void SvgScene::stroke(const QPainterPath &path, const QColor &c, double width, bool round)
{
    Style s;
    s.stroke = c;
    s.strokeWidth = width;
    s.roundJoins = round;
    add(path, s);
}

void SvgScene::fillStroke(const QPainterPath &path, const QColor &fill, const QColor &stroke, double width)
{
    Style s;
    s.fill = fill;
    s.stroke = stroke;
    s.strokeWidth = width;
    add(path, s);
}

QPainterPath SvgScene::rect(double x, double y, double w, double h)
{
    QPainterPath p;
    p.addRect(x, y, w, h);
    return p;
}

QPainterPath SvgScene::poly(std::initializer_list<QPointF> points, bool closed)
{
    QPainterPath p;
    bool first = true;
    for (const QPointF &pt : points) {
        if (first)
            p.moveTo(pt);
        else
            p.lineTo(pt);
        first = false;
    }
    if (closed)
        p.closeSubpath();
    return p;
}

QString SvgScene::pathData(const QPainterPath &path)
{
    QString d;
    QPointF start;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            d += "M" + num(e.x) + " " + num(e.y);
            start = QPointF(e.x, e.y);
        } else if (e.isLineTo()) {
            // A line back to the start of the figure is how QPainterPath closes one.
            const bool closes =
                QPointF(e.x, e.y) == start && (i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo());
            d += closes ? QString("Z") : "L" + num(e.x) + " " + num(e.y);
        } else if (e.isCurveTo()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            d += "C" + num(e.x) + " " + num(e.y) + " " + num(c2.x) + " " + num(c2.y) + " " + num(end.x) + " "
                + num(end.y);
            i += 2;
        }
    }
    return d;
}

QString SvgScene::toSvg() const
{
    QString out =
        QString("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" viewBox=\"0 0 %1 %2\">\n")
            .arg(m_w)
            .arg(m_h);
    QString defs;
    int gradients = 0;
    QString body;
    for (const Item &it : m_items) {
        QString fill = "none";
        if (!it.style.gradient.stops.empty()) {
            const QString id = QString("g%1").arg(++gradients);
            defs += QString("  <linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" y1=\"%3\" "
                            "x2=\"%4\" y2=\"%5\">\n")
                        .arg(id, num(it.style.gradient.from.x()), num(it.style.gradient.from.y()),
                             num(it.style.gradient.to.x()), num(it.style.gradient.to.y()));
            for (const auto &[at, c] : it.style.gradient.stops)
                defs += QString("    <stop offset=\"%1\" stop-color=\"%2\"%3/>\n")
                            .arg(num(at), colour(c),
                                 c.alphaF() < 1 ? QString(" stop-opacity=\"%1\"").arg(num(c.alphaF())) : QString());
            defs += "  </linearGradient>\n";
            fill = "url(#" + id + ")";
        } else if (it.style.fill.alpha() > 0) {
            fill = colour(it.style.fill);
        }
        QString attrs = "d=\"" + pathData(it.path) + "\" fill=\"" + fill + "\"";
        if (it.style.fill.alpha() > 0 && it.style.fill.alpha() < 255 && it.style.gradient.stops.empty())
            attrs += " fill-opacity=\"" + num(it.style.fill.alphaF()) + "\"";
        if (it.path.fillRule() == Qt::OddEvenFill && fill != "none")
            attrs += " fill-rule=\"evenodd\"";
        if (it.style.stroke.alpha() > 0) {
            attrs += " stroke=\"" + colour(it.style.stroke) + "\" stroke-width=\"" + num(it.style.strokeWidth) + "\"";
            if (it.style.stroke.alpha() < 255)
                attrs += " stroke-opacity=\"" + num(it.style.stroke.alphaF()) + "\"";
            attrs += it.style.roundJoins ? " stroke-linejoin=\"round\" stroke-linecap=\"round\""
                                         : " stroke-linejoin=\"miter\" stroke-linecap=\"butt\"";
        }
        if (it.style.opacity < 1)
            attrs += " opacity=\"" + num(it.style.opacity) + "\"";
        body += "  <path " + attrs + "/>\n";
    }
    if (!defs.isEmpty())
        out += " <defs>\n" + defs + " </defs>\n";
    return out + body + "</svg>\n";
}

bool SvgScene::save(const QString &path) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray data = toSvg().toUtf8();
    return f.write(data) == data.size();
}

QImage SvgScene::render(int width, int height) const
{
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(width) / m_w, double(height) / m_h);
    for (const Item &it : m_items) {
        p.setOpacity(it.style.opacity);
        if (!it.style.gradient.stops.empty()) {
            QLinearGradient g(it.style.gradient.from, it.style.gradient.to);
            for (const auto &[at, c] : it.style.gradient.stops)
                g.setColorAt(at, c);
            p.fillPath(it.path, g);
        } else if (it.style.fill.alpha() > 0) {
            p.fillPath(it.path, it.style.fill);
        }
        if (it.style.stroke.alpha() > 0) {
            QPen pen(it.style.stroke, it.style.strokeWidth);
            pen.setJoinStyle(it.style.roundJoins ? Qt::RoundJoin : Qt::MiterJoin);
            pen.setCapStyle(it.style.roundJoins ? Qt::RoundCap : Qt::FlatCap);
            p.strokePath(it.path, pen);
        }
    }
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}
