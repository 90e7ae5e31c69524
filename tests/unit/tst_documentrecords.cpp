#include "document/DocumentReader.h"
#include "document/DocumentRecords.h"
#include "document/DocumentWriter.h"
#include "document/PngCache.h"
#include "document/PngWriter.h"
#include "document/ZipReader.h"
#include "raster/RasterOps.h"
#include "support/ShellRun.h"
#include "support/TestZip.h"
#include "support/WorkspaceFixture.h"

#include <QTest>

#include <thread>

using namespace TestImages;
using namespace Qt::StringLiterals;

// What a document records of how its maptile was laid, and the command line's update of a set
// from a fixed tileset.
class TestDocumentRecords : public WorkspaceFixture
{
    Q_OBJECT

private slots:
    void init() { startInFreshFolder(); }

    // Records and the tileset copies they name come back from a document as they were laid, every
    // transparency, turn and mirror over a base; a document without records, or whose records no longer
    // give its master, opens with the master as its base. Hostile records are refused with their reason.
    void recordsTravelWithTheDocument_data()
    {
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<QString>("reason");
        QTest::newRow("kept") << QByteArray() << QString();
        // Version 1 kept each tileset copy whole.
        QTest::newRow("written by an older build") << QByteArray("1") << QString();
        // Records of a version over tilesets, one space holding what is laid.
        const auto row = [](const char *tag, const char *version, const QByteArray &tilesets, const QByteArray &laid,
                            const QString &reason) {
            QTest::newRow(tag) << "<records version=\"" + QByteArray(version) + "\">" + tilesets
                    + "<space column=\"0\" row=\"0\">" + laid + "</space></records>"
                               << reason;
        };
        const QByteArray a = "<tileset file=\"a.png\"/>",
                         plain = " turns=\"0\" mirrored=\"0\" transparency=\"0\" key=\"0\"/>";
        row("stale", "2", a + "<tileset file=\"b.png\"/>", "<laid tileset=\"1\" column=\"6\" row=\"3\"" + plain, {});
        row("cell missing", "2", a, "<laid tileset=\"0\" column=\"5\" row=\"0\"" + plain,
            u"cell-5-0.png\" is missing"_s);
        row("too many on a space", "1", a, ("<laid tileset=\"0\" column=\"0\" row=\"0\"" + plain).repeated(200),
            u"more than 64 placements"_s);
        row("tileset not carried", "1", {}, "<laid tileset=\"3\"/>", u"does not carry"_s);
        row("cell outside", "1", a, "<laid tileset=\"0\" column=\"7\" row=\"0\"/>", u"outside its tileset"_s);
        row("bad transparency", "1", a,
            "<laid tileset=\"0\" column=\"1\" row=\"0\" turns=\"1\" mirrored=\"0\" transparency=\"2,999\" key=\"0\"/>",
            u"transparency \"2,999\""_s);
    }
    void recordsTravelWithTheDocument()
    {
        QFETCH(QByteArray, records);
        QFETCH(QString, reason);
        const QImage base = pattern(QSize(3, 2) * Geometry::SpaceSize).convertToFormat(RasterOps::Format);
        const QImage tileset = pattern(Geometry::TilesetSize, 1).convertToFormat(RasterOps::Format);
        TileData data;
        data.setName = u"Stone Floors"_s;
        data.setSpeedValue(2, 1, u"3"_s);
        MaptileDocument document;
        document.records = MaptileRecords::fromBase(base);
        const int copy = document.records.copyOf(tileset, u"stone.png"_s, data);
        const int other = document.records.copyOf(tileset.mirrored(), u"walls.png"_s, {});
        const Orientation turned = Orientation().then(Orientation::MirrorLeftRight).then(Orientation::TurnRight);
        document.records.lay({0, 0}, {copy, {2, 1}, {}, TransparencySetting(u"0"_s), 0});
        document.records.lay({0, 0},
                             {other, {6, 3}, turned, TransparencySetting(u"1"_s), tileset.pixel(6 * 144, 3 * 144)});
        document.records.lay({2, 1},
                             {copy, {0, 0}, turned.then(Orientation::TurnLeft), TransparencySetting::blended(77), 0});
        document.records.lay({1, 1}, {other, {3, 2}, {}, TransparencySetting(u"2"_s), 0});
        document.maptile.setMaster(document.records.compose());
        document.editable = true;
        QString error;
        const QByteArray written = DocumentWriter::encode(document, &error);
        QVERIFY2(!written.isEmpty(), qPrintable(error));
        QByteArray bytes = written;
        if (records == "1") {
            for (int i = 0; i < 2; ++i) {
                const QString entry = DocumentRecords::copyEntry(i);
                bytes = TestZip::replaced(
                    bytes, entry,
                    TestZip::stored(entry, PngWriter::encode(DocumentRecords::keptPicture(document.records, i))));
            }
            QByteArray xml = DocumentRecords::xml(document.records);
            xml.replace("version=\"2\"", "version=\"1\"");
            bytes = TestZip::replaced(bytes, DocumentRecords::Entry, TestZip::deflated(DocumentRecords::Entry, xml));
            for (const TestZip::Entry &entry : TestZip::entriesOf(bytes))
                if (entry.name.contains("/cell-"_L1))
                    bytes = TestZip::replaced(bytes, entry.name, {});
        } else if (!records.isEmpty()) {
            bytes =
                TestZip::replaced(bytes, DocumentRecords::Entry, TestZip::deflated(DocumentRecords::Entry, records));
        }
        const MaptileDocument read = DocumentReader::decode(bytes, &error);
        if (!reason.isEmpty()) {
            QVERIFY(read.maptile.master().isNull());
            QVERIFY2(error.contains(reason), qPrintable(error));
            return;
        }
        QVERIFY2(!read.maptile.master().isNull(), qPrintable(error));
        QCOMPARE(read.records.compose(), read.maptile.master());
        if (QTest::currentDataTag() == "stale"_L1) {
            QVERIFY(!read.records.hasPlacements());
            return;
        }
        QCOMPARE(read.records.base(), base);
        QCOMPARE(read.records.copies().size(), size_t(2));
        for (const QPoint space : {QPoint(0, 0), QPoint(1, 1), QPoint(2, 1), QPoint(1, 0)})
            QVERIFY(read.records.stack(space) == document.records.stack(space));
        QCOMPARE(read.records.copies()[copy].data, data);
        QCOMPARE(read.records.copies()[other].fileName, u"walls.png"_s);
        // Cells nothing uses are kept blank.
        QCOMPARE(read.records.copies()[copy].cell({2, 1}), tileset.copy(2 * 144, 144, 144, 144));
        QCOMPARE(read.records.copies()[copy].picture.pixel(144 * 5, 10), Geometry::blankColour());
        // Whichever build wrote it, the document is saved again byte for byte, the used cells alone inside.
        const QByteArray again = DocumentWriter::encode(read, &error);
        QCOMPARE(again, written);
        // The maptile's nine entries, the base, the four cells laid and the records.
        QCOMPARE(TestZip::entriesOf(again).size(), 15);

        document.records = MaptileRecords::fromBase(document.maptile.master());
        const MaptileDocument plain = DocumentReader::decode(DocumentWriter::encode(document, &error), &error);
        QVERIFY(!ZipReader(DocumentWriter::encode(document, &error)).contains(DocumentRecords::Entry));
        QCOMPARE(plain.records.base(), plain.maptile.master());
        QVERIFY(!plain.records.hasPlacements());
    }

