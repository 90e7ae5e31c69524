#include "tilesets/PaletteView.h"
#include "widgets/MainWindowFixture.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestImages;

// Bad files through every way a file enters the program, and saves that cannot
// succeed: each must give a message, leave the state as it was and keep memory bounded.
namespace {

enum class Kind { File, Folder, Link, Pipe, Unreadable };
// What to make under a name (a link points at bytes), and what its message must say.
struct BadInput { Kind kind; QByteArray bytes; QString reason; };

// Headers claiming 100000 x 100000 pixels (0x186a0) or a 65535 x 65535 GIF, with next
// to no pixels after them; the PNG's checksums are right, so the decoder believes it.
const QByteArray HugePng("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\x01\x86\xa0\0\x01\x86\xa0\x08\x02\0\0\0\x27\x30\x9c\x9f"
                         "\0\0\0\x08IDATx\x9c\x03\0\0\0\0\x01\x48\x06\x89\xd2\0\0\0\0IEND\xae\x42\x60\x82", 65);
const QByteArray HugeBmp =
    QByteArray("BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xa0\x86\1\0\xa0\x86\1\0\1\0\x18", 29).leftJustified(54, '\0');
const QByteArray HugeGif("GIF89a\xff\xff\xff\xff\x80\0\0\0\0\0\xff\xff\xff"
                         ",\0\0\0\0\xff\xff\xff\xff\0\x02\x02\x44\x01\0;", 35);

void create(const BadInput &input, const QString &path)
{
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
    for (const auto &column : w.maptile().speedValues())
        s << QStringList(column.begin(), column.end());
    return s << w.maptileChanged();
}

// Answers the program's dialogs while it lives: the file dialog takes path as
// typed, past its own checks (a file can change between choosing and reading);
// each message box is kept as "title|text"; every dialog is accepted.
struct DialogAnswerer
{
    explicit DialogAnswerer(const QString &path)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, path] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog || dialog->isHidden() || dialog->property("answered").toBool())
                return;
            dialog->setProperty("answered", true);
            if (auto *files = qobject_cast<QFileDialog *>(dialog))
                files->findChild<QLineEdit *>("fileNameEdit")->setText(path);
            else if (auto *box = qobject_cast<QMessageBox *>(dialog))
                messages << box->windowTitle() + '|' + box->text();
            dialog->done(QDialog::Accepted);
        });
        timer.start(10);
    }
    QStringList messages;
    QTimer timer;
};

// One message box, titled as the program, naming the file and the reason.
void checkReportedOnce(const QStringList &messages, const QString &name, const QString &reason = {})
{
    QVERIFY2(messages.size() == 1 && messages[0].startsWith("Cryptwright|") && messages[0].contains(name)
                 && messages[0].contains(reason), qPrintable(messages.join('\n')));
}

} // namespace

class TestHostile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    QMap<QString, BadInput> m_inputs; // by file name
    qint64 m_peakBeforeKb = 0;

