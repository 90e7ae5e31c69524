#include "mainwindow/MainWindow.h"

#include "control/PictureLoad.h"
#include "dialogs/FileDialogs.h"
#include "dialogs/LoadProgress.h"
#include "mainwindow/FileDrops.h"
#include "mainwindow/GuideHints.h"
#include "mainwindow/SecondaryWindows.h"
#include "mainwindow/SlotWidgets.h"
#include "mainwindow/ToolbarWidgets.h"
#include "resources/BuiltInPicture.h"
#include "setwindow/SetWindow.h"
#include "views/ButtonPictureView.h"
#include "views/PaletteView.h"
#include "views/UiFonts.h"
#include "views/WorkingView.h"
#include "viewscale/ScaledWindow.h"
#include "workspace/SubtilePicker.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QToolButton>

#include <algorithm>

MainWindow::MainWindow(const QStringList &tilesetFolders, QWidget *parent)
    : QWidget(parent)
    , m_tilesetFolders(tilesetFolders)
    , m_questions(this)
    , m_loads(m_questions)
    , m_maptile(m_workspace, m_questions, m_loads, m_tilesetFolders)
    , m_tilesets(m_workspace, m_questions, m_loads, m_tilesetFolders)
    , m_quit(m_workspace, m_questions, m_maptile, m_tilesets)
    , m_recovery(m_workspace, m_questions, m_loads)
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

    m_toolbar = std::make_unique<ToolbarWidgets>(m_workspace, m_icons, this);
    m_toolbar->sizeIcon()->installEventFilter(this);
    m_toolbar->sizeList()->installEventFilter(this);
    buildGuide();
    for (int picture = 0; picture < Workspace::ButtonCount; ++picture) {
        m_buttonPictures[picture] = new ButtonPictureView(m_workspace, picture, this);
        m_buttonPictures[picture]->move(188 + 52 * picture, 32);
    }
    m_workingView = new WorkingView(m_workspace, this);
    m_workingView->move(344, 32);
    m_slots = new SlotWidgets(m_workspace, m_icons, this);
    m_windows = std::make_unique<SecondaryWindows>(m_workspace, m_loads, *m_slots, this);
    showSlot(frontSlot());

    connectCommands();
    connectSlots();
    connectHints();
    addShortcuts();
    setTabOrders();
    auto *drops = new FileDrops(m_maptile, m_tilesets, m_workingView, this);
    drops->watch(m_workingView);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        drops->watch(palette(slot));
    connect(&m_loads, &ReaderLoads::started, this, &MainWindow::showProgress);
    connect(&m_workspace, &Workspace::modificationChanged, this, &MainWindow::updateTitle);
    connect(&m_workspace, &Workspace::documentPathChanged, this, &MainWindow::updateTitle);
    // At its scale before it is placed on the screen.
    m_scaler.follow(this);
}

