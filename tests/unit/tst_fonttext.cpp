#include "maptile/MaptileOverlays.h"
#include "options/FontText.h"

#include <QTest>

class TestFontText : public QObject
{
    Q_OBJECT

private slots:
    void describe_data();
    void describe();
    void acceptedKeepsOnlyFaceAndEffects();
};

void TestFontText::describe_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("accepted");
    QTest::newRow("half point") << "Arial" << 10.5 << "10 Pt. Arial" << "10 Pt. Arial";
    QTest::newRow("below the list") << "Arial" << 4.0 << "4 Pt. Arial" << "6 Pt. Arial";
    QTest::newRow("above the list") << "Arial" << 200.0 << "200 Pt. Arial" << "72 Pt. Arial";
    // The face asked for, even when the machine draws with a stand-in.
    QTest::newRow("face not installed") << "No Such Face" << 12.0 << "12 Pt. No Such Face" << "12 Pt. No Such Face";
    QTest::newRow("maker's name") << "C059 [urw]" << 12.0 << "12 Pt. C059 [urw]" << "12 Pt. C059";
}

void TestFontText::describe()
{
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(QString, shown);
    QFETCH(QString, accepted);
    QFont font(family);
    font.setPointSizeF(points);
    QCOMPARE(FontText::describe(font), shown);
    QCOMPARE(FontText::describe(FontText::accepted(font)), accepted);
    const MaptileOverlays start;
    QCOMPARE(FontText::describe(start.mapNumFont()) + FontText::describe(start.speedFont()),
             QStringLiteral("15 Pt. Arial20 Pt. Arial"));
}

void TestFontText::acceptedKeepsOnlyFaceAndEffects()
{
    for (int effects = 0; effects < 16; ++effects) {
        QFont chosen(QStringLiteral("Courier New"), 14);
        chosen.setBold(effects & 1);
        chosen.setItalic(effects & 2);
        chosen.setUnderline(effects & 4);
        chosen.setStrikeOut(effects & 8);
        // A style name would override the bold and italic flags when drawing.
        chosen.setStyleName(QStringLiteral("Bold Italic"));
        const QFont font = FontText::accepted(chosen);
        QCOMPARE(QList<bool>({font.bold(), font.italic(), font.underline(), font.strikeOut()}),
                 QList<bool>({bool(effects & 1), bool(effects & 2), bool(effects & 4), bool(effects & 8)}));
        QVERIFY(font.styleName().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestFontText)
#include "tst_fonttext.moc"
