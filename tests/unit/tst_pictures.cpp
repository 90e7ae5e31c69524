#include "maptile/Maptile.h"
#include "maptile/MaptileOverlays.h"
#include "maptile/Redraw.h"
#include "support/TestImages.h"

#include <QSet>

using namespace TestImages;

namespace {

const QRgb White = qRgb(255, 255, 255), Black = qRgb(0, 0, 0), Red = qRgb(255, 0, 0);
// The backgrounds left out when each overlay is laid: speed value, door badge, credit.
const QRgb SpeedKey = qRgb(64, 64, 64), DoorKey = qRgb(0, 128, 192), CreditKey = qRgb(0, 0, 255);
// What a transparency setting does, in the table below: these, or blend with that alpha.
constexpr int Plain = -1, Keyed = -2;

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

// The pictures the program makes: subtiles laid on the maptile, and the
// overlays and the redraw that lays them.
class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void compositeBySetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("alpha");
        QTest::newRow("0") << "0" << Plain;
        QTest::newRow("1") << "1" << Keyed;
        QTest::newRow("2,40") << "2,40" << 40;
        QTest::newRow("2,255 is a plain copy") << "2,255" << Plain;
        // Left while the window was open without OK: blends at the window's default.
        QTest::newRow("bare 2") << "2" << 128;
    }
    void compositeBySetting()
    {
        QFETCH(QString, setting);
        QFETCH(int, alpha);
        // Below the top row every third column is white and the next nearly white: subtile (2, 1) has
        // white in its corner and wherever it is surrounded. It keys on its own corner, not on the tileset's.
        const QImage noise = pattern(Geometry::TilesetSize, 1);
        const QImage tileset = make(Geometry::TilesetSize, [&](int x, int y) {
            return y < 144 || x % 3 == 2 ? noise.pixel(x, y) : x % 3 == 0 ? White : qRgb(254, 255, 255);
        });
        // Each channel within one step of s * alpha / 255 + d * (255 - alpha) / 255.
        const auto blends = [alpha](QRgb r, QRgb s, QRgb d) {
            const auto off = [&](int (*c)(QRgb)) { return std::abs(255 * c(r) - c(s) * alpha - c(d) * (255 - alpha)); };
            return std::max({off(qRed), off(qGreen), off(qBlue)}) <= 255;
        };
        Maptile maptile;
        maptile.setImage(pattern({432, 432}, 5));
        // Twice on space (1, 1): a blend laid over a blend shows the subtile stronger.
        for (int round = 0; round < 2; ++round) {
            const QImage before = maptile.master();
            maptile.composite(tileset, 2, 1, QPoint(1, 1), TransparencySetting(setting));
            for (int i = 0; i < 432 * 432; ++i) {
                const int x = i % 432, y = i / 432;
                const QRgb d = before.pixel(x, y), r = maptile.master().pixel(x, y);
                const QRgb s = QRect(144, 144, 144, 144).contains(x, y) ? tileset.pixel(x + 144, y) : d;
                const bool ok = alpha == Plain ? r == s : alpha == Keyed ? r == (s == White ? d : s) : blends(r, s, d);
                if (!ok)
                    QFAIL(qPrintable(QStringLiteral("round %1, pixel (%2, %3)").arg(round).arg(x).arg(y)));
            }
        }
        const QImage placed = maptile.master();
        for (QPoint space : {QPoint(3, 0), QPoint(-1, 0), QPoint(0, 3), QPoint(-2, -2)})
            maptile.composite(tileset, 2, 1, space, TransparencySetting(setting));
        QCOMPARE(maptile.master(), placed); // spaces outside the maptile take nothing
    }

    void overlaysAndThePreviewThatLaysThem()
    {
        // White letters in a black outline on the key, nothing in between: drawn unsmoothed.
        MaptileOverlays overlays;
        overlays.paintDesigner("Ann Lee");
        QCOMPARE(colours(overlays.speedImage("1/T")), (QSet<QRgb>{SpeedKey, White, Black}));
        QCOMPARE(colours(overlays.designerImage()), (QSet<QRgb>{CreditKey, White, Black}));
        QCOMPARE(MaptileOverlays::creditText({}) + '|' + MaptileOverlays::creditText("Ann Lee"),
                 "Created with Cryptwright|Created with Cryptwright by: Ann Lee");
        // The number in unsmoothed white, centred on the door; no number is the bare door.
        const QImage door = MaptileOverlays::doorBitmap();
        QVERIFY(door.size() == QSize(31, 49) && door.pixel(0, 0) == DoorKey && door.pixel(30, 48) == DoorKey);
        overlays.paintMapNum(QStringLiteral("88"));
        QCOMPARE(colours(overlays.mapNumImage()).subtract(colours(door)), QSet<QRgb>{White});
        QRect ink;
        for (int y = 0; y < 49; ++y)
            for (int x = 0; x < 31; ++x)
                ink |= overlays.mapNumImage().pixel(x, y) != door.pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
        QVERIFY(std::abs(ink.left() - (30 - ink.right())) <= 3 && std::abs(ink.top() - (48 - ink.bottom())) <= 6);
        overlays.paintMapNum(QString());
        QCOMPARE(overlays.mapNumImage(), door);

        Maptile maptile;
        maptile.setImage(pattern({432, 432}, 1));
        // A new speed font shows at once. This one is so large that the values on (0, 0)
        // and (0, 2) run under the badge and the credit.
        QFont huge = overlays.speedFont();
        huge.setPointSizeF(110);
        overlays.setSpeedFont(huge, QColor(Red));
        const QImage xxx = overlays.speedImage(QStringLiteral("XXX"));
        QVERIFY(xxx.width() > 144 && xxx.height() > 144 && colours(xxx).contains(Red));
        for (QPoint space : {QPoint(0, 0), QPoint(0, 2), QPoint(2, 1)})
            maptile.setSpeedValue(space.x(), space.y(), QStringLiteral("XXX"));
        maptile.setSpeedValue(4, 1, QString(30, u'X')); // outside the maptile: never drawn, though it would cover it
        overlays.paintMapNum(QStringLiteral("88"));
        // The master, then each speed value flush with its space's top right corner, then the
        // number badge at (10, 10) when asked for, then the credit at (4, height - 20).
        for (const bool badge : {true, false}) {
            QImage expected = maptile.master(), preview, view;
            for (QPoint space : {QPoint(0, 0), QPoint(0, 2), QPoint(2, 1)})
                lay(expected, xxx, {space.x() * 144 + 144 - xxx.width(), space.y() * 144}, SpeedKey);
            if (badge)
                lay(expected, overlays.mapNumImage(), {10, 10}, DoorKey);
            lay(expected, overlays.designerImage(), {4, 432 - 20}, CreditKey);
            Redraw::paintNum(maptile, badge, overlays, preview, view);
            QCOMPARE(preview, expected);
        }
        QCOMPARE(maptile.master(), pattern({432, 432}, 1)); // the master stays free of overlays
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
