#include "mainwindow/MainWindow.h"

#include "dialogs/EditTileWindow.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/InfoWindow.h"
#include "dialogs/JpegOptionsWindow.h"
#include "dialogs/OptionsWindow.h"
#include "dialogs/PreviewWindow.h"
#include "dialogs/TilesetPropertiesWindow.h"
#include "dialogs/TransparencyWindow.h"
#include "document/DocumentReader.h"
#include "document/DocumentWriter.h"
#include "files/FileReplacer.h"
#include "mainwindow/DroppedImage.h"
#include "mainwindow/GuideHints.h"
#include "mainwindow/PictureLoad.h"
#include "output/MaptileSaver.h"
#include "printsheets/PrintSheetsWindow.h"
#include "raster/HiResPicture.h"
#include "recovery/RecoveredWork.h"
#include "recovery/RecoveryFolder.h"
#include "recovery/RecoverySession.h"
#include "recovery/RecoveryWriter.h"
#include "resources/BuiltInPicture.h"
#include "views/ButtonPictureView.h"
#include "views/OutlineShape.h"
#include "views/PaletteView.h"
#include "views/UiFonts.h"
#include "views/WorkingView.h"
#include "workspace/MaptileOpener.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace {

// Hint numbers of the guide's string table.
enum Hint {
    HintClear = 101,
    HintOpen,
    HintSave,
    HintPreview,
    HintPrint,
    HintSize,
    HintMapNum,
    HintDesigner,
    HintInfo,
    HintLeft,
    HintMiddle,
    HintRight,
    HintSetButton,
    HintLoadSet = 118,
    HintPalette = 126,
    HintWorkingView,
    HintGuide,
    HintOptions,
    HintTransparency,
    HintFill
};

const QStringList SizeItems{QStringLiteral("3 x 3"), QStringLiteral("3 x 4"), QStringLiteral("3 x 5"),
                            QStringLiteral("3 x 6"), QStringLiteral("4 x 3"), QStringLiteral("4 x 4"),
                            QStringLiteral("4 x 5"), QStringLiteral("4 x 6"), QStringLiteral("5 x 3"),
                            QStringLiteral("5 x 4"), QStringLiteral("5 x 5"), QStringLiteral("5 x 6")};

// Slot buttons: A-D on the first row, E-H on the second; x and width of the
// letter button, x of the transparency and load buttons, by column.
struct SlotColumn
{
    int setX, setWidth, transX, loadX;
};
constexpr SlotColumn SlotColumns[4] = {{4, 43, 46, 66}, {92, 39, 130, 150}, {176, 39, 214, 234}, {260, 39, 298, 318}};
constexpr int SlotRowY[2] = {279, 301};
constexpr int SlotButtonHeight = 21;

QString maptileChangedLine()
{
    return MainWindow::tr("The current maptile has had changes made to it.") + QLatin1Char('\n');
}

QString slotLetter(int slot)
{
    return QString(QChar(u'A' + slot));
}

} // namespace

const QList<MainWindow::ToolButton> &MainWindow::toolButtons()
{
    // Left to right along the toolbar; the first key of each is named in its tooltip.
    static const QList<ToolButton> tools{
        {"cmdClear",
         "clear",
         0,
         HintClear,
         &MainWindow::clearMaptile,
         {QKeySequence(Qt::CTRL | Qt::Key_N)},
         QT_TR_NOOP("Clear the maptile")},
        {"cmdOpen",
         "open",
         24,
         HintOpen,
         &MainWindow::openMaptile,
         {QKeySequence(Qt::CTRL | Qt::Key_O)},
         QT_TR_NOOP("Open a maptile or a background picture")},
        {"Command5",
         "save",
         48,
         HintSave,
         &MainWindow::saveMaptile,
         {QKeySequence(Qt::CTRL | Qt::Key_S)},
         QT_TR_NOOP("Save the maptile; right-click to save it under another name or type")},
        {"Command6",
         "preview",
         72,
         HintPreview,
         &MainWindow::showPreview,
         {QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)},
         QT_TR_NOOP("Full-size preview")},
        {"cmdPrint",
         "print",
         96,
         HintPrint,
         &MainWindow::printMaptile,
         {QKeySequence(Qt::CTRL | Qt::Key_P)},
         QT_TR_NOOP("Print the maptile")},
        {"cmdOptions", "options", 120, HintOptions, &MainWindow::openOptions, {}, QT_TR_NOOP("Options")},
        {"cmdFill",
         "fill",
         537,
         HintFill,
         &MainWindow::fillBlankSpaces,
         {QKeySequence(Qt::CTRL | Qt::Key_F)},
         QT_TR_NOOP("Fill the blank spaces with the left button's subtile")},
        {"Command2", "info", 564, HintInfo, &MainWindow::openInfo, {}, QT_TR_NOOP("About Cryptwright")}};
    return tools;
}

