#include "cli/ExportBatch.h"
#include "document/ZipReader.h"
#include "output/MaptileSaver.h"
#include "pictures/PictureDecoder.h"
#include "support/SetFolder.h"
#include "support/ShellRun.h"
#include "support/TestZip.h"
#include "support/WorkspaceFixture.h"
#include "workspace/MaptileOpener.h"

#include <QPainter>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSet>
#include <QSignalSpy>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

using namespace TestImages;
using namespace Qt::StringLiterals;
using ShellRun::filesIn;
using Run = ShellRun::Result;

namespace {

// What the user sees of a maptile and what would be written from it.
auto viewOf(const Workspace &w)
{
    const MaptileDocument d = w.document();
    return std::tuple(w.workingView(), w.preview(), d.maptile.speedValues(), d.mapNum, d.designer, d.mapNumFont,
                      d.mapNumColour, d.speedFont, d.speedColour);
}

QImage png(const ZipReader &zip, const QString &name)
{
    QString reason;
    return QImage::fromData(zip.read(name, 1 << 30, &reason), "PNG");
}

// The program itself, as a user runs it from a shell with no display; or another program.
Run runProgram(const QStringList &arguments, const QString &folder,
               const QString &executable = QStringLiteral(CRYPTWRIGHT_BINARY))
{
    return ShellRun::run(executable, arguments, folder);
}

} // namespace

// Maptile documents: saved and opened again with everything editable, read by
// a reader that knows only the baseline format, and exported and listed from the command line.
class TestDocuments : public WorkspaceFixture
{
    Q_OBJECT

    // A maptile with all a document keeps: subtiles, speed values, texts and both fonts changed.
    std::unique_ptr<Workspace> workedOn()
    {
        auto w = startWorkspace(m_dir->path());
        w->setSize(4, 5);
        w->place(Workspace::LeftButton, {1, 1});
        w->place(Workspace::RightButton, {3, 4});
        w->chooseSpeedValue({0, 0}, u"1/T"_s);
        w->chooseSpeedValue({3, 4}, u"12"_s);
        w->chooseSpeedValue({4, 5}, u"kept off the maptile"_s);
        QFont font(u"Liberation Serif"_s, 24, -1, true); // italic
        w->setMapNumFont(font, QColor(200, 30, 30));
        font.setPointSize(14);
        font.setUnderline(true);
        w->setSpeedFont(font, QColor(30, 200, 90));
        w->setMapNumText(u"7B"_s);
        w->setDesignerText(u"Ann Écrivain"_s);
        return w;
    }

    // Documents for the command line: map.ora worked on, big.ora of 5 x 6 spaces, and ones it must
    // refuse: no zip at all, a merged picture that disagrees with the maptile or is damaged in
    // its rows, documents under picture and PDF names, links to documents, and a picture.
    void writeDocuments()
    {
        const QDir dir(m_dir->path());
        QCOMPARE(MaptileSaver::save(*workedOn(), dir.filePath("map.ora")), QString());
        const auto big = startWorkspace(m_dir->path());
        big->place(Workspace::LeftButton, {0, 0});
        QCOMPARE(MaptileSaver::save(*big, dir.filePath("big.ora")), QString());
        const QByteArray document = readAll(dir.filePath("map.ora")), picture = encoded(pattern({144, 144}), "PNG");
        // One byte of the stored merged picture's rows changed on the disk, as damage would.
        QString reason;
        const QByteArray merged = ZipReader(document).read("mergedimage.png", 1 << 30, &reason);
        QByteArray damaged = document;
        const qsizetype rows =
            document.indexOf(merged.left(64), document.indexOf("mergedimage.png")) + merged.indexOf("IDAT") + 4000;
        damaged[rows] = char(damaged[rows] ^ 0x55);
        QVERIFY(dir.mkpath("folder") && QFile::link("map.ora", dir.filePath("link.jpg"))
                && QFile::link("big.ora", dir.filePath("link.pdf")));
        for (const auto &[name, bytes] :
             {std::pair("damaged.ora", damaged), std::pair("broken.ora", QByteArray("not a zip")),
              std::pair("stale.ora",
                        TestZip::replaced(document, "mergedimage.png", TestZip::stored("mergedimage.png", picture))),
              std::pair("doc.jpg", document), std::pair("doc.pdf", document), std::pair("folder/p.png", document),
              std::pair("picture.png", picture)})
            writeText(dir.filePath(name), bytes);
    }

private slots:
    void init() { startInFreshFolder(); }

