#include "pictures/PictureDecoder.h"
#include "support/TestImages.h"
#include "support/TestZip.h"

#include <QtEndian>

using namespace TestImages;
using TestZip::pngClaiming;

namespace {

// A JPEG of 16 x 8 pixels whose frame header claims another size.
QByteArray jpegClaiming(quint16 width, quint16 height)
{
    QByteArray bytes = encoded(pattern({16, 8}), "JPG");
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    qToBigEndian(height, bytes.data() + frame + 5);
    qToBigEndian(width, bytes.data() + frame + 7);
    return bytes;
}

// A two-colour GIF: a logical screen with one 2 x 2 frame at its corner, each pixel its own code.
QByteArray gifWithScreen(quint16 width, quint16 height)
{
    QByteArray bytes("GIF89a");
    bytes.resize(10);
    qToLittleEndian(width, bytes.data() + 6);
    qToLittleEndian(height, bytes.data() + 8);
    bytes += QByteArray("\x80\0\0\0\0\0\xff\xff\xff", 9);
    return bytes + QByteArray(",\0\0\0\0\x02\0\x02\0\0\x02\x04\x04\xc3\x10\x05\0;", 18);
}

// A TIFF whose only directory gives the size and nothing else.
QByteArray tiffClaiming(quint32 width, quint32 height)
{
    QByteArray bytes("II*\0\x08\0\0\0\x02\0", 10);
    for (const auto &[tag, value] : {std::pair<quint16, quint32>(256, width), {257, height}}) {
        QByteArray entry(12, '\0');
        qToLittleEndian(tag, entry.data());
        qToLittleEndian<quint16>(4, entry.data() + 2); // one long
        qToLittleEndian<quint32>(1, entry.data() + 4);
        qToLittleEndian(value, entry.data() + 8);
        bytes += entry;
    }
    return bytes + QByteArray(4, '\0');
}

const QSize Corner(720, 864); // what a maptile reads of a picture

} // namespace

// What a picture's header makes the decoder do before any pixel is decoded: the
// size it declares, and whether the memory it will take, whole or for a
// maptile's corner, lets it be decoded at all.
class TestPictureProbes : public QObject
{
    Q_OBJECT

private slots:
    void headersAreJudgedBySizeAndMemory_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("keep");
        QTest::addColumn<qint64>("width"); // as declared
        QTest::addColumn<qint64>("height");
        QTest::addColumn<bool>("tooLarge");
        const auto row = [](const char *name, const QByteArray &bytes, qint64 width, qint64 height, bool tooLarge,
                            QSize keep = {}) { QTest::newRow(name) << bytes << keep << width << height << tooLarge; };
        row("png, wider than libpng reads", pngClaiming({1'000'001, 1}), 1'000'001, 1, true);
        row("png, as wide as libpng reads", pngClaiming({1'000'000, 1}), 1'000'000, 1, false);
        // 128 MiB decoded, four bytes a pixel or eight at 16 bits a channel.
        row("png, memory at the limit", pngClaiming({8192, 4096}), 8192, 4096, false);
        row("png, a row past the limit", pngClaiming({8192, 4097}), 8192, 4097, true);
        row("png, 16 bits, a row past the limit", pngClaiming({4096, 4097}, 16), 4096, 4097, true);
        // A corner is read row by row: 2^28 pixels at most, and one full-width row held
        // besides, or every row of the corner at full width when interlaced.
        row("png corner, pixels at the limit", pngClaiming({16384, 16384}), 16384, 16384, false, Corner);
        row("png corner, a row past it", pngClaiming({16384, 16385}), 16384, 16385, true, Corner);
        row("png corner, wide", pngClaiming({40000, 6000}), 40000, 6000, false, Corner);
        row("png corner, wide and interlaced", pngClaiming({40000, 6000}, 8, true), 40000, 6000, true, Corner);
        row("jpeg, wider than libjpeg reads", jpegClaiming(65501, 8), 65501, 8, true);
        row("jpeg, as wide as libjpeg reads", jpegClaiming(65500, 8), 65500, 8, false);
        // Qt gives a GIF the extent of its first frame, but decodes onto the whole screen.
        row("gif, screen far larger than its frame", gifWithScreen(3000, 2000), 3000, 2000, false);
        row("tiff, 2^32 - 1 each way", tiffClaiming(0xffffffff, 0xffffffff), 0xffffffff, 0xffffffff, true);
    }
    void headersAreJudgedBySizeAndMemory()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, keep);
        QFETCH(qint64, width);
        QFETCH(qint64, height);
        QFETCH(bool, tooLarge);
        QString reason;
        QSize pictureSize;
        PictureDecoder::decode(bytes, QStringLiteral("probed"), &reason, keep, &pictureSize);
        QVERIFY2((reason == PictureDecoder::tooLarge(width, height)) == tooLarge
                     && reason.contains("too large") == tooLarge,
                 qPrintable(reason));
        QCOMPARE(pictureSize, QSize(int(std::min<qint64>(width, INT_MAX)), int(std::min<qint64>(height, INT_MAX))));
    }

    // Bitmaps whose layout Qt's reader mishandles, decoded as their pixels say or refused.
    void bitmapsDecodeAsStored_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("keep");
        QTest::addColumn<QImage>("expected"); // none: refused
        QTest::addColumn<QString>("reason");
        const QImage picture = pattern({3, 2});
        const QByteArray whole = encoded(picture, "BMP");
        // Rows of three pixels at 24 bits take 9 bytes, padded to 12.
        QTest::newRow("last row without its padding") << whole.chopped(3) << QSize() << picture << "";
        // A corner cut out of the file for the decoder must not write its header over the pixels.
        const QByteArray offsetZero =
            bitmapFile({17, 1}, 1, QByteArray(8, '\0') + QByteArray(4, '\xff'), 0, {}, 0); // palette, row
        QString error;
        const QImage all = PictureDecoder::decode(offsetZero, "whole.bmp", &error);
        QVERIFY2(!all.isNull(), qPrintable(error));
        QTest::newRow("pixels said to start inside the headers, in part")
            << offsetZero << QSize(16, 16) << all.copy(0, 0, 16, 1) << "";
        QTest::newRow("two million pixels wide, nearly none stored")
            << bitmapFile({2'000'000, 1}, 24, QByteArray(16, '\x11')) << QSize() << QImage() << "incomplete";
    }
    void bitmapsDecodeAsStored()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, keep);
        QFETCH(QImage, expected);
        QFETCH(QString, reason);
        QString error;
        const QImage image = PictureDecoder::decode(bytes, QStringLiteral("probed.bmp"), &error, keep);
        QVERIFY2(reason.isEmpty() ? error.isEmpty() : error.contains(reason), qPrintable(error));
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
    }
};

QTEST_MAIN(TestPictureProbes)
#include "tst_pictureprobes.moc"
