#include "sheets/SheetLength.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

// Nothing printed is longer than a metre; the limit also keeps every sum of
// lengths on a sheet far inside an int.
constexpr double LongestMillimetres = 1000;

} // namespace

SheetLength SheetLength::millimetres(double mm)
{
    return SheetLength(int(std::lround(mm * PerMillimetre)));
}

std::optional<SheetLength> SheetLength::parse(const QString &text, QString *error)
{
    return read(text, error, false);
}

std::optional<SheetLength> SheetLength::parseSigned(const QString &text, QString *error)
{
    return read(text, error, true);
}

std::optional<SheetLength> SheetLength::read(const QString &text, QString *error, bool negativeAllowed)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    static const QRegularExpression form(QStringLiteral("^\\s*([+-]?)(\\d+\\.?\\d*|\\.\\d+)\\s*([a-z]*)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = form.match(text);
    if (text.trimmed().isEmpty())
        return fail(tr("A length is needed, such as 6 mm or 0.25 in."));
    if (!match.hasMatch())
        return fail(tr("\"%1\" is not a length such as 6 mm or 0.25 in.").arg(text.trimmed()));

    const QString unit = match.captured(3).toLower();
    double perUnit = 0;
    if (unit == QLatin1String("mm"))
        perUnit = PerMillimetre;
    else if (unit == QLatin1String("cm"))
        perUnit = PerMillimetre * 10;
    else if (unit == QLatin1String("in"))
        perUnit = PerInch;
    else if (unit == QLatin1String("pt"))
        perUnit = PerPoint;
    else if (unit.isEmpty())
        return fail(tr("\"%1\" needs a unit: mm, cm, in or pt.").arg(text.trimmed()));
    else
        return fail(tr("\"%1\" is not a unit of length; use mm, cm, in or pt.").arg(match.captured(3)));

    const double value = QLocale::c().toDouble(match.captured(2));
    const bool negative = match.captured(1) == QLatin1String("-") && value != 0;
    if (negative && !negativeAllowed)
        return fail(tr("\"%1\" cannot be used: a length cannot be negative.").arg(text.trimmed()));
    const double units = value * perUnit;
    if (!std::isfinite(units) || units > LongestMillimetres * PerMillimetre)
        return fail(tr("\"%1\" is longer than any paper.").arg(text.trimmed()));
    const int rounded = int(std::lround(units));
    return SheetLength(negative ? -rounded : rounded);
}
