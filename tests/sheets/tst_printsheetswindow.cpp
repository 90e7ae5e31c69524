#include "printsheets/PrintSheetsWindow.h"
#include "support/TestImages.h"

#include <QPrinter>
#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

namespace {

const QRgb Green = qRgb(30, 160, 60), Orange = qRgb(240, 140, 20);
const QImage Current = TestImages::solid({432, 432}, Green);

template<typename T = QWidget>
T *child(const QObject *in, const QString &name)
{
    return in->findChild<T *>(name);
}

QString sheetText(const PrintSheetsWindow &window)
{
    return child<QLabel>(&window, u"lblSheet"_s)->text();
}
bool canMakeSheets(const PrintSheetsWindow &window)
{
    return child(&window, u"cmdSavePdf"_s)->isEnabled() && child(&window, u"cmdPrint"_s)->isEnabled();
}

// Documents read when the test says, as a reader in another process answers later.
struct Reader
{
    QMap<QString, std::function<void(const QImage &, const QString &)>> pending;
    PrintSheetsWindow::ReadDocument function()
    {
        return [this](const QString &path, auto done) { pending.insert(path, std::move(done)); };
    }
    void answer(const QString &path, const QImage &picture, const QString &error = {})
    {
        pending.take(path)(picture, error);
    }
};

// Files written into memory, and the names they were written under.
struct Files
{
    QStringList paths;
    QByteArray bytes; // the last one's
    QMap<QString, QByteArray> written;
    PrintSheetsWindow::WriteFile function()
    {
        return [this](const QString &path, const std::function<QString(QIODevice &)> &fill) {
            paths << path;
            bytes.clear();
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            const QString error = fill(buffer);
            written.insert(path, bytes);
            return error;
        };
    }
};

// The share of a widget's pixels in a colour, as it shows now.
qreal share(QWidget *widget, QRgb colour)
{
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto *pixels = reinterpret_cast<const QRgb *>(shown.constBits());
    return std::count(pixels, pixels + shown.sizeInBytes() / 4, colour) / qreal(shown.width() * shown.height());
}

// The pages of a PDF as Qt writes them, one page object each.
qsizetype pageCount(const QByteArray &pdf)
{
    return pdf.count("/Type /Page\n");
}

} // namespace

