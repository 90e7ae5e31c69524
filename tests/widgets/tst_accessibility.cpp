#include "MainWindowFixture.h"

#include "dialogs/PreviewWindow.h"
#include "views/PaletteView.h"
#include "views/WorkingView.h"

// The program as a screen reader finds it: every control named in the states and windows the other tests
// leave out (the windows of fixed size are the scaling test's, in each language the translations test's), the palettes
// and the maptile read cell by cell with what each holds, and the mouse-button
// pictures naming their subtiles. The screen-reader test follows the outline.
class TestAccessibility : public QObject
{
    Q_OBJECT

    using Open = std::function<QWidget *(MainWindow &)>; // a window of the program over the main window
    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_window;
    Workspace &workspace() { return m_window->workspace(); }
    static QAccessibleTableInterface *table(QWidget *view)
    {
        return QAccessible::queryAccessibleInterface(view)->tableInterface();
    }
    static QString cellText(QWidget *view, int column, int row)
    {
        QAccessibleInterface *cell = table(view)->cellAt(row, column);
        return cell ? cell->text(QAccessible::Name) : u"(none)"_s;
    }

private slots:
    void initTestCase()
    {
        setUpApplication();
        writeDefaults(m_defaults.path());
    }
    void init() { QVERIFY(m_window = startWindow(m_defaults.path())); }

    void everyControlIsNamed_data()
    {
        QTest::addColumn<Open>("open");
        const auto row = [](const char *tag, Open open) { QTest::newRow(tag) << open; };
        row("main window, preview box shown", [](MainWindow &main) {
            send(main.palette(0), QEvent::MouseButtonPress, centre(1, 1), Qt::LeftButton, Qt::LeftButton,
                 Qt::ShiftModifier);
            return &main;
        });
        row("main window, speed list open", [](MainWindow &main) {
            main.workingView()->press(Workspace::LeftButton, 1);
            return &main;
        });
        row("preview", [](MainWindow &main) {
            auto *preview = new PreviewWindow(main.workspace());
            preview->setAttribute(Qt::WA_DeleteOnClose, false);
            preview->setParent(&main, Qt::Window);
            return preview;
        });
    }
    void everyControlIsNamed()
    {
        QFETCH(Open, open);
        QWidget *window = open(*m_window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QStringList found = unnamed(QAccessible::queryAccessibleInterface(window));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
        if (window != m_window.get())
            delete window;
    }

    // Each cell and space read with what it holds now, found by its place on the screen too; a smaller
    // maptile has fewer spaces, and the cells of the old size are gone.
    void cellsReadWhatTheyHold()
    {
        TileData data;
        data.setSpeedValue(2, 1, u"1/T"_s);
        workspace().setTileData(0, data);
        workspace().place(Workspace::LeftButton, {1, 2});
        workspace().chooseSpeedValue({1, 2}, u"2"_s);
        workspace().chooseSpeedValue({0, 0}, u"1/X"_s);
        PaletteView *palette = m_window->palette(0);
        WorkingView *view = m_window->workingView();
        const std::tuple<QWidget *, QPoint, QString> cells[] = {
            {palette, {2, 1}, u"cell 3, 2 of slot A, speed value 1/T"_s},
            {palette, {6, 3}, u"cell 7, 4 of slot A, no speed value"_s},
            {m_window->palette(4), {0, 0}, u"cell 1, 1 of slot E, empty"_s},
            {palette, {7, 0}, u"(none)"_s},
            {view, {1, 2}, u"space 2, 3, speed value 2"_s},
            {view, {0, 0}, u"space 1, 1, blank, speed value 1/X"_s},
            {view, {4, 5}, u"space 5, 6, blank"_s}};
        for (const auto &[widget, at, text] : cells)
            QCOMPARE(cellText(widget, at.x(), at.y()), text);
        const QPoint inCell = palette->mapToGlobal(centre(2, 1));
        QAccessibleInterface *found = QAccessible::queryAccessibleInterface(palette)->childAt(inCell.x(), inCell.y());
        QCOMPARE(found->text(QAccessible::Name), cellText(palette, 2, 1));
        data.setSpeedValue(2, 1, u"X"_s);
        workspace().setTileData(0, data);
        QCOMPARE(cellText(palette, 2, 1), u"cell 3, 2 of slot A, speed value X"_s);

        const QAccessible::Id corner = QAccessible::uniqueId(table(view)->cellAt(5, 4));
        workspace().setSize(3, 4);
        QVERIFY(table(view)->columnCount() == 3 && table(view)->rowCount() == 4);
        QVERIFY(cellText(view, 4, 5) == u"(none)"_s && !QAccessible::accessibleInterface(corner));
        QCOMPARE(cellText(view, 2, 3), u"space 3, 4, blank"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(view)->text(QAccessible::Description),
                 u"3 spaces wide and 4 spaces tall"_s);
        // Pressed from the screen reader, a cell and then a space act as left clicks.
        QAccessibleInterface *cell = table(m_window->palette(1))->cellAt(2, 3);
        cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(workspace().buttonRef(Workspace::Left) == (SubtileRef{1, 3, 2}) && cell->state().selected);
        table(view)->cellAt(1, 0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(workspace().maptile().spacePixels({0, 1}).pixel(72, 72), subtileColour(1, 3, 2));
        QCOMPARE(view->currentSpace(), QPoint(0, 1));
    }

    // The mouse-button pictures name their subtile, turned, mirrored, and both.
    void buttonPicturesNameTheSubtileTheyLay()
    {
        const auto name = [this](const char16_t *picture) {
            return QAccessible::queryAccessibleInterface(child(m_window.get(), QString::fromUtf16(picture)))
                ->text(QAccessible::Name);
        };
        workspace().setOutlineCell(0, {0, 2});
        workspace().assign(Workspace::LeftButton, 0);
        workspace().setOutlineCell(1, {3, 1});
        workspace().assign(Workspace::RightButton, 1);
        QCOMPARE(name(u"picLeft"), u"Left mouse button: cell 1, 3 of slot A"_s);
        const std::pair<Orientation::Turn, const char16_t *> turns[] = {
            {Orientation::TurnRight, u", turned right"},
            {Orientation::TurnRight, u", turned upside down"},
            {Orientation::MirrorLeftRight, u", mirrored top to bottom"},
            {Orientation::TurnLeft, u", mirrored left to right and turned right"},
            {Orientation::TurnLeft, u", mirrored left to right"}};
        for (const auto &[turn, said] : turns) {
            workspace().turnButtons(turn);
            QCOMPARE(name(u"picRight"), u"Right mouse button: cell 4, 2 of slot B"_s + QString::fromUtf16(said));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
