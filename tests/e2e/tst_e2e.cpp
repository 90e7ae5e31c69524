#include "E2eHarness.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <algorithm>

namespace {

// Places in the main window, in its client coordinates.
constexpr QPoint ViewOrigin{344, 32};
constexpr int Space = 48;
constexpr QRect View{ViewOrigin, QSize(5 * Space, 6 * Space)};
constexpr QPoint PaletteOrigin{4, 84};
constexpr QRect ButtonPictures[] = {{188, 32, 48, 48}, {240, 32, 48, 48}, {292, 32, 48, 48}}; // left, middle, right
constexpr QPoint SetButtonA{25, 289}, MapNumBox{272, 12}, DesignerBox{466, 12};
constexpr QPoint SetButtonD{279, 289}, TransButtonD{308, 289}, OpenButton{36, 12}, SaveButton{60, 12},
    PreviewButton{84, 12};
constexpr QRgb Grid = qRgb(4, 2, 252), Black = qRgb(0, 0, 0);
// Places in the transparency window.
constexpr QPoint NoTransparency{16, 16}, TransparentBackground{16, 40}, TransparencyOk{236, 16};
constexpr QRect ExampleObject{80, 128, 45, 45}, ExampleResult{148, 128, 45, 45};

bool isMagenta(QRgb p) { return p == qRgb(255, 0, 255); }
bool isBlue(QRgb p) { return p == qRgb(0, 0, 255); }

// A space of the working view or a cell of the palette.
QRect cell(QPoint origin, int column, int row)
{
    return QRect(origin + QPoint(column, row) * Space, QSize(Space, Space));
}

// The part of a cell that shows only the subtile: clear of grid lines,
// outlines, letter labels and the corner where a speed value is printed.
QRect inner(const QRect &cell)
{
    return cell.adjusted(16, 16, -3, -3);
}

// Pixels of image (as grabbed: 32-bit, rows without padding) that pass test.
qsizetype count(const QImage &image, const std::function<bool(QRgb)> &test)
{
    const auto *pixels = reinterpret_cast<const QRgb *>(image.constBits());
    return std::count_if(pixels, pixels + image.width() * image.height(), test);
}

// The mean difference of two opaque 32-bit images per colour channel; the
// largest possible when their sizes differ.
double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return 255;
    qint64 sum = 0;
    for (qsizetype i = 0; i < a.sizeInBytes(); ++i)
        sum += abs(a.constBits()[i] - b.constBits()[i]);
    return double(sum) / (3.0 * a.width() * a.height());
}

// The insides of every space of a grab of the working view.
QList<QImage> insides(const QImage &view)
{
    QList<QImage> parts;
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 5; ++column)
            parts << view.copy(inner(cell({}, column, row)));
    }
    return parts;
}

// The last column of strip showing neither blank nor grid, or -1.
int rightmostInk(const QImage &strip, QRgb blank)
{
    int x = strip.width() - 1;
    while (x >= 0 && count(strip.copy(x, 0, 1, strip.height()), [&](QRgb p) { return p != blank && p != Grid; }) == 0)
        --x;
    return x;
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
        const QPoint edge = cell(PaletteOrigin, 1, 2).topLeft() + QPoint(0, 24);
        QVERIFY2(h.waitFor([&] { return h.grab({edge, QSize(1, 1)}).pixel(0, 0) == Grid; }),
                 "slot A's palette did not come to the front");
    }

    // Waits for the dialog titled title, types text into it and presses
    // Return; false unless the dialog opens, takes the keys and then closes.
    bool answer(const QString &title, const QString &text = {})
    {
        const E2eHarness::Window dialog = h.waitForWindow(title);
        if (!dialog.id || !h.waitForFocus(dialog))
            return false;
        if (!text.isEmpty())
            h.type(text);
        h.keys({"Return"});
        return h.waitForWindowClosed(dialog);
    }

private slots:
    void initTestCase() { QVERIFY(h.startServer()); }
    // The install check points the cases at an installed copy instead.
    void init() { QVERIFY(h.launch(qEnvironmentVariable("CRYPTWRIGHT_E2E_PROGRAM", QStringLiteral(CRYPTWRIGHT_PROGRAM)))); }

    void cleanup()
    {
        if (QTest::currentTestFailed()) {
            const QString file = QDir::current().absoluteFilePath(
                QStringLiteral("e2e-%1.png").arg(QTest::currentTestFunction()));
            h.grabScreen().save(file);
            qInfo("Screen saved to %s. Program output:\n%s", qPrintable(file), qPrintable(h.output()));
        }
        h.kill();
    }

    void startUp();
    void painting();
    void transparency();
    void saveAndOpen();
};

