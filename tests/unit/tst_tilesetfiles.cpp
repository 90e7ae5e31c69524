#include "document/DocumentReader.h"
#include "document/MaptileFileReader.h"
#include "pictures/TilesetPicture.h"
#include "raster/Geometry.h"
#include "readerclient/PictureReader.h"
#include "resources/BuiltInPicture.h"
#include "support/TestImages.h"
#include "support/TestMetafile.h"
#include "tilesets/ProfileReader.h"
#include "tilesets/SubtileImport.h"
#include "tilesets/TileData.h"
#include "tilesets/TileDataWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>

#include <sys/stat.h>

using namespace TestImages;

// What a tileset is read from: its picture, whose metafiles are refused with a
// reason, and its metadata file; the metadata file as written, a picture made
// into one subtile, and the reading process the editor reads every picture the
// user chooses in, which is given up when a decoder hangs or crashes.
// Bad files of every other kind go through the whole program in the hostile-input test.
namespace {

const QRgb Back = qRgb(20, 120, 200), Fore = qRgb(230, 40, 10);
const QRect Box(0, 0, 40, 30), Inner(10, 5, 20, 20);
const QImage Rectangles = make(Box.size(), [](int x, int y) { return Inner.contains(x, y) ? Fore : Back; });
// One transparent pixel: palette colour 0.
const QByteArray
    TransparentGif("GIF89a\1\0\1\0\x80\0\0\0\0\0\xff\xff\xff!\xf9\4\1\0\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 43);
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

// A 4 x 2 bitmap of three colours, its pixels run-length coded as codes, bottom row first.
const QRgb RunColours[]{qRgb(10, 20, 30), qRgb(200, 0, 0), qRgb(0, 0, 200)};
QByteArray runLengthBitmap(const QByteArray &codes)
{
    return bitmapFile({4, 2}, 8, codes, 1, {std::begin(RunColours), std::end(RunColours)});
}

// The path of name in a folder of the test's own, now holding bytes.
QString file(const QString &name, const QByteArray &bytes)
{
    static QTemporaryDir dir;
    writeText(dir.filePath(name), bytes);
    return dir.filePath(name);
}

// The pipes and process handles this process holds: what a process not ended leaves open.
int openChannels()
{
    int open = 0;
    for (const QFileInfo &fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System))
        open += fd.symLinkTarget().contains(QRegularExpression(QStringLiteral("pipe:|pidfd")));
    return open;
}

// A reading through program (empty: the one installed with the editor) that gives the picture as
// read in this process, or is refused for reason; kept: a process waits for the next file.
struct Reading
{
    QString program, path;
    PictureReader::Kind kind;
    int limitMs;
    QString reason;
    bool kept;
};

} // namespace

Q_DECLARE_METATYPE(Reading)

class TestTilesetFiles : public QObject
{
    Q_OBJECT

    int m_descriptors = 0;

private slots:
    // The channels this process keeps for good once it has started a process.
    void initTestCase()
    {
        PictureReader::prepare();
        PictureReader::endWaiting();
        m_descriptors = openChannels();
    }

    // The first section and the first of each key count; blanks and one pair of quotes go; lines
    // without = are passed over. Long values and line ends are the written file's test's.
    void readsMetadataLikeTheWindowsProfileReader()
    {
        // Text that is not UTF-8 is in Windows' Western code page, typographic marks included.
        const QString utf8 =
            QString::fromUtf8("Bob\xE2\x80\x99s Caf\xC3\xA9 \xE2\x80\x93 Set \xE2\x82\xAC\xC2\x8D\xC2\xA0\xC3\xBF");
        const QByteArray dat = "[TILEDATA]\nSETNAME=";
        const std::tuple<QByteArray, const char *, QString> cases[]{
            {"[TILEDATA]\n30=2\n30=4\n", "30", "2"}, // the first key wins
            {"[TILEDATA]\n30=2\n[TileData]\n52=1\n", "52", ""}, // the first section wins
            {"  [TILEDATA]\n\t SETNAME   =  \" Moss \" \n", "SETNAME", " Moss "},
            {"[TILEDATA]\nSETNAME\n; note\nSETNAME=Moss\n", "SETNAME", "Moss"},
            {dat + "Bob\x92s Caf\xE9 \x96 Set \x80\x8D\xA0\xFF\n", "SETNAME", utf8}, // Windows code page
            {"\xEF\xBB\xBF" + dat + utf8.toUtf8(), "SETNAME", utf8}}; // UTF-8 with a byte order mark
        for (const auto &[bytes, key, expected] : cases)
            QCOMPARE(ProfileReader::fromBytes(bytes).value("TILEDATA", key), expected);
    }

