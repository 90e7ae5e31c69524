#pragma once

#include "maptile/SpeedValues.h"
#include "raster/Geometry.h"
#include "tilesets/TransparencySetting.h"

#include <QImage>
#include <QPoint>
#include <QString>

#include <array>

// The painted maptile: the full-resolution master image (placed subtiles only)
// and the speed values. The size in spaces is read back from the master.
class Maptile
{
public:
    Maptile();

    const QImage &master() const { return m_master; }
    int columns() const { return m_master.width() / Geometry::SpaceSize; }
    int rows() const { return m_master.height() / Geometry::SpaceSize; }

    const SpeedValues &speedValues() const { return m_speed; }
    static bool inSpeedTable(int column, int row);
    // Empty outside the 5 x 6 table.
    QString speedValue(int column, int row) const;
    // Ignored outside the 5 x 6 table.
    void setSpeedValue(int column, int row, const QString &value);
    void clearSpeedValues();
    void setSpeedValues(const SpeedValues &values) { m_speed = values; }

    // Resizes the master to columns x rows spaces, anchored at the top-left;
    // new area shows the blank colour. Returns whether the size differed.
    bool resize(int columns, int rows);
    // Every space blank and every speed value cleared, at the current size.
    void blank();
    // Lays subtile (column, row) of tileset onto space `space` by setting.
    void composite(const QImage &tileset, int column, int row, QPoint space, const TransparencySetting &setting);
    // Lays a whole 144 x 144 subtile onto space by setting; a keyed setting
    // leaves out key, the colour of the subtile's top-left pixel before it was turned.
    void composite(const QImage &subtile, QPoint space, const TransparencySetting &setting, QRgb key);
    // Whether the space still shows the blank colour everywhere.
    bool isBlank(QPoint space) const;
    // The master becomes image, cut to whole spaces and to at most 5 x 6;
    // speed values are cleared.
    void setImage(const QImage &image);
    // The part of image that setImage makes the master, in the work format.
    static QImage cutToSpaces(const QImage &image);
    // Memory the texts of values take.
    static qint64 speedBytes(const SpeedValues &values);

    // The 144 x 144 pixels of one space.
    QImage spacePixels(QPoint space) const;
    void setMaster(const QImage &master) { m_master = master; }

private:
    // Lays the square source of picture onto space by setting.
    void lay(const QImage &picture, const QRect &source, QPoint space, const TransparencySetting &setting, QRgb key);

    QImage m_master;
    SpeedValues m_speed;
};
