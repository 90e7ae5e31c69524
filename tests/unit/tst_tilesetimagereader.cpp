#include "maptile/Geometry.h"
#include "maptile/RasterOps.h"
#include "support/TestImages.h"
#include "support/TestMetafile.h"
#include "tilesets/TilesetImageReader.h"

#include <QBuffer>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>

namespace {

const QRgb Back = qRgb(20, 120, 200), Fore = qRgb(230, 40, 10);
const QRect Box(0, 0, 40, 30), Inner(10, 5, 20, 20);

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, format); // opens the buffer for writing
    return bytes;
}

// The path of name in a folder of the test's own, holding bytes unless they are null.
QString file(const QString &name, const QByteArray &bytes = {})
{
    static QTemporaryDir dir;
    if (!bytes.isNull())
        TestImages::writeText(dir.filePath(name), bytes);
    return dir.filePath(name);
}

QByteArray twoRectangles(TestMetafile metafile, const QRect &box = Box, const QRect &inner = Inner)
{
    return metafile.rectangle(box, Back).rectangle(inner, Fore).bytes();
}

// Four one-colour blocks of 4 x 3 pixels.
const QImage Blocks = TestImages::make({8, 6}, [](int x, int y) { return qRgb(x < 4 ? 255 : 0, y < 3 ? 255 : 0, 0); });

// A metafile drawing the blocks at their own size; the bitmap header claims headerSize bytes.
QByteArray bitmapSample(quint32 headerSize = 40)
{
    return TestMetafile({0, 0, 8, 6}).bitmap({0, 0, 8, 6}, Blocks, headerSize).bytes();
}

// One pixel of palette colour 0, which the graphic control block makes transparent.
const QByteArray TransparentGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                                "!\xf9\x04\x01\x00\x00\x00\x00"
                                ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                                43);

// Headers claiming pictures too large to decode: a GIF of 65535 x 65535 pixels
// with one tiny data block, a 24-bit BMP of 100000 x 100000 without pixels.
const QByteArray HugeGif("GIF89a\xff\xff\xff\xff\x80\0\0\0\0\0\xff\xff\xff"
                         ",\0\0\0\0\xff\xff\xff\xff\0\x02\x02\x44\x01\0;", 35);
const QByteArray HugeBmp =
    QByteArray("BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xa0\x86\x01\0\xa0\x86\x01\0\x01\0\x18\0", 30)
    + QByteArray(24, '\0');

} // namespace

class TestTilesetImageReader : public QObject
{
    Q_OBJECT

private slots:
    void readsPicturesAsTheyLook_data();
    void readsPicturesAsTheyLook();
    void refusesWithAReasonNamingTheFile_data();
    void refusesWithAReasonNamingTheFile();
};

void TestTilesetImageReader::readsPicturesAsTheyLook_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QImage>("expected");
    QTest::addColumn<int>("slack"); // in any channel of any pixel

    const QImage pattern = TestImages::pattern(QSize(100, 60));
    const QByteArray jpeg = encoded(pattern, "JPG");
    QTest::newRow("bmp") << "set.bmp" << encoded(pattern, "BMP") << pattern << 0;
    QTest::newRow("png") << "set.png" << encoded(pattern, "PNG") << pattern << 0;
    QTest::newRow("jpeg") << "set.jpg" << jpeg << QImage::fromData(jpeg).convertToFormat(RasterOps::Format) << 0;
    // The content decides, not the name.
    QTest::newRow("png named .wmf") << "png.wmf" << encoded(pattern, "PNG") << pattern << 0;
    QTest::newRow("bmp named .jpg") << "bmp.jpg" << encoded(pattern, "BMP") << pattern << 0;
    // Transparent pixels show the blank colour.
    QImage halfClear(2, 1, QImage::Format_ARGB32);
    halfClear.setPixel(0, 0, qRgb(255, 0, 0));
    halfClear.setPixel(1, 0, qRgba(255, 0, 0, 0));
    QTest::newRow("png, one pixel clear") << "clear.png" << encoded(halfClear, "PNG")
        << TestImages::make({2, 1}, [](int x, int) { return x ? Geometry::blankColour() : qRgb(255, 0, 0); }) << 0;
    QTest::newRow("gif, transparent pixel") << "clear.gif" << TransparentGif
                                            << TestImages::solid({1, 1}, Geometry::blankColour()) << 0;

    // Metafiles: a placeable one's box at 96 pixels per inch.
    const QImage rectangles =
        TestImages::make(Box.size(), [](int x, int y) { return Inner.contains(x, y) ? Fore : Back; });
    QTest::newRow("wmf, 96 units per inch") << "a.wmf" << twoRectangles(TestMetafile(Box)) << rectangles << 0;
    const QRect twips(1440, 720, 600, 450);
    QTest::newRow("wmf, twips, box away from the origin")
        << "b.wmf" << twoRectangles(TestMetafile(twips, 1440), twips, {1590, 795, 300, 300}) << rectangles << 0;
    // Without the header, the extent drawn at one unit per pixel, half a pen width around it.
    QTest::newRow("wmf, plain") << "c.wmf" << twoRectangles(TestMetafile())
                                << TestImages::make({41, 31}, [](int x, int y) {
                                       return QRect(10, 5, 21, 21).contains(x, y) ? Fore : Back;
                                   }) << 0;
    // Smoothed where the blocks meet.
    QTest::newRow("wmf, bitmap the right way up") << "d.wmf" << bitmapSample() << Blocks << 128;
    // Text (covered by the rectangles here) neither fails the picture nor moves it.
    // The header's claim of the largest record, too small or gigabytes, is set right.
    QByteArray understated = twoRectangles(TestMetafile(Box)), overstated = understated;
    qToLittleEndian<quint32>(3, understated.data() + 22 + 12);
    qToLittleEndian<quint32>(0xffffffff, overstated.data() + 22 + 12);
    QTest::newRow("wmf, largest record understated") << "f.wmf" << understated << rectangles << 0;
    QTest::newRow("wmf, largest record overstated") << "g.wmf" << overstated << rectangles << 0;
    const QList<qint64> textOut{4, 'T' | 'e' << 8, 'x' | 't' << 8, 2, 2}; // length, text, y, x
    QTest::newRow("wmf, text") << "e.wmf" << twoRectangles(TestMetafile(Box).record(0x0521, textOut)) << rectangles
                               << 0;
}