MainWindow::~MainWindow()
{
    // The set window goes while the maptile it reports to still exists.
    delete m_setWindow;
    // Nothing of the reading outlives the window: loads end with it, and the process kept for reading too.
    PictureReader::endWaiting();
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
    // After the defaults, so that a slot whose own file fails keeps its default.
    m_tilesets.loadAtStart();
    m_toolbar->selectLargestSize();
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        palette(slot)->showSetInfo();
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

void MainWindow::connectCommands()
{
    using Tool = ToolbarWidgets::Tool;
    const std::pair<Tool, std::function<void()>> commands[] = {
        {Tool::Clear, [this] { clearMaptile(); }},     {Tool::Open, [this] { m_maptile.open(); }},
        {Tool::Save, [this] { m_maptile.save(); }},    {Tool::Preview, [this] { showPreview(); }},
        {Tool::Print, [this] { m_windows->print(); }}, {Tool::Options, [this] { m_windows->openOptions(); }},
        {Tool::Fill, [this] { m_workspace.fill(); }},  {Tool::Info, [this] { m_windows->openInfo(); }}};
    for (const auto &[tool, run] : commands)
        connect(m_toolbar->button(tool), &QToolButton::clicked, this, run);
    // A right-click on the save button offers Save As.
    QToolButton *save = m_toolbar->button(Tool::Save);
    save->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(save, &QWidget::customContextMenuRequested, this, [this, save](QPoint at) {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("SaveMenu"));
        QAction *saveAs = menu.addAction(tr("Save As\u2026"), this, [this] { m_maptile.saveAs(); });
        saveAs->setObjectName(QStringLiteral("mnuSaveAs"));
        saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        menu.exec(save->mapToGlobal(at));
    });
    QToolButton *info = m_toolbar->button(Tool::Info);
    info->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(info, &QWidget::customContextMenuRequested, this, &MainWindow::showScaleMenu);
    // ... and on the open button, Open Set.
    QToolButton *open = m_toolbar->button(Tool::Open);
    open->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(open, &QWidget::customContextMenuRequested, this, [this, open](QPoint at) {
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("OpenMenu"));
        QAction *openSet = menu.addAction(tr("Open Set\u2026"), this, &MainWindow::openSet);
        openSet->setObjectName(QStringLiteral("mnuOpenSet"));
        openSet->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
        menu.exec(open->mapToGlobal(at));
    });
    // Picking the size already shown applies it again, so react to every activation.
    connect(m_toolbar->sizeList(), &QComboBox::activated, this, &MainWindow::applySelectedSize);
}

void MainWindow::openSet()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("Open Set"), m_setWindow ? m_setWindow->folder() : QString());
    if (!folder.isEmpty())
        showSet(folder);
}

SetWindow *MainWindow::setWindow() const
{
    return m_setWindow;
}

SetWindow *MainWindow::showSet(const QString &folder)
{
    // One set at a time: another folder takes the window's place, and its folder stays preferred.
    if (m_setWindow) {
        disconnect(m_setWindow, &QObject::destroyed, this, nullptr);
        m_setWindow->close();
    }
    m_setWindow = new SetWindow(folder, this);
    m_setWindow->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_setWindow, &SetWindow::openRequested, this, [this](const QString &path) {
        activateWindow();
        raise();
        m_maptile.openFile(path);
    });
    m_setWindow->setTilesetChooser([this] { return FileDialogs::showOpen(m_setWindow, FileDialogs::tilesetFilter()); });
    // Where used asks for the cell outlined on the palette in front when it is pressed.
    m_setWindow->setOutlinedSubtile([this]() -> std::optional<WhereUsed> {
        const TilesetSlot &slot = m_workspace.slot(frontSlot());
        if (slot.isEmpty())
            return std::nullopt;
        return WhereUsed(slot.path(), slot.tileData(), slot.outlineCell);
    });
    // While the set is open, a new maptile is offered a place in it.
    m_maptile.setPreferredFolder(m_setWindow->folder());
    // The window's pointer is not cleared yet while it is destroyed, so no test on it here.
    connect(m_setWindow, &QObject::destroyed, this, [this] { m_maptile.setPreferredFolder({}); });
    m_setWindow->show();
    return m_setWindow;
}

void MainWindow::connectSlots()
{
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        connect(palette(slot), &PaletteView::doubleClicked, this, [this, slot] { m_windows->openEditor(slot); });
        connect(palette(slot), &PaletteView::pasteRequested, this,
                [this, slot] { m_tilesets.paste(slot, QApplication::clipboard()->mimeData()); });
        // A right-click or the menu key offers the slot's tileset commands.
        connect(m_slots->setButton(slot), &QWidget::customContextMenuRequested, this,
                [this, slot](QPoint at) { showSlotMenu(slot, at); });
        connect(m_slots->loadButton(slot), &QToolButton::clicked, this, [this, slot] { m_tilesets.load(slot); });
        connect(m_slots->transButton(slot), &QToolButton::clicked, this,
                [this, slot] { m_windows->openTransparency(slot); });
    }
    connect(&m_tilesets, &TilesetControl::showSlotRequested, this, &MainWindow::showSlot);
}