    void metadataBesideTheTileset()
    {
        QCOMPARE(TileData::datPath(QStringLiteral("/art/moss.jpeg")), QStringLiteral("/art/moss..dat"));
        const QString set = file("set.jpg", {});
        file("set.dat", "[TILEDATA]\nSETNAME=Stone Halls\n30=\" 2 \"\n52= 1/T \n");
        file("SET.DAT", "[TILEDATA]\nSETNAME=Other case, not used\n");
        file("MOSS.DAT", "[TILEDATA]\ncreator=ann lee\nsetname=Moss\n");
        const TileData data = TileData::read(set);
        // Column first, then row; blanks inside quotes go too.
        QCOMPARE(data.speedValue(3, 0) + data.speedValue(5, 2) + data.speedValue(0, 3), "21/T");
        QCOMPARE(data.setInfo(), "STONE HALLS BY: UNKNOWN CREATOR ");
        // A metadata file differing only in letter case is found; the exact name wins over it.
        QCOMPARE(TileData::read(QFileInfo(set).dir().filePath("moss.bmp")).setInfo(), "MOSS BY: ANN LEE ");
        file("ODD[1]?*.DAT", "[TILEDATA]\nSETNAME=Odd\n"); // wildcard characters in the name are plain
        file("odd1xx.dat", "[TILEDATA]\nSETNAME=Wrong\n");
        QCOMPARE(TileData::read(QFileInfo(set).dir().filePath("odd[1]?*.gif")).setName, "Odd");
        // No tileset, no metadata, or metadata that is noise, a folder or a pipe (reading it would wait for ever).
        file("noise.dat", randomBytes(64 * 1024, 99));
        QVERIFY(QDir().mkpath(QFileInfo(set).dir().filePath("folder.dat")));
        QVERIFY(::mkfifo(QFile::encodeName(QFileInfo(set).dir().filePath("pipe.dat")).constData(), 0600) == 0);
        for (const QString &image :
             {QString(), file("none.bmp", {}), file("noise.bmp", {}), file("folder.bmp", {}), file("pipe.bmp", {})})
            QVERIFY(TileData::read(image) == TileData());
        const QString huge = file("huge.bmp", {}); // a value of megabytes is cut, not kept whole
        file("huge.dat", "[TILEDATA]\n30=2\nSETNAME=" + QByteArray(4 << 20, 'x'));
        const TileData cut = TileData::read(huge);
        QCOMPARE(cut.setInfo() + cut.speedValue(3, 0), QString(254, 'X') + " BY: UNKNOWN CREATOR 2");
    }

