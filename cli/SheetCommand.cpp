#include "cli/SheetCommand.h"

#include "cli/CommandLine.h"
#include "cli/CommandReport.h"
#include "cli/ExportBatch.h"
#include "cli/ExportFiles.h"
#include "document/DocumentReader.h"
#include "document/DocumentWriter.h"
#include "files/FileIdentity.h"
#include "pictures/ImageRows.h"
#include "pictures/MetafileFonts.h"
#include "pictures/PictureDecoder.h"
#include "pictures/TilesetPicture.h"
#include "raster/Geometry.h"
#include "set/MaptileSet.h"
#include "sheets/SheetLayout.h"
#include "sheets/SheetOutput.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

const QString SheetCommand::PaperOption = QStringLiteral("paper");

namespace {

const QString LandscapeOption = QStringLiteral("landscape");
const QString MarginOption = QStringLiteral("margin");
const QString GapOption = QStringLiteral("gap");
const QString BleedOption = QStringLiteral("bleed");
const QString NoCropMarksOption = QStringLiteral("no-crop-marks");
const QString CutLinesOption = QStringLiteral("cut-lines");
const QString CopiesOption = QStringLiteral("copies");
const QString BacksOption = QStringLiteral("backs");
const QString BackOption = QStringLiteral("back");
const QString FlipOption = QStringLiteral("flip");
const QString BackOffsetOption = QStringLiteral("back-offset");
const QString CalibrationOption = QStringLiteral("calibration");

// The settings the options give, or nothing with the reason printed.
std::optional<SheetSettings> settingsOf(const QCommandLineParser &parser)
{
    SheetSettings settings;
    QString error;
    const auto refuse = [&error](const QString &option) {
        CommandReport::print(QStringLiteral("--%1: %2").arg(option, error));
        return std::nullopt;
    };
    const std::optional<QPageSize> paper = SheetSettings::paperNamed(parser.value(SheetCommand::PaperOption), &error);
    if (!paper) {
        CommandReport::print(error);
        return std::nullopt;
    }
    settings.paper = *paper;
    settings.orientation = parser.isSet(LandscapeOption) ? QPageLayout::Landscape : QPageLayout::Portrait;
    for (const auto &[option, length] : {std::pair{MarginOption, &settings.margin}, std::pair{GapOption, &settings.gap},
                                         std::pair{BleedOption, &settings.bleed}}) {
        if (!parser.isSet(option))
            continue;
        const std::optional<SheetLength> parsed = SheetLength::parse(parser.value(option), &error);
        if (!parsed)
            return refuse(option);
        *length = *parsed;
    }
    if (parser.isSet(CutLinesOption) && !settings.readCutLines(parser.value(CutLinesOption), &error))
        return refuse(CutLinesOption);
    // Given with any kind of cut line, it still leaves them all out.
    if (parser.isSet(NoCropMarksOption))
        settings.cropMarks = false;
    if (parser.isSet(FlipOption) && !settings.readFlip(parser.value(FlipOption), &error))
        return refuse(FlipOption);
    if (parser.isSet(BackOffsetOption) && !settings.readBackOffset(parser.value(BackOffsetOption), &error))
        return refuse(BackOffsetOption);
    settings.backForAll = parser.value(BacksOption);
    for (const QString &back : parser.values(BackOption)) {
        if (!settings.readOwnBack(back, &error))
            return refuse(BackOption);
    }
    settings.calibration = parser.isSet(CalibrationOption);
    // The edge and the offset place backs; with none to place they would do nothing.
    if ((parser.isSet(FlipOption) || parser.isSet(BackOffsetOption)) && settings.backForAll.isEmpty()
        && settings.ownBacks.isEmpty() && !settings.calibration) {
        CommandReport::print(
            CommandLine::tr("--flip and --back-offset place the back sheets, which only --backs, --back or "
                            "--calibration make."));
        return std::nullopt;
    }
    return settings;
}

// Why writing out would lose a file the sheets are made from, or empty.
QString overwrites(const QString &out, const QStringList &documents, const QStringList &backs)
{
    // The one output replaces no document or back, however it is named.
    const FileIdentity output = FileIdentity::of(out);
    if (!output.isValid())
        return {};
    for (const QString &document : documents) {
        if (output == FileIdentity::of(document))
            return CommandLine::tr("Cannot write sheets to \"%1\": that is the document \"%2\", which would be "
                                   "lost.")
                .arg(out, document);
    }
    for (const QString &back : backs) {
        if (output == FileIdentity::of(back))
            return CommandLine::tr("Cannot write sheets to \"%1\": that is the back \"%2\", which would be lost.")
                .arg(out, back);
    }
    return {};
}

// The finished maptile of a document, or a picture, from the bytes of the file at path.
QImage decodeBack(const QString &path, const QByteArray &bytes, QString *error)
{
    if (!DocumentWriter::isDocumentPath(path))
        return TilesetPicture::decode(bytes, QFileInfo(path).fileName(), Geometry::blankColour(), error);
    ImageRows rows;
    if (!DocumentReader::readFinished(path, bytes, rows, error))
        return {};
    return rows.image();
}

} // namespace

