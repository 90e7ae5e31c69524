#include "E2eHarness.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QTest>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// Places in the main window, in its client coordinates.
constexpr QPoint ViewOrigin{344, 32}, PaletteOrigin{4, 84};
constexpr int Space = 48;
constexpr QRect View{ViewOrigin, QSize(5 * Space, 6 * Space)};
constexpr QRect ButtonPictures[] = {{188, 32, 48, 48}, {240, 32, 48, 48}, {292, 32, 48, 48}}; // left, middle, right
constexpr QPoint SetButtonA{25, 289}, SetButtonD{279, 289}, TransButtonD{308, 289}, MapNumBox{272, 12},
    DesignerBox{466, 12}, OpenButton{36, 12}, SaveButton{60, 12}, PreviewButton{84, 12};
constexpr QRgb Grid = qRgb(4, 2, 252);
// Places in the transparency window.
constexpr QPoint NoTransparency{16, 16}, TransparentBackground{16, 40}, TransparencyOk{236, 16};
constexpr QRect ExampleObject{80, 128, 45, 45}, ExampleResult{148, 128, 45, 45};

// A space of the working view or a cell of the palette.
QRect cell(QPoint origin, int column, int row) { return {origin + QPoint(column, row) * Space, QSize(Space, Space)}; }

// The part of a cell that shows only the subtile: clear of grid lines,
// outlines, letter labels and the corner where a speed value is printed.
QRect inner(const QRect &cell) { return cell.adjusted(16, 16, -3, -3); }

// Pixels of image that pass test.
qsizetype count(const QImage &image, const std::function<bool(QRgb)> &test)
{
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
    return std::count_if(pixels, pixels + image.width() * image.height(), test);
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
        QVERIFY2(h.waitFor([&] { return h.pixelAt(cell(PaletteOrigin, 1, 2).topLeft() + QPoint(0, 24)) == Grid; }),
                 "slot A's palette did not come to the front");
    }

    // Waits for the dialog titled title, types text into it and presses
    // Return; false unless the dialog opens, takes the keys and then closes.
    bool answer(const QString &title, const QString &text = {})
    {
        const E2eHarness::Window dialog = h.waitForWindow(title);
        if (!dialog.id || !h.waitForFocus(dialog))
            return false;
        h.type(text);
        h.keys({"Return"});
        return h.waitForWindowClosed(dialog);
    }

