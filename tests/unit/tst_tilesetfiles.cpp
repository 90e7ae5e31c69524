#include "maptile/Geometry.h"
#include "resources/BuiltInPicture.h"
#include "support/TestImages.h"
#include "support/TestMetafile.h"
#include "tilesets/TileData.h"
#include "tilesets/TilesetImageReader.h"
#include "tilesets/WmfRenderer.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <atomic>
#include <csignal>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace TestImages;

// What a tileset is read from: its picture, whose metafiles are refused with a
// reason or given up when drawing them hangs or crashes, and its metadata file.
// Bad files of every other kind go through the whole program in the hostile-input test.
namespace {

const QRgb Back = qRgb(20, 120, 200), Fore = qRgb(230, 40, 10);
const QRect Box(0, 0, 40, 30), Inner(10, 5, 20, 20);
const QImage Rectangles = make(Box.size(), [](int x, int y) { return Inner.contains(x, y) ? Fore : Back; });
// One transparent pixel: palette colour 0.
const QByteArray TransparentGif("GIF89a\1\0\1\0\x80\0\0\0\0\0\xff\xff\xff!\xf9\4\1\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 43);
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

} // namespace

class TestTilesetFiles : public QObject
{
    Q_OBJECT

private slots:
    // First, before any picture written here brings the other plugins in: telling
    // a common picture's format from its content must not load every image plugin.
    void commonPicturesLoadOnlyTheirOwnPlugin()
    {
        for (const QString &path : {QFINDTESTDATA("../../resources/tilesets/Default_A.jpg"),
                                    QFINDTESTDATA("../../resources/tilesets/Default_D.gif"),
                                    QStringLiteral(":/images/door.png")}) {
            QString error;
            QVERIFY2(!TilesetImageReader::read(path, &error).isNull(), qPrintable(error));
        }
        QVERIFY(!BuiltInPicture::load(QStringLiteral(":/images/door.png")).isNull());
        QStringList plugins;
        for (const QByteArray &line : readAll(QStringLiteral("/proc/self/maps")).split('\n')) {
            const QString path = QString::fromLocal8Bit(line.mid(line.indexOf('/')));
            if (path.contains(QStringLiteral("/imageformats/")) && !plugins.contains(QFileInfo(path).fileName()))
                plugins << QFileInfo(path).fileName();
        }
        plugins.sort();
        QCOMPARE(plugins, QStringList({"libqgif.so", "libqjpeg.so"}));
    }

    void readsMetadataLikeTheWindowsProfileReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QByteArray &bytes, const char *key, const QString &expected) {
            QTest::newRow(name) << bytes << QString::fromLatin1(key) << expected;
        };
        row("names in any case", "[tiledata]\nsetName=Stone Halls\n", "SETNAME", "Stone Halls");
        row("first key wins", "[TILEDATA]\n30=2\n30=4\n", "30", "2");
        row("first section wins", "[TILEDATA]\n30=2\n[TileData]\n52=1\n", "52", "");
        row("blanks trimmed", "  [TILEDATA]\n\t SETNAME   =   Stone Halls  \n", "SETNAME", "Stone Halls");
        row("quotes removed", "[TILEDATA]\nSETNAME=\" Moss \"\n", "SETNAME", " Moss ");
        row("254 characters at most", "[TILEDATA]\nCREATOR=" + QByteArray(300, 'x'), "CREATOR", QString(254, u'x'));
        row("CRLF", "[TILEDATA]\r\nSETNAME=Moss\r\nCREATOR=Ann\r\n", "CREATOR", "Ann");
        row("UTF-8 byte order mark", "\xEF\xBB\xBF[TILEDATA]\nSETNAME=Moss\n", "SETNAME", "Moss");
        row("single-byte text", "[TILEDATA]\nCREATOR=J\xF6rg\n", "CREATOR", QString::fromUtf8("J\xC3\xB6rg"));
        row("lines without = ignored", "[TILEDATA]\nSETNAME\n; note\nSETNAME=Moss\n", "SETNAME", "Moss");
    }

    void readsMetadataLikeTheWindowsProfileReader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, key);
        QTEST(ProfileReader::fromBytes(bytes).value(QStringLiteral("TILEDATA"), key), "expected");
    }

    void metadataBesideTheTileset()
    {
        QCOMPARE(TileData::datPath(QStringLiteral("/art/moss.jpeg")), QStringLiteral("/art/moss..dat"));
        const QString set = file("set.jpg", {});
        file("set.dat", "[TILEDATA]\nSETNAME=Stone Halls\n30=\" 2 \"\n52= 1/T \n");
        file("SET.DAT", "[TILEDATA]\nSETNAME=Other case, not used\n");
        file("MOSS.DAT", "[TILEDATA]\ncreator=ann lee\nsetname=Moss\n");
        TileData data;
        // Column first, then row; blanks inside quotes go too.
        QCOMPARE(data.getTileData(set, 3, 0) + data.getTileData(set, 5, 2) + data.getTileData(set, 0, 3), "21/T");
        QCOMPARE(data.setInfo(set), "STONE HALLS BY: UNKNOWN CREATOR ");
        // A metadata file differing only in letter case is found; the exact name wins over it.
        QCOMPARE(data.setInfo(QFileInfo(set).dir().filePath("moss.bmp")), QStringLiteral("MOSS BY: ANN LEE "));
        // No tileset, no metadata, or metadata that is noise, a folder or a pipe (reading it would wait for ever).
        file("noise.dat", randomBytes(64 * 1024, 99));
        QVERIFY(QDir().mkpath(QFileInfo(set).dir().filePath("folder.dat")));
        QVERIFY(::mkfifo(QFile::encodeName(QFileInfo(set).dir().filePath("pipe.dat")).constData(), 0600) == 0);
        for (const QString &image : {QString(), file("none.bmp", {}), file("noise.bmp", {}), file("folder.bmp", {}),
                                     file("pipe.bmp", {})})
            QCOMPARE(data.setInfo(image) + data.getTileData(image, 3, 0), "UNKNOWN TILESET BY: UNKNOWN CREATOR ");
        const QString huge = file("huge.bmp", {}); // a value of megabytes is cut, not kept whole
        file("huge.dat", "[TILEDATA]\n30=2\nSETNAME=" + QByteArray(4 << 20, 'x'));
        QCOMPARE(data.setInfo(huge) + data.getTileData(huge, 3, 0), QString(254, 'X') + " BY: UNKNOWN CREATOR 2");
        file("set.dat", "[TILEDATA]\n30=4\n"); // a changed file is read again
        QCOMPARE(data.getTileData(set, 3, 0), "4");
    }

    // Pictures as they look, or refused with a reason naming the file.
    void readsPicturesAsTheyLook_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QImage>("expected"); // none: refused
        QTest::addColumn<int>("slack");       // in any channel of any pixel
        QTest::addColumn<QString>("reason");
        // The content decides, not the name.
        QTest::newRow("png named .wmf") << encoded(pattern({100, 60}), "PNG") << pattern({100, 60}) << 0 << "";
        QTest::newRow("bmp named .wmf") << encoded(pattern({100, 60}), "BMP") << pattern({100, 60}) << 0 << "";
        // A format told by no first bytes of ours is left to Qt to recognise.
        QTest::newRow("tiff named .wmf") << encoded(pattern({100, 60}), "TIFF") << pattern({100, 60}) << 0 << "";
        // Transparent pixels show the blank colour: here palette colour 0, made transparent.
        QTest::newRow("gif, transparent pixel") << TransparentGif << solid({1, 1}, Geometry::blankColour()) << 0 << "";
        // Metafiles: a placeable one's box at 96 pixels per inch, wherever it lies.
        const QRect twips(1440, 720, 600, 450);
        QTest::newRow("wmf, twips, box away from the origin")
            << twoRectangles(TestMetafile(twips, 1440), twips, {1590, 795, 300, 300}) << Rectangles << 0 << "";
        // Smoothed where the blocks meet.
        QTest::newRow("wmf, bitmap the right way up") << bitmapSample() << Blocks << 128 << "";

        QByteArray tallBitmap = bitmapSample();
        // The bitmap header: its size (40), width (8), then the height.
        qToLittleEndian<quint32>(1000, tallBitmap.data() + tallBitmap.indexOf(QByteArray("(\0\0\0\x08\0\0\0", 8)) + 8);
        const auto refused = [](const char *name, const QByteArray &bytes, const char *reason) {
            QTest::newRow(name) << bytes << QImage() << 0 << QString::fromLatin1(reason);
        };
        refused("noise after a placeable key", QByteArray("\xD7\xCD\xC6\x9A", 4) + randomBytes(600, 7),
                "not a Windows metafile");
        refused("cut inside a record", twoRectangles(TestMetafile(Box)).chopped(12), "incomplete");
        refused("no units per inch", twoRectangles(TestMetafile(Box, 0)), "no size");
        // libwmf's bitmap reader loops without end on the first, reads past the record on the second.
        refused("bitmap header of an odd size", bitmapSample(13), "damaged bitmap");
        refused("bitmap taller than its record", tallBitmap, "damaged bitmap");
        refused("draws nothing", TestMetafile(Box).bytes(), "draws nothing");
        refused("plain, too large", twoRectangles(TestMetafile(), {0, 0, 30000, 30}), "too large");
    }

    void readsPicturesAsTheyLook()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QImage, expected);
        QFETCH(int, slack);
        QFETCH(QString, reason);
        QString error;
        const QImage image = TilesetImageReader::read(file("picture.wmf", bytes), &error);
        QVERIFY2(reason.isEmpty() ? error.isEmpty() : error.contains("picture.wmf") && error.contains(reason),
                 qPrintable(error));
        QVERIFY(image.size() == expected.size() && image.format() == expected.format());
        for (int i = 0; i < image.width() * image.height(); ++i) {
            const QRgb a = image.pixel(i % image.width(), i / image.width());
            const QRgb b = expected.pixel(i % image.width(), i / image.width());
            if (std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))}) > slack)
                QFAIL(qPrintable(QStringLiteral("pixel %1 is %2").arg(i).arg(a, 0, 16)));
        }
    }

    // libwmf draws in a child process: a metafile that hangs or crashes it costs that
    // process only, and nothing of it is left behind for the next file.
    void metafileDrawingGivenUpLeavesNothingBehind()
    {
        // A bitmap stretched onto a box of negative size sends libwmf's scaler into
        // a loop that does not end in any useful time.
        const QString bad = file(QStringLiteral("endless.wmf"),
                                 TestMetafile({0, 0, 80, 60}).bitmap({255, -1, -81, -60}, solid({4, 4}, 0)).bytes());
        const QString good = file(QStringLiteral("good.wmf"), twoRectangles(TestMetafile(Box)));
        const auto openDescriptors = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
        const uint descriptors = openDescriptors();
        for (const bool crash : {false, true}) { // else it runs out of time
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
            QVERIFY(settled && drawing.isEmpty() == !crash && image.isNull());
            QCOMPARE(error, crash ? "the metafile is damaged or uses features that cannot be drawn"
                                  : "the metafile takes too long to draw");
            // None left running or unreaped, no descriptor open, and the next file draws as ever.
            QVERIFY(childProcesses().isEmpty());
            QCOMPARE(openDescriptors(), descriptors);
            QCOMPARE(TilesetImageReader::read(good, &error), Rectangles);
        }
    }
};

QTEST_MAIN(TestTilesetFiles)
#include "tst_tilesetfiles.moc"
