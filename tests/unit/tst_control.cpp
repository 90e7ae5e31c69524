#include "control/MaptileControl.h"
#include "control/PictureLoad.h"
#include "control/QuitControl.h"
#include "control/ReaderLoads.h"
#include "control/RecoveryControl.h"
#include "control/TilesetControl.h"
#include "control/TilesetSettings.h"
#include "control/UserQuestions.h"
#include "output/MaptileSaver.h"
#include "recovery/RecoveredWork.h"
#include "recovery/RecoveryFiles.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoverySession.h"
#include "recovery/RecoveryWriter.h"
#include "support/LeftSession.h"
#include "support/TestZip.h"
#include "support/WorkspaceFixture.h"

#include <QDir>
#include <QDirIterator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace TestImages;
using Keep = UserQuestions::Keep;
using Recovered = UserQuestions::Recovered;

namespace {

// Answers as the test sets it, and keeps what was asked and said: a short tag
// for each in asked, the whole text in texts.
struct Answers : UserQuestions
{
    Keep keep = Keep::Cancel;
    QString savePath;
    std::optional<JpegOptions> jpeg;
    Recovered recovered = Recovered::Later;
    QStringList asked, texts;

    template<typename Answer>
    Answer heard(const QString &tag, const QString &text, Answer answer)
    {
        asked << tag;
        if (!text.isEmpty())
            texts << text;
        return answer;
    }
    Keep askToKeep(const QString &why, const QString &question) override
    {
        return heard(u"keep"_s, why + question, keep);
    }
    QString chooseToOpen(Files) override { return heard(u"open"_s, {}, QString()); }
    QString chooseToSave(Files, const QString &suggested) override
    {
        return heard(u"save as "_s + QFileInfo(suggested).fileName(), {}, savePath);
    }
    std::optional<JpegOptions> askJpegOptions() override { return heard(u"jpeg"_s, {}, jpeg); }
    Recovered offerRecovered(const QString &text) override { return heard(u"offer"_s, text, recovered); }
    void warn(const QString &text) override { heard(u"warn"_s, text, 0); }
    void inform(const QString &text) override { heard(u"inform"_s, text, 0); }
    void note(const QString &text) override { heard(u"note"_s, text, 0); }
};

} // namespace

