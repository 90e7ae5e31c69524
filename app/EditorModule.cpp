// The editor module: the window and everything it needs, run by main().
#include "app/EditorEntry.h"
#include "app/MainWindow.h"
#include "cli/CommandLine.h"
#include "reading/PictureReader.h"

#include <QApplication>
#include <QTimer>

#include <type_traits>

namespace {
// Well after the first paint, before a user can have chosen a file.
constexpr int StartReaderAfterMs = 300;
} // namespace

extern "C" Q_DECL_EXPORT int cryptwrightEditor(int argc, char **argv)
{
    QApplication app(argc, argv);
    MainWindow::prepareApplication();
    const QString file = CommandLine::fileToOpen(QApplication::arguments());

    MainWindow window;
    window.startUp();
    if (!file.isEmpty())
        window.openMaptileFile(file);
    window.showCentred();
    // The process that reads the user's pictures is made once the window is
    // up, so that the first tileset loaded comes as quickly as the next.
    QTimer::singleShot(StartReaderAfterMs, &PictureReader::prepare);
    // Closing the main window ends the program, whatever other windows are open.
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit);
    return app.exec();
}
static_assert(std::is_same_v<decltype(&cryptwrightEditor), EditorEntry::Function>);
