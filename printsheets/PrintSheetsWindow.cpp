#include "printsheets/PrintSheetsWindow.h"

#include "files/FileReplacer.h"
#include "printsheets/ControlNames.h"
#include "printsheets/PaperPanel.h"
#include "printsheets/SheetBacks.h"
#include "printsheets/SheetPreview.h"
#include "printsheets/TwoSidedPanel.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString SettingsGroup = QStringLiteral("PrintSheets");
constexpr int MostCopies = 99;
constexpr int SpacePixels = 144;

QSettings settingsStore()
{
    return QSettings(QStringLiteral("cryptwright"), QStringLiteral("cryptwright"));
}

QString replaceFile(const QString &path, const FileReplacer::Fill &fill)
{
    return FileReplacer::write(path, fill);
}

QPrinter::DuplexMode duplexFor(const SheetSettings &settings)
{
    return settings.flip == SheetSettings::Flip::LongEdge ? QPrinter::DuplexLongSide : QPrinter::DuplexShortSide;
}

// Whether the printer puts a sheet's back on the other side of its paper,
// turned over by the edge wanted; a PDF file holds both sides as they come.
bool printsTwoSided(const QPrinter &printer, QPrinter::DuplexMode mode)
{
    return printer.outputFormat() == QPrinter::PdfFormat || QPrinterInfo(printer).supportedDuplexModes().contains(mode);
}

} // namespace

PrintSheetsWindow::PrintSheetsWindow(const QString &currentName, const QImage &currentMaptile,
                                     ReadDocument readDocument, WriteFile writeFile, QWidget *parent,
                                     ReadDocument readBack)
    : QDialog(parent)
    , m_readDocument(std::move(readDocument))
    , m_writeFile(writeFile ? std::move(writeFile) : WriteFile(replaceFile))
{
    setObjectName(QStringLiteral("PrintSheetsWindow"));
    setWindowTitle(tr("Print Sheets"));
    setAccessibleName(tr("Print Sheets"));
    if (!currentMaptile.isNull())
        m_entries.append({m_nextId++, currentName.isEmpty() ? tr("Current maptile") : currentName, currentMaptile, 1});
    m_backs = new SheetBacks(readBack ? std::move(readBack) : m_readDocument, this);
    connect(m_backs, &SheetBacks::changed, this, [this] {
        m_twoSided->showBackForAll(m_backs->forAllName());
        refreshList();
        relayout();
    });
    connect(m_backs, &SheetBacks::failed, this, &PrintSheetsWindow::showError);
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
    m_ownBack = named(new QPushButton(tr("Bac&k…")), "cmdOwnBack", tr("Choose the chosen maptile's own back"),
                      tr("Choose a picture or document to print behind the chosen maptile alone"));
    m_noOwnBack = named(new QPushButton(tr("No own back")), "cmdNoOwnBack", tr("No own back for the chosen maptile"),
                        tr("The chosen maptile takes the back for all again, if there is one"));
    m_copies = named(new QSpinBox, "spnCopies", tr("Copies of the chosen maptile"));
    m_copies->setRange(1, MostCopies);
    auto *copiesLabel = new QLabel(tr("&Copies:"));
    copiesLabel->setBuddy(m_copies);
    auto *listButtons = new QHBoxLayout;
    listButtons->addWidget(m_add);
    listButtons->addWidget(m_remove);
    listButtons->addWidget(m_ownBack);
    listButtons->addWidget(m_noOwnBack);
    listButtons->addStretch();
    listButtons->addWidget(copiesLabel);
    listButtons->addWidget(m_copies);
    auto *maptiles = new QGroupBox(tr("Maptiles"));
    auto *maptilesLayout = new QVBoxLayout(maptiles);
    maptilesLayout->addWidget(m_list);
    maptilesLayout->addLayout(listButtons);

    m_paperPanel = new PaperPanel;
    m_twoSided = new TwoSidedPanel;

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
    for (QPushButton *button : {m_add, m_remove, m_ownBack, m_noOwnBack, m_print, m_save, close})
        button->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_save);
    buttons->addWidget(close);

    auto *left = new QVBoxLayout;
    left->addWidget(maptiles, 1);
    left->addWidget(m_paperPanel);
    left->addWidget(m_twoSided);
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
    connect(m_ownBack, &QPushButton::clicked, this, [this] { chooseBack(m_list->currentRow()); });
    connect(m_noOwnBack, &QPushButton::clicked, this, [this] { setBack(m_list->currentRow(), {}); });
    connect(m_copies, &QSpinBox::valueChanged, this, &PrintSheetsWindow::copiesChanged);
    connect(m_paperPanel, &PaperPanel::changed, this, &PrintSheetsWindow::relayout);
    connect(m_twoSided, &TwoSidedPanel::changed, this, &PrintSheetsWindow::relayout);
    connect(m_twoSided, &TwoSidedPanel::chooseBackForAll, this, [this] { chooseBack(-1); });
    connect(m_twoSided, &TwoSidedPanel::clearBackForAll, this, [this] { setBack(-1, {}); });
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
    m_paperPanel->load(store);
    m_twoSided->load(store);
    const QString back = store.value(QStringLiteral("backForAll")).toString();
    if (!back.isEmpty() && QFileInfo(back).isFile())
        m_backs->setForAll(back);
}

