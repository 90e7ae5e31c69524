#include "workspace/Workspace.h"
#include "raster/RasterOps.h"
#include "support/TestImages.h"

#include <QTemporaryDir>

using namespace TestImages;

namespace {

using Geometry::SpaceSize;

constexpr int SpaceBytes = SpaceSize * SpaceSize * 3; // a space or a subtile, as a step keeps it

// Everything a change of the maptile may touch, as the user sees it.
auto stateOf(const Workspace &w)
{
    return std::tuple(w.preview(), w.maptile().speedValues());
}

// A square picture turned or mirrored by one key, pixel by pixel.
QImage turnedByKey(const QImage &source, char key)
{
    const int n = source.width() - 1;
    return make(source.size(), [&](int x, int y) {
        switch (key) {
        case 'Z': // a quarter clockwise
            return source.pixel(y, n - x);
        case 'z': // a quarter anticlockwise
            return source.pixel(n - y, x);
        case 'X': // left to right
            return source.pixel(n - x, y);
        default: // 'Y', top to bottom
            return source.pixel(x, n - y);
        }
    });
}

QImage turnedByKeys(QImage picture, const QString &keys)
{
    for (const QChar key : keys)
        picture = turnedByKey(picture, char(key.unicode()));
    return picture;
}

Orientation::Turn turnOf(QChar key)
{
    return key == u'Z' ? Orientation::TurnRight
         : key == u'z' ? Orientation::TurnLeft
         : key == u'X' ? Orientation::MirrorLeftRight
                       : Orientation::MirrorTopBottom;
}

// The slot the tests paint from: a patterned tileset whose subtiles each have
// their top-left colour inside too, and speed values in its metadata.
constexpr int Slot = 5;
constexpr QPoint Cell{4, 2};

QImage tilesetPicture()
{
    const QImage noise = pattern(Geometry::TilesetSize, 3);
    return make(Geometry::TilesetSize, [&](int x, int y) {
        // A ring of the corner colour through the middle of every subtile: keyed, it lets the space show.
        const int dx = x % SpaceSize - 72, dy = y % SpaceSize - 72;
        const bool ring = dx * dx + dy * dy < 40 * 40 && dx * dx + dy * dy > 30 * 30;
        return ring ? noise.pixel(x - x % SpaceSize, y - y % SpaceSize) : noise.pixel(x, y);
    });
}

using Paint = std::function<void(Workspace &)>;

} // namespace

Q_DECLARE_METATYPE(Paint)

// Painting beyond one press: subtiles laid turned and mirrored, strokes and
// fills, each compared with what single presses or plain pixel loops make.
class TestPainting : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A workspace whose maptile shows a picture on every space but the blank
    // ones named, with the left button on the test slot's cell under setting.
    std::unique_ptr<Workspace> started(const QString &setting, const QList<QPoint> &blank = {})
    {
        auto w = std::make_unique<Workspace>();
        w->startUp({m_dir.path()}, [](const QString &message) { QFAIL(qPrintable(message)); });
        const QString tileset = m_dir.filePath(QStringLiteral("painting.bmp"));
        if (!QFile::exists(tileset)) {
            save(tilesetPicture(), tileset);
            writeText(m_dir.filePath(QStringLiteral("painting.dat")), "[TILEDATA]\n42=1/T\n");
        }
        [&] { QCOMPARE(w->loadTileset(Slot, tileset), QString()); }();
        w->setTransparency(Slot, TransparencySetting(setting));
        w->setOutlineCell(Slot, Cell);
        w->assign(Workspace::LeftButton, Slot);
        w->assign(Workspace::RightButton, Slot);
        const QImage noise = pattern({720, 864}, 9);
        w->openImage(make(noise.size(), [&](int x, int y) {
            return blank.contains(QPoint(x / SpaceSize, y / SpaceSize)) ? Geometry::blankColour() : noise.pixel(x, y);
        }));
        w->chooseSpeedValue({0, 0}, QStringLiteral("X"));
        w->history().clear();
        w->setMaptileChanged(false);
        return w;
    }

