#include "printsheets/PrintSheetsWindow.h"

#include "printsheets/SheetPreview.h"
#include "sheets/SheetOutput.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString SettingsGroup = QStringLiteral("PrintSheets");
const QString DefaultMargin = QStringLiteral("6 mm");
const QString DefaultGap = QStringLiteral("3 mm");
const QString DefaultBleed = QStringLiteral("0 mm");
constexpr int MostCopies = 99;
constexpr int SpacePixels = 144;

QSettings settingsStore()
{
    return QSettings(QStringLiteral("cryptwright"), QStringLiteral("cryptwright"));
}

// Writes through a file that takes the name only once complete, so a failed
// save leaves an existing file as it was.
QString replaceFile(const QString &path, const std::function<QString(QIODevice &)> &fill)
{
    const auto failed = [&path](const QString &reason) {
        return QCoreApplication::translate("PrintSheetsWindow", "\"%1\" was not saved: %2")
            .arg(QDir::toNativeSeparators(path), reason);
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString() + QLatin1Char('.'));
    QString reason = fill(file);
    if (reason.isEmpty() && file.error() != QFileDevice::NoError)
        reason = file.errorString() + QLatin1Char('.');
    if (!reason.isEmpty()) {
        file.cancelWriting();
        return failed(reason);
    }
    if (!file.commit())
        return failed(file.errorString() + QLatin1Char('.'));
    return {};
}

template<typename Control>
Control *named(Control *control, const char *name, const QString &accessibleName)
{
    control->setObjectName(QLatin1String(name));
    control->setAccessibleName(accessibleName);
    return control;
}

} // namespace

PrintSheetsWindow::PrintSheetsWindow(const QString &currentName, const QImage &currentMaptile,
                                     ReadDocument readDocument, WriteFile writeFile, QWidget *parent)
    : QDialog(parent)
    , m_readDocument(std::move(readDocument))
    , m_writeFile(writeFile ? std::move(writeFile) : WriteFile(replaceFile))
{
    setObjectName(QStringLiteral("PrintSheetsWindow"));
    setWindowTitle(tr("Print Sheets"));
    setAccessibleName(tr("Print Sheets"));
    if (!currentMaptile.isNull())
        m_entries.append({m_nextId++, currentName.isEmpty() ? tr("Current maptile") : currentName, currentMaptile, 1});
    buildControls();
    loadSettings();
    refreshList();
    relayout();
}

PrintSheetsWindow::~PrintSheetsWindow() = default;

