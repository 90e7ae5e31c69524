#include "maptile/MaptileOverlays.h"
#include "maptile/Redraw.h"
#include "options/FontText.h"
#include "support/TestImages.h"

#include <QFontMetrics>
#include <QSet>
#include <QTest>

using namespace TestImages;

namespace {

const QRgb White = qRgb(255, 255, 255), Black = qRgb(0, 0, 0), Green = qRgb(0, 255, 0);
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

// The master, then the speed value of every space of the maptile flush with its top
// right corner, then the number badge at (10, 10), then the credit at (4, height - 20).
QImage expectedPreview(const Maptile &maptile, MaptileOverlays &overlays, bool badge)
{
    QImage expected = maptile.master();
    for (int c = 0; c < maptile.columns(); ++c)
        for (int r = 0; r < maptile.rows(); ++r)
            if (const QString value = maptile.speedValue(c, r); !value.isEmpty())
                lay(expected, overlays.speedImage(value), {c * 144 + 144 - overlays.speedImage(value).width(), r * 144},
                    SpeedKey);
    if (badge)
        lay(expected, overlays.mapNumImage(), {10, 10}, DoorKey);
    lay(expected, overlays.designerImage(), {4, expected.height() - 20}, CreditKey);
    return expected;
}

} // namespace

// The overlay pictures, their fonts, and the redraw that lays them; the working
// view made from the preview is checked through the windows.
class TestRedraw : public QObject
{
    Q_OBJECT

private slots:
    void overlayPictures()
    {
        // White letters in a black outline on the key, nothing in between: drawn unsmoothed.
        MaptileOverlays overlays;
        const QFontMetrics fm(MaptileOverlays::renderFont(overlays.speedFont()));
        for (const QString value : {"4", "1/T", "X"}) {
            QCOMPARE(overlays.speedImage(value).size(), QSize(fm.horizontalAdvance(value) + 10, fm.height() + 10));
            QCOMPARE(colours(overlays.speedImage(value)), (QSet<QRgb>{SpeedKey, White, Black}));
        }
        QFont arial(QStringLiteral("Arial"), -1, QFont::Bold);
        arial.setPointSizeF(8.25);
        for (const QString name : {"", "Ann Lee"}) {
            const QString text = "Created with Cryptwright" + (name.isEmpty() ? QString() : " by: " + name);
            QCOMPARE(MaptileOverlays::creditText(name), text);
            overlays.paintDesigner(name);
            const int width = QFontMetrics(MaptileOverlays::renderFont(arial)).horizontalAdvance(text) + 5;
            QCOMPARE(overlays.designerImage().size(), QSize(width, 17));
            QCOMPARE(colours(overlays.designerImage()), (QSet<QRgb>{CreditKey, White, Black}));
        }
        // The number in unsmoothed white, centred on the door; a new colour shows at the next
        // rendering, and no number is the bare door.
        const QImage door = MaptileOverlays::doorBitmap();
        QVERIFY(door.size() == QSize(31, 49) && door.pixel(0, 0) == DoorKey && door.pixel(30, 48) == DoorKey);
        overlays.paintMapNum(QStringLiteral("88"));
        QCOMPARE(colours(overlays.mapNumImage()).subtract(colours(door)), QSet<QRgb>{White});
        QRect ink;
        for (int y = 0; y < 49; ++y)
            for (int x = 0; x < 31; ++x)
                ink |= overlays.mapNumImage().pixel(x, y) != door.pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
        QVERIFY(std::abs(ink.left() - (30 - ink.right())) <= 3 && std::abs(ink.top() - (48 - ink.bottom())) <= 6);
        overlays.setMapNumFont(overlays.mapNumFont(), QColor(255, 0, 0));
        overlays.paintMapNum(QStringLiteral("88"));
        QVERIFY(colours(overlays.mapNumImage()).contains(qRgb(255, 0, 0)));
        overlays.paintMapNum(QString());
        QCOMPARE(overlays.mapNumImage(), door);
    }

    void previewLaysTheOverlaysInOrder()
    {
        Maptile maptile;
        maptile.setImage(pattern({432, 432}, 1));
        MaptileOverlays overlays;
        // A new speed font shows at once. This one is so large that the values on (0, 0)
        // and (0, 2) run under the badge and the credit.
        QFont huge = overlays.speedFont();
        huge.setPointSizeF(110);
        overlays.setSpeedFont(huge, QColor(Green));
        const QImage &xxx = overlays.speedImage(QStringLiteral("XXX"));
        QVERIFY(xxx.width() > 144 && xxx.height() > 144 && colours(xxx).contains(Green));
        for (QPoint space : {QPoint(0, 0), QPoint(0, 2), QPoint(2, 1)})
            maptile.setSpeedValue(space.x(), space.y(), QStringLiteral("XXX"));
        // Outside the maptile: never drawn, though it would cover all of it.
        maptile.setSpeedValue(4, 1, QString(30, u'X'));
        overlays.paintMapNum(QStringLiteral("88"));
        overlays.paintDesigner(QStringLiteral("Ann Lee"));

        QImage preview, view;
        Redraw::paintNum(maptile, true, overlays, preview, view);
        QCOMPARE(preview, expectedPreview(maptile, overlays, true));
        QCOMPARE(maptile.master(), pattern({432, 432}, 1)); // the master stays free of overlays
        Redraw::paintNum(maptile, false, overlays, preview, view);
        QCOMPARE(preview, expectedPreview(maptile, overlays, false));
    }

    // The options window's text for a font, and what it keeps of a chosen one.
    void fontText_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<int>("effects"); // bold 1, italic 2, underline 4, strikeout 8
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("accepted");
        QTest::newRow("half point") << "Arial" << 10.5 << 0 << "10 Pt. Arial" << "10 Pt. Arial";
        QTest::newRow("above the list") << "Arial" << 200.0 << 10 << "200 Pt. Arial" << "72 Pt. Arial";
        // The face asked for, even when the machine draws with a stand-in.
        QTest::newRow("face not installed") << "Nonesuch" << 12.0 << 15 << "12 Pt. Nonesuch" << "12 Pt. Nonesuch";
        QTest::newRow("maker's name") << "C059 [urw]" << 12.0 << 3 << "12 Pt. C059 [urw]" << "12 Pt. C059";
    }

    void fontText()
    {
        QFETCH(QString, family);
        QFETCH(qreal, points);
        QFETCH(int, effects);
        QFont font(family);
        font.setPointSizeF(points);
        font.setBold(effects & 1);
        font.setItalic(effects & 2);
        font.setUnderline(effects & 4);
        font.setStrikeOut(effects & 8);
        font.setStyleName(QStringLiteral("Bold Italic")); // would override bold and italic in drawing
        const QFont kept = FontText::accepted(font);
        QTEST(FontText::describe(font), "shown");
        QTEST(FontText::describe(kept), "accepted");
        QCOMPARE(int(kept.bold()) | kept.italic() << 1 | kept.underline() << 2 | kept.strikeOut() << 3, effects);
        QVERIFY(kept.styleName().isEmpty());
    }
};

QTEST_MAIN(TestRedraw)
#include "tst_redraw.moc"
