#include "maptile/Geometry.h"
#include "support/TestImages.h"
#include "tilesets/TilesetSlot.h"

#include <QTest>

using namespace TestImages;

// Empty slots share one blank tileset and palette, and a whole-size picture
// is taken without a copy: drawing into one slot must never show in another
// slot or in the picture it was given.
class TestSharedTilesetPictures : public QObject
{
    Q_OBJECT

private slots:
    void drawingIntoOneSlotLeavesTheOthersAlone()
    {
        const QImage blankTileset = solid(Geometry::TilesetSize, Geometry::blankColour());
        const QImage blankPalette = solid(Geometry::PaletteSize, Geometry::blankColour());
        TilesetSlot edited, untouched;
        edited.replaceSubtile(2, 1, solid({144, 144}, qRgb(200, 10, 10)));
        QCOMPARE(edited.subtile(2, 1), solid({144, 144}, qRgb(200, 10, 10)));
        QVERIFY(edited.palette() != blankPalette);

        TilesetSlot later;
        for (const TilesetSlot *slot : {&untouched, &later}) {
            QCOMPARE(slot->fullImage(), blankTileset);
            QCOMPARE(slot->palette(), blankPalette);
        }
    }

    void editingATakenPictureLeavesTheOriginal()
    {
        const QImage picture = pattern(Geometry::TilesetSize, 3);
        const QImage original = picture.copy();
        TilesetSlot first, second;
        first.setPicture(picture, QStringLiteral("a.bmp"));
        second.setPicture(picture, QStringLiteral("a.bmp"));
        first.replaceSubtile(0, 0, solid({144, 144}, qRgb(0, 0, 0)));
        QCOMPARE(picture, original);
        QCOMPARE(second.fullImage(), original);
        QCOMPARE(first.fullImage().copy(144, 0, 864, 576), original.copy(144, 0, 864, 576));
    }
};

QTEST_MAIN(TestSharedTilesetPictures)
#include "tst_sharedtilesetpictures.moc"
