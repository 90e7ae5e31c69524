#include "MainWindowFixture.h"

#include "app/GuideHints.h"
#include "tilesets/PaletteView.h"

#include <QLabel>

using namespace MainWindowFixture;

namespace {

const QString Welcome = QStringLiteral("Welcome to Cryptwright Version 1.00!");

// Points of the window where only its own background or the toolbar's lies.
const QPoint BareWindow(586, 100);
const QPoint BareToolbar(540, 12);

QString hintText(int number)
{
    static const QHash<int, QString> texts{
        {101, QStringLiteral("This button clears the maptile with blank spaces.")},
        {102, QStringLiteral("Open a saved tile or load an image as a background for the maptile.")},
        {103, QStringLiteral("Use this button to save the current maptile as a jpeg or bitmap.")},
        {104, QStringLiteral("This button opens a window with a full-size view of the maptile.")},
        {105, QStringLiteral("This prints the maptile. No options yet - uses your default printer and options.")},
        {106, QStringLiteral("Select a size for you maptile here. 3 to 5 spaces wide by 3 to 6 spaces tall.")},
        {107, QStringLiteral("This adds a custom maptile number to the maptile in the upper left hand corner.")},
        {108, QStringLiteral("Add your name to the maptile. You are the one who designed it.")},
        {109, QStringLiteral("Click her for program info, bug reporting, special thanks, and web links.")},
        {110, QStringLiteral("This is the subtile assigned to the left mouse button.")},
        {111, QStringLiteral("This is the subtile assigned to the middle mouse button (if you have one).")},
        {112, QStringLiteral("This is the subtile assigned to the right mouse button.")},
        {113, QStringLiteral("Click here to show this tileset and all of its subtiles.")},
        {118, QStringLiteral("Click here to load in a new tileset to replace the current one.")},
        {126, QStringLiteral("Click on one of the subtiles of this tileset to assign it to the chosen mouse button.")},
        {127, QStringLiteral("Click to place one of the subtiles you have assigned to the mouse buttons.")},
        {128, QStringLiteral("Hi! I'm the dungeon dude and I'll be your guide! Just watch it - I bite!")},
        {129, QStringLiteral("Click here to set some of the options for the program.")},
        {130, QStringLiteral("Click here to set the transparency settings for this tileset.")}};
    return texts.value(number);
}

} // namespace

class TestGuideHints : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void movingOverAControlShowsItsHint_data();
    void movingOverAControlShowsItsHint();
    void everyPaletteShowsThePaletteHint();
    void bareBackgroundsClearTheHint();
    void passiveControlsKeepTheHint_data();
    void passiveControlsKeepTheHint();
    void outlinesCountAsTheirPicture();
    void sizeListShowsItsHintOnFocus();
    void pressOnTheSizeIconFocusesTheSizeList();
    void everyHintIsInTheTableAndFitsTheBubble();

private:
    QLabel *guide() const { return m_window->findChild<QLabel *>(QStringLiteral("lblDude")); }
    QWidget *control(const QString &name) const { return m_window->findChild<QWidget *>(name); }
    // Moves the real pointer to a point of the window.
    void moveTo(QPoint point) { QTest::mouseMove(m_window.get(), point); }

    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_window;
};

void TestGuideHints::initTestCase()
{
    setUpApplication();
    QVERIFY(m_defaults.isValid());
    writeDefaults(m_defaults.path());
}

void TestGuideHints::init()
{
    m_window = startWindow(m_defaults.path());
    QVERIFY(m_window);
    QCOMPARE(guide()->text(), Welcome);
}

void TestGuideHints::cleanup()
{
    m_window.reset();
}

void TestGuideHints::movingOverAControlShowsItsHint_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("at"); // in the control, away from any label laid on it
    QTest::addColumn<int>("hint");

    auto row = [](const char *name, QPoint at, int hint) { QTest::newRow(name) << QString::fromLatin1(name) << at << hint; };
    row("cmdClear", {12, 12}, 101);
    row("cmdOpen", {12, 12}, 102);
    row("Command5", {12, 12}, 103);
    row("Command6", {12, 12}, 104);
    row("cmdPrint", {12, 12}, 105);
    row("Image2", {8, 8}, 106);
    row("txtMapNum", {16, 10}, 107);
    row("txtDesigner", {60, 10}, 108);
    row("Command2", {12, 12}, 109);
    row("picLeft", {40, 40}, 110);
    row("picMiddle", {40, 40}, 111);
    row("picRight", {40, 40}, 112);
    row("picMapTile", {100, 200}, 127);
    row("Image1", {10, 10}, 128);
    row("cmdOptions", {12, 12}, 129);
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        QTest::newRow(qPrintable(QStringLiteral("cmdSet%1").arg(slot)))
            << QStringLiteral("cmdSet%1").arg(slot) << QPoint(18, 10) << 113;
        QTest::newRow(qPrintable(QStringLiteral("cmdLoadSet%1").arg(slot)))
            << QStringLiteral("cmdLoadSet%1").arg(slot) << QPoint(10, 10) << 118;
        QTest::newRow(qPrintable(QStringLiteral("cmdTrans%1").arg(slot)))
            << QStringLiteral("cmdTrans%1").arg(slot) << QPoint(10, 10) << 130;
    }
}

