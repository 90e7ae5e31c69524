#include "MainWindowFixture.h"

#include "maptile/WorkingView.h"
#include "tilesets/PaletteView.h"

// The palettes and the working view under the mouse: outlines, assignment,
// the enlarged subtile, placement and the speed-value list.
class TestPainting : public QObject
{
    Q_OBJECT

    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_window;
    Workspace &workspace() { return m_window->workspace(); }
    WorkingView *view() { return m_window->workingView(); }
    QComboBox *list() { return view()->speedList(); }
    QWidget *box() { return child(m_window.get(), u"picTilePrev"_s); }
    PaletteView *front(int slot)
    {
        m_window->showSlot(slot);
        return m_window->palette(slot);
    }
    // Points at a cell, then clicks elsewhere in it: palette and view act where the outline is.
    static void clickCell(QWidget *widget, QPoint cell, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseMove(widget, centre(cell.x(), cell.y()));
        QTest::mouseClick(widget, button, modifiers, centre(cell.x(), cell.y()) + QPoint(20, 20));
    }

private slots:
    void initTestCase() { setUpApplication(); writeDefaults(m_defaults.path()); }
    void init() { QVERIFY(m_window = startWindow(m_defaults.path())); }
    void cleanup() { m_window.reset(); }

    void outlineSnapsToTheCellUnderThePointer()
    {
        // Moves with a button held, which go on outside; the palette's outline stays on it, the view's does not.
        const std::tuple<bool, QPointF, QPoint> moves[] = {
            {true, {47.6, 95.7}, {0, 1}}, {true, {500, 400}, {6, 3}}, {true, {-0.5, -90}, {0, 0}},
            {false, {47.6, 143.5}, {0, 2}}, {false, {300, 290}, {6, 6}}, {false, {-0.5, -48}, {-1, -1}}};
        for (const auto &[palette, at, cell] : moves) {
            QWidget *widget = palette ? static_cast<QWidget *>(front(2)) : view();
            send(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
            const QRect outline = child(widget, palette ? u"shpSelect2"_s : u"shpTile"_s)->geometry();
            QVERIFY2(outline == QRect(cell * 48, QSize(48, 48)), qPrintable(u"%1,%2"_s.arg(at.x()).arg(at.y())));
        }
    }

    void eachButtonTakesACellAndPlacesIt()
    {
        const std::tuple<Qt::MouseButton, QString, QPoint> buttons[] = {
            {Qt::LeftButton, u"picLeft"_s, {5, 2}}, {Qt::MiddleButton, u"picMiddle"_s, {3, 0}},
            {Qt::RightButton, u"picRight"_s, {0, 3}}};
        for (int i = 0; i < 3; ++i) {
            const auto &[button, picture, cell] = buttons[i];
            const QRgb colour = subtileColour(1, cell.x(), cell.y());
            clickCell(front(1), cell, button);
            QTRY_COMPARE(child(m_window.get(), picture)->grab().toImage().pixel(30, 30), colour);
            QCOMPARE(workspace().maptileChanged(), i > 0); // only placing changes the maptile
            clickCell(view(), {i, 2 * i}, button);
            QCOMPARE(workspace().maptile().master().pixel(i * 144 + 72, i * 288 + 72), colour);
        }
    }

    void modifierPressShowsTheEnlargedSubtileInFront()
    {
        QSignalSpy assigned(&workspace(), &Workspace::buttonChanged);
        const std::tuple<Qt::KeyboardModifier, Qt::MouseButton, QPoint> presses[] = {
            {Qt::ShiftModifier, Qt::LeftButton, {4, 1}}, {Qt::AltModifier, Qt::MiddleButton, {6, 0}},
            {Qt::ControlModifier, Qt::RightButton, {0, 3}}};
        for (const auto &[modifier, button, cell] : presses) {
            QTest::mouseMove(front(1), centre(cell.x(), cell.y()));
            QTest::mousePress(front(1), button, modifier, centre(cell.x(), cell.y()));
            // Level with the cell's left edge, 28 pixels above its top: the subtile in a blue frame. On the
            // bottom row it reaches down over the slot buttons, and stays in front of them.
            QCOMPARE(box()->geometry(), QRect(4 + cell.x() * 48, 56 + cell.y() * 48, 93, 93));
            QImage expected = TestImages::solid({93, 93}, qRgb(0, 0, 255));
            QPainter(&expected).fillRect(1, 1, 91, 91, QColor(subtileColour(1, cell.x(), cell.y())));
            QCOMPARE(box()->grab().toImage().convertToFormat(expected.format()), expected);
            QVERIFY(box()->isAncestorOf(m_window->childAt(box()->geometry().bottomLeft() + QPoint(16, -8))));
            QTest::mouseRelease(front(1), button, modifier, centre(cell.x(), cell.y()));
            QVERIFY(box()->isHidden());
        }
        QCOMPARE(assigned.count(), 0);
        // A drag shows it only with the left button alone and a modifier held, and it follows the pointer.
        const Qt::MouseButtons both = Qt::LeftButton | Qt::RightButton;
        send(front(0), QEvent::MouseMove, centre(1, 0), Qt::NoButton, both, Qt::ShiftModifier);
        QVERIFY(box()->isHidden());
        send(front(0), QEvent::MouseMove, centre(2, 3), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
        QVERIFY(box()->pos() == QPoint(100, 200) && box()->grab().toImage().pixel(46, 46) == subtileColour(0, 2, 3));
    }

    void speedListStoresOnlyChoices()
    {
        workspace().chooseSpeedValue(QPoint(1, 1), u"4"_s);
        workspace().setMaptileChanged(false);
        QSignalSpy redraws(&workspace(), &Workspace::redrawn);
        // A press with any modifier opens the list on the space showing its value; another moves it.
        clickCell(view(), {3, 4}, Qt::RightButton, Qt::ShiftModifier);
        clickCell(view(), {1, 1}, Qt::MiddleButton, Qt::AltModifier);
        QVERIFY(list()->isVisible() && !list()->view()->isVisible() && list()->pos() == QPoint(48, 48));
        QCOMPARE(list()->currentText(), u"4"_s);
        // Typed text is never stored: Return leaves the list open, Escape closes it.
        list()->lineEdit()->selectAll();
        QTest::keyClicks(list()->lineEdit(), u"1/T"_s);
        QTest::keyClick(list()->lineEdit(), Qt::Key_Return);
        QVERIFY(list()->isVisible());
        QTest::keyClick(list()->lineEdit(), Qt::Key_Escape);
        QVERIFY(!list()->isVisible() && workspace().maptile().speedValue(1, 1) == u"4"_s);
        QVERIFY(redraws.isEmpty() && !workspace().maptileChanged());
        // A choice is stored on the space the list opened on, wherever the pointer went.
        clickCell(view(), {1, 1}, Qt::LeftButton, Qt::ControlModifier);
        QTest::mouseMove(view(), centre(3, 2));
        pickFromList(list(), u"1/X"_s);
        QVERIFY(workspace().maptile().speedValue(1, 1) == u"1/X"_s && workspace().maptileChanged());
        // A plain press closes the list and places where the pointer is, storing nothing.
        clickCell(view(), {1, 1}, Qt::LeftButton, Qt::ControlModifier);
        QTest::keyClicks(list()->lineEdit(), u"X"_s);
        QTest::mouseMove(view(), centre(3, 2));
        QTest::mouseClick(view(), Qt::RightButton, {}, centre(4, 4));
        QVERIFY(!list()->isVisible() && workspace().maptile().speedValue(1, 1) == u"1/X"_s);
        QCOMPARE(workspace().maptile().master().pixel(3 * 144 + 72, 2 * 144 + 72), subtileColour(0, 1, 1));
        QCOMPARE(workspace().maptile().speedValue(3, 2), QString());
    }
};

QTEST_MAIN(TestPainting)
#include "tst_painting.moc"
