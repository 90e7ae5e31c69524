#include "app/Workspace.h"
#include "support/TestImages.h"
#include "tilesets/GridPicture.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace TestImages;

namespace {

// Tileset fixtures: every pixel differs, and each slot has its own seed.
const QImage &tilesetPicture(int slot)
{
    static const std::array<QImage, 4> pictures{pattern(Geometry::TilesetSize, 10), pattern(Geometry::TilesetSize, 11),
                                                pattern(Geometry::TilesetSize, 12), pattern(Geometry::TilesetSize, 13)};
    return pictures.at(slot);
}

QImage subtileOf(const QImage &tileset, int column, int row)
{
    return tileset.copy(column * 144, row * 144, 144, 144);
}

QImage paletteCell(const Workspace &workspace, int slot, int column, int row)
{
    return workspace.slot(slot).palette().copy(column * 48, row * 48, 48, 48);
}

bool allSpeedValuesEmpty(const Workspace &workspace)
{
    for (const auto &column : workspace.maptile().speedValues())
        for (const QString &value : column)
            if (!value.isEmpty())
                return false;
    return true;
}

} // namespace

class TestWorkspace : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_defaults.isValid());
        // The reader goes by content, and a bitmap keeps every fixture pixel exact.
        for (int i = 0; i < 4; ++i)
            QVERIFY(tilesetPicture(i).save(m_defaults.filePath(Workspace::DefaultTilesetNames[i]), "BMP"));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void startUpWithAllDefaults()
    {
        Workspace workspace;
        startUp(workspace);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(workspace.slot(i).path(), m_dir->filePath(Workspace::DefaultTilesetNames[i]));
            QCOMPARE(workspace.slot(i).fullImage(), tilesetPicture(i));
        }
        for (int i = 0; i < 8; ++i)
            QCOMPARE(workspace.slot(i).transparency.text(), QString(i == 3 || i == 7 ? "1" : "0"));
        for (int i = 4; i < 8; ++i) {
            QVERIFY(workspace.slot(i).path().isEmpty());
            QCOMPARE(workspace.slot(i).palette(), solid(Geometry::PaletteSize, Geometry::blankColour()));
            QCOMPARE(workspace.setInfo(i), QStringLiteral("UNKNOWN TILESET BY: UNKNOWN CREATOR "));
        }

        QCOMPARE(workspace.buttonRef(Workspace::Left).text(), QStringLiteral("060"));
        QCOMPARE(workspace.buttonRef(Workspace::Middle).text(), QStringLiteral("063"));
        QCOMPARE(workspace.buttonRef(Workspace::Right).text(), QStringLiteral("011"));
        QCOMPARE(workspace.buttonImage(Workspace::Left), workspace.slot(0).palette().copy(288, 0, 48, 48));
        QCOMPARE(workspace.buttonImage(Workspace::Middle), workspace.slot(0).palette().copy(288, 144, 48, 48));
        QCOMPARE(workspace.buttonImage(Workspace::Right), workspace.slot(0).palette().copy(48, 48, 48, 48));

        QCOMPARE(workspace.maptile().master(), solid({720, 864}, Geometry::blankColour()));
        QCOMPARE(workspace.preview().size(), QSize(720, 864));
        QCOMPARE(workspace.workingView().size(), QSize(240, 288));
        QVERIFY(allSpeedValuesEmpty(workspace));
        QVERIFY(!workspace.maptileChanged());
        QVERIFY(workspace.autoNumber());
    }

    void startUpReportsEachMissingDefault_data()
    {
        QTest::addColumn<QList<int>>("missing");
        QTest::newRow("A") << QList<int>{0};
        QTest::newRow("B") << QList<int>{1};
        QTest::newRow("C") << QList<int>{2};
        QTest::newRow("D") << QList<int>{3};
        QTest::newRow("all four") << QList<int>{0, 1, 2, 3};
    }

    void startUpReportsEachMissingDefault()
    {
        QFETCH(QList<int>, missing);
        copyDefaults(missing);
        Workspace workspace;
        QStringList reports;
        QList<int> loadedWhenReported;
        workspace.startUp({m_dir->path()}, [&](const QString &message) {
            reports << message;
            int loaded = 0;
            for (int i = 0; i < 4; ++i)
                loaded += workspace.slot(i).path().isEmpty() ? 0 : 1;
            loadedWhenReported << loaded;
        });

        // One report per missing file, in slot order, each before the next slot is tried.
        QCOMPARE(reports.size(), missing.size());
        for (int k = 0; k < missing.size(); ++k) {
            QVERIFY2(reports[k].contains(Workspace::DefaultTilesetNames[missing[k]]), qPrintable(reports[k]));
            QCOMPARE(loadedWhenReported[k], missing[k] - k);
        }
        for (int i = 0; i < 4; ++i) {
            const TilesetSlot &slot = workspace.slot(i);
            if (!missing.contains(i)) {
                QCOMPARE(slot.fullImage(), tilesetPicture(i));
                continue;
            }
            // The grid still goes over the blank colour.
            QVERIFY(slot.path().isEmpty());
            QCOMPARE(slot.fullImage(), solid(Geometry::TilesetSize, Geometry::blankColour()));
            QCOMPARE(slot.palette().pixel(24, 24), Geometry::blankColour());
            QCOMPARE(slot.palette().pixel(47, 24), GridPicture::LineColour);
        }
        // Grid pieces or not, the buttons show slot A's palette cells.
        QCOMPARE(workspace.buttonImage(Workspace::Left), paletteCell(workspace, 0, 6, 0));
        QCOMPARE(workspace.buttonImage(Workspace::Right), paletteCell(workspace, 0, 1, 1));
        QCOMPARE(workspace.maptile().master().size(), QSize(720, 864));
        QVERIFY(!workspace.maptileChanged());
    }

    void assignByButtonCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("picture");
        QTest::newRow("left") << 1 << int(Workspace::Left);
        QTest::newRow("right") << 2 << int(Workspace::Right);
        QTest::newRow("middle") << 4 << int(Workspace::Middle);
        QTest::newRow("left and right together") << 3 << -1;
    }

    void assignByButtonCode()
    {
        QFETCH(int, code);
        QFETCH(int, picture);
        Workspace workspace;
        startUp(workspace);
        std::array<SubtileRef, 3> refsBefore;
        std::array<QImage, 3> imagesBefore;
        for (int p = 0; p < 3; ++p) {
            refsBefore[p] = workspace.buttonRef(p);
            imagesBefore[p] = workspace.buttonImage(p);
        }
        QSignalSpy changed(&workspace, &Workspace::buttonChanged);
        workspace.setOutlineCell(2, {3, 1});
        workspace.assign(code, 2);

        for (int p = 0; p < 3; ++p) {
            QCOMPARE(workspace.buttonRef(p).text(), p == picture ? QStringLiteral("231") : refsBefore[p].text());
            QCOMPARE(workspace.buttonImage(p), p == picture ? paletteCell(workspace, 2, 3, 1) : imagesBefore[p]);
        }
        QCOMPARE(changed.size(), picture < 0 ? 0 : 1);
        QVERIFY(!workspace.maptileChanged());
    }

    void loadRepaintsButtonsFromThatSlot()
    {
        Workspace workspace;
        startUp(workspace);
        // Assigned from the still empty slot F: its blank palette, no grid.
        workspace.setOutlineCell(5, {2, 1});
        workspace.assign(Workspace::LeftButton, 5);
        QCOMPARE(workspace.buttonImage(Workspace::Left), solid({48, 48}, Geometry::blankColour()));
        const QImage middle = workspace.buttonImage(Workspace::Middle);

        const QString path = m_dir->filePath(QStringLiteral("cave.bmp"));
        save(tilesetPicture(1), path);
        QSignalSpy slotChanged(&workspace, &Workspace::slotChanged);
        QCOMPARE(workspace.loadTileset(5, path), QString());
        QCOMPARE(slotChanged.size(), 1);
        QCOMPARE(workspace.slot(5).path(), path);
        QCOMPARE(workspace.slot(5).fullImage(), tilesetPicture(1));
        QCOMPARE(workspace.buttonImage(Workspace::Left), paletteCell(workspace, 5, 2, 1));
        QCOMPARE(workspace.buttonImage(Workspace::Middle), middle);
        // Loading neither resets the slot's setting nor marks the maptile.
        QCOMPARE(workspace.slot(5).transparency.text(), QStringLiteral("0"));
        QVERIFY(!workspace.maptileChanged());
    }

    void failedLoadLeavesSlotAsItWas_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // a null content writes no file
        QTest::newRow("missing file") << "gone.bmp" << QByteArray();
        QTest::newRow("not a picture") << "junk.bmp" << QByteArray("BM this is not a bitmap");
        QTest::newRow("empty file") << "empty.jpg" << QByteArray("");
    }

    void failedLoadLeavesSlotAsItWas()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        Workspace workspace;
        startUp(workspace);
        workspace.setTransparency(2, TransparencySetting(QStringLiteral("2,40")));
        const QString path = m_dir->filePath(name);
        if (!content.isNull())
            writeText(path, content);

        const TilesetSlot before = workspace.slot(2);
        const QImage rightButton = workspace.buttonImage(Workspace::Right);
        QSignalSpy slotChanged(&workspace, &Workspace::slotChanged);
        QVERIFY(!workspace.loadTileset(2, path).isEmpty());
        const TilesetSlot &after = workspace.slot(2);
        QCOMPARE(after.path(), before.path());
        QCOMPARE(after.fullImage(), before.fullImage());
        QCOMPARE(after.palette(), before.palette());
        QCOMPARE(after.transparency, before.transparency);
        QCOMPARE(workspace.buttonImage(Workspace::Right), rightButton);
        QCOMPARE(slotChanged.size(), 0);
    }

    void placeUsesThePressedButtonsSubtile_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QPoint>("subtile"); // (-1, -1): nothing is placed
        QTest::newRow("left") << 1 << QPoint(6, 0);
        QTest::newRow("right") << 2 << QPoint(1, 1);
        QTest::newRow("middle") << 4 << QPoint(6, 3);
        QTest::newRow("two buttons") << 3 << QPoint(-1, -1);
    }

    void placeUsesThePressedButtonsSubtile()
    {
        QFETCH(int, code);
        QFETCH(QPoint, subtile);
        Workspace workspace;
        startUp(workspace);
        workspace.setAutoNumber(false);
        workspace.chooseSpeedValue({2, 3}, QStringLiteral("3"));
        workspace.setMaptileChanged(false);
        const QImage before = workspace.maptile().master();
        QSignalSpy redrawn(&workspace, &Workspace::redrawn);
        workspace.place(code, {2, 3});

        QImage expected = before;
        if (subtile.x() >= 0) {
            const QImage source = subtileOf(tilesetPicture(0), subtile.x(), subtile.y());
            for (int y = 0; y < 144; ++y)
                for (int x = 0; x < 144; ++x)
                    expected.setPixel(288 + x, 432 + y, source.pixel(x, y));
        }
        QCOMPARE(workspace.maptile().master(), expected);
        QCOMPARE(workspace.maptile().speedValue(2, 3), QStringLiteral("3"));
        QVERIFY(workspace.maptileChanged());
        QCOMPARE(redrawn.size(), 1);
        QCOMPARE(workspace.preview().pixel(288 + 20, 432 + 100), expected.pixel(288 + 20, 432 + 100));
    }

    void placeFollowsTheSlotsTransparency()
    {
        Workspace workspace;
        startUp(workspace);
        workspace.place(Workspace::RightButton, {0, 0});
        const QImage under = workspace.maptile().master().copy(0, 0, 144, 144);

        // Slot D starts keyed: only its subtile's own corner colour is left out.
        workspace.setOutlineCell(3, {4, 2});
        workspace.assign(Workspace::LeftButton, 3);
        workspace.place(Workspace::LeftButton, {0, 0});
        QImage expected = subtileOf(tilesetPicture(3), 4, 2);
        const QRgb key = expected.pixel(0, 0);
        for (int y = 0; y < 144; ++y)
            for (int x = 0; x < 144; ++x)
                if (expected.pixel(x, y) == key)
                    expected.setPixel(x, y, under.pixel(x, y));
        QCOMPARE(workspace.maptile().master().copy(0, 0, 144, 144), expected);

        // A later change of the setting leaves what was placed; later placements follow it.
        workspace.setTransparency(3, TransparencySetting(QStringLiteral("0")));
        QCOMPARE(workspace.maptile().master().copy(0, 0, 144, 144), expected);
        workspace.place(Workspace::LeftButton, {1, 0});
        QCOMPARE(workspace.maptile().master().copy(144, 0, 144, 144), subtileOf(tilesetPicture(3), 4, 2));
    }

    void autoNumbering()
    {
        writeText(m_dir->filePath(QStringLiteral("Default_A.dat")), "[TILEDATA]\n60=\" 3 \"\n63=1/T\n");
        Workspace workspace;
        startUp(workspace);

        workspace.place(Workspace::LeftButton, {2, 2});
        QCOMPARE(workspace.maptile().speedValue(2, 2), QStringLiteral("3"));
        // No entry for the right button's subtile: the earlier value is cleared.
        workspace.chooseSpeedValue({1, 1}, QStringLiteral("X"));
        workspace.place(Workspace::RightButton, {1, 1});
        QCOMPARE(workspace.maptile().speedValue(1, 1), QString());
        // From a slot without a tileset file: cleared too.
        workspace.chooseSpeedValue({0, 0}, QStringLiteral("2"));
        workspace.assign(Workspace::MiddleButton, 6);
        workspace.place(Workspace::MiddleButton, {0, 0});
        QCOMPARE(workspace.maptile().speedValue(0, 0), QString());

        // A space outside the table stores nothing.
        const SpeedValues values = workspace.maptile().speedValues();
        workspace.place(Workspace::LeftButton, {5, 0});
        workspace.place(Workspace::LeftButton, {-1, 2});
        QVERIFY(workspace.maptile().speedValues() == values);

        // Off: placing keeps the space's value.
        workspace.setAutoNumber(false);
        workspace.chooseSpeedValue({2, 2}, QStringLiteral("4"));
        workspace.place(Workspace::LeftButton, {2, 2});
        QCOMPARE(workspace.maptile().speedValue(2, 2), QStringLiteral("4"));
    }

    void chooseSpeedValue_data()
    {
        QTest::addColumn<QPoint>("space");
        QTest::addColumn<bool>("stored");
        QTest::newRow("inside") << QPoint(1, 1) << true;
        QTest::newRow("right of the table") << QPoint(5, 0) << false;
        QTest::newRow("left of the view") << QPoint(-1, 0) << false;
    }

    void chooseSpeedValue()
    {
        QFETCH(QPoint, space);
        QFETCH(bool, stored);
        Workspace workspace;
        startUp(workspace);
        const QImage before = workspace.preview();
        QSignalSpy redrawn(&workspace, &Workspace::redrawn);
        workspace.chooseSpeedValue(space, QStringLiteral("1/X"));
        QCOMPARE(workspace.maptile().speedValue(space.x(), space.y()), stored ? QStringLiteral("1/X") : QString());
        QCOMPARE(allSpeedValuesEmpty(workspace), !stored);
        QCOMPARE(redrawn.size(), 1);
        QVERIFY(workspace.maptileChanged());
        QCOMPARE(workspace.preview() != before, stored);
    }

    void sizeChangeMarksOnlyADifferentSize()
    {
        Workspace workspace;
        startUp(workspace);
        QSignalSpy redrawn(&workspace, &Workspace::redrawn);
        workspace.setSize(5, 6);
        QVERIFY(!workspace.maptileChanged());
        QCOMPARE(redrawn.size(), 1);

        workspace.setSize(3, 4);
        QVERIFY(workspace.maptileChanged());
        QCOMPARE(workspace.maptile().master().size(), QSize(432, 576));
        QCOMPARE(workspace.preview().size(), QSize(432, 576));
        QCOMPARE(workspace.workingView().size(), QSize(144, 192));

        workspace.setMaptileChanged(false);
        workspace.setSize(3, 4);
        QVERIFY(!workspace.maptileChanged());
        workspace.setSize(3, 5); // only the height differs
        QVERIFY(workspace.maptileChanged());
        QCOMPARE(redrawn.size(), 4);
    }

    void openImageClearsSpeedValuesAndNumber()
    {
        Workspace workspace;
        startUp(workspace);
        workspace.setMapNumText(QStringLiteral("12"));
        workspace.chooseSpeedValue({4, 5}, QStringLiteral("2"));
        workspace.setMaptileChanged(false);
        QSignalSpy numberChanged(&workspace, &Workspace::mapNumTextChanged);

        const QImage picture = pattern({500, 450}, 7);
        workspace.openImage(picture);
        QCOMPARE(workspace.maptile().master(), picture.copy(0, 0, 432, 432));
        QVERIFY(allSpeedValuesEmpty(workspace));
        QCOMPARE(workspace.mapNumText(), QString());
        QCOMPARE(numberChanged.size(), 1);
        QVERIFY(workspace.maptileChanged()); // emptying the number is an edit
        QCOMPARE(workspace.workingView().size(), QSize(144, 144));
        QCOMPARE(workspace.preview().copy(10, 10, 31, 49), picture.copy(10, 10, 31, 49));

        // With the number already empty, opening leaves the flag as it was.
        workspace.setMaptileChanged(false);
        workspace.openImage(pattern({720, 864}, 8));
        QVERIFY(!workspace.maptileChanged());
        QCOMPARE(workspace.preview().size(), QSize(720, 864));
    }

private:
    // Copies the default tilesets, all but those missing, into the test's folder.
    void copyDefaults(const QList<int> &missing = {})
    {
        for (int i = 0; i < 4; ++i) {
            const QString &name = Workspace::DefaultTilesetNames[i];
            if (!missing.contains(i))
                QVERIFY(QFile::copy(m_defaults.filePath(name), m_dir->filePath(name)));
        }
    }

    void startUp(Workspace &workspace)
    {
        copyDefaults();
        QStringList reports;
        workspace.startUp({m_dir->path()}, [&](const QString &message) { reports << message; });
        QCOMPARE(reports, QStringList());
    }

    QTemporaryDir m_defaults; // written once: bitmaps under the default names
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
