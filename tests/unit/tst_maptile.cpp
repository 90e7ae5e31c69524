#include "maptile/Maptile.h"
#include "support/TestImages.h"

#include <QTest>

using namespace TestImages;

namespace {

const QRgb White = qRgb(255, 255, 255);

// Checks that space `space` of master holds expected and every other pixel is as in before.
void compareSpace(const QImage &master, const QImage &before, QPoint space, const QImage &expected)
{
    const QRect square(space * 144, QSize(144, 144));
    for (int y = 0; y < master.height(); ++y)
        for (int x = 0; x < master.width(); ++x)
            QCOMPARE(master.pixel(x, y), square.contains(x, y) ? expected.pixel(x - square.x(), y - square.y())
                                                               : before.pixel(x, y));
}

} // namespace

class TestMaptile : public QObject
{
    Q_OBJECT

private slots:
    void resizeKeepsPixelsAtTopLeft()
    {
        Maptile maptile;
        QCOMPARE(maptile.columns(), 0);
        QVERIFY(maptile.resize(3, 3));
        QCOMPARE(maptile.master(), solid({432, 432}, Geometry::blankColour()));

        const QImage picture = pattern({432, 432}, 2);
        maptile.setImage(picture);
        QVERIFY(maptile.resize(5, 4));
        QCOMPARE(maptile.master().size(), QSize(720, 576));
        for (int y = 0; y < 576; ++y)
            for (int x = 0; x < 720; ++x)
                QCOMPARE(maptile.master().pixel(x, y),
                         (x < 432 && y < 432) ? picture.pixel(x, y) : Geometry::blankColour());
        QVERIFY(!maptile.resize(5, 4));

        // Shrinking drops the outer spaces; growing back shows them blank.
        QVERIFY(maptile.resize(3, 3));
        QCOMPARE(maptile.master(), picture);
        QVERIFY(maptile.resize(4, 3));
        QCOMPARE(maptile.master().pixel(500, 100), Geometry::blankColour());
    }

