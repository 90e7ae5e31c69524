#include "maptile/Maptile.h"

#include "raster/RasterOps.h"

#include <QPainter>

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

void Maptile::composite(const QImage &tileset, int column, int row, QPoint space,
                        const TransparencySetting &setting)
{
    const QRect source(column * SpaceSize, row * SpaceSize, SpaceSize, SpaceSize);
    const QPoint at(space.x() * SpaceSize, space.y() * SpaceSize);
    switch (setting.mode()) {
    case TransparencySetting::Keyed:
        // Each subtile brings its own background colour in its top-left pixel.
        if (tileset.rect().contains(source.topLeft()))
            RasterOps::keyedCopy(m_master, at, tileset, source, tileset.pixel(source.topLeft()));
        break;
    case TransparencySetting::Blended:
        RasterOps::alphaBlend(m_master, at, tileset, source, setting.effectiveAlpha());
        break;
    case TransparencySetting::Plain:
        RasterOps::plainCopy(m_master, QRect(at, source.size()), tileset, source);
        break;
    }
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

void Maptile::setSpacePixels(QPoint space, const QImage &pixels)
{
    RasterOps::plainCopy(m_master, QRect(space * SpaceSize, pixels.size()), pixels, pixels.rect());
}
