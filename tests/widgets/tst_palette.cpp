#include "MainWindowFixture.h"

#include "tilesets/PaletteView.h"

#include <QMouseEvent>
#include <QSignalSpy>

using namespace MainWindowFixture;

namespace {

// A pointer event at a fractional point, as a scaled screen delivers them.
void send(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons,
          Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

void moveOver(QWidget *widget, QPointF at, Qt::MouseButtons buttons = {}, Qt::KeyboardModifiers modifiers = {})
{
    send(widget, QEvent::MouseMove, at, Qt::NoButton, buttons, modifiers);
}

QPoint cellCentre(int column, int row)
{
    return QPoint(column * 48 + 24, row * 48 + 24);
}

} // namespace

class TestPalette : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void outlineSnapsToTheCellUnderThePointer_data();
    void outlineSnapsToTheCellUnderThePointer();
    void pressAssignsTheCellToThePressedButton_data();
    void pressAssignsTheCellToThePressedButton();
    void twoButtonsAtOnceAssignNothing();
    void assigningFromAnEmptySlotRecordsItsBlankCell();
    void modifierPressShowsTheEnlargedSubtile_data();
    void modifierPressShowsTheEnlargedSubtile();
    void onlyALeftDragWithAModifierShowsThePreview();
    void pressAfterSwitchingSlotsUsesThatPalettesOutline();

private:
    QWidget *control(const QString &name) const { return m_window->findChild<QWidget *>(name); }
    PaletteView *front(int slot)
    {
        m_window->showSlot(slot);
        return m_window->palette(slot);
    }

    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_window;
};

void TestPalette::initTestCase()
{
    setUpApplication();
    QVERIFY(m_defaults.isValid());
    writeDefaults(m_defaults.path());
}

void TestPalette::init()
{
    m_window = startWindow(m_defaults.path());
    QVERIFY(m_window);
}

void TestPalette::cleanup()
{
    m_window.reset();
}

void TestPalette::outlineSnapsToTheCellUnderThePointer_data()
{
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QPoint>("cell");
    QTest::newRow("first cell") << QPointF(0, 0) << QPoint(0, 0);
    QTest::newRow("last pixel of a cell") << QPointF(47, 47) << QPoint(0, 0);
    QTest::newRow("first pixel of the next") << QPointF(48, 96) << QPoint(1, 2);
    QTest::newRow("fraction is rounded down") << QPointF(47.6, 95.7) << QPoint(0, 1);
    QTest::newRow("last cell") << QPointF(335, 191) << QPoint(6, 3);
    QTest::newRow("past the right edge") << QPointF(500, 60) << QPoint(6, 1);
    QTest::newRow("past the bottom edge") << QPointF(130, 400) << QPoint(2, 3);
    QTest::newRow("past the left edge") << QPointF(-0.5, 100) << QPoint(0, 2);
    QTest::newRow("past the top edge") << QPointF(200, -90) << QPoint(4, 0);
    QTest::newRow("past both far edges") << QPointF(9999, 9999) << QPoint(6, 3);
}

void TestPalette::outlineSnapsToTheCellUnderThePointer()
{
    QFETCH(QPointF, at);
    QFETCH(QPoint, cell);
    PaletteView *palette = front(2);
    QWidget *outline = control(QStringLiteral("shpSelect2"));

    // A drag carries the pointer outside; the outline stays on an edge cell.
    moveOver(palette, at, Qt::LeftButton);
    QCOMPARE(outline->geometry(), QRect(cell * 48, QSize(48, 48)));
    QCOMPARE(m_window->workspace().slot(2).outlineCell, cell);
    // Other slots keep their own outline.
    QCOMPARE(control(QStringLiteral("shpSelect3"))->pos(), QPoint(0, 0));
}

void TestPalette::pressAssignsTheCellToThePressedButton_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("name");
    QTest::newRow("left") << Qt::LeftButton << int(Workspace::Left) << QStringLiteral("picLeft");
    QTest::newRow("right") << Qt::RightButton << int(Workspace::Right) << QStringLiteral("picRight");
    QTest::newRow("middle") << Qt::MiddleButton << int(Workspace::Middle) << QStringLiteral("picMiddle");
}

