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

MaptileSet::Entry entry(const QString &name, const QStringList &setNames)
{
    return MaptileSet::entryOf(name, SetFolder::document(u"1"_s, {3, 3}, {}, setNames));
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
};

QTEST_MAIN(TestWhereUsed)
#include "tst_whereused.moc"
