#include "MainWindowFixture.h"

#include "setwindow/SetExport.h"
#include "setwindow/SetModel.h"
#include "setwindow/SetWindow.h"
#include "support/SetFolder.h"

#include <QDir>
#include <QFile>
#include <QListView>
#include <QProcess>
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
        QTRY_COMPARE(statusOf(window),
                     QStringLiteral("5 maptiles, 2 share number 07, 1 has no number, 2 are no maptiles of this program"));
        QCOMPARE(shown(list), QStringList({"d.ora", "a.ora", "b.ora", "e.ora", "broken.ora", "c.ora", "foreign.ora"}));
        const QModelIndex a = list->model()->index(1, 0);
        QCOMPARE(a.data(Qt::AccessibleTextRole).toString(), QStringLiteral("a.ora, number 07, 4 \u00d7 5, shares its number"));
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
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(window), QStringLiteral("5 maptiles, 2 are no maptiles of this program"), 1000);
        QCOMPARE(shown(list), QStringList({"f.ora", "d.ora", "a.ora", "b.ora", "e.ora", "broken.ora", "foreign.ora"}));
        QCOMPARE(window.documents(true).size(), 6);
    }

    // Export All writes what --export DIR writes for the same documents; cancelled, it leaves only whole files.
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
                  QStringList{QStringLiteral("--export"), dir.filePath(QStringLiteral("cli")), QStringLiteral("--format"),
                              QStringLiteral("png")}
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
        QCOMPARE(exported.size(), 2);
        QCOMPARE(exported[1][1].toBool(), true);
        for (const QString &name : QDir(dir.filePath(QStringLiteral("cancelled"))).entryList(QDir::Files))
            QVERIFY2(name.endsWith(QLatin1String(".jpg")), qPrintable(name));
    }
};

QTEST_MAIN(TestSetWindow)
#include "tst_setwindow.moc"
