#include "setwindow/SetWindow.h"

#include "document/DocumentWriter.h"
#include "printsheets/PrintSheetsWindow.h"
#include "setwindow/ExportAllDialog.h"
#include "setwindow/SetExport.h"
#include "setwindow/SetModel.h"
#include "setwindow/SetOrder.h"
#include "setwindow/SetReadings.h"
#include "setwindow/SetUpdate.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

SetWindow::SetWindow(const QString &folder, QWidget *parent, const QString &readerProgram,
                     const QString &editorProgram)
    : QWidget(parent, Qt::Window)
    , m_folder(QDir(folder).absolutePath())
    , m_editorProgram(editorProgram.isEmpty() ? QCoreApplication::applicationFilePath() : editorProgram)
{
    setObjectName(QStringLiteral("SetWindow"));
    setWindowTitle(tr("Set \u2013 %1").arg(QDir(m_folder).dirName()));
    setAccessibleName(windowTitle());
    m_model = new SetModel(this);
    m_order = new SetOrder(m_model, this);
    m_readings = readerProgram.isEmpty() ? new SetReadings(this) : new SetReadings(this, readerProgram);
    buildControls();

    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &SetWindow::rescan);
    m_watcher = new QFileSystemWatcher(this);
    m_watcher->addPath(m_folder);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(m_watcher, &QFileSystemWatcher::fileChanged, &m_settle, qOverload<>(&QTimer::start));
    connect(m_model, &QAbstractItemModel::dataChanged, this, &SetWindow::updateStatus);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &SetWindow::updateStatus);
    rescan();
    resize(760, 560);
}

SetWindow::~SetWindow() = default;

SetRun *SetWindow::runningWork() const
{
    return m_run;
}

void SetWindow::setTilesetChooser(const std::function<QString()> &choose)
{
    m_chooseTileset = choose;
    updateStatus();
}

void SetWindow::setOutlinedSubtile(const std::function<std::optional<WhereUsed>()> &outlined)
{
    m_outlinedSubtile = outlined;
    m_whereUsed->setEnabled(bool(outlined));
}

void SetWindow::buildControls()
{
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("SetList"));
    m_list->setAccessibleName(tr("Maptiles of the set"));
    m_list->setModel(m_order);
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(QSize(SetModel::ThumbnailSide, SetModel::ThumbnailSide));
    // Room for the file name, number and size, and the designer.
    m_list->setGridSize(QSize(SetModel::ThumbnailSide + 56, SetModel::ThumbnailSide + 72));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setWordWrap(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_list, &QListView::activated, this, &SetWindow::openIndex);

    const auto button = [this](const QString &text, const QString &name, const QString &accessible) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAccessibleName(accessible);
        return b;
    };
    m_open = button(tr("&Open"), QStringLiteral("btnOpenFromSet"), tr("Open the chosen maptile in the editor"));
    m_exportAll = button(tr("&Export All\u2026"), QStringLiteral("btnExportAll"), tr("Export every maptile of the set"));
    m_print = button(tr("&Print Sheets\u2026"), QStringLiteral("btnPrintSet"), tr("Print every maptile of the set on sheets"));
    m_update = button(tr("&Update from Tileset\u2026"), QStringLiteral("cmdUpdateFromTileset"),
                      tr("Lay every maptile of the set again from a fixed tileset"));
    m_whereUsed = button(tr("&Where Used"), QStringLiteral("cmdWhereUsed"),
                         tr("Mark the maptiles that use the subtile outlined in the editor"));
    m_whereUsed->setCheckable(true);
    m_whereUsed->setEnabled(false);
    auto *close = button(tr("&Close"), QStringLiteral("btnCloseSet"), tr("Close the set window"));
    connect(m_open, &QPushButton::clicked, this, [this] { openIndex(m_list->currentIndex()); });
    connect(m_exportAll, &QPushButton::clicked, this, &SetWindow::chooseExport);
    connect(m_print, &QPushButton::clicked, this, &SetWindow::printSheets);
    connect(m_update, &QPushButton::clicked, this, &SetWindow::chooseUpdate);
    connect(m_whereUsed, &QPushButton::clicked, this, &SetWindow::toggleWhereUsed);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    const auto shortcut = [this](QKeySequence keys, QPushButton *target) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, target, &QPushButton::click);
        addAction(action);
    };
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_E), m_exportAll);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_P), m_print);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_U), m_update);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_F), m_whereUsed);
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_W), close);
    shortcut(QKeySequence(Qt::Key_Escape), close);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("SetStatus"));
    m_status->setAccessibleName(tr("State of the set"));
    m_status->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("SetProgress"));
    m_progress->setAccessibleName(tr("Progress"));
    m_progress->setMaximumWidth(200);
    m_progress->hide();
    m_cancel = button(tr("Cancel"), QStringLiteral("btnCancelSetWork"), tr("Cancel the work under way"));
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (!m_run)
            return;
        m_run->cancel();
        // The documents at work are finished before it stops.
        if (m_run->isCancelling()) {
            m_cancel->setEnabled(false);
            m_status->setText(tr("Cancelling: the maptiles at work are finished first\u2026"));
        }
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addWidget(m_exportAll);
    buttons->addWidget(m_print);
    buttons->addWidget(m_update);
    buttons->addWidget(m_whereUsed);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *status = new QHBoxLayout;
    status->addWidget(m_status, 1);
    status->addWidget(m_progress);
    status->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    layout->addLayout(status);
    setTabOrder(m_list, m_open);
    setTabOrder(m_open, m_exportAll);
    setTabOrder(m_exportAll, m_print);
    setTabOrder(m_print, m_update);
    setTabOrder(m_update, m_whereUsed);
    setTabOrder(m_whereUsed, close);
    m_list->setFocus();
}

