#include "MainWindowFixture.h"

#include "output/MaptilePrinter.h"
#include "output/PreviewWindow.h"

#include <QPrinter>

// The full-size preview window and the print at 1.5 inches per space.
class TestOutput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }

    void previewWindowFitsScrollsAndFollows()
    {
        MainWindow main;
        main.show();
        // 4 x 3 spaces, and 5 x 6, taller than the screen.
        for (const QSize image : {QSize(576, 432), QSize(720, 864)}) {
            main.workspace().openImage(TestImages::pattern(image));
            // A second press keeps the one window.
            QTest::mouseClick(child(&main, u"Command6"_s), Qt::LeftButton);
            QTest::mouseClick(child(&main, u"Command6"_s), Qt::LeftButton);
            QList<PreviewWindow *> open;
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *preview = qobject_cast<PreviewWindow *>(widget); preview && preview->isVisible())
                    open << preview;
            QCOMPARE(open.size(), 1);
            QPointer<PreviewWindow> window = open[0];
            QVERIFY(QTest::qWaitForWindowExposed(window));
            auto *picture = child<QLabel>(window, u"picPrev"_s);
            auto *across = child<QScrollBar>(window, u"scrPicH"_s), *down = child<QScrollBar>(window, u"scrPicV"_s);
            // At the top left of the screen: the image and its bars, or as much as the screen holds.
            const QSize whole = image + QSize(1, 1) * window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
            const QRect screen = window->screen()->availableGeometry();
            QVERIFY(window->frameGeometry().topLeft() == screen.topLeft() && screen.contains(window->frameGeometry()));
            const QSize fitted = window->size();
            QVERIFY(fitted == whole || window->frameGeometry().bottom() == screen.bottom());
            // Never larger than that; each bar covers exactly what is hidden.
            for (const QSize size : {QSize(2000, 2000), QSize(300, 200), QSize(600, 150), QSize(1, 1)}) {
                window->resize(size);
                const QSize visible = window->visibleSize(), hidden = (image - visible).expandedTo({0, 0});
                QVERIFY(window->width() <= whole.width() && window->height() <= whole.height());
                QCOMPARE(QSize(across->maximum(), down->maximum()), hidden);
                QVERIFY(across->isEnabled() == (hidden.width() > 0) && down->isEnabled() == (hidden.height() > 0));
                down->triggerAction(QAbstractSlider::SliderToMaximum);
                QCOMPARE(picture->geometry().bottom() + 1, std::min(visible.height(), image.height()));
            }
            // The corner button sizes it to the whole image again.
            QTest::mouseClick(child(window, u"Command1"_s), Qt::LeftButton);
            QCOMPARE(window->size(), fitted);
            // It follows every edit, pixel for pixel, and closing releases it.
            main.workspace().chooseSpeedValue(QPoint(0, 0), u"4"_s);
            QCOMPARE(picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), main.workspace().preview());
            window->close();
            QTRY_VERIFY(window.isNull());
        }
    }

    void printsOneAndAHalfInchesPerSpace()
    {
        const QString renderer = QStandardPaths::findExecutable(u"pdftoppm"_s);
        if (renderer.isEmpty())
            QSKIP("pdftoppm is not installed.");
        QTemporaryDir dir;
        MaptilePrinter printer;
        printer.printer().setOutputFileName(dir.filePath(u"m.pdf"_s));
        QCOMPARE(printer.print(TestImages::solid({720, 864}, qRgb(40, 70, 30))), QString());
        QCOMPARE(QProcess::execute(renderer, {u"-r"_s, u"96"_s, u"-png"_s, u"-singlefile"_s, dir.filePath(u"m.pdf"_s),
                                              dir.filePath(u"page"_s)}), 0);
        // At 96 dots per inch, 144 pixels per space are 1.5 inches, from the top left of the printable area:
        // inked just inside that square's corners, blank just outside.
        const QImage page(dir.filePath(u"page.png"_s));
        const QRect expected(printer.printer().pageLayout().paintRectPixels(96).topLeft(), QSize(720, 864));
        const QPoint in(3, 3), topLeft = expected.topLeft(), bottomRight = expected.bottomRight();
        QVERIFY(qGray(page.pixel(topLeft + in)) < 128 && qGray(page.pixel(topLeft - in)) > 200);
        QVERIFY(qGray(page.pixel(bottomRight - in)) < 128 && qGray(page.pixel(bottomRight + in)) > 200);
    }
};

QTEST_MAIN(TestOutput)
#include "tst_output.moc"
