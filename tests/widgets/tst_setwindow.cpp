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
    return window.findChild<QLabel *>(QStringLiteral("SetStatus"))->text();
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
        TestImages::writeText(QFileInfo(path).path() + u'/' + QFileInfo(path).completeBaseName() + u".dat"_qs,
                              "[TILEDATA]\nSETNAME=" + setName.toUtf8() + "\n");
}

QImage thumbnailOf(QListView *list, const QString &name)
{
    for (int row = 0; row < list->model()->rowCount(); ++row) {
        const QModelIndex index = list->model()->index(row, 0);
        if (QFileInfo(index.data(SetModel::PathRole).toString()).fileName() == name)
            return index.data(Qt::DecorationRole).value<QPixmap>().toImage();
    }
    return {};
}

} // namespace

// The set window: filled in from the reading process, marked and counted, following its folder,
// opening, exporting and printing the set.
class TestSetWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { setUpApplication(); }

    // The window shows at once and fills in; then it follows documents changed, added and removed within a
    // second. Enter opens the document in front.
    void fillsInAndFollowsTheFolder()
    {
        const QString folder = QDir(m_dir.path()).filePath(QStringLiteral("crypt"));
        QVERIFY(QDir().mkpath(folder));
        SetFolder::writeKnownSet(folder);
        SetWindow window(folder);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Set \u2013 crypt"));
        auto *list = window.findChild<QListView *>(QStringLiteral("SetList"));
        QCOMPARE(list->model()->rowCount(), 7);
        QTRY_COMPARE(
            statusOf(window),
            QStringLiteral("5 maptiles, 2 share number 07, 1 has no number, 2 are no maptiles of this program"));
        QCOMPARE(shown(list), QStringList({"d.ora", "a.ora", "b.ora", "e.ora", "broken.ora", "c.ora", "foreign.ora"}));
        const QModelIndex a = list->model()->index(1, 0);
        QCOMPARE(a.data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("a.ora, number 07, 4 \u00d7 5, shares its number"));
        QCOMPARE(list->model()->index(5, 0).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("c.ora, 1 \u00d7 1, has no number"));
        QVERIFY(list->model()->index(4, 0).data(Qt::ToolTipRole).toString().contains(QStringLiteral("broken.ora")));
        QCOMPARE(a.data(Qt::DecorationRole).value<QPixmap>().size(), QSize(102, 128));

        QSignalSpy opened(&window, &SetWindow::openRequested);
        list->setFocus();
        list->setCurrentIndex(a);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0][0].toString(), QDir(folder).filePath(QStringLiteral("a.ora")));

        // b.ora takes another number, c.ora is removed and f.ora added.
        SetFolder::writeDocument(QDir(folder).filePath(QStringLiteral("b.ora")), QStringLiteral("08"), {2, 2});
        QFile::remove(QDir(folder).filePath(QStringLiteral("c.ora")));
        SetFolder::writeDocument(QDir(folder).filePath(QStringLiteral("f.ora")), QStringLiteral("1"), {1, 2});
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(window), QStringLiteral("5 maptiles, 2 are no maptiles of this program"),
                                  1000);
        QCOMPARE(shown(list), QStringList({"f.ora", "d.ora", "a.ora", "b.ora", "e.ora", "broken.ora", "foreign.ora"}));
        QCOMPARE(window.documents(true).size(), 6);
    }

    // Export All writes what --export DIR writes for the same documents; cancelled, it leaves only whole files
    // and no new file that did not take its name.
    void exportAllMatchesTheCommandLine()
    {
        const QDir dir(m_dir.path());
        const QString folder = dir.filePath(QStringLiteral("exported"));
        QVERIFY(dir.mkpath(QStringLiteral("exported")));
        SetFolder::writeKnownSet(folder);
        SetWindow window(folder, nullptr, {}, QStringLiteral(CRYPTWRIGHT_BINARY));
        QTRY_VERIFY(!statusOf(window).contains(QStringLiteral("being read")));
        QSignalSpy exported(&window, &SetWindow::exported);
        window.exportAll(dir.filePath(QStringLiteral("out")), QStringLiteral("png"));
        QTRY_COMPARE_WITH_TIMEOUT(exported.size(), 1, 30000);
        QCOMPARE(exported[0][0].toStringList(), QStringList());
        QCOMPARE(exported[0][1].toBool(), false);
        QProcess cli;
        cli.start(QStringLiteral(CRYPTWRIGHT_BINARY),
                  QStringList{QStringLiteral("--export"), dir.filePath(QStringLiteral("cli")),
                              QStringLiteral("--format"), QStringLiteral("png")}
                      + window.documents(true));
        QVERIFY(cli.waitForFinished(30000));
        const QStringList names = QDir(dir.filePath(QStringLiteral("cli"))).entryList(QDir::Files);
        QCOMPARE(names.size(), 6);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("out"))).entryList(QDir::Files), names);
        for (const QString &name : names)
            QCOMPARE(TestImages::readAll(dir.filePath(QStringLiteral("out/") + name)),
                     TestImages::readAll(dir.filePath(QStringLiteral("cli/") + name)));

        window.exportAll(dir.filePath(QStringLiteral("cancelled")), QStringLiteral("jpg"));
        window.runningWork()->cancel();
        QTRY_COMPARE_WITH_TIMEOUT(exported.size(), 2, 30000);
        QCOMPARE(exported[1][1].toBool(), true);
        for (const QString &name : QDir(dir.filePath(QStringLiteral("cancelled"))).entryList(QDir::Files))
            QVERIFY2(name.endsWith(QLatin1String(".jpg")), qPrintable(name));
    }

    // Update from Tileset runs --update over the set two batches at a time: the maptiles laid from the set
    // are written anew and show so, one without records is left as it was and said to be, and a tileset
    // that one batch found and the other did not is no tileset that matched nothing. Cancelled, the batch at
    // work is finished and none after it touched; a tileset used nowhere is told once.
    void updatesFromATileset()
    {
        const QDir dir(m_dir.path());
        const QString folder = dir.filePath(QStringLiteral("updated"));
        QVERIFY(dir.mkpath(QStringLiteral("updated")));
        for (int i = 1; i <= SetRun::DocumentsPerRun + 1; ++i)
            SetFolder::writeDocument(QDir(folder).filePath(QStringLiteral("d%1.ora").arg(i, 2, 10, QLatin1Char('0'))),
                                     QString::number(i), {3, 3}, {}, {QStringLiteral("Stone Floors")});
        SetFolder::writeDocument(QDir(folder).filePath(QStringLiteral("z.ora")), QStringLiteral("99"), {3, 3});
        writeTileset(dir.filePath(QStringLiteral("stone.png")), QStringLiteral("Stone Floors"), Qt::red);
        writeTileset(dir.filePath(QStringLiteral("unused.png")), {}, Qt::blue);
        SetWindow window(folder, nullptr, {}, QStringLiteral(CRYPTWRIGHT_BINARY));
        auto *list = window.findChild<QListView *>(QStringLiteral("SetList"));
        QTRY_VERIFY(!statusOf(window).contains(QStringLiteral("being read")));
        const QImage before = thumbnailOf(list, QStringLiteral("d01.ora"));
        const QMap<QString, QByteArray> original = contents(folder);
        QSignalSpy updated(&window, &SetWindow::updated);

        window.updateFromTileset(dir.filePath(QStringLiteral("stone.png")));
        QTRY_COMPARE_WITH_TIMEOUT(updated.size(), 1, 60000);
        QStringList lines = updated[0][0].toStringList();
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], QStringLiteral("d01.ora: 1 space updated from \"Stone Floors\"."));
        QVERIFY2(lines[9].startsWith(QLatin1String("z.ora: keeps no record")), qPrintable(lines[9]));
        QCOMPARE(updated[0][1].toBool(), false);
        QMap<QString, QByteArray> now = contents(folder);
        QCOMPARE(now.keys(), original.keys()); // no file left over
        QCOMPARE(now[QStringLiteral("z.ora")], original[QStringLiteral("z.ora")]);
        QVERIFY(now[QStringLiteral("d09.ora")] != original[QStringLiteral("d09.ora")]);
        QTRY_VERIFY_WITH_TIMEOUT(thumbnailOf(list, QStringLiteral("d01.ora")) != before, 10000);
        // Read again, the set is in its order once more: d01 to d08 are the first batch.
        QTRY_VERIFY(!statusOf(window).contains(QStringLiteral("being read")));

        writeTileset(dir.filePath(QStringLiteral("stone.png")), QStringLiteral("Stone Floors"), Qt::green);
        const QMap<QString, QByteArray> first = contents(folder);
        window.updateFromTileset(dir.filePath(QStringLiteral("stone.png")));
        window.runningWork()->cancel();
        QTRY_COMPARE_WITH_TIMEOUT(updated.size(), 2, 60000);
        QCOMPARE(updated[1][1].toBool(), true);
        QCOMPARE(updated[1][0].toStringList().size(), SetRun::DocumentsPerRun);
        now = contents(folder);
        QCOMPARE(now.keys(), first.keys());
        QVERIFY(now[QStringLiteral("d08.ora")] != first[QStringLiteral("d08.ora")]);
        QCOMPARE(now[QStringLiteral("d09.ora")], first[QStringLiteral("d09.ora")]);

        QTRY_VERIFY(!window.runningWork());
        window.updateFromTileset(dir.filePath(QStringLiteral("unused.png")));
        QTRY_COMPARE_WITH_TIMEOUT(updated.size(), 3, 60000);
        lines = updated[2][0].toStringList();
        QCOMPARE(lines.size(), 11);
        QCOMPARE(lines.last(), QStringLiteral("\"unused.png\" (unused.png) matched no placement in these documents."));
        QCOMPARE(contents(folder), now);
    }

    // Where Used marks the maptiles whose records use the subtile outlined in the editor, on their
    // thumbnails, in what a screen reader reads and in the status line; pressed again, the marks go.
    void marksWhereASubtileIsUsed()
    {
        const QString folder = QDir(m_dir.path()).filePath(QStringLiteral("used"));
        QVERIFY(QDir().mkpath(folder));
        SetFolder::writeKnownSet(folder);
        SetWindow window(folder);
        auto *list = window.findChild<QListView *>(QStringLiteral("SetList"));
        QTRY_VERIFY(!statusOf(window).contains(QStringLiteral("being read")));
        auto *whereUsed = window.findChild<QPushButton *>(QStringLiteral("cmdWhereUsed"));
        QVERIFY(!whereUsed->isEnabled());
        TileData data;
        data.setName = QStringLiteral("stone floors");
        window.setOutlinedSubtile([&data] { return WhereUsed(QStringLiteral("/fixed/stone.png"), data, {0, 0}); });
        const QImage unmarked = thumbnailOf(list, QStringLiteral("d.ora"));
        whereUsed->click();
        QVERIFY(whereUsed->isChecked());
        QCOMPARE(statusOf(window).section(u'\n', 1),
                 QStringLiteral("Column 1, row 1 of \"stone floors\": used in 1 maptile, on 1 space; 4 keep no record "
                                "of their subtiles"));
        const auto textOf = [list](int row) {
            return list->model()->index(row, 0).data(Qt::AccessibleTextRole).toString();
        };
        QCOMPARE(textOf(0), QStringLiteral("d.ora, number 2, 5 \u00d7 6, uses the subtile on 1 space"));
        QCOMPARE(textOf(1),
                 QStringLiteral("a.ora, number 07, 4 \u00d7 5, shares its number, keeps no record of its subtiles"));
        QVERIFY(!textOf(6).contains(QStringLiteral("subtile"))); // foreign.ora
        QVERIFY(list->model()->index(0, 0).data().toString().endsWith(QStringLiteral("Used on 1 space")));
        QVERIFY(thumbnailOf(list, QStringLiteral("d.ora")) != unmarked);

        whereUsed->click();
        QVERIFY(!statusOf(window).contains(u'\n'));
        QCOMPARE(textOf(0), QStringLiteral("d.ora, number 2, 5 \u00d7 6"));
        QCOMPARE(thumbnailOf(list, QStringLiteral("d.ora")), unmarked);

        // Opened from the editor, the window asks for the cell outlined on the palette in front.
        const QString defaults = QDir(m_dir.path()).filePath(QStringLiteral("defaults"));
        QVERIFY(QDir().mkpath(defaults));
        writeDefaults(defaults);
        const std::unique_ptr<MainWindow> editor = startWindow(defaults);
        QVERIFY(editor);
        editor->showSlot(1);
        editor->workspace().setOutlineCell(1, {2, 1});
        SetWindow *opened = editor->showSet(folder);
        QTRY_VERIFY(!statusOf(*opened).contains(QStringLiteral("being read")));
        opened->findChild<QPushButton *>(QStringLiteral("cmdWhereUsed"))->click();
        QCOMPARE(statusOf(*opened).section(u'\n', 1),
                 QStringLiteral("Column 3, row 2 of \"%1\": used in no maptile; 4 keep no record of their subtiles")
                     .arg(Workspace::DefaultTilesetNames[1]));

        // A new maptile is offered a place in the open set; once it closes, no longer.
        QCOMPARE(QFileInfo(editor->maptile().suggestedName()).absolutePath(), QFileInfo(folder).absoluteFilePath());
        opened->close();
        QTRY_VERIFY(!editor->setWindow());
        QCOMPARE(QFileInfo(editor->maptile().suggestedName()).path(), QStringLiteral("."));
    }
};

QTEST_MAIN(TestSetWindow)
#include "tst_setwindow.moc"
