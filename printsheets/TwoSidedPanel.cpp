#include "printsheets/TwoSidedPanel.h"

#include "printsheets/ControlNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

namespace {

const QString DefaultOffset = QStringLiteral("0 mm");

} // namespace

TwoSidedPanel::TwoSidedPanel(QWidget *parent)
    : QGroupBox(tr("Two sides"), parent)
{
    m_backForAll = named(new QLabel, "lblBackForAll", tr("Back for every maptile"),
                         tr("Printed behind every maptile that has no back of its own"));
    auto *chooseBack =
        named(new QPushButton(tr("Back for &all…")), "cmdBackForAll", tr("Choose the back for every maptile"),
              tr("Choose a picture or document to print behind every maptile"));
    m_clearBack = named(new QPushButton(tr("No back")), "cmdNoBackForAll", tr("No back for every maptile"),
                        tr("Print nothing behind the maptiles that have no back of their own"));
    m_flip = named(new QComboBox, "cboFlip", tr("Edge the paper is turned over by"),
                   tr("The edge the paper turns over by between its sides, as the printer's two-sided setting says"));
    m_flip->addItem(tr("Long edge"), QStringLiteral("long"));
    m_flip->addItem(tr("Short edge"), QStringLiteral("short"));
    const QString offsetHint = tr("Moves everything on the backs to meet the fronts: a length such as 1.5 mm or "
                                  "-0.5 mm, right and down positive. The calibration sheet shows how far.");
    m_offsetX = named(new QLineEdit, "txtBackOffsetX", tr("Back offset across"), offsetHint);
    m_offsetY = named(new QLineEdit, "txtBackOffsetY", tr("Back offset down"), offsetHint);
    m_calibration =
        named(new QCheckBox(tr("Ca&libration sheet first")), "chkCalibration", tr("Calibration sheet first"),
              tr("Begins with a sheet of rulers and crosshairs on both sides, which shows whether the "
                 "printer scales the page and how far it misses the back"));
    for (QPushButton *button : {chooseBack, m_clearBack})
        button->setAutoDefault(false);

    auto *backButtons = new QHBoxLayout;
    backButtons->addWidget(m_backForAll, 1);
    backButtons->addWidget(chooseBack);
    backButtons->addWidget(m_clearBack);
    auto *offsets = new QHBoxLayout;
    auto *across = new QLabel(tr("across"));
    auto *down = new QLabel(tr("down"));
    offsets->addWidget(m_offsetX);
    offsets->addWidget(across);
    offsets->addWidget(m_offsetY);
    offsets->addWidget(down);
    auto *offsetLabel = new QLabel(tr("Back o&ffset:"));
    offsetLabel->setBuddy(m_offsetX);
    auto *form = new QFormLayout(this);
    form->addRow(backButtons);
    form->addRow(tr("Tur&ned over by:"), m_flip);
    form->addRow(offsetLabel, offsets);
    form->addRow(m_calibration);
    showBackForAll({});

    connect(chooseBack, &QPushButton::clicked, this, &TwoSidedPanel::chooseBackForAll);
    connect(m_clearBack, &QPushButton::clicked, this, &TwoSidedPanel::clearBackForAll);
    connect(m_flip, &QComboBox::currentIndexChanged, this, &TwoSidedPanel::changed);
    for (QLineEdit *offset : {m_offsetX, m_offsetY})
        connect(offset, &QLineEdit::textChanged, this, &TwoSidedPanel::changed);
    connect(m_calibration, &QCheckBox::toggled, this, &TwoSidedPanel::changed);
}

void TwoSidedPanel::load(QSettings &store)
{
    const QSignalBlocker quiet(this);
    m_flip->setCurrentIndex(std::max(0, m_flip->findData(store.value(QStringLiteral("flip")).toString())));
    for (const auto &[edit, key] :
         {std::pair(m_offsetX, QStringLiteral("backOffsetX")), std::pair(m_offsetY, QStringLiteral("backOffsetY"))}) {
        const QString text = store.value(key, DefaultOffset).toString();
        edit->setText(SheetLength::parseSigned(text) ? text : DefaultOffset);
    }
    m_calibration->setChecked(store.value(QStringLiteral("calibration"), false).toBool());
}

void TwoSidedPanel::store(QSettings &store) const
{
    store.setValue(QStringLiteral("flip"), m_flip->currentData());
    store.setValue(QStringLiteral("backOffsetX"), m_offsetX->text().trimmed());
    store.setValue(QStringLiteral("backOffsetY"), m_offsetY->text().trimmed());
    store.setValue(QStringLiteral("calibration"), m_calibration->isChecked());
}

bool TwoSidedPanel::apply(SheetSettings &settings, QString *error) const
{
    settings.flip = m_flip->currentIndex() == 1 ? SheetSettings::Flip::ShortEdge : SheetSettings::Flip::LongEdge;
    settings.calibration = m_calibration->isChecked();
    const struct
    {
        QLineEdit *edit;
        SheetLength *length;
        QString field;
    } offsets[] = {{m_offsetX, &settings.backOffsetX, tr("Back offset across")},
                   {m_offsetY, &settings.backOffsetY, tr("Back offset down")}};
    for (const auto &offset : offsets) {
        QString reason;
        const std::optional<SheetLength> read = SheetLength::parseSigned(offset.edit->text(), &reason);
        if (!read) {
            *error = tr("%1: %2").arg(offset.field, reason);
            return false;
        }
        *offset.length = *read;
    }
    return true;
}

void TwoSidedPanel::showBackForAll(const QString &name)
{
    m_backForAll->setText(name.isEmpty() ? tr("No back for all") : name);
    m_clearBack->setEnabled(!name.isEmpty());
}
