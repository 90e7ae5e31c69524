#include "maptile/Geometry.h"
#include "support/TestImages.h"
#include "tilesets/GridPicture.h"
#include "tilesets/TilesetSlot.h"

#include <QTest>

using namespace TestImages;

namespace {

bool onGridLine(int x, int y)
{
    return x % 48 == 0 || x % 48 == 47 || y % 48 == 0 || y % 48 == 47;
}

QRgb subtileColour(int column, int row)
{
    return qRgb(30 + column * 30, 60 + row * 40, 200 - column * row * 5);
}

} // namespace

class TestGridPicture : public QObject
{
    Q_OBJECT

private slots:
    void gridPixelsFollowTheLineRule()
    {
        const QImage &grid = GridPicture::image();
        QCOMPARE(grid.size(), QSize(336, 288));
        const QRgb line = qRgb(4, 2, 252), background = qRgb(252, 254, 252);
        for (int y = 0; y < grid.height(); ++y)
            for (int x = 0; x < grid.width(); ++x)
                QCOMPARE(grid.pixel(x, y), onGridLine(x, y) ? line : background);
        QCOMPARE(GridPicture::key(), background);

        // Laid over a picture smaller than itself, its background is left out.
        const QImage before = pattern({100, 70}, 4);
        QImage target = before;
        GridPicture::layOver(target);
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x)
                QCOMPARE(target.pixel(x, y), onGridLine(x, y) ? line : before.pixel(x, y));
    }

    void paletteIsTilesetAtOneThirdUnderTheGrid()
    {
        QImage tileset(Geometry::TilesetSize, QImage::Format_RGB32);
        for (int y = 0; y < tileset.height(); ++y)
            for (int x = 0; x < tileset.width(); ++x)
                tileset.setPixel(x, y, subtileColour(x / 144, y / 144));
        TilesetSlot slot;
        QVERIFY(!slot.hasPalette());
        slot.setPicture(tileset, QStringLiteral("/sets/blocks.bmp"));
        slot.buildPalette();
        QVERIFY(slot.hasPalette());
        const QImage &palette = slot.palette();
        QCOMPARE(palette.size(), QSize(336, 192));
        for (int y = 0; y < palette.height(); ++y)
            for (int x = 0; x < palette.width(); ++x)
                QCOMPARE(palette.pixel(x, y),
                         onGridLine(x, y) ? GridPicture::LineColour : subtileColour(x / 48, y / 48));
        QCOMPARE(slot.subtile(5, 2), solid({144, 144}, subtileColour(5, 2)));
    }

    void pictureIsCutOrPaddedToTilesetSize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("exact") << QSize(1008, 576);
        QTest::newRow("larger") << QSize(1200, 700);
        QTest::newRow("smaller") << QSize(500, 300);
        QTest::newRow("wider, shorter") << QSize(1100, 200);
    }

    void pictureIsCutOrPaddedToTilesetSize()
    {
        QFETCH(QSize, size);
        TilesetSlot slot;
        // An earlier, full-size picture must not show around a smaller one.
        slot.setPicture(solid(Geometry::TilesetSize, qRgb(255, 0, 0)), QStringLiteral("first.bmp"));
        const QImage picture = pattern(size, 6);
        slot.setPicture(picture, QStringLiteral("second.bmp"));
        QCOMPARE(slot.path(), QStringLiteral("second.bmp"));
        const QImage &full = slot.fullImage();
        QCOMPARE(full.size(), Geometry::TilesetSize);
        for (int y = 0; y < full.height(); ++y)
            for (int x = 0; x < full.width(); ++x)
                QCOMPARE(full.pixel(x, y),
                         picture.rect().contains(x, y) ? picture.pixel(x, y) : Geometry::blankColour());

        // The grid frames all 28 cells, whatever part the picture filled.
        slot.buildPalette();
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 7; ++column) {
                const QRect cell(column * 48, row * 48, 48, 48);
                for (QPoint corner : {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight()})
                    QCOMPARE(slot.palette().pixel(corner), GridPicture::LineColour);
            }
        }
        if (size.width() < 1008 && size.height() < 576)
            QCOMPARE(slot.palette().pixel(6 * 48 + 24, 3 * 48 + 24), Geometry::blankColour());
    }
};

QTEST_GUILESS_MAIN(TestGridPicture)
#include "tst_gridpicture.moc"