MainWindow::MainWindow(const QStringList &tilesetFolders, QWidget *parent)
    : QWidget(parent)
    , m_tilesetFolders(tilesetFolders)
{
    m_workspace.readDefaultsAhead(m_tilesetFolders);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Title);
    setWindowIcon(QPixmap::fromImage(BuiltInPicture::load(QStringLiteral(":/images/cryptwright-64.png"))));
    setFixedSize(ClientSize);
    setAutoFillBackground(true);
    QPalette black = QWidget::palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    buildToolbar();
    buildGuide();

    for (int picture = 0; picture < Workspace::ButtonCount; ++picture) {
        m_buttonPictures[picture] = new ButtonPictureView(m_workspace, picture, this);
        m_buttonPictures[picture]->move(188 + 52 * picture, 32);
    }

    m_workingView = new WorkingView(m_workspace, this);
    m_workingView->move(344, 32);

    buildSlots();
    showSlot(frontSlot());
    connectHints();
    addShortcuts();
    setTabOrders();
    acceptDrops(m_workingView);
    for (PaletteView *palette : m_palettes)
        acceptDrops(palette);
    // Undoing a size shows it in the size list again.
    connect(&m_workspace, &Workspace::sizeChosen, this, [this](int columns, int rows) {
        const int index = m_sizeList->findText(QStringLiteral("%1 x %2").arg(columns).arg(rows));
        if (index >= 0)
            m_sizeList->setCurrentIndex(index);
    });
    connect(&m_workspace, &Workspace::modificationChanged, this, &MainWindow::updateTitle);
    connect(&m_workspace, &Workspace::documentPathChanged, this, &MainWindow::updateTitle);
}

void MainWindow::updateTitle()
{
    const QString document = m_workspace.documentPath();
    if (document.isEmpty()) {
        setWindowModified(false);
        setWindowTitle(Title);
        return;
    }
    // "[*]" marks unsaved changes; one in the name itself is written twice to stand for itself.
    const QString name = QFileInfo(document).fileName().replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(tr("%1[*] \u2013 %2").arg(name, Title));
    setWindowModified(m_workspace.maptileChanged());
}

MainWindow::~MainWindow()
{
    // The preview has no parent to take it along.
    delete m_previewWindow;
    // Nothing of the reading outlives the window: loads end with it, and the process kept for reading too.
    PictureReader::endWaiting();
}

QIcon MainWindow::svgIcon(const QString &name)
{
    // One icon per picture: each is parsed and drawn once, however many buttons show it.
    auto found = m_icons.constFind(name);
    if (found == m_icons.constEnd())
        found = m_icons.insert(name, QIcon(QStringLiteral(":/icons/%1.svg").arg(name)));
    return *found;
}

QToolButton *MainWindow::iconButton(const QString &name, const QString &icon, QRect geometry, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(svgIcon(icon));
    button->setIconSize(QSize(16, 16));
    button->setGeometry(geometry);
    return button;
}

