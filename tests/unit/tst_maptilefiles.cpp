#include "app/Workspace.h"
#include "output/MaptileOpener.h"
#include "output/MaptileSaver.h"
#include "support/TestImages.h"

#include <QTemporaryDir>
#include <QTest>

using namespace TestImages;

namespace {

// A picture of 300 dpi, as one opened from a scanner's file would be.
QImage scanned()
{
    QImage picture = pattern(QSize(432, 576), 3);
    picture.setDotsPerMeterX(11811);
    picture.setDotsPerMeterY(11811);
    return picture;
}

} // namespace

// Saving the maptile to a file and opening a file as the maptile. Saves and opens
// that fail are the hostile-input test's.
class TestMaptileFiles : public QObject
{
    Q_OBJECT

private slots:
    void formatFollowsTheTypedNameAndRecords96PixelsPerInch()
    {
        QTemporaryDir dir;
        Workspace workspace;
        workspace.openImage(scanned());
        const QList<QPair<QString, QByteArray>> cases{{"m.JpEg", "\xFF\xD8"}, {"m.jpg", "\xFF\xD8"},
            {"m.PNG", "\x89PNG"}, {"m.jpg.bak", "BM"}, {"m", "BM"}, {"m.gif", "BM"}};
        for (const auto &[name, magic] : cases) {
            const QString path = dir.filePath(name);
            // Only a lossless save marks the maptile unchanged, and it keeps every pixel.
            workspace.setMaptileChanged(true);
            QCOMPARE(MaptileSaver::save(workspace, path), QString());
            QVERIFY2(readAll(path).startsWith(magic), qPrintable(name));
            QCOMPARE(workspace.maptileChanged(), magic.startsWith('\xFF'));
            if (!workspace.maptileChanged())
                QCOMPARE(QImage(path).convertToFormat(QImage::Format_RGB32), workspace.preview());
            // Also for a picture of another density written in the format.
            QCOMPARE(MaptileSaver::write(scanned(), path, MaptileSaver::formatFor(path)), QString());
            const QImage back(path);
            QCOMPARE(QPoint(back.dotsPerMeterX(), back.dotsPerMeterY()) * 0.0254, QPoint(96, 96));
        }
        // The bitmap: 24 bits per pixel, uncompressed.
        QCOMPARE(readAll(dir.filePath(QStringLiteral("m"))).mid(28, 6), QByteArray("\x18\0\0\0\0\0", 6));
    }

    void jpegHonoursQualityAndScanMode()
    {
        QTemporaryDir dir;
        const auto save = [&](int quality, bool progressive) {
            const QString path = dir.filePath(QStringLiteral("m.jpg"));
            return MaptileSaver::write(scanned(), path, MaptileSaver::Format::Jpeg, {quality, progressive}).isEmpty()
                       ? readAll(path) : QByteArray();
        };
        const QByteArray low = save(1, false), high = save(100, false), progressive = save(50, true);
        QVERIFY(!low.isEmpty() && low.size() * 2 < high.size());
        // The frame header's marker, 0xC0 baseline or 0xC2 progressive: elsewhere 0xFF is never followed by either.
        QVERIFY(low.contains("\xFF\xC0") && high.contains("\xFF\xC0") && !progressive.contains("\xFF\xC0"));
        QVERIFY(progressive.contains("\xFF\xC2") && !low.contains("\xFF\xC2"));
    }

    void openingAPicture_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("spaces"); // none: refused, the maptile left as it was
        QTest::newRow("saved 3 x 3") << QSize(432, 432) << QSize(3, 3);
        QTest::newRow("ragged edges dropped") << QSize(500, 450) << QSize(3, 3);
        QTest::newRow("cut to 5 x 6") << QSize(2000, 2000) << QSize(5, 6);
        QTest::newRow("wide and low") << QSize(900, 300) << QSize(5, 2);
        QTest::newRow("100 x 100") << QSize(100, 100) << QSize();
        QTest::newRow("one pixel short") << QSize(143, 800) << QSize();
    }

    void openingAPicture()
    {
        QFETCH(QSize, size);
        QFETCH(QSize, spaces);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("map.bmp"));
        save(pattern(size), path);
        Workspace workspace;
        workspace.openImage(pattern({576, 432}, 9));
        workspace.setMapNumText("7");
        workspace.chooseSpeedValue({4, 5}, "3");
        workspace.setMaptileChanged(false);
        const QImage preview = workspace.preview();
        // Refused: a message naming the file, and the maptile, its number and speed values as they were.
        const bool refused = spaces.isEmpty();
        const QString error = MaptileOpener::open(workspace, path);
        QVERIFY2(refused ? error.contains("map.bmp") : error.isEmpty(), qPrintable(error));
        QCOMPARE(workspace.maptile().master(), refused ? pattern({576, 432}, 9) : pattern(spaces * 144));
        QCOMPARE(workspace.mapNumText() + workspace.maptile().speedValue(4, 5), refused ? "73" : "");
        const QRect badge(10, 10, 31, 49);
        QCOMPARE(workspace.preview().copy(badge), (refused ? preview : pattern({41, 59})).copy(badge));
        QCOMPARE(workspace.maptileChanged(), !refused); // emptying the number is an edit
    }
};

QTEST_MAIN(TestMaptileFiles)
#include "tst_maptilefiles.moc"
