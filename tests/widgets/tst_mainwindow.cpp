#include "MainWindowFixture.h"

#include "dialogs/FileDialogs.h"
#include "dialogs/LoadProgress.h"
#include "dialogs/PreviewWindow.h"
#include "raster/GridPicture.h"
#include "tilesets/SubtileImport.h"
#include "views/PaletteView.h"
#include "views/WorkingView.h"

#include <QScopeGuard>

#include <unistd.h>

namespace {

const QString ClearHint = u"This button clears the maptile with blank spaces."_s;

// Drags the file at path over target and drops it there; whether the target took it.
bool drop(QWidget *target, const QString &path, QPoint at = {}, Qt::KeyboardModifiers modifiers = {})
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    at = at.isNull() ? target->rect().center() : at;
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, modifiers);
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, modifiers);
    return QApplication::sendEvent(target, &enter) && enter.isAccepted() && QApplication::sendEvent(target, &dropped)
        && dropped.isAccepted();
}

} // namespace

// The main window: hints, the size list, clear and close, shortcuts, undo keys
// in the text boxes, dropped files and slow loads; the palettes
// and the working view under the mouse, and what they draw on a dense screen; saving
// to the document, the title, and the questions before unsaved work is replaced.
class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_defaults;
    std::unique_ptr<MainWindow> m_window;
    QLabel *guide() const { return child<QLabel>(m_window.get(), u"lblDude"_s); }
    QComboBox *sizeList() const { return child<QComboBox>(m_window.get(), u"cboSize"_s); }
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

    // Turns the wheel up and down over widget, which has the focus.
    static void turnWheel(QWidget *widget)
    {
        widget->setFocus();
        for (const int delta : {120, -120, -120}) {
            const QPointF at = widget->rect().center();
            QWheelEvent wheel(at, widget->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
            QApplication::sendEvent(widget, &wheel);
        }
    }

    void activate()
    {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // What view paints itself, without its labels and outlines, at ratio device pixels per pixel.
    static QImage painted(QWidget *view, qreal ratio)
    {
        QImage image(view->size() * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        view->render(&image, {}, {}, QWidget::DrawWindowBackground);
        return image;
    }

private slots:
    void initTestCase()
    {
        setUpApplication();
        writeDefaults(m_defaults.path());
    }
    void init() { QVERIFY(m_window = startWindow(m_defaults.path())); }

    // At a larger view size, where a control's place on the screen differs from its own.
    void pointingShowsTheHint()
    {
        const int percent = 200;
        m_window->viewScale().setPercent(percent);
        const auto cleanup = qScopeGuard([this] { m_window->viewScale().setPercent(100); });
        m_window->showSlot(5);
        // Where the pointer goes in the window, or else the control whose centre it goes to; the hint then shown,
        // where "-" is the one shown before, the clear button's, which a control without a hint keeps.
        const std::tuple<const char *, QString, QPoint> places[]{
            {"", "Hi! I'm the dungeon dude and I'll be your guide! Just watch it - I bite!", {12, 40}},
            {"picTileSet5",
             "Click on one of the subtiles of this tileset to assign it to the chosen mouse button.",
             {}},
            {"cmdSet5", "Click here to show this tileset and all of its subtiles.", {}},
            {"", "", {342, 60}}, // the bare window
            {"Label1", "-", {}},
            {"", "-", {192, 36}}}; // the letter on the left button's picture
        for (const auto &[name, hint, at] : places) {
            QWidget *control = child(m_window.get(), QString::fromLatin1(name));
            QTest::mouseMove(m_window.get(), QPoint(12, 12) * percent / 100);
            // Where the control is drawn, on the window or on the page that is scaled.
            const QPoint place =
                at.isNull() ? control->mapTo(ScaledWindow::content(m_window.get()), control->rect().center()) : at;
            QTest::mouseMove(m_window.get(), place * percent / 100);
            QCOMPARE(guide()->text(), hint == u"-"_s ? ClearHint : hint);
        }
    }

    void keysReachTheirCommands()
    {
        for (int slot = 0; slot < 8; ++slot) {
            QTest::keyClick(m_window.get(), Qt::Key(Qt::Key_1 + slot), Qt::ControlModifier);
            QCOMPARE(m_window->frontSlot(), slot);
        }
        auto *number = child<QLineEdit>(m_window.get(), u"txtMapNum"_s);
        number->setFocus();
        QTest::keyClicks(number, u"42"_s);
        QTest::keyClick(number, Qt::Key_Tab); // into the designer box, ending the number's step
        // The designer box has nothing of its own to undo: only the maptile's history can change the number.
        const QKeyCombination keys[]{Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::Key_Z,
                                     Qt::CTRL | Qt::SHIFT | Qt::Key_Z}; // undo and redo in turn
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), keys[i].key(), keys[i].keyboardModifiers());
            QCOMPARE(number->text(), i % 2 ? u"42"_s : QString());
        }
        // A wheel turn over the size list changes nothing; every size from 5 x 6 down to 3 x 3 picked sizes the
        // maptile and the view; Ctrl+Z takes the last one back.
        turnWheel(sizeList());
        QCOMPARE(sizeList()->currentText(), u"5 x 6"_s);
        for (int i = 11; i >= 0; --i) {
            const QSize spaces(3 + i / 4, 3 + i % 4);
            pickFromList(sizeList(), u"%1 x %2"_s.arg(spaces.width()).arg(spaces.height()));
            QVERIFY(sizeList()->currentIndex() == i && view()->size() == spaces * 48
                    && workspace().maptile().master().size() == spaces * 144);
        }
        QTest::keyClick(m_window.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(sizeList()->currentText() == u"3 x 4"_s && view()->size() == QSize(144, 192));
        const int steps = workspace().history().count();
        // The changed maptile is asked about first; unchanged, the dialogs open at once (Ctrl+N and Ctrl+S
        // are the end-to-end test's).
        const std::pair<QKeyCombination, QString> commands[] = {{Qt::CTRL | Qt::Key_O, u"Cryptwright"_s},
                                                                {Qt::CTRL | Qt::SHIFT | Qt::Key_S, u"Save As"_s},
                                                                {Qt::CTRL | Qt::Key_O, u"Open"_s}};
        for (const auto &[key, title] : commands) {
            if (title == u"Open"_s)
                workspace().setMaptileChanged(false);
            QString seen;
            whenModal([&seen](QWidget *modal) { seen = modal->windowTitle(); });
            QTest::keyClick(m_window.get(), key.key(), key.keyboardModifiers());
            QCOMPARE(seen, title);
            activate(); // the closed window had it
        }
        QCOMPARE(workspace().history().count(), steps); // the question closed unanswered cleared nothing
        QTest::keyClick(m_window.get(), Qt::Key_F5);
        QTRY_VERIFY(qobject_cast<PreviewWindow *>(QApplication::activeWindow()));
    }

    // A press on a palette gives the button its cell, leaving the maptile; held down on the maptile, the button
    // lays it on every space the pointer enters, off the view and back again, once each, as one step; the
    // release ends it.
    void pickedSubtileFollowsThePointer()
    {
        clickCell(front(1), {3, 0}, Qt::MiddleButton);
        QTRY_COMPARE(child(m_window.get(), u"picMiddle"_s)->grab().toImage().pixel(30, 30), subtileColour(1, 3, 0));
        QVERIFY(!workspace().maptileChanged());
        QTest::mouseMove(view(), centre(0, 0));
        send(view(), QEvent::MouseButtonPress, centre(0, 0), Qt::MiddleButton, Qt::MiddleButton);
        for (const QPoint at :
             {centre(1, 0), centre(2, 0), centre(1, 0), QPoint(300, 24), QPoint(200, -30), centre(4, 1)})
            send(view(), QEvent::MouseMove, at, Qt::NoButton, Qt::MiddleButton);
        send(view(), QEvent::MouseButtonRelease, centre(4, 1), Qt::MiddleButton, Qt::NoButton);
        send(view(), QEvent::MouseMove, centre(3, 3), Qt::NoButton, Qt::NoButton);
        const QList<QPoint> entered{{0, 0}, {1, 0}, {2, 0}, {4, 1}};
        for (int i = 0; i < 30; ++i) {
            const QPoint space(i % 5, i / 5);
            const QRgb shown = workspace().maptile().master().pixel(space * 144 + QPoint(72, 72));
            QVERIFY2((shown == subtileColour(1, 3, 0)) == entered.contains(space),
                     qPrintable(u"%1, %2"_s.arg(space.x()).arg(space.y())));
        }
        QCOMPARE(workspace().history().count(), 1);
    }

    // Z, Shift+Z, X and Y turn all three buttons' subtiles and R turns random turns on, but a text box takes
    // them as text; a press on a palette or on the maptile takes the focus out of the box.
    void turnKeysTurnTheButtonsUnlessTyping()
    {
        auto *designer = child<QLineEdit>(m_window.get(), u"txtDesigner"_s);
        const std::pair<QWidget *, QList<QKeyCombination>> rounds[] = {{front(2), {Qt::Key_Z, Qt::Key_X, Qt::Key_R}},
                                                                       {view(), {Qt::SHIFT | Qt::Key_Z, Qt::Key_Y}}};
        for (const auto &[pressed, keys] : rounds) {
            designer->setFocus();
            QTest::keyClicks(designer, u"zxr"_s);
            clickCell(pressed, {3, 1}, Qt::LeftButton);
            for (const QKeyCombination key : keys)
                QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
        Orientation turned;
        for (const auto turn : {Orientation::TurnRight, Orientation::MirrorLeftRight, Orientation::TurnLeft,
                                Orientation::MirrorTopBottom})
            turned = turned.then(turn);
        QVERIFY(designer->text() == u"zxrzxr"_s && workspace().randomTurns());
        for (int picture = 0; picture < 3; ++picture)
            QVERIFY(workspace().buttonOrientation(picture) == turned);
    }

    // A press gives the button one cell as before, also when a drag comes back to it; a drag over more cells
    // gives the held button the rectangle in reading order, empty cells left out, on the release; Shift+arrows
    // widen the keyboard's outline and Space gives the left button that rectangle.
    void paletteDragsGiveVariations()
    {
        workspace().emptyCell(1, {4, 1});
        const struct
        {
            QList<QPoint> path; // press, moves, release; none: the keyboard
            int picture;
            QList<QPoint> cells;
        } rounds[] = {{{{3, 0}}, Workspace::Middle, {{3, 0}}},
                      {{{3, 0}, {5, 2}, {3, 0}}, Workspace::Middle, {{3, 0}}},
                      {{{5, 1}, {4, 1}, {3, 0}}, Workspace::Right, {{3, 0}, {4, 0}, {5, 0}, {3, 1}, {5, 1}}},
                      {{}, Workspace::Left, {{2, 2}, {3, 2}, {2, 3}, {3, 3}}}};
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton};
        for (const auto &[path, picture, cells] : rounds) {
            QSignalSpy assigned(&workspace(), &Workspace::buttonChanged);
            PaletteView *palette = front(1);
            if (path.isEmpty()) {
                palette->setFocus();
                palette->setOutlinedCell({2, 2});
                for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Down})
                    QTest::keyClick(palette, key, Qt::ShiftModifier);
                QTest::keyClick(palette, Qt::Key_Space);
            } else {
                const Qt::MouseButton button = buttons[picture];
                QTest::mouseMove(palette, centre(path[0].x(), path[0].y()));
                send(palette, QEvent::MouseButtonPress, centre(path[0].x(), path[0].y()), button, button);
                for (const QPoint cell : path.mid(1))
                    send(palette, QEvent::MouseMove, centre(cell.x(), cell.y()), Qt::NoButton, button);
                send(palette, QEvent::MouseButtonRelease, centre(path.back().x(), path.back().y()), button,
                     Qt::NoButton);
            }
            std::vector<SubtileRef> expected;
            for (const QPoint cell : cells)
                expected.push_back({1, cell.x(), cell.y()});
            QVERIFY(workspace().buttonCells(picture) == expected);
            QCOMPARE(assigned.count(), cells.size() > 1 && !path.isEmpty() ? 2 : 1);
        }
        QVERIFY(child(m_window.get(), u"picLeft"_s)->toolTip().contains(u"and 3 more: 4, 3; 3, 4; 4, 4"_s));
    }

    // Only pictures are taken, MNG animations not; with Ctrl, into the cell under the pointer; pasted,
    // into the outlined cell of the focused palette, which Delete empties and undo brings back.
    void droppedFilesLoadOnlyPictures()
    {
        QTemporaryDir dir;
        const QString picture = dir.filePath(u"drop.png"_s), broken = dir.filePath(u"broken.png"_s),
                      animation = dir.filePath(u"frame.mng"_s);
        TestImages::save(TestImages::pattern({576, 432}, 3), picture);
        TestImages::writeText(broken, "not a picture");
        TestImages::writeText(animation, "\x8AMNG\r\n\x1A\n");
        TestImages::writeText(dir.filePath(u"notes.txt"_s), "words");
        Workspace &w = workspace();
        PaletteView *palette = m_window->palette(6);
        QVERIFY(!drop(palette, dir.filePath(u"notes.txt"_s)) && !drop(palette, animation));
        QVERIFY(!FileDialogs::tilesetFilter().contains(u"mng"_s) && !FileDialogs::maptileFilter().contains(u"mng"_s));
        QVERIFY(drop(palette, picture));
        QTRY_COMPARE(w.slot(6).path(), picture);
        QCOMPARE(m_window->frontSlot(), 6);
        MessageBoxAnswerer ok(QMessageBox::Ok);
        const QImage before = w.slot(6).fullImage();
        QVERIFY(drop(palette, broken));
        QTRY_COMPARE(ok.boxes.size(), 1);
        QVERIFY(drop(palette, broken, centre(2, 1), Qt::ControlModifier));
        QTRY_COMPARE(ok.boxes.size(), 2);
        QVERIFY(ok.boxes.back().contains(u"broken.png"_s) && w.slot(6).fullImage() == before);
        QVERIFY(drop(palette, picture, centre(2, 1), Qt::ControlModifier));
        QTRY_COMPARE(w.slot(6).subtile(2, 1), SubtileImport::fit(TestImages::pattern({576, 432}, 3)));
        QVERIFY(w.slot(6).path() == picture && w.slot(6).isModified() && !w.maptileChanged());
        activate(); // the message boxes had it
        clickCell(front(6), {5, 3}, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), palette);
        QApplication::clipboard()->setImage(TestImages::solid({30, 60}, qRgb(9, 9, 9)));
        QTest::keyClick(palette, Qt::Key_V, Qt::ControlModifier);
        const QImage pasted = w.slot(6).subtile(5, 3);
        QCOMPARE(pasted.pixel(72, 72), qRgb(9, 9, 9));
        QTest::keyClick(palette, Qt::Key_Delete);
        QCOMPARE(w.slot(6).subtile(5, 3), TestImages::solid({144, 144}, Geometry::blankColour()));
        QTest::keyClick(palette, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.slot(6).subtile(5, 3), pasted);
        QApplication::clipboard()->setText(u"words"_s);
        QTest::keyClick(palette, Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(ok.boxes.size(), 3);
        QVERIFY(ok.boxes.back().endsWith(u"The clipboard holds no picture to paste into the subtile."_s));
    }

    // Ctrl+S asks where while the maptile has no document (writing back in place, and the title, are the
    // end-to-end test's): the document type first, under the name of the picture it came from, if any,
    // in the folder used last.
    void savingKeepsTheMaptileInItsDocument()
    {
        QTemporaryDir dir;
        const QString picture = dir.filePath(u"cave.png"_s);
        TestImages::save(TestImages::pattern({432, 432}), picture);
        QStringList offered;
        clickCell(view(), {1, 1}, Qt::LeftButton);
        whenModal([&offered, &dir](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            offered << dialog->windowTitle() << dialog->nameFilters().front() << dialog->selectedNameFilter()
                    << QFileInfo(dialog->selectedFiles().value(0)).fileName();
            dialog->selectFile(dir.filePath(u"crypt12.ora"_s));
            static_cast<QDialog *>(dialog)->accept(); // as the Save button does
        });
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        const QString documentType = u"Cryptwright maptile (*.ora)"_s;
        QCOMPARE(offered, QStringList({u"Save As"_s, documentType, documentType, u"maptile.ora"_s}));
        {
            MessageBoxAnswerer discard(QMessageBox::Ok, QMessageBox::Discard);
            m_window->openMaptileFile(picture);
            QTRY_VERIFY(!m_window->isLoading());
        }
        activate(); // the question had it
        whenModal([&offered](QWidget *modal) { offered = static_cast<QFileDialog *>(modal)->selectedFiles(); });
        QTest::keyClick(m_window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(offered.value(0), dir.filePath(u"cave.ora"_s));
    }

    // Clearing, closing and loading a tileset over unsaved work ask first, and only then: Cancel changes
    // nothing, Save saves first. (Opening over it, and a save that fails, are the control test's.)
    void questionsBeforeUnsavedWorkIsReplaced()
    {
        QTemporaryDir dir;
        const QString set = dir.filePath(u"set.png"_s), other = dir.filePath(u"other.png"_s);
        TestImages::save(TestImages::pattern(Geometry::TilesetSize, 1), set);
        TestImages::save(TestImages::pattern(Geometry::TilesetSize, 2), other);
        Workspace &w = workspace();
        MessageBoxAnswerer answerer(QMessageBox::Ok, QMessageBox::Cancel);
        m_window->clearMaptile(); // nothing changed: nothing asked
        w.place(Workspace::LeftButton, {0, 0});
        const QImage changed = w.maptile().master();
        m_window->clearMaptile();
        QVERIFY(!m_window->close() && w.maptile().master() == changed && w.maptileChanged());

        QCOMPARE(w.loadTileset(5, set), QString());
        w.emptyCell(5, {2, 1});
        m_window->loadTilesetFile(5, other);
        QVERIFY(!m_window->isLoading() && w.slot(5).path() == set);
        // Saved to its own file first, then replaced.
        answerer.questionAnswer = QMessageBox::Save;
        m_window->loadTilesetFile(5, other);
        QTRY_COMPARE(w.slot(5).path(), other);
        QCOMPARE(QImage(set).pixel(2 * 144 + 72, 144 + 72), Geometry::blankColour());

        const QString maptile =
            questionBox() + u"The current maptile has had changes made to it.\nDo you still wish to "_s;
        const QString tileset = questionBox()
            + u"The tileset in slot F has changes that are not saved.\n"
              "Do you still wish to load another tileset into it?"_s;
        QCOMPARE(answerer.questions,
                 QStringList({maptile + u"clear the tile?"_s, maptile + u"quit?"_s, tileset, tileset}));
    }

    // While pictures are read, a progress window shows for each and the window goes on placing subtiles;
    // Cancel leaves the slot or the maptile as it was and says so in the guide, with no message box;
    // closing the window ends a load still running.
    void slowLoadLeavesTheWindowWorking()
    {
        QTemporaryDir dir;
        const QString slow = dir.filePath(u"slow.jpg"_s), slower = dir.filePath(u"slower.jpg"_s);
        TestImages::writeText(slow, TestImages::scanRepeatingJpeg({512, 512}, 200'000));
        QFile::copy(slow, slower);
        const auto children = [] {
            return TestImages::readAll(u"/proc/%1/task/%1/children"_s.arg(getpid())).trimmed();
        };
        const auto progress = [this] {
            QList<LoadProgress *> shown = m_window->findChildren<LoadProgress *>();
            shown.removeIf([](const LoadProgress *window) { return !window->isVisible(); });
            return shown;
        };
        Workspace &w = workspace();
        const QImage tileset = w.slot(2).fullImage();
        m_window->loadTilesetFile(2, slow);
        QTRY_COMPARE(progress().size(), 1);
        clickCell(view(), {1, 1}, Qt::LeftButton);
        QVERIFY(w.maptileChanged());
        // A second choice for the slot replaces the first; the maptile's own load runs beside it,
        // once the painting is given up.
        m_window->loadTilesetFile(2, slower);
        {
            MessageBoxAnswerer discard(QMessageBox::Ok, QMessageBox::Discard);
            m_window->openMaptileFile(slow);
            QCOMPARE(discard.questions.size(), 1);
        }
        QCOMPARE(children().split(' ').size(), 2);
        QTRY_COMPARE(progress().size(), 2);
        const QImage master = w.maptile().master();
        for (LoadProgress *shown : progress())
            QTest::mouseClick(child<QPushButton>(shown, u"cmdCancel"_s), Qt::LeftButton);
        QVERIFY(!m_window->isLoading() && children().isEmpty());
        QVERIFY(w.slot(2).fullImage() == tileset && w.slot(2).path() != slower && w.maptile().master() == master);
        QCOMPARE(guide()->text(), u"Loading \"slow.jpg\" was cancelled; nothing was changed."_s);
        m_window->loadTilesetFile(2, slow);
        m_window.reset();
        QVERIFY(children().isEmpty());
    }

    // With a modifier held, a press on a palette only shows the subtile enlarged, level with the cell's left
    // edge and 28 pixels above its top, in a blue frame that stays in front of the slot buttons it reaches over.
    void modifiedPalettePressOnlyShows()
    {
        QSignalSpy assigned(&workspace(), &Workspace::buttonChanged);
        QTest::mouseMove(front(1), centre(4, 3));
        QTest::mousePress(front(1), Qt::RightButton, Qt::ControlModifier, centre(4, 3));
        QImage expected = TestImages::solid({93, 93}, qRgb(0, 0, 255));
        QPainter(&expected).fillRect(1, 1, 91, 91, QColor(subtileColour(1, 4, 3)));
        QVERIFY(box()->geometry() == QRect(196, 200, 93, 93)
                && box()->grab().toImage().convertToFormat(expected.format()) == expected);
        QVERIFY(box()->isAncestorOf(m_window->childAt(box()->geometry().bottomLeft() + QPoint(16, -8))));
        QTest::mouseRelease(front(1), Qt::RightButton, Qt::ControlModifier, centre(4, 3));
        QVERIFY(box()->isHidden() && assigned.isEmpty());
    }

    // Typed into the speed-value list and confirmed, a value is stored like an item picked from it, on the
    // space the list opened on, wherever the pointer went; Escape, or a wheel turn over the list, leaves the
    // space's value as it was.
    void speedListStoresWhatIsConfirmed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key"); // 0: typed is picked from the list; -1: the wheel is turned over it
        QTest::addColumn<QString>("stored");
        QTest::newRow("blanks around, keypad Enter") << u" 1/T "_s << int(Qt::Key_Enter) << u"1/T"_s;
        QTest::newRow("not in the list") << u"2/Z"_s << int(Qt::Key_Return) << u"2/Z"_s;
        QTest::newRow("longer than a document keeps")
            << QString(150, u'7') << int(Qt::Key_Return) << QString(100, u'7');
        QTest::newRow("emptied") << QString() << int(Qt::Key_Return) << QString();
        QTest::newRow("Escape") << u"2"_s << int(Qt::Key_Escape) << u"4"_s;
        QTest::newRow("picked") << u"1/X"_s << 0 << u"1/X"_s;
        QTest::newRow("wheel") << QString() << -1 << u"4"_s;
    }
    void speedListStoresWhatIsConfirmed()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, stored);
        workspace().chooseSpeedValue(QPoint(1, 1), u"4"_s);
        workspace().setMaptileChanged(false);
        const QImage before = workspace().preview();
        clickCell(view(), {1, 1}, Qt::MiddleButton, Qt::ShiftModifier);
        QVERIFY(list()->isVisible() && list()->pos() == QPoint(48, 48) && list()->currentText() == u"4"_s);
        list()->setFocus();
        QTest::mouseMove(view(), centre(3, 2));
        if (key == 0) {
            pickFromList(list(), typed);
        } else if (key < 0) {
            turnWheel(list());
        } else {
            list()->lineEdit()->selectAll();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
            QTest::keyClicks(QApplication::focusWidget(), typed);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            QVERIFY(!list()->isVisible());
        }
        QCOMPARE(workspace().maptile().speedValue(1, 1), stored);
        QCOMPARE(workspace().maptileChanged(), stored != u"4"_s);
        QCOMPARE(workspace().preview() == before, stored == u"4"_s);
    }

    void denseScreensShowTheFullImages()
    {
        // Every pixel differs from its neighbours: an enlarged one-third picture cannot pass.
        const QString path = m_defaults.filePath(u"pattern.png"_s);
        TestImages::save(TestImages::pattern(Geometry::TilesetSize), path);
        Workspace &w = workspace();
        QVERIFY(w.loadTileset(5, path).isEmpty());
        w.setOutlineCell(5, {4, 2});
        w.assign(Workspace::RightButton, 5);
        w.place(Workspace::RightButton, {1, 2});
        w.setMapNumText(u"12"_s);
        // One pixel per pixel, the one-third pictures; two, the full images at two thirds under a grid
        // two device pixels wide.
        const std::tuple<QWidget *, QImage, QImage> views[] = {
            {m_window->palette(5), w.slot(5).palette(), w.slot(5).fullImage()},
            {child(m_window.get(), u"picRight"_s), w.buttonImage(Workspace::Right), w.slot(5).subtile(4, 2)},
            {view(), w.workingView(), w.preview()}};
        for (const auto &[widget, third, full] : views) {
            QCOMPARE(painted(widget, 1), third);
            const QImage scaled = full.scaled(widget->size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            QImage expected = TestImages::make(scaled.size(), [&scaled](int x, int y) {
                return (x + 2) % 96 < 4 || (y + 2) % 96 < 4 ? GridPicture::LineColour : scaled.pixel(x, y);
            });
            expected.setDevicePixelRatio(2);
            QCOMPARE(painted(widget, 2), expected);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
