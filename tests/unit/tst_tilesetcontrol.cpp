#include "support/ControlFixture.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestImages;

// What the editor decides about tilesets, without a window: where a tileset is saved and what it
// never overwrites, and the files loaded at every start. Loads that end without a picture are the
// main window's and the hostile-input test's.
class TestTilesetControl : public ControlFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { keepSettingsApart(); }
    void init() { startControls(); }
    void cleanupTestCase() { forgetSettings(); }

    // No save replaces a file the program ships, however its name is spelt or reached; Save of a default
    // tileset asks where instead. A file of the user's beside them is written.
    void shippedFilesStayAsTheyAre_data()
    {
        QTest::addColumn<QString>("command"); // "save as", "save" of a default tileset, or "maptile"
        QTest::addColumn<QString>("answer"); // where the user saves, in the test's folder
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("written");
        const QStringList refused{u"save as Untitled.png"_s, u"warn"_s};
        QTest::newRow("a default") << u"save as"_s << u"Default_A.jpg"_s << refused << false;
        QTest::newRow("a default, spelt otherwise") << u"save as"_s << u"sub/../Default_B.jpg"_s << refused << false;
        QTest::newRow("a link to a default") << u"save as"_s << u"sub/link.jpg"_s << refused << false;
        QTest::newRow("a name whose metadata is a default's") << u"save as"_s << u"default_c.png"_s << refused << false;
        QTest::newRow("Save of a default") << u"save"_s << QString() << QStringList{u"save as Untitled.png"_s} << false;
        QTest::newRow("a maptile over a default")
            << u"maptile"_s << u"Default_A.jpg"_s << QStringList{u"save as maptile.ora"_s, u"warn"_s} << false;
        QTest::newRow("the user's own file beside them")
            << u"save as"_s << u"mine.png"_s << QStringList{u"save as Untitled.png"_s} << true;
    }
    void shippedFilesStayAsTheyAre()
    {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(QStringList, asked);
        QFETCH(bool, written);
        QVERIFY(QDir(m_dir->path()).mkpath(u"sub"_s));
        QVERIFY(QFile::link(path(u"Default_B.jpg"_s), path(u"sub/link.jpg"_s)));
        writeText(path(u"Default_C.dat"_s), "[TILEDATA]\r\n");
        QStringList shipped{u"Default_C.dat"_s};
        for (const QString &name : Workspace::DefaultTilesetNames)
            shipped << name;
        QList<QByteArray> before;
        for (const QString &name : shipped)
            before << readAll(path(name));
        m_workspace->emptyCell(0, {1, 1});
        m_answers.savePath = answer.isEmpty() ? QString() : path(answer);
        const bool saved = command == u"maptile"_s ? m_maptile->saveAs()
            : command == u"save"_s                 ? m_tilesets->save(0)
                                                   : m_tilesets->saveAs(0);
        QCOMPARE(saved, written);
        QCOMPARE(m_answers.asked, asked);
        if (asked.contains(u"warn"_s))
            QVERIFY2(m_answers.texts.front().contains(u"comes with Cryptwright"_s),
                     qPrintable(m_answers.texts.front()));
        for (qsizetype i = 0; i < shipped.size(); ++i)
            QVERIFY2(readAll(path(shipped[i])) == before[i], qPrintable(shipped[i]));
        QCOMPARE(QFileInfo::exists(m_answers.savePath),
                 written || answer.startsWith(u"Default_"_s) || answer.contains(u'/'));
        QCOMPARE(m_workspace->slot(0).isModified(), !written);
    }

    // Save tileset as offers the tileset's own file, but never a default's name nor the folder the
    // defaults are in: then the folder last used for tilesets, else the pictures folder.
    void tilesetSaveOffered_data()
    {
        QTest::addColumn<QString>("loaded"); // into slot B, empty to keep its default
        QTest::addColumn<QString>("setName");
        QTest::addColumn<bool>("remembered"); // a tileset saved in "used" before
        QTest::addColumn<QString>("offered"); // "pictures/" for the user's pictures folder
        QTest::newRow("a default") << QString() << QString() << false << u"pictures/Untitled.png"_s;
        QTest::newRow("a default, a folder used before") << QString() << QString() << true << u"used/Untitled.png"_s;
        QTest::newRow("a default with a set name") << QString() << u"Moss/Stone"_s << true << u"used/Moss-Stone.png"_s;
        QTest::newRow("the user's own") << u"own/cave.jpg"_s << QString() << true << u"own/cave.jpg"_s;
        QTest::newRow("the user's own, as PNG") << u"own/cave.gif"_s << QString() << true << u"own/cave.png"_s;
        QTest::newRow("the user's own beside the defaults") << u"mine.bmp"_s << QString() << true << u"used/mine.bmp"_s;
    }
    void tilesetSaveOffered()
    {
        QFETCH(QString, loaded);
        QFETCH(QString, setName);
        QFETCH(bool, remembered);
        QFETCH(QString, offered);
        QVERIFY(QDir(m_dir->path()).mkpath(u"own"_s) && QDir(m_dir->path()).mkpath(u"used"_s));
        if (remembered) {
            m_tilesets->newEmpty(4);
            m_answers.savePath = path(u"used/e.png"_s);
            QVERIFY(m_tilesets->saveAs(4));
        }
        if (!loaded.isEmpty()) {
            // The reader goes by content.
            QVERIFY(pattern(Geometry::TilesetSize, 3).save(path(loaded), "BMP"));
            QCOMPARE(m_workspace->loadTileset(1, path(loaded)), QString());
        }
        if (!setName.isEmpty()) {
            TileData named;
            named.setName = setName;
            m_workspace->setTileData(1, named);
        }
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        const QString expected = offered.startsWith(u"pictures/"_s)
            ? QDir(QFileInfo(pictures).isDir() ? pictures : QDir::homePath()).filePath(offered.mid(9))
            : path(offered);
        QCOMPARE(m_tilesets->suggestedPath(1), expected);
    }

    // Tilesets loaded at start across starts: each pinned file comes into its slot in place of the default,
    // or of nothing, without an undo step; one removed or broken since is reported, and the slot keeps
    // its default. The pin stays until turned off, and work that reaches a slot first is kept.
    void tilesetsLoadedAtStart()
    {
        const QDir pins(path(u"pins"_s));
        QVERIFY(pins.mkpath(u"."_s));
        const std::pair<int, QString> files[] = {
            {0, u"a.png"_s}, {4, u"e.bmp"_s}, {2, u"gone.png"_s}, {3, u"broken.png"_s}};
        for (const auto &[slot, name] : files) {
            save(pattern(Geometry::TilesetSize, 10 + slot), pins.filePath(name));
            QCOMPARE(m_workspace->loadTileset(slot, pins.filePath(name)), QString());
            m_tilesets->setLoadAtStart(slot, true);
        }
        m_tilesets->newEmpty(7);
        m_tilesets->setLoadAtStart(7, true);
        QCOMPARE(m_answers.asked, (QStringList{u"note"_s, u"note"_s, u"note"_s, u"note"_s, u"warn"_s}));
        QVERIFY(m_answers.texts.front().contains(u"Slot A loads \"a.png\" at every start."_s));
        const QImage pinnedA = m_workspace->slot(0).fullImage();
        QVERIFY(QFile::remove(pins.filePath(u"gone.png"_s)));
        writeText(pins.filePath(u"broken.png"_s), "Walls in B, doors in D.");

        // A start as the editor's: the defaults, then the files loaded at start, with a control that outlives the
        // loads.
        const auto start = [this] {
            m_answers = ScriptedAnswers();
            auto workspace = startWorkspace(m_dir->path());
            auto tilesets =
                std::make_unique<TilesetControl>(*workspace, m_answers, *m_loads, QStringList{m_dir->path()});
            tilesets->loadAtStart();
            return std::pair(std::move(workspace), std::move(tilesets));
        };
        const auto fresh = everythingOf(*startWorkspace(m_dir->path()));
        const auto [second, secondTilesets] = start();
        QTRY_VERIFY(!m_loads->isLoading());
        QCOMPARE(second->slot(0).path(), pins.filePath(u"a.png"_s));
        QCOMPARE(second->slot(0).fullImage(), pinnedA);
        QCOMPARE(second->slot(4).path(), pins.filePath(u"e.bmp"_s));
        QCOMPARE(second->slot(7).path(), QString());
        QVERIFY(std::get<1>(everythingOf(*second))[2] == std::get<1>(fresh)[2]);
        QVERIFY(std::get<1>(everythingOf(*second))[3] == std::get<1>(fresh)[3]);
        QCOMPARE(m_answers.asked, (QStringList{u"warn"_s, u"warn"_s}));
        QCOMPARE(m_answers.texts.front(),
                 u"Cannot open the tileset \"gone.png\" that slot C loads at start: it is "
                 "not in the folder \"%1\"."_s.arg(QDir::toNativeSeparators(pins.path())));
        QVERIFY2(m_answers.texts.back().contains(u"broken.png"_s), qPrintable(m_answers.texts.back()));
        QVERIFY(second->history().count() == 0 && !second->hasUnsavedWork());
        QVERIFY(TilesetControl::loadsAtStart(2));

        secondTilesets->setLoadAtStart(0, false);
        const auto [third, thirdTilesets] = start();
        third->emptyCell(4, {0, 0});
        QTRY_VERIFY(!m_loads->isLoading());
        QVERIFY(std::get<1>(everythingOf(*third))[0] == std::get<1>(fresh)[0]);
        QVERIFY(third->slot(4).path().isEmpty() && third->history().count() == 1);
    }
};

QTEST_MAIN(TestTilesetControl)
#include "tst_tilesetcontrol.moc"
