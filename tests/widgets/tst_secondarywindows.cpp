#include "MainWindowFixture.h"

#include "dialogs/EditTileWindow.h"
#include "dialogs/FontDialog.h"
#include "dialogs/InfoWindow.h"
#include "dialogs/JpegOptionsWindow.h"
#include "dialogs/LoadProgress.h"
#include "dialogs/OptionsWindow.h"
#include "dialogs/PreviewWindow.h"
#include "dialogs/TilesetPropertiesWindow.h"
#include "dialogs/TransparencyWindow.h"
#include "printing/MaptilePrinter.h"
#include "printsheets/PrintSheetsWindow.h"
#include "raster/RasterOps.h"
#include "views/PaletteView.h"
#include "viewscale/ScaledWindow.h"

#include <QPrinter>

// The windows opened from the main window: transparency, subtile editor, tileset properties,
// options and the full-size preview; the print at 1.5 inches per space; every window at a larger view scale,
// every control in it named there.
class TestSecondaryWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setUpApplication();
        // The view scale is kept in the settings: in a place of this test's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    }
    void cleanup() { QSettings(u"cryptwright"_s, u"cryptwright"_s).remove(u"View/scale"_s); }

    // At 200 % every window of the program is its 100 % layout doubled, control by control, while the scale
    // changes with the window open; back at 100 % it is as it was built.
    void windowsScaleControlByControl()
    {
        MainWindow main;
        ViewScale &scale = main.viewScale();
        Workspace workspace;
        QList<QWidget *> windows{&main};
        std::vector<std::unique_ptr<QWidget>> owned;
        for (QWidget *window : std::initializer_list<QWidget *>{
                 new TransparencyWindow(workspace, nullptr), new EditTileWindow(workspace, nullptr),
                 new OptionsWindow(workspace, nullptr), new FontDialog(QFont(), Qt::black, nullptr),
                 new TilesetPropertiesWindow(workspace, 0, nullptr), new InfoWindow(nullptr),
                 new JpegOptionsWindow(nullptr), new LoadProgress(u"big.png"_s, nullptr),
                 new PrintSheetsWindow(u"current"_s, TestImages::solid({720, 864}, qRgb(9, 9, 9)), {})})
            windows << owned.emplace_back(window).get();
        // Each named control's corners in the window, as the screen shows them.
        using Places = QList<std::pair<QWidget *, QRect>>;
        const auto placesOf = [](QWidget *window) {
            Places places;
            const QPoint origin = window->mapToGlobal(QPoint(0, 0));
            for (QWidget *control : ScaledWindow::content(window)->findChildren<QWidget *>()) {
                if (control->objectName().isEmpty() || control->objectName().startsWith(u"qt_"_s) || control->isWindow()
                    || !control->isVisible())
                    continue;
                const QPoint corner = control->mapToGlobal(QPoint(0, 0)) - origin;
                const QPoint end = control->mapToGlobal(QPoint(control->width(), control->height())) - origin;
                places.append({control, QRect(corner, QSize(end.x() - corner.x(), end.y() - corner.y()))});
            }
            return places;
        };
        for (QWidget *window : windows) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            const QSize size = window->size();
            const Places before = placesOf(window);
            QVERIFY(!before.isEmpty());
            scale.setPercent(200);
            QVERIFY2(window->size() == size * 2, qPrintable(window->objectName()));
            // Named also on the page that is scaled, as a screen reader finds them.
            const QStringList nameless = unnamed(QAccessible::queryAccessibleInterface(window));
            QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(u'\n')));
            for (const auto &[control, place] : before) {
                QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
                const QPoint corner = control->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0));
                const QPoint end = control->mapToGlobal(QPoint(control->width(), control->height()))
                    - window->mapToGlobal(QPoint(0, 0));
                const QPoint expectedCorner = place.topLeft() * 2;
                const QPoint expectedEnd = (place.topLeft() + QPoint(place.width(), place.height())) * 2;
                QVERIFY2((corner - expectedCorner).manhattanLength() <= 4 && (end - expectedEnd).manhattanLength() <= 4,
                         qPrintable(u"%1 %2"_s.arg(window->objectName(), control->objectName())));
            }
            scale.setPercent(100);
            QCOMPARE(window->size(), size);
            QCOMPARE(placesOf(window), before);
            window->hide();
        }
        // Opened at 200 %, a dialog still takes Enter for its default button.
        const QSize infoSize = owned[5]->size();
        scale.setPercent(200);
        InfoWindow info(nullptr);
        info.show();
        QVERIFY(QTest::qWaitForWindowActive(&info));
        QCOMPARE(info.size(), infoSize * 2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(info.result(), int(QDialog::Accepted));
        scale.setPercent(100);
    }

    // The scale steps through its sizes and stays within them; the next run's window opens at the one kept.
    void scaleIsKept()
    {
        {
            ViewScale scale;
            QList<int> seen;
            for (const auto step : {&ViewScale::stepUp, &ViewScale::stepUp, &ViewScale::stepUp, &ViewScale::stepUp,
                                    &ViewScale::stepDown}) {
                (scale.*step)();
                seen << scale.percent();
            }
            scale.setPercent(120);
            QCOMPARE(seen << scale.percent(), QList<int>({150, 200, 300, 300, 200, 200}));
        }
        MainWindow main;
        QCOMPARE(main.viewScale().percent(), 200);
        QCOMPARE(main.size(), QSize(1176, 650));
        main.viewScale().setPercent(100);
        // Whatever was stored by hand starts at 100 %.
        QSettings(u"cryptwright"_s, u"cryptwright"_s).setValue(u"View/scale"_s, u"huge"_s);
        QCOMPARE(ViewScale().percent(), 100);
    }

    // Without OK, blending keeps the opacity shown when it was chosen, and a stored one stays; OK adds the
    // opacity only when blending. (How each setting lays a subtile is the painting test's.)
    void transparencySetting()
    {
        // The setting before; the buttons clicked, scroll bar values set and "close" in turn; the setting after.
        const std::tuple<const char *, const char *, const char *> cases[]{{"0", "optTrans2|255|cmdOk", "2,255"},
                                                                           {"1", "optTrans2|200|close", "2,128"},
                                                                           {"2,40", "200|close", "2,40"},
                                                                           {"2", "close", "2,128"},
                                                                           {"2,90", "optTrans1|cmdOk", "1"}};
        for (const auto &[initial, actions, setting] : cases) {
            Workspace workspace;
            workspace.setTransparency(5, TransparencySetting(QString::fromLatin1(initial)));
            TransparencyWindow window(workspace, nullptr);
            window.show();
            window.editSlot(5);
            auto *scroll = child<QScrollBar>(&window, u"scrAlpha"_s);
            for (const QString &action : QString::fromLatin1(actions).split(u'|')) {
                if (action == u"close"_s)
                    window.close();
                else if (action[0].isDigit())
                    scroll->setValue(action.toInt());
                else
                    QTest::mouseClick(child(&window, action), Qt::LeftButton, {}, QPoint(4, 8));
                // The opacity can only be moved while blending is chosen.
                QCOMPARE(scroll->isEnabled(), child<QRadioButton>(&window, u"optTrans2"_s)->isChecked());
            }
            QCOMPARE(workspace.slot(5).transparency.text(), QString::fromLatin1(setting));
        }
    }

    // The subtile editor, opened by a right double-click on a cell or from the slot's menu, and the slot's
    // properties, from that menu by the Menu key, change the tileset only by OK and show it at once. (The
    // question on quitting is the control test's.)
    void tilesetWindowsChangeOnlyByOk()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"set.png"_s);
        TestImages::save(TestImages::pattern(Geometry::TilesetSize, 5), file);
        MainWindow main;
        Workspace &workspace = main.workspace();
        QVERIFY(workspace.loadTileset(1, file).isEmpty());
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        workspace.setOutlineCell(1, QPoint(6, 3));
        const QImage before = workspace.slot(1).fullImage();
        QWidget *letter = child(&main, u"cmdSet1"_s);
        // The menu has no modal loop of its own; its entries are chosen with the keyboard.
        const auto choose = [&](int downs, const std::function<void(QWidget *)> &inWindow = {}) {
            QTimer::singleShot(0, [downs, inWindow] {
                QMenu *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                QVERIFY(menu);
                for (int i = 0; i < downs; ++i)
                    QTest::keyClick(menu, Qt::Key_Down);
                if (inWindow)
                    whenModal(inWindow);
                QTest::keyClick(menu, Qt::Key_Return);
            });
            // What the window system makes of the Menu key on the focused button.
            letter->setFocus();
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, letter->rect().center(),
                                      letter->mapToGlobal(letter->rect().center()));
            QApplication::sendEvent(letter, &menuKey);
        };
        // A right double-click on column 6, row 3 (with a modifier held the second time), then the slot menu's
        // entry on the cell outlined there; rotate right, then leave by Cancel, or by Enter for OK.
        for (const int way : {0, 1, 2}) {
            bool opened = false;
            const auto edit = [ok = way > 0, &opened](QWidget *modal) {
                opened = qobject_cast<EditTileWindow *>(modal);
                child<QAbstractButton>(modal, u"Command3"_s)->click();
                ok ? QTest::keyClick(modal, Qt::Key_Return) : child<QAbstractButton>(modal, u"Command5"_s)->click();
            };
            if (way == 2) {
                choose(5, edit);
            } else {
                whenModal(edit);
                QTest::mouseDClick(main.palette(1), Qt::RightButton, way ? Qt::AltModifier : Qt::NoModifier,
                                   QPoint(6 * 48 + 10, 3 * 48 + 10));
            }
            QVERIFY(opened);
        }
        QImage expected = before;
        QPainter(&expected).drawImage(864, 432, before.copy(864, 432, 144, 144).transformed(QTransform().rotate(180)));
        QCOMPARE(workspace.slot(1).fullImage(), expected);
        // The left button shows the edited cell; the file stays, and the tileset counts as changed, not the maptile.
        QCOMPARE(workspace.buttonImage(Workspace::Left), workspace.slot(1).palette().copy(288, 144, 48, 48));
        QCOMPARE(QImage(file).convertToFormat(RasterOps::Format), before);
        QVERIFY(workspace.unsavedSlots() == QList<int>{1} && !workspace.maptileChanged());

        for (const bool ok : {false, true})
            choose(3, [ok](QWidget *modal) {
                QCOMPARE(modal->objectName(), u"TilesetPropertiesWindow"_s);
                child<QLineEdit>(modal, u"txtSetName"_s)->setText(u"Moss"_s);
                child<QLineEdit>(modal, u"txtCreator"_s)->setText(u"Ann"_s);
                child<QComboBox>(modal, u"cboSpeed52"_s)->setCurrentText(u"2/Z"_s);
                QTest::keyClick(modal, ok ? Qt::Key_Return : Qt::Key_Escape);
            });
        QCOMPARE(child<QLabel>(&main, u"lblSetInfo1"_s)->text(), u"MOSS BY: ANN *"_s);
        QCOMPARE(workspace.getTileData(1, 5, 2), u"2/Z"_s);
        QVERIFY(main.frontSlot() == 1 && !workspace.maptileChanged());

        // Discarding the changes, a new empty tileset replaces the slot's, unchanged.
        MessageBoxAnswerer answerer(QMessageBox::Discard);
        choose(7);
        QVERIFY(workspace.unsavedSlots().isEmpty()
                && workspace.slot(1).fullImage() == TestImages::solid(Geometry::TilesetSize, Geometry::blankColour()));
        QCOMPARE(child<QLabel>(&main, u"lblSetInfo1"_s)->text(), u"UNTITLED BY: UNKNOWN CREATOR "_s);
    }

    void optionsWindowKeepsOnlyWhatOkTook()
    {
        MainWindow main;
        main.show();
        QWidget *options = child(&main, u"cmdOptions"_s);
        // The number font set to 14 points by OK, the speed font's choice cancelled; numbering cleared, then OK.
        whenModal([](QWidget *modal) {
            const std::pair<QString, bool> choices[] = {{u"cmdMaptileFont"_s, true}, {u"cmdSubtileFont"_s, false}};
            for (const auto &[button, ok] : choices) {
                whenModal([ok = ok](QWidget *font) {
                    child<QSpinBox>(font, u"spnSize"_s)->setValue(30 - 16 * ok);
                    child<QAbstractButton>(font, ok ? u"cmdOk"_s : u"cmdCancel"_s)->click();
                });
                child<QAbstractButton>(modal, button)->click();
            }
            QCOMPARE(child<QLineEdit>(modal, u"txtMaptileFont"_s)->text(), u"14 Pt. Arial"_s);
            QCOMPARE(child<QLineEdit>(modal, u"txtSubtileFont"_s)->text(), u"20 Pt. Arial"_s);
            child<QAbstractButton>(modal, u"chkAutoNum"_s)->click();
            child<QAbstractButton>(modal, u"Command1"_s)->click();
        });
        QTest::mouseClick(options, Qt::LeftButton);
        QVERIFY(main.workspace().overlays().mapNumFont().pointSize() == 14 && !main.workspace().autoNumber());
        // Shown again as it was left; its close box throws it away, and numbering is on again.
        whenModal([](QWidget *modal) { QVERIFY(!child<QAbstractButton>(modal, u"chkAutoNum"_s)->isChecked()); });
        QTest::mouseClick(options, Qt::LeftButton);
        QVERIFY(main.workspace().autoNumber());
    }

    void previewFitsScrollsAndFollows()
    {
        MainWindow main;
        main.workspace().openImage(TestImages::pattern({720, 864})); // taller than the screen
        QTest::mouseClick(child(&main, u"Command6"_s), Qt::LeftButton);
        PreviewWindow *window = nullptr;
        for (QWidget *widget : QApplication::topLevelWidgets())
            window = window ? window : qobject_cast<PreviewWindow *>(widget);
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        // As much of the image as the screen holds; each bar covers exactly what is hidden.
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY(screen.contains(window->frameGeometry()) && window->frameGeometry().bottom() == screen.bottom());
        window->resize(300, 150);
        auto *across = child<QScrollBar>(window, u"scrPicH"_s), *down = child<QScrollBar>(window, u"scrPicV"_s);
        QCOMPARE(QSize(across->maximum(), down->maximum()), QSize(720, 864) - window->visibleSize());
        down->triggerAction(QAbstractSlider::SliderToMaximum);
        auto *picture = child<QLabel>(window, u"picPrev"_s);
        QCOMPARE(picture->geometry().bottom() + 1, window->visibleSize().height());
        // It follows every edit, pixel for pixel.
        main.workspace().chooseSpeedValue(QPoint(0, 0), u"4"_s);
        QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), main.workspace().preview());
    }

    void printsOneAndAHalfInchesPerSpace()
    {
        const QString renderer = QStandardPaths::findExecutable(u"pdftoppm"_s);
        if (renderer.isEmpty())
            QSKIP("pdftoppm is not installed.");
        QTemporaryDir dir;
        MaptilePrinter printer;
        printer.printer().setOutputFileName(dir.filePath(u"m.pdf"_s));
        printer.printer().setCopyCount(2); // a PDF file makes no copies of its own: two pages
        QCOMPARE(printer.print(TestImages::solid({720, 864}, qRgb(40, 70, 30))), QString());
        QVERIFY(TestImages::readAll(dir.filePath(u"m.pdf"_s)).contains("/PrintScaling /None"));
        QCOMPARE(QProcess::execute(renderer,
                                   {u"-r"_s, u"96"_s, u"-png"_s, dir.filePath(u"m.pdf"_s), dir.filePath(u"page"_s)}),
                 0);
        QCOMPARE(QDir(dir.path()).entryList({u"page*.png"_s}), QStringList({u"page-1.png"_s, u"page-2.png"_s}));
        QCOMPARE(QImage(dir.filePath(u"page-2.png"_s)), QImage(dir.filePath(u"page-1.png"_s)));
        // At 96 dots per inch, 144 pixels per space are 1.5 inches, from the top left of the printable area:
        // inked just inside that square's corners, blank just outside.
        const QImage page(dir.filePath(u"page-1.png"_s));
        const QRect expected(printer.printer().pageLayout().paintRectPixels(96).topLeft(), QSize(720, 864));
        const QPoint in(3, 3), topLeft = expected.topLeft(), bottomRight = expected.bottomRight();
        QVERIFY(qGray(page.pixel(topLeft + in)) < 128 && qGray(page.pixel(topLeft - in)) > 200);
        QVERIFY(qGray(page.pixel(bottomRight - in)) < 128 && qGray(page.pixel(bottomRight + in)) > 200);
    }

private:
    QTemporaryDir m_settings;
};

QTEST_MAIN(TestSecondaryWindows)
#include "tst_secondarywindows.moc"
