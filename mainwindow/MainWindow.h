#pragma once

#include "control/MaptileControl.h"
#include "control/QuitControl.h"
#include "control/ReaderLoads.h"
#include "control/RecoveryControl.h"
#include "control/TilesetControl.h"
#include "mainwindow/DialogQuestions.h"
#include "mainwindow/IconButtons.h"
#include "viewscale/ViewScale.h"
#include "viewscale/WindowScaler.h"
#include "workspace/Workspace.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>

class GuideHints;
class PaletteView;
class PictureLoad;
class QLabel;
class SecondaryWindows;
class SetWindow;
class SlotWidgets;
class ToolbarWidgets;
class WorkingView;

// The editor's one main window: a fixed 588 x 325 layout with the toolbar,
// the guide, the mouse-button pictures, the working view, the eight stacked
// palettes and their slot buttons. Every other window is opened from here.
// What the commands do to the user's work the controls decide; the window
// asks their questions and shows what they did. Its title names the document
// the maptile is kept in, marked while it has unsaved changes.
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
    const MaptileControl &maptile() const { return m_maptile; }
    ViewScale &viewScale() { return m_scale; }
    PaletteView *palette(int slot) const;
    WorkingView *workingView() const { return m_workingView; }
    // The palette in front: the slot the user sees and picks from.
    int frontSlot() const;
    void showSlot(int slot);

    // Commands that would replace unsaved work ask first whether to save it,
    // discard it or cancel.
    void clearMaptile();
    // Loads a file into a slot, as the slot's folder button does after its
    // dialog: read in the reading process while the window stays usable.
    void loadTilesetFile(int slot, const QString &path);
    // Reads the file in the reading process, then makes it the maptile.
    void openMaptileFile(const QString &path);
    // Whether a picture is still being read for a slot or the maptile.
    bool isLoading() const { return m_loads.isLoading(); }
    void showPreview();
    // Asks for a folder and shows it as a set; showSet() shows folder at once.
    void openSet();
    SetWindow *showSet(const QString &folder);
    SetWindow *setWindow() const;

    // Unsaved work is kept in a session of folder from now on, until the
    // window closes. Returns whether work left by an editor that did not
    // close waits there to be offered.
    bool keepRecovery(const QString &folder) { return m_recovery.keep(folder); }
    // Offers the work keepRecovery() found, newest first, until one is
    // restored; then runs once the offers are over.
    void offerRecovery(const std::function<void()> &then) { m_recovery.offer(then); }

signals:
    // The user closed the window and the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildGuide();
    void connectCommands();
    void connectSlots();
    void connectHints();
    void addShortcuts();
    void setTabOrders();
    // The progress window with Cancel, once a load turns out slow.
    void showProgress(PictureLoad *load);
    void applySelectedSize();
    void showSlotMenu(int slot, QPoint at);
    // The left button takes the subtile on top of the space under the pointer or the keyboard outline.
    void pickSubtile();
    // The maptile laid again from the slot's tileset; the guide says what changed.
    void updateMaptileFrom(int slot);
    void showScaleMenu(QPoint at);
    void updateTitle();

    QStringList m_tilesetFolders;
    Workspace m_workspace;
    DialogQuestions m_questions;
    ReaderLoads m_loads;
    MaptileControl m_maptile;
    TilesetControl m_tilesets;
    QuitControl m_quit;
    RecoveryControl m_recovery;
    IconButtons m_icons;
    ViewScale m_scale;
    WindowScaler m_scaler{m_scale};
    std::unique_ptr<ToolbarWidgets> m_toolbar;
    SlotWidgets *m_slots = nullptr;
    GuideHints *m_hints = nullptr;
    QLabel *m_guidePicture = nullptr;
    QLabel *m_guideLabel = nullptr;
    WorkingView *m_workingView = nullptr;
    std::array<QWidget *, Workspace::ButtonCount> m_buttonPictures{};
    std::unique_ptr<SecondaryWindows> m_windows;
    QPointer<SetWindow> m_setWindow;
};
