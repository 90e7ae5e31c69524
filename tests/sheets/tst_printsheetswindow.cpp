#include "printsheets/PrintSheetsWindow.h"
#include "support/TestImages.h"

#include <QtTest>
#include <QtWidgets>
#include <QPrinter>

using namespace Qt::StringLiterals;

namespace {

const QRgb Green = qRgb(30, 160, 60), Orange = qRgb(240, 140, 20);

template<typename T = QWidget> T *child(const QObject *in, const QString &name)
{
    T *found = in->findChild<T *>(name);
    if (!found)
        qWarning("no %s", qPrintable(name));
    return found;
}

// Documents read when the test says, as a reader in another process answers later.
struct Reader {
    using Done = std::function<void(const QImage &, const QString &)>;
    QList<std::pair<QString, Done>> pending;
    PrintSheetsWindow::ReadDocument function()
    {
        return [this](const QString &path, Done done) { pending.append({path, std::move(done)}); };
    }
    void answer(const QString &path, const QImage &picture, const QString &error = {})
    {
        const auto it = std::find_if(pending.begin(), pending.end(), [&](const auto &p) { return p.first == path; });
        QVERIFY2(it != pending.end(), qPrintable(path));
        const Done done = it->second;
        pending.erase(it);
        done(picture, error);
    }
};

// Files written into memory, and the names they were written under.
struct Files {
    QStringList paths;
    QByteArray bytes;
    PrintSheetsWindow::WriteFile function()
    {
        return [this](const QString &path, const std::function<QString(QIODevice &)> &fill) {
            paths << path;
            bytes.clear();
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            return fill(buffer);
        };
    }
};

QString sheetText(const PrintSheetsWindow &window)
{
    return child<QLabel>(&window, u"lblSheet"_s)->text();
}

// The share of a grabbed preview in a colour.
qreal shareOf(const QImage &grab, QRgb colour)
{
    const QImage image = grab.convertToFormat(QImage::Format_RGB32);
    qint64 count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return qreal(count) / (image.width() * image.height());
}

} // namespace

