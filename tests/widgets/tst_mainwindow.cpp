#include "MainWindowFixture.h"

#include "maptile/WorkingView.h"

namespace {

// A question box: title, Yes and No, Yes the default, no icon, and the text.
const QString Question = u"Cryptwright|%1|%2|0|The current maptile has had changes made to it.\n"_s
                             .arg(int(QMessageBox::Yes | QMessageBox::No)).arg(int(QMessageBox::Yes));
const QString ClearHint = u"This button clears the maptile with blank spaces."_s;
const QString SizeHint = u"Select a size for you maptile here. 3 to 5 spaces wide by 3 to 6 spaces tall."_s;

QComboBox *sizeList(const QWidget *window) { return child<QComboBox>(window, u"cboSize"_s); }
QLabel *guide(const QWidget *window) { return child<QLabel>(window, u"lblDude"_s); }

} // namespace

// The main window: its controls and their hints, the size list, clear and close.
class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_window; // shared by the cases that only look and point
    MainWindow m_layout; // never shown, so no outline has moved

private slots:
    void initTestCase()
    {
        setUpApplication();
        writeDefaults(m_defaults.path());
        QVERIFY(m_window = startWindow(m_defaults.path()));
        m_layout.startUp({m_defaults.path()});
    }

    void startedWindowIsFixedAndFresh()
    {
        QVERIFY(m_window->minimumSize() == QSize(588, 325) && m_window->maximumSize() == QSize(588, 325));
        QVERIFY(!sizeList(m_window.get())->isEditable() && sizeList(m_window.get())->currentText() == u"5 x 6"_s);
        QCOMPARE(child<QLineEdit>(m_window.get(), u"txtMapNum"_s)->maxLength(), 2);
        QCOMPARE(guide(m_window.get())->text(), u"Welcome to Cryptwright Version 1.00!"_s);
        QCOMPARE(child<QLabel>(m_window.get(), u"Label1"_s)->text(), u"Maptile Designed By:"_s);
        for (int slot = 0; slot < Geometry::SlotCount; ++slot)
            QCOMPARE(child<QPushButton>(m_window.get(), u"cmdSet%1"_s.arg(slot))->text(), QChar(u'A' + slot));
        for (auto *button : m_window->findChildren<QToolButton *>())
            QVERIFY2(button->iconSize() == QSize(16, 16) && !button->icon().pixmap(16).isNull(),
                     qPrintable(button->objectName()));
        // The size list shows its hint when it takes the focus, not under the pointer.
        sizeList(m_window.get())->setFocus();
        QCOMPARE(guide(m_window.get())->text(), SizeHint);
    }

    void controlLiesInPlaceAndShowsItsHint_data()
    {
        QTest::addColumn<QString>("parent"); // empty: no control, a bare point of the window
        QTest::addColumn<QRect>("geometry"); // empty: sized to its text, only the place is fixed
        QTest::addColumn<QString>("hint"); // "-": the hint shown before stays
        QTest::addColumn<QPoint>("at"); // in the window; null: the control's centre
        const auto in = [](const QString &parent) {
            return [parent](const QString &name, QRect geometry, const QString &hint, QPoint at = {}) {
                QTest::newRow(qPrintable(name)) << parent << geometry << hint << at;
            };
        };
        const auto form = in(u"Form1"_s), bar = in(u"Picture1"_s), view = in(u"picMapTile"_s);
        const QString viewHint = u"Click to place one of the subtiles you have assigned to the mouse buttons."_s;
        const QString paletteHint =
            u"Click on one of the subtiles of this tileset to assign it to the chosen mouse button."_s;
        form("Picture1", {0, 0, 588, 25}, "");
        form("Line2", {0, 26, 588, 1}, "-");
        form("Image1", {2, 30, 184, 50}, "Hi! I'm the dungeon dude and I'll be your guide! Just watch it - I bite!",
             {12, 40});
        form("lblDude", {47, 34, 134, 42}, "-");
        form("picLeft", {188, 32, 48, 48}, "This is the subtile assigned to the left mouse button.");
        form("picMiddle", {240, 32, 48, 48},
             "This is the subtile assigned to the middle mouse button (if you have one).");
        form("picRight", {292, 32, 48, 48}, "This is the subtile assigned to the right mouse button.");
        form("picMapTile", {344, 32, 240, 288}, viewHint);
        view("shpTile", {0, 0, 48, 48}, viewHint, {391, 79}); // on its border
        bar("cmdClear", {0, 0, 24, 24}, ClearHint);
        bar("cmdOpen", {24, 0, 24, 24}, "Open a saved tile or load an image as a background for the maptile.");
        bar("Command5", {48, 0, 24, 24}, "Use this button to save the current maptile as a jpeg or bitmap.");
        bar("Command6", {72, 0, 24, 24}, "This button opens a window with a full-size view of the maptile.");
        bar("cmdPrint", {96, 0, 24, 24},
            "This prints the maptile. No options yet - uses your default printer and options.");
        bar("cmdOptions", {120, 0, 24, 24}, "Click here to set some of the options for the program.");
        bar("Image2", {152, 4, 16, 16}, SizeHint);
        bar("cboSize", {172, 2, 57, 21}, "-"); // its hint comes with the focus
        bar("Image3", {236, 4, 16, 16}, "-");
        bar("txtMapNum", {256, 2, 33, 21},
            "This adds a custom maptile number to the maptile in the upper left hand corner.");
        bar("Label1", {296, 6, 101, 17}, "-");
        bar("txtDesigner", {400, 2, 133, 21}, "Add your name to the maptile. You are the one who designed it.");
        bar("Command2", {564, 0, 24, 24}, "Click her for program info, bug reporting, special thanks, and web links.");
        for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
            const QString n = QString::number(slot);
            const auto palette = in("picTileSet" + n);
            const int x = slot % 4 * 84, y = slot < 4 ? 279 : 301;
            form("picTileSet" + n, {4, 84, 336, 192}, paletteHint);
            palette("shpSelect" + n, {0, 0, 48, 48}, paletteHint, {51, 114}); // on its border
            palette("lblSetInfo" + n, {0, 184, 0, 0}, "-");
            palette(u"Label%1"_s.arg(slot < 4 ? 4 + slot : 5 + slot), {}, "-");
            form("cmdSet" + n, {slot % 4 ? x + 8 : 4, y, slot % 4 ? 39 : 43, 21},
                 "Click here to show this tileset and all of its subtiles.");
            form("cmdTrans" + n, {x + 46, y, 21, 21}, "Click here to set the transparency settings for this tileset.");
            form("cmdLoadSet" + n, {x + 66, y, 21, 21},
                 "Click here to load in a new tileset to replace the current one.");
        }
        in({})("bare window", {}, "", {342, 60});
    }

    void controlLiesInPlaceAndShowsItsHint()
    {
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, hint);
        QFETCH(QPoint, at);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const auto found = m_layout.findChildren<QWidget *>(name);
        if (!parent.isEmpty()) {
            QVERIFY2(found.size() == 1, "missing, or its name is not unique");
            QCOMPARE(found[0]->parentWidget()->objectName(), parent);
            QVERIFY(!found[0]->size().isEmpty());
            QCOMPARE(found[0]->geometry(), geometry.isEmpty() ? QRect(geometry.topLeft(), found[0]->size()) : geometry);
        }
        const qsizetype palette = (parent + name).indexOf(u"picTileSet"_s);
        m_window->showSlot(palette < 0 ? 7 : (parent + name)[palette + 10].digitValue());
        QTest::mouseMove(m_window.get(), {12, 12});
        QCOMPARE(guide(m_window.get())->text(), ClearHint);
        QTest::mouseMove(m_window.get(), at.isNull() ? found[0]->mapTo(&m_layout, found[0]->rect().center()) : at);
        QCOMPARE(guide(m_window.get())->text(), hint == u"-"_s ? ClearHint : hint);
        QLabel *bubble = guide(m_window.get());
        QVERIFY2(bubble->heightForWidth(bubble->width()) <= bubble->height(), "the text does not fit the bubble");
    }

    void sizeClearAndCloseAskOnlyAfterChanges()
    {
        const auto window = startWindow(m_defaults.path());
        QVERIFY(window);
        Workspace &workspace = window->workspace();
        QComboBox *list = sizeList(window.get());
        QWidget *clear = child(window.get(), u"cmdClear"_s);
        {
            // A box holds the click until answered: the first clear, on unchanged work, asks nothing.
            MessageBoxAnswerer no(QMessageBox::No);
            QTest::mouseClick(clear, Qt::LeftButton);
            workspace.chooseSpeedValue(QPoint(4, 5), u"3"_s); // outside the smallest maptile, where the sizes end
            QCOMPARE(list->count(), 12);
            for (int i = 11; i >= 0; --i) {
                const QSize spaces(3 + i / 4, 3 + i % 4);
                pickFromList(list, u"%1 x %2"_s.arg(spaces.width()).arg(spaces.height()));
                QVERIFY(list->currentIndex() == i && window->workingView()->size() == spaces * 48
                        && workspace.maptile().master().size() == spaces * 144);
            }
            workspace.place(Workspace::RightButton, QPoint(0, 0));
            const QImage before = workspace.maptile().master();
            QTest::mouseClick(clear, Qt::LeftButton);
            QVERIFY(!window->close() && window->isVisible());
            QCOMPARE(no.boxes, QStringList({Question + u"Do you still wish to clear the tile?"_s,
                                            Question + u"Do you still wish to quit?"_s}));
            QVERIFY(workspace.maptileChanged() && workspace.maptile().master() == before);
        }
        MessageBoxAnswerer yes(QMessageBox::Yes);
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(workspace.maptile().master(), TestImages::solid({432, 432}, Geometry::blankColour()));
        QVERIFY(workspace.maptile().speedValue(4, 5).isEmpty() && !workspace.maptileChanged());
        // Picking the item shown again redraws, and is no change.
        QSignalSpy redraws(&workspace, &Workspace::redrawn);
        pickFromList(list, u"3 x 3"_s);
        QVERIFY(redraws.count() == 1 && !workspace.maptileChanged());
        QVERIFY(window->close()); // unchanged: no question
        QCOMPARE(yes.boxes.size(), 1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