    // The metadata file as written: what the reader reads back, and what else the file held kept as it was.
    void writtenMetadataReadsBack()
    {
        // The file there before; the set name, creator and key=value pairs written into it; the file after.
        const std::tuple<QByteArray, const char *, QByteArray> cases[]{
            // A new file, ASCII, with Windows line ends.
            {"", "Moss|Ann Lee|00=1|63=1/T|30=X",
             "[TILEDATA]\r\nSETNAME=Moss\r\nCREATOR=Ann Lee\r\n00=1\r\n30=X\r\n63=1/T\r\n"},
            // Outside ASCII: UTF-8 without a byte-order mark.
            {"", "Höhle|Zoë Ørsted|52=½",
             "[TILEDATA]\r\nSETNAME=H\xC3\xB6hle\r\nCREATOR=Zo\xC3\xAB \xC3\x98rsted\r\n52=\xC2\xBD\r\n"},
            // Other sections, keys and comments kept. The first section and the first of each key are the ones
            // read; emptied keys and repeats go.
            {"; by hand\n[OTHER]\nSETNAME=not ours\n[tiledata]\n setname = Old\nEXTRA=keep\n52=3\n"
             "52=4\n\n[MORE]\nB=2\n[TILEDATA]\n30=9\n",
             "New||30=1/T",
             "; by hand\n[OTHER]\nSETNAME=not ours\n[tiledata]\nSETNAME=New\nEXTRA=keep\n30=1/T\n\n"
             "[MORE]\nB=2\n[TILEDATA]\n30=9\n"},
            // A single-byte file with no section yet is read as the reader reads it and written back in UTF-8.
            {"[INFO]\r\nNOTE=J\xF6rg\r\n", "Moss||10=2",
             "[INFO]\r\nNOTE=J\xC3\xB6rg\r\n\r\n[TILEDATA]\r\nSETNAME=Moss\r\n10=2\r\n"},
            // Quotes, blanks and line breaks: the reader takes away blanks and one pair of quotes.
            {"", "\"Moss\"|  Ann\nLee |20='x'",
             "[TILEDATA]\r\nSETNAME=\"\"Moss\"\"\r\nCREATOR=Ann Lee\r\n20=''x''\r\n"}};
        for (const auto &[existing, written, expected] : cases) {
            QStringList entries = QString::fromUtf8(written).split(u'|');
            TileData data;
            data.setName = entries.takeFirst();
            data.creator = entries.takeFirst();
            for (const QString &entry : entries)
                data.setSpeedValue(entry[0].digitValue(), entry[1].digitValue(), entry.mid(3));
            const QByteArray merged = TileDataWriter::merge(existing, data);
            QCOMPARE(merged, expected);
            data.creator = data.creator.simplified();
            QVERIFY(TileData::fromProfile(ProfileReader::fromBytes(merged)) == data);
        }
    }

    void cellImportScalesAndCentres()
    {
        QImage seeThrough(100, 100, QImage::Format_ARGB32);
        seeThrough.fill(Qt::transparent);
        // Wide and shrunk, tall and grown, with the left half one colour and the right another; transparent.
        for (const auto &[size, covered] :
             {std::pair(QSize(600, 200), QRect(0, 48, 144, 48)), std::pair(QSize(10, 20), QRect(36, 0, 72, 144)),
              std::pair(QSize(), QRect())}) {
            const QImage subtile = SubtileImport::fit(
                size.isEmpty() ? seeThrough
                               : make(size, [w = size.width()](int x, int) { return x < w / 2 ? Back : Fore; }));
            QCOMPARE(subtile.size(), QSize(144, 144));
            QSet<QRgb> between;
            for (int i = 0; i < 144 * 144; ++i) {
                const QPoint at(i % 144, i / 144);
                const QRgb pixel = subtile.pixel(at);
                if (!covered.contains(at))
                    QCOMPARE(pixel, Geometry::blankColour());
                else if (at.x() == covered.left() + 2 || at.x() == covered.right() - 2)
                    QCOMPARE(pixel, at.x() < 72 ? Back : Fore);
                else if (pixel != Back && pixel != Fore)
                    between << pixel;
            }
            // Smooth: where the two colours meet, colours between them.
            QVERIFY(covered.isEmpty() || !between.isEmpty());
        }
    }