void MainWindow::buildToolbar()
{
    m_toolbar = new QWidget(this);
    m_toolbar->setObjectName(QStringLiteral("Picture1"));
    m_toolbar->setAccessibleName(tr("Toolbar"));
    m_toolbar->setGeometry(0, 0, 588, 25);
    m_toolbar->setAutoFillBackground(true);
    QPalette face = m_toolbar->palette();
    face.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    face.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::ButtonText));
    m_toolbar->setPalette(face);

    for (const ToolButton &tool : toolButtons()) {
        QToolButton *button =
            iconButton(QLatin1String(tool.name), QLatin1String(tool.icon), QRect(tool.x, 0, 24, 24), m_toolbar);
        connect(button, &QToolButton::clicked, this, tool.run);
        m_toolButtons << button;
    }
    // A right-click on the save button offers Save As.
    QToolButton *save = m_toolbar->findChild<QToolButton *>(QStringLiteral("Command5"));
    save->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(save, &QWidget::customContextMenuRequested, this, [this, save](QPoint at) {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("SaveMenu"));
        QAction *saveAs = menu.addAction(tr("Save As\u2026"), this, &MainWindow::saveMaptileAs);
        saveAs->setObjectName(QStringLiteral("mnuSaveAs"));
        saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        menu.exec(save->mapToGlobal(at));
    });

    m_sizeIcon = new QLabel(m_toolbar);
    m_sizeIcon->setObjectName(QStringLiteral("Image2"));
    m_sizeIcon->setPixmap(QIcon(QStringLiteral(":/icons/size.svg")).pixmap(16, 16));
    m_sizeIcon->setGeometry(152, 4, 16, 16);
    m_sizeIcon->setAccessibleName(tr("Maptile size"));
    m_sizeIcon->installEventFilter(this);

    m_sizeList = new QComboBox(m_toolbar);
    m_sizeList->setObjectName(QStringLiteral("cboSize"));
    m_sizeList->addItems(SizeItems);
    m_sizeList->setGeometry(172, 2, 57, 21);
    m_sizeList->setAccessibleName(tr("Maptile size"));
    m_sizeList->setAccessibleDescription(tr("Columns x rows: 3 to 5 spaces wide by 3 to 6 spaces tall"));
    // A wheel turn over the closed list is not a choice: it would cut rows off the maptile.
    m_sizeList->setFocusPolicy(Qt::StrongFocus);
    m_sizeList->installEventFilter(this);
    // Picking the size already shown applies it again, so react to every activation.
    connect(m_sizeList, &QComboBox::activated, this, &MainWindow::applySelectedSize);

    auto *numberIcon = new QLabel(m_toolbar);
    numberIcon->setObjectName(QStringLiteral("Image3"));
    numberIcon->setPixmap(QIcon(QStringLiteral(":/icons/number.svg")).pixmap(16, 16));
    numberIcon->setGeometry(236, 4, 16, 16);
    numberIcon->setAccessibleName(tr("Maptile number"));

    m_mapNumBox = new QLineEdit(m_toolbar);
    m_mapNumBox->setObjectName(QStringLiteral("txtMapNum"));
    m_mapNumBox->setMaxLength(2);
    m_mapNumBox->setGeometry(256, 2, 33, 21);
    m_mapNumBox->setAccessibleName(tr("Maptile number"));
    m_mapNumBox->setAccessibleDescription(tr("Up to two characters in the maptile's upper left corner"));
    connect(m_mapNumBox, &QLineEdit::textChanged, &m_workspace, &Workspace::setMapNumText);
    connect(m_mapNumBox, &QLineEdit::editingFinished, &m_workspace, &Workspace::endTypingStep);
    connect(&m_workspace, &Workspace::mapNumTextChanged, m_mapNumBox, [this](const QString &text) {
        if (m_mapNumBox->text() != text)
            m_mapNumBox->setText(text);
    });

    auto *designedBy = new QLabel(tr("Maptile Designed By:"), m_toolbar);
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

    m_designerBox = new QLineEdit(m_toolbar);
    m_designerBox->setObjectName(QStringLiteral("txtDesigner"));
    m_designerBox->setGeometry(400, 2, 133, 21);
    m_designerBox->setAccessibleName(tr("Maptile designed by"));
    m_designerBox->setAccessibleDescription(tr("Your name, in the credit line at the bottom of the maptile"));
    designedBy->setBuddy(m_designerBox);
    connect(m_designerBox, &QLineEdit::textChanged, &m_workspace, &Workspace::setDesignerText);
    connect(m_designerBox, &QLineEdit::editingFinished, &m_workspace, &Workspace::endTypingStep);
    connect(&m_workspace, &Workspace::designerTextChanged, m_designerBox, [this](const QString &text) {
        if (m_designerBox->text() != text)
            m_designerBox->setText(text);
    });

    auto *separator = new QWidget(this);
    separator->setObjectName(QStringLiteral("Line2"));
    separator->setGeometry(0, 26, 588, 1);
    separator->setAccessibleName(tr("Separator"));
    separator->setAutoFillBackground(true);
    QPalette grey = separator->palette();
    grey.setColor(QPalette::Window, QColor(64, 64, 64));
    separator->setPalette(grey);
}

void MainWindow::buildGuide()
{
    m_guidePicture = new QLabel(this);
    m_guidePicture->setObjectName(QStringLiteral("Image1"));
    m_guidePicture->setPixmap(QPixmap::fromImage(BuiltInPicture::load(QStringLiteral(":/images/guide.png"))));
    m_guidePicture->setGeometry(2, 30, 184, 50);
    m_guidePicture->setAccessibleName(tr("The dungeon dude, your guide"));

    m_guideLabel = new QLabel(tr("Welcome to Cryptwright Version 1.00!"), this);
    m_guideLabel->setObjectName(QStringLiteral("lblDude"));
    m_guideLabel->setWordWrap(true);
    m_guideLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_guideLabel->setGeometry(47, 34, 134, 42);
    QPalette text = m_guideLabel->palette();
    text.setColor(QPalette::WindowText, Qt::black);
    m_guideLabel->setPalette(text);
}

void MainWindow::buildSlots()
{
    // Stacked so that, front to back, the palettes are H, G, F, E, A, B, C, D.
    for (int slot : {3, 2, 1, 0, 4, 5, 6, 7}) {
        auto *palette = new PaletteView(m_workspace, slot, this);
        palette->move(4, 84);
        m_palettes[slot] = palette;
        connect(palette, &PaletteView::previewRequested, this, &MainWindow::showPreviewBox);
        connect(palette, &PaletteView::previewReleased, this, [this] { m_previewBox->hide(); });
        connect(palette, &PaletteView::doubleClicked, this, &MainWindow::openEditor);
        connect(palette, &PaletteView::pasteRequested, this, &MainWindow::pasteIntoCell);
    }

    m_previewBox = new QWidget(this);
    m_previewBox->setObjectName(QStringLiteral("picTilePrev"));
    m_previewBox->setGeometry(88, 99, 93, 93);
    m_previewBox->setAccessibleName(tr("Enlarged subtile"));
    m_previewPicture = new QLabel(m_previewBox);
    m_previewPicture->setGeometry(1, 1, 91, 91);
    m_previewPicture->setAccessibleName(tr("Enlarged subtile"));
    auto *frame = new OutlineShape(QColor(0, 0, 255), m_previewBox);
    frame->setObjectName(QStringLiteral("Shape1"));
    frame->setAccessibleName(tr("Frame of the enlarged subtile"));
    frame->setGeometry(0, 0, 93, 93);
    m_previewBox->hide();

    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        const SlotColumn &column = SlotColumns[slot % 4];
        const int y = SlotRowY[slot / 4];
        auto *set = new QPushButton(QString(QChar(u'A' + slot)), this);
        set->setObjectName(QStringLiteral("cmdSet%1").arg(slot));
        set->setFont(UiFonts::slotLetter());
        set->setGeometry(column.setX, y, column.setWidth, SlotButtonHeight);
        connect(set, &QPushButton::clicked, this, [this, slot] { showSlot(slot); });
        // A right-click or the menu key offers the slot's tileset commands.
        set->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(set, &QWidget::customContextMenuRequested, this, [this, slot](QPoint at) { showSlotMenu(slot, at); });
        m_setButtons[slot] = set;

        m_transButtons[slot] = iconButton(QStringLiteral("cmdTrans%1").arg(slot), QStringLiteral("transparency"),
                                          QRect(column.transX, y, 21, SlotButtonHeight), this);
        m_loadButtons[slot] = iconButton(QStringLiteral("cmdLoadSet%1").arg(slot), QStringLiteral("folder"),
                                         QRect(column.loadX, y, 21, SlotButtonHeight), this);
        connect(m_loadButtons[slot], &QToolButton::clicked, this, [this, slot] { loadTileset(slot); });
        connect(m_transButtons[slot], &QToolButton::clicked, this, [this, slot] { openTransparency(slot); });
    }
}

