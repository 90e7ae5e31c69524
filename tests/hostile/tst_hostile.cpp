#include "document/ZipReader.h"
#include "output/MaptileSaver.h"
#include "readerclient/PictureReader.h"
#include "support/ShellRun.h"
#include "support/TestZip.h"
#include "widgets/MainWindowFixture.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestImages;

// Bad files through every way a file enters the program, and saves that cannot
// succeed: each must give one message naming the file and leave the state as it was.
namespace {

enum class Kind { File, Folder, Link, Pipe, Unreadable };
// What to make under a name (a link points at bytes), and what its message must say.
struct BadInput
{
    Kind kind;
    QByteArray bytes;
    QString reason;
};

// Headers claiming 100000 x 100000 pixels (0x186a0) or a 65535 x 65535 GIF, with next to no pixels after
// them; the PNG's checksums are right, so the decoder believes it.
const QByteArray HugePng = TestZip::pngClaiming({100000, 100000});
const QByteArray HugeBmp =
    QByteArray("BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xa0\x86\1\0\xa0\x86\1\0\1\0\x18", 29).leftJustified(54, '\0');
// As wide as an int allows: libpng will not even report such a size.
const QByteArray WidestPng = TestZip::pngClaiming({0x7fffffff, 1});
// 2^32 - 1 pixels each way, every bit of both sides set: more than an int holds, and still too large.
const QByteArray LargestPng = TestZip::pngClaiming({-1, -1});
// MNG animations, found by fuzzing: a 4 x 3 frame holding a picture declared 255 x 4294908675
// pixels, and one holding a picture 2617245696 pixels wide and none high.
const QByteArray HugeMng = QByteArray::fromHex(
    "8a4d4e470d0a1a0a0000001c4d484452000000040000000300000000010002010000000100000001000000012fb717df0000000d"
    "49484452000000ffffff1b0308020000003b9639910000002f49444154789c636060646266616563e7e0e4e266e0e1e5e31710"
    "141216000000000000002b969195935750545206001fd70277cd1dadad0000000049454e44ae426082000000004d454e442120f7d5");
const QByteArray FlatMng = QByteArray::fromBase64(
    "ik1ORw0KGgoAAAAcTUhEUgAAAAQAAAADAAAAAQAAAAEAAAABAAAAAQAAAAEvtxffAAAADUlIRFKcAAAAAAAAAAgCAAAAO5Y5kQAAAC9JREFUeJxj"
    "YGBkYmZhZWPn4OTiZuDh5eMXEBQSFhEVE2eQkJSSlpGVk1dQVFIGAB/XAnfNHa2tAAAAAElFTkSuQmCCAAAAAE1FTkQhIPfV");
// An information header of 32 MiB and pixels said to start beyond the end, found by fuzzing:
// decoded as it stands, it gives a picture of uninitialised memory.
const QByteArray OddBmp =
    QByteArray::fromHex("424d2a000000000000001a24000000000002000c020001001800000102030405060708090a0b00000000");
// A run-length bitmap 5 pixels wide stored top-down, 33,554,430 rows high, found by
// fuzzing: Qt gives its height as the negative number stored.
const QByteArray TallBmp = QByteArray::fromHex(
    "424d5000000000000000460000002800000005000000020000fe01000800010000000a000000130b0000130b0000040000000000"
    "000000ff000001fe000002fd010003fc010003010202000004030001");
const QByteArray HugeGif("GIF89a\xff\xff\xff\xff\x80\0\0\0\0\0\xff\xff\xff"
                         ",\0\0\0\0\xff\xff\xff\xff\0\x02\x02\x44\x01\0;",
                         35);

// A JPEG claiming 5600 x 5600 pixels, 120 MiB decoded: within the limit if its decoder
// went band by band, but one that must take in every scan first also holds each
// component's coefficients, two bytes each. A progressive file, or a plain one whose
// first scan holds only the first of its three components.
QByteArray allScansFirstJpeg(bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(progressive);
    writer.write(pattern({16, 16}));
    const qsizetype frame = bytes.indexOf(progressive ? "\xFF\xC2" : "\xFF\xC0");
    qToBigEndian<quint16>(5600, bytes.data() + frame + 5);
    qToBigEndian<quint16>(5600, bytes.data() + frame + 7);
    if (!progressive) {
        // Length, component count, selectors of three components, spectral selection and approximation.
        const qsizetype scan = bytes.indexOf("\xFF\xDA");
        bytes.replace(scan + 2, 12, QByteArray("\0\x08\x01", 3) + bytes.mid(scan + 5, 2) + bytes.mid(scan + 11, 3));
    }
    return bytes;
}

// The peak memory in KiB of the program run with arguments.
qint64 peakKbOfRun(const QStringList &arguments)
{
    const ShellRun::Result run = ShellRun::run(PEAK_MEMORY, QStringList{CRYPTWRIGHT_BINARY} + arguments, {});
    return run.exitCode == 0 ? run.output.toLongLong() : -1;
}

void create(const BadInput &input, const QString &path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    if (input.kind == Kind::Folder)
        QVERIFY(QDir().mkpath(path));
    else if (input.kind == Kind::Link)
        QVERIFY(QFile::link(QString::fromUtf8(input.bytes), path));
    else if (input.kind == Kind::Pipe)
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0); // reading would wait for ever
    else
        writeText(path, input.bytes);
    if (input.kind == Kind::Unreadable)
        QVERIFY(QFile::setPermissions(path, {}));
}