    // Pictures as they look, or refused with a reason naming the file.
    void readsPicturesAsTheyLook_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QImage>("expected"); // none: refused
        QTest::addColumn<int>("slack"); // in any channel of any pixel
        QTest::addColumn<QString>("reason");
        // The content decides, not the name.
        QTest::newRow("png named .wmf") << encoded(pattern({100, 60}), "PNG") << pattern({100, 60}) << 0 << "";
        // A format told by no first bytes of ours is left to Qt to recognise.
        QTest::newRow("tiff named .wmf") << encoded(pattern({100, 60}), "TIFF") << pattern({100, 60}) << 0 << "";
        // Transparent pixels show the blank colour: here palette colour 0, made transparent.
        QTest::newRow("gif, transparent pixel") << TransparentGif << solid({1, 1}, Geometry::blankColour()) << 0 << "";
        // Pixels the codes move over or leave before the end take colour 0. Bottom row: two of
        // colour 1, end of row; top row: two to the right, one of colour 2, end of picture.
        const QByteArray runs = runLengthBitmap(QByteArray("\x02\x01\0\0\0\x02\x02\0\x01\x02\0\x01", 12));
        QTest::newRow("bmp, runs that skip pixels") << runs << make({4, 2}, [](int x, int y) {
            return RunColours[y == 1 ? (x < 2 ? 1 : 0) : (x == 2 ? 2 : 0)];
        }) << 0 << "";
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
        refused("bmp, runs cut before the end of the picture", runs.chopped(2), "incomplete");
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
        const QImage image = TilesetPicture::read(file("picture.wmf", bytes), Geometry::blankColour(), &error);
        QVERIFY2(reason.isEmpty() ? error.isEmpty() : error.contains("picture.wmf") && error.contains(reason),
                 qPrintable(error));
        QVERIFY(image.size() == expected.size() && image.format() == expected.format());
        for (int i = 0; i < image.width() * image.height(); ++i) {
            const QRgb a = image.pixel(i % image.width(), i / image.width()),
                       b = expected.pixel(i % image.width(), i / image.width());
            if (std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))}) > slack)
                QFAIL(qPrintable(QStringLiteral("pixel %1 is %2").arg(i).arg(a, 0, 16)));
        }
    }

    // Every way a reading in the reading process can end reaches the caller through its event
    // loop, which keeps turning meanwhile. A process that answered is kept for the next file;
    // one that hung or died is gone, and the next file gets a fresh one.
    void readingInTheReadingProcess_data()
    {
        QTest::addColumn<Reading>("reading");
        using enum PictureReader::Kind;
        // Read by the reading program installed with the editor unless another is given.
        const auto row = [](const char *name, const QString &path, PictureReader::Kind kind = WholePicture,
                            const char *reason = "", bool kept = true, int limitMs = 5000,
                            const QString &program = {}) {
            QTest::newRow(name) << Reading{program, path, kind, limitMs, QString::fromUtf8(reason), kept};
        };
        // A stand-in for the reading process that misbehaves as the file's name asks.
        const auto standIn = [&row](const char *name, const char *path, const char *reason, bool kept, int ms = 5000) {
            row(name, file(path, "x"), WholePicture, reason, kept, ms, READER_STANDIN);
        };
        const QString jpeg = file("set.jpg", encoded(pattern(Geometry::TilesetSize), "JPG"));
        const QString largePng = file("large.png", encoded(solid({4000, 4000}, Back), "PNG"));
        row("jpeg", jpeg);
        // No font file can be opened once confined: libwmf's fonts are handed over before.
        const QByteArray text =
            TestMetafile({0, 0, 200, 60}).rectangle({0, 0, 200, 60}, Back).text({10, 10}, "Crypt", 40, Fore).bytes();
        row("metafile with text", file("text.wmf", text));
        row("large picture", largePng);
        row("large picture as the maptile, in part", largePng, Maptile);
        const QString document = QFINDTESTDATA("../../fuzz/corpus/fuzz_document/painted.ora");
        row("this program's document as the maptile, with all it keeps", document, Maptile);
        row("a document's finished maptile", document, FinishedMaptile);
        // A bitmap stretched onto a box of negative size sends libwmf's scaler into a loop
        // that does not end in any useful time.
        row("metafile libwmf never finishes",
            file("endless.wmf", TestMetafile({0, 0, 80, 60}).bitmap({255, -1, -81, -60}, solid({4, 4}, 0)).bytes()),
            WholePicture, "longer than 0.4 seconds", false, 400);
        standIn("the reading process crashes", "crash.jpg", "damaged and could not be read", false);
        standIn("the reading process hangs", "hang.jpg", "longer than 0.4 seconds", false, 400);
        standIn("the reading process runs out of memory", "memory.jpg", "not enough memory", false);
        standIn("the reading process cannot confine itself", "unconfined.jpg", "could not start a process", false);
        row("no reading process installed", jpeg, WholePicture, "could not start a process", false, 5000,
            QFileInfo(jpeg).dir().filePath("no-reader"));
    }
    void readingInTheReadingProcess()
    {
        QFETCH(Reading, reading);
        const auto &[program, path, kind, limitMs, reason, kept] = reading;
        const QString good = file("good.wmf", twoRectangles(TestMetafile(Box)));
        PictureReader reader(program.isEmpty() ? PictureReader::installedProgram() : program);
        QSignalSpy finished(&reader, &PictureReader::finished);
        int ticks = 0;
        QTimer ticker;
        ticker.callOnTimeout([&ticks] { ++ticks; });
        ticker.start(20);
        reader.start(path, kind, limitMs);
        QVERIFY(finished.wait(limitMs + 10'000));
        const ReaderResult result = finished.front().at(0).value<ReaderResult>();
        const QImage &image = result.picture;
        const QString error = finished.front().at(1).toString();
        if (reason.isEmpty()) {
            QString expectedError;
            using enum PictureReader::Kind;
            const MaptileDocument document = MaptileFileReader::read(path, &expectedError);
            const QImage expected = kind == Maptile ? document.maptile.master()
                : kind == FinishedMaptile           ? DocumentReader::readFinished(path, &expectedError)
                                          : TilesetPicture::read(path, Geometry::blankColour(), &expectedError);
            QVERIFY2(!image.isNull() && image == expected, qPrintable(error + expectedError));
            // A document of this program comes with everything it keeps.
            if (kind == Maptile) {
                const MaptileDocument &read = result.document;
                QCOMPARE(read.editable, document.editable);
                QCOMPARE(read.designer, document.designer);
                QCOMPARE(read.maptile.speedValues(), document.maptile.speedValues());
                QCOMPARE(read.records.base(), document.records.base());
                QCOMPARE(read.records.copies().size(), document.records.copies().size());
            }
        } else {
            QVERIFY2(image.isNull() && error.contains(QFileInfo(path).fileName()) && error.contains(reason),
                     qPrintable(error));
        }
        // Four tenths of a second of reading let the caller's loop turn many times.
        if (limitMs < 1000)
            QVERIFY2(ticks >= 3, qPrintable(QStringLiteral("%1 ticks").arg(ticks)));
        const QList<qint64> left = childProcesses();
        QCOMPARE(left.size(), kept ? 1 : 0);
        // The next file reads as ever, in the process kept if it is the editor's own.
        PictureReader next;
        QSignalSpy nextFinished(&next, &PictureReader::finished);
        next.start(good, PictureReader::Kind::WholePicture);
        QVERIFY(nextFinished.wait(10'000) && nextFinished.front().at(0).value<ReaderResult>().picture == Rectangles);
        QVERIFY(program.isEmpty() && kept ? childProcesses() == left : childProcesses().size() == (kept ? 2 : 1));
        PictureReader::endWaiting();
        QVERIFY(childProcesses().isEmpty());
        QCOMPARE(openChannels(), m_descriptors);
    }

    // A cancelled reading ends its process at once and says nothing; a reader taken down
    // while it reads takes its process with it.
    void cancelledReadingLeavesNothing()
    {
        const QString slow = file("slow.wmf", TestMetafile::busy(2000));
        PictureReader reader;
        QSignalSpy finished(&reader, &PictureReader::finished);
        reader.start(slow, PictureReader::Kind::WholePicture);
        QVERIFY(reader.isRunning() && childProcesses().size() == 1);
        QTest::qWait(100);
        reader.cancel();
        QVERIFY(!reader.isRunning() && childProcesses().isEmpty());
        // A start refused before any process is made is cancelled as well.
        reader.start(QFileInfo(slow).dir().filePath("missing.jpg"), PictureReader::Kind::WholePicture);
        reader.cancel();
        QTest::qWait(200);
        QCOMPARE(finished.size(), 0);
        {
            PictureReader dropped;
            dropped.start(slow, PictureReader::Kind::Maptile);
        }
        QVERIFY(childProcesses().isEmpty());
        QCOMPARE(openChannels(), m_descriptors);
    }
};

QTEST_MAIN(TestTilesetFiles)
#include "tst_tilesetfiles.moc"