private slots:
    void initTestCase()
    {
        setUpApplication();
        const QImage picture = pattern(QSize(300, 200));
        const QByteArray gif = readAll(QFINDTESTDATA("../../resources/tilesets/Default_D.gif"));
        const QMap<QString, QByteArray> whole{{"jpg", encoded(picture, "JPG")}, {"png", encoded(picture, "PNG")},
                                              {"bmp", encoded(picture, "BMP")}, {"gif", gif}};
        for (auto file = whole.cbegin(); file != whole.cend(); ++file)
            m_inputs.insert("cut." + file.key(), {Kind::File, file->left(file->size() / 2), "incomplete"});
        m_inputs.insert("no end marker.jpg", {Kind::File, whole["jpg"].chopped(2), "incomplete"});
        m_inputs.insert("huge.png", {Kind::File, HugePng, "too large"});
        m_inputs.insert("huge.bmp", {Kind::File, HugeBmp, "too large"});
        m_inputs.insert("huge.gif", {Kind::File, HugeGif, "too large"});
        m_inputs.insert("empty.jpg", {Kind::File, "", "empty"});
        m_inputs.insert("notes.jpg", {Kind::File, "Walls in B, doors in D.\r\n", "not a picture"});
        m_inputs.insert("folder.jpg", {Kind::Folder, {}, "folder"});
        m_inputs.insert("dangling.gif", {Kind::Link, "gone.gif", "does not exist"});
        m_inputs.insert("pipe.jpg", {Kind::Pipe, {}, "not a picture file"});
        if (::geteuid() != 0) // permissions do not stop root from reading a file
            m_inputs.insert("locked.png", {Kind::Unreadable, whole["png"], "cannot be read"});
        quint32 seed = 0;
        for (const QString suffix : {"bmp", "gif", "jpg", "jpeg", "png", "tif", "webp", "wmf"})
            m_inputs.insert("random." + suffix, {Kind::File, randomBytes(4096, ++seed),
                                                 suffix == "wmf" ? "not a Windows metafile" : "not a picture"});
        for (auto input = m_inputs.cbegin(); input != m_inputs.cend(); ++input)
            create(*input, m_dir.filePath(input.key()));

        writeDefaults(m_dir.path());
        QVERIFY(m_window = startWindow(m_dir.path()));
        // A maptile with work on it, and a button showing a subtile of the slot loaded into.
        Workspace &w = m_window->workspace();
        w.setOutlineCell(1, {3, 2});
        w.assign(Workspace::RightButton, 1);
        w.place(Workspace::RightButton, {2, 3});
        w.chooseSpeedValue({1, 1}, "1/T");
        w.setMapNumText("7");
        m_peakBeforeKb = processKb("VmHWM");
    }

    void badFileEntersTheProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("tileset"); // else opened as the maptile
        for (const bool tileset : {true, false})
            for (const QString &name : m_inputs.keys())
                QTest::addRow("%s %s", tileset ? "tileset" : "maptile", qPrintable(name)) << name << tileset;
    }

    void badFileEntersTheProgram()
    {
        QFETCH(QString, name);
        QFETCH(bool, tileset);
        m_window->workspace().setMaptileChanged(true);
        const QVariantList before = snapshot(*m_window);
        DialogAnswerer answerer(m_dir.filePath(name));
        tileset ? m_window->loadTileset(1) : m_window->openMaptile();
        checkReportedOnce(answerer.messages, name, m_inputs[name].reason);
        QVERIFY(snapshot(*m_window) == before);
    }

    void goodFileUnderAnAwkwardPath()
    {
        const QString path = m_dir.filePath("Höhlen und Gänge/Große Halle 1.png");
        const QImage picture = pattern(Geometry::TilesetSize, 4);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        writeText(path, encoded(picture, "PNG"));
        writeText(TileData::datPath(path), "[TILEDATA]\nSETNAME=Höhle\n");
        DialogAnswerer answerer(path);
        m_window->loadTileset(1);
        m_window->openMaptile();
        QCOMPARE(answerer.messages, QStringList());
        QCOMPARE(m_window->workspace().slot(1).fullImage(), picture);
        QCOMPARE(m_window->palette(1)->setInfoLabel()->text(), "HÖHLE BY: UNKNOWN CREATOR ");
        QCOMPARE(m_window->frontSlot(), 1);
        QCOMPARE(m_window->workspace().maptile().master(), picture.copy(0, 0, 5 * 144, 4 * 144));
    }

    void badMetadataGivesTheDefaults()
    {
        const QList<BadInput> dats{{Kind::File, randomBytes(64 * 1024, 99)}, {Kind::Folder}, {Kind::Pipe},
                                   {Kind::File, "[TILEDATA]\n30=2\nSETNAME=" + QByteArray(4 << 20, 'x')}};
        for (int i = 0; i < dats.size(); ++i) {
            const QString image = m_dir.filePath(u"dat%1.jpg"_s.arg(i));
            create(dats[i], TileData::datPath(image));
            TileData data;
            QCOMPARE(data.setInfo(image), (i < 3 ? "UNKNOWN TILESET" : QString(254, 'X')) + " BY: UNKNOWN CREATOR ");
            QCOMPARE(data.getTileData(image, 3, 0), i < 3 ? "" : "2");
        }
    }

    void badDefaultsAreReportedOneByOne_data()
    {
        QTest::addColumn<QStringList>("names"); // corpus files standing in for slots A to D
        const QStringList names = m_inputs.keys();
        for (int i = 0; i < names.size(); i += 4)
            QTest::addRow("%s and on", qPrintable(names[i])) << (names + names).mid(i, 4);
    }

    void badDefaultsAreReportedOneByOne()
    {
        QFETCH(QStringList, names);
        QTemporaryDir folder;
        for (int slot = 0; slot < 4; ++slot)
            create(m_inputs[names[slot]], folder.filePath(Workspace::DefaultTilesetNames[slot]));
        MainWindow window;
        DialogAnswerer answerer({});
        window.startUp({folder.path()});
        QCOMPARE(answerer.messages.size(), 4);
        for (int slot = 0; slot < 4; ++slot) {
            // The reason may differ here: whether a file is read as a metafile goes by its name.
            checkReportedOnce({answerer.messages[slot]}, Workspace::DefaultTilesetNames[slot]);
            QVERIFY(window.workspace().slot(slot).path().isEmpty() && window.workspace().slot(slot).hasPalette());
        }
        QCOMPARE(window.workspace().maptile().master(), solid({720, 864}, Geometry::blankColour()));
        QVERIFY(!window.workspace().maptileChanged());
    }

    void failedSaveKeepsEverything_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("diskFull"); // writes beyond 4 KiB fail
        for (const QString name : {"earlier.bmp", "earlier.jpg"})
            writeText(m_dir.filePath(name), "an earlier maptile");
        QVERIFY(QDir().mkpath(m_dir.filePath("read-only")));
        QVERIFY(QFile::setPermissions(m_dir.filePath("read-only"), QFile::ReadOwner | QFile::ExeOwner));
        QTest::newRow("onto a folder") << m_dir.filePath("folder.jpg") << false;
        QTest::newRow("into a missing folder") << m_dir.filePath("no such folder/m.bmp") << false;
        QTest::newRow("under a file") << m_dir.filePath("earlier.bmp/m.bmp") << false;
        if (::geteuid() != 0) // permissions do not stop root from writing into a folder
            QTest::newRow("into a read-only folder") << m_dir.filePath("read-only/m.bmp") << false;
        QTest::newRow("bitmap onto a full disk") << m_dir.filePath("earlier.bmp") << true;
        QTest::newRow("jpeg onto a full disk") << m_dir.filePath("earlier.jpg") << true;
        // Last: the next file dialog would open on /proc, and stall there.
        QTest::newRow("where not even root may write") << "/proc/m.bmp" << false;
    }

    void failedSaveKeepsEverything()
    {
        QFETCH(QString, path);
        QFETCH(bool, diskFull);
        m_window->workspace().setMaptileChanged(true);
        const QVariantList before = snapshot(*m_window);
        const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
        const QStringList entries = QDir(m_dir.path()).entryList(all);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit full{diskFull ? 4096 : saved.rlim_cur, saved.rlim_max};
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        DialogAnswerer answerer(path);
        m_window->saveMaptile();
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);

        checkReportedOnce(answerer.messages, path);
        QVERIFY(snapshot(*m_window) == before);
        QCOMPARE(QDir(m_dir.path()).entryList(all), entries);
        for (const QString name : {"earlier.bmp", "earlier.jpg"})
            QCOMPARE(readAll(m_dir.filePath(name)), "an earlier maptile");
    }

    void memoryStayedBounded()
    {
        const qint64 growthKb = processKb("VmHWM") - m_peakBeforeKb;
        qInfo("Peak resident memory grew by %lld KiB across the corpus.", growthKb);
#ifdef __SANITIZE_ADDRESS__
        QSKIP("AddressSanitizer holds freed memory back, so the figure says nothing here.");
#endif
        QVERIFY2(growthKb < 64 * 1024, qPrintable(QString::number(growthKb)));
    }
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
