#include "cli/CommandLine.h"

#include "cli/ExportBatch.h"
#include "cli/Exporter.h"
#include "document/DocumentReader.h"
#include "files/FileIdentity.h"
#include "files/FileReplacer.h"
#include "resources/Translations.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetOutput.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <mutex>

namespace {

const QString ExportOption = QStringLiteral("export");
const QString QualityOption = QStringLiteral("quality");
const QString ProgressiveOption = QStringLiteral("progressive");
const QString FormatOption = QStringLiteral("format");
const QString SizeOption = QStringLiteral("size");
const QString PaperOption = QStringLiteral("paper");
const QString LandscapeOption = QStringLiteral("landscape");
const QString MarginOption = QStringLiteral("margin");
const QString GapOption = QStringLiteral("gap");
const QString BleedOption = QStringLiteral("bleed");
const QString NoCropMarksOption = QStringLiteral("no-crop-marks");
const QString CopiesOption = QStringLiteral("copies");

void prepare(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        CommandLine::tr("Designs printable dungeon map tiles.\n\n"
                        "Without options, opens the editor, with FILE (a maptile document or picture) if one is "
                        "given.\n"
                        "With --export, writes the finished maptile of each DOCUMENT without opening a window: as "
                        "JPEG, bitmap, PNG or a PDF page at 1.5 inches per space, chosen by OUT's extension. With "
                        "--paper, writes every DOCUMENT onto sheets of that paper in one PDF, at 1.5 inches per "
                        "space, with crop marks and a scale bar. Each document may take %1 seconds to be read and "
                        "written; one that takes longer is reported and the others are still written.")
            .arg(ExportBatch::TimeLimitMs / 1000));
    parser.addHelpOption();
    parser.addVersionOption();
    const QString number = CommandLine::tr("N"), length = CommandLine::tr("LENGTH");
    parser.addOption({ExportOption,
                      CommandLine::tr("Write each DOCUMENT to OUT (.jpg, .jpeg, .bmp, .png or .pdf); with several "
                                      "documents, OUT is a folder and each output takes its document's name."),
                      CommandLine::tr("OUT")});
    parser.addOption({FormatOption,
                      CommandLine::tr("jpg, bmp, png or pdf, whatever OUT's name (default: OUT's extension; jpg for "
                                      "a folder)."),
                      CommandLine::tr("FORMAT")});
    parser.addOption(
        {QualityOption, CommandLine::tr("JPEG quality, 1 to 100 (default 90)."), number, QStringLiteral("90")});
    parser.addOption({ProgressiveOption, CommandLine::tr("Write a progressive JPEG.")});
    parser.addOption(
        {SizeOption, CommandLine::tr("Scale each picture down to fit N x N pixels, as for a thumbnail."), number});
    parser.addOption({PaperOption,
                      CommandLine::tr("Write sheets of a4, a3, letter, legal or tabloid paper to OUT, a .pdf."),
                      CommandLine::tr("PAPER")});
    parser.addOption({LandscapeOption, CommandLine::tr("Sheets lie on their long side.")});
    parser.addOption({MarginOption,
                      CommandLine::tr("Blank edge of each sheet, such as 6mm, 0.5cm, 0.25in or 18pt (default 6mm)."),
                      length});
    parser.addOption({GapOption, CommandLine::tr("Space between maptiles on a sheet (default 3mm)."), length});
    parser.addOption(
        {BleedOption, CommandLine::tr("How far each maptile's edge runs on past its cut line (default 0mm)."), length});
    parser.addOption({NoCropMarksOption, CommandLine::tr("Leave out the lines to cut along and the scale bar.")});
    parser.addOption({CopiesOption, CommandLine::tr("Copies of each maptile on the sheets (default 1)."), number});
    parser.addPositionalArgument(CommandLine::tr("DOCUMENT"),
                                 CommandLine::tr("Maptile documents (.ora) to open or export."),
                                 CommandLine::tr("[FILE | DOCUMENT...]"));
}

void printLine(const QString &line)
{
    std::fprintf(stderr, "cryptwright: %s\n", qPrintable(line));
}

