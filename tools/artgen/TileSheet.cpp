#include "TileSheet.h"

#include <QFile>
#include <QPainter>

TileSheet::TileSheet(QString name, const QImage::Format format)
    : m_name(std::move(name))
    , m_image(kCols * kTile, kRows * kTile, format)
{
    m_image.fill(Qt::black);
}

void TileSheet::place(int col, int row, const QImage &tile, const QString &speed)
{
    QPainter p(&m_image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(col * kTile, row * kTile, tile);
    m_speed[row * kCols + col] = speed;
}

bool TileSheet::writeDat(const QString &path) const
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray out = "[TILEDATA]\r\nSETNAME=" + m_name.toUtf8() + "\r\nCREATOR=Cryptwright Team\r\n";
    // Keys are column digit then row digit, walked row by row.
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c)
            if (!m_speed[r * kCols + c].isEmpty())
                out += QByteArray::number(c) + QByteArray::number(r) + "=" + m_speed[r * kCols + c].toUtf8() + "\r\n";
    return f.write(out) == out.size();
}
