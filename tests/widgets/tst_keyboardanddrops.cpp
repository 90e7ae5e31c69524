#include "MainWindowFixture.h"

#include "app/Workspace.h"
#include "maptile/WorkingView.h"
#include "output/PreviewWindow.h"
#include "tilesets/PaletteView.h"

// Shortcuts, undo keys in the text boxes, the Tab order, tooltips, and files
// dropped on the palettes and the working view.
class TestKeyboardAndDrops : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        setUpApplication();
        writeDefaults(m_defaults.path());
    }

    void init()
    {
        m_main = startWindow(m_defaults.path());
        QVERIFY(m_main);
    }

    void cleanup()
    {
        m_main->workspace().setMaptileChanged(false);
        m_main.reset();
    }

    void shortcutsOpenTheirWindows_data()
    {
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("window");
        QTest::newRow("open") << QKeyCombination(Qt::CTRL, Qt::Key_O) << u"Open"_s;
        QTest::newRow("save") << QKeyCombination(Qt::CTRL, Qt::Key_S) << u"Save As"_s;
        QTest::newRow("print") << QKeyCombination(Qt::CTRL, Qt::Key_P) << u"Print"_s;
        QTest::newRow("clear asks") << QKeyCombination(Qt::CTRL, Qt::Key_N) << u"Cryptwright"_s;
    }

    void shortcutsOpenTheirWindows()
    {
        QFETCH(QKeyCombination, key);
        QFETCH(QString, window);
        m_main->workspace().place(Workspace::LeftButton, {0, 0});
        QString seen;
        QTimer::singleShot(0, this, [&seen] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            seen = QApplication::activeModalWidget()->windowTitle();
            QApplication::activeModalWidget()->close();
        });
        QTest::keyClick(m_main.get(), key.key(), key.keyboardModifiers());
        QCOMPARE(seen, window);
        QVERIFY(m_main->workspace().maptileChanged()); // nothing was cleared
    }

    void slotAndPreviewKeys()
    {
        for (int slot = 0; slot < 8; ++slot) {
            QTest::keyClick(m_main.get(), Qt::Key(Qt::Key_1 + slot), Qt::ControlModifier);
            QCOMPARE(m_main->frontSlot(), slot);
        }
        for (const QKeyCombination key : {QKeyCombination(Qt::Key_F5), QKeyCombination(Qt::CTRL, Qt::Key_R)}) {
            QTest::keyClick(m_main.get(), key.key(), key.keyboardModifiers());
            auto *preview = QApplication::activeWindow();
            QTRY_VERIFY(qobject_cast<PreviewWindow *>(QApplication::activeWindow()));
            QApplication::activeWindow()->close();
            QTRY_VERIFY(!preview || QApplication::activeWindow() != preview);
            m_main->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
        }
    }

    void undoKeysWorkInsideTextBoxes()
    {
        auto *number = child<QLineEdit>(m_main.get(), u"txtMapNum"_s);
        auto *designer = child<QLineEdit>(m_main.get(), u"txtDesigner"_s);
        const QImage blank = m_main->workspace().preview();
        number->setFocus();
        QTest::keyClicks(number, u"42"_s);
        QTest::keyClick(number, Qt::Key_Tab); // leaving the box ends its step
        QVERIFY(designer->hasFocus());
        QTest::keyClicks(designer, u"Eve"_s);
        QTest::keyClick(designer, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(designer->text(), QString());
        QCOMPARE(number->text(), u"42"_s);
        QTest::keyClick(designer, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(number->text(), QString());
        QCOMPARE(m_main->workspace().preview(), blank);
        QTest::keyClick(designer, Qt::Key_Y, Qt::ControlModifier);
        QTest::keyClick(designer, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(number->text(), u"42"_s);
        QCOMPARE(designer->text(), u"Eve"_s);
    }

    void undoneSizeShowsInTheList()
    {
        auto *sizes = child<QComboBox>(m_main.get(), u"cboSize"_s);
        pickFromList(sizes, u"3 x 4"_s);
        QTest::keyClick(m_main.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(sizes->currentText(), u"5 x 6"_s);
        QCOMPARE(m_main->workingView()->size(), QSize(240, 288));
    }

    void tabVisitsEveryControlInOrder()
    {
        QStringList expected{u"cmdClear"_s, u"cmdOpen"_s, u"Command5"_s, u"Command6"_s, u"cmdPrint"_s,
                             u"cmdOptions"_s, u"cboSize"_s, u"txtMapNum"_s, u"txtDesigner"_s, u"Command2"_s};
        for (int slot = 0; slot < 8; ++slot)
            expected << u"cmdSet%1"_s.arg(slot) << u"cmdTrans%1"_s.arg(slot) << u"cmdLoadSet%1"_s.arg(slot);
        child(m_main.get(), u"cmdClear"_s)->setFocus();
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
        QCOMPARE(child(m_main.get(), u"cmdOpen"_s)->toolTip(), u"Open a maptile or a background picture (Ctrl+O)"_s);
        QCOMPARE(child(m_main.get(), u"cmdSet2"_s)->toolTip(), u"Show slot C (Ctrl+3)"_s);
    }

    void droppedFilesLoadOrOpen()
    {
        QTemporaryDir dir;
        const QString picture = dir.filePath(u"drop.png"_s);
        const QString broken = dir.filePath(u"broken.png"_s);
        const QString text = dir.filePath(u"notes.txt"_s);
        TestImages::save(TestImages::pattern({576, 432}, 3), picture);
        TestImages::writeText(broken, "not a picture");
        TestImages::writeText(text, "words");
        Workspace &w = m_main->workspace();

        QVERIFY(!drop(m_main->palette(6), text));
        QVERIFY(!drop(m_main->palette(6), picture, /*asText=*/true));
        QVERIFY(drop(m_main->palette(6), picture));
        QTRY_COMPARE(w.slot(6).path(), picture);
        QCOMPARE(m_main->frontSlot(), 6);

        QVERIFY(drop(m_main->workingView(), picture));
        QTRY_COMPARE(w.maptile().master(), TestImages::pattern({576, 432}, 3));

        MessageBoxAnswerer ok(QMessageBox::Ok);
        QVERIFY(drop(m_main->palette(6), broken));
        QTRY_COMPARE(ok.boxes.size(), 1);
        QVERIFY(ok.boxes.front().contains(u"broken.png"_s));
        QCOMPARE(w.slot(6).path(), picture);
    }

private:
    // Drags data naming path over target and drops it; whether the target took it.
    static bool drop(QWidget *target, const QString &path, bool asText = false)
    {
        QMimeData data;
        if (asText)
            data.setText(path);
        else
            data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
        return dropped.isAccepted();
    }

    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_main;
};

QTEST_MAIN(TestKeyboardAndDrops)
#include "tst_keyboardanddrops.moc"
