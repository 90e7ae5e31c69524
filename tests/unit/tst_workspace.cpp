#include "document/DocumentReader.h"
#include "output/MaptileSaver.h"
#include "raster/RasterOps.h"
#include "support/WorkspaceFixture.h"
#include "tilesets/ProfileReader.h"
#include "workspace/MaptileOpener.h"
#include "workspace/UndoHistory.h"

#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestImages;
using namespace Qt::StringLiterals;

namespace {

// One round of a repeated change; i counts the rounds.
using Round = std::function<void(Workspace &, int i)>;

} // namespace

Q_DECLARE_METATYPE(Round)

// The run-wide state below the windows: placing and numbering, the undo history
// of every maptile and tileset change, and the maptile saved to and opened from files.
// Pressing, assigning, sizing and loading are checked through the windows, failed
// loads and saves by the hostile-input test, where the whole state is compared.
class TestWorkspace : public WorkspaceFixture
{
    Q_OBJECT

    // Something to lose: a picture on every space, numbers and texts; the left button's subtile blends.
    Workspace &withWork()
    {
        Workspace &w = *m_workspace;
        w.openImage(pattern({720, 864}, 5));
        w.setTransparency(0, TransparencySetting(QStringLiteral("2,90")));
        w.setMapNumText(QStringLiteral("12"));
        w.setDesignerText(QStringLiteral("Ann"));
        w.chooseSpeedValue({4, 5}, QStringLiteral("X"));
        w.history().clear();
        return w;
    }

private slots:
    void init() { startInFreshFolder(); }

    // Start-up takes the tilesets of its own folders, whatever was read ahead (which only saves time);
    // one in none of them is reported with where it was looked for.
    void startUpTakesTheDefaultsOfItsFolders()
    {
        QTemporaryDir other;
        for (int i = 0; i < 4; ++i)
            QVERIFY(
                pattern(Geometry::TilesetSize, 10 + i).save(other.filePath(Workspace::DefaultTilesetNames[i]), "BMP"));
        for (const QString &ahead : {m_dir->path(), other.path()}) {
            Workspace w;
            w.readDefaultsAhead({ahead});
            w.startUp({m_dir->path()}, [](const QString &message) { QFAIL(qPrintable(message)); });
            QVERIFY(everythingOf(w) == everythingOf(*m_workspace));
        }
        for (const QString &gone : {m_dir->filePath(u"Default_B.jpg"_s), m_dir->filePath(u"Default_C.jpg"_s),
                                    other.filePath(u"Default_C.jpg"_s)})
            QVERIFY(QFile::remove(gone));
        QStringList reports;
        Workspace w;
        w.startUp({m_dir->path(), other.path()}, [&reports](const QString &message) { reports << message; });
        QCOMPARE(reports,
                 QStringList(u"Cannot open the default tileset \"Default_C.jpg\": it is in neither the folder "
                             u"\"%1\" nor \"%2\"."_s.arg(m_dir->path(), other.path())));
        QVERIFY(w.slot(1).path() == other.filePath(u"Default_B.jpg"_s) && w.slot(2).path().isEmpty());
    }

    void placingNumbersTheSpace()
    {
        Workspace &w = *m_workspace;
        const QString set = m_dir->filePath(Workspace::DefaultTilesetNames[0]);
        writeText(m_dir->filePath(QStringLiteral("Default_A.dat")), "[TILEDATA]\n60=\" 3 \"\n");
        QVERIFY(w.loadTileset(0, set).isEmpty());
        // The metadata is read with the tileset, not at each placement.
        writeText(m_dir->filePath(QStringLiteral("Default_A.dat")), "[TILEDATA]\n60=4\n");
        writeText(m_dir->filePath(QStringLiteral("default_b.DAT")), "[TILEDATA]\n63=4\n");
        w.place(Workspace::LeftButton, {2, 2});
        QCOMPARE(w.maptile().speedValue(2, 2), "3");
        // No entry for the subtile, or no tileset file: the earlier value goes.
        w.chooseSpeedValue({1, 1}, QStringLiteral("X"));
        w.place(Workspace::RightButton, {1, 1});
        w.chooseSpeedValue({0, 0}, QStringLiteral("2"));
        w.assign(Workspace::MiddleButton, 6);
        w.place(Workspace::MiddleButton, {0, 0});
        QCOMPARE(w.maptile().speedValue(1, 1) + w.maptile().speedValue(0, 0), QString());
        // A space outside the table stores nothing, placed or chosen; two buttons at once place nothing.
        const auto before = maptileOf(w);
        for (QPoint space : {QPoint(5, 0), QPoint(-1, 2)}) {
            w.place(Workspace::LeftButton, space);
            w.chooseSpeedValue(space, QStringLiteral("X"));
        }
        w.place(Workspace::LeftButton | Workspace::RightButton, {2, 0});
        QVERIFY(maptileOf(w) == before);
        // Off: placing keeps the space's value.
        w.setAutoNumber(false);
        w.place(Workspace::RightButton, {2, 2});
        QCOMPARE(w.maptile().speedValue(2, 2), "3");
    }

