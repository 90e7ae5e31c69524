#include "support/TestImages.h"
#include "tilesets/ProfileReader.h"
#include "tilesets/TileData.h"

#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using TestImages::writeText;

class TestProfileReader : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void readsLikeTheWindowsProfileReader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        QTest::newRow("names in any case") << QByteArray("[tiledata]\nsetName=Stone Halls\n") << "SETNAME"
                                           << "Stone Halls";
        QTest::newRow("first key wins") << QByteArray("[TILEDATA]\n30=2\n30=4\n") << "30" << "2";
        QTest::newRow("first section wins")
            << QByteArray("[TILEDATA]\n30=2\n[TileData]\n30=4\n52=1\n") << "52" << "";
        QTest::newRow("other sections ignored")
            << QByteArray("[OTHER]\nSETNAME=Wrong\n[TILEDATA]\nSETNAME=Right\n") << "SETNAME" << "Right";
        QTest::newRow("key before any section") << QByteArray("SETNAME=Moss\n[TILEDATA]\n") << "SETNAME" << "";
        QTest::newRow("blanks trimmed") << QByteArray("  [TILEDATA]\n\t SETNAME   =   Stone Halls  \n") << "SETNAME"
                                        << "Stone Halls";
        QTest::newRow("double quotes removed") << QByteArray("[TILEDATA]\nSETNAME=\" Moss \"\n") << "SETNAME"
                                               << " Moss ";
        QTest::newRow("single quotes removed") << QByteArray("[TILEDATA]\nSETNAME='Moss'\n") << "SETNAME" << "Moss";
        QTest::newRow("unmatched quote kept") << QByteArray("[TILEDATA]\nSETNAME=\"Moss\n") << "SETNAME"
                                              << "\"Moss";
        QTest::newRow("254 characters at most")
            << QByteArray("[TILEDATA]\nCREATOR=") + QByteArray(300, 'x') + "\n" << "CREATOR" << QString(254, u'x');
        QTest::newRow("CRLF") << QByteArray("[TILEDATA]\r\nSETNAME=Moss\r\nCREATOR=Ann\r\n") << "CREATOR" << "Ann";
        QTest::newRow("no final line end") << QByteArray("[TILEDATA]\nCREATOR=Ann") << "CREATOR" << "Ann";
        QTest::newRow("UTF-8 byte order mark") << QByteArray("\xEF\xBB\xBF[TILEDATA]\nSETNAME=Moss\n") << "SETNAME"
                                               << "Moss";
        QTest::newRow("UTF-16 with byte order mark")
            << QByteArray(QStringEncoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom)(
                   u"[TILEDATA]\r\nSETNAME=Moss\r\n"))
            << "SETNAME" << "Moss";
        QTest::newRow("UTF-8 text") << QByteArray("[TILEDATA]\nCREATOR=J\xC3\xB6rg\n") << "CREATOR"
                                    << QString::fromUtf8("J\xC3\xB6rg");
        QTest::newRow("single-byte text") << QByteArray("[TILEDATA]\nCREATOR=J\xF6rg\n") << "CREATOR"
                                          << QString::fromUtf8("J\xC3\xB6rg");
        QTest::newRow("lines without = ignored")
            << QByteArray("[TILEDATA]\nSETNAME\n; a note\nSETNAME=Moss\n") << "SETNAME" << "Moss";
        QTest::newRow("value holding =") << QByteArray("[TILEDATA]\n21=a=b\n") << "21" << "a=b";
        QTest::newRow("1/T is text") << QByteArray("[TILEDATA]\n21=1/T\n") << "21" << "1/T";
        QTest::newRow("2, 3 is text") << QByteArray("[TILEDATA]\n21=2, 3\n") << "21" << "2, 3";
        QTest::newRow("empty value") << QByteArray("[TILEDATA]\nSETNAME=\n") << "SETNAME" << "";
        QTest::newRow("missing key") << QByteArray("[TILEDATA]\nSETNAME=Moss\n") << "CREATOR" << "";
        QTest::newRow("missing section") << QByteArray("[OTHER]\nSETNAME=Moss\n") << "SETNAME" << "";
    }

    void readsLikeTheWindowsProfileReader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(ProfileReader::fromBytes(bytes).value(QStringLiteral("TILEDATA"), key), expected);
    }

    void datPathReplacesLastFourCharacters()
    {
        QCOMPARE(TileData::datPath(QStringLiteral("D:\\art\\moss.bmp")), QStringLiteral("D:\\art\\moss.dat"));
        QCOMPARE(TileData::datPath(QStringLiteral("/art/moss.jpeg")), QStringLiteral("/art/moss..dat"));
        QCOMPARE(TileData::datPath(QStringLiteral("/art/MOSS.GIF")), QStringLiteral("/art/MOSS.dat"));
    }

    void tileDataAndSetInfo()
    {
        writeText(file(QStringLiteral("set.dat")), "[TILEDATA]\nSETNAME=Stone Halls\n30=\" 2 \"\n03=X\n52= 1/T \n");
        writeText(file(QStringLiteral("MOSS.DAT")), "[TILEDATA]\ncreator=ann lee\nsetname=Moss\n");
        TileData data;
        const QString set = file(QStringLiteral("set.jpg"));
        // Blanks inside quotes are trimmed too; column first, then row.
        QCOMPARE(data.getTileData(set, 3, 0), QStringLiteral("2"));
        QCOMPARE(data.getTileData(set, 0, 3), QStringLiteral("X"));
        QCOMPARE(data.getTileData(set, 5, 2), QStringLiteral("1/T"));
        QCOMPARE(data.getTileData(set, 2, 5), QString());
        QCOMPARE(data.setInfo(set), QStringLiteral("STONE HALLS BY: UNKNOWN CREATOR "));
        // A metadata file differing only in letter case is found.
        QCOMPARE(data.setInfo(file(QStringLiteral("moss.bmp"))), QStringLiteral("MOSS BY: ANN LEE "));
        // No metadata file, or no image at all.
        const QString unknown = QStringLiteral("UNKNOWN TILESET BY: UNKNOWN CREATOR ");
        QCOMPARE(data.setInfo(file(QStringLiteral("none.bmp"))), unknown);
        QCOMPARE(data.getTileData(file(QStringLiteral("none.bmp")), 3, 0), QString());
        QCOMPARE(data.setInfo(QString()), unknown);
        QCOMPARE(data.getTileData(QString(), 3, 0), QString());

        // The exact name wins when both exist.
        writeText(file(QStringLiteral("cave.dat")), "");
        writeText(file(QStringLiteral("Cave.DAT")), "");
        QCOMPARE(TileData::existingDatFile(file(QStringLiteral("cave.jpg"))), file(QStringLiteral("cave.dat")));
    }

    void junkAndHugeFilesGiveDefaults()
    {
        QByteArray junk(64 * 1024, '\0');
        QRandomGenerator random(42);
        random.fillRange(reinterpret_cast<quint32 *>(junk.data()), junk.size() / 4);
        writeText(file(QStringLiteral("junk.dat")), junk);
        // Four MiB in one line: read in bounded time, nothing found.
        writeText(file(QStringLiteral("huge.dat")), QByteArray(4 * 1024 * 1024, 'x'));
        TileData data;
        for (const QString &name : {QStringLiteral("junk.bmp"), QStringLiteral("huge.bmp")}) {
            QCOMPARE(data.setInfo(file(name)), QStringLiteral("UNKNOWN TILESET BY: UNKNOWN CREATOR "));
            QCOMPARE(data.getTileData(file(name), 0, 0), QString());
        }
    }

    void changedFileIsReadAgain()
    {
        const QString set = file(QStringLiteral("live.bmp"));
        writeText(file(QStringLiteral("live.dat")), "[TILEDATA]\n30=2\n");
        TileData data;
        QCOMPARE(data.getTileData(set, 3, 0), QStringLiteral("2"));
        writeText(file(QStringLiteral("live.dat")), "[TILEDATA]\n30=4\n52=X\n");
        QCOMPARE(data.getTileData(set, 3, 0), QStringLiteral("4"));
        QVERIFY(QFile::remove(file(QStringLiteral("live.dat"))));
        QCOMPARE(data.getTileData(set, 3, 0), QString());
    }

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestProfileReader)
#include "tst_profilereader.moc"