void MainWindow::connectHints()
{
    m_hints = new GuideHints(m_guideLabel, this);
    m_questions.setGuide(m_hints);
    const QList<QToolButton *> &tools = m_toolbar->buttons();
    for (qsizetype i = 0; i < tools.size(); ++i)
        m_hints->onHover(tools[i], ToolbarWidgets::toolButtons()[i].hint);
    m_hints->onHover(m_toolbar->sizeIcon(), GuideHints::Size);
    m_hints->onFocus(m_toolbar->sizeList(), GuideHints::Size);
    m_hints->onHover(m_toolbar->mapNumBox(), GuideHints::MapNum);
    m_hints->onHover(m_toolbar->designerBox(), GuideHints::Designer);
    m_hints->onHover(m_buttonPictures[Workspace::Left], GuideHints::LeftButton);
    m_hints->onHover(m_buttonPictures[Workspace::Middle], GuideHints::MiddleButton);
    m_hints->onHover(m_buttonPictures[Workspace::Right], GuideHints::RightButton);
    m_hints->onHover(m_guidePicture, GuideHints::Guide);
    m_hints->onHover(m_workingView, GuideHints::WorkingView);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        m_hints->onHover(m_slots->setButton(slot), GuideHints::SetButton);
        m_hints->onHover(m_slots->loadButton(slot), GuideHints::LoadSet);
        m_hints->onHover(m_slots->transButton(slot), GuideHints::Transparency);
        m_hints->onHover(palette(slot), GuideHints::Palette);
        m_hints->onFocus(palette(slot), GuideHints::Variation);
    }
    m_hints->clearOver(this);
    m_hints->clearOver(m_toolbar->strip());
    // At a larger view size the window's background is the scaled page, made anew at each change.
    m_hints->clearOver(ScaledWindow::content(this));
    connect(&m_scale, &ViewScale::changed, m_hints, [this] { m_hints->clearOver(ScaledWindow::content(this)); });
}

void MainWindow::addShortcuts()
{
    const auto addCommand = [this](const QList<QKeySequence> &keys, const std::function<void()> &run) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, run);
        addAction(action);
    };
    for (qsizetype i = 0; i < m_toolbar->buttons().size(); ++i) {
        const QList<QKeySequence> &keys = ToolbarWidgets::toolButtons()[i].keys;
        if (!keys.isEmpty())
            addCommand(keys, [button = m_toolbar->buttons()[i]] { button->click(); });
    }
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        addCommand({QKeySequence(Qt::CTRL | (Qt::Key_1 + slot))}, [this, slot] { showSlot(slot); });

    // Ctrl+= is where Ctrl+Plus is without Shift on many keyboards.
    addCommand({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
               [this] { m_scale.stepUp(); });
    addCommand({QKeySequence(Qt::CTRL | Qt::Key_Minus)}, [this] { m_scale.stepDown(); });
    addCommand({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}, [this] { m_windows->printSheets(); });
    addCommand({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}, [this] { m_maptile.saveAs(); });
    addCommand({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)}, [this] { openSet(); });
    // Always enabled: a disabled one would hand its keys to a text box's own undo.
    addCommand(QKeySequence::keyBindings(QKeySequence::Undo), [this] { m_workspace.undo(); });
    addCommand({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
               [this] { m_workspace.redo(); });
    // The buttons' subtiles turn, mirror and take random turns from anywhere but a text box, which takes
    // the letters as text.
    const std::pair<QKeySequence, Orientation::Turn> turns[] = {
        {QKeySequence(Qt::Key_Z), Orientation::TurnRight},
        {QKeySequence(Qt::SHIFT | Qt::Key_Z), Orientation::TurnLeft},
        {QKeySequence(Qt::Key_X), Orientation::MirrorLeftRight},
        {QKeySequence(Qt::Key_Y), Orientation::MirrorTopBottom}};
    for (const auto &[key, turn] : turns)
        addCommand({key}, [this, turn] { m_workspace.turnButtons(turn); });
    addCommand({QKeySequence(Qt::Key_I)}, [this] { pickSubtile(); });
    addCommand({QKeySequence(Qt::Key_R)}, [this] { m_workspace.setRandomTurns(!m_workspace.randomTurns()); });
    // Text boxes would take these keys for their own undo; the maptile's comes first.
    for (QLineEdit *edit : findChildren<QLineEdit *>())
        edit->installEventFilter(this);
}