void PrintSheetsWindow::buildControls()
{
    m_list = named(new QListWidget, "lstMaptiles", tr("Maptiles to print"));
    m_list->setMinimumWidth(280);
    m_add = named(new QPushButton(tr("Add…")), "cmdAdd", tr("Add documents"));
    m_remove = named(new QPushButton(tr("Remove")), "cmdRemove", tr("Remove the chosen maptile"));
    m_copies = named(new QSpinBox, "spnCopies", tr("Copies of the chosen maptile"));
    m_copies->setRange(1, MostCopies);
    auto *copiesLabel = new QLabel(tr("&Copies:"));
    copiesLabel->setBuddy(m_copies);
    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(m_add);
    listButtons->addWidget(m_remove);
    listButtons->addStretch();
    listButtons->addWidget(copiesLabel);
    listButtons->addWidget(m_copies);
    auto *maptiles = new QGroupBox(tr("Maptiles"));
    auto *maptilesLayout = new QVBoxLayout(maptiles);
    maptilesLayout->addWidget(m_list);
    maptilesLayout->addLayout(listButtons);

    m_paper = named(new QComboBox, "cboPaper", tr("Paper"));
    m_paper->addItem(tr("A4 (210 × 297 mm)"), QStringLiteral("a4"));
    m_paper->addItem(tr("A3 (297 × 420 mm)"), QStringLiteral("a3"));
    m_paper->addItem(tr("Letter (8.5 × 11 in)"), QStringLiteral("letter"));
    m_paper->addItem(tr("Legal (8.5 × 14 in)"), QStringLiteral("legal"));
    m_paper->addItem(tr("Tabloid (11 × 17 in)"), QStringLiteral("tabloid"));
    m_orientation = named(new QComboBox, "cboOrientation", tr("Orientation"));
    m_orientation->addItem(tr("Portrait"), int(QPageLayout::Portrait));
    m_orientation->addItem(tr("Landscape"), int(QPageLayout::Landscape));
    const QString lengthHint = tr("A length in mm, cm, in or pt, such as 6 mm or 0.25 in");
    m_margin = named(new QLineEdit, "txtMargin", tr("Margin"));
    m_gap = named(new QLineEdit, "txtGap", tr("Gap between maptiles"));
    m_bleed = named(new QLineEdit, "txtBleed", tr("Bleed"));
    for (QLineEdit *length : {m_margin, m_gap, m_bleed})
        length->setToolTip(lengthHint);
    m_cropMarks = named(new QCheckBox(tr("Crop &marks and scale bar")), "chkCropMarks", tr("Crop marks and scale bar"));
    auto *paper = new QGroupBox(tr("Paper"));
    auto *paperLayout = new QFormLayout(paper);
    paperLayout->addRow(tr("&Paper:"), m_paper);
    paperLayout->addRow(tr("&Orientation:"), m_orientation);
    paperLayout->addRow(tr("Ma&rgin:"), m_margin);
    paperLayout->addRow(tr("&Gap:"), m_gap);
    paperLayout->addRow(tr("&Bleed:"), m_bleed);
    paperLayout->addRow(m_cropMarks);

    m_preview = named(new SheetPreview, "picPreview", tr("Preview of the sheet"));
    m_preview->setFixedSize(m_preview->sizeHint());
    m_previous = named(new QToolButton, "cmdPreviousSheet", tr("Previous sheet"));
    m_previous->setArrowType(Qt::LeftArrow);
    m_previous->setToolTip(tr("Previous sheet"));
    m_next = named(new QToolButton, "cmdNextSheet", tr("Next sheet"));
    m_next->setArrowType(Qt::RightArrow);
    m_next->setToolTip(tr("Next sheet"));
    m_sheetLabel = named(new QLabel, "lblSheet", tr("Sheet shown"));
    m_sheetLabel->setAlignment(Qt::AlignCenter);
    auto *steps = new QHBoxLayout;
    steps->addWidget(m_previous);
    steps->addWidget(m_sheetLabel, 1);
    steps->addWidget(m_next);
    auto *preview = new QGroupBox(tr("Preview"));
    auto *previewLayout = new QVBoxLayout(preview);
    previewLayout->addWidget(m_preview);
    previewLayout->addLayout(steps);

    m_status = named(new QLabel, "lblStatus", tr("Status"));
    m_status->setWordWrap(true);
    m_status->setFixedHeight(2 * fontMetrics().lineSpacing());
    m_status->setForegroundRole(QPalette::Highlight);
    m_print = named(new QPushButton(tr("&Print…")), "cmdPrint", tr("Print the sheets"));
    m_save = named(new QPushButton(tr("&Save PDF…")), "cmdSavePdf", tr("Save the sheets as a PDF"));
    auto *close = named(new QPushButton(tr("Close")), "cmdClose", tr("Close"));
    // Enter in a length must not start a print.
    for (QPushButton *button : {m_add, m_remove, m_print, m_save, close})
        button->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_save);
    buttons->addWidget(close);

    auto *left = new QVBoxLayout;
    left->addWidget(maptiles, 1);
    left->addWidget(paper);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(preview);
    auto *main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_list, &QListWidget::currentRowChanged, this, &PrintSheetsWindow::choiceChanged);
    connect(m_add, &QPushButton::clicked, this, &PrintSheetsWindow::chooseDocuments);
    connect(m_remove, &QPushButton::clicked, this, &PrintSheetsWindow::removeSelected);
    connect(m_copies, &QSpinBox::valueChanged, this, &PrintSheetsWindow::copiesChanged);
    for (QComboBox *box : {m_paper, m_orientation})
        connect(box, &QComboBox::currentIndexChanged, this, &PrintSheetsWindow::relayout);
    for (QLineEdit *length : {m_margin, m_gap, m_bleed})
        connect(length, &QLineEdit::textChanged, this, &PrintSheetsWindow::relayout);
    connect(m_cropMarks, &QCheckBox::toggled, this, &PrintSheetsWindow::relayout);
    connect(m_previous, &QToolButton::clicked, this, [this] { showSheet(m_sheet - 1); });
    connect(m_next, &QToolButton::clicked, this, [this] { showSheet(m_sheet + 1); });
    connect(m_print, &QPushButton::clicked, this, &PrintSheetsWindow::chooseAndPrint);
    connect(m_save, &QPushButton::clicked, this, &PrintSheetsWindow::chooseAndSave);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void PrintSheetsWindow::loadSettings()
{
    QSettings store = settingsStore();
    store.beginGroup(SettingsGroup);
    const int paper = m_paper->findData(store.value(QStringLiteral("paper")).toString());
    m_paper->setCurrentIndex(std::max(0, paper));
    const bool landscape = store.value(QStringLiteral("orientation")).toString() == QLatin1String("landscape");
    m_orientation->setCurrentIndex(landscape ? 1 : 0);
    // A stored length that no longer reads gives way to the default.
    const auto length = [&store](const QString &key, const QString &fallback) {
        const QString text = store.value(key, fallback).toString();
        return SheetLength::parse(text) ? text : fallback;
    };
    m_margin->setText(length(QStringLiteral("margin"), DefaultMargin));
    m_gap->setText(length(QStringLiteral("gap"), DefaultGap));
    m_bleed->setText(length(QStringLiteral("bleed"), DefaultBleed));
    m_cropMarks->setChecked(store.value(QStringLiteral("cropMarks"), true).toBool());
}

