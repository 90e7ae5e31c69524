#include "document/MaptileFileReader.h"
#include "output/MaptileSaver.h"
#include "pictures/TilesetPicture.h"
#include "recovery/RecoveredWork.h"
#include "recovery/RecoveryFiles.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoverySession.h"
#include "recovery/RecoveryWriter.h"
#include "support/LeftSession.h"
#include "support/WorkspaceFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <sys/stat.h>

using namespace TestImages;
using namespace std::chrono_literals;

// Unsaved work written while the editor runs, and brought back after it did not
// close: where it goes, when it is written and removed, and that it comes back whole.
class TestRecovery : public WorkspaceFixture
{
    Q_OBJECT
    QString folder() const { return m_dir->filePath(QStringLiteral("recovery")); }
    bool holdsList(const RecoveryWriter &writer) const
    {
        return QFileInfo::exists(QDir(writer.session().path()).filePath(RecoveryFiles::ListFile));
    }
    static QString sessionName() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }
    // A session in recovery as an editor that did not close leaves it: the maptile of a
    // document, changed, and the tileset of slot C.
    QString leftSession(const QString &recovery)
    {
        Workspace &w = *m_workspace;
        [&] { QCOMPARE(MaptileSaver::save(w, m_dir->filePath(QStringLiteral("crypt.ora"))), QString()); }();
        w.place(Workspace::LeftButton, {0, 0});
        w.emptyCell(2, {0, 0});
        return LeftSession::keeping(w, recovery);
    }
    // The work restored from its files decoded here, as the reading process decodes them for the editor.
    static void restore(const RecoveredWork &work, Workspace &w)
    {
        QString error;
        const MaptileDocument maptile =
            work.hasMaptile() ? MaptileFileReader::read(work.maptileFile(), &error) : MaptileDocument();
        QList<QImage> tilesets;
        for (const RecoveredWork::Tileset &tileset : work.tilesets())
            tilesets << TilesetPicture::read(tileset.file, Geometry::blankColour(), &error);
        QCOMPARE(error, QString());
        work.restore(w, maptile, tilesets);
    }
    // Every entry under path and what it holds, links not followed.
    static QStringList tree(const QString &path)
    {
        QStringList entries;
        const QDir root(path);
        QDirIterator it(path, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo entry(it.next());
            entries << root.relativeFilePath(entry.filePath()) + u' '
                    + (entry.isSymLink() ? entry.symLinkTarget() : QString::number(entry.size()));
        }
        entries.sort();
        return entries;
    }