// The Print Sheets window, offscreen: the preview and its steps, documents read
// through the caller's reader, settings kept only once sheets are made, and
// printing on the printer's own paper. Its accessible names are checked with
// every other window's.
class TestPrintSheetsWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path()); }
    void init() { QSettings(u"cryptwright"_s, u"cryptwright"_s).clear(); }

    void documentsAddedThroughTheReader()
    {
        Reader reader;
        auto window = std::make_unique<PrintSheetsWindow>(u"current"_s, Current, reader.function());
        window->show();
        window->addDocuments({u"/maps/a.ora"_s, u"/maps/b.ora"_s, u"/maps/c.ora"_s});
        auto *list = child<QListWidget>(window.get(), u"lstMaptiles"_s);
        QCOMPARE(list->count(), 4);
        // Nothing is made from a set still being read.
        reader.answer(u"/maps/b.ora"_s, TestImages::solid({720, 864}, Orange));
        QVERIFY(!canMakeSheets(*window));
        reader.answer(u"/maps/a.ora"_s, QImage(), u"the file is damaged."_s);
        auto *box = window->findChild<QMessageBox *>();
        QVERIFY(box && box->isVisible() && box->windowTitle() == u"Cryptwright"_s);
        QCOMPARE(box->text(), u"a.ora could not be added: the file is damaged."_s);
        box->close();
        QCOMPARE(list->count(), 3);
        // One removed while it is read is not added when the reader answers.
        list->setCurrentRow(2);
        QTest::mouseClick(child(window.get(), u"cmdRemove"_s), Qt::LeftButton);
        reader.answer(u"/maps/c.ora"_s, TestImages::solid({432, 432}, Orange));
        QCOMPARE(list->count(), 2);
        QVERIFY(list->item(1)->text().startsWith(u"b.ora (5 × 6 spaces)"_s));
        QVERIFY(canMakeSheets(*window));
        QCOMPARE(sheetText(*window), u"Sheet 1 of 2"_s); // a 3 x 3 and a 5 x 6 on A4
        // A reader answering after the window is gone finds nothing to call.
        window->addDocuments({u"/maps/late.ora"_s});
        window.reset();
        reader.answer(u"/maps/late.ora"_s, Current);
    }

    void settingsKeptOnlyOnceSheetsAreMade()
    {
        Reader reader;
        Files files;
        const auto open = [&] {
            return std::make_unique<PrintSheetsWindow>(u"current"_s, Current, reader.function(), files.function());
        };
        const QString back = m_settings.filePath(u"stone.png"_s);
        TestImages::save(TestImages::solid({30, 30}, Orange), back);
        const auto choose = [&](PrintSheetsWindow &window) {
            child<QComboBox>(&window, u"cboPaper"_s)->setCurrentIndex(2);
            for (const char *list : {"cboOrientation", "cboCutLines", "cboFlip"})
                child<QComboBox>(&window, QString::fromLatin1(list))->setCurrentIndex(1);
            for (const auto &[field, text] :
                 {std::pair(u"txtMargin"_s, u"0.25in"_s), std::pair(u"txtBleed"_s, u"1mm"_s),
                  std::pair(u"txtBackOffsetX"_s, u"-1.5 mm"_s), std::pair(u"txtBackOffsetY"_s, u"1pt"_s)})
                child<QLineEdit>(&window, field)->setText(text);
            child<QCheckBox>(&window, u"chkCalibration"_s)->setChecked(true);
            window.setBack(-1, back);
            reader.answer(back, QImage(back));
        };
        // Escape closes the window and changes nothing.
        auto window = open();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        choose(*window);
        QTest::keyClick(child(window.get(), u"txtMargin"_s), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        window = open();
        QCOMPARE(window->layout().settings().paper.id(), QPageSize::A4);
        QCOMPARE(child<QLineEdit>(window.get(), u"txtMargin"_s)->text(), u"6 mm"_s);
        QVERIFY(files.paths.isEmpty());
        // Saving keeps them for the next time.
        choose(*window);
        QCOMPARE(window->savePdf(u"/out/sheets.pdf"_s), QString());
        QVERIFY(files.paths == QStringList{u"/out/sheets.pdf"_s} && files.bytes.startsWith("%PDF"));
        window = open();
        // The back for all is read again as the window opens.
        QVERIFY(reader.pending.contains(back));
        reader.answer(back, QImage(back));
        QCOMPARE(child<QLabel>(window.get(), u"lblBackForAll"_s)->text(), u"stone.png"_s);
        const SheetSettings &s = window->layout().settings();
        QVERIFY(s.paper.id() == QPageSize::Letter && s.orientation == QPageLayout::Landscape && s.cropMarks);
        QVERIFY(s.margin.units() == SheetLength::PerInch / 4 && s.bleed.units() == SheetLength::PerMillimetre);
        QVERIFY(s.cutLines == SheetSettings::CutLines::Full && s.flip == SheetSettings::Flip::ShortEdge
                && s.calibration);
        QVERIFY(s.backOffsetX.units() == -3 * SheetLength::PerMillimetre / 2
                && s.backOffsetY.units() == SheetLength::PerPoint);
        QVERIFY(window->layout().twoSided() && window->layout().maptiles()[0].back == 0);
        // A stored length that no longer reads gives way to the default.
        QSettings(u"cryptwright"_s, u"cryptwright"_s).setValue(u"PrintSheets/margin"_s, u"lots"_s);
        window = open();
        QCOMPARE(child<QLineEdit>(window.get(), u"txtMargin"_s)->text(), u"6 mm"_s);
    }

    void badSettingsStopTheSheets_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason"); // part of the status shown
        // One refusal of the text, one of the layout; the layout's tests go through every reason.
        QTest::newRow("not a length") << u"txtGap"_s << u"wide"_s << u"Gap: \"wide\" is not a length"_s;
        QTest::newRow("not an offset") << u"txtBackOffsetX"_s << u"left"_s
                                       << u"Back offset across: \"left\" is not a length"_s;
        QTest::newRow("larger with its bleed")
            << u"txtBleed"_s << u"60 mm"_s << u"current (234.3 × 234.3 mm with its bleed)"_s;
    }
    void badSettingsStopTheSheets()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        Reader reader;
        Files files;
        PrintSheetsWindow window(u"current"_s, Current, reader.function(), files.function());
        const auto status = [&] { return child<QLabel>(&window, u"lblStatus"_s)->text(); };
        auto *edit = child<QLineEdit>(&window, field);
        const QString good = edit->text();
        edit->setText(text);
        QVERIFY2(status().contains(reason), qPrintable(status()));
        QVERIFY(!canMakeSheets(window) && sheetText(window) == u"No sheets"_s);
        QVERIFY(!window.savePdf(u"/out/x.pdf"_s).isEmpty() && files.paths.isEmpty());
        edit->setText(good);
        QVERIFY(status().isEmpty() && canMakeSheets(window));
    }

    // Backs for all and for one, read through the reader; each front and its
    // back previewed in turn, stepping to the last; saved as one PDF, or as the fronts and the backs apart.
    void twoSidedSheets()
    {
        Reader documents, reader; // backs are pictures too, read by a reader of their own
        Files files;
        PrintSheetsWindow window(u"current"_s, Current, documents.function(), files.function(), nullptr,
                                 reader.function());
        window.show();
        const auto status = [&] { return child<QLabel>(&window, u"lblStatus"_s)->text(); };
        QWidget *preview = child(&window, u"picPreview"_s), *next = child(&window, u"cmdNextSheet"_s);
        window.setBack(-1, u"/backs/stone.png"_s);
        QVERIFY(status() == u"Reading stone.png…"_s && !canMakeSheets(window));
        const QRgb stone = qRgb(120, 120, 130), wood = qRgb(150, 90, 40);
        reader.answer(u"/backs/stone.png"_s, TestImages::solid({50, 80}, stone));
        QVERIFY(documents.pending.isEmpty());
        QVERIFY(status().isEmpty() && canMakeSheets(window));
        QCOMPARE(child<QLabel>(&window, u"lblBackForAll"_s)->text(), u"stone.png"_s);

        // Five copies: three sheets, each front followed by its back, the last with one maptile.
        child<QSpinBox>(&window, u"spnCopies"_s)->setValue(5);
        QStringList shown;
        for (int page = 0; page < 6; ++page, QTest::mouseClick(next, Qt::LeftButton))
            shown << sheetText(window) + (share(preview, stone) > 0.1 ? u" stone"_s : QString());
        QVERIFY(!next->isEnabled());
        QCOMPARE(shown,
                 QStringList({u"Sheet 1 of 3"_s, u"Sheet 1 of 3, back stone"_s, u"Sheet 2 of 3"_s,
                              u"Sheet 2 of 3, back stone"_s, u"Sheet 3 of 3"_s, u"Sheet 3 of 3, back stone"_s}));
        QVERIFY(share(preview, stone) > 0.05);
        child<QCheckBox>(&window, u"chkCalibration"_s)->setChecked(true);
        QCOMPARE(sheetText(window), u"Sheet 3 of 4, back"_s);
        child<QSpinBox>(&window, u"spnCopies"_s)->setValue(1);
        QCOMPARE(sheetText(window), u"Sheet 2 of 2, back"_s);
        QTest::mouseClick(child(&window, u"cmdPreviousSheet"_s), Qt::LeftButton);
        QTest::mouseClick(child(&window, u"cmdPreviousSheet"_s), Qt::LeftButton);
        QCOMPARE(sheetText(window), u"Sheet 1 of 2, calibration back"_s);

        // The maptile's own back wins over the one for all, until it is taken away again.
        window.setBack(0, u"/backs/wood.png"_s);
        reader.answer(u"/backs/wood.png"_s, TestImages::solid({432, 432}, wood));
        auto *list = child<QListWidget>(&window, u"lstMaptiles"_s);
        QVERIFY(list->item(0)->text().endsWith(u", back: wood.png"_s));
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::mouseClick(next, Qt::LeftButton);
        QVERIFY(share(preview, wood) > 0.05 && share(preview, stone) == 0);
        QTest::mouseClick(child(&window, u"cmdNoOwnBack"_s), Qt::LeftButton);
        QVERIFY(share(preview, stone) > 0.05 && !list->item(0)->text().contains(u"wood"_s));
        // A back that cannot be read is reported and left out.
        window.setBack(0, u"/backs/broken.png"_s);
        reader.answer(u"/backs/broken.png"_s, QImage(), u"the file is damaged."_s);
        auto *box = window.findChild<QMessageBox *>();
        QVERIFY(box && box->text() == u"The back broken.png could not be read: the file is damaged."_s);
        box->close();
        QVERIFY(canMakeSheets(window) && share(preview, stone) > 0.05);

        QCOMPARE(window.savePdf(u"/out/sheets.pdf"_s), QString());
        QVERIFY(files.bytes.contains("/PrintScaling /None") && pageCount(files.bytes) == 4);
        QCOMPARE(window.savePdfPair(u"/out/sheets.pdf"_s), QString());
        const QStringList pair = PrintSheetsWindow::pairPaths(u"/out/sheets.pdf"_s);
        QCOMPARE(pair, QStringList({u"/out/sheets-fronts.pdf"_s, u"/out/sheets-backs.pdf"_s}));
        QCOMPARE(files.paths.mid(1), pair);
        QVERIFY(pageCount(files.written[pair[0]]) == 2 && pageCount(files.written[pair[1]]) == 2);
    }

    void printsOnThePrintersPaperAtExactScale()
    {
        if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
            QSKIP("poppler-utils is not installed.");
        Reader reader;
        PrintSheetsWindow window(u"current"_s, Current, reader.function());
        child<QSpinBox>(&window, u"spnCopies"_s)->setValue(6);
        QCOMPARE(sheetText(window), u"Sheet 1 of 3"_s);
        // The paper chosen in the print dialog wins over the window's, and the window shows it.
        QTemporaryDir folder;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(folder.filePath(u"printed.pdf"_s));
        printer.setPageSize(QPageSize(QPageSize::A3));
        printer.setPageOrientation(QPageLayout::Landscape);
        QCOMPARE(window.printOn(printer), QString());
        QVERIFY(child<QComboBox>(&window, u"cboPaper"_s)->currentData().toString() == u"a3"_s
                && child<QComboBox>(&window, u"cboOrientation"_s)->currentIndex() == 1);
        QCOMPARE(sheetText(window), u"Sheet 1 of 1"_s);
        QProcess::execute(QStandardPaths::findExecutable(u"pdftoppm"_s),
                          {u"-r"_s, u"96"_s, u"-png"_s, printer.outputFileName(), folder.filePath(u"page"_s)});
        QCOMPARE(QDir(folder.path()).entryList({u"page*.png"_s}), QStringList{u"page-1.png"_s});
        // At 96 dots per inch a picture pixel is a dot: six 432-dot squares where they were laid out.
        const QImage page = QImage(folder.filePath(u"page-1.png"_s)).convertToFormat(QImage::Format_RGB32);
        QVERIFY(std::abs(page.width() - 1587) <= 1 && std::abs(page.height() - 1123) <= 1);
        for (const SheetPlacement &p : window.layout().placements(0)) {
            const QRect at(p.cut.topLeft() / qreal(SheetLength::PerPixel), QSize(432, 432));
            const QPoint in(1, 1), out(2, 2);
            QVERIFY(page.pixel(at.topLeft() + in) == Green && page.pixel(at.bottomRight() - in) == Green);
            QVERIFY(page.pixel(at.topLeft() - out) != Green && page.pixel(at.bottomRight() + out) != Green);
        }
    }

private:
    QTemporaryDir m_settings;
};

QTEST_MAIN(TestPrintSheetsWindow)
#include "tst_printsheetswindow.moc"
