#include "sheets/SheetSettings.h"

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
