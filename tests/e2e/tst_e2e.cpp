#include "E2eHarness.h"
#include "XvfbServer.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>

#include <memory>

namespace {

// Places in the main window, in its client coordinates.
constexpr QPoint ViewOrigin{344, 32};
constexpr int Space = 48;
constexpr QSize DefaultGrid{5, 6};
constexpr QRect PaletteArea{4, 84, 336, 192};
constexpr QRect LeftPicture{188, 32, 48, 48};
constexpr QRect MiddlePicture{240, 32, 48, 48};
constexpr QRect RightPicture{292, 32, 48, 48};
constexpr QRect SetButtonA{4, 279, 43, 21};
constexpr QRect MapNumBox{256, 2, 33, 21};
constexpr QRect DesignerBox{400, 2, 133, 21};
constexpr QSize SpeedListSize{45, 21};
constexpr QRgb GridColour = qRgb(4, 2, 252);
constexpr QRgb Black = qRgb(0, 0, 0);
// The colour keyed out of the door badge.
constexpr QRgb DoorKey = qRgb(0, 128, 192);

QRect spaceRect(int column, int row)
{
    return QRect(ViewOrigin + QPoint(column, row) * Space, QSize(Space, Space));
}

QRect paletteCell(int column, int row)
{
    return QRect(PaletteArea.topLeft() + QPoint(column, row) * Space, QSize(Space, Space));
}

// The part of a cell that shows only the subtile: inside the grid lines and
// outlines, below the corner where a speed value is printed.
QRect subtileSample(const QRect &cell)
{
    return cell.adjusted(3, 16, -3, -3);
}

// The part of a button picture or palette cell clear of the letter labels
// and of the palette's outline.
QRect clearOfLabels(const QRect &cell)
{
    return cell.adjusted(16, 16, -1, -1);
}

bool isNeutralLightGrey(QRgb colour)
{
    return qRed(colour) == qGreen(colour) && qGreen(colour) == qBlue(colour) && qRed(colour) >= 192
           && qRed(colour) <= 250;
}

int countPixels(const QImage &image, const QRect &rect, const std::function<bool(QRgb)> &test)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

// The last column of a strip that shows something other than the blank
// colour and the grid; -1 when there is none.
int rightmostInk(const QImage &strip, QRgb blank)
{
    for (int x = strip.width() - 1; x >= 0; --x) {
        for (int y = 0; y < strip.height(); ++y) {
            const QRgb p = strip.pixel(x, y);
            if (p != blank && p != GridColour)
                return x;
        }
    }
    return -1;
}

// The cell of the front palette whose colour stands out most from both
// colours given, so that what is painted with it can be told apart.
QPoint mostDistinctCell(const QImage &shot, QColor blank, QColor avoid)
{
    QPoint best;
    int bestDistance = -1;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 7; ++column) {
            const QColor colour = E2eHarness::averageColour(shot, subtileSample(paletteCell(column, row)));
            const int distance = std::min(E2eHarness::colourDistance(colour, blank),
                                          E2eHarness::colourDistance(colour, avoid));
            if (distance > bestDistance) {
                bestDistance = distance;
                best = QPoint(column, row);
            }
        }
    }
    return best;
}

} // namespace

