#pragma once

#include "printing/MaptilePrinter.h"
#include "readerclient/PictureReader.h"
#include "workspace/Workspace.h"

#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class EditTileWindow;
class GuideHints;
class OptionsWindow;
class OutlineShape;
class PaletteView;
class PictureLoad;
class PreviewWindow;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
class RecoveredWork;
class RecoveryWriter;
class TransparencyWindow;
class WorkingView;

// The editor's one main window: a fixed 588 x 325 layout with the toolbar,
// the guide, the mouse-button pictures, the working view, the eight stacked
// palettes and their slot buttons. Every other window is opened from here.
// Its title names the document the maptile is kept in, marked while it has
// unsaved changes; unsaved work is never replaced or left without a question.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr QSize ClientSize{588, 325};
    static inline const QString Title = QStringLiteral("Cryptwright");

    // Begins reading the default tilesets from tilesetFolders at once, so the
    // files decode while the window is built.
    explicit MainWindow(const QStringList &tilesetFolders = Workspace::defaultTilesetFolders(),
                        QWidget *parent = nullptr);

    // Names, style and font of the application, set before any window exists.
    static void prepareApplication();
    // Shows the window centred on its screen.
    void showCentred();
    ~MainWindow() override;

    // Loads the defaults and builds the first maptile; failures are reported
    // in message boxes before the window is shown.
    void startUp();

    Workspace &workspace() { return m_workspace; }
    PaletteView *palette(int slot) const { return m_palettes.at(slot); }
    WorkingView *workingView() const { return m_workingView; }
    // The palette in front: the slot the user sees and picks from.
    int frontSlot() const;
    void showSlot(int slot);

    // The toolbar and slot commands. Each that would replace unsaved work asks
    // first whether to save it, discard it or cancel.
    void clearMaptile();
    // Every blank space takes the left button's subtile.
    void fillBlankSpaces();
    void loadTileset(int slot);
    // Loads a file into a slot, as the slot's folder button does after its
    // dialog: read in the reading process while the window stays usable.
    void loadTilesetFile(int slot, const QString &path);
    void applySelectedSize();
    // The output commands: open a picture as the maptile, save, preview, print.
    void openMaptile();
    // Reads the file in the reading process, then makes it the maptile.
    void openMaptileFile(const QString &path);
    // Whether a picture is still being read for a slot or the maptile.
    bool isLoading() const;
    // The load running for a slot, or for the maptile (MaptileLoad); null when none.
    PictureLoad *load(int target) const { return m_loads.at(target); }
    static constexpr int MaptileLoad = Geometry::SlotCount;
    // Writes the maptile back to its document, or asks where as saveMaptileAs() does.
    void saveMaptile();
    // Asks for a name and type, offering the document's name or the picture's
    // it came from, in the folder last used.
    void saveMaptileAs();
    void showPreview();
    void printMaptile();
    // The secondary windows, each modal.
    void openTransparency(int slot);
    void openTilesetProperties(int slot);
    // The slot's tileset commands beyond loading and transparency; each save
    // returns whether the tileset was saved.
    bool saveTilesetAs(int slot);
    // Saves it back to its file when that file's format can be written, else as saveTilesetAs().
    bool saveTileset(int slot);
    void newEmptyTileset(int slot);
    // A picture into one subtile: from a file, or from the clipboard into the outlined cell.
    void importSubtileFile(int slot, QPoint cell, const QString &path);
    void pasteIntoCell(int slot);
    void openEditor(int slot);
    void openOptions();
    void openInfo();
    // The Print Sheets window, for this maptile and any documents the user adds.
    void printSheets();

    // Unsaved work is kept in a session of folder from now on, until the
    // window closes. Returns whether work left by an editor that did not
    // close waits there to be offered, or there is something to say of it.
    bool keepRecovery(const QString &folder);
    // Says once what keepRecovery() could not read, then offers the work it
    // found, newest first, until one is restored.
    void offerRecovery();

signals:
    // The user closed the window and the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A button of the toolbar: its name, picture, place, hint, command, keys and tooltip.
    struct ToolButton
    {
        const char *name;
        const char *icon;
        int x;
        int hint;
        void (MainWindow::*run)();
        QList<QKeySequence> keys;
        const char *tip;
    };
    static const QList<ToolButton> &toolButtons();

    // Asks whether to save work before why + question replaces or leaves it;
    // true when it may go on: the work was discarded, or save() saved it.
    bool askToKeep(const QString &why, const QString &question, const std::function<bool()> &save);
    bool mayReplaceMaptile();
    bool mayReplaceTileset(int slot);
    // Saves the maptile to its document, or where the user says when there is
    // none or askWhere; whether it was saved.
    bool keepMaptile(bool askWhere);
    void startTilesetLoad(int slot, const QString &path);
    void startMaptileLoad(const QString &path);
    void updateTitle();
    QString recoveryText(const RecoveredWork &work) const;

    void buildToolbar();
    void buildGuide();
    void buildSlots();
    void connectHints();
    void addShortcuts();
    void setTabOrders();
    void acceptDrops(QWidget *target);
    void dropFile(QWidget *target, const QString &path);
    void showSlotMenu(int slot, QPoint at);
    // Reads path as kind away from the window and hands the picture to apply;
    // failures are reported, Cancel is noted in the guide. A load running for
    // the same target is given up for the new one.
    void startLoad(int target, const QString &path, PictureReader::Kind kind,
                   const std::function<void(const QImage &)> &apply);
    void addCommand(const QList<QKeySequence> &keys, const std::function<void()> &run);
    void showPreviewBox(int slot);
    void showSetInfo(int slot);
    QIcon svgIcon(const QString &name);
    QToolButton *iconButton(const QString &name, const QString &icon, QRect geometry, QWidget *parent);

    QStringList m_tilesetFolders;
    Workspace m_workspace;
    QHash<QString, QIcon> m_icons;
    GuideHints *m_hints = nullptr;
    QWidget *m_toolbar = nullptr;
    QComboBox *m_sizeList = nullptr;
    QLineEdit *m_mapNumBox = nullptr;
    QLineEdit *m_designerBox = nullptr;
    QLabel *m_guidePicture = nullptr;
    QLabel *m_guideLabel = nullptr;
    QLabel *m_sizeIcon = nullptr;
    WorkingView *m_workingView = nullptr;
    QWidget *m_previewBox = nullptr;
    QLabel *m_previewPicture = nullptr;
    std::array<QWidget *, 3> m_buttonPictures{};
    std::array<PaletteView *, Geometry::SlotCount> m_palettes{};
    std::array<QWidget *, Geometry::SlotCount> m_setButtons{};
    std::array<QToolButton *, Geometry::SlotCount> m_transButtons{};
    std::array<QToolButton *, Geometry::SlotCount> m_loadButtons{};
    // In the order of toolButtons().
    QList<QToolButton *> m_toolButtons;
    // A window of its own, so it can go behind the editor; deleted when closed.
    QPointer<PreviewWindow> m_previewWindow;
    MaptilePrinter m_printer;
    // By slot, then the maptile.
    std::array<PictureLoad *, Geometry::SlotCount + 1> m_loads{};
    // Kept between openings while closed by OK; gone after any other close.
    QPointer<TransparencyWindow> m_transparency;
    QPointer<EditTileWindow> m_editor;
    QPointer<OptionsWindow> m_options;
    // The name of the picture the maptile was opened from, offered for a document made of it.
    QString m_pictureName;
    std::unique_ptr<RecoveryWriter> m_recovery;
    std::vector<std::unique_ptr<RecoveredWork>> m_recovered;
    QString m_recoveryNotice;
};