    // A picture's area comes back as that area's own PNG, whoever asked for it before: the same pixels
    // in another picture, the picture before it was written to, the thread packing ahead, or several
    // threads at once.
    void picturesArePackedOnce_data()
    {
        QTest::addColumn<QString>("before");
        for (const char *before :
             {"nothing", "same pixels elsewhere", "written to since", "packed ahead", "threads at once"})
            QTest::newRow(before) << QString::fromLatin1(before);
    }
    void picturesArePackedOnce()
    {
        QFETCH(QString, before);
        static int round = 0;
        // Pixels no other row met.
        QImage picture = pattern(Geometry::TilesetSize, ++round + 10).convertToFormat(RasterOps::Format);
        const QRect area = DocumentRecords::cellArea({3, 2});
        const auto expected = [&] { return PngWriter::encode(picture.copy(area), PngWriter::Packing::Small); };
        if (before == u"same pixels elsewhere") {
            QCOMPARE(PngCache::packed(picture.copy(), area), expected());
        } else if (before == u"written to since") {
            PngCache::packed(picture, area);
            picture.setPixel(area.topLeft() + QPoint(5, 5), qRgb(1, 2, 3));
        } else if (before == u"packed ahead") {
            PngCache::packAhead(picture, {area});
        } else if (before == u"threads at once") {
            std::vector<QByteArray> packed(4);
            std::vector<std::thread> threads;
            for (size_t i = 0; i < packed.size(); ++i)
                threads.emplace_back([&, i] { packed[i] = PngCache::packed(picture.copy(), area); });
            for (std::thread &thread : threads)
                thread.join();
            for (const QByteArray &png : packed)
                QCOMPARE(png, expected());
        }
        QCOMPARE(PngCache::packed(picture, area), expected());
    }

