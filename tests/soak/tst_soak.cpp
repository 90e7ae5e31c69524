#include "workspace/UndoHistory.h"
#include "views/WorkingView.h"
#include "views/PaletteView.h"
#include "widgets/MainWindowFixture.h"

using namespace TestImages;

// Long use in one process: resident memory must stay flat once warmed up,
// which only a leak or an ever-growing cache would break.
class TestSoak : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    QString m_sets[2];
    QImage m_photo = pattern({6000, 4000}); // 24 megapixels, as a camera takes them
    qint64 m_baselineKb = 0;

    // What the event loop runs between user actions: paints, and deleting closed windows.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Every way of laying a subtile (plain, keyed in slots D and H, blended), every overlay.
    void place(int count)
    {
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton};
        const auto click = [](QWidget *widget, QPoint at, Qt::MouseButton button) {
            send(widget, QEvent::MouseMove, at, Qt::NoButton, {});
            send(widget, QEvent::MouseButtonPress, at, button, button);
            send(widget, QEvent::MouseButtonRelease, at, button, {});
        };
        QSignalSpy redraws(&m_window->workspace(), &Workspace::redrawn); // one per placement: the presses got through
        for (int i = 0; i < count; ++i) {
            if (i % 5 == 0) // now and then a subtile from another slot
                click(m_window->palette(i / 5 % 8), centre(i % 7, i / 7 % 4), buttons[i % 3]);
            click(m_window->workingView(), centre(i % 5, i / 5 % 6), buttons[i % 3]);
            if (i % 100 == 99)
                settle();
        }
        QCOMPARE(redraws.size(), count);
    }

    void cyclePreview(int count)
    {
        const auto isPreview = [](QWidget *window) { return window->objectName() == "Form2"; };
        for (int i = 0; i < count; ++i) {
            m_window->showPreview();
            m_window->workspace().chooseSpeedValue({i % 5, 0}, QString::number(i % 10)); // the open preview follows
            settle();
            QWidgetList previews = QApplication::topLevelWidgets();
            previews.removeIf(std::not_fn(isPreview));
            QVERIFY(previews.size() == 1 && previews[0]->isVisible());
            previews[0]->close();
            settle();
            QVERIFY(std::ranges::none_of(QApplication::topLevelWidgets(), isPreview)); // each one closed is gone
        }
    }

    void loadTilesets(int count)
    {
        for (int i = 0; i < count; ++i) {
            QCOMPARE(m_window->workspace().loadTileset(i % 8, m_sets[i % 2]), QString());
            m_window->showSlot(i % 8);
            m_window->palette(i % 8)->showSetInfo();
            settle();
        }
    }

    // Every kind of change through the workspace itself, the way the windows
    // call it: placements, clears, sizes, opened photos, reloaded tilesets.
    void mixSteps(int count)
    {
        Workspace &w = m_window->workspace();
        for (int i = 0; i < count; ++i) {
            switch (i % 20) {
            case 0:
                w.openImage(m_photo);
                break;
            case 5:
                w.blankMaptile(5, 6);
                break;
            case 10:
                w.setSize(i % 40 ? 3 : 5, i % 40 ? 3 : 6);
                break;
            case 15:
                QCOMPARE(w.loadTileset(i % 8, m_sets[i % 2]), QString());
                break;
            default:
                w.place(1 << (i % 3), QPoint(i % 5, i / 5 % 6));
            }
            if (i % 100 == 99)
                settle();
        }
        qInfo("Undo history: %d steps, %lld KiB", w.history().count(), w.history().bytes() / 1024);
        QVERIFY(w.history().bytes() <= UndoHistory::ByteBudget);
    }

    // The undo history may fill its budget on top of the warmed-up process; nothing else may grow.
    void record(const char *phase, qint64 allowedKb = 20 * 1024)
    {
        const qint64 kb = processKb("VmRSS");
        qInfo("Resident memory after %s: %lld KiB (%+lld KiB since warm-up)", phase, kb, kb - m_baselineKb);
#ifdef __SANITIZE_ADDRESS__
        QSKIP("AddressSanitizer holds freed memory back; its leak check stands in for this bound.");
#endif
        QVERIFY2(kb - m_baselineKb < allowedKb, phase);
    }

private slots:
    void initTestCase()
    {
        setUpApplication();
        writeDefaults(m_dir.path());
        for (int i = 0; i < 2; ++i) {
            m_sets[i] = m_dir.filePath(u"set%1.bmp"_s.arg(i));
            save(pattern(Geometry::TilesetSize, i), m_sets[i]);
            writeText(TileData::datPath(m_sets[i]), "[TILEDATA]\nSETNAME=Soak\n00=1\n12=2/T\n63=X\n");
        }
        QVERIFY(m_window = startWindow(m_dir.path()));
        m_window->workspace().setTransparency(1, TransparencySetting::blended(96));
        m_window->workspace().setMapNumText(u"12"_s);
        m_window->workspace().setDesignerText(u"Soak"_s);
        // Warm-up: caches and the undo history (1,000 steps) fill, and the allocator settles.
        loadTilesets(10);
        place(1'200);
        cyclePreview(30);
        m_baselineKb = processKb("VmRSS");
        qInfo("Resident memory after warm-up: %lld KiB", m_baselineKb);
    }

    void placements() { place(10'000); record("10,000 placements"); }
    void previewCycles() { cyclePreview(1'000); record("1,000 preview cycles"); }
    // Each load is an undo step that keeps the tileset it replaced.
    void tilesetLoads() { loadTilesets(200); record("200 tileset loads", UndoHistory::ByteBudget / 1024 + 20 * 1024); }
    void mixedSteps()
    {
        mixSteps(2'000);
        record("2,000 mixed steps", UndoHistory::ByteBudget / 1024 + 20 * 1024);
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
