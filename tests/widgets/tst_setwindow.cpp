#include "MainWindowFixture.h"

#include "setwindow/SetExport.h"
#include "setwindow/SetModel.h"
#include "setwindow/SetRun.h"
#include "setwindow/SetWindow.h"
#include "support/SetFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

// The file names in the list, as the list shows them.
QStringList shown(QListView *list)
{
    QStringList names;
    for (int row = 0; row < list->model()->rowCount(); ++row)
        names << QFileInfo(list->model()->index(row, 0).data(SetModel::PathRole).toString()).fileName();
    return names;
}

QString statusOf(SetWindow &window)
{
    return window.findChild<QLabel *>(u"SetStatus"_s)->text();
}

void waitUntilRead(SetWindow &window)
{
    QTRY_VERIFY(!statusOf(window).contains(u"being read"_s));
}

// What each file of folder holds, by name.
QMap<QString, QByteArray> contents(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files.insert(name, TestImages::readAll(QDir(folder).filePath(name)));
    return files;
}

// A tileset file with the set name in the .dat beside it, of one colour.
void writeTileset(const QString &path, const QString &setName, QColor colour)
{
    QImage picture(Geometry::TilesetSize, QImage::Format_RGB32);
    picture.fill(colour);
    QVERIFY(picture.save(path));
    if (!setName.isEmpty())
        TestImages::writeText(QFileInfo(path).path() + u'/' + QFileInfo(path).completeBaseName() + u".dat"_s,
                              "[TILEDATA]\nSETNAME=" + setName.toUtf8() + "\n");
}

QImage thumbnailOf(QListView *list, const QString &name)
{
    return list->model()->index(shown(list).indexOf(name), 0).data(Qt::DecorationRole).value<QPixmap>().toImage();
}

} // namespace

// The set window: filled in from the reading process, marked and counted, following its folder,
// opening, exporting and printing the set.
class TestSetWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A new folder name under the test's own, holding the known set unless told otherwise.
    QString makeFolder(const QString &name, bool knownSet = true)
    {
        const QString path = QDir(m_dir.path()).filePath(name);
        QDir().mkpath(path);
        if (knownSet)
            SetFolder::writeKnownSet(path);
        return path;
    }

