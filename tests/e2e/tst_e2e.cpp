#include "E2eHarness.h"

#include "support/TestImages.h"
#include "support/TestZip.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QTest>
#include <QTransform>

using namespace Qt::StringLiterals;

// Each case shows that real input reaches the program and its effect shows on
// the screen; the details of each effect are the widget tests' business.

namespace {

// Places in the main window, in its client coordinates.
constexpr QPoint ViewOrigin{344, 32}, PaletteOrigin{4, 84};
constexpr int Space = 48;
constexpr QRect View{ViewOrigin, QSize(5 * Space, 6 * Space)};
constexpr QRect ButtonPictures[] = {{188, 32, 48, 48}, {240, 32, 48, 48}, {292, 32, 48, 48}}; // left, middle, right
constexpr QPoint SetButtonA{25, 289}, MapNumBox{272, 12}, OpenButton{36, 12};
// The guide's picture, which does nothing when clicked.
constexpr QPoint Guide{12, 40};
// The two text boxes of the toolbar, inside their frames.
constexpr QRect TextBoxes[] = {{258, 4, 29, 17}, {402, 4, 129, 17}};
constexpr QRect Palette{PaletteOrigin, QSize(7 * Space, 4 * Space)};

// A space of the working view or a cell of the palette.
QRect cell(QPoint origin, int column, int row)
{
    return {origin + QPoint(column, row) * Space, QSize(Space, Space)};
}

// The part of a cell that shows only the subtile: clear of grid lines,
// outlines, letter labels and the corner where a speed value is printed.
QRect inner(const QRect &cell)
{
    return cell.adjusted(16, 16, -3, -3);
}

} // namespace

class EndToEndTest : public QObject
{
    Q_OBJECT

    E2eHarness h;

    // Brings slot A's palette, with its grid, to the front.
    void showSlotA()
    {
        h.click(SetButtonA);
        const QPoint gridLine = cell(PaletteOrigin, 1, 2).topLeft() + QPoint(0, 24);
        QVERIFY2(h.waitFor([&] { return h.pixelAt(gridLine) == qRgb(4, 2, 252); }), "slot A's palette is not in front");
    }

    // The top edge of the pointer's outline crosses the top of the space at column, row.
    bool outlineOn(int column, int row)
    {
        return h.pixelAt(cell(ViewOrigin, column, row).topLeft() + QPoint(24, 0)) == qRgb(255, 0, 0);
    }

    // Waits for the window titled title (by default the question about unsaved work: "s" Save, "d" Discard,
    // "Escape" Cancel), types text over what it offers, then presses key; false unless it opens, takes the
    // keys and then closes.
    bool answer(const QString &key, const QString &title = u"Cryptwright"_s, const QString &text = {})
    {
        const E2eHarness::Window dialog = h.waitForWindow(title);
        if (!dialog.id || !h.waitForFocus(dialog))
            return false;
        if (!text.isEmpty()) {
            h.keys({"ctrl+a"});
            h.type(text);
        }
        h.keys({key});
        return h.waitForWindowClosed(dialog);
    }

    // Presses button on part of the working view; whether that part then shows a change.
    bool paint(const QRect &space, Qt::MouseButton button = Qt::LeftButton)
    {
        const QImage before = h.grab(space);
        h.click(space.center(), button);
        return h.waitForChange(space, before);
    }

    // The install check points the cases at an installed copy instead.
    static QString program() { return qEnvironmentVariable("CRYPTWRIGHT_E2E_PROGRAM", CRYPTWRIGHT_PROGRAM); }

