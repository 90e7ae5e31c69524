#include "MainWindowFixture.h"

#include "maptile/WorkingView.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalSpy>

using namespace MainWindowFixture;

namespace {

void send(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

QPoint spaceCentre(int column, int row)
{
    return QPoint(column * 48 + 24, row * 48 + 24);
}

QRgb masterPixel(const Workspace &workspace, int column, int row)
{
    return workspace.maptile().master().pixel(column * 144 + 72, row * 144 + 72);
}

} // namespace

class TestWorkingView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void outlineFollowsThePointerWithoutClamping_data();
    void outlineFollowsThePointerWithoutClamping();
    void pressPlacesTheButtonsSubtileUnderTheOutline_data();
    void pressPlacesTheButtonsSubtileUnderTheOutline();
    void twoButtonsAtOncePlaceNothingButCountAsAnEdit();
    void modifierPressOpensTheSpeedListOnTheSpace_data();
    void modifierPressOpensTheSpeedListOnTheSpace();
    void modifierPressOnAnOpenListMovesIt();
    void choiceIsStoredOnTheSpaceTheListWasOpenedOn();
    void choiceOffTheGridStoresNothing();
    void escapeClosesTheListWithoutStoring();
    void typedTextIsNeverStored();
    void arrowKeysChooseFromTheValueShown();
    void plainPressClosesTheListAndPlaces();

private:
    WorkingView *view() const { return m_window->workingView(); }
    QComboBox *speedList() const { return view()->speedList(); }
    QWidget *outline() const { return view()->findChild<QWidget *>(QStringLiteral("shpTile")); }
    Workspace &workspace() { return m_window->workspace(); }
    // Opens the list with a Ctrl+click on a space, after the pointer moved there.
    void openListOn(int column, int row)
    {
        QTest::mouseMove(view(), spaceCentre(column, row));
        QTest::mouseClick(view(), Qt::LeftButton, Qt::ControlModifier, spaceCentre(column, row));
    }
    // The user clicks into the list's edit field and types over its text.
    void typeIntoList(const QString &text)
    {
        QTest::mouseClick(speedList()->lineEdit(), Qt::LeftButton);
        speedList()->lineEdit()->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), text);
        QCOMPARE(speedList()->currentText(), text);
    }

    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_window;
};

void TestWorkingView::initTestCase()
{
    setUpApplication();
    QVERIFY(m_defaults.isValid());
    writeDefaults(m_defaults.path());
}

void TestWorkingView::init()
{
    m_window = startWindow(m_defaults.path());
    QVERIFY(m_window);
}

void TestWorkingView::cleanup()
{
    m_window.reset();
}

void TestWorkingView::outlineFollowsThePointerWithoutClamping_data()
{
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QPoint>("space");
    QTest::newRow("first space") << QPointF(0, 0) << QPoint(0, 0);
    QTest::newRow("last pixel of a space") << QPointF(47, 95) << QPoint(0, 1);
    QTest::newRow("fraction is rounded down") << QPointF(47.6, 143.5) << QPoint(0, 2);
    QTest::newRow("last space") << QPointF(239, 287) << QPoint(4, 5);
    QTest::newRow("dragged past the right") << QPointF(300, 10) << QPoint(6, 0);
    QTest::newRow("dragged below") << QPointF(10, 290) << QPoint(0, 6);
    QTest::newRow("half a pixel left") << QPointF(-0.5, 50) << QPoint(-1, 1);
    QTest::newRow("far up and left") << QPointF(-97, -48) << QPoint(-3, -1);
}

void TestWorkingView::outlineFollowsThePointerWithoutClamping()
{
    QFETCH(QPointF, at);
    QFETCH(QPoint, space);
    // A held button keeps the moves coming when the pointer leaves the view.
    send(view(), QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(outline()->geometry(), QRect(space * 48, QSize(48, 48)));
    QCOMPARE(view()->currentSpace(), space);
}

void TestWorkingView::pressPlacesTheButtonsSubtileUnderTheOutline_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("subtile"); // of slot A, as assigned at start
    QTest::newRow("left") << Qt::LeftButton << QPoint(6, 0);
    QTest::newRow("right") << Qt::RightButton << QPoint(1, 1);
    QTest::newRow("middle") << Qt::MiddleButton << QPoint(6, 3);
}

