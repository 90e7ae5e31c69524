#include "app/MainWindow.h"
#include "editor/EditTileWindow.h"
#include "maptile/RasterOps.h"
#include "options/OptionsWindow.h"
#include "support/TestImages.h"
#include "tilesets/PaletteView.h"
#include "tilesets/TransparencyWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

template<typename T = QWidget>
T *child(const QWidget &window, const QString &name)
{
    return window.findChild<T *>(name);
}

void click(const QWidget &window, const QString &name)
{
    child<QAbstractButton>(window, name)->click();
}

// Runs check on the modal window open at the next turn of the event loop,
// then closes it if check left it open.
void whenModal(std::function<void(QWidget *)> check)
{
    QTimer::singleShot(0, [check] {
        QWidget *modal = QApplication::activeModalWidget();
        check(modal);
        if (modal && QApplication::activeModalWidget() == modal)
            modal->close();
    });
}

} // namespace

class TestSecondaryWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void transparencySetting_data();
    void transparencySetting();
    void transparencyExample_data();
    void transparencyExample();
    void transparencyWindowLifecycle();
    void editorClosedWithoutOkChangesNothing_data();
    void editorClosedWithoutOkChangesNothing();
    void editorOkWritesBackAndAssignsLeft();
    void fontChoice_data();
    void fontChoice();
    void optionsAutoNumberAndLifecycle();

private:
    QTemporaryDir m_dir;
    QString m_tileset;
};

void TestSecondaryWindows::initTestCase()
{
    m_tileset = m_dir.filePath(QStringLiteral("set.png"));
    TestImages::save(TestImages::pattern(Geometry::TilesetSize, 5), m_tileset);
    TestImages::writeText(m_dir.filePath(QStringLiteral("set.dat")), "[TILEDATA]\n60=3\n");
}

void TestSecondaryWindows::transparencySetting_data()
{
    QTest::addColumn<QString>("initial");
    // optN clicks option N, a number moves the scroll bar, then "ok" or "close".
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("setting");
    QTest::newRow("opening writes the bare mode") << "2,40" << QStringList{} << "2";
    QTest::newRow("OK without changes keeps 2,40") << "2,40" << QStringList{"ok"} << "2,40";
    QTest::newRow("alpha, 255, OK") << "0" << QStringList{"optTrans2", "255", "ok"} << "2,255";
    QTest::newRow("no transparency counts at once") << "2,255" << QStringList{"optTrans0"} << "0";
    QTest::newRow("closing without OK leaves bare 2") << "1" << QStringList{"optTrans2", "200", "close"} << "2";
    QTest::newRow("OK adds alpha only when blending") << "2,90" << QStringList{"optTrans1", "ok"} << "1";
    QTest::newRow("stored 0 shows as the least") << "2,0" << QStringList{"ok"} << "2,1";
}

void TestSecondaryWindows::transparencySetting()
{
    QFETCH(QString, initial);
    QFETCH(QStringList, actions);
    QFETCH(QString, setting);
    Workspace workspace;
    workspace.setTransparency(5, TransparencySetting(initial));
    TransparencyWindow window(workspace, nullptr);
    window.show();
    window.editSlot(5);
    auto *scroll = child<QScrollBar>(window, QStringLiteral("scrAlpha"));
    for (const QString &action : actions) {
        if (action.startsWith(QLatin1String("opt")))
            QTest::mouseClick(child(window, action), Qt::LeftButton, {}, QPoint(4, 8));
        else if (action == QLatin1String("ok"))
            click(window, QStringLiteral("cmdOk"));
        else if (action == QLatin1String("close"))
            window.close();
        else
            scroll->setValue(action.toInt());
        // The opacity can only be moved while blending is chosen.
        QCOMPARE(scroll->isEnabled(), child<QRadioButton>(window, QStringLiteral("optTrans2"))->isChecked());
    }
    QCOMPARE(workspace.slot(5).transparency.text(), setting);
    QCOMPARE(workspace.slot(4).transparency.text(), QStringLiteral("0"));
}

void TestSecondaryWindows::transparencyExample_data()
{
    QTest::addColumn<QString>("initial");
    QTest::newRow("no transparency") << "0";
    QTest::newRow("transparent background") << "1";
    QTest::newRow("alpha 40") << "2,40";
    QTest::newRow("alpha 255") << "2,255";
}

void TestSecondaryWindows::transparencyExample()
{
    QFETCH(QString, initial);
    const QImage floor = QImage(QStringLiteral(":/images/sample_floor.png")).convertToFormat(RasterOps::Format);
    const QImage object = QImage(QStringLiteral(":/images/sample_object.png")).convertToFormat(RasterOps::Format);
    QCOMPARE(object.size(), QSize(45, 45));
    Workspace workspace;
    workspace.setTransparency(2, TransparencySetting(initial));
    TransparencyWindow window(workspace, nullptr);
    window.editSlot(2);
    const QImage result = child<QLabel>(window, QStringLiteral("picResult"))->pixmap().toImage();
    const int alpha = initial.mid(2).toInt();
    for (int y = 0; y < 45; ++y) {
        for (int x = 0; x < 45; ++x) {
            const QRgb f = floor.pixel(x, y), o = object.pixel(x, y), r = result.pixel(x, y);
            if (initial == QLatin1String("0"))
                QCOMPARE(r, o);
            else if (initial == QLatin1String("1")) // the object's background, its pixel (1, 1), never shows
                QCOMPARE(r, o == object.pixel(1, 1) ? f : o);
            else
                QVERIFY(std::abs(qGreen(r) - (qGreen(o) * alpha + qGreen(f) * (255 - alpha)) / 255) <= 1);
        }
    }
}

