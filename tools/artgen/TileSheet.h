#pragma once

#include <QImage>
#include <QString>
#include <array>

// One tileset being drawn: the 7 x 4 sheet of 144-pixel subtiles, the
// movement cost of each subtile and the set's name, plus writing the .dat
// file the editor reads beside the image.
class TileSheet
{
public:
    static constexpr int kCols = 7, kRows = 4, kTile = 144;

    explicit TileSheet(QString name, const QImage::Format format = QImage::Format_RGB32);

    void place(int col, int row, const QImage &tile, const QString &speed);
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }
    const QString &name() const { return m_name; }
    QString speed(int col, int row) const { return m_speed[row * kCols + col]; }

    bool writeDat(const QString &path) const;

private:
    QString m_name;
    QImage m_image;
    std::array<QString, kCols * kRows> m_speed;
};