void TestWorkingView::pressPlacesTheButtonsSubtileUnderTheOutline()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, subtile);
    QSignalSpy redraws(&workspace(), &Workspace::redrawn);
    const QRgb blank = Geometry::blankColour() | 0xff000000u;

    QTest::mouseMove(view(), spaceCentre(2, 3));
    // Where the press lands does not matter: the outline's space is painted.
    QTest::mouseClick(view(), button, {}, spaceCentre(0, 0));

    const QRgb colour = subtileColour(0, subtile.x(), subtile.y());
    QCOMPARE(masterPixel(workspace(), 2, 3), colour);
    QCOMPARE(workspace().maptile().master().pixel(2 * 144, 3 * 144), colour);
    QCOMPARE(workspace().maptile().master().pixel(3 * 144 - 1, 4 * 144 - 1), colour);
    QCOMPARE(masterPixel(workspace(), 0, 0), blank);
    QCOMPARE(masterPixel(workspace(), 3, 3), blank);
    QVERIFY(workspace().maptileChanged());
    QVERIFY(redraws.count() >= 1);
    QTRY_COMPARE(view()->grab().toImage().pixel(spaceCentre(2, 3)), colour);
}

void TestWorkingView::twoButtonsAtOncePlaceNothingButCountAsAnEdit()
{
    QSignalSpy redraws(&workspace(), &Workspace::redrawn);
    const QImage before = workspace().maptile().master();
    QTest::mouseMove(view(), spaceCentre(1, 1));
    send(view(), QEvent::MouseButtonPress, spaceCentre(1, 1), Qt::MiddleButton, Qt::LeftButton | Qt::MiddleButton);
    send(view(), QEvent::MouseButtonRelease, spaceCentre(1, 1), Qt::MiddleButton, Qt::LeftButton);
    send(view(), QEvent::MouseButtonRelease, spaceCentre(1, 1), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(workspace().maptile().master(), before);
    QVERIFY(workspace().maptileChanged());
    QCOMPARE(redraws.count(), 1);
}

void TestWorkingView::modifierPressOpensTheSpeedListOnTheSpace_data()
{
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("ctrl left") << Qt::KeyboardModifiers(Qt::ControlModifier) << Qt::LeftButton;
    QTest::newRow("shift right") << Qt::KeyboardModifiers(Qt::ShiftModifier) << Qt::RightButton;
    QTest::newRow("alt middle") << Qt::KeyboardModifiers(Qt::AltModifier) << Qt::MiddleButton;
    QTest::newRow("ctrl shift left") << (Qt::ControlModifier | Qt::ShiftModifier) << Qt::LeftButton;
}

void TestWorkingView::modifierPressOpensTheSpeedListOnTheSpace()
{
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(Qt::MouseButton, button);
    workspace().chooseSpeedValue(QPoint(1, 2), QStringLiteral("2"));
    workspace().setMaptileChanged(false);
    const QImage before = workspace().maptile().master();
    QSignalSpy redraws(&workspace(), &Workspace::redrawn);

    QTest::mouseMove(view(), spaceCentre(1, 2));
    QTest::mouseClick(view(), button, modifiers, spaceCentre(1, 2) + QPoint(20, 20));

    QVERIFY(speedList()->isVisible());
    QCOMPARE(speedList()->pos(), QPoint(48, 96));
    QCOMPARE(speedList()->currentText(), QStringLiteral("2"));
    QVERIFY(!speedList()->view()->isVisible());
    QCOMPARE(redraws.count(), 0);
    QVERIFY(!workspace().maptileChanged());
    QCOMPARE(workspace().maptile().master(), before);
    QCOMPARE(workspace().maptile().speedValue(1, 2), QStringLiteral("2"));
}

void TestWorkingView::modifierPressOnAnOpenListMovesIt()
{
    workspace().chooseSpeedValue(QPoint(0, 0), QStringLiteral("1/T"));
    openListOn(0, 0);
    QCOMPARE(speedList()->currentText(), QStringLiteral("1/T"));
    openListOn(3, 4);
    QCOMPARE(speedList()->pos(), QPoint(144, 192));
    QCOMPARE(speedList()->currentText(), QString());
}

void TestWorkingView::choiceIsStoredOnTheSpaceTheListWasOpenedOn()
{
    workspace().setMaptileChanged(false);
    openListOn(1, 1);
    QTest::mouseMove(view(), spaceCentre(3, 2));
    QCOMPARE(view()->currentSpace(), QPoint(3, 2));
    QSignalSpy redraws(&workspace(), &Workspace::redrawn);

    pickFromList(speedList(), QStringLiteral("1/X"));
    QCOMPARE(workspace().maptile().speedValue(1, 1), QStringLiteral("1/X"));
    QCOMPARE(workspace().maptile().speedValue(3, 2), QString());
    QVERIFY(redraws.count() >= 1);
    QVERIFY(speedList()->isHidden());
    QVERIFY(workspace().maptileChanged());

    // Choosing the value the space already has still counts as a choice.
    workspace().chooseSpeedValue(QPoint(4, 5), QStringLiteral("X"));
    workspace().setMaptileChanged(false);
    openListOn(4, 5);
    QCOMPARE(speedList()->currentText(), QStringLiteral("X"));
    pickFromList(speedList(), QStringLiteral("X"));
    QVERIFY(speedList()->isHidden());
    QVERIFY(workspace().maptileChanged());
}

void TestWorkingView::choiceOffTheGridStoresNothing()
{
    // Dragged off the view with a button held, the outline leaves the grid.
    QTest::mouseMove(view(), spaceCentre(4, 0));
    send(view(), QEvent::MouseMove, QPointF(250, 10), Qt::NoButton, Qt::LeftButton);
    send(view(), QEvent::MouseButtonRelease, QPointF(250, 10), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(view()->currentSpace(), QPoint(5, 0));
    workspace().setMaptileChanged(false);
    send(view(), QEvent::MouseButtonPress, QPointF(250, 10), Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    send(view(), QEvent::MouseButtonRelease, QPointF(250, 10), Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    QCOMPARE(speedList()->pos(), QPoint(240, 0));

    pickFromList(speedList(), QStringLiteral("3"));
    for (int column = 0; column < 5; ++column)
        for (int row = 0; row < 6; ++row)
            QCOMPARE(workspace().maptile().speedValue(column, row), QString());
    QVERIFY(speedList()->isHidden());
    QVERIFY(workspace().maptileChanged());
}

void TestWorkingView::escapeClosesTheListWithoutStoring()
{
    workspace().chooseSpeedValue(QPoint(2, 2), QStringLiteral("2"));
    workspace().setMaptileChanged(false);
    QSignalSpy redraws(&workspace(), &Workspace::redrawn);

    openListOn(2, 2);
    QTest::keyClick(speedList(), Qt::Key_Escape);
    QVERIFY(speedList()->isHidden());

    // Also with the edit field in use, untouched or with an item's text typed into it.
    openListOn(2, 2);
    QTest::mouseClick(speedList()->lineEdit(), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(speedList()->isHidden());
    openListOn(2, 2);
    typeIntoList(QStringLiteral("4"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(speedList()->isHidden());

    QCOMPARE(workspace().maptile().speedValue(2, 2), QStringLiteral("2"));
    QCOMPARE(redraws.count(), 0);
    QVERIFY(!workspace().maptileChanged());
}

void TestWorkingView::typedTextIsNeverStored()
{
    workspace().setMaptileChanged(false);
    openListOn(3, 3);
    typeIntoList(QStringLiteral("1/T"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(speedList()->isVisible());
    // Leaving the field for another control does not store it either.
    QTest::mouseClick(m_window->findChild<QWidget *>(QStringLiteral("txtMapNum")), Qt::LeftButton);
    QVERIFY(!speedList()->hasFocus() && !speedList()->lineEdit()->hasFocus());
    QCOMPARE(workspace().maptile().speedValue(3, 3), QString());
    QVERIFY(!workspace().maptileChanged());
}

void TestWorkingView::arrowKeysChooseFromTheValueShown()
{
    workspace().chooseSpeedValue(QPoint(0, 1), QStringLiteral("4"));
    workspace().setMaptileChanged(false);
    openListOn(0, 1);
    QTest::mouseClick(speedList()->lineEdit(), Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(workspace().maptile().speedValue(0, 1), QStringLiteral("1/T"));
    QVERIFY(speedList()->isHidden());
    QVERIFY(workspace().maptileChanged());
}

void TestWorkingView::plainPressClosesTheListAndPlaces()
{
    workspace().chooseSpeedValue(QPoint(1, 1), QStringLiteral("2"));
    openListOn(1, 1);
    typeIntoList(QStringLiteral("X"));
    QTest::mouseMove(view(), spaceCentre(2, 0));
    QTest::mouseClick(view(), Qt::RightButton, {}, spaceCentre(2, 0));

    QVERIFY(speedList()->isHidden());
    QCOMPARE(workspace().maptile().speedValue(1, 1), QStringLiteral("2"));
    QCOMPARE(masterPixel(workspace(), 2, 0), subtileColour(0, 1, 1));
    QVERIFY(workspace().maptileChanged());
}

QTEST_MAIN(TestWorkingView)
#include "tst_workingview.moc"