void MainWindow::setTabOrders()
{
    // The toolbar from left to right; the maptile and the palette in front, where the keyboard
    // paints and picks; then the slot buttons row by row.
    QList<QWidget *> order(m_toolbar->buttons().begin(), m_toolbar->buttons().end());
    order << m_toolbar->sizeList() << m_toolbar->mapNumBox() << m_toolbar->designerBox();
    std::stable_sort(order.begin(), order.end(), [](const QWidget *a, const QWidget *b) { return a->x() < b->x(); });
    order << m_workingView;
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        order << palette(slot);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        order << m_slots->setButton(slot) << m_slots->transButton(slot) << m_slots->loadButton(slot);
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainWindow::showProgress(PictureLoad *load)
{
    connect(load, &PictureLoad::slow, this, [this, load] {
        auto *progress = new LoadProgress(QFileInfo(load->path()).fileName(), this);
        connect(progress, &QDialog::rejected, load, &PictureLoad::cancel);
        const auto close = [progress] {
            progress->hide();
            progress->deleteLater();
        };
        connect(load, &PictureLoad::stopped, progress, close);
        connect(load, &QObject::destroyed, progress, close);
        progress->show();
    });
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

PaletteView *MainWindow::palette(int slot) const
{
    return m_slots->palette(slot);
}

int MainWindow::frontSlot() const
{
    return m_slots->frontSlot();
}

void MainWindow::showSlot(int slot)
{
    m_slots->showSlot(slot);
}

void MainWindow::applySelectedSize()
{
    const QSize size = m_toolbar->selectedSize();
    m_workspace.setSize(size.width(), size.height());
}

void MainWindow::clearMaptile()
{
    const QSize size = m_toolbar->selectedSize();
    m_maptile.clear(size.width(), size.height());
}

void MainWindow::loadTilesetFile(int slot, const QString &path)
{
    m_tilesets.loadFile(slot, path);
}

void MainWindow::openMaptileFile(const QString &path)
{
    m_maptile.openFile(path);
}

void MainWindow::showPreview()
{
    m_windows->showPreview();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_quit.mayQuit()) {
        event->ignore();
        return;
    }
    event->accept();
    m_recovery.end();
    emit closed();
}

void MainWindow::showSlotMenu(int slot, QPoint at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("SlotMenu"));
    const auto entry = [&menu](const QString &text, const QString &name, const std::function<void()> &run) {
        QAction *action = menu.addAction(text);
        action->setObjectName(name);
        connect(action, &QAction::triggered, action, run);
        return action;
    };
    entry(tr("Load tileset\u2026"), QStringLiteral("mnuLoadTileset"), [this, slot] { m_tilesets.load(slot); });
    entry(tr("Transparency\u2026"), QStringLiteral("mnuTransparency"),
          [this, slot] { m_windows->openTransparency(slot); });
    entry(tr("Tileset properties\u2026"), QStringLiteral("mnuTilesetProperties"),
          [this, slot] { m_windows->openTilesetProperties(slot); });
    entry(tr("Save tileset as\u2026"), QStringLiteral("mnuSaveTileset"), [this, slot] { m_tilesets.saveAs(slot); });
    QAction *edit = entry(tr("Edit subtile\u2026"), QStringLiteral("mnuEditSubtile"), [this, slot] {
        showSlot(slot);
        m_windows->openEditor(slot);
    });
    // The guide names the other way there too: a double-click on the palette.
    connect(edit, &QAction::hovered, m_hints, [this] { m_hints->show(GuideHints::EditSubtile); });
    QAction *atStart = entry(tr("Load at start"), QStringLiteral("mnuLoadAtStart"),
                             [this, slot] { m_tilesets.setLoadAtStart(slot, !TilesetControl::loadsAtStart(slot)); });
    atStart->setCheckable(true);
    atStart->setChecked(TilesetControl::loadsAtStart(slot));
    menu.addSeparator();
    entry(tr("New empty tileset"), QStringLiteral("mnuNewTileset"), [this, slot] { m_tilesets.newEmpty(slot); });
    menu.addSeparator();
    entry(tr("Update maptile from this tileset"), QStringLiteral("mnuUpdateMaptile"),
          [this, slot] { updateMaptileFrom(slot); });
    menu.exec(m_slots->setButton(slot)->mapToGlobal(at));
}

