#include "MainWindowFixture.h"

#include "maptile/WorkingView.h"
#include "tilesets/PaletteView.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

using namespace MainWindowFixture;

namespace {

const QString ClearQuestion = QStringLiteral(
    "The current maptile has had changes made to it.\nDo you still wish to clear the tile?");
const QString QuitQuestion = QStringLiteral(
    "The current maptile has had changes made to it.\nDo you still wish to quit?");

QWidget *control(const MainWindow &window, const QString &name)
{
    const QList<QWidget *> found = window.findChildren<QWidget *>(name);
    return found.size() == 1 ? found.first() : nullptr;
}

// The palette the user sees at a point of the window.
int paletteSlotAt(const MainWindow &window, QPoint point)
{
    for (QWidget *w = window.childAt(point); w; w = w->parentWidget()) {
        if (auto *palette = qobject_cast<PaletteView *>(w))
            return palette->slot();
    }
    return -1;
}

bool allPixels(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != (colour | 0xff000000u))
                return false;
    return true;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void controlsLieWhereTheLayoutPutsThem_data();
    void controlsLieWhereTheLayoutPutsThem();
    void windowIsFixedAndTitled();
    void startUpLeavesAFreshMaptile();
    void slotHIsInFrontAndLetterButtonsBringEachPaletteForward();
    void previewBoxLiesInFrontOfEverything();

    void sizeItemsGiveTheirImageSizes_data();
    void sizeItemsGiveTheirImageSizes();
    void pickingTheCurrentSizeRedrawsWithoutMarkingAChange();
    void sizeChangesKeepSpeedValuesOutsideTheMaptile();

    void clearDoesNothingOnAnUnchangedMaptile();
    void clearAskedAndConfirmedBlanksEverything();
    void clearAnsweredNoKeepsTheMaptile();
    void closingWithChangesAsksAndNoKeepsTheWindowOpen();
    void closingUnchangedWorkEndsAtOnce();

    void missingDefaultIsReportedOnceByName_data();
    void missingDefaultIsReportedOnceByName();
    void withNoDefaultsEachIsReportedInSlotOrder();

    void toolbarButtonsShowTheirIcons();
    void toolbarIsFaceGreyWithItsCaptionReadable();

private:
    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_layoutWindow;
};

void TestMainWindow::initTestCase()
{
    setUpApplication();
    QVERIFY(m_defaults.isValid());
    writeDefaults(m_defaults.path());
    // The layout rows only look, so they share one started window; it stays
    // hidden, out of the way of the pointer of the other tests.
    m_layoutWindow = std::make_unique<MainWindow>();
    m_layoutWindow->startUp({m_defaults.path()});
}