// Everything a failed load, open or save must leave alone. QImage copies share their pixels.
QVariantList snapshot(MainWindow &window)
{
    const Workspace &w = window.workspace();
    QVariantList s{w.maptile().master(), w.preview(), w.workingView(), w.mapNumText(), window.frontSlot()};
    for (int i = 0; i < Geometry::SlotCount; ++i)
        s << w.slot(i).fullImage() << w.slot(i).palette() << w.slot(i).path() << w.slot(i).transparency.text();
    for (int b = 0; b < Workspace::ButtonCount; ++b)
        s << w.buttonImage(b) << w.buttonRef(b).text();
    return s << w.maptileChanged(); // speed values on the maptile show in the preview
}

// One warning, titled as the program, naming the file and the reason.
void checkReportedOnce(const QStringList &boxes, const QString &name, const QString &reason = {})
{
    QVERIFY2(boxes.size() == 1 && boxes[0].startsWith("Cryptwright|") && boxes[0].contains(name)
                 && boxes[0].contains(reason),
             qPrintable(boxes.join('\n')));
}

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    QMap<QString, BadInput> m_inputs; // by file name; bad documents under documents/

    // Bad documents, each made from a sound one by breaking one rule.
    void makeBadDocuments(const QByteArray &good)
    {
        using namespace TestZip;
        const ZipReader zip(good);
        QString reason;
        const QByteArray state = zip.read("cryptwright/maptile.xml", 1 << 20, &reason);
        const QByteArray credit = zip.read("data/credit.png", 1 << 24, &reason),
                         master = zip.read("data/subtiles.png", 1 << 24, &reason);
        // The sound document with the entry of the same name put in place or added.
        const auto with = [&](const Entry &entry) { return replaced(good, entry.name, entry); };
        const auto withState = [&](const QByteArray &from, const QByteArray &to) {
            return with(deflated("cryptwright/maptile.xml", QByteArray(state).replace(from, to)));
        };
        const auto claiming = [](Entry entry, quint32 size) { return entry.size = size, entry; };
        const auto withSpeed = [&](int length) {
            return withState("</maptile>",
                             "<speed column='0' row='0'>" + QByteArray(length, '4') + "</speed></maptile>");
        };
        const QByteArray foreignStack =
            "<image w='60000' h='60000'><stack><layer src='mergedimage.png'/></stack></image>";
        // Work that grows without bound unless limited: a layer listed over and over, packed
        // padding read before a picture's header, a picture whose pixels are padded out, entries by the thousand.
        const QByteArray repeated = "<image w='720' h='864'><stack>"
            + QByteArray("<layer src='data/credit.png'/>").repeated(10000) + "</stack></image>";
        QList<Entry> many{stored("mimetype", "image/openraster")};
        for (int i = 0; i < 1500; ++i)
            many << stored(QStringLiteral("data/%1.png").arg(i), "x");
        const std::tuple<QString, QByteArray, QString> documents[]{
            {"climbs out.ora", with(stored("../escape.png", "x")), "unsafe name"},
            {"absolute.ora", with(stored("/tmp/absolute.png", "x")), "unsafe name"},
            {"claims 2 GB.ora", with(claiming(stored("data/subtiles.png", randomBytes(100, 1)), 0x80000000u)), ""},
            {"bomb.ora", with(zeros("data/subtiles.png", 300 << 20)), "too large"},
            {"bomb claiming 100 bytes.ora", with(claiming(zeros("data/subtiles.png", 50 << 20), 100)), ""},
            // Found by fuzzing: room for the pixels of 2^30 x 2^30 at eight bytes each was worked out in 64 bits.
            {"widest master.ora", with(stored("data/subtiles.png", pngClaiming({0x7fffffff, 0x7fffffff}))),
             "not 720 x 864"},
            {"60000 x 60000.ora",
             archive({stored("mimetype", "image/openraster"), deflated("stack.xml", foreignStack),
                      stored("mergedimage.png", pngClaiming({60000, 60000}))}),
             "too large (60000 x 60000 pixels)"},
            {"largest merged picture.ora",
             archive({stored("mimetype", "image/openraster"), deflated("stack.xml", foreignStack),
                      stored("mergedimage.png", LargestPng)}),
             "too large (4294967295 x 4294967295 pixels)"},
            {"no stack.ora", replaced(good, "stack.xml", {}), "\"stack.xml\" is missing"},
            {"torn stack.ora", with(deflated("stack.xml", "<image w='720' h='864'><stack><layer")), "malformed"},
            {"small layer.ora", with(stored("data/credit.png", encoded(pattern({100, 100}), "PNG"))),
             "is not 720 x 864 pixels"},
            {"10 MB speed value.ora", withSpeed(10 << 20), "too large"},
            {"long speed value.ora", withSpeed(200), "longer than 100 characters"},
            {"newer.ora", withState("version=\"1\"", "version=\"2\""), "newer Cryptwright"},
            {"not a zip.ora", "Walls in B, doors in D.", "not a zip archive"},
            {"repeated layer.ora", with(deflated("stack.xml", repeated)), "more than 100 layers"},
            {"padded entry.ora", with(paddedEntry("data/credit.png", credit, 5 << 20)), "packed larger than it is"},
            {"padded picture.ora", with(deflated("data/subtiles.png", paddedPng(master, 20 << 20))), "too large"},
            {"many entries.ora", archive(many), "more than 1,000 entries"},
            // Directories that hide how many entries they hold: a count below the real one, 0xffff
            // without the zip64 record it stands for, or the zip64 record behind an end record in the comment.
            {"understated count.ora", flood({1001, 5}), "more than 1,000 entries"},
            {"65535 entries.ora", flood({65535, 0xffff, 40}), "more than 1,000 entries"},
            {"hidden end record.ora", flood({300000, 0xffff, 8, true, true}), "more than 1,000 entries"},
            {"many extra fields.ora", flood({2, 2, 17}), "names and extra fields"},
            {"other type.ora", with(stored("mimetype", "image/png")), "not an OpenRaster document"}};
        for (const auto &[name, bytes, why] : documents)
            m_inputs.insert("documents/" + name, {Kind::File, bytes, why});
    }

