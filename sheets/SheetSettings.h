#pragma once

#include "sheets/SheetLength.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QSize>
#include <QStringList>

#include <optional>

// How maptiles go onto sheets of paper: which paper and which way up, the
// blank edge of every sheet, the space between maptiles, how far each picture
// runs on past its cut line, and whether lines to cut along are drawn.
struct SheetSettings
{
    Q_DECLARE_TR_FUNCTIONS(SheetSettings)

public:
    QPageSize paper = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    SheetLength margin = SheetLength::fromUnits(6 * SheetLength::PerMillimetre);
    SheetLength gap = SheetLength::fromUnits(3 * SheetLength::PerMillimetre);
    SheetLength bleed;
    bool cropMarks = true;

    // The sheet's width and height in SheetLength units, the way up it is printed.
    QSize paperUnits() const;

    // The short names of the papers offered by name: a4, a3, letter, legal, tabloid.
    static QStringList paperNames();
    // The paper of a short name in any case; nothing and the reason for another name.
    static std::optional<QPageSize> paperNamed(const QString &name, QString *error = nullptr);
};
