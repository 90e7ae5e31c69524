#include "app/Workspace.h"
#include "support/TestImages.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Geometry;
using namespace TestImages;

// The run-wide state below the windows: start-up, loading, placing, numbering.
// Pressing, assigning, choosing and sizing are checked through the windows, a
// failed load by the hostile-input test, where the whole state is compared.
class TestWorkspace : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Workspace> m_workspace;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        // The reader goes by content, and bitmaps keep every pixel exact.
        for (int i = 0; i < 4; ++i)
            QVERIFY(pattern(TilesetSize, i).save(m_dir->filePath(Workspace::DefaultTilesetNames[i]), "BMP"));
        m_workspace = std::make_unique<Workspace>();
        m_workspace->startUp({m_dir->path()}, [](const QString &message) { QFAIL(qPrintable(message)); });
    }

    void startUpFillsTheSlots()
    {
        for (int i = 0; i < 8; ++i) {
            const QImage expected = i < 4 ? pattern(TilesetSize, i) : solid(TilesetSize, blankColour());
            QCOMPARE(m_workspace->slot(i).fullImage(), expected);
            QCOMPARE(m_workspace->slot(i).transparency.text(), i == 3 || i == 7 ? "1" : "0");
        }
    }

    void loadRepaintsTheButtonsAssignedFromTheSlot()
    {
        Workspace &w = *m_workspace;
        w.setOutlineCell(5, {2, 1});
        w.assign(Workspace::LeftButton, 5); // from the still empty slot F
        const QImage middle = w.buttonImage(Workspace::Middle);
        QSignalSpy changed(&w, &Workspace::slotChanged);
        const QString path = m_dir->filePath(QStringLiteral("cave.bmp"));
        save(pattern(TilesetSize, 7), path);
        QCOMPARE(w.loadTileset(5, path), QString());
        QCOMPARE(changed.size(), 1);
        QCOMPARE(w.slot(5).path(), path);
        QCOMPARE(w.slot(5).fullImage(), pattern(TilesetSize, 7));
        QCOMPARE(w.buttonImage(Workspace::Left), w.slot(5).palette().copy(2 * 48, 48, 48, 48));
        QCOMPARE(w.buttonImage(Workspace::Middle), middle);
        QVERIFY(!w.maptileChanged());
    }

    void placingFollowsTheSlotsTransparency()
    {
        Workspace &w = *m_workspace;
        // Slot D starts keyed: only its subtile's own corner colour is left out.
        w.setOutlineCell(3, {4, 2});
        w.assign(Workspace::LeftButton, 3);
        w.place(Workspace::LeftButton, {0, 0});
        const QImage subtile = pattern(TilesetSize, 3).copy(4 * 144, 2 * 144, 144, 144);
        // A later change of the setting leaves what was placed; later placements follow it.
        w.setTransparency(3, TransparencySetting(QStringLiteral("0")));
        w.place(Workspace::LeftButton, {1, 0});
        QCOMPARE(w.maptile().master().copy(0, 0, 288, 144), make({288, 144}, [&](int x, int y) {
                     const QRgb s = subtile.pixel(x % 144, y);
                     return x < 144 && s == subtile.pixel(0, 0) ? blankColour() : s;
                 }));
        // Two buttons at once (left and right) assign and place nothing.
        const QImage placed = w.maptile().master();
        w.assign(Workspace::LeftButton | Workspace::RightButton, 1);
        w.place(Workspace::LeftButton | Workspace::RightButton, {2, 0});
        QCOMPARE(w.maptile().master(), placed);
        QCOMPARE(w.buttonRef(Workspace::Left).text() + w.buttonRef(Workspace::Right).text(), "342011");
    }

    void autoNumbering()
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
        // A space outside the table stores nothing, placed or chosen.
        const SpeedValues values = w.maptile().speedValues();
        for (QPoint space : {QPoint(5, 0), QPoint(-1, 2)}) {
            w.place(Workspace::LeftButton, space);
            w.chooseSpeedValue(space, QStringLiteral("X"));
        }
        QVERIFY(w.maptile().speedValues() == values);
        // Off: placing keeps the space's value.
        w.setAutoNumber(false);
        w.place(Workspace::RightButton, {2, 2});
        QCOMPARE(w.maptile().speedValue(2, 2), "3");
    }
};

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