private slots:
    void init() { startInFreshFolder(); }

    // Written on the twentieth change, or once the interval passes with changes waiting. The running
    // editor's own session is not offered, nor one another editor is deciding on; what comes back whole
    // is the control test's and the end-to-end test's.
    void everyTwentiethChangeIsKept()
    {
        Workspace &w = *m_workspace;
        RecoveryWriter writer(w, std::make_unique<RecoverySession>(folder()), 1h);
        for (int i = 0; i < RecoveryWriter::ChangesPerWrite - 1; ++i)
            w.place(i % 2 ? Workspace::LeftButton : Workspace::RightButton, {i % 5, i / 5});
        writer.flush();
        QVERIFY(!holdsList(writer));
        w.setDesignerText(QStringLiteral("Zoë"));
        writer.flush();
        QVERIFY(holdsList(writer));
        QCOMPARE(QFileInfo(folder()).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
        QVERIFY(RecoveryFolder::leftBehind(folder()).work.empty());

        const QString left = LeftSession::abandonedCopy(writer.session().path());
        std::vector<std::unique_ptr<RecoveredWork>> found = RecoveryFolder::leftBehind(folder()).work;
        QVERIFY(found.size() == 1 && found.front()->path() == left);
        QVERIFY(RecoveryFolder::leftBehind(folder()).work.empty());
        found.front()->discard();
        QVERIFY(!QFileInfo::exists(left) && !QFileInfo::exists(left + QStringLiteral(".lock")));

        // The timer takes changes that wait.
        RecoveryWriter soon(w, std::make_unique<RecoverySession>(folder()), 10ms);
        QTest::qWait(50);
        QVERIFY(!holdsList(soon));
        w.chooseSpeedValue({0, 0}, QStringLiteral("2"));
        QTRY_VERIFY(holdsList(soon));
    }

    // What was saved is not kept; a session that ends leaves nothing of its
    // own, but what it did not write stays; one still running is never taken
    // for one left behind.
    void savedWorkAndEndedSessionsLeaveNothing()
    {
        Workspace &w = *m_workspace;
        auto writer = std::make_unique<RecoveryWriter>(w, std::make_unique<RecoverySession>(folder()), 1h);
        RecoveryWriter other(w, std::make_unique<RecoverySession>(folder()), 1h);
        const QDir session(writer->session().path());
        w.place(Workspace::LeftButton, {0, 0});
        w.emptyCell(2, {0, 0});
        writer->write();
        writer->flush();
        other.write();
        other.flush();
        writeText(session.filePath(QStringLiteral("notes.txt")), "mine");
        const auto files = [&session] { return session.entryList(QDir::Files).join(u' '); };
        QCOMPARE(files(), "cryptwright-session maptile.ora notes.txt recovery.json tileset-C.dat tileset-C.png");
        // The maptile saved: written again without it. Then the tileset saved too: nothing left.
        QCOMPARE(MaptileSaver::save(w, m_dir->filePath(QStringLiteral("m.ora"))), QString());
        writer->flush();
        QCOMPARE(files(), "cryptwright-session notes.txt recovery.json tileset-C.dat tileset-C.png");
        QCOMPARE(w.saveTileset(2, m_dir->filePath(QStringLiteral("c.png"))), QString());
        writer->flush();
        QCOMPARE(files(), "cryptwright-session notes.txt");
        QVERIFY(RecoveryFolder::leftBehind(folder()).work.empty());

        w.place(Workspace::LeftButton, {1, 0});
        writer->write();
        writer.reset();
        QCOMPARE(files(), "notes.txt");
        QCOMPARE(QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 3);
    }

    // A write that fails is reported once, not at every change after it.
    void failedWriteIsReportedOnce()
    {
        Workspace &w = *m_workspace;
        RecoveryWriter writer(w, std::make_unique<RecoverySession>(folder()), 1h);
        QSignalSpy failed(&writer, &RecoveryWriter::failed);
        // Where the session's folder was, a file: nothing can be written into it.
        const QString path = writer.session().path();
        QVERIFY(QDir().mkpath(folder()));
        writeText(path, "in the way");
        for (int i = 0; i < 3 * RecoveryWriter::ChangesPerWrite; ++i)
            w.place(Workspace::LeftButton, {i % 5, 0});
        writer.flush();
        QCoreApplication::processEvents(); // what the writes said
        QCOMPARE(failed.size(), 1);
        QVERIFY2(failed.front().front().toString().contains(path), qPrintable(failed.front().front().toString()));
        QFile::remove(path);
        QVERIFY(QDir().mkpath(path));
        writer.write();
        writer.flush();
        QVERIFY(QFileInfo::exists(QDir(path).filePath(RecoveryFiles::ListFile)));
    }

    // Links, folders and files in the recovery folder that no session made are
    // left as they are, and so is all a link leads to, even what looks like a
    // session; a session's own files go one by one, but never a link.
    void onlyItsOwnIsEverRemoved()
    {
        const QString session = leftSession(folder());
        const QDir recovery(folder());
        const QString victim = m_dir->filePath(QStringLiteral("victim"));
        QVERIFY(QDir().mkpath(victim + QStringLiteral("/sub")));
        for (const QString &name : QDir(session).entryList(QDir::Files))
            QVERIFY(QFile::copy(QDir(session).filePath(name), QDir(victim).filePath(name)));
        writeText(victim + QStringLiteral("/sub/deep.txt"), "deep");
        QVERIFY(QFile::link(victim, recovery.filePath(sessionName())));
        // Named as a session, and marked as one, but made by neither.
        const QString unmarked = recovery.filePath(sessionName());
        const QString misnamed = recovery.filePath(QStringLiteral("photos"));
        for (const QString &foreign : {unmarked, misnamed}) {
            QVERIFY(QDir().mkpath(foreign));
            writeText(QDir(foreign).filePath(RecoveryFiles::MaptileFile), "a user's");
        }
        QVERIFY(QFile::copy(QDir(session).filePath(RecoveryFiles::MarkerFile),
                            QDir(misnamed).filePath(RecoveryFiles::MarkerFile)));
        writeText(recovery.filePath(QStringLiteral("notes.txt")), "mine");
        // In the session: a link where a tileset would be, one to a folder, a file of the user's.
        QVERIFY(QFile::link(victim + QStringLiteral("/sub/deep.txt"),
                            QDir(session).filePath(RecoveryFiles::tilesetFile(1))));
        QVERIFY(QFile::link(victim, QDir(session).filePath(QStringLiteral("stuff"))));
        writeText(QDir(session).filePath(QStringLiteral("mine.txt")), "mine");

        const auto others = [&](QStringList entries) {
            entries.removeIf([&](const QString &entry) { return entry.startsWith(QFileInfo(session).fileName()); });
            return entries;
        };
        const QStringList victimBefore = tree(victim);
        const QStringList othersBefore = others(tree(folder()));
        RecoveryFolder::LeftBehind found = RecoveryFolder::leftBehind(folder());
        QCOMPARE(found.work.size(), std::size_t(1));
        RecoveredWork &work = *found.work.front();
        QVERIFY(work.path() == session && work.hasMaptile() && work.tilesets().size() == 1
                && work.tilesets()[0].slot == 2 && work.hasUnreadable());
        QVERIFY2(found.notice.contains(QDir::toNativeSeparators(folder())), qPrintable(found.notice));
        work.discard();
        QCOMPARE(tree(victim), victimBefore);
        QCOMPARE(others(tree(folder())), othersBefore);
        QCOMPARE(QDir(session).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 QStringList({RecoveryFiles::MarkerFile, "mine.txt", "stuff", RecoveryFiles::tilesetFile(1)}));
    }

    // A recovery folder that is a link is neither read, nor cleared, nor written to, and says why.
    void recoveryFolderThatIsALinkIsLeftAlone()
    {
        const QString real = m_dir->filePath(QStringLiteral("real"));
        leftSession(real);
        QVERIFY(QFile::link(real, folder()));
        const QStringList before = tree(real);
        const RecoveryFolder::LeftBehind found = RecoveryFolder::leftBehind(folder());
        QVERIFY(found.work.empty());
        QVERIFY2(found.notice.contains(QDir::toNativeSeparators(folder())) && found.notice.contains("symbolic link"),
                 qPrintable(found.notice));
        {
            RecoveryWriter writer(*m_workspace, std::make_unique<RecoverySession>(folder()), 1h);
            QSignalSpy failed(&writer, &RecoveryWriter::failed);
            m_workspace->place(Workspace::LeftButton, {2, 0});
            writer.write();
            writer.flush();
            QCoreApplication::processEvents(); // what the write said
            QCOMPARE(failed.size(), 1);
            QVERIFY2(failed.front().front().toString().contains("symbolic link"),
                     qPrintable(failed.front().front().toString()));
        }
        QCOMPARE(tree(real), before);
    }

    void unreadableListKeepsTheWork_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("work");
        for (const char *list : {"truncated", "empty", "too large", "/dev/zero", "pipe"})
            QTest::addRow("%s, beside the work", list) << QString(list) << true;
        QTest::addRow("truncated, alone") << "truncated" << false;
        QTest::addRow("/dev/zero, alone") << "/dev/zero" << false;
    }

    // A list that cannot be read is read no further than its limit. The work
    // beside it is offered, found by its names, and comes back untitled; with
    // no work beside it, the session is kept and told of.
    void unreadableListKeepsTheWork()
    {
        QFETCH(QString, list);
        QFETCH(bool, work);
        const QDir session(leftSession(folder()));
        const QString file = session.filePath(RecoveryFiles::ListFile);
        const QByteArray good = RecoveryFiles::read(file, RecoveryFiles::MaxListBytes).value_or("");
        QVERIFY(good.contains("crypt.ora"));
        if (list == "truncated") {
            writeText(file, good.left(good.size() / 2));
        } else if (list == "empty") {
            writeText(file, {});
        } else if (list == "too large") {
            writeText(file, good + QByteArray(RecoveryFiles::MaxListBytes, ' '));
        } else {
            QVERIFY(QFile::remove(file));
            QVERIFY(list == "pipe" ? ::mkfifo(QFile::encodeName(file).constData(), 0600) == 0
                                   : QFile::link(list, file));
        }
        if (!work) {
            for (const QString &name :
                 {RecoveryFiles::MaptileFile, RecoveryFiles::tilesetFile(2), RecoveryFiles::tilesetDataFile(2)})
                QVERIFY(QFile::remove(session.filePath(name)));
        }
        RecoveryFolder::LeftBehind found = RecoveryFolder::leftBehind(folder());
        if (!work) {
            QVERIFY(found.work.empty() && !found.notice.isEmpty());
            QVERIFY(QFileInfo(file).isSymLink() || QFileInfo::exists(file));
            QVERIFY(QFileInfo::exists(session.filePath(RecoveryFiles::MarkerFile)));
            return;
        }
        QCOMPARE(found.work.size(), std::size_t(1));
        QCOMPARE(found.notice, QString());
        RecoveredWork &kept = *found.work.front();
        QVERIFY(kept.maptileFile() == session.filePath(RecoveryFiles::MaptileFile) && kept.savedAt().isValid());
        QVERIFY(kept.tilesets().size() == 1
                && kept.tilesets()[0].file == session.filePath(RecoveryFiles::tilesetFile(2)));
        const auto restored = startWorkspace(m_dir->path());
        restore(kept, *restored);
        QVERIFY(maptileOf(*restored) == maptileOf(*m_workspace) && restored->documentPath().isEmpty());
        QCOMPARE(restored->unsavedSlots(), QList<int>{2});
        kept.discard();
        QVERIFY(!QFileInfo::exists(session.filePath(RecoveryFiles::MaptileFile)));
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