// The Print Sheets window, offscreen: its controls, the preview and its
// steps, documents read through the caller's reader, settings kept only
// when sheets are made, and printing on the printer's own paper.
class TestPrintSheetsWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }
    void init() { QSettings(u"cryptwright"_s, u"cryptwright"_s).clear(); }

    void everyControlIsNamed()
    {
        Reader reader;
        PrintSheetsWindow window(u"current"_s, TestImages::solid({432, 432}, Green), reader.function());
        QCOMPARE(window.windowTitle(), u"Print Sheets"_s);
        QCOMPARE(window.objectName(), u"PrintSheetsWindow"_s);
        const QList<QWidget *> widgets = window.findChildren<QWidget *>();
        int controls = 0;
        for (QWidget *widget : widgets) {
            const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QComboBox *>(widget)
                || qobject_cast<QLineEdit *>(widget) || qobject_cast<QAbstractItemView *>(widget)
                || qobject_cast<QAbstractSpinBox *>(widget);
            // Parts of another control, such as a spin box's editor, are named by it.
            if (!control || !widget->parentWidget() || qobject_cast<QAbstractSpinBox *>(widget->parentWidget())
                || qobject_cast<QComboBox *>(widget->parentWidget()))
                continue;
            ++controls;
            QVERIFY2(!widget->objectName().isEmpty(), widget->metaObject()->className());
            QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        }
        QVERIFY(controls >= 14);
        // Its size stays fixed, whatever it shows.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QSize size = window.size();
        child<QLineEdit>(&window, u"txtMargin"_s)->setText(u"not a length, and a long one at that"_s);
        QCoreApplication::processEvents();
        QCOMPARE(window.size(), size);
        QCOMPARE(window.minimumSize(), window.maximumSize());
    }

    void previewStepsThroughSheets()
    {
        Reader reader;
        PrintSheetsWindow window(u"current"_s, TestImages::solid({432, 432}, Green), reader.function());
        window.show();
        QCOMPARE(sheetText(window), u"Sheet 1 of 1"_s);
        // Five copies of a 3 x 3 on A4: two, two and one.
        child<QSpinBox>(&window, u"spnCopies"_s)->setValue(5);
        QCOMPARE(sheetText(window), u"Sheet 1 of 3"_s);
        auto *previous = child<QToolButton>(&window, u"cmdPreviousSheet"_s);
        auto *next = child<QToolButton>(&window, u"cmdNextSheet"_s);
        QVERIFY(!previous->isEnabled() && next->isEnabled());
        auto *preview = child(&window, u"picPreview"_s);
        const qreal full = shareOf(preview->grab().toImage(), Green);
        QVERIFY(full > 0.1);
        QTest::mouseClick(next, Qt::LeftButton);
        QTest::mouseClick(next, Qt::LeftButton);
        QCOMPARE(sheetText(window), u"Sheet 3 of 3"_s);
        QVERIFY(previous->isEnabled() && !next->isEnabled());
        // The last sheet holds one of the two.
        const qreal last = shareOf(preview->grab().toImage(), Green);
        QVERIFY2(std::abs(last * 2 - full) < full * 0.1, qPrintable(u"%1 %2"_s.arg(last).arg(full)));
        QTest::mouseClick(previous, Qt::LeftButton);
        QCOMPARE(sheetText(window), u"Sheet 2 of 3"_s);
        // A3 holds all five.
        child<QComboBox>(&window, u"cboPaper"_s)->setCurrentIndex(1);
        QCOMPARE(sheetText(window), u"Sheet 1 of 1"_s);
    }

    void documentsAddedThroughTheReader()
    {
        Reader reader;
        auto window = std::make_unique<PrintSheetsWindow>(u"current"_s, TestImages::solid({432, 432}, Green),
                                                          reader.function());
        window->show();
        window->addDocuments({u"/maps/a.ora"_s, u"/maps/b.ora"_s, u"/maps/c.ora"_s});
        QCOMPARE(reader.pending.size(), 3);
        auto *list = child<QListWidget>(window.get(), u"lstMaptiles"_s);
        QCOMPARE(list->count(), 4);
        // Nothing is made from a set still being read.
        auto *save = child<QPushButton>(window.get(), u"cmdSavePdf"_s);
        auto *print = child<QPushButton>(window.get(), u"cmdPrint"_s);
        QVERIFY(!save->isEnabled() && !print->isEnabled());

        reader.answer(u"/maps/b.ora"_s, TestImages::solid({720, 864}, Orange));
        QVERIFY(!save->isEnabled());
        reader.answer(u"/maps/a.ora"_s, QImage(), u"the file is damaged."_s);
        auto *box = window->findChild<QMessageBox *>();
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->windowTitle(), u"Cryptwright"_s);
        QCOMPARE(box->text(), u"a.ora could not be added: the file is damaged."_s);
        box->close();
        QCOMPARE(list->count(), 3);
        QVERIFY(list->item(1)->text().startsWith(u"b.ora"_s));

        // One removed while it is read is not added when the reader answers.
        list->setCurrentRow(2);
        QVERIFY(list->currentItem()->text().startsWith(u"c.ora"_s));
        QTest::mouseClick(child<QPushButton>(window.get(), u"cmdRemove"_s), Qt::LeftButton);
        reader.answer(u"/maps/c.ora"_s, TestImages::solid({432, 432}, Orange));
        QCOMPARE(list->count(), 2);
        QVERIFY(save->isEnabled() && print->isEnabled());
        // A 3 x 3 and a 5 x 6 on A4: a sheet each.
        QCOMPARE(window->layout().sheetCount(), 2);
        QCOMPARE(sheetText(*window), u"Sheet 1 of 2"_s);

        // A reader that answers after the window is gone finds nothing to call.
        window->addDocuments({u"/maps/late.ora"_s});
        window.reset();
        reader.answer(u"/maps/late.ora"_s, TestImages::solid({432, 432}, Orange));
    }

    void escapeChangesNothing()
    {
        Reader reader;
        Files files;
        {
            PrintSheetsWindow window(u"current"_s, TestImages::solid({432, 432}, Green), reader.function(),
                                     files.function());
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            child<QComboBox>(&window, u"cboPaper"_s)->setCurrentIndex(1);
            child<QCheckBox>(&window, u"chkCropMarks"_s)->setChecked(false);
            auto *margin = child<QLineEdit>(&window, u"txtMargin"_s);
            margin->setFocus();
            margin->setText(u"10 mm"_s);
            QTest::keyClick(margin, Qt::Key_Escape);
            QVERIFY(!window.isVisible());
            QCOMPARE(window.result(), int(QDialog::Rejected));
        }
        QVERIFY(files.paths.isEmpty());
        QVERIFY(QSettings(u"cryptwright"_s, u"cryptwright"_s).allKeys().isEmpty());
        PrintSheetsWindow again(u"current"_s, TestImages::solid({432, 432}, Green), reader.function());
        QCOMPARE(child<QComboBox>(&again, u"cboPaper"_s)->currentIndex(), 0);
        QCOMPARE(child<QLineEdit>(&again, u"txtMargin"_s)->text(), u"6 mm"_s);
        QVERIFY(child<QCheckBox>(&again, u"chkCropMarks"_s)->isChecked());
    }

    void settingsRememberedOnceSaved()
    {
        Reader reader;
        Files files;
        {
            PrintSheetsWindow window(u"current"_s, TestImages::solid({432, 432}, Green), reader.function(),
                                     files.function());
            child<QComboBox>(&window, u"cboPaper"_s)->setCurrentIndex(2);
            child<QComboBox>(&window, u"cboOrientation"_s)->setCurrentIndex(1);
            child<QLineEdit>(&window, u"txtMargin"_s)->setText(u"0.25in"_s);
            child<QLineEdit>(&window, u"txtGap"_s)->setText(u"2 mm"_s);
            child<QLineEdit>(&window, u"txtBleed"_s)->setText(u"1mm"_s);
            child<QCheckBox>(&window, u"chkCropMarks"_s)->setChecked(false);
            QCOMPARE(window.savePdf(u"/out/sheets.pdf"_s), QString());
            QCOMPARE(files.paths, QStringList{u"/out/sheets.pdf"_s});
            QVERIFY(files.bytes.startsWith("%PDF"));
        }
        PrintSheetsWindow again(u"current"_s, TestImages::solid({432, 432}, Green), reader.function());
        const SheetSettings &s = again.layout().settings();
        QCOMPARE(s.paper.id(), QPageSize::Letter);
        QCOMPARE(s.orientation, QPageLayout::Landscape);
        QCOMPARE(s.margin.units(), SheetLength::PerInch / 4);
        QCOMPARE(s.gap.units(), 2 * SheetLength::PerMillimetre);
        QCOMPARE(s.bleed.units(), SheetLength::PerMillimetre);
        QVERIFY(!s.cropMarks);
        QCOMPARE(child<QLineEdit>(&again, u"txtMargin"_s)->text(), u"0.25in"_s);

        // A stored length that no longer reads gives way to the default.
        QSettings(u"cryptwright"_s, u"cryptwright"_s).setValue(u"PrintSheets/gap"_s, u"lots"_s);
        PrintSheetsWindow third(u"current"_s, TestImages::solid({432, 432}, Green), reader.function());
        QCOMPARE(child<QLineEdit>(&third, u"txtGap"_s)->text(), u"3 mm"_s);
    }

    void badSettingsStopTheSheets_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason"); // part of the status shown
        QTest::newRow("margin without a unit") << "txtMargin" << "6" << "Margin: \"6\" needs a unit";
        QTest::newRow("gap not a length") << "txtGap" << "wide" << "Gap: \"wide\" is not a length";
        QTest::newRow("negative bleed") << "txtBleed" << "-1 mm" << "Bleed: \"-1 mm\" cannot be used";
        QTest::newRow("margins leave no room") << "txtMargin" << "110 mm" << "leave no room";
        QTest::newRow("maptile larger with bleed") << "txtBleed" << "60 mm" << "current (";
    }
    void badSettingsStopTheSheets()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        Reader reader;
        Files files;
        PrintSheetsWindow window(u"current"_s, TestImages::solid({432, 432}, Green), reader.function(),
                                 files.function());
        auto *edit = child<QLineEdit>(&window, field);
        const QString good = edit->text();
        edit->setText(text);
        QVERIFY2(child<QLabel>(&window, u"lblStatus"_s)->text().contains(reason),
                 qPrintable(child<QLabel>(&window, u"lblStatus"_s)->text()));
        QVERIFY(!child<QPushButton>(&window, u"cmdSavePdf"_s)->isEnabled());
        QVERIFY(!child<QPushButton>(&window, u"cmdPrint"_s)->isEnabled());
        QCOMPARE(sheetText(window), u"No sheets"_s);
        QVERIFY(!window.savePdf(u"/out/x.pdf"_s).isEmpty());
        QVERIFY(files.paths.isEmpty());
        edit->setText(good);
        QVERIFY(child<QLabel>(&window, u"lblStatus"_s)->text().isEmpty());
        QVERIFY(child<QPushButton>(&window, u"cmdSavePdf"_s)->isEnabled());
    }

    void printsOnThePrintersPaperAtExactScale()
    {
        if (QStandardPaths::findExecutable(u"pdftoppm"_s).isEmpty())
            QSKIP("poppler-utils is not installed.");
        Reader reader;
        PrintSheetsWindow window(u"current"_s, TestImages::solid({432, 432}, Green), reader.function());
        child<QSpinBox>(&window, u"spnCopies"_s)->setValue(6);
        QCOMPARE(sheetText(window), u"Sheet 1 of 3"_s);
        // The paper chosen in the print dialog wins over the window's, and the window shows it.
        QTemporaryDir folder;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(u"printed.pdf"_s));
        printer.setPageSize(QPageSize(QPageSize::A3));
        printer.setPageOrientation(QPageLayout::Landscape);
        QCOMPARE(window.printOn(printer), QString());
        QCOMPARE(child<QComboBox>(&window, u"cboPaper"_s)->currentData().toString(), u"a3"_s);
        QCOMPARE(child<QComboBox>(&window, u"cboOrientation"_s)->currentIndex(), 1);
        QCOMPARE(sheetText(window), u"Sheet 1 of 1"_s);

        QProcess render;
        render.start(QStandardPaths::findExecutable(u"pdftoppm"_s),
                     {u"-r"_s, u"96"_s, u"-png"_s, printer.outputFileName(), folder.filePath(u"page"_s)});
        QVERIFY(render.waitForFinished(60000));
        QCOMPARE(QDir(folder.path()).entryList({u"page*.png"_s}), QStringList{u"page-1.png"_s});
        const QImage page = QImage(folder.filePath(u"page-1.png"_s)).convertToFormat(QImage::Format_RGB32);
        // A3 landscape at 96 dots per inch, a picture pixel a dot: six 432-dot squares where they were laid out.
        QVERIFY(std::abs(page.width() - 1587) <= 1 && std::abs(page.height() - 1123) <= 1);
        const SheetLayout &layout = window.layout();
        QCOMPARE(layout.placements(0).size(), 6);
        for (const SheetPlacement &p : layout.placements(0)) {
            const QRect at(qRound(p.cut.x() / qreal(SheetLength::PerPixel)), qRound(p.cut.y() / qreal(SheetLength::PerPixel)),
                           432, 432);
            for (const QPoint inside : {at.topLeft() + QPoint(1, 1), at.bottomRight() - QPoint(1, 1)})
                QCOMPARE(page.pixel(inside), Green);
            for (const QPoint outside : {at.topLeft() - QPoint(2, 2), at.bottomRight() + QPoint(2, 2)})
                QVERIFY(page.pixel(outside) != Green);
        }
    }

private:
    QTemporaryDir m_settings;
};

QTEST_MAIN(TestPrintSheetsWindow)
#include "tst_printsheetswindow.moc"