void SheetCommand::addOptions(QCommandLineParser &parser)
{
    const QString number = CommandLine::tr("N"), length = CommandLine::tr("LENGTH"), file = CommandLine::tr("FILE");
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
    parser.addOption({CutLinesOption,
                      CommandLine::tr("Lines to cut along: corners (marks at each maptile's corners, the default), "
                                      "full (lines across the whole sheet, broken around the maptiles) or none."),
                      CommandLine::tr("STYLE")});
    parser.addOption({NoCropMarksOption, CommandLine::tr("Leave out the lines to cut along and the scale bar.")});
    parser.addOption({CopiesOption, CommandLine::tr("Copies of each maptile on the sheets (default 1)."), number});
    parser.addOption({BacksOption,
                      CommandLine::tr("Print FILE, a document or a picture, on the back of every maptile: each sheet "
                                      "is followed by its back sheet, for printing on both sides."),
                      file});
    parser.addOption({BackOption,
                      CommandLine::tr("Print FILE on the back of DOCUMENT alone, over --backs; may be given for "
                                      "several documents."),
                      CommandLine::tr("DOCUMENT=FILE")});
    parser.addOption({FlipOption,
                      CommandLine::tr("The edge the paper is turned over by for its back: long (the default) or "
                                      "short."),
                      CommandLine::tr("EDGE")});
    parser.addOption({BackOffsetOption,
                      CommandLine::tr("Move everything on the back sheets X across and Y down, such as 1mm,-0.5mm, "
                                      "for a printer that misses the back."),
                      CommandLine::tr("X,Y")});
    parser.addOption({CalibrationOption,
                      CommandLine::tr("Begin with a calibration sheet and its back, which show how far the printer "
                                      "scales and misses the back.")});
}

