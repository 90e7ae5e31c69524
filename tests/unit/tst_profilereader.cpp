#include "support/TestImages.h"
#include "tilesets/ProfileReader.h"
#include "tilesets/TileData.h"

#include <QTemporaryDir>
#include <QTest>

using TestImages::writeText;

class TestProfileReader : public QObject
{
    Q_OBJECT

private slots:
    void readsLikeTheWindowsProfileReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QByteArray &bytes, const char *key, const QString &expected) {
            QTest::newRow(name) << bytes << QString::fromLatin1(key) << expected;
        };
        row("names in any case", "[tiledata]\nsetName=Stone Halls\n", "SETNAME", "Stone Halls");
        row("first key wins", "[TILEDATA]\n30=2\n30=4\n", "30", "2");
        row("first section wins", "[TILEDATA]\n30=2\n[TileData]\n52=1\n", "52", "");
        row("missing section", "[OTHER]\nSETNAME=Moss\n", "SETNAME", "");
        row("blanks trimmed", "  [TILEDATA]\n\t SETNAME   =   Stone Halls  \n", "SETNAME", "Stone Halls");
        row("double quotes removed", "[TILEDATA]\nSETNAME=\" Moss \"\n", "SETNAME", " Moss ");
        row("single quotes removed", "[TILEDATA]\nSETNAME='Moss'\n", "SETNAME", "Moss");
        row("unmatched quote kept", "[TILEDATA]\nSETNAME=\"Moss\n", "SETNAME", "\"Moss");
        row("254 characters at most", "[TILEDATA]\nCREATOR=" + QByteArray(300, 'x'), "CREATOR", QString(254, u'x'));
        row("CRLF", "[TILEDATA]\r\nSETNAME=Moss\r\nCREATOR=Ann\r\n", "CREATOR", "Ann");
        row("UTF-8 byte order mark", "\xEF\xBB\xBF[TILEDATA]\nSETNAME=Moss\n", "SETNAME", "Moss");
        row("single-byte text", "[TILEDATA]\nCREATOR=J\xF6rg\n", "CREATOR", QString::fromUtf8("J\xC3\xB6rg"));
        row("lines without = ignored", "[TILEDATA]\nSETNAME\n; note\nSETNAME=Moss\n", "SETNAME", "Moss");
        row("plain text, no lists", "[TILEDATA]\n21=2, 3\n52=1/T\n", "21", "2, 3");
    }

    void readsLikeTheWindowsProfileReader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(ProfileReader::fromBytes(bytes).value(QStringLiteral("TILEDATA"), key), expected);
    }

    void tileDataBesideTheTileset()
    {
        QCOMPARE(TileData::datPath(QStringLiteral("D:\\art\\moss.bmp")), QStringLiteral("D:\\art\\moss.dat"));
        QCOMPARE(TileData::datPath(QStringLiteral("/art/moss.jpeg")), QStringLiteral("/art/moss..dat"));
        QTemporaryDir dir;
        const QString set = dir.filePath(QStringLiteral("set.jpg"));
        writeText(dir.filePath(QStringLiteral("set.dat")), "[TILEDATA]\nSETNAME=Stone Halls\n30=\" 2 \"\n52= 1/T \n");
        writeText(dir.filePath(QStringLiteral("SET.DAT")), "[TILEDATA]\nSETNAME=Other case, not used\n");
        writeText(dir.filePath(QStringLiteral("MOSS.DAT")), "[TILEDATA]\ncreator=ann lee\nsetname=Moss\n");
        TileData data;
        // Column first, then row; blanks inside quotes go too.
        QCOMPARE(data.getTileData(set, 3, 0) + data.getTileData(set, 5, 2) + data.getTileData(set, 0, 3), "21/T");
        QCOMPARE(data.setInfo(set), "STONE HALLS BY: UNKNOWN CREATOR ");
        // A metadata file differing only in letter case is found; the exact name wins over it.
        QCOMPARE(data.setInfo(dir.filePath(QStringLiteral("moss.bmp"))), QStringLiteral("MOSS BY: ANN LEE "));
        for (const QString &image : {dir.filePath(QStringLiteral("none.bmp")), QString()}) {
            QCOMPARE(data.setInfo(image), QStringLiteral("UNKNOWN TILESET BY: UNKNOWN CREATOR "));
            QCOMPARE(data.getTileData(image, 3, 0), QString());
        }
        // A changed file is read again.
        writeText(dir.filePath(QStringLiteral("set.dat")), "[TILEDATA]\n30=4\n");
        QCOMPARE(data.getTileData(set, 3, 0), "4");
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("set.dat"))));
        QCOMPARE(data.getTileData(set, 3, 0), QString());
    }
};

QTEST_GUILESS_MAIN(TestProfileReader)
#include "tst_profilereader.moc"
