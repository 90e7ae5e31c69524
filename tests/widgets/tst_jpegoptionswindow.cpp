#include "output/JpegOptionsWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

class TestJpegOptionsWindow : public QObject
{
    Q_OBJECT

private slots:
    void labelFollowsTheQualityBar();
};

void TestJpegOptionsWindow::labelFollowsTheQualityBar()
{
    JpegOptionsWindow window;
    auto *bar = window.findChild<QScrollBar *>("sldQuality");
    auto *label = window.findChild<QLabel *>("lblQuality");
    auto *progressive = window.findChild<QCheckBox *>("chkProgressive");
    QVERIFY(bar && label && progressive);
    QCOMPARE(label->text(), QStringLiteral("Quality (50%)"));
    QCOMPARE(window.options().quality, 50);
    QVERIFY(!window.options().progressive);

    using A = QAbstractSlider;
    const QList<QPair<A::SliderAction, int>> steps{{A::SliderToMinimum, 1},     {A::SliderPageStepSub, 1},
                                                   {A::SliderSingleStepAdd, 2}, {A::SliderPageStepAdd, 12},
                                                   {A::SliderToMaximum, 100},   {A::SliderPageStepAdd, 100}};
    for (const auto &[action, quality] : steps) {
        bar->triggerAction(action);
        QCOMPARE(label->text(), QStringLiteral("Quality (%1%)").arg(quality));
        QCOMPARE(window.options().quality, quality);
    }
    // While the thumb is dragged the label moves with it.
    bar->setSliderDown(true);
    bar->setSliderPosition(37);
    QCOMPARE(label->text(), QStringLiteral("Quality (37%)"));
    bar->setSliderDown(false);

    progressive->setChecked(true);
    QVERIFY(window.options().progressive);
}

QTEST_MAIN(TestJpegOptionsWindow)
#include "tst_jpegoptionswindow.moc"
