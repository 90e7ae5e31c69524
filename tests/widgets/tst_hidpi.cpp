#include "MainWindowFixture.h"

#include "maptile/WorkingView.h"
#include "tilesets/GridPicture.h"
#include "tilesets/PaletteView.h"

// On a screen of two device pixels per pixel the palette, a button picture and
// the working view show their full-resolution images at two thirds under a
// grid two device pixels wide; one pixel per pixel, the one-third pictures.
class TestHiDpi : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    Workspace &workspace() { return m_window->workspace(); }

    // What view paints itself, without its labels and outlines, at ratio device pixels per pixel.
    static QImage painted(QWidget *view, qreal ratio)
    {
        QImage image((QSizeF(view->size()) * ratio).toSize(), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        view->render(&image, {}, {}, QWidget::DrawWindowBackground);
        return image;
    }

private slots:
    void initTestCase()
    {
        setUpApplication();
        writeDefaults(m_dir.path());
        QVERIFY(m_window = startWindow(m_dir.path()));
        QCOMPARE(m_window->devicePixelRatio(), 2.0);
        // Every pixel differs from its neighbours: an enlarged one-third picture cannot pass.
        const QString path = m_dir.filePath(u"pattern.png"_s);
        TestImages::save(TestImages::pattern(Geometry::TilesetSize), path);
        QVERIFY(workspace().loadTileset(5, path).isEmpty());
        send(m_window->palette(5), QEvent::MouseMove, centre(4, 2), Qt::NoButton, {});
        QTest::mouseClick(m_window->palette(5), Qt::RightButton);
        send(m_window->workingView(), QEvent::MouseMove, centre(1, 2), Qt::NoButton, {});
        QTest::mouseClick(m_window->workingView(), Qt::RightButton);
        workspace().setMapNumText(u"12"_s);
        // The outline is left out of the comparison: off the placed subtile.
        send(m_window->workingView(), QEvent::MouseMove, centre(4, 0), Qt::NoButton, {});
    }

    void viewsDrawTheFullImages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QImage>("third");
        QTest::addColumn<QImage>("full");
        const Workspace &w = workspace();
        QTest::newRow("palette") << u"picTileSet5"_s << w.slot(5).palette() << w.slot(5).fullImage();
        QTest::newRow("button") << u"picRight"_s << w.buttonImage(Workspace::Right) << w.slot(5).subtile(4, 2);
        QTest::newRow("working view") << u"picMapTile"_s << w.workingView() << w.preview();
    }

    void viewsDrawTheFullImages()
    {
        QFETCH(QString, name);
        QFETCH(QImage, third);
        QFETCH(QImage, full);
        QWidget *view = child(m_window.get(), name);
        QCOMPARE(painted(view, 1), third);
        // 2 as the window system gets it from the screen; 1.5 only rendered.
        for (qreal ratio : {2.0, 1.5}) {
            const QImage shown = ratio == 2 ? view->grab().toImage().convertToFormat(QImage::Format_RGB32)
                                            : painted(view, ratio);
            QCOMPARE(shown.size(), (QSizeF(view->size()) * ratio).toSize());
            QRegion labels;
            for (QWidget *label : view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                labels += label->isVisible() ? QRect(label->pos() * ratio, label->size() * ratio) : QRect();
            const QImage expected = full.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            const int cell = qRound(48 * ratio);
            for (int y = 0; y < shown.height(); ++y) {
                for (int x = 0; x < shown.width(); ++x) {
                    const bool border = x % cell < 2 || x % cell >= cell - 2 || y % cell < 2 || y % cell >= cell - 2;
                    const QRgb want = border ? GridPicture::LineColour : expected.pixel(x, y);
                    if (shown.pixel(x, y) != want && !labels.contains(QPoint(x, y)))
                        QFAIL(qPrintable(u"ratio %1, pixel %2, %3"_s.arg(ratio).arg(x).arg(y)));
                }
            }
        }
    }
};

int main(int argc, char *argv[])
{
    // Before the application exists: it reads the scale once.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