void TestTilesetImageReader::readsPicturesAsTheyLook()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QImage, expected);
    QFETCH(int, slack);

    QString error;
    const QImage image = TilesetImageReader::read(file(name, bytes), &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), expected.size());
    QCOMPARE(image.format(), expected.format());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), b = expected.pixel(x, y);
            const int off = std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))});
            QVERIFY2(off <= slack, qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(a, 0, 16)));
        }
}

void TestTilesetImageReader::refusesWithAReasonNamingTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // null: the path is used as it is
    QTest::addColumn<QString>("reason");

    const QImage pattern = TestImages::pattern(QSize(200, 150));
    const QByteArray png = encoded(pattern, "PNG"), jpeg = encoded(pattern, "JPG"), bmp = encoded(pattern, "BMP");
    QDir().mkpath(file(QStringLiteral("folder.png")));
    QFile::link(QStringLiteral("/dev/null"), file(QStringLiteral("device.png")));
    QTest::newRow("missing") << "missing.png" << QByteArray() << "does not exist";
    QTest::newRow("folder") << "folder.png" << QByteArray() << "folder";
    QTest::newRow("device") << "device.png" << QByteArray() << "not a picture file";
    QTest::newRow("empty") << "empty.png" << QByteArray("") << "empty";
    QTest::newRow("text") << "notes.bmp" << QByteArray("just some words, not a picture\n") << "not a picture";
    QTest::newRow("png cut short") << "cut.png" << png.left(png.size() / 2) << "incomplete";
    QTest::newRow("jpeg cut short") << "cut.jpg" << jpeg.left(jpeg.size() * 3 / 4) << "incomplete";
    QTest::newRow("jpeg without its end marker") << "noend.jpg" << jpeg.chopped(2) << "incomplete";
    QTest::newRow("bmp cut short") << "cut.bmp" << bmp.chopped(100) << "incomplete";
    QTest::newRow("gif cut short") << "cut.gif" << TransparentGif.left(40) << "incomplete";
    QTest::newRow("gif claiming 65535 x 65535") << "huge.gif" << HugeGif << "too large";
    QTest::newRow("bmp claiming 100000 x 100000") << "huge.bmp" << HugeBmp << "too large";

    QByteArray noise(600, Qt::Uninitialized), tallBitmap = bitmapSample();
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    // The bitmap header: its size (40), width (8), then the height.
    qToLittleEndian<quint32>(1000, tallBitmap.data() + tallBitmap.indexOf(QByteArray("(\0\0\0\x08\0\0\0", 8)) + 8);
    QTest::newRow("wmf: noise") << "bad.wmf" << noise << "not a Windows metafile";
    QTest::newRow("wmf: noise after a placeable key") << "bad.wmf" << QByteArray("\xD7\xCD\xC6\x9A", 4) + noise
                                                      << "not a Windows metafile";
    QTest::newRow("wmf: cut inside a record") << "bad.wmf" << twoRectangles(TestMetafile(Box)).chopped(12)
                                              << "incomplete";
    QTest::newRow("wmf: no units per inch") << "bad.wmf" << twoRectangles(TestMetafile(Box, 0)) << "no size";
    QTest::newRow("wmf: empty header box") << "bad.wmf" << twoRectangles(TestMetafile({0, 0, 0, 30})) << "no size";
    // libwmf's bitmap reader loops without end on the first, reads past the record on the second.
    QTest::newRow("wmf: bitmap header of an odd size") << "bad.wmf" << bitmapSample(13) << "damaged bitmap";
    QTest::newRow("wmf: bitmap taller than its record") << "bad.wmf" << tallBitmap << "damaged bitmap";
    QTest::newRow("wmf: draws nothing") << "bad.wmf" << TestMetafile(Box).bytes() << "draws nothing";
    const QRect wide(0, 0, 4097, 30);
    QTest::newRow("wmf: placeable, too large") << "bad.wmf" << twoRectangles(TestMetafile(wide), wide) << "too large";
    QTest::newRow("wmf: plain, too large") << "bad.wmf" << twoRectangles(TestMetafile(), {0, 0, 30000, 30})
                                           << "too large";
}

void TestTilesetImageReader::refusesWithAReasonNamingTheFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    QString error;
    QVERIFY(TilesetImageReader::read(file(name, bytes), &error).isNull());
    QVERIFY2(error.contains(name) && error.contains(reason), qPrintable(error));
}

QTEST_MAIN(TestTilesetImageReader)
#include "tst_tilesetimagereader.moc"