void SetWindow::rescan()
{
    const QStringList found = MaptileSet::documentsIn(m_folder);
    const QSet<QString> present(found.cbegin(), found.cend());
    for (const QString &known : m_stamps.keys()) {
        if (present.contains(known))
            continue;
        m_stamps.remove(known);
        m_generations.remove(known);
        m_watcher->removePath(known);
        m_model->remove(known);
    }
    QStringList added;
    for (const QString &path : found) {
        const QFileInfo file(path);
        const std::pair<QDateTime, qint64> stamp{file.lastModified(), file.size()};
        const auto known = m_stamps.constFind(path);
        if (known != m_stamps.cend() && *known == stamp)
            continue;
        if (known == m_stamps.cend())
            added << path;
        m_stamps.insert(path, stamp);
        m_model->add(path);
        read(path);
    }
    if (!added.isEmpty())
        m_watcher->addPaths(added);
    if (!m_list->currentIndex().isValid() && m_order->rowCount() > 0)
        m_list->setCurrentIndex(m_order->index(0, 0));
    updateStatus();
}

void SetWindow::read(const QString &path)
{
    // Only the latest reading of a file that changed while it was read counts.
    const int generation = ++m_generations[path];
    m_readings->read(path, PictureReader::Kind::Maptile, [this, path, generation](const ReaderResult &result, const QString &error) {
        if (m_generations.value(path) != generation)
            return;
        if (result.picture.isNull()) {
            m_model->setRead(path, MaptileSet::brokenEntry(path, error), {});
            return;
        }
        const MaptileDocument &document = result.document;
        const MaptileSet::Entry entry = MaptileSet::entryOf(path, document);
        m_model->setRead(path, entry,
                         entry.state == MaptileSet::State::Broken ? QImage() : SetModel::thumbnailOf(document));
    });
}

void SetWindow::updateStatus()
{
    const MaptileSet &set = m_model->set();
    const std::optional<WhereUsed> &whereUsed = m_model->whereUsed();
    if (m_run && m_run->isCancelling())
        return;
    m_status->setText(whereUsed ? set.statusLine() + QLatin1Char('\n') + whereUsed->statusLine(set) : set.statusLine());
    if (m_run)
        return;
    const int reading = set.count(MaptileSet::State::Reading);
    m_progress->setVisible(reading > 0);
    m_progress->setRange(0, int(set.size()));
    m_progress->setValue(int(set.size()) - reading);
    const bool any = !documents(true).isEmpty();
    m_exportAll->setEnabled(any);
    m_print->setEnabled(any);
    m_update->setEnabled(any && bool(m_chooseTileset));
}

QStringList SetWindow::documents(bool readable) const
{
    QStringList paths;
    const MaptileSet &set = m_model->set();
    for (const qsizetype i : set.order())
        if (!readable || set.at(i).state != MaptileSet::State::Broken)
            paths << set.at(i).path;
    return paths;
}

void SetWindow::openIndex(const QModelIndex &index)
{
    if (index.isValid())
        emit openRequested(index.data(SetModel::PathRole).toString());
}

void SetWindow::chooseExport()
{
    ExportAllDialog dialog(QDir(m_folder).filePath(QStringLiteral("export")), this);
    if (dialog.exec() == QDialog::Accepted)
        exportAll(dialog.folder(), dialog.format());
}

