#include "maptile/MaptileOverlays.h"

#include <QFontMetrics>
#include <QSet>
#include <QTest>

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);

QSet<QRgb> colours(const QImage &image)
{
    QSet<QRgb> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            found.insert(image.pixel(x, y));
    return found;
}

// The bounding box of the pixels where image differs from base.
QRect changedArea(const QImage &image, const QImage &base)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != base.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class TestOverlays : public QObject
{
    Q_OBJECT

private slots:
    void badgeIsThePlainDoorWithoutNumber()
    {
        const QImage door = MaptileOverlays::doorBitmap();
        QCOMPARE(door.size(), QSize(31, 49));
        for (QPoint p : {QPoint(0, 0), QPoint(1, 1), QPoint(30, 0), QPoint(0, 48), QPoint(30, 48)})
            QCOMPARE(door.pixel(p), MaptileOverlays::DoorKey);
        MaptileOverlays overlays;
        QCOMPARE(overlays.mapNumImage(), door);
        overlays.paintMapNum(QStringLiteral("12"));
        QVERIFY(overlays.mapNumImage() != door);
        overlays.paintMapNum(QString());
        QCOMPARE(overlays.mapNumImage(), door);
    }

    void numberIsCentredOnTheDoor_data()
    {
        QTest::addColumn<QString>("number");
        QTest::newRow("one digit") << "8";
        QTest::newRow("two digits") << "88";
        QTest::newRow("letters") << "AB";
    }

    void numberIsCentredOnTheDoor()
    {
        QFETCH(QString, number);
        MaptileOverlays overlays;
        overlays.paintMapNum(number);
        const QImage &badge = overlays.mapNumImage();
        const QImage door = MaptileOverlays::doorBitmap();
        QCOMPARE(badge.size(), QSize(31, 49));
        // Unsmoothed: every changed pixel is exactly the ink colour.
        for (int y = 0; y < 49; ++y)
            for (int x = 0; x < 31; ++x)
                QVERIFY(badge.pixel(x, y) == door.pixel(x, y) || badge.pixel(x, y) == White);
        const QRect ink = changedArea(badge, door);
        QVERIFY(!ink.isEmpty());
        const int left = ink.left(), right = 30 - ink.right(), top = ink.top(), bottom = 48 - ink.bottom();
        QVERIFY2(std::abs(left - right) <= 3, qPrintable(QStringLiteral("left %1 right %2").arg(left).arg(right)));
        QVERIFY2(std::abs(top - bottom) <= 6, qPrintable(QStringLiteral("top %1 bottom %2").arg(top).arg(bottom)));
    }

    void numberColourTakesEffectAtNextRendering()
    {
        MaptileOverlays overlays;
        overlays.paintMapNum(QStringLiteral("7"));
        const QImage white = overlays.mapNumImage();
        const QRgb red = qRgb(255, 0, 0);
        overlays.setMapNumFont(overlays.mapNumFont(), QColor(red));
        QCOMPARE(overlays.mapNumImage(), white);
        overlays.paintMapNum(QStringLiteral("7"));
        QVERIFY(colours(overlays.mapNumImage()).contains(red));
    }

    void creditLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("no name") << "" << "Created with Cryptwright";
        QTest::newRow("name") << "Ann Lee" << "Created with Cryptwright by: Ann Lee";
        QTest::newRow("long name") << QString(200, u'W') << "Created with Cryptwright by: " + QString(200, u'W');
    }

    void creditLine()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(MaptileOverlays::creditText(name), text);
        MaptileOverlays overlays;
        overlays.paintDesigner(name);
        const QImage &credit = overlays.designerImage();
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(8.25);
        font.setBold(true);
        QCOMPARE(credit.size(), QSize(QFontMetrics(MaptileOverlays::renderFont(font)).horizontalAdvance(text) + 5, 17));
        QCOMPARE(credit.pixel(MaptileOverlays::KeyPixel), MaptileOverlays::DesignerBackground);
        // Black letters in a white outline on blue, nothing in between.
        QCOMPARE(colours(credit), (QSet<QRgb>{MaptileOverlays::DesignerBackground, White, Black}));
        // The text reaches the right edge: the width follows the text.
        QImage plain(credit.size(), credit.format());
        plain.fill(MaptileOverlays::DesignerBackground);
        QVERIFY(changedArea(credit, plain).right() >= credit.width() - 8);
    }

    void speedValueImage_data()
    {
        QTest::addColumn<QString>("value");
        for (const char *value : {"0", "4", "1/T", "1/X", "X"})
            QTest::newRow(value) << QString::fromLatin1(value);
    }

    void speedValueImage()
    {
        QFETCH(QString, value);
        MaptileOverlays overlays;
        const QImage image = overlays.speedImage(value);
        const QFontMetrics metrics(MaptileOverlays::renderFont(overlays.speedFont()));
        QCOMPARE(image.size(), QSize(metrics.horizontalAdvance(value) + 10, metrics.height() + 10));
        QCOMPARE(image.pixel(MaptileOverlays::KeyPixel), MaptileOverlays::SpeedBackground);
        // White letters in a black outline on the grey key, nothing in between.
        QCOMPARE(colours(image), (QSet<QRgb>{MaptileOverlays::SpeedBackground, White, Black}));
    }

    void newSpeedFontShowsAtOnce()
    {
        MaptileOverlays overlays;
        const QImage before = overlays.speedImage(QStringLiteral("2"));
        const QRgb green = qRgb(0, 255, 0);
        QFont larger = overlays.speedFont();
        larger.setPointSizeF(40);
        overlays.setSpeedFont(larger, QColor(green));
        const QImage after = overlays.speedImage(QStringLiteral("2"));
        QVERIFY(after.width() > before.width() && after.height() > before.height());
        QCOMPARE(colours(after), (QSet<QRgb>{MaptileOverlays::SpeedBackground, green, Black}));
    }
};

QTEST_MAIN(TestOverlays)
#include "tst_overlays.moc"
