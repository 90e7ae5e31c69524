#include "document/DocumentReader.h"
#include "output/MaptileSaver.h"
#include "raster/RasterOps.h"
#include "support/WorkspaceFixture.h"
#include "workspace/SubtilePicker.h"

#include <QPainter>
#include <QTest>

using namespace TestImages;
using namespace Qt::StringLiterals;
using Geometry::SpaceSize;

namespace {

// One subtile laid: where, which cell of which slot, turned by which keys.
struct Laid
{
    QPoint space;
    int slot;
    QPoint cell;
    QString keys;
};

// A subtile laid onto the maptile as the mouse buttons lay it.
void paintLaid(QImage &maptile, const Laid &laid, const QImage &tileset, const TransparencySetting &how)
{
    const QRect space(laid.space * SpaceSize, QSize(SpaceSize, SpaceSize));
    const QImage cell = tileset.copy(QRect(laid.cell * SpaceSize, space.size()));
    const QImage painted = laidByHand(maptile.copy(space), cell, laid.keys, how);
    QPainter(&maptile).drawImage(space.topLeft(), painted);
}

} // namespace

// What the workspace records of how the maptile was laid, checked against painting the same
// placements by hand: through every change, a document, an update from a fixed tileset, and pick.
class TestWorkspaceRecords : public WorkspaceFixture
{
    Q_OBJECT

    // Slot F holding the ringed tileset "Rings" by the setting; the maptile the picture opened.
    QImage withRings(Workspace &w, const QString &setting)
    {
        const QString set = m_dir->filePath(u"rings.bmp"_s);
        save(ringedTileset(4), set);
        writeText(TileData::datPath(set), "[TILEDATA]\nSETNAME=Rings\n");
        [&] { QCOMPARE(w.loadTileset(5, set), QString()); }();
        w.setTransparency(5, TransparencySetting(setting));
        const QImage opened = pattern({720, 864}, 6);
        w.openImage(opened);
        return opened.convertToFormat(RasterOps::Format);
    }

private slots:
    void init() { startInFreshFolder(); }