private slots:
    void initTestCase() { QVERIFY2(h.startServer(), "Xvfb gave no usable display"); }
    // The install check points the cases at an installed copy instead. A program that shows no
    // window tells why in its output.
    void init()
    {
        const QString program = qEnvironmentVariable("CRYPTWRIGHT_E2E_PROGRAM", CRYPTWRIGHT_PROGRAM);
        QVERIFY2(h.launch(program), qPrintable(program + " showed no main window. Its output:\n" + h.output()));
    }

    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            const QString file = QDir::current().absoluteFilePath(u"e2e-%1.png"_s.arg(QTest::currentTestFunction()));
            h.grabScreen().save(file);
            qInfo("Screen saved to %s. Program output:\n%s", qPrintable(file), qPrintable(h.output()));
        }
        h.kill();
        const QString report = h.sanitizerReport();
        QVERIFY2(report.isEmpty(), qPrintable(report));
    }

    void startUp()
    {
        const QRect window = h.mainWindow().geometry;
        QVERIFY2(window.size() == QSize(588, 325)
                     && (window.center() - QRect({}, E2eHarness::ScreenSize).center()).manhattanLength() <= 2,
                 "the main window is not 588 x 325, centred on the screen");
        // A black window; a blank 5 x 6 maptile of one neutral light grey with the grid along every edge of
        // every space. Space (0, 0) holds the outline, the rows above the bottom edge the credit line.
        const QImage shot = h.grab();
        const QRgb blank = shot.pixel(cell(ViewOrigin, 2, 2).center());
        QVERIFY2(qRed(blank) == qGreen(blank) && qGreen(blank) == qBlue(blank) && qAbs(qRed(blank) - 221) <= 29,
                 qPrintable(QColor(blank).name()));
        QImage expected = shot;
        for (int y = View.top() - 2; y <= View.bottom() + 1; ++y) {
            for (int x = View.left() - 2; x <= View.right() + 1; ++x) {
                const QPoint in = QPoint(x, y) - ViewOrigin;
                const bool edge = (in.x() + 1) % Space < 2 || (in.y() + 1) % Space < 2;
                if ((in.x() >= Space || in.y() >= Space) && (in.y() < View.height() - 8 || in.y() >= View.height() - 1))
                    expected.setPixel(x, y, !View.contains(x, y) ? qRgb(0, 0, 0) : edge ? Grid : blank);
            }
        }
        QCOMPARE(shot, expected);
        // Slot H's empty palette lies in front: the blank grey, without a grid.
        QCOMPARE(count(shot.copy(QRect(PaletteOrigin, QSize(336, 192)).adjusted(56, 56, -6, -24)),
                       [&](QRgb p) { return p != blank; }), 0);
        // From the first moment the buttons show slot A's subtiles: left column 6
        // row 0, middle column 6 row 3, right column 1 row 1.
        showSlotA();
        const QRect assigned[] = {cell(PaletteOrigin, 6, 0), cell(PaletteOrigin, 6, 3), cell(PaletteOrigin, 1, 1)};
        for (int button = 0; button < 3; ++button)
            QCOMPARE(shot.copy(inner(ButtonPictures[button])), h.grab(inner(assigned[button])));
    }

    void painting()
    {
        showSlotA();
        const QImage palette = h.grab();
        const QRgb blank = palette.pixel(cell(ViewOrigin, 2, 2).center());
        const auto ink = [&](QRgb p) { return p != blank && p != Grid; };
        // The right button takes column 2 row 1; each button then lays its subtile as its palette cell shows it.
        h.click(cell(PaletteOrigin, 2, 1).center(), Qt::RightButton);
        for (const auto &[space, button, subtile] : {std::tuple(QPoint(1, 1), Qt::LeftButton, QPoint(6, 0)),
                                                     std::tuple(QPoint(2, 3), Qt::RightButton, QPoint(2, 1))}) {
            const QRect shown = inner(cell(ViewOrigin, space.x(), space.y()));
            const QImage expected = palette.copy(inner(cell(PaletteOrigin, subtile.x(), subtile.y())));
            h.click(shown.center(), button);
            QVERIFY2(h.waitFor([&] { return h.grab(shown) == expected; }), "the view does not show the laid subtile");
        }

        // Ctrl+click on a blank space opens the speed-value list on it; its arrow drops it down, and the last
        // item, "X", taken with the keyboard, is printed in the upper right corner, outlined in black.
        const QRect speedSpace = cell(ViewOrigin, 3, 1), corner = speedSpace.adjusted(24, 2, -2, -30);
        const QRect field = speedSpace.adjusted(1, 1, -33, -27); // the list's edit field
        const QRect below = cell(ViewOrigin, 3, 2).adjusted(2, 2, -2, -36); // where it drops down
        const QImage before = h.grab();
        h.click(speedSpace.center(), Qt::LeftButton, "ctrl");
        QVERIFY2(h.waitForChange(field, before.copy(field)), "Ctrl+click showed no speed-value list");
        h.click(speedSpace.topLeft() + QPoint(38, 10));
        QVERIFY2(h.waitForChange(below, before.copy(below)), "the speed-value list did not drop down");
        h.keys({"End", "Return"});
        const auto dark = [&](QRgb p) { return qGray(p) < qGray(blank) - 64; };
        QVERIFY2(h.waitFor([&] { return h.grab(field) == before.copy(field) && count(h.grab(corner), dark) > 0; }),
                 "no speed value appeared in the corner, or the list stayed open");

        // A maptile number puts the door badge in the upper left corner; the designer's name
        // lengthens the credit line under the maptile.
        const QRect badge(ViewOrigin + QPoint(4, 4), QSize(9, 15));
        const QRect credit(View.left(), View.bottom() - 6, View.width(), 7);
        const qsizetype creditInk = count(h.grab(credit), ink);
        QVERIFY(count(h.grab(badge), ink) == 0 && creditInk > 20);
        h.click(MapNumBox);
        h.type("12");
        h.click(DesignerBox);
        h.type("Ann Example");
        QVERIFY2(h.waitFor([&] { return count(h.grab(badge), ink) > 45; }), "the maptile number shows no badge");
        QVERIFY2(h.waitFor([&] { return count(h.grab(credit), ink) > creditInk + 40; }), "the credit did not grow");
    }

    void transparency()
    {
        // Slot D's objects stand on magenta, its key colour; the left button takes one.
        const auto isMagenta = [](QRgb p) { return p == qRgb(255, 0, 255); };
        const auto isBlue = [](QRgb p) { return p == qRgb(0, 0, 255); };
        const QRect object = cell(PaletteOrigin, 2, 0), space = inner(cell(ViewOrigin, 4, 4)); // clear of the window
        h.click(SetButtonD);
        QVERIFY2(h.waitFor([&] { return count(h.grab(inner(object)), isMagenta) > 0; }), "slot D is not in front");
        h.click(object.center());
        const QImage blankSpace = h.grab(space);
        h.click(TransButtonD);
        const E2eHarness::Window window = h.waitForWindow(u"Transparency Options"_s);
        QVERIFY2(window.id, "the transparency button opened no window");
        h.setTarget(window);
        // The example lays the object, which stands on pure blue, over the floor: whole, then keyed.
        for (const auto &[option, keyed] : {std::pair(NoTransparency, false), std::pair(TransparentBackground, true)}) {
            h.click(option);
            QVERIFY2(h.waitFor([&, keyed = keyed] {
                const QImage sample = h.grab(ExampleObject), example = h.grab(ExampleResult);
                return count(sample, isBlue) > 0 && (keyed ? count(example, isBlue) == 0 : example == sample);
            }), "the example does not follow the chosen mode");
        }
        h.click(TransparencyOk);
        QVERIFY2(h.waitForWindowClosed(window), "OK left the transparency window open");
        h.setTarget(h.mainWindow());
        h.click(space.center());
        QVERIFY2(h.waitForChange(space, blankSpace), "a press on the working view painted nothing");
        QCOMPARE(count(h.grab(space), isMagenta), 0);
    }

    void saveOpenAndPreview()
    {
        // A subtile and a maptile number, saved through the real dialogs with the keyboard; Return takes
        // the JPEG options as they come.
        const QRect space = inner(cell({}, 1, 1)), badge(4, 4, 9, 15); // in the view
        const QImage blank = h.grab(View);
        h.click(MapNumBox);
        h.type("7");
        h.click(View.topLeft() + space.center());
        QVERIFY2(h.waitFor([&] {
            const QImage now = h.grab(View);
            return now.copy(space) != blank.copy(space) && now.copy(badge) != blank.copy(badge);
        }), "neither the subtile nor the maptile number showed");
        const QImage saved = h.grab(View);
        const QString jpeg = h.workDir() + "/maptile.jpg", bitmap = h.workDir() + "/maptile.bmp";
        for (const QString &path : {jpeg, bitmap}) {
            h.click(SaveButton);
            QVERIFY2(answer(u"Save As"_s, path), qPrintable("the Save As dialog did not take " + path));
            if (path == jpeg)
                QVERIFY2(answer(u" Jpeg Save Options"_s), "the JPEG options did not take Return");
            QVERIFY2(h.waitFor([&] { return QFileInfo::exists(path); }), qPrintable(path + " was not written"));
        }
        // Paint over the space, then open the bitmap: the view shows the saved maptile again.
        h.click(View.topLeft() + space.center(), Qt::RightButton);
        QVERIFY2(h.waitForChange(View, saved), "the right button painted nothing");
        h.click(OpenButton);
        QVERIFY2(answer(u"Open"_s, bitmap), "the Open dialog did not take the bitmap's name");
        QVERIFY2(h.waitFor([&] { return h.grab(View) == saved; }), "the working view does not show the bitmap");

        // The preview, at the screen's top-left, shows what was saved: the bitmap exactly, the JPEG within its loss.
        const QImage written = QImage(bitmap, "BMP").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(written.size(), QSize(5, 6) * 144);
        h.click(PreviewButton);
        const E2eHarness::Window preview = h.waitForWindow(u"Cryptwright Preview"_s);
        QVERIFY2(preview.id && preview.geometry.topLeft() == QPoint(0, 0), "the preview did not open at the top left");
        h.setTarget(preview);
        QVERIFY2(h.waitFor([&] { return h.grab(written.rect()) == written; }), "the bitmap differs from the preview");
        // Scaled to one pixel, the difference of the two gives their mean difference.
        QImage difference = written;
        QPainter painter(&difference);
        painter.setCompositionMode(QPainter::CompositionMode_Difference);
        painter.drawImage(0, 0, QImage(jpeg, "JPEG"));
        painter.end();
        const int loss = qGray(difference.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0));
        QVERIFY2(loss < 8, qPrintable(u"the saved JPEG differs from the preview by %1 on average"_s.arg(loss)));
    }

    void undoAndRedo()
    {
        showSlotA();
        const QRect space = inner(cell(ViewOrigin, 2, 2));
        const QImage blank = h.grab(space);
        h.click(space.center());
        QVERIFY2(h.waitForChange(space, blank), "a press on the working view painted nothing");
        const QImage painted = h.grab(space);
        h.keys({"ctrl+z"});
        QVERIFY2(h.waitFor([&] { return h.grab(space) == blank; }), "Ctrl+Z did not take the subtile back");
        h.keys({"ctrl+shift+z"});
        QVERIFY2(h.waitFor([&] { return h.grab(space) == painted; }), "Ctrl+Shift+Z did not lay it again");
        h.keys({"ctrl+z"});
        QVERIFY(h.waitFor([&] { return h.grab(space) == blank; }));
        h.keys({"ctrl+y"});
        QVERIFY2(h.waitFor([&] { return h.grab(space) == painted; }), "Ctrl+Y did not redo");
    }

    void dropFiles()
    {
        // A tileset of one colour, a maptile of 3 x 3 spaces of another, and a file that is no picture.
        const QRgb green = qRgb(0, 200, 0), orange = qRgb(250, 140, 0);
        const QString tileset = h.workDir() + "/green.png", maptile = h.workDir() + "/orange.bmp";
        const QString notes = h.workDir() + "/notes.txt";
        QImage picture(1008, 576, QImage::Format_RGB32);
        picture.fill(green);
        QVERIFY(picture.save(tileset));
        picture = QImage(432, 432, QImage::Format_RGB32);
        picture.fill(orange);
        QVERIFY(picture.save(maptile));
        QFile text(notes);
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("words") == 5);
        text.close();

        const QPoint paletteCell = PaletteOrigin + inner(cell({}, 3, 1)).center();
        const QPoint viewSpace = View.topLeft() + inner(cell({}, 1, 1)).center();
        QCOMPARE(drag(tileset, paletteCell, [&] { return h.pixelAt(paletteCell) == green; }), u"dropped"_s);
        QCOMPARE(drag(maptile, viewSpace, [&] { return h.pixelAt(viewSpace) == orange; }), u"dropped"_s);
        // The view has shrunk to 3 x 3 spaces: black beyond them.
        QCOMPARE(h.pixelAt(View.topLeft() + cell({}, 4, 4).center()), qRgb(0, 0, 0));
        const QRect space = inner(cell(ViewOrigin, 0, 0));
        const QImage before = h.grab(space);
        QCOMPARE(drag(notes, space.center(), [] { return true; }), u"ignored"_s);
        QCOMPARE(h.grab(space), before);
    }

