#pragma once

#include "sheets/SheetLength.h"

#include <QCoreApplication>
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QSize>
#include <QStringList>

#include <optional>

// How maptiles go onto sheets of paper: which paper and which way up, the
// blank edge of every sheet, the space between maptiles, how far each picture
// runs on past its cut line, whether and how lines to cut along are drawn,
// and for two-sided sheets the files of the backs, the edge the paper turns
// over by, how far the printer misses the back, and a calibration pair.
struct SheetSettings
{
    Q_DECLARE_TR_FUNCTIONS(SheetSettings)

public:
    // Marks at each picture's corners, or lines that run through every cut across the whole sheet.
    enum class CutLines { Corners, Full };
    enum class Flip { LongEdge, ShortEdge };
    // A maptile's own back: the file of a back for the document named.
    struct OwnBack
    {
        QString document;
        QString file;
    };
    // The files of the backs, each once, and for each document the index of its back among them, or -1.
    struct Backs
    {
        QStringList files;
        QList<int> of;
    };

    QPageSize paper = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    SheetLength margin = SheetLength::fromUnits(6 * SheetLength::PerMillimetre);
    SheetLength gap = SheetLength::fromUnits(3 * SheetLength::PerMillimetre);
    SheetLength bleed;
    // Lines to cut along and the scale bar are drawn, in the style of cutLines.
    bool cropMarks = true;
    CutLines cutLines = CutLines::Corners;
    Flip flip = Flip::LongEdge;
    // Everything on a back sheet moves this far right and down, to meet a
    // printer that does not print both sides in register.
    SheetLength backOffsetX, backOffsetY;
    // A front and back pair that shows how far the printer scales and misses goes first.
    bool calibration = false;
    QString backForAll;
    QList<OwnBack> ownBacks; // over backForAll

    // Readers of the texts a user types, each false with a one-sentence reason on a text they refuse.
    // "corners", "full" or "none"; none turns cropMarks off.
    bool readCutLines(const QString &name, QString *error);
    // "long" or "short".
    bool readFlip(const QString &name, QString *error);
    // "X,Y", two lengths as SheetLength::parseSigned reads them.
    bool readBackOffset(const QString &text, QString *error);
    // "DOCUMENT=FILE", added to ownBacks.
    bool readOwnBack(const QString &text, QString *error);
    // The backs of documents, the list of maptiles in order: an own back is
    // matched to a document by its path. Nothing and the reason for an own
    // back whose document is not in the list, or a document given two.
    std::optional<Backs> backsFor(const QStringList &documents, QString *error) const;

    // The sheet's width and height in SheetLength units, the way up it is printed.
    QSize paperUnits() const;

    // The short names of the papers offered by name: a4, a3, letter, legal, tabloid.
    static QStringList paperNames();
    // The paper of a short name in any case; nothing and the reason for another name.
    static std::optional<QPageSize> paperNamed(const QString &name, QString *error = nullptr);
};