void TestMainWindow::controlsLieWhereTheLayoutPutsThem_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");

    auto row = [](const QString &name, const QString &parent, QRect geometry) {
        QTest::newRow(qPrintable(name)) << parent << geometry;
    };
    const QString form = QStringLiteral("Form1");
    const QString toolbar = QStringLiteral("Picture1");

    row(QStringLiteral("Picture1"), form, {0, 0, 588, 25});
    const char *tools[] = {"cmdClear", "cmdOpen", "Command5", "Command6", "cmdPrint", "cmdOptions"};
    for (int i = 0; i < 6; ++i)
        row(QLatin1String(tools[i]), toolbar, {24 * i, 0, 24, 24});
    row(QStringLiteral("Image2"), toolbar, {152, 4, 16, 16});
    row(QStringLiteral("cboSize"), toolbar, {172, 2, 57, 21});
    row(QStringLiteral("Image3"), toolbar, {236, 4, 16, 16});
    row(QStringLiteral("txtMapNum"), toolbar, {256, 2, 33, 21});
    row(QStringLiteral("Label1"), toolbar, {296, 6, 101, 17});
    row(QStringLiteral("txtDesigner"), toolbar, {400, 2, 133, 21});
    row(QStringLiteral("Command2"), toolbar, {564, 0, 24, 24});
    row(QStringLiteral("Line2"), form, {0, 26, 588, 1});
    row(QStringLiteral("Image1"), form, {2, 30, 184, 50});
    row(QStringLiteral("lblDude"), form, {47, 34, 134, 42});
    row(QStringLiteral("picLeft"), form, {188, 32, 48, 48});
    row(QStringLiteral("picMiddle"), form, {240, 32, 48, 48});
    row(QStringLiteral("picRight"), form, {292, 32, 48, 48});
    row(QStringLiteral("picMapTile"), form, {344, 32, 240, 288});
    row(QStringLiteral("shpTile"), QStringLiteral("picMapTile"), {0, 0, 48, 48});
    row(QStringLiteral("cboNum"), QStringLiteral("picMapTile"), {32, 104, 45, 21});
    row(QStringLiteral("picTilePrev"), form, {88, 99, 93, 93});
    row(QStringLiteral("Shape1"), QStringLiteral("picTilePrev"), {0, 0, 93, 93});

    const int setX[] = {4, 92, 176, 260}, setWidth[] = {43, 39, 39, 39};
    const int transX[] = {46, 130, 214, 298}, loadX[] = {66, 150, 234, 318};
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        const QString palette = QStringLiteral("picTileSet%1").arg(slot);
        const int y = slot < 4 ? 279 : 301;
        row(palette, form, {4, 84, 336, 192});
        row(QStringLiteral("shpSelect%1").arg(slot), palette, {0, 0, 48, 48});
        // Labels sized to their text: only their place is fixed.
        row(QStringLiteral("lblSetInfo%1").arg(slot), palette, {0, 184, 0, 0});
        row(QStringLiteral("Label%1").arg(slot < 4 ? 4 + slot : 5 + slot), palette, {0, 0, 0, 0});
        row(QStringLiteral("cmdSet%1").arg(slot), form, {setX[slot % 4], y, setWidth[slot % 4], 21});
        row(QStringLiteral("cmdTrans%1").arg(slot), form, {transX[slot % 4], y, 21, 21});
        row(QStringLiteral("cmdLoadSet%1").arg(slot), form, {loadX[slot % 4], y, 21, 21});
    }
}

void TestMainWindow::controlsLieWhereTheLayoutPutsThem()
{
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QWidget *widget = control(*m_layoutWindow, QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY2(widget, "missing, or its name is not unique");
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    if (geometry.isEmpty()) {
        QCOMPARE(widget->pos(), geometry.topLeft());
        QVERIFY(!widget->size().isEmpty());
    } else {
        QCOMPARE(widget->geometry(), geometry);
    }
}

void TestMainWindow::windowIsFixedAndTitled()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    QCOMPARE(window->objectName(), QStringLiteral("Form1"));
    QCOMPARE(window->windowTitle(), QStringLiteral("Cryptwright"));
    QCOMPARE(window->size(), QSize(588, 325));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->grab().toImage().pixel(586, 323), qRgb(0, 0, 0));

    QVERIFY(control(*window, QStringLiteral("cboNum"))->isHidden());
    QVERIFY(control(*window, QStringLiteral("picTilePrev"))->isHidden());
    auto *sizes = qobject_cast<QComboBox *>(control(*window, QStringLiteral("cboSize")));
    QVERIFY(!sizes->isEditable());
    QCOMPARE(qobject_cast<QLineEdit *>(control(*window, QStringLiteral("txtMapNum")))->maxLength(), 2);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        QCOMPARE(qobject_cast<QPushButton *>(control(*window, QStringLiteral("cmdSet%1").arg(slot)))->text(),
                 QString(QChar(u'A' + slot)));
}