private slots:
    void initTestCase() { setUpApplication(); }

    // The window shows at once and fills in; then it follows documents changed, added and removed within a
    // second. Enter opens the document in front.
    void fillsInAndFollowsTheFolder()
    {
        const QString folder = makeFolder(u"crypt"_s);
        SetWindow window(folder);
        window.show();
        QCOMPARE(window.windowTitle(), u"Set \u2013 crypt"_s);
        auto *list = window.findChild<QListView *>(u"SetList"_s);
        QCOMPARE(list->model()->rowCount(), 7);
        QTRY_COMPARE(statusOf(window),
                     u"5 maptiles, 2 share number 07, 1 has no number, 2 are no maptiles of this program"_s);
        QCOMPARE(shown(list), QStringList({"d.ora", "a.ora", "b.ora", "e.ora", "broken.ora", "c.ora", "foreign.ora"}));
        const QModelIndex a = list->model()->index(1, 0);
        QCOMPARE(a.data(Qt::AccessibleTextRole).toString(), u"a.ora, number 07, 4 \u00d7 5, shares its number"_s);
        QCOMPARE(list->model()->index(5, 0).data(Qt::AccessibleTextRole).toString(),
                 u"c.ora, 1 \u00d7 1, has no number"_s);
        QVERIFY(list->model()->index(4, 0).data(Qt::ToolTipRole).toString().contains(u"broken.ora"_s));
        QCOMPARE(a.data(Qt::DecorationRole).value<QPixmap>().size(), QSize(102, 128));

        QSignalSpy opened(&window, &SetWindow::openRequested);
        list->setFocus();
        list->setCurrentIndex(a);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0][0].toString(), QDir(folder).filePath(u"a.ora"_s));

        // b.ora takes another number, c.ora is removed and f.ora added.
        SetFolder::writeDocument(QDir(folder).filePath(u"b.ora"_s), u"08"_s, {2, 2});
        QFile::remove(QDir(folder).filePath(u"c.ora"_s));
        SetFolder::writeDocument(QDir(folder).filePath(u"f.ora"_s), u"1"_s, {1, 2});
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(window), u"5 maptiles, 2 are no maptiles of this program"_s, 1000);
        QCOMPARE(shown(list), QStringList({"f.ora", "d.ora", "a.ora", "b.ora", "e.ora", "broken.ora", "foreign.ora"}));
        QCOMPARE(window.documents(true).size(), 6);
    }

    // Export All writes what --export DIR writes for the same documents; cancelled, it leaves only whole files
    // and no new file that did not take its name.
    void exportAllMatchesTheCommandLine()
    {
        const QDir dir(m_dir.path());
        SetWindow window(makeFolder(u"exported"_s), nullptr, {}, QStringLiteral(CRYPTWRIGHT_BINARY));
        waitUntilRead(window);
        QSignalSpy exported(&window, &SetWindow::exported);
        window.exportAll(dir.filePath(u"out"_s), u"png"_s);
        QTRY_COMPARE_WITH_TIMEOUT(exported.size(), 1, 30000);
        QCOMPARE(exported[0][0].toStringList(), QStringList());
        QCOMPARE(exported[0][1].toBool(), false);
        QProcess cli;
        cli.start(QStringLiteral(CRYPTWRIGHT_BINARY),
                  QStringList{u"--export"_s, dir.filePath(u"cli"_s), u"--format"_s, u"png"_s} + window.documents(true));
        QVERIFY(cli.waitForFinished(30000));
        const QStringList names = QDir(dir.filePath(u"cli"_s)).entryList(QDir::Files);
        QCOMPARE(names.size(), 6);
        QCOMPARE(QDir(dir.filePath(u"out"_s)).entryList(QDir::Files), names);
        for (const QString &name : names)
            QCOMPARE(TestImages::readAll(dir.filePath(u"out/"_s + name)),
                     TestImages::readAll(dir.filePath(u"cli/"_s + name)));

        window.exportAll(dir.filePath(u"cancelled"_s), u"jpg"_s);
        window.runningWork()->cancel();
        QTRY_COMPARE_WITH_TIMEOUT(exported.size(), 2, 30000);
        QCOMPARE(exported[1][1].toBool(), true);
        for (const QString &name : QDir(dir.filePath(u"cancelled"_s)).entryList(QDir::Files))
            QVERIFY2(name.endsWith(u".jpg"_s), qPrintable(name));
    }

    // Update from Tileset runs --update over the set two batches at a time: the maptiles laid from the set
    // are written anew and show so, one without records is left as it was and said to be, and a tileset
    // that one batch found and the other did not is no tileset that matched nothing. Cancelled, the batch at
    // work is finished and none after it touched; a tileset used nowhere is told once.
    void updatesFromATileset()
    {
        const QDir dir(m_dir.path());
        const QString folder = makeFolder(u"updated"_s, false);
        for (int i = 1; i <= SetRun::DocumentsPerRun + 1; ++i)
            SetFolder::writeDocument(QDir(folder).filePath(u"d%1.ora"_s.arg(i, 2, 10, QLatin1Char('0'))),
                                     QString::number(i), {3, 3}, {}, {u"Stone Floors"_s});
        SetFolder::writeDocument(QDir(folder).filePath(u"z.ora"_s), u"99"_s, {3, 3});
        writeTileset(dir.filePath(u"stone.png"_s), u"Stone Floors"_s, Qt::red);
        writeTileset(dir.filePath(u"unused.png"_s), {}, Qt::blue);
        SetWindow window(folder, nullptr, {}, QStringLiteral(CRYPTWRIGHT_BINARY));
        auto *list = window.findChild<QListView *>(u"SetList"_s);
        waitUntilRead(window);
        const QImage before = thumbnailOf(list, u"d01.ora"_s);
        const QMap<QString, QByteArray> original = contents(folder);
        QSignalSpy updated(&window, &SetWindow::updated);

        window.updateFromTileset(dir.filePath(u"stone.png"_s));
        QTRY_COMPARE_WITH_TIMEOUT(updated.size(), 1, 60000);
        QStringList lines = updated[0][0].toStringList();
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], u"d01.ora: 1 space updated from \"Stone Floors\"."_s);
        QVERIFY2(lines[9].startsWith(u"z.ora: keeps no record"_s), qPrintable(lines[9]));
        QCOMPARE(updated[0][1].toBool(), false);
        QMap<QString, QByteArray> now = contents(folder);
        QCOMPARE(now.keys(), original.keys()); // no file left over
        QCOMPARE(now[u"z.ora"_s], original[u"z.ora"_s]);
        QVERIFY(now[u"d09.ora"_s] != original[u"d09.ora"_s]);
        QTRY_VERIFY_WITH_TIMEOUT(thumbnailOf(list, u"d01.ora"_s) != before, 10000);
        // Read again, the set is in its order once more: d01 to d08 are the first batch.
        waitUntilRead(window);

        writeTileset(dir.filePath(u"stone.png"_s), u"Stone Floors"_s, Qt::green);
        const QMap<QString, QByteArray> first = contents(folder);
        window.updateFromTileset(dir.filePath(u"stone.png"_s));
        window.runningWork()->cancel();
        QTRY_COMPARE_WITH_TIMEOUT(updated.size(), 2, 60000);
        QCOMPARE(updated[1][1].toBool(), true);
        QCOMPARE(updated[1][0].toStringList().size(), SetRun::DocumentsPerRun);
        now = contents(folder);
        QCOMPARE(now.keys(), first.keys());
        QVERIFY(now[u"d08.ora"_s] != first[u"d08.ora"_s]);
        QCOMPARE(now[u"d09.ora"_s], first[u"d09.ora"_s]);

        QTRY_VERIFY(!window.runningWork());
        window.updateFromTileset(dir.filePath(u"unused.png"_s));
        QTRY_COMPARE_WITH_TIMEOUT(updated.size(), 3, 60000);
        lines = updated[2][0].toStringList();
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.last(), u"\"unused.png\" (unused.png) matched no placement in these documents."_s);
        QCOMPARE(contents(folder), now);
    }

    // Where Used marks the maptiles whose records use the subtile outlined in the editor, on their
    // thumbnails, in what a screen reader reads and in the status line; pressed again, the marks go.
    void marksWhereASubtileIsUsed()
    {
        const QString folder = makeFolder(u"used"_s);
        SetWindow window(folder);
        auto *list = window.findChild<QListView *>(u"SetList"_s);
        waitUntilRead(window);
        auto *whereUsed = window.findChild<QPushButton *>(u"cmdWhereUsed"_s);
        QVERIFY(!whereUsed->isEnabled());
        TileData data;
        data.setName = u"stone floors"_s;
        window.setOutlinedSubtile([&data] { return WhereUsed(u"/fixed/stone.png"_s, data, {0, 0}); });
        const QImage unmarked = thumbnailOf(list, u"d.ora"_s);
        whereUsed->click();
        QVERIFY(whereUsed->isChecked());
        QCOMPARE(statusOf(window).section(u'\n', 1),
                 QStringLiteral("Column 1, row 1 of \"stone floors\": used in 1 maptile, on 1 space; 4 keep no record "
                                "of their subtiles"));
        const auto textOf = [list](int row) {
            return list->model()->index(row, 0).data(Qt::AccessibleTextRole).toString();
        };
        QCOMPARE(textOf(0), u"d.ora, number 2, 5 \u00d7 6, uses the subtile on 1 space"_s);
        QCOMPARE(textOf(1), u"a.ora, number 07, 4 \u00d7 5, shares its number, keeps no record of its subtiles"_s);
        QVERIFY(!textOf(6).contains(u"subtile"_s)); // foreign.ora
        QVERIFY(list->model()->index(0, 0).data().toString().endsWith(u"Used on 1 space"_s));
        QVERIFY(thumbnailOf(list, u"d.ora"_s) != unmarked);

        whereUsed->click();
        QVERIFY(!statusOf(window).contains(u'\n'));
        QCOMPARE(textOf(0), u"d.ora, number 2, 5 \u00d7 6"_s);
        QCOMPARE(thumbnailOf(list, u"d.ora"_s), unmarked);

        // Opened from the editor, the window asks for the cell outlined on the palette in front.
        const QString defaults = makeFolder(u"defaults"_s, false);
        writeDefaults(defaults);
        const std::unique_ptr<MainWindow> editor = startWindow(defaults);
        QVERIFY(editor);
        editor->showSlot(1);
        editor->workspace().setOutlineCell(1, {2, 1});
        SetWindow *opened = editor->showSet(folder);
        waitUntilRead(*opened);
        opened->findChild<QPushButton *>(u"cmdWhereUsed"_s)->click();
        QCOMPARE(statusOf(*opened).section(u'\n', 1),
                 u"Column 3, row 2 of \"%1\": used in no maptile; 4 keep no record of their subtiles"_s.arg(
                     Workspace::DefaultTilesetNames[1]));

        // A new maptile is offered a place in the open set; once it closes, no longer.
        QCOMPARE(QFileInfo(editor->maptile().suggestedName()).absolutePath(), QFileInfo(folder).absoluteFilePath());
        opened->close();
        QTRY_VERIFY(!editor->setWindow());
        QCOMPARE(QFileInfo(editor->maptile().suggestedName()).path(), u"."_s);
    }
};

QTEST_MAIN(TestSetWindow)
#include "tst_setwindow.moc"