void PrintSheetsWindow::storeSettings() const
{
    QSettings store = settingsStore();
    store.beginGroup(SettingsGroup);
    m_paperPanel->store(store);
    m_twoSided->store(store);
    store.setValue(QStringLiteral("backForAll"), m_backs->forAllPath());
}

std::optional<SheetSettings> PrintSheetsWindow::chosenSettings(QString *error) const
{
    SheetSettings settings;
    if (!m_paperPanel->apply(settings, error) || !m_twoSided->apply(settings, error))
        return std::nullopt;
    return settings;
}

void PrintSheetsWindow::relayout()
{
    m_pictures.clear();
    m_laidOut.clear();
    QList<SheetMaptile> maptiles;
    QList<int> owners;
    QString reading = m_backs->reading();
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries[i];
        if (entry.picture.isNull()) {
            reading = entry.name;
            continue;
        }
        maptiles.append({entry.name, entry.picture.size(), entry.copies});
        owners << entry.id;
        m_laidOut << i;
    }
    const QList<int> backs = m_backs->assign(owners, &m_backPictures);
    for (qsizetype i = 0; i < maptiles.size(); ++i)
        maptiles[i].back = backs[i];
    QString error;
    const std::optional<SheetSettings> settings = chosenSettings(&error);
    // A calibration pair needs no maptile.
    const bool something = !maptiles.isEmpty() || (settings && settings->calibration);
    m_layout = settings && something ? SheetLayout(maptiles, *settings) : SheetLayout();
    if (error.isEmpty() && !something)
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
    m_preview->showSheet(
        &m_layout, m_sheet, [this](int maptile) { return sheetPicture(maptile); },
        [this](int back) { return back >= 0 && back < m_backPictures.size() ? &m_backPictures[back] : nullptr; });
    // Counted in sheets of paper: a front and its back are one.
    const int sides = m_layout.twoSided() ? 2 : 1;
    const QString paper = QString::number(m_sheet / sides + 1), sheets = QString::number(count / sides);
    QString text = tr("No sheets");
    if (count > 0) {
        switch (m_layout.kind(m_sheet)) {
        case SheetLayout::Kind::Fronts:
            text = tr("Sheet %1 of %2").arg(paper, sheets);
            break;
        case SheetLayout::Kind::Backs:
            text = tr("Sheet %1 of %2, back").arg(paper, sheets);
            break;
        case SheetLayout::Kind::CalibrationFront:
            text = tr("Sheet %1 of %2, calibration").arg(paper, sheets);
            break;
        case SheetLayout::Kind::CalibrationBack:
            text = tr("Sheet %1 of %2, calibration back").arg(paper, sheets);
            break;
        }
    }
    m_sheetLabel->setText(text);
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
            if (const QString back = m_backs->ownName(entry.id); !back.isEmpty())
                text = tr("%1, back: %2").arg(text, back);
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
    m_ownBack->setEnabled(chosen);
    m_noOwnBack->setEnabled(chosen && !m_backs->ownName(m_entries[row].id).isEmpty());
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

void PrintSheetsWindow::chooseBack(int row)
{
    const QString path = QFileDialog::getOpenFileName(
        this, row < 0 ? tr("Back for Every Maptile") : tr("Back for the Maptile"), QString(),
        tr("Pictures and maptiles (*.png *.jpg *.jpeg *.bmp *.gif *.ora *.wmf);;"
           "All files (*)"));
    if (!path.isEmpty())
        setBack(row, path);
}

void PrintSheetsWindow::setBack(int row, const QString &path)
{
    if (row < 0)
        m_backs->setForAll(path);
    else if (row < m_entries.size())
        m_backs->setOwn(m_entries[row].id, path);
}