private:
    // Drags path from a window that offers it as a file manager does onto `at` in the main
    // window; what the drag source saw ("dropped" or "ignored"), and "not taken" when done()
    // did not come true. The source stays until then: the program reads the file's name from it.
    QString drag(const QString &path, QPoint at, const std::function<bool()> &done)
    {
        QProcess source;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "xcb");
        source.setProcessEnvironment(environment);
        source.start(CRYPTWRIGHT_DRAG_SOURCE, {path});
        const E2eHarness::Window window = h.waitForWindow(u"Drag source"_s);
        if (!window.id) {
            source.kill();
            source.waitForFinished();
            return u"no drag source"_s;
        }
        // The pointer goes through the source window's client coordinates.
        const QPoint start = window.geometry.center() - h.mainWindow().geometry.topLeft();
        h.pointer({start, start + QPoint(20, 20), (start + at) / 2, at - QPoint(5, 5), at}, Qt::LeftButton, {}, 150);
        source.waitForReadyRead(E2eHarness::TimeoutMs);
        QString seen = QString::fromLocal8Bit(source.readAllStandardOutput()).trimmed();
        if (!h.waitFor(done))
            seen = u"not taken"_s;
        source.kill();
        source.waitForFinished();
        return seen;
    }
};

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_e2e.moc"