void PrintSheetsWindow::storeSettings() const
{
    QSettings store = settingsStore();
    store.beginGroup(SettingsGroup);
    store.setValue(QStringLiteral("paper"), m_paper->currentData());
    store.setValue(QStringLiteral("orientation"),
                   m_orientation->currentIndex() == 1 ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    store.setValue(QStringLiteral("margin"), m_margin->text().trimmed());
    store.setValue(QStringLiteral("gap"), m_gap->text().trimmed());
    store.setValue(QStringLiteral("bleed"), m_bleed->text().trimmed());
    store.setValue(QStringLiteral("cropMarks"), m_cropMarks->isChecked());
}

std::optional<SheetSettings> PrintSheetsWindow::chosenSettings(QString *error) const
{
    SheetSettings settings;
    settings.paper = SheetSettings::paperNamed(m_paper->currentData().toString()).value_or(settings.paper);
    settings.orientation = QPageLayout::Orientation(m_orientation->currentData().toInt());
    settings.cropMarks = m_cropMarks->isChecked();
    const struct
    {
        QLineEdit *edit;
        SheetLength *length;
        QString field;
    } lengths[] = {{m_margin, &settings.margin, tr("Margin")},
                   {m_gap, &settings.gap, tr("Gap")},
                   {m_bleed, &settings.bleed, tr("Bleed")}};
    for (const auto &length : lengths) {
        QString reason;
        const std::optional<SheetLength> read = SheetLength::parse(length.edit->text(), &reason);
        if (!read) {
            *error = tr("%1: %2").arg(length.field, reason);
            return std::nullopt;
        }
        *length.length = *read;
    }
    return settings;
}

void PrintSheetsWindow::relayout()
{
    m_pictures.clear();
    m_laidOut.clear();
    QList<SheetMaptile> maptiles;
    QString reading;
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries[i];
        if (entry.picture.isNull()) {
            reading = entry.name;
            continue;
        }
        maptiles.append({entry.name, entry.picture.size(), entry.copies});
        m_laidOut << i;
    }
    QString error;
    const std::optional<SheetSettings> settings = chosenSettings(&error);
    m_layout = settings && !maptiles.isEmpty() ? SheetLayout(maptiles, *settings) : SheetLayout();
    if (error.isEmpty() && maptiles.isEmpty())
        error = reading.isEmpty() ? tr("Add a maptile to print.") : QString();
    if (error.isEmpty())
        error = m_layout.error();
    // Sheets are made only from a complete set.
    const bool ready = error.isEmpty() && reading.isEmpty();
    if (error.isEmpty() && !reading.isEmpty())
        error = tr("Reading %1…").arg(reading);
    m_status->setText(error);
    m_print->setEnabled(ready);
    m_save->setEnabled(ready);
    showSheet(m_sheet);
}

