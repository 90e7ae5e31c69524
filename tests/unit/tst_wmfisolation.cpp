#include "support/TestImages.h"
#include "support/TestMetafile.h"
#include "tilesets/WmfRenderer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace {

const QRgb Fill = qRgb(30, 160, 90);
constexpr QRect Box(0, 0, 80, 60);
// Where a placeable metafile's header gives the size of its longest record.
constexpr int MaxRecordAt = 22 + 12;

QByteArray filled()
{
    return TestMetafile(Box).rectangle(Box, Fill).bytes();
}

// A bitmap stretched onto a box of negative size sends libwmf's scaler into a
// loop that does not end in any useful time.
QByteArray endless()
{
    QImage bitmap(4, 4, QImage::Format_RGB32);
    bitmap.fill(Fill);
    return TestMetafile(Box).bitmap(QRect(255, -1, -81, -60), bitmap).bytes();
}

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size());
}

// The children of this process, found through /proc.
QList<pid_t> childProcesses()
{
    QList<pid_t> found;
    const QString self = QString::number(getpid());
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // pid (name) state ppid ...; the name may hold blanks and brackets.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1] == self.toLatin1())
            found << entry.toInt();
    }
    return found;
}

} // namespace

class TestWmfIsolation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void misleadingRecordSizeClaimsDoNotMatter_data();
    void misleadingRecordSizeClaimsDoNotMatter();
    void aDrawingThatNeverEndsIsGivenUp();
    void aCrashWhileDrawingIsReported();

private:
    QString write(const QString &name, const QByteArray &bytes);
    QTemporaryDir m_dir;
};

void TestWmfIsolation::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestWmfIsolation::write(const QString &name, const QByteArray &bytes)
{
    const QString path = m_dir.filePath(name);
    TestImages::writeText(path, bytes);
    return path;
}

void TestWmfIsolation::misleadingRecordSizeClaimsDoNotMatter_data()
{
    QTest::addColumn<quint32>("claim");
    QTest::newRow("gigabytes") << 0xFFFFFFFFu;
    QTest::newRow("nothing") << 0u;
    QTest::newRow("smaller than the records") << 3u;
}

void TestWmfIsolation::misleadingRecordSizeClaimsDoNotMatter()
{
    QFETCH(quint32, claim);
    QByteArray bytes = filled();
    qToLittleEndian(claim, bytes.data() + MaxRecordAt);
    QString error;
    const QImage image = WmfRenderer::render(write("claim.wmf", bytes), &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QCOMPARE(image.size(), Box.size());
    QCOMPARE(image.pixel(40, 30), Fill);
}

void TestWmfIsolation::aDrawingThatNeverEndsIsGivenUp()
{
    const QString good = write("good.wmf", filled());
    const QString bad = write("endless.wmf", endless());
    const int descriptors = openDescriptors();

    for (int round = 0; round < 3; ++round) {
        QString error;
        QVERIFY(WmfRenderer::render(bad, &error, 300).isNull());
        QCOMPARE(error, QStringLiteral("the metafile takes too long to draw"));

        // The next file draws as ever: nothing of the failed attempt is left behind.
        error.clear();
        const QImage image = WmfRenderer::render(good, &error);
        QVERIFY2(!image.isNull(), qPrintable(error));
        QCOMPARE(image.pixel(40, 30), Fill);
    }
    QCOMPARE(openDescriptors(), descriptors);
    QVERIFY(childProcesses().isEmpty());
    const pid_t reaped = waitpid(-1, nullptr, WNOHANG);
    const int reason = errno;
    QCOMPARE(reaped, -1); // no child left to reap, none still running
    QCOMPARE(reason, ECHILD);
}

void TestWmfIsolation::aCrashWhileDrawingIsReported()
{
    // The drawing process dies while libwmf is busy in it, as on a crash.
    const QString bad = write("endless.wmf", endless());
    QString error;
    QImage image;
    std::atomic<bool> done = false;
    std::thread drawer([&] {
        image = WmfRenderer::render(bad, &error, 60'000);
        done = true;
    });
    QList<pid_t> drawing;
    const bool settled = QTest::qWaitFor([&] { return done || !(drawing = childProcesses()).isEmpty(); }, 30'000);
    for (pid_t child : drawing)
        kill(child, SIGKILL);
    drawer.join();

    QVERIFY(settled);
    QVERIFY(!drawing.isEmpty());
    QVERIFY(image.isNull());
    QCOMPARE(error, QStringLiteral("the metafile is damaged or uses features that cannot be drawn"));
    QVERIFY(childProcesses().isEmpty());
}

QTEST_GUILESS_MAIN(TestWmfIsolation)
#include "tst_wmfisolation.moc"