void TestMainWindow::startUpLeavesAFreshMaptile()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    Workspace &workspace = window->workspace();

    QCOMPARE(qobject_cast<QLabel *>(control(*window, QStringLiteral("lblDude")))->text(),
             QStringLiteral("Welcome to Cryptwright Version 1.00!"));
    QCOMPARE(qobject_cast<QComboBox *>(control(*window, QStringLiteral("cboSize")))->currentText(),
             QStringLiteral("5 x 6"));
    QVERIFY(!workspace.maptileChanged());
    QCOMPARE(workspace.maptile().master().size(), QSize(720, 864));
    QVERIFY(allPixels(workspace.maptile().master(), Geometry::blankColour()));

    // Left column 6 row 0, middle column 6 row 3, right column 1 row 1, all of slot A.
    const struct { int picture; const char *ref; int column, row; } buttons[] = {
        {Workspace::Left, "060", 6, 0}, {Workspace::Middle, "063", 6, 3}, {Workspace::Right, "011", 1, 1}};
    for (const auto &button : buttons) {
        QCOMPARE(workspace.buttonRef(button.picture).text(), QLatin1String(button.ref));
        QCOMPARE(workspace.buttonImage(button.picture).pixel(24, 24), subtileColour(0, button.column, button.row));
    }
    for (int slot = 0; slot < 4; ++slot)
        QCOMPARE(workspace.slot(slot).path(), QDir(m_defaults.path()).filePath(Workspace::DefaultTilesetNames[slot]));
    // Slots without a tileset show the blank colour without a grid.
    QVERIFY(allPixels(workspace.slot(5).palette(), Geometry::blankColour()));
}

void TestMainWindow::slotHIsInFrontAndLetterButtonsBringEachPaletteForward()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    const QPoint inPalette(4 + 170, 84 + 100);
    QCOMPARE(paletteSlotAt(*window, inPalette), 7);
    QCOMPARE(window->frontSlot(), 7);

    QSignalSpy redraws(&window->workspace(), &Workspace::redrawn);
    const QString leftRef = window->workspace().buttonRef(Workspace::Left).text();
    for (int slot : {5, 0, 3, 7, 1, 4, 2, 6}) {
        QTest::mouseClick(control(*window, QStringLiteral("cmdSet%1").arg(slot)), Qt::LeftButton);
        QCOMPARE(paletteSlotAt(*window, inPalette), slot);
        QCOMPARE(window->frontSlot(), slot);
    }
    // Showing a slot paints nothing and assigns nothing.
    QCOMPARE(redraws.count(), 0);
    QVERIFY(!window->workspace().maptileChanged());
    QCOMPARE(window->workspace().buttonRef(Workspace::Left).text(), leftRef);
}

void TestMainWindow::previewBoxLiesInFrontOfEverything()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    QWidget *preview = control(*window, QStringLiteral("picTilePrev"));
    PaletteView *palette = window->palette(0);
    QTest::mouseClick(control(*window, QStringLiteral("cmdSet0")), Qt::LeftButton);

    // On the bottom row the box reaches down over the slot buttons.
    QTest::mouseMove(palette, QPoint(10, 170));
    QTest::mousePress(palette, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 170));
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->geometry(), QRect(4, 200, 93, 93));
    const QPoint overLetterButton(20, 285);
    QVERIFY(preview->isAncestorOf(window->childAt(overLetterButton)) || window->childAt(overLetterButton) == preview);
    QTest::mouseRelease(palette, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 170));
    QVERIFY(preview->isHidden());

    // Bringing another palette forward later does not bury the box.
    QTest::mouseClick(control(*window, QStringLiteral("cmdSet1")), Qt::LeftButton);
    QTest::mousePress(window->palette(1), Qt::RightButton, Qt::ControlModifier, QPoint(100, 10));
    QWidget *atBox = window->childAt(preview->geometry().center());
    QVERIFY(atBox == preview || preview->isAncestorOf(atBox));
    QTest::mouseRelease(window->palette(1), Qt::RightButton, Qt::ControlModifier, QPoint(100, 10));
}

void TestMainWindow::sizeItemsGiveTheirImageSizes_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QSize>("spaces");
    for (int columns = 3; columns <= 5; ++columns)
        for (int rows = 3; rows <= 6; ++rows) {
            const QString item = QStringLiteral("%1 x %2").arg(columns).arg(rows);
            QTest::newRow(qPrintable(item)) << item << QSize(columns, rows);
        }
}

void TestMainWindow::sizeItemsGiveTheirImageSizes()
{
    QFETCH(QString, item);
    QFETCH(QSize, spaces);
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    auto *sizes = qobject_cast<QComboBox *>(control(*window, QStringLiteral("cboSize")));
    QCOMPARE(sizes->count(), 12);
    QCOMPARE(sizes->itemText(4 * (spaces.width() - 3) + spaces.height() - 3), item);

    pickFromList(sizes, item);
    const Workspace &workspace = window->workspace();
    QCOMPARE(window->workingView()->size(), spaces * 48);
    QCOMPARE(workspace.workingView().size(), spaces * 48);
    QCOMPARE(workspace.maptile().master().size(), spaces * 144);
    QCOMPARE(workspace.preview().size(), spaces * 144);
    QCOMPARE(workspace.maptileChanged(), spaces != QSize(5, 6));
}

