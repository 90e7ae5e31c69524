#include "maptile/Maptile.h"
#include "support/TestImages.h"
#include "tilesets/TransparencySetting.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace TestImages;

namespace {

const QRgb White = qRgb(255, 255, 255), Black = qRgb(0, 0, 0);
// What a setting does, in the table below: these, or blend with that alpha.
constexpr int Plain = -1, Keyed = -2;

// Each channel within one step of source * a / 255 + destination * (255 - a) / 255.
bool blendsTo(QRgb result, QRgb source, QRgb destination, int alpha)
{
    const auto close = [&](int (*channel)(QRgb)) {
        return std::abs(255 * channel(result) - channel(source) * alpha - channel(destination) * (255 - alpha)) <= 255;
    };
    return close(qRed) && close(qGreen) && close(qBlue);
}

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
        // Blank clears every speed value, also outside the maptile.
        maptile.blank();
        QCOMPARE(maptile.master(), solid({432, 432}, Geometry::blankColour()));
        QCOMPARE(maptile.speedValue(4, 5), QString());
    }

    void compositeBySetting_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("alpha");
        QTest::newRow("0") << "0" << Plain;
        QTest::newRow("empty") << "" << Plain;
        QTest::newRow("unknown digit") << "7" << Plain;
        QTest::newRow("1") << "1" << Keyed;
        QTest::newRow("2,40") << "2,40" << 40;
        QTest::newRow("2,255 is a plain copy") << "2,255" << 255;
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
        Maptile maptile;
        maptile.setImage(pattern({432, 432}, 5));
        const QImage before = maptile.master();
        maptile.composite(tileset, 2, 1, QPoint(1, 1), transparency);
        for (int y = 0; y < 432; ++y) {
            for (int x = 0; x < 432; ++x) {
                const QRgb d = before.pixel(x, y), r = maptile.master().pixel(x, y);
                const QRgb s = QRect(144, 144, 144, 144).contains(x, y) ? subtile.pixel(x - 144, y - 144) : d;
                const bool right = alpha == Plain ? r == s
                                 : alpha == Keyed ? r == (s == White ? d : s)
                                 : alpha == 255 ? r == s : blendsTo(r, s, d, alpha);
                if (!right)
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
            }
        }
        const QImage placed = maptile.master();
        for (QPoint space : {QPoint(3, 0), QPoint(-1, 0), QPoint(0, 3), QPoint(-2, -2)})
            maptile.composite(tileset, 2, 1, space, transparency);
        QCOMPARE(maptile.master(), placed); // spaces outside the maptile take nothing
    }

    void blendingTwiceShowsStronger()
    {
        Maptile maptile;
        maptile.setImage(solid({432, 432}, Black));
        QRgb shades[3] = {Black};
        for (int i = 1; i < 3; ++i) {
            maptile.composite(solid(Geometry::TilesetSize, White), 0, 0, {1, 0}, TransparencySetting(u"2"_s));
            shades[i] = maptile.master().pixel(200, 70);
            QVERIFY(blendsTo(shades[i], White, shades[i - 1], 128));
        }
    }
};

QTEST_GUILESS_MAIN(TestMaptile)
#include "tst_maptile.moc"