// A whole number from low to high given to an option, or nothing with the reason printed.
std::optional<int> number(const QCommandLineParser &parser, const QString &option, int low, int high)
{
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (ok && value >= low && value <= high)
        return value;
    printLine(CommandLine::tr("--%1 must be a whole number from %2 to %3, not \"%4\".")
                  .arg(option)
                  .arg(low)
                  .arg(high)
                  .arg(parser.value(option)));
    return std::nullopt;
}

// Ends the run: a document given up is still being worked on by a thread that cannot be stopped.
int finish(const ExportBatch &batch, int status)
{
    if (batch.leftWorkBehind()) {
        std::fflush(stderr);
        std::_Exit(status);
    }
    return status;
}

// Every document on sheets of paper, in one PDF: each is read once to be
// checked and measured, and again when its sheet is written.
int exportSheets(const QCommandLineParser &parser, const QString &out)
{
    const QStringList documents = parser.positionalArguments();
    SheetSettings settings;
    QString error;
    const std::optional<QPageSize> paper = SheetSettings::paperNamed(parser.value(PaperOption), &error);
    if (!paper) {
        printLine(error);
        return 2;
    }
    settings.paper = *paper;
    settings.orientation = parser.isSet(LandscapeOption) ? QPageLayout::Landscape : QPageLayout::Portrait;
    settings.cropMarks = !parser.isSet(NoCropMarksOption);
    for (const auto &[option, length] : {std::pair{MarginOption, &settings.margin}, std::pair{GapOption, &settings.gap},
                                         std::pair{BleedOption, &settings.bleed}}) {
        if (!parser.isSet(option))
            continue;
        const std::optional<SheetLength> parsed = SheetLength::parse(parser.value(option), &error);
        if (!parsed) {
            printLine(QStringLiteral("--%1: %2").arg(option, error));
            return 2;
        }
        *length = *parsed;
    }
    const std::optional<int> copies = parser.isSet(CopiesOption) ? number(parser, CopiesOption, 1, 1000) : 1;
    if (!copies)
        return 2;
    if (QFileInfo(out).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        printLine(CommandLine::tr("Cannot write sheets to \"%1\": sheets are written as PDF, so the name must end "
                                  "in .pdf.")
                      .arg(out));
        return 2;
    }

    QList<ExportBatch::Job> jobs;
    for (const QString &document : documents)
        jobs << ExportBatch::Job{document, {}};
    QHash<QString, QSize> sizes;
    std::mutex sizesTaken;
    ExportBatch batch;
    const QStringList errors = batch.run(jobs, [&](const ExportBatch::Job &job) {
        QString why;
        const QImage picture = DocumentReader::readFinished(job.document, &why);
        const std::lock_guard lock(sizesTaken);
        sizes.insert(job.document, picture.size());
        return why;
    });
    int failures = 0;
    QList<SheetMaptile> maptiles;
    QStringList placed;
    const FileIdentity output = FileIdentity::of(out);
    for (qsizetype i = 0; i < documents.size(); ++i) {
        QString why = errors[i];
        if (why.isEmpty() && output.isValid() && output == FileIdentity::of(documents[i]))
            why = CommandLine::tr("Cannot write sheets to \"%1\": that is the document \"%2\", which would be lost.")
                      .arg(out, documents[i]);
        if (!why.isEmpty()) {
            printLine(why);
            ++failures;
            continue;
        }
        maptiles << SheetMaptile{QFileInfo(documents[i]).fileName(), sizes.value(documents[i]), *copies};
        placed << documents[i];
    }
    if (maptiles.isEmpty())
        return finish(batch, 1);
    const SheetLayout layout(maptiles, settings);
    if (!layout.error().isEmpty()) {
        printLine(layout.error());
        return finish(batch, 2);
    }
    const QString written = FileReplacer::write(out, [&](QIODevice &device) {
        return SheetOutput::writePdf(
            device, layout,
            [&](int maptile, QString *why) { return DocumentReader::readFinished(placed[maptile], why); },
            QFileInfo(out).completeBaseName());
    });
    if (!written.isEmpty()) {
        printLine(written);
        ++failures;
    }
    return finish(batch, failures ? 1 : 0);
}

