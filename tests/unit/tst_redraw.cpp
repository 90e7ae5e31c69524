#include "maptile/MaptileOverlays.h"
#include "maptile/Redraw.h"
#include "support/TestImages.h"
#include "tilesets/GridPicture.h"

#include <QTest>

using namespace TestImages;

namespace {

// Lays overlay onto picture at `at`, leaving out the colour of its pixel (1, 1):
// the rule every overlay is laid by, pixel by pixel.
void lay(QImage &picture, const QImage &overlay, QPoint at)
{
    const QRgb key = overlay.pixel(1, 1);
    for (int y = 0; y < overlay.height(); ++y)
        for (int x = 0; x < overlay.width(); ++x)
            if (overlay.pixel(x, y) != key && picture.rect().contains(at + QPoint(x, y)))
                picture.setPixel(at + QPoint(x, y), overlay.pixel(x, y));
}

QPoint speedAt(int column, int row, const QImage &speed)
{
    return {column * 144 + 144 - speed.width(), row * 144};
}

QPoint creditAt(const QImage &preview)
{
    return {4, preview.height() - 20};
}

struct Space
{
    QPoint space;
    QString value;
};

// The preview expected from the master and the overlays: master, then speed
// values, then the number badge, then the credit.
QImage expectedPreview(const Maptile &maptile, MaptileOverlays &overlays, const QList<Space> &speeds, bool badge)
{
    QImage expected = maptile.master();
    for (const Space &s : speeds) {
        const QImage speed = overlays.speedImage(s.value);
        lay(expected, speed, speedAt(s.space.x(), s.space.y(), speed));
    }
    if (badge)
        lay(expected, overlays.mapNumImage(), {10, 10});
    lay(expected, overlays.designerImage(), creditAt(expected));
    return expected;
}

// Whether two overlays laid at these places cover a common pixel with ink.
bool inksOverlap(const QImage &a, QPoint atA, const QImage &b, QPoint atB)
{
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QPoint inB = atA + QPoint(x, y) - atB;
            if (a.pixel(x, y) != a.pixel(1, 1) && b.rect().contains(inB) && b.pixel(inB) != b.pixel(1, 1))
                return true;
        }
    }
    return false;
}

} // namespace

class TestRedraw : public QObject
{
    Q_OBJECT

private slots:
    void previewIsMasterWithOverlays()
    {
        Maptile maptile;
        maptile.setImage(pattern({720, 864}, 1));
        const QList<Space> speeds{{{0, 5}, QStringLiteral("2")}, {{2, 3}, QStringLiteral("X")},
                                  {{4, 0}, QStringLiteral("1/T")}};
        for (const Space &s : speeds)
            maptile.setSpeedValue(s.space.x(), s.space.y(), s.value);
        MaptileOverlays overlays;
        overlays.paintMapNum(QStringLiteral("12"));
        overlays.paintDesigner(QStringLiteral("Ann Lee"));
        QImage preview, view;
        Redraw::paintNum(maptile, true, overlays, preview, view);

        QCOMPARE(preview, expectedPreview(maptile, overlays, speeds, true));
        // The master stays free of overlays.
        QCOMPARE(maptile.master(), pattern({720, 864}, 1));
        // Without a number text no badge is laid.
        Redraw::paintNum(maptile, false, overlays, preview, view);
        QCOMPARE(preview, expectedPreview(maptile, overlays, speeds, false));
        QCOMPARE(preview.copy(10, 10, 31, 49), maptile.master().copy(10, 10, 31, 49));
    }