void PrintSheetsWindow::showSheet(int sheet)
{
    const int count = m_layout.sheetCount();
    m_sheet = std::clamp(sheet, 0, std::max(0, count - 1));
    m_preview->showSheet(&m_layout, m_sheet, [this](int maptile) { return sheetPicture(maptile); });
    m_sheetLabel->setText(count > 0 ? tr("Sheet %1 of %2").arg(m_sheet + 1).arg(count) : tr("No sheets"));
    m_previous->setEnabled(m_sheet > 0);
    m_next->setEnabled(m_sheet + 1 < count);
}

void PrintSheetsWindow::refreshList()
{
    const int row = m_list->currentRow();
    m_list->clear();
    for (const Entry &entry : std::as_const(m_entries)) {
        QString text;
        if (entry.picture.isNull()) {
            text = tr("%1 (reading…)").arg(entry.name);
        } else {
            const QSize size = entry.picture.size();
            if (size.width() % SpacePixels == 0 && size.height() % SpacePixels == 0)
                text = tr("%1 (%2 × %3 spaces)")
                           .arg(entry.name)
                           .arg(size.width() / SpacePixels)
                           .arg(size.height() / SpacePixels);
            else
                text = tr("%1 (%2 × %3 pixels)").arg(entry.name).arg(size.width()).arg(size.height());
            if (entry.copies > 1)
                text = tr("%1 × %2").arg(text).arg(entry.copies);
        }
        m_list->addItem(text);
    }
    m_list->setCurrentRow(std::min(row < 0 ? 0 : row, int(m_entries.size()) - 1));
    choiceChanged();
}

void PrintSheetsWindow::choiceChanged()
{
    const int row = m_list->currentRow();
    const bool chosen = row >= 0 && row < m_entries.size();
    m_remove->setEnabled(chosen);
    m_copies->setEnabled(chosen && !m_entries[row].picture.isNull());
    const QSignalBlocker quiet(m_copies);
    m_copies->setValue(chosen ? m_entries[row].copies : 1);
}

void PrintSheetsWindow::addDocuments(const QStringList &paths)
{
    for (const QString &path : paths) {
        const int id = m_nextId++;
        m_entries.append({id, QFileInfo(path).fileName(), QImage(), 1});
        refreshList();
        relayout();
        // The window may be gone, or the document removed, before the reader answers.
        QPointer<PrintSheetsWindow> window(this);
        m_readDocument(path, [window, id](const QImage &picture, const QString &error) {
            if (window)
                window->documentRead(id, picture, error);
        });
    }
}

void PrintSheetsWindow::documentRead(int id, const QImage &picture, const QString &error)
{
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry &e) { return e.id == id; });
    if (entry == m_entries.end() || !entry->picture.isNull())
        return;
    if (picture.isNull()) {
        const QString name = entry->name;
        m_entries.erase(entry);
        refreshList();
        relayout();
        showError(error.isEmpty() ? tr("%1 could not be added: it could not be read.").arg(name)
                                  : tr("%1 could not be added: %2").arg(name, error));
        return;
    }
    entry->picture = picture;
    refreshList();
    relayout();
}

