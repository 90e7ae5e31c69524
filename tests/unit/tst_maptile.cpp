#include "maptile/Maptile.h"
#include "support/TestImages.h"
#include "tilesets/TransparencySetting.h"

#include <QTest>

#include <algorithm>

using namespace TestImages;

namespace {

const QRgb White = qRgb(255, 255, 255);
// What a setting does, in the table below: these, or blend with that alpha.
constexpr int Plain = -1, Keyed = -2;

} // namespace

class TestMaptile : public QObject
{
    Q_OBJECT

private slots:
    void resizeKeepsTheTopLeftAndTheSpeedValues()
    {
        Maptile maptile;
        const QImage picture = pattern({432, 432}, 2);
        maptile.setImage(picture);
        maptile.setSpeedValue(4, 5, QStringLiteral("X"));
        QVERIFY(maptile.resize(5, 4));
        QCOMPARE(maptile.master(), make({720, 576}, [&](int x, int y) {
                     return (x < 432 && y < 432) ? picture.pixel(x, y) : Geometry::blankColour();
                 }));
        // Shrinking drops the outer spaces, not their speed values.
        maptile.resize(3, 3);
        QCOMPARE(maptile.master(), picture);
        QCOMPARE(maptile.speedValue(4, 5), QStringLiteral("X"));
    }

    void compositeBySetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("alpha");
        QTest::newRow("0") << "0" << Plain;
        QTest::newRow("unknown digit") << "7" << Plain;
        QTest::newRow("1") << "1" << Keyed;
        QTest::newRow("2,40") << "2,40" << 40;
        QTest::newRow("2,255 is a plain copy") << "2,255" << Plain;
        QTest::newRow("blank before the number") << "2, 7" << 7;
        QTest::newRow("whole part only") << "2,12.9" << 12;
        QTest::newRow("no number blends nothing in") << "2,abc" << 0;
        // Left while the window was open without OK: blends at the window's default.
        QTest::newRow("bare 2") << "2" << 128;
    }

    void compositeBySetting()
    {
        QFETCH(QString, setting);
        QFETCH(int, alpha);
        const TransparencySetting transparency(setting);
        // Subtile (2, 1) has white in its corner, on every third column and wherever it is
        // surrounded, and nearly white beside it. It keys on its own corner, not on the tileset's.
        const QImage subtile = make({144, 144}, [](int x, int y) {
            return x % 3 == 0 ? White : x % 3 == 1 ? qRgb(254, 255, 255) : patternPixel(x, y, 7);
        });
        const QImage tileset = make(Geometry::TilesetSize, [&](int x, int y) {
            return QRect(288, 144, 144, 144).contains(x, y) ? subtile.pixel(x - 288, y - 144) : patternPixel(x, y, 1);
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
            maptile.composite(tileset, 2, 1, QPoint(1, 1), transparency);
            for (int y = 0; y < 432; ++y) {
                for (int x = 0; x < 432; ++x) {
                    const QRgb d = before.pixel(x, y), r = maptile.master().pixel(x, y);
                    const QRgb s = QRect(144, 144, 144, 144).contains(x, y) ? subtile.pixel(x - 144, y - 144) : d;
                    const bool right = alpha == Plain ? r == s
                                     : alpha == Keyed ? r == (s == White ? d : s) : blends(r, s, d);
                    if (!right)
                        QFAIL(qPrintable(QStringLiteral("round %1, pixel (%2, %3)").arg(round).arg(x).arg(y)));
                }
            }
        }
        const QImage placed = maptile.master();
        for (QPoint space : {QPoint(3, 0), QPoint(-1, 0), QPoint(0, 3), QPoint(-2, -2)})
            maptile.composite(tileset, 2, 1, space, transparency);
        QCOMPARE(maptile.master(), placed); // spaces outside the maptile take nothing
    }
};

QTEST_GUILESS_MAIN(TestMaptile)
#include "tst_maptile.moc"