    bool titleIs(const QString &title)
    {
        return h.waitFor([&] { return h.title(h.mainWindow()) == title; });
    }

private slots:
    void initTestCase() { QVERIFY2(h.startServer(), "Xvfb gave no usable display"); }
    // A program that shows no window tells why in its output.
    void init()
    {
        QVERIFY2(h.launch(program()), qPrintable(program() + " showed no main window. Its output:\n" + h.output()));
    }

    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            const QString file = QDir::current().absoluteFilePath(u"e2e-%1.png"_s.arg(QTest::currentTestFunction()));
            h.grabScreen().save(file);
            qInfo("Screen saved to %s. Program output:\n%s", qPrintable(file), qPrintable(h.output()));
        }
        h.kill();
        QVERIFY2(h.sanitizerReport().isEmpty(), qPrintable(h.sanitizerReport()));
    }

    // Real keys: Tab from the number box, past the designer box and the fill and information buttons, reaches
    // the maptile; the arrows move the outline, Space lays the left button's subtile (slot A's column 6 row 0
    // from the start: the default tilesets were found) and Ctrl+Z takes it back.
    void keyboardPainting()
    {
        showSlotA();
        const QRect plainCell = cell(PaletteOrigin, 6, 0), first = inner(cell(ViewOrigin, 1, 1));
        const QImage blank = h.grab(first);
        QVERIFY2(h.grab(inner(ButtonPictures[0])) == h.grab(inner(plainCell)) && h.grab(inner(plainCell)) != blank,
                 "the left button does not hold its default subtile");
        h.click(MapNumBox);
        h.keys({"Tab", "Tab", "Tab", "Tab", "Right", "Down"});
        QVERIFY2(h.waitFor([&] { return outlineOn(1, 1); }), "the arrow keys do not move the outline");
        h.keys({"space"});
        QVERIFY2(h.waitFor([&] { return h.grab(first) == h.grab(inner(plainCell)); }),
                 "Space did not lay the left button's subtile");
        h.keys({"ctrl+z"});
        QVERIFY2(h.waitFor([&] { return h.grab(first) == blank; }), "Ctrl+Z did not take the subtile back");
        h.keys({"ctrl+y"});

        // Z turns the button's subtile a quarter clockwise, and Space lays it so.
        const QImage turned =
            h.grab(plainCell).transformed(QTransform().rotate(90)).copy(inner(QRect(0, 0, Space, Space)));
        h.keys({"z", "Right", "space"});
        const QRect space = cell(ViewOrigin, 2, 1);
        QVERIFY2(h.waitFor([&] { return h.grab(inner(space)) == turned; }), "the subtile was not laid turned");

        // Enter opens the speed-value list there with the keyboard in it: the next item is chosen and printed.
        const QRect corner = space.adjusted(24, 2, -2, -30), field = space.adjusted(1, 1, -33, -27);
        const QImage shot = h.grab();
        h.keys({"Return"});
        QVERIFY2(h.waitForChange(field, shot.copy(field)), "Enter showed no speed-value list");
        h.keys({"Down"});
        QVERIFY2(h.waitFor([&] { return h.grab(field) == shot.copy(field) && h.grab(corner) != shot.copy(corner); }),
                 "no other speed value appeared in the corner, or the list stayed open");

        // Back on the maptile, then on the palette: the arrows and Space give the left button another cell,
        // and Ctrl+F lays it on every blank space.
        h.keys({"Down", "space", "Tab", "Right", "Right", "Down", "space"});
        const QRect picked = cell(PaletteOrigin, 2, 1);
        QVERIFY2(h.waitFor([&] { return h.grab(inner(ButtonPictures[0])) == h.grab(inner(picked)); }),
                 "Space on the palette did not give the left button its outlined cell");
        QCOMPARE(h.grab(inner(cell(ViewOrigin, 2, 2))), turned);
        h.keys({"ctrl+f"});
        QVERIFY2(h.waitFor([&] { return h.grab(inner(cell(ViewOrigin, 4, 5))) == h.grab(inner(picked)); }),
                 "Ctrl+F did not fill the blank spaces");
        QCOMPARE(h.grab(inner(cell(ViewOrigin, 1, 1))), h.grab(inner(plainCell)));
    }

    void openForeignDocument()
    {
        // A 3 x 3 maptile as a painting program writes it: the left space column opaque orange,
        // the right one fully transparent, the middle one half transparent blue; nothing of this
        // program's in it. Opened with the open button ten times in a row, painted over between,
        // it shows each time, its transparent parts in the colour of a blank space.
        const QRgb columns[] = {qRgba(250, 140, 0, 255), qRgba(0, 0, 255, 128), qRgba(0, 0, 0, 0)};
        QImage merged(432, 432, QImage::Format_ARGB32);
        for (int y = 0; y < 432; ++y)
            for (int x = 0; x < 432; ++x)
                merged.setPixel(x, y, columns[x / 144]);
        const QString path = h.workDir() + "/foreign.ora";
        TestImages::writeText(path, TestZip::foreignDocument(merged));
        const QRect opaque = inner(cell(ViewOrigin, 0, 0));
        const QPoint clear = inner(cell(ViewOrigin, 2, 1)).center();
        const QRgb blank = h.pixelAt(clear), orange = qRgb(250, 140, 0);
        for (int time = 1; time <= 10; ++time) {
            const QString when = u", time %1"_s.arg(time);
            QVERIFY2(paint(opaque), "a press on the working view painted nothing");
            h.click(OpenButton);
            QVERIFY2(answer(u"d"_s), qPrintable("opening over the change asked nothing" + when));
            QVERIFY2(answer(u"Return"_s, u"Open"_s, path), qPrintable("the Open dialog did not take the name" + when));
            QVERIFY2(h.waitFor([&] { return h.pixelAt(opaque.center()) == orange && h.pixelAt(clear) == blank; }),
                     qPrintable("the document does not show" + when));
        }
    }

    // Keeping work, as a user goes: clearing over a change asks, Cancel keeps it and Discard drops it; Ctrl+S
    // asks for a name once, then writes back in place; the title names the document and marks changes; and
    // quitting over a change asks, Save writing it before the end.
    void keepingWork()
    {
        const QString path = h.workDir() + "/crypt12.ora";
        const QRect space = inner(cell(ViewOrigin, 1, 3));
        const QImage blank = h.grab(space);
        QCOMPARE(h.title(h.mainWindow()), u"Cryptwright"_s);
        QVERIFY2(paint(space), "a press on the working view painted nothing");
        const QImage painted = h.grab(space);
        h.keys({"ctrl+n"});
        QVERIFY2(answer(u"Escape"_s), "clearing the changed maptile asked nothing");
        QVERIFY2(h.grab(space) == painted, "Cancel cleared the maptile");
        h.click(Guide); // without a window manager, keys go to the window clicked last
        h.keys({"ctrl+n"});
        QVERIFY2(answer(u"d"_s), "clearing the changed maptile asked nothing the second time");
        QVERIFY2(h.waitFor([&] { return h.grab(space) == blank; }), "Discard did not clear the maptile");

        QVERIFY2(paint(space), "a press on the working view painted nothing");
        h.keys({"ctrl+s"});
        QVERIFY2(answer(u"Return"_s, u"Save As"_s, path), "Ctrl+S on a new maptile asked for no name");
        QVERIFY2(titleIs(u"crypt12.ora – Cryptwright"_s), qPrintable(h.title(h.mainWindow())));
        const QByteArray first = TestImages::readAll(path);
        QVERIFY2(paint(space, Qt::RightButton), "the right button painted nothing");
        QVERIFY2(titleIs(u"crypt12.ora* – Cryptwright"_s), qPrintable(h.title(h.mainWindow())));
        h.keys({"ctrl+s"});
        QVERIFY2(titleIs(u"crypt12.ora – Cryptwright"_s), "Ctrl+S left the change unsaved");
        QVERIFY2(!h.waitForWindow(u"Save As"_s, 0).id, "Ctrl+S on a document asked for a name");
        const QByteArray second = TestImages::readAll(path);
        QVERIFY2(first.startsWith("PK") && second != first, "the document was not written again");
        QVERIFY2(paint(space), "a press on the working view painted nothing");
        h.close();
        QVERIFY2(answer(u"s"_s), "quitting with a change asked nothing");
        QVERIFY2(h.waitForExit(), "the program did not end once the maptile was saved");
        QVERIFY2(TestImages::readAll(path) != second, "Save on quitting did not write the document");
    }

    // Killed after changes, the program offers them at the next start: the maptile with its
    // speed values and texts, and the tileset with its emptied cell, as they were.
    void nothingIsLostOnACrash()
    {
        // Exactly twenty changes, the twentieth of which has them written.
        showSlotA();
        h.click(cell(PaletteOrigin, 6, 0).center());
        h.keys({"Delete"}); // the left button's cell
        // A speed value typed into the list and confirmed.
        const QRect speedSpace = cell(ViewOrigin, 3, 1), field = speedSpace.adjusted(1, 1, -33, -27);
        const QImage shot = h.grab();
        h.click(speedSpace.center(), Qt::LeftButton, "ctrl");
        QVERIFY2(h.waitForChange(field, shot.copy(field)), "Ctrl+click showed no speed-value list");
        h.click(field.center());
        h.keys({"ctrl+a", "3", "Return"});
        QVERIFY2(h.waitFor([&] { return h.grab(field) == shot.copy(field); }), "Enter left the list open");
        h.click(MapNumBox);
        h.type("12");
        for (int i = 0; i < 16; ++i)
            h.click(inner(cell(ViewOrigin, i % 5, 2 + i / 5)).center(), Qt::RightButton);
        const auto sessionList = [&] {
            return QDirIterator(h.recoveryDir(), {"recovery.json"}, QDir::Files, QDirIterator::Subdirectories)
                .hasNext();
        };
        QVERIFY2(h.waitFor(sessionList), "the changes were not written for recovery");
        // The same pointer, outlines and focus before and after, so that only the work can differ.
        const QPoint paletteOutline = cell(PaletteOrigin, 1, 1).topLeft() + QPoint(24, 0);
        const auto settle = [&] {
            showSlotA();
            h.click(cell(PaletteOrigin, 1, 1).center(), Qt::RightButton);
            h.pointer({inner(cell(ViewOrigin, 0, 0)).center()});
            return h.waitFor([&] { return outlineOn(0, 0) && h.pixelAt(paletteOutline) == qRgb(255, 0, 0); });
        };
        QVERIFY2(settle(), "the outlines did not follow the pointer");
        const QImage before = h.grab();

        h.crash();
        QVERIFY2(h.launch(program(), true), "the program did not start again");
        QVERIFY2(answer(u"r"_s), "the next start offered nothing to restore");
        QVERIFY2(settle(), "the outlines did not follow the pointer");
        h.waitFor([&] { return h.grab(View) == before.copy(View); });
        const QImage after = h.grab();
        for (const QRect &box : {View, Palette, TextBoxes[0], TextBoxes[1]})
            QCOMPARE(after.copy(box), before.copy(box));
        // Restored work is unsaved, and kept again; a clean end leaves none of it behind.
        QVERIFY2(h.waitFor(sessionList), "the restored work was not kept again");
        h.kill();
        QVERIFY2(QDir(h.recoveryDir()).isEmpty(), "a clean end left work for the next start");
    }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_e2e.moc"
