#include "output/MaptilePrinter.h"
#include "support/TestImages.h"

#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class TestMaptilePrinter : public QObject
{
    Q_OBJECT

private slots:
    void printsOneAndAHalfInchesPerSpace();
    void unwritableOutputIsReported();
};

void TestMaptilePrinter::printsOneAndAHalfInchesPerSpace()
{
    const QString renderer = QStandardPaths::findExecutable("pdftoppm");
    if (renderer.isEmpty())
        QSKIP("pdftoppm is not installed.");
    for (const QSize spaces : {QSize(5, 6), QSize(3, 3)}) {
        QTemporaryDir dir;
        MaptilePrinter printer;
        printer.printer().setOutputFileName(dir.filePath("m.pdf"));
        QCOMPARE(printer.print(TestImages::solid(spaces * 144, qRgb(40, 70, 30))), QString());
        QCOMPARE(QProcess::execute(renderer, {"-r", "96", "-png", "-singlefile", dir.filePath("m.pdf"),
                                              dir.filePath("page")}), 0);

        // At 96 dots per inch, 144 pixels per space are 1.5 inches.
        const QImage page(dir.filePath("page.png"));
        QRect inked;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 200)
                    inked |= QRect(x, y, 1, 1);
        const QRect expected(printer.printer().pageLayout().paintRectPixels(96).topLeft(), spaces * 144);
        QVERIFY2((inked.topLeft() - expected.topLeft()).manhattanLength() <= 2
                     && (inked.bottomRight() - expected.bottomRight()).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2 %3 x %4").arg(inked.x()).arg(inked.y())
                                .arg(inked.width()).arg(inked.height())));
    }
}

void TestMaptilePrinter::unwritableOutputIsReported()
{
    QTemporaryDir dir;
    MaptilePrinter printer;
    const QString blocked = dir.filePath("missing/m.pdf");
    printer.printer().setOutputFileName(blocked);
    QVERIFY(printer.print(TestImages::solid(QSize(432, 432), 0)).contains(blocked));
}

QTEST_MAIN(TestMaptilePrinter)
#include "tst_maptileprinter.moc"
