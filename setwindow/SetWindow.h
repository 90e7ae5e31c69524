#pragma once

#include "set/WhereUsed.h"

#include <QDateTime>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QFileSystemWatcher;
class QLabel;
class QListView;
class QModelIndex;
class QProgressBar;
class QPushButton;
class SetModel;
class SetOrder;
class SetReadings;
class SetRun;

// The window of a set: every maptile document of one folder as a thumbnail
// with its file name, number, size and designer, in the set's order, filled
// in as the reading process reads them, with the numbers shared or missing
// marked and counted in the status line. It follows the folder: a document
// saved, added or removed there shows within a second. Enter or a double
// click opens a document in the editor; the set is exported, updated from a
// fixed tileset or printed whole, and the maptiles that use the subtile
// outlined in the editor are marked.
class SetWindow : public QWidget
{
    Q_OBJECT

public:
    // How long the window waits for a folder's changes to settle before it looks again.
    static constexpr int SettleMs = 200;

    // Reads through readerProgram, and exports by running editorProgram's command line.
    explicit SetWindow(const QString &folder, QWidget *parent = nullptr, const QString &readerProgram = {},
                       const QString &editorProgram = {});
    ~SetWindow() override;

    const QString &folder() const { return m_folder; }
    const SetModel &model() const { return *m_model; }
    // The documents in the set's order; without those that cannot be read when readable is set.
    QStringList documents(bool readable) const;
    // Exports every document into folder as format (jpg, bmp, png or pdf), with progress and Cancel.
    void exportAll(const QString &folder, const QString &format);
    // Lays every document again from the fixed tileset and saves each in place, with progress and Cancel.
    void updateFromTileset(const QString &tileset);
    // The export or update running, if any.
    SetRun *runningWork() const;
    // Where the editor that opened the window finds a tileset the user chooses, and the subtile its
    // palette in front outlines; without them the window cannot ask for either.
    void setTilesetChooser(const std::function<QString()> &choose);
    void setOutlinedSubtile(const std::function<std::optional<WhereUsed>()> &outlined);
    // Marks the maptiles that use the subtile; none clears the marks.
    void markWhereUsed(const std::optional<WhereUsed> &subtile);

signals:
    // The user asked to open the document at path in the editor.
    void openRequested(const QString &path);
    // An export was over: its report is shown.
    void exported(const QStringList &errors, bool cancelled);
    // An update was over, with the lines of its report.
    void updated(const QStringList &lines, bool cancelled);

private:
    void buildControls();
    // Lists the folder anew: documents added, removed or changed since are read.
    void rescan();
    void read(const QString &path);
    void updateStatus();
    void openIndex(const QModelIndex &index);
    void chooseExport();
    void printSheets();
    void chooseUpdate();
    void toggleWhereUsed(bool on);
    // The run's progress and Cancel shown while it works.
    void startRun(SetRun *run);
    void exportEnded(const QStringList &errors, bool cancelled);
    void updateEnded(const QStringList &lines, bool cancelled);
    // The run is over: its progress and Cancel give way to the set's state.
    void endRun();

    QString m_folder;
    QString m_editorProgram;
    SetModel *m_model = nullptr;
    SetOrder *m_order = nullptr;
    SetReadings *m_readings = nullptr;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer m_settle;
    // What each document was when it was last read, so that only a change reads it again.
    QHash<QString, std::pair<QDateTime, qint64>> m_stamps;
    QHash<QString, int> m_generations;
    QPointer<SetRun> m_run;
    std::function<QString()> m_chooseTileset;
    std::function<std::optional<WhereUsed>()> m_outlinedSubtile;

    QListView *m_list = nullptr;
    QLabel *m_status = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_open = nullptr;
    QPushButton *m_exportAll = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_update = nullptr;
    QPushButton *m_whereUsed = nullptr;
};