void EndToEndTest::startUp()
{
    const QRect window = h.mainWindow().geometry;
    QCOMPARE(window.size(), QSize(588, 325));
    QVERIFY2((window.center() - QRect({}, E2eHarness::ScreenSize).center()).manhattanLength() <= 2,
             "the main window is not centred on the screen");

    const QImage shot = h.grab();
    for (const QPoint bare : {QPoint(341, 150), QPoint(586, 200), QPoint(450, 322)})
        QCOMPARE(shot.pixel(bare), Black);

    // A blank 5 x 6 maptile of one neutral light grey, the grid along every
    // edge of every space and nothing beyond the view. Space (0, 0) holds the
    // outline, the rows above the bottom edge the credit line.
    const QRgb blank = shot.pixel(cell(ViewOrigin, 2, 2).center());
    QVERIFY2(qRed(blank) == qGreen(blank) && qGreen(blank) == qBlue(blank) && qRed(blank) >= 192 && qRed(blank) <= 250,
             qPrintable(QColor(blank).name()));
    for (int y = View.top(); y <= View.bottom() + 1; ++y) {
        for (int x = View.left(); x <= View.right() + 1; ++x) {
            const QPoint in = QPoint(x, y) - ViewOrigin;
            if (cell(ViewOrigin, 0, 0).contains(x, y) || (y > View.bottom() - 8 && y < View.bottom()))
                continue;
            const bool edge = (in.x() + 1) % Space < 2 || (in.y() + 1) % Space < 2;
            const QRgb expected = !View.contains(x, y) ? Black : edge ? Grid : blank;
            const QString where = QStringLiteral("view pixel %1,%2 is %3").arg(in.x()).arg(in.y());
            QVERIFY2(shot.pixel(x, y) == expected, qPrintable(where.arg(QColor(shot.pixel(x, y)).name())));
        }
    }

    // Slot H's empty palette lies in front: the blank grey, without a grid.
    const QRect paletteBody = QRect(PaletteOrigin, QSize(336, 192)).adjusted(56, 56, -6, -24);
    QCOMPARE(count(shot.copy(paletteBody), [&](QRgb p) { return p != blank; }), 0);

    // From the first moment the buttons show slot A's subtiles: left column 6
    // row 0, middle column 6 row 3, right column 1 row 1.
    showSlotA();
    const QRect assigned[] = {cell(PaletteOrigin, 6, 0), cell(PaletteOrigin, 6, 3), cell(PaletteOrigin, 1, 1)};
    for (int button = 0; button < 3; ++button)
        QCOMPARE(shot.copy(inner(ButtonPictures[button])), h.grab(inner(assigned[button])));
}