void TestSecondaryWindows::transparencyWindowLifecycle()
{
    MainWindow main;
    main.show();
    main.workspace().setTransparency(2, TransparencySetting(QStringLiteral("2,40")));
    QPointer<QWidget> first;
    // Slot C comes to the front before the window shows; OK keeps the window.
    whenModal([&](QWidget *modal) {
        first = modal;
        QCOMPARE(main.frontSlot(), 2);
        QCOMPARE(child<QScrollBar>(*modal, QStringLiteral("scrAlpha"))->value(), 40);
        child<QScrollBar>(*modal, QStringLiteral("scrAlpha"))->setValue(99);
        click(*modal, QStringLiteral("cmdOk"));
    });
    QTest::mouseClick(child(main, QStringLiteral("cmdTrans2")), Qt::LeftButton);
    QCOMPARE(main.workspace().slot(2).transparency.text(), QStringLiteral("2,99"));

    // The same window comes back for slot G, and closing throws it away.
    whenModal([&](QWidget *modal) {
        QCOMPARE(modal, first.data());
        QCOMPARE(main.frontSlot(), 6);
        QCOMPARE(child<QScrollBar>(*modal, QStringLiteral("scrAlpha"))->value(), 99);
    });
    QTest::mouseClick(child(main, QStringLiteral("cmdTrans6")), Qt::LeftButton);
    QVERIFY(!first);
    whenModal([&](QWidget *modal) { QCOMPARE(child<QScrollBar>(*modal, QStringLiteral("scrAlpha"))->value(), 128); });
    QTest::mouseClick(child(main, QStringLiteral("cmdTrans0")), Qt::LeftButton);
}

void TestSecondaryWindows::editorClosedWithoutOkChangesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("cancel") << "cancel";
    QTest::newRow("escape") << "escape";
    QTest::newRow("close box") << "close";
}

void TestSecondaryWindows::editorClosedWithoutOkChangesNothing()
{
    QFETCH(QString, how);
    Workspace workspace;
    QVERIFY(workspace.loadTileset(1, m_tileset).isEmpty());
    workspace.setOutlineCell(1, QPoint(4, 2));
    workspace.assign(Workspace::LeftButton, 1);
    const QImage full = workspace.slot(1).fullImage();
    const QImage palette = workspace.slot(1).palette();
    const QImage left = workspace.buttonImage(Workspace::Left);

    PaletteView paletteView(workspace, 1, nullptr);
    EditTileWindow window(workspace, nullptr);
    window.show();
    window.editCell(&paletteView);
    const QImage original = window.subtile();
    click(window, QStringLiteral("Command2")); // flip vertical
    QCOMPARE(window.subtile().pixel(10, 0), original.pixel(10, 143));
    click(window, QStringLiteral("Command1")); // flip horizontal, over the first
    QCOMPARE(window.subtile().pixel(10, 0), original.pixel(133, 143));
    click(window, QStringLiteral("Command4")); // rotate left
    QCOMPARE(window.subtile().pixel(10, 0), original.pixel(0, 133));
    if (how == QLatin1String("cancel"))
        click(window, QStringLiteral("Command5"));
    else if (how == QLatin1String("escape"))
        QTest::keyClick(&window, Qt::Key_Escape);
    else
        window.close();

    QCOMPARE(window.result(), int(QDialog::Rejected));
    QCOMPARE(workspace.slot(1).fullImage(), full);
    QCOMPARE(workspace.slot(1).palette(), palette);
    QCOMPARE(workspace.buttonImage(Workspace::Left), left);
}

void TestSecondaryWindows::editorOkWritesBackAndAssignsLeft()
{
    MainWindow main;
    Workspace &workspace = main.workspace();
    QVERIFY(workspace.loadTileset(1, m_tileset).isEmpty());
    main.showSlot(1);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    workspace.setOutlineCell(1, QPoint(6, 3));
    const QImage before = workspace.slot(1).fullImage();

    // A right double-click on column 6, row 3; rotate right, then Enter.
    whenModal([&](QWidget *modal) {
        QVERIFY(qobject_cast<EditTileWindow *>(modal));
        click(*modal, QStringLiteral("Command3"));
        QTest::keyClick(modal, Qt::Key_Return);
    });
    QTest::mouseDClick(main.palette(1), Qt::RightButton, {}, QPoint(6 * 48 + 10, 3 * 48 + 10));

    const QImage after = workspace.slot(1).fullImage();
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            const bool inCell = x >= 864 && y >= 432;
            const QPoint from = inCell ? QPoint(864 + y - 432, 432 + 143 - (x - 864)) : QPoint(x, y);
            if (after.pixel(x, y) != before.pixel(from))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
        }
    }
    // The palette keeps its grid; the left button shows the edited cell.
    const QImage &palette = workspace.slot(1).palette();
    QCOMPARE(palette.pixel(288, 150), qRgb(4, 2, 252));
    QCOMPARE(workspace.buttonRef(Workspace::Left), (SubtileRef{1, 6, 3}));
    QCOMPARE(workspace.buttonImage(Workspace::Left), palette.copy(288, 144, 48, 48));
    QCOMPARE(QImage(m_tileset).convertToFormat(RasterOps::Format), before);
}

