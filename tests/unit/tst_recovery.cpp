#include "output/MaptileSaver.h"
#include "recovery/RecoveredWork.h"
#include "recovery/RecoverySession.h"
#include "recovery/RecoveryWriter.h"
#include "support/LeftSession.h"
#include "support/WorkspaceFixture.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace TestImages;
using namespace std::chrono_literals;

// Unsaved work written while the editor runs, and brought back after it did not
// close: where it goes, when it is written and removed, and that it comes back whole.
class TestRecovery : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Workspace> m_workspace;
    QString folder() const { return m_dir->filePath(QStringLiteral("recovery")); }
    bool holdsList(const RecoveryWriter &writer) const
    {
        return QFileInfo::exists(QDir(writer.session().path()).filePath(RecoverySession::ListFile));
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        writeDefaultTilesets(m_dir->path());
        m_workspace = startWorkspace(m_dir->path());
    }

    // Written on the twentieth change, or once the interval passes with changes waiting;
    // after a crash, everything comes back as it was, unsaved and with nothing to undo.
    void everyTwentiethChangeIsKeptAndComesBackWhole()
    {
        Workspace &w = *m_workspace;
        RecoveryWriter writer(w, std::make_unique<RecoverySession>(folder()), 1h);
        const QString document = m_dir->filePath(QStringLiteral("crypt12.ora"));
        QCOMPARE(MaptileSaver::save(w, document), QString());
        for (int i = 0; i < RecoveryWriter::ChangesPerWrite - 5; ++i)
            w.place(i % 2 ? Workspace::LeftButton : Workspace::RightButton, {i % 5, i / 5});
        w.chooseSpeedValue({4, 5}, QStringLiteral("1/T"));
        w.setMapNumText(QStringLiteral("12"));
        w.emptyCell(1, {3, 2});
        TileData data;
        data.setName = QStringLiteral("Höhle");
        data.setSpeedValue(6, 3, QStringLiteral("X"));
        w.setTileData(1, data);
        writer.flush();
        QVERIFY(!holdsList(writer));
        w.setDesignerText(QStringLiteral("Zoë"));
        writer.flush();
        QVERIFY(holdsList(writer));
        QCOMPARE(QFileInfo(folder()).permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
        const auto kept = everythingOf(w);

        const QString left = LeftSession::abandonedCopy(writer.session().path());
        // The running editor's own session is not offered; the one left is.
        std::vector<std::unique_ptr<RecoveredWork>> found = RecoverySession::leftBehind(folder());
        QCOMPARE(found.size(), std::size_t(1));
        const RecoveredWork &work = *found.front();
        QVERIFY(work.path() == left && work.hasMaptile() && work.documentPath() == document);
        QVERIFY(work.tilesets().size() == 1 && work.tilesets()[0].slot == 1
                && work.tilesets()[0].setName == QStringLiteral("Höhle")
                && work.tilesets()[0].path == w.slot(1).path());
        // Nor by another editor while this one decides.
        QVERIFY(RecoverySession::leftBehind(folder()).empty());

        const auto restored = startWorkspace(m_dir->path());
        QCOMPARE(work.restore(*restored), QString());
        QVERIFY(everythingOf(*restored) == kept && restored->unsavedSlots() == w.unsavedSlots());
        QVERIFY(restored->documentPath() == document && restored->maptileChanged() && !restored->history().count());
        found.front()->discard();
        QVERIFY(!QFileInfo::exists(left) && !QFileInfo::exists(left + QStringLiteral(".lock")));

        // The timer takes changes that wait.
        RecoveryWriter soon(*restored, std::make_unique<RecoverySession>(folder()), 10ms);
        QTest::qWait(50);
        QVERIFY(!holdsList(soon));
        restored->chooseSpeedValue({0, 0}, QStringLiteral("2"));
        QTRY_VERIFY(holdsList(soon));
    }

    // What was saved is not kept; a session that ends leaves nothing, and one
    // still running is never taken for one left behind.
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
        const auto files = [&session] { return session.entryList(QDir::Files).join(u' '); };
        QCOMPARE(files(), "maptile.ora recovery.json tileset-C.dat tileset-C.png");
        // The maptile saved: written again without it. Then the tileset saved too: nothing left.
        QCOMPARE(MaptileSaver::save(w, m_dir->filePath(QStringLiteral("m.ora"))), QString());
        writer->flush();
        QCOMPARE(files(), "recovery.json tileset-C.dat tileset-C.png");
        QCOMPARE(w.saveTileset(2, m_dir->filePath(QStringLiteral("c.png"))), QString());
        writer->flush();
        QCOMPARE(files(), QString());
        QVERIFY(RecoverySession::leftBehind(folder()).empty());

        w.place(Workspace::LeftButton, {1, 0});
        writer->write();
        writer.reset();
        QCOMPARE(QDir(folder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 2);
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
        QVERIFY(QFileInfo::exists(QDir(path).filePath(RecoverySession::ListFile)));
    }
};

QTEST_MAIN(TestRecovery)
#include "tst_recovery.moc"