void MainWindow::pickSubtile()
{
    const bool pointed = m_workingView->underMouse() || m_workingView->hasFocus();
    const SubtilePicker::Result picked =
        SubtilePicker::pick(m_workspace, pointed ? m_workingView->currentSpace() : QPoint(-1, -1));
    const QString letter = QChar(u'A' + picked.slot);
    switch (picked.outcome) {
    case SubtilePicker::Picked:
        m_hints->showText(
            tr("The left button lays the subtile again, from tileset \"%1\" in slot %2.").arg(picked.tileset, letter));
        break;
    case SubtilePicker::TakenIntoSlot:
        showSlot(picked.slot);
        m_hints->showText(tr("No slot held tileset \"%1\": the maptile's own copy of it is now in slot %2, "
                             "and the left button lays the subtile again.")
                              .arg(picked.tileset, letter));
        break;
    case SubtilePicker::OnlyBase:
        m_hints->showText(tr("Nothing to pick here: this space holds no subtile on record, only what the "
                             "maptile was opened or started with."));
        break;
    case SubtilePicker::OutsideMaptile:
        m_hints->showText(tr("Point at a space of the maptile, then press I to pick the subtile on top of it."));
        break;
    case SubtilePicker::NoSlotFree:
        m_hints->showText(tr("Cannot pick this subtile: no slot holds tileset \"%1\", and slots E to H are all "
                             "in use. Load the tileset into a slot, then press I again.")
                              .arg(picked.tileset));
        break;
    }
}

void MainWindow::updateMaptileFrom(int slot)
{
    const int spaces = m_workspace.updateFromSlot(slot);
    const QString name = m_workspace.slot(slot).tileData().setName.isEmpty()
        ? QFileInfo(m_workspace.slot(slot).path()).fileName()
        : m_workspace.slot(slot).tileData().setName;
    m_hints->showText(spaces > 0 ? tr("Spaces laid again from tileset \"%1\": %2.").arg(name).arg(spaces)
                                 : tr("No space of the maptile was laid from tileset \"%1\".").arg(name));
}

void MainWindow::showScaleMenu(QPoint at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ScaleMenu"));
    menu.setAccessibleName(tr("View size"));
    auto *group = new QActionGroup(&menu);
    for (const int percent : ViewScale::Percents) {
        QAction *action = menu.addAction(tr("%1 %").arg(percent));
        action->setObjectName(QStringLiteral("mnuScale%1").arg(percent));
        action->setCheckable(true);
        action->setChecked(percent == m_scale.percent());
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, percent] { m_scale.setPercent(percent); });
    }
    QToolButton *info = m_toolbar->button(ToolbarWidgets::Info);
    menu.exec(info->mapToGlobal(at));
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A press on the size icon moves the focus to the size list.
        if (watched == m_toolbar->sizeIcon())
            m_toolbar->sizeList()->setFocus(Qt::MouseFocusReason);
        break;
    case QEvent::Wheel:
        if (watched == m_toolbar->sizeList())
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
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