private slots:
    void initTestCase()
    {
        setUpApplication();
        const QImage picture = pattern({300, 200});
        const QByteArray gif = readAll(QFINDTESTDATA("../../resources/tilesets/Default_D.gif"));
        const QMap<QString, QByteArray> whole{{"jpg", encoded(picture, "JPG")},
                                              {"png", encoded(picture, "PNG")},
                                              {"bmp", encoded(picture, "BMP")},
                                              {"gif", gif}};
        using enum Kind;
        // Sixteen bits a channel: fewer pixels than the limit allows, but eight bytes each once decoded.
        const QByteArray deepPng = TestZip::pngClaiming({4100, 4100}, 16);
        // A drawing of 32 KiB that unpacks to 32 MiB, nearly all of it blanks.
        const QByteArray drawingBomb = TestZip::gzipWithBlanks(
            "<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10'>", 32 << 20, "</svg>");
        for (auto file = whole.cbegin(); file != whole.cend(); ++file)
            m_inputs.insert("cut." + file.key(), {File, file->left(file->size() / 2), "incomplete"});
        m_inputs.insert({{"no end marker.jpg", {File, whole["jpg"].chopped(2), "incomplete"}},
                         {"huge.png", {File, HugePng, "too large"}},
                         {"deep.png", {File, deepPng, "too large (4100 x 4100 pixels)"}},
                         {"widest.png", {File, WidestPng, "too large (2147483647 x 1 pixels)"}},
                         {"largest.png", {File, LargestPng, "too large (4294967295 x 4294967295 pixels)"}},
                         {"progressive.jpg", {File, allScansFirstJpeg(true), "too large (5600 x 5600 pixels)"}},
                         {"scan by scan.jpg", {File, allScansFirstJpeg(false), "too large (5600 x 5600 pixels)"}},
                         {"bomb.svgz", {File, drawingBomb, "too large"}},
                         {"huge frame.mng", {File, HugeMng, "MNG animation"}},
                         {"flat frame.mng", {File, FlatMng, "MNG animation"}},
                         {"animation.png", {File, FlatMng, "MNG animation"}},
                         {"odd header.bmp", {File, OddBmp, "damaged"}},
                         {"huge.bmp", {File, HugeBmp, "too large"}},
                         {"tall.bmp", {File, TallBmp, "too large"}},
                         {"huge.gif", {File, HugeGif, "too large"}},
                         {"empty.jpg", {File, "", "empty"}},
                         {"notes.jpg", {File, "Walls in B, doors in D.\r\n", "not a picture"}},
                         {"folder.jpg", {Folder, {}, "folder"}},
                         {"pipe.jpg", {Pipe, {}, "not a picture file"}},
                         {"dangling.gif", {Link, "gone.gif", "does not exist"}},
                         {"Grüne Höhle/cut tiles é.jpg", {File, whole["jpg"].left(900), "incomplete"}}});
        for (const QString extension : {"jpg", "gif", "bmp", "png", "wmf"})
            m_inputs.insert("random." + extension,
                            {File, randomBytes(4096, extension.front().unicode()),
                             extension == "wmf" ? "not a Windows metafile" : "not a picture"});
        if (::geteuid() != 0) // permissions do not stop root from reading a file
            m_inputs.insert("locked.png", {Unreadable, whole["png"], "cannot be read"});
        writeDefaults(m_dir.path());
        QVERIFY(m_window = startWindow(m_dir.path()));
        // A maptile with work on it, and a button showing a subtile of the slot loaded into.
        Workspace &w = m_window->workspace();
        w.setOutlineCell(1, {3, 2});
        w.assign(Workspace::RightButton, 1);
        w.place(Workspace::RightButton, {2, 3});
        w.chooseSpeedValue({1, 1}, "1/T");
        w.setMapNumText("7");
        QCOMPARE(MaptileSaver::save(w, m_dir.filePath("good.ora")), QString());
        makeBadDocuments(readAll(m_dir.filePath("good.ora")));
        for (auto input = m_inputs.cbegin(); input != m_inputs.cend(); ++input)
            create(*input, m_dir.filePath(input.key()));
    }

    void badDocumentsFailAloneOnTheCommandLine()
    {
        // Every bad document is one line; the good one among them is still written, and nothing else is.
        QStringList names = m_inputs.keys().filter("documents/");
        names.replaceInStrings("documents/", "");
        const ShellRun::Result run =
            ShellRun::run(CRYPTWRIGHT_BINARY, QStringList{"--export", "out", "--format", "png", "../good.ora"} + names,
                          m_dir.filePath("documents"), 120'000);
        const QList<QByteArray> lines = run.error.trimmed().split('\n');
        QVERIFY(run.exitCode > 0);
        QCOMPARE(lines.size(), names.size());
        for (int i = 0; i < names.size(); ++i)
            QVERIFY2(lines[i].contains(names[i].toUtf8())
                         && lines[i].contains(m_inputs["documents/" + names[i]].reason.toUtf8()),
                     lines[i].constData());
        QCOMPARE(QDir(m_dir.filePath("documents/out")).entryList(QDir::Files), QStringList{"good.png"});
        QCOMPARE(QDir(m_dir.filePath("documents")).entryList(QDir::Files).size(), names.size());
        QVERIFY(!QFile::exists(m_dir.filePath("escape.png")) && !QFile::exists("/tmp/absolute.png"));
    }

    void badFileEntersTheProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("tileset"); // else opened as the maptile
        for (const bool tileset : {true, false})
            for (const QString &name : m_inputs.keys())
                // A maptile reads only its 720 x 864 corner, which of this picture fits the limit; a
                // document is no tileset.
                if (tileset ? !name.startsWith("documents/") : name != QLatin1String("deep.png"))
                    QTest::addRow("%s %s", tileset ? "tileset" : "maptile", qPrintable(name)) << name << tileset;
    }

    void badFileEntersTheProgram()
    {
        QFETCH(QString, name);
        QFETCH(bool, tileset);
        m_window->workspace().setMaptileChanged(true);
        const QVariantList before = snapshot(*m_window);
        MessageBoxAnswerer ok(QMessageBox::Ok, QMessageBox::Discard);
        const QString path = m_dir.filePath(name);
        tileset ? m_window->loadTilesetFile(1, path) : m_window->openMaptileFile(path);
        QTRY_VERIFY(!m_window->isLoading());
        checkReportedOnce(ok.boxes, QFileInfo(name).fileName(), m_inputs[name].reason);
        QVERIFY(snapshot(*m_window) == before);
        // Headers claiming gigabytes are refused before any pixel memory is taken, here or
        // in the process the file is read in (ended, so that its peak is counted).
        PictureReader::endWaiting();
        rusage reader{};
        getrusage(RUSAGE_CHILDREN, &reader);
        QVERIFY2(processKb("VmHWM") < 400 * 1024 && reader.ru_maxrss < 400 * 1024,
                 qPrintable(QStringLiteral("%1 %2").arg(processKb("VmHWM")).arg(reader.ru_maxrss)));
    }

    // However an archive hides the size of its directory, refusing it costs the reading process and
    // the command line no more memory than a file that is no zip at all does, give or take 64 MB.
    void hiddenEntriesAreRefusedCheaply_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("0xffff without zip64") << "65535 entries.ora";
        QTest::newRow("zip64 behind an end record in the comment") << "hidden end record.ora";
    }
    void hiddenEntriesAreRefusedCheaply()
    {
        QFETCH(QString, name);
        const QString path = m_dir.filePath("documents/" + name);
        PictureReader::endWaiting();
        PictureReader::prepare();
        const QList<qint64> children = childProcesses();
        QCOMPARE(children.size(), 1);
        const qint64 reader = children.front();
        // Measured from when it waits, confined and unable to gain rights, for the file.
        const QString status = confinedStatus(reader);
        QVERIFY2(status.contains("Seccomp:\t2") && status.contains("NoNewPrivs:\t1"), qPrintable(status));
        const qint64 idleKb = processKb("VmHWM", reader);
        PictureReader reading;
        QSignalSpy finished(&reading, &PictureReader::finished);
        reading.start(path, PictureReader::Kind::Maptile);
        QVERIFY(finished.wait(30'000));
        QVERIFY2(finished.front().at(1).toString().contains("more than 1,000 entries"),
                 qPrintable(finished.front().at(1).toString()));
        const qint64 readerKb = processKb("VmHWM", reader) - idleKb;
        PictureReader::endWaiting();
        const qint64 commandLineKb = peakKbOfRun({"--export", m_dir.filePath("out.png"), path}),
                     noZipKb = peakKbOfRun(
                         {"--export", m_dir.filePath("out.png"), m_dir.filePath("documents/not a zip.ora")});
        QVERIFY(commandLineKb > 0 && noZipKb > 0);
        QVERIFY2(readerKb < 64 * 1024 && commandLineKb - noZipKb < 64 * 1024,
                 qPrintable(QStringLiteral("%1 %2").arg(readerKb).arg(commandLineKb - noZipKb)));
    }

    void badDefaultsAreReportedOneByOne()
    {
        const QStringList names{"folder.jpg", "huge.png", "random.wmf", "cut.gif"}; // standing in for slots A to D
        QTemporaryDir folder;
        for (int slot = 0; slot < 4; ++slot)
            create(m_inputs[names[slot]], folder.filePath(Workspace::DefaultTilesetNames[slot]));
        MainWindow window({folder.path()});
        MessageBoxAnswerer ok(QMessageBox::Ok);
        window.startUp();
        QCOMPARE(ok.boxes.size(), 4);
        for (int slot = 0; slot < 4; ++slot) {
            // Whether a file is read as a metafile goes by its name, so the reason is not the corpus's.
            checkReportedOnce({ok.boxes[slot]}, Workspace::DefaultTilesetNames[slot]);
            QVERIFY(window.workspace().slot(slot).path().isEmpty() && window.workspace().slot(slot).hasPalette());
        }
        QVERIFY(window.workspace().maptile().master() == solid({720, 864}, Geometry::blankColour())
                && !window.workspace().maptileChanged());
    }

    // A save that cannot succeed names the file and keeps it and everything else. A disk that fills
    // up is the command line's test, for every format.
    void failedSaveKeepsEverything()
    {
        QVERIFY(QDir().mkpath(m_dir.filePath("read-only")));
        QVERIFY(QFile::setPermissions(m_dir.filePath("read-only"), QFile::ReadOwner | QFile::ExeOwner));
        const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
        const QStringList entries = QDir(m_dir.path()).entryList(all);
        // Permissions do not stop root from writing into a folder.
        const QString readOnly = ::geteuid() ? m_dir.filePath("read-only/m.bmp") : "/proc/m.bmp";
        for (const auto &[path, reason] :
             {std::pair(m_dir.filePath("folder.jpg"), "it is a folder"),
              std::pair(QStringLiteral("/dev/full"), "not a regular file"), std::pair(readOnly, "")}) {
            m_window->workspace().setMaptileChanged(true);
            const QVariantList before = snapshot(*m_window);
            const QString error = MaptileSaver::save(m_window->workspace(), path); // what the window shows
            QVERIFY2(error.contains(path) && error.contains(reason) && snapshot(*m_window) == before,
                     qPrintable(error));
            QCOMPARE(QDir(m_dir.path()).entryList(all), entries); // no scratch file left behind
        }
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