void EndToEndTest::painting()
{
    showSlotA();
    const QImage palette = h.grab();
    const QRgb blank = palette.pixel(cell(ViewOrigin, 2, 2).center());

    // The right button takes column 2 row 1, unlike the left button's column 6 row 0.
    const QRect leftCell = cell(PaletteOrigin, 6, 0), rightCell = cell(PaletteOrigin, 2, 1);
    QVERIFY(palette.copy(inner(leftCell)) != palette.copy(inner(rightCell)));
    h.click(rightCell.center(), Qt::RightButton);
    QVERIFY2(h.waitFor([&] { return h.grab(inner(ButtonPictures[2])) == palette.copy(inner(rightCell)); }),
             "the right button did not take the picked subtile");

    // Each button lays its subtile, which the view shows as its palette cell does.
    const struct { QRect space; Qt::MouseButton button; QRect cell; } strokes[] = {
        {cell(ViewOrigin, 1, 1), Qt::LeftButton, leftCell}, {cell(ViewOrigin, 2, 3), Qt::RightButton, rightCell}};
    for (const auto &[target, button, cell] : strokes) {
        const QImage before = h.grab(inner(target));
        h.click(target.center(), button);
        QVERIFY2(h.waitForChange(inner(target), before), "a press on the working view painted nothing");
        QVERIFY2(h.grab(inner(target)) == palette.copy(inner(cell)),
                 qPrintable(QStringLiteral("space %1,%2 shows another subtile").arg(target.x()).arg(target.y())));
    }

    // Ctrl+click on the blank space (3, 1) opens the speed-value list on its corner and paints nothing.
    const QRect speedSpace = cell(ViewOrigin, 3, 1);
    const QRect listLeft(speedSpace.topLeft() + QPoint(1, 1), QSize(14, 19));
    const QRect lowerPart = speedSpace.adjusted(1, 24, -1, -1);
    const QImage beforeList = h.grab();
    h.click(speedSpace.center(), Qt::LeftButton, "ctrl");
    QVERIFY2(h.waitForChange(listLeft, beforeList.copy(listLeft)), "Ctrl+click showed no speed-value list");
    QCOMPARE(h.grab(lowerPart), beforeList.copy(lowerPart));

    // Drop the list down with its arrow and take the last item, "X", with the keyboard.
    const QRect dropDown(speedSpace.left(), speedSpace.top() + 21, 45, 40);
    const QImage closed = h.grab(dropDown);
    h.click(speedSpace.topLeft() + QPoint(38, 10));
    QVERIFY2(h.waitForChange(dropDown, closed), "the speed-value list did not drop down");
    h.keys({"End", "Return"});
    QVERIFY2(h.waitFor([&] { return h.grab(listLeft) == beforeList.copy(listLeft); }),
             "choosing a speed value left the list open");

    // The value is printed in the space's upper right corner, outlined in black; the rest of the space stays blank.
    const QRect corner = speedSpace.adjusted(24, 1, -1, -30);
    QVERIFY2(h.waitForChange(corner, beforeList.copy(corner)), "no speed value appeared in the corner");
    QVERIFY(count(h.grab(corner), [&](QRgb p) { return qGray(p) < qGray(blank) - 64; }) > 0);
    QCOMPARE(h.grab(lowerPart), beforeList.copy(lowerPart));

    // A maptile number puts the door badge in the upper left corner, its key
    // colour left out; nothing is there without one.
    const QRect badge(ViewOrigin + QPoint(4, 4), QSize(9, 15));
    const QImage noBadge = h.grab(badge);
    QCOMPARE(count(noBadge, [&](QRgb p) { return p != blank; }), 0);
    h.click(MapNumBox);
    h.type("12");
    QVERIFY2(h.waitForChange(badge, noBadge), "typing a maptile number showed no badge");
    const QImage door = h.grab(badge);
    QVERIFY2(count(door, [&](QRgb p) { return p != blank; }) > door.width() * door.height() / 3,
             "the maptile number shows without its door");
    const auto isKey = [](QRgb p) { return std::max({qRed(p), abs(qGreen(p) - 128), abs(qBlue(p) - 192)}) < 16; };
    QCOMPARE(count(door, isKey), 0);

    // The designer's name lengthens the credit line, which starts at the left edge.
    const QRect creditStrip(View.left(), View.bottom() - 6, View.width(), 7);
    const int creditEnd = rightmostInk(h.grab(creditStrip), blank);
    QVERIFY2(creditEnd > 10, "there is no credit line under the maptile");
    h.click(DesignerBox);
    h.type("Ann Example");
    QVERIFY2(h.waitFor([&] { return rightmostInk(h.grab(creditStrip), blank) >= creditEnd + 20; }),
             "the credit line did not grow with the designer's name");
    QVERIFY(rightmostInk(h.grab(creditStrip).copy(0, 0, 4, 7), blank) >= 0);
}

void EndToEndTest::transparency()
{
    // Slot D's objects stand on magenta, its key colour; the left button takes one.
    h.click(SetButtonD);
    const QRect object = cell(PaletteOrigin, 2, 0);
    QVERIFY2(h.waitFor([&] { return count(h.grab(inner(object)), isMagenta) > 0; }),
             "slot D's palette did not come to the front");
    const QImage palette = h.grab();
    h.click(object.center());
    QVERIFY2(h.waitFor([&] { return h.grab(inner(ButtonPictures[0])) == palette.copy(inner(object)); }),
             "the left button did not take slot D's object");

    // Spaces clear of the transparency window, so that none shows what it covered.
    const struct { QPoint option; bool keyed; QRect space; } modes[] = {
        {NoTransparency, false, cell(ViewOrigin, 3, 2)}, {TransparentBackground, true, cell(ViewOrigin, 4, 4)}};
    for (const auto &[option, keyed, space] : modes) {
        const QImage blankSpace = h.grab(inner(space));
        h.click(TransButtonD);
        const E2eHarness::Window window = h.waitForWindow(QStringLiteral("Transparency Options"));
        QVERIFY2(window.id, "the transparency button opened no window");
        h.setTarget(window);
        h.click(option);
        // The example lays the object, which stands on pure blue, over the floor by the chosen mode.
        QVERIFY2(h.waitFor([&, keyed = keyed] {
            const QImage sample = h.grab(ExampleObject), example = h.grab(ExampleResult);
            return count(sample, isBlue) > 0 && (keyed ? count(example, isBlue) == 0 : example == sample);
        }), "the example does not follow the chosen mode");
        h.click(TransparencyOk);
        QVERIFY2(h.waitForWindowClosed(window), "OK left the transparency window open");
        h.setTarget(h.mainWindow());

        h.click(space.center());
        QVERIFY2(h.waitForChange(inner(space), blankSpace), "a press on the working view painted nothing");
        if (keyed)
            QCOMPARE(count(h.grab(inner(space)), isMagenta), 0);
        else
            QCOMPARE(h.grab(inner(space)), palette.copy(inner(object)));
    }
}

