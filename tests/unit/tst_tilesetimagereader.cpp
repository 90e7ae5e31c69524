#include "maptile/Geometry.h"
#include "maptile/RasterOps.h"
#include "support/TestImages.h"
#include "support/TestMetafile.h"
#include "tilesets/TilesetImageReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        qFatal("cannot encode %s", format);
    return bytes;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (char c : bytes) {
        crc ^= uchar(c);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xedb88320u : crc >> 1;
    }
    return ~crc;
}

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    return be32(quint32(data.size())) + type + data + be32(crc32(type + data));
}

// A PNG whose header claims the size, with an empty image data chunk.
QByteArray pngHeaderClaiming(quint32 width, quint32 height)
{
    return QByteArray("\x89PNG\r\n\x1a\n", 8)
        + pngChunk("IHDR", be32(width) + be32(height) + QByteArray("\x08\x02\x00\x00\x00", 5))
        + pngChunk("IDAT", QByteArray()) + pngChunk("IEND", QByteArray());
}

// A 24-bit BMP header that claims the size; no pixel data follows.
QByteArray bmpHeaderClaiming(quint32 width, quint32 height)
{
    return "BM" + le32(54) + le32(0) + le32(54) + le32(40) + le32(width) + le32(height)
        + QByteArray("\x01\x00\x18\x00", 4) + QByteArray(24, '\0');
}

// One pixel of palette colour 0, which the graphic control block makes transparent.
const QByteArray TransparentGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff"
                                "!\xf9\x04\x01\x00\x00\x00\x00"
                                ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                                43);

} // namespace

class TestTilesetImageReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readsPicturesAtTheirOwnSize_data();
    void readsPicturesAtTheirOwnSize();
    void transparencyShowsTheBlankColour_data();
    void transparencyShowsTheBlankColour();
    void refusesWithAReasonNamingTheFile_data();
    void refusesWithAReasonNamingTheFile();
    void unreadableFileIsRefused();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

void TestTilesetImageReader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder.png")));
}

QString TestTilesetImageReader::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    TestImages::writeText(path, bytes);
    return path;
}

void TestTilesetImageReader::readsPicturesAtTheirOwnSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("lossless");

    const QImage pattern = TestImages::pattern(QSize(1008, 576));
    QTest::newRow("bmp") << "set.bmp" << encoded(pattern, "BMP") << true;
    QTest::newRow("png") << "set.png" << encoded(pattern, "PNG") << true;
    QTest::newRow("jpeg") << "set.jpg" << encoded(pattern, "JPG") << false;
    // The content decides, not the name.
    QTest::newRow("png named .wmf") << "set.wmf" << encoded(pattern, "PNG") << true;
    QTest::newRow("bmp named .jpg") << "set2.jpg" << encoded(pattern, "BMP") << true;
}

void TestTilesetImageReader::readsPicturesAtTheirOwnSize()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, lossless);

    QString error;
    const QImage image = TilesetImageReader::read(write(name, bytes), &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), QSize(1008, 576));
    QCOMPARE(image.format(), RasterOps::Format);
    if (lossless) {
        QCOMPARE(image.pixel(0, 0), TestImages::patternPixel(0, 0));
        QCOMPARE(image.pixel(1007, 575), TestImages::patternPixel(1007, 575));
    }
}

void TestTilesetImageReader::transparencyShowsTheBlankColour_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QRgb>("expected");

    const QRgb blank = Geometry::blankColour();
    QImage halfRed(2, 1, QImage::Format_ARGB32);
    halfRed.setPixel(0, 0, qRgba(255, 0, 0, 255));
    halfRed.setPixel(1, 0, qRgba(255, 0, 0, 0));
    QTest::newRow("transparent gif pixel") << "clear.gif" << TransparentGif << blank;
    QTest::newRow("transparent png pixel") << "clear.png" << encoded(halfRed.copy(1, 0, 1, 1), "PNG") << blank;
    QTest::newRow("opaque png pixel") << "solid.png" << encoded(halfRed.copy(0, 0, 1, 1), "PNG") << qRgb(255, 0, 0);
}

void TestTilesetImageReader::transparencyShowsTheBlankColour()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QRgb, expected);

    QString error;
    const QImage image = TilesetImageReader::read(write(name, bytes), &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.format(), RasterOps::Format);
    QCOMPARE(image.pixel(0, 0) | 0xff000000u, expected | 0xff000000u);
}

void TestTilesetImageReader::refusesWithAReasonNamingTheFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // null: the path is used as it is
    QTest::addColumn<QString>("reason");

    const QImage pattern = TestImages::pattern(QSize(200, 150));
    const QByteArray png = encoded(pattern, "PNG");
    const QByteArray jpeg = encoded(pattern, "JPG");
    const QByteArray bmp = encoded(pattern, "BMP");

    QTest::newRow("missing") << "missing.png" << QByteArray() << "does not exist";
    QTest::newRow("folder") << "folder.png" << QByteArray() << "folder";
    QTest::newRow("empty") << "empty.png" << QByteArray("") << "empty";
    QTest::newRow("text") << "notes.bmp" << QByteArray("just some words, not a picture\n") << "not a picture";
    QTest::newRow("png cut short") << "cut.png" << png.left(png.size() / 2) << "incomplete";
    QTest::newRow("jpeg cut short") << "cut.jpg" << jpeg.left(jpeg.size() * 3 / 4) << "incomplete";
    QTest::newRow("jpeg without its end marker") << "noend.jpg" << jpeg.chopped(2) << "incomplete";
    QTest::newRow("bmp cut short") << "cut.bmp" << bmp.left(bmp.size() - 100) << "incomplete";
    QTest::newRow("gif cut short") << "cut.gif" << TransparentGif.left(40) << "incomplete";
    QTest::newRow("png claiming 100000 x 100000") << "huge.png" << pngHeaderClaiming(100000, 100000) << "too large";
    QTest::newRow("bmp claiming 100000 x 100000") << "huge.bmp" << bmpHeaderClaiming(100000, 100000) << "too large";
    QTest::newRow("garbage metafile") << "garbage.wmf" << QByteArray(300, '\x5a') << "not a Windows metafile";
    QTest::newRow("metafile that draws nothing") << "blank.wmf" << TestMetafile(QRect(0, 0, 40, 30), 96).bytes()
                                                 << "draws nothing";
}

void TestTilesetImageReader::refusesWithAReasonNamingTheFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    const QString path = bytes.isNull() ? m_dir.filePath(name) : write(name, bytes);
    QString error;
    const QImage image = TilesetImageReader::read(path, &error);
    QVERIFY(image.isNull());
    QVERIFY2(error.contains(name) && error.contains(reason), qPrintable(error));
}

void TestTilesetImageReader::unreadableFileIsRefused()
{
    const QString path = write(QStringLiteral("locked.png"), encoded(TestImages::pattern(QSize(8, 8)), "PNG"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    if (QFile file(path); file.open(QIODevice::ReadOnly))
        QSKIP("running with rights that read any file");
    QString error;
    QVERIFY(TilesetImageReader::read(path, &error).isNull());
    QVERIFY2(error.contains(QStringLiteral("locked.png")), qPrintable(error));
}

QTEST_MAIN(TestTilesetImageReader)
#include "tst_tilesetimagereader.moc"