    // A tileset made in the editor, saved, and loaded into another slot as it was; a save refused for its
    // name, its folder or what the name is names the file, writes nothing and leaves the tileset unsaved.
    void tilesetSavedAndLoadedAgain()
    {
        Workspace &w = *m_workspace;
        w.newEmptyTileset(5);
        w.importSubtile(5, {6, 3}, pattern({144, 144}, 3));
        w.importSubtile(5, {0, 1}, pattern({288, 288}, 4));
        w.replaceSubtile(5, 0, 0, pattern({144, 144}, 5).transformed(QTransform().rotate(90)));
        QCOMPARE(w.slot(5).subtile(6, 3), pattern({144, 144}, 3));
        TileData data;
        data.setName = u"Höhle"_s;
        data.creator = u"Zoë"_s;
        data.setSpeedValue(6, 3, u"1/T"_s);
        w.setTileData(5, data);
        // Permissions do not stop root from writing into a folder.
        const QString folder = m_dir->filePath(u"locked"_s);
        QVERIFY(QDir().mkpath(folder) && QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        for (const QString &path : {m_dir->filePath(u"set"_s), m_dir->filePath(u"set.gif"_s),
                                    ::geteuid() ? folder + u"/set.png"_s : u"/proc/set.png"_s}) {
            const QString error = w.saveTileset(5, path);
            QVERIFY2(error.contains(path) && !QFileInfo::exists(path), qPrintable(error));
        }
        QVERIFY(QDir(folder).isEmpty() && w.unsavedSlots() == QList<int>{5});
        // A pipe under the name stays one, and the metadata beside it as it was.
        const QString pipe = m_dir->filePath(u"pipe.png"_s), pipeDat = m_dir->filePath(u"pipe.dat"_s);
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        writeText(pipeDat, "[TILEDATA]\nSETNAME=Old\n");
        QVERIFY(w.saveTileset(5, pipe).contains(pipe) && !QFileInfo(pipe).isFile());
        QCOMPARE(ProfileReader::fromFile(pipeDat).value("TILEDATA", "SETNAME"), u"Old"_s);
        // An existing metadata file, in whatever letter case, keeps what else it holds.
        const QString saved = m_dir->filePath(u"made.png"_s);
        writeText(m_dir->filePath(u"MADE.DAT"_s), "[TILEDATA]\nSETNAME=Old\nVERSION=2\n");
        QCOMPARE(w.saveTileset(5, saved), QString());
        QVERIFY(w.unsavedSlots().isEmpty() && w.slot(5).path() == saved && !w.setInfo(5).endsWith(u'*'));
        const ProfileReader dat = ProfileReader::fromFile(m_dir->filePath(u"MADE.DAT"_s));
        QVERIFY(dat.value("TILEDATA", "VERSION") == "2" && dat.value("TILEDATA", "SETNAME") == u"Höhle"_s);
        QVERIFY(w.loadTileset(6, saved).isEmpty());
        QVERIFY(w.slot(6).fullImage() == w.slot(5).fullImage() && w.slot(6).tileData() == data);
        QCOMPARE(w.setInfo(6), "HÖHLE BY: ZOË ");
    }

    // Every change of the maptile or a tileset is one step, undone and redone in the order made, twice over
    // (a command that works only once shows); each marks changed what it changes, the maptile or a tileset,
    // and a new change drops what was undone.
    void everyChangeUndoesAndRedoesInOrder()
    {
        Workspace &w = withWork();
        const QString other = m_dir->filePath(QStringLiteral("other.bmp"));
        save(pattern(Geometry::TilesetSize, 9), other);
        TileData data;
        data.setName = QStringLiteral("Moss");
        data.setSpeedValue(2, 1, QStringLiteral("1/T"));
        // The left button shows slot A's cell (6, 0), which some of the edits change.
        const QList<std::function<void()>> edits{
            [&] { w.place(Workspace::LeftButton, QPoint(2, 3)); },
            [&] { w.importSubtile(0, QPoint(6, 0), pattern(QSize(300, 200), 4)); },
            [&] { w.chooseSpeedValue(QPoint(1, 1), QStringLiteral("1/T")); },
            [&] { w.setSize(5, 3); },
            [&] { w.emptyCell(0, QPoint(6, 0)); },
            [&] { w.place(Workspace::LeftButton, QPoint(4, 5)); }, // off the maptile: only its speed value goes
            [&] { w.setTileData(0, data); },
            [&] { w.setSize(3, 6); },
            [&] { w.newEmptyTileset(2); },
            [&] { w.blankMaptile(4, 3); },
            [&] { QCOMPARE(w.loadTileset(0, other), QString()); },
            [&] { w.openImage(pattern(QSize(500, 450), 7)); },
            [&] { w.replaceSubtile(0, 6, 0, pattern(QSize(144, 144), 5).transformed(QTransform().rotate(90))); },
            [&] { w.setMapNumText(QStringLiteral("7")); },
            [&] { w.setDesignerText(QString()); },
            [&] { w.place(Workspace::LeftButton, QPoint(1, 0)); }};
        QList states{everythingOf(w)};
        for (const auto &edit : edits) {
            edit();
            QVERIFY(everythingOf(w) != states.back());
            states << everythingOf(w);
        }
        QCOMPARE(w.history().count(), edits.size());
        const auto check = [&](qsizetype at, qsizetype edit, const char *how) {
            const bool maptileEdit = std::get<0>(states[edit]) != std::get<0>(states[edit + 1]);
            QVERIFY2(everythingOf(w) == states[at] && w.maptileChanged() == maptileEdit,
                     qPrintable(QStringLiteral("%1 edit %2").arg(how).arg(edit)));
            w.setMaptileChanged(false);
        };
        for (int round = 0; round < 2; ++round) {
            w.setMaptileChanged(false);
            for (qsizetype i = edits.size() - 1; i >= 0; --i) {
                w.undo();
                check(i, i, "undoing");
            }
            for (qsizetype i = 0; i < edits.size(); ++i) {
                w.redo();
                check(i + 1, i, "redoing");
            }
        }
        w.undo();
        w.chooseSpeedValue({0, 0}, QStringLiteral("X"));
        const auto branch = everythingOf(w);
        w.redo();
        QVERIFY(everythingOf(w) == branch && w.history().count() == edits.size());
        // An undone tileset edit leaves the tileset unsaved, not the maptile.
        w.setMaptileChanged(false);
        QVERIFY(w.saveTileset(0, m_dir->filePath(QStringLiteral("saved.png"))).isEmpty());
        w.emptyCell(0, {3, 3});
        w.undo();
        QVERIFY(!w.maptileChanged() && w.unsavedSlots() == QList<int>{0});
    }

    // The maptile is kept in the document it was opened from or saved as; a
    // picture or a clear leaves it, and undo follows each of them back.
    void documentFollowsOpenSaveClearAndUndo()
    {
        Workspace &w = *m_workspace;
        const QString a = m_dir->filePath(QStringLiteral("a.ora")), b = m_dir->filePath(QStringLiteral("b.ora"));
        QSignalSpy titles(&w, &Workspace::documentPathChanged);
        w.place(Workspace::LeftButton, {1, 1});
        QCOMPARE(MaptileSaver::save(w, a), QString());
        QVERIFY(w.documentPath() == a && !w.maptileChanged());
        w.blankMaptile(5, 6);
        QCOMPARE(w.documentPath(), QString());
        QCOMPARE(MaptileOpener::open(w, a), QString());
        QVERIFY(w.documentPath() == a && !w.maptileChanged());
        QCOMPARE(MaptileSaver::save(w, b), QString());
        w.openImage(pattern({432, 432}));
        QCOMPARE(w.documentPath(), QString());
        // Back through the picture, then the open: the save as b in between is remembered.
        w.undo();
        QCOMPARE(w.documentPath(), b);
        w.undo();
        QCOMPARE(w.documentPath(), QString());
        w.redo();
        QCOMPARE(w.documentPath(), b);
        QCOMPARE(titles.size(), 8);

        // A picture never goes over the document: not even under another name for the same file.
        w.place(Workspace::LeftButton, {2, 2});
        const QString link = m_dir->filePath(QStringLiteral("b.png"));
        QVERIFY(QFile::link(b, link));
        const QByteArray kept = readAll(b);
        const QString error = MaptileSaver::save(w, link);
        QVERIFY2(error.contains(QStringLiteral("destroy the document")) && readAll(b) == kept, qPrintable(error));
        // A picture elsewhere leaves the maptile unsaved: the document lacks the change.
        QCOMPARE(MaptileSaver::save(w, m_dir->filePath(QStringLiteral("copy.png"))), QString());
        QVERIFY(w.maptileChanged() && w.documentPath() == b);
        QString readError;
        QVERIFY(DocumentReader::read(b, &readError).maptile.master() != w.maptile().master());
    }

    void historyHoldsOnlyWhatStepsTookAway_data()
    {
        QTest::addColumn<Round>("round");
        QTest::addColumn<int>("rounds");
        QTest::addColumn<int>("maxMb"); // what the history may hold after them
        // Only the 720 x 864 pixels that become the maptile, and the maptile they replace.
        QTest::newRow("opening a 24-megapixel photo")
            << Round([photo = pattern({6000, 4000})](Workspace &w, int) { w.openImage(photo); }) << 10 << 40;
        // Each picture: the cell it covered and its own pixels.
        QTest::newRow("pictures into cells") << Round([picture = pattern({144, 144})](Workspace &w, int i) {
            w.importSubtile(1, QPoint(i % 7, i / 7 % 4), picture);
        }) << 1000 << 130;
    }
    void historyHoldsOnlyWhatStepsTookAway()
    {
        QFETCH(Round, round);
        QFETCH(int, rounds);
        QFETCH(int, maxMb);
        Workspace &w = withWork();
        malloc_trim(0); // what earlier rows freed is not counted as this one's
        const qint64 before = processKb("VmRSS");
        for (int i = 0; i < rounds; ++i)
            round(w, i);
        const qint64 held = w.history().bytes() / 1024, grown = processKb("VmRSS") - before;
        qInfo("History of %d steps: %lld KiB counted, %lld KiB grown", w.history().count(), held, grown);
        QVERIFY2(held <= maxMb * 1024 && w.history().count() <= UndoHistory::StepLimit,
                 qPrintable(QString::number(held)));
#ifndef __SANITIZE_ADDRESS__ // it holds freed memory back
        // Nothing the steps keep alive goes uncounted.
        QVERIFY2(grown <= held + 16 * 1024, qPrintable(QString::number(grown)));
#endif
    }

    void oldestStepsGoBeyondTheBudget()
    {
        Workspace &w = withWork();
        // Each open keeps a whole maptile, and the whole one it replaced: over 3 MB a step.
        const int opens = 100;
        for (int i = 0; i < opens; ++i)
            w.openImage(pattern({720, 864}, i));
        const int kept = w.history().count();
        QVERIFY2(w.history().bytes() <= UndoHistory::ByteBudget && kept > 50 && kept < opens,
                 qPrintable(QString::number(kept)));
        while (w.history().canUndo())
            w.undo();
        QCOMPARE(w.maptile().master(), pattern({720, 864}, opens - kept - 1));
        while (w.history().canRedo())
            w.redo();
        QCOMPARE(w.maptile().master(), pattern({720, 864}, opens - 1));
    }

    void savedFileFollowsTheTypedNameAndTheOptions()
    {
        // A picture of 300 dpi, as one opened from a scanner's file would be.
        QImage scanned = pattern(QSize(432, 576), 3);
        scanned.setDotsPerMeterX(11811);
        scanned.setDotsPerMeterY(11811);
        Workspace &w = *m_workspace;
        w.openImage(scanned);
        for (const auto &[name, magic] : {std::pair("m.JpEg", "\xFF\xD8"), std::pair("m.PNG", "\x89PNG"),
                                          std::pair("m.jpg.bak", "BM"), std::pair("m", "BM")}) {
            const QString path = m_dir->filePath(name);
            // Only a lossless save marks the maptile unchanged.
            w.setMaptileChanged(true);
            QCOMPARE(MaptileSaver::save(w, path), QString());
            QVERIFY2(readAll(path).startsWith(magic) && w.maptileChanged() == (magic[0] == '\xFF'), name);
            // Also for a picture of another density written in the format.
            QCOMPARE(MaptileSaver::write(scanned, path, MaptileSaver::formatFor(path)), QString());
            QCOMPARE(QPoint(QImage(path).dotsPerMeterX(), QImage(path).dotsPerMeterY()) * 0.0254, QPoint(96, 96));
        }
        // JPEG quality and scan mode as chosen.
        const auto jpeg = [&, path = m_dir->filePath(QStringLiteral("m.jpg"))](JpegOptions options) {
            return MaptileSaver::write(scanned, path, MaptileSaver::Format::Jpeg, options).isEmpty() ? readAll(path)
                                                                                                     : QByteArray();
        };
        const QByteArray low = jpeg({1, false}), high = jpeg({100, false}), progressive = jpeg({50, true});
        QVERIFY(!low.isEmpty() && low.size() * 2 < high.size());
        // The frame header's marker, 0xC0 baseline or 0xC2 progressive: elsewhere 0xFF is never followed by either.
        QVERIFY(low.contains("\xFF\xC0") && !progressive.contains("\xFF\xC0") && progressive.contains("\xFF\xC2"));
    }

    void openingAPicture_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QSize>("spaces"); // none: refused
        // Ragged edges dropped, wide and low; one pixel short of a space is refused.
        QTest::newRow("ragged") << QStringLiteral("map.bmp") << QSize(500, 450) << QSize(3, 3);
        QTest::newRow("too narrow") << QStringLiteral("map.bmp") << QSize(143, 800) << QSize();
        // Far beyond the memory limit as a whole: a photo, a scan.
        QTest::newRow("photo") << QStringLiteral("map.jpg") << QSize(8000, 6000) << QSize(5, 6);
        QTest::newRow("scan") << QStringLiteral("map.png") << QSize(12000, 9000) << QSize(5, 6);
        QTest::newRow("interlaced") << QStringLiteral("interlaced.png") << QSize(1000, 900) << QSize(5, 6);
    }
    void openingAPicture()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QSize, spaces);
        const QString path = m_dir->filePath(name);
        // Flat beyond the maptile, to be quick to write; the scans grey.
        const bool png = name.endsWith(QStringLiteral(".png")), jpeg = name.endsWith(QStringLiteral(".jpg"));
        const QImage kept = pattern(size.boundedTo({720, 864}))
                                .convertToFormat(png ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
        QImage picture(size, kept.format());
        picture.fill(Qt::gray);
        QPainter(&picture).drawImage(0, 0, kept);
        QVERIFY(picture.save(path, nullptr, jpeg ? 90 : 80)); // quick compression for the PNGs
        picture = QImage();
        if (name.startsWith(QStringLiteral("interlaced"))) {
            const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
            if (convert.isEmpty())
                QSKIP("ImageMagick's convert is not installed.");
            QCOMPARE(QProcess::execute(convert, {path, QStringLiteral("-interlace"), QStringLiteral("PNG"), path}), 0);
        }
        Workspace &w = withWork();
        w.setMaptileChanged(false);
        const auto before = maptileOf(w);
        // The peak memory from here on: a whole picture would take 192 MB or more.
        QFile peak(QStringLiteral("/proc/self/clear_refs"));
        const bool peakReset = peak.open(QIODevice::WriteOnly) && peak.write("5") == 1;
        peak.close();
        const qint64 residentKb = processKb("VmRSS");
        const QString error = MaptileOpener::open(w, path);
        const qint64 peakMb = (processKb("VmHWM") - residentKb) / 1024;
        if (spaces.isEmpty()) { // a message naming the file, and the maptile, number and speed values as they were
            QVERIFY2(error.contains(name) && maptileOf(w) == before && !w.maptileChanged(), qPrintable(error));
            return;
        }
        // The maptile number and speed values go with the old maptile, and that is an edit.
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(w.mapNumText().isEmpty() && w.maptile().speedValue(4, 5).isEmpty() && w.maptileChanged());
        const QImage expected = kept.convertToFormat(RasterOps::Format).copy(QRect(QPoint(0, 0), spaces * 144));
        const QImage master = w.maptile().master();
        QCOMPARE(master.size(), expected.size());
        // Exact, or for a JPEG near enough on average: a pixel out of place would be far off.
        qint64 difference = 0;
        for (int y = 0; y < master.height(); ++y)
            for (int x = 0; x < master.width(); ++x)
                difference += jpeg ? std::abs(qGray(master.pixel(x, y)) - qGray(expected.pixel(x, y)))
                                   : master.pixel(x, y) != expected.pixel(x, y);
        QVERIFY2(difference < (jpeg ? 3 * qint64(master.width()) * master.height() : 1),
                 qPrintable(QString::number(difference)));
        if (size.width() * size.height() > 32 << 20) {
            qInfo("%s: peak %lld MB above the memory in use before", qPrintable(name), peakMb);
            QVERIFY2(!peakReset || peakMb < 48, qPrintable(QString::number(peakMb)));
        }
    }
};

QTEST_MAIN(TestWorkspace)
#include "tst_workspace.moc"
