#pragma once

#include "printing/MaptilePrinter.h"

#include <QCoreApplication>
#include <QPointer>

class EditTileWindow;
class OptionsWindow;
class PreviewWindow;
class ReaderLoads;
class SlotWidgets;
class TransparencyWindow;
class QWidget;
class Workspace;

// The windows the main window opens over itself, each modal but the preview,
// which is a window of its own that can go behind the editor. The
// transparency, subtile editor and options windows are kept between openings
// while closed by OK, and gone after any other close.
class SecondaryWindows
{
    Q_DECLARE_TR_FUNCTIONS(SecondaryWindows)

public:
    SecondaryWindows(Workspace &workspace, ReaderLoads &loads, SlotWidgets &slotWidgets, QWidget *window);
    // The preview has no parent to take it along.
    ~SecondaryWindows();
    SecondaryWindows(const SecondaryWindows &) = delete;
    SecondaryWindows &operator=(const SecondaryWindows &) = delete;

    // Opens the preview, or brings the open one to the front.
    void showPreview();
    void print();
    void openTransparency(int slot);
    void openTilesetProperties(int slot);
    void openEditor(int slot);
    void openOptions();
    void openInfo();
    // The Print Sheets window, for this maptile and any documents the user adds.
    void printSheets();

private:
    Workspace &m_workspace;
    ReaderLoads &m_loads;
    SlotWidgets &m_slots;
    QWidget *m_window;
    QPointer<PreviewWindow> m_preview;
    MaptilePrinter m_printer;
    QPointer<TransparencyWindow> m_transparency;
    QPointer<EditTileWindow> m_editor;
    QPointer<OptionsWindow> m_options;
};