void TestMainWindow::pickingTheCurrentSizeRedrawsWithoutMarkingAChange()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    Workspace &workspace = window->workspace();
    auto *sizes = qobject_cast<QComboBox *>(control(*window, QStringLiteral("cboSize")));
    QSignalSpy redraws(&workspace, &Workspace::redrawn);

    pickFromList(sizes, QStringLiteral("5 x 6"));
    QCOMPARE(redraws.count(), 1);
    QVERIFY(!workspace.maptileChanged());

    pickFromList(sizes, QStringLiteral("3 x 4"));
    QVERIFY(workspace.maptileChanged());
    MessageBoxAnswerer yes(QMessageBox::Yes);
    QTest::mouseClick(control(*window, QStringLiteral("cmdClear")), Qt::LeftButton);
    QVERIFY(!workspace.maptileChanged());

    redraws.clear();
    pickFromList(sizes, QStringLiteral("3 x 4"));
    QCOMPARE(redraws.count(), 1);
    QVERIFY(!workspace.maptileChanged());
    QCOMPARE(workspace.maptile().master().size(), QSize(432, 576));

    // Either dimension alone counts as a change.
    pickFromList(sizes, QStringLiteral("3 x 5"));
    QVERIFY(workspace.maptileChanged());
    workspace.setMaptileChanged(false);
    pickFromList(sizes, QStringLiteral("4 x 5"));
    QVERIFY(workspace.maptileChanged());
}

void TestMainWindow::sizeChangesKeepSpeedValuesOutsideTheMaptile()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    Workspace &workspace = window->workspace();
    auto *sizes = qobject_cast<QComboBox *>(control(*window, QStringLiteral("cboSize")));
    workspace.chooseSpeedValue(QPoint(4, 5), QStringLiteral("1/T"));

    pickFromList(sizes, QStringLiteral("3 x 3"));
    QCOMPARE(workspace.maptile().speedValue(4, 5), QStringLiteral("1/T"));
    pickFromList(sizes, QStringLiteral("5 x 6"));
    QCOMPARE(workspace.maptile().speedValue(4, 5), QStringLiteral("1/T"));
}

void TestMainWindow::clearDoesNothingOnAnUnchangedMaptile()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    QSignalSpy redraws(&window->workspace(), &Workspace::redrawn);
    MessageBoxAnswerer yes(QMessageBox::Yes);
    // A box would hold the click until answered, so none came if none is recorded.
    QTest::mouseClick(control(*window, QStringLiteral("cmdClear")), Qt::LeftButton);
    QVERIFY(yes.texts.isEmpty());
    QCOMPARE(redraws.count(), 0);
}

void TestMainWindow::clearAskedAndConfirmedBlanksEverything()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    Workspace &workspace = window->workspace();
    workspace.place(Workspace::LeftButton, QPoint(0, 0));
    workspace.chooseSpeedValue(QPoint(4, 5), QStringLiteral("3"));
    workspace.chooseSpeedValue(QPoint(1, 1), QStringLiteral("X"));
    // The clear covers spaces outside a smaller maptile too.
    pickFromList(qobject_cast<QComboBox *>(control(*window, QStringLiteral("cboSize"))), QStringLiteral("3 x 3"));

    MessageBoxAnswerer yes(QMessageBox::Yes);
    QTest::mouseClick(control(*window, QStringLiteral("cmdClear")), Qt::LeftButton);
    QCOMPARE(yes.texts, QStringList{ClearQuestion});
    QCOMPARE(yes.titles, QStringList{QStringLiteral("Cryptwright")});
    QCOMPARE(yes.buttons.value(0), QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(yes.defaults.value(0), QMessageBox::Yes);
    QCOMPARE(yes.icons.value(0), QMessageBox::NoIcon);

    QVERIFY(!workspace.maptileChanged());
    QCOMPARE(workspace.maptile().master().size(), QSize(432, 432));
    QVERIFY(allPixels(workspace.maptile().master(), Geometry::blankColour()));
    for (int column = 0; column < 5; ++column)
        for (int row = 0; row < 6; ++row)
            QVERIFY(workspace.maptile().speedValue(column, row).isEmpty());
}