// Every document on sheets of paper, in one PDF. Each document and each back
// is read once, within the time limit; the backs first, as a back that cannot
// be read leaves nothing to write.
int SheetCommand::run(const QCommandLineParser &parser, const QString &out)
{
    const QStringList documents = MaptileSet::expand(parser.positionalArguments());
    const std::optional<SheetSettings> settings = settingsOf(parser);
    if (!settings)
        return 2;
    QString error;
    const std::optional<SheetSettings::Backs> backs = settings->backsFor(documents, &error);
    if (!backs) {
        CommandReport::print(error);
        return 2;
    }
    const std::optional<int> copies =
        parser.isSet(CopiesOption) ? CommandReport::number(parser, CopiesOption, 1, 1000) : 1;
    if (!copies)
        return 2;
    if (QFileInfo(out).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        CommandReport::print(CommandLine::tr("Cannot write sheets to \"%1\": sheets are written as PDF, so the name "
                                             "must end in .pdf.")
                                 .arg(out));
        return 2;
    }
    if (const QString lost = overwrites(out, documents, backs->files); !lost.isEmpty()) {
        CommandReport::print(lost);
        return 1;
    }

    ExportFiles files;
    QStringList errors;
    for (const QString &document : documents)
        errors << files.documentError(files.addDocument(document));
    bool pictures = false;
    for (const QString &back : backs->files) {
        const bool document = DocumentWriter::isDocumentPath(back);
        pictures |= !document;
        const int opened = document ? files.addDocument(back) : files.addPicture(back);
        if (!files.documentError(opened).isEmpty()) {
            CommandReport::print(files.documentError(opened));
            return 1;
        }
    }
    const int pdf = files.addOutput(out);
    SheetOutput::prepare();
    // A picture is read as the reading process reads one, metafiles by their content whatever their name.
    if (pictures) {
        PictureDecoder::loadPlugins();
        MetafileFonts::preload();
    }
    ExportBatch batch;
    CommandReport::confine(files);

    // What each reading gives, kept unless its reading ran past the limit.
    std::vector<QImage> backPictures(size_t(backs->files.size()));
    std::vector<QImage> maptilePictures(size_t(documents.size()));
    std::vector<bool> givenUp(backPictures.size() + maptilePictures.size());
    std::mutex taken;
    const auto read = [&](int file, QImage *into, const std::function<QImage(const QByteArray &, QString *)> &decode) {
        QByteArray bytes;
        QString why;
        QImage picture;
        if (files.read(file, &bytes, &why))
            picture = decode(bytes, &why);
        bytes.clear();
        files.release(file);
        if (picture.isNull())
            return why;
        const std::lock_guard lock(taken);
        if (!givenUp[size_t(file)])
            *into = picture;
        return QString();
    };
    const auto giveUp = [&](qsizetype first) {
        return [&, first](qsizetype i) {
            const std::lock_guard lock(taken);
            givenUp[size_t(first + i)] = true;
        };
    };

    const QStringList backErrors = batch.run(
        backs->files, QStringList(backs->files.size()),
        [&](qsizetype i) {
            const QString &path = backs->files[i];
            return read(int(documents.size() + i), &backPictures[size_t(i)],
                        [&path](const QByteArray &bytes, QString *why) { return decodeBack(path, bytes, why); });
        },
        giveUp(documents.size()));
    for (const QString &backError : backErrors) {
        if (!backError.isEmpty()) {
            CommandReport::print(backError);
            files.end();
            CommandReport::leave(1);
        }
    }
    errors = batch.run(
        documents, errors,
        [&](qsizetype i) {
            return read(int(i), &maptilePictures[size_t(i)], [&](const QByteArray &bytes, QString *why) {
                ImageRows rows;
                return DocumentReader::readFinished(documents[i], bytes, rows, why) ? rows.image() : QImage();
            });
        },
        giveUp(0));
    int failures = 0;
    CommandReport::printErrors(errors, &failures);
    // Documents that failed are left out, and the backs of the rest still follow them.
    QList<SheetMaptile> maptiles;
    QList<qsizetype> placed;
    for (qsizetype i = 0; i < documents.size(); ++i) {
        if (errors[i].isEmpty()) {
            maptiles << SheetMaptile{QFileInfo(documents[i]).fileName(), maptilePictures[size_t(i)].size(), *copies,
                                     backs->of[i]};
            placed << i;
        }
    }
    int status = failures ? 1 : 0;
    if (maptiles.isEmpty()) {
        status = 1;
    } else if (const SheetLayout layout(maptiles, *settings); !layout.error().isEmpty()) {
        CommandReport::print(layout.error());
        status = 2;
    } else {
        const std::lock_guard lock(taken);
        const QString written = files.write(pdf, [&](QIODevice &device) {
            return SheetOutput::writePdf(
                device, layout, [&](int maptile, QString *) { return maptilePictures[size_t(placed[maptile])]; },
                QFileInfo(out).completeBaseName(), [&](int back, QString *) { return backPictures[size_t(back)]; });
        });
        if (!written.isEmpty()) {
            CommandReport::print(written);
            status = 1;
        }
    }
    files.end();
    CommandReport::leave(status);
}