// The output of each document: OUT itself, or a file of the document's name in the folder OUT.
int exportAll(const QCommandLineParser &parser)
{
    const QStringList documents = parser.positionalArguments();
    const QString out = parser.value(ExportOption);
    if (documents.isEmpty()) {
        printLine(CommandLine::tr("--export needs at least one document to export."));
        return 2;
    }
    if (parser.isSet(PaperOption))
        return exportSheets(parser, out);
    const std::optional<int> quality = number(parser, QualityOption, 1, 100);
    if (!quality)
        return 2;
    const JpegOptions jpeg{*quality, parser.isSet(ProgressiveOption)};
    const std::optional<int> size = parser.isSet(SizeOption) ? number(parser, SizeOption, 1, 100000) : 0;
    if (!size)
        return 2;

    const bool toFolder = documents.size() > 1 || QFileInfo(out).isDir();
    Exporter::Format format;
    const QString suffix = parser.isSet(FormatOption) ? parser.value(FormatOption).toLower()
        : toFolder                                    ? QStringLiteral("jpg")
                                                      : QFileInfo(out).suffix().toLower();
    if (!Exporter::formatFor(QStringLiteral("x.") + suffix, &format)) {
        printLine(parser.isSet(FormatOption)
                      ? CommandLine::tr("--format must be one of %1, not \"%2\".")
                            .arg(Exporter::suffixes().join(QStringLiteral(", ")), parser.value(FormatOption))
                      : CommandLine::tr("Cannot export to \"%1\": the name must end in .%2.")
                            .arg(out, Exporter::suffixes().join(QStringLiteral(", ."))));
        return 2;
    }
    if (toFolder && !QDir().mkpath(out)) {
        printLine(CommandLine::tr("Cannot export to \"%1\": the folder cannot be made.").arg(out));
        return 2;
    }

    QList<ExportBatch::Job> jobs;
    for (const QString &document : documents)
        jobs << ExportBatch::Job{
            document,
            toFolder ? QDir(out).filePath(QFileInfo(document).completeBaseName() + QLatin1Char('.') + suffix) : out};
    ExportBatch batch;
    int failures = 0;
    // A folder of outputs is synced once, when they are all in it.
    const auto folderSync = toFolder ? FileReplacer::FolderSync::Later : FileReplacer::FolderSync::Now;
    const auto work = [format, jpeg, size, folderSync](const ExportBatch::Job &job) {
        return Exporter::exportDocument(job.document, job.out, format, jpeg, *size, folderSync);
    };
    for (const QString &error : batch.run(jobs, work)) {
        if (!error.isEmpty()) {
            printLine(error);
            ++failures;
        }
    }
    if (toFolder)
        FileReplacer::syncFolder(QFileInfo(out).absoluteFilePath());
    return finish(batch, failures ? 1 : 0);
}

// Whether the arguments before any "--" include one of the options.
bool hasOption(int argc, char **argv, std::initializer_list<const char *> options)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            break;
        for (const char *option : options)
            if (argument == option || argument.startsWith(QByteArray(option) + '='))
                return true;
    }
    return false;
}

} // namespace

bool CommandLine::runsWithoutWindow(int argc, char **argv)
{
    return hasOption(argc, argv, {"--export", "-h", "--help", "--help-all", "-v", "--version"});
}

int CommandLine::runWithoutWindow(int argc, char **argv)
{
    // Standard error carries one line per failure and nothing else: Qt's own
    // notes about the environment are left out.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            printLine(message);
    });
    // Sheets draw text, which needs the fonts of a graphical application; no
    // window is shown, so none needs a display.
    std::unique_ptr<QCoreApplication> application;
    if (hasOption(argc, argv, {"--paper"})) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    // --help and every line of error in the user's language.
    Translations::install();
    // As --version names the program: the editor's own name stays its title.
    QCoreApplication::setApplicationName(QStringLiteral("cryptwright"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
    QCommandLineParser parser;
    prepare(parser);
    parser.process(*application);
    return exportAll(parser);
}

QString CommandLine::fileToOpen(const QStringList &arguments)
{
    QCommandLineParser parser;
    prepare(parser);
    parser.process(arguments);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        printLine(tr("The editor opens one file at a time; use --export for several documents."));
        std::exit(2);
    }
    return files.value(0);
}
