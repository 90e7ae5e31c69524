#include "editor/SubtileTransforms.h"
#include "support/TestImages.h"

#include <QTest>

namespace {

// Applies transforms named by letters, left to right: H and V flips, L and R turns.
QImage apply(QImage image, const QString &steps)
{
    for (QChar step : steps) {
        const char c = char(step.unicode());
        image = c == 'H' ? SubtileTransforms::flipHorizontal(image)
              : c == 'V' ? SubtileTransforms::flipVertical(image)
              : c == 'L' ? SubtileTransforms::rotateLeft(image)
                         : SubtileTransforms::rotateRight(image);
    }
    return image;
}

} // namespace

class TestSubtileTransforms : public QObject
{
    Q_OBJECT

private slots:
    void movesEveryPixelByItsRule_data();
    void movesEveryPixelByItsRule();
    void composes_data();
    void composes();
};

void TestSubtileTransforms::movesEveryPixelByItsRule_data()
{
    QTest::addColumn<QString>("step");
    // Source of destination (x, y): (a*x + b*y + c*143, d*x + e*y + f*143).
    QTest::addColumn<QList<int>>("rule");
    QTest::newRow("flip horizontal") << "H" << QList<int>{-1, 0, 1, 0, 1, 0};
    QTest::newRow("flip vertical") << "V" << QList<int>{1, 0, 0, 0, -1, 1};
    QTest::newRow("rotate left") << "L" << QList<int>{0, -1, 1, 1, 0, 0};
    QTest::newRow("rotate right") << "R" << QList<int>{0, 1, 0, -1, 0, 1};
}

void TestSubtileTransforms::movesEveryPixelByItsRule()
{
    QFETCH(QString, step);
    QFETCH(QList<int>, rule);
    // Every pixel of the pattern differs, so a misplaced one cannot pass by chance.
    const QImage source = TestImages::pattern(QSize(144, 144), 3);
    const QImage result = apply(source, step);
    QCOMPARE(result.size(), source.size());
    for (int x = 0; x < 144; ++x)
        for (int y = 0; y < 144; ++y)
            if (result.pixel(x, y) != source.pixel(rule[0] * x + rule[1] * y + rule[2] * 143,
                                                   rule[3] * x + rule[4] * y + rule[5] * 143))
                QFAIL(qPrintable(QStringLiteral("pixel (%1, %2)").arg(x).arg(y)));
}

void TestSubtileTransforms::composes_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("same");
    QTest::newRow("right then left undoes") << "RL" << "";
    QTest::newRow("four rights undo") << "RRRR" << "";
    QTest::newRow("two horizontal flips undo") << "HH" << "";
    QTest::newRow("two vertical flips undo") << "VV" << "";
    QTest::newRow("half turn is both flips") << "RR" << "HV";
}

void TestSubtileTransforms::composes()
{
    QFETCH(QString, steps);
    QFETCH(QString, same);
    const QImage source = TestImages::pattern(QSize(144, 144), 7);
    QCOMPARE(apply(source, steps), apply(source, same));
}

QTEST_GUILESS_MAIN(TestSubtileTransforms)
#include "tst_subtiletransforms.moc"