void PrintSheetsWindow::removeSelected()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_entries.size())
        return;
    m_backs->setOwn(m_entries[row].id, {});
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
    // The dialog starts at the paper chosen here, and two-sided when the sheets are.
    QString error;
    if (const std::optional<SheetSettings> settings = chosenSettings(&error)) {
        m_printer->setPageSize(settings->paper);
        m_printer->setPageOrientation(settings->orientation);
        m_printer->setDuplex(m_layout.twoSided() ? duplexFor(*settings) : QPrinter::DuplexNone);
    }
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize
                      | QAbstractPrintDialog::PrintCollateCopies);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (m_layout.twoSided() && !printsTwoSided(*m_printer, duplexFor(m_layout.settings()))) {
        QMessageBox::information(this, QStringLiteral("Cryptwright"),
                                 tr("%1 does not print on both sides. The fronts and the backs are saved as two "
                                    "PDFs instead: print the fronts, put the sheets back in turned over, and print "
                                    "the backs.")
                                     .arg(m_printer->printerName()));
        chooseAndSavePair();
        return;
    }
    error = printOn(*m_printer);
    if (!error.isEmpty())
        showError(error);
}

QString PrintSheetsWindow::printOn(QPrinter &printer)
{
    // The paper chosen for the printer is the one laid out; the window shows it when it offers it.
    const QPageLayout page = printer.pageLayout();
    if (page.pageSize().isValid())
        m_paperPanel->showPaper(page.pageSize(), page.orientation());
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
    // A printer that makes no copies of its own, such as a PDF file, gets each as pages of their own.
    const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (printer.outputFileName().isEmpty())
            return tr("No printer is installed: choose a printer, or print to a file.");
        // Written as every file is, and asking to be printed at actual size.
        error = writeSheets(printer.outputFileName(), layout, SheetOutput::Sides::Both, copies);
    } else {
        printer.setFullPage(true);
        if (layout.twoSided())
            printer.setDuplex(duplexFor(*settings));
        error = SheetOutput::print(
            printer, layout, [this](int maptile, QString *) { return pictureOf(maptile); },
            [this](int back, QString *) { return backOf(back); }, copies);
    }
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

void PrintSheetsWindow::chooseAndSavePair()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Fronts and Backs"),
                                                      QDir::home().filePath(tr("sheets.pdf")), tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    const QString error = savePdfPair(path);
    if (!error.isEmpty()) {
        showError(error);
        return;
    }
    const QStringList paths = pairPaths(path);
    QMessageBox::information(this, QStringLiteral("Cryptwright"),
                             tr("The fronts are in %1 and the backs in %2.")
                                 .arg(QDir::toNativeSeparators(paths[0]), QDir::toNativeSeparators(paths[1])));
}

QString PrintSheetsWindow::savePdf(const QString &path)
{
    if (!m_save->isEnabled())
        return m_status->text();
    const QString error = writeSheets(path, m_layout, SheetOutput::Sides::Both);
    if (error.isEmpty())
        storeSettings();
    return error;
}

QStringList PrintSheetsWindow::pairPaths(const QString &path)
{
    const QFileInfo chosen(path);
    const QString base = chosen.completeBaseName();
    return {chosen.dir().filePath(tr("%1-fronts.pdf").arg(base)), chosen.dir().filePath(tr("%1-backs.pdf").arg(base))};
}

QString PrintSheetsWindow::savePdfPair(const QString &path)
{
    if (!m_save->isEnabled())
        return m_status->text();
    if (!m_layout.twoSided())
        return tr("The sheets have no backs to save on their own.");
    const QStringList paths = pairPaths(path);
    QString error = writeSheets(paths[0], m_layout, SheetOutput::Sides::Fronts);
    if (error.isEmpty())
        error = writeSheets(paths[1], m_layout, SheetOutput::Sides::Backs);
    if (error.isEmpty())
        storeSettings();
    return error;
}

QString PrintSheetsWindow::writeSheets(const QString &path, const SheetLayout &layout, SheetOutput::Sides sides,
                                       int copies)
{
    const QString title = QFileInfo(path).completeBaseName();
    return m_writeFile(path, [&](QIODevice &device) {
        return SheetOutput::writePdf(
            device, layout, [this](int maptile, QString *) { return pictureOf(maptile); }, title,
            [this](int back, QString *) { return backOf(back); }, sides, copies);
    });
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

QImage PrintSheetsWindow::backOf(int back) const
{
    return m_backPictures.value(back);
}

const SheetPicture *PrintSheetsWindow::sheetPicture(int maptile)
{
    auto found = m_pictures.find(maptile);
    if (found == m_pictures.end())
        found = m_pictures.try_emplace(maptile, pictureOf(maptile), m_layout.settings().bleed.units() > 0).first;
    return &found->second;
}
