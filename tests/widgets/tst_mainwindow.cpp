#include "MainWindowFixture.h"

#include "maptile/WorkingView.h"
#include "tilesets/PaletteView.h"

namespace {

// A question box: title, Yes and No, Yes the default, no icon, and the text.
const QString Question = u"Cryptwright|%1|%2|0|The current maptile has had changes made to it.\n"_s
                             .arg(int(QMessageBox::Yes | QMessageBox::No)).arg(int(QMessageBox::Yes));
const QString ClearHint = u"This button clears the maptile with blank spaces."_s;
const QString SizeHint = u"Select a size for you maptile here. 3 to 5 spaces wide by 3 to 6 spaces tall."_s;

} // namespace

// The main window: its layout, start-up, the size list, clear and close, and the guide's hints.
class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_layoutWindow;
    static QComboBox *sizeList(const MainWindow &window) { return child<QComboBox>(&window, u"cboSize"_s); }
    static QLabel *guide(const MainWindow &window) { return child<QLabel>(&window, u"lblDude"_s); }

private slots:
    void initTestCase()
    {
        setUpApplication();
        writeDefaults(m_defaults.path());
        // The layout rows only look, so they share one started window, hidden out of the pointer's way.
        m_layoutWindow = std::make_unique<MainWindow>();
        m_layoutWindow->startUp({m_defaults.path()});
    }

    void controlsLieWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry"); // empty: sized to its text, only the place is fixed
        const auto rows = [](const QString &parent, std::initializer_list<std::pair<QString, QRect>> controls) {
            for (const auto &[name, geometry] : controls)
                QTest::newRow(qPrintable(name)) << parent << geometry;
        };
        rows("Form1", {{"Picture1", {0, 0, 588, 25}}, {"Line2", {0, 26, 588, 1}}, {"Image1", {2, 30, 184, 50}},
                       {"lblDude", {47, 34, 134, 42}}, {"picLeft", {188, 32, 48, 48}}, {"picMiddle", {240, 32, 48, 48}},
                       {"picRight", {292, 32, 48, 48}}, {"picMapTile", {344, 32, 240, 288}},
                       {"picTilePrev", {88, 99, 93, 93}}});
        rows("Picture1", {{"cmdClear", {0, 0, 24, 24}}, {"cmdOpen", {24, 0, 24, 24}}, {"Command5", {48, 0, 24, 24}},
                          {"Command6", {72, 0, 24, 24}}, {"cmdPrint", {96, 0, 24, 24}}, {"Image2", {152, 4, 16, 16}},
                          {"cmdOptions", {120, 0, 24, 24}}, {"cboSize", {172, 2, 57, 21}}, {"Image3", {236, 4, 16, 16}},
                          {"txtMapNum", {256, 2, 33, 21}}, {"Label1", {296, 6, 101, 17}},
                          {"txtDesigner", {400, 2, 133, 21}}, {"Command2", {564, 0, 24, 24}}});
        rows("picMapTile", {{"shpTile", {0, 0, 48, 48}}, {"cboNum", {32, 104, 45, 21}}});
        rows("picTilePrev", {{"Shape1", {0, 0, 93, 93}}});
        for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
            const QString palette = u"picTileSet%1"_s.arg(slot), n = QString::number(slot);
            const int x = slot % 4 * 84, y = slot < 4 ? 279 : 301;
            rows(palette, {{"shpSelect" + n, {0, 0, 48, 48}}, {"lblSetInfo" + n, {0, 184, 0, 0}},
                           {u"Label%1"_s.arg(slot < 4 ? 4 + slot : 5 + slot), {}}});
            rows("Form1", {{palette, {4, 84, 336, 192}}, {"cmdTrans" + n, {x + 46, y, 21, 21}},
                           {"cmdSet" + n, {slot % 4 ? x + 8 : 4, y, slot % 4 ? 39 : 43, 21}},
                           {"cmdLoadSet" + n, {x + 66, y, 21, 21}}});
        }
    }

    void controlsLieWhereTheLayoutPutsThem()
    {
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        const auto found = m_layoutWindow->findChildren<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY2(found.size() == 1, "missing, or its name is not unique");
        QCOMPARE(found[0]->parentWidget()->objectName(), parent);
        QCOMPARE(found[0]->pos(), geometry.topLeft());
        QVERIFY(!found[0]->size().isEmpty());
        QCOMPARE(found[0]->size(), geometry.isEmpty() ? found[0]->size() : geometry.size());
    }

    void startedWindowIsFixedAndFresh()
    {
        auto window = startWindow(m_defaults.path());
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), u"Cryptwright"_s);
        QVERIFY(window->size() == QSize(588, 325) && window->minimumSize() == window->maximumSize());
        QCOMPARE(window->grab().toImage().pixel(586, 323), qRgb(0, 0, 0));
        QVERIFY(!sizeList(*window)->isEditable() && sizeList(*window)->currentText() == u"5 x 6"_s);
        QCOMPARE(child<QLineEdit>(window.get(), u"txtMapNum"_s)->maxLength(), 2);
        QCOMPARE(guide(*window)->text(), u"Welcome to Cryptwright Version 1.00!"_s);
        for (int slot = 0; slot < Geometry::SlotCount; ++slot)
            QCOMPARE(child<QPushButton>(window.get(), u"cmdSet%1"_s.arg(slot))->text(), QChar(u'A' + slot));
        // Every icon button shows a 16 x 16 icon: without it the button looks different.
        for (auto *button : window->findChildren<QToolButton *>()) {
            const QImage face = button->grab().toImage();
            button->setIcon(QIcon());
            QVERIFY2(button->iconSize() == QSize(16, 16) && button->grab().toImage() != face,
                     qPrintable(button->objectName()));
        }
        // The bare toolbar is the face grey; the whole caption fits its label.
        const QRgb grey = QApplication::palette().color(QPalette::Button).rgb();
        QCOMPARE(child(window.get(), u"Picture1"_s)->grab().toImage().pixel(148, 12), grey);
        auto *caption = child<QLabel>(window.get(), u"Label1"_s);
        QCOMPARE(caption->text(), u"Maptile Designed By:"_s);
        QVERIFY(caption->fontMetrics().horizontalAdvance(caption->text()) <= caption->contentsRect().width());
        // Tabbing from the options button lands on the size list, which shows its hint.
        child(window.get(), u"cmdOptions"_s)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(sizeList(*window)->hasFocus());
        QCOMPARE(guide(*window)->text(), SizeHint);
        // Slot H's palette lies in front; each letter button brings its own forward, painting nothing.
        QSignalSpy redraws(&window->workspace(), &Workspace::redrawn);
        for (int slot : {7, 5, 0, 3, 1, 4, 2, 6}) {
            if (slot != 7)
                QTest::mouseClick(child(window.get(), u"cmdSet%1"_s.arg(slot)), Qt::LeftButton);
            auto *seen = qobject_cast<PaletteView *>(window->childAt(174, 184));
            QVERIFY(seen && seen->slot() == slot && window->frontSlot() == slot);
        }
        QCOMPARE(redraws.count(), 0);
    }

    void sizeItemsGiveTheirSizes()
    {
        auto window = startWindow(m_defaults.path());
        QVERIFY(window);
        Workspace &workspace = window->workspace();
        QCOMPARE(sizeList(*window)->count(), 12);
        for (int i = 0; i < 12; ++i) {
            const QSize spaces(3 + i / 4, 3 + i % 4);
            QCOMPARE(sizeList(*window)->itemText(i), u"%1 x %2"_s.arg(spaces.width()).arg(spaces.height()));
            pickFromList(sizeList(*window), sizeList(*window)->itemText(i));
            QVERIFY(window->workingView()->size() == spaces * 48
                    && workspace.maptile().master().size() == spaces * 144);
        }
        QVERIFY(workspace.maptileChanged());
        // Picking the item shown again redraws, and is no change.
        workspace.setMaptileChanged(false);
        QSignalSpy redraws(&workspace, &Workspace::redrawn);
        pickFromList(sizeList(*window), u"5 x 6"_s);
        QVERIFY(redraws.count() == 1 && !workspace.maptileChanged());
    }

    void clearAndCloseAskOnlyAfterChanges()
    {
        auto window = startWindow(m_defaults.path()), unchanged = startWindow(m_defaults.path());
        QVERIFY(window && unchanged);
        Workspace &workspace = window->workspace();
        QWidget *clear = child(window.get(), u"cmdClear"_s);
        {
            // A box holds the click until answered: none came if none is recorded.
            MessageBoxAnswerer no(QMessageBox::No);
            QTest::mouseClick(clear, Qt::LeftButton);
            QVERIFY(unchanged->close());
            QVERIFY(no.boxes.isEmpty());
            workspace.place(Workspace::RightButton, QPoint(0, 0));
            workspace.chooseSpeedValue(QPoint(4, 5), u"3"_s); // outside the smaller maptile below
            pickFromList(sizeList(*window), u"3 x 3"_s);
            const QImage before = workspace.maptile().master();
            QTest::mouseClick(clear, Qt::LeftButton);
            QVERIFY(!window->close() && window->isVisible());
            QCOMPARE(no.boxes, QStringList({Question + u"Do you still wish to clear the tile?"_s,
                                            Question + u"Do you still wish to quit?"_s}));
            QVERIFY(workspace.maptileChanged() && workspace.maptile().master() == before);
        }
        MessageBoxAnswerer yes(QMessageBox::Yes);
        QTest::mouseClick(clear, Qt::LeftButton);
        QVERIFY(yes.boxes.size() == 1 && !workspace.maptileChanged());
        QCOMPARE(workspace.maptile().master(), TestImages::solid({432, 432}, Geometry::blankColour()));
        QCOMPARE(workspace.maptile().speedValue(4, 5), QString());
    }

    void missingDefaultsAreReportedInSlotOrder()
    {
        QTemporaryDir empty;
        MainWindow window;
        MessageBoxAnswerer ok(QMessageBox::Ok);
        window.startUp({empty.path()});
        QCOMPARE(ok.boxes.size(), 4);
        for (int slot = 0; slot < 4; ++slot) // the title, Ok alone, no icon, and the reason with the name
            QCOMPARE(ok.boxes[slot], u"Cryptwright|%1|0|0|Cannot open \"%2\": the file does not exist."_s
                                         .arg(int(QMessageBox::Ok)).arg(Workspace::DefaultTilesetNames[slot]));
        // Start-up goes on to a fresh 5 x 6 maptile.
        QCOMPARE(window.workspace().maptile().master(), TestImages::solid({720, 864}, Geometry::blankColour()));
        QVERIFY(!window.workspace().maptileChanged());
    }

    void pointerOverAControlShowsItsHint_data()
    {
        QTest::addColumn<QPoint>("at"); // in the window, away from any label laid on the control
        QTest::addColumn<QString>("hint"); // "-": the hint shown before stays
        QTest::addColumn<int>("front"); // the palette in front
        const auto row = [](const QString &name, QPoint at, const QString &hint, int front = 7) {
            QTest::newRow(qPrintable(name)) << at << hint << front;
        };
        row("cmdOpen", {36, 12}, "Open a saved tile or load an image as a background for the maptile.");
        row("Command5", {60, 12}, "Use this button to save the current maptile as a jpeg or bitmap.");
        row("Command6", {84, 12}, "This button opens a window with a full-size view of the maptile.");
        row("cmdPrint", {108, 12}, "This prints the maptile. No options yet - uses your default printer and options.");
        row("cmdOptions", {132, 12}, "Click here to set some of the options for the program.");
        row("Image2", {160, 12}, SizeHint);
        row("txtMapNum", {272, 12}, "This adds a custom maptile number to the maptile in the upper left hand corner.");
        row("txtDesigner", {460, 12}, "Add your name to the maptile. You are the one who designed it.");
        row("Command2", {576, 12}, "Click her for program info, bug reporting, special thanks, and web links.");
        row("Image1", {12, 40}, "Hi! I'm the dungeon dude and I'll be your guide! Just watch it - I bite!");
        row("picLeft", {228, 72}, "This is the subtile assigned to the left mouse button.");
        row("picMiddle", {280, 72}, "This is the subtile assigned to the middle mouse button (if you have one).");
        row("picRight", {332, 72}, "This is the subtile assigned to the right mouse button.");
        const char *view = "Click to place one of the subtiles you have assigned to the mouse buttons.";
        const char *palette = "Click on one of the subtiles of this tileset to assign it to the chosen mouse button.";
        row("picMapTile", {444, 232}, view);
        row(u"shpTile, on its border"_s, {391, 79}, view);
        row(u"shpSelect7, on its border"_s, {51, 114}, palette);
        for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
            const int x = slot % 4 * 84, y = slot < 4 ? 289 : 311;
            const QString n = QString::number(slot);
            row("picTileSet" + n, {104 + slot, 184}, palette, slot);
            row("cmdSet" + n, {x + 22, y}, "Click here to show this tileset and all of its subtiles.");
            row("cmdTrans" + n, {x + 56, y}, "Click here to set the transparency settings for this tileset.");
            row("cmdLoadSet" + n, {x + 76, y}, "Click here to load in a new tileset to replace the current one.");
        }
        const struct { const char *name; QPoint at; } passive[] = {
            {"Label1", {346, 14}}, {"Image3", {244, 12}}, {"cboSize", {192, 12}}, {"lblDude", {107, 44}},
            {"Line2", {300, 26}}, {"Label12", {9, 89}}, {"lblSetInfo7", {9, 271}}};
        for (const auto &p : passive)
            row(QString::fromLatin1(p.name), p.at, "-");
        for (QPoint bare : {QPoint(540, 12), QPoint(148, 12), QPoint(342, 60)})
            row(u"bare at %1,%2"_s.arg(bare.x()).arg(bare.y()), bare, "");
    }

    void pointerOverAControlShowsItsHint()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, hint);
        QFETCH(int, front);
        auto window = startWindow(m_defaults.path());
        QVERIFY(window);
        window->showSlot(front);
        QTest::mouseMove(window.get(), {586, 100}); // the bare window
        QCOMPARE(guide(*window)->text(), QString());
        QTest::mouseMove(window.get(), {12, 12});
        QCOMPARE(guide(*window)->text(), ClearHint);
        QTest::mouseMove(window.get(), at);
        QCOMPARE(guide(*window)->text(), hint == u"-"_s ? ClearHint : hint);
        // The whole text fits the bubble.
        QVERIFY(guide(*window)->heightForWidth(guide(*window)->width()) <= guide(*window)->height());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
