#include "app/Workspace.h"
#include "output/MaptileSaver.h"
#include "support/TestImages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

quint32 number(const QByteArray &bytes, int at, int size, bool bigEndian)
{
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes.at(at + (bigEndian ? i : size - 1 - i)));
    return value;
}

// The marker of a JPEG's frame header (0xC0 baseline, 0xC2 progressive).
int frameMarker(const QByteArray &jpeg)
{
    for (int at = 2; at + 4 <= jpeg.size(); at += 2 + int(number(jpeg, at + 2, 2, true))) {
        const int marker = quint8(jpeg.at(at + 1));
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2)
            return marker;
    }
    return 0;
}

} // namespace

class TestMaptileSaver : public QObject
{
    Q_OBJECT

private slots:
    void formatFollowsTypedName();
    void filesRecord96PixelsPerInch();
    void jpegHonoursQualityAndScanMode();
    void bitmapIsUncompressed24BitAndExact();
    void onlyLosslessSavesClearTheChangedFlag();
    void failedSavesLeaveNothingBehind();

private:
    // Carries 300 dpi, as a picture opened from a scanner's file would.
    const QImage m_picture = [] {
        QImage picture = TestImages::pattern(QSize(432, 576), 3);
        picture.setDotsPerMeterX(11811);
        picture.setDotsPerMeterY(11811);
        return picture;
    }();
};

void TestMaptileSaver::formatFollowsTypedName()
{
    using F = MaptileSaver::Format;
    const QList<QPair<QString, F>> cases{
        {"map.jpg", F::Jpeg},  {"MAP.JPG", F::Jpeg},  {"map.JpEg", F::Jpeg},   {"map.png", F::Png},
        {"map.PNG", F::Png},   {"map.bmp", F::Bitmap}, {"map", F::Bitmap},     {"map.gif", F::Bitmap},
        {"mapjpg", F::Bitmap}, {"a.jpg/map", F::Bitmap}, {"map.jpg.bak", F::Bitmap}};
    for (const auto &[name, format] : cases)
        QVERIFY2(MaptileSaver::formatFor(name) == format, qPrintable(name));
}

void TestMaptileSaver::filesRecord96PixelsPerInch()
{
    // The readers take the density from each file's own header (JFIF, pHYs, bitmap info).
    QTemporaryDir dir;
    for (const QString name : {"m.jpg", "m.png", "m.bmp"}) {
        const QString path = dir.filePath(name);
        QCOMPARE(MaptileSaver::write(m_picture, path, MaptileSaver::formatFor(path)), QString());
        const QImage back(path);
        QCOMPARE(qRound(back.dotsPerMeterX() * 0.0254), 96);
        QCOMPARE(qRound(back.dotsPerMeterY() * 0.0254), 96);
    }
}

void TestMaptileSaver::jpegHonoursQualityAndScanMode()
{
    QTemporaryDir dir;
    const auto save = [&](const QString &name, int quality, bool progressive) {
        const QString path = dir.filePath(name);
        const QString error = MaptileSaver::write(m_picture, path, MaptileSaver::Format::Jpeg, {quality, progressive});
        return error.isEmpty() ? readAll(path) : QByteArray();
    };
    const QByteArray low = save("low.jpg", 1, false);
    const QByteArray high = save("high.jpg", 100, false);
    const QByteArray progressive = save("p.jpg", 50, true);
    QVERIFY(!low.isEmpty() && low.size() * 2 < high.size());
    QCOMPARE(frameMarker(low), 0xC0);
    QCOMPARE(frameMarker(high), 0xC0);
    QCOMPARE(frameMarker(progressive), 0xC2);
    QCOMPARE(QImage::fromData(progressive).size(), m_picture.size());
}

void TestMaptileSaver::bitmapIsUncompressed24BitAndExact()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("map.jpeg.old");
    QCOMPARE(MaptileSaver::write(m_picture, path, MaptileSaver::formatFor(path)), QString());
    const QByteArray b = readAll(path);
    QCOMPARE(b.left(2), QByteArray("BM"));
    QCOMPARE(number(b, 28, 2, false), 24u);
    QCOMPARE(number(b, 30, 4, false), 0u);
    QCOMPARE(QImage::fromData(b).convertToFormat(QImage::Format_RGB32), m_picture);
}

void TestMaptileSaver::onlyLosslessSavesClearTheChangedFlag()
{
    QTemporaryDir dir;
    Workspace workspace;
    workspace.openImage(m_picture);
    const QList<QPair<QString, bool>> cases{
        {"m.jpg", true}, {"m.bmp", false}, {"m.png", false}, {"missing/m.bmp", true}};
    for (const auto &[name, changedAfter] : cases) {
        workspace.setMaptileChanged(true);
        const QString error = MaptileSaver::save(workspace, dir.filePath(name));
        QCOMPARE(error.isEmpty(), !name.startsWith("missing"));
        QVERIFY2(workspace.maptileChanged() == changedAfter, qPrintable(name));
    }
    QCOMPARE(QImage(dir.filePath("m.png")).convertToFormat(QImage::Format_RGB32), workspace.preview());
}

void TestMaptileSaver::failedSavesLeaveNothingBehind()
{
    QTemporaryDir dir;
    const QString earlier = dir.filePath("earlier.bmp");
    TestImages::writeText(earlier, "an earlier maptile");
    const QString pipe = dir.filePath("pipe.bmp");
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    // Places even root cannot write to, and things that are no file to replace.
    for (const QString &path : {dir.path(), dir.filePath("earlier.bmp/m.bmp"), dir.filePath("no/m.png"),
                                QStringLiteral("/proc/cw-map.bmp"), QStringLiteral("/sys/cw-map.jpg"), pipe}) {
        const QString error = MaptileSaver::write(m_picture, path, MaptileSaver::formatFor(path));
        QVERIFY2(error.contains(path), qPrintable(path + ": " + error));
    }
    struct stat info {};
    QVERIFY(stat(QFile::encodeName(pipe).constData(), &info) == 0 && S_ISFIFO(info.st_mode));

    // A disk that fills up half-way: the earlier file survives byte for byte.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit full = saved;
    full.rlim_cur = 4096;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    const QString error = MaptileSaver::write(m_picture, earlier, MaptileSaver::Format::Bitmap);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(earlier), QByteArray("an earlier maptile"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{"earlier.bmp", "pipe.bmp"}));
}

QTEST_MAIN(TestMaptileSaver)
#include "tst_maptilesaver.moc"
