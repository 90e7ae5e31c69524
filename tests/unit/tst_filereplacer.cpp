#include "files/FileReplacer.h"
#include "support/TestImages.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using TestImages::readAll;

// Files that belong together are replaced together: whichever of them fails,
// every one keeps what it held and no scratch file is left beside them.
class TestFileReplacer : public QObject
{
    Q_OBJECT

private slots:
    void filesReplacedTogetherOrNotAtAll_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("reason");
        QTest::newRow("both written") << u"b.dat"_s << QString() << QString();
        QTest::newRow("second fails to fill") << u"b.dat"_s << u"the encoder gave up"_s << u"the encoder gave up"_s;
        QTest::newRow("second is a folder") << u"folder"_s << QString() << u"it is a folder"_s;
        QTest::newRow("second's folder is gone") << u"gone/b.dat"_s << QString() << u"the folder does not exist"_s;
    }
    void filesReplacedTogetherOrNotAtAll()
    {
        QFETCH(QString, second);
        QFETCH(QString, failure);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString first = dir.filePath(u"a.png"_s), other = dir.filePath(second);
        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        for (const QString &path : {first, dir.filePath(u"b.dat"_s)})
            TestImages::writeText(path, "old");
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        const QByteArray picture = "new picture";
        // The second file is filled, then fails or not, after the first is complete.
        const FileReplacer::Fill metadata = [&failure](QIODevice &file) {
            file.write("new metadata");
            return failure;
        };
        const QString error = FileReplacer::writeAll({{first, FileReplacer::fillWith(picture)}, {other, metadata}});
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
        if (reason.isEmpty()) {
            QCOMPARE(error, QString());
            QVERIFY(readAll(first) == picture && readAll(other) == "new metadata");
            return;
        }
        QVERIFY2(error.contains(QDir::toNativeSeparators(other)) && error.contains(reason), qPrintable(error));
        QVERIFY(readAll(first) == "old" && readAll(dir.filePath(u"b.dat"_s)) == "old");
    }
};

QTEST_GUILESS_MAIN(TestFileReplacer)
#include "tst_filereplacer.moc"
