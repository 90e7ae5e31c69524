#include "cli/CommandLine.h"

#include "cli/Exporter.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>

#include <cstdio>
#include <memory>

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
        "bitmap, PNG or a PDF page at 1.5 inches per space, chosen by OUT's extension."));
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

    int failures = 0;
    QSet<QString> written;
    for (const QString &document : documents) {
        const QString target =
            toFolder ? QDir(out).filePath(QFileInfo(document).completeBaseName() + QLatin1Char('.') + suffix) : out;
        QString error;
        // Two documents of one name would write the same file; the first one keeps it.
        if (written.contains(QFileInfo(target).absoluteFilePath()))
            error = QStringLiteral("Cannot export \"%1\": \"%2\" is written from another document of the same name.")
                        .arg(document, target);
        else
            error = Exporter::exportDocument(document, target, format, jpeg);
        if (error.isEmpty()) {
            written.insert(QFileInfo(target).absoluteFilePath());
        } else {
            printLine(error);
            ++failures;
        }
    }
    return failures ? 1 : 0;
}

// Whether an export may write PDF, from a first reading of the arguments
// before there is an application; the second reading reports any mistake.
bool writesPdf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    prepare(parser);
    const QString pdf = QStringLiteral("pdf");
    return !parser.parse(arguments) || QFileInfo(parser.value(ExportOption)).suffix().toLower() == pdf
           || parser.value(FormatOption).toLower() == pdf;
}

} // namespace

bool CommandLine::runsWithoutWindow(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            break;
        if (argument == "--export" || argument.startsWith("--export=") || argument == "-h" || argument == "--help"
            || argument == "--help-all" || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

int CommandLine::runWithoutWindow(int argc, char **argv)
{
    // Standard error carries one line per failure and nothing else: Qt's own
    // notes about the environment are left out.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            printLine(message);
    });
    // Pictures are read and written without a window system; a PDF page needs
    // one, and this one must run where no display is.
    std::unique_ptr<QCoreApplication> application;
    if (writesPdf(argc, argv)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    // As --version names the program: the editor's own name stays its title.
    QCoreApplication::setApplicationName(QStringLiteral("cryptwright"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
    QCommandLineParser parser;
    prepare(parser);
    parser.process(*application); // help, version and malformed lines end here
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
