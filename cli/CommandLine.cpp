#include "cli/CommandLine.h"

#include "cli/ExportBatch.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

namespace {

const QString ExportOption = QStringLiteral("export");
const QString QualityOption = QStringLiteral("quality");
const QString ProgressiveOption = QStringLiteral("progressive");
const QString FormatOption = QStringLiteral("format");

void prepare(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral(
        "Designs printable dungeon map tiles.\n\n"
        "Without options, opens the editor, with FILE (a maptile document or picture) if one is given.\n"
        "With --export, writes the finished maptile of each DOCUMENT without opening a window: as JPEG, "
        "bitmap, PNG or a PDF page at 1.5 inches per space, chosen by OUT's extension. Each document may take "
        "15 seconds to be read and written; one that takes longer is reported and the others are still written."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({ExportOption,
                      QStringLiteral("Write each DOCUMENT to OUT (.jpg, .jpeg, .bmp, .png or .pdf); with several "
                                     "documents, OUT is a folder and each output takes its document's name."),
                      QStringLiteral("OUT")});
    parser.addOption({FormatOption,
                      QStringLiteral("With a folder as OUT: jpg, bmp, png or pdf (default jpg)."),
                      QStringLiteral("FORMAT"), QStringLiteral("jpg")});
    parser.addOption({QualityOption, QStringLiteral("JPEG quality, 1 to 100 (default 90)."), QStringLiteral("N"),
                      QStringLiteral("90")});
    parser.addOption({ProgressiveOption, QStringLiteral("Write a progressive JPEG.")});
    parser.addPositionalArgument(QStringLiteral("DOCUMENT"), QStringLiteral("Maptile documents (.ora) to open or export."),
                                 QStringLiteral("[FILE | DOCUMENT...]"));
}

void printLine(const QString &line)
{
    std::fprintf(stderr, "cryptwright: %s\n", qPrintable(line));
}

// The output of each document: OUT itself, or a file of the document's name in the folder OUT.
int exportAll(const QCommandLineParser &parser)
{
    const QStringList documents = parser.positionalArguments();
    const QString out = parser.value(ExportOption);
    if (documents.isEmpty()) {
        printLine(QStringLiteral("--export needs at least one document to export."));
        return 2;
    }
    bool ok = false;
    const int quality = parser.value(QualityOption).toInt(&ok);
    if (!ok || quality < 1 || quality > 100) {
        printLine(QStringLiteral("--quality must be a whole number from 1 to 100, not \"%1\".")
                      .arg(parser.value(QualityOption)));
        return 2;
    }
    const JpegOptions jpeg{quality, parser.isSet(ProgressiveOption)};

    const bool toFolder = documents.size() > 1 || QFileInfo(out).isDir();
    Exporter::Format format;
    const QString suffix = toFolder ? parser.value(FormatOption).toLower() : QFileInfo(out).suffix().toLower();
    if (!Exporter::formatFor(QStringLiteral("x.") + suffix, &format)) {
        printLine(toFolder ? QStringLiteral("--format must be one of %1, not \"%2\".")
                                 .arg(Exporter::suffixes().join(QStringLiteral(", ")), parser.value(FormatOption))
                           : QStringLiteral("Cannot export to \"%1\": the name must end in .%2.")
                                 .arg(out, Exporter::suffixes().join(QStringLiteral(", ."))));
        return 2;
    }
    if (toFolder && !QDir().mkpath(out)) {
        printLine(QStringLiteral("Cannot export to \"%1\": the folder cannot be made.").arg(out));
        return 2;
    }

    QList<ExportBatch::Job> jobs;
    for (const QString &document : documents)
        jobs << ExportBatch::Job{
            document, toFolder ? QDir(out).filePath(QFileInfo(document).completeBaseName() + QLatin1Char('.') + suffix)
                               : out};
    ExportBatch batch(format, jpeg);
    int failures = 0;
    for (const QString &error : batch.run(jobs)) {
        if (!error.isEmpty()) {
            printLine(error);
            ++failures;
        }
    }
    const int status = failures ? 1 : 0;
    // A document given up is still being worked on by a thread that cannot be stopped.
    if (batch.leftWorkBehind()) {
        std::fflush(stderr);
        std::_Exit(status);
    }
    return status;
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
    QCoreApplication application(argc, argv);
    // As --version names the program: the editor's own name stays its title.
    QCoreApplication::setApplicationName(QStringLiteral("cryptwright"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
    QCommandLineParser parser;
    prepare(parser);
    parser.process(application);
    return exportAll(parser);
}

QString CommandLine::fileToOpen(const QStringList &arguments)
{
    QCommandLineParser parser;
    prepare(parser);
    parser.process(arguments);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        printLine(QStringLiteral("The editor opens one file at a time; use --export for several documents."));
        std::exit(2);
    }
    return files.value(0);
}