void MainWindow::connectHints()
{
    m_hints = new GuideHints(m_guideLabel, this);
    for (qsizetype i = 0; i < m_toolButtons.size(); ++i)
        m_hints->onHover(m_toolButtons[i], toolButtons()[i].hint);
    m_hints->onHover(m_sizeIcon, HintSize);
    m_hints->onFocus(m_sizeList, HintSize);
    m_hints->onHover(m_mapNumBox, HintMapNum);
    m_hints->onHover(m_designerBox, HintDesigner);
    m_hints->onHover(m_buttonPictures[Workspace::Left], HintLeft);
    m_hints->onHover(m_buttonPictures[Workspace::Middle], HintMiddle);
    m_hints->onHover(m_buttonPictures[Workspace::Right], HintRight);
    m_hints->onHover(m_guidePicture, HintGuide);
    m_hints->onHover(m_workingView, HintWorkingView);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        m_hints->onHover(m_setButtons[slot], HintSetButton);
        m_hints->onHover(m_loadButtons[slot], HintLoadSet);
        m_hints->onHover(m_transButtons[slot], HintTransparency);
        m_hints->onHover(m_palettes[slot], HintPalette);
    }
    m_hints->clearOver(this);
    m_hints->clearOver(m_toolbar);
}

void MainWindow::prepareApplication()
{
    QApplication::setApplicationName(Title);
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.cryptwright"));
    // One look everywhere: the layout is fixed in pixels.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(UiFonts::standard());
}

void MainWindow::showCentred()
{
    move(screen()->availableGeometry().center() - rect().center());
    show();
}

void MainWindow::startUp()
{
    m_workspace.startUp(m_tilesetFolders, [this](const QString &error) {
        QMessageBox box(QMessageBox::NoIcon, Title, error, QMessageBox::Ok, this);
        box.exec();
    });
    m_sizeList->setCurrentIndex(SizeItems.size() - 1);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        m_palettes[slot]->showSetInfo();
}

int MainWindow::frontSlot() const
{
    // The palette drawn last among its siblings is the one in front.
    const QObjectList &children = this->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (auto *palette = qobject_cast<PaletteView *>(*it))
            return palette->slot();
    }
    return -1;
}

void MainWindow::showSlot(int slot)
{
    // Only the palette in front takes the keyboard focus, by a press or by Tab;
    // the focus, for picking and pasting, follows to it.
    for (PaletteView *palette : m_palettes)
        palette->setFocusPolicy(palette->slot() == slot ? Qt::StrongFocus : Qt::NoFocus);
    if (qobject_cast<PaletteView *>(focusWidget()))
        m_palettes[slot]->setFocus(Qt::OtherFocusReason);
    m_palettes[slot]->raise();
    // The preview box and the slot buttons lie in front of every palette.
    m_previewBox->raise();
}

void MainWindow::showPreviewBox(int slot)
{
    const QPoint cell = m_workspace.slot(slot).outlineCell;
    const QImage subtile = m_workspace.slot(slot).subtile(cell.x(), cell.y());
    m_previewPicture->setPixmap(QPixmap::fromImage(
        HiResPicture::build(subtile, subtile.rect(), QSize(91, 91), m_previewPicture->devicePixelRatio(), false)));
    m_previewBox->move(cell.x() * Geometry::ViewSpaceSize + 4, cell.y() * Geometry::ViewSpaceSize + 56);
    m_previewBox->raise();
    m_previewBox->show();
}

void MainWindow::applySelectedSize()
{
    const QString item = m_sizeList->currentText();
    const int columns = item.isEmpty() ? 0 : std::max(0, item.front().digitValue());
    const int rows = item.isEmpty() ? 0 : std::max(0, item.back().digitValue());
    m_workspace.setSize(columns, rows);
}

void MainWindow::fillBlankSpaces()
{
    m_workspace.fill();
}

