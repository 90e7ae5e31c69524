// The benchmarks' own helpers: running another program and reading what it
// used, the sample maptile, and the ImageMagick command that has to make the
// same picture for the comparison to mean anything.
#include "BenchSupport.h"
#include "SampleMaptile.h"

#include "maptile/MaptileOverlays.h"
#include "raster/Geometry.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <set>

#include <unistd.h>

using Geometry::SpaceSize;

namespace {

// Mean difference per colour channel over one space of two pictures, below
// the speed value and above the credit line, where only the subtile shows.
double spaceDifference(const QImage &a, const QImage &b, QPoint space)
{
    constexpr int Top = 50, Bottom = 120;
    double sum = 0;
    for (int y = space.y() * SpaceSize + Top; y < space.y() * SpaceSize + Bottom; ++y) {
        for (int x = space.x() * SpaceSize; x < (space.x() + 1) * SpaceSize; ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * SpaceSize * (Bottom - Top));
}

} // namespace

class TestBenchSupport : public QObject
{
    Q_OBJECT

private slots:
    void childRuns_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("started");
        QTest::addColumn<bool>("timedOut");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("timeoutMs");

        QTest::newRow("output and exit code")
            << QStringList{"sh", "-c", "printf 'painted 1 2'; echo on stderr >&2; exit 3"} << true << false << 3
            << QByteArray("painted 1 2") << 10000;
        // More than a pipe holds: the reader must keep draining while the child writes.
        QTest::newRow("long output") << QStringList{"head", "-c", "300000", "/dev/zero"} << true << false << 0
                                     << QByteArray(300000, '\0') << 10000;
        // Output closed early, process still running: waiting must go on until it ends.
        QTest::newRow("closes its output first")
            << QStringList{"sh", "-c", "exec >&-; sleep 0.2; exit 4"} << true << false << 4 << QByteArray() << 10000;
        QTest::newRow("hangs") << QStringList{"sleep", "30"} << true << true << -1 << QByteArray() << 300;
        QTest::newRow("missing program") << QStringList{"/nonexistent/program"} << false << false << -1 << QByteArray()
                                         << 10000;
    }

    void childRuns()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, started);
        QFETCH(bool, timedOut);
        QFETCH(int, exitCode);
        QFETCH(QByteArray, output);
        QFETCH(int, timeoutMs);
        std::vector<std::string> command;
        for (const QString &argument : arguments)
            command.push_back(argument.toStdString());
        const BenchSupport::ChildRun run = BenchSupport::runChild(command, std::chrono::milliseconds(timeoutMs));
        QCOMPARE(run.started, started);
        QCOMPARE(run.timedOut, timedOut);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(QByteArray::fromStdString(run.output), output);
        QCOMPARE(run.error.empty(), run.started);
    }

    // What the child sends down another channel (here a pipe it inherits; the X
    // server's events in bench_startup) is handed over while it runs.
    void watchedDescriptorIsServedWhileTheChildRuns()
    {
        int ends[2];
        QCOMPARE(pipe(ends), 0);
        std::string received;
        const std::string command = "echo mapped >&" + std::to_string(ends[1]) + "; sleep 0.2; echo done";
        const BenchSupport::ChildRun run =
            BenchSupport::runChild({"sh", "-c", command}, std::chrono::seconds(10), ends[0], [&] {
                char buffer[64];
                const ssize_t got = read(ends[0], buffer, sizeof buffer);
                if (got > 0)
                    received.append(buffer, size_t(got));
            });
        close(ends[0]);
        close(ends[1]);
        QCOMPARE(received, std::string("mapped\n"));
        QCOMPARE(run.output, std::string("done\n"));
        QCOMPARE(run.exitCode, 0);
    }

    void childPeakMemoryIsTheChildsOwn()
    {
        // The shell holds a 64 MB text; this process never does.
        const BenchSupport::ChildRun run = BenchSupport::runChild(
            {"sh", "-c", "x=$(head -c 64000000 /dev/zero | tr '\\0' a); echo ${#x}"}, std::chrono::seconds(30));
        QCOMPARE(run.output, std::string("64000000\n"));
        QVERIFY2(run.peakResidentKiB > 62000, qPrintable(QString::number(run.peakResidentKiB)));
        QVERIFY(BenchSupport::peakResidentKiB() > 0);
        QVERIFY(BenchSupport::peakResidentKiB() < run.peakResidentKiB);
    }

    void median()
    {
        QCOMPARE(BenchSupport::median({}), 0.0);
        QCOMPARE(BenchSupport::median({5, 1, 3}), 3.0);
        QCOMPARE(BenchSupport::median({4, 1, 3, 2}), 3.0);
        QCOMPARE(BenchSupport::median({7, 7, 1, 7, 1}), 7.0);
    }

    void sampleUsesEveryWayOfLayingOnEverySpace()
    {
        std::set<std::pair<int, int>> spaces;
        std::set<int> modes;
        for (const SampleMaptile::Placement &p : SampleMaptile::placements()) {
            QVERIFY(p.column >= 0 && p.column < Geometry::TilesetColumns);
            QVERIFY(p.row >= 0 && p.row < Geometry::TilesetRows);
            QVERIFY(p.slot >= 0 && p.slot < SampleMaptile::TilesetCount);
            spaces.insert({p.space.x(), p.space.y()});
            modes.insert(SampleMaptile::transparency(p.slot).mode());
            QVERIFY(!SampleMaptile::speedValue(p.space).isEmpty());
        }
        QCOMPARE(SampleMaptile::placements().size(), size_t(SampleMaptile::Columns * SampleMaptile::Rows));
        QCOMPARE(spaces.size(), size_t(SampleMaptile::Columns * SampleMaptile::Rows));
        QCOMPARE(modes,
                 (std::set<int>{TransparencySetting::Plain, TransparencySetting::Keyed, TransparencySetting::Blended}));
    }

    // Both sides of the comparison must make the same maptile, space by space:
    // a wrong crop, a missing key, a wrong blend share or a misplaced text
    // shows as a space that differs.
    void convertMakesTheSamePicture()
    {
        const QString convert = QStandardPaths::findExecutable(QStringLiteral("convert"));
        if (convert.isEmpty())
            QSKIP("ImageMagick's convert is not installed");
        QString error;
        const SampleMaptile::Tilesets tilesets = SampleMaptile::readTilesets(&error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QImage ours = SampleMaptile::compose(tilesets);

        QTemporaryDir folder;
        const QString door = folder.filePath(QStringLiteral("door.png"));
        const QString out = folder.filePath(QStringLiteral("convert.jpg"));
        QVERIFY(MaptileOverlays::doorBitmap().save(door));
        const BenchSupport::ChildRun run = BenchSupport::runChild(
            SampleMaptile::convertCommand(convert.toStdString(), door, out), std::chrono::seconds(60));
        QCOMPARE(run.exitCode, 0);
        const QImage theirs(out);
        QCOMPARE(theirs.size(), ours.size());

        for (const SampleMaptile::Placement &p : SampleMaptile::placements()) {
            const double difference = spaceDifference(ours, theirs, p.space);
            QVERIFY2(difference < 6,
                     qPrintable(QStringLiteral("space %1, %2 differs by %3 on average")
                                    .arg(p.space.x())
                                    .arg(p.space.y())
                                    .arg(difference)));
        }
    }
};

QTEST_MAIN(TestBenchSupport)
#include "tst_benchsupport.moc"
