#include "maptile/Geometry.h"
#include "support/TestImages.h"
#include "support/TestMetafile.h"
#include "tilesets/TilesetImageReader.h"
#include "tilesets/WmfRenderer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <thread>

#include <unistd.h>

using namespace TestImages;

// Pictures as they look, and metafiles refused with a reason, or given up when
// drawing them hangs or crashes. Bad files of every other kind are fed through
// the whole program by the hostile-input test.
namespace {

const QRgb Back = qRgb(20, 120, 200), Fore = qRgb(230, 40, 10);
const QRect Box(0, 0, 40, 30), Inner(10, 5, 20, 20);
const QImage Rectangles = make(Box.size(), [](int x, int y) { return Inner.contains(x, y) ? Fore : Back; });
// Four one-colour blocks of 4 x 3 pixels.
const QImage Blocks = make({8, 6}, [](int x, int y) { return qRgb(x < 4 ? 255 : 0, y < 3 ? 255 : 0, 0); });

QByteArray twoRectangles(TestMetafile metafile, const QRect &box = Box, const QRect &inner = Inner)
{
    return metafile.rectangle(box, Back).rectangle(inner, Fore).bytes();
}

// A metafile drawing the blocks at their own size; the bitmap header claims headerSize bytes.
QByteArray bitmapSample(quint32 headerSize = 40)
{
    return TestMetafile({0, 0, 8, 6}).bitmap({0, 0, 8, 6}, Blocks, headerSize).bytes();
}

// The path of name in a folder of the test's own, now holding bytes.
QString file(const QString &name, const QByteArray &bytes)
{
    static QTemporaryDir dir;
    writeText(dir.filePath(name), bytes);
    return dir.filePath(name);
}

// This process's children, found through /proc: pid (name) state ppid, where the
// name may hold blanks and brackets.
QList<pid_t> childProcesses()
{
    QList<pid_t> found;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        const QByteArray stat = readAll(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.isEmpty() && stat.mid(stat.lastIndexOf(')') + 2).split(' ').value(1).toInt() == getpid())
            found << entry.toInt();
    }
    return found;
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

} // namespace

class TestTilesetImageReader : public QObject
{
    Q_OBJECT

private slots:
    void readsPicturesAsTheyLook_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QImage>("expected");
        QTest::addColumn<int>("slack"); // in any channel of any pixel
        // The content decides, not the name.
        QTest::newRow("png named .wmf") << "png.wmf" << encoded(pattern({100, 60}), "PNG") << pattern({100, 60}) << 0;
        // Transparent pixels show the blank colour: here palette colour 0, made transparent.
        QTest::newRow("gif, transparent pixel") << "clear.gif"
            << QByteArray("GIF89a\1\0\1\0\x80\0\0\0\0\0\xff\xff\xff!\xf9\4\1\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 43)
            << solid({1, 1}, Geometry::blankColour()) << 0;

        // Metafiles: a placeable one's box at 96 pixels per inch, wherever it lies.
        QTest::newRow("wmf, 96 units per inch") << "a.wmf" << twoRectangles(TestMetafile(Box)) << Rectangles << 0;
        const QRect twips(1440, 720, 600, 450);
        QTest::newRow("wmf, twips, box away from the origin")
            << "b.wmf" << twoRectangles(TestMetafile(twips, 1440), twips, {1590, 795, 300, 300}) << Rectangles << 0;
        // Without the header, the extent drawn at one unit per pixel, half a pen width around it.
        QTest::newRow("wmf, plain") << "c.wmf" << twoRectangles(TestMetafile())
            << make({41, 31}, [](int x, int y) { return QRect(10, 5, 21, 21).contains(x, y) ? Fore : Back; }) << 0;
        // Smoothed where the blocks meet.
        QTest::newRow("wmf, bitmap the right way up") << "d.wmf" << bitmapSample() << Blocks << 128;
        // Text (covered by the rectangles here) neither fails the picture nor moves it.
        const QList<qint64> textOut{4, 'T' | 'e' << 8, 'x' | 't' << 8, 2, 2}; // length, text, y, x
        QTest::newRow("wmf, text") << "e.wmf" << twoRectangles(TestMetafile(Box).record(0x0521, textOut))
                                   << Rectangles << 0;
        // The header's claim of the largest record, too small or gigabytes, is set right.
        for (const quint32 claim : {3u, 0xffffffffu}) {
            QByteArray bytes = twoRectangles(TestMetafile(Box));
            qToLittleEndian(claim, bytes.data() + 22 + 12);
            QTest::addRow("wmf, largest record claimed %u words", claim) << "f.wmf" << bytes << Rectangles << 0;
        }
    }

