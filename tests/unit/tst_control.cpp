#include "control/PictureLoad.h"
#include "control/QuitControl.h"
#include "control/RecoveryControl.h"
#include "control/UserQuestions.h"
#include "output/MaptileSaver.h"
#include "recovery/RecoveredWork.h"
#include "recovery/RecoveryFiles.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoverySession.h"
#include "recovery/RecoveryWriter.h"
#include "support/ControlFixture.h"
#include "support/LeftSession.h"
#include "support/TestZip.h"

#include <QDir>
#include <QDirIterator>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestImages;
using Keep = UserQuestions::Keep;
using Recovered = UserQuestions::Recovered;

// What the editor decides about the user's work, without a window: opening over
// unsaved changes, where a save goes, quitting, and work left by a crash.
class TestControl : public ControlFixture
{
    Q_OBJECT

    // The recovery sessions in folder that keep work.
    static int sessionsHolding(const QString &folder)
    {
        int found = 0;
        for (QDirIterator it(folder, {RecoveryFiles::ListFile}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext(); it.next())
            ++found;
        return found;
    }

    // Offers what folder keeps as the test answers, and returns once the offers are over.
    bool offerFrom(RecoveryControl &recovery, const QString &folder)
    {
        bool over = false;
        if (recovery.keep(folder))
            recovery.offer([&over] { over = true; });
        return QTest::qWaitFor([&over] { return over; }, 20'000);
    }

    // The maptile opened from a 3 x 3 picture, read in the reading process.
    void openPicture(const QString &name)
    {
        save(pattern({432, 432}), path(name));
        m_maptile->openFile(path(name));
        QTRY_VERIFY(!m_loads->isLoading());
    }

private slots:
    void initTestCase() { keepSettingsApart(); }
    void init() { startControls(); }
    void cleanupTestCase() { forgetSettings(); }

    // Cancel, or a Save that fails or is cancelled, stops the opening; Discard and a Save that worked go on.
    void openOverUnsavedWork_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("document"); // the maptile's, empty for none
        QTest::addColumn<Keep>("answer");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("opened");
        const QStringList keep{u"keep"_s};
        QTest::newRow("unchanged") << false << QString() << Keep::Cancel << QStringList() << true;
        QTest::newRow("Cancel") << true << QString() << Keep::Cancel << keep << false;
        QTest::newRow("Discard") << true << QString() << Keep::Discard << keep << true;
        QTest::newRow("Save in place") << true << u"kept.ora"_s << Keep::Save << keep << true;
        QTest::newRow("Save, no name given")
            << true << QString() << Keep::Save << QStringList{u"keep"_s, u"save as maptile.ora"_s} << false;
        QTest::newRow("Save fails") << true << u"gone/kept.ora"_s << Keep::Save << QStringList{u"keep"_s, u"warn"_s}
                                    << false;
    }
    void openOverUnsavedWork()
    {
        QFETCH(bool, changed);
        QFETCH(QString, document);
        QFETCH(Keep, answer);
        QFETCH(QStringList, asked);
        QFETCH(bool, opened);
        Workspace &w = *m_workspace;
        if (!document.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(path(document)).path()));
            QCOMPARE(MaptileSaver::save(w, path(document)), QString());
        }
        const QByteArray saved = readAll(path(document));
        if (document.startsWith(u"gone/"_s))
            QVERIFY(QDir(path(u"gone"_s)).removeRecursively());
        if (changed)
            w.place(Workspace::LeftButton, {1, 1});
        const QImage before = w.maptile().master();
        m_answers.keep = answer;
        openPicture(u"cave.png"_s);
        QCOMPARE(m_answers.asked, asked);
        QCOMPARE(w.maptile().master() != before, opened);
        if (changed)
            QCOMPARE(m_answers.texts.front(),
                     u"The current maptile has had changes made to it.\n"
                     "Do you still wish to open another maptile?"_s);
        if (document == u"kept.ora"_s)
            QVERIFY(readAll(path(document)) != saved);
    }

    // A new document is named after its maptile number, kept to what every file system takes, in the
    // preferred folder when there is one.
    void numberedName_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("blank") << u"  "_s << QString() << u"maptile"_s;
        QTest::newRow("one digit") << u"7"_s << QString() << u"maptile-07"_s;
        QTest::newRow("slashes and colons") << u" 3/4:b "_s << QString() << u"maptile-3-4-b"_s;
        QTest::newRow("in the preferred folder") << u"9"_s << u"set"_s << u"maptile-09"_s;
    }
    void numberedName()
    {
        QFETCH(QString, number);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        m_workspace->setMapNumText(number);
        m_maptile->setPreferredFolder(folder.isEmpty() ? QString() : path(folder));
        QCOMPARE(m_maptile->suggestedName(), (folder.isEmpty() ? QString() : path(folder) + u'/') + name + u".ora"_s);
    }

    // Save writes back to the document; without one, or with Save As, it asks where, offering the
    // document, the picture's name or "maptile"; a JPEG asks its options, and Cancel there writes nothing.
    void saveInPlaceOrAs_data()
    {
        QTest::addColumn<QString>("from"); // a picture or document the maptile was opened from or saved as
        QTest::addColumn<bool>("saveAs");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("quality"); // of the JPEG options chosen, 0 for Cancel
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("written");
        const auto row = [](const char *tag, const QString &from, bool saveAs, const QString &answer, int quality,
                            const QStringList &asked, bool written) {
            QTest::newRow(tag) << from << saveAs << answer << quality << asked << written;
        };
        const QString maptile = u"save as maptile.ora"_s;
        row("from a picture", u"cave.png"_s, false, u"new.ora"_s, 0, {u"save as cave.ora"_s}, true);
        row("document, Save As", u"crypt.ora"_s, true, u"new.ora"_s, 0, {u"save as crypt.ora"_s}, true);
        row("no name given", {}, false, {}, 0, {maptile}, false);
        row("JPEG", {}, false, u"new.jpg"_s, 80, {maptile, u"jpeg"_s}, true);
        row("JPEG options cancelled", {}, false, u"new.jpg"_s, 0, {maptile, u"jpeg"_s}, false);
    }
    void saveInPlaceOrAs()
    {
        QFETCH(QString, from);
        QFETCH(bool, saveAs);
        QFETCH(QString, answer);
        QFETCH(int, quality);
        QFETCH(QStringList, asked);
        QFETCH(bool, written);
        Workspace &w = *m_workspace;
        if (from.endsWith(u".png"_s))
            openPicture(from);
        else if (!from.isEmpty())
            QCOMPARE(MaptileSaver::save(w, path(from)), QString());
        const QString target = !answer.isEmpty() ? path(answer) : from.isEmpty() ? QString() : path(from);
        QFile::remove(target);
        w.place(Workspace::LeftButton, {0, 0});
        m_answers.asked.clear();
        m_answers.savePath = answer.isEmpty() ? QString() : target;
        if (quality)
            m_answers.jpeg = JpegOptions{quality, false};
        QCOMPARE(saveAs ? m_maptile->saveAs() : m_maptile->save(), written);
        QCOMPARE(m_answers.asked, asked);
        QCOMPARE(!target.isEmpty() && QFileInfo::exists(target), written);
        // Only a document keeps everything; after a JPEG the changes still count as unsaved.
        QCOMPARE(w.maptileChanged(), !written || quality != 0);
    }

    // One question for the maptile and every tileset with changes; Save saves them in turn and
    // stops at the first that fails or is cancelled, and so does quitting.
    void quitAsksOnce_data()
    {
        QTest::addColumn<bool>("maptile");
        QTest::addColumn<QList<int>>("tilesets"); // changed, each loaded from a file of its own
        QTest::addColumn<Keep>("answer");
        QTest::addColumn<QString>("name"); // for the maptile's document
        QTest::addColumn<QString>("why");
        QTest::addColumn<bool>("quits");
        QTest::addColumn<bool>("unsaved");
        const QString maptile = u"The current maptile has had changes made to it.\n"_s;
        const QString two = u"The tilesets in slots C and F have changes that are not saved.\n"_s;
        const auto row = [](const char *tag, bool changed, const QList<int> &tilesets, Keep answer, const QString &name,
                            const QString &why, bool quits, bool unsaved) {
            QTest::newRow(tag) << changed << tilesets << answer << name << why << quits << unsaved;
        };
        row("nothing unsaved", false, {}, Keep::Cancel, {}, {}, true, false);
        row("one tileset, Cancel", false, {4}, Keep::Cancel, {},
            u"The tileset in slot E has changes that are not saved.\n"_s, false, true);
        row("Discard", true, {2, 5}, Keep::Discard, {}, maptile + two, true, true);
        row("Save, no name for the maptile", true, {2, 5}, Keep::Save, {}, maptile + two, false, true);
        row("Save all", true, {2, 5}, Keep::Save, u"q.ora"_s, maptile + two, true, false);
    }
    void quitAsksOnce()
    {
        QFETCH(bool, maptile);
        QFETCH(QList<int>, tilesets);
        QFETCH(Keep, answer);
        QFETCH(QString, name);
        QFETCH(QString, why);
        QFETCH(bool, quits);
        QFETCH(bool, unsaved);
        Workspace &w = *m_workspace;
        for (int slot : tilesets) {
            const QString file = path(u"set%1.png"_s.arg(slot));
            save(pattern(Geometry::TilesetSize, slot), file);
            QCOMPARE(w.loadTileset(slot, file), QString());
            w.emptyCell(slot, {1, 1});
        }
        if (maptile)
            w.place(Workspace::LeftButton, {2, 2});
        m_answers.keep = answer;
        m_answers.savePath = name.isEmpty() ? QString() : path(name);
        QCOMPARE(QuitControl(w, m_answers, *m_maptile, *m_tilesets).mayQuit(), quits);
        QCOMPARE(m_answers.texts, why.isEmpty() ? QStringList() : QStringList{why + u"Do you still wish to quit?"_s});
        QCOMPARE(w.hasUnsavedWork(), unsaved);
        // The tilesets' files are written only when everything is saved: a save stopped at the maptile writes none.
        for (int slot : tilesets)
            QCOMPARE(QImage(path(u"set%1.png"_s.arg(slot))).pixel(144 + 72, 144 + 72) == Geometry::blankColour(),
                     !unsaved);
    }

    // Work left by editors that did not close is offered in turn: the first restored becomes the
    // workspace's, kept again at once in this editor's session, and the older waits for the next start;
    // discarded it is gone; closed unanswered it waits.
    void recoveryOffered_data()
    {
        QTest::addColumn<Recovered>("answer");
        QTest::addColumn<int>("offers");
        QTest::addColumn<int>("waiting"); // left behind afterwards
        QTest::newRow("Restore") << Recovered::Restore << 1 << 1;
        QTest::newRow("Discard") << Recovered::Discard << 2 << 0;
        QTest::newRow("Later") << Recovered::Later << 2 << 2;
    }
    void recoveryOffered()
    {
        QFETCH(Recovered, answer);
        QFETCH(int, offers);
        QFETCH(int, waiting);
        const QString folder = path(u"recovery"_s);
        Workspace &crashed = *m_workspace;
        crashed.place(Workspace::RightButton, {3, 4});
        crashed.emptyCell(1, {0, 0});
        // Two editors' sessions holding the same work, each left behind by a copy.
        std::unique_ptr<RecoveryWriter> writers[2];
        for (auto &writer : writers) {
            writer = std::make_unique<RecoveryWriter>(crashed, std::make_unique<RecoverySession>(folder),
                                                      std::chrono::hours(1));
            writer->write();
            writer->flush();
            LeftSession::abandonedCopy(writer->session().path());
        }
        const auto kept = everythingOf(crashed);

        const std::unique_ptr<Workspace> next = startWorkspace(m_dir->path());
        const auto fresh = everythingOf(*next);
        const bool restored = answer == Recovered::Restore;
        m_answers.recovered = answer;
        QStringList read;
        connect(m_loads.get(), &ReaderLoads::started, this,
                [&read](PictureLoad *load) { read << QFileInfo(load->path()).fileName(); });
        RecoveryControl recovery(*next, m_answers, *m_loads);
        QVERIFY(offerFrom(recovery, folder));
        QCOMPARE(m_answers.asked, QStringList(offers, u"offer"_s));
        // Every kept file, and the tileset's own, decoded in the reading process, and only for a restore.
        const QStringList decoded{RecoveryFiles::MaptileFile, RecoveryFiles::tilesetFile(1), u"Default_B.jpg"_s};
        QCOMPARE(read, restored ? decoded : QStringList());
        QVERIFY2(m_answers.texts.front().contains(u"the maptile"_s)
                     && m_answers.texts.front().contains(u"the tileset in slot B"_s),
                 qPrintable(m_answers.texts.front()));
        QVERIFY(everythingOf(*next) == (restored ? kept : fresh));
        QCOMPARE(next->hasUnsavedWork(), restored);
        QCOMPARE(next->history().count(), 0);
        QCOMPARE(RecoveryFolder::leftBehind(folder).work.size(), std::size_t(waiting));
        // Beside the two running sessions: what waits, and the restored work until this editor ends cleanly.
        QCOMPARE(sessionsHolding(folder), 2 + waiting + int(restored));
        recovery.end();
        QCOMPARE(sessionsHolding(folder), 2 + waiting);
    }

    // Restored work is saved back only to a document of this program that it names by an absolute path,
    // and each tileset only to a picture: anything else the list names, the work comes back untitled,
    // and Save asks for a name instead of writing there.
    void restoredWorkSavesOnlyToItsOwn_data()
    {
        QTest::addColumn<QString>("named"); // in the list, for the maptile and the tileset
        QTest::addColumn<bool>("titled");
        QTest::newRow("its own document") << u"crypt.ora"_s << true;
        QTest::newRow("a text file") << u"notes.txt"_s << false;
        QTest::newRow("a text file named as a document") << u"notes.ora"_s << false;
        QTest::newRow("a relative path") << u"relative"_s << false;
        QTest::newRow("a missing file") << u"gone.ora"_s << false;
        QTest::newRow("another program's document") << u"painted.ora"_s << false;
        QTest::newRow("the maptile another session keeps") << u"kept"_s << false;
    }
    void restoredWorkSavesOnlyToItsOwn()
    {
        QFETCH(QString, named);
        QFETCH(bool, titled);
        Workspace &w = *m_workspace;
        QCOMPARE(MaptileSaver::save(w, path(u"crypt.ora"_s)), QString());
        writeText(path(u"notes.txt"_s), "Walls in B, doors in D.");
        writeText(path(u"notes.ora"_s), "Walls in B, doors in D.");
        writeText(path(u"painted.ora"_s), TestZip::foreignDocument(pattern({720, 864})));
        w.place(Workspace::LeftButton, {1, 1});
        w.emptyCell(2, {0, 0});
        const QString folder = path(u"recovery"_s);
        // Older, so offered after the one restored, and left waiting.
        const QDir older(LeftSession::keeping(*m_workspace, folder));
        const QDir session(LeftSession::keeping(*m_workspace, folder));
        const QString target = named == u"relative"_s ? QDir::current().relativeFilePath(path(u"crypt.ora"_s))
            : named == u"kept"_s                      ? older.filePath(RecoveryFiles::MaptileFile)
                                                      : path(named);
        QVERIFY(target.startsWith(u"../"_s) || named != u"relative"_s);
        if (!titled) {
            const QString list = session.filePath(RecoveryFiles::ListFile);
            writeText(list,
                      readAll(list)
                          .replace(path(u"crypt.ora"_s).toUtf8(), target.toUtf8())
                          .replace(w.slot(2).path().toUtf8(), target.toUtf8()));
        }
        const QByteArray before = readAll(target);

        const std::unique_ptr<Workspace> next = startWorkspace(m_dir->path());
        m_answers.recovered = Recovered::Restore;
        RecoveryControl recovery(*next, m_answers, *m_loads);
        QVERIFY(offerFrom(recovery, folder));
        QVERIFY2(m_answers.texts.front().contains(u"the maptile of \"crypt.ora\""_s) == titled,
                 qPrintable(m_answers.texts.front()));
        QVERIFY(maptileOf(*next) == maptileOf(w) && next->maptileChanged());
        QCOMPARE(next->documentPath(), titled ? path(u"crypt.ora"_s) : QString());
        QCOMPARE(next->slot(2).path(), titled ? w.slot(2).path() : QString());
        QVERIFY(next->slot(2).isModified());

        m_answers.asked.clear();
        QCOMPARE(MaptileControl(*next, m_answers, *m_loads).save(), titled);
        QCOMPARE(m_answers.asked, titled ? QStringList() : QStringList{u"save as maptile.ora"_s});
        QCOMPARE(readAll(target) == before, !titled);
    }

    // A kept file that cannot be read, or a restore cancelled while it reads, changes nothing: the
    // workspace stays as it was, and the work stays kept and is said to be.
    void restoreThatCannotFinishKeepsEverything_data()
    {
        QTest::addColumn<QString>("cancelAt"); // the kept file whose reading is cancelled
        QTest::addColumn<QString>("said");
        QTest::newRow("cancelled at the maptile") << RecoveryFiles::MaptileFile << u"inform"_s;
        QTest::newRow("cancelled at a tileset") << RecoveryFiles::tilesetFile(2) << u"inform"_s;
        QTest::newRow("a tileset is no picture") << QString() << u"warn"_s;
    }
    void restoreThatCannotFinishKeepsEverything()
    {
        QFETCH(QString, cancelAt);
        QFETCH(QString, said);
        m_workspace->place(Workspace::LeftButton, {1, 1});
        m_workspace->emptyCell(2, {0, 0});
        const QString folder = path(u"recovery"_s);
        const QDir session(LeftSession::keeping(*m_workspace, folder));
        if (cancelAt.isEmpty())
            writeText(session.filePath(RecoveryFiles::tilesetFile(2)), "Walls in B, doors in D.");
        connect(m_loads.get(), &ReaderLoads::started, this, [&cancelAt](PictureLoad *load) {
            if (QFileInfo(load->path()).fileName() == cancelAt)
                QMetaObject::invokeMethod(load, &PictureLoad::cancel, Qt::QueuedConnection);
        });

        const std::unique_ptr<Workspace> next = startWorkspace(m_dir->path());
        const auto fresh = everythingOf(*next);
        m_answers.recovered = Recovered::Restore;
        {
            RecoveryControl recovery(*next, m_answers, *m_loads);
            QVERIFY(offerFrom(recovery, folder));
            QCOMPARE(m_answers.asked, (QStringList{u"offer"_s, said}));
            QVERIFY2(m_answers.texts.back().contains(QDir::toNativeSeparators(session.path()))
                         && (cancelAt.isEmpty() || m_answers.texts.back().contains(u"cancelled"_s)),
                     qPrintable(m_answers.texts.back()));
            QVERIFY(everythingOf(*next) == fresh && !next->hasUnsavedWork());
        }
        QCOMPARE(RecoveryFolder::leftBehind(folder).work.size(), std::size_t(1));
    }
};

QTEST_MAIN(TestControl)
#include "tst_control.moc"