#include "app/Workspace.h"
#include "output/MaptileOpener.h"
#include "output/MaptileSaver.h"
#include "support/TestImages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace TestImages;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray encoded(QSize size, const char *format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    pattern(size).save(&buffer, format);
    return buffer.data();
}

// A picture of 300 dpi, as one opened from a scanner's file would be.
QImage scanned()
{
    QImage picture = pattern(QSize(432, 576), 3);
    picture.setDotsPerMeterX(11811);
    picture.setDotsPerMeterY(11811);
    return picture;
}

} // namespace

// Saving the maptile to a file and opening a file as the maptile.
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
        const auto save = [&](const QString &name, int quality, bool progressive) {
            const QString path = dir.filePath(name);
            return MaptileSaver::write(scanned(), path, MaptileSaver::Format::Jpeg, {quality, progressive}).isEmpty()
                       ? readAll(path) : QByteArray();
        };
        const QByteArray low = save("low.jpg", 1, false), high = save("high.jpg", 100, false);
        const QByteArray progressive = save("p.jpg", 50, true);
        QVERIFY(!low.isEmpty() && low.size() * 2 < high.size());
        // The frame header's marker, 0xC0 baseline or 0xC2 progressive: elsewhere 0xFF is never followed by either.
        QVERIFY(low.contains("\xFF\xC0") && high.contains("\xFF\xC0") && !progressive.contains("\xFF\xC0"));
        QVERIFY(progressive.contains("\xFF\xC2") && !low.contains("\xFF\xC2"));
    }

    void failedSavesChangeNothing()
    {
        QTemporaryDir dir;
        const QString earlier = dir.filePath(QStringLiteral("earlier.bmp"));
        writeText(earlier, "an earlier maptile");
        Workspace workspace;
        workspace.openImage(scanned());
        // Places even root cannot write to, and things that are no file to replace.
        for (const QString &path : {dir.path(), earlier + "/m.bmp", dir.filePath("no/m.png"), QString("/proc/m.bmp")}) {
            workspace.setMaptileChanged(true);
            QVERIFY2(MaptileSaver::save(workspace, path).contains(path), qPrintable(path));
            QVERIFY(workspace.maptileChanged());
        }
        // A disk that fills up half-way: the earlier file survives byte for byte.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit full = saved;
        full.rlim_cur = 4096;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        const QString error = MaptileSaver::write(scanned(), earlier, MaptileSaver::Format::Bitmap);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(earlier), QByteArray("an earlier maptile"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"earlier.bmp"});
    }

    void openingAPicture_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QSize>("spaces"); // none: refused, the maptile left as it was
        QTest::newRow("saved 3 x 3") << encoded({432, 432}, "bmp") << QSize(3, 3);
        QTest::newRow("ragged edges dropped") << encoded({500, 450}, "png") << QSize(3, 3);
        QTest::newRow("cut to 5 x 6") << encoded({2000, 2000}, "bmp") << QSize(5, 6);
        QTest::newRow("wide and low") << encoded({900, 300}, "bmp") << QSize(5, 2);
        QTest::newRow("100 x 100") << encoded({100, 100}, "png") << QSize();
        QTest::newRow("one pixel short") << encoded({143, 800}, "bmp") << QSize();
        // Unreadable files of every kind are the image reader's; two are enough here.
        QTest::newRow("truncated jpeg") << encoded({432, 432}, "jpeg").left(120) << QSize();
        QTest::newRow("text named jpg") << QByteArray("notes, not a picture\n") << QSize();
    }

    void openingAPicture()
    {
        QFETCH(QByteArray, content);
        QFETCH(QSize, spaces);
        QTemporaryDir dir;
        writeText(dir.filePath("map.jpg"), content);
        Workspace workspace;
        workspace.openImage(pattern({576, 432}, 9));
        workspace.setMapNumText("7");
        workspace.chooseSpeedValue({4, 5}, "3");
        workspace.setMaptileChanged(false);
        const QImage preview = workspace.preview();
        const QString error = MaptileOpener::open(workspace, dir.filePath("map.jpg"));
        if (spaces.isEmpty()) {
            QVERIFY2(error.contains("map.jpg"), qPrintable(error));
            QCOMPARE(workspace.preview(), preview);
            QCOMPARE(workspace.mapNumText() + workspace.maptile().speedValue(4, 5), QStringLiteral("73"));
            QVERIFY(!workspace.maptileChanged());
            return;
        }
        const QImage picture = QImage::fromData(content).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(error, QString());
        QCOMPARE(workspace.maptile().master(), picture.copy(QRect(QPoint(0, 0), spaces * 144)));
        QCOMPARE(workspace.mapNumText() + workspace.maptile().speedValue(4, 5), QString());
        QCOMPARE(workspace.preview().copy(10, 10, 31, 49), picture.copy(10, 10, 31, 49)); // no badge
        QVERIFY(workspace.maptileChanged()); // emptying the number is an edit
    }
};

QTEST_MAIN(TestMaptileFiles)
#include "tst_maptilefiles.moc"
