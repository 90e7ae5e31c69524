#include "tilesets/SubtileRef.h"
#include "tilesets/TransparencySetting.h"

#include <QTest>

class TestTransparencySetting : public QObject
{
    Q_OBJECT

private slots:
    void readsModeAndAlpha_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("alpha"); // what a placement blends with; -1 when not blending

        const int plain = TransparencySetting::Plain, keyed = TransparencySetting::Keyed,
                  blended = TransparencySetting::Blended;
        QTest::newRow("0") << "0" << plain << -1;
        QTest::newRow("empty") << "" << plain << -1;
        QTest::newRow("unknown digit") << "7" << plain << -1;
        QTest::newRow("1") << "1" << keyed << -1;
        QTest::newRow("2,40") << "2,40" << blended << 40;
        QTest::newRow("2,255") << "2,255" << blended << 255;
        QTest::newRow("blank before the number") << "2, 7" << blended << 7;
        QTest::newRow("whole part only") << "2,12.9" << blended << 12;
        // Read as a number, letters give 0: such a slot blends nothing in.
        QTest::newRow("no number") << "2,abc" << blended << 0;
        // Left while the window was open without OK: blends at the window's default.
        QTest::newRow("bare 2") << "2" << blended << 128;
    }

    void readsModeAndAlpha()
    {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(int, alpha);
        const TransparencySetting setting(text);
        QCOMPARE(int(setting.mode()), mode);
        if (alpha >= 0)
            QCOMPARE(setting.effectiveAlpha(), alpha);
    }

    void blendedWritesModeCommaAlpha()
    {
        QCOMPARE(TransparencySetting().text(), QStringLiteral("0"));
        QCOMPARE(TransparencySetting::blended(200).text(), QStringLiteral("2,200"));
        QCOMPARE(TransparencySetting::blended(200).effectiveAlpha(), 200);
    }

    void subtileRefReadsEachDigitByItself_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::newRow("152") << "152" << 1 << 5 << 2;
        QTest::newRow("empty") << "" << 0 << 0 << 0;
        QTest::newRow("letter in the middle") << "1x2" << 1 << 0 << 2;
        QTest::newRow("too short") << "73" << 7 << 3 << 0;
        QTest::newRow("sign and blank") << "- 3" << 0 << 0 << 3;
        QTest::newRow("too long") << "7634" << 7 << 6 << 3;
    }

    void subtileRefReadsEachDigitByItself()
    {
        QFETCH(QString, text);
        QFETCH(int, slot);
        QFETCH(int, column);
        QFETCH(int, row);
        const SubtileRef ref = SubtileRef::fromText(text);
        QCOMPARE(ref, (SubtileRef{slot, column, row}));
        QCOMPARE(SubtileRef::fromText(ref.text()), ref);
    }
};

QTEST_GUILESS_MAIN(TestTransparencySetting)
#include "tst_transparencysetting.moc"
