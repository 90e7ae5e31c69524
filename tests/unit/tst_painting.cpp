#include "support/WorkspaceFixture.h"

#include "output/MaptileSaver.h"
#include "workspace/MaptileOpener.h"

#include <QTemporaryDir>

using namespace TestImages;

namespace {

using Geometry::SpaceSize;
constexpr int Slot = 5;
constexpr QPoint Cell{4, 2};

// The bytes a step may hold for spaces covered and subtiles laid: their pixels and a little more, and
// the maptile's records with the picture they were laid over.
bool holdsOnly(Workspace &w, int spaces, int subtiles)
{
    const qint64 pixels = qint64(spaces + subtiles) * SpaceSize * SpaceSize * 3, held = w.history().bytes();
    const qint64 records = w.records().bytes() + w.records().base().sizeInBytes();
    return held >= pixels && held < pixels + 256 * (spaces + 1) + records;
}

} // namespace

// Painting beyond one press: strokes, fills and variations, each against the same spaces placed one
// by one. How a turned subtile is laid is the records test's, against plain pixel loops.
class TestPainting : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A picture on every space but the blank ones, a value on every space of the table, and the left
    // and right buttons on a subtile whose top-left colour is also a ring inside it, numbered "1/T".
    std::unique_ptr<Workspace> started(const QString &setting, const QList<QPoint> &blank = {}, QSize size = {5, 6})
    {
        auto w = startWorkspace(m_dir.path());
        w->loadTileset(Slot, m_dir.filePath(QStringLiteral("set.bmp")));
        w->setTransparency(Slot, TransparencySetting(setting));
        w->setOutlineCell(Slot, Cell);
        w->assign(Workspace::LeftButton, Slot);
        w->assign(Workspace::RightButton, Slot);
        const QImage noise = pattern({720, 864}, 9);
        w->openImage(make(noise.size(), [&](int x, int y) {
            const qsizetype at = blank.indexOf(QPoint(x / SpaceSize, y / SpaceSize));
            const bool kept = at == 0 && x % SpaceSize == 143 && y % SpaceSize == 143;
            return at >= 0 && !kept ? Geometry::blankColour() : noise.pixel(x, y);
        }));
        for (int i = 0; i < 30; ++i)
            w->chooseSpeedValue({i % 5, i / 5}, QStringLiteral("X"));
        w->setSize(size.width(), size.height());
        w->history().clear();
        return w;
    }

