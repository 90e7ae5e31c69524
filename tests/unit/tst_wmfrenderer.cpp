#include "support/TestImages.h"
#include "support/TestMetafile.h"
#include "tilesets/WmfRenderer.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QRgb Background = qRgb(20, 120, 200);
const QRgb Foreground = qRgb(230, 40, 10);

// A background filling box and a foreground rectangle inside it, no outlines.
TestMetafile twoRectangles(TestMetafile metafile, const QRect &box, const QRect &inner)
{
    metafile.createNullPen().selectObject(0);
    metafile.createSolidBrush(Background).selectObject(1).rectangle(box).deleteObject(1);
    metafile.createSolidBrush(Foreground).selectObject(1).rectangle(inner);
    return metafile;
}

QByteArray placeableSample()
{
    return twoRectangles(TestMetafile(QRect(0, 0, 40, 30), 96), QRect(0, 0, 40, 30), QRect(10, 5, 20, 20)).bytes();
}

} // namespace

class TestWmfRenderer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void drawsAtItsOwnSize_data();
    void drawsAtItsOwnSize();
    void textIsDrawnOrLeftOutWithoutFailing();
    void refusesWhatItCannotDraw_data();
    void refusesWhatItCannotDraw();
    void damagedMetafilesGiveAnImageOrAReason();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

void TestWmfRenderer::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestWmfRenderer::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    TestImages::writeText(path, bytes);
    return path;
}

void TestWmfRenderer::drawsAtItsOwnSize_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("inner"); // in pixels

    const QRect inner(10, 5, 20, 20);
    QTest::newRow("placeable, 96 units per inch") << placeableSample() << QSize(40, 30) << inner;
    QTest::newRow("placeable, twips")
        << twoRectangles(TestMetafile(QRect(0, 0, 600, 450), 1440), QRect(0, 0, 600, 450), QRect(150, 75, 300, 300))
               .bytes()
        << QSize(40, 30) << inner;
    QTest::newRow("placeable, box away from the origin")
        << twoRectangles(TestMetafile(QRect(100, 200, 80, 60), 192), QRect(100, 200, 80, 60),
                         QRect(120, 210, 40, 40))
               .bytes()
        << QSize(40, 30) << inner;
    // Without a header the drawn extent decides, and it takes in half a pen width
    // around the shapes even when the pen draws nothing.
    QTest::newRow("plain, one unit per pixel")
        << twoRectangles(TestMetafile(), QRect(0, 0, 40, 30), QRect(10, 5, 20, 20)).bytes() << QSize(41, 31) << inner;
}

void TestWmfRenderer::drawsAtItsOwnSize()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QRect, inner);

    QString error;
    const QImage image = WmfRenderer::render(write(QStringLiteral("sample.wmf"), bytes), &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), size);

    const auto rgb = [&](int x, int y) { return image.pixel(x, y) & 0xffffff; };
    const QRgb fg = Foreground & 0xffffff, bg = Background & 0xffffff;
    // Corners of the picture and a pixel either side of each inner edge.
    QCOMPARE(rgb(0, 0), bg);
    QCOMPARE(rgb(size.width() - 1, size.height() - 1), bg);
    QCOMPARE(rgb(inner.center().x(), inner.center().y()), fg);
    QCOMPARE(rgb(inner.left() + 1, inner.top() + 1), fg);
    QCOMPARE(rgb(inner.right() - 1, inner.bottom() - 1), fg);
    QCOMPARE(rgb(inner.left() - 2, inner.center().y()), bg);
    QCOMPARE(rgb(inner.right() + 2, inner.center().y()), bg);
    QCOMPARE(rgb(inner.center().x(), inner.top() - 2), bg);
    QCOMPARE(rgb(inner.center().x(), inner.bottom() + 2), bg);
}

void TestWmfRenderer::textIsDrawnOrLeftOutWithoutFailing()
{
    // Text output with the default font: drawn when the font files are there,
    // left out otherwise, never a failure of the whole picture.
    TestMetafile metafile = twoRectangles(TestMetafile(QRect(0, 0, 200, 100), 96), QRect(0, 0, 200, 100),
                                          QRect(10, 10, 20, 20));
    metafile.record(0x0521, {4, quint16('T' | 'e' << 8), quint16('x' | 't' << 8), 40, 60});
    QString error;
    const QImage image = WmfRenderer::render(write(QStringLiteral("text.wmf"), metafile.bytes()), &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), QSize(200, 100));
}

void TestWmfRenderer::refusesWhatItCannotDraw_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray sample = placeableSample();
    QByteArray noise(600, Qt::Uninitialized);
    QRandomGenerator random(7);
    for (char &c : noise)
        c = char(random.bounded(256));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    TestImages::solid(QSize(8, 8), Background).save(&buffer, "PNG");
    QByteArray understatedRecords = sample;
    understatedRecords[22 + 12] = 3; // largest record said to be three words
    understatedRecords[22 + 13] = 0;

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("noise") << noise;
    QTest::newRow("noise after a placeable key") << QByteArray("\xD7\xCD\xC6\x9A", 4) + noise;
    QTest::newRow("a PNG") << png;
    QTest::newRow("placeable header only") << sample.left(22);
    QTest::newRow("cut inside a record") << sample.left(sample.size() - 12);
    QTest::newRow("records larger than the header allows") << understatedRecords;
    QTest::newRow("no units per inch") << twoRectangles(TestMetafile(QRect(0, 0, 40, 30), 0), QRect(0, 0, 40, 30),
                                                        QRect(10, 5, 20, 20))
                                              .bytes();
    QTest::newRow("empty header box") << twoRectangles(TestMetafile(QRect(0, 0, 0, 30), 96), QRect(0, 0, 40, 30),
                                                       QRect(10, 5, 20, 20))
                                             .bytes();
    QTest::newRow("draws nothing") << TestMetafile(QRect(0, 0, 40, 30), 96).bytes();
    QTest::newRow("placeable, too large") << twoRectangles(TestMetafile(QRect(0, 0, 4097, 30), 96),
                                                           QRect(0, 0, 4097, 30), QRect(10, 5, 20, 20))
                                                 .bytes();
    QTest::newRow("plain, too large")
        << twoRectangles(TestMetafile(), QRect(0, 0, 30000, 30), QRect(10, 5, 20, 20)).bytes();
}

void TestWmfRenderer::refusesWhatItCannotDraw()
{
    QFETCH(QByteArray, bytes);

    QString error;
    const QImage image = WmfRenderer::render(write(QStringLiteral("bad.wmf"), bytes), &error);
    QVERIFY(image.isNull());
    QVERIFY(!error.isEmpty());
}

void TestWmfRenderer::damagedMetafilesGiveAnImageOrAReason()
{
    // Random damage to a good metafile: whatever libwmf makes of it, the caller
    // gets either a picture of a sane size or a reason, and the process lives.
    const QByteArray sample = placeableSample();
    QRandomGenerator random(20240611);
    const QString path = m_dir.filePath(QStringLiteral("damaged.wmf"));
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes = sample;
        const int flips = 1 + int(random.bounded(6));
        for (int i = 0; i < flips; ++i)
            bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
        TestImages::writeText(path, bytes);
        QString error;
        const QImage image = WmfRenderer::render(path, &error);
        QVERIFY2(image.isNull() != error.isEmpty(), qPrintable(QStringLiteral("round %1").arg(round)));
        if (!image.isNull())
            QVERIFY(image.width() <= WmfRenderer::MaxSide && image.height() <= WmfRenderer::MaxSide);
    }
}

QTEST_GUILESS_MAIN(TestWmfRenderer)
#include "tst_wmfrenderer.moc"