void TestPalette::pressAssignsTheCellToThePressedButton()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, picture);
    QFETCH(QString, name);
    Workspace &workspace = m_window->workspace();
    PaletteView *palette = front(1);
    QSignalSpy redraws(&workspace, &Workspace::redrawn);
    QStringList before;
    for (int p = 0; p < Workspace::ButtonCount; ++p)
        before << workspace.buttonRef(p).text();

    QTest::mouseMove(palette, cellCentre(5, 2));
    QTest::mousePress(palette, button, {}, cellCentre(5, 2));
    QTest::mouseRelease(palette, button, {}, cellCentre(5, 2));

    QCOMPARE(workspace.buttonRef(picture).text(), QStringLiteral("152"));
    // The palette's cell, grid lines included, unscaled.
    QCOMPARE(workspace.buttonImage(picture), workspace.slot(1).palette().copy(240, 96, 48, 48));
    for (int p = 0; p < Workspace::ButtonCount; ++p)
        if (p != picture)
            QCOMPARE(workspace.buttonRef(p).text(), before[p]);
    // And the button picture on screen shows it, below its letter.
    QTRY_COMPARE(control(name)->grab().toImage().pixel(30, 30), subtileColour(1, 5, 2));
    QVERIFY(!workspace.maptileChanged());
    QCOMPARE(redraws.count(), 0);
}

void TestPalette::twoButtonsAtOnceAssignNothing()
{
    Workspace &workspace = m_window->workspace();
    PaletteView *palette = front(0);
    moveOver(palette, cellCentre(2, 2));
    send(palette, QEvent::MouseButtonPress, cellCentre(2, 2), Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    send(palette, QEvent::MouseButtonRelease, cellCentre(2, 2), Qt::RightButton, Qt::LeftButton);
    send(palette, QEvent::MouseButtonRelease, cellCentre(2, 2), Qt::LeftButton, Qt::NoButton);

    QCOMPARE(workspace.buttonRef(Workspace::Left).text(), QStringLiteral("060"));
    QCOMPARE(workspace.buttonRef(Workspace::Middle).text(), QStringLiteral("063"));
    QCOMPARE(workspace.buttonRef(Workspace::Right).text(), QStringLiteral("011"));
    QCOMPARE(workspace.buttonImage(Workspace::Right).pixel(24, 24), subtileColour(0, 1, 1));
}

void TestPalette::assigningFromAnEmptySlotRecordsItsBlankCell()
{
    Workspace &workspace = m_window->workspace();
    PaletteView *palette = front(5);
    QTest::mouseMove(palette, cellCentre(6, 3));
    QTest::mouseClick(palette, Qt::MiddleButton, {}, cellCentre(6, 3));
    QCOMPARE(workspace.buttonRef(Workspace::Middle).text(), QStringLiteral("563"));
    const QImage picture = workspace.buttonImage(Workspace::Middle);
    QCOMPARE(picture.size(), QSize(48, 48));
    QCOMPARE(picture.pixel(0, 0), Geometry::blankColour() | 0xff000000u);
    QCOMPARE(picture.pixel(24, 24), Geometry::blankColour() | 0xff000000u);
}

void TestPalette::modifierPressShowsTheEnlargedSubtile_data()
{
    QTest::addColumn<Qt::KeyboardModifier>("modifier");
    QTest::addColumn<Qt::MouseButton>("button");
    const std::pair<const char *, Qt::KeyboardModifier> modifiers[] = {
        {"shift", Qt::ShiftModifier}, {"ctrl", Qt::ControlModifier}, {"alt", Qt::AltModifier}};
    const std::pair<const char *, Qt::MouseButton> buttons[] = {
        {"left", Qt::LeftButton}, {"right", Qt::RightButton}, {"middle", Qt::MiddleButton}};
    for (const auto &[modifierName, modifier] : modifiers)
        for (const auto &[buttonName, button] : buttons)
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(modifierName, buttonName))) << modifier << button;
}