class EndToEndTest : public QObject
{
    Q_OBJECT

public:
    EndToEndTest(QStringList missingTools, QString serverError)
        : m_missingTools(std::move(missingTools))
        , m_serverError(std::move(serverError))
    {
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startUp();
    void painting();

private:
    E2eHarness &h() { return *m_harness; }
    // Presses slot A's letter button and waits for its palette, with grid, to come to the front.
    void showSlotA();

    QStringList m_missingTools;
    QString m_serverError;
    std::unique_ptr<E2eHarness> m_harness;
};

void EndToEndTest::initTestCase()
{
    if (!m_missingTools.isEmpty())
        QSKIP(qPrintable(QStringLiteral("missing %1; tools/setup installs them")
                             .arg(m_missingTools.join(QStringLiteral(", ")))));
    QVERIFY2(m_serverError.isEmpty(), qPrintable(m_serverError));
    QVERIFY2(QFileInfo(QStringLiteral(CRYPTWRIGHT_PROGRAM)).isExecutable(),
             "the program is not built: " CRYPTWRIGHT_PROGRAM);
}

void EndToEndTest::init()
{
    m_harness = std::make_unique<E2eHarness>(QStringLiteral(CRYPTWRIGHT_PROGRAM));
    QString error;
    QVERIFY2(m_harness->launch(&error), qPrintable(error));
}

void EndToEndTest::cleanup()
{
    if (QTest::currentTestFailed()) {
        const QString file = QDir::current().absoluteFilePath(
            QStringLiteral("e2e-%1.png").arg(QLatin1String(QTest::currentTestFunction())));
        m_harness->grab().save(file);
        qInfo("Screen saved to %s. Program output:\n%s", qPrintable(file), qPrintable(m_harness->output()));
    }
    m_harness.reset();
}

void EndToEndTest::showSlotA()
{
    h().click(SetButtonA.center().x(), SetButtonA.center().y());
    // The palette grid runs along every cell edge.
    const QRect cell = paletteCell(1, 2);
    QVERIFY2(h().waitFor([&] { return h().pixel(cell.left(), cell.center().y()) == GridColour; }),
             "slot A's palette did not come to the front");
}

void EndToEndTest::startUp()
{
    const QRect window = h().mainWindow().geometry;
    QCOMPARE(window.size(), QSize(588, 325));
    const QPoint centred = QPoint(XvfbServer::ScreenSize.width() - window.width(),
                                  XvfbServer::ScreenSize.height() - window.height()) / 2;
    QVERIFY2((window.topLeft() - centred).manhattanLength() <= 2, "the main window is not centred on the screen");

    const QImage shot = h().clientImage();
    for (const QPoint bare : {QPoint(341, 150), QPoint(586, 200), QPoint(450, 322)})
        QCOMPARE(shot.pixel(bare), Black);

    // A blank 5 x 6 maptile: every space framed by the grid and filled with
    // one neutral grey; the red outline rests on space (0, 0).
    const QRgb blank = shot.pixel(spaceRect(2, 2).center());
    QVERIFY2(isNeutralLightGrey(blank), qPrintable(QColor(blank).name()));
    for (int column = 0; column < DefaultGrid.width(); ++column) {
        for (int row = 0; row < DefaultGrid.height(); ++row) {
            const QRect space = spaceRect(column, row);
            if (column != 0 || row != 0) {
                const QPoint middle = space.center();
                for (const QPoint edge : {QPoint(space.left(), middle.y()), QPoint(space.right(), middle.y()),
                                          QPoint(middle.x(), space.top()), QPoint(middle.x(), space.bottom())})
                    QCOMPARE(shot.pixel(edge), GridColour);
            }
            // The bottom rows of the last row hold the credit line.
            const QRect inside = space.adjusted(1, 1, -1, -8);
            QCOMPARE(countPixels(shot, inside, [blank](QRgb p) { return p != blank; }), 0);
        }
    }
    // The grid ends where a 240 x 288 view ends.
    const QRect view(ViewOrigin, DefaultGrid * Space);
    QCOMPARE(shot.pixel(view.right(), view.center().y()), GridColour);
    QCOMPARE(shot.pixel(view.right() + 1, view.center().y()), Black);
    QCOMPARE(shot.pixel(view.center().x(), view.bottom()), GridColour);
    QCOMPARE(shot.pixel(view.center().x(), view.bottom() + 1), Black);

    // Slot H's empty palette lies in front: the blank grey, without a grid.
    const QRect paletteBody = PaletteArea.adjusted(56, 56, -6, -24);
    QCOMPARE(countPixels(shot, paletteBody, [blank](QRgb p) { return p != blank; }), 0);

    // The three buttons show slot A's subtiles from the first moment...
    const QColor blankColour(blank);
    for (const QRect &picture : {LeftPicture, MiddlePicture, RightPicture}) {
        const QColor colour = E2eHarness::averageColour(shot, clearOfLabels(picture));
        QVERIFY2(E2eHarness::colourDistance(colour, blankColour) > 20,
                 qPrintable(QStringLiteral("button picture at x %1 looks blank").arg(picture.x())));
    }

    // ...and they are the right cells of it: left column 6 row 0, middle column 6 row 3, right column 1 row 1.
    showSlotA();
    const QImage slotA = h().clientImage();
    const struct { QRect picture; QPoint cell; } assigned[] = {
        {LeftPicture, {6, 0}}, {MiddlePicture, {6, 3}}, {RightPicture, {1, 1}}};
    for (const auto &[picture, cell] : assigned) {
        const QRect expected = clearOfLabels(paletteCell(cell.x(), cell.y()));
        QCOMPARE(slotA.copy(clearOfLabels(picture)), slotA.copy(expected));
    }
}

void EndToEndTest::painting()
{
    showSlotA();
    const QImage palette = h().clientImage();
    const QColor blank(h().pixel(spaceRect(2, 2).center().x(), spaceRect(2, 2).center().y()));
    const QColor leftColour = E2eHarness::averageColour(palette, subtileSample(paletteCell(6, 0)));

    // Give the right button a subtile that looks unlike the left one.
    const QPoint rightCell = mostDistinctCell(palette, blank, leftColour);
    const QRect cell = paletteCell(rightCell.x(), rightCell.y());
    const QColor rightColour = E2eHarness::averageColour(palette, subtileSample(cell));
    QVERIFY2(E2eHarness::colourDistance(rightColour, leftColour) >= 20, "slot A has no subtile unlike column 6 row 0");
    h().click(cell.center().x(), cell.center().y(), Qt::RightButton);
    QVERIFY2(h().waitFor([&] { return h().region(clearOfLabels(RightPicture)) == h().region(clearOfLabels(cell)); }),
             "the right button did not take the picked subtile");

    // Paint space (1, 1) with the left button and space (2, 3) with the right one.
    const struct { QPoint space; Qt::MouseButton button; QColor colour; QColor other; } strokes[] = {
        {{1, 1}, Qt::LeftButton, leftColour, rightColour}, {{2, 3}, Qt::RightButton, rightColour, leftColour}};
    for (const auto &stroke : strokes) {
        // Watched inside the outline, which moves onto the space before the press arrives.
        const QRect space = spaceRect(stroke.space.x(), stroke.space.y());
        const QImage before = h().region(subtileSample(space));
        h().click(space.center().x(), space.center().y(), stroke.button);
        QVERIFY2(h().waitForChange(subtileSample(space), before), "a press on the working view painted nothing");
        const QColor painted = E2eHarness::averageColour(h().clientImage(), subtileSample(space));
        QVERIFY2(E2eHarness::colourDistance(painted, stroke.colour) <= 8,
                 qPrintable(QStringLiteral("space %1,%2 is %3, its subtile %4")
                                .arg(stroke.space.x()).arg(stroke.space.y())
                                .arg(painted.name(), stroke.colour.name())));
        QVERIFY(E2eHarness::colourDistance(painted, stroke.colour) < E2eHarness::colourDistance(painted, stroke.other));
    }

    // Ctrl+click on the blank space (3, 1) opens the speed-value list on its corner and paints nothing.
    const QRect speedSpace = spaceRect(3, 1);
    const QRect list(speedSpace.topLeft(), SpeedListSize);
    const QRect listLeft = list.adjusted(1, 1, -30, -1);
    const QImage beforeList = h().clientImage();
    h().click(speedSpace.center().x(), speedSpace.center().y(), Qt::LeftButton, Qt::ControlModifier);
    QVERIFY2(h().waitForChange(listLeft, beforeList.copy(listLeft)), "Ctrl+click showed no speed-value list");
    const QRect lowerPart = speedSpace.adjusted(1, 24, -1, -1);
    QCOMPARE(h().region(lowerPart), beforeList.copy(lowerPart));

    // Drop the list down with its arrow and take the last item, "X", with the keyboard.
    const QRect dropDown(list.left(), list.bottom() + 1, list.width(), 40);
    const QImage closed = h().clientImage();
    h().click(list.right() - 6, list.center().y());
    QVERIFY2(h().waitForChange(dropDown, closed.copy(dropDown)), "the speed-value list did not drop down");
    h().key({QStringLiteral("End"), QStringLiteral("Return")});
    QVERIFY2(h().waitFor([&] { return h().region(listLeft) == beforeList.copy(listLeft); }),
             "choosing a speed value left the list open");

    // The value is printed in the space's upper right corner, outlined in black; the rest of the space stays blank.
    const QRect corner = speedSpace.adjusted(24, 1, -1, -30);
    QVERIFY2(h().waitForChange(corner, beforeList.copy(corner)), "no speed value appeared in the corner");
    const QImage withValue = h().clientImage();
    QVERIFY(countPixels(withValue, corner, [&](QRgb p) { return qGray(p) < qGray(blank.rgb()) - 64; }) > 0);
    QCOMPARE(withValue.copy(lowerPart), beforeList.copy(lowerPart));

    // A maptile number puts the door badge in the upper left corner; nothing is there without one.
    const QRect badge(ViewOrigin + QPoint(4, 4), QSize(9, 15));
    const QImage beforeNumber = h().region(badge);
    QCOMPARE(countPixels(beforeNumber, beforeNumber.rect(), [&](QRgb p) { return p != blank.rgb(); }), 0);
    h().click(MapNumBox.center().x(), MapNumBox.center().y());
    h().typeText(QStringLiteral("12"));
    QVERIFY2(h().waitForChange(badge, beforeNumber), "typing a maptile number showed no badge");
    const QImage door = h().region(badge);
    const int doorPixels = countPixels(door, door.rect(), [&](QRgb p) { return p != blank.rgb(); });
    QVERIFY2(doorPixels > door.width() * door.height() / 3, "the maptile number shows without its door");
    // The area around the door is keyed out, not painted.
    const auto isKey = [](QRgb p) { return E2eHarness::colourDistance(QColor(p), QColor(DoorKey)) < 16; };
    QCOMPARE(countPixels(door, door.rect(), isKey), 0);

    // The designer's name lengthens the credit line along the bottom edge.
    const QRect view(ViewOrigin, DefaultGrid * Space);
    const QRect creditStrip(view.left(), view.bottom() - 6, view.width(), 7);
    const int creditEnd = rightmostInk(h().region(creditStrip), blank.rgb());
    QVERIFY2(creditEnd > 10, "there is no credit line under the maptile");
    h().click(DesignerBox.center().x(), DesignerBox.center().y());
    h().typeText(QStringLiteral("Ann Example"));
    QVERIFY2(h().waitFor([&] { return rightmostInk(h().region(creditStrip), blank.rgb()) >= creditEnd + 20; }),
             "the credit line did not grow with the designer's name");
    // It still starts at the left edge.
    QVERIFY(rightmostInk(h().region(creditStrip.adjusted(0, 0, -(view.width() - 4), 0)), blank.rgb()) >= 0);
}

int main(int argc, char *argv[])
{
    const QStringList missing = E2eHarness::missingTools();
    XvfbServer server;
    QString serverError;
    if (missing.isEmpty() && server.start(&serverError)) {
        qputenv("DISPLAY", server.displayName().toLocal8Bit());
        // Screenshots of the X root window need the X11 platform in this process too.
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        // Enough to report why nothing can run.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    EndToEndTest test(missing, serverError);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_e2e.moc"