void TestGuideHints::movingOverAControlShowsItsHint()
{
    QFETCH(QString, name);
    QFETCH(QPoint, at);
    QFETCH(int, hint);
    QWidget *widget = control(name);
    QVERIFY(widget);

    moveTo(BareWindow);
    QCOMPARE(guide()->text(), QString());
    moveTo(widget->mapTo(m_window.get(), at));
    QCOMPARE(guide()->text(), hintText(hint));
    // Further moves over the same control keep showing it, also after a change.
    guide()->setText(QStringLiteral("stale"));
    moveTo(widget->mapTo(m_window.get(), at + QPoint(1, 1)));
    QCOMPARE(guide()->text(), hintText(hint));
}

void TestGuideHints::everyPaletteShowsThePaletteHint()
{
    for (int slot = 0; slot < Geometry::SlotCount; ++slot) {
        m_window->showSlot(slot);
        moveTo(BareWindow);
        QCOMPARE(guide()->text(), QString());
        moveTo(QPoint(4 + 100 + slot, 84 + 100));
        QCOMPARE(guide()->text(), hintText(126));
    }
}

void TestGuideHints::bareBackgroundsClearTheHint()
{
    // From one button over the bare toolbar to the next.
    moveTo(control(QStringLiteral("cmdClear"))->mapTo(m_window.get(), QPoint(12, 12)));
    QCOMPARE(guide()->text(), hintText(101));
    moveTo(QPoint(148, 12));
    QCOMPARE(guide()->text(), QString());
    moveTo(control(QStringLiteral("cmdOpen"))->mapTo(m_window.get(), QPoint(12, 12)));
    QCOMPARE(guide()->text(), hintText(102));

    moveTo(BareToolbar);
    QCOMPARE(guide()->text(), QString());
    moveTo(control(QStringLiteral("picRight"))->mapTo(m_window.get(), QPoint(40, 40)));
    QCOMPARE(guide()->text(), hintText(112));
    // The strip between the button pictures and the working view.
    moveTo(QPoint(342, 60));
    QCOMPARE(guide()->text(), QString());
}

void TestGuideHints::passiveControlsKeepTheHint_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("at");
    auto row = [](const char *name, QPoint at) { QTest::newRow(name) << QString::fromLatin1(name) << at; };
    row("Label1", {50, 8});
    row("Image3", {8, 8});
    row("cboSize", {20, 10});
    row("lblDude", {60, 10});
    row("Line2", {300, 0});
    row("Label12", {5, 5});          // the letter of slot H's palette, in front at start
    row("lblSetInfo7", {5, 3});
}

void TestGuideHints::passiveControlsKeepTheHint()
{
    QFETCH(QString, name);
    QFETCH(QPoint, at);
    QWidget *widget = control(name);
    QVERIFY(widget);

    moveTo(control(QStringLiteral("cmdClear"))->mapTo(m_window.get(), QPoint(12, 12)));
    QCOMPARE(guide()->text(), hintText(101));
    moveTo(widget->mapTo(m_window.get(), at));
    QCOMPARE(guide()->text(), hintText(101));
    moveTo(widget->mapTo(m_window.get(), at + QPoint(1, 0)));
    QCOMPARE(guide()->text(), hintText(101));
}

void TestGuideHints::outlinesCountAsTheirPicture()
{
    // The outlines sit at the top-left cells at start; the pointer on their
    // border lines is over the picture beneath.
    moveTo(BareWindow);
    moveTo(QPoint(4 + 47, 84 + 30));
    QCOMPARE(guide()->text(), hintText(126));
    moveTo(BareWindow);
    moveTo(QPoint(344 + 47, 32 + 47));
    QCOMPARE(guide()->text(), hintText(127));
}

void TestGuideHints::sizeListShowsItsHintOnFocus()
{
    QWidget *options = control(QStringLiteral("cmdOptions"));
    options->setFocus(Qt::OtherFocusReason);
    QCOMPARE(guide()->text(), Welcome);
    // Tabbing from the options button lands on the size list.
    QTest::keyClick(options, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), control(QStringLiteral("cboSize")));
    QCOMPARE(guide()->text(), hintText(106));
}

void TestGuideHints::pressOnTheSizeIconFocusesTheSizeList()
{
    moveTo(BareWindow);
    QCOMPARE(guide()->text(), QString());
    QTest::mousePress(control(QStringLiteral("Image2")), Qt::LeftButton, {}, QPoint(8, 8));
    QCOMPARE(QApplication::focusWidget(), control(QStringLiteral("cboSize")));
    QCOMPARE(guide()->text(), hintText(106));
    QTest::mouseRelease(control(QStringLiteral("Image2")), Qt::LeftButton, {}, QPoint(8, 8));
}

void TestGuideHints::everyHintIsInTheTableAndFitsTheBubble()
{
    QLabel *label = guide();
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
    for (int number : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 118, 126, 127, 128, 129, 130}) {
        QCOMPARE(GuideHints::text(number), hintText(number));
        // Wrapped at word boundaries, the whole text shows inside the bubble.
        label->setText(hintText(number));
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(QString::number(number)));
    }
    QCOMPARE(GuideHints::text(114), QString());
}

QTEST_MAIN(TestGuideHints)
#include "tst_guidehints.moc"
