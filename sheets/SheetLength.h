#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

// A length on paper. It is held as a whole number of small units that
// millimetres, inches, points and maptile pixels (96 an inch) all divide
// exactly, so layouts add and compare lengths without rounding.
class SheetLength
{
    Q_DECLARE_TR_FUNCTIONS(SheetLength)

public:
    static constexpr int PerInch = 73152;
    static constexpr int PerMillimetre = PerInch * 10 / 254;
    static constexpr int PerPoint = PerInch / 72;
    static constexpr int PerPixel = PerInch / 96;

    constexpr SheetLength() = default;
    static constexpr SheetLength fromUnits(int units) { return SheetLength(units); }
    static SheetLength millimetres(double mm);

    // Reads "6mm", "6 mm", "0.6 cm", "0.25in" or "12pt". A bare number, an
    // unknown unit, a negative length or one longer than any paper gives
    // nothing and a one-sentence reason in error.
    static std::optional<SheetLength> parse(const QString &text, QString *error = nullptr);
    // The same, with a leading minus allowed: a shift rather than a size.
    static std::optional<SheetLength> parseSigned(const QString &text, QString *error = nullptr);

    constexpr int units() const { return m_units; }
    double toMillimetres() const { return double(m_units) / PerMillimetre; }
    double toInches() const { return double(m_units) / PerInch; }

    friend constexpr bool operator==(SheetLength a, SheetLength b) { return a.m_units == b.m_units; }

private:
    static std::optional<SheetLength> read(const QString &text, QString *error, bool negativeAllowed);

    constexpr explicit SheetLength(int units)
        : m_units(units)
    {
    }

    int m_units = 0;
};
