#include "support/TestImages.h"

#include "maptile/RasterOps.h"

#include <QFile>
#include <QTest>

namespace TestImages {

QImage solid(QSize size, QRgb colour)
{
    QImage image(size, RasterOps::Format);
    image.fill(colour | 0xff000000u);
    return image;
}

QRgb patternPixel(int x, int y, int seed)
{
    return qRgb((x * 7 + seed * 13) & 0xff, (y * 5 + seed * 29) & 0xff, (x * 3 + y * 11 + seed) & 0xff);
}

QImage pattern(QSize size, int seed)
{
    QImage image(size, RasterOps::Format);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, patternPixel(x, y, seed));
    return image;
}

void save(const QImage &image, const QString &path)
{
    QVERIFY2(image.save(path), qPrintable(path));
}

void writeText(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

} // namespace TestImages