void SetWindow::exportAll(const QString &folder, const QString &format)
{
    if (m_run)
        return;
    auto *run = new SetExport(m_editorProgram, documents(true), folder, format, this);
    connect(run, &SetRun::finished, this, &SetWindow::exportEnded);
    startRun(run);
}

void SetWindow::chooseUpdate()
{
    const QString tileset = m_chooseTileset ? m_chooseTileset() : QString();
    if (!tileset.isEmpty())
        updateFromTileset(tileset);
}

void SetWindow::updateFromTileset(const QString &tileset)
{
    if (m_run)
        return;
    auto *run = new SetUpdate(m_editorProgram, documents(true), tileset, this);
    connect(run, &SetRun::finished, this, &SetWindow::updateEnded);
    startRun(run);
}

void SetWindow::startRun(SetRun *run)
{
    m_run = run;
    connect(run, &SetRun::progressed, this, [this](int done, int total) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
    });
    m_progress->show();
    m_cancel->setEnabled(true);
    m_cancel->show();
    m_exportAll->setEnabled(false);
    m_update->setEnabled(false);
    run->start();
}

void SetWindow::endRun()
{
    m_run->deleteLater();
    m_run = nullptr;
    m_cancel->hide();
    updateStatus();
}

void SetWindow::exportEnded(const QStringList &errors, bool cancelled)
{
    const int total = m_run->total();
    endRun();
    emit exported(errors, cancelled);
    if (!isVisible())
        return;
    const QString head = cancelled ? tr("The export was cancelled; the maptiles exported before stay whole.")
        : errors.isEmpty()         ? tr("All %1 maptiles were exported.").arg(total)
                                   : tr("%1 of %2 maptiles could not be exported:").arg(errors.size()).arg(total);
    QMessageBox box(errors.isEmpty() ? QMessageBox::Information : QMessageBox::Warning, tr("Export All"),
                    head, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("ExportAllReport"));
    box.setInformativeText(errors.join(QLatin1Char('\n')));
    box.exec();
}

void SetWindow::updateEnded(const QStringList &lines, bool cancelled)
{
    const auto *run = static_cast<const SetUpdate *>(m_run.data());
    const int rewritten = run->updated(), total = run->total();
    const QString tileset = QFileInfo(run->tileset()).fileName();
    endRun();
    emit updated(lines, cancelled);
    if (!isVisible())
        return;
    const QString head = cancelled
        ? tr("The update from \"%1\" was cancelled: %2 of %3 maptiles were updated whole, the others are as they "
             "were.")
              .arg(tileset)
              .arg(rewritten)
              .arg(total)
        : tr("%1 of %2 maptiles were updated from \"%3\".").arg(rewritten).arg(total).arg(tileset);
    QMessageBox box(QMessageBox::Information, tr("Update from Tileset"), head, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("UpdateReport"));
    // A long report scrolls in the details rather than growing past the screen.
    constexpr int LinesShown = 16;
    if (lines.size() <= LinesShown)
        box.setInformativeText(lines.join(QLatin1Char('\n')));
    else
        box.setDetailedText(lines.join(QLatin1Char('\n')));
    box.exec();
}

void SetWindow::toggleWhereUsed(bool on)
{
    std::optional<WhereUsed> subtile = on && m_outlinedSubtile ? m_outlinedSubtile() : std::nullopt;
    if (subtile && subtile->tileset().isEmpty())
        subtile.reset();
    markWhereUsed(subtile);
    if (on && !subtile)
        m_status->setText(tr("The palette in front holds no tileset whose subtile could be looked for."));
}

void SetWindow::markWhereUsed(const std::optional<WhereUsed> &subtile)
{
    m_whereUsed->setChecked(bool(subtile));
    m_model->setWhereUsed(subtile);
    updateStatus();
}

void SetWindow::printSheets()
{
    SetReadings readings(this);
    const auto readDocument = [&readings](const QString &path, std::function<void(const QImage &, const QString &)> done) {
        readings.read(path, PictureReader::Kind::FinishedMaptile,
                      [done](const ReaderResult &result, const QString &error) { done(result.picture, error); });
    };
    const auto readBack = [&readings](const QString &path, std::function<void(const QImage &, const QString &)> done) {
        readings.read(path,
                      DocumentWriter::isDocumentPath(path) ? PictureReader::Kind::FinishedMaptile
                                                           : PictureReader::Kind::WholePicture,
                      [done](const ReaderResult &result, const QString &error) { done(result.picture, error); });
    };
    PrintSheetsWindow window(QString(), QImage(), readDocument, {}, this, readBack);
    window.addDocuments(documents(true));
    window.exec();
}