void PrintSheetsWindow::chooseDocuments()
{
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, tr("Add Maptiles"), QString(),
        tr("Maptiles and pictures (*.ora *.png *.jpg *.jpeg *.bmp *.gif *.wmf);;All files (*)"));
    addDocuments(paths);
}

void PrintSheetsWindow::removeSelected()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_entries.size())
        return;
    m_entries.removeAt(row);
    refreshList();
    relayout();
}

void PrintSheetsWindow::copiesChanged(int copies)
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_entries.size() || m_entries[row].copies == copies)
        return;
    m_entries[row].copies = copies;
    refreshList();
    relayout();
}

void PrintSheetsWindow::chooseAndPrint()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setDocName(tr("Maptile sheets"));
    }
    // The dialog starts at the paper chosen here.
    QString error;
    if (const std::optional<SheetSettings> settings = chosenSettings(&error)) {
        m_printer->setPageSize(settings->paper);
        m_printer->setPageOrientation(settings->orientation);
    }
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return;
    error = printOn(*m_printer);
    if (!error.isEmpty())
        showError(error);
}

QString PrintSheetsWindow::printOn(QPrinter &printer)
{
    // The paper chosen for the printer is the one laid out; the window shows it when it offers it.
    const QPageLayout page = printer.pageLayout();
    if (page.pageSize().isValid()) {
        for (int i = 0; i < m_paper->count(); ++i) {
            if (SheetSettings::paperNamed(m_paper->itemData(i).toString())->id() == page.pageSize().id())
                m_paper->setCurrentIndex(i);
        }
        m_orientation->setCurrentIndex(m_orientation->findData(int(page.orientation())));
    }
    if (!m_print->isEnabled())
        return m_status->text();
    QString error;
    std::optional<SheetSettings> settings = chosenSettings(&error);
    if (!settings)
        return error;
    if (page.pageSize().isValid()) {
        settings->paper = page.pageSize();
        settings->orientation = page.orientation();
    }
    const SheetLayout layout(m_layout.maptiles(), *settings);
    if (!layout.error().isEmpty())
        return layout.error();
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty())
        return tr("No printer is installed: choose a printer, or print to a file.");
    printer.setFullPage(true);
    // A printer that makes no copies of its own, such as a PDF file, gets each as pages of their own.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    error = SheetOutput::print(
        printer, layout, [this](int maptile, QString *) { return pictureOf(maptile); }, {}, copies);
    if (error.isEmpty())
        storeSettings();
    return error;
}

void PrintSheetsWindow::chooseAndSave()
{
    QString path = QFileDialog::getSaveFileName(this, tr("Save PDF"), QDir::home().filePath(tr("sheets.pdf")),
                                                tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    const QString error = savePdf(path);
    if (!error.isEmpty())
        showError(error);
}

QString PrintSheetsWindow::savePdf(const QString &path)
{
    if (!m_save->isEnabled())
        return m_status->text();
    const QString title = QFileInfo(path).completeBaseName();
    const QString error = m_writeFile(path, [this, &title](QIODevice &device) {
        return SheetOutput::writePdf(
            device, m_layout, [this](int maptile, QString *) { return pictureOf(maptile); }, title);
    });
    if (error.isEmpty())
        storeSettings();
    return error;
}

void PrintSheetsWindow::showError(const QString &text)
{
    // Not waited for: a reader's answer may arrive while anything else is going on.
    auto *box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Cryptwright"), text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

QImage PrintSheetsWindow::pictureOf(int maptile) const
{
    return m_entries.at(m_laidOut.at(maptile)).picture;
}

const SheetPicture *PrintSheetsWindow::sheetPicture(int maptile)
{
    auto found = m_pictures.find(maptile);
    if (found == m_pictures.end())
        found = m_pictures.try_emplace(maptile, pictureOf(maptile), m_layout.settings().bleed.units() > 0).first;
    return &found->second;
}
