#include "cli/CommandLine.h"

#include "cli/CommandReport.h"
#include "cli/ExportBatch.h"
#include "cli/ExportFiles.h"
#include "cli/Exporter.h"
#include "cli/ListCommand.h"
#include "cli/SheetCommand.h"
#include "cli/UpdateCommand.h"
#include "resources/Translations.h"
#include "set/MaptileSet.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <memory>
#include <optional>
#include <vector>

namespace {

const QString ExportOption = QStringLiteral("export");
const QString QualityOption = QStringLiteral("quality");
const QString ProgressiveOption = QStringLiteral("progressive");
const QString FormatOption = QStringLiteral("format");
const QString SizeOption = QStringLiteral("size");
const QString ListOption = QStringLiteral("list");
const QString &PaperOption = SheetCommand::PaperOption;

// What a command does; an option that does nothing in it is refused.
enum Mode : unsigned { Editor = 1, Jpeg = 2, Bitmap = 4, Png = 8, Pdf = 16, Sheets = 32, Update = 64, Listing = 128 };
constexpr unsigned Pictures = Jpeg | Bitmap | Png;
constexpr unsigned Exports = Pictures | Pdf;

struct Use
{
    const char *option;
    unsigned modes;
};
// Where each option does something. Help and version end the program before any of them.
constexpr Use Uses[] = {{"export", Exports | Sheets},
                        {"update", Update},
                        {"list", Listing},
                        {"format", Exports},
                        {"quality", Jpeg},
                        {"progressive", Jpeg},
                        {"size", Pictures},
                        {"paper", Sheets},
                        {"landscape", Sheets},
                        {"margin", Sheets},
                        {"gap", Sheets},
                        {"bleed", Sheets},
                        {"cut-lines", Sheets},
                        {"no-crop-marks", Sheets},
                        {"copies", Sheets},
                        {"backs", Sheets},
                        {"back", Sheets},
                        {"flip", Sheets},
                        {"back-offset", Sheets},
                        {"calibration", Sheets}};
// The toolkit's own options, which the editor's application takes from the command line.
constexpr const char *ToolkitOptionsWithValue[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger", "dialogs", "fontengine"};
constexpr const char *ToolkitFlags[] = {"reverse", "widgetcount"};

void prepare(QCommandLineParser &parser)
{
    // "-platform" as the toolkit spells its options, not -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        CommandLine::tr("Designs printable dungeon map tiles.\n\n"
                        "Without options, opens the editor, with FILE (a maptile document or picture) if one is "
                        "given.\n"
                        "With --export, writes the finished maptile of each DOCUMENT without opening a window: as "
                        "JPEG, bitmap, PNG or a PDF page at 1.5 inches per space, chosen by OUT's extension. With "
                        "--paper, writes every DOCUMENT onto sheets of that paper in one PDF, at 1.5 inches per "
                        "space, with crop marks and a scale bar. A FOLDER stands for every document in it. With "
                        "--list, prints a line for each document. Each document may take %1 seconds to be read and "
                        "written; one that takes longer is reported and the others are still written. Documents are "
                        "read in a sandbox: once they and the outputs are open, nothing else can be opened.\n"
                        "With --update, lays everything each DOCUMENT's maptile took from TILESET again from "
                        "TILESET as it is now (a tileset with the same set name, or the same file name when it has "
                        "none), and saves each DOCUMENT in place; one line tells what became of each.\n"
                        "An option that does nothing where it is given is refused.")
            .arg(ExportBatch::TimeLimitMs / 1000));
    parser.addHelpOption();
    parser.addVersionOption();
    const QString number = CommandLine::tr("N");
    parser.addOption({ExportOption,
                      CommandLine::tr("Write each DOCUMENT to OUT (.jpg, .jpeg, .bmp, .png or .pdf); with several "
                                      "documents, OUT is a folder and each output takes its document's name."),
                      CommandLine::tr("OUT")});
    parser.addOption({UpdateCommand::Option,
                      CommandLine::tr("Update each DOCUMENT from the fixed TILESET (a picture, with its .dat beside "
                                      "it); may be given several times."),
                      CommandLine::tr("TILESET")});
    parser.addOption({FormatOption,
                      CommandLine::tr("jpg, bmp, png or pdf, whatever OUT's name (default: OUT's extension; jpg for "
                                      "a folder)."),
                      CommandLine::tr("FORMAT")});
    parser.addOption(
        {QualityOption, CommandLine::tr("JPEG quality, 1 to 100 (default 90)."), number, QStringLiteral("90")});
    parser.addOption({ProgressiveOption, CommandLine::tr("Write a progressive JPEG.")});
    parser.addOption(
        {SizeOption, CommandLine::tr("Scale each picture down to fit N x N pixels, as for a thumbnail."), number});
    parser.addOption({ListOption,
                      CommandLine::tr("List each DOCUMENT, tab-separated: file name, maptile number, COLUMNSxROWS, "
                                      "designer, the set names of the tilesets it uses; numbers two documents share "
                                      "and missing numbers are reported.")});
    SheetCommand::addOptions(parser);
    for (const char *name : ToolkitOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : ToolkitFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    parser.addPositionalArgument(CommandLine::tr("DOCUMENT"),
                                 CommandLine::tr("Maptile documents (.ora), or folders of them, to open, export, "
                                                 "list or update."),
                                 CommandLine::tr("[FILE | DOCUMENT... | FOLDER...]"));
}

QStringList argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

bool helpOrVersion(const QCommandLineParser &parser)
{
    for (const char *name : {"help", "help-all", "version"})
        if (parser.isSet(QString::fromLatin1(name)))
            return true;
    return false;
}

// The documents named, with the documents of each folder named.
QStringList documentsOf(const QCommandLineParser &parser)
{
    return MaptileSet::expand(parser.positionalArguments());
}

// Whether the output is a folder: several documents, or a folder that is there.
bool exportsToFolder(const QCommandLineParser &parser)
{
    const QStringList named = parser.positionalArguments();
    return named.size() > 1 || (named.size() == 1 && QFileInfo(named.first()).isDir())
        || QFileInfo(parser.value(ExportOption)).isDir();
}

// The name a picture export's type is taken from: --format's, a folder's JPEG, or OUT's extension.
QString suffixOf(const QCommandLineParser &parser)
{
    const QString suffix = parser.isSet(FormatOption) ? parser.value(FormatOption)
        : exportsToFolder(parser)                     ? QStringLiteral("jpg")
                                                      : QFileInfo(parser.value(ExportOption)).suffix();
    return suffix.toLower();
}

// The format of a picture export, or nothing when its name or --format gives none.
std::optional<Exporter::Format> formatOf(const QCommandLineParser &parser)
{
    Exporter::Format format;
    if (!Exporter::formatFor(QStringLiteral("x.") + suffixOf(parser), &format))
        return std::nullopt;
    return format;
}

// The modes the command may be in: one, or every picture export while its format is unknown.
unsigned modesOf(const QCommandLineParser &parser)
{
    if (parser.isSet(UpdateCommand::Option))
        return Update;
    if (parser.isSet(ListOption) && !parser.isSet(ExportOption))
        return Listing;
    if (!parser.isSet(ExportOption))
        return Editor;
    if (parser.isSet(PaperOption))
        return Sheets;
    static const Mode modes[] = {Jpeg, Bitmap, Png, Pdf};
    const std::optional<Exporter::Format> format = formatOf(parser);
    return format ? unsigned(modes[int(*format)]) : Exports;
}

QString modeName(unsigned modes)
{
    switch (modes) {
    case Editor:
        return CommandLine::tr("in the editor (without --export)");
    case Jpeg:
        return CommandLine::tr("in a JPEG export");
    case Bitmap:
        return CommandLine::tr("in a bitmap export");
    case Png:
        return CommandLine::tr("in a PNG export");
    case Pdf:
        return CommandLine::tr("in a PDF export");
    case Sheets:
        return CommandLine::tr("on sheets (--paper)");
    case Update:
        return CommandLine::tr("in an update (--update)");
    case Listing:
        return CommandLine::tr("in a listing (--list)");
    }
    return CommandLine::tr("without --paper");
}

// Why the arguments cannot be used at all, in one line; empty when they can.
// Unknown options, options that do nothing in the command, and several files
// for the editor are refused before anything else is looked at.
QString refusal(QCommandLineParser &parser, const QStringList &arguments)
{
    if (!parser.parse(arguments))
        return parser.errorText();
    if (helpOrVersion(parser))
        return {};
    const unsigned modes = modesOf(parser);
    QStringList misplaced;
    for (const QString &name : parser.optionNames()) {
        unsigned uses = Editor; // the toolkit's
        for (const Use &use : Uses)
            if (name == QLatin1String(use.option))
                uses = use.modes;
        const QString option = QStringLiteral("--") + name;
        if (!(uses & modes) && !misplaced.contains(option))
            misplaced << option;
    }
    if (!misplaced.isEmpty())
        return CommandLine::tr("Options that do nothing %1: %2.")
            .arg(modeName(modes), misplaced.join(QStringLiteral(", ")));
    if (modes == Editor && parser.positionalArguments().size() > 1)
        return CommandLine::tr("The editor opens one file at a time; use --export for several documents.");
    return {};
}

// The output of each document: OUT itself, or a file of the document's name in the folder OUT.
int exportAll(const QCommandLineParser &parser)
{
    if (parser.isSet(ListOption))
        return ListCommand::run(parser.positionalArguments());
    const QStringList documents = documentsOf(parser);
    const QString out = parser.value(ExportOption);
    if (documents.isEmpty()) {
        CommandReport::print(CommandLine::tr("--export needs at least one document to export."));
        return 2;
    }
    if (parser.isSet(PaperOption))
        return SheetCommand::run(parser, out);
    const std::optional<int> quality = CommandReport::number(parser, QualityOption, 1, 100);
    if (!quality)
        return 2;
    const JpegOptions jpeg{*quality, parser.isSet(ProgressiveOption)};
    const std::optional<int> size = parser.isSet(SizeOption) ? CommandReport::number(parser, SizeOption, 1, 100000) : 0;
    if (!size)
        return 2;

    const bool toFolder = exportsToFolder(parser);
    const std::optional<Exporter::Format> format = formatOf(parser);
    if (!format) {
        CommandReport::print(parser.isSet(FormatOption)
                                 ? CommandLine::tr("--format must be one of %1, not \"%2\".")
                                       .arg(Exporter::suffixes().join(QStringLiteral(", ")), parser.value(FormatOption))
                                 : CommandLine::tr("Cannot export to \"%1\": the name must end in .%2.")
                                       .arg(out, Exporter::suffixes().join(QStringLiteral(", ."))));
        return 2;
    }
    // A folder under a picture's name is a picture asked for in the wrong place.
    if (Exporter::Format named; toFolder && Exporter::formatFor(out, &named)) {
        CommandReport::print(
            CommandLine::tr("Cannot export to \"%1\": the outputs go into a folder, which needs a folder's "
                            "name, not a picture's.")
                .arg(out));
        return 2;
    }
    if (toFolder && !QDir().mkpath(out)) {
        CommandReport::print(CommandLine::tr("Cannot export to \"%1\": the folder cannot be made.").arg(out));
        return 2;
    }

    const QString suffix = suffixOf(parser);
    QList<ExportBatch::Job> jobs;
    for (const QString &document : documents)
        jobs << ExportBatch::Job{
            document,
            toFolder ? QDir(out).filePath(QFileInfo(document).completeBaseName() + QLatin1Char('.') + suffix) : out};
    // Everything is opened and made before the process confines itself.
    QStringList errors = ExportBatch::refusals(jobs);
    ExportFiles files;
    std::vector<int> outputs(size_t(jobs.size()), -1);
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        const int document = files.addDocument(jobs[i].document);
        if (errors[i].isEmpty())
            errors[i] = files.documentError(document);
        if (errors[i].isEmpty())
            outputs[size_t(i)] = files.addOutput(jobs[i].out);
    }
    Exporter::prepare(*format);
    ExportBatch batch;
    CommandReport::confine(files);

