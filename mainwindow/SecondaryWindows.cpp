#include "mainwindow/SecondaryWindows.h"

#include "control/ReaderLoads.h"
#include "dialogs/EditTileWindow.h"
#include "dialogs/InfoWindow.h"
#include "dialogs/OptionsWindow.h"
#include "dialogs/PreviewWindow.h"
#include "dialogs/TilesetPropertiesWindow.h"
#include "dialogs/TransparencyWindow.h"
#include "document/DocumentWriter.h"
#include "mainwindow/SlotWidgets.h"
#include "printsheets/PrintSheetsWindow.h"
#include "workspace/Workspace.h"

SecondaryWindows::SecondaryWindows(Workspace &workspace, ReaderLoads &loads, SlotWidgets &slotWidgets, QWidget *window)
    : m_workspace(workspace)
    , m_loads(loads)
    , m_slots(slotWidgets)
    , m_window(window)
{
}

SecondaryWindows::~SecondaryWindows()
{
    delete m_preview;
}

void SecondaryWindows::showPreview()
{
    if (m_preview) {
        m_preview->setWindowState((m_preview->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        m_preview->raise();
        m_preview->activateWindow();
        return;
    }
    m_workspace.paintNum();
    m_preview = new PreviewWindow(m_workspace);
    m_preview->setWindowIcon(m_window->windowIcon());
    m_preview->setScreen(m_window->screen());
    m_preview->fitToImage();
    m_preview->show();
}

void SecondaryWindows::print()
{
    m_printer.printWithDialog(m_window, m_workspace.preview());
}

void SecondaryWindows::openTransparency(int slot)
{
    m_slots.showSlot(slot);
    if (!m_transparency)
        m_transparency = new TransparencyWindow(m_workspace, m_window);
    m_transparency->editSlot(slot);
    if (m_transparency->exec() != QDialog::Accepted)
        delete m_transparency;
}

void SecondaryWindows::openTilesetProperties(int slot)
{
    m_slots.showSlot(slot);
    TilesetPropertiesWindow(m_workspace, slot, m_window).exec();
}

void SecondaryWindows::openEditor(int slot)
{
    if (!m_editor)
        m_editor = new EditTileWindow(m_workspace, m_window);
    m_editor->editCell(m_slots.palette(slot));
    if (m_editor->exec() != QDialog::Accepted)
        delete m_editor;
}

void SecondaryWindows::openOptions()
{
    if (!m_options)
        m_options = new OptionsWindow(m_workspace, m_window);
    if (m_options->exec() != QDialog::Accepted)
        delete m_options;
}

void SecondaryWindows::openInfo()
{
    InfoWindow(m_window).exec();
}

void SecondaryWindows::printSheets()
{
    // Documents added are read away from the window, as every file the user names is.
    using Done = std::function<void(const QImage &, const QString &)>;
    const auto picture = [](const Done &done) {
        return [done](const ReaderResult &read, const QString &error) { done(read.picture, error); };
    };
    const auto readDocument = [this, picture](const QString &path, const Done &done) {
        m_loads.read(path, PictureReader::Kind::FinishedMaptile, picture(done));
    };
    // A back is a document's finished maptile or a picture.
    const auto readBack = [this, picture](const QString &path, const Done &done) {
        m_loads.read(path,
                     DocumentWriter::isDocumentPath(path) ? PictureReader::Kind::FinishedMaptile
                                                          : PictureReader::Kind::WholePicture,
                     picture(done));
    };
    m_workspace.paintNum();
    PrintSheetsWindow window(tr("This maptile"), m_workspace.preview(), readDocument, {}, m_window, readBack);
    window.exec();
}
