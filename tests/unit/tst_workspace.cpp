#include "app/Workspace.h"
#include "output/MaptileOpener.h"
#include "output/MaptileSaver.h"
#include "support/TestImages.h"

#include <QTemporaryDir>

using namespace TestImages;

namespace {

// Everything a change of the maptile may touch, as the user sees it.
auto stateOf(const Workspace &w)
{
    return std::tuple(w.preview(), w.maptile().speedValues(), w.mapNumText(), w.designerText());
}

using Action = std::function<void(Workspace &)>;

} // namespace

Q_DECLARE_METATYPE(Action)

// The run-wide state below the windows: placing and numbering, the undo history
// of every maptile change, and the maptile saved to and opened from files.
// Pressing, assigning, sizing and loading are checked through the windows, failed
// loads and saves by the hostile-input test, where the whole state is compared.
class TestWorkspace : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Workspace> m_workspace;

    // Something to lose: a picture on every space, numbers and texts; the left button's subtile blends.
    Workspace &withWork()
    {
        Workspace &w = *m_workspace;
        w.openImage(pattern({720, 864}, 5));
        w.setTransparency(0, TransparencySetting(QStringLiteral("2,90")));
        w.setMapNumText(QStringLiteral("12"));
        w.setDesignerText(QStringLiteral("Ann"));
        w.chooseSpeedValue({4, 5}, QStringLiteral("X"));
        w.undoStack().clear();
        return w;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // The reader goes by content, and bitmaps keep every pixel exact.
        for (int i = 0; i < 4; ++i)
            QVERIFY(pattern(Geometry::TilesetSize, i).save(m_dir->filePath(Workspace::DefaultTilesetNames[i]), "BMP"));
        m_workspace = std::make_unique<Workspace>();
        m_workspace->startUp({m_dir->path()}, [](const QString &message) { QFAIL(qPrintable(message)); });
    }

    // Reading ahead only saves time: start-up takes the tilesets of its own folders.
    void startUpAfterReadingAhead_data()
    {
        QTest::addColumn<bool>("sameFolder");
        QTest::newRow("same folder") << true;
        QTest::newRow("another folder") << false;
    }

    void startUpAfterReadingAhead()
    {
        QFETCH(bool, sameFolder);
        QTemporaryDir other;
        for (int i = 0; i < 4; ++i)
            QVERIFY(pattern(Geometry::TilesetSize, 10 + i).save(other.filePath(Workspace::DefaultTilesetNames[i]), "BMP"));
        Workspace w;
        w.readDefaultsAhead({sameFolder ? m_dir->path() : other.path()});
        w.startUp({m_dir->path()}, [](const QString &message) { QFAIL(qPrintable(message)); });
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(w.slot(i).path(), m_dir->filePath(Workspace::DefaultTilesetNames[i]));
            QVERIFY(w.slot(i).fullImage() == m_workspace->slot(i).fullImage() && w.slot(i).hasPalette());
            QVERIFY(w.slot(i).palette() == m_workspace->slot(i).palette());
        }
    }

    void placingNumbersTheSpace()
    {
        Workspace &w = *m_workspace;
        writeText(m_dir->filePath(QStringLiteral("Default_A.dat")), "[TILEDATA]\n60=\" 3 \"\n");
        w.place(Workspace::LeftButton, {2, 2});
        QCOMPARE(w.maptile().speedValue(2, 2), "3");
        // No entry for the subtile, or no tileset file: the earlier value goes.
        w.chooseSpeedValue({1, 1}, QStringLiteral("X"));
        w.place(Workspace::RightButton, {1, 1});
        w.chooseSpeedValue({0, 0}, QStringLiteral("2"));
        w.assign(Workspace::MiddleButton, 6);
        w.place(Workspace::MiddleButton, {0, 0});
        QCOMPARE(w.maptile().speedValue(1, 1) + w.maptile().speedValue(0, 0), QString());
        // A space outside the table stores nothing, placed or chosen; two buttons at once place nothing.
        const auto before = stateOf(w);
        for (QPoint space : {QPoint(5, 0), QPoint(-1, 2)}) {
            w.place(Workspace::LeftButton, space);
            w.chooseSpeedValue(space, QStringLiteral("X"));
        }
        w.place(Workspace::LeftButton | Workspace::RightButton, {2, 0});
        QVERIFY(stateOf(w) == before);
        // Off: placing keeps the space's value.
        w.setAutoNumber(false);
        w.place(Workspace::RightButton, {2, 2});
        QCOMPARE(w.maptile().speedValue(2, 2), "3");
    }

    void everyChangeUndoesAndRedoesExactly_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Action>("action");
        const QSize full(5, 6);
        QTest::newRow("placement") << full << Action([](Workspace &w) { w.place(Workspace::LeftButton, {2, 3}); });
        // Only its speed value changes: no tile data for the fixture tilesets.
        QTest::newRow("placement off the maptile")
            << QSize(3, 3) << Action([](Workspace &w) { w.place(Workspace::LeftButton, {4, 5}); });
        QTest::newRow("speed value")
            << full << Action([](Workspace &w) { w.chooseSpeedValue({1, 1}, QStringLiteral("1/T")); });
        QTest::newRow("clear") << full << Action([](Workspace &w) { w.blankMaptile(4, 3); });
        QTest::newRow("shrink") << full << Action([](Workspace &w) { w.setSize(3, 4); });
        QTest::newRow("open image") << full << Action([](Workspace &w) { w.openImage(pattern({500, 450}, 7)); });
        QTest::newRow("maptile number") << full << Action([](Workspace &w) { w.setMapNumText(QStringLiteral("7")); });
        QTest::newRow("designer") << full << Action([](Workspace &w) { w.setDesignerText(QString()); });
    }

    void everyChangeUndoesAndRedoesExactly()
    {
        QFETCH(QSize, size);
        QFETCH(Action, action);
        Workspace &w = withWork();
        w.setSize(size.width(), size.height());
        w.undoStack().clear();
        const auto before = stateOf(w);
        action(w);
        const auto after = stateOf(w);
        QVERIFY(after != before);
        QCOMPARE(w.undoStack().count(), 1);
        // A second round trip catches a command that only works once.
        for (int round = 0; round < 2; ++round) {
            w.setMaptileChanged(false);
            w.undo();
            QVERIFY(stateOf(w) == before && w.maptileChanged());
            w.setMaptileChanged(false);
            w.redo();
            QVERIFY(stateOf(w) == after && w.maptileChanged());
        }
    }

    void newChangeDropsTheRedoBranch()
    {
        Workspace &w = withWork();
        const auto start = stateOf(w);
        w.place(Workspace::LeftButton, {0, 0});
        w.place(Workspace::LeftButton, {1, 0});
        w.undo();
        w.chooseSpeedValue({0, 0}, QStringLiteral("X"));
        const auto branch = stateOf(w);
        w.redo(); // nothing left to redo: the undone placement is gone
        QVERIFY(stateOf(w) == branch);
        w.undo();
        w.undo();
        QVERIFY(stateOf(w) == start && !w.undoStack().canUndo());
    }

    void typingIsOneStepPerBoxUntilFocusLeaves()
    {
        Workspace &w = withWork();
        for (const QString &text : {u"1"_qs, u"15"_qs, u"B"_qs, u"Bo"_qs, u"Bob"_qs})
            text[0].isDigit() ? w.setMapNumText(text) : w.setDesignerText(text);
        w.endTypingStep();
        w.setDesignerText(QStringLiteral("Bob!"));
        w.setDesignerText(QStringLiteral("Bob")); // typed and taken back: no step
        QCOMPARE(w.undoStack().count(), 2);
        w.undo();
        QVERIFY(w.designerText() == QStringLiteral("Ann") && w.mapNumText() == QStringLiteral("15"));
        w.undo();
        QCOMPARE(w.mapNumText(), QStringLiteral("12"));
    }

    void thousandPlacementsStayUnderAHundredMegabytes()
    {
        Workspace &w = withWork();
        const qint64 before = processKb("VmRSS");
        for (int i = 0; i < 1000; ++i)
            w.place(Workspace::LeftButton, QPoint(i % 5, (i / 5) % 6));
        const qint64 grown = processKb("VmRSS") - before;
        qInfo("1,000 placements took %lld KiB of undo history", grown);
        QVERIFY2(grown < 100 * 1024, qPrintable(QString::number(grown)));
        QCOMPARE(w.undoStack().count(), 1000);
    }

    void savedFileFollowsTheTypedNameAndTheOptions()
    {
        // A picture of 300 dpi, as one opened from a scanner's file would be.
        QImage scanned = pattern(QSize(432, 576), 3);
        scanned.setDotsPerMeterX(11811);
        scanned.setDotsPerMeterY(11811);
        Workspace &w = *m_workspace;
        w.openImage(scanned);
        for (const auto &[name, magic] : {std::pair("m.JpEg", "\xFF\xD8"), std::pair("m.PNG", "\x89PNG"),
                                          std::pair("m.jpg.bak", "BM"), std::pair("m", "BM")}) {
            const QString path = m_dir->filePath(name);
            // Only a lossless save marks the maptile unchanged.
            w.setMaptileChanged(true);
            QCOMPARE(MaptileSaver::save(w, path), QString());
            QVERIFY2(readAll(path).startsWith(magic) && w.maptileChanged() == (magic[0] == '\xFF'), name);
            // Also for a picture of another density written in the format.
            QCOMPARE(MaptileSaver::write(scanned, path, MaptileSaver::formatFor(path)), QString());
            QCOMPARE(QPoint(QImage(path).dotsPerMeterX(), QImage(path).dotsPerMeterY()) * 0.0254, QPoint(96, 96));
        }
        // The bitmap: 24 bits per pixel, uncompressed.
        QCOMPARE(readAll(m_dir->filePath(QStringLiteral("m"))).mid(28, 6), QByteArray("\x18\0\0\0\0\0", 6));
        // JPEG quality and scan mode as chosen.
        const auto jpeg = [&](JpegOptions options) {
            const QString path = m_dir->filePath(QStringLiteral("m.jpg"));
            return MaptileSaver::write(scanned, path, MaptileSaver::Format::Jpeg, options).isEmpty() ? readAll(path)
                                                                                                    : QByteArray();
        };
        const QByteArray low = jpeg({1, false}), high = jpeg({100, false}), progressive = jpeg({50, true});
        QVERIFY(!low.isEmpty() && low.size() * 2 < high.size());
        // The frame header's marker, 0xC0 baseline or 0xC2 progressive: elsewhere 0xFF is never followed by either.
        QVERIFY(low.contains("\xFF\xC0") && !progressive.contains("\xFF\xC0") && progressive.contains("\xFF\xC2"));
    }

    void openingAPicture()
    {
        const QString path = m_dir->filePath(QStringLiteral("map.bmp"));
        // Ragged edges dropped, cut to 5 x 6, wide and low; one pixel short of a space is refused.
        const std::pair<QSize, QSize> cases[]{{{500, 450}, {3, 3}}, {{2000, 2000}, {5, 6}}, {{900, 300}, {5, 2}},
                                              {{143, 800}, {}}};
        for (const auto &[size, spaces] : cases) {
            save(pattern(size), path);
            Workspace &w = withWork();
            w.setMaptileChanged(false);
            const auto before = stateOf(w);
            const QString error = MaptileOpener::open(w, path);
            if (spaces.isEmpty()) // a message naming the file, and the maptile, number and speed values as they were
                QVERIFY2(error.contains("map.bmp") && stateOf(w) == before && !w.maptileChanged(), qPrintable(error));
            else // the maptile number and speed values go with the old maptile, and that is an edit
                QVERIFY(error.isEmpty() && w.maptile().master() == pattern(spaces * 144) && w.mapNumText().isEmpty()
                        && w.maptile().speedValue(4, 5).isEmpty() && w.maptileChanged());
        }
    }
};

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