void TestSecondaryWindows::fontChoice_data()
{
    QTest::addColumn<bool>("numberFont");
    QTest::addColumn<int>("size");   // 0 leaves it
    QTest::addColumn<QColor>("colour"); // invalid cancels the colour dialog
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colourAfter");
    const QColor red(200, 30, 90), white(Qt::white);
    // Arial need not be installed: the face asked for stays until another is picked.
    QTest::newRow("number, 14, red") << true << 14 << red << true << "14 Pt. Arial" << red;
    QTest::newRow("number, unchanged") << true << 0 << QColor() << true << "15 Pt. Arial" << white;
    QTest::newRow("speed, 72, colour cancelled") << false << 72 << QColor() << true << "72 Pt. Arial" << white;
    QTest::newRow("speed, cancelled") << false << 30 << red << false << "20 Pt. Arial" << white;
}

void TestSecondaryWindows::fontChoice()
{
    QFETCH(bool, numberFont);
    QFETCH(int, size);
    QFETCH(QColor, colour);
    QFETCH(bool, ok);
    QFETCH(QString, text);
    QFETCH(QColor, colourAfter);
    Workspace workspace;
    OptionsWindow window(workspace, nullptr);
    window.show();
    whenModal([=](QWidget *modal) {
        if (size)
            child<QSpinBox>(*modal, QStringLiteral("spnSize"))->setValue(size);
        child<QCheckBox>(*modal, QStringLiteral("chkBold"))->setChecked(false);
        whenModal([colour](QWidget *next) {
            if (colour.isValid()) {
                static_cast<QColorDialog *>(next)->setCurrentColor(colour);
                static_cast<QColorDialog *>(next)->accept();
            }
        });
        click(*modal, QStringLiteral("cmdColour"));
        click(*modal, ok ? QStringLiteral("cmdOk") : QStringLiteral("cmdCancel"));
    });
    click(window, numberFont ? QStringLiteral("cmdMaptileFont") : QStringLiteral("cmdSubtileFont"));

    const MaptileOverlays &overlays = workspace.overlays();
    QCOMPARE(child<QLineEdit>(window, numberFont ? QStringLiteral("txtMaptileFont") : QStringLiteral("txtSubtileFont"))
                 ->text(), text);
    QCOMPARE((numberFont ? overlays.mapNumFont() : overlays.speedFont()).bold(), !ok);
    QCOMPARE(numberFont ? overlays.mapNumColour() : overlays.speedColour(), colourAfter);
    QCOMPARE(child<QLineEdit>(window, numberFont ? QStringLiteral("txtSubtileFont") : QStringLiteral("txtMaptileFont"))
                 ->text(), numberFont ? QStringLiteral("20 Pt. Arial") : QStringLiteral("15 Pt. Arial"));
}

void TestSecondaryWindows::optionsAutoNumberAndLifecycle()
{
    // The left button starts on column 6, row 0 of slot A, numbered 3 here.
    MainWindow main;
    Workspace &workspace = main.workspace();
    QVERIFY(workspace.loadTileset(0, m_tileset).isEmpty());
    main.show();
    QWidget *options = child(main, QStringLiteral("cmdOptions"));
    QPointer<QWidget> first;
    whenModal([&](QWidget *modal) {
        first = modal;
        QTest::mouseClick(child(*modal, QStringLiteral("chkAutoNum")), Qt::LeftButton, {}, QPoint(6, 8));
        click(*modal, QStringLiteral("Command1"));
    });
    QTest::mouseClick(options, Qt::LeftButton);
    workspace.place(Workspace::LeftButton, QPoint(1, 1));
    QCOMPARE(workspace.maptile().speedValue(1, 1), QString());

    // Shown again as it was left; the close box throws it away and numbering is back on.
    whenModal([&](QWidget *modal) {
        QCOMPARE(modal, first.data());
        QVERIFY(!child<QCheckBox>(*modal, QStringLiteral("chkAutoNum"))->isChecked());
    });
    QTest::mouseClick(options, Qt::LeftButton);
    QVERIFY(!first);
    workspace.place(Workspace::LeftButton, QPoint(2, 1));
    QCOMPARE(workspace.maptile().speedValue(2, 1), QStringLiteral("3"));
    whenModal([&](QWidget *modal) { QVERIFY(child<QCheckBox>(*modal, QStringLiteral("chkAutoNum"))->isChecked()); });
    QTest::mouseClick(options, Qt::LeftButton);
}

QTEST_MAIN(TestSecondaryWindows)
#include "tst_secondarywindows.moc"