void EndToEndTest::saveAndOpen()
{
    showSlotA();
    const QImage palette = h.grab();
    for (const QRect &space : {cell(ViewOrigin, 1, 1), cell(ViewOrigin, 2, 4), cell(ViewOrigin, 4, 2)}) {
        const QImage before = h.grab(inner(space));
        h.click(space.center());
        QVERIFY2(h.waitForChange(inner(space), before), "a press on the working view painted nothing");
    }
    const QImage unnumbered = h.grab(View);
    h.click(MapNumBox);
    h.type("7");
    QVERIFY2(h.waitForChange(View, unnumbered), "the maptile number did not show");
    const QImage saved = h.grab(View);

    // Through the real dialogs with the keyboard; Return takes the JPEG options as they come.
    const QString jpegPath = QDir(h.workDir()).filePath("maptile.jpg");
    const QString bitmapPath = QDir(h.workDir()).filePath("maptile.bmp");
    for (const QString &path : {jpegPath, bitmapPath}) {
        h.click(SaveButton);
        QVERIFY2(answer(QStringLiteral("Save As"), path), qPrintable("the Save As dialog did not take " + path));
        if (path == jpegPath)
            QVERIFY2(answer(QStringLiteral(" Jpeg Save Options")), "the JPEG options did not take Return");
        QVERIFY2(h.waitFor([&] { return QFileInfo::exists(path); }), qPrintable(path + " was not written"));
    }
    const QImage jpeg = QImage(jpegPath, "JPEG").convertToFormat(QImage::Format_ARGB32);
    const QImage bitmap = QImage(bitmapPath, "BMP").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(bitmap.size(), QSize(5, 6) * 144);

    // The preview, at the screen's top-left, shows what was saved: the bitmap
    // exactly, the JPEG within its loss.
    h.click(PreviewButton);
    const E2eHarness::Window preview = h.waitForWindow(QStringLiteral("Cryptwright Preview"));
    QVERIFY2(preview.id, "the preview button opened no window");
    QCOMPARE(preview.geometry.topLeft(), QPoint(0, 0));
    h.setTarget(preview);
    const QRect image({}, bitmap.size());
    QVERIFY2(h.waitFor([&] { return h.grab(image) == bitmap; }), "the saved bitmap differs from the preview");
    const double loss = meanDifference(jpeg, h.grab(image));
    QVERIFY2(loss < 8, qPrintable(QStringLiteral("the saved JPEG differs from the preview by %1").arg(loss)));
    h.close(preview);
    QVERIFY2(h.waitForWindowClosed(preview), "the preview did not close");
    h.setTarget(h.mainWindow());

    // Paint over a space, then open the bitmap: the view shows the saved maptile again.
    const QRect space = cell(ViewOrigin, 1, 1), rightCell = cell(PaletteOrigin, 1, 1);
    h.click(space.center(), Qt::RightButton);
    QVERIFY2(h.waitFor([&] { return h.grab(inner(space)) == palette.copy(inner(rightCell)); }),
             "the right button did not paint over the space");
    h.click(OpenButton);
    QVERIFY2(answer(QStringLiteral("Open"), bitmapPath), "the Open dialog did not take the bitmap's name");
    QVERIFY2(h.waitFor([&] { return insides(h.grab(View)) == insides(saved); }),
             "the working view does not show the opened bitmap");
}

QTEST_GUILESS_MAIN(EndToEndTest)
#include "tst_e2e.moc"
