#include "document/DocumentReader.h"
#include "document/DocumentRecords.h"
#include "document/DocumentWriter.h"
#include "document/PngCache.h"
#include "document/PngWriter.h"
#include "document/ZipReader.h"
#include "raster/RasterOps.h"
#include "support/TestZip.h"
#include "support/WorkspaceFixture.h"

#include <QTest>

#include <thread>

using namespace TestImages;
using namespace Qt::StringLiterals;

// What a document records of how its maptile was laid. An update from a fixed tileset is the
// workspace records test's, and the command line's through the set window's test.
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
};

QTEST_MAIN(TestDocumentRecords)
#include "tst_documentrecords.moc"
