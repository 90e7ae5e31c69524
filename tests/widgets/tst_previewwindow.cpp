#include "MainWindowFixture.h"
#include "output/PreviewWindow.h"

#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

class TestPreviewWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { MainWindowFixture::setUpApplication(); }
    void windowNeverOutgrowsTheImage();
    void tallMaptileScrollsOnALowScreen();
    void followsEveryRedraw();
    void previewButtonKeepsOneWindow();
};

namespace {

QImage shown(const PreviewWindow &window)
{
    return window.findChild<QLabel *>("picPrev")->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
}

int barExtent(const QWidget &window)
{
    return window.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &window);
}

} // namespace

void TestPreviewWindow::windowNeverOutgrowsTheImage()
{
    Workspace workspace;
    workspace.openImage(TestImages::pattern(QSize(576, 432)));
    PreviewWindow window(workspace);
    window.fitToImage();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *picture = window.findChild<QLabel *>("picPrev");
    auto *across = window.findChild<QScrollBar *>("scrPicH");
    auto *down = window.findChild<QScrollBar *>("scrPicV");
    const QSize whole = QSize(576, 432) + QSize(barExtent(window), barExtent(window));
    QCOMPARE(window.size(), whole);
    QVERIFY(!across->isEnabled() && !down->isEnabled());
    window.resize(1000, 900);
    QCOMPARE(window.size(), whole);

    // Smaller than the image, down to nothing: each bar covers exactly what is hidden.
    for (const QSize size : {QSize(300, 200), QSize(600, 150), QSize(1, 1)}) {
        window.resize(size);
        const QSize visible = window.visibleSize();
        QCOMPARE(across->isEnabled(), visible.width() < 576);
        QCOMPARE(down->isEnabled(), visible.height() < 432);
        QCOMPARE(across->maximum(), std::max(0, 576 - visible.width()));
        QCOMPARE(down->maximum(), 432 - visible.height());
        across->triggerAction(QAbstractSlider::SliderToMaximum);
        down->triggerAction(QAbstractSlider::SliderToMaximum);
        QCOMPARE(picture->geometry().bottom() + 1, visible.height());
    }
    QTest::mouseClick(window.findChild<QToolButton *>("Command1"), Qt::LeftButton);
    QCOMPARE(window.size(), whole);
    QCOMPARE(picture->pos(), QPoint(0, 0));
}

void TestPreviewWindow::tallMaptileScrollsOnALowScreen()
{
    Workspace workspace;
    workspace.openImage(TestImages::pattern(QSize(720, 864)));
    PreviewWindow window(workspace);
    const QRect screen = window.screen()->availableGeometry();
    if (screen.height() >= 864 + barExtent(window))
        QSKIP("The screen is tall enough for the whole maptile.");
    window.fitToImage();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(screen.contains(window.frameGeometry()));
    QCOMPARE(window.frameGeometry().topLeft(), screen.topLeft());
    auto *down = window.findChild<QScrollBar *>("scrPicV");
    QVERIFY(down->isEnabled());
    QCOMPARE(down->maximum(), 864 - window.visibleSize().height());
    down->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(window.findChild<QLabel *>("picPrev")->y(), window.visibleSize().height() - 864);
}

void TestPreviewWindow::followsEveryRedraw()
{
    Workspace workspace;
    workspace.setSize(3, 3);
    PreviewWindow window(workspace);
    window.fitToImage();
    window.show();
    const QSize small = window.size();
    auto *across = window.findChild<QScrollBar *>("scrPicH");

    workspace.openImage(TestImages::pattern(QSize(432, 432), 4));
    QCOMPARE(shown(window), workspace.preview());
    workspace.setSize(5, 3);
    QCOMPARE(shown(window).size(), QSize(720, 432));
    QCOMPARE(across->maximum(), 720 - 432);
    across->setValue(200);
    // Back to a smaller maptile: the window and the scroll position shrink with it.
    workspace.setSize(4, 3);
    QCOMPARE(across->value(), 576 - 432);
    workspace.setSize(3, 3);
    QTRY_COMPARE(window.size(), small);
    QVERIFY(!across->isEnabled());
    QCOMPARE(window.findChild<QLabel *>("picPrev")->pos(), QPoint(0, 0));
}

void TestPreviewWindow::previewButtonKeepsOneWindow()
{
    QTemporaryDir folder;
    MainWindowFixture::writeDefaults(folder.path());
    const auto main = MainWindowFixture::startWindow(folder.path());
    QVERIFY(main);
    auto *button = main->findChild<QToolButton *>("Command6");
    const auto previews = [] {
        QList<PreviewWindow *> open;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *preview = qobject_cast<PreviewWindow *>(widget); preview && preview->isVisible())
                open << preview;
        return open;
    };

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(previews().size(), 1);
    QPointer<PreviewWindow> window = previews().front();
    main->workspace().chooseSpeedValue(QPoint(0, 0), "4");
    QCOMPARE(shown(*window), main->workspace().preview());
    window->close();
    QTRY_VERIFY(window.isNull());
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(previews().size(), 1);
}

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
