#include "dialogs/OptionsWindow.h"

#include "dialogs/FontDialog.h"
#include "maptile/FontText.h"
#include "workspace/Workspace.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLineEdit *fontBox(const QString &name, QLabel *label, QRect geometry, QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    label->setBuddy(box);
    box->setObjectName(name);
    box->setReadOnly(true);
    box->setGeometry(geometry);
    return box;
}

QPushButton *chooseButton(const QString &name, const QString &accessibleName, QRect geometry, QWidget *parent)
{
    auto *button = new QPushButton(QStringLiteral("..."), parent);
    button->setAccessibleName(accessibleName);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setGeometry(geometry);
    return button;
}

} // namespace

OptionsWindow::OptionsWindow(Workspace &workspace, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_workspace(workspace)
{
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(tr("Cryptwright Options"));
    setFixedSize(241, 150);

    auto *mapNumLabel = new QLabel(tr("Maptile Number Font"), this);
    mapNumLabel->setObjectName(QStringLiteral("Label1"));
    mapNumLabel->setGeometry(8, 8, 200, 15);
    m_mapNumFont = fontBox(QStringLiteral("txtMaptileFont"), mapNumLabel, QRect(8, 24, 196, 21), this);
    auto *mapNumButton = chooseButton(QStringLiteral("cmdMaptileFont"), tr("Choose the maptile number's font"),
                                      QRect(208, 24, 25, 21), this);

    auto *speedLabel = new QLabel(tr("Subtile Speed Font"), this);
    speedLabel->setObjectName(QStringLiteral("Label2"));
    speedLabel->setGeometry(8, 52, 200, 15);
    m_speedFont = fontBox(QStringLiteral("txtSubtileFont"), speedLabel, QRect(8, 68, 196, 21), this);
    auto *speedButton = chooseButton(QStringLiteral("cmdSubtileFont"), tr("Choose the speed values' font"),
                                     QRect(208, 68, 25, 21), this);

    m_autoNumber = new QCheckBox(tr("Auto Number Subtile Speed Values"), this);
    m_autoNumber->setObjectName(QStringLiteral("chkAutoNum"));
    m_autoNumber->setGeometry(8, 96, 225, 17);
    m_autoNumber->setChecked(true);
    // A fresh window is ticked, and the box is what placement follows.
    m_workspace.setAutoNumber(true);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setDefault(true);
    ok->setGeometry(168, 120, 65, 23);

    connect(mapNumButton, &QPushButton::clicked, this, &OptionsWindow::chooseMapNumFont);
    connect(speedButton, &QPushButton::clicked, this, &OptionsWindow::chooseSpeedFont);
    connect(m_autoNumber, &QCheckBox::toggled, &m_workspace, &Workspace::setAutoNumber);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    showFonts();
}

void OptionsWindow::showFonts()
{
    const MaptileOverlays &overlays = m_workspace.overlays();
    m_speedFont->setText(FontText::describe(overlays.speedFont()));
    m_mapNumFont->setText(FontText::describe(overlays.mapNumFont()));
}

void OptionsWindow::chooseMapNumFont()
{
    QFont font = m_workspace.overlays().mapNumFont();
    QColor colour = m_workspace.overlays().mapNumColour();
    if (FontDialog::showFont(this, font, colour))
        m_workspace.setMapNumFont(font, colour);
    showFonts();
}

void OptionsWindow::chooseSpeedFont()
{
    QFont font = m_workspace.overlays().speedFont();
    QColor colour = m_workspace.overlays().speedColour();
    if (FontDialog::showFont(this, font, colour))
        m_workspace.setSpeedFont(font, colour);
    showFonts();
}

void OptionsWindow::reject()
{
    // The window that replaces this one starts ticked, and placement follows the box.
    m_workspace.setAutoNumber(true);
    QDialog::reject();
}
