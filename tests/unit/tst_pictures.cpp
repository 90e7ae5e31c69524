#include "maptile/Maptile.h"
#include "maptile/MaptileOverlays.h"
#include "maptile/Redraw.h"
#include "raster/GridPicture.h"
#include "raster/RasterOps.h"
#include "support/TestImages.h"

#include <QSet>

using namespace TestImages;

namespace {

const QRgb White = qRgb(255, 255, 255), Black = qRgb(0, 0, 0), Red = qRgb(255, 0, 0);
// The backgrounds left out when each overlay is laid: speed value, door badge, credit.
const QRgb SpeedKey = qRgb(64, 64, 64), DoorKey = qRgb(0, 128, 192), CreditKey = qRgb(0, 0, 255);

QSet<QRgb> colours(const QImage &image) // of a work image: 32 bits a pixel, no padding
{
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
    return QSet<QRgb>(pixels, pixels + image.width() * image.height());
}

void lay(QImage &picture, const QImage &overlay, QPoint at, QRgb key)
{
    for (int y = 0; y < overlay.height(); ++y)
        for (int x = 0; x < overlay.width(); ++x)
            if (overlay.pixel(x, y) != key && picture.rect().contains(at + QPoint(x, y)))
                picture.setPixel(at + QPoint(x, y), overlay.pixel(x, y));
}

} // namespace

// The overlays the program draws and the redraw that lays them over the maptile.
// How subtiles are laid is checked through the workspace, in the painting test.
class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void overlaysAndThePreviewThatLaysThem()
    {
        // White letters in a black outline on the key, nothing in between: drawn unsmoothed.
        MaptileOverlays overlays;
        overlays.paintDesigner("Ann Lee");
        QCOMPARE(colours(overlays.speedImage("1/T")), (QSet<QRgb>{SpeedKey, White, Black}));
        QCOMPARE(colours(overlays.designerImage()), (QSet<QRgb>{CreditKey, White, Black}));
        QCOMPARE(MaptileOverlays::creditText({}) + '|' + MaptileOverlays::creditText("Ann Lee"),
                 "Created with Cryptwright|Created with Cryptwright by: Ann Lee");
        // The number in unsmoothed white on the door; no number is the bare door.
        overlays.paintMapNum(QStringLiteral("88"));
        QCOMPARE(colours(overlays.mapNumImage()).subtract(colours(MaptileOverlays::doorBitmap())), QSet<QRgb>{White});
        overlays.paintMapNum(QString());
        QCOMPARE(overlays.mapNumImage(), MaptileOverlays::doorBitmap());

        Maptile maptile;
        maptile.setImage(pattern({432, 432}, 1));
        // A new speed font shows at once. This one is so large that the values on (0, 0)
        // and (0, 2) run under the badge and the credit.
        QFont huge = overlays.speedFont();
        huge.setPointSizeF(110);
        overlays.setSpeedFont(huge, QColor(Red));
        const QImage xxx = overlays.speedImage(QStringLiteral("XXX"));
        QVERIFY(xxx.width() > 144 && xxx.height() > 144 && colours(xxx).contains(Red));
        const QList<QPoint> valued{{0, 0}, {0, 2}, {2, 1}};
        for (QPoint space : valued)
            maptile.setSpeedValue(space.x(), space.y(), QStringLiteral("XXX"));
        maptile.setSpeedValue(4, 1, QString(30, u'X')); // outside the maptile: never drawn, though it would cover it
        overlays.paintMapNum(QStringLiteral("88"));
        // The master, then each speed value flush with its space's top right corner, then the
        // number badge at (10, 10) when asked for, then the credit at (4, height - 20).
        for (const bool badge : {true, false}) {
            QImage expected = maptile.master(), preview, view;
            for (QPoint space : valued)
                lay(expected, xxx, {space.x() * 144 + 144 - xxx.width(), space.y() * 144}, SpeedKey);
            if (badge)
                lay(expected, overlays.mapNumImage(), {10, 10}, DoorKey);
            lay(expected, overlays.designerImage(), {4, 432 - 20}, CreditKey);
            const std::vector<Redraw::Laid> laid = Redraw::overlaysOver(maptile, badge, overlays);
            Redraw::paintPreview(maptile.master(), laid, preview);
            QCOMPARE(preview, expected);
            // The working view, made a few rows at a time, is the whole preview made small.
            QImage small = RasterOps::reduceToThird(expected);
            GridPicture::layOver(small);
            Redraw::paintView(maptile, laid, view);
            QCOMPARE(view, small);
        }
        QCOMPARE(maptile.master(), pattern({432, 432}, 1)); // the master stays free of overlays
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
