#include "MainWindowFixture.h"

#include "editor/EditTileWindow.h"
#include "maptile/RasterOps.h"
#include "tilesets/PaletteView.h"
#include "tilesets/TransparencyWindow.h"

namespace {

// Runs act on the modal window open at the next turn of the event loop, then closes it if still open.
void whenModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *modal = QApplication::activeModalWidget();
        act(modal);
        if (modal && QApplication::activeModalWidget() == modal)
            modal->close();
    });
}

} // namespace

// The transparency window and the subtile editor.
class TestSecondaryWindows : public QObject
{
    Q_OBJECT

private slots:
    void transparencySettingAndExample_data()
    {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QStringList>("actions"); // buttons to click, scroll bar values, "close"
        QTest::addColumn<QString>("setting");
        QTest::newRow("OK without changes keeps 2,40") << "2,40" << QStringList{"cmdOk"} << "2,40";
        QTest::newRow("alpha, 255, OK") << "0" << QStringList{"optTrans2", "255", "cmdOk"} << "2,255";
        QTest::newRow("no transparency counts at once") << "2,255" << QStringList{"optTrans0"} << "0";
        QTest::newRow("closing without OK leaves bare 2") << "1" << QStringList{"optTrans2", "200", "close"} << "2";
        QTest::newRow("OK adds alpha only when blending") << "2,90" << QStringList{"optTrans1", "cmdOk"} << "1";
        QTest::newRow("stored 0 shows as the least") << "2,0" << QStringList{"cmdOk"} << "2,1";
    }

    void transparencySettingAndExample()
    {
        QFETCH(QString, initial);
        QFETCH(QStringList, actions);
        QFETCH(QString, setting);
        Workspace workspace;
        workspace.setTransparency(5, TransparencySetting(initial));
        TransparencyWindow window(workspace, nullptr);
        window.show();
        window.editSlot(5);
        auto *scroll = child<QScrollBar>(&window, u"scrAlpha"_s);
        for (const QString &action : actions) {
            if (action == u"close"_s)
                window.close();
            else if (action[0].isDigit())
                scroll->setValue(action.toInt());
            else
                QTest::mouseClick(child(&window, action), Qt::LeftButton, {}, QPoint(4, 8));
            // The opacity can only be moved while blending is chosen.
            QCOMPARE(scroll->isEnabled(), child<QRadioButton>(&window, u"optTrans2"_s)->isChecked());
        }
        QCOMPARE(workspace.slot(5).transparency.text(), setting);
        // The 45 x 45 example lays the object on the floor as the options say; keyed, the object's
        // background (its pixel 1, 1) never shows.
        const QImage floor = QImage(u":/images/sample_floor.png"_s).convertToFormat(RasterOps::Format);
        const QImage object = QImage(u":/images/sample_object.png"_s).convertToFormat(RasterOps::Format);
        const QImage result = child<QLabel>(&window, u"picResult"_s)->pixmap().toImage();
        const int mode = setting[0].digitValue(), alpha = scroll->value();
        QCOMPARE(result.size(), QSize(45, 45));
        for (int i = 0; i < 45 * 45; ++i) {
            const int x = i % 45, y = i / 45;
            const QRgb f = floor.pixel(x, y), o = object.pixel(x, y), r = result.pixel(x, y);
            QVERIFY(mode < 2 ? r == (mode == 1 && o == object.pixel(1, 1) ? f : o)
                             : std::abs(qGreen(r) - (qGreen(o) * alpha + qGreen(f) * (255 - alpha)) / 255) <= 1);
        }
    }

    void editorChangesTheTilesetOnlyOnOk()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"set.png"_s);
        TestImages::save(TestImages::pattern(Geometry::TilesetSize, 5), file);
        MainWindow main;
        Workspace &workspace = main.workspace();
        QVERIFY(workspace.loadTileset(1, file).isEmpty());
        main.show();
        workspace.setOutlineCell(1, QPoint(6, 3));
        const QImage before = workspace.slot(1).fullImage(), palette = workspace.slot(1).palette();
        const QImage left = workspace.buttonImage(Workspace::Left);
        // A right double-click on column 6, row 3; rotate right, then leave by Cancel, Escape, the close box or Enter.
        for (const QString leave : {u"Command5"_s, u"escape"_s, u"close"_s, u"enter"_s}) {
            whenModal([&](QWidget *modal) {
                QVERIFY(qobject_cast<EditTileWindow *>(modal));
                child<QAbstractButton>(modal, u"Command3"_s)->click();
                if (leave.startsWith(u"Command"_s))
                    child<QAbstractButton>(modal, leave)->click();
                else if (leave != u"close"_s)
                    QTest::keyClick(modal, leave == u"enter"_s ? Qt::Key_Return : Qt::Key_Escape);
            });
            QTest::mouseDClick(main.palette(1), Qt::RightButton, {}, QPoint(6 * 48 + 10, 3 * 48 + 10));
            if (leave != u"enter"_s)
                QVERIFY(workspace.slot(1).fullImage() == before && workspace.slot(1).palette() == palette
                        && workspace.buttonImage(Workspace::Left) == left);
        }
        QImage expected = before;
        QPainter(&expected).drawImage(864, 432, before.copy(864, 432, 144, 144).transformed(QTransform().rotate(90)));
        QCOMPARE(workspace.slot(1).fullImage(), expected);
        // The palette keeps its grid; the left button shows the edited cell; the file stays.
        QCOMPARE(workspace.slot(1).palette().pixel(288, 150), qRgb(4, 2, 252));
        QCOMPARE(workspace.buttonImage(Workspace::Left), workspace.slot(1).palette().copy(288, 144, 48, 48));
        QCOMPARE(QImage(file).convertToFormat(RasterOps::Format), before);
    }
};

QTEST_MAIN(TestSecondaryWindows)
#include "tst_secondarywindows.moc"