    void speedValuesSurviveResizeUntilBlanked()
    {
        Maptile maptile;
        maptile.resize(5, 6);
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 6; ++r)
                maptile.setSpeedValue(c, r, QString::number(c * 10 + r));
        maptile.resize(3, 3);
        maptile.resize(5, 6);
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 6; ++r)
                QCOMPARE(maptile.speedValue(c, r), QString::number(c * 10 + r));

        // Blank clears all 30, also those outside a smaller maptile.
        maptile.resize(3, 3);
        maptile.setSpacePixels({1, 1}, pattern({144, 144}));
        maptile.blank();
        QCOMPARE(maptile.master(), solid({432, 432}, Geometry::blankColour()));
        for (const auto &column : maptile.speedValues())
            for (const QString &value : column)
                QVERIFY(value.isEmpty());
    }

    void setImageCutsToWholeSpaces_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("master");
        QTest::newRow("saved 3 x 3") << QSize(432, 432) << QSize(432, 432);
        QTest::newRow("partial spaces dropped") << QSize(500, 450) << QSize(432, 432);
        QTest::newRow("larger than 5 x 6") << QSize(2000, 2000) << QSize(720, 864);
        QTest::newRow("wide and short") << QSize(900, 300) << QSize(720, 288);
    }

    void setImageCutsToWholeSpaces()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, master);
        Maptile maptile;
        maptile.resize(5, 6);
        maptile.setSpeedValue(1, 1, QStringLiteral("2"));
        maptile.setSpeedValue(4, 5, QStringLiteral("X"));
        const QImage image = pattern(picture, 3).convertToFormat(QImage::Format_RGB888);
        maptile.setImage(image);
        QCOMPARE(maptile.master(), image.copy(QRect(QPoint(0, 0), master)).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(maptile.speedValue(1, 1), QString());
        QCOMPARE(maptile.speedValue(4, 5), QString());
    }

    void plainCompositeReplacesTheSpace_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::newRow("0") << "0";
        QTest::newRow("empty") << "";
        QTest::newRow("alpha 255") << "2,255";
    }

    void plainCompositeReplacesTheSpace()
    {
        QFETCH(QString, setting);
        const QImage tileset = pattern(Geometry::TilesetSize, 4);
        Maptile maptile;
        maptile.setImage(pattern({720, 864}, 8));
        const QImage before = maptile.master();
        maptile.composite(tileset, 6, 3, QPoint(2, 5), TransparencySetting(setting));
        compareSpace(maptile.master(), before, {2, 5}, tileset.copy(6 * 144, 3 * 144, 144, 144));
    }

    void keyedCompositeLeavesOutEveryBackgroundPixel()
    {
        // Subtile (2, 1): a dark ring on white, with white inside the ring too.
        QImage tileset = pattern(Geometry::TilesetSize, 1);
        QImage subtile = solid({144, 144}, White);
        for (int i = 40; i < 104; ++i)
            for (QPoint p : {QPoint(i, 40), QPoint(i, 103), QPoint(40, i), QPoint(103, i)})
                subtile.setPixel(p, qRgb(20, 10, 0));
        subtile.setPixel(60, 60, qRgb(200, 0, 0));
        for (int y = 0; y < 144; ++y)
            for (int x = 0; x < 144; ++x)
                tileset.setPixel(288 + x, 144 + y, subtile.pixel(x, y));

        Maptile maptile;
        maptile.setImage(pattern({432, 432}, 5));
        const QImage before = maptile.master();
        maptile.composite(tileset, 2, 1, QPoint(1, 1), TransparencySetting(QStringLiteral("1")));
        QImage expected = before.copy(144, 144, 144, 144);
        for (int y = 0; y < 144; ++y)
            for (int x = 0; x < 144; ++x)
                if (subtile.pixel(x, y) != White)
                    expected.setPixel(x, y, subtile.pixel(x, y));
        compareSpace(maptile.master(), before, {1, 1}, expected);
        QCOMPARE(maptile.master().pixel(144 + 80, 144 + 80), before.pixel(144 + 80, 144 + 80));

        // Another subtile keys on its own corner, not on the tileset's.
        maptile.composite(tileset, 5, 2, QPoint(0, 0), TransparencySetting(QStringLiteral("1")));
        QCOMPARE(maptile.master().pixel(0, 0), before.pixel(0, 0));
        QCOMPARE(maptile.master().pixel(1, 0), tileset.pixel(5 * 144 + 1, 2 * 144));
    }

    void blendedComposite()
    {
        const QImage white = solid(Geometry::TilesetSize, White);
        // The red of space (1, 0) after blending white onto black; -1 if a neighbour changed.
        auto blendOnBlack = [&](const QString &setting, int times) {
            Maptile maptile;
            maptile.setImage(solid({432, 432}, qRgb(0, 0, 0)));
            for (int i = 0; i < times; ++i)
                maptile.composite(white, 0, 0, QPoint(1, 0), TransparencySetting(setting));
            const QImage &master = maptile.master();
            if (master.pixel(143, 0) != qRgb(0, 0, 0) || master.pixel(288, 0) != qRgb(0, 0, 0))
                return -1;
            return qRed(master.pixel(144 + 70, 70));
        };
        const int half = blendOnBlack(QStringLiteral("2,128"), 1);
        QVERIFY2(std::abs(half - 128) <= 1, qPrintable(QString::number(half)));
        QCOMPARE(blendOnBlack(QStringLiteral("2,40"), 1), 40);
        // Blending twice shows the subtile more strongly.
        const int twice = blendOnBlack(QStringLiteral("2,128"), 2);
        QVERIFY2(twice > half + 50 && twice <= 192, qPrintable(QString::number(twice)));
        // A bare "2" blends at the window's default instead of painting nothing.
        QCOMPARE(blendOnBlack(QStringLiteral("2"), 1), half);
    }

    void compositeOutsideTheMasterChangesNothing()
    {
        const QImage tileset = pattern(Geometry::TilesetSize, 4);
        Maptile maptile;
        maptile.setImage(pattern({432, 432}, 6));
        const QImage before = maptile.master();
        for (const QString &setting : {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2,128")})
            for (QPoint space : {QPoint(3, 0), QPoint(-1, 0), QPoint(0, 5), QPoint(-2, -2)})
                maptile.composite(tileset, 1, 1, space, TransparencySetting(setting));
        QCOMPARE(maptile.master(), before);

        Maptile empty;
        empty.composite(tileset, 0, 0, QPoint(0, 0), TransparencySetting(QStringLiteral("1")));
        QCOMPARE(empty.columns(), 0);
    }
};

QTEST_GUILESS_MAIN(TestMaptile)
#include "tst_maptile.moc"
