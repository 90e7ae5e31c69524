#include "maptile/RasterOps.h"
#include "support/TestImages.h"

#include <QTest>

using namespace TestImages;

namespace {

// One channel blended by result = source * a / 255 + destination * (255 - a) / 255;
// the rounding is free, so one step either way is allowed.
bool blendMatches(int result, int source, int destination, int alpha)
{
    return std::abs(result - (source * alpha / 255.0 + destination * (255 - alpha) / 255.0)) <= 1.0;
}

} // namespace

class TestRasterOps : public QObject
{
    Q_OBJECT

private slots:
    void plainCopyReplacesClipsAndStretches()
    {
        const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 200, 0);
        QImage dst = solid({20, 20}, red);
        const QImage src = pattern({10, 10});
        RasterOps::plainCopy(dst, QRect(15, -3, 10, 10), src, src.rect()); // past the top and right
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                QCOMPARE(dst.pixel(x, y), (x >= 15 && y <= 6) ? src.pixel(x - 15, y + 3) : red);

        QImage stretched = solid({40, 40}, red);
        RasterOps::plainCopy(stretched, QRect(5, 5, 25, 25), solid({10, 10}, green), QRect(0, 0, 10, 10));
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x)
                QCOMPARE(stretched.pixel(x, y), QRect(5, 5, 25, 25).contains(x, y) ? green : red);
    }

    void plainCopyReducesToOneThird()
    {
        // A block of one colour comes out as exactly that colour, whatever the filter.
        auto blockColour = [](int bx, int by) { return qRgb(bx * 25, by * 30, 255 - bx * by * 3); };
        QImage src(33, 27, RasterOps::Format);
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                src.setPixel(x, y, blockColour(x / 3, y / 3));
        const QRgb grey = qRgb(9, 9, 9);
        QImage dst = solid({20, 20}, grey);
        RasterOps::plainCopy(dst, QRect(4, 5, 10, 8), src, QRect(3, 3, 30, 24));
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= 4 && x < 14 && y >= 5 && y < 13;
                QCOMPARE(dst.pixel(x, y), inside ? blockColour(x - 3, y - 4) : grey);
            }
        }
    }

    void keyedCopyLeavesOutExactKeyColourOnly()
    {
        const QRgb white = qRgb(255, 255, 255), nearWhite = qRgb(254, 255, 255), ring = qRgb(10, 20, 30);
        // White background, and white inside a dark ring too.
        QImage src = solid({12, 12}, white);
        for (int i = 2; i < 10; ++i)
            for (QPoint p : {QPoint(i, 2), QPoint(i, 9), QPoint(2, i), QPoint(9, i)})
                src.setPixel(p, ring);
        src.setPixel(5, 5, nearWhite);
        const QImage before = pattern({12, 12}, 3);
        QImage dst = before;
        RasterOps::keyedCopy(dst, QPoint(0, 0), src, src.rect(), src.pixel(0, 0));
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                QCOMPARE(dst.pixel(x, y), src.pixel(x, y) == white ? before.pixel(x, y) : src.pixel(x, y));
        QCOMPARE(dst.pixel(4, 4), before.pixel(4, 4));
        QCOMPARE(dst.pixel(5, 5), nearWhite);

        // Clipped at the top-left; wholly outside changes nothing.
        QImage small = solid({8, 8}, ring);
        const QImage other = pattern({10, 10}, 1);
        RasterOps::keyedCopy(small, QPoint(-4, -6), other, other.rect(), white);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                QCOMPARE(small.pixel(x, y), (x < 6 && y < 4) ? other.pixel(x + 4, y + 6) : ring);
        const QImage clipped = small;
        RasterOps::keyedCopy(small, QPoint(8, 0), other, other.rect(), white);
        RasterOps::keyedCopy(small, QPoint(0, 0), other, QRect(10, 10, 5, 5), white);
        QCOMPARE(small, clipped);
    }

    void alphaBlend_data()
    {
        QTest::addColumn<int>("alpha");
        for (int alpha : {0, 1, 40, 128, 200, 255})
            QTest::addRow("%d", alpha) << alpha;
    }

    void alphaBlend()
    {
        QFETCH(int, alpha);
        const QImage src = pattern({16, 16}, 5);
        const QImage before = pattern({20, 20}, 9);
        QImage dst = before;
        RasterOps::alphaBlend(dst, QPoint(2, 3), src, src.rect(), alpha);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                const QRgb d = before.pixel(x, y), r = dst.pixel(x, y);
                if (!QRect(2, 3, 16, 16).contains(x, y) || alpha == 0) {
                    QCOMPARE(r, d);
                    continue;
                }
                const QRgb s = src.pixel(x - 2, y - 3);
                if (alpha == 255)
                    QCOMPARE(r, s);
                QVERIFY(blendMatches(qRed(r), qRed(s), qRed(d), alpha));
                QVERIFY(blendMatches(qGreen(r), qGreen(s), qGreen(d), alpha));
                QVERIFY(blendMatches(qBlue(r), qBlue(s), qBlue(d), alpha));
            }
        }
    }

    void blendingTwiceShowsStronger()
    {
        QImage dst = solid({4, 4}, qRgb(0, 0, 0));
        const QImage white = solid({4, 4}, qRgb(255, 255, 255));
        RasterOps::alphaBlend(dst, QPoint(0, 0), white, white.rect(), 128);
        const int once = qRed(dst.pixel(1, 1));
        RasterOps::alphaBlend(dst, QPoint(0, 0), white, white.rect(), 128);
        const int twice = qRed(dst.pixel(1, 1));
        QVERIFY(blendMatches(once, 255, 0, 128));
        QVERIFY(blendMatches(twice, 255, once, 128));
    }

    void sourcesInOtherFormats_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("24-bit") << int(QImage::Format_RGB888);
        QTest::newRow("indexed") << int(QImage::Format_Indexed8);
        QTest::newRow("16-bit") << int(QImage::Format_RGB16);
        QTest::newRow("with alpha") << int(QImage::Format_ARGB32);
    }

    // Pictures from files come in many formats; each operation must read their
    // colours, never raw 32-bit words.
    void sourcesInOtherFormats()
    {
        QFETCH(int, format);
        const QImage source = pattern({13, 7}, 2).convertToFormat(QImage::Format(format));
        const QImage expected = source.convertToFormat(RasterOps::Format);
        const QRgb key = qRgb(1, 1, 1);
        QImage plain = solid({13, 7}, key), keyed = plain, blended = plain;
        RasterOps::plainCopy(plain, plain.rect(), source, source.rect());
        RasterOps::keyedCopy(keyed, QPoint(0, 0), source, source.rect(), key);
        RasterOps::alphaBlend(blended, QPoint(0, 0), source, source.rect(), 255);
        QCOMPARE(plain, expected);
        QCOMPARE(keyed, expected);
        QCOMPARE(blended, expected);
    }
};

QTEST_GUILESS_MAIN(TestRasterOps)
#include "tst_rasterops.moc"