    void laterLayersCoverEarlierOnes()
    {
        // A huge speed font makes the value on space (0, 0) run under the badge and
        // the one on space (0, 2) run under the credit.
        Maptile maptile;
        maptile.setImage(pattern({432, 432}, 2));
        MaptileOverlays overlays;
        QFont huge = overlays.speedFont();
        huge.setPointSizeF(110);
        overlays.setSpeedFont(huge, Qt::white);
        overlays.paintMapNum(QStringLiteral("88"));
        overlays.paintDesigner(QStringLiteral("Ann Lee"));
        const QList<Space> speeds{{{0, 0}, QStringLiteral("XXX")}, {{0, 2}, QStringLiteral("XXX")}};
        for (const Space &s : speeds)
            maptile.setSpeedValue(s.space.x(), s.space.y(), s.value);

        const QImage speed = overlays.speedImage(QStringLiteral("XXX"));
        QVERIFY(inksOverlap(speed, speedAt(0, 0, speed), overlays.mapNumImage(), {10, 10}));
        QVERIFY(inksOverlap(speed, speedAt(0, 2, speed), overlays.designerImage(), {4, 432 - 20}));

        QImage preview, view;
        Redraw::paintNum(maptile, true, overlays, preview, view);
        QCOMPARE(preview, expectedPreview(maptile, overlays, speeds, true));
    }

    void workingViewIsPreviewAtOneThirdWithGrid()
    {
        // Each space one colour, so the view must show it whatever the scaling filter.
        auto spaceColour = [](int c, int r) { return qRgb(40 * c + 20, 30 * r + 40, 90); };
        QImage master(576, 720, QImage::Format_RGB32);
        for (int y = 0; y < master.height(); ++y)
            for (int x = 0; x < master.width(); ++x)
                master.setPixel(x, y, spaceColour(x / 144, y / 144));
        Maptile maptile;
        maptile.setImage(master);
        MaptileOverlays overlays;
        overlays.paintDesigner(QString());
        QImage preview, view;
        Redraw::paintNum(maptile, false, overlays, preview, view);

        QCOMPARE(view.size(), QSize(192, 240));
        const int creditTop = (preview.height() - 20) / 3;
        bool creditShows = false;
        for (int y = 0; y < view.height(); ++y) {
            for (int x = 0; x < view.width(); ++x) {
                const QRgb pixel = view.pixel(x, y);
                if (x % 48 == 0 || x % 48 == 47 || y % 48 == 0 || y % 48 == 47)
                    QCOMPARE(pixel, GridPicture::LineColour);
                else if (y < creditTop)
                    QCOMPARE(pixel, spaceColour(x / 48, y / 48));
                else
                    creditShows = creditShows || pixel != spaceColour(x / 48, y / 48);
            }
        }
        // The overlays are scaled into the view with the rest; the grid never reaches the preview.
        QVERIFY(creditShows);
        QCOMPARE(preview.pixel(0, 0), spaceColour(0, 0));
        QCOMPARE(preview.pixel(47, 47), spaceColour(0, 0));
    }

    void speedValueOutsideTheSizeReturnsWhenGrown()
    {
        // Wide enough that, if drawn at all, it would reach the first three columns.
        const QString wide(30, u'X');
        MaptileOverlays overlays;
        overlays.paintDesigner(QString());
        QVERIFY(overlays.speedImage(wide).width() > 2 * 144 + 10);

        Maptile maptile;
        maptile.setImage(pattern({720, 864}, 4));
        maptile.setSpeedValue(4, 1, wide);
        maptile.resize(3, 6);
        QImage preview, view;
        Redraw::paintNum(maptile, false, overlays, preview, view);
        QCOMPARE(preview.size(), QSize(432, 864));
        QCOMPARE(preview, expectedPreview(maptile, overlays, {}, false));

        maptile.resize(5, 6);
        Redraw::paintNum(maptile, false, overlays, preview, view);
        QCOMPARE(preview, expectedPreview(maptile, overlays, {{{4, 1}, wide}}, false));
    }

    void emptyMaptileDrawsNothing()
    {
        Maptile maptile;
        maptile.setSpeedValue(0, 0, QStringLiteral("2"));
        MaptileOverlays overlays;
        overlays.paintMapNum(QStringLiteral("12"));
        overlays.paintDesigner(QStringLiteral("Ann"));
        QImage preview = pattern({30, 30}), view = pattern({10, 10});
        Redraw::paintNum(maptile, true, overlays, preview, view);
        QVERIFY(preview.size().isEmpty());
        QVERIFY(view.size().isEmpty());
    }
};

QTEST_MAIN(TestRedraw)
#include "tst_redraw.moc"