void TestMainWindow::clearAnsweredNoKeepsTheMaptile()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    Workspace &workspace = window->workspace();
    workspace.place(Workspace::RightButton, QPoint(2, 3));
    workspace.chooseSpeedValue(QPoint(2, 3), QStringLiteral("2"));
    const QImage before = workspace.maptile().master();

    MessageBoxAnswerer no(QMessageBox::No);
    QTest::mouseClick(control(*window, QStringLiteral("cmdClear")), Qt::LeftButton);
    QCOMPARE(no.texts, QStringList{ClearQuestion});
    QVERIFY(workspace.maptileChanged());
    QCOMPARE(workspace.maptile().master(), before);
    QCOMPARE(workspace.maptile().speedValue(2, 3), QStringLiteral("2"));
}

void TestMainWindow::closingWithChangesAsksAndNoKeepsTheWindowOpen()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    QSignalSpy closed(window.get(), &MainWindow::closed);
    qobject_cast<QLineEdit *>(control(*window, QStringLiteral("txtDesigner")))->setText(QStringLiteral("Ann"));
    QVERIFY(window->workspace().maptileChanged());

    {
        MessageBoxAnswerer no(QMessageBox::No);
        QVERIFY(!window->close());
        QCOMPARE(no.texts, QStringList{QuitQuestion});
        QCOMPARE(no.titles, QStringList{QStringLiteral("Cryptwright")});
    }
    QVERIFY(window->isVisible());
    QCOMPARE(closed.count(), 0);
    QCOMPARE(window->workspace().designerText(), QStringLiteral("Ann"));

    MessageBoxAnswerer yes(QMessageBox::Yes);
    QVERIFY(window->close());
    QCOMPARE(yes.texts.size(), 1);
    QVERIFY(!window->isVisible());
    QCOMPARE(closed.count(), 1);
}

void TestMainWindow::closingUnchangedWorkEndsAtOnce()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    QSignalSpy closed(window.get(), &MainWindow::closed);
    MessageBoxAnswerer no(QMessageBox::No);
    QVERIFY(window->close());
    QVERIFY(no.texts.isEmpty());
    QCOMPARE(closed.count(), 1);
}

void TestMainWindow::missingDefaultIsReportedOnceByName_data()
{
    QTest::addColumn<int>("missing");
    for (int slot = 0; slot < 4; ++slot)
        QTest::newRow(qPrintable(Workspace::DefaultTilesetNames[slot])) << slot;
}

