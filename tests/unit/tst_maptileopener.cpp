#include "app/Workspace.h"
#include "output/MaptileOpener.h"
#include "support/TestImages.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

class TestMaptileOpener : public QObject
{
    Q_OBJECT

private slots:
    void pictureBecomesTheMaptile_data();
    void pictureBecomesTheMaptile();
    void badPicturesLeaveTheMaptile_data();
    void badPicturesLeaveTheMaptile();
};

void TestMaptileOpener::pictureBecomesTheMaptile_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("spaces");
    QTest::newRow("saved 3 x 3") << QSize(432, 432) << QSize(3, 3);
    QTest::newRow("ragged edges dropped") << QSize(500, 450) << QSize(3, 3);
    QTest::newRow("cut to 5 x 6") << QSize(2000, 2000) << QSize(5, 6);
}

void TestMaptileOpener::pictureBecomesTheMaptile()
{
    QFETCH(QSize, size);
    QFETCH(QSize, spaces);
    QTemporaryDir dir;
    const QImage picture = TestImages::pattern(size, 5);
    TestImages::save(picture, dir.filePath("map.bmp"));
    Workspace workspace;
    workspace.setMapNumText("12");
    workspace.chooseSpeedValue(QPoint(4, 5), "3");
    workspace.setMaptileChanged(false);

    QCOMPARE(MaptileOpener::open(workspace, dir.filePath("map.bmp")), QString());
    QCOMPARE(QSize(workspace.maptile().columns(), workspace.maptile().rows()), spaces);
    QCOMPARE(workspace.maptile().master(), picture.copy(QRect(QPoint(0, 0), spaces * 144)));
    QCOMPARE(workspace.workingView().size(), spaces * 48);
    QCOMPARE(workspace.mapNumText(), QString());
    QCOMPARE(workspace.maptile().speedValue(4, 5), QString());
    QVERIFY(workspace.maptileChanged()); // the number box was emptied
}

void TestMaptileOpener::badPicturesLeaveTheMaptile_data()
{
    const auto encode = [](QSize size, const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        TestImages::pattern(size).save(&buffer, format);
        return bytes;
    };
    // A bitmap header promising 30000 x 30000 pixels, with none after it.
    QByteArray huge(54, '\0');
    for (auto [at, value] : {std::pair{0, 0x4D42}, {10, 54}, {14, 40}, {18, 30000}, {22, 30000}, {26, 1}, {28, 24}})
        for (int i = 0; i < 4 && at + i < 54; ++i)
            huge[at + i] = char(value >> (8 * i));

    QTest::addColumn<QByteArray>("content");
    QTest::newRow("100 x 100") << encode(QSize(100, 100), "png");
    QTest::newRow("one pixel short") << encode(QSize(143, 800), "bmp");
    QTest::newRow("truncated jpeg") << encode(QSize(432, 432), "jpeg").left(120);
    QTest::newRow("text named jpg") << QByteArray("notes, not a picture\n");
    QTest::newRow("absurd size") << huge;
}

void TestMaptileOpener::badPicturesLeaveTheMaptile()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    TestImages::writeText(dir.filePath("bad.jpg"), content);
    Workspace workspace;
    workspace.openImage(TestImages::pattern(QSize(576, 432), 9));
    workspace.setMapNumText("7");
    workspace.setMaptileChanged(false);
    const QImage preview = workspace.preview();

    QVERIFY(MaptileOpener::open(workspace, dir.filePath("bad.jpg")).contains("bad.jpg"));
    QCOMPARE(workspace.preview(), preview);
    QCOMPARE(workspace.mapNumText(), QStringLiteral("7"));
    QVERIFY(!workspace.maptileChanged());
}

QTEST_MAIN(TestMaptileOpener)
#include "tst_maptileopener.moc"
