#include "set/WhereUsed.h"
#include "support/SetFolder.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(WhereUsed::Use)

namespace {

WhereUsed subtile(const QString &file, const QString &setName, QPoint cell)
{
    TileData data;
    data.setName = setName;
    return WhereUsed(file, data, cell);
}

MaptileSet::Entry entry(const QString &name, const QStringList &setNames, QSize size = {3, 3})
{
    return MaptileSet::entryOf(name, SetFolder::document(u"1"_s, size, {}, setNames));
}

} // namespace

// Which maptiles of a set use a subtile, told from the counts each document keeps of its placements.
class TestWhereUsed : public QObject
{
    Q_OBJECT

private slots:
    // A placement uses the subtile when its tileset is the same (by set name, else by file name, either
    // without regard to case) and its cell is the same; its spaces are counted once each.
    void matchesAsAnUpdateDoes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("setName");
        QTest::addColumn<QPoint>("cell");
        QTest::addColumn<QStringList>("laidFrom");
        QTest::addColumn<WhereUsed::Use>("use");
        QTest::addColumn<int>("spaces");
        const auto row = [](const char *tag, const QString &file, const QString &setName, QPoint cell,
                            const QStringList &laidFrom, WhereUsed::Use use,
                            int spaces) { QTest::newRow(tag) << file << setName << cell << laidFrom << use << spaces; };
        using enum WhereUsed::Use;
        const QString stoneFloors = u"Stone Floors"_s;
        row("set name", u"/fixed/stone.png"_s, stoneFloors, {0, 0}, {stoneFloors}, Used, 1);
        row("set name in other case", u"stone.png"_s, u"stone FLOORS"_s, {0, 0}, {stoneFloors}, Used, 1);
        row("two versions on two spaces", u"stone.png"_s, stoneFloors, {0, 0}, {stoneFloors, stoneFloors}, Used, 2);
        row("another cell", u"stone.png"_s, stoneFloors, {1, 0}, {stoneFloors}, Unused, 0);
        row("another set", u"stone.png"_s, u"Walls"_s, {0, 0}, {stoneFloors}, Unused, 0);
        row("file name without set name", u"/elsewhere/Walls.PNG"_s, {}, {0, 0}, {u"walls.png"_s}, Used, 1);
        // The copy was laid from t.png, but its set name is what names it.
        row("file name of a named set", u"t.png"_s, {}, {0, 0}, {stoneFloors}, Unused, 0);
        row("no records", u"stone.png"_s, stoneFloors, {0, 0}, {}, NoRecords, 0);
    }
    void matchesAsAnUpdateDoes()
    {
        QFETCH(QString, file);
        QFETCH(QString, setName);
        QFETCH(QPoint, cell);
        QFETCH(QStringList, laidFrom);
        QFETCH(WhereUsed::Use, use);
        QFETCH(int, spaces);
        const WhereUsed::Answer answer = subtile(file, setName, cell).in(entry(u"a.ora"_s, laidFrom));
        QCOMPARE(answer.use, use);
        QCOMPARE(answer.spaces, spaces);
    }

    // The set's line counts the maptiles and spaces that use it and those that cannot tell; a file that is
    // no maptile is neither, and says nothing under its thumbnail.
    void countsTheSet()
    {
        MaptileSet set;
        const QList<MaptileSet::Entry> entries{entry(u"a.ora"_s, {u"Stone Floors"_s, u"Stone Floors"_s}),
                                               entry(u"b.ora"_s, {u"Stone Floors"_s}),
                                               entry(u"c.ora"_s, {u"walls.png"_s}), entry(u"d.ora"_s, {}),
                                               MaptileSet::brokenEntry(u"e.ora"_s, u"not a zip"_s)};
        for (const MaptileSet::Entry &e : entries)
            set.set(set.add(e.path), e);
        const WhereUsed stone = subtile(u"stone.png"_s, u"Stone Floors"_s, {0, 0});
        QCOMPARE(stone.statusLine(set),
                 u"Column 1, row 1 of \"Stone Floors\": used in 2 maptiles, on 3 spaces; 1 keeps no record of its "
                 "subtiles"_s);
        QCOMPARE(subtile(u"stone.png"_s, u"Stone Floors"_s, {6, 3}).statusLine(set),
                 u"Column 7, row 4 of \"Stone Floors\": used in no maptile; 1 keeps no record of its subtiles"_s);
        QCOMPARE(stone.label(set.at(0)), u"Used on 2 spaces"_s);
        QCOMPARE(stone.note(set.at(3)), u"keeps no record of its subtiles"_s);
        QVERIFY(stone.label(set.at(4)).isEmpty());
    }
};

QTEST_MAIN(TestWhereUsed)
#include "tst_whereused.moc"
