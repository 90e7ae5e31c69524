#include "mainwindow/Editor.h"

#include "mainwindow/MainWindow.h"
#include "cli/CommandLine.h"
#include "reading/PictureReader.h"
#include "resources/Translations.h"

#include <QApplication>
#include <QTimer>

namespace {
// Well after the first paint, before a user can have chosen a file.
constexpr int StartReaderAfterMs = 300;
} // namespace

int Editor::run(int argc, char **argv)
{
    QApplication app(argc, argv);
    Translations::install();
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