// What the editor decides about the user's work, without a window: opening over
// unsaved changes, where a save goes, quitting, work left by a crash, and loads
// that end without a picture.
class TestControl : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Workspace> m_workspace;
    Answers m_answers;
    std::unique_ptr<ReaderLoads> m_loads;
    std::unique_ptr<MaptileControl> m_maptile;
    std::unique_ptr<TilesetControl> m_tilesets;
    QString path(const QString &name) const { return m_dir->filePath(name); }
    // The recovery sessions in folder that keep work.
    static int sessionsHolding(const QString &folder)
    {
        int found = 0;
        for (QDirIterator it(folder, {RecoveryFiles::ListFile}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext(); it.next())
            ++found;
        return found;
    }

    // A session left by an editor that did not close, keeping the workspace's unsaved work.
    QString leftSession(const QString &folder)
    {
        RecoveryWriter writer(*m_workspace, std::make_unique<RecoverySession>(folder), std::chrono::hours(1));
        writer.write();
        writer.flush();
        return LeftSession::abandonedCopy(writer.session().path());
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
    void initTestCase()
    {
        // What the controls remember goes to a place of the tests' own.
        QStandardPaths::setTestModeEnabled(true);
    }
    void init()
    {
        QSettings(u"cryptwright"_s, u"cryptwright"_s).clear();
        m_dir = std::make_unique<QTemporaryDir>();
        writeDefaultTilesets(m_dir->path());
        m_workspace = startWorkspace(m_dir->path());
        m_answers = Answers();
        m_loads = std::make_unique<ReaderLoads>(m_answers);
        // The test's folder holds the defaults, as the program's does.
        m_maptile = std::make_unique<MaptileControl>(*m_workspace, m_answers, *m_loads, QStringList{m_dir->path()});
        m_tilesets = std::make_unique<TilesetControl>(*m_workspace, m_answers, *m_loads, QStringList{m_dir->path()});
    }
    void cleanupTestCase() { QSettings(u"cryptwright"_s, u"cryptwright"_s).clear(); }

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
        QTest::newRow("none") << QString() << QString() << u"maptile"_s;
        QTest::newRow("blank") << u"  "_s << QString() << u"maptile"_s;
        QTest::newRow("one digit") << u"7"_s << QString() << u"maptile-07"_s;
        QTest::newRow("three digits") << u"112"_s << QString() << u"maptile-112"_s;
        QTest::newRow("slashes and colons") << u" 3/4:b "_s << QString() << u"maptile-3-4-b"_s;
        QTest::newRow("in the preferred folder") << u"9"_s << u"set"_s << u"maptile-09"_s;
    }
    void numberedName()
    {
        QFETCH(QString, number);
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QCOMPARE(MaptileControl::numberedName(number), name);
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
        QTest::newRow("new") << QString() << false << u"new.ora"_s << 0 << QStringList{u"save as maptile.ora"_s}
                             << true;
        QTest::newRow("from a picture") << u"cave.png"_s << false << u"new.ora"_s << 0
                                        << QStringList{u"save as cave.ora"_s} << true;
        QTest::newRow("document") << u"crypt.ora"_s << false << QString() << 0 << QStringList() << true;
        QTest::newRow("document, Save As")
            << u"crypt.ora"_s << true << u"new.ora"_s << 0 << QStringList{u"save as crypt.ora"_s} << true;
        QTest::newRow("no name given") << QString() << false << QString() << 0 << QStringList{u"save as maptile.ora"_s}
                                       << false;
        QTest::newRow("JPEG") << QString() << false << u"new.jpg"_s << 80
                              << QStringList{u"save as maptile.ora"_s, u"jpeg"_s} << true;
        QTest::newRow("JPEG options cancelled")
            << QString() << false << u"new.jpg"_s << 0 << QStringList{u"save as maptile.ora"_s, u"jpeg"_s} << false;
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
        QTest::newRow("nothing unsaved") << false << QList<int>() << Keep::Cancel << QString() << QString() << true
                                         << false;
        QTest::newRow("one tileset, Cancel")
            << false << QList<int>{4} << Keep::Cancel << QString()
            << u"The tileset in slot E has changes that are not saved.\n"_s << false << true;
        QTest::newRow("Discard") << true << QList<int>{2, 5} << Keep::Discard << QString() << maptile + two << true
                                 << true;
        QTest::newRow("Save, no name for the maptile")
            << true << QList<int>{2, 5} << Keep::Save << QString() << maptile + two << false << true;
        QTest::newRow("Save all") << true << QList<int>{2, 5} << Keep::Save << u"q.ora"_s << maptile + two << true
                                  << false;
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
        const QDir older(leftSession(folder));
        const QDir session(leftSession(folder));
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
        const QDir session(leftSession(folder));
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

    // No save replaces a file the program ships, however its name is spelt or reached; Save of a default
    // tileset asks where instead. A file of the user's beside them is written.
    void shippedFilesStayAsTheyAre_data()
    {
        QTest::addColumn<QString>("command"); // "save as", "save" of a default tileset, or "maptile"
        QTest::addColumn<QString>("answer"); // where the user saves, in the test's folder
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("written");
        const QStringList refused{u"save as Untitled.png"_s, u"warn"_s};
        QTest::newRow("a default") << u"save as"_s << u"Default_A.jpg"_s << refused << false;
        QTest::newRow("a default, spelt otherwise") << u"save as"_s << u"sub/../Default_B.jpg"_s << refused << false;
        QTest::newRow("a link to a default") << u"save as"_s << u"sub/link.jpg"_s << refused << false;
        QTest::newRow("a name whose metadata is a default's") << u"save as"_s << u"default_c.png"_s << refused << false;
        QTest::newRow("Save of a default") << u"save"_s << QString() << QStringList{u"save as Untitled.png"_s} << false;
        QTest::newRow("a maptile over a default")
            << u"maptile"_s << u"Default_A.jpg"_s << QStringList{u"save as maptile.ora"_s, u"warn"_s} << false;
        QTest::newRow("the user's own file beside them")
            << u"save as"_s << u"mine.png"_s << QStringList{u"save as Untitled.png"_s} << true;
    }
    void shippedFilesStayAsTheyAre()
    {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(QStringList, asked);
        QFETCH(bool, written);
        QVERIFY(QDir(m_dir->path()).mkpath(u"sub"_s));
        QVERIFY(QFile::link(path(u"Default_B.jpg"_s), path(u"sub/link.jpg"_s)));
        writeText(path(u"Default_C.dat"_s), "[TILEDATA]\r\n");
        QStringList shipped{u"Default_C.dat"_s};
        for (const QString &name : Workspace::DefaultTilesetNames)
            shipped << name;
        QList<QByteArray> before;
        for (const QString &name : shipped)
            before << readAll(path(name));
        m_workspace->emptyCell(0, {1, 1});
        m_answers.savePath = answer.isEmpty() ? QString() : path(answer);
        const bool saved = command == u"maptile"_s ? m_maptile->saveAs()
            : command == u"save"_s                 ? m_tilesets->save(0)
                                                   : m_tilesets->saveAs(0);
        QCOMPARE(saved, written);
        QCOMPARE(m_answers.asked, asked);
        if (asked.contains(u"warn"_s))
            QVERIFY2(m_answers.texts.front().contains(u"comes with Cryptwright"_s),
                     qPrintable(m_answers.texts.front()));
        for (qsizetype i = 0; i < shipped.size(); ++i)
            QVERIFY2(readAll(path(shipped[i])) == before[i], qPrintable(shipped[i]));
        QCOMPARE(QFileInfo::exists(m_answers.savePath),
                 written || answer.startsWith(u"Default_"_s) || answer.contains(u'/'));
        QCOMPARE(m_workspace->slot(0).isModified(), !written);
    }

    // Save tileset as offers the tileset's own file, but never a default's name nor the folder the
    // defaults are in: then the folder last used for tilesets, else the pictures folder.
    void tilesetSaveOffered_data()
    {
        QTest::addColumn<QString>("loaded"); // into slot B, empty to keep its default
        QTest::addColumn<QString>("setName");
        QTest::addColumn<bool>("remembered"); // a tileset saved in "used" before
        QTest::addColumn<QString>("offered"); // "pictures/" for the user's pictures folder
        QTest::newRow("a default") << QString() << QString() << false << u"pictures/Untitled.png"_s;
        QTest::newRow("a default, a folder used before") << QString() << QString() << true << u"used/Untitled.png"_s;
        QTest::newRow("a default with a set name") << QString() << u"Moss/Stone"_s << true << u"used/Moss-Stone.png"_s;
        QTest::newRow("the user's own") << u"own/cave.jpg"_s << QString() << true << u"own/cave.jpg"_s;
        QTest::newRow("the user's own, as PNG") << u"own/cave.gif"_s << QString() << true << u"own/cave.png"_s;
        QTest::newRow("the user's own beside the defaults") << u"mine.bmp"_s << QString() << true << u"used/mine.bmp"_s;
    }
    void tilesetSaveOffered()
    {
        QFETCH(QString, loaded);
        QFETCH(QString, setName);
        QFETCH(bool, remembered);
        QFETCH(QString, offered);
        QVERIFY(QDir(m_dir->path()).mkpath(u"own"_s) && QDir(m_dir->path()).mkpath(u"used"_s));
        if (remembered) {
            m_tilesets->newEmpty(4);
            m_answers.savePath = path(u"used/e.png"_s);
            QVERIFY(m_tilesets->saveAs(4));
        }
        if (!loaded.isEmpty()) {
            // The reader goes by content.
            QVERIFY(pattern(Geometry::TilesetSize, 3).save(path(loaded), "BMP"));
            QCOMPARE(m_workspace->loadTileset(1, path(loaded)), QString());
        }
        if (!setName.isEmpty()) {
            TileData named;
            named.setName = setName;
            m_workspace->setTileData(1, named);
        }
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        const QString expected = offered.startsWith(u"pictures/"_s)
            ? QDir(QFileInfo(pictures).isDir() ? pictures : QDir::homePath()).filePath(offered.mid(9))
            : path(offered);
        QCOMPARE(m_tilesets->suggestedPath(1), expected);
    }

    // Tilesets loaded at start across starts: each pinned file comes into its slot in place of the default,
    // or of nothing, without an undo step; one removed or broken since is reported, and the slot keeps
    // its default. The pin stays until turned off, and work that reaches a slot first is kept.
    void tilesetsLoadedAtStart()
    {
        const QDir pins(path(u"pins"_s));
        QVERIFY(pins.mkpath(u"."_s));
        const std::pair<int, QString> files[] = {
            {0, u"a.png"_s}, {4, u"e.bmp"_s}, {2, u"gone.png"_s}, {3, u"broken.png"_s}};
        for (const auto &[slot, name] : files) {
            save(pattern(Geometry::TilesetSize, 10 + slot), pins.filePath(name));
            QCOMPARE(m_workspace->loadTileset(slot, pins.filePath(name)), QString());
            m_tilesets->setLoadAtStart(slot, true);
        }
        m_tilesets->newEmpty(7);
        m_tilesets->setLoadAtStart(7, true);
        QCOMPARE(m_answers.asked, (QStringList{u"note"_s, u"note"_s, u"note"_s, u"note"_s, u"warn"_s}));
        QVERIFY(m_answers.texts.front().contains(u"Slot A loads \"a.png\" at every start."_s));
        const QImage pinnedA = m_workspace->slot(0).fullImage();
        QVERIFY(QFile::remove(pins.filePath(u"gone.png"_s)));
        writeText(pins.filePath(u"broken.png"_s), "Walls in B, doors in D.");

        // A start as the editor's: the defaults, then the files loaded at start, with a control that outlives the
        // loads.
        struct Start
        {
            std::unique_ptr<Workspace> workspace;
            std::unique_ptr<TilesetControl> tilesets;
        };
        const auto start = [this] {
            m_answers = Answers();
            Start next{startWorkspace(m_dir->path()), nullptr};
            next.tilesets =
                std::make_unique<TilesetControl>(*next.workspace, m_answers, *m_loads, QStringList{m_dir->path()});
            next.tilesets->loadAtStart();
            return next;
        };
        const auto fresh = everythingOf(*startWorkspace(m_dir->path()));
        const Start secondStart = start();
        Workspace *second = secondStart.workspace.get();
        QTRY_VERIFY(!m_loads->isLoading());
        QCOMPARE(second->slot(0).path(), pins.filePath(u"a.png"_s));
        QCOMPARE(second->slot(0).fullImage(), pinnedA);
        QCOMPARE(second->slot(4).path(), pins.filePath(u"e.bmp"_s));
        QCOMPARE(second->slot(7).path(), QString());
        QVERIFY(std::get<1>(everythingOf(*second))[2] == std::get<1>(fresh)[2]);
        QVERIFY(std::get<1>(everythingOf(*second))[3] == std::get<1>(fresh)[3]);
        QCOMPARE(m_answers.asked, (QStringList{u"warn"_s, u"warn"_s}));
        QCOMPARE(m_answers.texts.front(),
                 u"Cannot open the tileset \"gone.png\" that slot C loads at start: it is "
                 "not in the folder \"%1\"."_s.arg(QDir::toNativeSeparators(pins.path())));
        QVERIFY2(m_answers.texts.back().contains(u"broken.png"_s), qPrintable(m_answers.texts.back()));
        QVERIFY(second->history().count() == 0 && !second->hasUnsavedWork());
        QVERIFY(TilesetControl::loadsAtStart(2));

        secondStart.tilesets->setLoadAtStart(0, false);
        const Start thirdStart = start();
        Workspace *third = thirdStart.workspace.get();
        third->emptyCell(4, {0, 0});
        QTRY_VERIFY(!m_loads->isLoading());
        QVERIFY(std::get<1>(everythingOf(*third))[0] == std::get<1>(fresh)[0]);
        QVERIFY(third->slot(4).path().isEmpty() && third->history().count() == 1);
    }

    // A file that cannot be read is reported naming it; a cancelled load is only noted; a load given up
    // for the next one for the same slot says nothing. The slot keeps its tileset until a picture comes.
    void loadsEndWithoutAPicture_data()
    {
        QTest::addColumn<QString>("then"); // what is loaded next into the same slot
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("said");
        QTest::newRow("unreadable") << QString() << false << QStringList{u"warn"_s} << u"notes.png"_s;
        QTest::newRow("cancelled") << QString() << true << QStringList{u"note"_s}
                                   << u"Loading \"notes.png\" was cancelled; nothing was changed."_s;
        QTest::newRow("given up for the next") << u"set.png"_s << false << QStringList() << QString();
    }
    void loadsEndWithoutAPicture()
    {
        QFETCH(QString, then);
        QFETCH(bool, cancel);
        QFETCH(QStringList, asked);
        QFETCH(QString, said);
        writeText(path(u"notes.png"_s), "Walls in B, doors in D.");
        save(pattern(Geometry::TilesetSize), path(u"set.png"_s));
        const QImage before = m_workspace->slot(6).fullImage();
        m_tilesets->loadFile(6, path(u"notes.png"_s));
        if (cancel)
            m_loads->load(6)->cancel();
        if (!then.isEmpty())
            m_tilesets->loadFile(6, path(then));
        QTRY_VERIFY(!m_loads->isLoading());
        QCOMPARE(m_answers.asked, asked);
        if (!said.isEmpty())
            QVERIFY2(m_answers.texts.front().contains(said), qPrintable(m_answers.texts.front()));
        QCOMPARE(m_workspace->slot(6).path(), then.isEmpty() ? QString() : path(then));
        QCOMPARE(m_workspace->slot(6).fullImage() == before, then.isEmpty());
    }
};

QTEST_MAIN(TestControl)
#include "tst_control.moc"
