#include "mainwindow/ToolbarWidgets.h"

#include "mainwindow/GuideHints.h"
#include "mainwindow/IconButtons.h"
#include "views/UiFonts.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace {

const QStringList SizeItems{QStringLiteral("3 x 3"), QStringLiteral("3 x 4"), QStringLiteral("3 x 5"),
                            QStringLiteral("3 x 6"), QStringLiteral("4 x 3"), QStringLiteral("4 x 4"),
                            QStringLiteral("4 x 5"), QStringLiteral("4 x 6"), QStringLiteral("5 x 3"),
                            QStringLiteral("5 x 4"), QStringLiteral("5 x 5"), QStringLiteral("5 x 6")};

} // namespace

const QList<ToolbarWidgets::ToolButton> &ToolbarWidgets::toolButtons()
{
    static const QList<ToolButton> tools{
        {"cmdClear",
         "clear",
         0,
         GuideHints::Clear,
         {QKeySequence(Qt::CTRL | Qt::Key_N)},
         QT_TR_NOOP("Clear the maptile")},
        {"cmdOpen",
         "open",
         24,
         GuideHints::Open,
         {QKeySequence(Qt::CTRL | Qt::Key_O)},
         QT_TR_NOOP("Open a maptile or a background picture")},
        {"Command5",
         "save",
         48,
         GuideHints::Save,
         {QKeySequence(Qt::CTRL | Qt::Key_S)},
         QT_TR_NOOP("Save the maptile; right-click to save it under another name or type")},
        {"Command6",
         "preview",
         72,
         GuideHints::Preview,
         {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)},
         QT_TR_NOOP("Full-size preview")},
        {"cmdPrint",
         "print",
         96,
         GuideHints::Print,
         {QKeySequence(Qt::CTRL | Qt::Key_P)},
         QT_TR_NOOP("Print the maptile")},
        {"cmdOptions", "options", 120, GuideHints::Options, {}, QT_TR_NOOP("Options")},
        {"cmdFill",
         "fill",
         537,
         GuideHints::Fill,
         {QKeySequence(Qt::CTRL | Qt::Key_F)},
         QT_TR_NOOP("Fill the blank spaces with the left button's subtile")},
        {"Command2", "info", 564, GuideHints::Info, {}, QT_TR_NOOP("About Cryptwright")}};
    return tools;
}

QString ToolbarWidgets::withKey(const QString &text, const QKeySequence &key)
{
    return QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText));
}

ToolbarWidgets::ToolbarWidgets(Workspace &workspace, IconButtons &icons, QWidget *window)
{
    m_strip = new QWidget(window);
    m_strip->setObjectName(QStringLiteral("Picture1"));
    m_strip->setAccessibleName(tr("Toolbar"));
    m_strip->setGeometry(0, 0, 588, 25);
    m_strip->setAutoFillBackground(true);
    QPalette face = m_strip->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    face.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::ButtonText));
    m_strip->setPalette(face);

    buildButtons(icons);
    buildSizeList();
    buildTextBoxes(workspace);
    // Undoing a size shows it in the list again.
    QObject::connect(&workspace, &Workspace::sizeChosen, m_sizeList, [list = m_sizeList](int columns, int rows) {
        const int index = list->findText(QStringLiteral("%1 x %2").arg(columns).arg(rows));
        if (index >= 0)
            list->setCurrentIndex(index);
    });

    auto *separator = new QWidget(window);
    separator->setObjectName(QStringLiteral("Line2"));
    separator->setGeometry(0, 26, 588, 1);
    separator->setAccessibleName(tr("Separator"));
    separator->setAutoFillBackground(true);
    QPalette grey = separator->palette();
    grey.setColor(QPalette::Window, QColor(64, 64, 64));
    separator->setPalette(grey);
}

void ToolbarWidgets::buildButtons(IconButtons &icons)
{
    for (const ToolButton &tool : toolButtons()) {
        QToolButton *button =
            icons.make(QLatin1String(tool.name), QLatin1String(tool.icon), QRect(tool.x, 0, 24, 24), m_strip);
        const QString tip = tr(tool.tip);
        button->setToolTip(tool.keys.isEmpty() ? tip : withKey(tip, tool.keys.front()));
        button->setAccessibleName(tip);
        m_buttons << button;
    }
}