    // A document's layers, opaque or with few colours over transparency, add up to its merged picture,
    // the maptile as shown, without loss; opened in a new run it comes back whole, as one step that
    // counts as saved. A reader that knows only the format sees the layers.
    void documentReopensAsItWasSaved()
    {
        const auto saved = workedOn();
        const QString path = m_dir->filePath(u"map.ora"_s);
        QCOMPARE(MaptileSaver::save(*saved, path), QString());
        QVERIFY(!saved->maptileChanged());
        const ZipReader zip(readAll(path));
        QImage composed(576, 720, QImage::Format_ARGB32);
        composed.fill(Qt::transparent);
        QPainter painter(&composed);
        for (const char *layer :
             {"data/subtiles.png", "data/speed-values.png", "data/maptile-number.png", "data/credit.png"})
            painter.drawImage(0, 0, png(zip, QLatin1String(layer)));
        painter.end();
        const QImage merged = png(zip, u"mergedimage.png"_s);
        QVERIFY(merged.convertToFormat(QImage::Format_RGB32) == saved->preview()
                && merged.dotsPerMeterX() == Geometry::DotsPerMeter);
        QCOMPARE(composed.convertToFormat(QImage::Format_RGB32), saved->preview());

        const auto opened = startWorkspace(m_dir->path());
        QSignalSpy sizes(opened.get(), &Workspace::sizeChosen);
        opened->setMaptileChanged(true);
        const auto blank = viewOf(*opened);
        QCOMPARE(MaptileOpener::open(*opened, path), QString());
        QVERIFY(viewOf(*opened) == viewOf(*saved));
        QVERIFY(!opened->maptileChanged() && opened->history().count() == 1);
        QCOMPARE(sizes.last(), QVariantList({4, 5}));

        // The texts are texts again: a change leaves no trace of the old one.
        for (Workspace *w : {saved.get(), opened.get()}) {
            w->setDesignerText(u"Bo"_s);
            w->chooseSpeedValue({3, 4}, u"2"_s);
        }
        QVERIFY(viewOf(*opened) == viewOf(*saved));

        // Undone, the maptile is the one before opening, fonts and all.
        for (int step = 0; step < 3; ++step)
            opened->undo();
        QVERIFY(viewOf(*opened) == blank);

        // A reader that knows only the format sees the layers.
        const Run python = runProgram({QStringLiteral(CHECK_ORA_SCRIPT), path}, m_dir->path(), u"python3"_s);
        QVERIFY2(python.exitCode == 0, python.error.constData());
        QCOMPARE(python.output.trimmed(), "Credit|Maptile number|Speed values|Subtiles");
    }