private slots:
    void initTestCase()
    {
        writeDefaultTilesets(m_dir.path());
        save(ringedTileset(3), m_dir.filePath(QStringLiteral("set.bmp")));
        writeText(m_dir.filePath(QStringLiteral("set.dat")), "[TILEDATA]\n42=1/T\n");
    }

    // A stroke lays each space of the maptile it enters once (blended, twice would show), off the maptile
    // nothing, not even a speed value; a fill lays every space showing only the blank colour. Each is what
    // placing those spaces one by one lays, as one step holding only the covered spaces.
    void layingManyIsLayingEach_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QPoint>>("blank"); // all blank but the first, which keeps one pixel
        QTest::addColumn<QList<QPoint>>("path"); // the press, then the spaces entered; none: a fill
        QTest::addColumn<QList<QPoint>>("placed");
        const QSize full(5, 6);
        QTest::newRow("stroke back over itself, past a small maptile")
            << "2,100" << QSize(3, 3) << QList<QPoint>()
            << QList<QPoint>{{1, 2}, {2, 2}, {1, 2}, {3, 2}, {4, 2}, {4, 3}, {2, 3}} << QList<QPoint>{{1, 2}, {2, 2}};
        QTest::newRow("fill, keyed") << "1" << full << QList<QPoint>{{1, 1}, {0, 0}, {4, 0}, {2, 3}, {4, 5}}
                                     << QList<QPoint>() << QList<QPoint>{{0, 0}, {4, 0}, {2, 3}, {4, 5}};
        QTest::newRow("fill, blended") << "2,60" << full << QList<QPoint>{{0, 0}, {1, 5}, {3, 2}} << QList<QPoint>()
                                       << QList<QPoint>{{3, 2}, {1, 5}};
        QList<QPoint> all;
        for (int i = 0; i < 30; ++i)
            all << QPoint(i % 5, i / 5);
        QTest::newRow("fill of all") << "0" << full << all << QList<QPoint>() << all.mid(1);
    }
    void layingManyIsLayingEach()
    {
        QFETCH(QString, setting);
        QFETCH(QSize, size);
        QFETCH(QList<QPoint>, blank);
        QFETCH(QList<QPoint>, path);
        QFETCH(QList<QPoint>, placed);
        const auto many = started(setting, blank, size), each = started(setting, blank, size);
        for (Workspace *w : {many.get(), each.get()})
            turn(*w, QStringLiteral("ZX"));
        const auto before = maptileOf(*many);
        if (path.isEmpty()) {
            many->fill();
        } else {
            many->beginStroke(Workspace::LeftButton, path.front());
            for (const QPoint space : path.mid(1))
                many->continueStroke(space);
            many->endStroke();
            many->continueStroke({0, 0}); // after the release nothing more
        }
        for (const QPoint space : placed)
            each->place(Workspace::LeftButton, space);
        const auto after = maptileOf(*many);
        QVERIFY(after == maptileOf(*each) && many->maptile().speedValue(placed[0].x(), placed[0].y()) == "1/T");
        QVERIFY(many->history().count() == 1 && holdsOnly(*many, placed.size(), 1));
        if (path.isEmpty()) { // nothing blank is left: a second fill changes nothing and records nothing
            many->setMaptileChanged(false);
            many->fill();
            QVERIFY(maptileOf(*many) == after && many->history().count() == 1 && !many->maptileChanged());
        }
        many->undo();
        QVERIFY(maptileOf(*many) == before);
        many->redo();
        QVERIFY(maptileOf(*many) == after);
    }

    // A fill of a blank maptile from a variation of three (the empty cell of its rectangle left out) uses
    // every one of them and nothing else, turned as the buttons are or, with random turns, each of them
    // one of the eight ways, and never as its left or upper neighbour; so do presses space by space,
    // each its own step. Undo, redo and a saved and reopened document give the same pixels back.
    void variationsLayEveryChoiceApart_data()
    {
        QTest::addColumn<QRect>("cells");
        QTest::addColumn<bool>("randomTurns");
        QTest::newRow("three") << QRect(1, 0, 2, 2) << false;
        QTest::newRow("three, random turns") << QRect(1, 0, 2, 2) << true;
        QTest::newRow("one, random turns") << QRect(Cell, QSize(1, 1)) << true;
    }
    void variationsLayEveryChoiceApart()
    {
        QFETCH(QRect, cells);
        QFETCH(bool, randomTurns);
        auto w = startWorkspace(m_dir.path());
        w->loadTileset(Slot, m_dir.filePath(QStringLiteral("set.bmp")));
        w->emptyCell(Slot, {2, 1});
        w->assignCells(Workspace::LeftButton, Slot, cells);
        turn(*w, QStringLiteral("Z"));
        w->setRandomTurns(randomTurns);
        // Every subtile the button may lay, each way it may be turned, numbered cell by cell.
        const QStringList ways =
            randomTurns ? QStringList{"", "Z", "ZZ", "z", "X", "XZ", "XZZ", "Xz"} : QStringList{"Z"};
        QList<QImage> choices;
        QList<QPoint> from;
        for (int i = 0; i < cells.width() * cells.height(); ++i) {
            const QPoint cell = cells.topLeft() + QPoint(i % cells.width(), i / cells.width());
            if (cell == QPoint(2, 1) && cells.width() > 1)
                continue;
            for (const QString &keys : ways) {
                choices << turnedByKeys(w->slot(Slot).subtile(cell.x(), cell.y()), keys);
                from << cell;
            }
        }
        const int subtiles = int(w->buttonCells(Workspace::Left).size());
        QCOMPARE(subtiles * ways.size(), choices.size());
        const auto check = [&] {
            QList<int> laid;
            QSet<QPoint> used;
            QSet<int> turns;
            for (int i = 0; i < 30; ++i) {
                const QPoint space(i % 5, i / 5);
                laid << int(choices.indexOf(w->maptile().spacePixels(space)));
                QVERIFY2(laid.back() >= 0, qPrintable(QStringLiteral("%1, %2").arg(space.x()).arg(space.y())));
                used << from[laid.back()];
                turns << laid.back() % ways.size();
                QVERIFY(subtiles < 3
                        || ((space.x() == 0 || laid[i - 1] != laid[i]) && (i < 5 || laid[i - 5] != laid[i])));
            }
            QVERIFY(used.size() == subtiles && turns.size() >= std::min<qsizetype>(ways.size(), 4));
        };
        w->fill();
        check();
        const QImage filled = w->maptile().master();
        w->undo();
        QVERIFY(w->maptile().isBlank({2, 3}));
        w->redo();
        QCOMPARE(w->maptile().master(), filled);
        const QString path = m_dir.filePath(QStringLiteral("varied.ora"));
        QCOMPARE(MaptileSaver::save(*w, path), QString());
        const auto opened = startWorkspace(m_dir.path());
        QCOMPARE(MaptileOpener::open(*opened, path), QString());
        QCOMPARE(opened->maptile().master(), filled);

        w->blankMaptile(5, 6);
        for (int i = 0; i < 30; ++i)
            w->place(Workspace::LeftButton, {i % 5, i / 5});
        check();
    }
};

QTEST_MAIN(TestPainting)
#include "tst_painting.moc"
