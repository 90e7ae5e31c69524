#include "maptile/Maptile.h"

#include "raster/RasterOps.h"

#include <QPainter>

#include <cstring>

using Geometry::SpaceSize;

Maptile::Maptile()
    : m_master(0, 0, RasterOps::Format)
{
}

bool Maptile::inSpeedTable(int column, int row)
{
    return column >= 0 && column < Geometry::MaxColumns && row >= 0 && row < Geometry::MaxRows;
}

QString Maptile::speedValue(int column, int row) const
{
    return inSpeedTable(column, row) ? m_speed[column][row] : QString();
}

void Maptile::setSpeedValue(int column, int row, const QString &value)
{
    if (inSpeedTable(column, row))
        m_speed[column][row] = value;
}

void Maptile::clearSpeedValues()
{
    for (auto &column : m_speed)
        for (auto &value : column)
            value.clear();
}

bool Maptile::resize(int newColumns, int newRows)
{
    const bool differs = newColumns != columns() || newRows != rows();
    const QSize size(newColumns * SpaceSize, newRows * SpaceSize);
    if (size == m_master.size())
        return differs;
    QImage resized(size, RasterOps::Format);
    RasterOps::fill(resized, Geometry::blankColour());
    RasterOps::plainCopy(resized, QRect(QPoint(0, 0), m_master.size()), m_master, m_master.rect());
    m_master = resized;
    return differs;
}

void Maptile::blank()
{
    RasterOps::fill(m_master, Geometry::blankColour());
    clearSpeedValues();
}

void Maptile::composite(const QImage &tileset, int column, int row, QPoint space, const TransparencySetting &setting)
{
    const QRect source(column * SpaceSize, row * SpaceSize, SpaceSize, SpaceSize);
    const bool inside = tileset.rect().contains(source.topLeft());
    if (setting.mode() == TransparencySetting::Keyed && !inside)
        return;
    // Each subtile brings its own background colour in its top-left pixel.
    lay(tileset, source, space, setting, inside ? tileset.pixel(source.topLeft()) : 0);
}

void Maptile::composite(const QImage &subtile, QPoint space, const TransparencySetting &setting, QRgb key)
{
    lay(subtile, QRect(0, 0, SpaceSize, SpaceSize), space, setting, key);
}

void Maptile::lay(const QImage &picture, const QRect &source, QPoint space, const TransparencySetting &setting,
                  QRgb key)
{
    const QPoint at(space.x() * SpaceSize, space.y() * SpaceSize);
    switch (setting.mode()) {
    case TransparencySetting::Keyed:
        RasterOps::keyedCopy(m_master, at, picture, source, key);
        break;
    case TransparencySetting::Blended:
        RasterOps::alphaBlend(m_master, at, picture, source, setting.effectiveAlpha());
        break;
    case TransparencySetting::Plain:
        RasterOps::plainCopy(m_master, QRect(at, source.size()), picture, source);
        break;
    }
}

bool Maptile::isBlank(QPoint space) const
{
    const QRect square(space * SpaceSize, QSize(SpaceSize, SpaceSize));
    if (!m_master.rect().contains(square))
        return false;
    std::array<QRgb, SpaceSize> blank;
    blank.fill(Geometry::blankColour() | 0xff000000u);
    for (int y = square.top(); y <= square.bottom(); ++y) {
        if (std::memcmp(m_master.constScanLine(y) + square.x() * sizeof(QRgb), blank.data(), sizeof(blank)) != 0)
            return false;
    }
    return true;
}

void Maptile::setImage(const QImage &image)
{
    m_master = cutToSpaces(image);
    clearSpeedValues();
}

QImage Maptile::cutToSpaces(const QImage &image)
{
    const int cols = std::min(image.width() / SpaceSize, int(Geometry::MaxColumns));
    const int rws = std::min(image.height() / SpaceSize, int(Geometry::MaxRows));
    return RasterOps::toWorkFormat(image.copy(0, 0, cols * SpaceSize, rws * SpaceSize));
}

qint64 Maptile::speedBytes(const SpeedValues &values)
{
    qint64 total = sizeof(values);
    for (const auto &column : values)
        for (const QString &value : column)
            total += value.size() * qsizetype(sizeof(QChar));
    return total;
}

QImage Maptile::spacePixels(QPoint space) const
{
    return m_master.copy(space.x() * SpaceSize, space.y() * SpaceSize, SpaceSize, SpaceSize);
}
