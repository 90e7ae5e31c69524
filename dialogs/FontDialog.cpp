#include "dialogs/FontDialog.h"

#include "maptile/FontText.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {

QCheckBox *effect(const QString &name, const QString &text, bool on, QRect geometry, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(on);
    box->setGeometry(geometry);
    return box;
}

QLabel *caption(const QString &text, QWidget *buddy, QPoint at, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    label->adjustSize();
    label->move(at);
    return label;
}

} // namespace

FontDialog::FontDialog(const QFont &font, const QColor &colour, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , m_colour(colour)
{
    setObjectName(QStringLiteral("dlgFont"));
    setWindowTitle(tr("Font"));
    setFixedSize(260, 208);
    const QFont start = FontText::accepted(font);
    m_family = start.family();

    m_face = new QFontComboBox(this);
    caption(tr("&Font:"), m_face, QPoint(8, 8), this);
    m_face->setObjectName(QStringLiteral("cboFont"));
    m_face->setEditable(false);
    m_face->setGeometry(8, 24, 180, 22);
    m_face->setCurrentFont(start);

    m_size = new QSpinBox(this);
    caption(tr("&Size:"), m_size, QPoint(196, 8), this);
    m_size->setObjectName(QStringLiteral("spnSize"));
    m_size->setRange(FontText::MinPoints, FontText::MaxPoints);
    m_size->setValue(start.pointSize());
    m_size->setGeometry(196, 24, 56, 22);

    m_bold = effect(QStringLiteral("chkBold"), tr("Bold"), start.bold(), QRect(8, 56, 110, 18), this);
    m_italic = effect(QStringLiteral("chkItalic"), tr("Italic"), start.italic(), QRect(8, 76, 110, 18), this);
    m_underline =
        effect(QStringLiteral("chkUnderline"), tr("Underline"), start.underline(), QRect(128, 56, 124, 18), this);
    m_strikeOut =
        effect(QStringLiteral("chkStrikeout"), tr("Strikeout"), start.strikeOut(), QRect(128, 76, 124, 18), this);

    m_colourButton = new QPushButton(tr("Colour..."), this);
    m_colourButton->setObjectName(QStringLiteral("cmdColour"));
    m_colourButton->setAutoDefault(false);
    m_colourButton->setGeometry(8, 100, 90, 23);

    m_sample = new QLabel(QStringLiteral("AaBbYyZz"), this);
    m_sample->setAccessibleName(tr("Sample of the font"));
    m_sample->setObjectName(QStringLiteral("lblSample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFrameShape(QFrame::StyledPanel);
    // The grey the speed values are drawn on, so light text colours stay readable.
    m_sample->setAutoFillBackground(true);
    QPalette sampleGround = m_sample->palette();
    sampleGround.setColor(QPalette::Window, QColor(64, 64, 64));
    m_sample->setPalette(sampleGround);
    m_sample->setGeometry(8, 130, 244, 40);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setDefault(true);
    ok->setGeometry(106, 178, 70, 23);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAutoDefault(false);
    cancel->setGeometry(182, 178, 70, 23);

    // Connected after the start values are in, so only the user's own pick replaces the face.
    connect(m_face, &QFontComboBox::currentFontChanged, this, [this](const QFont &picked) {
        m_family = picked.family();
        showChoice();
    });
    connect(m_size, &QSpinBox::valueChanged, this, &FontDialog::showChoice);
    for (QCheckBox *box : {m_bold, m_italic, m_underline, m_strikeOut})
        connect(box, &QCheckBox::toggled, this, &FontDialog::showChoice);
    connect(m_colourButton, &QPushButton::clicked, this, &FontDialog::chooseColour);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showChoice();
}

bool FontDialog::showFont(QWidget *owner, QFont &font, QColor &colour)
{
    FontDialog dialog(font, colour, owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = FontText::accepted(dialog.chosenFont());
    colour = dialog.chosenColour();
    return true;
}

QFont FontDialog::chosenFont() const
{
    QFont font(m_family);
    font.setPointSize(m_size->value());
    font.setBold(m_bold->isChecked());
    font.setItalic(m_italic->isChecked());
    font.setUnderline(m_underline->isChecked());
    font.setStrikeOut(m_strikeOut->isChecked());
    return font;
}

void FontDialog::chooseColour()
{
    const QColor picked = QColorDialog::getColor(m_colour, this, tr("Text Colour"), QColorDialog::DontUseNativeDialog);
    if (picked.isValid()) {
        m_colour = picked;
        showChoice();
    }
}

void FontDialog::showChoice()
{
    QPixmap swatch(16, 16);
    swatch.fill(m_colour);
    m_colourButton->setIcon(QIcon(swatch));
    m_sample->setFont(chosenFont());
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, m_colour);
    m_sample->setPalette(palette);
}