    // The export is the editor's own save of the document's finished maptile, byte for byte; a PDF page
    // is the maptile at 1.5 inches a space. A disk that fills up in the middle of a write never costs
    // the file that was there, in any format. (Bad documents among good ones are the hostile-input test's.)
    void commandLineExportWritesWhatTheEditorSaves()
    {
        const auto w = workedOn();
        const QDir dir(m_dir->path());
        QCOMPARE(MaptileSaver::save(*w, dir.filePath("map.ora")), QString());
        QCOMPARE(MaptileSaver::write(w->preview(), dir.filePath("saved.jpg"), MaptileSaver::Format::Jpeg, {75, true}),
                 QString());
        QCOMPARE(MaptileSaver::write(w->preview(), dir.filePath("saved.bmp"), MaptileSaver::Format::Bitmap), QString());
        // The document as map.ora, its merged picture replaced.
        const QByteArray document = readAll(dir.filePath("map.ora"));
        const auto withMerged = [&](const QString &name, const QByteArray &merged) {
            writeText(dir.filePath(name),
                      TestZip::replaced(document, "mergedimage.png", TestZip::stored("mergedimage.png", merged)));
        };
        // Documents of the earlier version carry a chunk of their own in the merged picture, which a
        // reader passes over: the same maptile comes out.
        QString why;
        QByteArray merged = ZipReader(document).read("mergedimage.png", 1 << 30, &why);
        withMerged("older.ora", merged.insert(33, TestZip::pngChunk("cwSP", QByteArray("\0\0\1\x0e\0\0\0\x40", 8))));
        // Another program may write the merged picture again, interlaced and partly transparent: it is
        // exported drawn over light grey, the blank colour where there is no desktop palette.
        const QString convert = QStandardPaths::findExecutable(u"convert"_s);
        if (convert.isEmpty())
            QSKIP("ImageMagick's convert is not installed.");
        QImage seeThrough = w->preview().convertToFormat(QImage::Format_ARGB32);
        for (int x = 0; x < seeThrough.width(); ++x)
            seeThrough.setPixel(x, x % seeThrough.height(), qRgba(200, 30, 30, x % 256));
        QVERIFY(seeThrough.save(dir.filePath("redrawn.png")));
        QCOMPARE(runProgram({"redrawn.png", "-interlace", "PNG", "PNG32:redrawn.png"}, dir.path(), convert).exitCode,
                 0);
        withMerged("redrawn.ora", readAll(dir.filePath("redrawn.png")));
        const QImage redrawn = PictureDecoder::flattened(QImage(dir.filePath("redrawn.png")), qRgb(240, 240, 240));
        QCOMPARE(
            MaptileSaver::write(redrawn, dir.filePath("redrawn-saved.jpg"), MaptileSaver::Format::Jpeg, {75, true}),
            QString());
        for (const QString out : {"out.jpg", "out.bmp", "out.png", "out.pdf", "older.jpg", "redrawn.jpg"}) {
            const QStringList jpeg =
                out.endsWith(".jpg") ? QStringList{"--quality", "75", "--progressive"} : QStringList{};
            const Run run = runProgram(
                QStringList{"--export", out} + jpeg
                    + QStringList{out.section('.', 0, 0) == "out" ? u"map.ora"_s : out.section('.', 0, 0) + ".ora"},
                dir.path());
            QVERIFY2(run.exitCode == 0 && run.error.isEmpty(), run.error.constData());
        }
        for (const auto &[out, saved] :
             {std::pair("redrawn.jpg", "redrawn-saved.jpg"), std::pair("older.jpg", "saved.jpg"),
              std::pair("out.jpg", "saved.jpg"), std::pair("out.bmp", "saved.bmp")})
            QVERIFY2(readAll(dir.filePath(out)) == readAll(dir.filePath(saved)), out);
        QCOMPARE(QImage(dir.filePath("out.png")).convertToFormat(QImage::Format_RGB32), w->preview());
        QVERIFY2(runProgram({"out.pdf"}, dir.path(), "pdfinfo").output.contains("432 x 540 pts"), "page size");
        QVERIFY2(readAll(dir.filePath("out.pdf")).contains("/PrintScaling /None"), "printed at actual size");

        for (const QString out : {"full.jpg", "full.bmp", "full.png", "full.pdf"}) {
            writeText(dir.filePath(out), "the earlier export");
            const QStringList before = dir.entryList(QDir::Files | QDir::Hidden);
            // Files may grow to 4 KiB: the write that crosses the limit is cut short, the next fails.
            const QString command =
                u"trap '' XFSZ; ulimit -f 4; exec \"%1\" --export %2 map.ora"_s.arg(CRYPTWRIGHT_BINARY, out);
            const Run run = runProgram({"-c", command}, dir.path(), "/bin/bash");
            QVERIFY2(run.exitCode > 0 && run.error.count('\n') == 1 && run.error.contains(out.toUtf8())
                         && run.error.contains(std::strerror(EFBIG)),
                     qPrintable(out + u": "_s + QString::fromUtf8(run.error)));
            QCOMPARE(readAll(dir.filePath(out)), "the earlier export");
            QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), before);
        }
    }

    // Every refusal is one line of standard error naming the reason, with its exit status, and touches no
    // file: no export writes over a document it reads, however the output is named, and no refused one
    // writes at all. Arguments that cannot be used are refused before any window is asked for.
    void commandLineRefusalsLeaveEveryFile_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("status");
        // The arguments as a shell splits them at blanks.
        const auto row = [](const char *tag, const QString &arguments, const char *reason, int status) {
            QTest::newRow(tag) << arguments.split(u' ') << QString::fromUtf8(reason) << status;
        };
        row("over the document through a link", u"--export link.jpg map.ora"_s, "would be lost", 1);
        row("over the document it reads", u"--export doc.jpg doc.jpg"_s, "would be lost", 1);
        row("into the document's folder", u"--export folder --format png folder/p.png"_s, "would be lost", 1);
        row("a picture given as a document", u"--export x.png picture.png"_s,
            "cryptwright: \"picture.png\" is not a Cryptwright document (.ora).", 1);
        row("merged picture damaged", u"--export x.jpg damaged.ora"_s, "\"mergedimage.png\" is damaged", 1);
        row("merged picture of another size", u"--export x.jpg stale.ora"_s, "144 x 144", 1);
        row("no output format", u"--export m.gif map.ora"_s, "m.gif", 2);
        row("a folder named as a picture", u"--export one.png map.ora big.ora"_s, "folder", 2);
        const QString a4 = u"--export s.pdf --paper a4 "_s, letter = u"--export s.pdf --paper letter "_s;
        row("sheets over one of their documents", u"--export doc.pdf --paper a4 map.ora doc.pdf"_s, "would be lost", 1);
        row("sheets over a document through a link", u"--export link.pdf --paper a4 map.ora big.ora"_s, "would be lost",
            1);
        row("sheets over a document by another way", u"--export ./folder/../doc.pdf --paper a4 map.ora doc.pdf"_s,
            "would be lost", 1);
        row("sheets: unknown paper", u"--export s.pdf --paper a5 map.ora"_s, "a5", 2);
        row("sheets: length without a unit", letter + u"--margin 12 map.ora"_s, "unit", 2);
        row("sheets: negative gap", letter + u"--gap -3mm map.ora"_s, "--gap", 2);
        row("sheets: margins leave no room", a4 + u"--margin 110mm map.ora"_s, "no room", 2);
        row("sheets: a maptile too large", letter + u"--margin 1in map.ora big.ora"_s, "big.ora", 2);
        row("sheets: no copies", a4 + u"--copies 0 map.ora"_s, "--copies", 2);
        // Two-sided sheets: every back is read, and placed on the paper, before anything is written.
        row("sheets: flip without backs", a4 + u"--flip short map.ora"_s, "--flip", 2);
        row("sheets: a back for a document not printed", a4 + u"--back big.ora=picture.png map.ora"_s, "big.ora", 2);
        row("sheets: a back that is not there", a4 + u"--backs missing.png map.ora"_s, "missing.png", 1);
        row("sheets: a back that is no picture", a4 + u"--back map.ora=doc.jpg map.ora"_s, "doc.jpg", 1);
        row("sheets: a damaged back document", a4 + u"--backs broken.ora map.ora"_s, "broken.ora", 1);
        row("sheets over their back", u"--export doc.pdf --paper a4 --backs doc.pdf map.ora"_s, "would be lost", 1);
        // Options are known, and do something where they are given.
        row("unknown options", u"--bogus --export x.jpg --other=1 map.ora"_s, "bogus, other", 2);
        row("an unknown option for the editor", u"--bogus"_s, "bogus", 2);
        row("an export option for the editor", u"--quality 80 map.ora"_s, "--quality", 2);
        row("two files for the editor", u"map.ora big.ora"_s, "one file at a time", 2);
        row("copies of a picture", u"--export x.jpg --copies 7 map.ora"_s, "--copies", 2);
        row("JPEG options for a PNG", u"--export x --format png --quality 80 --progressive map.ora"_s,
            "--quality, --progressive", 2);
        row("a PDF page scaled", u"--export x.pdf --size 64 map.ora"_s, "--size", 2);
        row("picture options on sheets", a4 + u"--quality 80 --size 64 --format pdf map.ora"_s,
            "--quality, --size, --format", 2);
        row("sheet options for a folder", u"--export folder --landscape --bleed 2mm map.ora big.ora"_s,
            "--landscape, --bleed", 2);
    }
    void commandLineRefusalsLeaveEveryFile()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        QFETCH(int, status);
        writeDocuments();
        const QMap<QString, QByteArray> before = filesIn(m_dir->path());
        const Run run = runProgram(arguments, m_dir->path());
        QVERIFY2(run.error.count('\n') == 1 && run.error.contains(reason.toUtf8()), run.error.constData());
        QCOMPARE(run.exitCode, status);
        QVERIFY(filesIn(m_dir->path()) == before);
    }

    // A document that takes longer than the limit is reported and let go once, while the rest are done.
    void exportBatchGivesUpTheSlowDocumentAlone()
    {
        static QSemaphore never; // released by no one: the slow document's thread waits for good
        ExportBatch batch(1000);
        QList<qsizetype> givenUp;
        const QStringList errors = batch.run(
            {"slow.ora", "quick.ora", "refused.ora"}, {{}, {}, "refused"},
            [](qsizetype i) {
                if (i == 0)
                    never.acquire();
                return QString();
            },
            [&](qsizetype i) { givenUp << i; });
        QVERIFY2(errors[0].contains("slow.ora") && errors[0].contains("longer than 1 seconds"), qPrintable(errors[0]));
        QCOMPARE(errors.mid(1), QStringList({{}, "refused"}));
        QCOMPARE(givenUp, QList<qsizetype>{0});
    }

    // --list reads the documents of a folder, not below it, in the set's order; numbers shared or
    // missing and files that are no maptile of the program are each a line on standard error, with
    // status 1. The tilesets a document was laid from are named by their set names.
    void listTellsTheSetAndItsFaults()
    {
        const QDir dir(m_dir->path());
        QVERIFY(dir.mkpath(u"set"_s));
        SetFolder::writeKnownSet(dir.filePath(u"set"_s));
        Run run = runProgram({"--list", "set"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.output,
                 "d.ora\t2\t5x6\t\tStone Floors,walls.png\na.ora\t07\t4x5\tAnn\t\nb.ora\t07\t2x2\t\t\n"
                 "e.ora\t10\t3x3\t\t\nc.ora\t\t1x1\tBo\t\n");
        const QStringList lines = QString::fromUtf8(run.error).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], u"cryptwright: 2 documents share number 07: a.ora, b.ora."_s);
        QCOMPARE(lines[1], u"cryptwright: \"c.ora\" has no maptile number."_s);
        QVERIFY2(lines[2].contains(u"broken.ora"_s) && lines[3].contains(u"foreign.ora"_s), run.error.constData());

        QCOMPARE(MaptileSaver::save(*workedOn(), dir.filePath("map.ora")), QString());
        run = runProgram({"--list", "set/e.ora", "map.ora", "set/d.ora"}, dir.path());
        QCOMPARE(run.error, QByteArray());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.output,
                 "d.ora\t2\t5x6\t\tStone Floors,walls.png\nmap.ora\t7B\t4x5\tAnn \xc3\x89"
                 "crivain\tDefault_A.jpg\n"
                 "e.ora\t10\t3x3\t\t\n");
        // A name that leads nowhere is read as no document, and the rest are listed.
        run = runProgram({"--list", "missing.ora", "set/e.ora"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(run.output, "e.ora\t10\t3x3\t\t\n");
        QVERIFY(run.error.contains("missing.ora"));
        for (const QStringList &refused : {QStringList{"--list"}, QStringList{"--list", "--format", "png", "set"}})
            QCOMPARE(runProgram(refused, dir.path()).exitCode, 2);

        // A folder given to --export stands for the documents in it.
        run = runProgram({"--export", "out", "--format", "png", "set"}, dir.path());
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.error.contains("broken.ora"));
        QCOMPARE(QDir(dir.filePath(u"out"_s)).entryList(QDir::Files),
                 QStringList({"a.png", "b.png", "c.png", "d.png", "e.png", "foreign.png"}));
        QCOMPARE(readAll(dir.filePath(u"out/e.png"_s)),
                 (runProgram({"--export", "e.png", "set/e.ora"}, dir.path()), readAll(dir.filePath(u"e.png"_s))));
    }

    // The manual page and --help name the same options.
    void manualPageListsEveryOption()
    {
        const QString help = QString::fromUtf8(runProgram({"--help"}, m_dir->path()).output);
        QString manual = QString::fromUtf8(readAll(QStringLiteral(CRYPTWRIGHT_SOURCE_DIR "/resources/cryptwright.1")));
        manual.remove(u"\\"_s);
        static const QRegularExpression option(u"(?:^|\\s)(--[a-z][a-z-]*)"_s);
        QSet<QString> inHelp, inManual;
        for (const auto &match : option.globalMatch(help))
            inHelp << match.captured(1);
        for (const auto &match : option.globalMatch(manual))
            inManual << match.captured(1);
        QVERIFY(inHelp.contains(u"--paper"_s));
        QCOMPARE(inManual, inHelp);
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