void ToolbarWidgets::buildSizeList()
{
    m_sizeIcon = new QLabel(m_strip);
    m_sizeIcon->setObjectName(QStringLiteral("Image2"));
    m_sizeIcon->setPixmap(QIcon(QStringLiteral(":/icons/size.svg")).pixmap(16, 16));
    m_sizeIcon->setGeometry(152, 4, 16, 16);
    m_sizeIcon->setAccessibleName(tr("Maptile size"));

    m_sizeList = new QComboBox(m_strip);
    m_sizeList->setObjectName(QStringLiteral("cboSize"));
    m_sizeList->addItems(SizeItems);
    m_sizeList->setGeometry(172, 2, 57, 21);
    m_sizeList->setAccessibleName(tr("Maptile size"));
    m_sizeList->setAccessibleDescription(tr("Columns x rows: 3 to 5 spaces wide by 3 to 6 spaces tall"));
    // A wheel turn over the closed list is not a choice: it would cut rows off the maptile.
    m_sizeList->setFocusPolicy(Qt::StrongFocus);
}

void ToolbarWidgets::buildTextBoxes(Workspace &workspace)
{
    auto *numberIcon = new QLabel(m_strip);
    numberIcon->setObjectName(QStringLiteral("Image3"));
    numberIcon->setPixmap(QIcon(QStringLiteral(":/icons/number.svg")).pixmap(16, 16));
    numberIcon->setGeometry(236, 4, 16, 16);
    numberIcon->setAccessibleName(tr("Maptile number"));

    m_mapNumBox = new QLineEdit(m_strip);
    m_mapNumBox->setObjectName(QStringLiteral("txtMapNum"));
    m_mapNumBox->setMaxLength(2);
    m_mapNumBox->setGeometry(256, 2, 33, 21);
    m_mapNumBox->setAccessibleName(tr("Maptile number"));
    m_mapNumBox->setAccessibleDescription(tr("Up to two characters in the maptile's upper left corner"));

    auto *designedBy = new QLabel(tr("Maptile Designed By:"), m_strip);
    designedBy->setObjectName(QStringLiteral("Label1"));
    designedBy->setGeometry(296, 6, 101, 17);
    // The caption has to fit its fixed width whole; a font running wider
    // than the layout's own is narrowed until it does.
    QFont captionFont = UiFonts::standard();
    for (int stretch = 99;
         QFontMetrics(captionFont).horizontalAdvance(designedBy->text()) > designedBy->width() && stretch >= 75;
         --stretch)
        captionFont.setStretch(stretch);
    designedBy->setFont(captionFont);

    m_designerBox = new QLineEdit(m_strip);
    m_designerBox->setObjectName(QStringLiteral("txtDesigner"));
    m_designerBox->setGeometry(400, 2, 133, 21);
    m_designerBox->setAccessibleName(tr("Maptile designed by"));
    m_designerBox->setAccessibleDescription(tr("Your name, in the credit line at the bottom of the maptile"));
    designedBy->setBuddy(m_designerBox);

    // Each box tells the workspace what is typed and shows what the workspace holds, undone steps included.
    const std::pair<QLineEdit *, Workspace::TextBox> boxes[] = {{m_mapNumBox, Workspace::MapNumBox},
                                                                {m_designerBox, Workspace::DesignerBox}};
    for (const auto &[box, which] : boxes) {
        QObject::connect(box, &QLineEdit::textChanged, &workspace,
                         [&workspace, which](const QString &text) { workspace.setText(which, text); });
        QObject::connect(box, &QLineEdit::editingFinished, &workspace, &Workspace::endTypingStep);
    }
    QObject::connect(&workspace, &Workspace::mapNumTextChanged, m_mapNumBox, [box = m_mapNumBox](const QString &text) {
        if (box->text() != text)
            box->setText(text);
    });
    QObject::connect(&workspace, &Workspace::designerTextChanged, m_designerBox,
                     [box = m_designerBox](const QString &text) {
                         if (box->text() != text)
                             box->setText(text);
                     });
}

QSize ToolbarWidgets::selectedSize() const
{
    const QString item = m_sizeList->currentText();
    if (item.isEmpty())
        return {};
    return {std::max(0, item.front().digitValue()), std::max(0, item.back().digitValue())};
}

void ToolbarWidgets::selectLargestSize()
{
    m_sizeList->setCurrentIndex(SizeItems.size() - 1);
}
