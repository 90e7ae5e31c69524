#include "editor/SubtileTransforms.h"
#include "maptile/Geometry.h"
#include "support/TestImages.h"
#include "tilesets/GridPicture.h"
#include "tilesets/TilesetSlot.h"

#include <QTest>

using namespace TestImages;

namespace {

const QRgb Red = qRgb(255, 0, 0), Line = qRgb(4, 2, 252);

bool onGridLine(int x, int y)
{
    return x % 48 == 0 || x % 48 == 47 || y % 48 == 0 || y % 48 == 47;
}

} // namespace

// The pictures of a tileset slot: its tileset, its palette under the grid, and
// the subtile editor's transforms. The raster operations' rules are checked
// where the maptile, its overlays and the redraw use them.
class TestTilesetPictures : public QObject
{
    Q_OBJECT

private slots:
    void gridAndPalettePictures()
    {
        const QRgb key = qRgb(252, 254, 252); // left out when the grid is laid over a picture
        QCOMPARE(GridPicture::image(), make({336, 288}, [=](int x, int y) { return onGridLine(x, y) ? Line : key; }));
        // A palette, smaller than the grid, is its tileset at one third under the grid.
        const auto colour = [](int column, int row) { return qRgb(30 * column, 60 + row * 40, 200 - column * row); };
        TilesetSlot slot;
        slot.setPicture(make(Geometry::TilesetSize, [&](int x, int y) { return colour(x / 144, y / 144); }), "a.bmp");
        slot.buildPalette();
        QCOMPARE(slot.palette(), make({336, 192}, [&](int x, int y) {
                     return onGridLine(x, y) ? Line : colour(x / 48, y / 48);
                 }));
    }

    void pictureIsCutOrPaddedToTilesetSize()
    {
        for (QSize size : {QSize(1200, 700), QSize(500, 300), QSize(1100, 200)}) {
            TilesetSlot slot;
            // An earlier full-size picture must not show around a smaller one.
            slot.setPicture(solid(Geometry::TilesetSize, Red), QStringLiteral("first.bmp"));
            const QImage picture = pattern(size, 6);
            slot.setPicture(picture, QStringLiteral("second.bmp"));
            QCOMPARE(slot.fullImage(), make(Geometry::TilesetSize, [&](int x, int y) {
                         return picture.rect().contains(x, y) ? picture.pixel(x, y) : Geometry::blankColour();
                     }));
            // The grid frames all 28 cells, whatever part the picture filled: laying it again changes nothing.
            slot.buildPalette();
            QImage again = slot.palette();
            GridPicture::layOver(again);
            QCOMPARE(again, slot.palette());
        }
    }

    // Empty slots share one blank picture, and a whole-size one is taken without a
    // copy: a subtile drawn into one slot must show in no other, nor in the picture.
    void drawingIntoOneSlotShowsNowhereElse()
    {
        const QImage picture = pattern(Geometry::TilesetSize, 3), original = picture.copy();
        TilesetSlot drawn, taken, alsoTaken;
        taken.setPicture(picture, QStringLiteral("a.bmp"));
        alsoTaken.setPicture(picture, QStringLiteral("a.bmp"));
        for (TilesetSlot *slot : {&drawn, &taken}) {
            slot->replaceSubtile(2, 1, solid({144, 144}, Red));
            QCOMPARE(slot->subtile(2, 1), solid({144, 144}, Red));
            QCOMPARE(slot->palette().pixel(2 * 48 + 24, 48 + 24), Red);
        }
        const TilesetSlot empty;
        QCOMPARE(empty.fullImage(), solid(Geometry::TilesetSize, Geometry::blankColour()));
        QCOMPARE(empty.palette(), solid(Geometry::PaletteSize, Geometry::blankColour()));
        QCOMPARE(picture, original);
        QCOMPARE(alsoTaken.fullImage(), original);
    }

    // The subtile editor's flips and quarter turns.
    void subtileTransforms_data()
    {
        QTest::addColumn<QString>("steps"); // H and V flips, L and R turns, left to right
        // Source of destination (x, y): (a*x + b*y + c*143, d*x + e*y + f*143).
        QTest::addColumn<QList<int>>("rule");
        const QList<int> same{1, 0, 0, 0, 1, 0}, halfTurn{-1, 0, 1, 0, -1, 1};
        QTest::newRow("flip horizontal") << "H" << QList<int>{-1, 0, 1, 0, 1, 0};
        QTest::newRow("flip vertical") << "V" << QList<int>{1, 0, 0, 0, -1, 1};
        QTest::newRow("rotate left") << "L" << QList<int>{0, -1, 1, 1, 0, 0};
        QTest::newRow("rotate right") << "R" << QList<int>{0, 1, 0, -1, 0, 1};
        QTest::newRow("four rights") << "RRRR" << same;
        QTest::newRow("two equal flips") << "HHVV" << same;
        QTest::newRow("two rights") << "RR" << halfTurn;
        QTest::newRow("both flips") << "HV" << halfTurn;
    }

    void subtileTransforms()
    {
        QFETCH(QString, steps);
        QFETCH(QList<int>, rule);
        // Every pixel of the pattern differs, so a misplaced one cannot pass by chance.
        const QImage source = pattern(QSize(144, 144), 3);
        QImage result = source;
        for (QChar step : steps)
            result = step == u'H' ? SubtileTransforms::flipHorizontal(result)
                   : step == u'V' ? SubtileTransforms::flipVertical(result)
                   : step == u'L' ? SubtileTransforms::rotateLeft(result) : SubtileTransforms::rotateRight(result);
        QCOMPARE(result, make({144, 144}, [&](int x, int y) {
                     return source.pixel(rule[0] * x + rule[1] * y + rule[2] * 143,
                                         rule[3] * x + rule[4] * y + rule[5] * 143);
                 }));
    }
};

QTEST_GUILESS_MAIN(TestTilesetPictures)
#include "tst_tilesetpictures.moc"