private slots:
    void initTestCase() { writeDefaultTilesets(m_dir.path()); }

    // The laid subtile is the plain one turned by the keys in turn, laid by the slot's setting;
    // the button's picture turns with it and its speed value stays the subtile's.
    void turnedSubtileIsLaidAsTurned_data()
    {
        QTest::addColumn<QString>("keys"); // Z clockwise, z anticlockwise, X left to right, Y top to bottom
        QTest::addColumn<QString>("setting");
        for (const char *setting : {"0", "1", "2,90"}) {
            for (const char *keys : {"Z", "z", "X", "Y", "ZZ", "XZ", "ZX", "YzXZ", "ZZZZ", "XY"})
                QTest::addRow("%s, setting %s", keys, setting)
                    << QString::fromLatin1(keys) << QString::fromLatin1(setting);
        }
    }
    void turnedSubtileIsLaidAsTurned()
    {
        QFETCH(QString, keys);
        QFETCH(QString, setting);
        const auto w = started(setting);
        const QImage plainButton = w->buttonImage(Workspace::Left);
        for (const QChar key : keys)
            w->turnButtons(turnOf(key));
        const QPoint space(2, 3);
        const QImage before = w->maptile().spacePixels(space);
        w->place(Workspace::LeftButton, space);

        const QImage subtile = w->slot(Slot).subtile(Cell.x(), Cell.y());
        const QImage turned = turnedByKeys(subtile, keys);
        const QRgb key = subtile.pixel(0, 0);
        const int alpha = TransparencySetting(setting).effectiveAlpha();
        const QImage expected = make(before.size(), [&](int x, int y) {
            const QRgb s = turned.pixel(x, y), d = before.pixel(x, y);
            switch (TransparencySetting(setting).mode()) {
            case TransparencySetting::Keyed: // the subtile's own background, wherever the turn took its corner
                return s == key ? d : s;
            case TransparencySetting::Blended:
                return qRgb((qRed(s) * alpha + qRed(d) * (255 - alpha)) / 255,
                            (qGreen(s) * alpha + qGreen(d) * (255 - alpha)) / 255,
                            (qBlue(s) * alpha + qBlue(d) * (255 - alpha)) / 255);
            default:
                return s;
            }
        });
        QCOMPARE(w->maptile().spacePixels(space), expected);
        QCOMPARE(w->maptile().speedValue(space.x(), space.y()), QStringLiteral("1/T"));
        QCOMPARE(w->buttonImage(Workspace::Left), turnedByKeys(plainButton, keys));
        QCOMPARE(w->buttonImage(Workspace::Right), w->buttonImage(Workspace::Left));
        // A new pick starts plain; the other buttons keep their turn.
        w->assign(Workspace::LeftButton, Slot);
        QVERIFY(w->buttonImage(Workspace::Left) == plainButton
                && w->buttonSubtile(Workspace::Left) == subtile.convertToFormat(QImage::Format_RGB888));
        QCOMPARE(w->buttonSubtile(Workspace::Right), turned.convertToFormat(QImage::Format_RGB888));
    }

    // A stroke lays each space of the maptile it enters once, as a press there would, in one step.
    void strokeLaysWhatClicksLay_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<QPoint>>("path"); // the press first, then the spaces entered
        QTest::addColumn<QList<QPoint>>("clicks"); // the same, clicked one by one
        QTest::newRow("along a row") << QSize(5, 6) << QList<QPoint>{{0, 1}, {1, 1}, {2, 1}, {3, 1}}
                                     << QList<QPoint>{{0, 1}, {1, 1}, {2, 1}, {3, 1}};
        // Blended, a space laid twice would show it.
        QTest::newRow("back over itself") << QSize(5, 6) << QList<QPoint>{{2, 2}, {2, 3}, {2, 2}, {3, 3}, {2, 3}}
                                          << QList<QPoint>{{2, 2}, {2, 3}, {3, 3}};
        QTest::newRow("leaves and re-enters")
            << QSize(5, 6) << QList<QPoint>{{3, 0}, {4, 0}, {5, 0}, {5, 1}, {4, 1}, {4, 0}, {-1, 1}, {0, 1}}
            << QList<QPoint>{{3, 0}, {4, 0}, {4, 1}, {0, 1}};
        // Beyond a small maptile lie spaces of the speed-value table: they keep their values.
        QTest::newRow("past a small maptile")
            << QSize(3, 3) << QList<QPoint>{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {4, 3}, {2, 3}} << QList<QPoint>{{1, 2}, {2, 2}};
    }
    void strokeLaysWhatClicksLay()
    {
        QFETCH(QSize, size);
        QFETCH(QList<QPoint>, path);
        QFETCH(QList<QPoint>, clicks);
        const auto stroked = started(QStringLiteral("2,100")), clicked = started(QStringLiteral("2,100"));
        for (Workspace *w : {stroked.get(), clicked.get()}) {
            w->setSize(size.width(), size.height());
            // Values to lose on every space of the table.
            for (int i = 0; i < 30; ++i)
                w->chooseSpeedValue({i % 5, i / 5}, QStringLiteral("X"));
            w->history().clear();
        }
        const auto before = stateOf(*stroked);
        stroked->beginStroke(Workspace::RightButton, path.front());
        for (const QPoint space : path.mid(1))
            stroked->continueStroke(space);
        stroked->endStroke();
        stroked->continueStroke({0, 0}); // after the release nothing more is laid
        for (const QPoint space : clicks)
            clicked->place(Workspace::RightButton, space);
        const auto after = stateOf(*stroked);
        QVERIFY(after == stateOf(*clicked));
        QVERIFY(stroked->maptileChanged());
        QCOMPARE(stroked->history().count(), 1);
        stroked->undo();
        QVERIFY(stateOf(*stroked) == before);
        stroked->redo();
        QVERIFY(stateOf(*stroked) == after);
    }

    // Fill lays the left button's subtile, turned as it is, on the spaces that show
    // only the blank colour, as placing each singly does; in one step.
    void fillLaysEveryBlankSpace_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QList<QPoint>>("blank");
        const QList<QPoint> some{{0, 0}, {4, 0}, {2, 3}, {1, 5}, {4, 5}};
        QTest::newRow("plain") << "0" << some;
        QTest::newRow("keyed") << "1" << some;
        QTest::newRow("blended") << "2,60" << some;
        QList<QPoint> all;
        for (int i = 0; i < 30; ++i)
            all << QPoint(i % 5, i / 5);
        QTest::newRow("all") << "1" << all;
    }
    void fillLaysEveryBlankSpace()
    {
        QFETCH(QString, setting);
        QFETCH(QList<QPoint>, blank);
        const auto filled = started(setting, blank), placed = started(setting, blank);
        // Almost blank is not blank: a keyed object on a blank space leaves the blank colour around it.
        for (Workspace *w : {filled.get(), placed.get()}) {
            w->setOutlineCell(Slot, {1, 1});
            w->assign(Workspace::RightButton, Slot);
            w->setTransparency(Slot, TransparencySetting(QStringLiteral("1")));
            w->place(Workspace::RightButton, blank[1]);
            w->setTransparency(Slot, TransparencySetting(setting));
            w->turnButtons(Orientation::TurnRight);
            w->turnButtons(Orientation::MirrorLeftRight);
            w->history().clear();
        }
        const auto before = stateOf(*filled);
        filled->fill();
        for (const QPoint space : blank) {
            if (space != blank[1])
                placed->place(Workspace::LeftButton, space);
        }
        const auto after = stateOf(*filled);
        QVERIFY(after == stateOf(*placed));
        QCOMPARE(filled->history().count(), 1);
        QCOMPARE(filled->maptile().speedValue(blank[0].x(), blank[0].y()), QStringLiteral("1/T"));
        // Nothing blank is left: a second fill changes nothing and records nothing.
        filled->setMaptileChanged(false);
        filled->fill();
        QVERIFY(stateOf(*filled) == after && filled->history().count() == 1 && !filled->maptileChanged());
        filled->undo();
        QVERIFY(stateOf(*filled) == before);
        filled->redo();
        QVERIFY(stateOf(*filled) == after);
    }

    // A step keeps the spaces it covered, each once, and the subtile it laid once.
    void stepHoldsOnlyTheCoveredSpaces_data()
    {
        QTest::addColumn<Paint>("paint");
        QTest::addColumn<int>("spaces");
        QTest::addColumn<int>("subtiles");
        QTest::newRow("press") << Paint([](Workspace &w) { w.place(Workspace::LeftButton, {1, 1}); }) << 1 << 1;
        QTest::newRow("stroke") << Paint([](Workspace &w) {
            w.beginStroke(Workspace::LeftButton, {0, 0});
            for (int i = 0; i < 60; ++i) // to and fro along the top row, and off it
                w.continueStroke({i % 7, i / 7 % 2});
            w.endStroke();
        }) << 10 << 1;
        QTest::newRow("stroke turned midway") << Paint([](Workspace &w) {
            w.beginStroke(Workspace::LeftButton, {0, 0});
            w.continueStroke({1, 0});
            w.turnButtons(Orientation::TurnLeft);
            w.continueStroke({2, 0});
            w.endStroke();
        }) << 3 << 2;
        QTest::newRow("fill") << Paint([](Workspace &w) {
            w.blankMaptile(5, 6);
            w.history().clear();
            w.fill();
        }) << 30 << 1;
    }
    void stepHoldsOnlyTheCoveredSpaces()
    {
        QFETCH(Paint, paint);
        QFETCH(int, spaces);
        QFETCH(int, subtiles);
        const auto w = started(QStringLiteral("0"));
        paint(*w);
        QCOMPARE(w->history().count(), 1);
        const qint64 pixels = qint64(spaces + subtiles) * SpaceBytes;
        const qint64 held = w->history().bytes();
        QVERIFY2(held >= pixels && held < pixels + 256 * (spaces + 1), qPrintable(QString::number(held - pixels)));
    }
};

QTEST_MAIN(TestPainting)
#include "tst_painting.moc"