    const auto work = [&](qsizetype i) {
        const ExportBatch::Job &job = jobs[i];
        const int output = outputs[size_t(i)];
        QByteArray bytes;
        QString why;
        if (files.read(int(i), &bytes, &why)) {
            const QByteArray encoded = Exporter::encode(job.document, bytes, job.out, *format, jpeg, *size, &why);
            bytes.clear();
            files.release(int(i));
            if (!encoded.isEmpty())
                return files.write(output, encoded);
        }
        files.giveUp(output);
        return why;
    };
    errors = batch.run(documents, errors, work, [&](qsizetype i) { files.giveUp(outputs[size_t(i)]); });
    int failures = 0;
    CommandReport::printErrors(errors, &failures);
    files.end();
    CommandReport::leave(failures ? 1 : 0);
}

} // namespace

bool CommandLine::runsWithoutWindow(int argc, char **argv)
{
    QCommandLineParser parser;
    prepare(parser);
    return !refusal(parser, argumentsOf(argc, argv)).isEmpty() || helpOrVersion(parser) || parser.isSet(ExportOption)
        || parser.isSet(UpdateCommand::Option) || parser.isSet(ListOption);
}

int CommandLine::runWithoutWindow(int argc, char **argv)
{
    // Taken before the application, which may take some of them for itself.
    const QStringList arguments = argumentsOf(argc, argv);
    bool drawsText = false;
    {
        QCommandLineParser parser;
        prepare(parser);
        drawsText = refusal(parser, arguments).isEmpty() && !helpOrVersion(parser)
            && (parser.isSet(PaperOption) || parser.isSet(UpdateCommand::Option));
    }
    // Standard error carries one line per failure and nothing else: Qt's own
    // notes about the environment are left out.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            CommandReport::print(message);
    });
    // Sheets and the documents an update writes draw text, which needs the
    // fonts of a graphical application; no window is shown, so none needs a display.
    std::unique_ptr<QCoreApplication> application;
    if (drawsText) {
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
    if (const QString refused = refusal(parser, arguments); !refused.isEmpty()) {
        CommandReport::print(refused);
        return 2;
    }
    if (helpOrVersion(parser))
        parser.process(arguments); // shows them and ends
    if (parser.isSet(UpdateCommand::Option))
        return UpdateCommand::run(parser.values(UpdateCommand::Option), parser.positionalArguments());
    return exportAll(parser);
}

QString CommandLine::fileToOpen(const QStringList &arguments)
{
    QCommandLineParser parser;
    prepare(parser);
    parser.parse(arguments);
    return parser.positionalArguments().value(0);
}
