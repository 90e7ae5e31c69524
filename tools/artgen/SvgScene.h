#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <vector>

// A small vector drawing that can be written out as SVG and also painted
// with QPainter, so an icon's SVG and its PNG renderings come from one
// description. Coordinates are in the SVG's own units (the viewBox).
class SvgScene
{
public:
    SvgScene(int width, int height)
        : m_w(width)
        , m_h(height)
    {
    }

    struct Gradient
    {
        QPointF from, to;
        std::vector<std::pair<double, QColor>> stops;
    };
    struct Style
    {
        QColor fill = Qt::transparent;
        Gradient gradient; // used instead of fill when it has stops
        QColor stroke = Qt::transparent;
        double strokeWidth = 1.0;
        bool roundJoins = false;
        double opacity = 1.0;
    };

    void add(const QPainterPath &path, const Style &style) { m_items.push_back({path, style}); }
    // Shorthands for the common cases.
    void fill(const QPainterPath &path, const QColor &c) { add(path, Style{c, {}, Qt::transparent, 1, false, 1}); }
    void stroke(const QPainterPath &path, const QColor &c, double width = 1.0, bool round = false);
    void fillStroke(const QPainterPath &path, const QColor &fill, const QColor &stroke, double width = 1.0);

    QString toSvg() const;
    bool save(const QString &path) const;
    QImage render(int width, int height) const;

    static QPainterPath rect(double x, double y, double w, double h);
    static QPainterPath poly(std::initializer_list<QPointF> points, bool closed = true);

private:
    struct Item
    {
        QPainterPath path;
        Style style;
    };
    static QString pathData(const QPainterPath &path);

    int m_w, m_h;
    std::vector<Item> m_items;
};