void TestMainWindow::missingDefaultIsReportedOnceByName()
{
    QFETCH(int, missing);
    QTemporaryDir folder;
    writeDefaults(folder.path(), missing);

    MainWindow window;
    {
        MessageBoxAnswerer ok(QMessageBox::Ok);
        window.startUp({folder.path()});
        QCOMPARE(ok.texts.size(), 1);
        QVERIFY2(ok.texts[0].contains(Workspace::DefaultTilesetNames[missing]), qPrintable(ok.texts[0]));
        QVERIFY2(ok.texts[0].contains(QStringLiteral("does not exist")), qPrintable(ok.texts[0]));
        QCOMPARE(ok.titles[0], QStringLiteral("Cryptwright"));
        QCOMPARE(ok.buttons[0], QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(ok.icons[0], QMessageBox::NoIcon);
    }

    const Workspace &workspace = window.workspace();
    for (int slot = 0; slot < 4; ++slot) {
        const QImage &palette = workspace.slot(slot).palette();
        if (slot == missing) {
            // Only the grid over the blank colour.
            QVERIFY(workspace.slot(slot).path().isEmpty());
            QCOMPARE(palette.pixel(24, 24), Geometry::blankColour() | 0xff000000u);
            QCOMPARE(palette.pixel(0, 0), qRgb(4, 2, 252));
        } else {
            QCOMPARE(palette.pixel(24, 24), subtileColour(slot, 0, 0));
        }
    }
    // Start-up still ends with a fresh 5 x 6 maptile.
    QVERIFY(!workspace.maptileChanged());
    QCOMPARE(workspace.maptile().master().size(), QSize(720, 864));
}

void TestMainWindow::withNoDefaultsEachIsReportedInSlotOrder()
{
    QTemporaryDir empty;
    MainWindow window;
    {
        MessageBoxAnswerer ok(QMessageBox::Ok);
        window.startUp({empty.path()});
        QCOMPARE(ok.texts.size(), 4);
        for (int slot = 0; slot < 4; ++slot)
            QVERIFY2(ok.texts[slot].contains(Workspace::DefaultTilesetNames[slot]), qPrintable(ok.texts[slot]));
    }
    const Workspace &workspace = window.workspace();
    const QRgb blank = Geometry::blankColour() | 0xff000000u;
    const QRgb gridLine = qRgb(4, 2, 252);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        QCOMPARE(workspace.slot(slot).palette().pixel(0, 0), slot < 4 ? gridLine : blank);
    // The buttons show their piece of slot A's grid.
    QCOMPARE(workspace.buttonImage(Workspace::Left).pixel(0, 0), gridLine);
    QCOMPARE(workspace.buttonImage(Workspace::Left).pixel(24, 24), blank);
    QCOMPARE(window.frontSlot(), 7);
    QCOMPARE(workspace.maptile().master().size(), QSize(720, 864));
    QVERIFY(!workspace.maptileChanged());
}

void TestMainWindow::toolbarButtonsShowTheirIcons()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    QStringList names{QStringLiteral("cmdClear"), QStringLiteral("cmdOpen"), QStringLiteral("Command5"),
                      QStringLiteral("Command6"), QStringLiteral("cmdPrint"), QStringLiteral("cmdOptions"),
                      QStringLiteral("Command2")};
    for (int slot = 0; slot < Geometry::SlotCount; ++slot)
        names << QStringLiteral("cmdTrans%1").arg(slot) << QStringLiteral("cmdLoadSet%1").arg(slot);

    for (const QString &name : names) {
        auto *button = qobject_cast<QToolButton *>(control(*window, name));
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(button->iconSize(), QSize(16, 16));
        QVERIFY2(!button->icon().isNull(), qPrintable(name));
        // Drawn: the middle of the button is not all one colour.
        const QImage face = button->grab().toImage();
        const QRect middle(face.width() / 2 - 6, face.height() / 2 - 6, 12, 12);
        QVERIFY2(!allPixels(face.copy(middle), face.pixel(middle.topLeft())), qPrintable(name));
    }
    for (const char *name : {"Image2", "Image3"}) {
        auto *icon = qobject_cast<QLabel *>(control(*window, QLatin1String(name)));
        QVERIFY2(!icon->pixmap().isNull(), name);
        QCOMPARE(icon->pixmap().deviceIndependentSize().toSize(), QSize(16, 16));
    }
}

void TestMainWindow::toolbarIsFaceGreyWithItsCaptionReadable()
{
    auto window = startWindow(m_defaults.path());
    QVERIFY(window);
    QWidget *toolbar = control(*window, QStringLiteral("Picture1"));
    const QImage strip = toolbar->grab().toImage();
    const QRgb face = QApplication::palette().color(QPalette::Button).rgb();
    // Bare toolbar between the options button and the size icon.
    QCOMPARE(strip.pixel(148, 12), face);

    auto *caption = qobject_cast<QLabel *>(control(*window, QStringLiteral("Label1")));
    QCOMPARE(caption->text(), QStringLiteral("Maptile Designed By:"));
    // The whole caption, colon included, fits the label.
    QVERIFY2(caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->contentsRect().width(),
             qPrintable(QString::number(caption->fontMetrics().horizontalAdvance(caption->text()))));
    const QColor text = caption->palette().color(caption->foregroundRole());
    QVERIFY(qAbs(text.lightness() - QColor(face).lightness()) > 128);

    // And it is drawn: dark ink on the grey.
    const QImage label = caption->grab().toImage();
    int ink = 0;
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < label.width(); ++x)
            ink += QColor(label.pixel(x, y)).lightness() < 96;
    QVERIFY(ink > 50);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
