#include "maptile/WorkingView.h"
#include "tilesets/PaletteView.h"
#include "widgets/MainWindowFixture.h"

// Long use in one process: resident memory must stay flat once warmed up,
// which only a leak or an ever-growing cache would break.
namespace {

qint64 residentKb()
{
    QFile file(u"/proc/self/status"_s);
    const QByteArray status = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return status.mid(status.indexOf("VmRSS:") + 6).trimmed().split(' ').front().toLongLong();
}

// What the event loop runs between user actions: paints, and deleting closed windows.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void click(QWidget *widget, QPoint at, Qt::MouseButton button)
{
    send(widget, QEvent::MouseMove, at, Qt::NoButton, {});
    send(widget, QEvent::MouseButtonPress, at, button, button);
    send(widget, QEvent::MouseButtonRelease, at, button, {});
}

QWidget *previewWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"Form2"_s)
            return window;
    }
    return nullptr;
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void placements() { place(10'000); record("10,000 placements"); }
    void previewCycles() { cyclePreview(1'000); record("1,000 preview cycles"); }
    void tilesetLoads() { loadTilesets(200); record("200 tileset loads"); }

private:
    void place(int count);
    void cyclePreview(int count);
    void loadTilesets(int count);
    void record(const char *phase);

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
    QString m_sets[2];
    qint64 m_baselineKb = 0;
};

void TestSoak::initTestCase()
{
    setUpApplication();
    writeDefaults(m_dir.path());
    for (int i = 0; i < 2; ++i) {
        m_sets[i] = m_dir.filePath(u"set%1.bmp"_s.arg(i));
        TestImages::save(TestImages::pattern(Geometry::TilesetSize, i), m_sets[i]);
        TestImages::writeText(TileData::datPath(m_sets[i]), "[TILEDATA]\nSETNAME=Soak\n00=1\n12=2/T\n63=X\n");
    }
    m_window = startWindow(m_dir.path());
    QVERIFY(m_window);
    // Every way of laying a subtile (plain, keyed in slots D and H, blended) and every overlay.
    m_window->workspace().setTransparency(1, TransparencySetting::blended(96));
    m_window->workspace().setMapNumText(u"12"_s);
    m_window->workspace().setDesignerText(u"Soak"_s);
    // Warm-up: caches fill and the allocator settles.
    loadTilesets(10);
    place(300);
    cyclePreview(30);
    m_baselineKb = residentKb();
    qInfo("Resident memory after warm-up: %lld KiB", m_baselineKb);
}

void TestSoak::place(int count)
{
    const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::MiddleButton, Qt::RightButton};
    int redraws = 0; // one per placement: the presses got through
    const auto counter = connect(&m_window->workspace(), &Workspace::redrawn, this, [&redraws] { ++redraws; });
    for (int i = 0; i < count; ++i) {
        if (i % 5 == 0) // now and then a subtile from another slot
            click(m_window->palette(i / 5 % 8), centre(i % 7, i / 7 % 4), buttons[i % 3]);
        click(m_window->workingView(), centre(i % 5, i / 5 % 6), buttons[i % 3]);
        if (i % 100 == 99)
            settle();
    }
    disconnect(counter);
    QCOMPARE(redraws, count);
}

void TestSoak::cyclePreview(int count)
{
    for (int i = 0; i < count; ++i) {
        m_window->showPreview();
        m_window->workspace().chooseSpeedValue({i % 5, 0}, QString::number(i % 10)); // the open preview follows
        settle();
        QWidget *preview = previewWindow();
        QVERIFY(preview && preview->isVisible());
        preview->close();
        settle();
    }
    QVERIFY(!previewWindow()); // each one closed is gone
}

void TestSoak::loadTilesets(int count)
{
    for (int i = 0; i < count; ++i) {
        QCOMPARE(m_window->workspace().loadTileset(i % 8, m_sets[i % 2]), QString());
        m_window->showSlot(i % 8);
        m_window->palette(i % 8)->showSetInfo();
        settle();
    }
}

void TestSoak::record(const char *phase)
{
    const qint64 kb = residentKb();
    qInfo("Resident memory after %s: %lld KiB (%+lld KiB since warm-up)", phase, kb, kb - m_baselineKb);
#ifdef __SANITIZE_ADDRESS__
    QSKIP("AddressSanitizer holds freed memory back; its leak check stands in for this bound.");
#endif
    QVERIFY2(kb - m_baselineKb < 20 * 1024, phase);
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