void TestPalette::modifierPressShowsTheEnlargedSubtile()
{
    QFETCH(Qt::KeyboardModifier, modifier);
    QFETCH(Qt::MouseButton, button);
    Workspace &workspace = m_window->workspace();
    PaletteView *palette = front(0);
    QWidget *preview = control(QStringLiteral("picTilePrev"));
    const QString leftBefore = workspace.buttonRef(Workspace::Left).text();

    QTest::mouseMove(palette, cellCentre(4, 1));
    QTest::mousePress(palette, button, modifier, cellCentre(4, 1));
    QVERIFY(preview->isVisible());
    // Level with the cell's left edge, 28 pixels above its top.
    QCOMPARE(preview->geometry(), QRect(4 * 48 + 4, 1 * 48 + 56, 93, 93));
    const QImage shown = preview->grab().toImage();
    QCOMPARE(shown.pixel(0, 0), qRgb(0, 0, 255));
    QCOMPARE(shown.pixel(92, 92), qRgb(0, 0, 255));
    QCOMPARE(shown.pixel(1, 1), subtileColour(0, 4, 1));
    QCOMPARE(shown.pixel(46, 46), subtileColour(0, 4, 1));
    QCOMPARE(shown.pixel(91, 91), subtileColour(0, 4, 1));
    for (int p = 0; p < Workspace::ButtonCount; ++p)
        QVERIFY(workspace.buttonRef(p).text() != QStringLiteral("041"));
    QCOMPARE(workspace.buttonRef(Workspace::Left).text(), leftBefore);

    QTest::mouseRelease(palette, button, modifier, cellCentre(4, 1));
    QVERIFY(preview->isHidden());
}

void TestPalette::onlyALeftDragWithAModifierShowsThePreview()
{
    PaletteView *palette = front(0);
    QWidget *preview = control(QStringLiteral("picTilePrev"));

    moveOver(palette, cellCentre(1, 0), Qt::RightButton, Qt::ShiftModifier);
    moveOver(palette, cellCentre(1, 0), Qt::LeftButton | Qt::MiddleButton, Qt::ShiftModifier);
    moveOver(palette, cellCentre(1, 0), Qt::LeftButton);
    moveOver(palette, cellCentre(1, 0), Qt::NoButton, Qt::ControlModifier);
    QVERIFY(preview->isHidden());

    moveOver(palette, cellCentre(2, 3), Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->pos(), QPoint(2 * 48 + 4, 3 * 48 + 56));
    QCOMPARE(preview->grab().toImage().pixel(46, 46), subtileColour(0, 2, 3));

    // The box follows the drag and shows the new cell.
    moveOver(palette, cellCentre(6, 0), Qt::LeftButton, Qt::ControlModifier);
    QCOMPARE(preview->pos(), QPoint(6 * 48 + 4, 56));
    QCOMPARE(preview->grab().toImage().pixel(46, 46), subtileColour(0, 6, 0));

    send(palette, QEvent::MouseButtonRelease, cellCentre(6, 0), Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    QVERIFY(preview->isHidden());
}

void TestPalette::pressAfterSwitchingSlotsUsesThatPalettesOutline()
{
    Workspace &workspace = m_window->workspace();
    QTest::mouseClick(control(QStringLiteral("cmdSet0")), Qt::LeftButton);
    QTest::mouseMove(m_window->palette(0), cellCentre(2, 1));
    QTest::mouseClick(control(QStringLiteral("cmdSet1")), Qt::LeftButton);
    QTest::mouseMove(m_window->palette(1), cellCentre(5, 3));
    QTest::mouseClick(control(QStringLiteral("cmdSet0")), Qt::LeftButton);
    QCOMPARE(control(QStringLiteral("shpSelect0"))->pos(), QPoint(96, 48));

    // The press works on the outline, not on the point pressed.
    QTest::mouseClick(m_window->palette(0), Qt::LeftButton, {}, cellCentre(6, 3));
    QCOMPARE(workspace.buttonRef(Workspace::Left).text(), QStringLiteral("021"));
    QCOMPARE(workspace.buttonImage(Workspace::Left).pixel(24, 24), subtileColour(0, 2, 1));

    QTest::mouseClick(control(QStringLiteral("cmdSet1")), Qt::LeftButton);
    QTest::mouseClick(m_window->palette(1), Qt::RightButton, {}, cellCentre(0, 0));
    QCOMPARE(workspace.buttonRef(Workspace::Right).text(), QStringLiteral("153"));
}

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