    // The maptile's records laid over their base give the master byte for byte after every change, as
    // painting the same placements over the opened picture does; a fixed tileset lays every placement
    // from it again, as painting them afresh with it does, as one step.
    void recordsGiveTheMasterExactly_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("then");
        const char *thens[] = {"undo", "resize", "clear", "update", "document"};
        int row = 0;
        // Keyed, blended at the default strength, in part and as a plain copy.
        for (const char *setting : {"0", "1", "2", "2,90", "2,255"})
            for (const char *keys : {"", "Z", "zX", "YZ", "Y"}) {
                const char *then = thens[row++ % 5];
                QTest::addRow("%s, %s, %s", setting, keys, then) << setting << keys << then;
            }
    }
    void recordsGiveTheMasterExactly()
    {
        QFETCH(QString, setting);
        QFETCH(QString, keys);
        QFETCH(QString, then);
        Workspace &w = *m_workspace;
        const QImage opened = withRings(w, setting);
        const QImage sheets[] = {w.slot(0).fullImage(), w.slot(5).fullImage()};
        const auto exact = [&w] { return w.records().compose() == w.maptile().master(); };
        // Slot A's plain subtile first, then the rings turned, a second over the first, and a stroke.
        const QList<Laid> laid{{{4, 4}, 0, {6, 3}, ""},   {{1, 1}, 5, {4, 2}, keys}, {{1, 1}, 5, {2, 0}, ""},
                               {{3, 2}, 5, {4, 2}, keys}, {{4, 2}, 5, {4, 2}, keys}, {{4, 3}, 5, {4, 2}, keys}};
        const auto painted = [&](const QImage &rings) {
            QImage maptile = opened;
            for (const Laid &l : laid)
                paintLaid(maptile, l, l.slot == 0 ? sheets[0] : rings,
                          l.slot == 0 ? TransparencySetting() : TransparencySetting(setting));
            return maptile;
        };
        w.place(Workspace::MiddleButton, {4, 4});
        w.setOutlineCell(5, {4, 2});
        w.assign(Workspace::LeftButton, 5);
        const QImage plainButton = w.buttonImage(Workspace::Left);
        turn(w, keys);
        QCOMPARE(w.buttonImage(Workspace::Left), turnedByKeys(plainButton, keys)); // the button shows the turn
        w.place(Workspace::LeftButton, {1, 1});
        QVERIFY(exact());
        w.setOutlineCell(5, {2, 0});
        w.assign(Workspace::RightButton, 5);
        w.place(Workspace::RightButton, {1, 1});
        w.beginStroke(Workspace::LeftButton, {3, 2});
        w.continueStroke({4, 2});
        w.continueStroke({4, 3});
        w.endStroke();
        const QImage after = painted(sheets[1]);
        QVERIFY(w.maptile().master() == after && exact());

        if (then == u"undo") {
            for (int i = 0; i < 4; ++i)
                w.undo();
            QVERIFY(w.maptile().master() == opened && exact() && !w.records().hasPlacements());
            for (int i = 0; i < 4; ++i)
                w.redo();
        } else if (then == u"resize") { // the cut-off spaces take slot A's copy with them; undo brings both back
            w.setSize(3, 3);
            QVERIFY(w.maptile().master() == after.copy(0, 0, 3 * SpaceSize, 3 * SpaceSize) && exact());
            QCOMPARE(w.records().copies().size(), 1u);
            w.undo();
        } else if (then == u"clear") {
            w.blankMaptile(5, 6);
            QVERIFY(exact() && !w.records().hasPlacements() && w.maptile().isBlank({1, 1}));
            w.undo();
        } else if (then == u"update") {
            // A slot holding no tileset laid here changes nothing and records no step.
            const int steps = w.history().count();
            QCOMPARE(w.updateFromSlot(1), 0);
            QCOMPARE(w.history().count(), steps);
            w.replaceSubtile(5, 4, 2, ringedTileset(8).copy(0, 0, SpaceSize, SpaceSize));
            QVERIFY(w.maptile().master() == after); // an edit alone reaches no space
            // A speed value the old metadata gave takes the fixed one's, in the same step; one chosen stays.
            w.chooseSpeedValue({4, 3}, u"chosen"_s);
            TileData data = w.slot(5).tileData();
            data.setSpeedValue(4, 2, u"97"_s);
            w.setTileData(5, data);
            const SpeedValues speed = w.maptile().speedValues();
            QCOMPARE(w.updateFromSlot(5), 4);
            QVERIFY(w.maptile().speedValue(3, 2) == u"97"_s && w.maptile().speedValue(4, 2) == u"97"_s);
            QVERIFY(w.maptile().speedValue(4, 3) == u"chosen"_s && w.maptile().speedValue(1, 1) == speed[1][1]);
            QVERIFY(w.maptile().master() == painted(w.slot(5).fullImage()) && exact());
            QVERIFY(w.records().copies().back().picture == w.slot(5).fullImage()); // a save carries the fix
            w.undo();
            QVERIFY(w.maptile().speedValues() == speed);
        } else { // kept through a document; one whose pixels another program changed keeps them as its base
            const QString path = m_dir->filePath(u"laid.ora"_s);
            QCOMPARE(MaptileSaver::save(w, path), QString());
            QString error;
            MaptileDocument document = DocumentReader::read(path, &error);
            const auto other = startWorkspace(m_dir->path());
            other->openDocument(document, path);
            QVERIFY(other->maptile().master() == after && other->records().hasPlacements());
            QVERIFY(other->records().compose() == after);
            QImage touched = document.maptile.master();
            touched.setPixel(5, 5, 0xff102030);
            document.maptile.setMaster(touched);
            other->openDocument(document, path);
            QVERIFY(!other->records().hasPlacements() && other->records().compose() == touched);
            other->undo();
            QVERIFY(other->records().hasPlacements() && other->records().compose() == after);
        }
        QVERIFY(w.maptile().master() == after && exact());
    }

    // I gives the left button the subtile on top of a space, turned as it lay: from a slot holding its
    // tileset, or else from the maptile's own copy in the first free slot among E-H. A space showing only
    // the picture opened, or no free slot, picks nothing.
    void pickGivesBackTheTopSubtile()
    {
        Workspace &w = *m_workspace;
        withRings(w, u"1"_s);
        w.setOutlineCell(5, {4, 2});
        w.assign(Workspace::LeftButton, 5);
        turn(w, u"ZX"_s);
        const QImage laid = w.buttonSubtile(Workspace::Left);
        w.place(Workspace::LeftButton, {2, 2});
        w.assign(Workspace::LeftButton, 0);
        QCOMPARE(SubtilePicker::pick(w, {2, 2}).outcome, SubtilePicker::Picked);
        QVERIFY(w.buttonRef(Workspace::Left) == (SubtileRef{5, 4, 2}) && w.buttonSubtile(Workspace::Left) == laid);
        QCOMPARE(SubtilePicker::pick(w, {0, 0}).outcome, SubtilePicker::OnlyBase);
        QCOMPARE(SubtilePicker::pick(w, {5, 0}).outcome, SubtilePicker::OutsideMaptile);

        const QString path = m_dir->filePath(u"picked.ora"_s);
        QCOMPARE(MaptileSaver::save(w, path), QString());
        QString error;
        const MaptileDocument document = DocumentReader::read(path, &error);
        const auto elsewhere = startWorkspace(m_dir->path()); // slots E-H empty, no "Rings" anywhere
        elsewhere->openDocument(document, path);
        const SubtilePicker::Result taken = SubtilePicker::pick(*elsewhere, {2, 2});
        QVERIFY(taken.outcome == SubtilePicker::TakenIntoSlot && taken.slot == 4 && taken.tileset == u"Rings");
        QVERIFY(elsewhere->buttonSubtile(Workspace::Left) == laid && elsewhere->slot(4).isModified());
        elsewhere->place(Workspace::LeftButton, {3, 3}); // laid from the same copy
        QCOMPARE(elsewhere->records().copies().size(), 1u);

        const auto full = startWorkspace(m_dir->path());
        full->openDocument(document, path);
        for (int slot = 4; slot < 8; ++slot)
            QCOMPARE(full->loadTileset(slot, m_dir->filePath(Workspace::DefaultTilesetNames[0])), QString());
        const SubtileRef before = full->buttonRef(Workspace::Left);
        QCOMPARE(SubtilePicker::pick(*full, {2, 2}).outcome, SubtilePicker::NoSlotFree);
        QVERIFY(full->buttonRef(Workspace::Left) == before);
    }
};

QTEST_MAIN(TestWorkspaceRecords)
#include "tst_workspacerecords.moc"
