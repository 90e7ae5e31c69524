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
    QStringList buttonRefs() { return {refText(0), refText(1), refText(2)}; }
    QString refText(int picture) { return workspace().buttonRef(picture).text(); }
    PaletteView *front(int slot)
    {
        m_window->showSlot(slot);
        return m_window->palette(slot);
    }
    // Moves over a space and presses it with a modifier held.
    void openListOn(QPoint space, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifier key = Qt::ShiftModifier)
    {
        QTest::mouseMove(view(), centre(space.x(), space.y()));
        QTest::mouseClick(view(), button, key, centre(space.x(), space.y()) + QPoint(20, 20));
    }

private slots:
    void initTestCase() { setUpApplication(); writeDefaults(m_defaults.path()); }
    void init() { QVERIFY(m_window = startWindow(m_defaults.path())); }
    void cleanup() { m_window.reset(); }

    void outlineSnapsToTheCellUnderThePointer()
    {
        // Moves with a button held, which go on outside; the palette's outline stays on it, the view's does not.
        const struct { bool palette; QPointF at; QPoint cell; } moves[] = {
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
        // Palette and view act where the outline is, not where the press lands.
        const struct { Qt::MouseButton button; const char *picture; QPoint cell; } buttons[] = {
            {Qt::LeftButton, "picLeft", {5, 2}}, {Qt::MiddleButton, "picMiddle", {3, 0}},
            {Qt::RightButton, "picRight", {0, 3}}};
        for (const auto &[button, picture, cell] : buttons) {
            QTest::mouseMove(front(1), centre(cell.x(), cell.y()));
            QTest::mouseClick(m_window->palette(1), button, {}, centre(6, 1));
            QTRY_COMPARE(child(m_window.get(), QString::fromLatin1(picture))->grab().toImage().pixel(30, 30),
                         subtileColour(1, cell.x(), cell.y()));
        }
        QCOMPARE(buttonRefs(), QStringList({u"152"_s, u"130"_s, u"103"_s}));
        QVERIFY(!workspace().maptileChanged());
        for (int i = 0; i < 3; ++i) {
            QTest::mouseMove(view(), centre(i, 2 * i));
            QTest::mouseClick(view(), buttons[i].button, {}, centre(4, 1));
            const QRgb colour = subtileColour(1, buttons[i].cell.x(), buttons[i].cell.y());
            QCOMPARE(workspace().maptile().master().pixel(i * 144 + 72, i * 288 + 72), colour);
            QTRY_COMPARE(view()->grab().toImage().pixel(centre(i, 2 * i)), colour);
        }
        QVERIFY(workspace().maptileChanged());
    }

    void modifierPressShowsTheEnlargedSubtileInFront()
    {
        const QStringList refs = buttonRefs();
        // On the bottom row the box reaches down over the slot buttons.
        const struct { Qt::KeyboardModifier modifier; Qt::MouseButton button; QPoint cell; } presses[] = {
            {Qt::ShiftModifier, Qt::LeftButton, {4, 1}}, {Qt::AltModifier, Qt::MiddleButton, {6, 0}},
            {Qt::ControlModifier, Qt::RightButton, {0, 3}}};
        for (const auto &[modifier, button, cell] : presses) {
            QTest::mouseMove(front(1), centre(cell.x(), cell.y()));
            QTest::mousePress(front(1), button, modifier, centre(cell.x(), cell.y()));
            // Level with the cell's left edge, 28 pixels above its top: the subtile in a blue frame.
            QCOMPARE(box()->geometry(), QRect(4 + cell.x() * 48, 84 + cell.y() * 48 - 28, 93, 93));
            QImage expected = TestImages::solid({93, 93}, qRgb(0, 0, 255));
            QPainter(&expected).fillRect(1, 1, 91, 91, QColor(subtileColour(1, cell.x(), cell.y())));
            QCOMPARE(box()->grab().toImage().convertToFormat(expected.format()), expected);
            for (QPoint at : {box()->geometry().center(), box()->geometry().bottomLeft() + QPoint(16, -8)})
                QVERIFY(box()->isAncestorOf(m_window->childAt(at)));
            QTest::mouseRelease(front(1), button, modifier, centre(cell.x(), cell.y()));
            QVERIFY(box()->isHidden());
        }
        QCOMPARE(buttonRefs(), refs);
        // A drag shows it only with the left button alone and a modifier held, and it follows the pointer.
        const Qt::MouseButtons both = Qt::LeftButton | Qt::MiddleButton;
        send(front(0), QEvent::MouseMove, centre(1, 0), Qt::NoButton, both, Qt::ShiftModifier);
        send(front(0), QEvent::MouseMove, centre(1, 0), Qt::NoButton, Qt::LeftButton);
        QVERIFY(box()->isHidden());
        send(front(0), QEvent::MouseMove, centre(2, 3), Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
        QCOMPARE(box()->pos(), QPoint(4 + 2 * 48, 56 + 3 * 48));
        QCOMPARE(box()->grab().toImage().pixel(46, 46), subtileColour(0, 2, 3));
    }

    void modifierPressOpensTheSpeedListOnTheSpace()
    {
        workspace().chooseSpeedValue(QPoint(1, 2), u"2"_s);
        workspace().setMaptileChanged(false);
        QSignalSpy redraws(&workspace(), &Workspace::redrawn);
        // The list shows the space's value; another such press moves the open list.
        const struct { Qt::KeyboardModifier key; Qt::MouseButton button; QPoint at; const char *value; } presses[] = {
            {Qt::ShiftModifier, Qt::RightButton, {1, 2}, "2"}, {Qt::AltModifier, Qt::MiddleButton, {3, 4}, ""},
            {Qt::ControlModifier, Qt::LeftButton, {1, 2}, "2"}};
        for (const auto &[key, button, at, value] : presses) {
            openListOn(at, button, key);
            QVERIFY(list()->isVisible() && !list()->view()->isVisible());
            QVERIFY(list()->pos() == at * 48 && list()->currentText() == QLatin1String(value));
        }
        QVERIFY(redraws.isEmpty() && !workspace().maptileChanged());
    }

    void keysAndPressesOnTheList_data()
    {
        QTest::addColumn<QString>("typed"); // into the edit field first
        QTest::addColumn<int>("key"); // 0: a plain right-button press; -1: "1/X" taken from the drop-down
        QTest::addColumn<QString>("stored");
        QTest::newRow("choice stored on the space the list opened on") << QString() << -1 << u"1/X"_s;
        QTest::newRow("escape after typing") << u"X"_s << int(Qt::Key_Escape) << u"4"_s;
        QTest::newRow("typed text is never stored") << u"1/T"_s << int(Qt::Key_Return) << u"4"_s;
        QTest::newRow("arrow from the value shown") << QString() << int(Qt::Key_Down) << u"1/T"_s;
        QTest::newRow("plain press closes and places") << u"X"_s << 0 << u"4"_s;
    }

    void keysAndPressesOnTheList()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, stored);
        workspace().chooseSpeedValue(QPoint(1, 1), u"4"_s);
        workspace().setMaptileChanged(false);
        openListOn({1, 1});
        QTest::mouseClick(list()->lineEdit(), Qt::LeftButton);
        list()->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::mouseMove(view(), centre(3, 2)); // the pointer leaves the space
        if (key > 0)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        else if (key == 0)
            QTest::mouseClick(view(), Qt::RightButton, {}, centre(4, 4));
        else
            pickFromList(list(), u"1/X"_s);
        QCOMPARE(workspace().maptile().speedValue(1, 1), stored);
        QCOMPARE(list()->isVisible(), key == Qt::Key_Return); // Return on typed text leaves it open
        QCOMPARE(workspace().maptileChanged(), stored != u"4"_s || key == 0);
        QCOMPARE(workspace().maptile().master().pixel(3 * 144 + 72, 2 * 144 + 72) == subtileColour(0, 1, 1), !key);
        QCOMPARE(workspace().maptile().speedValue(3, 2), QString());
    }
};

QTEST_MAIN(TestPainting)
#include "tst_painting.moc"