    // --update lays each placement from a tileset of that set name again from the fixed one and saves in
    // place, the fixed copy inside; a document using none of the tilesets stays byte for byte, one that
    // cannot be updated stays untouched and fails the command, and a tileset that matched nothing says so.
    void commandLineUpdateFixesEveryDocument()
    {
        const QDir dir(m_dir->path());
        const QImage old = pattern(Geometry::TilesetSize).convertToFormat(RasterOps::Format);
        QImage fixed = old;
        fixed.setPixel(3 * 144 + 5, 2 * 144 + 7, qRgb(250, 0, 0));
        QVERIFY(fixed.save(dir.filePath("stone-fixed.png")) && old.save(dir.filePath("unused.png")));
        writeText(dir.filePath("stone-fixed.dat"), "[TILEDATA]\nSETNAME=Stone Floors\n32=5\n");
        // The same placements laid from the stone tileset given, over one from another tileset.
        const auto laidFrom = [&old](const QImage &stone, int placements = 3) {
            MaptileDocument document;
            document.records.blank(3, 2);
            TileData data;
            data.setName = u"Stone Floors"_s;
            const int copy = document.records.copyOf(stone, u"stone.png"_s, data);
            const int walls = document.records.copyOf(old.mirrored(), u"walls.png"_s, {});
            const std::pair<QPoint, LaidSubtile> laid[] = {
                {{0, 0}, {walls, {1, 1}, {}, TransparencySetting(u"0"_s), 0}},
                {{0, 0},
                 {copy, {3, 2}, Orientation().then(Orientation::TurnRight), TransparencySetting::blended(90), 0}},
                {{2, 1}, {copy, {3, 2}, {}, TransparencySetting(u"1"_s), stone.pixel(432, 288)}}};
            for (int i = 0; i < placements; ++i)
                document.records.lay(laid[i].first, laid[i].second);
            document.records.dropUnusedCopies();
            document.maptile.setMaster(document.records.compose());
            document.editable = true;
            return document;
        };
        QString error;
        // The fixed tileset's speed value replaces the one its old metadata gave (none), not one typed.
        MaptileDocument typed = laidFrom(old);
        typed.maptile.setSpeedValue(2, 1, u"typed"_s);
        for (const auto &[name, document] : {std::pair("crypt01.ora", typed), std::pair("walls.ora", laidFrom(old, 1)),
                                             std::pair("plain.ora", laidFrom(old, 0))})
            writeText(dir.filePath(name), DocumentWriter::encode(document, &error));
        writeText(dir.filePath("broken.ora"), "not a zip");
        const QMap<QString, QByteArray> before = ShellRun::filesIn(dir.path());
        const ShellRun::Result run = ShellRun::run(QStringLiteral(CRYPTWRIGHT_BINARY),
                                                   {"--update", "stone-fixed.png", "--update", "unused.png",
                                                    "crypt01.ora", "walls.ora", "plain.ora", "broken.ora"},
                                                   dir.path());
        const QStringList lines = QString::fromUtf8(run.output).split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(run.exitCode == 1 && lines.size() == 5
                     && lines[0] == u"crypt01.ora: 2 spaces updated from \"Stone Floors\"."_s
                     && lines[1].startsWith("walls.ora: uses none") && lines[2].startsWith("plain.ora: keeps no record")
                     && lines[3].contains("broken.ora")
                     && lines[4].startsWith("\"unused.png\" (unused.png) matched no"),
                 run.output.constData());
        const QMap<QString, QByteArray> after = ShellRun::filesIn(dir.path());
        for (const char *kept : {"walls.ora", "plain.ora", "broken.ora"})
            QCOMPARE(after[dir.filePath(kept)], before[dir.filePath(kept)]);
        QCOMPARE(after.keys(), before.keys()); // no file left over
        const MaptileDocument updated = DocumentReader::read(dir.filePath("crypt01.ora"), &error);
        QCOMPARE(updated.maptile.master(), laidFrom(fixed).maptile.master());
        QVERIFY(updated.maptile.speedValue(0, 0) == u"5"_s && updated.maptile.speedValue(2, 1) == u"typed"_s);
        // The document carries the fixed tileset for the next update or pick, and still opens elsewhere.
        QCOMPARE(updated.records.copies().at(0).cell({3, 2}), fixed.copy(432, 288, 144, 144));
        QCOMPARE(ShellRun::run(u"python3"_s, {CHECK_ORA_SCRIPT, dir.filePath("crypt01.ora")}, dir.path()).exitCode, 0);
    }
};

QTEST_MAIN(TestDocumentRecords)
#include "tst_documentrecords.moc"