    void readsPicturesAsTheyLook()
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
                const auto off = [&](int (*channel)(QRgb)) { return qAbs(channel(a) - channel(b)); };
                if (std::max({off(qRed), off(qGreen), off(qBlue)}) > slack)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(a, 0, 16)));
            }
    }

    void refusesAMetafileWithAReasonNamingIt_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QByteArray tallBitmap = bitmapSample();
        // The bitmap header: its size (40), width (8), then the height.
        qToLittleEndian<quint32>(1000, tallBitmap.data() + tallBitmap.indexOf(QByteArray("(\0\0\0\x08\0\0\0", 8)) + 8);
        QTest::newRow("noise after a placeable key") << QByteArray("\xD7\xCD\xC6\x9A", 4) + randomBytes(600, 7)
                                                     << "not a Windows metafile";
        QTest::newRow("cut inside a record") << twoRectangles(TestMetafile(Box)).chopped(12) << "incomplete";
        QTest::newRow("no units per inch") << twoRectangles(TestMetafile(Box, 0)) << "no size";
        QTest::newRow("empty header box") << twoRectangles(TestMetafile({0, 0, 0, 30})) << "no size";
        // libwmf's bitmap reader loops without end on the first, reads past the record on the second.
        QTest::newRow("bitmap header of an odd size") << bitmapSample(13) << "damaged bitmap";
        QTest::newRow("bitmap taller than its record") << tallBitmap << "damaged bitmap";
        QTest::newRow("draws nothing") << TestMetafile(Box).bytes() << "draws nothing";
        const QRect wide(0, 0, 4097, 30);
        QTest::newRow("placeable, too large") << twoRectangles(TestMetafile(wide), wide) << "too large";
        QTest::newRow("plain, too large") << twoRectangles(TestMetafile(), {0, 0, 30000, 30}) << "too large";
    }

    void refusesAMetafileWithAReasonNamingIt()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(TilesetImageReader::read(file(QStringLiteral("bad.wmf"), bytes), &error).isNull());
        QVERIFY2(error.contains(QStringLiteral("bad.wmf")) && error.contains(reason), qPrintable(error));
    }

    // libwmf draws in a child process: a metafile that hangs or crashes it costs that
    // process only, and nothing of it is left behind for the next file.
    void metafileDrawingGivenUpLeavesNothingBehind_data()
    {
        QTest::addColumn<bool>("crash"); // else it runs out of time
        QTest::addColumn<QString>("message");
        QTest::newRow("never ends") << false << "the metafile takes too long to draw";
        QTest::newRow("crashes") << true << "the metafile is damaged or uses features that cannot be drawn";
    }

    void metafileDrawingGivenUpLeavesNothingBehind()
    {
        QFETCH(bool, crash);
        // A bitmap stretched onto a box of negative size sends libwmf's scaler into
        // a loop that does not end in any useful time.
        const QString bad = file(QStringLiteral("endless.wmf"),
                                 TestMetafile({0, 0, 80, 60}).bitmap({255, -1, -81, -60}, solid({4, 4}, 0)).bytes());
        const QString good = file(QStringLiteral("good.wmf"), twoRectangles(TestMetafile(Box)));
        const int descriptors = openDescriptors();
        QString error;
        QImage image;
        std::atomic<bool> done = false;
        std::thread drawer([&] {
            image = WmfRenderer::render(bad, &error, crash ? 60'000 : 300);
            done = true;
        });
        // The drawing process dies while libwmf is busy in it, as on a crash.
        QList<pid_t> drawing;
        const auto started = [&] { return done || !(drawing = childProcesses()).isEmpty(); };
        const bool settled = !crash || QTest::qWaitFor(started, 30'000);
        for (pid_t child : drawing)
            kill(child, SIGKILL);
        drawer.join();
        QVERIFY(settled && drawing.isEmpty() == !crash);
        QVERIFY(image.isNull());
        QTEST(error, "message");
        // None left running or unreaped, no descriptor open, and the next file draws as ever.
        QVERIFY(childProcesses().isEmpty());
        QCOMPARE(openDescriptors(), descriptors);
        QCOMPARE(TilesetImageReader::read(good, &error), Rectangles);
    }
};

QTEST_MAIN(TestTilesetImageReader)
#include "tst_tilesetimagereader.moc"
