#include "sheets/SheetSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <cmath>

namespace {

struct NamedPaper
{
    const char *name;
    QPageSize::PageSizeId id;
};
constexpr NamedPaper Papers[] = {{"a4", QPageSize::A4},
                                 {"a3", QPageSize::A3},
                                 {"letter", QPageSize::Letter},
                                 {"legal", QPageSize::Legal},
                                 {"tabloid", QPageSize::Tabloid}};

int toUnits(qreal length, double perUnit)
{
    return int(std::lround(length * perUnit));
}

// The same file however it is named on the command line.
QString samePath(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool refuse(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

QSize SheetSettings::paperUnits() const
{
    // The paper's own definition is exact; its size in points is rounded.
    const QSizeF size = paper.definitionSize();
    double perUnit = 0;
    switch (paper.definitionUnits()) {
    case QPageSize::Millimeter:
        perUnit = SheetLength::PerMillimetre;
        break;
    case QPageSize::Inch:
        perUnit = SheetLength::PerInch;
        break;
    case QPageSize::Point:
        perUnit = SheetLength::PerPoint;
        break;
    case QPageSize::Pica:
        perUnit = 12 * SheetLength::PerPoint;
        break;
    default:
        break;
    }
    QSize units;
    if (perUnit > 0) {
        units = QSize(toUnits(size.width(), perUnit), toUnits(size.height(), perUnit));
    } else {
        const QSizeF mm = paper.size(QPageSize::Millimeter);
        units =
            QSize(toUnits(mm.width(), SheetLength::PerMillimetre), toUnits(mm.height(), SheetLength::PerMillimetre));
    }
    return orientation == QPageLayout::Landscape ? units.transposed() : units;
}

QStringList SheetSettings::paperNames()
{
    QStringList names;
    for (const NamedPaper &paper : Papers)
        names << QLatin1String(paper.name);
    return names;
}

std::optional<QPageSize> SheetSettings::paperNamed(const QString &name, QString *error)
{
    for (const NamedPaper &paper : Papers) {
        if (name.compare(QLatin1String(paper.name), Qt::CaseInsensitive) == 0)
            return QPageSize(paper.id);
    }
    if (error)
        *error =
            tr("\"%1\" is not a paper this program knows; use %2.").arg(name, paperNames().join(QLatin1String(", ")));
    return std::nullopt;
}

bool SheetSettings::readCutLines(const QString &name, QString *error)
{
    const QString key = name.trimmed().toLower();
    if (key == QLatin1String("corners") || key == QLatin1String("full")) {
        cropMarks = true;
        cutLines = key == QLatin1String("full") ? CutLines::Full : CutLines::Corners;
        return true;
    }
    if (key == QLatin1String("none")) {
        cropMarks = false;
        return true;
    }
    return refuse(error, tr("\"%1\" is not a kind of cut line; use corners, full or none.").arg(name));
}

bool SheetSettings::readFlip(const QString &name, QString *error)
{
    const QString key = name.trimmed().toLower();
    if (key == QLatin1String("long") || key == QLatin1String("short")) {
        flip = key == QLatin1String("long") ? Flip::LongEdge : Flip::ShortEdge;
        return true;
    }
    return refuse(error, tr("\"%1\" is not an edge to turn the paper over by; use long or short.").arg(name));
}

bool SheetSettings::readBackOffset(const QString &text, QString *error)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return refuse(error,
                      tr("\"%1\" is not a back offset such as 1.5mm,-0.5mm: two lengths, across and down, "
                         "with a comma between.")
                          .arg(text));
    QString reason;
    const std::optional<SheetLength> x = SheetLength::parseSigned(parts[0], &reason);
    const std::optional<SheetLength> y = x ? SheetLength::parseSigned(parts[1], &reason) : std::nullopt;
    if (!y)
        return refuse(error, reason);
    backOffsetX = *x;
    backOffsetY = *y;
    return true;
}

bool SheetSettings::readOwnBack(const QString &text, QString *error)
{
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals <= 0 || equals == text.size() - 1)
        return refuse(error, tr("\"%1\" does not name a document and its back as DOCUMENT=FILE.").arg(text));
    ownBacks.append({text.left(equals), text.mid(equals + 1)});
    return true;
}

std::optional<SheetSettings::Backs> SheetSettings::backsFor(const QStringList &documents, QString *error) const
{
    QStringList chosen(documents.size(), backForAll);
    QList<bool> own(documents.size(), false);
    for (const OwnBack &back : ownBacks) {
        bool found = false;
        for (qsizetype i = 0; i < documents.size(); ++i) {
            if (documents[i] != back.document && samePath(documents[i]) != samePath(back.document))
                continue;
            if (own[i]) {
                refuse(error, tr("%1 is given more than one back.").arg(back.document));
                return std::nullopt;
            }
            own[i] = found = true;
            chosen[i] = back.file;
        }
        if (!found) {
            refuse(error, tr("A back is given for %1, which is not among the documents to print.").arg(back.document));
            return std::nullopt;
        }
    }
    // Each file read once, so a back shared is one picture however often it is drawn.
    Backs backs;
    QHash<QString, int> files;
    for (const QString &file : std::as_const(chosen)) {
        if (file.isEmpty()) {
            backs.of << -1;
            continue;
        }
        const QString key = samePath(file);
        if (!files.contains(key)) {
            files.insert(key, int(backs.files.size()));
            backs.files << file;
        }
        backs.of << files.value(key);
    }
    return backs;
}
