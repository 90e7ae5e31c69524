#include "printsheets/PaperPanel.h"

#include "printsheets/ControlNames.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSettings>

#include <algorithm>

namespace {

const QString DefaultMargin = QStringLiteral("6 mm");
const QString DefaultGap = QStringLiteral("3 mm");
const QString DefaultBleed = QStringLiteral("0 mm");
// As kept in the settings, in the order the cut lines are offered.
const QString CutLineNames[] = {QStringLiteral("corners"), QStringLiteral("full"), QStringLiteral("none")};

} // namespace

PaperPanel::PaperPanel(QWidget *parent)
    : QGroupBox(tr("Paper"), parent)
{
    m_paper = named(new QComboBox, "cboPaper", tr("Paper"));
    m_paper->addItem(tr("A4 (210 × 297 mm)"), QStringLiteral("a4"));
    m_paper->addItem(tr("A3 (297 × 420 mm)"), QStringLiteral("a3"));
    m_paper->addItem(tr("Letter (8.5 × 11 in)"), QStringLiteral("letter"));
    m_paper->addItem(tr("Legal (8.5 × 14 in)"), QStringLiteral("legal"));
    m_paper->addItem(tr("Tabloid (11 × 17 in)"), QStringLiteral("tabloid"));
    m_orientation = named(new QComboBox, "cboOrientation", tr("Orientation"));
    m_orientation->addItem(tr("Portrait"), int(QPageLayout::Portrait));
    m_orientation->addItem(tr("Landscape"), int(QPageLayout::Landscape));
    const QString lengthHint = tr("A length in mm, cm, in or pt, such as 6 mm or 0.25 in");
    m_margin = named(new QLineEdit, "txtMargin", tr("Margin"), lengthHint);
    m_gap = named(new QLineEdit, "txtGap", tr("Gap between maptiles"), lengthHint);
    m_bleed = named(new QLineEdit, "txtBleed", tr("Bleed"), lengthHint);
    m_cutLines = named(new QComboBox, "cboCutLines", tr("Cut lines"),
                       tr("Lines to cut along, and the scale bar: marks at each maptile's corners, or lines through "
                          "every cut from edge to edge, broken around the pictures"));
    m_cutLines->addItem(tr("Marks at the corners"));
    m_cutLines->addItem(tr("Lines across the sheet"));
    m_cutLines->addItem(tr("None"));
    auto *form = new QFormLayout(this);
    form->addRow(tr("&Paper:"), m_paper);
    form->addRow(tr("&Orientation:"), m_orientation);
    form->addRow(tr("Ma&rgin:"), m_margin);
    form->addRow(tr("&Gap:"), m_gap);
    form->addRow(tr("&Bleed:"), m_bleed);
    form->addRow(tr("C&ut lines:"), m_cutLines);

    for (QComboBox *box : {m_paper, m_orientation, m_cutLines})
        connect(box, &QComboBox::currentIndexChanged, this, &PaperPanel::changed);
    for (QLineEdit *length : {m_margin, m_gap, m_bleed})
        connect(length, &QLineEdit::textChanged, this, &PaperPanel::changed);
}

void PaperPanel::load(QSettings &store)
{
    const QSignalBlocker quiet(this);
    m_paper->setCurrentIndex(std::max(0, m_paper->findData(store.value(QStringLiteral("paper")).toString())));
    const bool landscape = store.value(QStringLiteral("orientation")).toString() == QLatin1String("landscape");
    m_orientation->setCurrentIndex(landscape ? 1 : 0);
    const auto length = [&store](const QString &key, const QString &fallback) {
        const QString text = store.value(key, fallback).toString();
        return SheetLength::parse(text) ? text : fallback;
    };
    m_margin->setText(length(QStringLiteral("margin"), DefaultMargin));
    m_gap->setText(length(QStringLiteral("gap"), DefaultGap));
    m_bleed->setText(length(QStringLiteral("bleed"), DefaultBleed));
    // Settings kept before there were cut lines to choose from say only whether marks were drawn.
    const QString marks = store.value(QStringLiteral("cropMarks"), true).toBool() ? CutLineNames[0] : CutLineNames[2];
    const QString *cutLines = std::find(std::begin(CutLineNames), std::end(CutLineNames),
                                        store.value(QStringLiteral("cutLines"), marks).toString());
    m_cutLines->setCurrentIndex(cutLines == std::end(CutLineNames) ? 0 : int(cutLines - std::begin(CutLineNames)));
}

void PaperPanel::store(QSettings &store) const
{
    store.setValue(QStringLiteral("paper"), m_paper->currentData());
    store.setValue(QStringLiteral("orientation"),
                   m_orientation->currentIndex() == 1 ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    store.setValue(QStringLiteral("margin"), m_margin->text().trimmed());
    store.setValue(QStringLiteral("gap"), m_gap->text().trimmed());
    store.setValue(QStringLiteral("bleed"), m_bleed->text().trimmed());
    store.setValue(QStringLiteral("cutLines"), CutLineNames[m_cutLines->currentIndex()]);
    store.remove(QStringLiteral("cropMarks"));
}

bool PaperPanel::apply(SheetSettings &settings, QString *error) const
{
    settings.paper = SheetSettings::paperNamed(m_paper->currentData().toString()).value_or(settings.paper);
    settings.orientation = QPageLayout::Orientation(m_orientation->currentData().toInt());
    settings.cropMarks = m_cutLines->currentIndex() != 2;
    settings.cutLines =
        m_cutLines->currentIndex() == 1 ? SheetSettings::CutLines::Full : SheetSettings::CutLines::Corners;
    const struct
    {
        QLineEdit *edit;
        SheetLength *length;
        QString field;
    } lengths[] = {{m_margin, &settings.margin, tr("Margin")},
                   {m_gap, &settings.gap, tr("Gap")},
                   {m_bleed, &settings.bleed, tr("Bleed")}};
    for (const auto &length : lengths) {
        QString reason;
        const std::optional<SheetLength> read = SheetLength::parse(length.edit->text(), &reason);
        if (!read) {
            *error = tr("%1: %2").arg(length.field, reason);
            return false;
        }
        *length.length = *read;
    }
    return true;
}

void PaperPanel::showPaper(const QPageSize &paper, QPageLayout::Orientation orientation)
{
    for (int i = 0; i < m_paper->count(); ++i) {
        if (SheetSettings::paperNamed(m_paper->itemData(i).toString())->id() == paper.id())
            m_paper->setCurrentIndex(i);
    }
    m_orientation->setCurrentIndex(m_orientation->findData(int(orientation)));
}