bool MainWindow::askToKeep(const QString &why, const QString &question, const std::function<bool()> &save)
{
    QMessageBox box(QMessageBox::NoIcon, Title, why + question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.button(QMessageBox::Save)->setText(tr("&Save"));
    box.button(QMessageBox::Discard)->setText(tr("&Discard"));
    box.button(QMessageBox::Cancel)->setText(tr("Cancel"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool MainWindow::mayReplaceMaptile()
{
    return !m_workspace.maptileChanged()
        || askToKeep(maptileChangedLine(), tr("Do you still wish to open another maptile?"),
                     [this] { return keepMaptile(false); });
}

bool MainWindow::mayReplaceTileset(int slot)
{
    return !m_workspace.slot(slot).isModified()
        || askToKeep(
            tr("The tileset in slot %1 has changes that are not saved.").arg(slotLetter(slot)) + QLatin1Char('\n'),
            tr("Do you still wish to load another tileset into it?"), [this, slot] { return saveTileset(slot); });
}

void MainWindow::clearMaptile()
{
    // Unchanged, it is cleared only to leave its document, where all of it is kept.
    if (!m_workspace.maptileChanged() && m_workspace.documentPath().isEmpty())
        return;
    if (m_workspace.maptileChanged()
        && !askToKeep(maptileChangedLine(), tr("Do you still wish to clear the tile?"),
                      [this] { return keepMaptile(false); }))
        return;
    const QString item = m_sizeList->currentText();
    m_workspace.blankMaptile(item.front().digitValue(), item.back().digitValue());
    m_workspace.setMaptileChanged(false);
    m_pictureName.clear();
}

void MainWindow::loadTileset(int slot)
{
    if (!mayReplaceTileset(slot))
        return;
    const QString path = FileDialogs::showOpen(this, FileDialogs::tilesetFilter());
    if (!path.isEmpty())
        startTilesetLoad(slot, path);
}

void MainWindow::loadTilesetFile(int slot, const QString &path)
{
    if (mayReplaceTileset(slot))
        startTilesetLoad(slot, path);
}

void MainWindow::startTilesetLoad(int slot, const QString &path)
{
    startLoad(slot, path, PictureReader::Kind::WholePicture, [this, slot, path](const QImage &picture) {
        m_workspace.setTileset(slot, picture, path);
        showSlot(slot);
        m_palettes[slot]->showSetInfo();
    });
}

void MainWindow::startLoad(int target, const QString &path, PictureReader::Kind kind,
                           const std::function<void(const QImage &)> &apply)
{
    delete m_loads[target];
    auto *load = new PictureLoad(path, kind, this);
    m_loads[target] = load;
    connect(load, &PictureLoad::finished, this, [this, target, load, apply](const QImage &image, const QString &error) {
        m_loads[target] = nullptr;
        load->deleteLater();
        if (!image.isNull())
            apply(image);
        else if (!error.isEmpty())
            QMessageBox::warning(this, Title, error);
        else
            m_hints->showText(
                tr("Loading \"%1\" was cancelled; nothing was changed.").arg(QFileInfo(load->path()).fileName()));
    });
}

bool MainWindow::isLoading() const
{
    return std::any_of(m_loads.begin(), m_loads.end(), [](const PictureLoad *load) { return load != nullptr; });
}

void MainWindow::openTransparency(int slot)
{
    showSlot(slot);
    if (!m_transparency)
        m_transparency = new TransparencyWindow(m_workspace, this);
    m_transparency->editSlot(slot);
    if (m_transparency->exec() != QDialog::Accepted)
        delete m_transparency;
}

void MainWindow::showSlotMenu(int slot, QPoint at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("SlotMenu"));
    const auto entry = [&menu](const QString &text, const QString &name, const std::function<void()> &run) {
        QAction *action = menu.addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, action, run);
    };
    entry(tr("Load tileset\u2026"), QStringLiteral("mnuLoadTileset"), [this, slot] { loadTileset(slot); });
    entry(tr("Transparency\u2026"), QStringLiteral("mnuTransparency"), [this, slot] { openTransparency(slot); });
    entry(tr("Tileset properties\u2026"), QStringLiteral("mnuTilesetProperties"),
          [this, slot] { openTilesetProperties(slot); });
    entry(tr("Save tileset as\u2026"), QStringLiteral("mnuSaveTileset"), [this, slot] { saveTilesetAs(slot); });
    menu.addSeparator();
    entry(tr("New empty tileset"), QStringLiteral("mnuNewTileset"), [this, slot] { newEmptyTileset(slot); });
    menu.exec(m_setButtons[slot]->mapToGlobal(at));
}

void MainWindow::openTilesetProperties(int slot)
{
    showSlot(slot);
    TilesetPropertiesWindow(m_workspace, slot, this).exec();
}

namespace {

bool isWritableTileset(const QString &path)
{
    return QStringList{QStringLiteral("png"), QStringLiteral("bmp"), QStringLiteral("jpg"), QStringLiteral("jpeg")}
        .contains(QFileInfo(path).suffix().toLower());
}

} // namespace

bool MainWindow::saveTilesetAs(int slot)
{
    showSlot(slot);
    const TilesetSlot &tileset = m_workspace.slot(slot);
    // Offered under its file's name, as PNG unless that file is a bitmap or JPEG;
    // a tileset without a file under its set name.
    const QString setName = tileset.tileData().setName;
    const QFileInfo file(tileset.path().isEmpty()
                             ? (setName.isEmpty() ? tr("Untitled") : QString(setName).replace(u'/', u'-')) + ".png"
                             : tileset.path());
    const QString suggested =
        isWritableTileset(file.filePath()) ? file.filePath() : file.dir().filePath(file.completeBaseName() + ".png");
    const QString path = FileDialogs::showSaveTileset(this, tileset.path().isEmpty() ? file.fileName() : suggested);
    if (path.isEmpty())
        return false;
    const QString error = m_workspace.saveTileset(slot, path);
    if (!error.isEmpty())
        QMessageBox::warning(this, Title, error);
    return error.isEmpty();
}

bool MainWindow::saveTileset(int slot)
{
    const QString path = m_workspace.slot(slot).path();
    if (path.isEmpty() || !isWritableTileset(path))
        return saveTilesetAs(slot);
    const QString error = m_workspace.saveTileset(slot, path);
    if (!error.isEmpty())
        QMessageBox::warning(this, Title, error);
    return error.isEmpty();
}

void MainWindow::newEmptyTileset(int slot)
{
    m_workspace.newEmptyTileset(slot);
    showSlot(slot);
}

void MainWindow::importSubtileFile(int slot, QPoint cell, const QString &path)
{
    startLoad(slot, path, PictureReader::Kind::WholePicture,
              [this, slot, cell](const QImage &picture) { m_workspace.importSubtile(slot, cell, picture); });
}

void MainWindow::pasteIntoCell(int slot)
{
    const QPoint cell = m_workspace.slot(slot).outlineCell;
    const QMimeData *data = QApplication::clipboard()->mimeData();
    const QImage image = data && data->hasImage() ? qvariant_cast<QImage>(data->imageData()) : QImage();
    if (!image.isNull()) {
        m_workspace.importSubtile(slot, cell, image);
        return;
    }
    // A picture file copied in a file manager serves as well.
    const QString path = data ? DroppedImage::path(data, false) : QString();
    if (path.isEmpty())
        QMessageBox::warning(this, Title, tr("The clipboard holds no picture to paste into the subtile."));
    else
        importSubtileFile(slot, cell, path);
}

void MainWindow::openEditor(int slot)
{
    if (!m_editor)
        m_editor = new EditTileWindow(m_workspace, this);
    m_editor->editCell(m_palettes[slot]);
    if (m_editor->exec() != QDialog::Accepted)
        delete m_editor;
}

void MainWindow::openOptions()
{
    if (!m_options)
        m_options = new OptionsWindow(m_workspace, this);
    if (m_options->exec() != QDialog::Accepted)
        delete m_options;
}

void MainWindow::openInfo()
{
    InfoWindow(this).exec();
}

void MainWindow::printSheets()
{
    // Documents added are read away from the window, as every file the user names is.
    const auto readDocument = [this](const QString &path, std::function<void(const QImage &, const QString &)> done) {
        auto *load = new PictureLoad(path, PictureReader::Kind::FinishedMaptile, this);
        connect(load, &PictureLoad::finished, this, [load, done](const QImage &image, const QString &error) {
            load->deleteLater();
            done(image, error);
        });
    };
    m_workspace.paintNum();
    const auto writeFile = [](const QString &path, const std::function<QString(QIODevice &)> &fill) {
        return FileReplacer::write(path, fill);
    };
    PrintSheetsWindow window(tr("This maptile"), m_workspace.preview(), readDocument, writeFile, this);
    window.exec();
}

void MainWindow::openMaptile()
{
    if (!mayReplaceMaptile())
        return;
    const QString path = FileDialogs::showOpen(this, FileDialogs::maptileFilter());
    if (!path.isEmpty())
        startMaptileLoad(path);
}

void MainWindow::openMaptileFile(const QString &path)
{
    if (mayReplaceMaptile())
        startMaptileLoad(path);
}

void MainWindow::startMaptileLoad(const QString &path)
{
    startLoad(MaptileLoad, path, PictureReader::Kind::Maptile, [this, path](const QImage &picture) {
        MaptileOpener::apply(m_workspace, picture, path);
        // Opened from a picture, the maptile has no document yet; the picture's name is offered for one.
        m_pictureName = m_workspace.documentPath().isEmpty() ? QFileInfo(path).completeBaseName() : QString();
    });
}

void MainWindow::saveMaptile()
{
    keepMaptile(false);
}

void MainWindow::saveMaptileAs()
{
    keepMaptile(true);
}

bool MainWindow::keepMaptile(bool askWhere)
{
    QString path = askWhere ? QString() : m_workspace.documentPath();
    if (path.isEmpty()) {
        const QString document = m_workspace.documentPath();
        const QString name = m_pictureName.isEmpty() ? tr("Untitled") : m_pictureName;
        path = FileDialogs::showSave(this, document.isEmpty() ? name + "." + DocumentWriter::Suffix : document);
        if (path.isEmpty())
            return false;
    }
    JpegOptions jpeg;
    if (MaptileSaver::formatFor(path) == MaptileSaver::Format::Jpeg) {
        JpegOptionsWindow options(this);
        if (options.exec() != QDialog::Accepted)
            return false;
        jpeg = options.options();
    }
    const QString error = MaptileSaver::save(m_workspace, path, jpeg);
    if (!error.isEmpty())
        QMessageBox::warning(this, Title, error);
    return error.isEmpty();
}

void MainWindow::showPreview()
{
    if (m_previewWindow) {
        m_previewWindow->setWindowState((m_previewWindow->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        m_previewWindow->raise();
        m_previewWindow->activateWindow();
        return;
    }
    m_workspace.paintNum();
    m_previewWindow = new PreviewWindow(m_workspace);
    m_previewWindow->setWindowIcon(windowIcon());
    m_previewWindow->setScreen(screen());
    m_previewWindow->fitToImage();
    m_previewWindow->show();
}

void MainWindow::printMaptile()
{
    m_printer.printWithDialog(this, m_workspace.preview());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // One question for the maptile and every tileset with unsaved changes.
    QString why = m_workspace.maptileChanged() ? maptileChangedLine() : QString();
    const QList<int> unsaved = m_workspace.unsavedSlots();
    if (!unsaved.isEmpty()) {
        QStringList letters;
        for (int slot : unsaved)
            letters << slotLetter(slot);
        const QString last = letters.takeLast();
        why += unsaved.size() == 1 ? tr("The tileset in slot %1 has changes that are not saved.").arg(last)
                                   : tr("The tilesets in slots %1 and %2 have changes that are not saved.")
                                         .arg(letters.join(QStringLiteral(", ")), last);
        why += QLatin1Char('\n');
    }
    // Saving stops at the first save that fails or is cancelled, and so does quitting.
    const auto saveAll = [this, unsaved] {
        return (!m_workspace.maptileChanged() || keepMaptile(false))
            && std::all_of(unsaved.begin(), unsaved.end(), [this](int slot) { return saveTileset(slot); });
    };
    if (!why.isEmpty() && !askToKeep(why, tr("Do you still wish to quit?"), saveAll)) {
        event->ignore();
        return;
    }
    event->accept();
    // A clean end: nothing is left to be offered at the next start.
    m_recovery.reset();
    emit closed();
}

bool MainWindow::keepRecovery(const QString &folder)
{
    m_recovery = std::make_unique<RecoveryWriter>(m_workspace, std::make_unique<RecoverySession>(folder));
    connect(m_recovery.get(), &RecoveryWriter::failed, this,
            [this](const QString &reason) { QMessageBox::warning(this, Title, reason); });
    RecoveryFolder::LeftBehind found = RecoveryFolder::leftBehind(folder);
    m_recovered = std::move(found.work);
    m_recoveryNotice = found.notice;
    return !m_recovered.empty() || !m_recoveryNotice.isEmpty();
}

QString MainWindow::recoveryText(const RecoveredWork &work) const
{
    QStringList kept;
    if (work.hasMaptile()) {
        kept << (work.documentPath().isEmpty()
                     ? tr("the maptile")
                     : tr("the maptile of \"%1\"").arg(QFileInfo(work.documentPath()).fileName()));
    }
    for (const RecoveredWork::Tileset &tileset : work.tilesets()) {
        kept << (tileset.setName.isEmpty()
                     ? tr("the tileset in slot %1").arg(slotLetter(tileset.slot))
                     : tr("the tileset \"%1\" in slot %2").arg(tileset.setName, slotLetter(tileset.slot)));
    }
    return tr("Cryptwright did not close normally. Changes that were not saved were kept on %1:\n\u2022 %2\n\n"
              "Restore them, or discard them?")
        .arg(QLocale().toString(work.savedAt().toLocalTime(), QLocale::LongFormat),
             kept.join(QStringLiteral("\n\u2022 ")));
}

void MainWindow::offerRecovery()
{
    if (!m_recoveryNotice.isEmpty())
        QMessageBox::information(this, Title, std::exchange(m_recoveryNotice, {}));
    // One maptile at a time: work older than the one restored waits for the next start.
    std::vector<std::unique_ptr<RecoveredWork>> offers = std::move(m_recovered);
    for (const std::unique_ptr<RecoveredWork> &work : offers) {
        QMessageBox box(QMessageBox::NoIcon, Title, recoveryText(*work), QMessageBox::NoButton, this);
        QPushButton *restore = box.addButton(tr("&Restore"), QMessageBox::AcceptRole);
        QPushButton *discard = box.addButton(tr("&Discard"), QMessageBox::DestructiveRole);
        box.setDefaultButton(restore);
        box.exec();
        if (box.clickedButton() == discard) {
            work->discard();
            continue;
        }
        // Closed unanswered: kept for the next start.
        if (box.clickedButton() != restore)
            continue;
        const QString error = work->restore(m_workspace);
        if (!error.isEmpty()) {
            QMessageBox::warning(
                this, Title,
                tr("%1\nThe work is still kept in \"%2\".").arg(error, QDir::toNativeSeparators(work->path())));
            continue;
        }
        // Kept again at once, in this editor's own session, before the old one goes.
        if (m_recovery) {
            m_recovery->write();
            m_recovery->flush();
        }
        work->discard();
        break;
    }
}

void MainWindow::addCommand(const QList<QKeySequence> &keys, const std::function<void()> &run)
{
    auto *action = new QAction(this);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, run);
    addAction(action);
}

void MainWindow::addShortcuts()
{
    const auto withKey = [](const QString &text, const QKeySequence &key) {
        return QStringLiteral("%1 (%2)").arg(text, key.toString(QKeySequence::NativeText));
    };
    for (qsizetype i = 0; i < m_toolButtons.size(); ++i) {
        const ToolButton &tool = toolButtons()[i];
        QToolButton *button = m_toolButtons[i];
        const QString tip = tr(tool.tip);
        button->setToolTip(tool.keys.isEmpty() ? tip : withKey(tip, tool.keys.front()));
        button->setAccessibleName(tip);
        if (!tool.keys.isEmpty())
            addCommand(tool.keys, [button] { button->click(); });
    }
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        const QString letter(QChar(u'A' + slot));
        const QKeySequence key(Qt::CTRL | (Qt::Key_1 + slot));
        const QString show = tr("Show slot %1").arg(letter);
        m_setButtons[slot]->setToolTip(withKey(show, key));
        m_setButtons[slot]->setAccessibleName(show);
        m_setButtons[slot]->setAccessibleDescription(tr("The menu key or a right-click offers the slot's tileset "
                                                        "commands"));
        m_transButtons[slot]->setToolTip(tr("Transparency of slot %1").arg(letter));
        m_transButtons[slot]->setAccessibleName(m_transButtons[slot]->toolTip());
        m_loadButtons[slot]->setToolTip(tr("Load a tileset into slot %1").arg(letter));
        m_loadButtons[slot]->setAccessibleName(m_loadButtons[slot]->toolTip());
        addCommand({key}, [this, slot] { showSlot(slot); });
    }

    addCommand({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}, [this] { printSheets(); });
    addCommand({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, [this] { saveMaptileAs(); });
    // Always enabled: a disabled one would hand its keys to a text box's own undo.
    addCommand(QKeySequence::keyBindings(QKeySequence::Undo), [this] { m_workspace.undo(); });
    addCommand({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
               [this] { m_workspace.redo(); });
    // The buttons' subtiles turn and mirror from anywhere but a text box, which takes the letters as text.
    const std::pair<QKeySequence, Orientation::Turn> turns[] = {
        {QKeySequence(Qt::Key_Z), Orientation::TurnRight},
        {QKeySequence(Qt::SHIFT | Qt::Key_Z), Orientation::TurnLeft},
        {QKeySequence(Qt::Key_X), Orientation::MirrorLeftRight},
        {QKeySequence(Qt::Key_Y), Orientation::MirrorTopBottom}};
    for (const auto &[key, turn] : turns)
        addCommand({key}, [this, turn] { m_workspace.turnButtons(turn); });
    // Text boxes would take these keys for their own undo; the maptile's comes first.
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->installEventFilter(this);
}

void MainWindow::setTabOrders()
{
    // The toolbar from left to right; the maptile and the palette in front, where the keyboard
    // paints and picks; then the slot buttons row by row.
    QList<QWidget *> order(m_toolButtons.begin(), m_toolButtons.end());
    order << m_sizeList << m_mapNumBox << m_designerBox;
    std::stable_sort(order.begin(), order.end(), [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
    order << m_workingView;
    for (PaletteView *palette : m_palettes)
        order << palette;
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        order << m_setButtons[slot] << m_transButtons[slot] << m_loadButtons[slot];
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainWindow::acceptDrops(QWidget *target)
{
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

void MainWindow::dropFile(QWidget *target, const QString &path)
{
    // After the drop has returned: the source waits for it, and a message may follow.
    QTimer::singleShot(0, this, [this, target, path] {
        if (auto *palette = qobject_cast<PaletteView *>(target))
            loadTilesetFile(palette->slot(), path);
        else
            openMaptileFile(path);
    });
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A press on the size icon moves the focus to the size list.
        if (watched == m_sizeIcon)
            m_sizeList->setFocus(Qt::MouseFocusReason);
        break;
    case QEvent::Wheel:
        if (watched == m_sizeList)
            return true;
        break;
    case QEvent::ShortcutOverride: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeyCombination combination = key->keyCombination();
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
            || combination == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z)
            || combination == QKeyCombination(Qt::CTRL, Qt::Key_Y))
            return true;
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        // Documents open as the maptile; a palette takes only tilesets.
        if (DroppedImage::path(drag->mimeData(), watched == m_workingView).isEmpty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = DroppedImage::path(drop->mimeData(), watched == m_workingView);
        if (path.isEmpty())
            return true;
        drop->acceptProposedAction();
        // With Ctrl held, a picture dropped on a palette goes into the cell under the pointer.
        if (auto *palette = qobject_cast<PaletteView *>(watched); palette && drop->modifiers() & Qt::ControlModifier) {
            const QPoint cell = PaletteView::cellAt(drop->position());
            QTimer::singleShot(0, this,
                               [this, slot = palette->slot(), cell, path] { importSubtileFile(slot, cell, path); });
        } else {
            dropFile(static_cast<QWidget *>(watched), path);
        }
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
